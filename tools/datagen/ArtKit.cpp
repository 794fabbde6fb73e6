#include "ArtKit.h"

#include <algorithm>
#include <cmath>

using namespace palette;

Rgba withAlpha(const Rgba& color, float alpha) {
    return {color.r, color.g, color.b, alpha};
}

void glow(const Pen& pen, Vec2 centre, float radius, const Rgba& color, float alpha) {
    circle(pen.plain(), centre, radius,
           pen.radial(withAlpha(color, alpha), withAlpha(color, 0.0f), centre, radius));
}

void sparkle(const Pen& pen, Vec2 centre, float size, const Rgba& color) {
    poly(pen.plain(), starPoints(centre, size, size * 0.22f, 4, 0.0f), color);
}

// Outline of a flame: round at the base, narrowing to a tip that leans a little.
static std::vector<Vec2> flameOutline(Vec2 base, float width, float height, float lean) {
    std::vector<Vec2> left;
    std::vector<Vec2> right;
    const int steps = 24;
    for (int i = 0; i <= steps; ++i) {
        float t = static_cast<float>(i) / steps;
        float half;
        if (t < 0.3f) {
            float u = (0.3f - t) / 0.3f;
            half = 0.5f * width * std::sqrt(std::max(0.0f, 1.0f - u * u));
        } else {
            half = 0.5f * width * std::pow(1.0f - (t - 0.3f) / 0.7f, 1.4f);
        }
        float x = base.x + lean * t * t + 0.08f * width * std::sin(t * 9.0f) * t;
        float y = base.y - height * t;
        left.push_back({x - half, y});
        right.push_back({x + half, y});
    }
    std::vector<Vec2> out(left.begin(), left.end());
    out.insert(out.end(), right.rbegin(), right.rend());
    return out;
}

void flame(const Pen& pen, Vec2 base, float width, float height) {
    glow(pen, {base.x, base.y - height * 0.45f}, height * 0.9f, flameOrange, 0.45f);
    poly(pen,
         flameOutline({base.x - width * 0.28f, base.y}, width * 0.5f, height * 0.62f,
                      -width * 0.25f),
         flameRed);
    poly(
        pen,
        flameOutline({base.x + width * 0.28f, base.y}, width * 0.5f, height * 0.58f, width * 0.25f),
        flameRed);
    poly(pen, flameOutline(base, width, height, width * 0.12f),
         pen.linear(flameRed, flameOrange, {base.x, base.y - height}, {base.x, base.y}));
    Pen inner = pen.plain();
    poly(inner,
         flameOutline({base.x, base.y - height * 0.02f}, width * 0.62f, height * 0.7f,
                      width * 0.08f),
         flameOrange);
    poly(inner,
         flameOutline({base.x, base.y - height * 0.04f}, width * 0.34f, height * 0.42f, 0.0f),
         flameYellow);
}

void padlock(const Pen& pen, Vec2 centre, float size) {
    float half = size * 0.5f;
    float top = centre.y - size * 0.36f;
    std::vector<Vec2> shackle =
        arcPoints({centre.x, top}, half * 0.62f, half * 0.7f, 180.0f, 360.0f, 16);
    shackle.insert(shackle.begin(), {centre.x - half * 0.62f, top + 2.0f});
    shackle.push_back({centre.x + half * 0.62f, top + 2.0f});
    polyline(pen, shackle, size * 0.17f, ironLight);
    box(pen, centre.x - half, top, centre.x + half, centre.y + size * 0.42f,
        pen.linear(goldLight, goldDark, {centre.x - half, top}, {centre.x + half, centre.y + half}),
        size * 0.08f);
    Pen keyhole = pen.plain();
    circle(keyhole, {centre.x, centre.y + size * 0.02f}, size * 0.09f, ink);
    poly(keyhole,
         {{centre.x - size * 0.05f, centre.y + size * 0.05f},
          {centre.x + size * 0.05f, centre.y + size * 0.05f},
          {centre.x + size * 0.08f, centre.y + size * 0.26f},
          {centre.x - size * 0.08f, centre.y + size * 0.26f}},
         ink);
}

void keyShape(const Pen& pen, const Rgba& body, const Rgba& dark, int bowStyle) {
    // Shaft and bit first so that the bow's outline sits over the joint.
    box(pen, 8.0f, -3.5f, 58.0f, 3.5f, pen.linear(body, dark, {0.0f, -3.5f}, {0.0f, 3.5f}), 1.0f);
    poly(pen,
         {{44.0f, 2.0f},
          {58.0f, 2.0f},
          {58.0f, 15.0f},
          {54.0f, 15.0f},
          {54.0f, 10.0f},
          {50.0f, 10.0f},
          {50.0f, 15.0f},
          {44.0f, 15.0f}},
         body);
    // The bow is a loop of stroke so that its hole stays see-through.
    std::vector<Vec2> loop;
    if (bowStyle == 0) {
        loop = arcPoints({0.0f, 0.0f}, 9.0f, 9.0f, 0.0f, 360.0f, 32);
    } else {
        loop = {{-7.5f, -7.5f}, {7.5f, -7.5f}, {7.5f, 7.5f}, {-7.5f, 7.5f}};
    }
    loop.push_back(loop.front());
    polyline(pen, loop, 8.0f, mix(body, dark, 0.25f));
    polyline(pen.plain(), arcPoints({0.0f, 0.0f}, 9.0f, 9.0f, 200.0f, 260.0f, 6), 2.0f,
             withAlpha(palette::white, 0.7f));
}

void portalFrame(const Pen& pen) {
    circle(pen, {50.0f, 50.0f}, 40.0f,
           pen.linear(stoneLight, stoneDark, {20.0f, 15.0f}, {80.0f, 90.0f}));
    Pen joints = pen.plain();
    for (int i = 0; i < 12; ++i) {
        float t = i * 30.0f * 3.14159265f / 180.0f + 0.26f;
        Vec2 from = {50.0f + 29.0f * std::cos(t), 50.0f + 29.0f * std::sin(t)};
        Vec2 to = {50.0f + 39.5f * std::cos(t), 50.0f + 39.5f * std::sin(t)};
        line(joints, from, to, 1.4f, withAlpha(ink, 0.7f));
    }
    box(pen, 18.0f, 84.0f, 82.0f, 100.0f,
        pen.linear(stone, stoneDark, {0.0f, 84.0f}, {0.0f, 100.0f}), 1.5f);
    box(pen, 24.0f, 80.0f, 76.0f, 88.0f, stoneLight, 1.0f);
}

void beaconBase(const Pen& pen) {
    box(pen, 28.0f, 91.0f, 72.0f, 100.0f, stoneDark, 1.5f);
    poly(pen, {{39.0f, 92.0f}, {61.0f, 92.0f}, {57.0f, 56.0f}, {43.0f, 56.0f}},
         pen.linear(stoneLight, stoneDark, {39.0f, 0.0f}, {61.0f, 0.0f}));
    box(pen, 33.0f, 50.0f, 67.0f, 58.0f, stone, 1.5f);
    std::vector<Vec2> bowl = arcPoints({50.0f, 36.0f}, 30.0f, 16.0f, 0.0f, 180.0f, 24);
    poly(pen, bowl, pen.linear(ironLight, iron, {20.0f, 36.0f}, {80.0f, 52.0f}));
    ellipse(pen, {50.0f, 36.0f}, 30.0f, 5.5f, hexColor(0x2f333b));
}

void trophyCup(const Pen& pen, const Rgba& light, const Rgba& mid, const Rgba& dark) {
    Paint metal = pen.linear(light, dark, {28.0f, 0.0f}, {72.0f, 0.0f});
    box(pen, 30.0f, 90.0f, 70.0f, 100.0f, hexColor(0x4a3426), 1.5f);
    box(pen, 36.0f, 84.0f, 64.0f, 92.0f, mid, 1.0f);
    poly(pen, {{45.0f, 86.0f}, {55.0f, 86.0f}, {53.0f, 64.0f}, {47.0f, 64.0f}}, metal);
    ellipse(pen, {50.0f, 66.0f}, 8.0f, 3.5f, mid);
    polyline(pen, arcPoints({25.0f, 38.0f}, 11.0f, 13.0f, 90.0f, 270.0f, 16), 5.0f, mid);
    polyline(pen, arcPoints({75.0f, 38.0f}, 11.0f, 13.0f, -90.0f, 90.0f, 16), 5.0f, mid);
    std::vector<Vec2> bowl = arcPoints({50.0f, 24.0f}, 26.0f, 40.0f, 0.0f, 180.0f, 32);
    poly(pen, bowl, metal);
    ellipse(pen, {50.0f, 24.0f}, 26.0f, 5.5f, dark);
}

void crateBody(const Pen& pen, bool weathered) {
    Rgba face = weathered ? hexColor(0x9b7a52) : pine;
    Rgba side = weathered ? hexColor(0x6f5537) : pineDark;
    Rgba top = weathered ? hexColor(0xb59670) : hexColor(0xf0c486);
    poly(pen, {{14.0f, 40.0f}, {30.0f, 28.0f}, {88.0f, 28.0f}, {72.0f, 40.0f}}, top);
    poly(pen, {{72.0f, 40.0f}, {88.0f, 28.0f}, {88.0f, 88.0f}, {72.0f, 100.0f}}, side);
    box(pen, 14.0f, 40.0f, 72.0f, 100.0f, face);
    Rgba inner = weathered ? hexColor(0x85663f) : hexColor(0xc48d4c);
    box(pen, 21.0f, 47.0f, 65.0f, 93.0f, inner);
    Pen planks = pen.plain();
    for (float y : {58.5f, 70.0f, 81.5f}) {
        line(planks, {21.0f, y}, {65.0f, y}, 1.2f, withAlpha(ink, 0.55f));
    }
    line(pen, {22.0f, 92.0f}, {64.0f, 48.0f}, 8.0f, face);
    for (float y : {52.0f, 76.0f}) {
        line(planks, {72.5f, y}, {87.5f, y - 12.0f}, 1.2f, withAlpha(ink, 0.55f));
    }
}

// Height of the chest's domed lid at x.
static float chestLidTop(float x) {
    float u = (x - 50.0f) / 38.0f;
    return 56.0f - 24.0f * std::sqrt(std::max(0.0f, 1.0f - u * u));
}

void closedChestBody(const Pen& pen, const Rgba& woodColor) {
    Rgba dark = mix(woodColor, ink, 0.35f);
    box(pen, 12.0f, 56.0f, 88.0f, 100.0f,
        pen.linear(woodColor, dark, {0.0f, 56.0f}, {0.0f, 100.0f}), 2.0f);
    std::vector<Vec2> lid = arcPoints({50.0f, 56.0f}, 38.0f, 24.0f, 180.0f, 360.0f, 24);
    poly(
        pen, lid,
        pen.linear(mix(woodColor, palette::white, 0.15f), woodColor, {0.0f, 32.0f}, {0.0f, 56.0f}));
    for (float x : {22.0f, 72.0f}) {
        box(pen, x, 56.0f, x + 6.0f, 100.0f, iron);
        poly(
            pen,
            {{x, 56.0f}, {x + 6.0f, 56.0f}, {x + 6.0f, chestLidTop(x + 6.0f)}, {x, chestLidTop(x)}},
            iron);
    }
    box(pen, 10.0f, 53.0f, 90.0f, 59.0f, iron, 1.0f);
}

void clayPot(const Pen& pen) {
    poly(pen, {{30.0f, 100.0f}, {70.0f, 100.0f}, {77.0f, 64.0f}, {23.0f, 64.0f}},
         pen.linear(clay, clayDark, {30.0f, 0.0f}, {74.0f, 0.0f}), 1.0f);
    box(pen, 18.0f, 56.0f, 82.0f, 68.0f,
        pen.linear(hexColor(0xe08a5c), clay, {0.0f, 56.0f}, {0.0f, 68.0f}), 2.0f);
    line(pen.plain(), {28.0f, 80.0f}, {72.0f, 80.0f}, 2.0f, withAlpha(clayDark, 0.8f));
}

void doorFrame(const Pen& pen) {
    std::vector<Vec2> arch = {{16.0f, 100.0f}};
    std::vector<Vec2> top = arcPoints({50.0f, 38.0f}, 34.0f, 34.0f, 180.0f, 360.0f, 24);
    arch.insert(arch.end(), top.begin(), top.end());
    arch.push_back({84.0f, 100.0f});
    poly(pen, arch, pen.linear(stoneLight, stoneDark, {16.0f, 4.0f}, {84.0f, 100.0f}));
    Pen joints = pen.plain();
    for (float y : {50.0f, 66.0f, 82.0f}) {
        line(joints, {16.5f, y}, {26.0f, y}, 1.3f, withAlpha(ink, 0.6f));
        line(joints, {74.0f, y}, {83.5f, y}, 1.3f, withAlpha(ink, 0.6f));
    }
    box(pen, 12.0f, 95.0f, 88.0f, 100.0f, stoneDark, 1.0f);
}

std::vector<Vec2> doorOpening() {
    std::vector<Vec2> opening = {{26.0f, 96.0f}};
    std::vector<Vec2> top = arcPoints({50.0f, 38.0f}, 24.0f, 24.0f, 180.0f, 360.0f, 20);
    opening.insert(opening.end(), top.begin(), top.end());
    opening.push_back({74.0f, 96.0f});
    return opening;
}

void doorLeaf(const Pen& pen, const Rgba& woodColor) {
    Rgba dark = mix(woodColor, ink, 0.3f);
    poly(pen, doorOpening(), pen.linear(woodColor, dark, {26.0f, 0.0f}, {74.0f, 0.0f}));
    Pen planks = pen.plain();
    for (float x : {38.0f, 50.0f, 62.0f}) {
        line(planks, {x, 17.0f}, {x, 95.0f}, 1.4f, withAlpha(ink, 0.6f));
    }
}

void torchBody(const Pen& pen) {
    poly(pen, {{46.5f, 100.0f}, {53.5f, 100.0f}, {56.0f, 52.0f}, {44.0f, 52.0f}},
         pen.linear(woodLight, woodDark, {44.0f, 0.0f}, {56.0f, 0.0f}), 1.0f);
    box(pen, 39.0f, 36.0f, 61.0f, 56.0f, hexColor(0x7d6a55), 3.0f);
    Pen wraps = pen.plain();
    for (float y : {41.0f, 46.0f, 51.0f}) {
        line(wraps, {40.0f, y + 1.5f}, {60.0f, y - 1.5f}, 1.3f, withAlpha(ink, 0.6f));
    }
    ellipse(pen, {50.0f, 36.0f}, 11.0f, 5.0f, hexColor(0x3a302a));
}
