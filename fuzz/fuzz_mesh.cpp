#include "FuzzFile.h"
#include "Object3D.h"
#include "support/Recorder.h"

// Built twice: fuzz_mesh_bin with MESH_BINARY defined, fuzz_mesh_json without.
extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    recorder().reset();
    Object3D mesh;
#ifdef MESH_BINARY
    mesh.loadBIN(fuzzFile(data, size, ".bloc"));
#else
    mesh.loadJSON(fuzzFile(data, size, ".json"));
#endif
    // The recorder copies every array at its full length: a short one shows.
    mesh.genBuffers();
    float distance;
    mesh.rayThroughMesh(Vector3D(0.5f, 0.5f, 5), Vector3D(0, 0, -1), Vector3D(), Vector3D(1, 1, 1),
                        Quaternion(), &distance);
    if (!recorder().faults().empty())
        __builtin_trap();
    return 0;
}
