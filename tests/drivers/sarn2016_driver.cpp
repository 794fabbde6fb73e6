// The underwater game in game_gl's window and frame loop (a test driver, not shipped).
#include "GameDriver.h"
#include "Sarn2016.h"

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int) {
    return runGameDriver<Sarn2016>(instance);
}
