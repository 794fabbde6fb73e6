// The Sarn2017 object catalogue: any file either loads or is
// refused with a line, and a loaded one can generate levels. Images load
// through the recording back end from an empty working directory (so none is
// found and each costs one failed open; give the corpus as an absolute path,
// as scripts/fuzz-all does); every random draw is 0.
#include <unistd.h>

#include <cstdlib>

#include "FuzzFile.h"
#include "Input/PC/Keyboard.h"
#include "Sarn2017.h"
#include "support/Recorder.h"

// No key is ever held: the generator is all this target runs.
bool isKeyHeld(Key) {
    return false;
}

extern "C" int LLVMFuzzerInitialize(int*, char***) {
    static char dir[] = "/tmp/pellan-fuzz-catalogue-XXXXXX";
    if (!mkdtemp(dir) || chdir(dir) != 0)
        std::abort();
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    recorder().reset();
    Sarn2017 game;
    std::string path = fuzzFile(data, size, ".json");
    if (game.loadObjectTypes(path.c_str())) {
        // Three levels: the catalogue passed the loader, so the generator
        // must neither crash nor loop on it.
        for (int level = 0; level < 3; ++level)
            game.reset();
    }
    if (!recorder().faults().empty())
        __builtin_trap();
    return 0;
}
