#include "Sarn2016Json.h"

#include <cmath>

namespace {

Turn about(double x, double y, double z, double degrees) {
    double s = -std::sin(degrees * 3.14159265358979323846 / 360.0);
    return {x * s + 0.0, y * s + 0.0, z * s + 0.0}; // + 0.0: no negative zeros
}

void writeNode(JsonWriter& w, const CodeNode& n) {
    w.StartObject();
    w.Key("func");
    w.String(n.func.c_str());
    if (n.doorIndex >= 0 || n.pathIndex >= 0) {
        w.Key("params");
        w.StartObject();
        if (!n.room.empty()) {
            w.Key("room");
            w.String(n.room.c_str());
        }
        w.Key(n.doorIndex >= 0 ? "doorIndex" : "camerapathIndex");
        w.Int(n.doorIndex >= 0 ? n.doorIndex : n.pathIndex);
        w.EndObject();
    }
    if (n.ifTrue) {
        w.Key("ifTrue");
        writeNode(w, *n.ifTrue);
    }
    if (n.ifFalse) {
        w.Key("ifFalse");
        writeNode(w, *n.ifFalse);
    }
    w.EndObject();
}

} // namespace

Turn noTurn() {
    return {0.0, 0.0, 0.0};
}
Turn turnX(double degrees) {
    return about(1, 0, 0, degrees);
}
Turn turnY(double degrees) {
    return about(0, 1, 0, degrees);
}
Turn turnZ(double degrees) {
    return about(0, 0, 1, degrees);
}

void number(JsonWriter& w, const char* key, double value) {
    w.Key(key);
    if (value == std::floor(value) && std::fabs(value) < 1e6) {
        w.Int(static_cast<int>(value));
    } else {
        w.Double(value);
    }
}

void point(JsonWriter& w, const char* key, V3 p) {
    w.Key(key);
    w.StartObject();
    number(w, "x", p.x);
    number(w, "y", p.y);
    number(w, "z", p.z);
    w.EndObject();
}

void box(JsonWriter& w, const char* key, V3 start, V3 end) {
    w.Key(key);
    w.StartObject();
    point(w, "start", start);
    point(w, "end", end);
    w.EndObject();
}

void turn(JsonWriter& w, Turn t) {
    number(w, "ox", t.ox);
    number(w, "oy", t.oy);
    number(w, "oz", t.oz);
}

void pose(JsonWriter& w, V3 p, Turn t) {
    number(w, "x", p.x);
    number(w, "y", p.y);
    number(w, "z", p.z);
    turn(w, t);
}

Code call(const std::string& func, Code ifTrue, Code ifFalse) {
    Code n = std::make_shared<CodeNode>();
    n->func = func;
    n->ifTrue = ifTrue;
    n->ifFalse = ifFalse;
    return n;
}

Code openDoor(int doorIndex, Code ifTrue) {
    Code n = call("launchToggleDoor", ifTrue);
    n->doorIndex = doorIndex;
    return n;
}

Code flipDoor(const std::string& room, int doorIndex, Code ifTrue) {
    Code n = call("toggleDoor", ifTrue);
    n->room = room;
    n->doorIndex = doorIndex;
    return n;
}

Code showPath(int pathIndex, Code ifTrue) {
    Code n = call("launchCameraPath", ifTrue);
    n->pathIndex = pathIndex;
    return n;
}

void codeTree(JsonWriter& w, const std::string& id, const Code& root) {
    w.StartObject();
    w.Key("id");
    w.String(id.c_str());
    w.Key("code");
    writeNode(w, *root);
    w.EndObject();
}
