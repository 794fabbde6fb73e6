#include <gtest/gtest.h>

#include <cmath>
#include <initializer_list>
#include <memory>

#include "Recorder.h"
#include "Sarn2016.h"
#include "Sarn2016Collision.h"
#include "ScriptedKeyboard.h"
#include "ScriptedRandom.h"

namespace {

using Room = Sarn2016::Room;

// A game without assets in one open 100 x 100 room, the swimmer mid-water.
class Sarn2016PlayTest : public testing::Test {
public:
    void SetUp() override {
        recorder().reset();
        seedScriptedRandom(3);
        holdOnly({});
        game = std::make_unique<Sarn2016>();
        for (Room& r : game->rooms) {
            r.roomDefault(0, 100, 0, 100);
            r.entryTransition = false;
        }
        game->swimmer.position = Vector3D(50, 50, -10);
        game->tutoTime = game->tutoTotalTime;
    }
    void frames(int count, std::initializer_list<Key> keys, float dt = 0.25f) {
        holdOnly(keys);
        for (int i = 0; i < count; ++i)
            game->prepare(dt);
    }
    Room& room() { return *game->currentRoom; }
    std::unique_ptr<Sarn2016> game;
};

TEST_F(Sarn2016PlayTest, StrokeRampsToTwelveThenDriftsAndDecays) {
    frames(4, {Key::Space});
    EXPECT_FLOAT_EQ(10.0f, game->swimmer.speed);
    frames(2, {Key::Space});
    EXPECT_EQ(12.0f, game->swimmer.speed);
    float y = game->swimmer.position.y;
    frames(1, {});
    // Released: the stroke's speed becomes drift along its unit direction.
    EXPECT_EQ(0.0f, game->swimmer.speed);
    EXPECT_FLOAT_EQ(9.5f, game->swimmer.immobileSpeed);
    EXPECT_NEAR(-1.0f, game->swimmer.lastSwimmingDirection.y, 1e-6f);
    EXPECT_LT(game->swimmer.position.y, y);
    frames(4, {});
    EXPECT_EQ(0.0f, game->swimmer.immobileSpeed);
    y = game->swimmer.position.y;
    frames(2, {});
    EXPECT_EQ(y, game->swimmer.position.y);
}

TEST_F(Sarn2016PlayTest, OneArrowSteersByStickTwoByDiagonalPad) {
    frames(1, {Key::Right});
    EXPECT_FLOAT_EQ(0.25f, game->pos.x);
    EXPECT_EQ(0.0f, game->pos.y);
    game->pos = Vector2D(0, 0);
    frames(1, {Key::Right, Key::Up});
    EXPECT_FLOAT_EQ(0.25f * 0.707f, game->pos.x);
    EXPECT_FLOAT_EQ(0.25f * 0.707f * 150.0f, game->pos.y);
    // Yaw follows -pos.x in turns of 150 degrees, wrapped into [0, 360].
    EXPECT_FLOAT_EQ(360.0f - 0.25f * 0.707f * 150.0f, game->swimmer.yaw);
    for (float huge : {-1e30f, 1e30f}) {
        game->pos.x = huge;
        frames(1, {});
        EXPECT_GE(game->swimmer.yaw, 0.0f);
        EXPECT_LE(game->swimmer.yaw, 360.0f);
    }
}

TEST_F(Sarn2016PlayTest, PitchLevelsAtSurfaceAndBottomOnly) {
    struct Case {
        float z, pitch, after;
    } cases[] = {{-20, 300, 0}, {0, 30, 0}, {-10, 300, 300}, {-10, 30, 30}};
    for (const Case& c : cases) {
        game->swimmer.position.z = c.z;
        game->pos = Vector2D(0, c.pitch);
        frames(8, {}, 0.1f);
        EXPECT_FLOAT_EQ(c.after, game->swimmer.pitch) << c.z << " " << c.pitch;
    }
    // While swimming the pitch stays.
    game->swimmer.position.z = -20;
    game->pos = Vector2D(0, 30);
    frames(1, {Key::Space}, 0.1f);
    EXPECT_FLOAT_EQ(30.0f, game->swimmer.pitch);
}

TEST_F(Sarn2016PlayTest, UpPitchesTheStrokeDown) {
    frames(1, {Key::Up}, 0.2f);
    ASSERT_FLOAT_EQ(30.0f, game->swimmer.pitch);
    // Four strokes of 0.25 s cover 6.25 units, half of them downwards.
    frames(4, {Key::Space});
    EXPECT_NEAR(-10.0f - 3.125f, game->swimmer.position.z, 1e-3f);
}

TEST_F(Sarn2016PlayTest, BoundsHoldTheSwimmerOneUnitInside) {
    room().roomDefault(10, 60, 20, 70);
    room().entryTransition = false;
    game->swimmer.position = Vector3D(-5, 200, 9);
    frames(1, {});
    EXPECT_EQ(11.0f, game->swimmer.position.x);
    EXPECT_EQ(69.0f, game->swimmer.position.y);
    EXPECT_EQ(0.0f, game->swimmer.position.z);
    game->swimmer.position = Vector3D(500, -5, -90);
    frames(1, {});
    EXPECT_EQ(59.0f, game->swimmer.position.x);
    EXPECT_EQ(21.0f, game->swimmer.position.y);
    EXPECT_EQ(-20.0f, game->swimmer.position.z);
}

// Cells relative to the start cell (10, 10) of a step from (21, 21), the ones
// set blocking, and where the step ends.
TEST(Sarn2016Collision, EveryNeighbourRowOfTheTable) {
    const int start = 10 * 50 + 10;
    struct Case {
        float x, y;
        std::initializer_list<int> blocked;
        float endX, endY;
    } cases[] = {
        {19.5f, 21, {-1}, 20, 21},             // left: the old cell's left edge
        {22.5f, 21, {1}, 21, 21},              // right: back where it was
        {21, 19.5f, {-50}, 21, 21},            // down
        {21, 22.5f, {50}, 21, 21},             // up
        {19.5f, 22.5f, {49, -1, 50}, 20, 21},  // x - 1, y + 1, both sides blocked
        {19.5f, 22.5f, {49}, 19.5f, 22.5f},    // a corner alone is passed
        {19.5f, 19.5f, {-51, -1}, 20, 19.5f},  // x - 1, y - 1
        {19.5f, 19.5f, {-51, -50}, 19.5f, 21}, // its index + 1 is the cell below
        {22.5f, 22.5f, {51, 1, 50}, 21, 21},   // x + 1, y + 1
        {22.5f, 19.5f, {-49, 1}, 21, 19.5f},   // x + 1, y - 1
        {22.5f, 19.5f, {-49, -50}, 22.5f, 21},
    };
    for (const Case& c : cases) {
        auto room = std::make_unique<Room>();
        for (int cell : c.blocked)
            room->grid[start + cell] = {-20, 0, -20};
        Vector3D at(c.x, c.y, -10);
        collideWithGrid(*room, Vector3D(21, 21, -10), at);
        EXPECT_EQ(Vector3D(c.endX, c.endY, -10).x, at.x) << c.x << "," << c.y;
        EXPECT_EQ(c.endY, at.y) << c.x << "," << c.y;
    }
}

TEST(Sarn2016Collision, DepthAndFloorRulesAndTheOpenGrid) {
    auto room = std::make_unique<Room>();
    room->grid[0] = {-10, -5, -15};
    Vector3D up(1, 1, -9);
    collideWithGrid(*room, Vector3D(1, 1, -12), up); // rising through the bottom face
    EXPECT_EQ(-12.0f, up.z);
    Vector3D down(1, 1, -6);
    collideWithGrid(*room, Vector3D(1, 1, -4), down); // sinking through the top face
    EXPECT_EQ(-4.0f, down.z);
    Vector3D deep(1, 1, -18);
    collideWithGrid(*room, Vector3D(1, 1, -18), deep);
    EXPECT_EQ(-15.0f, deep.z);

    // Open water never moves a step, whatever its size or place, off the grid too.
    auto open = std::make_unique<Room>();
    const float steps[][6] = {{1, 1, -20, 3, 3, 0},
                              {99, 99, 0, 97, 97, -20},
                              {50, 50, -7, 48.5f, 53, -9},
                              {-30, 400, -5, -31, 401, -6}};
    for (const auto& s : steps) {
        Vector3D at(s[3], s[4], s[5]);
        collideWithGrid(*open, Vector3D(s[0], s[1], s[2]), at);
        EXPECT_EQ(s[3], at.x);
        EXPECT_EQ(s[4], at.y);
        EXPECT_EQ(s[5], at.z);
    }
}

TEST_F(Sarn2016PlayTest, KeysFireOnceTriggersOnEachEntry) {
    Room& r = room();
    r.codes[0].code = g_takeRedKey;
    r.codes[1].code = g_takeGoldKey;
    r.collectibleCount = 1;
    r.collectibles[0].displayable = nullptr; // shown by nothing: the trigger's place counts
    r.collectibles[0].trigger.position = Vector3D(50, 40, -10);
    r.collectibles[0].trigger.box = AABB(Vector3D(-2, -2, -20), Vector3D(2, 2, 20));
    r.collectibles[0].trigger.effect = &r.codes[0];
    r.triggerCount = 2;
    r.triggers[0].position = Vector3D(50, 60, -10);
    r.triggers[0].box = AABB(Vector3D(-2, -2, -20), Vector3D(2, 2, 20));
    r.triggers[0].effect = &r.codes[1];
    r.triggers[1] = r.triggers[0];
    r.triggers[1].effect = nullptr; // no tree: nothing runs

    // One frame's drift from where the swimmer is to y.
    auto enter = [&](float y) {
        float dy = y - game->swimmer.position.y;
        game->swimmer.lastSwimmingDirection = Vector3D(0, dy < 0 ? -1.0f : 1.0f, 0);
        game->swimmer.immobileSpeed = std::fabs(dy) / 0.25f + 2.5f;
        frames(1, {});
        EXPECT_EQ(y, game->swimmer.position.y);
    };
    enter(40);
    EXPECT_TRUE(r.collectibles[0].collected && game->swimmer.hasRedKey);
    game->swimmer.hasRedKey = false;
    enter(30);
    enter(40);
    EXPECT_FALSE(game->swimmer.hasRedKey);

    int fired = 0;
    for (int pass = 0; pass < 2; ++pass) {
        enter(30);
        enter(60);
        fired += game->swimmer.hasGoldKey;
        game->swimmer.hasGoldKey = false;
        enter(60.5f); // still inside
        fired += game->swimmer.hasGoldKey;
    }
    EXPECT_EQ(2, fired);
}

TEST_F(Sarn2016PlayTest, LeverStartsOncePerPressAndFinishesOnce) {
    Room& r = room();
    r.leverCount = 1;
    Sarn2016::Lever& lever = r.levers[0];
    lever.mechanism.position = Vector3D(50, 50, -20);
    lever.mechanism.runningTime = 1.0f;
    lever.interactionArea = AABB(Vector3D(-3, -3, -5), Vector3D(3, 3, 25));
    r.codes[0].code = g_takeBlueKey;
    lever.effect = &r.codes[0];
    Transform arm;
    Sarn2016::ObjectGroup group;
    group.objects = {&arm};
    group.anchors = {Vector3D()};
    group.relativeOrientations = {Quaternion()};
    group.positions = {Vector3D(0, 0, 0), Vector3D(0, 0, 4)};
    group.orientations = {Quaternion(), Quaternion()};
    group.timeRatios = {0, 1};
    lever.mechanism.objectGroups.push_back(group);
    lever.mechanism.objectGroups[0].objects = {&arm};
    r.grid[100] = {-20, 0, -20};

    frames(1, {Key::LeftControl});
    EXPECT_TRUE(lever.mechanism.running);
    frames(1, {});
    EXPECT_FLOAT_EQ(-18.0f, arm.position.z);
    frames(1, {Key::LeftControl}); // a second press mid-run goes on with the run
    EXPECT_FLOAT_EQ(-17.0f, arm.position.z);
    frames(2, {Key::LeftControl}); // the run ends: held B starts nothing more
    EXPECT_FALSE(lever.mechanism.running);
    EXPECT_TRUE(lever.mechanism.end);
    EXPECT_EQ(-16.0f, arm.position.z);
    EXPECT_TRUE(game->swimmer.hasBlueKey);
    EXPECT_EQ(-20.0f, r.grid[100].top) << "the grid is reset when a run ends";
    game->swimmer.hasBlueKey = false;
    frames(4, {Key::LeftControl});
    EXPECT_FALSE(game->swimmer.hasBlueKey || lever.mechanism.running);
    frames(1, {});
    frames(1, {Key::LeftControl}); // a new press runs it back
    EXPECT_TRUE(lever.mechanism.running);
    EXPECT_FLOAT_EQ(-17.0f, arm.position.z);
}

TEST_F(Sarn2016PlayTest, DoorsChangeRoomAfterTheFadeAndDoNothingElse) {
    game->buildBorderMeshes();
    Room& from = room();
    from.doorCount = 3;
    for (unsigned int i = 0; i < 3; ++i) {
        from.doors[i].roomChangeArea = AABB(Vector3D(40, 40, -30), Vector3D(60, 60, 10));
        from.doors[i].playerPosition = Vector2D(float(10 + i), 20);
    }
    from.doors[0].mechanism.end = false; // shut
    from.doors[1].mechanism.end = true;  // open, leading nowhere
    from.doors[2].mechanism.end = false; // opening, to the last slot
    from.doors[2].room = &game->rooms[9];
    from.doors[0].room = &game->rooms[1];
    from.doors[2].mechanism.running = true; // not while it moves
    from.doors[2].mechanism.runningTime = 0.3f;
    frames(2, {}); // the run ends in the second frame
    EXPECT_FALSE(from.transiting || from.doors[2].mechanism.running);
    frames(1, {});
    EXPECT_TRUE(from.transiting);
    EXPECT_EQ(&from.doors[2], from.doorTaken);

    // The fade: no input, no motion, only the seaweed sways.
    Vector3D at = game->swimmer.position;
    // The last seaweed, each axis at its own pace: x turns on reaching 1
    // exactly, y overshoots -1 and turns there, z goes on down.
    Sarn2016::Seaweed& weed = from.trees[Room::seaweedCount - 1];
    weed.startTime = Vector3D(0.5f, -0.9f, 0.2f);
    weed.startDirection = Vector3D(1, -1, -1);
    weed.speed = Vector3D(2, 0.5f, 2);
    frames(2, {Key::Space, Key::Left, Key::F1});
    EXPECT_EQ(at.x, game->swimmer.position.x);
    EXPECT_EQ(0.0f, game->pos.x);
    EXPECT_EQ(0.5f, weed.startTime.x); // back where it began, now on the way down
    EXPECT_EQ(-1.0f, weed.startDirection.x);
    EXPECT_EQ(-0.875f, weed.startTime.y);
    EXPECT_FLOAT_EQ(-0.8f, weed.startTime.z);
    EXPECT_EQ(&from, game->currentRoom);
    frames(1, {Key::Space});
    EXPECT_EQ(&game->rooms[9], game->currentRoom);
    EXPECT_EQ(Vector3D(12, 20, -10).x, game->swimmer.position.x);
    EXPECT_EQ(20.0f, game->swimmer.position.y);
    EXPECT_EQ(-10.0f, game->swimmer.position.z);
    EXPECT_FALSE(game->BUTTON_A) << "the frame that arrives reads no input";
    EXPECT_TRUE(from.entryTransition) << "the room left fades in on the next arrival";

    // Play in the last slot goes on safely and fades in while live.
    game->rooms[9].entryTransition = true;
    frames(2, {Key::Space});
    EXPECT_TRUE(game->BUTTON_A);
    frames(2, {});
    EXPECT_FALSE(game->rooms[9].entryTransition);

    // A fade with no door taken ends where it began.
    game->rooms[9].transiting = true;
    frames(3, {});
    EXPECT_EQ(&game->rooms[9], game->currentRoom);
}

TEST_F(Sarn2016PlayTest, CameraPathEndsAfterItsDuration) {
    Sarn2016::CameraPath path;
    path.duration = 1.0f;
    g_launchCameraPath(game.get(), &path);
    frames(4, {});
    EXPECT_EQ(&path, game->currentCameraPath);
    frames(1, {});
    EXPECT_EQ(nullptr, game->currentCameraPath);
}

} // namespace
