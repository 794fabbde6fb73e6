#include <gtest/gtest.h>

#include <cmath>
#include <memory>

#include "Input/PC/InputManager.h"
#include "Sarn2015.h"
#include "input/ScriptedKeyboard.h"
#include "support/Recorder.h"

namespace {

class Prototype : public testing::Test {
protected:
    void SetUp() override {
        recorder().reset();
        holdOnly({});
        testing::internal::CaptureStderr();
        ASSERT_TRUE(game->init());
        testing::internal::GetCapturedStderr();
        game->onResize(1280, 720);
    }
    void frame(std::initializer_list<Key> keys, float dt = 0.016f) {
        holdOnly(keys);
        game->prepare(dt);
    }
    bool finiteSends(const char* name) {
        for (const RecordedEvent& send : recorder().sends(name))
            for (float v : send.values)
                if (!std::isfinite(v))
                    return false;
        return true;
    }
    std::unique_ptr<Sarn2015> game = std::make_unique<Sarn2015>();
};

TEST_F(Prototype, SpaceCyclesTheModeOnEachPressAndF2FlipsTheView) {
    EXPECT_EQ(game->moveMode, 0);
    frame({Key::Space});
    frame({Key::Space});
    EXPECT_EQ(game->moveMode, 1);
    frame({});
    frame({Key::Space});
    frame({});
    frame({Key::Space});
    EXPECT_EQ(game->moveMode, 0);

    EXPECT_TRUE(game->projMode);
    frame({Key::F2});
    frame({Key::F2});
    EXPECT_FALSE(game->projMode);
    frame({});
    frame({Key::F2});
    EXPECT_TRUE(game->projMode);
}

TEST_F(Prototype, ArrowsScrollWithinBoundsOrChangeTheRadiusDownToZero) {
    frame({Key::Right}, 10.0f);
    frame({Key::Down}, 10.0f);
    EXPECT_FLOAT_EQ(game->pos.x, 25.0f);
    EXPECT_FLOAT_EQ(game->pos.y, -25.0f);

    frame({Key::Space});
    frame({});
    frame({Key::Space});
    ASSERT_EQ(game->moveMode, 2);
    frame({Key::Up}, 0.5f);
    EXPECT_FLOAT_EQ(game->terrainRay, 20.0f);
    frame({Key::Down}, 10.0f);
    EXPECT_FLOAT_EQ(game->terrainRay, 0.0f);
    EXPECT_FLOAT_EQ(game->pos.x, 25.0f);
}

TEST_F(Prototype, DrawsEveryTileInsideTheDiscFromAnOrbitingEye) {
    game->pos = Vector2D(0.5f, -3.25f);
    recorder().reset();
    game->render();
    float r = game->terrainRay + 15.0f;
    std::size_t inside = 0;
    for (int i = -40; i < 40; ++i)
        for (int j = -40; j < 40; ++j)
            if ((i - 0.5f) * (i - 0.5f) + (j + 3.25f) * (j + 3.25f) < r * r)
                ++inside;
    EXPECT_EQ(recorder().sends("pos").size(), inside);
    EXPECT_FLOAT_EQ(game->screen.y, -45.0f);
    EXPECT_NEAR(game->screen.z, 0.0f, 1e-6);
}

TEST_F(Prototype, TheEyeOrbitsAtThreeRadiiAndStaysFiniteAtZero) {
    game->angleScreen = Vector2D(0.3f, -0.4f);
    for (float radius : {0.4f, 0.0f}) {
        game->terrainRay = radius;
        recorder().reset();
        game->render();
        float orbit = radius * 3.0f;
        EXPECT_NEAR(game->screen.x, std::sin(0.3f) * orbit, 1e-5f) << radius;
        EXPECT_NEAR(game->screen.y, -std::cos(0.3f) * orbit, 1e-5f) << radius;
        EXPECT_NEAR(game->screen.z, std::sin(0.4f) * orbit, 1e-5f) << radius;
        EXPECT_FALSE(recorder().sends("modelMat").empty());
        EXPECT_TRUE(finiteSends("mvMat")) << radius;
        EXPECT_TRUE(finiteSends("modelMat"));
        EXPECT_TRUE(finiteSends("inverseModelMat"));
    }
}

TEST_F(Prototype, ResizeKeepsTheHalfHeightInFloatAndIgnoresZero) {
    EXPECT_FLOAT_EQ(game->ySpan, 14.625f);
    game->onResize(1000, 500);
    EXPECT_FLOAT_EQ(game->ySpan, 13.0f);
    recorder().reset();
    game->onResize(0, 720);
    game->onResize(1280, 0);
    EXPECT_FLOAT_EQ(game->ySpan, 13.0f);
    EXPECT_FLOAT_EQ(game->screenWidth, 1000.0f);
    EXPECT_TRUE(recorder().events(RecordedEvent::viewPort).empty());
}

} // namespace
