// The underwater game's GLSL pairs build on the driver with the tables its
// init declares, every uniform in use: on the 3.0 context and, registered a
// second time, on the GL 2.1 fallback.
#include "Renderer/PC/Windows/GLPlatform.h"
#include "gl_test_window.h"

TEST(Sarn2016GLShaders, EveryPairCompilesWithItsTable) {
    REQUIRE_TEST_WINDOW();
    Shader::UniformLayout basic[] = {{"mvMat", 0, 16}, {"projMat", 0, 16}};
    Shader::UniformLayout underwater[] = {{"mvMat", 0, 16},
                                          {"projMat", 0, 16},
                                          {"modelMat", 0, 16},
                                          {"inverseModelMat", 0, 9},
                                          {"refractionModelMat", 0, 16},
                                          {"lightDirection", 0, 3}};
    Shader::UniformLayout refraction[] = {
        {"mvMat", 0, 16},          {"projMat", 0, 16},       {"refractionModelMat", 0, 16},
        {"inverseModelMat", 0, 9}, {"lightDirection", 0, 3}, {"offset", 0, 2}};
    Shader::UniformLayout color[] = {{"mvMat", 0, 16}, {"projMat", 0, 16}, {"color", 0, 4}};
    Shader::UniformLayout seaweed[] = {{"mvMat", 0, 16}, {"projMat", 0, 16}, {"offset", 0, 3}};
    struct Pair {
        const char* path;
        Shader::UniformLayout* uniforms;
        unsigned int count;
    } pairs[] = {{"data/shaders/basic-fixed-underwater", underwater, 6},
                 {"data/shaders/water", basic, 2},
                 {"data/shaders/gameover-fixed", basic, 2},
                 {"data/shaders/seaweed", seaweed, 3},
                 {"data/shaders/underwaterRefraction", refraction, 6},
                 {"data/shaders/color", color, 3}};
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
}
