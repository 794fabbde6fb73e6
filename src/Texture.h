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

    // The texture bound last; bind skips a repeat of it (on the same unit,
    // where the back end binds per unit).
    static Texture* bound;

    Texture();
    explicit Texture(const char* path);
    ~Texture();
    Texture(const Texture&) = delete;
    Texture& operator=(const Texture&) = delete;

    void load(const char* path);
    unsigned char* getPixels() { return pixels; }
    unsigned short getWidth() { return width; }
    unsigned short getHeight() { return height; }

    // Shared: these three keep Texture::bound true to what the GPU has, around
    // the back end's part below. An upload forgets the bound texture where it
    // binds the new one (OpenGL), and otherwise this one, whose bind now names
    // new storage; a release forgets this one.
    void loadToGPU();
    void unloadFromGPU();
    void bind(int index);
    void deletePixels();
    void smooth(bool on);
    void setWrapMode(TextureRepeatMode mode);

    unsigned char* pixels = nullptr;
    unsigned short width = 0;
    unsigned short height = 0;
    PlatformTextureData* data = nullptr;

private:
    // The shared part of load: frees the old pixels and reads the file with
    // the reader that fileKindOf picks; a file that cannot be read leaves no
    // pixels and a size of 0 x 0. Returns the kind, for the back end's format.
    FileKind loadPixels(const char* path);
    // The back end's part of loadToGPU, unloadFromGPU and bind. bindOnGPU is
    // false when nothing was bound.
    void uploadToGPU();
    void releaseFromGPU();
    bool bindOnGPU(int index);
    // The shared part of uploadToGPU: true when there are pixels to upload;
    // otherwise prints "Texture without pixels (w x h): uploading a 1x1 white
    // placeholder" on stderr, and the back end uploads that placeholder.
    bool hasPixelsToUpload() const;
    // What the back end's GPU does, for the shared rules. bindsPerUnit: each
    // unit holds a texture of its own (OpenGL), so the bound texture wanted on
    // another unit is a new bind. uploadBinds: an upload leaves the uploaded
    // texture bound in place of Texture::bound (OpenGL).
    static bool bindsPerUnit();
    static bool uploadBinds();
    // Forgets Texture::bound when it is this texture (for a change that the
    // next bind must carry to the GPU, and before the texture goes).
    void forgetIfBound();
};
