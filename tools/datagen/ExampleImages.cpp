#include "ArtKit.h"
#include "DataOutput.h"
#include "ExampleData.h"
#include "MeshFiles.h"
#include "Noise.h"
#include "PixelFont.h"

#include <cstdint>

namespace {

const Rgba asphalt = hexColor(0x3e3f46);

// Speckled grass, tiled over the background.
Canvas grass(int size) {
    Canvas canvas(size, size);
    for (int y = 0; y < size; ++y) {
        for (int x = 0; x < size; ++x) {
            float n = speckle(x, y, 7u);
            Rgba c = mix(hexColor(0x458f38), hexColor(0x55a242), n);
            // Faint tufts: the game mirrors the tile, and strong marks would
            // show the mirror's pattern.
            if (speckle(x / 2, y / 3, 11u) > 0.93f)
                c = mix(c, hexColor(0x2f6a2a), 0.35f);
            canvas.blend(x, y, c, 1.0f);
        }
    }
    return canvas;
}

// The road across u (left edge at 0) and along v: edge lines and two dashed
// lane lines, dashes over the middle half of v.
Canvas road() {
    Canvas canvas(128, 64);
    for (int y = 0; y < canvas.height; ++y) {
        for (int x = 0; x < canvas.width; ++x) {
            Rgba c = mix(asphalt, hexColor(0x55565e), speckle(x, y, 3u) * 0.6f);
            bool edge = (x >= 4 && x < 8) || (x >= 120 && x < 124);
            bool lane = (x >= 42 && x < 45) || (x >= 83 && x < 86);
            if (edge || (lane && y >= 16 && y < 48))
                c = hexColor(0xe8e8e0);
            if (x < 3 || x >= 125)
                c = hexColor(0x8a8a84);
            canvas.blend(x, y, c, 1.0f);
        }
    }
    return canvas;
}

// Dark under the truck: what shows between the cab and the box and at the
// cab's rounded corners.
const Rgba chassis = hexColor(0x23262c);

// Top view of the truck facing up (+y on screen): cab first, then the box.
// A 24-bit picture has no clear pixels and the sprite is drawn whole, so the
// truck fills its picture edge to edge.
Canvas truck() {
    Canvas canvas(64, 176);
    Pen pen = makePen(canvas, 1.0f, 0.0f, 0.0f, 2.0f, palette::ink);
    box(pen, 0, 50, 64, 176, hexColor(0xd8dde3), 2.0f);
    for (int rib = 0; rib < 5; ++rib) {
        float y = 70.0f + 22.0f * float(rib);
        line(pen.plain(), {6, y}, {58, y}, 2.0f, hexColor(0xaab1ba));
    }
    box(pen, 0, 0, 64, 48, hexColor(0xd63a2f), 8.0f);
    box(pen, 8, 7, 56, 18, hexColor(0x23303c), 3.0f);
    box(pen.plain(), 12, 26, 52, 42, hexColor(0xb02c23), 3.0f);
    box(pen.plain(), 1, 16, 5, 22, hexColor(0x23303c));
    box(pen.plain(), 59, 16, 63, 22, hexColor(0x23303c));
    return canvas;
}

// Hazard stripes along the bar.
Canvas bar() {
    Canvas canvas(8, 128);
    for (int y = 0; y < canvas.height; ++y) {
        for (int x = 0; x < canvas.width; ++x) {
            bool dark = ((x + y) / 8) % 2 == 1;
            canvas.blend(x, y, dark ? hexColor(0x1f1f1f) : hexColor(0xf2c230), 1.0f);
        }
    }
    return canvas;
}

Canvas heart() {
    Canvas canvas(32, 32);
    Pen pen = makePen(canvas, 1.0f, 0.0f, 0.0f, 2.0f, hexColor(0x5a0c12));
    Rgba red = hexColor(0xe0303c);
    poly(pen, {{3, 12}, {16, 29}, {29, 12}, {24, 4}, {16, 8}, {8, 4}}, red, 2.0f);
    circle(pen.plain(), {10, 10}, 6.5f, red);
    circle(pen.plain(), {22, 10}, 6.5f, red);
    circle(pen.plain(), {10, 9}, 2.5f, hexColor(0xff9aa2));
    return canvas;
}

// The texts are never drawn on screen, so the card carries the prompts.
Canvas title() {
    Canvas canvas(400, 200);
    Pen pen = makePen(canvas, 1.0f, 0.0f, 0.0f, 3.0f, hexColor(0xf2c230));
    box(pen, 4, 4, 396, 196, withAlpha(hexColor(0x141c26), 0.92f), 12.0f);
    Rgba gold = hexColor(0xffd84a);
    Rgba white = palette::white;
    drawText(canvas, "EXAMPLE", (400 - textWidth("EXAMPLE", 6)) / 2, 16, 6, gold);
    const char* goal = "KEEP THE BAR OFF THE CARS";
    drawText(canvas, goal, (400 - textWidth(goal, 2)) / 2, 68, 2, white);
    struct Prompt {
        const char* key;
        const char* meaning;
    };
    const Prompt prompts[] = {{"SPACE", "START"},
                              {"F1", "EASY OR HARD"},
                              {"F2", "NORMAL OR RANDOM MODE"},
                              {"ARROWS", "STEER"}};
    int y = 100;
    for (const Prompt& p : prompts) {
        drawText(canvas, p.key, 24, y, 2, gold);
        drawText(canvas, p.meaning, 24 + 8 * 12, y, 2, white);
        y += 24;
    }
    return canvas;
}

std::vector<std::uint8_t> whitePixels() {
    return std::vector<std::uint8_t>(4 * 4 * 3, 255);
}

} // namespace

void writeExampleImages(DataOutput& out) {
    Canvas truckPicture = truck();
    out.bmp("data/truck.bmp", truckPicture.width, truckPicture.height,
            canvasBgr(truckPicture, chassis));
    Canvas barPicture = bar();
    out.bmp("data/paroi.bmp", barPicture.width, barPicture.height, canvasBgr(barPicture, asphalt));
    Canvas grassPicture = grass(128);
    out.bmp("data/grass.bmp", grassPicture.width, grassPicture.height,
            canvasBgr(grassPicture, asphalt));
    out.bmp("data/whitepixel.bmp", 4, 4, whitePixels());
    out.png("data/road6.png", road());
    out.png("data/heart.png", heart());
    out.png("data/title.png", title());
}
