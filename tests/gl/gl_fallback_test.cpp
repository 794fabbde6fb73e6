// Run with a driver that refuses the 3.0 context (see tests/CMakeLists.txt):
// the first context stays and everything still works on GL 2.1.
#include <cstring>

#include "gl_test_window.h"

namespace {

TEST(GLWindowFallback, KeepsTheFirstContextWhenThe30ContextIsRefused) {
    REQUIRE_TEST_WINDOW();
    GLWindow* window = testWindow();
    EXPECT_EQ(createErrors, "OpenGL 3.0 is not supported, falling back to GL 2.1\n");
    EXPECT_NE(window->m_hglrc, nullptr);
    EXPECT_EQ(wglGetCurrentContext(), window->m_hglrc);
    const char* version = reinterpret_cast<const char*>(glGetString(GL_VERSION));
    ASSERT_NE(version, nullptr);
    EXPECT_EQ(std::strncmp(version, "2.1", 3), 0) << version;
    EXPECT_TRUE(window->isRunning());
}

} // namespace
