#include "MathUtils/LineEquation.h"

float LineEquation::getYFromX(const float& x) const {
    return mA * x + mB;
}

float LineEquation::getXFromY(const float& y) const {
    return (y - mB) / mA;
}

void LineEquation::getEquationFromVectorAndPoint(const Vector2D& vec, const Vector2D& point) {
    mA = vec.y * (1.0f / vec.x);
    mB = point.y - mA * point.x;
}

Vector2D LineEquation::getOrthogonalLineIntersectionFromPoint(const Vector2D& point) const {
    float inverseA = 1.0f / mA;
    float x = (point.y + inverseA * point.x - mB) / (mA + inverseA);
    return Vector2D(x, mA * x + mB);
}

float LineEquation::getIntersectX(const LineEquation& le) const {
    return (le.mB - mB) / (mA - le.mA);
}
