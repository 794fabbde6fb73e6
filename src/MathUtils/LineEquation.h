#pragma once

#include "MathUtils/Vector2D.h"

// The line y = mA x + mB. Vertical lines cannot be held; the divisions below
// are unguarded and give infinities or NaNs for them (and for mA = 0 where
// they divide by mA).
class LineEquation {
public:
    float mA;
    float mB;

    LineEquation(float a, float b) : mA(a), mB(b) {}

    float getYFromX(const float& x) const;
    float getXFromY(const float& y) const;
    float getA() const { return mA; }
    float getB() const { return mB; }

    // The line through point with direction vec.
    void getEquationFromVectorAndPoint(const Vector2D& vec, const Vector2D& point);
    // Foot of the perpendicular dropped from point onto this line.
    Vector2D getOrthogonalLineIntersectionFromPoint(const Vector2D& point) const;
    // x where this line crosses le.
    float getIntersectX(const LineEquation& le) const;
};
