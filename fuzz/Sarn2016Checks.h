#pragma once

#include "Sarn2016.h"

// What a room must hold after any load, refused or not: counts within the
// arrays, every pointer into live records of the level. A breach stops the run.
namespace sarn2016fuzz {

template <class T> bool within(const T* p, const T* first, std::size_t count) {
    for (std::size_t i = 0; i < count; ++i)
        if (p == first + i)
            return true;
    return false;
}

inline void require(bool condition) {
    if (!condition)
        __builtin_trap();
}

inline bool isDoor(Sarn2016& game, const void* p) {
    for (Sarn2016::Room& room : game.rooms)
        if (within(static_cast<const Sarn2016::Door*>(p), room.doors, Sarn2016::Room::maxDoors))
            return true;
    return false;
}

inline void checkGroup(Sarn2016::Room& room, const Sarn2016::ObjectGroup& group) {
    for (const Transform* t : group.objects) {
        bool found = false;
        for (unsigned int i = 0; i < room.staticObjectCount && !found; ++i)
            found = t == &room.staticObjects[i].transform;
        require(found);
    }
    for (const Sarn2016::ObjectGroup* child : group.children)
        checkGroup(room, *child);
}

inline void checkTree(Sarn2016::Room& room, const Sarn2016::CodeTree* root) {
    require(root == nullptr || within(root, room.codes, room.codesCount));
}

inline void checkRoom(Sarn2016& game, Sarn2016::Room& room) {
    using Room = Sarn2016::Room;
    require(room.staticObjectCount <= Room::maxStaticObjects && room.doorCount <= Room::maxDoors &&
            room.leverCount <= Room::maxLevers && room.codesCount <= Room::maxCodes &&
            room.collectibleCount <= Room::maxCollectibles &&
            room.triggerCount <= Room::maxTriggers);
    for (unsigned int i = 0; i < room.staticObjectCount; ++i)
        require(room.staticObjects[i].object && room.staticObjects[i].texture);
    for (unsigned int i = 0; i < room.codesCount; ++i) {
        const Sarn2016::CodeTree& node = room.codes[i];
        checkTree(room, node.ifTrue);
        checkTree(room, node.ifFalse);
        if (node.funcData && node.code == g_launchCameraPath)
            require(within(static_cast<const Sarn2016::CameraPath*>(node.funcData),
                           room.cameraPaths.data(), room.cameraPaths.size()));
        else if (node.funcData)
            require(isDoor(game, node.funcData));
    }
    for (unsigned int i = 0; i < room.collectibleCount; ++i) {
        const Sarn2016::Sarn2016Displayable* d = room.collectibles[i].displayable;
        require(d == nullptr || within(d, room.staticObjects, room.staticObjectCount));
        checkTree(room, room.collectibles[i].trigger.effect);
    }
    for (unsigned int i = 0; i < room.triggerCount; ++i)
        checkTree(room, room.triggers[i].effect);
    for (unsigned int i = 0; i < room.leverCount; ++i) {
        checkTree(room, room.levers[i].effect);
        for (Sarn2016::ObjectGroup& group : room.levers[i].mechanism.objectGroups) {
            checkGroup(room, group);
            group.interpolate(0.5f, Vector3D(), Quaternion());
        }
        Sarn2016::CodeTree::run(room.levers[i].effect, &game);
    }
    for (unsigned int i = 0; i < room.doorCount; ++i)
        for (Sarn2016::ObjectGroup& group : room.doors[i].mechanism.objectGroups) {
            checkGroup(room, group);
            group.interpolate(0.5f, Vector3D(), Quaternion());
        }
    for (unsigned int i = 0; i < room.triggerCount; ++i)
        Sarn2016::CodeTree::run(room.triggers[i].effect, &game);
}

} // namespace sarn2016fuzz
