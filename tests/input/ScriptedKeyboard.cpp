#include "ScriptedKeyboard.h"

static bool held[10];

void holdOnly(std::initializer_list<Key> keys) {
    for (bool& down : held) {
        down = false;
    }
    for (Key key : keys) {
        held[static_cast<int>(key)] = true;
    }
}

bool isKeyHeld(Key key) {
    return held[static_cast<int>(key)];
}
