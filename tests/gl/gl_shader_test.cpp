// GLSL pairs on the real driver: building, binding and sending uniforms.
#include <string>
#include <vector>

#include "Renderer/PC/Windows/GLPlatform.h"
#include "gl_test_window.h"
#include "support/TestFiles.h"

namespace {

typedef void(APIENTRY* GetUniformfvProc)(GLuint, GLint, GLfloat*);
typedef void(APIENTRY* GetVertexAttribivProc)(GLuint, GLenum, GLint*);

// The shader-file pair `name`.vert / `name`.frag; returns the path without extension.
std::string writeShaderPair(const std::string& name, const std::string& vertex,
                            const std::string& fragment) {
    std::string path = writeTestFile(name + ".vert", vertex);
    writeTestFile(name + ".frag", fragment);
    return path.substr(0, path.size() - 5);
}

const char* const plainVertex = "#version 120\n"
                                "attribute vec3 inVertex;\n"
                                "void main() { gl_Position = vec4(inVertex, 1.0); }\n";
const char* const plainFragment = "#version 120\n"
                                  "void main() { gl_FragColor = vec4(1.0); }\n";

// One uniform of every kind the senders write.
std::string allKindsPair() {
    return writeShaderPair(
        "gl-all-kinds",
        "#version 120\n"
        "attribute vec3 inVertex;\n"
        "uniform mat4 m4;\n"
        "uniform mat3 m3;\n"
        "varying vec3 v;\n"
        "void main() { v = m3 * inVertex; gl_Position = m4 * vec4(inVertex, 1.0); }\n",
        "#version 120\n"
        "uniform float f;\n"
        "uniform vec2 v2;\n"
        "uniform vec3 v3;\n"
        "uniform vec4 v4;\n"
        "varying vec3 v;\n"
        "void main() { gl_FragColor = v4 + vec4(v3 + v, f) + vec4(v2, 0.0, 0.0); }\n");
}

Shader::UniformLayout basicUniforms[] = {{"mvMat", 0, 16}, {"projMat", 0, 16}};
Shader::UniformLayout allKinds[] = {{"m4", 0, 16}, {"m3", 0, 9}, {"f", 0, 1},
                                    {"v2", 0, 2},  {"v3", 0, 3}, {"v4", 0, 4}};

bool build(Shader& shader, const std::string& path, Shader::UniformLayout* uniforms,
           unsigned int count) {
    bool loaded = shader.load(path);
    shader.setInput(Renderer::VERTEX_INPUT_POSITION3_UV2_COLOR3_NORMAL3, uniforms, count);
    return shader.compile() && loaded;
}

std::vector<float> uniformValue(Shader& shader, const char* name, int floats) {
    static GetUniformfvProc getUniform = testEntryPoint<GetUniformfvProc>("glGetUniformfv");
    std::vector<float> value(16, -1.0f);
    GLuint program = shader.data->glslProgram;
    getUniform(program, glGetUniformLocation(program, name), value.data());
    value.resize(floats);
    return value;
}

bool inputEnabled(Shader& shader, const char* name) {
    static GetVertexAttribivProc getAttribute =
        testEntryPoint<GetVertexAttribivProc>("glGetVertexAttribiv");
    GLint location = glGetAttribLocation(shader.data->glslProgram, name);
    GLint enabled = -1;
    getAttribute(location, GL_VERTEX_ATTRIB_ARRAY_ENABLED, &enabled);
    return enabled == GL_TRUE;
}

TEST(GLShaderBuild, TheBasicPairCompilesLinksAndFindsItsNames) {
    REQUIRE_TEST_WINDOW();
    Shader shader;
    testing::internal::CaptureStdout();
    testing::internal::CaptureStderr();
    EXPECT_TRUE(build(shader, "data/shaders/basic-fixed", basicUniforms, 2));
    EXPECT_EQ(testing::internal::GetCapturedStderr(), "");
    EXPECT_EQ(testing::internal::GetCapturedStdout(), "");
    GLint linked = GL_FALSE;
    glGetProgramiv(shader.data->glslProgram, GL_LINK_STATUS, &linked);
    EXPECT_EQ(linked, GL_TRUE);

    shader.bind();
    EXPECT_EQ(Shader::bound, &shader);
    EXPECT_EQ(getInteger(GL_CURRENT_PROGRAM), GLint(shader.data->glslProgram));
    ASSERT_EQ(shader.mInputsSize, 4u);
    EXPECT_STREQ(shader.mInputs[0].name, "inVertex");
    EXPECT_GE(shader.findInputLocation("inVertex"), 0);
    EXPECT_GE(shader.findInputLocation("inTexCoord"), 0);
    EXPECT_GE(shader.findInputLocation("inColor"), 0);
    EXPECT_GE(shader.findUniformLocation("mvMat"), 0);
    EXPECT_GE(shader.findUniformLocation("projMat"), 0);
    EXPECT_TRUE(inputEnabled(shader, "inVertex"));
    EXPECT_TRUE(inputEnabled(shader, "inColor"));
}

TEST(GLShaderBuild, AMissingPairIsReportedAndFails) {
    REQUIRE_TEST_WINDOW();
    Shader shader;
    testing::internal::CaptureStderr();
    bool loaded = shader.load("build/no-such-shader");
    EXPECT_EQ(testing::internal::GetCapturedStderr(),
              "Could not load shader: build/no-such-shader.vert\n"
              "Could not load shader: build/no-such-shader.frag\n");
    EXPECT_FALSE(loaded);
    shader.setInput(Renderer::VERTEX_INPUT_POSITION3_UV2_COLOR3_NORMAL3, basicUniforms, 2);
    testing::internal::CaptureStdout();
    EXPECT_FALSE(shader.compile());
    // An empty text does not compile; the driver's log follows each line.
    std::string out = testing::internal::GetCapturedStdout();
    EXPECT_EQ(out.rfind("Could not compile vertexShader 35633:\n", 0), 0u) << out;
    EXPECT_NE(out.find("Could not compile fragmentShader 35632:\n"), std::string::npos) << out;
}

TEST(GLShaderBuild, CompileAndLinkFailuresArePrintedAndFail) {
    REQUIRE_TEST_WINDOW();
    Shader broken;
    std::string path = writeShaderPair("gl-broken", plainVertex,
                                       "#version 120\n"
                                       "void main() { gl_FragColor = vec4(1.0) }\n");
    testing::internal::CaptureStdout();
    EXPECT_FALSE(build(broken, path, nullptr, 0));
    std::string out = testing::internal::GetCapturedStdout();
    EXPECT_EQ(out.rfind("Could not compile fragmentShader 35632:\n", 0), 0u) << out;
    EXPECT_EQ(out.find("vertexShader"), std::string::npos) << out;
    EXPECT_EQ(broken.data->fragmentShader, 0u);

    // Both stages compile, but a program without main does not link.
    Shader unlinked;
    path = writeShaderPair("gl-unlinked", "#version 120\nvoid helper() {}\n", plainFragment);
    testing::internal::CaptureStdout();
    EXPECT_FALSE(build(unlinked, path, nullptr, 0));
    EXPECT_EQ(testing::internal::GetCapturedStdout(), "programme non linke\n");
}

TEST(GLShaderSend, EverySenderReachesItsDeclaredUniform) {
    REQUIRE_TEST_WINDOW();
    Shader shader;
    ASSERT_TRUE(build(shader, allKindsPair(), allKinds, 6));
    shader.bind();
    float m4[16], m3[9], v4[4] = {0.1f, 0.2f, 0.3f, 0.4f};
    for (int i = 0; i < 16; i++)
        m4[i] = float(i + 1);
    for (int i = 0; i < 9; i++)
        m3[i] = float(i) / 2;
    shader.sendMatrix4x4("m4", m4);
    shader.sendMatrix3x3("m3", m3);
    shader.sendFloat("f", 2.5f);
    shader.sendVector2D("v2", Vector2D(3, 4));
    shader.sendVector3D("v3", Vector3D(5, 6, 7));
    shader.sendVector4D("v4", v4);
    EXPECT_EQ(uniformValue(shader, "m4", 16), std::vector<float>(m4, m4 + 16));
    EXPECT_EQ(uniformValue(shader, "m3", 9), std::vector<float>(m3, m3 + 9));
    EXPECT_EQ(uniformValue(shader, "f", 1), std::vector<float>({2.5f}));
    EXPECT_EQ(uniformValue(shader, "v2", 2), std::vector<float>({3, 4}));
    EXPECT_EQ(uniformValue(shader, "v3", 3), std::vector<float>({5, 6, 7}));
    EXPECT_EQ(uniformValue(shader, "v4", 4), std::vector<float>(v4, v4 + 4));
}

TEST(GLShaderSend, NamesMissingFromTheTableAreIgnoredSilently) {
    REQUIRE_TEST_WINDOW();
    // The program has mvMat, but this table declares only projMat.
    Shader shader;
    ASSERT_TRUE(build(shader, "data/shaders/basic-fixed", basicUniforms + 1, 1));
    shader.bind();
    float identity[16] = {1, 0, 0, 0, 0, 1, 0, 0, 0, 0, 1, 0, 0, 0, 0, 1};
    float other[16] = {};
    for (float& value : other)
        value = 7.0f;
    std::vector<float> mvBefore = uniformValue(shader, "mvMat", 16);
    shader.sendMatrix4x4("projMat", identity);
    testing::internal::CaptureStdout();
    testing::internal::CaptureStderr();
    shader.sendMatrix4x4("mvMat", other);
    shader.sendMatrix4x4("modelMat", other);
    shader.sendVector3D("lightDirection", Vector3D(0.5f, 1, -2));
    shader.sendFloat(nullptr, 1.0f);
    EXPECT_EQ(testing::internal::GetCapturedStdout(), "");
    EXPECT_EQ(testing::internal::GetCapturedStderr(), "");
    EXPECT_EQ(uniformValue(shader, "mvMat", 16), mvBefore);
    EXPECT_EQ(uniformValue(shader, "projMat", 16), std::vector<float>(identity, identity + 16));
}

TEST(GLShaderSend, OnlyTheBoundShaderWritesIntoTheCurrentProgram) {
    REQUIRE_TEST_WINDOW();
    std::string path = allKindsPair();
    Shader first, second;
    ASSERT_TRUE(build(first, path, allKinds, 6));
    ASSERT_TRUE(build(second, path, allKinds, 6));
    first.bind();
    std::vector<std::vector<float>> before;
    for (const Shader::UniformLayout& u : allKinds)
        before.push_back(uniformValue(first, u.name, u.size));

    // Never bound: every name still has the location 0 of the caller's table,
    // which is some uniform of the current program.
    float nines[16];
    for (float& value : nines)
        value = 9.0f;
    second.sendMatrix4x4("m4", nines);
    second.sendMatrix3x3("m3", nines);
    second.sendFloat("f", 9);
    second.sendVector2D("v2", Vector2D(9, 9));
    second.sendVector3D("v3", Vector3D(9, 9, 9));
    second.sendVector4D("v4", nines);
    for (size_t i = 0; i < before.size(); i++)
        EXPECT_EQ(uniformValue(first, allKinds[i].name, allKinds[i].size), before[i])
            << allKinds[i].name;

    // Once another shader is bound, the first one's sends go nowhere either.
    second.bind();
    std::vector<float> f = uniformValue(second, "f", 1);
    first.sendFloat("f", 5.0f);
    EXPECT_EQ(uniformValue(second, "f", 1), f);
}

TEST(GLShaderBind, BindingSwitchesTheProgramAndItsVertexInputs) {
    REQUIRE_TEST_WINDOW();
    Shader basic, plain;
    ASSERT_TRUE(build(basic, "data/shaders/basic-fixed", basicUniforms, 2));
    ASSERT_TRUE(build(plain, writeShaderPair("gl-plain", plainVertex, plainFragment), nullptr, 0));
    basic.bind();
    EXPECT_TRUE(inputEnabled(basic, "inTexCoord"));
    plain.bind();
    EXPECT_EQ(Shader::bound, &plain);
    EXPECT_EQ(getInteger(GL_CURRENT_PROGRAM), GLint(plain.data->glslProgram));
    EXPECT_FALSE(inputEnabled(basic, "inTexCoord"));
    EXPECT_TRUE(inputEnabled(plain, "inVertex"));
    // A repeated bind unbinds and binds again: the inputs end up enabled.
    plain.bind();
    EXPECT_TRUE(inputEnabled(plain, "inVertex"));
}

GLint attribute(Shader& shader, const char* name, GLenum what) {
    static GetVertexAttribivProc getAttribute =
        testEntryPoint<GetVertexAttribivProc>("glGetVertexAttribiv");
    GLint value = -1;
    getAttribute(glGetAttribLocation(shader.data->glslProgram, name), what, &value);
    return value;
}

// The shader's programId, bindVertices, bindUVs and bindBuffer: one single
// renderer buffer (Renderer::createVertexBuffer and the like) as one input.
TEST(GLShaderBind, SingleBuffersFeedOneNamedInput) {
    REQUIRE_TEST_WINDOW();
    Shader basic;
    ASSERT_TRUE(build(basic, "data/shaders/basic-fixed", basicUniforms, 2));
    basic.bind();
    EXPECT_EQ(basic.programId(), basic.data->glslProgram);
    EXPECT_EQ(getInteger(GL_CURRENT_PROGRAM), GLint(basic.programId()));

    unsigned int vertices = Renderer::renderer.createVertexBuffer(9);
    unsigned int uvs = Renderer::renderer.createUVBuffer(6);
    unsigned int colours = Renderer::renderer.createBuffer(9);
    GLuint verticesName = Renderer::renderer.data->buffer(vertices);
    GLuint uvsName = Renderer::renderer.data->buffer(uvs);
    GLuint coloursName = Renderer::renderer.data->buffer(colours);
    basic.bindVertices(int(vertices));
    EXPECT_EQ(getInteger(GL_ARRAY_BUFFER_BINDING), GLint(verticesName));
    basic.bindUVs(int(uvs));
    basic.bindBuffer(int(colours), "inColor", 4);
    EXPECT_EQ(getInteger(GL_ARRAY_BUFFER_BINDING), GLint(coloursName));
    EXPECT_EQ(attribute(basic, "inVertex", GL_VERTEX_ATTRIB_ARRAY_BUFFER_BINDING),
              GLint(verticesName));
    EXPECT_EQ(attribute(basic, "inVertex", GL_VERTEX_ATTRIB_ARRAY_SIZE), 3);
    EXPECT_EQ(attribute(basic, "inTexCoord", GL_VERTEX_ATTRIB_ARRAY_BUFFER_BINDING),
              GLint(uvsName));
    EXPECT_EQ(attribute(basic, "inTexCoord", GL_VERTEX_ATTRIB_ARRAY_SIZE), 2);
    if (glGetAttribLocation(basic.data->glslProgram, "inColor") >= 0) {
        EXPECT_EQ(attribute(basic, "inColor", GL_VERTEX_ATTRIB_ARRAY_BUFFER_BINDING),
                  GLint(coloursName));
        EXPECT_EQ(attribute(basic, "inColor", GL_VERTEX_ATTRIB_ARRAY_SIZE), 4);
    }
    basic.unbind();
    glUseProgram(0);
    Shader::bound = nullptr;
}

TEST(GLShaderDestroy, OnlyTheBoundShaderUnbindsAndForgetsItself) {
    REQUIRE_TEST_WINDOW();
    Shader kept;
    ASSERT_TRUE(build(kept, "data/shaders/basic-fixed", basicUniforms, 2));
    kept.bind();
    {
        Shader other;
        ASSERT_TRUE(
            build(other, writeShaderPair("gl-other", plainVertex, plainFragment), nullptr, 0));
        Shader neverLoaded;
    }
    EXPECT_EQ(Shader::bound, &kept);
    EXPECT_EQ(getInteger(GL_CURRENT_PROGRAM), GLint(kept.data->glslProgram));
    EXPECT_TRUE(inputEnabled(kept, "inTexCoord"));

    {
        Shader temporary;
        ASSERT_TRUE(build(temporary, "data/shaders/basic-fixed", basicUniforms, 2));
        temporary.bind();
    }
    EXPECT_EQ(Shader::bound, nullptr);
    EXPECT_EQ(getInteger(GL_CURRENT_PROGRAM), 0);
    EXPECT_FALSE(inputEnabled(kept, "inTexCoord"));
}

} // namespace
