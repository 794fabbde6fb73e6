#pragma once

#include <string>
#include <vector>

// Image files built in memory for the reader tests.

// A 24-bit BMP: pixels holds width x height blue, green, red triples, bottom
// row first; rows are padded to 4 bytes. sizeImage 0 leaves biSizeImage 0.
std::string makeBMP24(int width, int height, const std::vector<unsigned char>& pixels,
                      bool writeSizeImage = true, unsigned int gapBeforePixels = 0);

// A PNG of the given libpng colour type and bit depth; rows holds the packed
// rows of the file, top row first. interlace chooses Adam7.
std::string makePNG(int width, int height, int colorType, int bitDepth,
                    const std::vector<std::vector<unsigned char>>& rows, bool interlace = false);
