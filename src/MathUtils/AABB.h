#pragma once

#include "MathUtils/Vector3D.h"

// Axis-aligned box. Membership is half-open: strict at start, inclusive at end,
// so boxes that share a face never both claim a point on it.
class AABB {
public:
    Vector3D start;
    Vector3D end;

    AABB() : start(0.0f, 0.0f, 0.0f), end(1.0f, 1.0f, 1.0f) {}
    AABB(Vector3D start, Vector3D end) : start(start), end(end) {}

    // False for a NaN coordinate.
    bool containsPoint(const Vector3D& point) const;
};
