#include "FuzzFile.h"
#include "Image.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    unsigned short width = 0, height = 0;
    unsigned char* pixels = Image::loadPNG(fuzzFile(data, size, ".png").c_str(), &width, &height);
    if (pixels)
        touch(pixels, std::size_t(width) * height * 4);
    delete[] pixels;
    return 0;
}
