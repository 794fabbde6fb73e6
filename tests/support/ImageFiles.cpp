#include "ImageFiles.h"

#include <png.h>

#include "TestFiles.h"

std::string makeBMP24(int width, int height, const std::vector<unsigned char>& pixels,
                      bool writeSizeImage, unsigned int gapBeforePixels) {
    unsigned int rowSize = (unsigned(width) * 3 + 3) & ~3u;
    unsigned int imageSize = rowSize * unsigned(height);
    std::string out = "BM";
    putU32(out, 54 + gapBeforePixels + imageSize);
    putU32(out, 0);
    putU32(out, 54 + gapBeforePixels);
    putU32(out, 40);
    putU32(out, unsigned(width));
    putU32(out, unsigned(height));
    putU16(out, 1);
    putU16(out, 24);
    putU32(out, 0);
    putU32(out, writeSizeImage ? imageSize : 0);
    out.append(16, '\0');
    out.append(gapBeforePixels, '\x7f');
    for (int y = 0; y < height; ++y) {
        for (int x = 0; x < width * 3; ++x)
            out += char(pixels[std::size_t(y) * width * 3 + x]);
        out.append(rowSize - unsigned(width) * 3, '\0');
    }
    return out;
}

static void appendData(png_structp png, png_bytep data, png_size_t length) {
    static_cast<std::string*>(png_get_io_ptr(png))->append(reinterpret_cast<char*>(data), length);
}

static void noFlush(png_structp) {}

std::string makePNG(int width, int height, int colorType, int bitDepth,
                    const std::vector<std::vector<unsigned char>>& rows, bool interlace) {
    std::string out;
    png_structp png = png_create_write_struct(PNG_LIBPNG_VER_STRING, nullptr, nullptr, nullptr);
    png_infop info = png_create_info_struct(png);
    png_set_write_fn(png, &out, appendData, noFlush);
    png_set_IHDR(png, info, png_uint_32(width), png_uint_32(height), bitDepth, colorType,
                 interlace ? PNG_INTERLACE_ADAM7 : PNG_INTERLACE_NONE, PNG_COMPRESSION_TYPE_DEFAULT,
                 PNG_FILTER_TYPE_DEFAULT);
    if (colorType == PNG_COLOR_TYPE_PALETTE) {
        png_color palette[4] = {{255, 0, 0}, {0, 255, 0}, {0, 0, 255}, {9, 8, 7}};
        png_set_PLTE(png, info, palette, 4);
    }
    png_write_info(png, info);
    std::vector<png_bytep> rowPointers;
    for (const std::vector<unsigned char>& row : rows)
        rowPointers.push_back(const_cast<png_bytep>(row.data()));
    png_write_image(png, rowPointers.data());
    png_write_end(png, nullptr);
    png_destroy_write_struct(&png, &info);
    return out;
}
