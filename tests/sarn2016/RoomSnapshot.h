#pragma once

#include <string>

#include "Sarn2016.h"

// Everything a room load decides, as text: poses as rotations, groups and
// frames, tree shapes, arguments as door or path indices, meshes and textures
// as indices into the game's tables (so rooms of two games compare).
std::string roomSnapshot(const Sarn2016& game, const Sarn2016::Room& room);
