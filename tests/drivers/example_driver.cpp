// The dodge game in game_gl's window and frame loop (a test driver, not shipped).
#include "GameDriver.h"
#include "example.h"

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int) {
    return runGameDriver<Example>(instance);
}
