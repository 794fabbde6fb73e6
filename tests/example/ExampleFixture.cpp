#include "ExampleFixture.h"

#include "Input/PC/InputManager.h"
#include "game/ScriptedRandom.h"
#include "input/ScriptedKeyboard.h"
#include "support/Recorder.h"

#include <cmath>

float Drawn::width() const {
    return std::hypot(mv[0], mv[1]);
}

float Drawn::height() const {
    return std::hypot(mv[4], mv[5]);
}

float Drawn::turn() const {
    return std::atan2(mv[1], mv[0]) * 57.29578f;
}

void ExampleTest::SetUp() {
    recorder().reset();
    holdOnly({});
    inputManager = InputManager();
    seedScriptedRandom(1);
    game = std::make_unique<Example>();
    testing::internal::CaptureStderr();
    bool ready = game->init();
    testing::internal::GetCapturedStderr();
    ASSERT_TRUE(ready);
    game->onResize(1280, 720);
}

void ExampleTest::TearDown() {
    inputManager = InputManager();
}

void ExampleTest::frame(float dt, std::initializer_list<Key> keys) {
    holdOnly(keys);
    game->prepare(dt);
    game->render();
}

void ExampleTest::startRun() {
    while (game->mResetTimer <= 1.0f)
        frame(0.25f);
    frame(0.25f, {Key::Space});
    ASSERT_TRUE(game->gameStarted);
    ASSERT_LT(game->mResetTimer, 0.25f); // reset in this frame
}

void ExampleTest::placeCar(int i, float x, float y) {
    Example::Car& car = game->cars[i];
    car.alive = true;
    car.speed = 0.0f;
    car.model.x() = x;
    car.model.y() = y;
}

std::vector<Drawn> ExampleTest::drawnFrame(float dt, std::initializer_list<Key> keys) {
    holdOnly(keys);
    game->prepare(dt);
    std::size_t first = recorder().events().size();
    game->render();
    std::vector<Drawn> out;
    for (const RecordedDraw& d : recorder().drawsFrom(first))
        out.push_back({d.texture, d.vertexInput, d.uniform("mvMat")});
    return out;
}
