#include "Bike.h"

#include "FlatObject.h"
#include "Input/PC/InputManager.h"

static float clampTo(float value, float low, float high) {
    if (value < low)
        return low;
    if (value > high)
        return high;
    return value;
}

void Bike::update(float dt) {
    if (!mBikeModel)
        return;
    const Vector2D& stick = inputManager.leftStick();
    const Vector2D& pad = inputManager.dPad();
    if (stick.x >= 0.2f || stick.x <= -0.2f || stick.y >= 0.2f || stick.y <= -0.2f) {
        mDirectionX = stick.x;
        mDirectionY = stick.y;
    } else if ((pad.x > 0.5f || pad.x < -0.5f) && (pad.y > 0.5f || pad.y < -0.5f)) {
        mDirectionX = pad.x * 0.707f;
        mDirectionY = pad.y * 0.707f;
    } else {
        mDirectionX = pad.x;
        mDirectionY = pad.y;
    }
    mSpeed = mMaxSpeed;
    float& x = mBikeModel->x();
    float& y = mBikeModel->y();
    x = clampTo(x + mSpeed * dt * mDirectionX, -9.0f, 9.0f);
    y = clampTo(y + mSpeed * dt * mDirectionY, -14.0f, 14.0f);
}
