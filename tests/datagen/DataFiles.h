#pragma once

#include <cstdint>
#include <string>
#include <vector>

// Reading back what the data tool writes, for the data tests.

bool readFileBytes(const std::string& path, std::vector<std::uint8_t>& bytes);

// The PNG header fields the game relies on, read straight from the IHDR chunk.
struct PngHeader {
    std::uint32_t width = 0;
    std::uint32_t height = 0;
    int bitDepth = 0;
    int colorType = 0;
    int interlace = 0;
};
bool readPngHeader(const std::string& path, PngHeader& header);

// Decoded 8-bit RGBA pixels, top row first.
bool decodePng(const std::string& path, int& width, int& height, std::vector<std::uint8_t>& rgba);
