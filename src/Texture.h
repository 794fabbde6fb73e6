#pragma once

// A GPU texture and the CPU copy of its pixels. Shared declaration, like
// Renderer: the back end defines PlatformTextureData and the members that touch
// the GPU; choosing the image reader by the path's ending is common code.
class Texture {
public:
    enum TextureRepeatMode { mirroredRepeat = 0, repeat = 1, clampToEdge = 2, clampToBorder = 3 };
    // Which reader load() uses: ".bmp", ".png", or the glyph atlas for any
    // other ending (compared exactly, lower case; a path shorter than four
    // characters is "any other").
    enum FileKind { fileBMP, filePNG, fileGlyphAtlas };
    static FileKind fileKindOf(const char* path);

    struct PlatformTextureData;

    // The texture bound last; bind skips only a repeat on the same unit.
    static Texture* bound;

    Texture();
    explicit Texture(const char* path);
    ~Texture();
    Texture(const Texture&) = delete;
    Texture& operator=(const Texture&) = delete;

    void load(const char* path);
    // The shared part of load: frees the old pixels and reads the file with
    // the reader that fileKindOf picks; a file that cannot be read leaves no
    // pixels and a size of 0 x 0. Returns the kind, for the back end's format.
    FileKind loadPixels(const char* path);
    unsigned char* getPixels() { return pixels; }
    unsigned short getWidth() { return width; }
    unsigned short getHeight() { return height; }

    // Shared: these three keep Texture::bound true to what the GPU has, around
    // the back end's part below. An upload forgets the bound texture (the
    // OpenGL upload binds the new one on the active unit); a release forgets
    // this one.
    void loadToGPU();
    void unloadFromGPU();
    void bind(int index);
    // The back end's part of them. bindOnGPU is false when nothing was bound.
    void uploadToGPU();
    void releaseFromGPU();
    bool bindOnGPU(int index);
    // Forgets Texture::bound when it is this texture (for a change that the
    // next bind must carry to the GPU, and before the texture goes).
    void forgetIfBound();
    // The shared part of uploadToGPU: true when there are pixels to upload;
    // otherwise prints "Texture without pixels (w x h): uploading a 1x1 white
    // placeholder" on stderr, and the back end uploads that placeholder.
    bool hasPixelsToUpload() const;
    void deletePixels();
    void smooth(bool on);
    void setWrapMode(TextureRepeatMode mode);

    unsigned char* pixels = nullptr;
    unsigned short width = 0;
    unsigned short height = 0;
    PlatformTextureData* data = nullptr;
};
