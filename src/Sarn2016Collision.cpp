#include "Sarn2016Collision.h"

// The cell of a point; coordinates off the grid are clamped by gridIndex.
static int cellOf(const Vector3D& p) {
    return static_cast<int>(Sarn2016::Room::gridIndex(p.x, p.y));
}

static bool blocked(const Sarn2016::Room& room, int cell, float z) {
    if (cell < 0 || cell >= static_cast<int>(Sarn2016::Room::gridCells)) {
        return false;
    }
    const Sarn2016::Obstacle& o = room.grid[cell];
    return o.bottom <= z && z < o.top;
}

void collideWithGrid(const Sarn2016::Room& room, const Vector3D& prev, Vector3D& position) {
    const int side = static_cast<int>(Sarn2016::Room::gridSide);
    int index = cellOf(position);
    int previousIndex = cellOf(prev);

    const Sarn2016::Obstacle& here = room.grid[previousIndex];
    if ((prev.z <= here.bottom && position.z > here.bottom) ||
        (prev.z >= here.top && position.z < here.top)) {
        position.z = prev.z;
    }

    if (index != previousIndex && blocked(room, index, position.z)) {
        float leftEdge = 2.0f * static_cast<float>(previousIndex % side);
        int step = index - previousIndex;
        if (step == -1) {
            position.x = leftEdge;
        } else if (step == 1) {
            position.x = prev.x;
        } else if (step == -side || step == side) {
            position.y = prev.y;
        } else if (step == side - 1 || step == -side - 1) {
            if (blocked(room, previousIndex - 1, position.z)) {
                position.x = leftEdge;
            }
            if (blocked(room, index + 1, position.z)) {
                position.y = prev.y;
            }
        } else if (step == side + 1 || step == -side + 1) {
            if (blocked(room, previousIndex + 1, position.z)) {
                position.x = prev.x;
            }
            if (blocked(room, index - 1, position.z)) {
                position.y = prev.y;
            }
        }
    }

    const Sarn2016::Obstacle& landing = room.grid[cellOf(position)];
    if (position.z < landing.floor) {
        position.z = landing.floor;
    }
}
