#pragma once

#include "Raster.h"

#include <vector>

// Drawing in an object's own units through an affine map onto a canvas, so
// one drawing serves both the room picture and the inventory icon. Outline
// widths stay in pixels so that small icons keep readable edges.
struct Pen {
    Canvas* canvas;
    float a, b, c, d, tx, ty; // pixel = (a x + b y + tx, c x + d y + ty)
    float outlineWidth;
    Rgba outline;

    Vec2 map(Vec2 p) const;
    float scale() const;
    Pen rotated(float degrees, Vec2 pivot) const;
    Pen moved(float dx, float dy) const;
    Pen scaled(float sx, float sy, Vec2 pivot) const;
    Pen plain() const; // same map, no outline

    Paint linear(const Rgba& from, const Rgba& to, Vec2 p0, Vec2 p1) const;
    Paint radial(const Rgba& centre, const Rgba& edge, Vec2 c, float radius) const;
};

Pen makePen(Canvas& canvas, float scale, float tx, float ty, float outlineWidth,
            const Rgba& outline);

void poly(const Pen& pen, const std::vector<Vec2>& points, const Paint& paint, float round = 0.0f);
void poly(const Pen& pen, const std::vector<Vec2>& points, const Rgba& color, float round = 0.0f);
void circle(const Pen& pen, Vec2 centre, float radius, const Paint& paint);
void circle(const Pen& pen, Vec2 centre, float radius, const Rgba& color);
void ellipse(const Pen& pen, Vec2 centre, float rx, float ry, const Paint& paint);
void ellipse(const Pen& pen, Vec2 centre, float rx, float ry, const Rgba& color);
void box(const Pen& pen, float x0, float y0, float x1, float y1, const Paint& paint,
         float round = 0.0f);
void box(const Pen& pen, float x0, float y0, float x1, float y1, const Rgba& color,
         float round = 0.0f);
// Segments as point pairs; width in object units.
void strokes(const Pen& pen, const std::vector<Vec2>& segments, float width, const Rgba& color);
void line(const Pen& pen, Vec2 from, Vec2 to, float width, const Rgba& color);
// An open polyline through the points, as segments.
void polyline(const Pen& pen, const std::vector<Vec2>& points, float width, const Rgba& color);

// Points along an elliptic arc, angles in degrees, 0 = +x, 90 = +y (down).
std::vector<Vec2> arcPoints(Vec2 centre, float rx, float ry, float fromDegrees, float toDegrees,
                            int steps);
std::vector<Vec2> starPoints(Vec2 centre, float outer, float inner, int tips, float turnDegrees);
