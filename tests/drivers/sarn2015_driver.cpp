// Runs the orbit prototype Sarn2015 in game_gl's window and frame loop, for
// the play-through and for a look. Not shipped.
#include <windows.h>

#include <memory>

#include "Renderer/PC/FrameLoop.h"
#include "Renderer/PC/StartupFailure.h"
#include "Renderer/PC/Windows/glwindow.h"
#include "Renderer/Renderer.h"
#include "Sarn2015.h"

int WINAPI WinMain(HINSTANCE hInstance, HINSTANCE, LPSTR, int) {
    GLWindow window(hInstance);
    // No event handler on the window: its link calls Sarn2017::onResize.
    if (!window.create(1280, 720, 32, false)) {
        startupFailure(windowFailureText);
        window.destroy();
        return 1;
    }
    Renderer::renderer.window = &window;
    Renderer::renderer.viewPort(0, 0, 1280, 720);
    Renderer::renderer.init();
    auto game = std::make_unique<Sarn2015>();
    if (!game->init()) {
        startupFailure(initFailureText);
        window.destroy();
        return 1;
    }
    game->onResize(1280, 720);
    runFrameLoop(window, *game, [&window] { window.swapBuffers(); });
    game.reset();
    window.destroy();
    return 0;
}
