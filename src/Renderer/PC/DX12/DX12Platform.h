#pragma once

// What the Direct3D 12 back end keeps behind the shared Renderer, Shader and
// Texture declarations. Only the DX12 sources include this.
//
// windows.h comes first: it brings MinGW's rpcndr.h before the newer d3d12.h
// of DirectX-Headers (which d3dx12.h needs) asks for a later one.
#include <windows.h>

#include <d3d12.h>
#include <dxgi1_4.h>

#include <d3dx12.h>

#include <dxguids.h>

#include <cstdint>
#include <vector>

#include "Renderer/PC/DX12/DX12Logic.h"
#include "Renderer/Renderer.h"
#include "Renderer/Shader.h"
#include "Texture.h"

// View heap: texture views first, then one constant-buffer view per block, then
// the view of the placeholder texture that stands in for refused textures.
const int textureSlotCount = 256;
const int constantSlotFirst = textureSlotCount;
const int constantSlotCount = 7936;
const int constantSlotLast = constantSlotFirst + constantSlotCount - 1;
const int placeholderSlot = constantSlotLast + 1;
const int viewHeapSize = placeholderSlot + 1;
const unsigned int constantBlockBytes = constantBlockFloats * sizeof(float);
const unsigned int stagedUploadLimit = 128;
const unsigned int samplerHeapCount = 32;
const UINT backBufferCount = 2;
const DXGI_FORMAT backBufferFormat = DXGI_FORMAT_R8G8B8A8_UNORM;
const DXGI_FORMAT depthFormat = DXGI_FORMAT_D32_FLOAT;

struct Renderer::PlatformData {
    ID3D12Device* device = nullptr;
    ID3D12CommandQueue* queue = nullptr;
    IDXGISwapChain3* swapChain = nullptr;
    ID3D12DescriptorHeap* renderTargetHeap = nullptr;
    UINT renderTargetDescriptorSize = 0;
    ID3D12Resource* renderTargets[backBufferCount] = {};
    ID3D12DescriptorHeap* depthHeap = nullptr;
    ID3D12Resource* depthBuffer = nullptr;
    ID3D12CommandAllocator* drawAllocator = nullptr;
    ID3D12GraphicsCommandList* drawList = nullptr;
    ID3D12CommandAllocator* uploadAllocator = nullptr;
    ID3D12GraphicsCommandList* uploadList = nullptr;
    ID3D12RootSignature* rootSignature = nullptr;
    D3D12_VIEWPORT viewport = {};
    D3D12_RECT scissor = {};
    UINT frameIndex = 0;
    D3D12_CPU_DESCRIPTOR_HANDLE renderTargetHandle = {};
    D3D12_CPU_DESCRIPTOR_HANDLE depthHandle = {};
    ID3D12Fence* fence = nullptr;
    UINT64 fenceValue = 0;
    HANDLE event = nullptr;
    ID3D12DescriptorHeap* viewHeap = nullptr;
    UINT viewDescriptorSize = 0;
    D3D12_SAMPLER_DESC samplerDescriptions[samplerHeapCount] = {};
    ID3D12DescriptorHeap* samplerHeaps[samplerHeapCount] = {};
    ID3D12Resource* constantBuffer = nullptr;
    unsigned char* mapped = nullptr;

    // A handle is an index here; an empty mesh keeps a null buffer.
    std::vector<ID3D12Resource*> vertexBuffers;
    std::vector<D3D12_VERTEX_BUFFER_VIEW> vertexViews;
    std::vector<ID3D12Resource*> indexBuffers;
    std::vector<D3D12_INDEX_BUFFER_VIEW> indexViews;
    std::vector<std::vector<float>> vertexCopies;
    std::vector<std::vector<std::uint32_t>> indexCopies;

    // Upload-heap buffers of the texture copies recorded since the last flush.
    ID3D12Resource* staged[stagedUploadLimit] = {};
    unsigned int stagedCount = 0;
    ID3D12Resource* placeholderTexture = nullptr;

    SlotRanges textureSlots;
    SlotRanges constantSlots;
    // Objects given up while the GPU may still read them.
    DeferredReleases releases;
    // One switch for the depth test and depth writes.
    bool depthOn = true;
    // The upload list is open and holds copies not yet run.
    bool pendingUploads = false;
    // The draw list is open: between beginFrame and endFrame.
    bool recording = false;
    // The sampler heap set on the draw list, -1 for none this frame.
    int boundSampler = -1;
    // The pipeline state set on the draw list, null for none this frame.
    ID3D12PipelineState* currentPipeline = nullptr;
    // Each limit is reported once per run.
    bool reportedDrawLimit = false;
    bool reportedTextureLimit = false;

    D3D12_GPU_DESCRIPTOR_HANDLE viewGpuHandle(int slot);
    D3D12_CPU_DESCRIPTOR_HANDLE viewCpuHandle(int slot);
};

struct Shader::PlatformShaderData {
    D3D12_INPUT_ELEMENT_DESC* inputElements = nullptr;
    unsigned int inputElementCount = 0;
    ID3DBlob* vertexShaderCode = nullptr;
    ID3DBlob* pixelShaderCode = nullptr;
    ID3D12PipelineState* pipelineWithDepth = nullptr;
    ID3D12PipelineState* pipelineWithoutDepth = nullptr;
    float constants[constantBlockFloats] = {};
    int constantSlot = -1;
    int vertexInput = -1;
    int indexBuffer = -1;
    std::string path;
};

struct Texture::PlatformTextureData {
    int textureSlot = -1;
    ID3D12Resource* resource = nullptr;
    int samplerIndex = 0;
    DXGI_FORMAT format = DXGI_FORMAT_R8G8B8A8_UNORM;
};

// The renderer's Direct3D 12 state (Renderer::renderer's).
Renderer::PlatformData& dx12();

// Signals the fence on the queue and blocks until the GPU has reached it, then
// takes the current back buffer: the wait that ends every pass of the frame loop.
void waitForGpu();

// Opens the upload list for a texture copy, flushing first when the table of
// staged buffers is full. Returns the list to record on.
ID3D12GraphicsCommandList* beginUpload();
// Runs the recorded uploads and waits for them; nothing when none is pending.
void flushUploads();

// A committed buffer in an upload heap, generic-read state.
ID3D12Resource* createUploadBuffer(UINT64 bytes);

// Creates the GPU texture of a width x height image of 4-byte texels, records
// the copy of the pixels and its transition to a pixel-shader resource on the
// upload list. Null when the device cannot make it.
ID3D12Resource* uploadTexture(const unsigned char* pixels, unsigned int width, unsigned int height,
                              DXGI_FORMAT format);

// A 2-D shader-resource view of the texture at view-heap entry slot.
void createTextureView(ID3D12Resource* resource, DXGI_FORMAT format, int slot);

// Sets on the draw list the shader's pipeline state that matches the depth
// switch; nothing outside a frame or without a shader.
void setPipelineState(Shader* shader);

template <class T> void release(T*& object) {
    if (object)
        object->Release();
    object = nullptr;
}

// Releases the object once the GPU has finished all work that may use it: the
// frame being recorded, the uploads not yet flushed, or what is already on the
// queue (the next wait).
void releaseAfterGpu(IUnknown* object);

template <class T> void retire(T*& object) {
    releaseAfterGpu(object);
    object = nullptr;
}
