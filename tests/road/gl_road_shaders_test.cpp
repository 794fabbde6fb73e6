// The road games' GLSL pairs build on the driver with the uniform tables the
// games give them.
#include "Renderer/PC/Windows/GLPlatform.h"
#include "gl/gl_test_window.h"

namespace {

struct Pair {
    const char* path;
    std::vector<Shader::UniformLayout> uniforms;
    const char* unused; // declared by the game, not needed by the program
};

TEST(GLRoadShaders, PairsCompileAndLinkWithTheirTables) {
    REQUIRE_TEST_WINDOW();
    // The tables the games give.
    std::vector<Pair> pairs = {
        {"data/shaders/gameover-fixed", {{"mvMat", 0, 16}, {"projMat", 0, 16}}, ""},
        {"data/shaders/basic-directional-light",
         {{"mvMat", 0, 16},
          {"projMat", 0, 16},
          {"modelMat", 0, 16},
          {"inverseModelMat", 0, 9},
          {"lightDirection", 0, 3}},
         "modelMat"},
        {"data/shaders/conveyor-map",
         {{"finalMatrix", 0, 16},
          {"mvMat", 0, 16},
          {"projMat", 0, 16},
          {"modelMat", 0, 16},
          {"pos", 0, 2},
          {"terrainRay", 0, 1},
          {"lightDirection", 0, 3}},
         "finalMatrix"}};
    for (Pair& pair : pairs) {
        Shader shader;
        testing::internal::CaptureStdout();
        testing::internal::CaptureStderr();
        EXPECT_TRUE(shader.load(pair.path)) << pair.path;
        shader.setInput(Renderer::VERTEX_INPUT_POSITION3_UV2_COLOR3_NORMAL3, pair.uniforms.data(),
                        unsigned(pair.uniforms.size()));
        EXPECT_TRUE(shader.compile()) << pair.path;
        EXPECT_EQ(testing::internal::GetCapturedStderr(), "") << pair.path;
        EXPECT_EQ(testing::internal::GetCapturedStdout(), "") << pair.path;
        shader.bind();
        for (const Shader::UniformLayout& uniform : pair.uniforms) {
            if (std::string(uniform.name) != pair.unused) {
                EXPECT_GE(shader.findUniformLocation(uniform.name), 0)
                    << pair.path << " " << uniform.name;
            }
        }
        shader.unbind();
    }
}

} // namespace
