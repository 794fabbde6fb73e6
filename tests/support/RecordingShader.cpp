// Shader of the recording back end: uniform sends and draws go to the log.
#include "Recorder.h"

struct Shader::PlatformShaderData {
    std::string path;
    unsigned int program = 0;
};

// Each shader stands for a program with a name of its own, from 1.
Shader::Shader() : data(new PlatformShaderData) {
    static unsigned int nextProgram = 1;
    data->program = nextProgram++;
}

Shader::~Shader() {
    if (bound == this)
        bound = nullptr;
    freeLayouts();
    delete data;
}

static RecordedEvent& record(const Shader* shader, RecordedEvent::Kind kind) {
    RecordedEvent& e = recorder().add(kind);
    e.shader = shader;
    return e;
}

bool Shader::load(const std::string& name) {
    data->path = name;
    record(this, RecordedEvent::shaderLoad).name = name;
    bool vertex = !loadShader(name + ".vert").empty();
    bool fragment = !loadShader(name + ".frag").empty();
    return vertex && fragment;
}

void Shader::setInput(Renderer::VertexInputDesc desc, UniformLayout* uniforms,
                      unsigned int uniformsSize) {
    // The input names of the GLSL shader files.
    static const InputLayout inputs[] = {
        {"inVertex", 0, 3}, {"inTexCoord", 0, 2}, {"inColor", 0, 3}, {"inNormal", 0, 3}};
    bool known = desc == Renderer::VERTEX_INPUT_POSITION3_UV2_COLOR3_NORMAL3;
    copyLayouts(inputs, known ? 4 : 0, uniforms, uniformsSize);
    record(this, RecordedEvent::shaderSetInput).count = int(uniformsSize);
}

bool Shader::compile() {
    record(this, RecordedEvent::shaderCompile);
    return true;
}

void Shader::bind() {
    if (bound)
        bound->unbind();
    // Every declared name is in the recorded "program", at its table index.
    for (unsigned int i = 0; i < mInputsSize; ++i)
        mInputs[i].location = int(i);
    for (unsigned int i = 0; i < mUniformsSize; ++i)
        mUniforms[i].location = int(i);
    bound = this;
    record(this, RecordedEvent::shaderBind);
}

void Shader::unbind() {
    record(this, RecordedEvent::shaderUnbind);
}

// Logged whether bound or not; a send to a shader that is not bound is a
// fault, as the editions part ways there (OpenGL drops it, Direct3D 12 keeps it).
void Shader::writeUniform(const char* name, int, const float* values, unsigned int count) {
    RecordedEvent& e = record(this, RecordedEvent::uniform);
    e.name = name;
    e.values.assign(values, values + count);
    if (bound != this)
        recorder().fault(std::string("send of ") + name + " to a shader that is not bound");
}

void Shader::bindVertexInput(int buffer) {
    recorder().lastVertexInput = unsigned(buffer);
    record(this, RecordedEvent::bindVertexInput).vertexInput = unsigned(buffer);
}

void Shader::bindVertices(int buffer) {
    bindBuffer(buffer, "inVertex", 3);
}

void Shader::bindUVs(int buffer) {
    bindBuffer(buffer, "inTexCoord", 2);
}

void Shader::bindBuffer(int buffer, const char* name, int size) {
    RecordedEvent& e = record(this, RecordedEvent::bindBuffer);
    e.handle = unsigned(buffer);
    e.name = name ? name : "";
    e.count = size;
    recorder().liveIndexBuffer(unsigned(buffer), "bindBuffer");
}

unsigned int Shader::programId() {
    return data->program;
}

static void draw(Shader* shader, unsigned int indexBuffer, int nbIndices) {
    Recorder& r = recorder();
    RecordedEvent& e = record(shader, RecordedEvent::draw);
    e.vertexInput = r.lastVertexInput;
    e.handle = indexBuffer;
    e.count = nbIndices;
    if (Shader::bound != shader)
        r.fault("draw through a shader that is not bound");
    r.checkDraw(r.lastVertexInput, indexBuffer, nbIndices);
}

void Shader::drawIndexed(int indexBuffer, int nbIndices) {
    recorder().lastIndexBuffer = unsigned(indexBuffer);
    draw(this, unsigned(indexBuffer), nbIndices);
}

void Shader::drawIndexed(int nbIndices) {
    draw(this, recorder().lastIndexBuffer, nbIndices);
}
