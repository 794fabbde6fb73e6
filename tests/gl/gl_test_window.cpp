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
    // Shown, active and in front, as the game's window is once its loop runs:
    // Wine clips the cursor only for the foreground window.
    made.processEvents();
    SetForegroundWindow(made.m_hwnd);
    made.processEvents();
    window = &made;
    return window;
}

static DWORD fileSize(const std::string& path) {
    WIN32_FILE_ATTRIBUTE_DATA file;
    return GetFileAttributesExA(path.c_str(), GetFileExInfoStandard, &file) ? file.nFileSizeLow : 0;
}

bool saveScreenshot(const std::string& path) {
    DeleteFileA(path.c_str());
    std::string command = "/usr/bin/import -window root " + path;
    STARTUPINFOA startup = {};
    startup.cb = sizeof(startup);
    PROCESS_INFORMATION process = {};
    if (!CreateProcessA(nullptr, &command[0], nullptr, nullptr, FALSE, 0, nullptr, nullptr,
                        &startup, &process))
        return false;
    CloseHandle(process.hProcess);
    CloseHandle(process.hThread);
    // Wine does not wait for a Unix program: wait until the file stops growing.
    DWORD size = 0;
    for (int tries = 0; tries < 150; tries++) {
        Sleep(200);
        DWORD now = fileSize(path);
        if (now > 0 && now == size)
            return true;
        size = now;
    }
    return false;
}
