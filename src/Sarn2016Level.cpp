// The level file: rooms, textures and displayables, then every room file.
#include <set>
#include <string>

#include "DataFile.h"
#include "Sarn2016.h"

namespace {

Texture::TextureRepeatMode wrapModeOf(const std::string& name) {
    if (name == "repeat")
        return Texture::repeat;
    if (name == "clampToEdge")
        return Texture::clampToEdge;
    if (name == "clampToBorder")
        return Texture::clampToBorder;
    return Texture::mirroredRepeat;
}

struct TextureEntry {
    std::string path, wrapMode;
    bool smooth = true;
};

struct DisplayableEntry {
    std::string name, modelPath, texturePath;
    float x = 0, y = 0, z = 0, scaleX = 1, scaleY = 1, scaleZ = 1;
};

// The level object read and checked whole before anything of the game changes.
struct LevelFile {
    std::vector<std::string> rooms;
    std::vector<TextureEntry> textures;
    std::vector<DisplayableEntry> displayables;

    bool read(const rapidjson::Value& root, std::string& reason) {
        const rapidjson::Value* level = getObject(root, "level");
        if (!level) {
            reason = "no \"level\" object";
            return false;
        }
        const rapidjson::Value* roomList = getArray(*level, "rooms");
        const rapidjson::Value* textureList = getArray(*level, "textures");
        const rapidjson::Value* displayableList = getArray(*level, "displayables");
        if (!roomList || !textureList || !displayableList) {
            reason = "\"rooms\", \"textures\" and \"displayables\" must be arrays";
            return false;
        }
        if (roomList->Size() > Sarn2016::roomSlots) {
            reason = "more than 10 rooms";
            return false;
        }
        for (const rapidjson::Value& name : roomList->GetArray()) {
            if (!name.IsString()) {
                reason = "a room name is not a string";
                return false;
            }
            rooms.emplace_back(name.GetString(), name.GetStringLength());
            for (std::size_t i = 0; i + 1 < rooms.size(); ++i) {
                if (rooms[i] == rooms.back()) {
                    reason = "room \"" + rooms.back() + "\" listed twice";
                    return false;
                }
            }
        }
        std::set<std::string> texturePaths;
        for (const rapidjson::Value& entry : textureList->GetArray()) {
            TextureEntry t;
            if (!getString(entry, "path", t.path) || !getBool(entry, "smooth", t.smooth) ||
                !getString(entry, "wrapMode", t.wrapMode)) {
                reason = "texture " + std::to_string(textures.size()) +
                         ": needs \"path\", \"smooth\" and \"wrapMode\"";
                return false;
            }
            texturePaths.insert(t.path);
            textures.push_back(t);
        }
        for (const rapidjson::Value& entry : displayableList->GetArray()) {
            DisplayableEntry d;
            if (!getString(entry, "name", d.name) || !getString(entry, "modelPath", d.modelPath) ||
                !getString(entry, "texturePath", d.texturePath) || !getFloat(entry, "x", d.x) ||
                !getFloat(entry, "y", d.y) || !getFloat(entry, "z", d.z) ||
                !getFloat(entry, "scaleX", d.scaleX) || !getFloat(entry, "scaleY", d.scaleY) ||
                !getFloat(entry, "scaleZ", d.scaleZ)) {
                reason = "displayable " + std::to_string(displayables.size()) +
                         ": needs \"name\", \"modelPath\", \"texturePath\", position and scale";
                return false;
            }
            if (texturePaths.count(d.texturePath) == 0) {
                reason =
                    "displayable \"" + d.name + "\": unknown texture \"" + d.texturePath + "\"";
                return false;
            }
            displayables.push_back(d);
        }
        return true;
    }
};

// Which door of which room a pointer names; false when it is no door slot.
bool findDoor(Sarn2016& game, const void* p, Sarn2016::Room*& room, unsigned int& index) {
    for (Sarn2016::Room& r : game.rooms) {
        for (unsigned int i = 0; i < Sarn2016::Room::maxDoors; ++i) {
            if (p == &r.doors[i]) {
                room = &r;
                index = i;
                return true;
            }
        }
    }
    return false;
}

// What one room can only learn once every room is read: the doors its
// toggleDoor nodes name in other rooms. (An arrival outside the target's bounds
// needs no check: the next step of play holds the swimmer inside them.)
bool checkAcrossRooms(Sarn2016& game, const std::string& roomName, Sarn2016::Room& room,
                      std::string& reason) {
    for (unsigned int c = 0; c < room.codesCount; ++c) {
        const Sarn2016::CodeTree& node = room.codes[c];
        Sarn2016::Room* target = nullptr;
        unsigned int index = 0;
        if (node.code == g_toggleDoor && node.funcData &&
            (!findDoor(game, node.funcData, target, index) || index >= target->doorCount)) {
            reason = "room \"" + roomName + "\": toggleDoor names door " + std::to_string(index) +
                     " of a room with fewer doors";
            return false;
        }
    }
    return true;
}

} // namespace

// The arrays and tables of the last load; rooms still pointing into them must
// be reset or reloaded before they are used again.
static void freeLevelTables(Sarn2016& game) {
    game.texturesDB.clear();
    game.displayablesDB.clear();
    game.modelsDB.clear();
    game.roomDictionary.clear();
    game.currentRoom = &game.rooms[0];
    game.currentCameraPath = nullptr; // the paths it pointed into are gone
    delete[] game.displayables;
    game.displayables = nullptr;
    delete[] game.models;
    game.models = nullptr;
    game.modelCount = 0;
    for (unsigned int i = 0; i < game.textureCount; ++i) {
        game.textures[i].unloadFromGPU();
    }
    delete[] game.textures;
    game.textures = nullptr;
    game.textureCount = 0;
}

void Sarn2016::clearLevel() {
    freeLevelTables(*this);
    for (Room& room : rooms) {
        room.roomDefault(0.0f, 100.0f, 0.0f, 100.0f);
    }
}

bool Sarn2016::loadLevel(const char* fileName) {
    CodeTree::initPool();
    rapidjson::Document doc;
    LevelFile level;
    std::string reason;
    if (!parseJsonFile(fileName, doc, JsonEnd::stopAfterRoot)) {
        clearLevel();
        return false;
    }
    if (!level.read(doc, reason)) {
        clearLevel();
        return dataFileError(fileName, reason);
    }
    // Rooms point into the old tables: the named ones are read again below,
    // the others are emptied when they hold anything.
    freeLevelTables(*this);
    for (std::size_t i = level.rooms.size(); i < roomSlots; ++i) {
        Room& room = rooms[i];
        if (room.staticObjectCount + room.doorCount + room.leverCount + room.codesCount +
                room.collectibleCount + room.triggerCount + room.cameraPaths.size() !=
            0) {
            room.roomDefault(0.0f, 100.0f, 0.0f, 100.0f);
        }
    }

    for (std::size_t i = 0; i < level.rooms.size(); ++i) {
        roomDictionary.emplace(level.rooms[i], &rooms[i]);
    }

    textureCount = static_cast<unsigned int>(level.textures.size());
    textures = new Texture[textureCount];
    for (unsigned int i = 0; i < textureCount; ++i) {
        const TextureEntry& entry = level.textures[i];
        Texture& texture = textures[i];
        texture.load(entry.path.c_str());
        texture.loadToGPU();
        texture.deletePixels();
        texture.smooth(entry.smooth);
        texture.setWrapMode(wrapModeOf(entry.wrapMode));
        texturesDB.emplace(entry.path, &texture);
    }

    std::set<std::string> modelPaths;
    for (const DisplayableEntry& entry : level.displayables) {
        modelPaths.insert(entry.modelPath);
    }
    displayables = new ObjectApp[level.displayables.size()];
    modelCount = static_cast<unsigned int>(modelPaths.size());
    models = new Object3D[modelCount];
    unsigned int k = 0;
    for (const std::string& path : modelPaths) {
        models[k].load(path);
        models[k].genBuffers();
        modelsDB.emplace(path, &models[k]);
        ++k;
    }
    for (std::size_t i = 0; i < level.displayables.size(); ++i) {
        const DisplayableEntry& entry = level.displayables[i];
        ObjectApp& displayable = displayables[i];
        displayable.init(entry.x, entry.y, entry.z, modelsDB[entry.modelPath],
                         texturesDB[entry.texturePath]);
        displayable.setScale(entry.scaleX, entry.scaleY, entry.scaleZ);
        displayablesDB.emplace(entry.name, &displayable);
    }

    std::string path = fileName;
    std::string levelDirectory = path.substr(0, path.find_last_of('/') + 1);
    for (auto& named : roomDictionary) {
        std::string roomPath = levelDirectory + named.first;
        if (!named.second->loadRoom(roomPath.c_str(), &texturesDB, &displayablesDB,
                                    roomDictionary)) {
            std::string refused = "room \"" + named.first + "\" refused";
            clearLevel();
            return dataFileError(fileName, refused);
        }
    }
    for (auto& named : roomDictionary) {
        if (!checkAcrossRooms(*this, named.first, *named.second, reason)) {
            clearLevel();
            return dataFileError(fileName, reason);
        }
    }
    currentRoom = &rooms[0];
    return true;
}
