// The data tool's writers and its shape filler.
#include "DataFiles.h"
#include "ImageWriters.h"
#include "Raster.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <unistd.h>

namespace {

std::string scratchFile(const char* name) {
    return "/tmp/datagen_" + std::to_string(getpid()) + "_" + name;
}

} // namespace

TEST(ImageWriters, PngKeepsPixelsAndRowOrder) {
    std::string path = scratchFile("rows.png");
    // Three rows of two pixels, each byte distinct, with partial alpha.
    std::vector<std::uint8_t> rgba(3 * 2 * 4);
    for (size_t i = 0; i < rgba.size(); ++i) {
        rgba[i] = static_cast<std::uint8_t>(10 + i * 9);
    }
    ASSERT_TRUE(writePng(path, 2, 3, rgba));
    PngHeader header;
    ASSERT_TRUE(readPngHeader(path, header));
    EXPECT_EQ(header.width, 2u);
    EXPECT_EQ(header.height, 3u);
    EXPECT_EQ(header.bitDepth, 8);
    EXPECT_EQ(header.colorType, 6);
    EXPECT_EQ(header.interlace, 0);
    int w, h;
    std::vector<std::uint8_t> back;
    ASSERT_TRUE(decodePng(path, w, h, back));
    EXPECT_EQ(back, rgba);

    // Same pixels, same bytes.
    std::vector<std::uint8_t> first, second;
    ASSERT_TRUE(readFileBytes(path, first));
    ASSERT_TRUE(writePng(path, 2, 3, rgba));
    ASSERT_TRUE(readFileBytes(path, second));
    EXPECT_EQ(first, second);
    std::remove(path.c_str());

    EXPECT_FALSE(writePng(path, 2, 3, std::vector<std::uint8_t>(5)));
    EXPECT_FALSE(writePng("/nonexistent-folder/x.png", 2, 3, rgba));
}

TEST(ImageWriters, BmpPadsRowsToFourBytes) {
    std::string path = scratchFile("pad.bmp");
    // 2 x 2: six bytes of pixels per row, padded to eight.
    std::vector<std::uint8_t> bgr = {1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12};
    ASSERT_TRUE(writeBmp24(path, 2, 2, bgr));
    std::vector<std::uint8_t> bytes;
    ASSERT_TRUE(readFileBytes(path, bytes));
    std::remove(path.c_str());
    ASSERT_EQ(bytes.size(), 54u + 16u);
    EXPECT_EQ(bytes[2], 70); // file size
    EXPECT_EQ(bytes[10], 54);
    EXPECT_EQ(bytes[18], 2);
    EXPECT_EQ(bytes[22], 2);
    EXPECT_EQ(bytes[28], 24);
    EXPECT_EQ(bytes[34], 16); // pixel bytes, padding included
    std::vector<std::uint8_t> pixels(bytes.begin() + 54, bytes.end());
    EXPECT_EQ(pixels,
              (std::vector<std::uint8_t>{1, 2, 3, 4, 5, 6, 0, 0, 7, 8, 9, 10, 11, 12, 0, 0}));
    EXPECT_FALSE(writeBmp24(path, 2, 2, std::vector<std::uint8_t>(11)));
}

TEST(Raster, ShapesAreSmoothAtTheEdgeWithTheOutlineInside) {
    Canvas canvas(20, 20);
    Rgba red = hexColor(0xff0000);
    Rgba black = hexColor(0x000000);
    // Centred on a pixel centre, so pixel x has its centre x - 10 away.
    Shape disc{ShapeKind::circle, {}, {10.5f, 10.5f}, 6.0f};
    fillShape(canvas, disc, solidPaint(red), 2.0f, black);

    Rgba middle = canvas.straightAt(10, 10);
    EXPECT_FLOAT_EQ(middle.a, 1.0f);
    EXPECT_FLOAT_EQ(middle.r, 1.0f);
    Rgba band = canvas.straightAt(15, 10); // 1 inside the edge: outline only
    EXPECT_FLOAT_EQ(band.a, 1.0f);
    EXPECT_FLOAT_EQ(band.r, 0.0f);
    EXPECT_NEAR(canvas.straightAt(16, 10).a, 0.5f, 1e-6f); // on the edge
    EXPECT_EQ(canvas.straightAt(18, 10).a, 0.0f);

    // Transparent pixels carry the matte colour, so filtering at the edges
    // pulls in the outline colour rather than black.
    std::vector<std::uint8_t> bytes = canvas.toRgba8(hexColor(0x204060));
    EXPECT_EQ(std::vector<std::uint8_t>(bytes.begin(), bytes.begin() + 4),
              (std::vector<std::uint8_t>{0x20, 0x40, 0x60, 0}));
    const std::uint8_t* edge = &bytes[(10 * 20 + 16) * 4];
    EXPECT_EQ(edge[3], 128);
    EXPECT_EQ(edge[0], 0); // the outline colour, not darkened by coverage
}

TEST(Raster, PolygonsFillByWindingAndStrokesByWidth) {
    Rgba white = hexColor(0xffffff);
    // A square traced twice (winding 2) is still inside.
    Canvas canvas(30, 30);
    Shape twice{ShapeKind::polygon,
                {{5, 5}, {25, 5}, {25, 25}, {5, 25}, {5, 5}, {25, 5}, {25, 25}, {5, 25}},
                {0, 0},
                0.0f};
    fillShape(canvas, twice, solidPaint(white), 0.0f, white);
    EXPECT_FLOAT_EQ(canvas.straightAt(15, 15).a, 1.0f);
    EXPECT_FLOAT_EQ(canvas.straightAt(5, 15).a, 1.0f);
    EXPECT_EQ(canvas.straightAt(4, 15).a, 0.0f);

    // A stroke of half width 2 along y = 15 covers rows 13 and 14 fully.
    Canvas strokes(30, 30);
    Shape bar{ShapeKind::strokes, {{5, 15}, {25, 15}}, {0, 0}, 2.0f};
    fillShape(strokes, bar, solidPaint(white), 0.0f, white);
    EXPECT_FLOAT_EQ(strokes.straightAt(15, 13).a, 1.0f);
    EXPECT_FLOAT_EQ(strokes.straightAt(15, 16).a, 1.0f);
    EXPECT_EQ(strokes.straightAt(15, 12).a, 0.0f);
    EXPECT_EQ(strokes.straightAt(15, 17).a, 0.0f);
}
