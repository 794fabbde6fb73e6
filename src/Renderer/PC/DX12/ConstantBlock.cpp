#include "Renderer/PC/DX12/ConstantBlock.h"

#include <cstring>

bool placeUniforms(Shader::UniformLayout* uniforms, unsigned int count) {
    bool fits = true;
    for (unsigned int i = 0; i < count; ++i) {
        long location = uniforms[i].location;
        if (location == 0 && i > 0)
            location = long(uniforms[i - 1].location) + uniforms[i - 1].size;
        if (location < 0) {
            fits = false;
            break;
        }
        location = (location + 3) / 4 * 4;
        if (location + uniforms[i].size > long(constantBlockFloats)) {
            fits = false;
            break;
        }
        uniforms[i].location = int(location);
    }
    if (!fits)
        for (unsigned int i = 0; i < count; ++i)
            uniforms[i].location = -1;
    return fits;
}

void writeConstants(float* block, int location, const float* values, unsigned int count) {
    if (location < 0 || unsigned(location) > constantBlockFloats ||
        count > constantBlockFloats - unsigned(location))
        return;
    std::memcpy(block + location, values, count * sizeof(float));
}

void writeMatrix3x3(float* block, int location, const float* m) {
    if (location < 0 || unsigned(location) + 11 > constantBlockFloats)
        return;
    for (int column = 0; column < 3; ++column)
        writeConstants(block, location + 4 * column, m + 3 * column, 3);
}
