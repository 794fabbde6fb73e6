// The Direct3D 12 back end's logic that needs no Windows header (DX12Logic.h).
#include "Renderer/PC/DX12/DX12Logic.h"

#include <cstddef>
#include <cstring>

bool placeUniforms(Shader::UniformLayout* uniforms, unsigned int count) {
    bool fits = true;
    for (unsigned int i = 0; i < count; ++i) {
        long location = uniforms[i].location;
        if (location == 0 && i > 0)
            location = long(uniforms[i - 1].location) + uniforms[i - 1].size;
        if (location < 0) {
            fits = false;
            break;
        }
        location = (location + 3) / 4 * 4;
        if (location + uniforms[i].size > long(constantBlockFloats)) {
            fits = false;
            break;
        }
        uniforms[i].location = int(location);
    }
    if (!fits)
        for (unsigned int i = 0; i < count; ++i)
            uniforms[i].location = -1;
    return fits;
}

void writeConstants(float* block, int location, const float* values, unsigned int count) {
    if (location < 0 || unsigned(location) > constantBlockFloats ||
        count > constantBlockFloats - unsigned(location))
        return;
    std::memcpy(block + location, values, count * sizeof(float));
}

void writeMatrix3x3(float* block, int location, const float* m) {
    if (location < 0 || unsigned(location) + 11 > constantBlockFloats)
        return;
    for (int column = 0; column < 3; ++column)
        writeConstants(block, location + 4 * column, m + 3 * column, 3);
}

void SlotRanges::reset(int first, int last) {
    ranges.clear();
    if (first <= last)
        ranges.push_back({first, last});
}

int SlotRanges::take() {
    if (ranges.empty())
        return -1;
    Range& range = ranges.front();
    int slot = range.first;
    if (slot + 1 > range.last)
        ranges.erase(ranges.begin());
    else
        range.first = slot + 1;
    return slot;
}

const unsigned char placeholderTexel[4] = {255, 255, 255, 255};

unsigned int bmpRowBytes(unsigned int width) {
    return (width * 3 + 3) & ~3u;
}

unsigned char* bmpToRgba(const unsigned char* bgr, unsigned int width, unsigned int height) {
    unsigned char* rgba = new unsigned char[std::size_t(width) * height * 4];
    unsigned char* out = rgba;
    for (unsigned int row = 0; row < height; ++row) {
        const unsigned char* in = bgr + std::size_t(row) * bmpRowBytes(width);
        for (unsigned int x = 0; x < width; ++x, in += 3, out += 4) {
            out[0] = in[2];
            out[1] = in[1];
            out[2] = in[0];
            out[3] = 255;
        }
    }
    return rgba;
}

int samplerIndexFor(bool smooth, int wrapMode) {
    return (smooth ? 0 : 4) + wrapMode;
}

bool samplerIsSmooth(int index) {
    return index < 4;
}

int samplerWrapMode(int index) {
    return index % 4;
}

std::vector<float> interleaveVertices(unsigned int count, const unsigned char* sizes,
                                      float* const* inputs, unsigned int inputCount,
                                      unsigned int* strideFloats) {
    if (inputCount > 4)
        inputCount = 4;
    unsigned int stride = 0;
    for (unsigned int k = 0; k < inputCount; ++k)
        stride += sizes[k];
    *strideFloats = stride;

    std::vector<float> records(std::size_t(count) * stride, 0.0f);
    std::size_t offset = 0;
    for (unsigned int k = 0; k < inputCount; ++k) {
        if (inputs[k])
            for (unsigned int j = 0; j < count; ++j)
                for (unsigned int f = 0; f < sizes[k]; ++f)
                    records[std::size_t(j) * stride + offset + f] =
                        inputs[k][std::size_t(j) * sizes[k] + f];
        offset += sizes[k];
    }
    return records;
}

std::vector<std::uint32_t> widenIndices(const unsigned short* indices, unsigned int count) {
    return std::vector<std::uint32_t>(indices, indices + count);
}

void DeferredReleases::add(void* object, std::uint64_t fenceValue) {
    entries.push_back({object, fenceValue});
}

void DeferredReleases::submitted(std::uint64_t until, std::uint64_t fenceValue) {
    for (Entry& entry : entries)
        if (entry.fenceValue == until)
            entry.fenceValue = fenceValue;
}

std::vector<void*> DeferredReleases::takeFinished(std::uint64_t completedValue) {
    std::vector<void*> finished;
    std::vector<Entry> kept;
    for (const Entry& entry : entries) {
        if (entry.fenceValue <= completedValue)
            finished.push_back(entry.object);
        else
            kept.push_back(entry);
    }
    entries.swap(kept);
    return finished;
}
