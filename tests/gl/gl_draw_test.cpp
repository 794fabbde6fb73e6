// Textured sprites drawn for real: the game's quad mesh and basic shader under
// the flat screen's orthographic camera, read back pixel by pixel. The last
// test keeps a screenshot of the scene in the build folder.
#include <cstdlib>
#include <string>
#include <vector>

#include "Object3D.h"
#include "ObjectApp.h"
#include "Renderer/Shader.h"
#include "Texture.h"
#include "World.h"
#include "gl_checker.h"
#include "gl_test_window.h"

// The fallback run keeps its own picture.
#ifndef SCENE_SCREENSHOT
#define SCENE_SCREENSHOT "gl-test-scene.png"
#endif

namespace {

struct Rgb {
    int r, g, b;
};
const Rgb red = {255, 0, 0}, green = {0, 255, 0}, blue = {0, 0, 255}, yellow = {255, 255, 0},
          white = {255, 255, 255}, black = {0, 0, 0};

testing::AssertionResult pixelIs(int x, int y, Rgb expected, int tolerance = 2) {
    unsigned char p[4] = {};
    glReadPixels(x, y, 1, 1, GL_RGBA, GL_UNSIGNED_BYTE, p);
    if (std::abs(p[0] - expected.r) <= tolerance && std::abs(p[1] - expected.g) <= tolerance &&
        std::abs(p[2] - expected.b) <= tolerance)
        return testing::AssertionSuccess();
    return testing::AssertionFailure()
           << "pixel (" << x << ", " << y << ") is " << int(p[0]) << " " << int(p[1]) << " "
           << int(p[2]) << ", expected " << expected.r << " " << expected.g << " " << expected.b;
}

// A sprite's four texels (bottom left, bottom right, top left, top right),
// sampled at the centres of its quarters.
struct Texels {
    Rgb colour[4];
};
const Texels checker = {{red, green, blue, yellow}};

void expectTexels(int x, int y, const Texels& texels, int tolerance = 2) {
    EXPECT_TRUE(pixelIs(x + 50, y + 50, texels.colour[0], tolerance));
    EXPECT_TRUE(pixelIs(x + 150, y + 50, texels.colour[1], tolerance));
    EXPECT_TRUE(pixelIs(x + 50, y + 150, texels.colour[2], tolerance));
    EXPECT_TRUE(pixelIs(x + 150, y + 150, texels.colour[3], tolerance));
}

const int size = 200;
const int top = 460, bottom = 100;
const int column[] = {40, 280, 520, 760, 1000};

class GLDraw : public testing::Test {
protected:
    World gui;
    Shader shader;
    Object3D quad, tinted, doubleUV;
    Texture nearest, smooth, png, wrap[4];

    void SetUp() override {
        REQUIRE_TEST_WINDOW();
        gui.orthographicProjection(0, 1280, 0, 720, -2, 10);
        Shader::UniformLayout uniforms[] = {{"mvMat", 0, 16}, {"projMat", 0, 16}};
        ASSERT_TRUE(shader.load("data/shaders/basic-fixed"));
        shader.setInput(Renderer::VERTEX_INPUT_POSITION3_UV2_COLOR3_NORMAL3, uniforms, 2);
        ASSERT_TRUE(shader.compile());

        ASSERT_TRUE(quad.load("data/quad.json"));
        ASSERT_TRUE(tinted.load("data/quad.json"));
        ASSERT_TRUE(doubleUV.load("data/quad.json"));
        for (int i = 0; i < 4; i++) {
            tinted.setColor(i, 1.0f, 0.5f, 0.0f);
            doubleUV.setTexCoords(i, 2 * doubleUV.m_texCoords[2 * i],
                                  2 * doubleUV.m_texCoords[2 * i + 1]);
        }
        quad.genBuffers();
        tinted.genBuffers();
        doubleUV.genBuffers();

        std::string bmpPath = checkerBMP("gl-draw.bmp");
        upload(nearest, bmpPath, false);
        upload(smooth, bmpPath, true);
        upload(png, checkerPNG("gl-draw.png"), false);
        for (int mode = 0; mode < 4; mode++) {
            upload(wrap[mode], bmpPath, false);
            wrap[mode].setWrapMode(Texture::TextureRepeatMode(mode));
        }
        drawScene();
    }

    void TearDown() override {
        for (Texture* texture : {&nearest, &smooth, &png, &wrap[0], &wrap[1], &wrap[2], &wrap[3]})
            texture->unloadFromGPU();
    }

    static void upload(Texture& texture, const std::string& path, bool smoothed) {
        texture.load(path.c_str());
        texture.loadToGPU();
        texture.smooth(smoothed);
        texture.deletePixels();
    }

    void sprite(Object3D& mesh, Texture& texture, float x, float y, float width = size) {
        ObjectApp app(x, y, 1, &mesh, &texture);
        app.setScale(width, size, 1);
        app.render(gui.mvMat);
    }

    // Top row: nearest, smoothed, PNG, tinted by the vertex colour, and a
    // mirrored sprite, which shows its back face and is culled. Bottom row:
    // texture coordinates 0 to 2 in the four wrap modes.
    void drawScene() {
        Renderer::renderer.clear();
        shader.bind();
        shader.sendMatrix4x4("projMat", gui.projMat);
        sprite(quad, nearest, column[0], top);
        sprite(quad, smooth, column[1], top);
        sprite(quad, png, column[2], top);
        sprite(tinted, nearest, column[3], top);
        sprite(quad, nearest, column[4] + size, top, -size);
        for (int mode = 0; mode < 4; mode++)
            sprite(doubleUV, wrap[mode], column[mode], bottom);
    }
};

TEST_F(GLDraw, ASpriteCoversExactlyItsPixels) {
    int x = column[0], y = top;
    expectTexels(x, y, checker);
    EXPECT_TRUE(pixelIs(x, y, red));
    EXPECT_TRUE(pixelIs(x + size - 1, y + size - 1, yellow));
    EXPECT_TRUE(pixelIs(x - 1, y, white));
    EXPECT_TRUE(pixelIs(x, y - 1, white));
    EXPECT_TRUE(pixelIs(x + size, y + size - 1, white));
    EXPECT_TRUE(pixelIs(x + size - 1, y + size, white));
    // The mirrored sprite is culled.
    EXPECT_TRUE(pixelIs(column[4] + 50, top + 50, white));
    EXPECT_TRUE(pixelIs(column[4] + 150, top + 150, white));
}

TEST_F(GLDraw, HandlesThatNameNoBufferDrawNothing) {
    Renderer::renderer.clear();
    shader.bindVertexInput(-1);
    shader.drawIndexed(-1, 6);
    shader.bindVertexInput(quad.vertexBufferHandle + 100);
    shader.drawIndexed(quad.indexBufferHandle + 100, 6);
    // A deleted mesh keeps its handles but no buffers.
    unsigned int vertices = quad.vertexBufferHandle, indices = quad.indexBufferHandle;
    quad.deleteBuffers();
    shader.bindVertexInput(vertices);
    shader.drawIndexed(indices, 6);
    EXPECT_TRUE(pixelIs(column[0] + 50, top + 50, white));
}

TEST_F(GLDraw, SmoothingBlendsNeighbouringTexels) {
    // Near texel centres both look alike...
    expectTexels(column[1], top, checker, 6);
    // ...but between them nearest picks one texel and linear mixes all four.
    EXPECT_TRUE(pixelIs(column[0] + size / 2, top + size / 2, yellow));
    EXPECT_TRUE(pixelIs(column[1] + size / 2, top + size / 2, {128, 128, 64}, 6));
}

TEST_F(GLDraw, WrapModesShowBeyondTheUnitSquare) {
    // Quarters of the unit square are 50 pixels wide here; sample the bottom
    // texel row at u = 0.25, 0.75, 1.25 and 1.75.
    struct {
        Texture::TextureRepeatMode mode;
        Rgb beyond[2];
    } modes[] = {
        {Texture::mirroredRepeat, {green, red}},
        {Texture::repeat, {red, green}},
        {Texture::clampToEdge, {green, green}},
        // Black border: an RGB texture has no alpha to make it transparent.
        {Texture::clampToBorder, {black, black}},
    };
    for (const auto& m : modes) {
        int x = column[m.mode], y = bottom + 25;
        SCOPED_TRACE(m.mode);
        EXPECT_TRUE(pixelIs(x + 25, y, red));
        EXPECT_TRUE(pixelIs(x + 75, y, green));
        EXPECT_TRUE(pixelIs(x + 125, y, m.beyond[0]));
        EXPECT_TRUE(pixelIs(x + 175, y, m.beyond[1]));
    }
}

TEST_F(GLDraw, BmpAndPngShowTheSameImageAndVertexColoursTint) {
    std::vector<unsigned char> fromBMP(size * size * 4), fromPNG(size * size * 4);
    glReadPixels(column[0], top, size, size, GL_RGBA, GL_UNSIGNED_BYTE, fromBMP.data());
    glReadPixels(column[2], top, size, size, GL_RGBA, GL_UNSIGNED_BYTE, fromPNG.data());
    EXPECT_TRUE(fromBMP == fromPNG);
    expectTexels(column[2], top, checker);
    // Colour (1, 0.5, 0) times each texel.
    expectTexels(column[3], top, {{red, {0, 128, 0}, black, {255, 128, 0}}});
}

TEST_F(GLDraw, SavesAScreenshotOfTheScene) {
    // Above the windows of tests that run beside this one on the same display.
    SetWindowPos(testWindow()->m_hwnd, HWND_TOPMOST, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE);
    testWindow()->swapBuffers();
    glFinish();
    std::string path = std::string(PELLAN_BUILD_DIR) + "/" SCENE_SCREENSHOT;
    EXPECT_TRUE(saveScreenshot(path)) << path;
}

} // namespace
