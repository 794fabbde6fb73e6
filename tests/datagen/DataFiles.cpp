#include "DataFiles.h"

#include <png.h>

#include <cstdio>
#include <cstring>

bool readFileBytes(const std::string& path, std::vector<std::uint8_t>& bytes) {
    std::FILE* file = std::fopen(path.c_str(), "rb");
    if (!file) {
        return false;
    }
    bytes.clear();
    std::uint8_t chunk[65536];
    size_t got;
    while ((got = std::fread(chunk, 1, sizeof chunk, file)) > 0) {
        bytes.insert(bytes.end(), chunk, chunk + got);
    }
    std::fclose(file);
    return true;
}

static std::uint32_t bigEndian(const std::uint8_t* p) {
    return (std::uint32_t(p[0]) << 24) | (std::uint32_t(p[1]) << 16) | (std::uint32_t(p[2]) << 8) |
           p[3];
}

bool readPngHeader(const std::string& path, PngHeader& header) {
    static const std::uint8_t signature[8] = {0x89, 'P', 'N', 'G', '\r', '\n', 0x1a, '\n'};
    std::vector<std::uint8_t> bytes;
    if (!readFileBytes(path, bytes) || bytes.size() < 33 ||
        std::memcmp(bytes.data(), signature, 8) != 0 || std::memcmp(&bytes[12], "IHDR", 4) != 0) {
        return false;
    }
    header.width = bigEndian(&bytes[16]);
    header.height = bigEndian(&bytes[20]);
    header.bitDepth = bytes[24];
    header.colorType = bytes[25];
    header.interlace = bytes[28];
    return true;
}

bool decodePng(const std::string& path, int& width, int& height, std::vector<std::uint8_t>& rgba) {
    png_image image;
    std::memset(&image, 0, sizeof image);
    image.version = PNG_IMAGE_VERSION;
    if (!png_image_begin_read_from_file(&image, path.c_str())) {
        return false;
    }
    image.format = PNG_FORMAT_RGBA;
    rgba.resize(PNG_IMAGE_SIZE(image));
    if (!png_image_finish_read(&image, nullptr, rgba.data(), 0, nullptr)) {
        png_image_free(&image);
        return false;
    }
    width = static_cast<int>(image.width);
    height = static_cast<int>(image.height);
    return true;
}
