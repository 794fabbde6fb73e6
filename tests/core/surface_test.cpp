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

    Texture a;
    a.bind(0);
    a.bind(1); // already bound: skipped, whatever the unit
    EXPECT_EQ(recorder().textureBinds().size(), 1u);
}

} // namespace
