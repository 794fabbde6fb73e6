#include <iostream>

#include "Sarn2016.h"

std::size_t Sarn2016::CodeTree::dataCount = 0;
char* Sarn2016::CodeTree::dataPool[Sarn2016::CodeTree::poolSize];

void Sarn2016::CodeTree::initPool() {
    dataCount = 0;
}

bool Sarn2016::CodeTree::call(Sarn2016* game) {
    return code != nullptr && code(game, funcData);
}

bool Sarn2016::CodeTree::setData(void* data, std::size_t size) {
    if (data == nullptr) {
        return true;
    }
    // A size of 0 still writes one entry.
    std::size_t written = size == 0 ? 1 : size;
    if (dataCount > poolSize || written > poolSize - dataCount) {
        std::cerr << "Code tree argument pool full: " << size << " more entries after " << dataCount
                  << " of " << poolSize << " refused" << std::endl;
        return false;
    }
    char* bytes = static_cast<char*>(data);
    for (std::size_t i = 0; i < written; ++i) {
        dataPool[dataCount + i] = bytes + i;
    }
    funcData = data;
    dataCount += size;
    return true;
}

void Sarn2016::CodeTree::run(CodeTree* root, Sarn2016* game) {
    CodeTree* node = root;
    for (unsigned int step = 0; node != nullptr && step < maxSteps; ++step) {
        node = node->call(game) ? node->ifTrue : node->ifFalse;
    }
}

bool g_takeRedKey(Sarn2016* game, void*) {
    game->takeRedKey();
    return true;
}

bool g_takeGreenKey(Sarn2016* game, void*) {
    game->takeGreenKey();
    return true;
}

bool g_takeBlueKey(Sarn2016* game, void*) {
    game->takeBlueKey();
    return true;
}

bool g_takeGoldKey(Sarn2016* game, void*) {
    game->takeGoldKey();
    return true;
}

bool g_removeRedKey(Sarn2016* game, void*) {
    game->removeRedKey();
    return true;
}

bool g_removeGreenKey(Sarn2016* game, void*) {
    game->removeGreenKey();
    return true;
}

bool g_removeBlueKey(Sarn2016* game, void*) {
    game->removeBlueKey();
    return true;
}

bool g_removeGoldKey(Sarn2016* game, void*) {
    game->removeGoldKey();
    return true;
}

bool g_hasRedKey(Sarn2016* game, void*) {
    return game->swimmer.hasRedKey;
}

bool g_hasGreenKey(Sarn2016* game, void*) {
    return game->swimmer.hasGreenKey;
}

bool g_hasBlueKey(Sarn2016* game, void*) {
    return game->swimmer.hasBlueKey;
}

bool g_hasGoldKey(Sarn2016* game, void*) {
    return game->swimmer.hasGoldKey;
}

bool g_launchToggleDoor(Sarn2016*, void* data) {
    if (data == nullptr) {
        return false;
    }
    Sarn2016::Mechanism& mechanism = static_cast<Sarn2016::Door*>(data)->mechanism;
    if (mechanism.running) {
        // Turn back from where it is: the ratio the move derives stays the same.
        mechanism.end = !mechanism.end;
        mechanism.timeFromStart = mechanism.runningTime - mechanism.timeFromStart;
        mechanism.toggleExtremity();
    } else {
        mechanism.running = true;
        mechanism.timeFromStart = 0.0f;
    }
    return true;
}

bool g_toggleDoor(Sarn2016*, void* data) {
    if (data == nullptr) {
        return false;
    }
    Sarn2016::Mechanism& mechanism = static_cast<Sarn2016::Door*>(data)->mechanism;
    mechanism.end = !mechanism.end;
    mechanism.toggleExtremity();
    return true;
}

bool g_launchCameraPath(Sarn2016* game, void* data) {
    if (data == nullptr) {
        return false;
    }
    game->currentCameraPath = static_cast<Sarn2016::CameraPath*>(data);
    game->currentCameraPath->timeFromStart = 0.0f;
    return true;
}

namespace {

struct NamedCallback {
    const char* name;
    Sarn2016::CodeTree::func function;
};

const NamedCallback callbacks[] = {
    {"takeRedKey", g_takeRedKey},
    {"takeGreenKey", g_takeGreenKey},
    {"takeBlueKey", g_takeBlueKey},
    {"takeGoldKey", g_takeGoldKey},
    {"removeRedKey", g_removeRedKey},
    {"removeGreenKey", g_removeGreenKey},
    {"removeBlueKey", g_removeBlueKey},
    {"removeGoldKey", g_removeGoldKey},
    {"hasRedKey", g_hasRedKey},
    {"hasGreenKey", g_hasGreenKey},
    {"hasBlueKey", g_hasBlueKey},
    {"hasGoldKey", g_hasGoldKey},
    {"launchToggleDoor", g_launchToggleDoor},
    {"toggleDoor", g_toggleDoor},
    {"launchCameraPath", g_launchCameraPath},
};

} // namespace

Sarn2016::CodeTree::func Sarn2016::Room::StringToCodeTreeFunc(std::string name) {
    for (const NamedCallback& callback : callbacks) {
        if (name == callback.name) {
            return callback.function;
        }
    }
    // The room writer writes back whatever pointer a node holds, so an unknown
    // name must still load as a callback of the table.
    std::cerr << "Unknown code tree function \"" << name << "\": read as hasRedKey" << std::endl;
    return g_hasRedKey;
}

std::string Sarn2016::Room::codeTreeFuncToString(CodeTree::func f) {
    for (const NamedCallback& callback : callbacks) {
        if (f == callback.function) {
            return callback.name;
        }
    }
    return "unknown";
}
