// The real window, its context and the OpenGL renderer under Wine.
#include <string>

#include "Input/PC/InputManager.h"
#include "Renderer/PC/Windows/GLPlatform.h"
#include "gl_test_window.h"

namespace {

TEST(GLWindowCreate, OpensTheNamedWindowWithAnOpenGL3Context) {
    REQUIRE_TEST_WINDOW();
    GLWindow* window = testWindow();
    char text[64];
    GetClassNameA(window->m_hwnd, text, sizeof text);
    EXPECT_STREQ(text, "GLClass");
    GetWindowTextA(window->m_hwnd, text, sizeof text);
    EXPECT_STREQ(text, "ZELL 7 Pellan & Ormadine");
    RECT client;
    GetClientRect(window->m_hwnd, &client);
    EXPECT_EQ(client.right, 1280);
    EXPECT_EQ(client.bottom, 720);
    EXPECT_TRUE(IsWindowVisible(window->m_hwnd));

    EXPECT_EQ(wglGetCurrentContext(), window->m_hglrc);
    EXPECT_GE(getInteger(GL_MAJOR_VERSION), 3);
    EXPECT_TRUE(window->on);
    EXPECT_FALSE(inputManager.mWritableMouseLeft);
    // The game hears the client size before create() returns.
    ASSERT_GE(resizeCallsDuringCreate, 1u);
    EXPECT_EQ(resizeCalls[0], std::make_pair(1280, 720));
}

TEST(RendererInit, LeavesDepthLessOrEqualCullingAlphaBlendingAndWhiteClear) {
    REQUIRE_TEST_WINDOW();
    EXPECT_TRUE(glIsEnabled(GL_DEPTH_TEST));
    EXPECT_EQ(getInteger(GL_DEPTH_FUNC), GL_LEQUAL);
    EXPECT_TRUE(glIsEnabled(GL_CULL_FACE));
    EXPECT_EQ(getInteger(GL_CULL_FACE_MODE), GL_BACK);
    EXPECT_EQ(getInteger(GL_FRONT_FACE), GL_CCW);
    EXPECT_TRUE(glIsEnabled(GL_BLEND));
    EXPECT_EQ(getInteger(GL_BLEND_SRC_RGB), GL_SRC_ALPHA);
    EXPECT_EQ(getInteger(GL_BLEND_SRC_ALPHA), GL_SRC_ALPHA);
    EXPECT_EQ(getInteger(GL_BLEND_DST_RGB), GL_ONE_MINUS_SRC_ALPHA);
    EXPECT_EQ(getInteger(GL_BLEND_DST_ALPHA), GL_ONE_MINUS_SRC_ALPHA);
    GLfloat clear[4] = {};
    glGetFloatv(GL_COLOR_CLEAR_VALUE, clear);
    EXPECT_EQ(clear[0], 1.0f);
    EXPECT_EQ(clear[1], 1.0f);
    EXPECT_EQ(clear[2], 1.0f);
    EXPECT_EQ(clear[3], 1.0f);
    EXPECT_EQ(getInteger(GL_ACTIVE_TEXTURE), GL_TEXTURE0);
    GLint viewport[4] = {};
    glGetIntegerv(GL_VIEWPORT, viewport);
    EXPECT_EQ(viewport[2], 1280);
    EXPECT_EQ(viewport[3], 720);
    EXPECT_EQ(Shader::bound, nullptr);
}

TEST(RendererInit, FailsAndNamesTheMissingEntryPoints) {
    REQUIRE_TEST_WINDOW();
    GLWindow* window = testWindow();
    // Without a current context the driver gives no entry point at all.
    wglMakeCurrent(nullptr, nullptr);
    testing::internal::CaptureStderr();
    bool started = Renderer::renderer.init();
    std::string errors = testing::internal::GetCapturedStderr();
    wglMakeCurrent(window->m_hdc, window->m_hglrc);

    EXPECT_FALSE(started);
    EXPECT_NE(errors.find("OpenGL entry point not found: glGenBuffers\n"), std::string::npos);
    EXPECT_NE(errors.find("OpenGL entry point not found: glUniformMatrix4fv\n"), std::string::npos);
    EXPECT_NE(errors.find("OpenGL entry point not found: glActiveTexture\n"), std::string::npos);
    // The 3.0-only ones are not used, so a 2.1 driver may lack them.
    EXPECT_EQ(errors.find("glUniform1ui"), std::string::npos);
    EXPECT_EQ(getProcAddressGL("glNoSuchEntryPoint"), nullptr);

    EXPECT_TRUE(Renderer::renderer.init());
    EXPECT_NE(glGenBuffers, nullptr);
    EXPECT_TRUE(glIsEnabled(GL_DEPTH_TEST));
}

// Two separate switches: each turns its own state off and on again.
TEST(RendererState, DepthTestAndDepthWritesSwitchApart) {
    REQUIRE_TEST_WINDOW();
    Renderer& renderer = Renderer::renderer;
    renderer.enableDepthTest(false);
    EXPECT_FALSE(glIsEnabled(GL_DEPTH_TEST));
    renderer.enableDepthMask(false);
    GLboolean writes = GL_TRUE;
    glGetBooleanv(GL_DEPTH_WRITEMASK, &writes);
    EXPECT_EQ(writes, GL_FALSE);
    renderer.enableDepthTest(true);
    EXPECT_TRUE(glIsEnabled(GL_DEPTH_TEST));
    glGetBooleanv(GL_DEPTH_WRITEMASK, &writes);
    EXPECT_EQ(writes, GL_FALSE);
    renderer.enableDepthMask(true);
    glGetBooleanv(GL_DEPTH_WRITEMASK, &writes);
    EXPECT_EQ(writes, GL_TRUE);
}

TEST(RendererState, ClearDepthLeavesTheColour) {
    REQUIRE_TEST_WINDOW();
    Renderer::renderer.clear();
    glClearColor(0.0f, 0.0f, 0.0f, 1.0f);
    glClearDepth(0.25);
    Renderer::renderer.clearDepth();
    glClearColor(1.0f, 1.0f, 1.0f, 1.0f);
    glClearDepth(1.0);
    unsigned char pixel[4] = {};
    glReadPixels(640, 360, 1, 1, GL_RGBA, GL_UNSIGNED_BYTE, pixel);
    EXPECT_EQ(pixel[0], 255);
    float depth = 0.0f;
    glReadPixels(640, 360, 1, 1, GL_DEPTH_COMPONENT, GL_FLOAT, &depth);
    EXPECT_NEAR(depth, 0.25f, 0.001f);
}

typedef GLboolean(APIENTRY* IsBufferProc)(GLuint);
typedef void(APIENTRY* GetBufferParameterivProc)(GLenum, GLenum, GLint*);

GLint bufferSize(GLenum target, GLuint name) {
    static GetBufferParameterivProc getParameter =
        testEntryPoint<GetBufferParameterivProc>("glGetBufferParameteriv");
    GLint size = -1;
    glBindBuffer(target, name);
    getParameter(target, GL_BUFFER_SIZE, &size);
    return size;
}

struct Triangle {
    float positions[9] = {0, 0, 0, 1, 0, 0, 0, 1, 0};
    float uvs[6] = {0, 0, 1, 0, 0, 1};
    float* inputs[2] = {positions, uvs};
    unsigned char sizes[2] = {3, 2};
    unsigned short indices[3] = {0, 1, 2};
};

TEST(RendererBuffers, HandlesCountFromZeroPerTableAndAreNeverReused) {
    REQUIRE_TEST_WINDOW();
    Renderer renderer;
    Triangle t;
    EXPECT_EQ(renderer.createVertexInputBuffer(3, t.sizes, t.inputs, 2), 0u);
    EXPECT_EQ(renderer.createIndexBuffer(3, t.indices), 0u);
    EXPECT_EQ(renderer.createVertexInputBuffer(3, t.sizes, t.inputs, 2), 1u);
    EXPECT_EQ(renderer.createIndexBuffer(3, t.indices), 1u);

    // One buffer per attribute, sized by its float count.
    Renderer::PlatformData::VertexInput* input = renderer.data->vertexInput(1);
    ASSERT_EQ(input->size, 2u);
    EXPECT_EQ(bufferSize(GL_ARRAY_BUFFER, input->handles[0]), 36);
    EXPECT_EQ(bufferSize(GL_ARRAY_BUFFER, input->handles[1]), 24);
    EXPECT_EQ(bufferSize(GL_ELEMENT_ARRAY_BUFFER, renderer.data->buffer(1)), 6);

    // The send calls respecify the whole store of their attribute.
    float more[12] = {};
    unsigned short moreIndices[6] = {};
    renderer.sendVerticesToBuffer(1, more, 12);
    renderer.sendUVsToBuffer(1, more, 8);
    renderer.sendIndicesToBuffer(1, moreIndices, 6);
    EXPECT_EQ(bufferSize(GL_ARRAY_BUFFER, input->handles[0]), 48);
    EXPECT_EQ(bufferSize(GL_ARRAY_BUFFER, input->handles[1]), 32);
    EXPECT_EQ(bufferSize(GL_ELEMENT_ARRAY_BUFFER, renderer.data->buffer(1)), 12);

    renderer.deleteVertexInputBuffer(0);
    renderer.deleteBuffer(0);
    EXPECT_EQ(renderer.createVertexInputBuffer(3, t.sizes, t.inputs, 2), 2u);
    EXPECT_EQ(renderer.createIndexBuffer(3, t.indices), 2u);
}

// The renderer's single buffers: one name each in the index-buffer table,
// without storage; and a uniform id of 0.
TEST(RendererBuffers, SingleBuffersTakeTheNextIndexHandles) {
    REQUIRE_TEST_WINDOW();
    Renderer renderer;
    Triangle t;
    EXPECT_EQ(renderer.createIndexBuffer(3, t.indices), 0u);
    EXPECT_EQ(renderer.createVertexBuffer(12), 1u);
    EXPECT_EQ(renderer.createBuffer(12), 2u);
    EXPECT_EQ(renderer.createIndexBuffer(12u), 3u);
    EXPECT_EQ(renderer.createUVBuffer(12), 4u);
    EXPECT_EQ(renderer.createIndexBuffer(3, t.indices), 5u);
    for (unsigned int handle = 1; handle <= 4; ++handle) {
        GLuint name = renderer.data->buffer(handle);
        EXPECT_NE(name, 0u) << handle;
        EXPECT_EQ(bufferSize(GL_ARRAY_BUFFER, name), 0) << handle;
    }
    EXPECT_EQ(renderer.getUniformID(), 0u);
}

// Binding a name makes a buffer under it: what a driver that recycles freed
// names does for the next buffer.
void remakeBuffer(GLuint name) {
    glBindBuffer(GL_ARRAY_BUFFER, name);
    glBufferData(GL_ARRAY_BUFFER, 4, nullptr, GL_STATIC_DRAW);
}

TEST(RendererBuffers, DeletedBuffersForgetTheirNames) {
    REQUIRE_TEST_WINDOW();
    IsBufferProc isBuffer = testEntryPoint<IsBufferProc>("glIsBuffer");
    ASSERT_NE(isBuffer, nullptr);
    Renderer renderer;
    Triangle t;

    unsigned int indexBuffer = renderer.createIndexBuffer(3, t.indices);
    GLuint name = renderer.data->buffer(indexBuffer);
    renderer.deleteBuffer(indexBuffer);
    EXPECT_FALSE(isBuffer(name));
    remakeBuffer(name);
    renderer.deleteBuffer(indexBuffer);
    renderer.sendIndicesToBuffer(indexBuffer, t.indices, 3);
    EXPECT_TRUE(isBuffer(name));
    EXPECT_EQ(bufferSize(GL_ARRAY_BUFFER, name), 4);

    unsigned int vertexInput = renderer.createVertexInputBuffer(3, t.sizes, t.inputs, 2);
    GLuint names[2] = {renderer.data->vertexInput(vertexInput)->handles[0],
                       renderer.data->vertexInput(vertexInput)->handles[1]};
    renderer.deleteVertexInputBuffer(vertexInput);
    EXPECT_FALSE(isBuffer(names[0]));
    EXPECT_FALSE(isBuffer(names[1]));
    remakeBuffer(names[0]);
    remakeBuffer(names[1]);
    renderer.deleteVertexInputBuffer(vertexInput);
    renderer.sendVerticesToBuffer(vertexInput, t.positions, 9);
    renderer.sendUVsToBuffer(vertexInput, t.uvs, 6);
    EXPECT_TRUE(isBuffer(names[0]));
    EXPECT_TRUE(isBuffer(names[1]));
    EXPECT_EQ(bufferSize(GL_ARRAY_BUFFER, names[0]), 4);
    EXPECT_EQ(bufferSize(GL_ARRAY_BUFFER, names[1]), 4);
}

TEST(RendererBuffers, HandlesThatNameNoEntryAreIgnored) {
    REQUIRE_TEST_WINDOW();
    Renderer renderer;
    Triangle t;
    unsigned char oneSize[1] = {3};
    float* oneInput[1] = {t.positions};
    unsigned int vertexInput = renderer.createVertexInputBuffer(3, oneSize, oneInput, 1);
    unsigned int indexBuffer = renderer.createIndexBuffer(3, t.indices);
    for (unsigned int bad : {2u, 100u, Renderer::noBuffer}) {
        renderer.sendVerticesToBuffer(bad, t.positions, 9);
        renderer.sendIndicesToBuffer(bad, t.indices, 3);
        renderer.deleteBuffer(bad);
        renderer.deleteVertexInputBuffer(bad);
    }
    // This vertex input has no second or third attribute buffer.
    renderer.sendUVsToBuffer(vertexInput, t.uvs, 6);
    renderer.sendDataToBuffer(vertexInput, t.uvs, 6);
    EXPECT_EQ(renderer.data->vertexInputHandles.size(), 1u);
    EXPECT_EQ(renderer.data->bufferHandles.size(), 1u);
    EXPECT_EQ(bufferSize(GL_ARRAY_BUFFER, renderer.data->vertexInput(vertexInput)->handles[0]), 36);
    EXPECT_EQ(bufferSize(GL_ELEMENT_ARRAY_BUFFER, renderer.data->buffer(indexBuffer)), 6);
}

} // namespace
