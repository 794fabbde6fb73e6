#pragma once

// The frame loop of both editions. Each pass empties the window's message
// queue; unless the game is paused it waits (3 ms at a time) until the frame
// has taken minimumFrameSeconds, then has the game prepare and draw a frame
// between the renderer's beginFrame and endFrame; then, paused or not, endPass
// runs: the buffer swap of the OpenGL edition, the GPU wait of the Direct3D 12
// one. The loop ends once the window is closed, and a pass in which the close
// message arrived stops there: the window has nothing left to show.
//
// The clock (performance counter and Sleep) and the renderer are parameters
// so that a test can run the loop with stand-ins; the entry points pass
// SystemClock and Renderer::renderer.
#include <cstdint>

#include "FrameTime.h"

#ifdef _WIN32
#include <windows.h>

// The performance counter and Sleep of Win32.
struct SystemClock {
    std::int64_t now() {
        LARGE_INTEGER ticks;
        QueryPerformanceCounter(&ticks);
        return ticks.QuadPart;
    }
    std::int64_t frequency() {
        LARGE_INTEGER ticks;
        QueryPerformanceFrequency(&ticks);
        return ticks.QuadPart;
    }
    void sleep(unsigned int milliseconds) { Sleep(milliseconds); }
};
#endif

// The loop waits in steps of this many milliseconds.
const unsigned int frameSleepMilliseconds = 3;

template <class Window, class Game, class Surface, class EndPass, class Clock>
void runFrameLoop(Window& window, Game& game, Surface& renderer, EndPass endPass, Clock& clock) {
    std::int64_t previousTime = clock.now();
    std::int64_t frequency = clock.frequency();
    while (window.isRunning()) {
        window.processEvents();
        if (!window.isRunning())
            break;
        std::int64_t largeTime = clock.now();
        if (window.on) {
            float dt = frameSeconds(largeTime - previousTime, frequency);
            while (dt < minimumFrameSeconds) {
                clock.sleep(frameSleepMilliseconds);
                largeTime = clock.now();
                dt = frameSeconds(largeTime - previousTime, frequency);
            }
            game.prepare(dt);
            renderer.beginFrame();
            game.render();
            renderer.endFrame();
        }
        endPass();
        // Paused passes advance the time stamp too: a pause does not pile up.
        previousTime = largeTime;
    }
}
