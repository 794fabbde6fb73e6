// The parts of Texture that every back end shares.
#include "Texture.h"

#include <cstdio>
#include <cstring>

#include "Image.h"

Texture* Texture::bound = nullptr;

// The unit Texture::bound is on, where the back end binds per unit.
static int boundUnit = 0;

Texture::FileKind Texture::fileKindOf(const char* path) {
    std::size_t length = path ? std::strlen(path) : 0;
    if (length < 4)
        return fileGlyphAtlas;
    const char* ending = path + length - 4;
    if (std::strcmp(ending, ".bmp") == 0)
        return fileBMP;
    if (std::strcmp(ending, ".png") == 0)
        return filePNG;
    return fileGlyphAtlas;
}

Texture::Texture(const char* path) : Texture() {
    load(path);
}

void Texture::deletePixels() {
    delete[] pixels;
    pixels = nullptr;
}

Texture::FileKind Texture::loadPixels(const char* path) {
    deletePixels();
    FileKind kind = fileKindOf(path);
    if (!path) {
        width = height = 0;
        return kind;
    }
    switch (kind) {
    case fileBMP:
        pixels = Image::loadBMP24(path, &width, &height);
        break;
    case filePNG:
        pixels = Image::loadPNG(path, &width, &height);
        break;
    case fileGlyphAtlas:
        pixels = Image::loadBMP24Font(path, &width, &height);
        break;
    }
    if (!pixels)
        width = height = 0;
    return kind;
}

bool Texture::hasPixelsToUpload() const {
    if (pixels && width > 0 && height > 0)
        return true;
    std::fprintf(stderr, "Texture without pixels (%u x %u): uploading a 1x1 white placeholder\n",
                 unsigned(width), unsigned(height));
    return false;
}

void Texture::bind(int index) {
    if (bound == this && (!bindsPerUnit() || boundUnit == index))
        return;
    if (!bindOnGPU(index))
        return;
    bound = this;
    boundUnit = index;
}

// No later bind may be skipped on the strength of what the upload replaced:
// the texture bound before (where the upload binds the new one), or this
// texture's old storage.
void Texture::loadToGPU() {
    uploadToGPU();
    if (uploadBinds())
        bound = nullptr;
    else
        forgetIfBound();
}

void Texture::unloadFromGPU() {
    releaseFromGPU();
    forgetIfBound();
}

void Texture::forgetIfBound() {
    if (bound == this)
        bound = nullptr;
}
