#pragma once

#include "MathUtils/Vector2D.h"

// Keyboard and mouse presented as a gamepad snapshot. The window procedure
// writes the mouse into the writable half whenever a message arrives; pollAll
// samples the keys and copies everything into the read half, which the games
// read and which stays fixed until the next poll.
class InputManager {
public:
    // Writable half. Only the mouse fields are written (by the window procedure).
    Vector2D mWritableLeftStick;
    Vector2D mWritableRightStick;
    Vector2D mWritableDPad;
    bool mWritableButtonA = false;
    bool mWritableButtonB = false;
    bool mWritableButtonX = false;
    bool mWritableButtonY = false;
    bool mWritableButtonL1 = false;
    bool mWritableButtonR1 = false;
    bool mWritableButtonL3 = false;
    bool mWritableButtonR3 = false;
    float mWritableButtonL2 = 0.0f;
    float mWritableButtonR2 = 0.0f;
    bool mWritableMouseLeft = false;
    // Client pixels, y counted up from the bottom edge.
    Vector2D mWritableMousePosition;

    // Read half, filled by pollAll. X, Y, L2 and R2 have no key and stay unset.
    Vector2D mLeftStick;
    Vector2D mRightStick;
    Vector2D mDPad;
    bool mButtonA = false;
    bool mButtonB = false;
    bool mButtonX = false;
    bool mButtonY = false;
    bool mButtonL1 = false;
    bool mButtonR1 = false;
    bool mButtonL3 = false;
    bool mButtonR3 = false;
    float mButtonL2 = 0.0f;
    float mButtonR2 = 0.0f;
    bool mMouseLeft = false;
    Vector2D mMousePosition;

    // Space = A, left Control = B, F1 = L1, F2 = R1, F3 = L3, F4 = R3. The arrows
    // give one x and one y in -1..1 (Left wins over Right, Up over Down), written
    // alike to the d-pad and both sticks.
    void pollAll();

    const Vector2D& leftStick() const { return mLeftStick; }
    const Vector2D& rightStick() const { return mRightStick; }
    const Vector2D& dPad() const { return mDPad; }
    const Vector2D& mousePosition() const { return mMousePosition; }
    bool buttonA() const { return mButtonA; }
    bool buttonB() const { return mButtonB; }
    bool buttonX() const { return mButtonX; }
    bool buttonY() const { return mButtonY; }
    bool buttonL1() const { return mButtonL1; }
    bool buttonR1() const { return mButtonR1; }
    bool buttonL3() const { return mButtonL3; }
    bool buttonR3() const { return mButtonR3; }
    float buttonL2() const { return mButtonL2; }
    float buttonR2() const { return mButtonR2; }
    bool mouseLeft() const { return mMouseLeft; }
};

extern InputManager inputManager;
