// The entry point of game_dx12: the window, the renderer and Sarn2017, then
// the frame loop, which ends every pass by waiting for the GPU.
#include <windows.h>

#include "FrameTime.h"
#include "Renderer/PC/DX12/DX12Platform.h"
#include "Renderer/PC/DX12/DX12Window.h"
#include "Sarn2017.h"

namespace {

void startupFailure(const char* text) {
    MessageBoxA(nullptr, text, "An error occurred", MB_ICONERROR);
}

std::int64_t counter() {
    LARGE_INTEGER now;
    QueryPerformanceCounter(&now);
    return now.QuadPart;
}

} // namespace

int WINAPI WinMain(HINSTANCE hInstance, HINSTANCE, LPSTR, int) {
    DX12Window window(hInstance);
    Sarn2017 game;
    window.m_example = &game.windowEventHandler;
    if (!window.create()) {
        startupFailure("Unable to create the OpenGL Window");
        return 1;
    }
    Renderer::renderer.window = &window;
    Renderer::renderer.viewPort(0, 0, 1280, 720);
    // Without a device there is nothing to draw with: the same stop as a
    // window that cannot be made.
    if (!Renderer::renderer.init()) {
        startupFailure("Unable to create the OpenGL Window");
        return 1;
    }
    if (!game.init()) {
        startupFailure("Could not initialize the application");
        return 1;
    }
    game.onResize(1280, 720);

    LARGE_INTEGER frequency;
    QueryPerformanceFrequency(&frequency);
    std::int64_t previousTime = counter();
    while (window.m_isRunning) {
        window.processEvents();
        std::int64_t largeTime = counter();
        if (window.on) {
            float dt = frameSeconds(largeTime - previousTime, frequency.QuadPart);
            while (dt < minimumFrameSeconds) {
                Sleep(3);
                largeTime = counter();
                dt = frameSeconds(largeTime - previousTime, frequency.QuadPart);
            }
            game.prepare(dt);
            Renderer::renderer.beginFrame();
            game.render();
            Renderer::renderer.endFrame();
        }
        // Paused passes wait too: the GPU never runs behind the next frame.
        waitForGpu();
        previousTime = largeTime;
    }
    return 0;
}
