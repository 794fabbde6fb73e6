#include "gl_checker.h"

#include "support/ImageFiles.h"
#include "support/TestFiles.h"

std::vector<unsigned char> checkerRGBA() {
    return {255, 0, 0, 255, 0, 255, 0, 255, 0, 0, 255, 255, 255, 255, 0, 255};
}

std::string checkerBMP(const std::string& name) {
    // Blue, green, red per pixel, bottom row first.
    return writeTestFile(name, makeBMP24(2, 2, {0, 0, 255, 0, 255, 0, 255, 0, 0, 0, 255, 255}));
}

std::string checkerPNG(const std::string& name) {
    // 8-bit RGBA (colour type 6), top row first.
    return writeTestFile(
        name, makePNG(2, 2, 6, 8,
                      {{0, 0, 255, 255, 255, 255, 0, 255}, {255, 0, 0, 255, 0, 255, 0, 255}}));
}
