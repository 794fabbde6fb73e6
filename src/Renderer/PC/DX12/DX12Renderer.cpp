// The Direct3D 12 renderer: device, swap chain, heaps, command lists, the
// constant-buffer ring and the vertex and index buffers of meshes.
#include <windows.h>

#include <initguid.h>

#include "Renderer/PC/DX12/DX12Platform.h"

#include <cstdio>
#include <cstring>

#include "Renderer/PC/DX12/DX12Logic.h"
#include "Renderer/PC/DX12/DX12Window.h"

Renderer Renderer::renderer;

Renderer::PlatformData& dx12() {
    return *Renderer::renderer.data;
}

D3D12_CPU_DESCRIPTOR_HANDLE Renderer::PlatformData::viewCpuHandle(int slot) {
    D3D12_CPU_DESCRIPTOR_HANDLE handle;
    viewHeap->GetCPUDescriptorHandleForHeapStart(&handle);
    handle.ptr += SIZE_T(slot) * viewDescriptorSize;
    return handle;
}

D3D12_GPU_DESCRIPTOR_HANDLE Renderer::PlatformData::viewGpuHandle(int slot) {
    D3D12_GPU_DESCRIPTOR_HANDLE handle;
    viewHeap->GetGPUDescriptorHandleForHeapStart(&handle);
    handle.ptr += UINT64(slot) * viewDescriptorSize;
    return handle;
}

namespace {

D3D12_CPU_DESCRIPTOR_HANDLE cpuStart(ID3D12DescriptorHeap* heap) {
    D3D12_CPU_DESCRIPTOR_HANDLE handle;
    heap->GetCPUDescriptorHandleForHeapStart(&handle);
    return handle;
}

ID3D12DescriptorHeap* createHeap(ID3D12Device* device, D3D12_DESCRIPTOR_HEAP_TYPE type, UINT count,
                                 bool shaderVisible) {
    D3D12_DESCRIPTOR_HEAP_DESC desc = {};
    desc.Type = type;
    desc.NumDescriptors = count;
    desc.Flags =
        shaderVisible ? D3D12_DESCRIPTOR_HEAP_FLAG_SHADER_VISIBLE : D3D12_DESCRIPTOR_HEAP_FLAG_NONE;
    ID3D12DescriptorHeap* heap = nullptr;
    device->CreateDescriptorHeap(&desc, IID_PPV_ARGS(&heap));
    return heap;
}

// The first hardware adapter that can make a feature level 11_0 device; null
// lets the device call take the default one.
IDXGIAdapter1* pickAdapter(IDXGIFactory4* factory) {
    IDXGIAdapter1* adapter = nullptr;
    for (UINT i = 0; factory->EnumAdapters1(i, &adapter) != DXGI_ERROR_NOT_FOUND; ++i) {
        DXGI_ADAPTER_DESC1 desc;
        adapter->GetDesc1(&desc);
        if (!(desc.Flags & DXGI_ADAPTER_FLAG_SOFTWARE) &&
            SUCCEEDED(D3D12CreateDevice(adapter, D3D_FEATURE_LEVEL_11_0, __uuidof(ID3D12Device),
                                        nullptr)))
            return adapter;
        release(adapter);
    }
    return nullptr;
}

void transition(ID3D12GraphicsCommandList* list, ID3D12Resource* resource,
                D3D12_RESOURCE_STATES before, D3D12_RESOURCE_STATES after) {
    CD3DX12_RESOURCE_BARRIER barrier =
        CD3DX12_RESOURCE_BARRIER::Transition(resource, before, after);
    list->ResourceBarrier(1, &barrier);
}

void signalAndWait() {
    Renderer::PlatformData& d = dx12();
    if (!d.queue || !d.fence)
        return;
    UINT64 value = d.fenceValue++;
    d.queue->Signal(d.fence, value);
    if (d.fence->GetCompletedValue() < value) {
        // Without the event set (no event, or the call refused) an unbounded
        // wait would never end: the pass goes on without waiting.
        if (d.event && SUCCEEDED(d.fence->SetEventOnCompletion(value, d.event)))
            WaitForSingleObject(d.event, INFINITE);
    }
    for (void* object : d.releases.takeFinished(d.fence->GetCompletedValue()))
        static_cast<IUnknown*>(object)->Release();
}

void createRenderTargets() {
    Renderer::PlatformData& d = dx12();
    D3D12_CPU_DESCRIPTOR_HANDLE handle = cpuStart(d.renderTargetHeap);
    for (UINT i = 0; i < backBufferCount; ++i) {
        // A buffer the swap chain does not give stays null and gets no view;
        // beginFrame skips the frames that would draw into it.
        if (FAILED(d.swapChain->GetBuffer(i, IID_PPV_ARGS(&d.renderTargets[i]))))
            release(d.renderTargets[i]);
        if (d.renderTargets[i])
            d.device->CreateRenderTargetView(d.renderTargets[i], nullptr, handle);
        handle.ptr += d.renderTargetDescriptorSize;
    }
    d.frameIndex = d.swapChain->GetCurrentBackBufferIndex();
}

void createDepthBuffer(UINT width, UINT height) {
    Renderer::PlatformData& d = dx12();
    release(d.depthBuffer);
    CD3DX12_HEAP_PROPERTIES heap(D3D12_HEAP_TYPE_DEFAULT);
    CD3DX12_RESOURCE_DESC desc = CD3DX12_RESOURCE_DESC::Tex2D(
        depthFormat, width, height, 1, 1, 1, 0, D3D12_RESOURCE_FLAG_ALLOW_DEPTH_STENCIL);
    CD3DX12_CLEAR_VALUE clear(depthFormat, 1.0f, 0);
    d.device->CreateCommittedResource(&heap, D3D12_HEAP_FLAG_NONE, &desc,
                                      D3D12_RESOURCE_STATE_DEPTH_WRITE, &clear,
                                      IID_PPV_ARGS(&d.depthBuffer));
    if (!d.depthBuffer)
        return;
    D3D12_DEPTH_STENCIL_VIEW_DESC view = {};
    view.Format = depthFormat;
    view.ViewDimension = D3D12_DSV_DIMENSION_TEXTURE2D;
    d.device->CreateDepthStencilView(d.depthBuffer, &view, cpuStart(d.depthHeap));
}

ID3D12RootSignature* createRootSignature(ID3D12Device* device) {
    CD3DX12_DESCRIPTOR_RANGE ranges[4];
    ranges[0].Init(D3D12_DESCRIPTOR_RANGE_TYPE_SRV, 1, 0);     // t0
    ranges[1].Init(D3D12_DESCRIPTOR_RANGE_TYPE_CBV, 1, 0);     // b0
    ranges[2].Init(D3D12_DESCRIPTOR_RANGE_TYPE_SAMPLER, 1, 0); // s0
    ranges[3].Init(D3D12_DESCRIPTOR_RANGE_TYPE_SRV, 1, 1);     // t1
    CD3DX12_ROOT_PARAMETER parameters[4];
    parameters[0].InitAsDescriptorTable(1, &ranges[0], D3D12_SHADER_VISIBILITY_PIXEL);
    parameters[1].InitAsDescriptorTable(1, &ranges[1], D3D12_SHADER_VISIBILITY_ALL);
    parameters[2].InitAsDescriptorTable(1, &ranges[2], D3D12_SHADER_VISIBILITY_PIXEL);
    parameters[3].InitAsDescriptorTable(1, &ranges[3], D3D12_SHADER_VISIBILITY_PIXEL);
    CD3DX12_ROOT_SIGNATURE_DESC desc;
    desc.Init(4, parameters, 0, nullptr,
              D3D12_ROOT_SIGNATURE_FLAG_ALLOW_INPUT_ASSEMBLER_INPUT_LAYOUT);

    ID3DBlob* serialized = nullptr;
    ID3DBlob* errors = nullptr;
    ID3D12RootSignature* signature = nullptr;
    if (SUCCEEDED(
            D3D12SerializeRootSignature(&desc, D3D_ROOT_SIGNATURE_VERSION_1, &serialized, &errors)))
        device->CreateRootSignature(0, serialized->GetBufferPointer(), serialized->GetBufferSize(),
                                    IID_PPV_ARGS(&signature));
    else if (errors)
        std::printf("%s\n", static_cast<const char*>(errors->GetBufferPointer()));
    release(serialized);
    release(errors);
    return signature;
}

void createSamplers() {
    static const D3D12_TEXTURE_ADDRESS_MODE addressModes[4] = {
        D3D12_TEXTURE_ADDRESS_MODE_MIRROR, D3D12_TEXTURE_ADDRESS_MODE_WRAP,
        D3D12_TEXTURE_ADDRESS_MODE_CLAMP, D3D12_TEXTURE_ADDRESS_MODE_BORDER};
    Renderer::PlatformData& d = dx12();
    for (unsigned int i = 0; i < samplerHeapCount; ++i)
        d.samplerHeaps[i] = createHeap(d.device, D3D12_DESCRIPTOR_HEAP_TYPE_SAMPLER, 1, true);
    for (int i = 0; i < samplerCount; ++i) {
        D3D12_SAMPLER_DESC& desc = d.samplerDescriptions[i];
        desc = {};
        desc.Filter =
            samplerIsSmooth(i) ? D3D12_FILTER_MIN_MAG_MIP_LINEAR : D3D12_FILTER_MIN_MAG_MIP_POINT;
        desc.AddressU = desc.AddressV = desc.AddressW = addressModes[samplerWrapMode(i)];
        desc.MipLODBias = 0.0f;
        desc.MaxAnisotropy = 1;
        desc.ComparisonFunc = D3D12_COMPARISON_FUNC_NEVER;
        desc.MinLOD = 0.0f;
        desc.MaxLOD = D3D12_FLOAT32_MAX;
        if (d.samplerHeaps[i])
            d.device->CreateSampler(&desc, cpuStart(d.samplerHeaps[i]));
    }
}

void createConstantBuffer() {
    Renderer::PlatformData& d = dx12();
    d.constantBuffer = createUploadBuffer(UINT64(constantSlotCount) * constantBlockBytes);
    if (!d.constantBuffer)
        return;
    void* mapped = nullptr;
    CD3DX12_RANGE noRead(0, 0);
    d.constantBuffer->Map(0, &noRead, &mapped);
    d.mapped = static_cast<unsigned char*>(mapped);
    D3D12_GPU_VIRTUAL_ADDRESS address = d.constantBuffer->GetGPUVirtualAddress();
    for (int slot = constantSlotFirst; slot <= constantSlotLast; ++slot) {
        D3D12_CONSTANT_BUFFER_VIEW_DESC view = {};
        view.BufferLocation = address + UINT64(slot - constantSlotFirst) * constantBlockBytes;
        view.SizeInBytes = constantBlockBytes;
        d.device->CreateConstantBufferView(&view, d.viewCpuHandle(slot));
    }
}

// An upload-heap buffer written once with bytes of data; null for no bytes.
ID3D12Resource* createFilledUploadBuffer(const void* data, UINT bytes) {
    ID3D12Resource* buffer = createUploadBuffer(bytes);
    void* mapped = nullptr;
    if (buffer)
        buffer->Map(0, nullptr, &mapped);
    if (mapped) {
        std::memcpy(mapped, data, bytes);
        buffer->Unmap(0, nullptr);
    }
    return buffer;
}

ID3D12GraphicsCommandList* createClosedList(ID3D12Device* device,
                                            ID3D12CommandAllocator* allocator) {
    ID3D12GraphicsCommandList* list = nullptr;
    if (!allocator)
        return nullptr;
    device->CreateCommandList(0, D3D12_COMMAND_LIST_TYPE_DIRECT, allocator, nullptr,
                              IID_PPV_ARGS(&list));
    if (list)
        list->Close();
    return list;
}

void setViewportSize(Renderer::PlatformData& d, int width, int height) {
    d.viewport = {0.0f, 0.0f, float(width), float(height), 0.0f, 1.0f};
    d.scissor = {0, 0, width, height};
}

} // namespace

void createTextureView(ID3D12Resource* resource, DXGI_FORMAT format, int slot) {
    D3D12_SHADER_RESOURCE_VIEW_DESC view = {};
    view.Format = format;
    view.ViewDimension = D3D12_SRV_DIMENSION_TEXTURE2D;
    view.Shader4ComponentMapping = D3D12_DEFAULT_SHADER_4_COMPONENT_MAPPING;
    view.Texture2D.MostDetailedMip = 0;
    view.Texture2D.MipLevels = 1;
    dx12().device->CreateShaderResourceView(resource, &view, dx12().viewCpuHandle(slot));
}

ID3D12Resource* createUploadBuffer(UINT64 bytes) {
    ID3D12Device* device = dx12().device;
    if (!device || bytes == 0)
        return nullptr;
    CD3DX12_HEAP_PROPERTIES heap(D3D12_HEAP_TYPE_UPLOAD);
    CD3DX12_RESOURCE_DESC desc = CD3DX12_RESOURCE_DESC::Buffer(bytes);
    ID3D12Resource* buffer = nullptr;
    device->CreateCommittedResource(&heap, D3D12_HEAP_FLAG_NONE, &desc,
                                    D3D12_RESOURCE_STATE_GENERIC_READ, nullptr,
                                    IID_PPV_ARGS(&buffer));
    return buffer;
}

void releaseAfterGpu(IUnknown* object) {
    Renderer::PlatformData& d = dx12();
    if (!object)
        return;
    if (!d.queue || !d.fence) {
        object->Release();
        return;
    }
    // Inside a frame the frame's draw list may use it; outside one a copy on
    // the upload list, which goes to the queue only at the next flush, may
    // still write it (a paused pass's wait or a resize signals before that).
    // With neither, the next signal follows all the work that used it.
    std::uint64_t until = d.fenceValue;
    if (d.recording)
        until = DeferredReleases::untilSubmitted;
    else if (d.pendingUploads)
        until = DeferredReleases::untilUploaded;
    d.releases.add(object, until);
}

void waitForGpu() {
    Renderer::PlatformData& d = dx12();
    signalAndWait();
    if (d.swapChain)
        d.frameIndex = d.swapChain->GetCurrentBackBufferIndex();
}

ID3D12GraphicsCommandList* beginUpload() {
    Renderer::PlatformData& d = dx12();
    if (d.pendingUploads && d.stagedCount >= stagedUploadLimit)
        flushUploads();
    if (!d.pendingUploads) {
        d.uploadAllocator->Reset();
        d.uploadList->Reset(d.uploadAllocator, nullptr);
        d.pendingUploads = true;
    }
    return d.uploadList;
}

void flushUploads() {
    Renderer::PlatformData& d = dx12();
    if (!d.pendingUploads)
        return;
    d.pendingUploads = false;
    d.uploadList->Close();
    ID3D12CommandList* lists[] = {d.uploadList};
    d.queue->ExecuteCommandLists(1, lists);
    // The copies' textures and staging buffers go once the signal below is
    // reached, even when the wait cannot block.
    d.releases.submitted(DeferredReleases::untilUploaded, d.fenceValue);
    for (unsigned int i = 0; i < d.stagedCount; ++i) {
        d.releases.add(d.staged[i], d.fenceValue);
        d.staged[i] = nullptr;
    }
    d.stagedCount = 0;
    signalAndWait();
}

ID3D12Resource* uploadTexture(const unsigned char* pixels, unsigned int width, unsigned int height,
                              DXGI_FORMAT format) {
    Renderer::PlatformData& d = dx12();
    if (!d.device || !d.uploadList)
        return nullptr;
    CD3DX12_HEAP_PROPERTIES heap(D3D12_HEAP_TYPE_DEFAULT);
    CD3DX12_RESOURCE_DESC desc = CD3DX12_RESOURCE_DESC::Tex2D(format, width, height, 1, 1);
    ID3D12Resource* texture = nullptr;
    d.device->CreateCommittedResource(&heap, D3D12_HEAP_FLAG_NONE, &desc,
                                      D3D12_RESOURCE_STATE_COPY_DEST, nullptr,
                                      IID_PPV_ARGS(&texture));
    if (!texture)
        return nullptr;
    ID3D12GraphicsCommandList* list = beginUpload();
    ID3D12Resource* staging = createUploadBuffer(GetRequiredIntermediateSize(texture, 0, 1));
    if (!staging) {
        release(texture);
        return nullptr;
    }
    d.staged[d.stagedCount++] = staging;

    D3D12_SUBRESOURCE_DATA source = {};
    source.pData = pixels;
    source.RowPitch = LONG_PTR(width) * 4;
    source.SlicePitch = LONG_PTR(width) * height * 4;
    UpdateSubresources(list, texture, staging, 0, 0, 1, &source);
    transition(list, texture, D3D12_RESOURCE_STATE_COPY_DEST,
               D3D12_RESOURCE_STATE_PIXEL_SHADER_RESOURCE);
    return texture;
}

Renderer::Renderer() : data(new PlatformData) {
    data->textureSlots.reset(0, textureSlotCount - 1);
    data->constantSlots.reset(constantSlotFirst, constantSlotLast);
}

Renderer::~Renderer() {
    PlatformData& d = *data;
    waitForGpu();
    // Whatever is left was never submitted, or the wait above saw it done.
    for (void* object : d.releases.takeFinished(DeferredReleases::untilSubmitted))
        static_cast<IUnknown*>(object)->Release();
    if (d.mapped)
        d.constantBuffer->Unmap(0, nullptr);
    for (ID3D12Resource*& buffer : d.vertexBuffers)
        release(buffer);
    for (ID3D12Resource*& buffer : d.indexBuffers)
        release(buffer);
    for (unsigned int i = 0; i < d.stagedCount; ++i)
        release(d.staged[i]);
    release(d.placeholderTexture);
    release(d.constantBuffer);
    for (ID3D12DescriptorHeap*& heap : d.samplerHeaps)
        release(heap);
    release(d.viewHeap);
    release(d.fence);
    if (d.event)
        CloseHandle(d.event);
    release(d.rootSignature);
    release(d.uploadList);
    release(d.uploadAllocator);
    release(d.drawList);
    release(d.drawAllocator);
    release(d.depthBuffer);
    release(d.depthHeap);
    for (ID3D12Resource*& target : d.renderTargets)
        release(target);
    release(d.renderTargetHeap);
    release(d.swapChain);
    release(d.queue);
    release(d.device);
    delete data;
}

bool Renderer::init() {
    PlatformData& d = *data;
    if (d.device)
        return true;
    DX12Window* owner = static_cast<DX12Window*>(window);
    HWND hwnd = owner ? owner->m_hwnd : nullptr;
    if (!hwnd)
        return false;
    if (d.viewport.Width <= 0 || d.viewport.Height <= 0) {
        RECT client;
        GetClientRect(hwnd, &client);
        viewPort(0, 0, client.right, client.bottom);
    }

    IDXGIFactory4* factory = nullptr;
    CreateDXGIFactory1(IID_PPV_ARGS(&factory));
    if (!factory)
        return false;
    IDXGIAdapter1* adapter = pickAdapter(factory);
    D3D12CreateDevice(adapter, D3D_FEATURE_LEVEL_11_0, IID_PPV_ARGS(&d.device));
    release(adapter);
    if (!d.device) {
        release(factory);
        return false;
    }

    D3D12_COMMAND_QUEUE_DESC queueDesc = {};
    queueDesc.Type = D3D12_COMMAND_LIST_TYPE_DIRECT;
    d.device->CreateCommandQueue(&queueDesc, IID_PPV_ARGS(&d.queue));

    DXGI_SWAP_CHAIN_DESC1 chainDesc = {};
    chainDesc.Width = UINT(d.viewport.Width);
    chainDesc.Height = UINT(d.viewport.Height);
    chainDesc.Format = backBufferFormat;
    chainDesc.SampleDesc.Count = 1;
    chainDesc.BufferUsage = DXGI_USAGE_RENDER_TARGET_OUTPUT;
    chainDesc.BufferCount = backBufferCount;
    chainDesc.Scaling = DXGI_SCALING_STRETCH;
    chainDesc.SwapEffect = DXGI_SWAP_EFFECT_FLIP_DISCARD;
    IDXGISwapChain1* chain = nullptr;
    if (d.queue)
        factory->CreateSwapChainForHwnd(d.queue, hwnd, &chainDesc, nullptr, nullptr, &chain);
    factory->MakeWindowAssociation(hwnd, DXGI_MWA_NO_ALT_ENTER);
    release(factory);
    if (chain)
        chain->QueryInterface(IID_PPV_ARGS(&d.swapChain));
    release(chain);
    if (!d.swapChain)
        return false;

    d.renderTargetHeap =
        createHeap(d.device, D3D12_DESCRIPTOR_HEAP_TYPE_RTV, backBufferCount, false);
    d.renderTargetDescriptorSize =
        d.device->GetDescriptorHandleIncrementSize(D3D12_DESCRIPTOR_HEAP_TYPE_RTV);
    d.depthHeap = createHeap(d.device, D3D12_DESCRIPTOR_HEAP_TYPE_DSV, 1, false);
    if (!d.renderTargetHeap || !d.depthHeap)
        return false;
    createRenderTargets();
    d.device->CreateCommandAllocator(D3D12_COMMAND_LIST_TYPE_DIRECT,
                                     IID_PPV_ARGS(&d.drawAllocator));
    d.rootSignature = createRootSignature(d.device);
    createDepthBuffer(chainDesc.Width, chainDesc.Height);
    createSamplers();

    d.viewHeap = createHeap(d.device, D3D12_DESCRIPTOR_HEAP_TYPE_CBV_SRV_UAV, viewHeapSize, true);
    d.viewDescriptorSize =
        d.device->GetDescriptorHandleIncrementSize(D3D12_DESCRIPTOR_HEAP_TYPE_CBV_SRV_UAV);
    if (!d.viewHeap)
        return false;

    // Both lists start closed: beginFrame and the first texture upload open them.
    d.drawList = createClosedList(d.device, d.drawAllocator);
    d.device->CreateCommandAllocator(D3D12_COMMAND_LIST_TYPE_DIRECT,
                                     IID_PPV_ARGS(&d.uploadAllocator));
    d.uploadList = createClosedList(d.device, d.uploadAllocator);
    createConstantBuffer();

    // The fence exists before any wait, whether or not a texture was loaded.
    d.device->CreateFence(0, D3D12_FENCE_FLAG_NONE, IID_PPV_ARGS(&d.fence));
    d.fenceValue = 1;
    d.event = CreateEventW(nullptr, FALSE, FALSE, nullptr);

    // Refused textures are drawn with this one.
    d.placeholderTexture = uploadTexture(placeholderTexel, 1, 1, DXGI_FORMAT_R8G8B8A8_UNORM);
    if (d.placeholderTexture)
        createTextureView(d.placeholderTexture, DXGI_FORMAT_R8G8B8A8_UNORM, placeholderSlot);

    Shader::bound = nullptr;
    Texture::bound = nullptr;
    return d.queue && d.drawList && d.uploadList && d.rootSignature && d.depthBuffer && d.mapped &&
           d.fence && d.event && d.placeholderTexture && d.samplerHeaps[0];
}

void Renderer::viewPort(int, int, int width, int height) {
    PlatformData& d = *data;
    if (!d.swapChain || width <= 0 || height <= 0 || d.recording) {
        setViewportSize(d, width, height);
        return;
    }
    DXGI_SWAP_CHAIN_DESC1 desc;
    d.swapChain->GetDesc1(&desc);
    if (desc.Width == UINT(width) && desc.Height == UINT(height)) {
        setViewportSize(d, width, height);
        return;
    }
    // The swap chain can only resize once nothing holds or uses its buffers.
    waitForGpu();
    for (ID3D12Resource*& target : d.renderTargets)
        release(target);
    HRESULT resized =
        d.swapChain->ResizeBuffers(backBufferCount, UINT(width), UINT(height), backBufferFormat, 0);
    // Refused: the buffers keep their old size, and so do the viewport, the
    // scissor and the depth buffer that must match them.
    createRenderTargets();
    if (FAILED(resized))
        return;
    setViewportSize(d, width, height);
    createDepthBuffer(UINT(width), UINT(height));
}

void Renderer::clear() {
    PlatformData& d = *data;
    if (!d.recording)
        return;
    const float white[4] = {1.0f, 1.0f, 1.0f, 0.0f};
    d.drawList->ClearRenderTargetView(d.renderTargetHandle, white, 0, nullptr);
    d.drawList->ClearDepthStencilView(d.depthHandle, D3D12_CLEAR_FLAG_DEPTH, 1.0f, 0, 0, nullptr);
}

void Renderer::clearDepth() {
    PlatformData& d = *data;
    if (d.recording)
        d.drawList->ClearDepthStencilView(d.depthHandle, D3D12_CLEAR_FLAG_DEPTH, 1.0f, 0, 0,
                                          nullptr);
}

void Renderer::enableDepthTest(bool on) {
    data->depthOn = on;
    setPipelineState(Shader::bound);
}

void Renderer::enableDepthMask(bool on) {
    enableDepthTest(on);
}

void Renderer::beginFrame() {
    PlatformData& d = *data;
    if (d.recording || !d.drawList || !d.renderTargets[d.frameIndex])
        return;
    d.drawAllocator->Reset();
    d.drawList->Reset(d.drawAllocator, nullptr);
    transition(d.drawList, d.renderTargets[d.frameIndex], D3D12_RESOURCE_STATE_PRESENT,
               D3D12_RESOURCE_STATE_RENDER_TARGET);
    d.drawList->SetDescriptorHeaps(1, &d.viewHeap);
    d.drawList->SetGraphicsRootSignature(d.rootSignature);
    d.drawList->RSSetViewports(1, &d.viewport);
    d.drawList->RSSetScissorRects(1, &d.scissor);
    d.renderTargetHandle = cpuStart(d.renderTargetHeap);
    d.renderTargetHandle.ptr += SIZE_T(d.frameIndex) * d.renderTargetDescriptorSize;
    d.depthHandle = cpuStart(d.depthHeap);
    d.drawList->OMSetRenderTargets(1, &d.renderTargetHandle, FALSE, &d.depthHandle);
    d.drawList->IASetPrimitiveTopology(D3D_PRIMITIVE_TOPOLOGY_TRIANGLELIST);
    // A new list has no tables, no sampler heap and no pipeline state yet.
    Texture::bound = nullptr;
    d.boundSampler = -1;
    d.currentPipeline = nullptr;
    d.recording = true;
}

void Renderer::endFrame() {
    PlatformData& d = *data;
    if (!d.recording)
        return;
    d.constantSlots.reset(constantSlotFirst, constantSlotLast);
    transition(d.drawList, d.renderTargets[d.frameIndex], D3D12_RESOURCE_STATE_RENDER_TARGET,
               D3D12_RESOURCE_STATE_PRESENT);
    d.drawList->Close();
    d.recording = false;
    // Textures loaded so far reach the GPU before the frame that draws them.
    flushUploads();
    ID3D12CommandList* lists[] = {d.drawList};
    d.queue->ExecuteCommandLists(1, lists);
    d.releases.submitted(DeferredReleases::untilSubmitted, d.fenceValue);
    d.swapChain->Present(1, 0);
}

unsigned int Renderer::createVertexInputBuffer(unsigned int size, unsigned char* inputSizes,
                                               float** inputs, unsigned int inputCount) {
    PlatformData& d = *data;
    unsigned int stride = 0;
    std::vector<float> records = interleaveVertices(size, inputSizes, inputs, inputCount, &stride);
    UINT bytes = UINT(records.size() * sizeof(float));
    // An empty mesh keeps its handle but no buffer, and draws nothing.
    ID3D12Resource* buffer = createFilledUploadBuffer(records.data(), bytes);
    D3D12_VERTEX_BUFFER_VIEW view = {};
    if (buffer)
        view = {buffer->GetGPUVirtualAddress(), bytes, UINT(stride * sizeof(float))};
    d.vertexBuffers.push_back(buffer);
    d.vertexViews.push_back(view);
    d.vertexCopies.push_back(std::move(records));
    return unsigned(d.vertexBuffers.size() - 1);
}

unsigned int Renderer::createIndexBuffer(unsigned int size, unsigned short* indices) {
    PlatformData& d = *data;
    std::vector<std::uint32_t> wide = widenIndices(indices, indices ? size : 0);
    UINT bytes = UINT(wide.size() * sizeof(std::uint32_t));
    ID3D12Resource* buffer = createFilledUploadBuffer(wide.data(), bytes);
    D3D12_INDEX_BUFFER_VIEW view = {};
    if (buffer)
        view = {buffer->GetGPUVirtualAddress(), bytes, DXGI_FORMAT_R32_UINT};
    d.indexBuffers.push_back(buffer);
    d.indexViews.push_back(view);
    d.indexCopies.push_back(std::move(wide));
    return unsigned(d.indexBuffers.size() - 1);
}

// Meshes of this edition are written once and live until exit.
void Renderer::sendVerticesToBuffer(unsigned int, float*, unsigned int) {}
void Renderer::sendUVsToBuffer(unsigned int, float*, unsigned int) {}
void Renderer::sendDataToBuffer(unsigned int, float*, unsigned int) {}
void Renderer::sendIndicesToBuffer(unsigned int, unsigned short*, unsigned int) {}
void Renderer::deleteBuffer(unsigned int) {}
void Renderer::deleteVertexInputBuffer(unsigned int) {}

// A buffer without storage: an index-buffer entry with no resource, which
// draws nothing (this edition reads vertices from one interleaved buffer per
// vertex input, so single attribute buffers have no use here).
static unsigned int createSingleBuffer(Renderer::PlatformData& d) {
    d.indexBuffers.push_back(nullptr);
    d.indexViews.push_back(D3D12_INDEX_BUFFER_VIEW{});
    d.indexCopies.emplace_back();
    return unsigned(d.indexBuffers.size() - 1);
}

unsigned int Renderer::createVertexBuffer(unsigned int) {
    return createSingleBuffer(*data);
}

unsigned int Renderer::createBuffer(unsigned int) {
    return createSingleBuffer(*data);
}

unsigned int Renderer::createIndexBuffer(unsigned int) {
    return createSingleBuffer(*data);
}

unsigned int Renderer::createUVBuffer(unsigned int) {
    return createSingleBuffer(*data);
}

unsigned int Renderer::getUniformID() {
    return 0;
}

unsigned int Renderer::getTextureID() {
    return 0;
}
