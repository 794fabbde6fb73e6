// A frame of play: stages in a fixed order, each reading what the one before
// left behind.
#include <cmath>

#include "ButtonLatch.h"
#include "Input/PC/InputManager.h"
#include "Sarn2016.h"
#include "Sarn2016/Editor.h"
#include "Sarn2016Camera.h"
#include "Sarn2016Collision.h"

static void swaySeaweed(Sarn2016::Room& room, float dt) {
    for (Sarn2016::Seaweed& tree : room.trees) {
        float* phase[3] = {&tree.startTime.x, &tree.startTime.y, &tree.startTime.z};
        float* way[3] = {&tree.startDirection.x, &tree.startDirection.y, &tree.startDirection.z};
        const float speed[3] = {tree.speed.x, tree.speed.y, tree.speed.z};
        for (int a = 0; a < 3; ++a) {
            *phase[a] += *way[a] * dt * speed[a];
            if (*phase[a] >= 1.0f) {
                *phase[a] = 1.0f;
                *way[a] = -1.0f;
            } else if (*phase[a] <= -1.0f) {
                *phase[a] = -1.0f;
                *way[a] = 1.0f;
            }
        }
    }
}

// Advances a running mechanism; true on the frame its run ends (end flipped,
// parts snapped to it).
static bool advanceMechanism(Sarn2016::Mechanism& m, float dt) {
    m.timeFromStart += dt;
    if (m.timeFromStart > m.runningTime) {
        m.running = false;
        m.end = !m.end;
        m.toggleExtremity();
        return true;
    }
    float r = m.timeFromStart / m.runningTime;
    if (m.end) {
        r = 1.0f - r;
    }
    for (Sarn2016::ObjectGroup& group : m.objectGroups) {
        group.interpolate(r, m.position, m.orientation);
    }
    return false;
}

void Sarn2016::prepare(float dt) {
    Room& room = *currentRoom;
    swaySeaweed(room, dt);

    if (room.transiting) {
        room.transitingTime += dt;
        if (room.transitingTime > roomTransitingTime) {
            room.transiting = false;
            room.transitingTime = 0.0f;
            room.entryTransition = true;
            // A fade with no door to go through (a hand-made state) stays here.
            const Door* door = room.doorTaken;
            if (door != nullptr && door->room != nullptr) {
                swimmer.position.x = door->playerPosition.x;
                swimmer.position.y = door->playerPosition.y;
                currentRoom = door->room;
                if (editor != nullptr) {
                    editor->dropSelection();
                }
                updateTopBorderMesh();
                updateBottomBorderMesh();
            }
        }
        return;
    }
    if (room.entryTransition) {
        room.transitingTime += dt;
        if (room.transitingTime > roomTransitingTime) {
            room.entryTransition = false;
        }
    }
    if (tutoTime < tutoTotalTime) {
        tutoTime += dt;
    }

    inputManager.pollAll();
    pressed(inputManager.buttonR1(), R1);
    if (pressed(inputManager.buttonL1(), L1)) {
        tutoTime = 0.0f;
    }
    if (pressed(inputManager.buttonR3(), R3)) {
        reset();
    }
    pressed(inputManager.buttonL3(), L3);
    if (inputManager.buttonA() && !BUTTON_A) {
        BUTTON_A = true;
    } else if (!inputManager.buttonA() && BUTTON_A) {
        BUTTON_A = false;
        swimmer.immobileSpeed = swimmer.speed;
        swimmer.speed = 0.0f;
        swimmer.lastSwimmingDirection = swimmer.direction;
        swimmer.lastSwimmingDirection.normalize();
    }
    // reset reloads the rooms: everything below reads the current one afresh.
    Room& here = *currentRoom;

    if (BUTTON_A) {
        swimmer.speed += dt * swimmer.decelerationTime * 10.0f;
        if (swimmer.speed >= 12.0f) {
            swimmer.speed = 12.0f;
        }
    } else if (pos.y != 0.0f && (swimmer.position.z >= 0.0f || swimmer.position.z <= -20.0f)) {
        // Level out at the surface and the bottom, the short way round.
        float step = 150.0f * dt;
        if (pos.y > 0.0f && pos.y <= 180.0f) {
            pos.y = pos.y - step <= 0.0f ? 0.0f : pos.y - step;
        } else if (pos.y > 180.0f && pos.y <= 360.0f) {
            pos.y = pos.y + step >= 360.0f ? 0.0f : pos.y + step;
        }
        swimmer.pitch = pos.y;
    }
    swimmer.immobileSpeed -= dt * (1.0f / swimmer.decelerationTime) * 10.0f;
    if (swimmer.immobileSpeed < 0.0f) {
        swimmer.immobileSpeed = 0.0f;
    }

    if (pressed(inputManager.buttonB(), BUTTON_B)) {
        for (unsigned int i = 0; i < here.leverCount; ++i) {
            Mechanism& m = here.levers[i].mechanism;
            if (!m.running &&
                here.levers[i].interactionArea.containsPoint(swimmer.position - m.position)) {
                m.running = true;
                m.timeFromStart = 0.0f;
            }
        }
    }

    if (editor != nullptr) { // prepare may run before init
        editor->update(monde, cameraPosition, currentRoom);
    }
    temps += dt;

    float dirX = 0.0f, dirY = 0.0f;
    const Vector2D& stick = inputManager.leftStick();
    const Vector2D& pad = inputManager.dPad();
    const float deadZone = 0.04f, diagonal = 0.707f;
    if ((stick.x * stick.x >= deadZone) != (stick.y * stick.y >= deadZone)) {
        dirX = stick.x;
        dirY = stick.y;
    } else if ((pad.x < -0.5f || pad.x > 0.5f) && (pad.y < -0.5f || pad.y > 0.5f)) {
        dirX = pad.x * diagonal;
        dirY = pad.y * diagonal;
    } else {
        dirX = pad.x;
        dirY = pad.y;
    }

    const Vector3D prev = swimmer.position;
    swimmer.previousPosition = prev;
    pos.x += dt * dirX;
    pos.y += dt * dirY * 150.0f;
    swimmer.flotationTime += dt;

    Vector3D drift = swimmer.lastSwimmingDirection * (swimmer.immobileSpeed * dt);
    if (BUTTON_A) {
        swimmer.direction = swimmerHeading(swimmer.yaw, swimmer.pitch) * (dt * swimmer.speed);
        if (swimmer.immobileSpeed > 0.0f) {
            swimmer.direction += drift;
        }
    } else {
        swimmer.direction = drift;
    }
    Vector3D& p = swimmer.position;
    p += swimmer.direction;
    p.z = p.z > 0.0f ? 0.0f : (p.z < -20.0f ? -20.0f : p.z);
    if (p.x < here.left + 1.0f) {
        p.x = here.left + 1.0f;
    } else if (p.x > here.right - 1.0f) {
        p.x = here.right - 1.0f;
    }
    if (p.y < here.bottom + 1.0f) {
        p.y = here.bottom + 1.0f;
    } else if (p.y > here.top - 1.0f) {
        p.y = here.top - 1.0f;
    }

    // fmod instead of adding 360 turn by turn: a huge heading cannot stall.
    float yaw = -pos.x * 150.0f;
    if (yaw < 0.0f || yaw > 360.0f) {
        yaw = std::fmod(yaw, 360.0f);
        if (yaw < 0.0f) {
            yaw += 360.0f;
        }
    }
    swimmer.yaw = yaw;
    swimmer.model.addYaw(yaw);
    if (pos.y < 0.0f) {
        pos.y += 360.0f;
    } else if (pos.y > 360.0f) {
        pos.y -= 360.0f;
    }
    swimmer.pitch = pos.y;
    swimmer.model.addPitch(pos.y);

    collideWithGrid(here, prev, p);

    for (unsigned int i = 0; i < here.collectibleCount; ++i) {
        Collectible& key = here.collectibles[i];
        if (key.collected) {
            continue;
        }
        // A key shown by nothing is where its trigger is.
        Vector3D at = key.displayable ? key.displayable->position() : key.trigger.position;
        if (key.trigger.box.containsPoint(p - at)) {
            key.collected = true;
            CodeTree::run(key.trigger.effect, this);
        }
    }
    for (unsigned int i = 0; i < here.triggerCount; ++i) {
        Trigger& t = here.triggers[i];
        if (t.box.containsPoint(p - t.position) &&
            !t.box.containsPoint(swimmer.previousPosition - t.position)) {
            CodeTree::run(t.effect, this);
        }
    }

    for (unsigned int i = 0; i < here.leverCount; ++i) {
        Lever& lever = here.levers[i];
        if (lever.mechanism.running && advanceMechanism(lever.mechanism, dt)) {
            here.updateCollisionGrid();
            CodeTree::run(lever.effect, this);
        }
    }
    for (unsigned int i = 0; i < here.doorCount; ++i) {
        Door& door = here.doors[i];
        Mechanism& m = door.mechanism;
        // A door that leads nowhere is never taken.
        if (m.end && !m.running && door.room != nullptr && door.roomChangeArea.containsPoint(p)) {
            here.doorTaken = &door;
            here.transiting = true;
            here.transitingTime = 0.0f;
        } else if (m.running && advanceMechanism(m, dt)) {
            here.updateCollisionGrid();
        }
    }

    if (currentCameraPath != nullptr) {
        currentCameraPath->timeFromStart += dt;
        if (currentCameraPath->timeFromStart > currentCameraPath->duration) {
            currentCameraPath = nullptr;
        }
    }
}
