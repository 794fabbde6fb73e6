#pragma once

#include <cstdint>
#include <string>
#include <vector>

class Canvas;

// Writes files under the root and keeps going after a failure, so that one
// run reports every file it could not write. Each game's data writer takes one.
class DataOutput {
public:
    DataOutput(const std::string& root, std::vector<std::string>& written)
        : root(root), written(written) {}

    void png(const std::string& path, const Canvas& canvas);
    void bmp(const std::string& path, int width, int height, const std::vector<std::uint8_t>& bgr);
    void text(const std::string& path, const std::string& content);
    void binary(const std::string& path, const std::vector<std::uint8_t>& bytes);
    bool allWritten() const { return !failed; }

private:
    bool prepare(const std::string& path);
    void record(const std::string& path, bool ok);

    std::string root;
    std::vector<std::string>& written;
    bool failed = false;
};
