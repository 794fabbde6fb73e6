// Closing the window: the loop stops, but the context stays current until the
// window object goes, because the game still draws after the close.
#include "Renderer/Renderer.h"
#include "gl_test_window.h"

namespace {

#define REQUIRE_CREATED(created)                                                                   \
    do {                                                                                           \
        if (!(created)) {                                                                          \
            if (ciRun())                                                                           \
                FAIL() << "no OpenGL window";                                                      \
            GTEST_SKIP() << "no OpenGL window";                                                    \
        }                                                                                          \
    } while (0)

void expectCloseKeepsTheContext(UINT message) {
    HWND hwnd;
    {
        GLWindow window(GetModuleHandleA(nullptr));
        REQUIRE_CREATED(window.create(1280, 720, 32, false));
        ASSERT_TRUE(Renderer::renderer.init());
        hwnd = window.m_hwnd;
        ASSERT_TRUE(window.isRunning());

        EXPECT_EQ(SendMessageA(hwnd, message, 0, 0), 0);
        EXPECT_FALSE(window.isRunning());
        EXPECT_TRUE(IsWindow(hwnd));
        MSG quit;
        EXPECT_TRUE(PeekMessageA(&quit, nullptr, WM_QUIT, WM_QUIT, PM_NOREMOVE));
        window.processEvents();
        EXPECT_FALSE(PeekMessageA(&quit, nullptr, 0, 0, PM_NOREMOVE));

        // The rest of the frame and the game's destructors still draw.
        EXPECT_EQ(wglGetCurrentContext(), window.m_hglrc);
        Renderer::renderer.clear();
        unsigned char pixel[4] = {};
        glReadPixels(10, 10, 1, 1, GL_RGBA, GL_UNSIGNED_BYTE, pixel);
        EXPECT_EQ(pixel[0], 255);
        window.destroy();
        EXPECT_EQ(wglGetCurrentContext(), window.m_hglrc);
    }
    EXPECT_EQ(wglGetCurrentContext(), nullptr);
    EXPECT_FALSE(IsWindow(hwnd));
}

TEST(GLWindowClose, CloseStopsTheLoopAndTheContextGoesWithTheWindow) {
    expectCloseKeepsTheContext(WM_CLOSE);
}

// Also shows that a window can be made again once the first one is gone.
TEST(GLWindowClose, DestroyMessageOnlyStopsTheLoopToo) {
    expectCloseKeepsTheContext(WM_DESTROY);
}

} // namespace
