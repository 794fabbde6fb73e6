#include "TestFiles.h"

#include <cstring>
#include <filesystem>
#include <fstream>

static std::string writeUnder(const std::filesystem::path& dir, const std::string& name,
                              const std::string& bytes) {
    std::filesystem::path path = dir / name;
    std::filesystem::create_directories(path.parent_path());
    std::ofstream(path, std::ios::binary).write(bytes.data(), std::streamsize(bytes.size()));
    return path.string();
}

std::string writeTestFile(const std::string& name, const std::string& bytes) {
    return writeUnder(std::filesystem::path(PELLAN_BUILD_DIR) / "test-files" / testProgramName(),
                      name, bytes);
}

void writeFuzzSeed(const std::string& reader, const std::string& name, const std::string& bytes) {
    writeUnder(std::filesystem::path(PELLAN_BUILD_DIR) / "fuzz-seeds" / reader,
               std::string(testProgramName()) + "-" + name, bytes);
}

void putU16(std::string& out, unsigned int value) {
    out += char(value & 0xFF);
    out += char((value >> 8) & 0xFF);
}

void putU32(std::string& out, unsigned int value) {
    putU16(out, value & 0xFFFF);
    putU16(out, value >> 16);
}

void putF32(std::string& out, float value) {
    unsigned int bits;
    std::memcpy(&bits, &value, 4);
    putU32(out, bits);
}
