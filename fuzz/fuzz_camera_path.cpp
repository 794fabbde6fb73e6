#include "FuzzFile.h"
#include "Traveller.h"
#include "World.h"

#include <cmath>
#include <cstdint>

namespace {

bool finite(const Vector3D& v) {
    return std::isfinite(v.x) && std::isfinite(v.y) && std::isfinite(v.z);
}

} // namespace

// Whatever the file holds, what it loaded then plays a few hundred frames of
// varied length (a long stall among them) without hanging or leaving the
// camera non-finite.
extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    std::string path = fuzzFile(data, size, "");
    World world;
    Traveller trav;
    trav.init(path.c_str());
    trav.setWorld(&world);
    std::uint32_t state = 2166136261u ^ static_cast<std::uint32_t>(size);
    for (int frame = 0; frame < 200; ++frame) {
        // Stopped tracks never move again: nothing more to see.
        if (!trav.cam.running() && !trav.vue.running() && !trav.up.running() && frame > 1)
            break;
        state = state * 1664525u + 1013904223u;
        float dt = frame == 100 ? 5.0f : (state >> 8) * (0.05f / 16777216.0f);
        trav.update(dt);
        trav.placeCamera();
        if (!finite(trav.cam.p) || !finite(trav.vue.p) || !std::isfinite(trav.upRoll))
            __builtin_trap();
        for (float value : world.mvMat) {
            if (!std::isfinite(value))
                __builtin_trap();
        }
    }
    return 0;
}
