#include <gtest/gtest.h>

#include <string>

#include "Sarn2016.h"

namespace {

using CodeTree = Sarn2016::CodeTree;
using Room = Sarn2016::Room;

const char* const names[] = {
    "takeRedKey",     "takeGreenKey",  "takeBlueKey",      "takeGoldKey", "removeRedKey",
    "removeGreenKey", "removeBlueKey", "removeGoldKey",    "hasRedKey",   "hasGreenKey",
    "hasBlueKey",     "hasGoldKey",    "launchToggleDoor", "toggleDoor",  "launchCameraPath"};

// A door whose one group lifts an object from z 0 to z 10 over 2 s.
struct TestDoor {
    TestDoor() {
        Sarn2016::ObjectGroup group;
        group.positions = {Vector3D(), Vector3D(0.0f, 0.0f, 10.0f)};
        group.orientations = {Quaternion(), Quaternion()};
        group.timeRatios = {0.0f, 1.0f};
        group.objects = {&leaf};
        group.anchors = {Vector3D()};
        group.relativeOrientations = {Quaternion()};
        door.mechanism.objectGroups.push_back(group);
        door.mechanism.runningTime = 2.0f;
    }
    Transform leaf;
    Sarn2016::Door door;
};

} // namespace

TEST(Sarn2016CodeTree, NamesRoundTripAndUnknownOnesReadAsHasRedKey) {
    for (const char* name : names) {
        CodeTree::func f = Room::StringToCodeTreeFunc(name);
        EXPECT_EQ(name, Room::codeTreeFuncToString(f));
    }
    EXPECT_EQ(g_launchToggleDoor, Room::StringToCodeTreeFunc("launchToggleDoor"));

    testing::internal::CaptureStderr();
    EXPECT_EQ(g_hasRedKey, Room::StringToCodeTreeFunc("TakeRedKey"));
    EXPECT_EQ(g_hasRedKey, Room::StringToCodeTreeFunc(""));
    std::string warnings = testing::internal::GetCapturedStderr();
    EXPECT_NE(std::string::npos, warnings.find("\"TakeRedKey\""));
    EXPECT_EQ(2, std::count(warnings.begin(), warnings.end(), '\n'));
    EXPECT_EQ("unknown", Room::codeTreeFuncToString(nullptr));
}

TEST(Sarn2016CodeTree, LaunchToggleDoorStartsThenTurnsBack) {
    TestDoor t;
    Sarn2016::Mechanism& m = t.door.mechanism;
    EXPECT_TRUE(g_launchToggleDoor(nullptr, &t.door));
    EXPECT_TRUE(m.running);
    EXPECT_EQ(0.0f, m.timeFromStart);
    EXPECT_FALSE(m.end);

    m.timeFromStart = 0.5f;
    EXPECT_TRUE(g_launchToggleDoor(nullptr, &t.door));
    EXPECT_TRUE(m.running);
    EXPECT_TRUE(m.end);
    EXPECT_EQ(1.5f, m.timeFromStart);
    EXPECT_EQ(10.0f, t.leaf.position.z); // snapped to the new end
    EXPECT_EQ(-1.0f, m.runningDirection);

    EXPECT_TRUE(g_launchToggleDoor(nullptr, &t.door));
    EXPECT_FALSE(m.end);
    EXPECT_EQ(0.5f, m.timeFromStart);
    EXPECT_EQ(1.0f, m.runningDirection);
    EXPECT_EQ(0.0f, t.leaf.position.z);
}

TEST(Sarn2016CodeTree, ToggleDoorJumpsKeepsARunGoingAndNullDoesNothing) {
    TestDoor t;
    EXPECT_TRUE(g_toggleDoor(nullptr, &t.door));
    EXPECT_TRUE(t.door.mechanism.end);
    EXPECT_EQ(10.0f, t.leaf.position.z);
    t.door.mechanism.running = true;
    EXPECT_TRUE(g_toggleDoor(nullptr, &t.door));
    EXPECT_FALSE(t.door.mechanism.end);
    EXPECT_TRUE(t.door.mechanism.running);
    EXPECT_EQ(0.0f, t.leaf.position.z);

    EXPECT_FALSE(g_launchToggleDoor(nullptr, nullptr));
    EXPECT_FALSE(g_toggleDoor(nullptr, nullptr));
    EXPECT_FALSE(g_launchCameraPath(nullptr, nullptr));
    EXPECT_FALSE(CodeTree().call(nullptr)); // no callback
}

TEST(Sarn2016CodeTree, PoolRefusesWhatWouldPassItsEnd) {
    char doors[CodeTree::poolSize];
    CodeTree::initPool();
    CodeTree node;
    EXPECT_TRUE(node.setData(nullptr, 4));
    EXPECT_EQ(nullptr, node.funcData);
    EXPECT_EQ(0u, CodeTree::dataCount);

    for (std::size_t i = 0; i < CodeTree::poolSize / 4; ++i) {
        ASSERT_TRUE(node.setData(doors + 4 * i, 4));
    }
    EXPECT_EQ(CodeTree::poolSize, CodeTree::dataCount);
    EXPECT_EQ(doors + CodeTree::poolSize - 1, CodeTree::dataPool[CodeTree::poolSize - 1]);

    CodeTree late;
    testing::internal::CaptureStderr();
    EXPECT_FALSE(late.setData(doors, 4));
    EXPECT_FALSE(late.setData(doors, 0)); // still one entry
    EXPECT_FALSE(testing::internal::GetCapturedStderr().empty());
    EXPECT_EQ(nullptr, late.funcData);
    EXPECT_EQ(CodeTree::poolSize, CodeTree::dataCount);

    CodeTree::initPool();
    EXPECT_TRUE(late.setData(doors, 0));
    EXPECT_EQ(0u, CodeTree::dataCount);
    EXPECT_EQ(doors, CodeTree::dataPool[0]);
}
