#include "Input/PC/Keyboard.h"

#include <gtest/gtest.h>

#include <windows.h>

// Presses keys through the system's input queue and reads them back through
// the sampler, so the key codes and the "down now" test are checked together.

static void send(WORD vk, bool down, DWORD flags = 0) {
    INPUT input = {};
    input.type = INPUT_KEYBOARD;
    input.ki.wVk = vk;
    input.ki.dwFlags = flags | (down ? 0 : KEYEVENTF_KEYUP);
    ASSERT_EQ(SendInput(1, &input, sizeof(INPUT)), 1u);
}

struct Mapping {
    Key key;
    WORD vk;
};

static const Mapping mappings[] = {
    {Key::Space, VK_SPACE}, {Key::LeftControl, VK_LCONTROL},
    {Key::F1, VK_F1},       {Key::F2, VK_F2},
    {Key::F3, VK_F3},       {Key::F4, VK_F4},
    {Key::Left, VK_LEFT},   {Key::Right, VK_RIGHT},
    {Key::Up, VK_UP},       {Key::Down, VK_DOWN},
};

TEST(KeyboardWin32, EachKeyReadsItsOwnCode) {
    // The key state belongs to the Wine session: a program closed by Alt+F4
    // before it saw F4 come up leaves F4 down for whoever runs next.
    for (const Mapping& m : mappings) {
        send(m.vk, false);
    }
    for (const Mapping& pressed : mappings) {
        send(pressed.vk, true);
        for (const Mapping& m : mappings) {
            EXPECT_EQ(isKeyHeld(m.key), m.key == pressed.key)
                << "pressed " << pressed.vk << ", read " << m.vk;
        }
        send(pressed.vk, false);
        EXPECT_FALSE(isKeyHeld(pressed.key)) << pressed.vk;
    }
}

TEST(KeyboardWin32, RightControlIsNotLeftControl) {
    // The right Control key is the extended one, as a real keyboard sends it.
    send(VK_RCONTROL, true, KEYEVENTF_EXTENDEDKEY);
    EXPECT_TRUE(GetAsyncKeyState(VK_CONTROL) < 0); // it really is down
    EXPECT_FALSE(isKeyHeld(Key::LeftControl));
    send(VK_RCONTROL, false, KEYEVENTF_EXTENDEDKEY);
}
