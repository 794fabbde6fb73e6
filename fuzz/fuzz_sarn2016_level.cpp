#include <filesystem>
#include <fstream>

#include "FuzzFile.h"
#include "Sarn2016Checks.h"
#include "support/Recorder.h"

// Level files beside a fixed copy of the shipped room files.
static std::string levelFolder() {
    static const std::string folder = [] {
        namespace fs = std::filesystem;
        fs::path dir = fs::path(access("/dev/shm", W_OK) == 0 ? "/dev/shm" : "/tmp") /
                       ("pellan-fuzz-level-" + std::to_string(getpid()));
        fs::create_directories(dir);
        for (const char* room : {"kelp.json", "cave.json", "wreck.json"})
            fs::copy_file(fs::path("data/Sarn2016") / room, dir / room,
                          fs::copy_options::overwrite_existing);
        return dir.string() + "/";
    }();
    return folder;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    static Sarn2016* game = new Sarn2016;
    static unsigned int runs = 0;
    // Now and then the log is emptied; the last level's buffers go first, as
    // the recorder then forgets every handle.
    if (++runs % 256 == 0) {
        game->clearLevel();
        recorder().reset();
    }
    std::string path = levelFolder() + "level.json";
    std::ofstream(path, std::ios::binary).write(reinterpret_cast<const char*>(data), size);
    game->loadLevel(path.c_str());
    for (Sarn2016::Room& room : game->rooms)
        sarn2016fuzz::checkRoom(*game, room);
    if (!recorder().faults().empty())
        __builtin_trap();
    return 0;
}
