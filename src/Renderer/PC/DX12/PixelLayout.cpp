#include "Renderer/PC/DX12/PixelLayout.h"

#include <cstddef>

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
