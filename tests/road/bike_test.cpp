#include <gtest/gtest.h>

#include "Bike.h"
#include "FlatObject.h"
#include "Input/PC/InputManager.h"
#include "input/ScriptedKeyboard.h"

namespace {

class Truck : public testing::Test {
protected:
    void SetUp() override {
        holdOnly({});
        inputManager.pollAll();
        bike.mBikeModel = &sprite;
    }
    void press(std::initializer_list<Key> keys) {
        holdOnly(keys);
        inputManager.pollAll();
    }
    FlatObject sprite;
    Bike bike;
};

TEST_F(Truck, ArrowsMoveAtTheOneSpeedPerAxis) {
    bike.update(0.5f);
    EXPECT_FLOAT_EQ(bike.mSpeed, 10.4f);
    EXPECT_FLOAT_EQ(sprite.x(), 0.0f);
    EXPECT_FLOAT_EQ(sprite.y(), 0.0f);

    press({Key::Right});
    bike.update(0.5f);
    EXPECT_FLOAT_EQ(sprite.x(), 5.2f);
    EXPECT_FLOAT_EQ(sprite.y(), 0.0f);

    // Two arrows take the stick unscaled: full speed on each axis.
    press({Key::Left, Key::Down});
    bike.update(0.25f);
    EXPECT_FLOAT_EQ(sprite.x(), 5.2f - 2.6f);
    EXPECT_FLOAT_EQ(sprite.y(), -2.6f);
}

TEST_F(Truck, StickFromAFifthOtherwiseThePadScaledOnDiagonals) {
    inputManager.mLeftStick = Vector2D(0.0f, -0.2f);
    inputManager.mDPad = Vector2D(1.0f, 0.0f);
    bike.update(1.0f);
    EXPECT_FLOAT_EQ(bike.mDirectionX, 0.0f);
    EXPECT_FLOAT_EQ(bike.mDirectionY, -0.2f);

    inputManager.mLeftStick = Vector2D(0.19f, 0.0f);
    inputManager.mDPad = Vector2D(1.0f, -1.0f);
    bike.update(1.0f);
    EXPECT_FLOAT_EQ(bike.mDirectionX, 0.707f);
    EXPECT_FLOAT_EQ(bike.mDirectionY, -0.707f);

    inputManager.mDPad = Vector2D(0.5f, 1.0f);
    bike.update(1.0f);
    EXPECT_FLOAT_EQ(bike.mDirectionX, 0.5f);
    EXPECT_FLOAT_EQ(bike.mDirectionY, 1.0f);
}

TEST_F(Truck, ClampedToTheAreaWhateverTheStepOrStart) {
    sprite.x() = 20.0f;
    sprite.y() = -30.0f;
    bike.update(0.016f);
    EXPECT_FLOAT_EQ(sprite.x(), 9.0f);
    EXPECT_FLOAT_EQ(sprite.y(), -14.0f);

    press({Key::Left, Key::Up});
    bike.update(100.0f);
    EXPECT_FLOAT_EQ(sprite.x(), -9.0f);
    EXPECT_FLOAT_EQ(sprite.y(), 14.0f);
}

TEST_F(Truck, WithoutASpriteNothingHappens) {
    Bike idle;
    press({Key::Right});
    idle.update(1.0f);
    EXPECT_FLOAT_EQ(idle.mSpeed, 0.0f);
    EXPECT_FLOAT_EQ(idle.mDirectionY, 1.0f);
}

} // namespace
