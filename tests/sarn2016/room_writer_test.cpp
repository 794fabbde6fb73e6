#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <fstream>
#include <functional>
#include <memory>
#include <random>
#include <string>
#include <vector>

#include "DataFile.h"
#include "Recorder.h"
#include "RoomSnapshot.h"
#include "Sarn2016.h"
#include "ScriptedRandom.h"
#include "TestFiles.h"

namespace {

using Room = Sarn2016::Room;

std::string bytes(const std::string& path) {
    std::string text;
    readFileQuietly(path, text, text);
    return text;
}

// The shipped level loaded, so that rooms have its tables to be written with.
class Sarn2016RoomWriterTest : public testing::Test {
public:
    void SetUp() override {
        recorder().reset();
        seedScriptedRandom(1);
        game = loadedLevel();
        ASSERT_TRUE(game);
    }
    bool write(const Room& room, const std::string& path) {
        return writeRoom(*game, room, path, err);
    }
    bool read(Room& room, const std::string& path) { return readRoom(*game, room, path); }
    Room& scratch() {
        Room& room = game->rooms[5];
        room.roomDefault(0.0f, 100.0f, 0.0f, 100.0f);
        return room;
    }
    Sarn2016::Sarn2016Displayable& addStatic(Room& room, float x) {
        Sarn2016::Sarn2016Displayable& d = room.staticObjects[room.staticObjectCount++];
        d.transform.position = Vector3D(x, 1.0f, -10.0f);
        d.object = game->displayablesDB.begin()->second;
        d.texture = game->texturesDB.begin()->second;
        return d;
    }
    Sarn2016::ObjectGroup groupOf(Sarn2016::Sarn2016Displayable& d) {
        Sarn2016::ObjectGroup g;
        g.objects.push_back(&d.transform);
        g.anchors.emplace_back();
        g.relativeOrientations.emplace_back();
        g.positions.emplace_back();
        g.orientations.emplace_back();
        g.timeRatios.push_back(0.0f);
        return g;
    }
    std::unique_ptr<Sarn2016> game;
    std::string err;
};

std::size_t at(const std::string& text, const std::string& what) {
    std::size_t p = text.find(what);
    EXPECT_NE(std::string::npos, p) << what;
    return p;
}

} // namespace

// Rooms as play leaves them: every door and lever at its other end, the
// entry fade flipped, so that no value is what a fresh load of the level gives.
TEST_F(Sarn2016RoomWriterTest, ShippedRoomsRoundTripByteStable) {
    for (auto& named : game->roomDictionary) {
        Room& room = *named.second;
        room.entryTransition = !room.entryTransition;
        for (unsigned int i = 0; i < room.doorCount; ++i)
            g_toggleDoor(game.get(), &room.doors[i]);
        for (unsigned int i = 0; i < room.leverCount; ++i) {
            room.levers[i].mechanism.end = !room.levers[i].mechanism.end;
            room.levers[i].mechanism.toggleExtremity();
        }
        expectRoundTrip(*game, room, named.first);
    }
}

TEST_F(Sarn2016RoomWriterTest, OrderAndGeneratedIds) {
    Room& room = scratch();
    std::string path = writeTestFile("sarn2016writer/empty.json", "");
    ASSERT_TRUE(write(room, path));
    rapidjson::Document doc;
    ASSERT_TRUE(parseJsonFile(path, doc));
    std::string keys;
    for (auto& m : doc["room"].GetObject())
        keys += std::string(m.name.GetString()) + " ";
    EXPECT_EQ("left right bottom top entryTransition staticObjects ", keys);
    EXPECT_NE(std::string::npos, bytes(path).find("\n\t\t\"left\": 0"));

    // Object 0 moved by lever and door; object 1 the displayable of key 2.
    Sarn2016::Sarn2016Displayable& moved = addStatic(room, 1.0f);
    Sarn2016::Sarn2016Displayable& key = addStatic(room, 2.0f);
    for (unsigned int i = 0; i < 3; ++i) {
        room.collectibles[i].displayable = i == 2 ? &key : nullptr;
        room.collectibles[i].trigger.effect = &room.codes[0];
    }
    room.collectibleCount = 3;
    room.levers[0].mechanism.objectGroups.push_back(groupOf(moved));
    room.levers[0].effect = &room.codes[0];
    room.leverCount = 1;
    room.doors[1].mechanism.objectGroups.push_back(groupOf(moved));
    room.doors[1].room = &game->rooms[7]; // in no dictionary entry
    room.doorCount = 2;
    room.triggers[0].effect = &room.codes[0];
    room.triggerCount = 1;
    room.codes[0].code = g_takeRedKey;
    room.codesCount = 1;
    ASSERT_TRUE(write(room, path)) << err;
    std::string text = bytes(path);
    EXPECT_EQ(std::string::npos, text.find("transform1"));
    EXPECT_EQ(std::string::npos, text.substr(0, at(text, "\"collectibles\"")).find("\"ox\""));
    EXPECT_LT(at(text, "\"id\": \"transform0\""), at(text, "\"id\": \"key2\""));
    EXPECT_LT(at(text, "\"transformId\": \"key2\""), at(text, "\"levers\""));
    EXPECT_LT(at(text, "\"id\": \"door0mechanism\""), at(text, "\"id\": \"door1mechanism\""));
    EXPECT_LT(at(text, "\"id\": \"door1mechanism\""), at(text, "\"id\": \"lever0mechanism\""));
    EXPECT_LT(at(text, "\"id\": \"collectible2code\""), at(text, "\"id\": \"lever0code\""));
    EXPECT_LT(at(text, "\"id\": \"lever0code\""), at(text, "\"id\": \"trigger0code\""));
    EXPECT_EQ(std::string::npos, text.find("\"room\": \"")) << "door to an unknown room";

    // Now moved by a mechanism, the key object carries its transform id.
    room.levers[0].mechanism.objectGroups.push_back(groupOf(key));
    ASSERT_TRUE(write(room, path)) << err;
    text = bytes(path);
    EXPECT_EQ(std::string::npos, text.find("key2"));
    EXPECT_NE(std::string::npos, text.find("\"transformId\": \"transform1\""));
}

TEST_F(Sarn2016RoomWriterTest, NeverLeavesABrokenFile) {
    Room& room = scratch();
    addStatic(room, 1.0f);
    std::string path = writeTestFile("sarn2016writer/kept.json", "old bytes");
    EXPECT_FALSE(write(room, writeTestFile("sarn2016writer/x", "") + "/no/such/room.json"));
    EXPECT_NE(std::string::npos, err.find("cannot be opened")) << err;

    room.staticObjects[0].transform.position.y = std::nanf("");
    EXPECT_FALSE(write(room, path));
    EXPECT_NE(std::string::npos, err.find("static object 0: \"y\"")) << err;
    room.staticObjects[0].transform.position.y = 1.0f;
    room.staticObjects[0].texture = nullptr;
    EXPECT_FALSE(write(room, path));
    EXPECT_EQ("old bytes", bytes(path));
    EXPECT_FALSE(std::ifstream(path + ".part").good());
}

// Script arguments the file cannot name refuse the room; the others,
// three-waypoint timing and a rotation with a positive w come back as written.
TEST_F(Sarn2016RoomWriterTest, WrittenAsTheReaderRebuildsIt) {
    Room& room = scratch();
    room.codes[0].code = g_toggleDoor;
    room.codes[0].ifTrue = &room.codes[1];
    room.codes[1].code = g_launchToggleDoor;
    room.codes[1].funcData = &room.doors[0];
    room.doorCount = 1;
    room.codes[0].ifFalse = &room.codes[2];
    room.codes[2].code = g_toggleDoor;
    room.codes[2].funcData = &game->rooms[1].doors[0];
    room.codes[1].ifTrue = &room.codes[3];
    room.codes[3].code = g_launchCameraPath;
    room.codesCount = 4;
    room.triggers[0].effect = &room.codes[0];
    room.triggerCount = 1;
    Sarn2016::CameraPath path;
    path.duration = 3.0f;
    for (float ratio : {0.0f, 0.25f, 1.0f}) {
        Sarn2016::CameraWaypoint w;
        w.timeRatio = ratio;
        path.waypoints.push_back(w);
    }
    room.cameraPaths.push_back(path);
    room.codes[3].funcData = &room.cameraPaths[0];
    addStatic(room, 1.0f).transform.orientation = Quaternion(0.6f, 0.0f, 0.0f, 0.8f);

    std::string file = writeTestFile("sarn2016writer/args.json", "old bytes");
    Sarn2016::Door stray;
    const struct {
        unsigned int slot;
        Sarn2016::CodeTree::func code;
        void* argument;
    } strays[] = {{0, g_toggleDoor, &stray},
                  {1, g_launchToggleDoor, &game->rooms[0].doors[0]}, // another room's
                  {1, g_launchCameraPath, &game->rooms[0].cameraPaths[0]}};
    for (const auto& c : strays) {
        Sarn2016::CodeTree& node = room.codes[c.slot];
        Sarn2016::CodeTree kept = node;
        node.code = c.code;
        node.funcData = c.argument;
        EXPECT_FALSE(write(room, file));
        EXPECT_NE(std::string::npos, err.find("is no door or path")) << err;
        EXPECT_EQ("old bytes", bytes(file));
        node = kept;
    }

    ASSERT_TRUE(write(room, file)) << err;
    // Only the argument in another room names its room.
    std::string text = bytes(file);
    EXPECT_EQ(text.find("\"room\": \""), text.rfind("\"room\": \"")) << text;
    ASSERT_TRUE(read(room, file));
    const Sarn2016::CodeTree& root = *room.triggers[0].effect;
    EXPECT_EQ(nullptr, root.funcData);
    EXPECT_EQ(&room.doors[0], root.ifTrue->funcData);
    EXPECT_EQ(&room.cameraPaths[0], root.ifTrue->ifTrue->funcData);
    EXPECT_EQ(&game->rooms[1].doors[0], root.ifFalse->funcData);
    EXPECT_EQ(0.25f, room.cameraPaths[0].waypoints[1].timeRatio);
    const Quaternion& q = room.staticObjects[0].transform.orientation;
    EXPECT_FLOAT_EQ(-0.6f, q.x);
    EXPECT_FLOAT_EQ(-0.8f, q.w);
}

// Random valid rooms survive write-read-write unchanged.
TEST_F(Sarn2016RoomWriterTest, RandomRoomsRoundTrip) {
    std::mt19937 rng(2016);
    auto pick = [&](int n) { return int(rng() % unsigned(n)); };
    auto num = [&] { return float(pick(801) - 400) / 8.0f; };
    auto vec = [&] { return Vector3D(num(), num(), num()); };
    auto rot = [&] {
        Quaternion q(float(pick(9) - 4) / 8.0f, float(pick(9) - 4) / 8.0f,
                     float(pick(9) - 4) / 8.0f, 0.0f);
        q.w = std::sqrt(std::fmax(0.0f, 1.0f - q.x * q.x - q.y * q.y - q.z * q.z));
        return pick(2) ? q : Quaternion(-q.x, -q.y, -q.z, -q.w);
    };
    auto box = [&] { return AABB(vec(), vec()); };
    std::vector<ObjectApp*> models;
    std::vector<Texture*> textures;
    for (auto& m : game->displayablesDB)
        models.push_back(m.second);
    for (auto& t : game->texturesDB)
        textures.push_back(t.second);
    Sarn2016::CodeTree::func funcs[] = {g_takeRedKey,       g_hasBlueKey, g_removeGoldKey,
                                        g_launchToggleDoor, g_toggleDoor, g_launchCameraPath};

    for (int round = 0; round < 40; ++round) {
        Sarn2016::CodeTree::initPool(); // as a level load does
        Room& room = scratch();
        room.left = float(pick(20));
        room.top = float(60 + pick(40));
        room.entryTransition = pick(2);
        unsigned int statics = unsigned(pick(12));
        for (unsigned int i = 0; i < statics; ++i) {
            Sarn2016::Sarn2016Displayable& d = addStatic(room, num());
            d.transform.position = vec();
            d.transform.orientation = pick(2) ? rot() : Quaternion();
            d.object = models[pick(int(models.size()))];
            d.texture = textures[pick(int(textures.size()))];
        }
        for (int p = pick(3); p > 0; --p) {
            Sarn2016::CameraPath path;
            path.duration = num();
            for (int w = 1 + pick(4); w > 0; --w) {
                Sarn2016::CameraWaypoint waypoint;
                waypoint.eye = vec();
                waypoint.target = vec();
                waypoint.timeRatio = float(pick(9)) / 8.0f;
                path.waypoints.push_back(waypoint);
            }
            room.cameraPaths.push_back(path);
        }
        room.doorCount = unsigned(pick(4));
        std::function<Sarn2016::ObjectGroup(int)> group = [&](int depth) {
            Sarn2016::ObjectGroup g;
            for (int o = statics ? pick(3) : 0; o > 0; --o) {
                g.objects.push_back(&room.staticObjects[pick(int(statics))].transform);
                g.anchors.push_back(vec());
                g.relativeOrientations.push_back(rot());
            }
            for (int f = 1 + pick(3); f > 0; --f) {
                g.positions.push_back(vec());
                g.orientations.push_back(rot());
                g.timeRatios.push_back(float(pick(9)) / 8.0f);
            }
            if (depth < 2 && pick(3) == 0)
                g.children.push_back(new Sarn2016::ObjectGroup(group(depth + 1)));
            return g;
        };
        auto mechanism = [&](Sarn2016::Mechanism& m) {
            m.position = vec();
            m.orientation = rot();
            m.end = pick(2);
            m.runningTime = num();
            for (int g = pick(3); g > 0; --g)
                m.objectGroups.push_back(group(0));
        };
        auto tree = [&]() {
            unsigned int nodes = 1 + unsigned(pick(2)); // at most 9 trees of 2 nodes
            Sarn2016::CodeTree* first = &room.codes[room.codesCount];
            for (unsigned int n = 0; n < nodes; ++n) {
                Sarn2016::CodeTree& node = room.codes[room.codesCount++];
                node = Sarn2016::CodeTree();
                node.code = funcs[pick(6)];
                if (node.code == g_launchToggleDoor && room.doorCount)
                    node.funcData = &room.doors[pick(int(room.doorCount))];
                else if (node.code == g_toggleDoor) // a door here or in another room
                    node.funcData =
                        room.doorCount && pick(2) ? &room.doors[0] : &game->rooms[pick(3)].doors[0];
                else if (node.code == g_launchCameraPath && !room.cameraPaths.empty())
                    node.funcData = &room.cameraPaths[pick(int(room.cameraPaths.size()))];
                else
                    node.code = g_hasRedKey;
            }
            if (nodes == 2)
                (pick(2) ? first->ifTrue : first->ifFalse) = first + 1;
            return first;
        };
        for (unsigned int i = 0; i < room.doorCount; ++i) {
            Sarn2016::Door& door = room.doors[i];
            mechanism(door.mechanism);
            door.roomChangeArea = box();
            door.room = pick(2) ? &game->rooms[pick(3)] : nullptr;
            door.playerPosition = Vector2D(num(), num());
        }
        room.leverCount = unsigned(pick(6));
        for (unsigned int i = 0; i < room.leverCount; ++i) {
            mechanism(room.levers[i].mechanism);
            room.levers[i].interactionArea = box();
            room.levers[i].effect = tree();
        }
        room.collectibleCount = unsigned(pick(3));
        for (unsigned int i = 0; i < room.collectibleCount; ++i) {
            Sarn2016::Collectible& c = room.collectibles[i];
            c.displayable = statics && pick(2) ? &room.staticObjects[pick(int(statics))] : nullptr;
            c.trigger = {tree(), box(), vec()};
        }
        room.triggerCount = unsigned(pick(3));
        for (unsigned int i = 0; i < room.triggerCount; ++i)
            room.triggers[i] = {tree(), box(), vec()};

        std::string b = writeTestFile("sarn2016writer/random.json", "");
        ASSERT_TRUE(write(room, b)) << round << err;
        ASSERT_TRUE(read(room, b)) << round;
        expectRoundTrip(*game, room, "random");
        if (HasFailure()) {
            ADD_FAILURE() << "round " << round;
            break;
        }
    }
}
