#pragma once

// True on the frame a button goes down: the latch stays set while it is held.
inline bool pressed(bool down, bool& latch) {
    if (!down) {
        latch = false;
        return false;
    }
    if (latch)
        return false;
    latch = true;
    return true;
}
