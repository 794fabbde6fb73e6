#pragma once

#include "MathUtils/Vector3D.h"

// Scratch triangle of the mesh normal computation.
class Face {
public:
    Vector3D points[3];

    Face() {}
    Face(const Vector3D& a, const Vector3D& b, const Vector3D& c) : points{a, b, c} {}
};
