// Pictures of the underwater game. Textures that repeat are built from waves
// with whole periods across the picture, so their edges meet.
#include "ArtKit.h"
#include "DataOutput.h"
#include "MeshFiles.h"
#include "PixelFont.h"
#include "Sarn2016Data.h"

#include <cmath>
#include <cstdint>
#include <string>
#include <vector>

namespace {

const float twoPi = 6.2831853f;

struct Wave {
    int fx, fy; // whole periods across the picture
    float phase;
    float weight;
};

// Sum of waves at (u, v) in [0, 1); time turns each wave by whole cycles.
float waves(const std::vector<Wave>& set, float u, float v, float time = 0.0f) {
    float sum = 0.0f;
    for (size_t i = 0; i < set.size(); ++i) {
        const Wave& w = set[i];
        float cycles = static_cast<float>(i % 3 + 1) * (i % 2 ? -1.0f : 1.0f);
        sum += w.weight * std::sin(twoPi * (w.fx * u + w.fy * v + cycles * time) + w.phase);
    }
    return sum;
}

// A repeatable 0..1 value per pixel, so speckles tile as well.
float hash(int x, int y, int seed) {
    std::uint32_t h = static_cast<std::uint32_t>(x) * 73856093u ^
                      static_cast<std::uint32_t>(y) * 19349663u ^
                      static_cast<std::uint32_t>(seed) * 83492791u;
    h ^= h >> 13;
    h *= 0x5bd1e995u;
    h ^= h >> 15;
    return static_cast<float>(h & 0xffff) / 65535.0f;
}

void setPixel(Canvas& canvas, int x, int y, const Rgba& c) {
    float* p = &canvas.pixels[(static_cast<size_t>(y) * canvas.width + x) * 4];
    p[0] = c.r * c.a;
    p[1] = c.g * c.a;
    p[2] = c.b * c.a;
    p[3] = c.a;
}

template <typename F> Canvas paint(int size, F colourAt) {
    Canvas canvas(size, size);
    for (int y = 0; y < size; ++y) {
        for (int x = 0; x < size; ++x) {
            setPixel(canvas, x, y, colourAt(x, y, (x + 0.5f) / size, (y + 0.5f) / size));
        }
    }
    return canvas;
}

Canvas waterPicture() {
    std::vector<Wave> set = {{2, 1, 0.3f, 0.5f}, {-1, 3, 1.1f, 0.35f}, {4, -2, 2.0f, 0.15f}};
    return paint(64, [&](int, int, float u, float v) {
        float s = waves(set, u, v) * 0.5f + 0.5f;
        return withAlpha(mix(hexColor(0x1d5f8c), hexColor(0x7fc8e8), s), 0.55f + 0.2f * s);
    });
}

// Stone blocks in running bond, four rows of two.
Canvas wallPicture() {
    return paint(64, [](int x, int y, float, float) {
        int row = y / 16;
        int shifted = (x + (row % 2) * 16) % 64;
        bool joint = y % 16 < 2 || shifted % 32 < 2;
        float grain = hash(x, y, 1) * 0.12f + hash(shifted / 32, row, 2) * 0.15f;
        Rgba stone = mix(palette::stoneDark, palette::stoneLight, 0.35f + grain);
        return joint ? hexColor(0x4a4a55) : stone;
    });
}

// Planks along x with grain lines; four planks repeat.
Canvas woodPicture() {
    std::vector<Wave> grain = {{1, 0, 0.0f, 0.6f}, {0, 8, 0.7f, 0.4f}, {2, 16, 1.3f, 0.2f}};
    return paint(64, [&](int x, int y, float u, float v) {
        if (y % 16 == 0) {
            return palette::woodDark;
        }
        float g = waves(grain, u + (y / 16) * 0.37f, v) * 0.25f + 0.5f;
        g += (hash(x, y, 3) - 0.5f) * 0.08f;
        return mix(palette::wood, palette::woodLight, g);
    });
}

// Grass: the orbit prototype lays it on every tile of its disc and the
// underwater game over a whole room floor (a seagrass meadow), so it carries
// broad light and dark patches as well as blades.
Canvas grassPicture() {
    std::vector<Wave> patches = {{1, 2, 0.2f, 0.5f}, {3, -1, 1.7f, 0.3f}, {-2, 5, 0.9f, 0.2f}};
    return paint(64, [&](int x, int y, float u, float v) {
        float s = waves(patches, u, v) * 0.35f + 0.5f;
        Rgba meadow = mix(hexColor(0x4f8a2c), hexColor(0x8cb846), s);
        // Blades: short upright strokes, a column's hash shifting its run.
        float blade = hash(x, (y + static_cast<int>(hash(x, 0, 6) * 4.0f)) / 4, 4);
        if (blade > 0.86f) {
            return mix(meadow, hexColor(0x2f5e1c), 0.6f);
        }
        if (blade < 0.1f) {
            return mix(meadow, hexColor(0xc2dc78), 0.5f);
        }
        return meadow;
    });
}

// Rock strata, repeating across; v runs up the border strip.
Canvas cliffPicture() {
    std::vector<Wave> strata = {{0, 3, 0.4f, 0.5f}, {1, 7, 1.2f, 0.3f}, {2, 13, 2.5f, 0.2f}};
    return paint(64, [&](int x, int y, float u, float v) {
        float s = waves(strata, u, v) * 0.4f + 0.5f + (hash(x, y, 5) - 0.5f) * 0.1f;
        return mix(hexColor(0x3c3a44), hexColor(0x8f8578), s);
    });
}

// Bright threads where the waves cancel: the light under a rippled surface.
// Every wave turns a whole number of cycles over the frames, so the loop
// closes.
float caustic(float u, float v, float time) {
    static const std::vector<Wave> set = {
        {2, 1, 0.0f, 1.0f}, {-1, 2, 1.3f, 1.0f}, {1, -3, 2.1f, 0.8f}, {3, 2, 4.0f, 0.6f}};
    float s = std::fabs(waves(set, u, v, time));
    float line = std::max(0.0f, 1.0f - s * 0.9f);
    return line * line * line;
}

Canvas causticPicture(float time) {
    return paint(64, [&](int, int, float u, float v) {
        float c = caustic(u, v, time);
        return Rgba{0.55f + 0.45f * c, 0.7f + 0.3f * c, 0.8f + 0.2f * c, 1.0f};
    });
}

// Fronds on a clear ground; the mesh stands it upright.
Canvas seaweedPicture() {
    Canvas canvas(32, 64);
    Pen pen = makePen(canvas, 1.0f, 0.0f, 0.0f, 1.0f, palette::leafDark);
    const float bases[] = {9.0f, 16.0f, 23.0f};
    for (int blade = 0; blade < 3; ++blade) {
        std::vector<Vec2> left, right;
        for (int i = 0; i <= 12; ++i) {
            float y = 63.0f - i * 5.0f;
            float sway = std::sin(i * 0.6f + blade * 1.7f) * 3.0f;
            float half = 2.6f * (1.0f - i / 13.0f) + 0.4f;
            left.push_back({bases[blade] + sway - half, y});
            right.push_back({bases[blade] + sway + half, y});
        }
        std::vector<Vec2> outline = left;
        outline.insert(outline.end(), right.rbegin(), right.rend());
        poly(pen, outline,
             pen.linear(palette::leaf, palette::leafDark, {0.0f, 0.0f}, {0.0f, 64.0f}));
    }
    return canvas;
}

// A key's picture covers the whole of it: the level wraps it round a block,
// which must stand out from the green sea floor from across a room, and
// linear filtering without mipmaps loses thin lines from a distance. So the
// block glows pale in the key's colour, with the key itself drawn across it.
Canvas keyPicture(const Rgba& body, const Rgba& dark, int bowStyle) {
    Canvas canvas(64, 64);
    Pen frame = makePen(canvas, 1.0f, 0.0f, 0.0f, 3.0f, dark);
    box(frame, 0.0f, 0.0f, 64.0f, 64.0f,
        frame.radial(mix(body, palette::white, 0.75f), mix(body, palette::white, 0.35f),
                     {32.0f, 32.0f}, 40.0f));
    // The key's middle, 22.5 units along it from the bow, on the centre.
    Pen pen = makePen(canvas, 0.8f, 32.0f - 12.7f, 32.0f + 12.7f, 1.5f, palette::ink)
                  .rotated(-45.0f, {0.0f, 0.0f});
    keyShape(pen, body, dark, bowStyle);
    return canvas;
}

// A card with lines of text, centred.
Canvas card(int width, int height, const std::vector<std::string>& lines, int scale) {
    Canvas canvas(width, height);
    Pen pen = makePen(canvas, 1.0f, 0.0f, 0.0f, 2.0f, hexColor(0x0c2f45));
    box(pen, 1.0f, 1.0f, width - 1.0f, height - 1.0f, withAlpha(hexColor(0x134b6b), 0.85f), 6.0f);
    int lineHeight = glyphHeight * scale;
    int gap = scale * 3;
    int total = static_cast<int>(lines.size()) * (lineHeight + gap) - gap;
    int y = (height - total) / 2;
    for (const std::string& line : lines) {
        drawText(canvas, line, (width - textWidth(line, scale)) / 2, y, scale, palette::white);
        y += lineHeight + gap;
    }
    return canvas;
}

// 16 x 16 cells of 8 pixels, white glyphs on black; code c sits in column
// c % 16 and row c / 16 counted from the top. Small letters take the capitals.
Canvas glyphAtlas() {
    Canvas canvas(128, 128);
    for (int code = 0; code < 128; ++code) {
        char c = static_cast<char>(code >= 'a' && code <= 'z' ? code - 32 : code);
        drawText(canvas, std::string(1, c), (code % 16) * 8 + 1, (code / 16) * 8, 1,
                 palette::white);
    }
    return canvas;
}

} // namespace

void writeSarn2016Images(DataOutput& out) {
    Canvas atlas = glyphAtlas();
    out.bmp("data/font.bmp.fnt", atlas.width, atlas.height, canvasBgrStraight(atlas));
    out.png("data/water.png", waterPicture());
    Canvas wall = wallPicture();
    out.bmp("data/wall.bmp", wall.width, wall.height, canvasBgrStraight(wall));
    Canvas wood = woodPicture();
    out.bmp("data/wood.bmp", wood.width, wood.height, canvasBgrStraight(wood));
    out.png("data/grass.png", grassPicture());
    out.png("data/seaweed.png", seaweedPicture());
    out.png("data/cliff.png", cliffPicture());
    out.png("data/redkey.png", keyPicture(hexColor(0xe5393b), hexColor(0x7a1517), 0));
    out.png("data/greenkey.png", keyPicture(hexColor(0x43c463), hexColor(0x1b6b2e), 1));
    out.png("data/bluekey.png", keyPicture(hexColor(0x3d83f0), hexColor(0x173f85), 0));
    out.png("data/goldkey.png", keyPicture(palette::gold, palette::goldDark, 1));
    out.png("data/ctrl.png", card(64, 64, {"CTRL", "PULL"}, 2));
    out.png(
        "data/swimmingcontrols.png",
        card(512, 128, {"SPACE  SWIM", "ARROWS  STEER", "CTRL  LEVER", "F1 HELP  F4 RESTART"}, 3));
    out.png("data/underwaterRefraction.png", causticPicture(0.0f));
    for (int frame = 0; frame < 32; ++frame) {
        out.png("data/water2/" + std::to_string(frame + 1) + ".png", causticPicture(frame / 32.0f));
    }
}
