#pragma once

// The Direct3D 12 back end's logic that needs no Windows header: constant
// blocks and uniform placement, descriptor slot ranges, pixel layouts, the
// sampler choice, vertex packing and the releases that wait for the GPU.
// Built on every preset (the dx12_logic library), so that the host tests
// cover it.

#include <cstdint>
#include <vector>

#include "Renderer/Shader.h"

// ---- Constant blocks

// Each shader keeps its uniforms in one block of 128 floats (512 bytes) that
// every draw copies into the renderer's constant buffer. A uniform's location
// is a float offset into the block, always on a 16-byte shader register.
const unsigned int constantBlockFloats = 128;

// Places the uniforms in table order: an entry declared at location 0 follows
// the previous one, then every location is rounded up to a multiple of 4.
// A table that does not fit in the block gets -1 for every location (so no
// send writes anything) and false.
bool placeUniforms(Shader::UniformLayout* uniforms, unsigned int count);

// Copies count floats to the block from float offset location. Nothing at all
// when the location is negative or the values would run past the block.
void writeConstants(float* block, int location, const float* values, unsigned int count);

// A column-major 3 x 3 matrix as three registers: m[0..2] at location + 0,
// m[3..5] at + 4, m[6..8] at + 8; the fourth float of each stays as it was.
void writeMatrix3x3(float* block, int location, const float* m);

// ---- Slot ranges

// Free descriptor slots of the view heap, kept as inclusive ranges. Texture
// slots are handed out once for the whole run; constant-block slots are given
// back all at once at the end of every frame by reset().
struct SlotRanges {
    struct Range {
        int first;
        int last;
    };
    std::vector<Range> ranges;

    // One range {first, last} and nothing else.
    void reset(int first, int last);
    // The lowest free slot of the first range, or -1 when every slot is taken.
    int take();
};

// ---- Pixel layouts

// Pixel buffers as the GPU takes them: always 4 bytes per texel, rows packed.

// Bytes in one row of a 24-bit BMP, padded to a multiple of 4.
unsigned int bmpRowBytes(unsigned int width);

// A 24-bit BMP buffer (blue, green, red; rows padded to 4 bytes, as the reader
// keeps them) to red, green, blue, alpha 255 with packed rows. Returns a new[]
// buffer of width x height x 4 bytes.
unsigned char* bmpToRgba(const unsigned char* bgr, unsigned int width, unsigned int height);

// The texel that stands in for an image that could not be read.
extern const unsigned char placeholderTexel[4];

// ---- Samplers

// The renderer's eight samplers: index = (smooth ? 0 : 4) + wrap mode, where the
// wrap mode is Texture::TextureRepeatMode (mirrored repeat 0, repeat 1, clamp to
// edge 2, clamp to border 3). Indices 0-3 filter linearly, 4-7 take the nearest
// texel.
const int samplerCount = 8;

int samplerIndexFor(bool smooth, int wrapMode);
bool samplerIsSmooth(int index);
int samplerWrapMode(int index);

// ---- Vertex packing

// One interleaved record per vertex: for each attribute k in order, the
// sizes[k] floats of inputs[k] that belong to the vertex. At most four
// attributes (the one vertex layout); a null array reads as zeros. strideFloats
// receives the record size.
std::vector<float> interleaveVertices(unsigned int count, const unsigned char* sizes,
                                      float* const* inputs, unsigned int inputCount,
                                      unsigned int* strideFloats);

// 16-bit triangle indices as 32-bit unsigned ones.
std::vector<std::uint32_t> widenIndices(const unsigned short* indices, unsigned int count);

// ---- Releases that wait for the GPU

// GPU objects given up while the GPU may still use them (a texture unloaded
// or destroyed in the frame that drew it, or before the flush that copies
// into it): each is kept until the fence has reached the value signalled
// after the last work that may use it.
struct DeferredReleases {
    // The object is used by commands still being recorded: its fence value is
    // the one signalled after their list goes to the queue (submitted()). The
    // frame's draw list goes last, after the upload list, so an object marked
    // untilSubmitted also outlives the uploads; the largest marker also takes
    // every entry out of takeFinished().
    static const std::uint64_t untilSubmitted = UINT64_MAX;
    static const std::uint64_t untilUploaded = UINT64_MAX - 1;

    struct Entry {
        void* object;
        std::uint64_t fenceValue;
    };
    std::vector<Entry> entries;

    void add(void* object, std::uint64_t fenceValue);
    // The list that objects marked `until` wait for went to the queue; the next
    // signal carries fenceValue.
    void submitted(std::uint64_t until, std::uint64_t fenceValue);
    // Takes out the objects whose fence value the GPU has reached.
    std::vector<void*> takeFinished(std::uint64_t completedValue);
};
