#pragma once

// Runs one of the games that game_gl carries but does not start, the way
// game_gl runs Sarn2017: its window, Renderer::init before the game's init,
// then the shared frame loop. The window gets no event handler: its link
// treats the game as a Sarn2017, so onResize is called here directly.
#include <windows.h>

#include <memory>

#include "Renderer/PC/Windows/GLStartup.h"

template <class Game> int runGameDriver(HINSTANCE instance) {
    GLWindow window(instance);
    if (!startGLWindow(window)) {
        return 1;
    }
    // Games hold big arrays inline: on the heap, and gone before the context.
    std::unique_ptr<Game> game(new Game);
    if (!game->init()) {
        startupFailure(initFailureText);
        game.reset();
        window.destroy();
        return 1;
    }
    game->onResize(1280, 720);
    runGLFrameLoop(window, *game);
    game.reset();
    window.destroy();
    return 0;
}
