#include "FuzzFile.h"
#include "Image.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    unsigned short width = 0, height = 0;
    unsigned char* pixels = Image::loadBMP24(fuzzFile(data, size, ".bmp").c_str(), &width, &height);
    if (pixels) // padded rows, as the GL upload reads them
        touch(pixels, ((std::size_t(width) * 3 + 3) & ~std::size_t(3)) * height);
    delete[] pixels;
    return 0;
}
