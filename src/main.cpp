// Entry point of game_gl: the window with its OpenGL context, the renderer and
// the room game, then the frame loop until the window is closed.
#include <windows.h>

#include "Renderer/PC/FrameLoop.h"
#include "Renderer/PC/StartupFailure.h"
#include "Renderer/PC/Windows/glwindow.h"
#include "Renderer/Renderer.h"
#include "Sarn2017.h"

int WINAPI WinMain(HINSTANCE hInstance, HINSTANCE, LPSTR, int) {
    // The game after the window: it is destroyed first, while the context lives.
    GLWindow window(hInstance);
    Sarn2017 game;
    window.attachClientWindowEventHandler(&game.windowEventHandler);
    if (!window.create(1280, 720, 32, false)) {
        startupFailure(windowFailureText);
        window.destroy();
        return 1;
    }
    Renderer::renderer.window = &window;
    Renderer::renderer.viewPort(0, 0, 1280, 720);
    // Without the OpenGL 2.0 entry points nothing can be drawn: the same stop
    // as a window that cannot be made (the entry points stay null).
    if (!Renderer::renderer.init()) {
        startupFailure(windowFailureText);
        window.destroy();
        return 1;
    }
    if (!game.init()) {
        startupFailure(initFailureText);
        window.destroy();
        return 1;
    }
    game.onResize(1280, 720);

    // Also while paused: the last frame stays on screen.
    SystemClock clock;
    runFrameLoop(
        window, game, Renderer::renderer, [&window] { window.swapBuffers(); }, clock);
    window.destroy();
    return 0;
}
