#pragma once

// Pixel buffers as the GPU takes them: always 4 bytes per texel, rows packed.

// Bytes in one row of a 24-bit BMP, padded to a multiple of 4.
unsigned int bmpRowBytes(unsigned int width);

// A 24-bit BMP buffer (blue, green, red; rows padded to 4 bytes, as the reader
// keeps them) to red, green, blue, alpha 255 with packed rows. Returns a new[]
// buffer of width x height x 4 bytes.
unsigned char* bmpToRgba(const unsigned char* bgr, unsigned int width, unsigned int height);

// The texel that stands in for an image that could not be read.
extern const unsigned char placeholderTexel[4];
