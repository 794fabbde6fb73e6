#pragma once

// OpenGL back end: the start and the frame loop that game_gl and the test
// drivers of the games it carries share.
#include <windows.h>

#include "Renderer/PC/FrameLoop.h"
#include "Renderer/PC/StartupFailure.h"
#include "Renderer/PC/Windows/glwindow.h"
#include "Renderer/Renderer.h"

// The 1280 x 720 window with its context, and the renderer over it. False
// once the start-up failure box has been shown and the window released.
inline bool startGLWindow(GLWindow& window) {
    if (!window.create(1280, 720, 32, false)) {
        startupFailure(windowFailureText);
        window.destroy();
        return false;
    }
    Renderer::renderer.window = &window;
    Renderer::renderer.viewPort(0, 0, 1280, 720);
    // Without the OpenGL 2.0 entry points nothing can be drawn: the same stop
    // as a window that cannot be made (the entry points stay null).
    if (!Renderer::renderer.init()) {
        startupFailure(windowFailureText);
        window.destroy();
        return false;
    }
    return true;
}

// Frames until the window is closed; buffers are swapped also while paused,
// so the last frame stays on screen.
template <class Game> void runGLFrameLoop(GLWindow& window, Game& game) {
    SystemClock clock;
    runFrameLoop(
        window, game, Renderer::renderer, [&window] { window.swapBuffers(); }, clock);
}
