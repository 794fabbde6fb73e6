#include <gtest/gtest.h>

#include <filesystem>
#include <memory>
#include <sstream>
#include <string>

#include "DataFile.h"
#include "Recorder.h"
#include "Sarn2016.h"
#include "ScriptedRandom.h"
#include "TestFiles.h"

namespace {

using Room = Sarn2016::Room;
const char* const shippedLevel = "data/Sarn2016/level.json";

// A level of two rooms: room a has a door to b moving one object, a trigger
// whose tree toggles b's door, and room b one door back.
const std::string levelA = R"({"level":{"rooms":["a.json","b.json"],
 "textures":[{"path":"data/wall.bmp","smooth":false,"wrapMode":"repeat"}],
 "displayables":[{"name":"block","modelPath":"data/meshes/display/wall.json",
  "texturePath":"data/wall.bmp","x":0,"y":0,"z":0,"scaleX":1,"scaleY":1,"scaleZ":1}]}})";

const std::string roomA = R"({"room":{"left":0,"right":100,"bottom":0,"top":100,
 "entryTransition":false,
 "staticObjects":[{"id":"leaf","x":1,"y":2,"z":-20,"model":"block","texture":"data/wall.bmp"}],
 "doors":[{"mechanismId":"m","x":0,"y":0,"z":0,"ox":0,"oy":0,"oz":0,"open":false,"room":"b.json",
  "roomChangeAABB":{"start":{"x":0,"y":0,"z":-20},"end":{"x":2,"y":2,"z":0}},
  "playerPosition":{"x":50,"y":50}}],
 "mechanisms":[{"id":"m","duration":1,"objectGroups":[{"objects":[{"transformId":"leaf",
  "anchor":{"x":0,"y":0,"z":0},"relativeOrientation":{"ox":0,"oy":0,"oz":0}}],
  "frames":[{"x":0,"y":0,"z":0,"ox":0,"oy":0,"oz":0,"timeRatio":0},
            {"x":0,"y":0,"z":5,"ox":0,"oy":0,"oz":0,"timeRatio":1}]}]}],
 "triggers":[{"codeTreeId":"t","position":{"x":0,"y":0,"z":0},
  "AABB":{"start":{"x":0,"y":0,"z":0},"end":{"x":1,"y":1,"z":1}}}],
 "codeTrees":[{"id":"t","code":{"func":"toggleDoor","params":{"room":"b.json","doorIndex":0}}}]}})";

const std::string roomB = R"({"room":{"left":0,"right":100,"bottom":0,"top":100,
 "entryTransition":true,"staticObjects":[],
 "doors":[{"mechanismId":"none","x":0,"y":0,"z":0,"ox":0,"oy":0,"oz":0,"room":"a.json",
  "roomChangeAABB":{"start":{"x":0,"y":0,"z":-20},"end":{"x":2,"y":2,"z":0}},
  "playerPosition":{"x":50,"y":50}}],
 "mechanisms":[{"id":"none","duration":1,"objectGroups":[]}]}})";

std::string replaced(std::string text, const std::string& from, const std::string& to) {
    std::size_t at = text.find(from);
    EXPECT_NE(std::string::npos, at) << from;
    if (at != std::string::npos)
        text.replace(at, from.size(), to);
    return text;
}

// Writes a level folder; returns the level file's path.
std::string writeLevel(const std::string& folder, const std::string& level, const std::string& a,
                       const std::string& b) {
    writeTestFile("sarn2016/" + folder + "/a.json", a);
    writeTestFile("sarn2016/" + folder + "/b.json", b);
    return writeTestFile("sarn2016/" + folder + "/level.json", level);
}

class Sarn2016LevelTest : public testing::Test {
public:
    void SetUp() override {
        recorder().reset();
        seedScriptedRandom(1);
        game = std::make_unique<Sarn2016>();
    }
    // Loads with both streams captured.
    bool load(const std::string& path) {
        testing::internal::CaptureStdout();
        testing::internal::CaptureStderr();
        bool ok = game->loadLevel(path.c_str());
        out = testing::internal::GetCapturedStdout();
        err = testing::internal::GetCapturedStderr();
        return ok;
    }
    Room& room(const char* name) { return *game->roomDictionary.at(name); }
    std::unique_ptr<Sarn2016> game;
    std::string out, err;
};

int slotOf(const Room& room, const Sarn2016::CodeTree* node) {
    return node ? int(node - room.codes) : -1;
}

// Everything a load decides, pointers as indices, for comparing loads.
std::string snapshot(Sarn2016& game) {
    std::ostringstream s;
    for (Room& room : game.rooms) {
        s << room.left << ' ' << room.right << ' ' << room.bottom << ' ' << room.top << ' '
          << room.entryTransition << " s" << room.staticObjectCount << " c" << room.codesCount
          << " p" << room.cameraPaths.size() << '\n';
        for (unsigned int i = 0; i < room.staticObjectCount; ++i) {
            const Transform& t = room.staticObjects[i].transform;
            s << t.position.x << ',' << t.position.y << ',' << t.position.z << ','
              << t.orientation.x << ',' << t.orientation.y << ',' << t.orientation.z << ','
              << t.orientation.w << ' ' << (room.staticObjects[i].object - game.displayables)
              << ' ';
        }
        for (unsigned int i = 0; i < room.leverCount; ++i) {
            const Sarn2016::Mechanism& m = room.levers[i].mechanism;
            s << "\nlever " << m.end << m.running << ' ' << m.objectGroups.size() << ' '
              << slotOf(room, room.levers[i].effect);
        }
        for (unsigned int i = 0; i < room.doorCount; ++i) {
            const Sarn2016::Mechanism& m = room.doors[i].mechanism;
            s << "\ndoor " << m.end << m.running << ' ' << m.objectGroups.size() << ' '
              << (room.doors[i].room - game.rooms);
        }
        for (unsigned int i = 0; i < room.codesCount; ++i) {
            const Sarn2016::CodeTree& c = room.codes[i];
            s << "\ncode " << Room::codeTreeFuncToString(c.code) << ' ' << slotOf(room, c.ifTrue)
              << ' ' << slotOf(room, c.ifFalse) << ' ' << (c.funcData != nullptr);
        }
        s << "\ncollectibles " << room.collectibleCount << " triggers " << room.triggerCount
          << "\n";
    }
    return s.str();
}

bool emptyLevel(Sarn2016& game) {
    for (const Room& room : game.rooms) {
        if (room.staticObjectCount + room.doorCount + room.leverCount + room.codesCount +
                room.triggerCount + room.collectibleCount + room.cameraPaths.size() !=
            0)
            return false;
    }
    return game.textures == nullptr && game.models == nullptr && game.displayables == nullptr &&
           game.roomDictionary.empty() && game.currentRoom == &game.rooms[0];
}

} // namespace

TEST_F(Sarn2016LevelTest, ShippedLevelLoadsAsAuthored) {
    for (const char* name : {"level.json", "kelp.json", "cave.json", "wreck.json"}) {
        std::string text;
        ASSERT_TRUE(readDataFile(std::string("data/Sarn2016/") + name, text));
        writeFuzzSeed(std::string(name) == "level.json" ? "sarn2016_level" : "sarn2016_room", name,
                      text);
    }
    writeFuzzSeed("sarn2016_room", "a.json", roomA);
    writeFuzzSeed("sarn2016_room", "b.json", roomB);
    ASSERT_TRUE(load(shippedLevel)) << err;
    EXPECT_EQ("", err);
    // One time line per room, read in name order.
    EXPECT_EQ(3, std::count(out.begin(), out.end(), '\n'));
    ASSERT_EQ(3u, game->roomDictionary.size());
    // Listed kelp, cave, wreck: slots in that order, play starts in kelp.
    Room& kelp = room("kelp.json");
    Room& cave = room("cave.json");
    Room& wreck = room("wreck.json");
    EXPECT_EQ(&game->rooms[0], &kelp);
    EXPECT_EQ(&game->rooms[1], &cave);
    EXPECT_EQ(&game->rooms[2], &wreck);
    EXPECT_EQ(&kelp, game->currentRoom);
    EXPECT_EQ(20.0f, cave.bottom);
    EXPECT_EQ(10.0f, wreck.left);
    EXPECT_FALSE(wreck.entryTransition);

    // Every room's counts and static poses as its file has them.
    for (auto& named : game->roomDictionary) {
        rapidjson::Document doc;
        ASSERT_TRUE(parseJsonFile("data/Sarn2016/" + named.first, doc));
        const rapidjson::Value& json = doc["room"];
        auto size = [&](const char* key) { return json.HasMember(key) ? json[key].Size() : 0u; };
        const Room& r = *named.second;
        EXPECT_EQ(size("staticObjects"), r.staticObjectCount) << named.first;
        EXPECT_EQ(size("doors"), r.doorCount) << named.first;
        EXPECT_EQ(size("levers"), r.leverCount) << named.first;
        EXPECT_EQ(size("collectibles"), r.collectibleCount) << named.first;
        EXPECT_EQ(size("triggers"), r.triggerCount) << named.first;
        EXPECT_EQ(size("cameraPaths"), r.cameraPaths.size()) << named.first;
        for (unsigned int i = 0; i < r.staticObjectCount; ++i) {
            const rapidjson::Value& o = json["staticObjects"][i];
            const Transform& t = r.staticObjects[i].transform;
            if (o.HasMember("id"))
                continue; // moved by a mechanism
            EXPECT_EQ(o["x"].GetFloat(), t.position.x);
            EXPECT_EQ(o["y"].GetFloat(), t.position.y);
            EXPECT_EQ(o["z"].GetFloat(), t.position.z);
            EXPECT_EQ(o.HasMember("ox") ? o["oz"].GetFloat() : 0.0f, t.orientation.z);
        }
    }

    // Displayables scaled as listed, each axis its own (the gate is 3 x 0.25 x 5).
    rapidjson::Document level;
    ASSERT_TRUE(parseJsonFile(shippedLevel, level));
    for (const rapidjson::Value& d : level["level"]["displayables"].GetArray()) {
        const Vector3D& scale = game->displayablesDB.at(d["name"].GetString())->scale();
        EXPECT_EQ(d["scaleX"].GetFloat(), scale.x) << d["name"].GetString();
        EXPECT_EQ(d["scaleY"].GetFloat(), scale.y) << d["name"].GetString();
        EXPECT_EQ(d["scaleZ"].GetFloat(), scale.z) << d["name"].GetString();
    }

    // Models by sorted path, each read once, shared by displayables.
    ASSERT_EQ(4u, game->modelCount);
    EXPECT_EQ(&game->models[3], game->modelsDB.at("data/meshes/display/wall.json"));
    EXPECT_EQ(game->displayablesDB.at("block")->modele, game->displayablesDB.at("rock")->modele);
    // Wrap modes, "mirror" being none of the names.
    const int modes[] = {1, 1, 0, 2, 2, 3, 3, 0};
    auto wraps = recorder().events(RecordedEvent::textureWrap);
    ASSERT_EQ(8u, wraps.size());
    for (int i = 0; i < 8; ++i)
        EXPECT_EQ(modes[i], wraps[i].count) << i;

    // kelp: the lever's tree in pre-order, the key's, then one tree referenced
    // by two triggers, twice.
    EXPECT_EQ(7u, kelp.codesCount);
    EXPECT_EQ(&kelp.codes[0], kelp.levers[0].effect);
    EXPECT_EQ(&kelp.codes[1], kelp.codes[0].ifTrue);
    EXPECT_EQ(&kelp.codes[2], kelp.codes[1].ifTrue);
    EXPECT_EQ(&kelp.codes[3], kelp.codes[0].ifFalse);
    EXPECT_EQ(&kelp.doors[0], kelp.codes[1].funcData);
    EXPECT_EQ(&kelp.cameraPaths[1], kelp.codes[2].funcData);
    EXPECT_EQ(&kelp.codes[5], kelp.triggers[0].effect);
    EXPECT_EQ(&kelp.codes[6], kelp.triggers[1].effect);
    // A two-waypoint path is forced to 0 and 1; three keep theirs.
    EXPECT_EQ(0.0f, kelp.cameraPaths[1].waypoints[0].timeRatio);
    EXPECT_EQ(1.0f, kelp.cameraPaths[1].waypoints[1].timeRatio);
    EXPECT_FLOAT_EQ(0.45f, kelp.cameraPaths[0].waypoints[1].timeRatio);
    // Keys show their static object.
    ASSERT_NE(nullptr, kelp.collectibles[0].displayable);
    EXPECT_EQ(&kelp.codes[4], kelp.collectibles[0].trigger.effect);

    // toggleDoor across rooms, to a room read later and to one read earlier.
    EXPECT_EQ(&wreck.doors[0], cave.codes[2].funcData);
    EXPECT_EQ(&cave.doors[0], wreck.codes[3].funcData);
    EXPECT_EQ(9u, wreck.codesCount);

    // Two doors on one mechanism: the same transforms, separate runs.
    ASSERT_FALSE(cave.doors[0].mechanism.objectGroups.empty());
    EXPECT_EQ(cave.doors[0].mechanism.objectGroups[0].objects,
              cave.doors[2].mechanism.objectGroups[0].objects);
    EXPECT_TRUE(g_launchToggleDoor(game.get(), &cave.doors[0]));
    EXPECT_FALSE(cave.doors[2].mechanism.running);
    // An open door rests at its last key.
    EXPECT_TRUE(cave.doors[1].mechanism.end);
    EXPECT_TRUE(recorder().faults().empty()) << recorder().dump();
}

// A second load frees the first one's textures on the GPU, and a load of a
// smaller level between two loads of the same one leaves nothing behind.
TEST_F(Sarn2016LevelTest, ReloadEqualsFirstLoad) {
    ASSERT_TRUE(load(shippedLevel));
    const std::string first = snapshot(*game);
    game->textures[0].bind(0);
    std::string small = writeLevel("small", levelA, roomA, roomB);
    ASSERT_TRUE(load(small)) << err;
    EXPECT_EQ(8u, recorder().events(RecordedEvent::textureUnload).size());
    EXPECT_TRUE(
        Texture::bound == nullptr ||
        (Texture::bound >= game->textures && Texture::bound < game->textures + game->textureCount));
    EXPECT_EQ(1u, game->rooms[0].staticObjectCount);
    EXPECT_EQ(0u, game->rooms[2].staticObjectCount); // not named: emptied
    ASSERT_TRUE(load(shippedLevel));
    EXPECT_EQ(first, snapshot(*game));
    EXPECT_TRUE(recorder().faults().empty()) << recorder().dump();
}

TEST_F(Sarn2016LevelTest, RefusedFilesAreReportedAndLeaveAnEmptyLevel) {
    struct Case {
        const char* name;
        std::string level, a, b;
        const char* reason;
    };
    const std::string deep = [] {
        const std::string rest =
            R"("objects":[],"frames":[{"x":0,"y":0,"z":0,"ox":0,"oy":0,"oz":0,"timeRatio":0}]})";
        std::string group = "{" + rest;
        for (int i = 0; i < 20; ++i)
            group = "{\"children\":[" + group + "]," + rest;
        return group;
    }();
    const std::string manyNodes = [] {
        std::string node = R"({"func":"takeRedKey"})";
        for (int i = 0; i < 20; ++i)
            node = R"({"func":"takeRedKey","ifTrue":)" + node + "}";
        return node;
    }();
    const std::string door =
        roomA.substr(roomA.find("{\"mechanismId\""),
                     roomA.find("}],\n \"mechanisms\"") - roomA.find("{\"mechanismId\"") + 1);
    // A room of three doors whose trigger starts door i.
    auto startingDoor = [&](const char* i) {
        return replaced(replaced(roomA, door, door + "," + door + "," + door),
                        R"({"func":"toggleDoor","params":{"room":"b.json","doorIndex":0}})",
                        std::string(R"({"func":"launchToggleDoor","params":{"doorIndex":)") + i +
                            "}}");
    };
    const Case cases[] = {
        {"missing", levelA, roomA, roomB, "cannot open"},
        {"malformed", levelA, roomA.substr(0, 40), roomB, "JSON error"},
        {"elevenRooms",
         replaced(levelA, R"("a.json","b.json")", R"("a","b","c","d","e","f","g","h","i","j","k")"),
         roomA, roomB, "more than 10 rooms"},
        {"twice", replaced(levelA, R"("a.json","b.json")", R"("a.json","a.json")"), roomA, roomB,
         "listed twice"},
        {"texturePath",
         replaced(levelA, R"("texturePath":"data/wall.bmp")", R"("texturePath":"data/other.bmp")"),
         roomA, roomB, "unknown texture \"data/other.bmp\""},
        {"realIndex", levelA, replaced(roomA, R"("doorIndex":0)", R"("doorIndex":0.5)"), roomB,
         "doorIndex"},
        {"notArrays", replaced(levelA, R"(["a.json","b.json"])", R"("a.json")"), roomA, roomB,
         "must be arrays"},
        {"nameNotString", replaced(levelA, R"("a.json","b.json")", R"("a.json",2)"), roomA, roomB,
         "a room name is not a string"},
        {"crossIndex", levelA, replaced(roomA, R"("doorIndex":0)", R"("doorIndex":1)"), roomB,
         "fewer doors"},
        {"model", levelA, replaced(roomA, R"("model":"block")", R"("model":"nope")"), roomB,
         "unknown model \"nope\""},
        {"texture", levelA, replaced(roomA, R"("texture":"data/wall.bmp")", R"("texture":"x")"),
         roomB, "unknown texture \"x\""},
        {"mechanism", levelA, roomA,
         replaced(roomB, R"("mechanismId":"none")", R"("mechanismId":"z")"),
         "unknown mechanism \"z\""},
        {"transform", levelA, replaced(roomA, R"("transformId":"leaf")", R"("transformId":"x")"),
         roomB, "unknown transform \"x\""},
        {"codeTree", levelA, replaced(roomA, R"("codeTreeId":"t")", R"("codeTreeId":"q")"), roomB,
         "unknown code tree \"q\""},
        {"noFrames", levelA,
         replaced(roomA, R"("frames":[{"x":0,"y":0,"z":0,"ox":0,"oy":0,"oz":0,"timeRatio":0},
            {"x":0,"y":0,"z":5,"ox":0,"oy":0,"oz":0,"timeRatio":1}])",
                  R"("frames":[])"),
         roomB, "without frames"},
        {"deep", levelA, roomA,
         replaced(roomB, R"("objectGroups":[])", "\"objectGroups\":[" + deep + "]"),
         "nested too deep"},
        {"pastDoors", levelA, startingDoor("3"), roomB, "\"doorIndex\" must be"},
        {"pastPaths", levelA,
         replaced(roomA, R"({"func":"toggleDoor","params":{"room":"b.json","doorIndex":0}})",
                  R"({"func":"launchCameraPath","params":{"camerapathIndex":0}})"),
         roomB, "\"camerapathIndex\" must be"},
        {"fourDoors", levelA, replaced(roomA, door, door + "," + door + "," + door + "," + door),
         roomB, "more than 3 doors"},
        {"nodes", levelA,
         replaced(roomA, R"({"func":"toggleDoor","params":{"room":"b.json","doorIndex":0}})",
                  manyNodes),
         roomB, "more than 20 code tree nodes"},
        {"bounds", levelA, replaced(roomA, R"("right":100)", R"("right":101)"), roomB, "bounds"},
        {"doorRoom", levelA, replaced(roomA, R"("room":"b.json",)", R"("room":"c.json",)"), roomB,
         "unknown room \"c.json\""},
    };
    const std::string valid = writeLevel("valid", levelA, roomA, roomB);
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        ASSERT_TRUE(load(valid));
        std::string path = writeLevel(c.name, c.level, c.a, c.b);
        if (std::string(c.name) == "missing")
            path = writeLevel(c.name, replaced(c.level, "b.json\"]", "b.json\",\"gone.json\"]"),
                              c.a, c.b);
        EXPECT_FALSE(load(path));
        EXPECT_NE(std::string::npos, err.find(c.reason)) << err;
        EXPECT_NE(std::string::npos, err.find(c.name)) << err; // the file is named
        EXPECT_TRUE(emptyLevel(*game));
    }
    ASSERT_TRUE(load(writeLevel("lastDoor", levelA, startingDoor("2"), roomB))) << err;
    EXPECT_EQ(&room("a.json").doors[2], room("a.json").triggers[0].effect->funcData);
    EXPECT_TRUE(recorder().faults().empty()) << recorder().dump();
}

TEST_F(Sarn2016LevelTest, OptionalKeysGetDefinedValues) {
    // A lever's "end" comes back as written; a path of three waypoints without
    // ratios shares its time evenly; a door without "room" leads nowhere.
    std::string a = replaced(roomA, R"("triggers")", R"("levers":[{"mechanismId":"m",
        "codeTreeId":"t","x":0,"y":0,"z":0,"ox":0,"oy":0,"oz":0,"end":true,
        "interactionAABB":{"start":{"x":0,"y":0,"z":0},"end":{"x":1,"y":1,"z":1}}}],
      "cameraPaths":[{"duration":2,"waypoints":[{"eye":{"x":0,"y":0,"z":0},"target":{"x":0,"y":0,"z":0}},
        {"eye":{"x":0,"y":0,"z":0},"target":{"x":0,"y":0,"z":0}},
        {"eye":{"x":0,"y":0,"z":0},"target":{"x":0,"y":0,"z":0}}]}],
      "triggers")");
    ASSERT_TRUE(load(writeLevel("optional", levelA, replaced(a, R"("room":"b.json",)", ""), roomB)))
        << err;
    Room& r = room("a.json");
    EXPECT_TRUE(r.levers[0].mechanism.end);
    // Both move the leaf: the door, snapped after the lever, has the last word.
    EXPECT_EQ(0.0f, r.staticObjects[0].position().z);
    EXPECT_EQ(0.5f, r.cameraPaths[0].waypoints[1].timeRatio);
    EXPECT_EQ(1.0f, r.cameraPaths[0].waypoints[2].timeRatio);
    EXPECT_EQ(nullptr, r.doors[0].room);
    // The tree of the lever and of the trigger: one copy each.
    EXPECT_EQ(2u, r.codesCount);
    EXPECT_NE(r.levers[0].effect, r.triggers[0].effect);
    // Any other "end" is a lever not pulled, never a refused room.
    ASSERT_TRUE(
        load(writeLevel("endYes", levelA, replaced(a, R"("end":true)", R"("end":"yes")"), roomB)))
        << err;
    EXPECT_FALSE(room("a.json").levers[0].mechanism.end);
    // Its reach box is not optional: a lever without one refuses the room.
    EXPECT_FALSE(load(
        writeLevel("noReach", levelA, replaced(a, R"("interactionAABB")", R"("reach")"), roomB)));
    EXPECT_NE(std::string::npos, err.find("needs an \"interactionAABB\" box")) << err;

    // An arrival off the playable area is the level's to choose: play holds
    // the swimmer inside the bounds from its next step.
    EXPECT_TRUE(load(writeLevel("arrival", levelA,
                                replaced(roomA, R"("playerPosition":{"x":50,"y":50})",
                                         R"("playerPosition":{"x":0.5,"y":-40})"),
                                roomB)))
        << err;
}

TEST_F(Sarn2016LevelTest, InitLoadsInOrderAndReportsWhatIsMissing) {
    testing::internal::CaptureStdout();
    testing::internal::CaptureStderr();
    EXPECT_TRUE(game->init());
    out = testing::internal::GetCapturedStdout();
    err = testing::internal::GetCapturedStderr();

    auto loads = recorder().events(RecordedEvent::textureLoad);
    // The editor's handle texture and colour shader come first.
    ASSERT_GE(loads.size(), 48u);
    EXPECT_EQ("data/wall.bmp", loads[0].name);
    EXPECT_EQ("data/font.bmp.fnt", loads[1].name);
    EXPECT_EQ("data/underwaterRefraction.png", loads[15].name);
    EXPECT_EQ("data/water2/1.png", loads[16].name);
    EXPECT_EQ("data/water2/32.png", loads[47].name);
    for (std::size_t i = 0; i < 48; ++i)
        EXPECT_TRUE(loads[i].on) << loads[i].name << " has no pixels";
    auto shaders = recorder().events(RecordedEvent::shaderLoad);
    ASSERT_EQ(8u, shaders.size());
    EXPECT_EQ("data/shaders/color", shaders[0].name);
    EXPECT_EQ("data/shaders/basic-fixed", shaders[1].name);
    EXPECT_EQ("data/shaders/underwaterRefraction", shaders[7].name);
    // Shader files that do not exist yet are named, and init goes on.
    EXPECT_EQ("", err); // every asset and shader of the shipped data is there

    EXPECT_EQ(20.0f, game->swimmer.position.x);
    EXPECT_EQ(-5.0f, game->swimmer.position.z);
    EXPECT_FALSE(game->gameStarted);
    EXPECT_EQ(2u * 21u * 3u, game->mapBorderTopMesh.m_vertices.size());
    EXPECT_EQ(100u, game->rooms[0].borderTopMeshSeed);
    EXPECT_EQ(40u, game->rooms[8].borderTopMeshSeed);
    EXPECT_EQ(0u, game->rooms[9].borderTopMeshSeed);

    game->onResize(1280, 720);
    EXPECT_FLOAT_EQ(14.625f, game->ySpan);
    game->onResize(0, 0);
    EXPECT_FLOAT_EQ(14.625f, game->ySpan);
    EXPECT_EQ(1280.0f, game->screenWidth);

    game->swimmer.hasGoldKey = true;
    game->currentCameraPath = &game->rooms[0].cameraPaths[0];
    testing::internal::CaptureStdout();
    game->reset();
    testing::internal::GetCapturedStdout();
    EXPECT_FALSE(game->swimmer.hasGoldKey);
    EXPECT_EQ(nullptr, game->currentCameraPath);
    EXPECT_EQ(0.0f, game->swimmer.position.x);
    EXPECT_TRUE(game->gameStarted);
    EXPECT_TRUE(recorder().faults().empty()) << recorder().dump();
    recorder().reset();
    game->shutdown();
    EXPECT_EQ(recorder().texturesUnloaded(),
              (std::vector<const Texture*>{&game->tex[0], &game->mWaterTexture, &game->texWall,
                                           &game->texWood, &game->texGrass, &game->texCar}));
}

// Run where no data exists: every asset is reported, the level is refused, and
// the game is an empty room to swim in.
TEST_F(Sarn2016LevelTest, InitWithoutDataReportsAndStaysPlayable) {
    const std::filesystem::path home = std::filesystem::current_path();
    std::filesystem::path empty = std::filesystem::path(writeTestFile("sarn2016/nodata/x", ""));
    std::filesystem::current_path(empty.parent_path());
    testing::internal::CaptureStdout();
    testing::internal::CaptureStderr();
    bool ok = game->init();
    testing::internal::GetCapturedStdout();
    err = testing::internal::GetCapturedStderr();
    std::filesystem::current_path(home);

    EXPECT_TRUE(ok);
    EXPECT_NE(std::string::npos, err.find("data/Sarn2016/level.json: cannot open")) << err;
    EXPECT_NE(std::string::npos, err.find("data/meshes/display/swimmer.json")) << err;
    EXPECT_TRUE(emptyLevel(*game));
    EXPECT_EQ(2u * 21u * 3u, game->mapBorderTopMesh.m_vertices.size());
    EXPECT_TRUE(recorder().faults().empty()) << recorder().dump();
}
