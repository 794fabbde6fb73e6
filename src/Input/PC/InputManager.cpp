#include "Input/PC/InputManager.h"

#include "Input/PC/Keyboard.h"

InputManager inputManager;

// firstValue while first is down, its opposite while only second is down, else
// 0. The first key wins: the second is not even sampled while it is down.
static float axisFromKeys(Key first, float firstValue, Key second) {
    if (isKeyHeld(first)) {
        return firstValue;
    }
    return isKeyHeld(second) ? -firstValue : 0.0f;
}

void InputManager::pollAll() {
    mButtonA = isKeyHeld(Key::Space);
    mButtonB = isKeyHeld(Key::LeftControl);
    mButtonL1 = isKeyHeld(Key::F1);
    mButtonR1 = isKeyHeld(Key::F2);
    mButtonL3 = isKeyHeld(Key::F3);
    mButtonR3 = isKeyHeld(Key::F4);

    Vector2D axes(axisFromKeys(Key::Left, -1.0f, Key::Right),
                  axisFromKeys(Key::Up, 1.0f, Key::Down));
    mDPad = axes;
    mLeftStick = axes;
    mRightStick = axes;

    mMouseLeft = mWritableMouseLeft;
    mMousePosition = mWritableMousePosition;
}
