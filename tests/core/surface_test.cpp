#include <gtest/gtest.h>

#include <cstring>

#include "Renderer/Shader.h"
#include "Texture.h"
#include "support/ImageFiles.h"
#include "support/Recorder.h"
#include "support/TestFiles.h"

namespace {

class Surface : public testing::Test {
protected:
    void SetUp() override { recorder().reset(); }
};

TEST_F(Surface, UniformTableIsCopiedAndMatchedExactly) {
    char name[] = "mvMat";
    Shader::UniformLayout table[] = {{name, 0, 16}, {"ratio", 0, 1}, {"mvMat", 0, 16}};
    Shader shader;
    shader.setInput(Renderer::VERTEX_INPUT_POSITION3_UV2_COLOR3_NORMAL3, table, 3);
    std::strcpy(name, "xxxxx"); // the shader keeps its own copy
    shader.setInput(Renderer::VERTEX_INPUT_POSITION3_UV2_COLOR3_NORMAL3, table, 3); // replaced
    EXPECT_TRUE(shader.uniformExists("xxxxx"));
    EXPECT_FALSE(shader.uniformExists("mvMa"));
    EXPECT_FALSE(shader.uniformExists("mvMatX"));
    shader.bind();
    EXPECT_EQ(shader.findUniformLocation("mvMat"), 2); // the first exact match
    EXPECT_EQ(shader.findUniformLocation("projMat"), -1);
    EXPECT_EQ(shader.findUniformLocation(nullptr), -1);
    EXPECT_TRUE(shader.inputExists("inNormal"));
    EXPECT_EQ(shader.findInputLocation("inNormal"), 3);
    EXPECT_EQ(shader.findInputLocation("inNothing"), 0);

    float m[16] = {};
    shader.sendMatrix4x4("projMat", m); // undeclared: dropped without a word
    shader.sendFloat("ratio", 0.5f);
    ASSERT_EQ(recorder().sends().size(), 1u);
    EXPECT_EQ(recorder().sends("ratio")[0].values, std::vector<float>{0.5f});

    Shader other;
    other.bind(); // unbinds the first
    EXPECT_EQ(recorder().events(RecordedEvent::shaderUnbind)[0].shader, &shader);
    EXPECT_EQ(Shader::bound, &other);
}

// The operations of Parts 2.104 and 2.105 that nothing in the shipped
// programs calls: single buffers in the index-buffer table, bound as one
// named input each; the program's id; a uniform id of 0.
TEST_F(Surface, SingleBuffersShareTheIndexTableAndBindAsOneInput) {
    Renderer& renderer = Renderer::renderer;
    unsigned short indices[3] = {0, 1, 2};
    EXPECT_EQ(renderer.createIndexBuffer(3, indices), 0u);
    EXPECT_EQ(renderer.createVertexBuffer(12), 1u);
    EXPECT_EQ(renderer.createUVBuffer(8), 2u);
    EXPECT_EQ(renderer.createBuffer(4), 3u);
    EXPECT_EQ(renderer.createIndexBuffer(6u), 4u);
    EXPECT_EQ(recorder().indexBufferCount(), 5u);
    EXPECT_EQ(recorder().indexBuffer(1).indices.size(), 0u); // no storage
    std::vector<RecordedEvent> made = recorder().events(RecordedEvent::createBuffer);
    ASSERT_EQ(made.size(), 4u);
    EXPECT_EQ(made[0].name, "vertex");
    EXPECT_EQ(made[3].name, "index");
    EXPECT_EQ(renderer.getUniformID(), 0u);

    Shader a, b;
    EXPECT_NE(a.programId(), 0u);
    EXPECT_NE(a.programId(), b.programId());
    a.setInput(Renderer::VERTEX_INPUT_POSITION3_UV2_COLOR3_NORMAL3, nullptr, 0);
    a.bind();
    a.bindVertices(1);
    a.bindUVs(2);
    a.bindBuffer(3, "inColor", 3);
    std::vector<RecordedEvent> binds = recorder().events(RecordedEvent::bindBuffer);
    ASSERT_EQ(binds.size(), 3u);
    EXPECT_EQ(binds[0].handle, 1u);
    EXPECT_EQ(binds[0].name, "inVertex");
    EXPECT_EQ(binds[0].count, 3);
    EXPECT_EQ(binds[1].name, "inTexCoord");
    EXPECT_EQ(binds[1].count, 2);
    EXPECT_EQ(binds[2].name, "inColor");
    EXPECT_TRUE(recorder().faults().empty()) << recorder().dump();
    a.bindBuffer(99, "inColor", 3);
    EXPECT_EQ(recorder().faults().size(), 1u);
}

TEST_F(Surface, ShaderFilesAreReadWholeOrReported) {
    std::string path = writeTestFile("shaders/basic.vert", "void main() {}\n");
    EXPECT_EQ(Shader::loadShader(path), "void main() {}\n");
    testing::internal::CaptureStderr();
    EXPECT_EQ(Shader::loadShader("no/such/shader.frag"), "");
    EXPECT_EQ(testing::internal::GetCapturedStderr(),
              "Could not load shader: no/such/shader.frag\n");
}

TEST_F(Surface, TextureFileKindsAndLoads) {
    EXPECT_EQ(Texture::fileKindOf("data/wall.bmp"), Texture::fileBMP);
    EXPECT_EQ(Texture::fileKindOf("data/a.png"), Texture::filePNG);
    EXPECT_EQ(Texture::fileKindOf("data/wall.BMP"), Texture::fileGlyphAtlas);
    EXPECT_EQ(Texture::fileKindOf("data/font.bmp.fnt"), Texture::fileGlyphAtlas);
    EXPECT_EQ(Texture::fileKindOf(".bm"), Texture::fileGlyphAtlas);
    EXPECT_EQ(Texture::fileKindOf(nullptr), Texture::fileGlyphAtlas);

    std::string bmp = writeTestFile("tex.bmp", makeBMP24(2, 1, {1, 2, 3, 4, 5, 6}));
    std::string atlasPath = writeTestFile("tex.fnt", makeBMP24(1, 1, {7, 8, 9}));
    Texture t(bmp.c_str());
    EXPECT_EQ(t.getWidth(), 2);
    ASSERT_NE(t.getPixels(), nullptr);
    t.load(atlasPath.c_str()); // the first pixels are freed, not leaked
    EXPECT_EQ(t.getWidth(), 1);
    EXPECT_EQ(t.getPixels()[3], 9);
    t.loadToGPU();
    EXPECT_EQ(recorder().events(RecordedEvent::textureUpload)[0].bytes,
              (std::vector<unsigned char>{7, 8, 9, 9}));
    testing::internal::CaptureStderr();
    t.load("no/such/image.png");
    testing::internal::GetCapturedStderr();
    EXPECT_EQ(t.getPixels(), nullptr);
    EXPECT_EQ(t.getWidth(), 0);
    t.deletePixels();
    t.deletePixels();
}

// What the shared code lets through to every back end.

// A send to a shader that is not bound reaches its back end (Direct3D 12 keeps
// it in that shader's block; OpenGL drops it), and game code that relies on
// either shows up as a fault.
TEST_F(Surface, ASendToAShaderThatIsNotBoundReachesItsBackEndAsAFault) {
    Shader::UniformLayout table[] = {{"ratio", 0, 1}};
    Shader bound, other;
    bound.setInput(Renderer::VERTEX_INPUT_POSITION3_UV2_COLOR3_NORMAL3, table, 1);
    other.setInput(Renderer::VERTEX_INPUT_POSITION3_UV2_COLOR3_NORMAL3, table, 1);
    bound.bind();
    other.sendFloat("ratio", 1.0f);
    bound.sendFloat("ratio", 0.5f);
    std::vector<RecordedEvent> sends = recorder().sends();
    ASSERT_EQ(sends.size(), 2u);
    EXPECT_EQ(sends[0].shader, &other);
    EXPECT_EQ(sends[1].shader, &bound);
    EXPECT_EQ(recorder().faults(),
              std::vector<std::string>{"send of ratio to a shader that is not bound"});
}

// OpenGL binds per unit: a second texture sampled on unit 1 must get there
// even when it is the one bound on unit 0. Direct3D 12 has one texture table
// whatever the unit, so there a repeat is skipped on any unit.
TEST_F(Surface, ABindIsSkippedWhenTheTextureIsBoundAlready) {
    for (bool openGL : {true, false}) {
        recorder().reset();
        recorder().openGLTextures = openGL;
        Texture a;
        a.bind(0);
        a.bind(1);
        a.bind(1);
        std::vector<RecordedEvent> binds = recorder().textureBinds();
        ASSERT_EQ(binds.size(), openGL ? 2u : 1u) << recorder().dump();
        EXPECT_EQ(binds.back().count, openGL ? 1 : 0);
    }
}

// The OpenGL upload leaves the new texture on the active unit, so the texture
// bound before must really be bound again (smoothing it would otherwise change
// the one just uploaded); the Direct3D 12 upload binds nothing. On both, a release, or an
// upload of the bound texture itself (drawn with the placeholder until then),
// changes what its bind would set.
TEST_F(Surface, UploadsAndReleasesForgetWhatTheyChange) {
    using K = RecordedEvent;
    for (bool openGL : {true, false}) {
        recorder().reset();
        recorder().openGLTextures = openGL;
        Texture a, b;
        a.bind(0);
        b.loadToGPU();
        a.bind(0);
        a.unloadFromGPU();
        a.bind(0);
        a.loadToGPU();
        a.bind(0);
        std::vector<RecordedEvent::Kind> kinds;
        for (const RecordedEvent& e : recorder().events())
            kinds.push_back(e.kind);
        std::vector<RecordedEvent::Kind> expected = {
            K::textureBind, K::textureUpload, K::textureBind, K::textureUnload,
            K::textureBind, K::textureUpload, K::textureBind};
        if (!openGL)
            expected.erase(expected.begin() + 2);
        EXPECT_EQ(kinds, expected) << recorder().dump();
    }
}

} // namespace
