// The entry point of game_dx12: the window, the renderer and Sarn2017, then
// the frame loop, which ends every pass by waiting for the GPU.
#include <windows.h>

#include "Renderer/PC/DX12/DX12Platform.h"
#include "Renderer/PC/DX12/DX12Window.h"
#include "Renderer/PC/FrameLoop.h"
#include "Renderer/PC/StartupFailure.h"
#include "Sarn2017.h"

int WINAPI WinMain(HINSTANCE hInstance, HINSTANCE, LPSTR, int) {
    DX12Window window(hInstance);
    Sarn2017 game;
    window.m_example = &game.windowEventHandler;
    if (!window.create())
        return startupFailure(windowFailureText);
    Renderer::renderer.window = &window;
    Renderer::renderer.viewPort(0, 0, 1280, 720);
    // Without a device there is nothing to draw with: the same stop as a
    // window that cannot be made.
    if (!Renderer::renderer.init())
        return startupFailure(windowFailureText);
    if (!game.init())
        return startupFailure(initFailureText);
    game.onResize(1280, 720);

    // Paused passes wait too: the GPU never runs behind the next frame.
    SystemClock clock;
    runFrameLoop(window, game, Renderer::renderer, waitForGpu, clock);
    return 0;
}
