#include "Renderer/PC/DX12/SamplerIndex.h"

int samplerIndexFor(bool smooth, int wrapMode) {
    return (smooth ? 0 : 4) + wrapMode;
}

bool samplerIsSmooth(int index) {
    return index < 4;
}

int samplerWrapMode(int index) {
    return index % 4;
}
