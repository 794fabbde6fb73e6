#pragma once

#include <cstdint>
#include <vector>

// One interleaved record per vertex: for each attribute k in order, the
// sizes[k] floats of inputs[k] that belong to the vertex. At most four
// attributes (the one vertex layout); a null array reads as zeros. strideFloats
// receives the record size.
std::vector<float> interleaveVertices(unsigned int count, const unsigned char* sizes,
                                      float* const* inputs, unsigned int inputCount,
                                      unsigned int* strideFloats);

// 16-bit triangle indices as 32-bit unsigned ones.
std::vector<std::uint32_t> widenIndices(const unsigned short* indices, unsigned int count);
