#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <memory>

#include "Sarn2016.h"
#include "ScriptedRandom.h"

using Room = Sarn2016::Room;

namespace {

bool openWater(const Room& room) {
    for (const Sarn2016::Obstacle& cell : room.grid) {
        if (cell.bottom != 0.0f || cell.top != -20.0f || cell.floor != -20.0f) {
            return false;
        }
    }
    return true;
}

float axis(const Vector3D& v, int a) {
    return a == 0 ? v.x : a == 1 ? v.y : v.z;
}

bool isIdentity(const Quaternion& q) {
    return q.x == 0.0f && q.y == 0.0f && q.z == 0.0f && std::fabs(q.w) == 1.0f;
}

} // namespace

TEST(Sarn2016Rooms, ConstructedRoomIsEmptyOpenWater) {
    auto room = std::make_unique<Room>();
    EXPECT_EQ(0u, room->leverCount + room->doorCount + room->staticObjectCount +
                      room->collectibleCount + room->codesCount + room->triggerCount);
    EXPECT_TRUE(openWater(*room));
    EXPECT_FALSE(room->entryTransition);
    EXPECT_EQ(nullptr, room->doorTaken);
    EXPECT_EQ(nullptr, room->levers[4].effect);
    EXPECT_EQ(nullptr, room->doors[2].room);
    EXPECT_FALSE(room->doors[2].mechanism.end || room->doors[2].mechanism.running);
    EXPECT_EQ(nullptr, room->codes[19].code);
}

// The first numbers are scripted to show how each draw becomes a value; the
// rest come from the fallback generator and must keep to the ranges.
TEST(Sarn2016Rooms, SeaweedFromScriptedNumbers) {
    auto room = std::make_unique<Room>();
    scriptRandom({1, 257, 1499, 500, 999, 100, 250, 999, 59, 0});
    room->roomDefault(0.0f, 100.0f, 0.0f, 100.0f);
    EXPECT_EQ(1, randomSeeds());
    const Sarn2016::Seaweed& first = room->trees[0];
    EXPECT_EQ(3.0f, first.position.x);
    EXPECT_EQ(57.0f, first.position.y);
    EXPECT_EQ(-20.0f, first.position.z);
    EXPECT_FLOAT_EQ(-0.001f, first.startTime.x);
    EXPECT_EQ(0.0f, first.startTime.y);
    EXPECT_FLOAT_EQ(0.499f, first.startTime.z);
    EXPECT_EQ(-1.0f, first.startDirection.x);
    EXPECT_EQ(-1.0f, first.startDirection.y); // zero is not positive
    EXPECT_EQ(1.0f, first.startDirection.z);
    EXPECT_FLOAT_EQ(0.2f, first.speed.x);
    EXPECT_FLOAT_EQ(0.25f, first.speed.y);
    EXPECT_FLOAT_EQ(0.999f, first.speed.z);
    EXPECT_EQ(29.0f, first.yawPitch.x);
    EXPECT_EQ(-30.0f, first.yawPitch.y);

    for (unsigned int s = 0; s < Room::seaweedCount; ++s) {
        const Sarn2016::Seaweed& weed = room->trees[s];
        const Sarn2016::Seaweed& leader = room->trees[s - s % 6];
        EXPECT_EQ(leader.position.x, weed.position.x);
        EXPECT_EQ(leader.position.y, weed.position.y);
        EXPECT_GE(weed.position.x, 3.0f);
        EXPECT_LT(weed.position.y, 100.0f);
        for (int a = 0; a < 3; ++a) {
            float phase = axis(weed.startTime, a);
            EXPECT_TRUE(phase >= -0.5f && phase < 0.5f);
            EXPECT_EQ(phase > 0.0f ? 1.0f : -1.0f, axis(weed.startDirection, a));
            float speed = axis(weed.speed, a);
            EXPECT_TRUE(speed >= 0.2f && speed < 1.0f);
        }
        for (float lean : {weed.yawPitch.x, weed.yawPitch.y}) {
            EXPECT_TRUE(lean >= -30.0f && lean <= 29.0f && lean == std::floor(lean));
        }
    }
}

// A reset clears every slot: what an earlier, larger load left beyond the
// counts must not reappear when a later load uses those slots again.
TEST(Sarn2016Rooms, DefaultLeavesNoStaleRecords) {
    auto room = std::make_unique<Room>();
    seedScriptedRandom(7);
    Sarn2016::ObjectGroup group;
    group.children.push_back(new Sarn2016::ObjectGroup);
    for (Sarn2016::Lever& lever : room->levers) {
        lever.mechanism.objectGroups.push_back(group);
        lever.mechanism.end = true;
    }
    for (Sarn2016::Door& door : room->doors) {
        door.mechanism.objectGroups.push_back(group);
        door.mechanism.end = true;
    }
    room->staticObjects[399].orientation() = Quaternion(0.6f, 0.0f, 0.0f, 0.8f);
    room->leverCount = 1; // fewer than the slots holding records
    room->doorCount = 1;
    room->codesCount = room->triggerCount = room->collectibleCount = 3;
    room->cameraPaths.resize(2);
    room->doorTaken = &room->doors[0];
    room->borderTopMeshSeed = 300;

    room->roomDefault(0.0f, 100.0f, 0.0f, 100.0f);
    for (const Sarn2016::Lever& lever : room->levers) {
        EXPECT_TRUE(lever.mechanism.objectGroups.empty());
        EXPECT_FALSE(lever.mechanism.end);
    }
    for (const Sarn2016::Door& door : room->doors) {
        EXPECT_TRUE(door.mechanism.objectGroups.empty());
        EXPECT_TRUE(door.mechanism.end); // kept until the reader sets it
    }
    EXPECT_TRUE(isIdentity(room->staticObjects[399].orientation()));
    EXPECT_EQ(0u, room->leverCount + room->doorCount + room->codesCount + room->triggerCount +
                      room->collectibleCount);
    EXPECT_TRUE(room->cameraPaths.empty());
    EXPECT_EQ(nullptr, room->doorTaken);
    EXPECT_TRUE(room->entryTransition);
    EXPECT_EQ(0u, room->borderTopMeshSeed);
}

TEST(Sarn2016Rooms, GridIndexStaysInTheGrid) {
    const float nan = std::numeric_limits<float>::quiet_NaN();
    const float inf = std::numeric_limits<float>::infinity();
    EXPECT_EQ(2u * 50u + 1u, Room::gridIndex(3.0f, 5.0f));
    EXPECT_EQ(49u, Room::gridIndex(100.0f, 0.0f));
    EXPECT_EQ(0u, Room::gridIndex(-5.0f, -0.5f));
    EXPECT_EQ(0u, Room::gridIndex(nan, nan));
    EXPECT_EQ(Room::gridCells - 1, Room::gridIndex(1e9f, inf));
    EXPECT_EQ(Room::gridCells - 1, Room::gridIndex(99.9f, 99.9f));

    auto room = std::make_unique<Room>();
    room->grid[7].top = 5.0f;
    room->updateCollisionGrid();
    EXPECT_TRUE(openWater(*room));
}
