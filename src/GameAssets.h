#pragma once

// Asset loading the games share: textures live on the GPU only, meshes get
// their buffers as soon as they are read.
#include "Object3D.h"
#include "Texture.h"

inline void loadTexture(Texture& texture, const char* path) {
    texture.load(path);
    texture.loadToGPU();
    texture.deletePixels();
}

inline void loadMesh(Object3D& mesh, const char* path) {
    mesh.load(path);
    mesh.genBuffers();
}
