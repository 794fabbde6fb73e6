// CPU time of one frame of Sarn2017 (prepare + render) over the recording back
// end, per frame and per sprite drawn. Run by `./x bench` from a Release build;
// figures go to stderr (the game's console lines go to stdout).
#include <cstdio>
#include <ctime>

#include "Input/PC/InputManager.h"
#include "Sarn2017.h"
#include "support/Recorder.h"

static double cpuSeconds() {
    timespec t;
    clock_gettime(CLOCK_PROCESS_CPUTIME_ID, &t);
    return double(t.tv_sec) + double(t.tv_nsec) * 1e-9;
}

// Runs frames of the game as it stands and reports them.
static void measure(Sarn2017& game, const char* what, int frames) {
    std::size_t drawsBefore = recorder().draws().size();
    double start = cpuSeconds();
    for (int i = 0; i < frames; ++i) {
        game.prepare(0.012f);
        game.render();
    }
    double seconds = cpuSeconds() - start;
    double sprites = double(recorder().draws().size() - drawsBefore) / frames;
    std::fprintf(stderr, "%-44s %8.2f us a frame, %4.0f sprites, %6.3f us a sprite\n", what,
                 seconds / frames * 1e6, sprites, seconds / frames * 1e6 / sprites);
}

int main() {
    Sarn2017 game;
    if (!game.init())
        return 1;
    game.onResize(1280, 720);
    const int frames = 2000;

    // The first level as it comes, the mouse over the room.
    inputManager.mWritableMousePosition = Vector2D(1100, 600);
    measure(game, "level 1, mouse over the room", frames);

    // A full screen: 17 room objects, 12 inventory objects, a name card
    // under the mouse (over a slot, so the slot line is printed) and a drag.
    game.roomObjectCount = 0;
    for (int spot = 0; spot < 17; ++spot) {
        Sarn2017::RoomObject& object = game.roomObjects[game.roomObjectCount++];
        object.type = &game.objectTypes[unsigned(spot) % game.objectTypeCount];
        object.positionIndex = spot;
        object.taken = false;
    }
    game.objectCount = 0;
    for (Sarn2017::InventorySlot& slot : game.inventorySlots) {
        slot.object = &game.objects[game.objectCount++];
        slot.object->type = game.findTypeFromName("key");
    }
    inputManager.mWritableMousePosition = Vector2D(80, 60);
    inputManager.mWritableMouseLeft = true;
    game.prepare(0.012f); // lifts the object of slot 0
    game.levelNum = 123;
    measure(game, "full screen, dragging, name card, level 123", frames);
    return 0;
}
