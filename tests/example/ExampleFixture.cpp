#include "ExampleFixture.h"

#include "Input/PC/InputManager.h"
#include "game/ScriptedRandom.h"
#include "input/ScriptedKeyboard.h"
#include "support/Recorder.h"

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
