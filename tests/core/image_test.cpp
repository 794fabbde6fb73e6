#include <gtest/gtest.h>

#include <algorithm>
#include <memory>
#include <png.h>
#include <zlib.h>

#include "Image.h"
#include "support/ImageFiles.h"
#include "support/TestFiles.h"

namespace {

using Bytes = std::vector<unsigned char>;
using Reader = unsigned char* (*)(const char*, unsigned short*, unsigned short*);

struct Loaded {
    std::unique_ptr<unsigned char[]> pixels;
    unsigned short width = 777, height = 777;
    Bytes bytes(std::size_t n) const { return Bytes(pixels.get(), pixels.get() + n); }
};

Loaded load(Reader reader, const std::string& path) {
    Loaded out;
    out.pixels.reset(reader(path.c_str(), &out.width, &out.height));
    return out;
}

// Two pixels per row, two rows: row size 6 + 2 bytes of padding.
const Bytes twoByTwo = {1, 2, 3, 4, 5, 6, /* top: */ 7, 8, 9, 10, 11, 12};

TEST(BMP, KeepsFileByteOrderBottomUpRowsAndPadding) {
    std::string file = makeBMP24(2, 2, twoByTwo);
    writeFuzzSeed("bmp", "2x2.bmp", file);
    Loaded img = load(Image::loadBMP24, writeTestFile("2x2.bmp", file));
    ASSERT_TRUE(img.pixels);
    EXPECT_EQ(img.width, 2);
    EXPECT_EQ(img.height, 2);
    EXPECT_EQ(img.bytes(16), (Bytes{1, 2, 3, 4, 5, 6, 0, 0, 7, 8, 9, 10, 11, 12, 0, 0}));
}

TEST(BMP, ZeroImageSizeMeansPaddedRowsAndPixelOffsetIsHonoured) {
    // One pixel per row: 3 bytes + 1 of padding; pixels start 6 bytes after the header.
    std::string file = makeBMP24(1, 2, {10, 20, 30, 40, 50, 60}, false, 6);
    Loaded img = load(Image::loadBMP24, writeTestFile("offset.bmp", file));
    ASSERT_TRUE(img.pixels);
    EXPECT_EQ(img.bytes(8), (Bytes{10, 20, 30, 0, 40, 50, 60, 0}));
}

TEST(GlyphAtlas, AlphaFromRedRowsWithoutPadding) {
    std::string wide = makeBMP24(2, 1, {10, 20, 30, 40, 50, 60});
    writeFuzzSeed("glyph_bmp", "2x1.fnt", wide);
    Loaded img = load(Image::loadBMP24Font, writeTestFile("2x1.bmp.fnt", wide));
    ASSERT_TRUE(img.pixels);
    EXPECT_EQ(img.bytes(8), (Bytes{10, 20, 30, 30, 40, 50, 60, 60}));

    // Padded rows: exactly width x height x 4 bytes, the padding skipped.
    std::string tall = makeBMP24(1, 3, {1, 2, 3, 4, 5, 6, 7, 8, 9});
    writeFuzzSeed("glyph_bmp", "1x3.fnt", tall);
    img = load(Image::loadBMP24Font, writeTestFile("1x3.bmp.fnt", tall));
    ASSERT_TRUE(img.pixels);
    EXPECT_EQ(img.height, 3);
    EXPECT_EQ(img.bytes(12), (Bytes{1, 2, 3, 3, 4, 5, 6, 6, 7, 8, 9, 9}));
}

// Three pixels a row: 9 bytes + 3 of padding. Read from a whole file and from
// one whose last row lacks its padding, every pixel byte being there.
TEST(BMP, OddWidthRowsThroughBothReaders) {
    Bytes pixels(18);
    for (std::size_t i = 0; i < pixels.size(); ++i)
        pixels[i] = static_cast<unsigned char>(i + 1);
    std::string whole = makeBMP24(3, 2, pixels, false);
    std::string unpaddedEnd = whole.substr(0, whole.size() - 3);
    writeFuzzSeed("bmp", "3x2-unpadded-end.bmp", unpaddedEnd);
    writeFuzzSeed("glyph_bmp", "3x2-unpadded-end.fnt", unpaddedEnd);
    struct Case {
        Reader reader;
        const char* name;
        Bytes expected;
    };
    const Case cases[] = {
        {Image::loadBMP24Font, "3x2.bmp.fnt", {1,  2,  3,  3,  4,  5,  6,  6,  7,  8,  9,  9, //
                                               10, 11, 12, 12, 13, 14, 15, 15, 16, 17, 18, 18}},
        {Image::loadBMP24, "3x2.bmp", {1,  2,  3,  4,  5,  6,  7,  8,  9,  0, 0, 0, //
                                       10, 11, 12, 13, 14, 15, 16, 17, 18, 0, 0, 0}},
    };
    for (const Case& c : cases)
        for (const std::string& file : {whole, unpaddedEnd}) {
            Loaded img = load(c.reader, writeTestFile(c.name, file));
            ASSERT_TRUE(img.pixels) << c.name;
            EXPECT_EQ(img.width, 3);
            EXPECT_EQ(img.height, 2);
            EXPECT_EQ(img.bytes(24), c.expected) << c.name << ", " << file.size() << " bytes";
        }
}

void expectRefused(Reader reader, const std::string& name, const std::string& bytes) {
    std::string path = writeTestFile(name, bytes);
    testing::internal::CaptureStderr();
    Loaded img = load(reader, path);
    std::string err = testing::internal::GetCapturedStderr();
    EXPECT_FALSE(img.pixels) << name;
    EXPECT_EQ(img.width, 777) << name;
    EXPECT_EQ(img.height, 777) << name;
    EXPECT_NE(err.find(path), std::string::npos) << name << ": " << err;
    EXPECT_EQ(std::count(err.begin(), err.end(), '\n'), 1) << name << ": " << err;
}

std::string patched(std::string file, std::size_t at, std::initializer_list<unsigned char> b) {
    for (unsigned char c : b)
        file[at++] = char(c);
    return file;
}

TEST(BMP, HostileFilesGiveNullAndOneLine) {
    std::string good = makeBMP24(2, 2, twoByTwo);
    for (Reader reader : {Reader(Image::loadBMP24), Reader(Image::loadBMP24Font)}) {
        testing::internal::CaptureStderr();
        Loaded missing = load(reader, "no/such/file.bmp");
        EXPECT_NE(testing::internal::GetCapturedStderr().find("no/such/file.bmp"),
                  std::string::npos);
        EXPECT_FALSE(missing.pixels);
        EXPECT_EQ(missing.width, 777);
        expectRefused(reader, "empty.bmp", "");
        expectRefused(reader, "header-cut.bmp", good.substr(0, 53));
        // The last row's padding may go, not its last pixel byte.
        expectRefused(reader, "pixels-cut.bmp", good.substr(0, good.size() - 3));
        expectRefused(reader, "not-bm.bmp", patched(good, 0, {'P', 'K'}));
        expectRefused(reader, "32-bit.bmp", patched(good, 28, {32, 0}));
        expectRefused(reader, "rle.bmp", patched(good, 30, {1, 0, 0, 0}));
        expectRefused(reader, "zero-width.bmp", patched(good, 18, {0, 0, 0, 0}));
        expectRefused(reader, "top-down.bmp", patched(good, 22, {0xFE, 0xFF, 0xFF, 0xFF}));
        expectRefused(reader, "too-wide.bmp", patched(good, 18, {0x00, 0x00, 0x01, 0x00}));
        // A 65535 x 65535 header on a tiny file: refused before any allocation.
        expectRefused(reader, "huge.bmp", patched(good, 18, {255, 255, 0, 0, 255, 255, 0, 0}));
        expectRefused(reader, "offset-past-end.bmp", patched(good, 10, {0, 1, 0, 0}));
        expectRefused(reader, "offset-in-header.bmp", patched(good, 10, {10, 0, 0, 0}));
    }
}

// An understated but non-zero biSizeImage does not matter: every padded row
// is in the file, so all rows are read.
TEST(BMP, UnderstatedImageSizeStillReadsEveryRow) {
    std::string file = patched(makeBMP24(2, 2, twoByTwo), 34, {15, 0, 0, 0});
    Loaded img = load(Image::loadBMP24, writeTestFile("small-size-image.bmp", file));
    ASSERT_TRUE(img.pixels);
    EXPECT_EQ(img.bytes(16), (Bytes{1, 2, 3, 4, 5, 6, 0, 0, 7, 8, 9, 10, 11, 12, 0, 0}));
    Loaded font = load(Image::loadBMP24Font, writeTestFile("small-size-image.bmp", file));
    ASSERT_TRUE(font.pixels);
    EXPECT_EQ(font.bytes(16), (Bytes{1, 2, 3, 3, 4, 5, 6, 6, 7, 8, 9, 9, 10, 11, 12, 12}));
}

std::vector<std::vector<unsigned char>> rgbaRows() {
    return {{1, 1, 1, 1, 2, 2, 2, 2}, {3, 3, 3, 3, 4, 4, 4, 4}, {5, 5, 5, 5, 6, 6, 6, 6}};
}

TEST(PNG, RGBAComesBottomRowFirst) {
    std::string file = makePNG(2, 3, PNG_COLOR_TYPE_RGBA, 8, rgbaRows());
    writeFuzzSeed("png", "rgba.png", file);
    Loaded img = load(Image::loadPNG, writeTestFile("rgba.png", file));
    ASSERT_TRUE(img.pixels);
    EXPECT_EQ(img.width, 2);
    EXPECT_EQ(img.height, 3);
    EXPECT_EQ(img.bytes(24),
              (Bytes{5, 5, 5, 5, 6, 6, 6, 6, 3, 3, 3, 3, 4, 4, 4, 4, 1, 1, 1, 1, 2, 2, 2, 2}));
}

// A chunk of the given type inserted after IHDR (8 + 25 bytes), with its CRC.
std::string withChunk(const std::string& png, const char* type, unsigned int length,
                      const std::string& data) {
    std::string chunk;
    for (int shift = 24; shift >= 0; shift -= 8)
        chunk += char((length >> shift) & 0xFF);
    chunk += type + data;
    unsigned long crc = crc32(0, reinterpret_cast<const Bytef*>(chunk.data() + 4), 4 + data.size());
    for (int shift = 24; shift >= 0; shift -= 8)
        chunk += char((crc >> shift) & 0xFF);
    return png.substr(0, 33) + chunk + png.substr(33);
}

TEST(PNG, OtherKindsBecomeEightBitRGBA) {
    struct Case {
        const char* name;
        int type, depth;
        std::vector<std::vector<unsigned char>> rows;
        Bytes expected; // bottom row first
        bool interlace;
    };
    const Case cases[] = {
        {"rgb",
         PNG_COLOR_TYPE_RGB,
         8,
         {{10, 20, 30}, {40, 50, 60}},
         {40, 50, 60, 255, 10, 20, 30, 255},
         false},
        {"grey", PNG_COLOR_TYPE_GRAY, 8, {{7}, {9}}, {9, 9, 9, 255, 7, 7, 7, 255}, false},
        {"grey-alpha",
         PNG_COLOR_TYPE_GRAY_ALPHA,
         8,
         {{7, 100}, {9, 200}},
         {9, 9, 9, 200, 7, 7, 7, 100},
         false},
        {"grey-1bit",
         PNG_COLOR_TYPE_GRAY,
         1,
         {{0x80}, {0x00}},
         {0, 0, 0, 255, 255, 255, 255, 255},
         false},
        {"palette", PNG_COLOR_TYPE_PALETTE, 8, {{3}, {1}}, {0, 255, 0, 255, 9, 8, 7, 255}, false},
        {"rgba16",
         PNG_COLOR_TYPE_RGBA,
         16,
         {{1, 0, 2, 0, 3, 0, 4, 0}, {5, 0, 6, 0, 7, 0, 8, 0}},
         {5, 6, 7, 8, 1, 2, 3, 4},
         false},
        {"interlaced",
         PNG_COLOR_TYPE_RGBA,
         8,
         {{1, 2, 3, 4}, {5, 6, 7, 8}},
         {5, 6, 7, 8, 1, 2, 3, 4},
         true},
    };
    for (const Case& c : cases) {
        std::string file = makePNG(1, 2, c.type, c.depth, c.rows, c.interlace);
        writeFuzzSeed("png", std::string(c.name) + ".png", file);
        Loaded img = load(Image::loadPNG, writeTestFile(std::string(c.name) + ".png", file));
        ASSERT_TRUE(img.pixels) << c.name;
        EXPECT_EQ(img.bytes(8), c.expected) << c.name;
    }
    // A transparent grey (tRNS) becomes alpha 0; the other grey stays opaque.
    std::string file = withChunk(makePNG(1, 2, PNG_COLOR_TYPE_GRAY, 8, {{7}, {9}}), "tRNS", 2,
                                 std::string("\0\7", 2));
    writeFuzzSeed("png", "grey-trns.png", file);
    Loaded img = load(Image::loadPNG, writeTestFile("grey-trns.png", file));
    ASSERT_TRUE(img.pixels);
    EXPECT_EQ(img.bytes(8), (Bytes{9, 9, 9, 255, 7, 7, 7, 0}));
}

TEST(PNG, AncillaryChunksAreSkippedUnread) {
    std::string good = makePNG(2, 3, PNG_COLOR_TYPE_RGBA, 8, rgbaRows());
    std::string text = withChunk(good, "tEXt", 11, std::string("Title\0hello", 11));
    Loaded img = load(Image::loadPNG, writeTestFile("text-chunk.png", text));
    ASSERT_TRUE(img.pixels);
    EXPECT_EQ(img.bytes(4), (Bytes{5, 5, 5, 5}));
    // A palette-list chunk claiming 2 GB over a few bytes: refused as a short
    // file, without the allocation (the fuzz target's memory limit watches).
    std::string huge = withChunk(good, "sPLT", 0x7B00000C, "").substr(0, 45);
    writeFuzzSeed("png", "huge-ancillary.png", huge);
    // libpng warns about the chunk (its default handler prints that), then
    // the short file is refused with one line of ours.
    std::string path = writeTestFile("huge-ancillary.png", huge);
    testing::internal::CaptureStderr();
    Loaded refused = load(Image::loadPNG, path);
    std::string err = testing::internal::GetCapturedStderr();
    EXPECT_FALSE(refused.pixels);
    EXPECT_NE(err.find("libpng warning: sPLT: chunk data is too large"), std::string::npos) << err;
    EXPECT_NE(err.find(path + ": PNG error"), std::string::npos) << err;
}

TEST(PNG, CorruptAndTruncatedFilesGiveNullAndOneLine) {
    std::string good = makePNG(2, 3, PNG_COLOR_TYPE_RGBA, 8, rgbaRows());

    expectRefused(Image::loadPNG, "signature-only.png", good.substr(0, 8));
    // Cut inside the header, inside the image data, and just before the end.
    for (std::size_t cut : {std::size_t(20), std::size_t(40), good.size() / 2 + 10})
        expectRefused(Image::loadPNG, "cut" + std::to_string(cut) + ".png", good.substr(0, cut));
    // Damaged compressed data.
    std::size_t idat = good.find("IDAT");
    ASSERT_NE(idat, std::string::npos);
    std::string corrupt = good;
    corrupt[idat + 6] = char(corrupt[idat + 6] ^ 0x55);
    expectRefused(Image::loadPNG, "corrupt.png", corrupt);
    // A header claiming 65535 x 65535 pixels over a few bytes of data.
    std::string huge = patched(good, 16, {0, 0, 255, 255, 0, 0, 255, 255});
    unsigned long crc = crc32(0, reinterpret_cast<const Bytef*>(huge.data() + 12), 17);
    huge = patched(huge, 29,
                   {(unsigned char)(crc >> 24), (unsigned char)(crc >> 16),
                    (unsigned char)(crc >> 8), (unsigned char)crc});
    expectRefused(Image::loadPNG, "huge.png", huge);
}

// A missing file, a wrong signature: null, size untouched, and no message.
TEST(PNG, MissingFilesAndOtherSignaturesGiveNullQuietly) {
    for (const std::string& path :
         {std::string("no/such/file.png"), writeTestFile("text.png", "this is not an image\n"),
          writeTestFile("short.png", "\x89PN")}) {
        testing::internal::CaptureStderr();
        testing::internal::CaptureStdout();
        Loaded img = load(Image::loadPNG, path);
        EXPECT_EQ(testing::internal::GetCapturedStdout(), "") << path;
        EXPECT_EQ(testing::internal::GetCapturedStderr(), "") << path;
        EXPECT_FALSE(img.pixels) << path;
        EXPECT_EQ(img.width, 777) << path;
        EXPECT_EQ(img.height, 777) << path;
    }
}

// libpng's warnings reach its default handler, which prints them; the image
// is still read. An ancillary chunk with a damaged checksum is such a case.
TEST(PNG, LibpngWarningsArePrinted) {
    std::string good = makePNG(2, 3, PNG_COLOR_TYPE_RGBA, 8, rgbaRows());
    std::string warned = withChunk(good, "tEXt", 11, std::string("Title\0hello", 11));
    warned[33 + 8 + 11 + 3] = char(warned[33 + 8 + 11 + 3] ^ 0x55); // its CRC
    testing::internal::CaptureStderr();
    Loaded img = load(Image::loadPNG, writeTestFile("warned.png", warned));
    std::string err = testing::internal::GetCapturedStderr();
    EXPECT_TRUE(img.pixels);
    EXPECT_NE(err.find("libpng warning"), std::string::npos) << err;
}

} // namespace
