// The shipped level of the underwater game: three rooms, listed as kelp,
// cave, wreck (slots 0, 1, 2), read in name order (cave, kelp, wreck) and
// swum in the order kelp, wreck, cave.
//
// The route (room coordinates, z = depth from 0 at the surface to -20):
//  1. Start in kelp (slot 0) at (20, 20, -5), facing -y.
//  2. Red key at (20, 45): taking it gives the red key. On the way, the
//     trigger across y = 32 (x 12..28) runs camera path 0 (a hint; a second
//     trigger at (70, 30) runs the same tree).
//  3. Lever at (50, 60) (reach: x 43.4..56.4, y 53.4..66.4): Ctrl; after its 1 s run,
//     with the red key, door 0 (gate at x 44..56, y 96) opens over 2 s and
//     camera path 1 shows it; without the key, camera path 0 points at it.
//  4. Through door 0 (x 44..56, y above 93) to wreck, arriving at (50, 8).
//  5. Green key at (25, 40), blue key at (75, 40).
//  6. Lever at (50, 60): Ctrl; after 1 s, with both keys, wreck door 1 (gate
//     at x 44..56, y 96) opens over 2 s, and the cave's exit (doors 0 and 2)
//     flips open at once; without both keys camera path 0 shows the way.
//  7. Through wreck door 1 (x 44..56, y above 93) to cave, arriving at
//     (10, 50). The trigger across x = 30 (y 38..62) shows camera path 0
//     while the gold key is not held.
//  8. Gold key at (60, 50): taking it shows camera path 1 and flips wreck's
//     door 0 (the way back to kelp) shut.
//  9. Through cave door 0 (x above 96, y 44..50) back to kelp, arriving at
//     (80, 20). Done: every room, four keys, two levers, three doors.
// Open from the start: wreck door 0 (to kelp, y below 3, arrival (50, 85))
// and cave door 1 (to wreck, x below 4, arrival (50, 88)). Cave door 2 is the
// upper half of the exit (y 50..56, arrival (80, 30)): its own record on the
// same gate, flipped with door 0, so that gate and doors always agree.
#include "DataOutput.h"
#include "Sarn2016Data.h"
#include "Sarn2016Json.h"

#include <cmath>
#include <string>
#include <vector>

namespace {

const std::string folder = "data/Sarn2016/";

struct Static {
    std::string id;
    V3 at;
    bool turned;
    Turn t;
    std::string model, texture;
};

struct Door {
    std::string mechanism;
    V3 at;
    Turn t;
    bool open;
    V3 areaStart, areaEnd;
    std::string room;
    double arriveX, arriveY;
};

struct Lever {
    std::string mechanism, code;
    V3 at;
};

// Boxes reach below the floor and above the surface: they are open at their
// start face and the swimmer rests at depth -20 or 0.
struct Trigger {
    std::string code;
    V3 at;
    double halfX, halfY;
};

struct Collectible {
    std::string transformId;
    Trigger trigger;
};

struct Waypoint {
    V3 eye, target;
    double ratio; // negative: not written
};

struct Path {
    double duration;
    std::vector<Waypoint> points;
};

struct Frame {
    V3 at;
    Turn t;
    double ratio;
};

struct Group {
    std::vector<std::string> objects;
    std::vector<V3> anchors;
    std::vector<Frame> frames;
    std::vector<Group> children;
};

struct Mechanism {
    std::string id;
    double duration;
    std::vector<Group> groups;
};

struct Room {
    std::string name;
    double left, right, bottom, top;
    bool entryTransition;
    std::vector<Static> statics;
    std::vector<Door> doors;
    std::vector<Path> paths;
    std::vector<Lever> levers;
    std::vector<Collectible> keys;
    std::vector<Trigger> triggers;
    std::vector<Mechanism> mechanisms;
    std::vector<std::pair<std::string, Code>> codes;
};

void addStatic(Room& r, const std::string& id, V3 at, const std::string& model,
               const std::string& texture) {
    r.statics.push_back({id, at, false, noTurn(), model, texture});
}

void addTurned(Room& r, const std::string& id, V3 at, Turn t, const std::string& model,
               const std::string& texture) {
    r.statics.push_back({id, at, true, t, model, texture});
}

// Two wooden leaves of 6 across a 12-wide opening, along the gate's own x
// (turned `degrees` about z). Opening lifts the first leaf out of the water
// and folds the second, hinged on it, by a quarter turn.
void addGate(Room& r, const std::string& id, V3 at, double degrees) {
    double a = degrees * 3.14159265358979323846 / 180.0;
    // Rounded so that a quarter turn lands on whole numbers.
    V3 second = {std::round((at.x + 6.0 * std::cos(a)) * 1e6) / 1e6 + 0.0,
                 std::round((at.y + 6.0 * std::sin(a)) * 1e6) / 1e6 + 0.0, at.z};
    Turn t = turnZ(degrees);
    addTurned(r, id + "Left", at, t, "gate", "data/wood.bmp");
    addTurned(r, id + "Right", second, t, "gate", "data/wood.bmp");
    Group fold{
        {id + "Right"},
        {{0, 0, 0}},
        {{{6, 0, 0}, noTurn(), 0.0}, {{6, 0, 0}, turnZ(-45), 0.5}, {{6, 0, 0}, turnZ(-90), 1.0}},
        {}};
    Group lift{{id + "Left"},
               {{0, 0, 0}},
               {{{0, 0, 0}, noTurn(), 0.0}, {{0, 0, 19}, noTurn(), 1.0}},
               {fold}};
    r.mechanisms.push_back({id, 2.0, {lift}});
}

// A stone base with an arm that tips from one side to the other.
void addLever(Room& r, const std::string& id, V3 at, const std::string& code) {
    addStatic(r, "", at, "leverBase", "data/wall.bmp");
    V3 pivot = {at.x + 0.6, at.y + 0.6, at.z + 1.2};
    addTurned(r, id + "Arm", {pivot.x - 0.15, pivot.y - 0.15, pivot.z}, turnX(-35), "leverArm",
              "data/wood.bmp");
    Group arm{{id + "Arm"},
              {{-0.15, -0.15, 0}},
              {{{0.6, 0.6, 1.2}, turnX(-35), 0.0}, {{0.6, 0.6, 1.2}, turnX(35), 1.0}},
              {}};
    r.mechanisms.push_back({id, 1.0, {arm}});
    r.levers.push_back({id, code, at});
}

void addKey(Room& r, const std::string& colour, V3 at, Turn t, const std::string& code) {
    addTurned(r, colour + "Key", at, t, colour + "Key", "data/" + colour + "key.png");
    r.keys.push_back({colour + "Key", {code, at, 4.0, 4.0}});
}

struct Gap {
    double x0, y0, x1, y1;
};

// Stone pillars every 10 units round the edge, clear of the door openings;
// kelp and rocks where the list puts them.
void addScenery(Room& r, const std::vector<Gap>& gaps, const std::vector<V3>& kelp,
                const std::vector<V3>& rocks) {
    auto clear = [&](double x, double y) {
        for (const Gap& g : gaps) {
            if (x + 2 > g.x0 && x < g.x1 && y + 2 > g.y0 && y < g.y1) {
                return false;
            }
        }
        return true;
    };
    for (double x = r.left; x <= r.right - 2; x += 10) {
        for (double y : {r.bottom, r.top - 2}) {
            if (clear(x, y)) {
                addStatic(r, "", {x, y, -20}, "pillar", "data/wall.bmp");
            }
        }
    }
    for (double y = r.bottom + 10; y < r.top - 2; y += 10) {
        for (double x : {r.left, r.right - 2}) {
            if (clear(x, y)) {
                addStatic(r, "", {x, y, -20}, "pillar", "data/wall.bmp");
            }
        }
    }
    for (const V3& k : kelp) {
        addStatic(r, "", k, "kelp", "data/seaweed.png");
    }
    for (size_t i = 0; i < rocks.size(); ++i) {
        addTurned(r, "", rocks[i], turnZ(25.0 * static_cast<double>(i + 1)), "rock",
                  "data/cliff.png");
    }
}

Room kelpRoom() {
    Room r{"kelp.json", 0, 100, 0, 100, true, {}, {}, {}, {}, {}, {}, {}, {}};
    addScenery(r, {{44, 90, 56, 100}}, {{8, 70, -20}, {30, 80, -20}, {75, 75, -20}, {85, 50, -20}},
               {{10, 55, -20}, {70, 15, -20}, {88, 85, -20}});
    for (int i = 0; i < 5; ++i) {
        addStatic(r, "", {17.0 + 7.0 * i, 24.0 + 7.0 * i, -20}, "plank", "data/wood.bmp");
    }
    addGate(r, "gate", {44, 96, -20}, 0);
    addLever(r, "lever", {49.4, 59.4, -20}, "leverA");
    addKey(r, "red", {20, 45, -12}, turnZ(45), "takeRed");
    r.doors.push_back(
        {"gate", {44, 96, -20}, noTurn(), false, {44, 93, -25}, {56, 100, 5}, "wreck.json", 50, 8});
    r.paths.push_back({4.0,
                       {{{20, 28, -3}, {50, 60, -15}, 0.0},
                        {{35, 50, -2}, {50, 96, -12}, 0.45},
                        {{30, 60, -6}, {20, 45, -12}, 1.0}}});
    // Two waypoints: the reader puts them at 0 and 1 whatever is written.
    r.paths.push_back(
        {3.0, {{{50, 75, -5}, {50, 96, -10}, 0.25}, {{50, 85, -8}, {50, 97, -10}, 0.75}}});
    r.triggers.push_back({"hint", {20, 32, -10}, 8, 2});
    r.triggers.push_back({"hint", {70, 30, -10}, 8, 2});
    r.codes.push_back({"takeRed", call("takeRedKey")});
    r.codes.push_back({"leverA", call("hasRedKey", openDoor(0, showPath(1)), showPath(0))});
    r.codes.push_back({"hint", showPath(0)});
    return r;
}

Room wreckRoom() {
    Room r{"wreck.json", 10, 90, 0, 100, false, {}, {}, {}, {}, {}, {}, {}, {}};
    addScenery(r, {{44, 0, 56, 8}, {44, 90, 56, 100}},
               {{20, 20, -20}, {80, 75, -20}, {15, 85, -20}}, {{30, 70, -20}, {70, 20, -20}});
    // The deck of the wreck.
    for (int i = 0; i < 6; ++i) {
        addStatic(r, "", {30.0 + 6.0 * (i % 3), 30.0 + 12.0 * (i / 3), -20}, "plank",
                  "data/wood.bmp");
    }
    addStatic(r, "", {60, 80, -20}, "block", "data/wall.bmp");
    addGate(r, "back", {44, 1, -20}, 0);
    addGate(r, "onward", {44, 96, -20}, 0);
    addLever(r, "lever", {49.4, 59.4, -20}, "leverB");
    addKey(r, "green", {25, 40, -15}, turnZ(-30), "takeGreen");
    addKey(r, "blue", {75, 40, -5}, turnX(20), "takeBlue");
    r.doors.push_back(
        {"back", {44, 1, -20}, noTurn(), true, {44, -5, -25}, {56, 3, 5}, "kelp.json", 50, 85});
    r.doors.push_back({"onward",
                       {44, 96, -20},
                       noTurn(),
                       false,
                       {44, 93, -25},
                       {56, 100, 5},
                       "cave.json",
                       10,
                       50});
    r.paths.push_back({5.0,
                       {{{50, 15, -4}, {25, 40, -15}, 0.0},
                        {{50, 25, -3}, {50, 60, -18}, 0.3},
                        {{55, 30, -4}, {75, 40, -5}, 0.7},
                        {{50, 70, -5}, {50, 96, -12}, 1.0}}});
    r.codes.push_back({"takeGreen", call("takeGreenKey")});
    r.codes.push_back({"takeBlue", call("takeBlueKey")});
    // Both halves of the cave's exit flip together.
    r.codes.push_back(
        {"leverB",
         call("hasGreenKey",
              call("hasBlueKey", openDoor(1, flipDoor("cave.json", 0, flipDoor("cave.json", 2))),
                   showPath(0)),
              showPath(0))});
    return r;
}

Room caveRoom() {
    Room r{"cave.json", 0, 100, 20, 80, true, {}, {}, {}, {}, {}, {}, {}, {}};
    addScenery(r, {{90, 40, 100, 60}, {0, 40, 8, 60}},
               {{40, 30, -20}, {45, 70, -20}, {80, 28, -20}},
               {{20, 72, -20}, {70, 70, -20}, {85, 32, -20}});
    addGate(r, "exit", {97, 44, -20}, 90);
    addGate(r, "way", {3, 56, -20}, -90);
    addKey(r, "gold", {60, 50, -10}, turnY(30), "takeGold");
    r.doors.push_back({"exit",
                       {97, 44, -20},
                       turnZ(90),
                       false,
                       {96, 44, -25},
                       {100, 50, 5},
                       "kelp.json",
                       80,
                       20});
    r.doors.push_back(
        {"way", {3, 56, -20}, turnZ(-90), true, {-5, 44, -25}, {4, 56, 5}, "wreck.json", 50, 88});
    // The upper half of the exit: the same gate, its own state, opened with
    // door 0 by the wreck's lever.
    r.doors.push_back({"exit",
                       {97, 44, -20},
                       turnZ(90),
                       false,
                       {96, 50, -25},
                       {100, 56, 5},
                       "kelp.json",
                       80,
                       30});
    r.paths.push_back({4.0,
                       {{{15, 50, -4}, {60, 50, -10}, 0.0},
                        {{35, 40, -3}, {60, 50, -10}, 0.5},
                        {{50, 45, -6}, {60, 50, -10}, 1.0}}});
    r.paths.push_back(
        {3.0, {{{75, 50, -4}, {97, 50, -12}, 0.0}, {{85, 50, -6}, {97, 50, -12}, 1.0}}});
    r.triggers.push_back({"caveHint", {30, 50, -10}, 2, 12});
    r.codes.push_back({"takeGold", call("takeGoldKey", showPath(1, flipDoor("wreck.json", 0)))});
    r.codes.push_back({"caveHint", call("hasGoldKey", nullptr, showPath(0))});
    return r;
}

void writeTrigger(JsonWriter& w, const Trigger& t) {
    w.StartObject();
    w.Key("codeTreeId");
    w.String(t.code.c_str());
    point(w, "position", t.at);
    box(w, "AABB", {-t.halfX, -t.halfY, -26 - t.at.z}, {t.halfX, t.halfY, 6 - t.at.z});
    w.EndObject();
}

void writeGroup(JsonWriter& w, const Group& g) {
    w.StartObject();
    w.Key("objects");
    w.StartArray();
    for (size_t i = 0; i < g.objects.size(); ++i) {
        w.StartObject();
        w.Key("transformId");
        w.String(g.objects[i].c_str());
        point(w, "anchor", g.anchors[i]);
        w.Key("relativeOrientation");
        w.StartObject();
        turn(w, noTurn());
        w.EndObject();
        w.EndObject();
    }
    w.EndArray();
    w.Key("frames");
    w.StartArray();
    for (const Frame& f : g.frames) {
        w.StartObject();
        pose(w, f.at, f.t);
        number(w, "timeRatio", f.ratio);
        w.EndObject();
    }
    w.EndArray();
    if (!g.children.empty()) {
        w.Key("children");
        w.StartArray();
        for (const Group& c : g.children) {
            writeGroup(w, c);
        }
        w.EndArray();
    }
    w.EndObject();
}

void writeStatics(JsonWriter& w, const Room& r) {
    w.Key("staticObjects");
    w.StartArray();
    for (const Static& s : r.statics) {
        w.StartObject();
        if (!s.id.empty()) {
            w.Key("id");
            w.String(s.id.c_str());
        }
        number(w, "x", s.at.x);
        number(w, "y", s.at.y);
        number(w, "z", s.at.z);
        if (s.turned) {
            turn(w, s.t);
        }
        w.Key("model");
        w.String(s.model.c_str());
        w.Key("texture");
        w.String(s.texture.c_str());
        w.EndObject();
    }
    w.EndArray();
}

void writeDoors(JsonWriter& w, const Room& r) {
    w.Key("doors");
    w.StartArray();
    for (const Door& d : r.doors) {
        w.StartObject();
        w.Key("mechanismId");
        w.String(d.mechanism.c_str());
        pose(w, d.at, d.t);
        w.Key("open");
        w.Bool(d.open);
        box(w, "roomChangeAABB", d.areaStart, d.areaEnd);
        w.Key("room");
        w.String(d.room.c_str());
        w.Key("playerPosition");
        w.StartObject();
        number(w, "x", d.arriveX);
        number(w, "y", d.arriveY);
        w.EndObject();
        w.EndObject();
    }
    w.EndArray();
}

void writePaths(JsonWriter& w, const Room& r) {
    w.Key("cameraPaths");
    w.StartArray();
    for (const Path& p : r.paths) {
        w.StartObject();
        w.Key("waypoints");
        w.StartArray();
        for (const Waypoint& wp : p.points) {
            w.StartObject();
            point(w, "eye", wp.eye);
            point(w, "target", wp.target);
            if (wp.ratio >= 0) {
                number(w, "timeRatio", wp.ratio);
            }
            w.EndObject();
        }
        w.EndArray();
        number(w, "duration", p.duration);
        w.EndObject();
    }
    w.EndArray();
}

void writeLevers(JsonWriter& w, const Room& r) {
    w.Key("levers");
    w.StartArray();
    for (const Lever& l : r.levers) {
        w.StartObject();
        w.Key("mechanismId");
        w.String(l.mechanism.c_str());
        w.Key("codeTreeId");
        w.String(l.code.c_str());
        pose(w, l.at, noTurn());
        box(w, "interactionAABB", {-6, -6, -6 - (l.at.z + 20)}, {7, 7, 26 - (l.at.z + 20)});
        w.EndObject();
    }
    w.EndArray();
}

std::string roomJson(const Room& r) {
    rapidjson::StringBuffer buffer;
    JsonWriter w(buffer);
    w.SetIndent(' ', 2);
    w.StartObject();
    w.Key("room");
    w.StartObject();
    number(w, "left", r.left);
    number(w, "right", r.right);
    number(w, "bottom", r.bottom);
    number(w, "top", r.top);
    w.Key("entryTransition");
    w.Bool(r.entryTransition);
    writeStatics(w, r);
    if (!r.doors.empty()) {
        writeDoors(w, r);
    }
    if (!r.paths.empty()) {
        writePaths(w, r);
    }
    if (!r.levers.empty()) {
        writeLevers(w, r);
    }
    if (!r.keys.empty()) {
        w.Key("collectibles");
        w.StartArray();
        for (const Collectible& k : r.keys) {
            w.StartObject();
            w.Key("transformId");
            w.String(k.transformId.c_str());
            w.Key("trigger");
            writeTrigger(w, k.trigger);
            w.EndObject();
        }
        w.EndArray();
    }
    if (!r.triggers.empty()) {
        w.Key("triggers");
        w.StartArray();
        for (const Trigger& t : r.triggers) {
            writeTrigger(w, t);
        }
        w.EndArray();
    }
    w.Key("mechanisms");
    w.StartArray();
    for (const Mechanism& m : r.mechanisms) {
        w.StartObject();
        w.Key("id");
        w.String(m.id.c_str());
        number(w, "duration", m.duration);
        w.Key("objectGroups");
        w.StartArray();
        for (const Group& g : m.groups) {
            writeGroup(w, g);
        }
        w.EndArray();
        w.EndObject();
    }
    w.EndArray();
    w.Key("codeTrees");
    w.StartArray();
    for (const auto& c : r.codes) {
        codeTree(w, c.first, c.second);
    }
    w.EndArray();
    w.EndObject();
    w.EndObject();
    return std::string(buffer.GetString()) + "\n";
}

struct TextureEntry {
    const char* path;
    bool smooth;
    const char* wrapMode; // anything but the three named modes mirrors
};

struct Displayable {
    const char* name;
    const char* model;
    const char* texture;
    V3 scale;
};

std::string levelJson(const std::vector<std::string>& rooms) {
    const TextureEntry textures[] = {
        {"data/wall.bmp", false, "repeat"},           {"data/wood.bmp", false, "repeat"},
        {"data/cliff.png", true, "mirroredRepeat"},   {"data/seaweed.png", true, "clampToEdge"},
        {"data/redkey.png", true, "clampToEdge"},     {"data/greenkey.png", true, "clampToBorder"},
        {"data/bluekey.png", false, "clampToBorder"}, {"data/goldkey.png", true, "mirror"},
    };
    const char* wall = "data/meshes/display/wall.json";
    const Displayable displayables[] = {
        {"block", wall, "data/wall.bmp", {1, 1, 1}},
        // The tall wall is 6 high: pillars reach from the floor to the surface.
        {"pillar", "data/meshes/display/tallWall.json", "data/wall.bmp", {1, 1, 20.0 / 6.0}},
        {"rock", wall, "data/cliff.png", {2.5, 2, 1.5}},
        {"plank", "data/meshes/display/floorWood.json", "data/wood.bmp", {3, 1, 1}},
        {"gate", wall, "data/wood.bmp", {3, 0.25, 5}},
        {"leverBase", wall, "data/wall.bmp", {0.6, 0.6, 0.6}},
        {"leverArm", "data/meshes/display/tallWall.json", "data/wood.bmp", {0.15, 0.15, 2.0 / 3.0}},
        {"kelp", "data/meshes/display/seaweed.json", "data/seaweed.png", {2, 2, 1.5}},
        {"redKey", wall, "data/redkey.png", {1, 1, 1}},
        {"greenKey", wall, "data/greenkey.png", {1, 1, 1}},
        {"blueKey", wall, "data/bluekey.png", {1, 1, 1}},
        {"goldKey", wall, "data/goldkey.png", {1, 1, 1}},
    };
    rapidjson::StringBuffer buffer;
    JsonWriter w(buffer);
    w.SetIndent(' ', 2);
    w.StartObject();
    w.Key("level");
    w.StartObject();
    w.Key("rooms");
    w.StartArray();
    for (const std::string& name : rooms) {
        w.String(name.c_str());
    }
    w.EndArray();
    w.Key("textures");
    w.StartArray();
    for (const TextureEntry& t : textures) {
        w.StartObject();
        w.Key("path");
        w.String(t.path);
        w.Key("smooth");
        w.Bool(t.smooth);
        w.Key("wrapMode");
        w.String(t.wrapMode);
        w.EndObject();
    }
    w.EndArray();
    w.Key("displayables");
    w.StartArray();
    for (const Displayable& d : displayables) {
        w.StartObject();
        w.Key("name");
        w.String(d.name);
        w.Key("modelPath");
        w.String(d.model);
        w.Key("texturePath");
        w.String(d.texture);
        number(w, "x", 0);
        number(w, "y", 0);
        number(w, "z", 0);
        number(w, "scaleX", d.scale.x);
        number(w, "scaleY", d.scale.y);
        number(w, "scaleZ", d.scale.z);
        w.EndObject();
    }
    w.EndArray();
    w.EndObject();
    w.EndObject();
    return std::string(buffer.GetString()) + "\n";
}

} // namespace

void writeSarn2016Level(DataOutput& out) {
    out.text(folder + "level.json", levelJson({"kelp.json", "cave.json", "wreck.json"}));
    for (const Room& room : {kelpRoom(), wreckRoom(), caveRoom()}) {
        out.text(folder + room.name, roomJson(room));
    }
}
