#include "FuzzFile.h"
#include "Sarn2016Checks.h"
#include "support/Recorder.h"

// Room files read into the first room of the shipped level, with its tables.
static Sarn2016* game() {
    static Sarn2016* g = [] {
        Sarn2016* made = new Sarn2016;
        made->loadLevel("data/Sarn2016/level.json");
        return made;
    }();
    return g;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    Sarn2016& g = *game();
    std::string path = fuzzFile(data, size, ".json");
    Sarn2016::CodeTree::initPool();
    g.rooms[0].loadRoom(path.c_str(), &g.texturesDB, &g.displayablesDB, g.roomDictionary);
    for (Sarn2016::Room& room : g.rooms)
        sarn2016fuzz::checkRoom(g, room);
    return 0;
}
