#include "MathUtils/Vector2D.h"

#include <cmath>

void Vector2D::normalize() {
    float length = sqrtf(x * x + y * y);
    x /= length;
    y /= length;
}

void Vector2D::scalarProduct(float scalar) {
    x *= scalar;
    y *= scalar;
}

float Vector2D::sqrDist(Vector2D first, Vector2D second) {
    float dx = first.x - second.x;
    float dy = first.y - second.y;
    return dx * dx + dy * dy;
}

float Vector2D::sqrLength(Vector2D v) {
    return v.x * v.x + v.y * v.y;
}
