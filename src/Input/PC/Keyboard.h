#pragma once

// The keys that the input snapshot reads, in the engine's own terms. Each
// platform maps them onto its key codes in its own source file.
enum class Key { Space, LeftControl, F1, F2, F3, F4, Left, Right, Up, Down };

// True while the key is down at the moment of the call (not queued: a key
// pressed and released between two calls is missed). Defined once per build:
// KeyboardWin32.cpp on Windows, a scripted sampler in the tests.
bool isKeyHeld(Key key);
