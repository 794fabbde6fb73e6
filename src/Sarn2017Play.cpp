// One frame of play: hover, take, turn, release, finish, drag and combine.
#include "Sarn2017.h"

#include <cstdio>

#include "ButtonLatch.h"
#include "Input/PC/InputManager.h"

// Strictly inside: a point on an edge is outside.
static bool inside(const Vector2D& p, float x, float y, float width, float height) {
    return x < p.x && p.x < x + width && y < p.y && p.y < y + height;
}

int Sarn2017::slotUnderMouse() {
    for (unsigned int i = 0; i < slotCount; ++i) {
        ObjectApp& slot = mEmptySlots[i];
        if (inside(mouse, slot.x(), slot.y(), slot.scale().x, slot.scale().y))
            return int(i);
    }
    return -1;
}

int Sarn2017::roomObjectUnderMouse() {
    for (unsigned int j = 0; j < roomObjectCount; ++j) {
        const RoomObject& object = roomObjects[j];
        if (object.taken)
            continue;
        const Vector2D& spot = gridPositions[object.positionIndex];
        Texture& picture = object.type->roomTexture;
        if (inside(mouse, spot.x, spot.y, float(picture.getWidth()) * roomPictureScale,
                   float(picture.getHeight()) * roomPictureScale))
            return int(j);
    }
    return -1;
}

// The name card, at half its pixel size, with its corner at the mouse.
void Sarn2017::showDescription(ObjectType* type) {
    Texture& card = type->descriptionTexture;
    mDescriptionSprite.x() = mouse.x;
    mDescriptionSprite.y() = mouse.y;
    mDescriptionSprite.setScale(float(card.getWidth()) / 2.0f, float(card.getHeight()) / 2.0f, 1);
    mDescriptionSprite.setTexture(&card);
    mRenderDescription = true;
}

bool Sarn2017::putInFirstEmptySlot(ObjectType* type) {
    if (objectCount >= poolSize)
        return false;
    for (InventorySlot& slot : inventorySlots) {
        if (slot.object)
            continue;
        slot.object = &objects[objectCount++];
        slot.object->type = type;
        return true;
    }
    return false; // all slots full
}

bool Sarn2017::pressRoomObject(RoomObject& object) {
    ObjectType* type = object.type;
    if (type->finishLevelOnInteract) {
        reset();
        return false;
    }
    if (type->turnIntoOnInteract) {
        object.type = type->turnIntoOnInteract;
    } else if (type->canSpawnObject && object.objectToSpawn) {
        // The generator kept spot + 4 free; a spawner anywhere else keeps its object.
        int spot = object.positionIndex + 4;
        if (spot < int(spotCount) && addRoomObject(object.objectToSpawn, spot))
            object.objectToSpawn = nullptr;
    } else if (type->takeable && putInFirstEmptySlot(type)) {
        object.taken = true;
    }
    return true;
}

void Sarn2017::dropDraggedObject() {
    Object* dragged = draggingObject;
    draggingObject = nullptr;
    InventorySlot& back = inventorySlots[draggingFromSlot];

    int slot = slotUnderMouse();
    if (slot >= 0) {
        Object* target = inventorySlots[slot].object;
        if (!target) {
            inventorySlots[slot].object = dragged;
            return;
        }
        // The target's list first: when both name each other, the target wins.
        if (const Combination* combination = target->type->combinationWith(dragged->type->name)) {
            if (!combination->destroy)
                back.object = dragged;
            target->type = combination->turnIntoPointer;
            return;
        }
        if (const Combination* combination = dragged->type->combinationWith(target->type->name)) {
            if (combination->destroy)
                inventorySlots[slot].object = dragged; // the target is used up
            else
                back.object = dragged;
            dragged->type = combination->turnIntoPointer;
            return;
        }
        back.object = dragged;
        return;
    }

    int index = roomObjectUnderMouse();
    if (index >= 0) {
        RoomObject& target = roomObjects[index];
        if (const Combination* combination = target.type->combinationWith(dragged->type->name)) {
            if (!combination->destroy)
                back.object = dragged;
            target.type = combination->turnIntoPointer;
            return;
        }
        // The room object stays whatever the combination says.
        if (const Combination* combination = dragged->type->combinationWith(target.type->name))
            dragged->type = combination->turnIntoPointer;
    }
    back.object = dragged;
}

void Sarn2017::prepare(float dt) {
    inputManager.pollAll();
    pressed(inputManager.buttonR1(), R1);
    pressed(inputManager.buttonL1(), L1);
    if (pressed(inputManager.buttonR3(), R3))
        reset();
    pressed(inputManager.buttonL3(), L3);
    pressed(inputManager.buttonA(), BUTTON_A);

    mRenderDescription = false;
    mouse = Vector2D(inputManager.mousePosition().x / screenWidthRatio,
                     inputManager.mousePosition().y / screenHeightRatio);

    int slot = slotUnderMouse();
    if (slot >= 0) {
        std::printf("Mouse inside slot %d\n", slot);
        if (inventorySlots[slot].object)
            showDescription(inventorySlots[slot].object->type);
    }
    int roomIndex = roomObjectUnderMouse();
    if (roomIndex >= 0)
        showDescription(roomObjects[roomIndex].type);

    bool down = inputManager.mouseLeft();
    if (down && !mouseLeft) {
        mouseLeft = true;
        if (slot >= 0 && inventorySlots[slot].object) {
            draggingObject = inventorySlots[slot].object;
            inventorySlots[slot].object = nullptr;
            draggingFromSlot = slot;
        }
        if (roomIndex >= 0 && !pressRoomObject(roomObjects[roomIndex]))
            return; // the level is finished; the next one has started
    } else if (!down && mouseLeft) {
        mouseLeft = false;
        if (draggingObject)
            dropDraggedObject();
    }

    mScore += dt * 15.0f;
    temps += dt;
    mResetTimer += dt;
}
