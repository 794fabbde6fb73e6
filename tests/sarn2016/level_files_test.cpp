// The shipped underwater level, read as plain JSON: every key the readers
// require is there with its type, every name resolves, the arrays fit the
// rooms, and no door drops the swimmer inside a door area.
#include "DataFile.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <map>
#include <set>
#include <string>
#include <vector>

namespace {

const std::string folder = "data/Sarn2016/";

struct Box {
    float x0, y0, z0, x1, y1, z1;
    bool contains(float x, float y) const { return x0 < x && x <= x1 && y0 < y && y <= y1; }
};

bool readPoint(const rapidjson::Value& v, float& x, float& y, float& z) {
    return getFloat(v, "x", x) && getFloat(v, "y", y) && getFloat(v, "z", z);
}

bool readBox(const rapidjson::Value& obj, const char* key, Box& b) {
    const rapidjson::Value* v = getObject(obj, key);
    const rapidjson::Value* s = v ? getObject(*v, "start") : nullptr;
    const rapidjson::Value* e = v ? getObject(*v, "end") : nullptr;
    return s && e && readPoint(*s, b.x0, b.y0, b.z0) && readPoint(*e, b.x1, b.y1, b.z1);
}

bool readPose(const rapidjson::Value& v) {
    float f;
    for (const char* k : {"x", "y", "z", "ox", "oy", "oz"}) {
        if (!getFloat(v, k, f)) {
            return false;
        }
    }
    return true;
}

// Every array the readers walk is an array of objects.
const rapidjson::Value& objects(const rapidjson::Value& obj, const char* key, unsigned limit,
                                const std::string& where) {
    static const rapidjson::Value empty(rapidjson::kArrayType);
    const rapidjson::Value* a = getArray(obj, key);
    if (!a) {
        return empty;
    }
    EXPECT_LE(a->Size(), limit) << where << " " << key;
    for (const rapidjson::Value& e : a->GetArray()) {
        EXPECT_TRUE(e.IsObject()) << where << " " << key;
    }
    return *a;
}

struct RoomFile {
    rapidjson::Document doc;
    const rapidjson::Value* room = nullptr;
    float left = 0, right = 0, bottom = 0, top = 0;
    std::vector<Box> doorAreas;
    unsigned paths = 0;
};

const std::set<std::string> plainCalls = {"takeRedKey",    "takeGreenKey",  "takeBlueKey",
                                          "takeGoldKey",   "removeRedKey",  "removeGreenKey",
                                          "removeBlueKey", "removeGoldKey", "hasRedKey",
                                          "hasGreenKey",   "hasBlueKey",    "hasGoldKey"};

// Counts the nodes of one tree and checks each call and its argument.
unsigned checkNode(const rapidjson::Value& node, const std::string& where,
                   const std::map<std::string, RoomFile>& rooms, const RoomFile& self) {
    std::string func;
    EXPECT_TRUE(getString(node, "func", func)) << where;
    const rapidjson::Value* params = getObject(node, "params");
    int index = -1;
    if (func == "launchToggleDoor" || func == "toggleDoor") {
        std::string room;
        const RoomFile* target = &self;
        if (params && getString(*params, "room", room)) {
            EXPECT_TRUE(rooms.count(room)) << where << " names " << room;
            target = rooms.count(room) ? &rooms.at(room) : &self;
        }
        EXPECT_TRUE(params && getInt(*params, "doorIndex", index) && index >= 0 &&
                    index < static_cast<int>(target->doorAreas.size()))
            << where << " " << func;
    } else if (func == "launchCameraPath") {
        EXPECT_TRUE(params && getInt(*params, "camerapathIndex", index) && index >= 0 &&
                    index < static_cast<int>(self.paths))
            << where;
    } else {
        EXPECT_TRUE(plainCalls.count(func)) << where << " calls " << func;
    }
    unsigned count = 1;
    for (const char* branch : {"ifTrue", "ifFalse"}) {
        if (const rapidjson::Value* next = getObject(node, branch)) {
            count += checkNode(*next, where, rooms, self);
        }
    }
    return count;
}

void checkGroup(const rapidjson::Value& group, const std::set<std::string>& ids,
                const std::string& where) {
    for (const rapidjson::Value& o : objects(group, "objects", 400, where).GetArray()) {
        std::string id;
        const rapidjson::Value* turn = getObject(o, "relativeOrientation");
        float x, y, z;
        EXPECT_TRUE(getString(o, "transformId", id) && ids.count(id)) << where << " " << id;
        EXPECT_TRUE(getObject(o, "anchor") && readPoint(*getObject(o, "anchor"), x, y, z) && turn &&
                    getFloat(*turn, "ox", x) && getFloat(*turn, "oy", y) &&
                    getFloat(*turn, "oz", z))
            << where;
    }
    const rapidjson::Value& frames = objects(group, "frames", 100, where);
    EXPECT_GT(frames.Size(), 0u) << where;
    for (const rapidjson::Value& f : frames.GetArray()) {
        float ratio;
        EXPECT_TRUE(readPose(f) && getFloat(f, "timeRatio", ratio)) << where;
    }
    for (const rapidjson::Value& c : objects(group, "children", 100, where).GetArray()) {
        checkGroup(c, ids, where);
    }
}

void checkRoom(const std::string& name, const std::map<std::string, RoomFile>& rooms,
               const std::set<std::string>& displayables, const std::set<std::string>& textures) {
    const RoomFile& file = rooms.at(name);
    const rapidjson::Value& room = *file.room;
    std::string where = name;
    EXPECT_TRUE(file.left < file.right && file.bottom < file.top && file.left + 1 >= 0 &&
                file.right - 1 < 100 && file.bottom + 1 >= 0 && file.top - 1 < 100)
        << where << " bounds";

    std::set<std::string> ids;
    for (const rapidjson::Value& s : objects(room, "staticObjects", 400, where).GetArray()) {
        std::string id, model, texture;
        float x, y, z;
        if (getString(s, "id", id)) {
            ids.insert(id);
        }
        EXPECT_TRUE(readPoint(s, x, y, z)) << where;
        EXPECT_TRUE(!hasMember(s, "ox") || readPose(s)) << where;
        EXPECT_TRUE(getString(s, "model", model) && displayables.count(model)) << where << model;
        EXPECT_TRUE(getString(s, "texture", texture) && textures.count(texture)) << where;
    }
    std::set<std::string> mechanisms, trees;
    for (const rapidjson::Value& m : objects(room, "mechanisms", 100, where).GetArray()) {
        std::string id;
        float duration;
        EXPECT_TRUE(getString(m, "id", id) && getFloat(m, "duration", duration)) << where;
        mechanisms.insert(id);
        const rapidjson::Value& groups = objects(m, "objectGroups", 100, where + " " + id);
        EXPECT_TRUE(getArray(m, "objectGroups")) << where << " " << id;
        for (const rapidjson::Value& g : groups.GetArray()) {
            checkGroup(g, ids, where + " " + id);
        }
    }
    std::map<std::string, const rapidjson::Value*> code;
    for (const rapidjson::Value& t : objects(room, "codeTrees", 100, where).GetArray()) {
        std::string id;
        EXPECT_TRUE(getString(t, "id", id) && getObject(t, "code")) << where;
        code.emplace(id, getObject(t, "code"));
    }
    unsigned nodes = 0;
    auto useTree = [&](const rapidjson::Value& record) {
        std::string id;
        EXPECT_TRUE(getString(record, "codeTreeId", id) && code.count(id) && code[id])
            << where << " tree " << id;
        if (code.count(id) && code[id]) {
            nodes += checkNode(*code[id], where + " " + id, rooms, file);
        }
    };
    // A box must hold the swimmer at any depth: it is open at its start face.
    auto wholeDepth = [&](const Box& b, float baseZ) {
        EXPECT_TRUE(baseZ + b.z0 < -20 && baseZ + b.z1 >= 0) << where << " box depth";
    };
    for (const rapidjson::Value& d : objects(room, "doors", 3, where).GetArray()) {
        std::string mechanism, target;
        Box area;
        const rapidjson::Value* at = getObject(d, "playerPosition");
        float x, y;
        EXPECT_TRUE(getString(d, "mechanismId", mechanism) && mechanisms.count(mechanism)) << where;
        EXPECT_TRUE(readPose(d) && readBox(d, "roomChangeAABB", area)) << where;
        wholeDepth(area, 0);
        ASSERT_TRUE(getString(d, "room", target) && rooms.count(target)) << where << " " << target;
        ASSERT_TRUE(at && getFloat(*at, "x", x) && getFloat(*at, "y", y)) << where;
        const RoomFile& there = rooms.at(target);
        EXPECT_TRUE(there.left + 1 <= x && x <= there.right - 1 && there.bottom + 1 <= y &&
                    y <= there.top - 1)
            << where << " arrival outside " << target;
        for (const Box& b : there.doorAreas) {
            EXPECT_FALSE(b.contains(x, y)) << where << " arrival in a door area of " << target;
        }
    }
    for (const rapidjson::Value& l : objects(room, "levers", 5, where).GetArray()) {
        std::string mechanism;
        Box reach;
        float z;
        EXPECT_TRUE(getString(l, "mechanismId", mechanism) && mechanisms.count(mechanism)) << where;
        EXPECT_TRUE(readPose(l) && getFloat(l, "z", z) && readBox(l, "interactionAABB", reach))
            << where;
        wholeDepth(reach, z);
        useTree(l);
    }
    auto checkTrigger = [&](const rapidjson::Value& t) {
        Box box;
        float x, y, z;
        const rapidjson::Value* at = getObject(t, "position");
        EXPECT_TRUE(at && readPoint(*at, x, y, z) && readBox(t, "AABB", box)) << where;
        wholeDepth(box, z);
        useTree(t);
    };
    for (const rapidjson::Value& c : objects(room, "collectibles", 10, where).GetArray()) {
        std::string id;
        EXPECT_TRUE(getString(c, "transformId", id) && ids.count(id)) << where << " key " << id;
        ASSERT_TRUE(getObject(c, "trigger")) << where;
        checkTrigger(*getObject(c, "trigger"));
    }
    for (const rapidjson::Value& t : objects(room, "triggers", 10, where).GetArray()) {
        checkTrigger(t);
    }
    for (const rapidjson::Value& p : objects(room, "cameraPaths", 100, where).GetArray()) {
        float duration, x, y, z;
        EXPECT_TRUE(getFloat(p, "duration", duration)) << where;
        for (const rapidjson::Value& w : objects(p, "waypoints", 100, where).GetArray()) {
            EXPECT_TRUE(getObject(w, "eye") && readPoint(*getObject(w, "eye"), x, y, z) &&
                        getObject(w, "target") && readPoint(*getObject(w, "target"), x, y, z))
                << where;
        }
    }
    EXPECT_LE(nodes, 20u) << where << " code nodes";
}

} // namespace

TEST(ShippedLevel, LevelAndRoomFilesCarryEveryRequiredKeyAndResolveEveryName) {
    rapidjson::Document level;
    ASSERT_TRUE(parseJsonFile(folder + "level.json", level));
    const rapidjson::Value* body = getObject(level, "level");
    ASSERT_TRUE(body);
    const rapidjson::Value* names = getArray(*body, "rooms");
    ASSERT_TRUE(names && names->Size() >= 3 && names->Size() <= 10);

    std::set<std::string> textures, displayables;
    for (const rapidjson::Value& t : objects(*body, "textures", 1000, "level").GetArray()) {
        std::string path, mode, content, reason;
        bool smooth;
        EXPECT_TRUE(getString(t, "path", path) && getBool(t, "smooth", smooth) &&
                    getString(t, "wrapMode", mode));
        EXPECT_TRUE(readFileQuietly(path, content, reason)) << path;
        textures.insert(path);
    }
    for (const rapidjson::Value& d : objects(*body, "displayables", 1000, "level").GetArray()) {
        std::string name, model, texture;
        float f;
        EXPECT_TRUE(getString(d, "name", name) && getString(d, "modelPath", model) &&
                    getString(d, "texturePath", texture) && textures.count(texture))
            << name;
        for (const char* k : {"x", "y", "z", "scaleX", "scaleY", "scaleZ"}) {
            EXPECT_TRUE(getFloat(d, k, f)) << name << " " << k;
        }
        rapidjson::Document mesh;
        EXPECT_TRUE(parseJsonFile(model, mesh) && getObject(mesh, "model")) << model;
        displayables.insert(name);
    }

    // Read every room first: doors and code name doors of rooms read later.
    std::map<std::string, RoomFile> rooms;
    std::vector<std::string> order;
    for (const rapidjson::Value& n : names->GetArray()) {
        ASSERT_TRUE(n.IsString());
        std::string name = n.GetString();
        ASSERT_EQ(rooms.count(name), 0u) << "repeated room " << name;
        order.push_back(name);
        RoomFile& file = rooms[name];
        ASSERT_TRUE(parseJsonFile(folder + name, file.doc)) << name;
        file.room = getObject(file.doc, "room");
        bool entry;
        ASSERT_TRUE(
            file.room && getFloat(*file.room, "left", file.left) &&
            getFloat(*file.room, "right", file.right) &&
            getFloat(*file.room, "bottom", file.bottom) && getFloat(*file.room, "top", file.top) &&
            getBool(*file.room, "entryTransition", entry) && getArray(*file.room, "staticObjects"))
            << name;
        for (const rapidjson::Value& d : objects(*file.room, "doors", 3, name).GetArray()) {
            Box area{};
            readBox(d, "roomChangeAABB", area);
            file.doorAreas.push_back(area);
        }
        file.paths = objects(*file.room, "cameraPaths", 100, name).Size();
    }
    // Play starts in the first listed room; the files are read in name order.
    EXPECT_FALSE(std::is_sorted(order.begin(), order.end()));
    for (const std::string& name : order) {
        checkRoom(name, rooms, displayables, textures);
    }
}
