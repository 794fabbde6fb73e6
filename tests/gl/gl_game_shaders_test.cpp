// The game's two GLSL pairs build on the driver: run on the 3.0 context and,
// registered a second time, on the GL 2.1 fallback.
#include <cstring>

#include "Renderer/PC/Windows/GLPlatform.h"
#include "gl_test_window.h"

namespace {

TEST(GLGameShaders, BothPairsCompileAndLinkWithTheirTables) {
    REQUIRE_TEST_WINDOW();
    Shader::UniformLayout basic[] = {{"mvMat", 0, 16}, {"projMat", 0, 16}};
    Shader::UniformLayout transition[] = {{"mvMat", 0, 16}, {"projMat", 0, 16}, {"ratio", 0, 1}};
    struct Pair {
        const char* path;
        Shader::UniformLayout* uniforms;
        unsigned int count;
    } pairs[] = {{"data/shaders/basic-fixed", basic, 2},
                 {"data/shaders/room-transition", transition, 3}};
    for (const Pair& pair : pairs) {
        Shader shader;
        testing::internal::CaptureStdout();
        testing::internal::CaptureStderr();
        EXPECT_TRUE(shader.load(pair.path)) << pair.path;
        shader.setInput(Renderer::VERTEX_INPUT_POSITION3_UV2_COLOR3_NORMAL3, pair.uniforms,
                        pair.count);
        EXPECT_TRUE(shader.compile()) << pair.path;
        EXPECT_EQ(testing::internal::GetCapturedStderr(), "") << pair.path;
        EXPECT_EQ(testing::internal::GetCapturedStdout(), "") << pair.path;
        shader.bind();
        for (unsigned int i = 0; i < pair.count; ++i)
            EXPECT_GE(shader.findUniformLocation(pair.uniforms[i].name), 0)
                << pair.path << " " << pair.uniforms[i].name;
        shader.unbind();
    }
    const char* version = reinterpret_cast<const char*>(glGetString(GL_VERSION));
    std::printf("GL_VERSION %s\n", version ? version : "(none)");
}

} // namespace
