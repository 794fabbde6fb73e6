#include "Input/PC/Keyboard.h"

#include <windows.h>

static int virtualKey(Key key) {
    switch (key) {
    case Key::Space:
        return VK_SPACE;
    case Key::LeftControl:
        return VK_LCONTROL; // the left one only, not VK_CONTROL
    case Key::F1:
        return VK_F1;
    case Key::F2:
        return VK_F2;
    case Key::F3:
        return VK_F3;
    case Key::F4:
        return VK_F4;
    case Key::Left:
        return VK_LEFT;
    case Key::Right:
        return VK_RIGHT;
    case Key::Up:
        return VK_UP;
    case Key::Down:
        return VK_DOWN;
    }
    return 0;
}

// The high bit (a negative result) means down now; the low bit, pressed since
// the previous call, is ignored.
bool isKeyHeld(Key key) {
    return GetAsyncKeyState(virtualKey(key)) < 0;
}
