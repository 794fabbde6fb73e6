#include "Pen.h"

#include <cmath>

static const float degreesToRadians = 3.14159265f / 180.0f;

Pen makePen(Canvas& canvas, float scale, float tx, float ty, float outlineWidth,
            const Rgba& outline) {
    return {&canvas, scale, 0.0f, 0.0f, scale, tx, ty, outlineWidth, outline};
}

Vec2 Pen::map(Vec2 p) const {
    return {a * p.x + b * p.y + tx, c * p.x + d * p.y + ty};
}

float Pen::scale() const {
    return std::sqrt(std::fabs(a * d - b * c));
}

Pen Pen::rotated(float degrees, Vec2 pivot) const {
    float cs = std::cos(degrees * degreesToRadians);
    float sn = std::sin(degrees * degreesToRadians);
    // local -> rotated about pivot -> this map
    Pen out = *this;
    out.a = a * cs + b * sn;
    out.b = -a * sn + b * cs;
    out.c = c * cs + d * sn;
    out.d = -c * sn + d * cs;
    Vec2 shift = {pivot.x - (cs * pivot.x - sn * pivot.y), pivot.y - (sn * pivot.x + cs * pivot.y)};
    out.tx = a * shift.x + b * shift.y + tx;
    out.ty = c * shift.x + d * shift.y + ty;
    return out;
}

Pen Pen::moved(float dx, float dy) const {
    Pen out = *this;
    out.tx = a * dx + b * dy + tx;
    out.ty = c * dx + d * dy + ty;
    return out;
}

Pen Pen::scaled(float sx, float sy, Vec2 pivot) const {
    Pen out = *this;
    out.a = a * sx;
    out.b = b * sy;
    out.c = c * sx;
    out.d = d * sy;
    Vec2 shift = {pivot.x - sx * pivot.x, pivot.y - sy * pivot.y};
    out.tx = a * shift.x + b * shift.y + tx;
    out.ty = c * shift.x + d * shift.y + ty;
    return out;
}

Pen Pen::plain() const {
    Pen out = *this;
    out.outlineWidth = 0.0f;
    return out;
}

Paint Pen::linear(const Rgba& from, const Rgba& to, Vec2 p0, Vec2 p1) const {
    return {PaintKind::linear, from, to, map(p0), map(p1), 0.0f};
}

Paint Pen::radial(const Rgba& centre, const Rgba& edge, Vec2 c0, float radius) const {
    return {PaintKind::radial, centre, edge, map(c0), map(c0), radius * scale()};
}

static void fillMapped(const Pen& pen, ShapeKind kind, const std::vector<Vec2>& points,
                       float radius, const Paint& paint) {
    Shape shape{kind, {}, {0.0f, 0.0f}, radius * pen.scale()};
    shape.points.reserve(points.size());
    for (const Vec2& p : points) {
        shape.points.push_back(pen.map(p));
    }
    fillShape(*pen.canvas, shape, paint, pen.outlineWidth, pen.outline);
}

void poly(const Pen& pen, const std::vector<Vec2>& points, const Paint& paint, float round) {
    fillMapped(pen, ShapeKind::polygon, points, round, paint);
}

void poly(const Pen& pen, const std::vector<Vec2>& points, const Rgba& color, float round) {
    poly(pen, points, solidPaint(color), round);
}

void circle(const Pen& pen, Vec2 centre, float radius, const Paint& paint) {
    Shape shape{ShapeKind::circle, {}, pen.map(centre), radius * pen.scale()};
    fillShape(*pen.canvas, shape, paint, pen.outlineWidth, pen.outline);
}

void circle(const Pen& pen, Vec2 centre, float radius, const Rgba& color) {
    circle(pen, centre, radius, solidPaint(color));
}

void ellipse(const Pen& pen, Vec2 centre, float rx, float ry, const Paint& paint) {
    poly(pen, arcPoints(centre, rx, ry, 0.0f, 360.0f, 64), paint);
}

void ellipse(const Pen& pen, Vec2 centre, float rx, float ry, const Rgba& color) {
    ellipse(pen, centre, rx, ry, solidPaint(color));
}

void box(const Pen& pen, float x0, float y0, float x1, float y1, const Paint& paint, float round) {
    // The rounding grows the shape, so the core rectangle is inset by it.
    poly(pen,
         {{x0 + round, y0 + round},
          {x1 - round, y0 + round},
          {x1 - round, y1 - round},
          {x0 + round, y1 - round}},
         paint, round);
}

void box(const Pen& pen, float x0, float y0, float x1, float y1, const Rgba& color, float round) {
    box(pen, x0, y0, x1, y1, solidPaint(color), round);
}

void strokes(const Pen& pen, const std::vector<Vec2>& segments, float width, const Rgba& color) {
    fillMapped(pen, ShapeKind::strokes, segments, width * 0.5f, solidPaint(color));
}

void line(const Pen& pen, Vec2 from, Vec2 to, float width, const Rgba& color) {
    strokes(pen, {from, to}, width, color);
}

void polyline(const Pen& pen, const std::vector<Vec2>& points, float width, const Rgba& color) {
    std::vector<Vec2> segments;
    for (size_t i = 0; i + 1 < points.size(); ++i) {
        segments.push_back(points[i]);
        segments.push_back(points[i + 1]);
    }
    strokes(pen, segments, width, color);
}

std::vector<Vec2> arcPoints(Vec2 centre, float rx, float ry, float fromDegrees, float toDegrees,
                            int steps) {
    std::vector<Vec2> out;
    bool full = std::fabs(toDegrees - fromDegrees) >= 360.0f;
    int count = full ? steps : steps + 1;
    for (int i = 0; i < count; ++i) {
        float t = (fromDegrees + (toDegrees - fromDegrees) * i / steps) * degreesToRadians;
        out.push_back({centre.x + rx * std::cos(t), centre.y + ry * std::sin(t)});
    }
    return out;
}

std::vector<Vec2> starPoints(Vec2 centre, float outer, float inner, int tips, float turnDegrees) {
    std::vector<Vec2> out;
    for (int i = 0; i < tips * 2; ++i) {
        float r = (i % 2 == 0) ? outer : inner;
        float t = (turnDegrees - 90.0f + 180.0f * i / tips) * degreesToRadians;
        out.push_back({centre.x + r * std::cos(t), centre.y + r * std::sin(t)});
    }
    return out;
}
