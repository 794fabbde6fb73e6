#pragma once

#include <string>

// Files that tests write for the loaders to read, and the fuzz seed corpus.

// The test program's own name; each program defines it (see tests/CMakeLists.txt).
const char* testProgramName();

// Writes bytes to <build>/test-files/<program>/<name> and returns that path.
std::string writeTestFile(const std::string& name, const std::string& bytes);

// Also keeps a valid file as a seed for the fuzz target of reader
// (<build>/fuzz-seeds/<reader>/<program>-<name>: the fuzz runner reads one flat folder).
void writeFuzzSeed(const std::string& reader, const std::string& name, const std::string& bytes);

// Little-endian pieces for building binary files.
void putU16(std::string& out, unsigned int value);
void putU32(std::string& out, unsigned int value);
void putF32(std::string& out, float value);
