#pragma once

#include <map>
#include <string>
#include <vector>

#include "Renderer/Renderer.h"
#include "Renderer/Shader.h"
#include "Texture.h"

// The recording back end of the drawing surface, for host tests only. It
// defines Renderer, Shader and Texture like the real back ends do, but writes
// every call into one ordered log instead of reaching a GPU:
//
//   recorder().reset();                      // before each test
//   ... code under test draws ...
//   auto draws = recorder().draws();         // every drawIndexed, in order
//   auto mv = recorder().sends("mvMat");     // every send of that uniform
//   EXPECT_TRUE(recorder().faults().empty()) // no misuse of handles
//
// Which sends and texture binds reach the back end is decided by the shared
// code that every back end runs (ShaderCommon.cpp, TextureCommon.cpp), so the
// log shows what the real back ends would get; texture binds follow OpenGL's
// units unless a test asks for Direct3D 12's (openGLTextures). A send to a
// shader that is not bound is logged and is a fault: OpenGL drops it and
// Direct3D 12 keeps it, so game code must not rely on either. Beyond that,
// behaviour follows the OpenGL back end where a test can see it: Shader::bind
// unbinds the shader bound before it; Renderer::init forgets Shader::bound;
// texture files go through the real Image readers; destroying the bound
// shader forgets it.

struct RecordedEvent {
    enum Kind {
        // Renderer state
        rendererInit,
        depthTest,
        depthMask,
        clear,
        clearDepth,
        viewPort,
        beginFrame,
        endFrame,
        // Renderer buffers
        createVertexInput,
        createIndexBuffer,
        sendVertices,
        sendUVs,
        sendData,
        sendIndices,
        deleteVertexInput,
        deleteBuffer,
        createBuffer, // a single buffer without storage (createVertexBuffer and the like)
        // Shader
        shaderLoad,
        shaderSetInput,
        shaderCompile,
        shaderBind,
        shaderUnbind,
        uniform,
        bindVertexInput,
        bindBuffer, // bindVertices, bindUVs, bindBuffer: handle, input name, count floats
        draw,
        // Texture
        textureLoad,
        textureUpload,
        textureUnload,
        textureBind,
        textureSmooth,
        textureWrap
    };
    Kind kind;
    const Renderer* renderer = nullptr;
    const Shader* shader = nullptr;
    const Texture* texture = nullptr;
    // Buffer or vertex input created, sent to or released; a draw's index
    // buffer (noBuffer: the one the previous draw used); a texture's GPU id.
    unsigned int handle = Renderer::noBuffer;
    // bindVertexInput and draw: the vertex input drawn from.
    unsigned int vertexInput = Renderer::noBuffer;
    // draw: indices; buffer sends: floats or indices; textureBind: unit;
    // textureWrap: mode; textureLoad: the Texture::FileKind.
    int count = 0;
    // depthTest, depthMask, textureSmooth: the switch; textureLoad: pixels read.
    bool on = false;
    // viewPort: the rectangle; textureLoad, textureUpload: width and height.
    int x = 0, y = 0, width = 0, height = 0;
    // uniform: its name; shaderLoad, textureLoad: the path; bindBuffer: the
    // input; createBuffer: which create call ("vertex", "buffer", "index", "uv").
    std::string name;
    // uniform: the floats sent (16, 9, 1, 2, 3 or 4); buffer sends: the data.
    std::vector<float> values;
    // createIndexBuffer, sendIndices: the indices.
    std::vector<unsigned short> indices;
    // textureUpload: the pixel bytes.
    std::vector<unsigned char> bytes;
};

// A vertex input as it was created: copies of the arrays, inputSizes[i] x
// vertexCount floats each (an input given as null stays empty).
struct RecordedVertexInput {
    unsigned int vertexCount = 0;
    std::vector<unsigned char> inputSizes;
    std::vector<std::vector<float>> inputs;
    bool released = false;
};

// A draw with the state it was made in: its shader, the texture last bound on
// unit 0, the vertex input, the last value of each uniform sent to the shader,
// and the depth switches (as a new context has them, off and on, until
// Renderer::init turns the test on).
struct RecordedDraw {
    const Shader* shader = nullptr;
    const Texture* texture = nullptr;
    unsigned int vertexInput = 0;
    bool depthTest = false;
    bool depthMask = true;
    std::map<std::string, std::vector<float>> uniforms;
    // A uniform's value at the draw; empty when it was never sent.
    std::vector<float> uniform(const std::string& name) const;
    // The names of the uniforms with a value, in name order.
    std::vector<std::string> uniformNames() const;
};

// How a texture's GPU copy is sampled: smoothed (linear) or nearest, and its
// wrap mode (a Texture::TextureRepeatMode). An upload starts it smoothed with
// mirrored repeat.
struct RecordedSampling {
    bool smooth = true;
    int wrap = Texture::mirroredRepeat;
};

struct RecordedIndexBuffer {
    std::vector<unsigned short> indices;
    bool released = false;
};

class Recorder {
public:
    // Empties the log, the buffer tables and the faults, and forgets
    // Shader::bound and Texture::bound: handles count from 0 again.
    void reset();

    const std::vector<RecordedEvent>& events() const { return log; }
    std::vector<RecordedEvent> events(RecordedEvent::Kind kind) const;
    std::vector<RecordedEvent> draws() const { return events(RecordedEvent::draw); }
    std::vector<RecordedEvent> sends() const { return events(RecordedEvent::uniform); }
    std::vector<RecordedEvent> sends(const std::string& name) const;
    // Uniform names in the order they were sent.
    std::vector<std::string> sentNames() const;
    std::vector<RecordedEvent> textureBinds() const { return events(RecordedEvent::textureBind); }
    // The draws from event first on, their state followed from the log's start.
    std::vector<RecordedDraw> drawsFrom(std::size_t first) const;
    // The textures given back by unloadFromGPU, in order.
    std::vector<const Texture*> texturesUnloaded() const;
    // Every texture uploaded so far with its sampling now. smooth and
    // setWrapMode change the texture bound on unit 0 as OpenGL does (with
    // openGLTextures), else the texture called.
    std::map<const Texture*, RecordedSampling> sampling() const;
    // One line, naming the file, for each texture uploaded so far whose
    // sampling is not its entry in special, or the upload's when it has none,
    // and for each entry never uploaded; empty when all match.
    std::string samplingMismatches(const std::map<const Texture*, RecordedSampling>& special) const;

    unsigned int vertexInputCount() const { return unsigned(vertexInputs.size()); }
    unsigned int indexBufferCount() const { return unsigned(indexBuffers.size()); }
    const RecordedVertexInput& vertexInput(unsigned int handle) const;
    const RecordedIndexBuffer& indexBuffer(unsigned int handle) const;
    // Vertex inputs and index buffers created and not yet released.
    unsigned int liveBuffers() const;

    // Misuse seen by the back end, one line each: unknown or released handles,
    // a second release, a draw beyond its buffers, a draw through or a send to
    // a shader that is not bound.
    const std::vector<std::string>& faults() const { return faultLines; }
    // The log, one line per event, for failure messages.
    std::string dump() const;

    // For the back end.
    RecordedEvent& add(RecordedEvent::Kind kind);
    void fault(const std::string& line) { faultLines.push_back(line); }
    // The buffer named by handle, or null with a fault naming use.
    RecordedVertexInput* liveVertexInput(unsigned int handle, const char* use);
    RecordedIndexBuffer* liveIndexBuffer(unsigned int handle, const char* use);
    // Faults a draw whose buffers are gone or too short for it.
    bool checkDraw(unsigned int vertexInput, unsigned int indexBuffer, int count);
    std::vector<RecordedVertexInput> vertexInputs;
    std::vector<RecordedIndexBuffer> indexBuffers;
    unsigned int lastVertexInput = Renderer::noBuffer; // as GL's attribute state
    unsigned int lastIndexBuffer = Renderer::noBuffer; // as GL's element binding
    unsigned int nextTextureID = 1;
    // The edition whose texture binding the recorded one stands for
    // (Texture::bindsPerUnit, Texture::uploadBinds): OpenGL, unless a test sets
    // it false for Direct3D 12; reset() sets it back.
    bool openGLTextures = true;

private:
    std::vector<RecordedEvent> log;
    std::vector<std::string> faultLines;
};

// The one recorder of the test program.
Recorder& recorder();
