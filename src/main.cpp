// Entry point of game_gl: the window with its OpenGL context, the renderer and
// the room game, then the frame loop until the window is closed.
#include <windows.h>

#include "Renderer/PC/Windows/GLStartup.h"
#include "Sarn2017.h"

int WINAPI WinMain(HINSTANCE hInstance, HINSTANCE, LPSTR, int) {
    // The game after the window: it is destroyed first, while the context lives.
    GLWindow window(hInstance);
    Sarn2017 game;
    window.attachClientWindowEventHandler(&game.windowEventHandler);
    if (!startGLWindow(window)) {
        return 1;
    }
    if (!game.init()) {
        startupFailure(initFailureText);
        window.destroy();
        return 1;
    }
    game.onResize(1280, 720);
    runGLFrameLoop(window, game);
    window.destroy();
    return 0;
}
