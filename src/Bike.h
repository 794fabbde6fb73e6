#pragma once

class FlatObject;

// Moves one flat sprite around the play area (x in [-9, 9], y in [-14, 14])
// by the arrows, read as the left stick and the d-pad of inputManager, at one
// fixed speed. The caller polls the input before update.
class Bike {
public:
    Bike() = default;
    ~Bike() {}

    // Without a sprite nothing moves and nothing is written.
    void update(float dt);

    bool mAccelerate = false;
    bool mDecelerate = false;
    bool mTurnLeft = false;
    bool mTurnRight = false;
    // The moved sprite, not owned; its owner sets it before the first update.
    FlatObject* mBikeModel = nullptr;
    float mDirectionX = 0.0f;
    float mDirectionY = 1.0f;
    float mSpeed = 0.0f;
    float mMaxSpeed = 10.4f;
    float mMinSpeed = -1.0f;
    float mAcceleration = 20.0f;
    float mDirectionAngle = 0.0f;
    float mLeanAngle = 0.0f;
};
