#pragma once

#include "MathUtils/Quaternion.h"
#include "MathUtils/Vector3D.h"

// Where a placed object stands: position, per-axis scale, orientation.
class Transform {
public:
    Vector3D position;
    Vector3D scale;
    Quaternion orientation;

    Transform() : position(0.0f, 0.0f, 0.0f), scale(1.0f, 1.0f, 1.0f) {}
};
