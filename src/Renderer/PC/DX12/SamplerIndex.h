#pragma once

// The renderer's eight samplers: index = (smooth ? 0 : 4) + wrap mode, where the
// wrap mode is Texture::TextureRepeatMode (mirrored repeat 0, repeat 1, clamp to
// edge 2, clamp to border 3). Indices 0-3 filter linearly, 4-7 take the nearest
// texel.
const int samplerCount = 8;

int samplerIndexFor(bool smooth, int wrapMode);
bool samplerIsSmooth(int index);
int samplerWrapMode(int index);
