#pragma once

// Two floats, the screen and mouse type of the engine.
class Vector2D {
public:
    float x;
    float y;

    constexpr Vector2D() : x(0.0f), y(0.0f) {}
    constexpr Vector2D(float x, float y) : x(x), y(y) {}

    // No zero test: a zero vector becomes NaN.
    void normalize();
    void scalarProduct(float scalar);

    static float sqrDist(Vector2D first, Vector2D second);
    static float sqrLength(Vector2D v);
};
