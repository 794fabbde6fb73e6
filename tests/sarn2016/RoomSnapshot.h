#pragma once

#include <memory>
#include <string>

#include "Sarn2016.h"

// Everything a room load decides, as text: poses as rotations, groups and
// frames, tree shapes, arguments as door or path indices, meshes and textures
// as indices into the game's tables (so rooms of two games compare).
std::string roomSnapshot(const Sarn2016& game, const Sarn2016::Room& room);

// The shipped level alone, without assets; null when it does not load.
std::unique_ptr<Sarn2016> loadedLevel();

// The room writer and reader over the game's tables; err gets the writer's
// error stream, the reader's time line is swallowed.
bool writeRoom(Sarn2016& game, const Sarn2016::Room& room, const std::string& path,
               std::string& err);
bool readRoom(Sarn2016& game, Sarn2016::Room& room, const std::string& path);

// Writes B, reads B into the same slot of a freshly loaded level, writes C
// from there: the room and the bytes stay as they were.
void expectRoundTrip(Sarn2016& game, Sarn2016::Room& room, const std::string& name);
