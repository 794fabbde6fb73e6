// The Direct3D 12 edition's bookkeeping, away from the GPU: slots, the
// constant block, samplers, the pixel and vertex layouts it uploads and the
// releases that wait for the GPU.
#include <gtest/gtest.h>

#include <vector>

#include "Renderer/PC/DX12/DX12Logic.h"

TEST(SlotRanges, TextureSlotsRunOutAfter256AndStayOut) {
    SlotRanges slots;
    slots.reset(0, 255);
    for (int expected = 0; expected <= 255; ++expected)
        ASSERT_EQ(slots.take(), expected);
    EXPECT_EQ(slots.take(), -1);
    EXPECT_EQ(slots.take(), -1);
}

TEST(SlotRanges, ConstantSlotsComeBackWhenTheFrameEnds) {
    SlotRanges slots;
    slots.reset(256, 8191);
    EXPECT_EQ(slots.take(), 256);
    EXPECT_EQ(slots.take(), 257);
    slots.reset(256, 8191);
    EXPECT_EQ(slots.take(), 256);
    for (int i = 1; i < 7936; ++i)
        slots.take();
    EXPECT_EQ(slots.take(), -1);
    slots.reset(256, 8191);
    EXPECT_EQ(slots.take(), 256);
}

TEST(SlotRanges, SingleAndEmptyRanges) {
    SlotRanges slots;
    slots.reset(5, 5);
    EXPECT_EQ(slots.take(), 5);
    EXPECT_EQ(slots.take(), -1);
    slots.reset(3, 2);
    EXPECT_EQ(slots.take(), -1);
    SlotRanges never;
    EXPECT_EQ(never.take(), -1);
}

namespace {

std::vector<int> place(std::vector<Shader::UniformLayout> table, bool* fits = nullptr) {
    bool placed = placeUniforms(table.data(), unsigned(table.size()));
    if (fits)
        *fits = placed;
    std::vector<int> locations;
    for (const Shader::UniformLayout& u : table)
        locations.push_back(u.location);
    return locations;
}

} // namespace

TEST(UniformPlacement, TheGamesTablesFollowOneAnother) {
    EXPECT_EQ(place({{"mvMat", 0, 16}, {"projMat", 0, 16}}), (std::vector<int>{0, 16}));
    EXPECT_EQ(place({{"mvMat", 0, 16}, {"projMat", 0, 16}, {"ratio", 0, 1}}),
              (std::vector<int>{0, 16, 32}));
}

TEST(UniformPlacement, LocationsRoundUpToWholeRegisters) {
    EXPECT_EQ(place({{"a", 0, 1}, {"b", 0, 3}}), (std::vector<int>{0, 4}));
    EXPECT_EQ(place({{"m3", 0, 9}, {"f", 0, 1}, {"v", 0, 2}}), (std::vector<int>{0, 12, 16}));
    // A location given by the caller is kept, on a register boundary.
    EXPECT_EQ(place({{"a", 0, 1}, {"b", 6, 2}, {"c", 0, 4}}), (std::vector<int>{0, 8, 12}));
}

TEST(UniformPlacement, ATableThatDoesNotFitGetsNoLocations) {
    bool fits = false;
    std::vector<Shader::UniformLayout> eight(8, {"m", 0, 16});
    EXPECT_EQ(place(eight, &fits).back(), 112);
    EXPECT_TRUE(fits);

    EXPECT_EQ(place({{"a", 0, 124}, {"b", 0, 4}}, &fits), (std::vector<int>{0, 124}));
    EXPECT_TRUE(fits);

    std::vector<Shader::UniformLayout> nine(9, {"m", 0, 16});
    EXPECT_EQ(place(nine, &fits), std::vector<int>(9, -1));
    EXPECT_FALSE(fits);
    // Rounding pushes the second uniform past the end.
    EXPECT_EQ(place({{"a", 0, 125}, {"b", 0, 1}}, &fits), (std::vector<int>{-1, -1}));
    EXPECT_FALSE(fits);
    EXPECT_EQ(place({{"big", 0, 129}}, &fits), (std::vector<int>{-1}));
    EXPECT_FALSE(fits);
    EXPECT_EQ(place({{"neg", -4, 4}}, &fits), (std::vector<int>{-1}));
    EXPECT_FALSE(fits);
    EXPECT_TRUE(placeUniforms(nullptr, 0));
}

TEST(ConstantBlock, WritesStayInsideTheBlock) {
    // One float past the block on each side, so that a stray write shows.
    float memory[constantBlockFloats + 2];
    for (float& f : memory)
        f = -1.0f;
    float* block = memory + 1;
    const float values[16] = {1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12, 13, 14, 15, 16};

    writeConstants(block, 4, values, 2);
    EXPECT_EQ(block[3], -1.0f);
    EXPECT_EQ(block[4], 1.0f);
    EXPECT_EQ(block[5], 2.0f);
    EXPECT_EQ(block[6], -1.0f);

    writeConstants(block, 112, values, 16); // exactly up to the end
    EXPECT_EQ(block[127], 16.0f);
    writeConstants(block, 120, values, 16); // would run past: nothing
    EXPECT_EQ(block[120], 9.0f);
    writeConstants(block, -1, values, 1);
    writeConstants(block, 1000, values, 1);
    EXPECT_EQ(memory[0], -1.0f);
    EXPECT_EQ(memory[constantBlockFloats + 1], -1.0f);
}

TEST(ConstantBlock, Matrix3x3TakesThreeRegistersAndLeavesTheFourthFloats) {
    float block[constantBlockFloats];
    for (float& f : block)
        f = -1.0f;
    const float m[9] = {1, 2, 3, 4, 5, 6, 7, 8, 9};
    writeMatrix3x3(block, 8, m);
    const float expected[12] = {1, 2, 3, -1, 4, 5, 6, -1, 7, 8, 9, -1};
    for (int i = 0; i < 12; ++i)
        EXPECT_EQ(block[8 + i], expected[i]) << i;
    EXPECT_EQ(block[7], -1.0f);

    writeMatrix3x3(block, 116, m); // last place it fits
    EXPECT_EQ(block[124], 7.0f);
    EXPECT_EQ(block[126], 9.0f);
    writeMatrix3x3(block, 120, m); // would run past: nothing
    EXPECT_EQ(block[120], 4.0f);
}

TEST(SamplerIndex, SmoothingAndWrapModePickOneOfEight) {
    EXPECT_EQ(samplerIndexFor(true, 0), 0);
    EXPECT_EQ(samplerIndexFor(true, 3), 3);
    EXPECT_EQ(samplerIndexFor(false, 0), 4);
    EXPECT_EQ(samplerIndexFor(false, 2), 6);
    for (int index = 0; index < samplerCount; ++index) {
        EXPECT_EQ(samplerIndexFor(samplerIsSmooth(index), samplerWrapMode(index)), index);
        // Turning smoothing off keeps the address mode.
        EXPECT_EQ(samplerIndexFor(false, samplerWrapMode(index)), 4 + index % 4);
    }
    EXPECT_TRUE(samplerIsSmooth(3));
    EXPECT_FALSE(samplerIsSmooth(4));
}

// Between two frames, with the fence at 4: texture B is destroyed (the next
// signal will carry 5), then texture C, whose copy is still on the upload
// list; a paused pass's wait signals 5. Texture A is unloaded in the next
// frame, which drew it; that frame's upload flush signals 6, and the wait
// after the frame 7.
TEST(DeferredReleases, EachObjectOutlivesTheLastWorkThatMayUseIt) {
    int a = 0, b = 0, c = 0;
    DeferredReleases releases;
    releases.add(&b, 5);
    releases.add(&c, DeferredReleases::untilUploaded);
    releases.add(&a, DeferredReleases::untilSubmitted);
    EXPECT_TRUE(releases.takeFinished(4).empty());
    // Neither C's copy nor A's frame is on the queue yet, whatever the fence says.
    EXPECT_EQ(releases.takeFinished(5), std::vector<void*>{&b});
    releases.submitted(DeferredReleases::untilUploaded, 6);
    EXPECT_EQ(releases.takeFinished(6), std::vector<void*>{&c});
    releases.submitted(DeferredReleases::untilSubmitted, 7);
    EXPECT_TRUE(releases.takeFinished(6).empty());
    EXPECT_EQ(releases.takeFinished(7), std::vector<void*>{&a});
    // Each is handed out once.
    EXPECT_TRUE(releases.takeFinished(8).empty());
}

TEST(PixelLayout, BmpRowsArePaddedToFourBytes) {
    EXPECT_EQ(bmpRowBytes(1), 4u);
    EXPECT_EQ(bmpRowBytes(2), 8u);
    EXPECT_EQ(bmpRowBytes(3), 12u);
    EXPECT_EQ(bmpRowBytes(4), 12u);
    EXPECT_EQ(bmpRowBytes(5), 16u);
}

TEST(PixelLayout, BmpBecomesRgbaWithOpaqueAlpha) {
    const unsigned char one[4] = {10, 20, 30, 0xEE};
    unsigned char* rgba = bmpToRgba(one, 1, 1);
    EXPECT_EQ(std::vector<unsigned char>(rgba, rgba + 4),
              (std::vector<unsigned char>{30, 20, 10, 255}));
    delete[] rgba;
}

TEST(PixelLayout, BmpRowsAreSteppedOverTheirPadding) {
    // 2 x 2: each row is 6 bytes of pixels and 2 of padding. Rows keep their
    // order (bottom row first).
    const unsigned char bgr[16] = {1, 2, 3, 4, 5, 6, 0xAA, 0xAA, 7, 8, 9, 10, 11, 12, 0xBB, 0xBB};
    unsigned char* rgba = bmpToRgba(bgr, 2, 2);
    EXPECT_EQ(
        std::vector<unsigned char>(rgba, rgba + 16),
        (std::vector<unsigned char>{3, 2, 1, 255, 6, 5, 4, 255, 9, 8, 7, 255, 12, 11, 10, 255}));
    delete[] rgba;

    // Width 4 needs no padding: 12 bytes a row.
    std::vector<unsigned char> wide(24);
    for (unsigned i = 0; i < wide.size(); ++i)
        wide[i] = (unsigned char)i;
    rgba = bmpToRgba(wide.data(), 4, 2);
    EXPECT_EQ(rgba[16], 14); // second row, first pixel: red is byte 12 + 2
    EXPECT_EQ(rgba[31], 255);
    delete[] rgba;
}

TEST(VertexPacking, InterleavesTheOneLayout) {
    float positions[6] = {1, 2, 3, 4, 5, 6};
    float uvs[4] = {0.1f, 0.2f, 0.3f, 0.4f};
    float colours[6] = {7, 8, 9, 10, 11, 12};
    float normals[6] = {13, 14, 15, 16, 17, 18};
    float* inputs[4] = {positions, uvs, colours, normals};
    unsigned char sizes[4] = {3, 2, 3, 3};
    unsigned int stride = 0;
    std::vector<float> records = interleaveVertices(2, sizes, inputs, 4, &stride);
    EXPECT_EQ(stride, 11u); // 44 bytes
    ASSERT_EQ(records.size(), 22u);
    const std::vector<float> expected = {1, 2, 3, 0.1f, 0.2f, 7,  8,  9,  13, 14, 15,
                                         4, 5, 6, 0.3f, 0.4f, 10, 11, 12, 16, 17, 18};
    EXPECT_EQ(records, expected);
    // The second vertex's texture coordinate starts at float 3 of its record.
    EXPECT_EQ(records[11 + 3], 0.3f);
}

TEST(VertexPacking, MissingArraysReadAsZerosAndExtraAttributesAreIgnored) {
    float positions[3] = {1, 2, 3};
    float extra[1] = {99};
    float* inputs[5] = {positions, nullptr, nullptr, nullptr, extra};
    unsigned char sizes[5] = {3, 2, 3, 3, 1};
    unsigned int stride = 0;
    std::vector<float> records = interleaveVertices(1, sizes, inputs, 5, &stride);
    EXPECT_EQ(stride, 11u);
    EXPECT_EQ(records, (std::vector<float>{1, 2, 3, 0, 0, 0, 0, 0, 0, 0, 0}));

    EXPECT_TRUE(interleaveVertices(0, sizes, inputs, 4, &stride).empty());
}

TEST(VertexPacking, IndicesWidenWithoutSignExtension) {
    const unsigned short indices[4] = {0, 1, 32768, 65535};
    EXPECT_EQ(widenIndices(indices, 4), (std::vector<std::uint32_t>{0, 1, 32768, 65535}));
    EXPECT_TRUE(widenIndices(nullptr, 0).empty());
}
