#pragma once

// OpenGL back end: what it keeps behind the shared Renderer, Shader and
// Texture declarations.
#include <vector>

#include "Renderer/PC/Windows/gli.h"
#include "Renderer/Renderer.h"
#include "Renderer/Shader.h"
#include "Texture.h"

struct Renderer::PlatformData {
    // One buffer per vertex attribute, in the order the arrays were given.
    struct VertexInput {
        GLuint* handles;
        unsigned int size;
    };
    // A handle is an index into one of these tables; entries are never removed,
    // and a deleted entry keeps no GL names (0 or an empty VertexInput).
    std::vector<GLuint> bufferHandles;
    std::vector<VertexInput> vertexInputHandles;

    // Null for a handle that names no entry.
    VertexInput* vertexInput(unsigned int handle);
    // 0 for a handle that names no entry or a deleted buffer.
    GLuint buffer(unsigned int handle);
};

struct Shader::PlatformShaderData {
    GLuint glslProgram = 0;
    GLuint vertexShader = 0;
    GLuint fragmentShader = 0;
};

struct Texture::PlatformTextureData {
    GLuint textureID = 0;
    GLint nbChannels = GL_RGBA;     // internal format
    GLenum channelsOrder = GL_RGBA; // layout of the pixel buffer
};
