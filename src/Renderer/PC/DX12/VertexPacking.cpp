#include "Renderer/PC/DX12/VertexPacking.h"

#include <cstddef>

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
