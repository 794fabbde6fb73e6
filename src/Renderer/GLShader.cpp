// OpenGL back end: GLSL shader programs (a .vert and .frag pair each).
#include "Renderer/Shader.h"

#include <cstdio>

#include "Renderer/PC/Windows/GLPlatform.h"

Shader::Shader() : data(new PlatformShaderData) {}

Shader::~Shader() {
    if (bound == this) {
        unbind();
        glUseProgram(0);
        bound = nullptr;
    }
    // Only a loaded shader has GL objects (and loaded entry points).
    if (data->glslProgram) {
        if (data->vertexShader)
            glDetachShader(data->glslProgram, data->vertexShader);
        if (data->fragmentShader)
            glDetachShader(data->glslProgram, data->fragmentShader);
    }
    delete data;
    freeLayouts();
}

bool Shader::load(const std::string& name) {
    data->vertexShader = glCreateShader(GL_VERTEX_SHADER);
    data->fragmentShader = glCreateShader(GL_FRAGMENT_SHADER);
    data->glslProgram = glCreateProgram();
    std::string vertexText = loadShader(name + ".vert");
    std::string fragmentText = loadShader(name + ".frag");
    const char* text = vertexText.c_str();
    glShaderSource(data->vertexShader, 1, &text, nullptr);
    text = fragmentText.c_str();
    glShaderSource(data->fragmentShader, 1, &text, nullptr);
    return !vertexText.empty() && !fragmentText.empty();
}

void Shader::setInput(Renderer::VertexInputDesc desc, UniformLayout* uniforms,
                      unsigned int uniformsSize) {
    // Input i is fed from attribute buffer i of a renderer vertex input.
    static const InputLayout layout[] = {
        {"inVertex", 0, 3}, {"inTexCoord", 0, 2}, {"inColor", 0, 3}, {"inNormal", 0, 3}};
    bool known = desc == Renderer::VERTEX_INPUT_POSITION3_UV2_COLOR3_NORMAL3;
    copyLayouts(known ? layout : nullptr, known ? 4 : 0, uniforms, uniformsSize);
}

// A shader that fails with a log is printed and deleted (its name becomes 0).
static bool compileStage(GLuint& shader, const char* label, GLenum type) {
    glCompileShader(shader);
    GLint status = GL_FALSE;
    glGetShaderiv(shader, GL_COMPILE_STATUS, &status);
    if (status == GL_TRUE)
        return true;
    GLint length = 0;
    glGetShaderiv(shader, GL_INFO_LOG_LENGTH, &length);
    if (length != 0) {
        char* log = new char[length];
        glGetShaderInfoLog(shader, length, nullptr, log);
        std::printf("Could not compile %s %u:\n%s\n", label, unsigned(type), log);
        std::fflush(stdout);
        delete[] log;
        glDeleteShader(shader);
        shader = 0;
    }
    return false;
}

bool Shader::compile() {
    if (!data->glslProgram)
        return false;
    bool vertexOk = compileStage(data->vertexShader, "vertexShader", GL_VERTEX_SHADER);
    bool fragmentOk = compileStage(data->fragmentShader, "fragmentShader", GL_FRAGMENT_SHADER);
    if (data->vertexShader)
        glAttachShader(data->glslProgram, data->vertexShader);
    if (data->fragmentShader)
        glAttachShader(data->glslProgram, data->fragmentShader);
    glLinkProgram(data->glslProgram);
    GLint linked = GL_FALSE;
    glGetProgramiv(data->glslProgram, GL_LINK_STATUS, &linked);
    if (linked != GL_TRUE) {
        std::printf("programme non linke\n");
        std::fflush(stdout);
    }
    return vertexOk && fragmentOk && linked == GL_TRUE;
}

void Shader::bind() {
    if (bound)
        bound->unbind();
    glUseProgram(data->glslProgram);
    for (unsigned int i = 0; i < mInputsSize; i++) {
        mInputs[i].location = glGetAttribLocation(data->glslProgram, mInputs[i].name);
        if (mInputs[i].location >= 0)
            glEnableVertexAttribArray(mInputs[i].location);
    }
    for (unsigned int i = 0; i < mUniformsSize; i++)
        mUniforms[i].location = glGetUniformLocation(data->glslProgram, mUniforms[i].name);
    bound = this;
}

void Shader::unbind() {
    for (unsigned int i = 0; i < mInputsSize; i++)
        if (mInputs[i].location >= 0)
            glDisableVertexAttribArray(mInputs[i].location);
}

// glUniform writes into the current program, so only the bound shader takes a
// send: another one's location would land in the bound program's uniforms.
void Shader::writeUniform(const char*, int location, const float* v, unsigned int count) {
    if (bound != this)
        return;
    switch (count) {
    case 16:
        glUniformMatrix4fv(location, 1, GL_FALSE, v);
        break;
    case 9:
        glUniformMatrix3fv(location, 1, GL_FALSE, v);
        break;
    case 1:
        glUniform1f(location, v[0]);
        break;
    case 2:
        glUniform2f(location, v[0], v[1]);
        break;
    case 3:
        glUniform3f(location, v[0], v[1], v[2]);
        break;
    case 4:
        glUniform4f(location, v[0], v[1], v[2], v[3]);
        break;
    }
}

void Shader::bindVertexInput(int buffer) {
    Renderer::PlatformData::VertexInput* input = Renderer::renderer.data->vertexInput(buffer);
    if (!input)
        return;
    for (unsigned int i = 0; i < input->size && i < mInputsSize; i++) {
        glBindBuffer(GL_ARRAY_BUFFER, input->handles[i]);
        if (mInputs[i].location >= 0)
            glVertexAttribPointer(mInputs[i].location, mInputs[i].size, GL_FLOAT, GL_FALSE, 0,
                                  nullptr);
    }
}

void Shader::bindVertices(int buffer) {
    bindBuffer(buffer, "inVertex", 3);
}

void Shader::bindUVs(int buffer) {
    bindBuffer(buffer, "inTexCoord", 2);
}

// An input the table lacks is found at location 0 (findInputLocation).
void Shader::bindBuffer(int buffer, const char* name, int size) {
    GLuint handle = Renderer::renderer.data->buffer(unsigned(buffer));
    if (!handle)
        return;
    glBindBuffer(GL_ARRAY_BUFFER, handle);
    int location = findInputLocation(name);
    if (location >= 0)
        glVertexAttribPointer(location, size, GL_FLOAT, GL_FALSE, 0, nullptr);
}

unsigned int Shader::programId() {
    return data->glslProgram;
}

void Shader::drawIndexed(int indexBuffer, int nbIndices) {
    GLuint name = Renderer::renderer.data->buffer(indexBuffer);
    if (!name)
        return;
    glBindBuffer(GL_ELEMENT_ARRAY_BUFFER, name);
    glDrawElements(GL_TRIANGLES, nbIndices, GL_UNSIGNED_SHORT, nullptr);
}

void Shader::drawIndexed(int nbIndices) {
    glDrawElements(GL_TRIANGLES, nbIndices, GL_UNSIGNED_SHORT, nullptr);
}
