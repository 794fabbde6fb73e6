// The shipped level swum from start to end with scripted keys, as a player
// would: every room, every key, both levers, every door on the route.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <memory>
#include <string>
#include <vector>

#include "Recorder.h"
#include "RoomSnapshot.h"
#include "Sarn2016.h"
#include "ScriptedKeyboard.h"
#include "ScriptedRandom.h"

namespace {

const float dt = 1.0f / 60.0f;

class Sarn2016RouteTest : public testing::Test {
public:
    void SetUp() override {
        recorder().reset();
        seedScriptedRandom(5);
        holdOnly({});
        game = std::make_unique<Sarn2016>();
        ASSERT_TRUE(game->init());
        game->onResize(1280, 720);
    }
    Sarn2016::Room* room(const char* name) { return game->roomDictionary.at(name); }
    void frame(std::initializer_list<Key> keys) {
        holdOnly(keys);
        game->prepare(dt);
        if (++frames % 15 == 0)
            game->render();
    }
    // Steers towards (x, y) at the swimmer's depth: turn, stroke, let the
    // drift carry it the rest of the way. False when it does not get there.
    bool swimTo(float x, float y) {
        const Sarn2016::Swimmer& s = game->swimmer;
        const Sarn2016::Room* start = game->currentRoom;
        for (int i = 0; i < 60 * 60; ++i) {
            if (game->currentRoom != start || start->transiting)
                return true; // through a door
            float dx = x - s.position.x, dy = y - s.position.y;
            float distance = std::sqrt(dx * dx + dy * dy);
            if (distance < 1.5f && s.immobileSpeed == 0.0f)
                return true;
            float want = std::atan2(dx, -dy) / 0.017453292f;
            float diff = std::remainder(want - s.yaw, 360.0f);
            bool turn = std::fabs(diff) > 3.0f && distance > 1.0f;
            bool stroke = std::fabs(diff) < 20.0f &&
                          distance > s.speed * s.speed / 20.0f + s.immobileSpeed + 0.5f;
            Key side = diff > 0 ? Key::Left : Key::Right;
            if (turn && stroke)
                frame({side, Key::Space});
            else if (turn)
                frame({side});
            else if (stroke)
                frame({Key::Space});
            else
                frame({});
        }
        ADD_FAILURE() << "stuck at " << s.position.x << ", " << s.position.y << " on the way to "
                      << x << ", " << y;
        return false;
    }
    void wait(float seconds) {
        for (int i = 0; i < int(seconds / dt); ++i)
            frame({});
    }
    void pullLever() {
        frame({Key::LeftControl});
        frame({});
    }
    // Swims through a door's opening; the swimmer arrives where the door says.
    void passDoor(float x, float y, Sarn2016::Room* to) {
        Sarn2016::Room* from = game->currentRoom;
        EXPECT_TRUE(swimTo(x, y));
        for (int i = 0; i < 60 && game->currentRoom == from; ++i)
            frame({});
        ASSERT_EQ(to, game->currentRoom);
        ASSERT_NE(nullptr, from->doorTaken);
        EXPECT_EQ(from->doorTaken->playerPosition.x, game->swimmer.position.x);
        EXPECT_EQ(from->doorTaken->playerPosition.y, game->swimmer.position.y);
        wait(1.0f);
    }
    // One still frame with the swimmer at p in room: the door it goes
    // through, or null. The room stays where it was.
    const Sarn2016::Door* doorTakenAt(Sarn2016::Room& room, Vector3D p) {
        game->currentRoom = &room;
        game->swimmer.position = p;
        game->swimmer.speed = game->swimmer.immobileSpeed = 0.0f;
        frame({});
        const Sarn2016::Door* taken = room.transiting ? room.doorTaken : nullptr;
        room.transiting = false;
        room.doorTaken = nullptr;
        return taken;
    }
    // Snapping the door's parts to their open key moves nothing in the room.
    bool standsOpen(Sarn2016::Room& room, Sarn2016::Door& door) {
        const std::string before = roomSnapshot(*game, room);
        std::vector<Transform> kept;
        for (unsigned int i = 0; i < room.staticObjectCount; ++i)
            kept.push_back(room.staticObjects[i].transform);
        Sarn2016::Mechanism& m = door.mechanism;
        for (Sarn2016::ObjectGroup& group : m.objectGroups)
            group.toExtremity(true, m.position, m.orientation);
        bool open = roomSnapshot(*game, room) == before;
        for (unsigned int i = 0; i < room.staticObjectCount; ++i)
            room.staticObjects[i].transform = kept[i];
        return open;
    }
    // A door whose parts stand open takes the swimmer at every corner of the
    // part of its box the swimmer can reach (walls 1 away), on the floor and
    // at the surface; a door whose parts stand shut nowhere.
    void expectDoorsPassableExactlyWhereOpen() {
        for (auto& named : game->roomDictionary) {
            Sarn2016::Room& r = *named.second;
            for (unsigned int i = 0; i < r.doorCount; ++i) {
                Sarn2016::Door& door = r.doors[i];
                bool open = standsOpen(r, door);
                const AABB& box = door.roomChangeArea;
                auto low = [](float start, float wall) {
                    return start < wall ? wall : start + 0.01f; // the start face is out
                };
                float x[] = {low(box.start.x, r.left + 1.0f), std::min(box.end.x, r.right - 1.0f)};
                float y[] = {low(box.start.y, r.bottom + 1.0f), std::min(box.end.y, r.top - 1.0f)};
                std::string where = named.first + " door " + std::to_string(i);
                ASSERT_TRUE(x[0] <= x[1] && y[0] <= y[1]) << where << " out of reach";
                for (int corner = 0; corner < 8; ++corner) {
                    Vector3D p(x[corner & 1], y[corner >> 1 & 1], corner & 4 ? 0.0f : -20.0f);
                    const Sarn2016::Door* taken = doorTakenAt(r, p);
                    EXPECT_EQ(open, taken == &door) << where << (open ? " open" : " shut") << " at "
                                                    << p.x << ", " << p.y << ", " << p.z;
                }
            }
        }
    }
    std::unique_ptr<Sarn2016> game;
    int frames = 0;
};

TEST_F(Sarn2016RouteTest, TheShippedLevelCanBeSwumThrough) {
    Sarn2016::Room *kelp = room("kelp.json"), *wreck = room("wreck.json"),
                   *cave = room("cave.json");
    Sarn2016::Swimmer& s = game->swimmer;
    ASSERT_EQ(kelp, game->currentRoom);

    // Kelp: the red key, then the lever opens the gate.
    ASSERT_TRUE(swimTo(20, 45));
    EXPECT_TRUE(s.hasRedKey);
    ASSERT_TRUE(swimTo(50, 60));
    EXPECT_FALSE(kelp->doors[0].mechanism.end);
    pullLever();
    EXPECT_TRUE(kelp->levers[0].mechanism.running);
    wait(3.5f);
    EXPECT_TRUE(kelp->levers[0].mechanism.end);
    EXPECT_TRUE(kelp->doors[0].mechanism.end && !kelp->doors[0].mechanism.running);
    passDoor(50, 98, wreck);
    EXPECT_FLOAT_EQ(-5.0f, s.position.z);

    // Wreck: green and blue keys, the lever opens the way on and the cave's exit.
    wait(0.5f);
    ASSERT_TRUE(swimTo(25, 40));
    ASSERT_TRUE(swimTo(75, 40));
    EXPECT_TRUE(s.hasGreenKey && s.hasBlueKey);
    ASSERT_TRUE(swimTo(50, 60));
    pullLever();
    wait(3.5f);
    EXPECT_TRUE(wreck->doors[1].mechanism.end);
    EXPECT_TRUE(cave->doors[0].mechanism.end);
    passDoor(50, 98, cave);

    // Cave: the gold key shuts the wreck's way back; out through the exit.
    ASSERT_TRUE(swimTo(60, 50));
    EXPECT_TRUE(s.hasGoldKey);
    EXPECT_FALSE(wreck->doors[0].mechanism.end);
    passDoor(98, 47, kelp);
    EXPECT_TRUE(s.hasRedKey && s.hasGreenKey && s.hasBlueKey && s.hasGoldKey);

    // Where play left it, each room saved and read back is the same room,
    // and every gate lets the swimmer through exactly where it stands open.
    for (auto& named : game->roomDictionary)
        expectRoundTrip(*game, *named.second, "route-" + named.first);
    expectDoorsPassableExactlyWhereOpen();
    EXPECT_TRUE(recorder().faults().empty());
}

// F4 while a camera path runs reloads the level: the path pointed into the
// old rooms and must be gone before the next drawn frame.
TEST_F(Sarn2016RouteTest, RestartDuringACameraPathLeavesNoPath) {
    ASSERT_TRUE(swimTo(20, 36)); // through the hint trigger
    ASSERT_NE(nullptr, game->currentCameraPath);
    frame({Key::F4});
    EXPECT_EQ(nullptr, game->currentCameraPath);
    EXPECT_FALSE(game->swimmer.hasRedKey);
    game->render();
    frame({});
    game->render();
    EXPECT_TRUE(recorder().faults().empty());
}

// F4 after swimming in another room: the first room's strips come back, and
// the eye stays behind the swimmer while the new game runs past the old one's
// time stamps.
TEST_F(Sarn2016RouteTest, RestartInAnotherRoomLeavesNothingBehind) {
    const std::vector<float> top = game->mapBorderTopMesh.m_vertices;
    const std::vector<float> bottom = game->mapBorderBottomMesh.m_vertices;
    room("kelp.json")->doors[0].mechanism.end = true; // the gate open without its key
    passDoor(50, 98, room("wreck.json"));
    ASSERT_TRUE(swimTo(70, 80));
    ASSERT_NE(top, game->mapBorderTopMesh.m_vertices);
    const float played = game->temps;

    frame({Key::F4});
    ASSERT_EQ(room("kelp.json"), game->currentRoom);
    EXPECT_EQ(top, game->mapBorderTopMesh.m_vertices);
    EXPECT_EQ(bottom, game->mapBorderBottomMesh.m_vertices);
    float farthest = 0.0f;
    while (game->temps < played + 1.0f) {
        frame({});
        game->render();
        Vector3D gap = game->cameraPosition - game->swimmer.position;
        farthest = std::fmax(farthest, std::sqrt(Vector3D::dotProduct(gap, gap)));
    }
    EXPECT_LT(farthest, 8.0f);
    EXPECT_TRUE(recorder().faults().empty());
}

} // namespace
