#include "FlatCollideMesh.h"
#include "FuzzFile.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    FlatCollideMesh collider;
    collider.loadJSON(fuzzFile(data, size, ".json"));
    // Every segment must name existing points, every circle exist.
    float sum = 0, x1, y1, x2, y2;
    for (unsigned int i = 0; i < collider.getNbSegments(); ++i) {
        collider.getPoint(&x1, &y1, &x2, &y2, i);
        sum += x1 + y1 + x2 + y2;
    }
    for (unsigned int i = 0; i < collider.getNbCircles(); ++i)
        sum += collider.getCircleX(i) + collider.getCircleY(i) + collider.getCircleRadius(i);
    return sum == 12345.0f; // keeps the reads
}
