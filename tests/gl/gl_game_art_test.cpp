// What a player sees of our data in the games game_gl carries, drawn by the
// games themselves and read back: the orbit prototype's disc stays whole over
// its rolled rim, and every underwater key stands out from across its room.
#include <cmath>
#include <cstdlib>
#include <memory>
#include <string>
#include <vector>

#include "Sarn2015.h"
#include "Sarn2016.h"
#include "game/ScriptedRandom.h"
#include "gl_test_window.h"

namespace {

struct Frame {
    std::vector<unsigned char> rgba = std::vector<unsigned char>(1280 * 720 * 4);
    const unsigned char* at(int x, int y) const { return &rgba[(size_t(y) * 1280 + x) * 4]; }
};

Frame readFrame() {
    Frame frame;
    glReadPixels(0, 0, 1280, 720, GL_RGBA, GL_UNSIGNED_BYTE, frame.rgba.data());
    return frame;
}

// The orbit prototype's backdrop: the white clear colour and the night sky.
bool backdrop(const unsigned char* p) {
    bool white = p[0] > 230 && p[1] > 230 && p[2] > 230;
    bool night = p[2] > p[0] + 20 && p[2] > p[1] + 10;
    return white || night;
}

TEST(GameArt, Sarn2015GroundIsOneSurfaceOverTheRolledRim) {
    REQUIRE_TEST_WINDOW();
    std::unique_ptr<Sarn2015> game(new Sarn2015);
    ASSERT_TRUE(game->init());
    game->onResize(1280, 720);
    // The ground alone, scrolled off the whole-unit grid: every prop parked.
    auto park = [](Sarn2015::Car* props, int count) {
        for (int i = 0; i < count; ++i)
            props[i] = {-1000.0f, -1000.0f, -1000.0f};
    };
    park(game->trees, Sarn2015Layout::treeCount);
    park(game->walls, Sarn2015Layout::wallSlots);
    park(game->tallWalls, Sarn2015Layout::tallWallCount);
    park(game->woods, Sarn2015Layout::woodCount);
    park(game->floorWoods, Sarn2015Layout::floorWoodCount);
    game->pos = Vector2D(0.3f, -0.55f);
    game->render();
    Frame frame = readFrame();

    // Within each row, between the first and last ground pixel, no backdrop
    // may show through: a crack between tiles.
    int groundRows = 0, cracks = 0;
    for (int y = 0; y < 720; ++y) {
        int first = -1, last = -1;
        for (int x = 0; x < 1280; ++x) {
            if (!backdrop(frame.at(x, y))) {
                last = x;
                if (first < 0)
                    first = x;
            }
        }
        if (first < 0)
            continue;
        ++groundRows;
        for (int x = first; x <= last; ++x)
            cracks += backdrop(frame.at(x, y));
    }
    EXPECT_GT(groundRows, 150);
    EXPECT_EQ(cracks, 0);
}

// Pixels that differ clearly between two frames.
int changedPixels(const Frame& a, const Frame& b) {
    int changed = 0;
    for (size_t i = 0; i < a.rgba.size(); i += 4) {
        int d = std::abs(a.rgba[i] - b.rgba[i]) + std::abs(a.rgba[i + 1] - b.rgba[i + 1]) +
                std::abs(a.rgba[i + 2] - b.rgba[i + 2]);
        changed += d > 60;
    }
    return changed;
}

TEST(GameArt, Sarn2016EveryKeyStandsOutFromAcrossItsRoom) {
    REQUIRE_TEST_WINDOW();
    seedScriptedRandom(1);
    std::unique_ptr<Sarn2016> game(new Sarn2016);
    testing::internal::CaptureStdout();
    ASSERT_TRUE(game->init());
    testing::internal::GetCapturedStdout();
    game->onResize(1280, 720);
    game->tutoTime = game->tutoTotalTime;
    int keys = 0;
    for (auto& named : game->roomDictionary) {
        Sarn2016::Room& room = *named.second;
        game->currentRoom = &room;
        room.transiting = room.entryTransition = false;
        game->updateTopBorderMesh();
        game->updateBottomBorderMesh();
        for (unsigned int k = 0; k < room.collectibleCount; ++k) {
            Sarn2016::Collectible& key = room.collectibles[k];
            ASSERT_NE(key.displayable, nullptr) << named.first;
            // The eye 45 units off, towards the room's middle, a little above.
            Vector3D at = key.displayable->position();
            Vector3D across((room.left + room.right) / 2 - at.x,
                            (room.bottom + room.top) / 2 - at.y, 0.0f);
            across.normalize();
            Vector3D eye = at + across * 45.0f + Vector3D(0.0f, 0.0f, 3.0f);
            game->swimmer.position = eye + across * 5.0f; // behind the eye
            Sarn2016::CameraPath look;
            look.duration = 1.0f;
            look.waypoints.push_back({eye, at, Vector3D(0.0f, 0.0f, 1.0f), 1.0f});
            game->currentCameraPath = &look;

            Frame frames[2];
            for (int collected = 0; collected < 2; ++collected) {
                key.collected = collected == 1;
                game->refractionIndex = 0;
                game->render();
                frames[collected] = readFrame();
            }
            key.collected = false;
            game->currentCameraPath = nullptr;
            // A block of a dozen pixels square that the key lights up.
            EXPECT_GE(changedPixels(frames[0], frames[1]), 150) << named.first << " key " << k;
            ++keys;
        }
    }
    EXPECT_EQ(keys, 4);
}

} // namespace
