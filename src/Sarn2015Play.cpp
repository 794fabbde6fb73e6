#include "Sarn2015.h"

#include "ButtonLatch.h"
#include "Input/PC/InputManager.h"

namespace {

float clampTo(float value, float low, float high) {
    return value < low ? low : (value > high ? high : value);
}

// The stick when exactly one of its axes is deflected by at least 0.2,
// otherwise the pad, slowed on diagonals.
Vector2D direction() {
    Vector2D stick = inputManager.leftStick();
    bool alongX = stick.x * stick.x >= 0.04f;
    bool alongY = stick.y * stick.y >= 0.04f;
    if (alongX != alongY)
        return stick;
    Vector2D pad = inputManager.dPad();
    bool diagonal = (pad.x > 0.5f || pad.x < -0.5f) && (pad.y > 0.5f || pad.y < -0.5f);
    return diagonal ? Vector2D(pad.x * 0.707f, pad.y * 0.707f) : pad;
}

} // namespace

void Sarn2015::prepare(float dt) {
    inputManager.pollAll();
    float nudge = 0.0f;
    if (pressed(inputManager.buttonR1(), R1))
        projMode = !projMode;
    pressed(inputManager.buttonL1(), L1);
    if (pressed(inputManager.buttonR3(), R3))
        nudge = 1.0f;
    if (pressed(inputManager.buttonL3(), L3))
        nudge = -1.0f;
    if (pressed(inputManager.buttonA(), BUTTON_A))
        moveMode = (moveMode + 1) % 3;

    // The dodge game's counters run on unseen.
    temps += dt;
    mResetTimer += dt;
    distance += 15.0f * dt;
    mScore += 15.0f * dt * mMultiplicateur;
    mPlayerYaw = temps * 90.0f;
    mBarSprite.x() = mTruckSprite.x();
    mBarSprite.y() = mTruckSprite.y();
    mBarSprite.addYaw(mPlayerYaw);
    mBarSprite.prepare();

    Vector2D dir = direction();
    const float speed = 10.0f;
    mTruckSprite.x() += speed * dt * dir.x;
    mTruckSprite.y() += speed * dt * dir.y;

    switch (moveMode) {
    case 0:
        pos.x = clampTo(pos.x + speed * dt * dir.x, -25.0f, 25.0f);
        pos.y = clampTo(pos.y + speed * dt * dir.y, -25.0f, 25.0f);
        break;
    case 1:
        angleScreen.x += dt * dir.x;
        angleScreen.y += dt * dir.y;
        screen += Vector3D(speed * dt * dir.x, speed * dt * dir.y, speed * dt * nudge);
        break;
    default:
        terrainRay += speed * dt * dir.y;
        if (terrainRay < 0.0f)
            terrainRay = 0.0f;
        break;
    }
}
