#pragma once

#include <cstdint>
#include <vector>

// Pixel-level drawing for the data tool: anti-aliased shapes through signed
// distances, composited in premultiplied float so that edges blend the same
// way whatever order the tool draws in.

struct Vec2 {
    float x, y;
};

// Straight (not premultiplied) colour, each channel 0 to 1.
struct Rgba {
    float r, g, b, a;
};

Rgba hexColor(unsigned int rgb, float alpha = 1.0f);
Rgba mix(const Rgba& from, const Rgba& to, float t);

class Canvas {
public:
    Canvas(int width, int height);

    // Source-over of a straight colour whose alpha is scaled by coverage.
    void blend(int x, int y, const Rgba& color, float coverage);
    Rgba straightAt(int x, int y) const;
    // 8-bit straight RGBA, top row first. Fully transparent pixels get the
    // matte colour so that filtering at the edges pulls in that colour.
    std::vector<std::uint8_t> toRgba8(const Rgba& matte) const;

    int width;
    int height;
    std::vector<float> pixels; // premultiplied r, g, b, a per pixel
};

enum class PaintKind { solid, linear, radial };

// Colour at a pixel-space point: flat, along p0 -> p1, or outwards from p0.
struct Paint {
    PaintKind kind;
    Rgba from, to;
    Vec2 p0, p1;
    float radius;
};

Paint solidPaint(const Rgba& color);
Rgba paintAt(const Paint& paint, float x, float y);

enum class ShapeKind { polygon, circle, strokes };

// polygon: closed outline in points, grown by radius (rounded corners).
// circle: centre and radius.
// strokes: segments as pairs of points, radius = half the stroke width.
struct Shape {
    ShapeKind kind;
    std::vector<Vec2> points;
    Vec2 centre;
    float radius;
};

// Signed distance in pixels, negative inside.
float distanceTo(const Shape& shape, float x, float y);

// Fills the shape; with outlineWidth > 0 the outer band of that width takes
// the outline colour instead of the paint.
void fillShape(Canvas& canvas, const Shape& shape, const Paint& paint, float outlineWidth,
               const Rgba& outline);
