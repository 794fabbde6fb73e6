// Every GLSL pair of data/shaders builds on the driver with the uniform table
// its game declares: run on the 3.0 context and, registered a second time, on
// the GL 2.1 fallback.
#include <algorithm>
#include <string>
#include <vector>

#include "Renderer/PC/Windows/GLPlatform.h"
#include "gl_test_window.h"

namespace {

struct Pair {
    const char* path;
    std::vector<Shader::UniformLayout> uniforms;
    std::vector<std::string> unused; // declared by the game, not needed by the program
};

std::vector<Shader::UniformLayout> matrices(std::vector<Shader::UniformLayout> more = {}) {
    std::vector<Shader::UniformLayout> table = {{"mvMat", 0, 16}, {"projMat", 0, 16}};
    table.insert(table.end(), more.begin(), more.end());
    return table;
}

TEST(GLGameShaders, EveryPairCompilesAndLinksWithItsTable) {
    REQUIRE_TEST_WINDOW();
    const std::vector<Pair> pairs = {
        // Sarn2017 (both editions' game)
        {"data/shaders/basic-fixed", matrices(), {}},
        {"data/shaders/room-transition", matrices({{"ratio", 0, 1}}), {}},
        // Sarn2016
        {"data/shaders/basic-fixed-underwater",
         matrices({{"modelMat", 0, 16},
                   {"inverseModelMat", 0, 9},
                   {"refractionModelMat", 0, 16},
                   {"lightDirection", 0, 3}}),
         {}},
        {"data/shaders/water", matrices(), {}},
        {"data/shaders/seaweed", matrices({{"offset", 0, 3}}), {}},
        {"data/shaders/underwaterRefraction",
         matrices({{"refractionModelMat", 0, 16},
                   {"inverseModelMat", 0, 9},
                   {"lightDirection", 0, 3},
                   {"offset", 0, 2}}),
         {}},
        {"data/shaders/color", matrices({{"color", 0, 4}}), {}},
        // Sarn2016 and the road games
        {"data/shaders/gameover-fixed", matrices(), {}},
        // Sarn2015
        {"data/shaders/basic-directional-light",
         matrices({{"modelMat", 0, 16}, {"inverseModelMat", 0, 9}, {"lightDirection", 0, 3}}),
         {"modelMat"}},
        {"data/shaders/conveyor-map",
         {{"finalMatrix", 0, 16},
          {"mvMat", 0, 16},
          {"projMat", 0, 16},
          {"modelMat", 0, 16},
          {"pos", 0, 2},
          {"terrainRay", 0, 1},
          {"lightDirection", 0, 3}},
         {"finalMatrix", "pos"}},
    };
    for (const Pair& pair : pairs) {
        Shader shader;
        std::vector<Shader::UniformLayout> uniforms = pair.uniforms;
        testing::internal::CaptureStdout();
        testing::internal::CaptureStderr();
        EXPECT_TRUE(shader.load(pair.path)) << pair.path;
        shader.setInput(Renderer::VERTEX_INPUT_POSITION3_UV2_COLOR3_NORMAL3, uniforms.data(),
                        unsigned(uniforms.size()));
        EXPECT_TRUE(shader.compile()) << pair.path;
        EXPECT_EQ(testing::internal::GetCapturedStderr(), "") << pair.path;
        EXPECT_EQ(testing::internal::GetCapturedStdout(), "") << pair.path;
        shader.bind();
        for (const Shader::UniformLayout& uniform : uniforms) {
            if (std::find(pair.unused.begin(), pair.unused.end(), uniform.name) ==
                pair.unused.end()) {
                EXPECT_GE(shader.findUniformLocation(uniform.name), 0)
                    << pair.path << " " << uniform.name;
            }
        }
        shader.unbind();
    }
    const char* version = reinterpret_cast<const char*>(glGetString(GL_VERSION));
    std::printf("GL_VERSION %s\n", version ? version : "(none)");
}

} // namespace
