#include "DataOutput.h"

#include "ArtKit.h"
#include "ImageWriters.h"
#include "Raster.h"

#include <cstdio>
#include <filesystem>
#include <system_error>

void DataOutput::png(const std::string& path, const Canvas& canvas) {
    record(path, prepare(path) && writePng(root + "/" + path, canvas.width, canvas.height,
                                           canvas.toRgba8(palette::ink)));
}

void DataOutput::bmp(const std::string& path, int width, int height,
                     const std::vector<std::uint8_t>& bgr) {
    record(path, prepare(path) && writeBmp24(root + "/" + path, width, height, bgr));
}

void DataOutput::text(const std::string& path, const std::string& content) {
    record(path, prepare(path) && writeText(root + "/" + path, content));
}

void DataOutput::binary(const std::string& path, const std::vector<std::uint8_t>& bytes) {
    record(path, prepare(path) && writeBytes(root + "/" + path, bytes.data(), bytes.size()));
}

bool DataOutput::prepare(const std::string& path) {
    std::filesystem::path folder = std::filesystem::path(root + "/" + path).parent_path();
    std::error_code error;
    std::filesystem::create_directories(folder, error);
    if (error) {
        std::fprintf(stderr, "Could not create %s: %s\n", folder.string().c_str(),
                     error.message().c_str());
        return false;
    }
    return true;
}

void DataOutput::record(const std::string& path, bool ok) {
    if (ok) {
        written.push_back(path);
    } else {
        failed = true;
    }
}
