#pragma once

// The 2 x 2 test picture, bottom row red, green, top row blue, yellow, written
// by the tests into the build folder.
#include <string>
#include <vector>

// The picture as OpenGL reads it back: RGBA, bottom row first.
std::vector<unsigned char> checkerRGBA();
// Each returns the written file's path.
std::string checkerBMP(const std::string& name);
std::string checkerPNG(const std::string& name);
