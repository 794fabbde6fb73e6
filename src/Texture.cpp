// OpenGL back end: textures, uploaded with glTexImage2D.
#include "Texture.h"

#include "Renderer/PC/Windows/GLPlatform.h"

Texture::Texture() : data(new PlatformTextureData) {}

Texture::~Texture() {
    forgetIfBound();
    deletePixels();
    delete data;
}

void Texture::load(const char* path) {
    switch (loadPixels(path)) {
    case fileBMP:
        data->nbChannels = GL_RGB;
        data->channelsOrder = GL_BGR;
        break;
    case filePNG:
        data->nbChannels = GL_RGBA;
        data->channelsOrder = GL_RGBA;
        break;
    case fileGlyphAtlas:
        data->nbChannels = GL_RGBA;
        data->channelsOrder = GL_BGRA;
        break;
    }
}

// Rows go up as the reader laid them out, bottom row first, 4-byte aligned.
// The texture is left bound on the active unit, which is always unit 0.
void Texture::uploadToGPU() {
    data->textureID = Renderer::renderer.getTextureID();
    glBindTexture(GL_TEXTURE_2D, data->textureID);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MAG_FILTER, GL_LINEAR);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, GL_LINEAR);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_WRAP_S, GL_MIRRORED_REPEAT);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_WRAP_T, GL_MIRRORED_REPEAT);
    if (!hasPixelsToUpload()) {
        static const unsigned char white[4] = {255, 255, 255, 255};
        glTexImage2D(GL_TEXTURE_2D, 0, GL_RGBA, 1, 1, 0, GL_RGBA, GL_UNSIGNED_BYTE, white);
        return;
    }
    glTexImage2D(GL_TEXTURE_2D, 0, data->nbChannels, width, height, 0, data->channelsOrder,
                 GL_UNSIGNED_BYTE, pixels);
}

// The name is forgotten: the driver may give it to a later texture.
void Texture::releaseFromGPU() {
    if (data->textureID)
        glDeleteTextures(1, &data->textureID);
    data->textureID = 0;
}

// Each unit holds its own texture, and glTexImage2D needs the texture bound.
bool Texture::bindsPerUnit() {
    return true;
}

bool Texture::uploadBinds() {
    return true;
}

bool Texture::bindOnGPU(int index) {
    if (index != 0)
        glActiveTexture(GL_TEXTURE0 + index);
    glBindTexture(GL_TEXTURE_2D, data->textureID);
    if (index != 0) {
        // A second texture is sampled through "texture1" on unit 1.
        if (Shader::bound)
            glUniform1i(glGetUniformLocation(Shader::bound->data->glslProgram, "texture1"), 1);
        glActiveTexture(GL_TEXTURE0);
    }
    return true;
}

void Texture::smooth(bool on) {
    bind(0);
    GLint filter = on ? GL_LINEAR : GL_NEAREST;
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MAG_FILTER, filter);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, filter);
}

void Texture::setWrapMode(TextureRepeatMode mode) {
    bind(0);
    GLint wrap;
    switch (mode) {
    case mirroredRepeat:
        wrap = GL_MIRRORED_REPEAT;
        break;
    case repeat:
        wrap = GL_REPEAT;
        break;
    case clampToEdge:
        wrap = GL_CLAMP_TO_EDGE;
        break;
    case clampToBorder:
        wrap = GL_CLAMP_TO_BORDER;
        break;
    default:
        return;
    }
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_WRAP_S, wrap);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_WRAP_T, wrap);
}
