// Objects the player can carry. Each lies or stands near the bottom of the
// frame for the room picture; the inventory icon frames the same drawing.
#include "ArtKit.h"
#include "ObjectArt.h"

#include <cmath>

using namespace palette;

// A key's own frame: bow at the origin, shaft along +x; placed lying on the
// floor, rising to the right.
static Pen keyPen(const Pen& pen, float size) {
    return pen.moved(22.0f, 86.0f).rotated(-28.0f, {0.0f, 0.0f}).scaled(size, size, {0.0f, 0.0f});
}

void drawKey(const Pen& pen) {
    Pen key = keyPen(pen, 1.0f);
    keyShape(key, gold, goldDark, 0);
    sparkle(pen, {70.0f, 50.0f}, 6.0f, palette::white);
}

void drawRustyKey(const Pen& pen) {
    Pen key = keyPen(pen, 1.0f);
    keyShape(key, rustLight, hexColor(0x5e2f16), 0);
    Pen flakes = key.plain();
    const Vec2 spots[] = {{20.0f, -1.0f}, {31.0f, 1.5f},  {47.0f, 7.0f}, {-6.0f, 5.0f},
                          {5.0f, -8.0f},  {40.0f, -1.5f}, {55.0f, 12.0f}};
    for (const Vec2& s : spots) {
        circle(flakes, s, 2.2f, hexColor(0x5e2f16));
    }
    circle(flakes, {26.0f, -2.0f}, 1.4f, hexColor(0xe0964a));
    circle(flakes, {-8.0f, -4.0f}, 1.4f, hexColor(0xe0964a));
}

void drawSmallKey(const Pen& pen) {
    Pen key =
        pen.moved(30.0f, 90.0f).rotated(-20.0f, {0.0f, 0.0f}).scaled(0.72f, 0.72f, {0.0f, 0.0f});
    keyShape(key, hexColor(0xd6dee9), hexColor(0x6f7d90), 1);
}

void drawOilCan(const Pen& pen) {
    // Spout first so the body's outline covers its root.
    line(pen, {56.0f, 54.0f}, {90.0f, 26.0f}, 5.0f, ironLight);
    circle(pen, {90.0f, 26.0f}, 2.8f, iron);
    poly(pen.plain(), {{90.0f, 31.0f}, {92.5f, 36.0f}, {90.0f, 39.0f}, {87.5f, 36.0f}},
         hexColor(0xd9a21a));
    polyline(pen, arcPoints({28.0f, 74.0f}, 10.0f, 14.0f, 90.0f, 270.0f, 14), 5.0f, iron);
    Rgba red = hexColor(0xd03a2f);
    Rgba redDark = hexColor(0x8e2019);
    poly(pen, {{30.0f, 60.0f}, {70.0f, 60.0f}, {60.0f, 46.0f}, {40.0f, 46.0f}},
         pen.linear(hexColor(0xee6a5a), redDark, {30.0f, 0.0f}, {70.0f, 0.0f}), 1.0f);
    box(pen, 28.0f, 58.0f, 72.0f, 100.0f,
        pen.linear(hexColor(0xee6a5a), redDark, {28.0f, 0.0f}, {72.0f, 0.0f}), 3.0f);
    box(pen, 28.0f, 72.0f, 72.0f, 84.0f, hexColor(0xf2d04a));
    poly(pen.plain(), {{50.0f, 73.5f}, {53.5f, 79.0f}, {50.0f, 82.5f}, {46.5f, 79.0f}}, red);
    box(pen, 44.0f, 40.0f, 56.0f, 47.0f, iron, 1.0f);
}

static void crystalShard(const Pen& pen, Vec2 base, float width, float height, float light) {
    float half = width * 0.5f;
    Vec2 tip = {base.x, base.y - height};
    float shoulder = base.y - height * 0.72f;
    Rgba bright = mix(hexColor(0x37c6f0), hexColor(0xe8ffff), light);
    Rgba deep = hexColor(0x1277b8);
    poly(pen,
         {{base.x - half, base.y},
          {base.x - half, shoulder},
          tip,
          {base.x + half, shoulder},
          {base.x + half, base.y}},
         bright);
    Pen facets = pen.plain();
    poly(facets,
         {{base.x, base.y},
          {base.x, shoulder + 3.0f},
          tip,
          {base.x + half - 1.0f, shoulder},
          {base.x + half - 1.0f, base.y}},
         withAlpha(deep, 0.55f));
    line(facets, {base.x - half * 0.5f, base.y - 3.0f}, {base.x - half * 0.5f, shoulder + 2.0f},
         1.8f, withAlpha(palette::white, 0.75f));
}

void drawCrystal(const Pen& pen) {
    glow(pen, {50.0f, 60.0f}, 44.0f, hexColor(0x7ff6ff), 0.5f);
    crystalShard(pen.rotated(-24.0f, {36.0f, 98.0f}), {36.0f, 98.0f}, 14.0f, 42.0f, 0.3f);
    crystalShard(pen.rotated(22.0f, {64.0f, 98.0f}), {64.0f, 98.0f}, 13.0f, 38.0f, 0.3f);
    crystalShard(pen, {50.0f, 100.0f}, 20.0f, 74.0f, 0.55f);
    sparkle(pen, {68.0f, 34.0f}, 6.0f, palette::white);
}

void drawGeode(const Pen& pen) {
    std::vector<Vec2> rock;
    const float bumps[] = {1.0f,  0.92f, 1.04f, 0.95f, 1.02f, 0.9f,
                           1.03f, 0.96f, 1.0f,  0.93f, 1.05f, 0.94f};
    for (int i = 0; i < 12; ++i) {
        float t = (i * 30.0f) * 3.14159265f / 180.0f;
        float r = 36.0f * bumps[i];
        rock.push_back({50.0f + r * std::cos(t), 66.0f + r * 0.92f * std::sin(t)});
    }
    for (Vec2& p : rock) {
        if (p.y > 100.0f) {
            p.y = 100.0f;
        }
    }
    poly(pen, rock,
         pen.linear(hexColor(0xa59a8c), hexColor(0x5c5348), {24.0f, 44.0f}, {78.0f, 100.0f}), 2.0f);
    Pen marks = pen.plain();
    const Vec2 pits[] = {
        {38.0f, 60.0f}, {62.0f, 56.0f}, {44.0f, 84.0f}, {66.0f, 82.0f}, {30.0f, 76.0f}};
    for (const Vec2& p : pits) {
        circle(marks, p, 2.0f, withAlpha(hexColor(0x3e3831), 0.6f));
    }
    // The crack shows a purple glint of what is inside.
    polyline(pen,
             {{32.0f, 64.0f},
              {42.0f, 70.0f},
              {48.0f, 64.0f},
              {56.0f, 72.0f},
              {64.0f, 66.0f},
              {72.0f, 72.0f}},
             3.4f, hexColor(0x9a5cf0));
    sparkle(marks, {50.0f, 66.0f}, 4.0f, hexColor(0xe9d0ff));
}

void drawHammer(const Pen& pen) {
    Pen h = pen.rotated(32.0f, {50.0f, 62.0f});
    box(h, 46.0f, 32.0f, 54.0f, 100.0f, h.linear(woodLight, woodDark, {46.0f, 0.0f}, {54.0f, 0.0f}),
        2.0f);
    box(h, 45.0f, 82.0f, 55.0f, 100.0f, hexColor(0x3a3a44), 2.0f);
    // Claw first, then the block and the striking face over its root.
    poly(h,
         {{58.0f, 20.0f},
          {70.0f, 21.0f},
          {80.0f, 27.0f},
          {87.0f, 40.0f},
          {78.0f, 33.0f},
          {68.0f, 31.0f},
          {58.0f, 34.0f}},
         h.linear(steel, iron, {0.0f, 20.0f}, {0.0f, 40.0f}));
    box(h, 30.0f, 20.0f, 62.0f, 34.0f, h.linear(steel, iron, {0.0f, 20.0f}, {0.0f, 34.0f}), 1.0f);
    box(h, 43.0f, 17.0f, 57.0f, 37.0f, iron, 2.0f);
    box(h, 20.0f, 16.0f, 32.0f, 38.0f, h.linear(palette::white, iron, {0.0f, 16.0f}, {0.0f, 38.0f}),
        2.0f);
}

static Pen torchPen(const Pen& pen) {
    return pen.rotated(18.0f, {50.0f, 100.0f});
}

void drawTorch(const Pen& pen) {
    torchBody(torchPen(pen));
}

void drawBurningTorch(const Pen& pen) {
    Pen t = torchPen(pen);
    torchBody(t);
    flame(t, {50.0f, 38.0f}, 26.0f, 36.0f);
}

void drawMatches(const Pen& pen) {
    Rgba stick = hexColor(0xf0d9a8);
    Rgba head = hexColor(0xd4321e);
    // Loose matches in front of the box.
    line(pen, {16.0f, 96.0f}, {52.0f, 86.0f}, 3.4f, stick);
    circle(pen, {53.0f, 85.5f}, 3.6f, head);
    box(pen, 22.0f, 54.0f, 84.0f, 86.0f,
        pen.linear(hexColor(0xe8453a), hexColor(0x9c2418), {0.0f, 54.0f}, {0.0f, 86.0f}), 2.0f);
    box(pen, 22.0f, 80.0f, 84.0f, 86.0f, hexColor(0x5a3a2a), 1.0f);
    box(pen, 36.0f, 60.0f, 70.0f, 76.0f, hexColor(0xf6d34a), 2.0f);
    flame(pen.plain(), {53.0f, 74.0f}, 9.0f, 12.0f);
    // Matches sticking out of the tray.
    for (int i = 0; i < 3; ++i) {
        float x = 38.0f + i * 10.0f;
        line(pen, {x, 56.0f}, {x + 4.0f - i * 4.0f, 32.0f + i * 3.0f}, 3.2f, stick);
        circle(pen, {x + 4.0f - i * 4.0f, 31.0f + i * 3.0f}, 3.6f, head);
    }
}

void drawCrowbar(const Pen& pen) {
    Rgba red = hexColor(0xc93228);
    std::vector<Vec2> bar = {{16.0f, 94.0f}, {70.0f, 30.0f}};
    std::vector<Vec2> hook = arcPoints({78.0f, 30.0f}, 9.0f, 9.0f, 180.0f, 390.0f, 16);
    bar.insert(bar.end(), hook.begin(), hook.end());
    polyline(pen, bar, 7.0f, red);
    polyline(pen.plain(), {{22.0f, 86.0f}, {66.0f, 34.0f}}, 1.8f, withAlpha(palette::white, 0.45f));
    // Split flat end, resting on the floor.
    poly(pen, {{8.0f, 100.0f}, {15.0f, 88.0f}, {23.0f, 93.0f}, {19.0f, 100.0f}}, steel);
    line(pen.plain(), {13.0f, 99.0f}, {18.0f, 91.0f}, 1.2f, ink);
}

void drawShears(const Pen& pen) {
    Vec2 pivot = {50.0f, 58.0f};
    Rgba grip1 = hexColor(0xd1352a);
    Rgba grip2 = hexColor(0x2f9e4a);
    line(pen, pivot, {28.0f, 96.0f}, 6.0f, iron);
    line(pen, pivot, {74.0f, 96.0f}, 6.0f, iron);
    line(pen, {32.0f, 89.0f}, {25.0f, 100.0f}, 8.0f, grip1);
    line(pen, {70.0f, 89.0f}, {77.0f, 100.0f}, 8.0f, grip2);
    poly(pen,
         {{pivot.x - 5.0f, pivot.y + 3.0f},
          {pivot.x + 2.0f, pivot.y - 3.0f},
          {30.0f, 8.0f},
          {26.0f, 12.0f}},
         pen.linear(palette::white, steel, {26.0f, 10.0f}, {50.0f, 58.0f}));
    poly(pen,
         {{pivot.x + 5.0f, pivot.y + 3.0f},
          {pivot.x - 2.0f, pivot.y - 3.0f},
          {68.0f, 6.0f},
          {73.0f, 9.0f}},
         pen.linear(palette::white, steel, {70.0f, 8.0f}, {50.0f, 58.0f}));
    circle(pen, pivot, 4.0f, goldDark);
}

static Vec2 lerp(Vec2 a, Vec2 b, float t) {
    return {a.x + (b.x - a.x) * t, a.y + (b.y - a.y) * t};
}

// Point of the quad (p00, p10, p11, p01) at (u, v), both 0 to 1.
static Vec2 quadPoint(const Vec2 q[4], float u, float v) {
    return lerp(lerp(q[0], q[1], u), lerp(q[3], q[2], u), v);
}

void drawCloth(const Pen& pen) {
    // A folded gingham cloth lying flat, fringe at the front, one corner
    // turned back.
    const Vec2 quad[4] = {{10.0f, 70.0f}, {74.0f, 56.0f}, {92.0f, 82.0f}, {24.0f, 96.0f}};
    Rgba redDark = hexColor(0xc0392b);
    Rgba redLight = hexColor(0xee9a90);
    Rgba cream = hexColor(0xfbf3e6);
    Pen fringe = pen.plain();
    for (int i = 0; i <= 10; ++i) {
        Vec2 root = quadPoint(quad, i / 10.0f, 1.0f);
        line(fringe, root, {root.x - 1.0f, root.y + 4.0f}, 1.6f, redDark);
    }
    poly(pen, {quad[0], quad[1], quad[2], quad[3]}, cream);
    const int cells = 7;
    for (int i = 0; i < cells; ++i) {
        for (int j = 0; j < cells; ++j) {
            bool across = i % 2 == 1;
            bool down = j % 2 == 1;
            if (!across && !down) {
                continue;
            }
            float u0 = static_cast<float>(i) / cells;
            float u1 = static_cast<float>(i + 1) / cells;
            float v0 = static_cast<float>(j) / cells;
            float v1 = static_cast<float>(j + 1) / cells;
            poly(fringe,
                 {quadPoint(quad, u0, v0), quadPoint(quad, u1, v0), quadPoint(quad, u1, v1),
                  quadPoint(quad, u0, v1)},
                 across && down ? redDark : redLight);
        }
    }
    // Redraw the edge over the cells, then the turned-back corner.
    std::vector<Vec2> border = {quad[0], quad[1], quad[2], quad[3], quad[0]};
    polyline(fringe, border, pen.outlineWidth / pen.scale(), pen.outline);
    Vec2 corner = quadPoint(quad, 0.78f, 0.0f);
    Vec2 side = quadPoint(quad, 1.0f, 0.34f);
    poly(pen, {corner, {side.x - 6.0f, side.y - 18.0f}, side}, redLight);
}
