#pragma once

// The window's link to the game it runs: the first member of the game class,
// pointing back at the game. Only size changes travel this way.
struct ClientWindowEventHandler {
    void* game = nullptr;
    // Treats game as the Sarn2017 that the entry point runs.
    void onResize(int width, int height);
};
