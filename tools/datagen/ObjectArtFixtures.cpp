// Objects that stay in the room: doors, portals, beacons, trophies and the
// containers that hide things.
#include "ArtKit.h"
#include "ObjectArt.h"

#include <cmath>

using namespace palette;

void drawClosedDoor(const Pen& pen) {
    doorFrame(pen);
    doorLeaf(pen, wood);
    box(pen, 26.0f, 44.0f, 42.0f, 49.0f, iron, 1.0f);
    box(pen, 26.0f, 78.0f, 42.0f, 83.0f, iron, 1.0f);
    circle(pen, {66.0f, 66.0f}, 3.6f, gold);
}

void drawLockedDoor(const Pen& pen) {
    doorFrame(pen);
    doorLeaf(pen, hexColor(0x7e5236));
    for (float y : {42.0f, 82.0f}) {
        box(pen, 26.0f, y, 74.0f, y + 6.0f, iron);
        Pen rivets = pen.plain();
        for (float x : {31.0f, 50.0f, 69.0f}) {
            circle(rivets, {x, y + 3.0f}, 1.4f, ironLight);
        }
    }
    padlock(pen, {50.0f, 66.0f}, 28.0f);
}

void drawOpenDoor(const Pen& pen) {
    glow(pen, {50.0f, 58.0f}, 52.0f, hexColor(0xffd86a), 0.55f);
    doorFrame(pen);
    poly(pen, doorOpening(),
         pen.radial(hexColor(0xfffbe6), hexColor(0xffc24a), {50.0f, 60.0f}, 44.0f));
    // The leaf swung towards the room, seen edge-on at the hinge side.
    poly(pen, {{26.0f, 22.0f}, {8.0f, 30.0f}, {8.0f, 99.0f}, {26.0f, 96.0f}},
         pen.linear(woodLight, woodDark, {8.0f, 0.0f}, {26.0f, 0.0f}));
    line(pen.plain(), {17.0f, 28.0f}, {17.0f, 97.0f}, 1.3f, withAlpha(ink, 0.5f));
    ellipse(pen.plain(), {56.0f, 97.0f}, 26.0f, 3.0f, withAlpha(hexColor(0xfff4c0), 0.8f));
    Pen rays = pen.plain();
    for (int i = 0; i < 5; ++i) {
        float x = 36.0f + i * 7.0f;
        line(rays, {x, 30.0f}, {x + 4.0f, 92.0f}, 2.0f, withAlpha(palette::white, 0.35f));
    }
}

// The spiral drawn inside both portals.
static std::vector<Vec2> portalSwirl() {
    std::vector<Vec2> swirl;
    for (int i = 0; i <= 40; ++i) {
        float t = i * 0.3f;
        float r = 3.0f + i * 0.55f;
        swirl.push_back({50.0f + r * std::cos(t), 50.0f + r * std::sin(t)});
    }
    return swirl;
}

void drawDarkPortal(const Pen& pen) {
    portalFrame(pen);
    circle(pen, {50.0f, 50.0f}, 29.0f,
           pen.radial(hexColor(0x150d24), hexColor(0x3b2b58), {50.0f, 50.0f}, 29.0f));
    polyline(pen.plain(), portalSwirl(), 1.8f, withAlpha(hexColor(0x5c4a82), 0.8f));
    circle(pen, {50.0f, 14.0f}, 5.0f, hexColor(0x1c1826));
}

void drawGlowingPortal(const Pen& pen) {
    glow(pen, {50.0f, 50.0f}, 52.0f, hexColor(0x6ff2ff), 0.7f);
    portalFrame(pen);
    circle(pen, {50.0f, 50.0f}, 29.0f,
           pen.radial(hexColor(0x8ff8ff), hexColor(0xa24cff), {50.0f, 50.0f}, 29.0f));
    polyline(pen.plain(), portalSwirl(), 2.2f, withAlpha(palette::white, 0.75f));
    glow(pen, {50.0f, 50.0f}, 16.0f, palette::white, 0.9f);
    poly(pen, {{50.0f, 6.0f}, {56.0f, 14.0f}, {50.0f, 22.0f}, {44.0f, 14.0f}},
         pen.linear(hexColor(0xd8ffff), hexColor(0x22b5e0), {44.0f, 6.0f}, {56.0f, 22.0f}));
    sparkle(pen, {14.0f, 18.0f}, 6.0f, palette::white);
    sparkle(pen, {88.0f, 30.0f}, 5.0f, palette::white);
    sparkle(pen, {84.0f, 74.0f}, 4.0f, palette::white);
}

void drawColdBeacon(const Pen& pen) {
    beaconBase(pen);
    Pen coals = pen;
    ellipse(coals, {38.0f, 34.0f}, 7.0f, 4.0f, hexColor(0x5d5d63));
    ellipse(coals, {52.0f, 32.0f}, 8.0f, 4.5f, hexColor(0x77777f));
    ellipse(coals, {64.0f, 34.5f}, 6.0f, 3.5f, hexColor(0x4f4f56));
    // A thin curl of cold smoke says "this could burn".
    std::vector<Vec2> smoke;
    for (int i = 0; i <= 20; ++i) {
        float t = i / 20.0f;
        smoke.push_back({52.0f + 5.0f * std::sin(t * 7.0f), 28.0f - 22.0f * t});
    }
    polyline(pen.plain(), smoke, 2.2f, withAlpha(hexColor(0xb8c4d6), 0.55f));
}

void drawLitBeacon(const Pen& pen) {
    glow(pen, {50.0f, 26.0f}, 48.0f, flameOrange, 0.5f);
    beaconBase(pen);
    flame(pen, {50.0f, 36.0f}, 40.0f, 35.0f);
    Pen embers = pen.plain();
    circle(embers, {30.0f, 10.0f}, 1.5f, flameYellow);
    circle(embers, {70.0f, 6.0f}, 1.3f, flameYellow);
    circle(embers, {74.0f, 18.0f}, 1.1f, flameOrange);
}

void drawDustyTrophy(const Pen& pen) {
    trophyCup(pen, hexColor(0xa89f8e), hexColor(0x8a8172), hexColor(0x5f584d));
    Pen dust = pen.plain();
    const Vec2 specks[] = {{36.0f, 36.0f}, {44.0f, 48.0f}, {58.0f, 40.0f}, {63.0f, 30.0f},
                           {52.0f, 56.0f}, {40.0f, 28.0f}, {66.0f, 46.0f}, {48.0f, 34.0f}};
    for (const Vec2& s : specks) {
        circle(dust, s, 1.6f, withAlpha(hexColor(0x4a443b), 0.7f));
    }
    // Cobweb between the left handle and the cup.
    Vec2 corner = {14.0f, 26.0f};
    Rgba web = withAlpha(hexColor(0xe8e8e8), 0.85f);
    for (float a : {0.0f, 30.0f, 60.0f, 90.0f}) {
        float t = a * 3.14159265f / 180.0f;
        line(dust, corner, {corner.x + 24.0f * std::cos(t), corner.y + 24.0f * std::sin(t)}, 0.9f,
             web);
    }
    for (float r : {8.0f, 15.0f, 22.0f}) {
        polyline(dust, arcPoints(corner, r, r, 0.0f, 90.0f, 6), 0.9f, web);
    }
}

void drawGoldenTrophy(const Pen& pen) {
    glow(pen, {50.0f, 40.0f}, 50.0f, goldLight, 0.55f);
    trophyCup(pen, goldLight, gold, goldDark);
    poly(pen, starPoints({50.0f, 42.0f}, 10.0f, 4.2f, 5, 0.0f), hexColor(0xfff8d0));
    line(pen.plain(), {34.0f, 30.0f}, {38.0f, 54.0f}, 3.0f, withAlpha(palette::white, 0.7f));
    sparkle(pen, {20.0f, 12.0f}, 7.0f, palette::white);
    sparkle(pen, {82.0f, 16.0f}, 5.5f, palette::white);
    sparkle(pen, {86.0f, 60.0f}, 4.0f, goldLight);
}

void drawWoodenCrate(const Pen& pen) {
    crateBody(pen, false);
}

void drawNailedCrate(const Pen& pen) {
    crateBody(pen, true);
    Rgba board = hexColor(0xc9b28c);
    Pen upper = pen.rotated(-7.0f, {44.0f, 56.0f});
    box(upper, 8.0f, 51.0f, 80.0f, 61.0f, board, 1.0f);
    Pen lower = pen.rotated(6.0f, {44.0f, 80.0f});
    box(lower, 8.0f, 75.0f, 80.0f, 85.0f, board, 1.0f);
    for (const Pen* p : {&upper, &lower}) {
        float y = (p == &upper) ? 56.0f : 80.0f;
        circle(*p, {14.0f, y}, 2.4f, ironLight);
        circle(*p, {74.0f, y}, 2.4f, ironLight);
        circle(*p, {44.0f, y}, 2.4f, ironLight);
    }
    // Boards across the lid too.
    line(pen, {24.0f, 38.0f}, {84.0f, 30.0f}, 5.0f, board);
    circle(pen, {28.0f, 37.5f}, 2.0f, ironLight);
    circle(pen, {80.0f, 30.5f}, 2.0f, ironLight);
}

void drawClosedChest(const Pen& pen) {
    closedChestBody(pen, hexColor(0xa8642e));
    box(pen, 44.0f, 50.0f, 56.0f, 66.0f, gold, 1.5f);
    box(pen.plain(), 48.5f, 57.0f, 51.5f, 63.0f, goldDark, 1.0f);
}

void drawLockedChest(const Pen& pen) {
    closedChestBody(pen, hexColor(0x8a4f2a));
    // Chains crossing the front, held by the padlock.
    Pen chain = pen;
    for (int i = 0; i < 7; ++i) {
        float t = i / 6.0f;
        ellipse(chain, {14.0f + 36.0f * t, 62.0f + 12.0f * t}, 3.6f, 2.2f, ironLight);
        ellipse(chain, {86.0f - 36.0f * t, 62.0f + 12.0f * t}, 3.6f, 2.2f, ironLight);
    }
    padlock(pen, {50.0f, 78.0f}, 24.0f);
}

void drawTreasureChest(const Pen& pen) {
    glow(pen, {50.0f, 46.0f}, 50.0f, goldLight, 0.6f);
    // Open lid, its inside facing us.
    poly(pen, {{12.0f, 58.0f}, {88.0f, 58.0f}, {82.0f, 18.0f}, {18.0f, 18.0f}},
         pen.linear(hexColor(0x5a3218), hexColor(0x8a5028), {0.0f, 18.0f}, {0.0f, 58.0f}), 1.5f);
    box(pen, 16.0f, 14.0f, 84.0f, 22.0f, iron, 1.5f);
    // Heap of coins and gems.
    ellipse(pen, {50.0f, 58.0f}, 36.0f, 14.0f,
            pen.linear(goldLight, goldDark, {0.0f, 44.0f}, {0.0f, 66.0f}));
    const Vec2 coins[] = {
        {30.0f, 52.0f}, {42.0f, 47.0f}, {56.0f, 46.0f}, {68.0f, 51.0f}, {50.0f, 54.0f}};
    for (const Vec2& c : coins) {
        ellipse(pen, c, 5.5f, 3.2f, gold);
    }
    poly(pen, {{36.0f, 40.0f}, {41.0f, 45.0f}, {36.0f, 50.0f}, {31.0f, 45.0f}}, hexColor(0xe0304a));
    poly(pen, {{62.0f, 38.0f}, {67.0f, 43.0f}, {62.0f, 48.0f}, {57.0f, 43.0f}}, hexColor(0x2fd07a));
    poly(pen, {{50.0f, 34.0f}, {54.0f, 39.0f}, {50.0f, 44.0f}, {46.0f, 39.0f}}, hexColor(0x3a8cff));
    Rgba body = hexColor(0xa8642e);
    box(pen, 12.0f, 60.0f, 88.0f, 100.0f,
        pen.linear(body, mix(body, ink, 0.35f), {0.0f, 60.0f}, {0.0f, 100.0f}), 2.0f);
    box(pen, 22.0f, 60.0f, 28.0f, 100.0f, iron);
    box(pen, 72.0f, 60.0f, 78.0f, 100.0f, iron);
    box(pen, 10.0f, 58.0f, 90.0f, 64.0f, iron, 1.0f);
    sparkle(pen, {24.0f, 36.0f}, 6.0f, palette::white);
    sparkle(pen, {76.0f, 30.0f}, 7.0f, palette::white);
    sparkle(pen, {52.0f, 26.0f}, 4.5f, goldLight);
}

static void flowerHead(const Pen& pen, Vec2 centre, const Rgba& petal) {
    for (int i = 0; i < 5; ++i) {
        float t = (i * 72.0f - 90.0f) * 3.14159265f / 180.0f;
        circle(pen, {centre.x + 6.0f * std::cos(t), centre.y + 6.0f * std::sin(t)}, 5.2f, petal);
    }
    circle(pen, centre, 4.0f, hexColor(0xffd23a));
}

void drawFlowerPot(const Pen& pen) {
    Pen stems = pen;
    line(stems, {50.0f, 60.0f}, {30.0f, 30.0f}, 3.0f, leaf);
    line(stems, {50.0f, 60.0f}, {52.0f, 16.0f}, 3.0f, leaf);
    line(stems, {50.0f, 60.0f}, {72.0f, 28.0f}, 3.0f, leaf);
    ellipse(pen.rotated(-35.0f, {36.0f, 48.0f}), {36.0f, 48.0f}, 9.0f, 4.0f, leaf);
    ellipse(pen.rotated(35.0f, {64.0f, 46.0f}), {64.0f, 46.0f}, 9.0f, 4.0f, leaf);
    flowerHead(pen, {30.0f, 28.0f}, hexColor(0xff5f8a));
    flowerHead(pen, {52.0f, 15.0f}, hexColor(0xe83a3a));
    flowerHead(pen, {72.0f, 27.0f}, hexColor(0xb86bff));
    clayPot(pen);
}

void drawOvergrownPot(const Pen& pen) {
    clayPot(pen);
    // A tangle of thorny vines spilling over the rim and up.
    poly(pen,
         {{14.0f, 62.0f},
          {10.0f, 44.0f},
          {20.0f, 30.0f},
          {30.0f, 16.0f},
          {46.0f, 20.0f},
          {56.0f, 8.0f},
          {70.0f, 18.0f},
          {86.0f, 24.0f},
          {88.0f, 44.0f},
          {92.0f, 60.0f},
          {80.0f, 62.0f},
          {60.0f, 56.0f},
          {40.0f, 58.0f},
          {24.0f, 64.0f}},
         pen.linear(hexColor(0x3f7a3a), hexColor(0x1f4424), {0.0f, 10.0f}, {0.0f, 64.0f}), 3.0f);
    Rgba vine = hexColor(0x4a3a22);
    std::vector<std::vector<Vec2>> vines = {
        {{30.0f, 62.0f}, {22.0f, 48.0f}, {28.0f, 34.0f}, {20.0f, 22.0f}},
        {{50.0f, 60.0f}, {54.0f, 40.0f}, {46.0f, 26.0f}, {56.0f, 12.0f}},
        {{68.0f, 60.0f}, {76.0f, 44.0f}, {70.0f, 30.0f}, {82.0f, 22.0f}},
        {{20.0f, 64.0f}, {8.0f, 72.0f}, {6.0f, 86.0f}},
        {{80.0f, 64.0f}, {92.0f, 72.0f}, {94.0f, 88.0f}},
    };
    for (const std::vector<Vec2>& v : vines) {
        polyline(pen, v, 3.4f, vine);
        for (size_t i = 0; i + 1 < v.size(); ++i) {
            Vec2 m = {(v[i].x + v[i + 1].x) * 0.5f, (v[i].y + v[i + 1].y) * 0.5f};
            poly(pen.plain(), {{m.x - 1.6f, m.y}, {m.x + 1.6f, m.y}, {m.x + 4.5f, m.y - 3.5f}},
                 vine);
            poly(pen.plain(),
                 {{m.x - 1.6f, m.y + 2.0f}, {m.x + 1.6f, m.y + 2.0f}, {m.x - 4.5f, m.y + 5.0f}},
                 vine);
        }
    }
    const Vec2 deadLeaves[] = {{16.0f, 40.0f}, {62.0f, 14.0f}, {86.0f, 38.0f}, {38.0f, 30.0f}};
    for (const Vec2& l : deadLeaves) {
        ellipse(pen, l, 4.0f, 2.4f, hexColor(0x8c7a3a));
    }
}

void drawSack(const Pen& pen) {
    std::vector<Vec2> body = {{24.0f, 100.0f}, {76.0f, 100.0f}, {84.0f, 90.0f}, {86.0f, 70.0f},
                              {78.0f, 48.0f},  {62.0f, 34.0f},  {56.0f, 28.0f}, {44.0f, 28.0f},
                              {38.0f, 34.0f},  {22.0f, 48.0f},  {14.0f, 70.0f}, {16.0f, 90.0f}};
    poly(pen, body, pen.linear(hexColor(0xdcbc84), burlapDark, {20.0f, 30.0f}, {84.0f, 100.0f}),
         2.0f);
    Pen weave = pen.plain();
    for (float y : {52.0f, 64.0f, 76.0f, 88.0f}) {
        line(weave, {22.0f, y}, {80.0f, y}, 0.9f, withAlpha(burlapDark, 0.7f));
    }
    box(pen, 54.0f, 66.0f, 70.0f, 82.0f, hexColor(0x8f6a3a), 1.0f);
    Pen stitches = pen.plain();
    for (float x : {57.0f, 62.0f, 67.0f}) {
        line(stitches, {x, 64.0f}, {x, 68.0f}, 1.0f, ink);
        line(stitches, {x, 80.0f}, {x, 84.0f}, 1.0f, ink);
    }
    poly(pen,
         {{42.0f, 28.0f},
          {36.0f, 10.0f},
          {44.0f, 16.0f},
          {50.0f, 6.0f},
          {56.0f, 16.0f},
          {64.0f, 10.0f},
          {58.0f, 28.0f}},
         burlap);
    box(pen, 38.0f, 24.0f, 62.0f, 31.0f, hexColor(0x8a6a4a), 2.0f);
    polyline(pen, {{52.0f, 30.0f}, {60.0f, 40.0f}, {58.0f, 48.0f}}, 2.2f, hexColor(0x8a6a4a));
}
