// CPU time of one frame of the dodge game (prepare + render) with all 30 car
// slots on the road, over the recording back end. Run by `./x bench` from a
// Release build; figures go to stderr.
#include <cstdio>
#include <ctime>
#include <memory>

#include "example.h"
#include "support/Recorder.h"

static double cpuSeconds() {
    timespec t;
    clock_gettime(CLOCK_PROCESS_CPUTIME_ID, &t);
    return double(t.tv_sec) + double(t.tv_nsec) * 1e-9;
}

int main() {
    std::unique_ptr<Example> game(new Example);
    game->init();
    game->onResize(1280, 720);
    game->reset();
    // Cars beside the bar's reach, standing still: every slot stays alive and
    // every frame tests all of them against the bar.
    for (int i = 0; i < Example::carSlots; ++i) {
        Example::Car& car = game->cars[i];
        car.alive = true;
        car.speed = 0.0f;
        car.model.x() = (i % 2 ? 1.0f : -1.0f) * (9.0f + 2.0f * (i % 4 / 2));
        car.model.y() = -13.0f + 26.0f * float(i / 4) / 7.0f;
    }
    const int frames = 20000, batch = 1000;
    double seconds = 0.0;
    std::size_t draws = 0;
    for (int done = 0; done < frames; done += batch) {
        recorder().reset();
        double start = cpuSeconds();
        for (int i = 0; i < batch; ++i) {
            game->mLifeTimer = 2.0f;
            game->prepare(0.012f);
            game->render();
        }
        seconds += cpuSeconds() - start;
        draws += recorder().draws().size();
    }
    int alive = 0;
    for (const Example::Car& car : game->cars)
        alive += car.alive;
    std::fprintf(stderr, "Example, %d cars alive: %8.2f us a frame, %4.0f draws a frame\n", alive,
                 seconds / frames * 1e6, double(draws) / frames);
    return 0;
}
