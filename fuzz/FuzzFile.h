#pragma once

#include <cstdint>
#include <cstdio>
#include <string>
#include <unistd.h>

// The readers take paths: each input is written to a file of this process
// first. The ending matters where a reader is chosen by it.
inline std::string fuzzFile(const std::uint8_t* data, std::size_t size, const char* ending) {
    // Memory-backed when the system has it: a file per run is the main cost.
    static const std::string dir = access("/dev/shm", W_OK) == 0 ? "/dev/shm" : "/tmp";
    static const std::string path =
        dir + "/pellan-fuzz-" + std::to_string(getpid()) + std::string(ending);
    std::FILE* file = std::fopen(path.c_str(), "wb");
    if (!file)
        __builtin_trap(); // no input reaches the reader: stop loudly
    if (size)
        std::fwrite(data, 1, size, file);
    std::fclose(file);
    return path;
}

// Reads every byte of a reader's result, so that ASan checks the length it claims.
inline unsigned touch(const unsigned char* bytes, std::size_t size) {
    unsigned sum = 0;
    for (std::size_t i = 0; i < size; ++i)
        sum += bytes[i];
    return sum;
}
