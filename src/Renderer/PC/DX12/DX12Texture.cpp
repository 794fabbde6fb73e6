// Textures of the Direct3D 12 edition: 4 bytes per texel, uploaded through the
// renderer's upload list, viewed from a texture slot of the view heap and
// sampled with one of the renderer's eight samplers.
#include "Renderer/PC/DX12/DX12Platform.h"

#include <cstdio>

#include "Renderer/PC/DX12/DX12Logic.h"

Texture::Texture() : data(new PlatformTextureData) {}

Texture::~Texture() {
    forgetIfBound();
    deletePixels();
    // Draws and an upload may still be recorded for it.
    retire(data->resource);
    delete data;
}

void Texture::load(const char* path) {
    FileKind kind = loadPixels(path);
    data->format = kind == fileGlyphAtlas ? DXGI_FORMAT_B8G8R8A8_UNORM : DXGI_FORMAT_R8G8B8A8_UNORM;
    if (kind == fileBMP && pixels) {
        unsigned char* rgba = bmpToRgba(pixels, width, height);
        deletePixels();
        pixels = rgba;
    }
}

void Texture::uploadToGPU() {
    Renderer::PlatformData& r = dx12();
    if (!r.device)
        return;
    if (data->textureSlot < 0) {
        data->textureSlot = r.textureSlots.take();
        if (data->textureSlot < 0) {
            if (!r.reportedTextureLimit)
                std::printf("More than %d textures: the others are drawn with a placeholder\n",
                            textureSlotCount);
            r.reportedTextureLimit = true;
            return;
        }
    }
    retire(data->resource);

    const unsigned char* texels = pixels;
    unsigned int w = width;
    unsigned int h = height;
    DXGI_FORMAT format = data->format;
    if (!hasPixelsToUpload()) {
        texels = placeholderTexel;
        w = h = 1;
        format = DXGI_FORMAT_R8G8B8A8_UNORM;
    }
    data->resource = uploadTexture(texels, w, h, format);
    if (data->resource)
        createTextureView(data->resource, format, data->textureSlot);
}

void Texture::releaseFromGPU() {
    retire(data->resource);
}

// One texture table whatever the unit, and an upload goes through the upload
// list without touching what the draw list has bound.
bool Texture::bindsPerUnit() {
    return false;
}

bool Texture::uploadBinds() {
    return false;
}

// Binds on root table 0; the unit is not used (t1 is never filled). Nothing
// is bound outside a frame or without a shader. A texture without storage of
// its own is drawn with the placeholder until its upload.
bool Texture::bindOnGPU(int) {
    Renderer::PlatformData& r = dx12();
    if (!Shader::bound || !r.recording)
        return false;
    int sampler = data->samplerIndex;
    if (sampler != r.boundSampler && r.samplerHeaps[sampler]) {
        ID3D12DescriptorHeap* heaps[2] = {r.viewHeap, r.samplerHeaps[sampler]};
        r.drawList->SetDescriptorHeaps(2, heaps);
        D3D12_GPU_DESCRIPTOR_HANDLE start;
        r.samplerHeaps[sampler]->GetGPUDescriptorHandleForHeapStart(&start);
        r.drawList->SetGraphicsRootDescriptorTable(2, start);
        r.boundSampler = sampler;
    }
    int slot = data->resource ? data->textureSlot : placeholderSlot;
    r.drawList->SetGraphicsRootDescriptorTable(0, r.viewGpuHandle(slot));
    return true;
}

void Texture::smooth(bool on) {
    data->samplerIndex = samplerIndexFor(on, samplerWrapMode(data->samplerIndex));
    // The new sampler must reach the next bind.
    forgetIfBound();
}

void Texture::setWrapMode(TextureRepeatMode mode) {
    if (mode < mirroredRepeat || mode > clampToBorder)
        return;
    data->samplerIndex = samplerIndexFor(samplerIsSmooth(data->samplerIndex), mode);
    forgetIfBound();
}
