// OpenGL back end: the renderer of game_gl, render state and GPU buffers.
#include "Renderer/Renderer.h"

#include "Renderer/PC/Windows/GLPlatform.h"
#include "Renderer/Shader.h"

Renderer Renderer::renderer;

Renderer::PlatformData::VertexInput* Renderer::PlatformData::vertexInput(unsigned int handle) {
    return handle < vertexInputHandles.size() ? &vertexInputHandles[handle] : nullptr;
}

GLuint Renderer::PlatformData::buffer(unsigned int handle) {
    return handle < bufferHandles.size() ? bufferHandles[handle] : 0;
}

Renderer::Renderer() : data(new PlatformData) {}

// GL objects are left to the driver: the renderer outlives the context.
Renderer::~Renderer() {
    for (PlatformData::VertexInput& input : data->vertexInputHandles)
        delete[] input.handles;
    delete data;
}

bool Renderer::init() {
    if (!initExtensionsGL())
        return false;
    glEnable(GL_DEPTH_TEST);
    glEnable(GL_CULL_FACE);
    glClearColor(1.0f, 1.0f, 1.0f, 1.0f);
    glDepthFunc(GL_LEQUAL);
    glEnable(GL_BLEND);
    glBlendFunc(GL_SRC_ALPHA, GL_ONE_MINUS_SRC_ALPHA);
    glActiveTexture(GL_TEXTURE0);
    Shader::bound = nullptr;
    return true;
}

void Renderer::enableDepthTest(bool on) {
    if (on)
        glEnable(GL_DEPTH_TEST);
    else
        glDisable(GL_DEPTH_TEST);
}

void Renderer::enableDepthMask(bool on) {
    glDepthMask(on ? GL_TRUE : GL_FALSE);
}

void Renderer::clear() {
    glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
}

void Renderer::clearDepth() {
    glClear(GL_DEPTH_BUFFER_BIT);
}

void Renderer::viewPort(int x, int y, int width, int height) {
    glViewport(x, y, width, height);
}

void Renderer::beginFrame() {}

void Renderer::endFrame() {}

unsigned int Renderer::createVertexInputBuffer(unsigned int size, unsigned char* inputSizes,
                                               float** inputs, unsigned int inputCount) {
    PlatformData::VertexInput input = {new GLuint[inputCount], inputCount};
    glGenBuffers(inputCount, input.handles);
    data->vertexInputHandles.push_back(input);
    for (unsigned int i = 0; i < inputCount; i++) {
        glBindBuffer(GL_ARRAY_BUFFER, input.handles[i]);
        glBufferData(GL_ARRAY_BUFFER, GLsizeiptr(inputSizes[i]) * sizeof(float) * size, inputs[i],
                     GL_STATIC_DRAW);
    }
    return unsigned(data->vertexInputHandles.size() - 1);
}

unsigned int Renderer::createIndexBuffer(unsigned int size, unsigned short* indices) {
    GLuint name = 0;
    glGenBuffers(1, &name);
    data->bufferHandles.push_back(name);
    glBindBuffer(GL_ELEMENT_ARRAY_BUFFER, name);
    glBufferData(GL_ELEMENT_ARRAY_BUFFER, GLsizeiptr(size) * sizeof(unsigned short), indices,
                 GL_STATIC_DRAW);
    return unsigned(data->bufferHandles.size() - 1);
}

// Respecifies the whole store of attribute buffer `attribute` of a vertex input.
static void sendAttribute(Renderer::PlatformData* data, unsigned int vertexInput,
                          unsigned int attribute, float* values, unsigned int count) {
    Renderer::PlatformData::VertexInput* input = data->vertexInput(vertexInput);
    if (!input || attribute >= input->size)
        return;
    glBindBuffer(GL_ARRAY_BUFFER, input->handles[attribute]);
    glBufferData(GL_ARRAY_BUFFER, GLsizeiptr(count) * sizeof(float), values, GL_STATIC_DRAW);
}

void Renderer::sendVerticesToBuffer(unsigned int vertexInput, float* values, unsigned int count) {
    sendAttribute(data, vertexInput, 0, values, count);
}

void Renderer::sendUVsToBuffer(unsigned int vertexInput, float* values, unsigned int count) {
    sendAttribute(data, vertexInput, 1, values, count);
}

void Renderer::sendDataToBuffer(unsigned int vertexInput, float* values, unsigned int count) {
    sendAttribute(data, vertexInput, 2, values, count);
}

void Renderer::sendIndicesToBuffer(unsigned int indexBuffer, unsigned short* indices,
                                   unsigned int count) {
    GLuint name = data->buffer(indexBuffer);
    if (!name)
        return;
    glBindBuffer(GL_ELEMENT_ARRAY_BUFFER, name);
    glBufferData(GL_ELEMENT_ARRAY_BUFFER, GLsizeiptr(count) * sizeof(unsigned short), indices,
                 GL_STATIC_DRAW);
}

// The entry stays so that handles keep their meaning, but it forgets the name:
// the driver may hand the same name to a later buffer.
void Renderer::deleteBuffer(unsigned int index) {
    GLuint name = data->buffer(index);
    if (!name)
        return;
    glDeleteBuffers(1, &name);
    data->bufferHandles[index] = 0;
}

void Renderer::deleteVertexInputBuffer(unsigned int index) {
    PlatformData::VertexInput* input = data->vertexInput(index);
    if (!input || !input->handles)
        return;
    glDeleteBuffers(input->size, input->handles);
    delete[] input->handles;
    input->handles = nullptr;
    input->size = 0;
}

// A buffer name with no storage, appended to the index-buffer table.
static unsigned int createSingleBuffer(Renderer::PlatformData* data) {
    GLuint name = 0;
    glGenBuffers(1, &name);
    data->bufferHandles.push_back(name);
    return unsigned(data->bufferHandles.size() - 1);
}

unsigned int Renderer::createVertexBuffer(unsigned int) {
    return createSingleBuffer(data);
}

unsigned int Renderer::createBuffer(unsigned int) {
    return createSingleBuffer(data);
}

unsigned int Renderer::createIndexBuffer(unsigned int) {
    return createSingleBuffer(data);
}

unsigned int Renderer::createUVBuffer(unsigned int) {
    return createSingleBuffer(data);
}

unsigned int Renderer::getUniformID() {
    return 0;
}

unsigned int Renderer::getTextureID() {
    GLuint name = 0;
    glGenTextures(1, &name);
    return name;
}
