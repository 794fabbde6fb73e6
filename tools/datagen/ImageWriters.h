#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

// Image writers with fixed settings: the same pixels always give the same bytes
// (no time chunk, fixed compression level and filter choice).

// 8-bit RGBA, non-interlaced; rows top first.
bool writePng(const std::string& path, int width, int height,
              const std::vector<std::uint8_t>& rgba);

// Uncompressed 24-bit BMP from blue, green, red bytes, rows bottom first
// (the file's own order); rows are padded to four bytes in the file.
bool writeBmp24(const std::string& path, int width, int height,
                const std::vector<std::uint8_t>& bgr);

bool writeText(const std::string& path, const std::string& text);
// Any bytes, as they are.
bool writeBytes(const std::string& path, const void* data, size_t size);
