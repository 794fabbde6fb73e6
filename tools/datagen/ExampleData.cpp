#include "ExampleData.h"

void writeExampleData(DataOutput& out) {
    writeExampleImages(out);
    writeExampleMeshes(out);
    writeExampleTraffic(out);
}
