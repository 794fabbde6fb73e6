#pragma once

#include <rapidjson/prettywriter.h>
#include <rapidjson/stringbuffer.h>

#include <memory>
#include <string>
#include <vector>

// Small writers for the level and room files of the underwater game.

using JsonWriter = rapidjson::PrettyWriter<rapidjson::StringBuffer>;

struct V3 {
    double x, y, z;
};

// A rotation as the files write it: the reader completes w as the negative
// root, so a turn of +a degrees about an axis is written as -sin(a/2) x axis.
struct Turn {
    double ox, oy, oz;
};

Turn noTurn();
Turn turnX(double degrees);
Turn turnY(double degrees);
Turn turnZ(double degrees);

// Whole numbers are written as JSON integers, the rest as reals.
void number(JsonWriter& w, const char* key, double value);
void point(JsonWriter& w, const char* key, V3 p);
void box(JsonWriter& w, const char* key, V3 start, V3 end);
void turn(JsonWriter& w, Turn t);
// Inline pose: x, y, z, ox, oy, oz.
void pose(JsonWriter& w, V3 p, Turn t);

// One code-tree node with its branches.
struct CodeNode {
    std::string func;
    int doorIndex = -1;
    int pathIndex = -1;
    std::string room; // toggleDoor only; empty: this room
    std::shared_ptr<CodeNode> ifTrue, ifFalse;
};
using Code = std::shared_ptr<CodeNode>;

Code call(const std::string& func, Code ifTrue = nullptr, Code ifFalse = nullptr);
Code openDoor(int doorIndex, Code ifTrue = nullptr);
Code flipDoor(const std::string& room, int doorIndex, Code ifTrue = nullptr);
Code showPath(int pathIndex, Code ifTrue = nullptr);
void codeTree(JsonWriter& w, const std::string& id, const Code& root);
