#include "gl_test_window.h"

#include <cstdio>
#include <cstdlib>
#include <cstring>

#include "Renderer/Renderer.h"

std::vector<std::pair<int, int>> resizeCalls;
size_t resizeCallsDuringCreate = 0;
std::string createErrors;
ClientWindowEventHandler testGame;

// The game's own definition comes with the game; tests record instead.
void ClientWindowEventHandler::onResize(int width, int height) {
    EXPECT_EQ(game, this);
    resizeCalls.push_back({width, height});
}

bool ciRun() {
    const char* ci = std::getenv("CI");
    return ci && std::strcmp(ci, "true") == 0;
}

GLWindow* testWindow() {
    static GLWindow* window = nullptr;
    static bool tried = false;
    if (tried)
        return window;
    tried = true;
    static GLWindow made(GetModuleHandleA(nullptr));
    testGame.game = &testGame;
    made.attachClientWindowEventHandler(&testGame);
    testing::internal::CaptureStderr();
    bool created = made.create(1280, 720, 32, false);
    createErrors = testing::internal::GetCapturedStderr();
    std::fputs(createErrors.c_str(), stderr);
    resizeCallsDuringCreate = resizeCalls.size();
    if (!created || !made.isRunning())
        return nullptr;
    Renderer::renderer.window = &made;
    Renderer::renderer.viewPort(0, 0, 1280, 720);
    if (!Renderer::renderer.init())
        return nullptr;
    window = &made;
    return window;
}
