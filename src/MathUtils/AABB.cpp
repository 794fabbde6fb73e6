#include "MathUtils/AABB.h"

bool AABB::containsPoint(const Vector3D& point) const {
    if (!(start.x < point.x && point.x <= end.x)) {
        return false;
    }
    if (!(start.y < point.y && point.y <= end.y)) {
        return false;
    }
    return start.z < point.z && point.z <= end.z;
}
