#pragma once

// The renderer of the drawing surface: render state and GPU buffers, handed out
// as small integer handles (indices into the back end's tables, in creation
// order from 0, never reused).
//
// This declaration is shared by every build and names no platform type. Each
// back end (OpenGL in Renderer/PC/Windows, Direct3D 12 in Renderer/PC/DX12, the
// recording one of the host tests) defines Renderer::PlatformData and the
// member functions in its own sources; the build target picks the back end.
class Renderer {
public:
    enum VertexInputDesc { VERTEX_INPUT_POSITION3_UV2_COLOR3_NORMAL3 = 0 };

    // Handle value that names no buffer: meshes start with it so that a mesh
    // that never uploaded releases nothing.
    static constexpr unsigned int noBuffer = 0xFFFFFFFFu;

    struct PlatformData;

    // The one renderer that owns GPU buffers.
    static Renderer renderer;

    Renderer();
    ~Renderer();
    Renderer(const Renderer&) = delete;
    Renderer& operator=(const Renderer&) = delete;

    // Loads what the back end needs and sets the initial render state; false
    // when the back end cannot draw (the entry point then stops with its
    // start-up failure message).
    bool init();
    void enableDepthTest(bool on);
    void enableDepthMask(bool on);
    void clear();
    void clearDepth();
    void viewPort(int x, int y, int width, int height);
    void beginFrame();
    void endFrame();

    // size is the vertex count; inputs[i] holds inputSizes[i] floats per vertex.
    unsigned int createVertexInputBuffer(unsigned int size, unsigned char* inputSizes,
                                         float** inputs, unsigned int inputCount);
    // size is the index count (16-bit triangle indices).
    unsigned int createIndexBuffer(unsigned int size, unsigned short* indices);

    void sendVerticesToBuffer(unsigned int vertexInput, float* data, unsigned int count);
    void sendUVsToBuffer(unsigned int vertexInput, float* data, unsigned int count);
    void sendDataToBuffer(unsigned int vertexInput, float* data, unsigned int count);
    void sendIndicesToBuffer(unsigned int indexBuffer, unsigned short* data, unsigned int count);
    void deleteBuffer(unsigned int index);
    void deleteVertexInputBuffer(unsigned int index);

    // One single buffer without storage each (the argument is not used),
    // appended to the index-buffer table; returns its handle there. Nothing
    // in the shipped programs calls them; Shader::bindVertices,
    // bindUVs and bindBuffer point an input at such a buffer.
    unsigned int createVertexBuffer(unsigned int size);
    unsigned int createBuffer(unsigned int size);
    unsigned int createIndexBuffer(unsigned int size);
    unsigned int createUVBuffer(unsigned int size);
    // Always 0; nothing calls it.
    unsigned int getUniformID();

    // OpenGL edition only: a new texture name for Texture::loadToGPU.
    unsigned int getTextureID();

    // The program's window (a GLWindow or a DX12Window); set by the entry point.
    void* window = nullptr;
    PlatformData* data = nullptr;
};
