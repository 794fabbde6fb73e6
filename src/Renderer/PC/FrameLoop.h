#pragma once

// The frame loop of both editions. Each pass empties the window's message
// queue; unless the game is paused it waits (3 ms at a time) until the frame
// has taken minimumFrameSeconds, then has the game prepare and draw a frame;
// then, paused or not, endPass runs: the buffer swap of the OpenGL edition,
// the GPU wait of the Direct3D 12 one. The loop ends once the window is
// closed, and a pass in which the close message arrived stops there: the
// window has nothing left to show.
#include <windows.h>

#include "FrameTime.h"
#include "Renderer/Renderer.h"

template <class Window, class Game, class EndPass>
void runFrameLoop(Window& window, Game& game, EndPass endPass) {
    LARGE_INTEGER previousTime, largeTime, frequency;
    QueryPerformanceCounter(&previousTime);
    QueryPerformanceFrequency(&frequency);
    while (window.isRunning()) {
        window.processEvents();
        if (!window.isRunning())
            break;
        QueryPerformanceCounter(&largeTime);
        if (window.on) {
            float dt = frameSeconds(largeTime.QuadPart - previousTime.QuadPart, frequency.QuadPart);
            while (dt < minimumFrameSeconds) {
                Sleep(3);
                QueryPerformanceCounter(&largeTime);
                dt = frameSeconds(largeTime.QuadPart - previousTime.QuadPart, frequency.QuadPart);
            }
            game.prepare(dt);
            Renderer::renderer.beginFrame();
            game.render();
            Renderer::renderer.endFrame();
        }
        endPass();
        // Paused passes advance the time stamp too: a pause does not pile up.
        previousTime = largeTime;
    }
}
