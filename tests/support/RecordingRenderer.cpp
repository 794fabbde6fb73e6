// Renderer of the recording back end: buffers are copies kept by the recorder.
#include "Recorder.h"

Renderer Renderer::renderer;

Renderer::Renderer() {}

Renderer::~Renderer() {}

static RecordedEvent& record(const Renderer* renderer, RecordedEvent::Kind kind) {
    RecordedEvent& e = recorder().add(kind);
    e.renderer = renderer;
    return e;
}

bool Renderer::init() {
    record(this, RecordedEvent::rendererInit);
    Shader::bound = nullptr;
    return true;
}

void Renderer::enableDepthTest(bool on) {
    record(this, RecordedEvent::depthTest).on = on;
}

void Renderer::enableDepthMask(bool on) {
    record(this, RecordedEvent::depthMask).on = on;
}

void Renderer::clear() {
    record(this, RecordedEvent::clear);
}

void Renderer::clearDepth() {
    record(this, RecordedEvent::clearDepth);
}

void Renderer::viewPort(int x, int y, int width, int height) {
    RecordedEvent& e = record(this, RecordedEvent::viewPort);
    e.x = x;
    e.y = y;
    e.width = width;
    e.height = height;
}

void Renderer::beginFrame() {
    record(this, RecordedEvent::beginFrame);
}

void Renderer::endFrame() {
    record(this, RecordedEvent::endFrame);
}

unsigned int Renderer::createVertexInputBuffer(unsigned int size, unsigned char* inputSizes,
                                               float** inputs, unsigned int inputCount) {
    Recorder& r = recorder();
    RecordedVertexInput input;
    input.vertexCount = size;
    input.inputSizes.assign(inputSizes, inputSizes + inputCount);
    for (unsigned int i = 0; i < inputCount; ++i) {
        std::size_t floats = std::size_t(size) * inputSizes[i];
        // Reads every float the GPU would: a short array shows under ASan.
        input.inputs.emplace_back(inputs[i] ? std::vector<float>(inputs[i], inputs[i] + floats)
                                            : std::vector<float>());
    }
    r.vertexInputs.push_back(input);
    unsigned int handle = r.vertexInputCount() - 1;
    RecordedEvent& e = record(this, RecordedEvent::createVertexInput);
    e.handle = handle;
    e.count = int(size);
    return handle;
}

unsigned int Renderer::createIndexBuffer(unsigned int size, unsigned short* indices) {
    Recorder& r = recorder();
    RecordedIndexBuffer buffer;
    if (indices)
        buffer.indices.assign(indices, indices + size);
    r.indexBuffers.push_back(buffer);
    RecordedEvent& e = record(this, RecordedEvent::createIndexBuffer);
    e.handle = r.indexBufferCount() - 1;
    e.count = int(size);
    e.indices = buffer.indices;
    return e.handle;
}

static void sendToInput(const Renderer* renderer, RecordedEvent::Kind kind, unsigned int input,
                        unsigned int vertexInput, float* data, unsigned int count) {
    RecordedEvent& e = record(renderer, kind);
    e.handle = vertexInput;
    e.count = int(count);
    e.values.assign(data, data + count);
    RecordedVertexInput* v = recorder().liveVertexInput(vertexInput, "send to buffer");
    if (v && input < v->inputs.size())
        v->inputs[input] = recorder().events().back().values;
}

void Renderer::sendVerticesToBuffer(unsigned int vertexInput, float* data, unsigned int count) {
    sendToInput(this, RecordedEvent::sendVertices, 0, vertexInput, data, count);
}

void Renderer::sendUVsToBuffer(unsigned int vertexInput, float* data, unsigned int count) {
    sendToInput(this, RecordedEvent::sendUVs, 1, vertexInput, data, count);
}

void Renderer::sendDataToBuffer(unsigned int vertexInput, float* data, unsigned int count) {
    sendToInput(this, RecordedEvent::sendData, 2, vertexInput, data, count);
}

void Renderer::sendIndicesToBuffer(unsigned int indexBuffer, unsigned short* data,
                                   unsigned int count) {
    RecordedEvent& e = record(this, RecordedEvent::sendIndices);
    e.handle = indexBuffer;
    e.count = int(count);
    e.indices.assign(data, data + count);
    if (RecordedIndexBuffer* b = recorder().liveIndexBuffer(indexBuffer, "send indices"))
        b->indices = recorder().events().back().indices;
}

void Renderer::deleteBuffer(unsigned int index) {
    record(this, RecordedEvent::deleteBuffer).handle = index;
    if (RecordedIndexBuffer* b = recorder().liveIndexBuffer(index, "deleteBuffer"))
        b->released = true;
}

void Renderer::deleteVertexInputBuffer(unsigned int index) {
    record(this, RecordedEvent::deleteVertexInput).handle = index;
    if (RecordedVertexInput* v = recorder().liveVertexInput(index, "deleteVertexInputBuffer"))
        v->released = true;
}

// An entry of the index-buffer table without storage.
static unsigned int createSingleBuffer(const Renderer* renderer, const char* kind,
                                       unsigned int size) {
    Recorder& r = recorder();
    r.indexBuffers.push_back(RecordedIndexBuffer());
    RecordedEvent& e = record(renderer, RecordedEvent::createBuffer);
    e.handle = r.indexBufferCount() - 1;
    e.count = int(size);
    e.name = kind;
    return e.handle;
}

unsigned int Renderer::createVertexBuffer(unsigned int size) {
    return createSingleBuffer(this, "vertex", size);
}

unsigned int Renderer::createBuffer(unsigned int size) {
    return createSingleBuffer(this, "buffer", size);
}

unsigned int Renderer::createIndexBuffer(unsigned int size) {
    return createSingleBuffer(this, "index", size);
}

unsigned int Renderer::createUVBuffer(unsigned int size) {
    return createSingleBuffer(this, "uv", size);
}

unsigned int Renderer::getUniformID() {
    return 0;
}

unsigned int Renderer::getTextureID() {
    return recorder().nextTextureID++;
}
