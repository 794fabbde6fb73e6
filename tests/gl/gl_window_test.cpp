// Messages sent to the real window: the mouse half of inputManager, the pause
// switch and the game's resize calls.
#include <string>

#include "Input/PC/InputManager.h"
#include "gl_test_window.h"

namespace {

LPARAM point(int x, int y) {
    return MAKELPARAM(x, y);
}

TEST(GLWindowMouse, LeftPressCapturesClipsAndPrintsThePositionFromTheBottom) {
    REQUIRE_TEST_WINDOW();
    HWND hwnd = testWindow()->m_hwnd;
    // Wine clips the cursor only for the foreground window.
    SetForegroundWindow(hwnd);
    testWindow()->processEvents();
    testing::internal::CaptureStdout();
    SendMessageA(hwnd, WM_LBUTTONDOWN, MK_LBUTTON, point(10, 0));
    EXPECT_EQ(testing::internal::GetCapturedStdout(), "10 721\n");
    EXPECT_TRUE(inputManager.mWritableMouseLeft);
    EXPECT_EQ(inputManager.mWritableMousePosition.x, 10.0f);
    EXPECT_EQ(inputManager.mWritableMousePosition.y, 721.0f);
    EXPECT_EQ(testWindow()->mousePosition[0], 10);
    EXPECT_EQ(testWindow()->mousePosition[1], 721);
    EXPECT_EQ(GetCapture(), hwnd);
    // The cursor stays inside the client area, its far edges included.
    POINT origin = {0, 0};
    ClientToScreen(hwnd, &origin);
    RECT clip;
    GetClipCursor(&clip);
    EXPECT_EQ(clip.left, origin.x);
    EXPECT_EQ(clip.top, origin.y);
    EXPECT_EQ(clip.right, origin.x + 1281);
    EXPECT_EQ(clip.bottom, origin.y + 721);

    // A second press without a release captures and prints again.
    testing::internal::CaptureStdout();
    SendMessageA(hwnd, WM_LBUTTONDOWN, MK_LBUTTON, point(1279, 719));
    EXPECT_EQ(testing::internal::GetCapturedStdout(), "1279 2\n");
    EXPECT_EQ(GetCapture(), hwnd);

    SendMessageA(hwnd, WM_LBUTTONUP, 0, point(1279, 719));
    EXPECT_FALSE(inputManager.mWritableMouseLeft);
    EXPECT_EQ(GetCapture(), nullptr);
    GetClipCursor(&clip);
    EXPECT_EQ(clip.right - clip.left, GetSystemMetrics(SM_CXVIRTUALSCREEN));
    EXPECT_EQ(clip.bottom - clip.top, GetSystemMetrics(SM_CYVIRTUALSCREEN));
}

// The window's getters: what the window saw last, and the attached handler.
TEST(GLWindowMouse, GettersGiveWhatTheWindowSawLast) {
    REQUIRE_TEST_WINDOW();
    GLWindow* window = testWindow();
    HWND hwnd = window->m_hwnd;
    EXPECT_EQ(window->getAttachedClientWindowEventHandler(), &testGame);
    SendMessageA(hwnd, WM_MOUSEMOVE, 0, point(30, 700));
    EXPECT_EQ(window->getMousePosition().x, 30.0f);
    EXPECT_EQ(window->getMousePosition().y, 21.0f);
    EXPECT_FALSE(window->getMouseLeftDown());
    testing::internal::CaptureStdout();
    SendMessageA(hwnd, WM_LBUTTONDOWN, MK_LBUTTON, point(40, 10));
    testing::internal::GetCapturedStdout();
    EXPECT_TRUE(window->getMouseLeftDown());
    EXPECT_EQ(window->getMousePosition().x, 40.0f);
    EXPECT_EQ(window->getMousePosition().y, 711.0f);
    SendMessageA(hwnd, WM_LBUTTONUP, 0, point(40, 10));
    EXPECT_FALSE(window->getMouseLeftDown());
}

TEST(GLWindowMouse, MovesOutsideTheCapturedClientStopAtZero) {
    REQUIRE_TEST_WINDOW();
    HWND hwnd = testWindow()->m_hwnd;
    struct Case {
        int clientX, clientY;
        float x, y;
    } cases[] = {
        {100, 700, 100, 21},
        {640, 360, 640, 361},
        {-5, -7, 0, 721}, // left of and above the client area
        {20, 800, 20, 0}, // below it
    };
    for (const Case& c : cases) {
        SendMessageA(hwnd, WM_MOUSEMOVE, 0, point(c.clientX, c.clientY));
        EXPECT_EQ(inputManager.mWritableMousePosition.x, c.x) << c.clientX << "," << c.clientY;
        EXPECT_EQ(inputManager.mWritableMousePosition.y, c.y) << c.clientX << "," << c.clientY;
    }
    EXPECT_FALSE(inputManager.mWritableMouseLeft);
}

void postKey(HWND hwnd, UINT message, WPARAM key, LPARAM flags) {
    PostMessageA(hwnd, message, key, flags);
    testWindow()->processEvents();
}

TEST(GLWindowKeys, EveryEscapeKeyDownTogglesThePauseRepeatsIncluded) {
    REQUIRE_TEST_WINDOW();
    GLWindow* window = testWindow();
    const LPARAM first = 0x00010001;  // repeat count 1
    const LPARAM repeat = 0x40010001; // previous state down: an auto-repeat
    ASSERT_TRUE(window->on);
    postKey(window->m_hwnd, WM_KEYDOWN, VK_ESCAPE, first);
    EXPECT_FALSE(window->on);
    postKey(window->m_hwnd, WM_KEYDOWN, VK_ESCAPE, repeat);
    EXPECT_TRUE(window->on);
    postKey(window->m_hwnd, WM_KEYDOWN, VK_ESCAPE, repeat);
    EXPECT_FALSE(window->on);
    // Nothing else toggles it.
    postKey(window->m_hwnd, WM_KEYUP, VK_ESCAPE, 0xC0010001);
    postKey(window->m_hwnd, WM_KEYDOWN, VK_SPACE, first);
    postKey(window->m_hwnd, WM_KEYDOWN, 'P', first);
    EXPECT_FALSE(window->on);
    postKey(window->m_hwnd, WM_KEYDOWN, VK_ESCAPE, first);
    EXPECT_TRUE(window->on);
    EXPECT_TRUE(window->isRunning());
}

TEST(GLWindowSize, ClientSizesReachTheGameButAZeroSizeDoesNot) {
    REQUIRE_TEST_WINDOW();
    GLWindow* window = testWindow();
    resizeCalls.clear();
    SendMessageA(window->m_hwnd, WM_SIZE, SIZE_RESTORED, point(800, 600));
    SendMessageA(window->m_hwnd, WM_SIZE, SIZE_MINIMIZED, point(0, 0));
    SendMessageA(window->m_hwnd, WM_SIZE, SIZE_RESTORED, point(1280, 0));
    ASSERT_EQ(resizeCalls.size(), 1u);
    EXPECT_EQ(resizeCalls[0], std::make_pair(800, 600));

    // A real change of the window's size arrives as its new client size.
    RECT outer = {0, 0, 1024, 576};
    AdjustWindowRectEx(&outer, WS_OVERLAPPEDWINDOW, FALSE, WS_EX_APPWINDOW | WS_EX_WINDOWEDGE);
    SetWindowPos(window->m_hwnd, nullptr, 0, 0, outer.right - outer.left, outer.bottom - outer.top,
                 SWP_NOMOVE | SWP_NOZORDER);
    ASSERT_FALSE(resizeCalls.empty());
    EXPECT_EQ(resizeCalls.back(), std::make_pair(1024, 576));
    SetWindowPos(window->m_hwnd, nullptr, 0, 0,
                 window->m_windowRect.right - window->m_windowRect.left,
                 window->m_windowRect.bottom - window->m_windowRect.top, SWP_NOMOVE | SWP_NOZORDER);
    EXPECT_EQ(resizeCalls.back(), std::make_pair(1280, 720));

    // Without a handler nothing is called.
    size_t calls = resizeCalls.size();
    window->attachClientWindowEventHandler(nullptr);
    SendMessageA(window->m_hwnd, WM_SIZE, SIZE_RESTORED, point(640, 480));
    window->attachClientWindowEventHandler(&testGame);
    EXPECT_EQ(resizeCalls.size(), calls);
}

} // namespace
