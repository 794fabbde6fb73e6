// The parts of Shader that every back end shares: the shader-file reader, the
// input and uniform tables and the name look-up of every send.
#include "Renderer/Shader.h"

#include <cstdio>
#include <cstring>

#include "DataFile.h"

Shader* Shader::bound = nullptr;

std::string Shader::loadShader(const std::string& path) {
    std::string text, reason;
    if (!readFileQuietly(path, text, reason))
        std::fprintf(stderr, "Could not load shader: %s\n", path.c_str());
    return text;
}

namespace {

char* copyName(const char* name) {
    if (!name)
        name = "";
    std::size_t size = std::strlen(name) + 1;
    char* copy = new char[size];
    std::memcpy(copy, name, size);
    return copy;
}

// InputLayout and UniformLayout have the same fields.
template <class Layout> Layout* copyTable(const Layout* table, unsigned int size) {
    if (!table || size == 0)
        return nullptr;
    Layout* copy = new Layout[size];
    for (unsigned int i = 0; i < size; ++i) {
        copy[i] = table[i];
        copy[i].name = copyName(table[i].name);
    }
    return copy;
}

template <class Layout> void freeTable(Layout*& table, unsigned int& size) {
    for (unsigned int i = 0; i < size; ++i)
        delete[] table[i].name;
    delete[] table;
    table = nullptr;
    size = 0;
}

template <class Layout>
const Layout* findName(const Layout* table, unsigned int size, const char* name) {
    if (!name)
        return nullptr;
    for (unsigned int i = 0; i < size; ++i)
        if (std::strcmp(table[i].name, name) == 0)
            return &table[i];
    return nullptr;
}

} // namespace

void Shader::copyLayouts(const InputLayout* inputs, unsigned int inputsSize,
                         const UniformLayout* uniforms, unsigned int uniformsSize) {
    freeLayouts();
    mInputs = copyTable(inputs, inputsSize);
    mInputsSize = mInputs ? inputsSize : 0;
    mUniforms = copyTable(uniforms, uniformsSize);
    mUniformsSize = mUniforms ? uniformsSize : 0;
}

void Shader::freeLayouts() {
    freeTable(mInputs, mInputsSize);
    freeTable(mUniforms, mUniformsSize);
}

bool Shader::createPipelineState() {
    return compile();
}

bool Shader::inputExists(const char* name) {
    return findName(mInputs, mInputsSize, name);
}

bool Shader::uniformExists(const char* name) {
    return findName(mUniforms, mUniformsSize, name);
}

int Shader::findUniformLocation(const char* name) {
    const UniformLayout* uniform = findName(mUniforms, mUniformsSize, name);
    return uniform ? uniform->location : -1;
}

int Shader::findInputLocation(const char* name) {
    const InputLayout* input = findName(mInputs, mInputsSize, name);
    return input ? input->location : 0;
}

void Shader::send(const char* name, const float* values, unsigned int count) {
    int location = findUniformLocation(name);
    if (location >= 0)
        writeUniform(name, location, values, count);
}

void Shader::sendMatrix4x4(const char* name, float* m) {
    send(name, m, 16);
}

void Shader::sendMatrix3x3(const char* name, float* m) {
    send(name, m, 9);
}

void Shader::sendFloat(const char* name, float value) {
    send(name, &value, 1);
}

void Shader::sendVector2D(const char* name, Vector2D v) {
    const float values[2] = {v.x, v.y};
    send(name, values, 2);
}

void Shader::sendVector3D(const char* name, Vector3D v) {
    const float values[3] = {v.x, v.y, v.z};
    send(name, values, 3);
}

void Shader::sendVector4D(const char* name, float* v) {
    send(name, v, 4);
}
