// HLSL shaders of the Direct3D 12 edition: one file compiled at load, two
// pipeline states (depth on, depth off) and a 512-byte constant block that
// every draw copies into the renderer's constant buffer.
#include "Renderer/PC/DX12/DX12Platform.h"

#include <d3dcompiler.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>

namespace {

std::string blobText(ID3DBlob* blob) {
    if (!blob)
        return std::string();
    std::string text(static_cast<const char*>(blob->GetBufferPointer()), blob->GetBufferSize());
    while (!text.empty() && text.back() == '\0')
        text.pop_back();
    return text;
}

// A shader that does not compile cannot draw anything: the program stops with
// the compiler's words, in the console and in a message box.
[[noreturn]] void stopOnCompileFailure(const std::string& message) {
    std::fflush(stdout);
    MessageBoxA(nullptr, message.c_str(), "An error occurred", MB_ICONERROR);
    std::exit(1);
}

ID3DBlob* compileStage(const std::string& text, const std::string& path, const char* sourceName,
                       const char* entry, const char* target) {
    ID3DBlob* code = nullptr;
    ID3DBlob* errors = nullptr;
    HRESULT result = D3DCompile(text.data(), text.size(), sourceName, nullptr, nullptr, entry,
                                target, 0, 0, &code, &errors);
    std::string message = blobText(errors);
    release(errors);
    if (!message.empty())
        std::printf("%s\n", message.c_str());
    if (FAILED(result) || !code) {
        release(code);
        if (message.empty())
            message = "Could not compile " + std::string(entry) + " of " + path;
        stopOnCompileFailure(message);
    }
    return code;
}

void freeInputElements(Shader::PlatformShaderData& d) {
    for (unsigned int i = 0; i < d.inputElementCount; ++i)
        delete[] d.inputElements[i].SemanticName;
    delete[] d.inputElements;
    d.inputElements = nullptr;
    d.inputElementCount = 0;
}

char* copyText(const char* text) {
    std::size_t size = std::strlen(text) + 1;
    char* copy = new char[size];
    std::memcpy(copy, text, size);
    return copy;
}

// The two pipeline states: the one description, made once with the depth test
// and depth writes and once without.
bool makePipelineStates(Shader& shader) {
    Shader::PlatformShaderData& s = *shader.data;
    Renderer::PlatformData& r = dx12();
    retire(s.pipelineWithDepth);
    retire(s.pipelineWithoutDepth);
    if (!r.device || !r.rootSignature || !s.vertexShaderCode || !s.pixelShaderCode)
        return false;

    D3D12_GRAPHICS_PIPELINE_STATE_DESC desc = {};
    desc.pRootSignature = r.rootSignature;
    desc.VS = {s.vertexShaderCode->GetBufferPointer(), s.vertexShaderCode->GetBufferSize()};
    desc.PS = {s.pixelShaderCode->GetBufferPointer(), s.pixelShaderCode->GetBufferSize()};
    desc.InputLayout = {s.inputElements, s.inputElementCount};
    desc.PrimitiveTopologyType = D3D12_PRIMITIVE_TOPOLOGY_TYPE_TRIANGLE;
    desc.NumRenderTargets = 1;
    desc.RTVFormats[0] = backBufferFormat;
    desc.DSVFormat = depthFormat;
    desc.SampleDesc.Count = 1;
    desc.SampleMask = UINT_MAX;

    desc.BlendState.AlphaToCoverageEnable = FALSE;
    desc.BlendState.IndependentBlendEnable = FALSE;
    for (D3D12_RENDER_TARGET_BLEND_DESC& target : desc.BlendState.RenderTarget) {
        target.BlendEnable = TRUE;
        target.LogicOpEnable = FALSE;
        target.SrcBlend = D3D12_BLEND_SRC_ALPHA;
        target.DestBlend = D3D12_BLEND_INV_SRC_ALPHA;
        target.BlendOp = D3D12_BLEND_OP_ADD;
        target.SrcBlendAlpha = D3D12_BLEND_ONE;
        target.DestBlendAlpha = D3D12_BLEND_ZERO;
        target.BlendOpAlpha = D3D12_BLEND_OP_ADD;
        target.LogicOp = D3D12_LOGIC_OP_NOOP;
        target.RenderTargetWriteMask = D3D12_COLOR_WRITE_ENABLE_ALL;
    }

    desc.RasterizerState = CD3DX12_RASTERIZER_DESC(D3D12_DEFAULT);
    desc.RasterizerState.CullMode = D3D12_CULL_MODE_BACK;
    desc.RasterizerState.FrontCounterClockwise = TRUE;
    desc.RasterizerState.DepthClipEnable = TRUE;

    desc.DepthStencilState = CD3DX12_DEPTH_STENCIL_DESC(D3D12_DEFAULT);
    desc.DepthStencilState.DepthEnable = TRUE;
    desc.DepthStencilState.DepthWriteMask = D3D12_DEPTH_WRITE_MASK_ALL;
    desc.DepthStencilState.DepthFunc = D3D12_COMPARISON_FUNC_LESS_EQUAL;
    desc.DepthStencilState.StencilEnable = FALSE;
    r.device->CreateGraphicsPipelineState(&desc, IID_PPV_ARGS(&s.pipelineWithDepth));

    desc.DepthStencilState.DepthEnable = FALSE;
    desc.DepthStencilState.DepthWriteMask = D3D12_DEPTH_WRITE_MASK_ZERO;
    r.device->CreateGraphicsPipelineState(&desc, IID_PPV_ARGS(&s.pipelineWithoutDepth));
    if (s.pipelineWithDepth && s.pipelineWithoutDepth)
        return true;
    // Unlike a failed compile this does not stop the program: the shader's
    // draws are skipped (drawIndexed), the rest of the frame is drawn.
    std::printf("Could not create the pipeline states of %s: its draws are skipped\n",
                s.path.c_str());
    return false;
}

} // namespace

void setPipelineState(Shader* shader) {
    Renderer::PlatformData& r = dx12();
    if (!shader || !r.recording)
        return;
    ID3D12PipelineState* state =
        r.depthOn ? shader->data->pipelineWithDepth : shader->data->pipelineWithoutDepth;
    if (state && state != r.currentPipeline) {
        r.drawList->SetPipelineState(state);
        r.currentPipeline = state;
    }
}

Shader::Shader() : data(new PlatformShaderData) {}

Shader::~Shader() {
    if (bound == this)
        bound = nullptr;
    freeInputElements(*data);
    release(data->vertexShaderCode);
    release(data->pixelShaderCode);
    if (dx12().currentPipeline == data->pipelineWithDepth ||
        dx12().currentPipeline == data->pipelineWithoutDepth)
        dx12().currentPipeline = nullptr;
    // The frame being recorded may have drawn with them.
    retire(data->pipelineWithDepth);
    retire(data->pipelineWithoutDepth);
    delete data;
    freeLayouts();
}

bool Shader::load(const std::string& name) {
    data->path = name + ".hlsl";
    std::string text = loadShader(data->path);
    release(data->vertexShaderCode);
    release(data->pixelShaderCode);
    data->vertexShaderCode = compileStage(text, data->path, "vertex shader", "VSMain", "vs_5_0");
    data->pixelShaderCode = compileStage(text, data->path, "pixel shader", "PSMain", "ps_5_0");
    return true;
}

void Shader::setInput(Renderer::VertexInputDesc, UniformLayout* uniforms,
                      unsigned int uniformsSize) {
    // The one vertex layout, whatever the description says.
    const InputLayout inputs[4] = {
        {"POSITION", 0, 3}, {"TEXCOORD", 0, 2}, {"COLOR", 0, 3}, {"NORMAL", 0, 3}};
    copyLayouts(inputs, 4, uniforms, uniformsSize);
    if (!placeUniforms(mUniforms, mUniformsSize))
        std::printf("The uniforms of %s do not fit in %u floats: none is sent\n",
                    data->path.c_str(), constantBlockFloats);

    freeInputElements(*data);
    data->inputElements = new D3D12_INPUT_ELEMENT_DESC[mInputsSize];
    data->inputElementCount = mInputsSize;
    UINT offset = 0;
    for (unsigned int i = 0; i < mInputsSize; ++i) {
        D3D12_INPUT_ELEMENT_DESC& element = data->inputElements[i];
        element = {};
        element.SemanticName = copyText(mInputs[i].name);
        element.Format =
            mInputs[i].size == 2 ? DXGI_FORMAT_R32G32_FLOAT : DXGI_FORMAT_R32G32B32_FLOAT;
        element.AlignedByteOffset = offset;
        element.InputSlotClass = D3D12_INPUT_CLASSIFICATION_PER_VERTEX_DATA;
        offset += (mInputs[i].size == 2 ? 2 : 3) * sizeof(float);
    }
}

// The Direct3D 12 name of this step, createPipelineState, comes here too.
bool Shader::compile() {
    return makePipelineStates(*this);
}

void Shader::bind() {
    bound = this;
    setPipelineState(this);
}

void Shader::unbind() {}

// Into this shader's own block, bound or not: it stays there for its next
// draws, whenever the shader is bound again.
void Shader::writeUniform(const char*, int location, const float* values, unsigned int count) {
    if (count == 9)
        writeMatrix3x3(data->constants, location, values);
    else
        writeConstants(data->constants, location, values, count);
}

void Shader::bindVertexInput(int buffer) {
    data->vertexInput = buffer;
}

// This edition's pipeline reads one interleaved buffer per vertex input, and
// the single buffers of Renderer::createVertexBuffer and the like have no
// storage: there is nothing to point an input at.
void Shader::bindVertices(int) {}
void Shader::bindUVs(int) {}
void Shader::bindBuffer(int, const char*, int) {}

// HLSL shaders are no program object.
unsigned int Shader::programId() {
    return 0;
}

// Always with the bound shader: its pipeline state, vertex input and
// constants. Each draw takes a fresh constant block, so later sends do not
// change what earlier draws of the frame see.
void Shader::drawIndexed(int indexBuffer, int nbIndices) {
    Renderer::PlatformData& r = dx12();
    Shader* shader = bound;
    if (!shader || !r.recording || !r.mapped || nbIndices <= 0)
        return;
    PlatformShaderData& s = *shader->data;
    s.indexBuffer = indexBuffer;
    if (s.vertexInput < 0 || std::size_t(s.vertexInput) >= r.vertexBuffers.size() ||
        !r.vertexBuffers[s.vertexInput] || indexBuffer < 0 ||
        std::size_t(indexBuffer) >= r.indexBuffers.size() || !r.indexBuffers[indexBuffer])
        return;
    // A shader whose pipeline state for the current depth switch was not made
    // draws nothing: without one the list would draw with another shader's
    // state, or none at all.
    if (!(r.depthOn ? s.pipelineWithDepth : s.pipelineWithoutDepth))
        return;
    UINT count = UINT(nbIndices);
    UINT available = UINT(r.indexCopies[indexBuffer].size());
    if (count > available)
        count = available;

    int slot = r.constantSlots.take();
    if (slot < 0) {
        if (!r.reportedDrawLimit)
            std::printf("More than %d draws in one frame: the rest of the frame is not drawn\n",
                        constantSlotCount);
        r.reportedDrawLimit = true;
        return;
    }
    s.constantSlot = slot;
    setPipelineState(shader);
    r.drawList->IASetVertexBuffers(0, 1, &r.vertexViews[s.vertexInput]);
    r.drawList->IASetIndexBuffer(&r.indexViews[indexBuffer]);
    std::memcpy(r.mapped + std::size_t(slot - constantSlotFirst) * constantBlockBytes, s.constants,
                constantBlockBytes);
    r.drawList->SetGraphicsRootDescriptorTable(1, r.viewGpuHandle(slot));
    r.drawList->DrawIndexedInstanced(count, 1, 0, 0, 0);
}

void Shader::drawIndexed(int nbIndices) {
    drawIndexed(data->indexBuffer, nbIndices);
}
