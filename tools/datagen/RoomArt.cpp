#include "RoomArt.h"

#include "ArtKit.h"
#include "PixelFont.h"

#include <cmath>

namespace {

// The floor's own grid: column a and row b, with spot k = 4 row + column at
// (a, b) = (k % 4, k / 4). The feet of an object on spot k stand at the
// bottom middle of its 96 x 96 sprite, screen (748 + 100 a - 100 b,
// 370 - 60 a - 60 b); the picture starts at screen x 280 and its rows run
// down from screen y 720.
Vec2 floorPoint(float a, float b) {
    return {468.0f + 100.0f * a - 100.0f * b, 350.0f + 60.0f * a + 60.0f * b};
}

// Where spot 16, the level's goal, stands on that grid: screen (548, 350).
const Vec2 goalOnGrid = {-5.0f / 6.0f, 7.0f / 6.0f};

// The back corner of the room on the grid.
const float wallColumn = -2.0f;
const float wallRow = -1.0f;

std::vector<Vec2> floorCircle(Vec2 centre, float radius, float lift) {
    std::vector<Vec2> out;
    for (int i = 0; i < 64; ++i) {
        float t = i * 2.0f * 3.14159265f / 64.0f;
        Vec2 p = floorPoint(centre.x + radius * std::cos(t), centre.y + radius * std::sin(t));
        out.push_back({p.x, p.y - lift});
    }
    return out;
}

void drawWalls(const Pen& pen) {
    Vec2 corner = floorPoint(wallColumn, wallRow);
    float leftBase = corner.y + 0.6f * corner.x;
    float rightBase = corner.y + 0.6f * (roomWidth - corner.x);
    Rgba leftTop = hexColor(0x48506a);
    Rgba leftLow = hexColor(0x69718c);
    Rgba rightTop = hexColor(0x3a4058);
    Rgba rightLow = hexColor(0x575e78);
    Pen flat = pen.plain();
    poly(flat, {{0.0f, 0.0f}, {corner.x, 0.0f}, corner, {0.0f, leftBase}},
         pen.linear(leftTop, leftLow, {0.0f, 0.0f}, {0.0f, leftBase}));
    poly(flat, {{corner.x, 0.0f}, {roomWidth, 0.0f}, {roomWidth, rightBase}, corner},
         pen.linear(rightTop, rightLow, {0.0f, 0.0f}, {0.0f, rightBase}));
    // Courses of stone, faint, following each wall.
    Rgba joint = withAlpha(hexColor(0x23283a), 0.35f);
    for (int course = 1; course * 34.0f < corner.y + 560.0f; ++course) {
        float lift = course * 34.0f;
        line(flat, {0.0f, leftBase - lift}, {corner.x, corner.y - lift}, 1.5f, joint);
        line(flat, {corner.x, corner.y - lift}, {roomWidth, rightBase - lift}, 1.5f, joint);
        for (float x = (course % 2) * 40.0f + 20.0f; x < roomWidth; x += 80.0f) {
            float base =
                x < corner.x ? corner.y + 0.6f * (corner.x - x) : corner.y + 0.6f * (x - corner.x);
            float y0 = base - lift;
            if (y0 > 0.0f) {
                line(flat, {x, y0}, {x, y0 + 34.0f}, 1.5f, joint);
            }
        }
    }
    line(flat, {corner.x, 0.0f}, corner, 3.0f, withAlpha(hexColor(0x1c2030), 0.8f));
    // Skirting along both walls.
    float skirt = 14.0f;
    poly(flat, {{0.0f, leftBase}, corner, {corner.x, corner.y - skirt}, {0.0f, leftBase - skirt}},
         hexColor(0x3b3346));
    poly(flat,
         {corner,
          {roomWidth, rightBase},
          {roomWidth, rightBase - skirt},
          {corner.x, corner.y - skirt}},
         hexColor(0x2f2939));
}

// A tall arched window in the right wall, night outside.
void drawWindow(const Pen& pen) {
    Vec2 corner = floorPoint(wallColumn, wallRow);
    auto wallPoint = [&](float along, float up) {
        return Vec2{corner.x + 100.0f * along, corner.y + 60.0f * along - up};
    };
    std::vector<Vec2> frame = {wallPoint(2.6f, 90.0f), wallPoint(3.6f, 90.0f)};
    for (int i = 0; i <= 12; ++i) {
        float t = i / 12.0f * 3.14159265f;
        frame.push_back(wallPoint(3.1f + 0.5f * std::cos(t), 250.0f + 46.0f * std::sin(t)));
    }
    poly(pen, frame, hexColor(0x8b7f6a));
    Pen inset = pen.plain();
    std::vector<Vec2> pane = {wallPoint(2.7f, 100.0f), wallPoint(3.5f, 100.0f)};
    for (int i = 0; i <= 12; ++i) {
        float t = i / 12.0f * 3.14159265f;
        pane.push_back(wallPoint(3.1f + 0.4f * std::cos(t), 250.0f + 36.0f * std::sin(t)));
    }
    Vec2 top = wallPoint(3.1f, 286.0f);
    Vec2 bottom = wallPoint(3.1f, 100.0f);
    poly(inset, pane, pen.linear(hexColor(0x1b2a55), hexColor(0x3d5a96), top, bottom));
    circle(inset, wallPoint(3.3f, 240.0f), 13.0f, hexColor(0xf4f0d0));
    circle(inset, wallPoint(3.36f, 244.0f), 11.0f, hexColor(0x2a3d70));
    line(inset, wallPoint(3.1f, 100.0f), wallPoint(3.1f, 286.0f), 5.0f, hexColor(0x8b7f6a));
    line(inset, wallPoint(2.7f, 190.0f), wallPoint(3.5f, 190.0f), 5.0f, hexColor(0x8b7f6a));
    poly(pen,
         {wallPoint(2.5f, 82.0f), wallPoint(3.7f, 82.0f), wallPoint(3.7f, 92.0f),
          wallPoint(2.5f, 92.0f)},
         hexColor(0xa2967f));
}

// A hanging banner on the left wall.
void drawBanner(const Pen& pen) {
    Vec2 corner = floorPoint(wallColumn, wallRow);
    auto wallPoint = [&](float along, float up) {
        return Vec2{corner.x - 100.0f * along, corner.y + 60.0f * along - up};
    };
    Rgba red = hexColor(0x7a2a34);
    Rgba redDark = hexColor(0x521a24);
    poly(pen,
         {wallPoint(2.0f, 300.0f), wallPoint(2.6f, 300.0f), wallPoint(2.6f, 150.0f),
          wallPoint(2.3f, 120.0f), wallPoint(2.0f, 130.0f)},
         pen.linear(red, redDark, wallPoint(2.0f, 270.0f), wallPoint(2.6f, 130.0f)));
    Vec2 emblem = wallPoint(2.3f, 190.0f);
    poly(pen.plain(), starPoints(emblem, 20.0f, 8.0f, 5, 0.0f), hexColor(0xd8b45a));
    line(pen, wallPoint(1.95f, 274.0f), wallPoint(2.65f, 274.0f), 6.0f, hexColor(0x8b6a3a));
}

void drawFloor(const Pen& pen) {
    Pen flat = pen.plain();
    poly(flat, {{0.0f, 0.0f}, {roomWidth, 0.0f}, {roomWidth, roomHeight}, {0.0f, roomHeight}},
         pen.linear(hexColor(0x5e544c), hexColor(0x3f3731), {0.0f, 150.0f}, {0.0f, roomHeight}));
    // Slabs under the sixteen spots, checkered.
    Rgba slabA = hexColor(0x8a7f72);
    Rgba slabB = hexColor(0x7a7064);
    for (int k = 0; k < 16; ++k) {
        float a = static_cast<float>(k % 4);
        float b = static_cast<float>(k / 4);
        const float h = 0.44f;
        std::vector<Vec2> slab = {floorPoint(a - h, b - h), floorPoint(a + h, b - h),
                                  floorPoint(a + h, b + h), floorPoint(a - h, b + h)};
        Rgba face = ((k % 4) + (k / 4)) % 2 == 0 ? slabA : slabB;
        poly(pen, slab, pen.linear(mix(face, palette::white, 0.12f), face, slab[0], slab[2]), 2.0f);
        line(flat, slab[3], slab[0], 2.0f, withAlpha(palette::white, 0.18f));
        line(flat, slab[0], slab[1], 2.0f, withAlpha(palette::white, 0.18f));
    }
}

void drawGoalPad(const Pen& pen) {
    Vec2 centre = floorPoint(goalOnGrid.x, goalOnGrid.y);
    glow(pen, centre, 90.0f, hexColor(0xffd46a), 0.35f);
    std::vector<Vec2> side = floorCircle(goalOnGrid, 0.38f, 0.0f);
    std::vector<Vec2> top = floorCircle(goalOnGrid, 0.38f, 8.0f);
    poly(pen, side, hexColor(0x8a6a2a));
    poly(pen, top, pen.linear(hexColor(0xfff0b0), hexColor(0xd9a441), top[40], top[8]));
    Pen flat = pen.plain();
    std::vector<Vec2> ring = floorCircle(goalOnGrid, 0.28f, 8.0f);
    ring.push_back(ring.front());
    polyline(flat, ring, 3.0f, hexColor(0xa8782a));
    std::vector<Vec2> star;
    for (int i = 0; i < 10; ++i) {
        float t = i * 3.14159265f / 5.0f;
        float r = (i % 2 == 0) ? 0.2f : 0.08f;
        Vec2 p = floorPoint(goalOnGrid.x + r * std::cos(t), goalOnGrid.y + r * std::sin(t));
        star.push_back({p.x, p.y - 8.0f});
    }
    poly(flat, star, hexColor(0xb07a22));
}

void drawVignette(const Pen& pen) {
    poly(pen.plain(),
         {{0.0f, 0.0f}, {roomWidth, 0.0f}, {roomWidth, roomHeight}, {0.0f, roomHeight}},
         pen.radial(withAlpha(palette::ink, 0.0f), withAlpha(palette::ink, 0.45f), {500.0f, 330.0f},
                    720.0f));
}

// Stroke outlines of the digits in a unit box, y down.
std::vector<std::vector<Vec2>> digitStrokes(int digit) {
    switch (digit) {
    case 0: {
        std::vector<Vec2> loop = arcPoints({0.5f, 0.5f}, 0.5f, 0.5f, 0.0f, 360.0f, 40);
        loop.push_back(loop.front());
        return {loop};
    }
    case 1:
        return {{{0.2f, 0.22f}, {0.55f, 0.0f}, {0.55f, 1.0f}}, {{0.22f, 1.0f}, {0.88f, 1.0f}}};
    case 2: {
        std::vector<Vec2> s = arcPoints({0.5f, 0.28f}, 0.46f, 0.28f, 195.0f, 400.0f, 24);
        s.push_back({0.02f, 1.0f});
        s.push_back({1.0f, 1.0f});
        return {s};
    }
    case 3:
        return {arcPoints({0.5f, 0.26f}, 0.44f, 0.26f, 200.0f, 450.0f, 24),
                arcPoints({0.5f, 0.74f}, 0.5f, 0.26f, 270.0f, 520.0f, 24)};
    case 4:
        return {{{0.72f, 1.0f}, {0.72f, 0.0f}, {0.0f, 0.7f}, {1.0f, 0.7f}}};
    case 5: {
        std::vector<Vec2> s = {{0.92f, 0.0f}, {0.18f, 0.0f}, {0.1f, 0.47f}};
        std::vector<Vec2> bowl = arcPoints({0.5f, 0.68f}, 0.46f, 0.32f, 215.0f, 520.0f, 28);
        s.insert(s.end(), bowl.begin(), bowl.end());
        return {s};
    }
    case 6:
    case 9: {
        std::vector<Vec2> tail = arcPoints({0.95f, 0.75f}, 0.9f, 0.75f, 250.0f, 180.0f, 16);
        std::vector<Vec2> loop = arcPoints({0.5f, 0.72f}, 0.45f, 0.28f, 0.0f, 360.0f, 32);
        loop.push_back(loop.front());
        if (digit == 9) {
            for (std::vector<Vec2>* s : {&tail, &loop}) {
                for (Vec2& p : *s) {
                    p = {1.0f - p.x, 1.0f - p.y};
                }
            }
        }
        return {tail, loop};
    }
    case 7:
        return {{{0.0f, 0.0f}, {1.0f, 0.0f}, {0.35f, 1.0f}}};
    default: {
        std::vector<Vec2> top = arcPoints({0.5f, 0.24f}, 0.4f, 0.24f, 0.0f, 360.0f, 32);
        std::vector<Vec2> low = arcPoints({0.5f, 0.72f}, 0.48f, 0.28f, 0.0f, 360.0f, 32);
        top.push_back(top.front());
        low.push_back(low.front());
        return {top, low};
    }
    }
}

} // namespace

Canvas drawRoom() {
    Canvas canvas(roomWidth, roomHeight);
    Pen pen = makePen(canvas, 1.0f, 0.0f, 0.0f, 2.0f, hexColor(0x2a2430));
    drawFloor(pen);
    drawWalls(pen);
    drawWindow(pen);
    drawBanner(pen);
    drawGoalPad(pen);
    drawVignette(pen);
    return canvas;
}

Canvas drawDigit(int digit) {
    Canvas canvas(40, 40);
    // Unit box -> pixels: the glyph spans x 9..31 and y 5..35.
    Pen pen = makePen(canvas, 1.0f, 0.0f, 0.0f, 2.4f, palette::ink);
    pen.a = 22.0f;
    pen.d = 30.0f;
    pen.tx = 9.0f;
    pen.ty = 5.0f;
    std::vector<Vec2> segments;
    for (const std::vector<Vec2>& s : digitStrokes(digit)) {
        for (size_t i = 0; i + 1 < s.size(); ++i) {
            segments.push_back(pen.map(s[i]));
            segments.push_back(pen.map(s[i + 1]));
        }
    }
    // One shape for all strokes so that crossings keep a single outline.
    Shape shape{ShapeKind::strokes, segments, {0.0f, 0.0f}, 4.6f};
    fillShape(canvas, shape, solidPaint(hexColor(0xfff4d6)), 2.4f, palette::ink);
    return canvas;
}

Canvas drawNameCard(const std::string& text) {
    const int scale = 4;
    const int padX = 20;
    const int padY = 16;
    int width = textWidth(text, scale) + 2 * padX;
    int height = glyphHeight * scale + 2 * padY;
    Canvas canvas(width, height);
    Pen pen = makePen(canvas, 1.0f, 0.0f, 0.0f, 3.0f, hexColor(0xe2bd62));
    box(pen, 0.0f, 0.0f, static_cast<float>(width), static_cast<float>(height),
        pen.linear(hexColor(0x2c2740), hexColor(0x17141f), {0.0f, 0.0f},
                   {0.0f, static_cast<float>(height)}),
        10.0f);
    drawText(canvas, text, padX, padY, scale, hexColor(0xfff4d6));
    return canvas;
}
