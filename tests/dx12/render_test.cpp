// The Direct3D 12 renderer for real: a window, the device, the game's HLSL
// shader, textured quads, and the back buffer read back after each frame.
#include <gtest/gtest.h>

#include <cstdlib>
#include <cstring>
#include <memory>
#include <string>
#include <vector>

#include "Input/PC/InputManager.h"
#include "Renderer/PC/DX12/DX12Platform.h"
#include "Renderer/PC/DX12/DX12Window.h"
#include "World.h"
#include "support/ImageFiles.h"
#include "support/TestFiles.h"

namespace {

const int screenWidth = 1280;
const int screenHeight = 720;

struct Rgba {
    int r, g, b, a;
};

std::ostream& operator<<(std::ostream& out, const Rgba& c) {
    return out << "(" << c.r << ", " << c.g << ", " << c.b << ", " << c.a << ")";
}

bool closeTo(const Rgba& c, int r, int g, int b, int a, int tolerance = 2) {
    return std::abs(c.r - r) <= tolerance && std::abs(c.g - g) <= tolerance &&
           std::abs(c.b - b) <= tolerance && std::abs(c.a - a) <= tolerance;
}

#define EXPECT_PIXEL(shot, x, y, r, g, b, a)                                                       \
    EXPECT_TRUE(closeTo(shot.at(x, y), r, g, b, a))                                                \
        << "at " << (x) << ", " << (y) << ": " << shot.at(x, y)

// A read-back frame; at(x, y) counts y from the bottom, like the game.
struct Shot {
    int width = 0;
    int height = 0;
    std::vector<unsigned char> rgba; // top row first
    Rgba at(int x, int y) const {
        const unsigned char* p = &rgba[(std::size_t(height - 1 - y) * width + x) * 4];
        return {p[0], p[1], p[2], p[3]};
    }
};

DX12Window* window = nullptr;
Shader* basic = nullptr;
World screen;

bool startRenderer() {
    window = new DX12Window(GetModuleHandleW(nullptr));
    if (!window->create())
        return false;
    window->processEvents();
    Renderer::renderer.window = window;
    Renderer::renderer.viewPort(0, 0, screenWidth, screenHeight);
    if (!Renderer::renderer.init())
        return false;
    basic = new Shader;
    basic->load("data/shaders/basic-fixed");
    Shader::UniformLayout uniforms[] = {{"mvMat", 0, 16}, {"projMat", 0, 16}};
    basic->setInput(Renderer::VERTEX_INPUT_POSITION3_UV2_COLOR3_NORMAL3, uniforms, 2);
    if (!basic->createPipelineState())
        return false;
    screen.loadIdentityModelView();
    screen.loadIdentityProjection();
    screen.orthographicProjection(0, screenWidth, 0, screenHeight, -2, 10);
    return true;
}

bool rendererReady() {
    static bool ready = startRenderer();
    return ready;
}

// Under CI a renderer that cannot start is a failure, elsewhere a skip.
#define REQUIRE_RENDERER()                                                                         \
    do {                                                                                           \
        if (!rendererReady()) {                                                                    \
            const char* ci = std::getenv("CI");                                                    \
            if (ci && std::string(ci) == "true")                                                   \
                FAIL() << "no Direct3D 12 device or window";                                       \
            GTEST_SKIP() << "no Direct3D 12 device or window";                                     \
        }                                                                                          \
    } while (0)

// A unit quad from (0, 0) to (1, 1), counter-clockwise, in one colour.
struct Quad {
    unsigned int vertexInput;
    unsigned int indexBuffer;
};

Quad makeQuad(float r, float g, float b, bool clockwise = false) {
    float positions[12] = {0, 0, 0, 1, 0, 0, 1, 1, 0, 0, 1, 0};
    float uvs[8] = {0, 0, 1, 0, 1, 1, 0, 1};
    float colours[12] = {r, g, b, r, g, b, r, g, b, r, g, b};
    float normals[12] = {0, 0, 1, 0, 0, 1, 0, 0, 1, 0, 0, 1};
    float* inputs[4] = {positions, uvs, colours, normals};
    unsigned char sizes[4] = {3, 2, 3, 3};
    unsigned short ccw[6] = {0, 1, 2, 0, 2, 3};
    unsigned short cw[6] = {0, 2, 1, 0, 3, 2};
    Quad quad;
    quad.vertexInput = Renderer::renderer.createVertexInputBuffer(4, sizes, inputs, 4);
    quad.indexBuffer = Renderer::renderer.createIndexBuffer(6, clockwise ? cw : ccw);
    return quad;
}

const Quad& whiteQuad() {
    static Quad quad = makeQuad(1, 1, 1);
    return quad;
}

// A texture from width x height red, green, blue, alpha texels, bottom row first.
void fillTexture(Texture& texture, int width, int height, const std::vector<unsigned char>& rgba) {
    texture.pixels = new unsigned char[rgba.size()];
    std::memcpy(texture.pixels, rgba.data(), rgba.size());
    texture.width = (unsigned short)width;
    texture.height = (unsigned short)height;
    texture.loadToGPU();
    texture.deletePixels();
}

// Sends the sprite matrices of a w x h rectangle at (x, y, z) and draws quad.
void drawSprite(Shader& shader, const Quad& quad, float x, float y, float w, float h,
                float z = 1.0f) {
    float mv[16] = {w, 0, 0, 0, 0, h, 0, 0, 0, 0, 1, 0, x, y, z, 1};
    shader.sendMatrix4x4("mvMat", mv);
    shader.sendMatrix4x4("projMat", screen.getProjMat());
    shader.bindVertexInput(int(quad.vertexInput));
    shader.drawIndexed(int(quad.indexBuffer), 6);
}

// One frame: the caller's draws between beginFrame and endFrame, then the
// back buffer as it was before presenting.
template <class Draw> Shot drawFrame(Draw draw) {
    Renderer::PlatformData& d = dx12();
    Renderer::renderer.beginFrame();
    draw();

    ID3D12Resource* target = d.renderTargets[d.frameIndex];
    D3D12_RESOURCE_DESC desc;
    target->GetDesc(&desc);
    D3D12_PLACED_SUBRESOURCE_FOOTPRINT layout;
    UINT64 total = 0;
    d.device->GetCopyableFootprints(&desc, 0, 1, 0, &layout, nullptr, nullptr, &total);
    CD3DX12_HEAP_PROPERTIES heap(D3D12_HEAP_TYPE_READBACK);
    CD3DX12_RESOURCE_DESC bufferDesc = CD3DX12_RESOURCE_DESC::Buffer(total);
    ID3D12Resource* readback = nullptr;
    d.device->CreateCommittedResource(&heap, D3D12_HEAP_FLAG_NONE, &bufferDesc,
                                      D3D12_RESOURCE_STATE_COPY_DEST, nullptr,
                                      IID_PPV_ARGS(&readback));
    CD3DX12_RESOURCE_BARRIER toCopy = CD3DX12_RESOURCE_BARRIER::Transition(
        target, D3D12_RESOURCE_STATE_RENDER_TARGET, D3D12_RESOURCE_STATE_COPY_SOURCE);
    d.drawList->ResourceBarrier(1, &toCopy);
    CD3DX12_TEXTURE_COPY_LOCATION from(target, 0);
    CD3DX12_TEXTURE_COPY_LOCATION to(readback, layout);
    d.drawList->CopyTextureRegion(&to, 0, 0, 0, &from, nullptr);
    CD3DX12_RESOURCE_BARRIER back = CD3DX12_RESOURCE_BARRIER::Transition(
        target, D3D12_RESOURCE_STATE_COPY_SOURCE, D3D12_RESOURCE_STATE_RENDER_TARGET);
    d.drawList->ResourceBarrier(1, &back);

    Renderer::renderer.endFrame();
    waitForGpu();
    window->processEvents();

    Shot shot;
    shot.width = int(desc.Width);
    shot.height = int(desc.Height);
    shot.rgba.resize(std::size_t(shot.width) * shot.height * 4);
    void* mapped = nullptr;
    readback->Map(0, nullptr, &mapped);
    for (int row = 0; row < shot.height; ++row)
        std::memcpy(&shot.rgba[std::size_t(row) * shot.width * 4],
                    static_cast<unsigned char*>(mapped) +
                        std::size_t(row) * layout.Footprint.RowPitch,
                    std::size_t(shot.width) * 4);
    readback->Unmap(0, nullptr);
    readback->Release();
    return shot;
}

// Texture, shader, clear: how the game starts each frame.
void startDrawing(Shader& shader, Texture& texture) {
    shader.bind();
    Renderer::renderer.clear();
    texture.bind(0);
}

Texture& whiteTexture() {
    static Texture* texture = nullptr;
    if (!texture) {
        texture = new Texture;
        fillTexture(*texture, 1, 1, {255, 255, 255, 255});
    }
    return *texture;
}

} // namespace

// The window's size messages, as the game would receive them.
static int resizeCount = 0;
static int resizedWidth = 0;
static int resizedHeight = 0;
void ClientWindowEventHandler::onResize(int width, int height) {
    ++resizeCount;
    resizedWidth = width;
    resizedHeight = height;
}

TEST(DX12Window, OpensDX12PellanWithA1280x720ClientArea) {
    REQUIRE_RENDERER();
    HWND hwnd = window->m_hwnd;
    wchar_t title[64] = {};
    GetWindowTextW(hwnd, title, 64);
    EXPECT_EQ(std::wstring(title), L"DX12 Pellan");
    wchar_t className[64] = {};
    GetClassNameW(hwnd, className, 64);
    EXPECT_EQ(std::wstring(className), L"DX12WindowClass");
    EXPECT_TRUE(IsWindowUnicode(hwnd));
    RECT client;
    GetClientRect(hwnd, &client);
    EXPECT_EQ(client.right, screenWidth);
    EXPECT_EQ(client.bottom, screenHeight);
    EXPECT_TRUE(window->m_isRunning);
    EXPECT_EQ(reinterpret_cast<DX12Window*>(GetWindowLongPtrW(hwnd, GWLP_USERDATA)), window);
}

TEST(DX12Window, MessagesReachTheGameThePauseAndTheMouse) {
    REQUIRE_RENDERER();
    HWND hwnd = window->m_hwnd;
    ClientWindowEventHandler handler;
    window->m_example = &handler;
    resizeCount = 0;
    SendMessageW(hwnd, WM_SIZE, SIZE_RESTORED, MAKELPARAM(640, 360));
    EXPECT_EQ(resizeCount, 1);
    EXPECT_EQ(resizedWidth, 640);
    EXPECT_EQ(resizedHeight, 360);
    // A minimised window's 0 x 0 does not reach the game.
    SendMessageW(hwnd, WM_SIZE, SIZE_MINIMIZED, MAKELPARAM(0, 0));
    EXPECT_EQ(resizeCount, 1);
    window->m_example = nullptr;

    ASSERT_TRUE(window->on);
    SendMessageW(hwnd, WM_KEYDOWN, VK_ESCAPE, 0x00010001);
    EXPECT_FALSE(window->on);
    SendMessageW(hwnd, WM_KEYDOWN, VK_ESCAPE, 0x40010001); // an auto-repeat
    EXPECT_TRUE(window->on);
    SendMessageW(hwnd, WM_KEYDOWN, VK_SPACE, 0x00390001);
    EXPECT_TRUE(window->on);

    // y counts from the bottom; a press prints the position.
    SendMessageW(hwnd, WM_MOUSEMOVE, 0, MAKELPARAM(100, 700));
    EXPECT_EQ(inputManager.mWritableMousePosition.x, 100.0f);
    EXPECT_EQ(inputManager.mWritableMousePosition.y, 21.0f);
    testing::internal::CaptureStdout();
    SendMessageW(hwnd, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(10, 0));
    EXPECT_EQ(testing::internal::GetCapturedStdout(), "10 721\n");
    EXPECT_TRUE(inputManager.mWritableMouseLeft);
    EXPECT_EQ(window->mousePosition[1], 721);
    EXPECT_EQ(GetCapture(), hwnd);
    SendMessageW(hwnd, WM_LBUTTONUP, 0, MAKELPARAM(10, 0));
    EXPECT_FALSE(inputManager.mWritableMouseLeft);
    EXPECT_EQ(GetCapture(), nullptr);
}

TEST(DX12Renderer, ResizingRemakesTheBuffersOnlyForANewNonZeroSize) {
    REQUIRE_RENDERER();
    Renderer::PlatformData& d = dx12();
    ID3D12Resource* before = d.renderTargets[0];
    Renderer::renderer.viewPort(0, 0, screenWidth, screenHeight);
    EXPECT_EQ(d.renderTargets[0], before); // same size: nothing to do
    Renderer::renderer.viewPort(0, 0, 0, 0);
    EXPECT_EQ(d.renderTargets[0], before); // minimised: nothing either

    // Wider only, then lower only, then both back: the right half of the
    // game's screen fills the right half of each new size.
    const int sizes[3][2] = {{1600, 720}, {1600, 360}, {screenWidth, screenHeight}};
    Quad red = makeQuad(1, 0, 0);
    for (const auto& size : sizes) {
        const int w = size[0], h = size[1];
        SCOPED_TRACE(std::to_string(w) + " x " + std::to_string(h));
        Renderer::renderer.viewPort(0, 0, w, h);
        D3D12_RESOURCE_DESC depth;
        d.depthBuffer->GetDesc(&depth);
        EXPECT_EQ(depth.Width, UINT64(w));
        EXPECT_EQ(depth.Height, UINT(h));
        Shot shot = drawFrame([&] {
            startDrawing(*basic, whiteTexture());
            drawSprite(*basic, red, 640, 0, 640, 720);
        });
        ASSERT_EQ(shot.width, w);
        ASSERT_EQ(shot.height, h);
        EXPECT_PIXEL(shot, w / 2 - 1, h / 2, 255, 255, 255, 0);
        EXPECT_PIXEL(shot, w / 2 + 1, h / 2, 255, 0, 0, 255);
        EXPECT_PIXEL(shot, w - 1, h - 1, 255, 0, 0, 255);
    }
}

TEST(DX12Renderer, StartsWithADeviceASwapChainAndClosedLists) {
    REQUIRE_RENDERER();
    Renderer::PlatformData& d = dx12();
    EXPECT_NE(d.device, nullptr);
    EXPECT_NE(d.swapChain, nullptr);
    EXPECT_NE(d.fence, nullptr);
    EXPECT_NE(d.event, nullptr);
    DXGI_SWAP_CHAIN_DESC1 desc;
    d.swapChain->GetDesc1(&desc);
    EXPECT_EQ(desc.Width, UINT(screenWidth));
    EXPECT_EQ(desc.Height, UINT(screenHeight));
    EXPECT_EQ(desc.BufferCount, 2u);
    EXPECT_EQ(desc.Format, DXGI_FORMAT_R8G8B8A8_UNORM);
    // The fence exists before any frame: waiting is safe at once.
    waitForGpu();
    // The draw list is closed until beginFrame.
    EXPECT_FALSE(d.recording);
    EXPECT_EQ(d.drawList->Close(), E_FAIL);
}

TEST(DX12Renderer, ClearsToWhiteWithAlphaZero) {
    REQUIRE_RENDERER();
    Shot shot = drawFrame([] {
        basic->bind();
        Renderer::renderer.clear();
    });
    ASSERT_EQ(shot.width, screenWidth);
    ASSERT_EQ(shot.height, screenHeight);
    EXPECT_PIXEL(shot, 0, 0, 255, 255, 255, 0);
    EXPECT_PIXEL(shot, 640, 360, 255, 255, 255, 0);
    EXPECT_PIXEL(shot, 1279, 719, 255, 255, 255, 0);
}

TEST(DX12Renderer, SpritesLandWhereTheGameMatricesPutThem) {
    REQUIRE_RENDERER();
    Quad red = makeQuad(1, 0, 0);
    Quad blue = makeQuad(0, 0, 1);
    Shot shot = drawFrame([&] {
        startDrawing(*basic, whiteTexture());
        Renderer::renderer.enableDepthMask(false);
        Renderer::renderer.enableDepthTest(false);
        drawSprite(*basic, red, 100, 50, 200, 100);    // x 100-299, y 50-149
        drawSprite(*basic, blue, 1000, 600, 280, 120); // the top right corner
        Renderer::renderer.enableDepthMask(true);
        Renderer::renderer.enableDepthTest(true);
    });
    EXPECT_PIXEL(shot, 100, 50, 255, 0, 0, 255);
    EXPECT_PIXEL(shot, 299, 149, 255, 0, 0, 255);
    EXPECT_PIXEL(shot, 99, 50, 255, 255, 255, 0);
    EXPECT_PIXEL(shot, 300, 100, 255, 255, 255, 0);
    EXPECT_PIXEL(shot, 200, 49, 255, 255, 255, 0);
    EXPECT_PIXEL(shot, 200, 150, 255, 255, 255, 0);
    EXPECT_PIXEL(shot, 1279, 719, 0, 0, 255, 255);
    EXPECT_PIXEL(shot, 1000, 600, 0, 0, 255, 255);
    EXPECT_PIXEL(shot, 999, 650, 255, 255, 255, 0);
}

TEST(DX12Renderer, BackFacesAreCulled) {
    REQUIRE_RENDERER();
    Quad clockwise = makeQuad(0, 1, 0, true);
    Shot shot = drawFrame([&] {
        startDrawing(*basic, whiteTexture());
        drawSprite(*basic, clockwise, 100, 100, 100, 100);
        drawSprite(*basic, whiteQuad(), 300, 100, 100, 100);
    });
    EXPECT_PIXEL(shot, 150, 150, 255, 255, 255, 0);
    EXPECT_PIXEL(shot, 350, 150, 255, 255, 255, 255);
}

TEST(DX12Renderer, TexelsAreTintedByTheVertexColour) {
    REQUIRE_RENDERER();
    Texture texture;
    // 2 x 2, bottom row first: red, green / blue, white.
    fillTexture(texture, 2, 2,
                {255, 0, 0, 255, 0, 255, 0, 255, 0, 0, 255, 255, 255, 255, 255, 255});
    texture.smooth(false);
    Quad tint = makeQuad(1, 0.5f, 1);
    Shot shot = drawFrame([&] {
        startDrawing(*basic, texture);
        drawSprite(*basic, whiteQuad(), 0, 0, 200, 200);
        drawSprite(*basic, tint, 300, 0, 200, 200);
    });
    EXPECT_PIXEL(shot, 50, 50, 255, 0, 0, 255);       // bottom left
    EXPECT_PIXEL(shot, 150, 50, 0, 255, 0, 255);      // bottom right
    EXPECT_PIXEL(shot, 50, 150, 0, 0, 255, 255);      // top left
    EXPECT_PIXEL(shot, 150, 150, 255, 255, 255, 255); // top right
    EXPECT_PIXEL(shot, 450, 50, 0, 128, 0, 255);
    EXPECT_PIXEL(shot, 450, 150, 255, 128, 255, 255);
}

TEST(DX12Renderer, BlendsBySourceAlpha) {
    REQUIRE_RENDERER();
    Texture half;
    fillTexture(half, 1, 1, {0, 0, 0, 128});
    Quad red = makeQuad(1, 0, 0);
    Shot shot = drawFrame([&] {
        startDrawing(*basic, whiteTexture());
        drawSprite(*basic, red, 0, 0, 100, 100);
        half.bind(0);
        drawSprite(*basic, whiteQuad(), 50, 0, 100, 100);
    });
    // Over red: half black on red; over the clear colour: half grey.
    EXPECT_PIXEL(shot, 75, 50, 127, 0, 0, 128);
    EXPECT_PIXEL(shot, 125, 50, 127, 127, 127, 128);
}

TEST(DX12Renderer, DepthSwitchChoosesBetweenTwoPipelineStates) {
    REQUIRE_RENDERER();
    Quad red = makeQuad(1, 0, 0);
    Quad green = makeQuad(0, 1, 0);
    Shot shot = drawFrame([&] {
        startDrawing(*basic, whiteTexture());
        // Left pair with depth: the nearer red (z 1, depth 0) hides the later green.
        drawSprite(*basic, red, 0, 0, 100, 100, 1.0f);
        drawSprite(*basic, green, 0, 0, 100, 100, 0.0f);
        // Right pair without depth: painter's order.
        Renderer::renderer.enableDepthMask(false);
        Renderer::renderer.enableDepthTest(false);
        drawSprite(*basic, red, 200, 0, 100, 100, 1.0f);
        drawSprite(*basic, green, 200, 0, 100, 100, 0.0f);
        // Binding while depth is off keeps it off.
        basic->bind();
        drawSprite(*basic, red, 400, 0, 100, 100, 1.0f);
        drawSprite(*basic, green, 400, 0, 100, 100, 0.0f);
        Renderer::renderer.enableDepthMask(true);
        Renderer::renderer.enableDepthTest(true);
    });
    EXPECT_PIXEL(shot, 50, 50, 255, 0, 0, 255);
    EXPECT_PIXEL(shot, 250, 50, 0, 255, 0, 255);
    EXPECT_PIXEL(shot, 450, 50, 0, 255, 0, 255);
}

TEST(DX12Renderer, EachDrawSeesTheUniformsSentBeforeIt) {
    REQUIRE_RENDERER();
    Quad red = makeQuad(1, 0, 0);
    Shot shot = drawFrame([&] {
        startDrawing(*basic, whiteTexture());
        // Two values before one draw: the second counts.
        float first[16] = {50, 0, 0, 0, 0, 50, 0, 0, 0, 0, 1, 0, 0, 0, 1, 1};
        basic->sendMatrix4x4("mvMat", first);
        drawSprite(*basic, red, 100, 0, 50, 50);
        // Two draws in a frame with their own positions.
        drawSprite(*basic, red, 200, 0, 50, 50);
        // A name the table lacks changes nothing.
        float junk[16] = {};
        basic->sendMatrix4x4("modelMat", junk);
        basic->sendFloat("lightDirection", 5.0f);
        basic->bindVertexInput(int(red.vertexInput));
        basic->drawIndexed(int(red.indexBuffer), 6); // again at 200
    });
    EXPECT_PIXEL(shot, 25, 25, 255, 255, 255, 0);
    EXPECT_PIXEL(shot, 125, 25, 255, 0, 0, 255);
    EXPECT_PIXEL(shot, 225, 25, 255, 0, 0, 255);
}

TEST(DX12Renderer, ATextureBoundLastFrameIsBoundAgainInTheNext) {
    REQUIRE_RENDERER();
    Texture green;
    fillTexture(green, 1, 1, {0, 255, 0, 255});
    green.smooth(false);
    for (int frame = 0; frame < 3; ++frame) {
        Shot shot = drawFrame([&] {
            // Each list starts with no tables: nothing counts as bound.
            EXPECT_EQ(Texture::bound, nullptr);
            EXPECT_EQ(dx12().boundSampler, -1);
            startDrawing(*basic, green);
            EXPECT_EQ(Texture::bound, &green);
            drawSprite(*basic, whiteQuad(), 0, 0, 100, 100);
        });
        EXPECT_PIXEL(shot, 50, 50, 0, 255, 0, 255) << "frame " << frame;
    }
}

TEST(DX12Renderer, TheFirstDrawOfEveryFrameUsesTheFirstConstantBlock) {
    REQUIRE_RENDERER();
    for (int frame = 0; frame < 2; ++frame) {
        drawFrame([&] {
            startDrawing(*basic, whiteTexture());
            drawSprite(*basic, whiteQuad(), 0, 0, 10, 10);
            EXPECT_EQ(basic->data->constantSlot, 256);
            drawSprite(*basic, whiteQuad(), 0, 0, 10, 10);
            EXPECT_EQ(basic->data->constantSlot, 257);
        });
    }
}

TEST(DX12Renderer, DrawsPastTheConstantBlockLimitAreSkipped) {
    REQUIRE_RENDERER();
    Quad red = makeQuad(1, 0, 0);
    testing::internal::CaptureStdout();
    Shot shot = drawFrame([&] {
        startDrawing(*basic, whiteTexture());
        for (int i = 0; i < constantSlotCount; ++i)
            drawSprite(*basic, whiteQuad(), 0, 0, 1, 1);
        drawSprite(*basic, red, 100, 100, 100, 100); // one too many
        drawSprite(*basic, red, 300, 100, 100, 100);
    });
    std::string out = testing::internal::GetCapturedStdout();
    EXPECT_EQ(out, "More than 7936 draws in one frame: the rest of the frame is not drawn\n");
    EXPECT_PIXEL(shot, 150, 150, 255, 255, 255, 0);
    EXPECT_PIXEL(shot, 350, 150, 255, 255, 255, 0);
    // The next frame has all its blocks again.
    shot = drawFrame([&] {
        startDrawing(*basic, whiteTexture());
        drawSprite(*basic, red, 100, 100, 100, 100);
    });
    EXPECT_PIXEL(shot, 150, 150, 255, 0, 0, 255);
}

TEST(DX12Renderer, NothingIsDrawnWithoutAShaderOrMesh) {
    REQUIRE_RENDERER();
    // An empty mesh gets handles but no buffers.
    unsigned char sizes[4] = {3, 2, 3, 3};
    float* none[4] = {nullptr, nullptr, nullptr, nullptr};
    unsigned int emptyVertices = Renderer::renderer.createVertexInputBuffer(0, sizes, none, 4);
    unsigned int emptyIndices = Renderer::renderer.createIndexBuffer(0, nullptr);
    EXPECT_EQ(dx12().vertexBuffers[emptyVertices], nullptr);
    EXPECT_EQ(dx12().indexBuffers[emptyIndices], nullptr);
    Quad red = makeQuad(1, 0, 0);
    EXPECT_EQ(red.vertexInput, emptyVertices + 1);
    EXPECT_EQ(red.indexBuffer, emptyIndices + 1);

    Shot shot = drawFrame([&] {
        startDrawing(*basic, whiteTexture());
        basic->bindVertexInput(int(emptyVertices));
        basic->drawIndexed(int(emptyIndices), 6);
        basic->bindVertexInput(int(red.vertexInput));
        basic->drawIndexed(int(emptyIndices), 6);
        basic->drawIndexed(int(Renderer::noBuffer), 6);
        basic->drawIndexed(12345, 6);
        // More indices than the buffer holds: only its own are drawn.
        drawSprite(*basic, red, 0, 0, 1, 1);
        basic->drawIndexed(int(red.indexBuffer), 600);
        // No bound shader: switches, binds and draws do nothing.
        Shader::bound = nullptr;
        Renderer::renderer.enableDepthTest(false);
        whiteTexture().bind(0);
        basic->drawIndexed(int(red.indexBuffer), 6);
        Renderer::renderer.enableDepthTest(true);
    });
    EXPECT_PIXEL(shot, 100, 100, 255, 255, 255, 0);
    EXPECT_PIXEL(shot, 0, 0, 255, 0, 0, 255);
}

TEST(DX12Shader, TheRoomTransitionShaderFadesByRatio) {
    REQUIRE_RENDERER();
    Shader fade;
    fade.load("data/shaders/room-transition");
    Shader::UniformLayout uniforms[] = {{"mvMat", 0, 16}, {"projMat", 0, 16}, {"ratio", 0, 1}};
    fade.setInput(Renderer::VERTEX_INPUT_POSITION3_UV2_COLOR3_NORMAL3, uniforms, 3);
    EXPECT_EQ(fade.findUniformLocation("ratio"), 32);
    ASSERT_TRUE(fade.compile());
    Quad red = makeQuad(1, 0, 0);
    Shot shot = drawFrame([&] {
        // Sent while another shader is bound: kept in the fade's own block.
        startDrawing(*basic, whiteTexture());
        fade.sendFloat("ratio", 0.5f);
        fade.bind();
        drawSprite(fade, red, 200, 0, 100, 100);
        fade.sendFloat("ratio", 1.0f);
        drawSprite(fade, red, 0, 0, 100, 100);
    });
    EXPECT_PIXEL(shot, 50, 50, 255, 0, 0, 255);
    EXPECT_PIXEL(shot, 250, 50, 255, 127, 127, 128);
}

TEST(DX12Shader, AUniformTableTooBigForTheBlockSendsNothing) {
    REQUIRE_RENDERER();
    Shader shader;
    shader.load("data/shaders/basic-fixed");
    std::vector<Shader::UniformLayout> uniforms(8, {"filler", 0, 16});
    uniforms[0].name = "mvMat";
    uniforms[1].name = "projMat";
    uniforms.push_back({"oneTooMany", 0, 1});
    testing::internal::CaptureStdout();
    shader.setInput(Renderer::VERTEX_INPUT_POSITION3_UV2_COLOR3_NORMAL3, uniforms.data(),
                    unsigned(uniforms.size()));
    EXPECT_EQ(testing::internal::GetCapturedStdout(),
              "The uniforms of data/shaders/basic-fixed.hlsl do not fit in 128 floats: none is "
              "sent\n");
    EXPECT_EQ(shader.findUniformLocation("mvMat"), -1);
    EXPECT_EQ(shader.findUniformLocation("oneTooMany"), -1);
    ASSERT_TRUE(shader.compile());
    // Nothing reaches the block, so the sprite has no size and draws nothing.
    Shot shot = drawFrame([&] {
        startDrawing(shader, whiteTexture());
        drawSprite(shader, whiteQuad(), 0, 0, 100, 100);
    });
    EXPECT_PIXEL(shot, 50, 50, 255, 255, 255, 0);
}

// A shader that compiles but whose pipeline states cannot be made (its vertex
// stage reads a texture register the root signature does not have) is kept,
// and its draws are skipped: nothing is drawn with another shader's state.
TEST(DX12Shader, DrawsOfAShaderWithoutPipelineStatesAreSkipped) {
    REQUIRE_RENDERER();
    std::string path = writeTestFile(
        "dx12/no-pipeline.hlsl", "Texture2D extra : register(t5);\n"
                                 "float4 VSMain(float3 p : POSITION) : SV_Position {\n"
                                 "    return float4(p, 1) + extra.Load(int3(0, 0, 0));\n"
                                 "}\n"
                                 "float4 PSMain() : SV_Target { return float4(1, 0, 0, 1); }\n");
    Shader broken;
    broken.load(path.substr(0, path.size() - 5));
    Shader::UniformLayout uniforms[] = {{"mvMat", 0, 16}, {"projMat", 0, 16}};
    broken.setInput(Renderer::VERTEX_INPUT_POSITION3_UV2_COLOR3_NORMAL3, uniforms, 2);
    testing::internal::CaptureStdout();
    EXPECT_FALSE(broken.compile());
    EXPECT_NE(
        testing::internal::GetCapturedStdout().find("Could not create the pipeline states of "),
        std::string::npos);
    EXPECT_EQ(broken.data->pipelineWithDepth, nullptr);

    Quad blue = makeQuad(0, 0, 1);
    Shot shot = drawFrame([&] {
        startDrawing(*basic, whiteTexture());
        drawSprite(*basic, blue, 0, 0, 100, 100);
        // The broken shader bound: its draws, with and without depth, are skipped.
        broken.bind();
        drawSprite(broken, whiteQuad(), 200, 0, 100, 100);
        Renderer::renderer.enableDepthTest(false);
        drawSprite(broken, whiteQuad(), 400, 0, 100, 100);
        Renderer::renderer.enableDepthTest(true);
        // And the shader bound after it draws as before.
        basic->bind();
        drawSprite(*basic, blue, 600, 0, 100, 100);
    });
    EXPECT_PIXEL(shot, 50, 50, 0, 0, 255, 255);
    EXPECT_PIXEL(shot, 250, 50, 255, 255, 255, 0);
    EXPECT_PIXEL(shot, 450, 50, 255, 255, 255, 0);
    EXPECT_PIXEL(shot, 650, 50, 0, 0, 255, 255);
    Shader::bound = nullptr;
}

// ResizeBuffers refuses while someone else holds a back buffer: the renderer
// keeps the old size everywhere (viewport, scissor, depth buffer) and still
// has both back buffers with their views.
TEST(DX12Renderer, ARefusedResizeKeepsTheOldSize) {
    REQUIRE_RENDERER();
    Renderer::PlatformData& d = dx12();
    ID3D12Resource* held = nullptr;
    ASSERT_TRUE(SUCCEEDED(d.swapChain->GetBuffer(0, IID_PPV_ARGS(&held))));
    Renderer::renderer.viewPort(0, 0, 640, 360);
    held->Release();
    DXGI_SWAP_CHAIN_DESC1 chain;
    d.swapChain->GetDesc1(&chain);
    if (chain.Width == 640u) {
        Renderer::renderer.viewPort(0, 0, screenWidth, screenHeight);
        GTEST_SKIP() << "this DXGI resizes while a back buffer is held";
    }
    EXPECT_EQ(chain.Width, UINT(screenWidth));
    EXPECT_EQ(d.viewport.Width, float(screenWidth));
    EXPECT_EQ(d.viewport.Height, float(screenHeight));
    EXPECT_EQ(d.scissor.right, screenWidth);
    D3D12_RESOURCE_DESC depth;
    d.depthBuffer->GetDesc(&depth);
    EXPECT_EQ(depth.Width, UINT64(screenWidth));
    ASSERT_NE(d.renderTargets[0], nullptr);
    ASSERT_NE(d.renderTargets[1], nullptr);
    Quad red = makeQuad(1, 0, 0);
    Shot shot = drawFrame([&] {
        startDrawing(*basic, whiteTexture());
        drawSprite(*basic, red, 640, 0, 640, 720);
    });
    ASSERT_EQ(shot.width, screenWidth);
    EXPECT_PIXEL(shot, 639, 360, 255, 255, 255, 0);
    EXPECT_PIXEL(shot, 640, 360, 255, 0, 0, 255);
}

// A back buffer the swap chain did not give (null) gets no frame: beginFrame
// records nothing, endFrame presents nothing, and the pass goes on.
TEST(DX12Renderer, AMissingBackBufferSkipsTheFrame) {
    REQUIRE_RENDERER();
    Renderer::PlatformData& d = dx12();
    waitForGpu();
    ID3D12Resource* kept = d.renderTargets[d.frameIndex];
    d.renderTargets[d.frameIndex] = nullptr;
    Renderer::renderer.beginFrame();
    EXPECT_FALSE(d.recording);
    basic->bind();
    Renderer::renderer.clear();
    drawSprite(*basic, whiteQuad(), 0, 0, 100, 100);
    Renderer::renderer.endFrame();
    waitForGpu();
    d.renderTargets[d.frameIndex] = kept;
    Shader::bound = nullptr;
}

// Without an event to be set on completion the per-pass wait does not block
// for ever: it returns, and the next wait with the event works again. The
// staging buffer of an upload flushed then, while the queue is held back,
// stays until its copy has run.
TEST(DX12Renderer, TheGpuWaitWithoutAnEventReturns) {
    REQUIRE_RENDERER();
    Renderer::PlatformData& d = dx12();
    ID3D12Fence* gate = nullptr;
    ASSERT_TRUE(SUCCEEDED(d.device->CreateFence(0, D3D12_FENCE_FLAG_NONE, IID_PPV_ARGS(&gate))));
    // Every way out opens the gate and gives the event back: a failed
    // assertion ends this test, not the queue and the whole program.
    struct Opened {
        ID3D12Fence* gate;
        HANDLE event;
        ~Opened() {
            gate->Signal(1);
            dx12().event = event;
            waitForGpu();
            gate->Release();
        }
    } opened{gate, d.event};
    d.queue->Wait(gate, 1);
    d.event = nullptr;
    Texture late;
    fillTexture(late, 1, 1, {0, 255, 0, 255});
    ASSERT_GT(d.stagedCount, 0u);
    ID3D12Resource* staging = d.staged[d.stagedCount - 1];
    staging->AddRef();
    Renderer::renderer.beginFrame();
    startDrawing(*basic, late);
    Renderer::renderer.endFrame();
    waitForGpu();
    staging->AddRef();
    EXPECT_EQ(staging->Release(), 2u);
    gate->Signal(1);
    d.event = opened.event;
    waitForGpu();
    EXPECT_EQ(d.fence->GetCompletedValue() + 1, d.fenceValue);
    EXPECT_EQ(staging->Release(), 0u);
}

// The renderer's single buffers: index-table entries without storage, which
// draw nothing; the shader's single-buffer binds have nothing to bind here.
TEST(DX12Renderer, SingleBuffersTakeIndexHandlesWithoutStorage) {
    REQUIRE_RENDERER();
    Renderer::PlatformData& d = dx12();
    unsigned int next = unsigned(d.indexBuffers.size());
    EXPECT_EQ(Renderer::renderer.createVertexBuffer(12), next);
    EXPECT_EQ(Renderer::renderer.createBuffer(12), next + 1);
    EXPECT_EQ(Renderer::renderer.createIndexBuffer(12u), next + 2);
    EXPECT_EQ(Renderer::renderer.createUVBuffer(12), next + 3);
    EXPECT_EQ(d.indexBuffers[next], nullptr);
    EXPECT_EQ(Renderer::renderer.getUniformID(), 0u);
    EXPECT_EQ(basic->programId(), 0u);
    Shot shot = drawFrame([&] {
        startDrawing(*basic, whiteTexture());
        basic->bindVertices(int(next));
        basic->bindUVs(int(next + 3));
        basic->bindBuffer(int(next + 1), "COLOR", 3);
        basic->bindVertexInput(int(whiteQuad().vertexInput));
        basic->drawIndexed(int(next + 2), 6);
    });
    EXPECT_PIXEL(shot, 0, 0, 255, 255, 255, 0);
    Shader::bound = nullptr;
}

TEST(DX12Texture, NullPixelsUploadTheWhitePlaceholder) {
    REQUIRE_RENDERER();
    Texture missing;
    missing.load("data/no-such-image.png");
    testing::internal::CaptureStderr();
    missing.loadToGPU();
    EXPECT_EQ(testing::internal::GetCapturedStderr(),
              "Texture without pixels (0 x 0): uploading a 1x1 white placeholder\n");
    EXPECT_NE(missing.data->resource, nullptr);
    Quad tint = makeQuad(0.2f, 0.4f, 0.6f);
    Shot shot = drawFrame([&] {
        startDrawing(*basic, missing);
        drawSprite(*basic, tint, 0, 0, 100, 100);
    });
    EXPECT_PIXEL(shot, 50, 50, 51, 102, 153, 255);
}

// Bound before it has storage of its own, a texture draws with the white
// placeholder; uploaded while still bound, its next bind must show its texels.
TEST(DX12Texture, AnUploadOfTheBoundTextureReachesItsNextBind) {
    REQUIRE_RENDERER();
    Texture late;
    Shot shot = drawFrame([&] {
        startDrawing(*basic, late);
        drawSprite(*basic, whiteQuad(), 0, 0, 100, 100);
        fillTexture(late, 1, 1, {0, 255, 0, 255});
        late.bind(0);
        drawSprite(*basic, whiteQuad(), 200, 0, 100, 100);
    });
    EXPECT_PIXEL(shot, 50, 50, 255, 255, 255, 255);
    EXPECT_PIXEL(shot, 250, 50, 0, 255, 0, 255);
}

TEST(DX12Texture, FilesKeepTheirOrientationAndChannels) {
    REQUIRE_RENDERER();
    // 3 x 2 BMP (rows padded to 12 bytes), bottom row first: red, green, blue /
    // white, black, yellow; the file stores blue, green, red.
    std::vector<unsigned char> bgr = {0,   0,   255, 0, 255, 0, 255, 0,   0,
                                      255, 255, 255, 0, 0,   0, 0,   255, 255};
    Texture bmp;
    bmp.load(writeTestFile("dx12/rows.bmp", makeBMP24(3, 2, bgr)).c_str());
    bmp.loadToGPU();
    bmp.deletePixels();
    bmp.smooth(false);
    // The same pixels as a glyph atlas: alpha from red, uploaded as B8G8R8A8.
    Texture atlas;
    atlas.load(writeTestFile("dx12/rows.bmp.fnt", makeBMP24(3, 2, bgr)).c_str());
    EXPECT_EQ(atlas.data->format, DXGI_FORMAT_B8G8R8A8_UNORM);
    atlas.loadToGPU();
    atlas.deletePixels();
    atlas.smooth(false);
    // A 1 x 2 PNG, top row first in the file: half-transparent blue over cyan.
    Texture png;
    png.load(writeTestFile("dx12/column.png",
                           makePNG(1, 2, 6, 8, {{0, 0, 255, 128}, {0, 255, 255, 255}}))
                 .c_str());
    png.loadToGPU();
    png.deletePixels();
    png.smooth(false);

    Shot shot = drawFrame([&] {
        startDrawing(*basic, bmp);
        drawSprite(*basic, whiteQuad(), 0, 0, 300, 200);
        atlas.bind(0);
        drawSprite(*basic, whiteQuad(), 400, 0, 300, 200);
        png.bind(0);
        drawSprite(*basic, whiteQuad(), 800, 0, 100, 200);
    });
    EXPECT_PIXEL(shot, 50, 50, 255, 0, 0, 255);
    EXPECT_PIXEL(shot, 150, 50, 0, 255, 0, 255);
    EXPECT_PIXEL(shot, 250, 50, 0, 0, 255, 255);
    EXPECT_PIXEL(shot, 50, 150, 255, 255, 255, 255);
    EXPECT_PIXEL(shot, 150, 150, 0, 0, 0, 255);
    EXPECT_PIXEL(shot, 250, 150, 255, 255, 0, 255);
    // Atlas: red is opaque red; green (red 0) and black vanish into the clear colour.
    EXPECT_PIXEL(shot, 450, 50, 255, 0, 0, 255);
    EXPECT_PIXEL(shot, 550, 50, 255, 255, 255, 0);
    EXPECT_PIXEL(shot, 450, 150, 255, 255, 255, 255);
    EXPECT_PIXEL(shot, 650, 150, 255, 255, 0, 255);
    EXPECT_PIXEL(shot, 850, 50, 0, 255, 255, 255);
    EXPECT_PIXEL(shot, 850, 150, 127, 127, 255, 128);
}

TEST(DX12Texture, EachSamplerFiltersAndWrapsAsItsIndexSays) {
    REQUIRE_RENDERER();
    // 2 x 1: black, white. The quad's texture coordinates run from -1 to 2.
    float positions[12] = {0, 0, 0, 1, 0, 0, 1, 1, 0, 0, 1, 0};
    float uvs[8] = {-1, 0.5f, 2, 0.5f, 2, 0.5f, -1, 0.5f};
    float colours[12] = {1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1};
    float normals[12] = {};
    float* inputs[4] = {positions, uvs, colours, normals};
    unsigned char sizes[4] = {3, 2, 3, 3};
    unsigned short indices[6] = {0, 1, 2, 0, 2, 3};
    Quad wide = {Renderer::renderer.createVertexInputBuffer(4, sizes, inputs, 4),
                 Renderer::renderer.createIndexBuffer(6, indices)};

    // Set up through the games' calls in either order, over the other filter:
    // each call keeps what the other chose.
    Texture textures[8];
    for (int i = 0; i < 8; ++i) {
        fillTexture(textures[i], 2, 1, {0, 0, 0, 255, 255, 255, 255, 255});
        Texture::TextureRepeatMode mode = Texture::TextureRepeatMode(i % 4);
        textures[i].smooth(i >= 4);
        if (i % 2)
            textures[i].setWrapMode(mode);
        textures[i].smooth(i < 4);
        if (i % 2 == 0)
            textures[i].setWrapMode(mode);
        EXPECT_EQ(textures[i].data->samplerIndex, i);
    }
    // 600 pixels for u from -1 to 2: 200 pixels per repeat, 100 per texel.
    // Every bind switches the sampler, half of them to a lower index.
    Shot shot = drawFrame([&] {
        startDrawing(*basic, textures[4]);
        for (int i : {4, 0, 5, 1, 6, 2, 7, 3}) {
            textures[i].bind(0);
            EXPECT_EQ(dx12().boundSampler, i);
            drawSprite(*basic, wide, 0, float(i * 60), 600, 50);
        }
    });
    auto grey = [&](int x, int i) { return shot.at(x, i * 60 + 25).r; };
    for (int i = 0; i < 8; ++i) {
        SCOPED_TRACE("sampler " + std::to_string(i));
        bool smooth = i < 4;
        int mode = i % 4;
        // Inside the texture (u 0 to 1, x 200 to 399): linear ramps between
        // the texel centres, point steps at u 0.5.
        EXPECT_NEAR(grey(250, i), 0, 3);
        EXPECT_NEAR(grey(349, i), 255, 3);
        if (smooth)
            EXPECT_NEAR(grey(300, i), 128, 6);
        else
            EXPECT_NEAR(grey(290, i), 0, 3);
        // u from 1 to 2 (x 400 to 599) and -1 to 0 (x 0 to 199).
        int right = grey(450, i);
        int left = grey(150, i);
        switch (mode) {
        case Texture::mirroredRepeat: // u 1.25 mirrors to 0.75: white; u -0.25 to 0.25: black
            EXPECT_NEAR(right, 255, 3);
            EXPECT_NEAR(left, 0, 3);
            break;
        case Texture::repeat: // u 1.25 is 0.25: black; u -0.25 is 0.75: white
            EXPECT_NEAR(right, 0, 3);
            EXPECT_NEAR(left, 255, 3);
            break;
        case Texture::clampToEdge: // the edge texels
            EXPECT_NEAR(right, 255, 3);
            EXPECT_NEAR(left, 0, 3);
            break;
        case Texture::clampToBorder: // transparent black border over the clear colour
            EXPECT_PIXEL(shot, 450, i * 60 + 25, 255, 255, 255, 0);
            EXPECT_PIXEL(shot, 150, i * 60 + 25, 255, 255, 255, 0);
            break;
        }
    }
}

// Textures unloaded or destroyed, and a shader destroyed, in the frame that
// drew with them still reach those draws: the renderer keeps them until the
// frame's wait, then lets go. A texture loaded after them makes endFrame flush
// its upload, and wait, before the frame runs.
TEST(DX12Texture, WhatAFrameDrewWithOutlivesItsDrawsAndNoMore) {
    REQUIRE_RENDERER();
    waitForGpu(); // lets go of what earlier tests gave up
    Texture unloaded;
    fillTexture(unloaded, 1, 1, {0, 255, 0, 255});
    Texture* destroyed = new Texture;
    fillTexture(*destroyed, 1, 1, {0, 0, 255, 255});
    Shader* gone = new Shader;
    gone->load("data/shaders/basic-fixed");
    Shader::UniformLayout uniforms[] = {{"mvMat", 0, 16}, {"projMat", 0, 16}};
    gone->setInput(Renderer::VERTEX_INPUT_POSITION3_UV2_COLOR3_NORMAL3, uniforms, 2);
    ASSERT_TRUE(gone->createPipelineState());
    Texture newcomer;
    Shot shot = drawFrame([&] {
        startDrawing(*basic, unloaded);
        drawSprite(*basic, whiteQuad(), 0, 0, 100, 100);
        destroyed->bind(0);
        drawSprite(*basic, whiteQuad(), 200, 0, 100, 100);
        gone->bind();
        drawSprite(*gone, whiteQuad(), 400, 0, 100, 100);
        unloaded.unloadFromGPU();
        delete destroyed;
        delete gone;
        fillTexture(newcomer, 1, 1, {255, 0, 0, 255});
        EXPECT_EQ(dx12().releases.entries.size(), 4u); // two textures, two pipeline states
    });
    EXPECT_PIXEL(shot, 50, 50, 0, 255, 0, 255);
    EXPECT_PIXEL(shot, 250, 50, 0, 0, 255, 255);
    EXPECT_PIXEL(shot, 450, 50, 0, 0, 255, 255);
    EXPECT_TRUE(dx12().releases.entries.empty());
    // Unloaded, it draws as a texture without storage.
    shot = drawFrame([&] {
        startDrawing(*basic, unloaded);
        drawSprite(*basic, whiteQuad(), 0, 0, 100, 100);
    });
    EXPECT_PIXEL(shot, 50, 50, 255, 255, 255, 255);
}

// Outside a frame a texture re-uploaded or destroyed before the flush that
// copies into it is held through the waits that come first (a paused pass,
// a resize) and let go once that flush has run.
TEST(DX12Texture, WhatAnUploadWritesOutlivesItsFlushAndNoMore) {
    REQUIRE_RENDERER();
    auto references = [](IUnknown* object) {
        object->AddRef();
        return object->Release();
    };
    for (bool resize : {false, true}) {
        SCOPED_TRACE(resize ? "resize" : "paused pass");
        waitForGpu();
        Texture twice;
        fillTexture(twice, 1, 1, {255, 0, 0, 255});
        fillTexture(twice, 1, 1, {0, 255, 0, 255});
        Texture* destroyed = new Texture;
        fillTexture(*destroyed, 1, 1, {0, 0, 255, 255});
        ID3D12Resource* gone = destroyed->data->resource;
        gone->AddRef();
        delete destroyed;
        if (resize)
            Renderer::renderer.viewPort(0, 0, 640, 360);
        else
            waitForGpu();
        ASSERT_TRUE(dx12().pendingUploads);
        EXPECT_EQ(references(gone), 2u);
        Shot shot = drawFrame([&] {
            startDrawing(*basic, twice);
            drawSprite(*basic, whiteQuad(), 0, 0, 100, 100);
        });
        ASSERT_EQ(shot.width, resize ? 640 : screenWidth);
        EXPECT_PIXEL(shot, 10, 10, 0, 255, 0, 255);
        EXPECT_EQ(references(gone), 1u);
        EXPECT_TRUE(dx12().releases.entries.empty());
        gone->Release();
        Renderer::renderer.viewPort(0, 0, screenWidth, screenHeight);
    }
}

// Runs last: it uses up the texture slots.
TEST(DX12Texture, UploadsPastTheStagingTableArriveAndTexture257IsRefused) {
    REQUIRE_RENDERER();
    // Fill every slot left (earlier tests took some) in one go, well past the
    // 128 staged uploads that one flush carries; texture i is grey i.
    std::vector<std::unique_ptr<Texture>> textures;
    testing::internal::CaptureStdout();
    while (!dx12().textureSlots.ranges.empty()) {
        unsigned char grey = (unsigned char)textures.size();
        textures.emplace_back(new Texture);
        fillTexture(*textures.back(), 1, 1, {grey, grey, grey, 255});
    }
    EXPECT_EQ(testing::internal::GetCapturedStdout(), "");
    ASSERT_GT(textures.size(), stagedUploadLimit);

    testing::internal::CaptureStdout();
    Texture refused;
    fillTexture(refused, 1, 1, {255, 0, 0, 255});
    EXPECT_EQ(testing::internal::GetCapturedStdout(),
              "More than 256 textures: the others are drawn with a placeholder\n");
    EXPECT_EQ(refused.data->textureSlot, -1);
    EXPECT_EQ(refused.data->resource, nullptr);

    Quad tint = makeQuad(0, 0, 1);
    const std::size_t last = textures.size() - 1;
    Shot shot = drawFrame([&] {
        startDrawing(*basic, refused);
        drawSprite(*basic, tint, 0, 0, 100, 100);
        textures[0]->bind(0);
        drawSprite(*basic, whiteQuad(), 200, 0, 100, 100);
        textures[stagedUploadLimit]->bind(0);
        drawSprite(*basic, whiteQuad(), 400, 0, 100, 100);
        textures[last]->bind(0);
        drawSprite(*basic, whiteQuad(), 600, 0, 100, 100);
    });
    EXPECT_PIXEL(shot, 50, 50, 0, 0, 255, 255);
    EXPECT_PIXEL(shot, 250, 50, 0, 0, 0, 255);
    EXPECT_PIXEL(shot, 450, 50, 128, 128, 128, 255);
    EXPECT_PIXEL(shot, 650, 50, int(last), int(last), int(last), 255);
}
