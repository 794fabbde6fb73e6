// Textures on the real driver: upload by file kind, the bind cache, filters
// and wrap modes, and the placeholder for a texture without pixels.
#include <string>
#include <vector>

#include "Renderer/PC/Windows/GLPlatform.h"
#include "gl_checker.h"
#include "gl_test_window.h"
#include "support/TestFiles.h"

namespace {

typedef void(APIENTRY* GetUniformivProc)(GLuint, GLint, GLint*);

GLuint boundName(int unit) {
    glActiveTexture(GL_TEXTURE0 + unit);
    GLuint name = getInteger(GL_TEXTURE_BINDING_2D);
    glActiveTexture(GL_TEXTURE0);
    return name;
}

GLint parameter(Texture& texture, GLenum name) {
    glBindTexture(GL_TEXTURE_2D, texture.data->textureID);
    GLint value = 0;
    glGetTexParameteriv(GL_TEXTURE_2D, name, &value);
    glBindTexture(GL_TEXTURE_2D, Texture::bound ? Texture::bound->data->textureID : 0);
    return value;
}

std::vector<unsigned char> uploadedRGBA(Texture& texture) {
    std::vector<unsigned char> pixels(texture.getWidth() * texture.getHeight() * 4);
    glBindTexture(GL_TEXTURE_2D, texture.data->textureID);
    glGetTexImage(GL_TEXTURE_2D, 0, GL_RGBA, GL_UNSIGNED_BYTE, pixels.data());
    return pixels;
}

TEST(GLTextureUpload, BmpPngAndGlyphAtlasUploadTheSamePicture) {
    REQUIRE_TEST_WINDOW();
    Texture bmp, png, atlas;
    bmp.load(checkerBMP("gl-checker.bmp").c_str());
    png.load(checkerPNG("gl-checker.png").c_str());
    atlas.load(checkerBMP("gl-checker.bmp.fnt").c_str());
    for (Texture* texture : {&bmp, &png, &atlas}) {
        ASSERT_NE(texture->getPixels(), nullptr);
        texture->loadToGPU();
        // Uploaded and left bound, though not recorded as bound; smoothed and
        // mirrored.
        EXPECT_EQ(Texture::bound, nullptr);
        EXPECT_EQ(boundName(0), texture->data->textureID);
        EXPECT_EQ(parameter(*texture, GL_TEXTURE_MAG_FILTER), GL_LINEAR);
        EXPECT_EQ(parameter(*texture, GL_TEXTURE_MIN_FILTER), GL_LINEAR);
        EXPECT_EQ(parameter(*texture, GL_TEXTURE_WRAP_S), GL_MIRRORED_REPEAT);
        EXPECT_EQ(parameter(*texture, GL_TEXTURE_WRAP_T), GL_MIRRORED_REPEAT);
    }
    EXPECT_EQ(uploadedRGBA(bmp), checkerRGBA());
    EXPECT_EQ(uploadedRGBA(png), checkerRGBA());
    // The glyph atlas takes its alpha from red.
    std::vector<unsigned char> glyphs = checkerRGBA();
    for (size_t i = 0; i < glyphs.size(); i += 4)
        glyphs[i + 3] = glyphs[i];
    EXPECT_EQ(uploadedRGBA(atlas), glyphs);
}

TEST(GLTextureBind, TheCacheFollowsUploadsUnitsAndUnloads) {
    REQUIRE_TEST_WINDOW();
    std::string path = checkerBMP("gl-bind.bmp");
    Texture a(path.c_str()), b(path.c_str());
    a.loadToGPU();
    // b's upload left b bound, so binding a really binds it and smoothing a
    // changes both of a's filters, not b's.
    a.bind(0);
    b.loadToGPU();
    a.smooth(false);
    EXPECT_EQ(boundName(0), a.data->textureID);
    EXPECT_EQ(parameter(a, GL_TEXTURE_MAG_FILTER), GL_NEAREST);
    EXPECT_EQ(parameter(a, GL_TEXTURE_MIN_FILTER), GL_NEAREST);
    EXPECT_EQ(parameter(b, GL_TEXTURE_MAG_FILTER), GL_LINEAR);
    EXPECT_EQ(parameter(b, GL_TEXTURE_MIN_FILTER), GL_LINEAR);

    // The same texture on another unit is a new bind; unit 0 stays active.
    a.bind(1);
    EXPECT_EQ(boundName(1), a.data->textureID);
    EXPECT_EQ(getInteger(GL_ACTIVE_TEXTURE), GL_TEXTURE0);
    b.bind(0);
    a.bind(0);
    EXPECT_EQ(boundName(0), a.data->textureID);

    GLuint name = a.data->textureID;
    a.unloadFromGPU();
    EXPECT_EQ(Texture::bound, nullptr);
    EXPECT_FALSE(glIsTexture(name));
    {
        Texture c(path.c_str());
        c.loadToGPU();
        c.bind(0);
        EXPECT_EQ(Texture::bound, &c);
    }
    EXPECT_EQ(Texture::bound, nullptr);
    b.bind(0);
    EXPECT_EQ(boundName(0), b.data->textureID);
    b.unloadFromGPU();
}

TEST(GLTextureBind, ASecondUnitIsSampledThroughTexture1) {
    REQUIRE_TEST_WINDOW();
    std::string shaderPath = writeTestFile("gl-two-textures.vert", "#version 120\n"
                                                                   "attribute vec3 inVertex;\n"
                                                                   "void main() { gl_Position = "
                                                                   "vec4(inVertex, 1.0); }\n");
    writeTestFile("gl-two-textures.frag",
                  "#version 120\n"
                  "uniform sampler2D texture0;\n"
                  "uniform sampler2D texture1;\n"
                  "void main() { gl_FragColor = texture2D(texture0, vec2(0.5)) + "
                  "texture2D(texture1, vec2(0.5)); }\n");
    Shader shader;
    ASSERT_TRUE(shader.load(shaderPath.substr(0, shaderPath.size() - 5)));
    shader.setInput(Renderer::VERTEX_INPUT_POSITION3_UV2_COLOR3_NORMAL3, nullptr, 0);
    ASSERT_TRUE(shader.compile());
    shader.bind();
    Texture texture(checkerBMP("gl-second.bmp").c_str());
    texture.loadToGPU();
    texture.bind(1);

    GetUniformivProc getUniform = testEntryPoint<GetUniformivProc>("glGetUniformiv");
    GLuint program = shader.data->glslProgram;
    GLint unit = -1;
    getUniform(program, glGetUniformLocation(program, "texture1"), &unit);
    EXPECT_EQ(unit, 1);
    getUniform(program, glGetUniformLocation(program, "texture0"), &unit);
    EXPECT_EQ(unit, 0);
    texture.unloadFromGPU();
}

// Each call sets both filters or both axes of the texture it names, over
// whatever was set before, and leaves the others' alone; an unknown mode
// still binds but changes nothing. The drawing test shows the modes.
TEST(GLTextureModes, SmoothAndWrapSetBothFiltersOrBothAxes) {
    REQUIRE_TEST_WINDOW();
    std::string path = checkerBMP("gl-modes.bmp");
    Texture texture(path.c_str()), other(path.c_str());
    texture.loadToGPU();
    other.loadToGPU();
    const struct {
        Texture::TextureRepeatMode mode;
        GLint wrap;
    } modes[] = {{Texture::repeat, GL_REPEAT},
                 {Texture::clampToEdge, GL_CLAMP_TO_EDGE},
                 {Texture::clampToBorder, GL_CLAMP_TO_BORDER},
                 {Texture::mirroredRepeat, GL_MIRRORED_REPEAT}};
    for (const auto& m : modes) {
        for (bool on : {false, true}) {
            SCOPED_TRACE(std::to_string(m.mode) + (on ? " smoothed" : " nearest"));
            texture.smooth(!on);
            texture.setWrapMode(m.mode);
            texture.smooth(on);
            GLint filter = on ? GL_LINEAR : GL_NEAREST;
            EXPECT_EQ(parameter(texture, GL_TEXTURE_MAG_FILTER), filter);
            EXPECT_EQ(parameter(texture, GL_TEXTURE_MIN_FILTER), filter);
            EXPECT_EQ(parameter(texture, GL_TEXTURE_WRAP_S), m.wrap);
            EXPECT_EQ(parameter(texture, GL_TEXTURE_WRAP_T), m.wrap);
            EXPECT_EQ(parameter(other, GL_TEXTURE_MIN_FILTER), GL_LINEAR);
            EXPECT_EQ(parameter(other, GL_TEXTURE_WRAP_S), GL_MIRRORED_REPEAT);
        }
    }

    texture.setWrapMode(Texture::repeat);
    other.bind(0);
    texture.setWrapMode(Texture::TextureRepeatMode(7));
    EXPECT_EQ(boundName(0), texture.data->textureID);
    EXPECT_EQ(parameter(texture, GL_TEXTURE_WRAP_S), GL_REPEAT);
    EXPECT_EQ(parameter(texture, GL_TEXTURE_WRAP_T), GL_REPEAT);
    texture.unloadFromGPU();
    other.unloadFromGPU();
}

TEST(GLTextureUpload, NoPixelsGiveOneLineAndAOnePixelPlaceholder) {
    REQUIRE_TEST_WINDOW();
    Texture empty;
    EXPECT_EQ(empty.getPixels(), nullptr);
    EXPECT_EQ(empty.getWidth(), 0);
    EXPECT_EQ(empty.getHeight(), 0);
    EXPECT_EQ(empty.data->textureID, 0u);

    Texture missing;
    testing::internal::CaptureStderr();
    missing.load("build/no-such-picture.png");
    std::string loadLine = testing::internal::GetCapturedStderr();
    testing::internal::CaptureStderr();
    missing.loadToGPU();
    std::string uploadLine = testing::internal::GetCapturedStderr();
    EXPECT_EQ(uploadLine, "Texture without pixels (0 x 0): uploading a 1x1 white placeholder\n")
        << loadLine;
    GLint width = 0, height = 0;
    glGetTexLevelParameteriv(GL_TEXTURE_2D, 0, GL_TEXTURE_WIDTH, &width);
    glGetTexLevelParameteriv(GL_TEXTURE_2D, 0, GL_TEXTURE_HEIGHT, &height);
    EXPECT_EQ(width, 1);
    EXPECT_EQ(height, 1);

    // Pixels with a zero size are not read either.
    Texture zero;
    zero.pixels = new unsigned char[4]();
    zero.height = 3;
    testing::internal::CaptureStderr();
    zero.loadToGPU();
    EXPECT_EQ(testing::internal::GetCapturedStderr(),
              "Texture without pixels (0 x 3): uploading a 1x1 white placeholder\n");
    glGetTexLevelParameteriv(GL_TEXTURE_2D, 0, GL_TEXTURE_WIDTH, &width);
    EXPECT_EQ(width, 1);
    missing.unloadFromGPU();
    zero.unloadFromGPU();
}

} // namespace
