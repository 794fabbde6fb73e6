#include "Raster.h"

#include <algorithm>
#include <cmath>

Rgba hexColor(unsigned int rgb, float alpha) {
    return {((rgb >> 16) & 0xff) / 255.0f, ((rgb >> 8) & 0xff) / 255.0f, (rgb & 0xff) / 255.0f,
            alpha};
}

Rgba mix(const Rgba& from, const Rgba& to, float t) {
    return {from.r + (to.r - from.r) * t, from.g + (to.g - from.g) * t,
            from.b + (to.b - from.b) * t, from.a + (to.a - from.a) * t};
}

Canvas::Canvas(int w, int h) : width(w), height(h), pixels(static_cast<size_t>(w) * h * 4, 0.0f) {}

void Canvas::blend(int x, int y, const Rgba& color, float coverage) {
    if (x < 0 || y < 0 || x >= width || y >= height) {
        return;
    }
    float alpha = std::clamp(color.a * coverage, 0.0f, 1.0f);
    if (alpha <= 0.0f) {
        return;
    }
    float* p = &pixels[(static_cast<size_t>(y) * width + x) * 4];
    float keep = 1.0f - alpha;
    p[0] = color.r * alpha + p[0] * keep;
    p[1] = color.g * alpha + p[1] * keep;
    p[2] = color.b * alpha + p[2] * keep;
    p[3] = alpha + p[3] * keep;
}

Rgba Canvas::straightAt(int x, int y) const {
    const float* p = &pixels[(static_cast<size_t>(y) * width + x) * 4];
    if (p[3] <= 0.0f) {
        return {0.0f, 0.0f, 0.0f, 0.0f};
    }
    return {p[0] / p[3], p[1] / p[3], p[2] / p[3], p[3]};
}

static std::uint8_t toByte(float v) {
    return static_cast<std::uint8_t>(std::clamp(v, 0.0f, 1.0f) * 255.0f + 0.5f);
}

std::vector<std::uint8_t> Canvas::toRgba8(const Rgba& matte) const {
    std::vector<std::uint8_t> out(static_cast<size_t>(width) * height * 4);
    for (int y = 0; y < height; ++y) {
        for (int x = 0; x < width; ++x) {
            std::uint8_t* o = &out[(static_cast<size_t>(y) * width + x) * 4];
            Rgba c = straightAt(x, y);
            o[3] = toByte(c.a);
            if (o[3] == 0) {
                c = matte;
            }
            o[0] = toByte(c.r);
            o[1] = toByte(c.g);
            o[2] = toByte(c.b);
        }
    }
    return out;
}

Paint solidPaint(const Rgba& color) {
    return {PaintKind::solid, color, color, {0.0f, 0.0f}, {0.0f, 0.0f}, 0.0f};
}

Rgba paintAt(const Paint& paint, float x, float y) {
    float t = 0.0f;
    if (paint.kind == PaintKind::linear) {
        float dx = paint.p1.x - paint.p0.x;
        float dy = paint.p1.y - paint.p0.y;
        float length2 = dx * dx + dy * dy;
        if (length2 > 0.0f) {
            t = ((x - paint.p0.x) * dx + (y - paint.p0.y) * dy) / length2;
        }
    } else if (paint.kind == PaintKind::radial && paint.radius > 0.0f) {
        t = std::hypot(x - paint.p0.x, y - paint.p0.y) / paint.radius;
    }
    return mix(paint.from, paint.to, std::clamp(t, 0.0f, 1.0f));
}

static float segmentDistance(Vec2 a, Vec2 b, float x, float y) {
    float dx = b.x - a.x;
    float dy = b.y - a.y;
    float length2 = dx * dx + dy * dy;
    float t = length2 > 0.0f ? ((x - a.x) * dx + (y - a.y) * dy) / length2 : 0.0f;
    t = std::clamp(t, 0.0f, 1.0f);
    return std::hypot(x - (a.x + dx * t), y - (a.y + dy * t));
}

float distanceTo(const Shape& shape, float x, float y) {
    if (shape.kind == ShapeKind::circle) {
        return std::hypot(x - shape.centre.x, y - shape.centre.y) - shape.radius;
    }
    const std::vector<Vec2>& p = shape.points;
    float best = 1e30f;
    if (shape.kind == ShapeKind::strokes) {
        for (size_t i = 0; i + 1 < p.size(); i += 2) {
            best = std::min(best, segmentDistance(p[i], p[i + 1], x, y));
        }
        return best - shape.radius;
    }
    // Nonzero winding decides inside, so self-overlapping outlines stay solid.
    int winding = 0;
    for (size_t i = 0; i < p.size(); ++i) {
        Vec2 a = p[i];
        Vec2 b = p[(i + 1) % p.size()];
        best = std::min(best, segmentDistance(a, b, x, y));
        float side = (b.x - a.x) * (y - a.y) - (x - a.x) * (b.y - a.y);
        if (a.y <= y && b.y > y && side > 0.0f) {
            ++winding;
        } else if (a.y > y && b.y <= y && side < 0.0f) {
            --winding;
        }
    }
    return (winding != 0 ? -best : best) - shape.radius;
}

static void shapeBounds(const Shape& shape, float& x0, float& y0, float& x1, float& y1) {
    if (shape.kind == ShapeKind::circle) {
        x0 = shape.centre.x - shape.radius;
        x1 = shape.centre.x + shape.radius;
        y0 = shape.centre.y - shape.radius;
        y1 = shape.centre.y + shape.radius;
        return;
    }
    x0 = y0 = 1e30f;
    x1 = y1 = -1e30f;
    for (const Vec2& v : shape.points) {
        x0 = std::min(x0, v.x);
        x1 = std::max(x1, v.x);
        y0 = std::min(y0, v.y);
        y1 = std::max(y1, v.y);
    }
    x0 -= shape.radius;
    y0 -= shape.radius;
    x1 += shape.radius;
    y1 += shape.radius;
}

void fillShape(Canvas& canvas, const Shape& shape, const Paint& paint, float outlineWidth,
               const Rgba& outline) {
    if (shape.kind != ShapeKind::circle && shape.points.empty()) {
        return;
    }
    float bx0, by0, bx1, by1;
    shapeBounds(shape, bx0, by0, bx1, by1);
    int xStart = std::max(0, static_cast<int>(std::floor(bx0)) - 1);
    int yStart = std::max(0, static_cast<int>(std::floor(by0)) - 1);
    int xEnd = std::min(canvas.width - 1, static_cast<int>(std::ceil(bx1)) + 1);
    int yEnd = std::min(canvas.height - 1, static_cast<int>(std::ceil(by1)) + 1);
    for (int y = yStart; y <= yEnd; ++y) {
        for (int x = xStart; x <= xEnd; ++x) {
            float px = x + 0.5f;
            float py = y + 0.5f;
            float d = distanceTo(shape, px, py);
            float total = std::clamp(0.5f - d, 0.0f, 1.0f);
            if (total <= 0.0f) {
                continue;
            }
            if (outlineWidth > 0.0f) {
                canvas.blend(x, y, outline, total);
                float inner = std::clamp(0.5f - (d + outlineWidth), 0.0f, 1.0f);
                canvas.blend(x, y, paintAt(paint, px, py), inner);
            } else {
                canvas.blend(x, y, paintAt(paint, px, py), total);
            }
        }
    }
}
