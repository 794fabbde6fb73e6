// Collisions, lives, the multiplier, scrolling and the mode keys.
#include "ExampleFixture.h"

#include "support/Recorder.h"

#include <cmath>
#include <set>

namespace {

// Draws made with the heart texture bound.
int heartDraws(const Texture* heart) {
    int count = 0;
    bool bound = false;
    for (const RecordedEvent& e : recorder().events()) {
        if (e.kind == RecordedEvent::textureBind)
            bound = e.texture == heart;
        else if (e.kind == RecordedEvent::draw && bound)
            ++count;
    }
    return count;
}

// The shader bound at every draw of the log; null when draws differ or none.
const Shader* drawShader() {
    const Shader* bound = nullptr;
    std::set<const Shader*> drawn;
    for (const RecordedEvent& e : recorder().events()) {
        if (e.kind == RecordedEvent::shaderBind)
            bound = e.shader;
        else if (e.kind == RecordedEvent::draw)
            drawn.insert(bound);
    }
    return drawn.size() == 1 ? *drawn.begin() : nullptr;
}

// The draws made with a texture.
std::vector<Drawn> withTexture(const std::vector<Drawn>& drawn, const Texture* texture) {
    std::vector<Drawn> out;
    for (const Drawn& d : drawn)
        if (d.texture == texture)
            out.push_back(d);
    return out;
}

void expectPlaced(const std::vector<Drawn>& drawn, const Texture* texture, float x, float y,
                  float z, float width, float height, const char* what) {
    std::vector<Drawn> found = withTexture(drawn, texture);
    ASSERT_EQ(found.size(), 1u) << what;
    EXPECT_NEAR(found[0].x(), x, 1e-4f) << what;
    EXPECT_NEAR(found[0].y(), y, 1e-4f) << what;
    EXPECT_FLOAT_EQ(found[0].z(), z) << what;
    EXPECT_NEAR(found[0].width(), width, 1e-5f) << what;
    EXPECT_NEAR(found[0].height(), height, 1e-5f) << what;
}

} // namespace

TEST_F(ExampleTest, OnlyTheBarHitsCarsAndAFrameCostsOneLife) {
    game->mDifficulty = 3;
    startRun();
    game->mCarsList.clear();
    game->mCarsPatterns.clear();
    // yaw 0: the bar stands along y; at 90 it lies along x.
    struct Case {
        float yaw, x, y;
        bool hit;
    } cases[] = {{0, 0, 3, true}, {0, 5, 0, false}, {90, 5, 0, true}, {90, 0, 4, false}};
    for (const Case& c : cases) {
        game->mLives = 3;
        game->mLifeTimer = 2.0f;
        game->mPlayerYaw = c.yaw;
        game->mBarSprite.x() = game->mBarSprite.y() = 0.0f;
        for (Example::Car& car : game->cars)
            car.alive = false;
        placeCar(0, c.x, c.y);
        placeCar(1, c.x, -c.y); // the other end of the bar: still one life
        frame(0.01f);
        EXPECT_EQ(game->mLives, c.hit ? 2u : 3u) << c.yaw << " " << c.x;
        EXPECT_EQ(game->mLifeTimer < 2.0f, c.hit);
    }
}

TEST_F(ExampleTest, GraceAndSlowMotionFollowEveryLostLife) {
    game->mDifficulty = 3;
    startRun();
    game->mCarsList.clear();
    game->mCarsPatterns.clear();
    // Game time starts from standstill: dt x the life timer for one second.
    float before = game->temps;
    frame(0.5f);
    EXPECT_FLOAT_EQ(game->temps - before, 0.5f * 0.75f);
    frame(0.5f);
    EXPECT_FLOAT_EQ(game->temps - before, 0.5f * 0.75f + 0.5f);

    // Easy: the fourth touch ends the run; none counts in the 2 s grace.
    int touches = 0;
    unsigned int lives = game->mLives;
    std::vector<Drawn> hearts;
    for (int i = 0; i < 200 && !game->gameOver; ++i) {
        bool armed = game->mLifeTimer >= 2.0f;
        placeCar(0, game->mBarSprite.x(), game->mBarSprite.y());
        std::vector<Drawn> drawn = drawnFrame(0.25f);
        bool touched = game->mLives < lives || game->gameOver;
        EXPECT_EQ(touched, armed) << i;
        touches += touched;
        lives = game->mLives;
        if (lives == 2 && hearts.empty())
            hearts = withTexture(drawn, &game->texHeart);
    }
    EXPECT_EQ(touches, 4);
    // Two lives of three: a row from the top left corner, 60 apart.
    ASSERT_EQ(hearts.size(), 2u);
    for (int i = 0; i < 2; ++i) {
        EXPECT_FLOAT_EQ(hearts[i].x(), 80.0f + 60.0f * float(i));
        EXPECT_FLOAT_EQ(hearts[i].y(), 570.0f);
        EXPECT_FLOAT_EQ(hearts[i].width(), 55.0f);
        EXPECT_FLOAT_EQ(hearts[i].height(), 55.0f);
    }
    EXPECT_EQ(game->mLives, 0u);

    // Game over: everything stands but the keys; Space starts a new run.
    float temps = game->temps, y = game->cars[0].model.y();
    std::size_t records = game->inputRecords.size();
    frame(0.5f, {Key::Right});
    EXPECT_EQ(game->inputRecords.size(), records + 1);
    EXPECT_EQ(game->temps, temps);
    EXPECT_EQ(game->cars[0].model.y(), y);
    frame(0.1f, {Key::Space});
    EXPECT_FALSE(game->gameOver);
    EXPECT_EQ(game->mLives, 3u);
}

TEST_F(ExampleTest, HardModeEndsOnTheFirstTouchAndOnlyThePlayDrawsInFullColour) {
    const Shader* dimmed = &game->shaderGameOver;
    auto drawnFrame = [this] {
        recorder().reset();
        frame(0.01f);
        return drawShader();
    };
    game->mLifeTimer = 2.0f; // the title is dimmed whatever the life timer says
    EXPECT_EQ(drawnFrame(), dimmed);
    startRun();
    game->mCarsList.clear();
    game->mCarsPatterns.clear();
    for (Example::Car& car : game->cars)
        car.alive = false;
    EXPECT_EQ(drawnFrame(), dimmed); // the grace after the start
    game->mLifeTimer = 2.0f;
    EXPECT_EQ(drawnFrame(), &game->shader);
    placeCar(0, game->mBarSprite.x(), game->mBarSprite.y());
    EXPECT_EQ(drawnFrame(), dimmed);
    EXPECT_TRUE(game->gameOver);
}

TEST_F(ExampleTest, MultiplierBandsCompareInDoublePrecision) {
    startRun();
    game->mCarsList.clear();
    game->mCarsPatterns.clear();
    struct Case {
        float x, multiplier;
    } cases[] = {{0, 3}, {-1.05f, 3}, {0.84f, 3}, {-4.37f, 2}, {4.09f, 1}, {2, 2}, {-5, 1}};
    for (const Case& c : cases) {
        game->mTruckSprite.x() = c.x;
        frame(0.01f);
        EXPECT_EQ(game->mMultiplicateur, c.multiplier) << c.x;
    }
}

TEST_F(ExampleTest, RoadAndGrassScrollTogetherAndShortRunsKeepTheRoadOnScreen) {
    startRun();
    game->mLifeTimer = 2.0f;
    game->mCarsList.clear();
    game->mCarsPatterns.clear();
    float gap = game->mBackground.y() - game->mRaceTrack.oa.y();
    bool jumped = false;
    for (int i = 0; i < 2000; ++i) {
        float before = game->cameraY;
        frame(0.05f);
        jumped |= game->cameraY < before;
        ASSERT_GE(game->cameraY, 200.0f);
        ASSERT_LE(game->cameraY, 600.0f);
        ASSERT_NEAR(game->mBackground.y() - game->mRaceTrack.oa.y(), gap, 1e-3f);
    }
    EXPECT_TRUE(jumped);
    // 1500.9375 units since the reset (the start frame's 0.9375, slowed, then
    // 2000 x 0.75): 200 plus that passed 600 three times, each a jump of 400.
    std::vector<Drawn> drawn = drawnFrame(0.0f);
    EXPECT_FLOAT_EQ(game->cameraY, 500.9375f);
    expectPlaced(drawn, &game->texGrass, 0, 50 - 1500.9375f + 1200, -20, 200, 800, "grass");
    std::vector<Drawn> road = withTexture(drawn, &game->tex[1]);
    ASSERT_EQ(road.size(), 1u);
    EXPECT_NEAR(road[0].y(0, 0), -1500.9375f + 1200, 1e-3f);
    EXPECT_NEAR(road[0].x(0, 0), 0.0f, 1e-5f);

    // Ten runs of 20 s, each shorter than one wrap (26.7 s).
    for (int run = 0; run < 10; ++run) {
        startRun();
        for (int i = 0; i < 80; ++i) {
            frame(0.25f);
            ASSERT_LE(game->mRaceTrack.oa.y(), 0.0f);
            ASSERT_GE(game->mRaceTrack.oa.y(), -400.0f);
        }
    }
}

TEST_F(ExampleTest, SpritesLandWhereTheRunPutsThemAndMoveByTheFrame) {
    std::vector<Drawn> title = drawnFrame(0.25f);
    expectPlaced(title, &game->texTitle, 640, 360, -35, 800, 400, "title");
    EXPECT_TRUE(withTexture(title, &game->texTruck).empty());

    startRun();
    game->mLifeTimer = 2.0f;
    game->mCarsPatterns.clear();
    for (Example::Car& car : game->cars)
        car.alive = false;
    game->temps = 1.5f;
    game->mCarsList = {{-6.0f, 8.0f, 1.0f}};
    // Right held: the truck goes 10.4 a second; the bar takes the truck's
    // place before the truck moves, turned 90 degrees per second of play; a
    // car enters at the top and goes down at its speed in the same frame.
    std::vector<Drawn> drawn = drawnFrame(0.25f, {Key::Right});
    expectPlaced(drawn, &game->texTruck, 2.6f, 0, -12, 2.55f, 7, "truck");
    expectPlaced(drawn, &game->texBar, 0, 0, -11, 0.5f, 13, "bar");
    EXPECT_NEAR(withTexture(drawn, &game->texBar)[0].turn(), 135.0f, 1e-3f);
    expectPlaced(drawn, &game->texCar, -6, 16.5f - 2, -11, 2.4f, 4, "car");
    EXPECT_TRUE(withTexture(drawn, &game->texTitle).empty());
    // The play field shows 52 x 29.25 units, the screen layer 1280 x 720.
    std::vector<RecordedEvent> proj = recorder().sends("projMat");
    ASSERT_GE(proj.size(), 2u);
    EXPECT_FLOAT_EQ(proj[proj.size() - 2].values[0], 2 / 52.0f);
    EXPECT_FLOAT_EQ(proj[proj.size() - 2].values[5], 2 / 29.25f);
    EXPECT_FLOAT_EQ(proj.back().values[0], 2 / 1280.0f);
    EXPECT_FLOAT_EQ(proj.back().values[5], 2 / 720.0f);

    std::size_t second = recorder().events().size();
    drawn = drawnFrame(0.25f, {Key::Right});
    // Painted in order frame after frame: nothing is depth-tested or writes
    // depth, and the frame leaves both switched back on.
    for (const RecordedDraw& d : recorder().drawsFrom(second))
        EXPECT_FALSE(d.depthTest || d.depthMask);
    EXPECT_TRUE(recorder().events(RecordedEvent::depthTest).back().on);
    EXPECT_TRUE(recorder().events(RecordedEvent::depthMask).back().on);
    expectPlaced(drawn, &game->texTruck, 5.2f, 0, -12, 2.55f, 7, "truck");
    expectPlaced(drawn, &game->texBar, 2.6f, 0, -11, 0.5f, 13, "bar");
    EXPECT_NEAR(withTexture(drawn, &game->texBar)[0].turn(), 157.5f, 1e-3f);
    expectPlaced(drawn, &game->texCar, -6, 16.5f - 4, -11, 2.4f, 4, "car");

    // Down the whole screen, drawn where it is, and on the road to -16.5
    // itself; a step below ends it.
    for (float y = 16.5f - 6; y > -16; y -= 2)
        expectPlaced(drawnFrame(0.25f), &game->texCar, -6, y, -11, 2.4f, 4, "car going down");
    expectPlaced(drawnFrame(0.125f), &game->texCar, -6, -16.5f, -11, 2.4f, 4, "car at the end");
    EXPECT_TRUE(withTexture(drawnFrame(1 / 128.0f), &game->texCar).empty());
    EXPECT_FALSE(game->cars[0].alive);
}

TEST_F(ExampleTest, ModeKeysToggleOncePerSecondOnTheTitleAndRestartRuns) {
    // Holding F1 on the title screen: a toggle once the gate passes 1 s, that
    // is every fifth frame of 0.25 s.
    int toggles = 0;
    for (int i = 0; i < 20; ++i) {
        int before = game->mDifficulty;
        frame(0.25f, {Key::F1});
        toggles += game->mDifficulty != before;
    }
    EXPECT_EQ(toggles, 3);
    EXPECT_FALSE(game->gameStarted);
    EXPECT_EQ(game->mLives, 0u); // the title keeps the lives of init
    EXPECT_EQ(heartDraws(&game->texHeart), 0);

    // F2 on the title switches to the 70 s schedule; Space starts it.
    while (game->mResetTimer <= 1.0f)
        frame(0.25f);
    frame(0.25f, {Key::F2});
    EXPECT_EQ(game->startTime, 70.0f);
    EXPECT_FALSE(game->gameStarted);
    startRun();
    EXPECT_EQ(game->temps, 70.0f + 0.25f * 0.25f); // the run's first, slowed frame
    ASSERT_FALSE(game->mCarsList.empty());
    EXPECT_GE(game->mCarsList.front().time, 70.0f);

    // F2 during a run restarts it in the other mode, F1 in the other
    // difficulty, hearts and all.
    while (game->mResetTimer <= 1.0f)
        frame(0.25f);
    frame(0.25f, {Key::F2});
    EXPECT_EQ(game->startTime, 0.0f);
    EXPECT_LT(game->temps, 1.0f);
    while (game->mResetTimer <= 1.0f)
        frame(0.25f);
    int difficulty = game->mDifficulty;
    frame(0.25f, {Key::F1});
    EXPECT_NE(game->mDifficulty, difficulty);
    EXPECT_EQ(game->mResetTimer, 0.25f * game->mLifeTimer);
    recorder().reset();
    frame(0.01f);
    EXPECT_EQ(heartDraws(&game->texHeart), static_cast<int>(game->mLives));
    EXPECT_EQ(game->mLives, static_cast<unsigned int>(game->mDifficulty));
}

TEST_F(ExampleTest, AssetsFillTheirSlotsAndShutdownReleasesEachTextureOnce) {
    // The heart and the title keep sharp texels; the bar and the rest are
    // smoothed; all mirror.
    const RecordedSampling sharp{false, Texture::mirroredRepeat};
    EXPECT_EQ("",
              recorder().samplingMismatches({{&game->texHeart, sharp}, {&game->texTitle, sharp}}));
    // Each car slot holds its own paint: blue, yellow, red, green.
    const float paints[4][3] = {{0, 0, 1}, {1, 1, 0}, {1, 0, 0}, {0, 1, 0}};
    for (int k = 0; k < 4; ++k) {
        const std::vector<float>& paint = game->mCarModels[k].m_colors;
        ASSERT_GE(paint.size(), 3u) << k;
        for (int c = 0; c < 3; ++c)
            EXPECT_EQ(paints[k][c], std::round(paint[c])) << k;
    }
    std::vector<const Texture*> uploads;
    for (const RecordedEvent& e : recorder().events(RecordedEvent::textureUpload))
        uploads.push_back(e.texture);
    recorder().reset();
    game->shutdown();
    EXPECT_EQ(recorder().texturesUnloaded(),
              (std::vector<const Texture*>{&game->tex[0], &game->tex[1], &game->texBar,
                                           &game->texTruck, &game->texGrass, &game->texCar,
                                           &game->texHeart, &game->texTitle}));
    // Each was uploaded once, in the same order.
    EXPECT_EQ(recorder().texturesUnloaded(), uploads);
}
