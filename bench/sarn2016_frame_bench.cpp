// CPU time of one frame of the underwater game (prepare + render) in the
// shipped room with the most objects, over the recording back end, and per
// draw call. Run by `./x bench` from a Release build; figures go to stderr.
#include <cstdio>
#include <ctime>
#include <memory>

#include "Sarn2016.h"
#include "input/ScriptedKeyboard.h"
#include "support/Recorder.h"

static double cpuSeconds() {
    timespec t;
    clock_gettime(CLOCK_PROCESS_CPUTIME_ID, &t);
    return double(t.tv_sec) + double(t.tv_nsec) * 1e-9;
}

// Empties the log but keeps the buffers the game made, so draws stay valid.
static void clearLog() {
    Recorder& r = recorder();
    std::vector<RecordedVertexInput> inputs = r.vertexInputs;
    std::vector<RecordedIndexBuffer> indices = r.indexBuffers;
    unsigned int nextTexture = r.nextTextureID;
    r.reset();
    r.vertexInputs = inputs;
    r.indexBuffers = indices;
    r.nextTextureID = nextTexture;
}

int main() {
    std::unique_ptr<Sarn2016> game(new Sarn2016);
    game->init();
    game->onResize(1280, 720);
    Sarn2016::Room* busiest = game->currentRoom;
    for (auto& named : game->roomDictionary)
        if (named.second->staticObjectCount > busiest->staticObjectCount)
            busiest = named.second;
    game->currentRoom = busiest;
    game->updateTopBorderMesh();
    game->updateBottomBorderMesh();
    // Swimming in turns through the middle of the room, the controls card shown.
    holdOnly({Key::Space, Key::Left});
    game->swimmer.position = Vector3D(50, 50, -10);

    const int frames = 5000, batch = 250;
    double seconds = 0.0;
    std::size_t draws = 0;
    for (int done = 0; done < frames; done += batch) {
        clearLog();
        double start = cpuSeconds();
        for (int i = 0; i < batch; ++i) {
            game->tutoTime = 0.0f;
            game->prepare(0.012f);
            game->render();
        }
        seconds += cpuSeconds() - start;
        draws += recorder().draws().size();
    }
    double perFrame = seconds / frames, drawsPerFrame = double(draws) / frames;
    std::fprintf(stderr,
                 "Sarn2016, room of %u static objects: %8.2f us a frame, %4.0f draws a frame, "
                 "%6.2f us a draw\n",
                 busiest->staticObjectCount, perFrame * 1e6, drawsPerFrame,
                 perFrame * 1e6 / drawsPerFrame);
    return 0;
}
