#include "FuzzFile.h"
#include "Renderer/Renderer.h"
#include "example.h"
#include "support/Recorder.h"

#include <cstdint>
#include <memory>

// Each traffic file is loaded into a run and played for a few hundred frames:
// whatever it holds, the spawner keeps to its 30 slots and never divides by
// an empty pattern list.
extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    static std::unique_ptr<Example> game = [] {
        Renderer::renderer.init();
        std::unique_ptr<Example> made(new Example);
        made->init();
        made->onResize(1280, 720);
        return made;
    }();
    std::string path = fuzzFile(data, size, ".json");
    recorder().reset();
    game->startTime = size % 2 ? 70.0f : 0.0f;
    game->reset();
    game->mCarsList.clear();
    game->mCarsPatterns.clear();
    game->loadCarsFile(path);
    for (int frame = 0; frame < 200; ++frame) {
        game->gameOver = false;
        game->prepare(frame % 50 == 0 ? 2.0f : 0.05f);
        if (frame % 100 == 0)
            game->render();
        if (game->mCarsList.size() > 100000)
            break; // a huge file: played enough
    }
    return 0;
}
