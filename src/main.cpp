// Entry point of game_gl: the window with its OpenGL context, the renderer and
// the room game, then the frame loop until the window is closed.
#include <windows.h>

#include "FrameTime.h"
#include "Renderer/PC/Windows/glwindow.h"
#include "Renderer/Renderer.h"
#include "Sarn2017.h"

static void failure(const char* text) {
    MessageBoxA(nullptr, text, "An error occurred", MB_ICONERROR);
}

int WINAPI WinMain(HINSTANCE hInstance, HINSTANCE, LPSTR, int) {
    // The game after the window: it is destroyed first, while the context lives.
    GLWindow window(hInstance);
    Sarn2017 game;
    window.attachClientWindowEventHandler(&game.windowEventHandler);
    if (!window.create(1280, 720, 32, false)) {
        failure("Unable to create the OpenGL Window");
        window.destroy();
        return 1;
    }
    Renderer::renderer.window = &window;
    Renderer::renderer.viewPort(0, 0, 1280, 720);
    Renderer::renderer.init();
    if (!game.init()) {
        failure("Could not initialize the application");
        window.destroy();
        return 1;
    }
    game.onResize(1280, 720);

    LARGE_INTEGER previousTime, largeTime, frequency;
    QueryPerformanceCounter(&previousTime);
    QueryPerformanceFrequency(&frequency);
    while (window.isRunning()) {
        window.processEvents();
        QueryPerformanceCounter(&largeTime);
        float dt = frameSeconds(largeTime.QuadPart - previousTime.QuadPart, frequency.QuadPart);
        if (window.on) {
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
        // Also while paused: the last frame stays on screen.
        window.swapBuffers();
        previousTime = largeTime;
    }
    window.destroy();
    return 0;
}
