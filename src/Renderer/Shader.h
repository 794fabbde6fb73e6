#pragma once

#include <string>

#include "MathUtils/Vector2D.h"
#include "MathUtils/Vector3D.h"
#include "Renderer/Renderer.h"

// A GPU program read from the shader files named by a path without extension,
// with the one vertex layout and a caller-given table of named uniforms.
//
// Shared declaration, like Renderer: the back end defines PlatformShaderData and
// the members that touch the GPU. The uniform table and the shader-file reader
// are the same code in every build.
class Shader {
public:
    struct InputLayout {
        const char* name;
        int location;
        unsigned short size; // floats
    };
    struct UniformLayout {
        const char* name;
        int location;
        unsigned short size; // floats
    };
    struct PlatformShaderData;

    // The shader bound last; sends and draws go to it.
    static Shader* bound;

    Shader();
    ~Shader();
    Shader(const Shader&) = delete;
    Shader& operator=(const Shader&) = delete;

    // Reads and hands the sources to the back end; false when a file is missing.
    bool load(const std::string& name);
    // The whole text file, or "" with "Could not load shader: <path>" on stderr.
    static std::string loadShader(const std::string& path);

    void setInput(Renderer::VertexInputDesc desc, UniformLayout* uniforms,
                  unsigned int uniformsSize);
    // Makes the shader usable (compile and link, or the pipeline states);
    // false when that failed. createPipelineState is the same step under the
    // Direct3D 12 name, on every back end: call one of the two, once.
    bool compile();
    bool createPipelineState();
    void bind();
    void unbind();

    // Shared: a value reaches the back end only when this shader declares the
    // name; anything else is dropped without a word. Game code sends to
    // Shader::bound: OpenGL drops a send to any other shader, Direct3D 12
    // keeps it in that shader's constant block.
    void sendMatrix4x4(const char* name, float* m);
    void sendMatrix3x3(const char* name, float* m);
    void sendFloat(const char* name, float value);
    void sendVector2D(const char* name, Vector2D v);
    void sendVector3D(const char* name, Vector3D v);
    void sendVector4D(const char* name, float* v);

    void bindVertexInput(int buffer);
    // One single renderer buffer (a handle of Renderer::createVertexBuffer and
    // the like) as the input "inVertex" (3 floats), "inTexCoord" (2) or name
    // (size floats); nothing in the shipped programs calls them.
    void bindVertices(int buffer);
    void bindUVs(int buffer);
    void bindBuffer(int buffer, const char* name, int size);
    // The back end's name of the program (OpenGL); 0 where there is none.
    unsigned int programId();
    void drawIndexed(int indexBuffer, int nbIndices);
    void drawIndexed(int nbIndices); // from the index buffer bound by the previous draw

    // Exact name comparison against the tables.
    bool inputExists(const char* name);
    bool uniformExists(const char* name);
    int findUniformLocation(const char* name); // -1 when not declared
    int findInputLocation(const char* name);   // 0 when not declared

    PlatformShaderData* data = nullptr;
    unsigned int mInputsSize = 0;
    InputLayout* mInputs = nullptr;
    unsigned int mUniformsSize = 0;
    UniformLayout* mUniforms = nullptr;

private:
    // The send family: count floats for name, when the table declares it.
    void send(const char* name, const float* values, unsigned int count);
    // The back end's part of a send: count floats for the uniform at location
    // (16: a 4 x 4 matrix, 9: a 3 x 3 matrix, 1 to 4: a float or a vector).
    void writeUniform(const char* name, int location, const float* values, unsigned int count);
    // The shared part of setInput: copies both tables, names included, in
    // place of earlier ones. Each back end passes its own input names.
    void copyLayouts(const InputLayout* inputs, unsigned int inputsSize,
                     const UniformLayout* uniforms, unsigned int uniformsSize);
    // Frees both tables and their names; the destructors call it.
    void freeLayouts();
};
