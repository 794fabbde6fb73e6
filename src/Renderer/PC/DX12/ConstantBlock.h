#pragma once

#include "Renderer/Shader.h"

// Each shader keeps its uniforms in one block of 128 floats (512 bytes) that
// every draw copies into the renderer's constant buffer. A uniform's location
// is a float offset into the block, always on a 16-byte shader register.
const unsigned int constantBlockFloats = 128;

// Places the uniforms in table order: an entry declared at location 0 follows
// the previous one, then every location is rounded up to a multiple of 4.
// A table that does not fit in the block gets -1 for every location (so no
// send writes anything) and false.
bool placeUniforms(Shader::UniformLayout* uniforms, unsigned int count);

// Copies count floats to the block from float offset location. Nothing at all
// when the location is negative or the values would run past the block.
void writeConstants(float* block, int location, const float* values, unsigned int count);

// A column-major 3 x 3 matrix as three registers: m[0..2] at location + 0,
// m[3..5] at + 4, m[6..8] at + 8; the fourth float of each stays as it was.
void writeMatrix3x3(float* block, int location, const float* m);
