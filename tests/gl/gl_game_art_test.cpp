// What a player sees of our data in the games game_gl carries, drawn by the
// games themselves and read back: the orbit prototype's disc stays whole over
// its rolled rim.
#include <cmath>
#include <cstdlib>
#include <memory>
#include <string>
#include <vector>

#include "Sarn2015.h"
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

} // namespace
