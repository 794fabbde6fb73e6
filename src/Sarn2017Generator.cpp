// The level generator: it starts from an end-of-level object and keeps
// replacing the newest object by what produces it in play, so that the player
// undoes the steps in reverse.
#include "Sarn2017.h"

#include <cstdio>

#include "LevelRandom.h"

// A number from 0 to n - 1 (n > 0).
static unsigned int randomBelow(std::size_t n) {
    return static_cast<unsigned int>(levelRandom()) % static_cast<unsigned int>(n);
}

bool Sarn2017::atLeastOnePlaceFree() {
    return freeSpawnerSpot(0) >= 0;
}

bool Sarn2017::canSpawnObjectRecursively(ObjectType* type) {
    // The catalogue refuses turn-into loops without a spawner; the bound keeps
    // the walk finite whatever the types say.
    for (unsigned int steps = 0; type && steps <= objectTypeCount; ++steps) {
        if (type->canSpawnObject)
            return true;
        type = type->turnIntoOnInteract;
    }
    return false;
}

// An object that already hides something is never hidden again, which would
// lose what it holds.
bool Sarn2017::ableToSpawn(const RoomObject& object) {
    return object.objectToSpawn || canSpawnObjectRecursively(object.type);
}

// The type that clicking an object of this type over and over leaves it as:
// the first on its turn-into chain that finishes the level, as the click on
// it ends the level, or that turns no further; null when the clicks turn it
// round for ever.
static Sarn2017::ObjectType* clicksStopOn(Sarn2017::ObjectType* type, unsigned int typeCount) {
    for (unsigned int steps = 0; steps <= typeCount; ++steps) {
        if (type->finishLevelOnInteract || !type->turnIntoOnInteract)
            return type;
        type = type->turnIntoOnInteract;
    }
    return nullptr;
}

// A click turns an object before it releases what it hides, so a spawner
// releases only if the type its clicks stop on can spawn.
bool Sarn2017::releasesWhenClicked(ObjectType* spawner) {
    ObjectType* last = clicksStopOn(spawner, objectTypeCount);
    return last && last->canSpawnObject;
}

// A click on an object of this type that hides nothing takes it: one that
// finishes the level or turns into another type is never taken.
static bool clickTakes(const Sarn2017::ObjectType* type) {
    return type->takeable && !type->finishLevelOnInteract && !type->turnIntoOnInteract;
}

// Whether clicks on the owner of a combination, while it waits in the room for
// its partner, could spoil what the combination makes of the object: turn it
// round for ever, turn it into a type on which the combination no longer works
// (unless that type ends the level, or releases what the object hides), or
// take it into the inventory, where the type it makes would miss the clicks it
// still needs. That is harmless only for an object that hides nothing and that
// a click would take anyway.
bool Sarn2017::clicksSpoilCombination(ObjectType* owner, const RoomObject& object) {
    ObjectType* last = clicksStopOn(owner, objectTypeCount);
    if (!last)
        return true;
    if (last->finishLevelOnInteract || (object.objectToSpawn && last->canSpawnObject))
        return false;
    if (last != owner)
        return true;
    return owner->takeable && (object.objectToSpawn || !clickTakes(object.type));
}

int Sarn2017::freeSpot(int first) {
    for (int step = 0; step < 16; ++step) {
        int spot = (first + step) % 16;
        if (!occupiedPositions[spot])
            return spot;
    }
    return -1;
}

int Sarn2017::freeSpawnerSpot(int first) {
    for (int step = 0; step < 12; ++step) {
        int spot = (first + step) % 12;
        if (!occupiedPositions[spot] && !occupiedPositions[spot + 4])
            return spot;
    }
    return -1;
}

bool Sarn2017::addRoomObject(ObjectType* type, int spot) {
    if (roomObjectCount >= poolSize)
        return false;
    RoomObject& object = roomObjects[roomObjectCount++];
    object.type = type;
    object.positionIndex = spot;
    object.taken = false;
    object.objectToSpawn = nullptr;
    return true;
}

// Step A: the object becomes the first type that turns into it when clicked.
bool Sarn2017::reverseTurn(unsigned int index) {
    RoomObject& object = roomObjects[index];
    for (unsigned int t = 0; t < objectTypeCount; ++t) {
        if (objectTypes[t].turnIntoOnInteract != object.type)
            continue;
        object.type = &objectTypes[t];
        std::printf("Objet change en: %s\n", object.type->name.c_str());
        return true;
    }
    return false;
}

// Step B: the object becomes the first type whose combination gives it, and
// the partner of that combination joins the room as the newest object.
bool Sarn2017::reverseCombination(unsigned int index, unsigned int& currentObject) {
    // Every partner is taken in play. A partner that stays after its
    // combination holds a slot to the end of the level, and one that is used
    // up may still wait in a slot while others are taken, so each counts.
    if (!roomForOneMoreTake())
        return false;
    RoomObject& object = roomObjects[index];
    for (unsigned int t = 0; t < objectTypeCount; ++t) {
        ObjectType& owner = objectTypes[t];
        for (const Combination& combination : owner.combinations) {
            // Only what play carries out: a combination that gives this very
            // type (of two types of one name, play makes the one the pointer
            // holds), that play picks for this partner (the first naming it),
            // and whose partner a click takes, to be dropped on the object. An
            // object dragged onto a partner that stays in the room would take
            // the new type into the inventory, away from its spot.
            if (combination.turnIntoPointer != object.type ||
                &combination != owner.combinationWith(combination.otherObject))
                continue;
            ObjectType* partner = findTypeFromName(combination.otherObject.c_str());
            if (!partner || !clickTakes(partner))
                continue;
            if (clicksSpoilCombination(&owner, object))
                continue;
            int spot = freeSpot(int(randomBelow(16)));
            if (spot < 0 || !addRoomObject(partner, spot))
                return false;
            object.type = &owner;
            occupiedPositions[spot] = true;
            takesPlanned += 1;
            std::printf("Objet ajoute: %s\n", partner->name.c_str());
            currentObject += 1;
            return true;
        }
    }
    return false;
}

// Steps C and D1: the object is put inside a spawner on a spot whose spot + 4
// stays free for the release. Its former spot stays marked. False, with
// nothing drawn or changed, for a spawner whose clicks would never release it.
bool Sarn2017::hideInSpawner(unsigned int index, ObjectType* spawner) {
    if (!releasesWhenClicked(spawner))
        return false;
    // An emptied spawner that a click takes is one more object in a slot.
    bool takenOnceEmpty = clickTakes(clicksStopOn(spawner, objectTypeCount));
    if (takenOnceEmpty && !roomForOneMoreTake())
        return false;
    int spot = freeSpawnerSpot(int(randomBelow(12)));
    if (spot < 0)
        return false; // cannot happen: a pass starts only with a free pair
    RoomObject& object = roomObjects[index];
    object.objectToSpawn = object.type;
    object.type = spawner;
    object.positionIndex = spot;
    object.taken = false;
    occupiedPositions[spot] = true;
    occupiedPositions[spot + 4] = true;
    takesPlanned += takenOnceEmpty;
    std::printf("Objet ajoute: %s\n", spawner->name.c_str());
    return true;
}

void Sarn2017::reset() {
    levelNum += 1;
    for (InventorySlot& slot : inventorySlots)
        slot.object = nullptr;
    objectCount = 0;
    // A drag goes on into the new level: its object becomes pool entry 0, so
    // that no take of the new level reuses it.
    if (draggingObject) {
        objects[0].type = draggingObject->type;
        draggingObject = &objects[0];
        objectCount = 1;
    }
    takesPlanned = objectCount; // the dragged object ends in a slot too
    roomObjectCount = 0;
    for (bool& occupied : occupiedPositions)
        occupied = false;
    for (RoomObject& object : roomObjects) {
        object.taken = false;
        object.objectToSpawn = nullptr;
    }
    targetInteractions += 1;

    seedLevelRandom();
    if (endLevelTypes.empty()) {
        std::printf("Fin generation du niveau\n");
        return; // no catalogue
    }
    addRoomObject(endLevelTypes[randomBelow(endLevelTypes.size())], endSpot);
    int interactions = 1;
    unsigned int currentObject = 0;

    while (interactions < targetInteractions && atLeastOnePlaceFree()) {
        if (reverseTurn(currentObject) || reverseCombination(currentObject, currentObject)) {
            interactions += 1;
            continue;
        }
        // Without spawners nothing can be hidden.
        bool hiding = !spawnerTypes.empty();
        if (hiding) {
            ObjectType* spawner = spawnerTypes[randomBelow(spawnerTypes.size())];
            if (!canSpawnObjectRecursively(roomObjects[currentObject].type) &&
                hideInSpawner(currentObject, spawner)) {
                interactions += 1;
                continue;
            }
        }
        // Step D: work on an earlier object.
        for (unsigned int k = 0; k < currentObject; ++k) {
            RoomObject& earlier = roomObjects[k];
            bool finishes = earlier.type->finishLevelOnInteract;
            if (hiding && !ableToSpawn(earlier) && !finishes && earlier.type->takeable &&
                hideInSpawner(k, spawnerTypes[randomBelow(spawnerTypes.size())])) {
                interactions += 1;
                break;
            }
            // Only a type that leads to a container is worked back from; a
            // holder of another type is left as it is.
            if (canSpawnObjectRecursively(earlier.type) && !finishes) {
                if (reverseTurn(k)) {
                    interactions += 1;
                    break;
                }
                if (reverseCombination(k, currentObject)) {
                    interactions += 1;
                    break;
                }
            }
        }
        interactions += 1;
    }
    std::printf("Fin generation du niveau\n");
}
