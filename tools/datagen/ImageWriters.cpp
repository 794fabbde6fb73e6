#include "ImageWriters.h"

#include <png.h>

#include <csetjmp>
#include <cstdio>

static bool reportWriteFailure(const std::string& path) {
    std::fprintf(stderr, "Could not write %s\n", path.c_str());
    return false;
}

// libpng reports errors by longjmp; nothing with a destructor lives between the
// setjmp and the library calls.
static bool encodePng(png_structp png, png_infop info, std::FILE* file, int width, int height,
                      png_bytep* rows) {
    if (setjmp(png_jmpbuf(png))) {
        return false;
    }
    png_init_io(png, file);
    png_set_IHDR(png, info, static_cast<png_uint_32>(width), static_cast<png_uint_32>(height), 8,
                 PNG_COLOR_TYPE_RGB_ALPHA, PNG_INTERLACE_NONE, PNG_COMPRESSION_TYPE_DEFAULT,
                 PNG_FILTER_TYPE_DEFAULT);
    png_set_compression_level(png, 9);
    png_set_filter(png, PNG_FILTER_TYPE_BASE, PNG_ALL_FILTERS);
    png_write_info(png, info);
    png_write_image(png, rows);
    png_write_end(png, nullptr);
    return true;
}

bool writePng(const std::string& path, int width, int height,
              const std::vector<std::uint8_t>& rgba) {
    if (width <= 0 || height <= 0 || rgba.size() != static_cast<size_t>(width) * height * 4) {
        return reportWriteFailure(path);
    }
    std::FILE* file = std::fopen(path.c_str(), "wb");
    if (!file) {
        return reportWriteFailure(path);
    }
    std::vector<png_bytep> rows(height);
    for (int y = 0; y < height; ++y) {
        rows[y] = const_cast<png_bytep>(&rgba[static_cast<size_t>(y) * width * 4]);
    }
    png_structp png = png_create_write_struct(PNG_LIBPNG_VER_STRING, nullptr, nullptr, nullptr);
    png_infop info = png ? png_create_info_struct(png) : nullptr;
    bool ok = png && info && encodePng(png, info, file, width, height, rows.data());
    png_destroy_write_struct(&png, &info);
    ok = std::fclose(file) == 0 && ok;
    return ok ? true : reportWriteFailure(path);
}

bool writeBytes(const std::string& path, const void* data, size_t size) {
    std::FILE* file = std::fopen(path.c_str(), "wb");
    if (!file) {
        return reportWriteFailure(path);
    }
    bool ok = std::fwrite(data, 1, size, file) == size;
    ok = std::fclose(file) == 0 && ok;
    return ok ? true : reportWriteFailure(path);
}

static void putLittle(std::vector<std::uint8_t>& out, std::uint32_t value, int bytes) {
    for (int i = 0; i < bytes; ++i) {
        out.push_back(static_cast<std::uint8_t>(value >> (8 * i)));
    }
}

bool writeBmp24(const std::string& path, int width, int height,
                const std::vector<std::uint8_t>& bgr) {
    if (width <= 0 || height <= 0 || bgr.size() != static_cast<size_t>(width) * height * 3) {
        return reportWriteFailure(path);
    }
    std::uint32_t rowBytes = (static_cast<std::uint32_t>(width) * 3 + 3) & ~3u;
    std::uint32_t pixelBytes = rowBytes * static_cast<std::uint32_t>(height);
    std::vector<std::uint8_t> out;
    out.push_back('B');
    out.push_back('M');
    putLittle(out, 54 + pixelBytes, 4); // file size
    putLittle(out, 0, 4);               // reserved
    putLittle(out, 54, 4);              // pixel offset
    putLittle(out, 40, 4);              // information header size
    putLittle(out, static_cast<std::uint32_t>(width), 4);
    putLittle(out, static_cast<std::uint32_t>(height), 4);
    putLittle(out, 1, 2);  // planes
    putLittle(out, 24, 2); // bits per pixel
    putLittle(out, 0, 4);  // uncompressed
    putLittle(out, pixelBytes, 4);
    putLittle(out, 2835, 4); // 72 dpi
    putLittle(out, 2835, 4);
    putLittle(out, 0, 4);
    putLittle(out, 0, 4);
    for (int y = 0; y < height; ++y) {
        const std::uint8_t* row = &bgr[static_cast<size_t>(y) * width * 3];
        out.insert(out.end(), row, row + width * 3);
        out.resize(out.size() + (rowBytes - width * 3), 0);
    }
    return writeBytes(path, out.data(), out.size());
}

bool writeText(const std::string& path, const std::string& text) {
    return writeBytes(path, text.data(), text.size());
}
