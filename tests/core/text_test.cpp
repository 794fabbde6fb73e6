#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>

#include "MathUtils/Matrix.h"
#include "ObjectText.h"
#include "World.h"
#include "support/Recorder.h"

namespace {

using Floats = std::vector<float>;

class Text : public testing::Test {
protected:
    void SetUp() override { recorder().reset(); }
    Texture atlas;
    World world;
};

// The four uv pairs of quad i.
Floats quadUVs(ObjectText& t, unsigned int i) {
    return Floats(t.modele.m_texCoords.begin() + 8 * i, t.modele.m_texCoords.begin() + 8 * i + 8);
}

Floats cellUVs(float u0, float vB) {
    float u1 = u0 + 0.0625f, vT = vB + 0.0625f;
    return {u0, vB, u0, vT, u1, vB, u1, vT};
}

TEST_F(Text, BuildLaysOutOneQuadPerCharacter) {
    ObjectText t("x3", 1, 2, 3, 90, 0.5f, 0.25f, 1, &atlas, &world);
    EXPECT_EQ(t.longueur, 2u);
    Object3D& m = t.modele;
    ASSERT_EQ(m.m_vertices.size(), 24u);
    EXPECT_EQ(m.m_indices, (std::vector<unsigned short>{0, 2, 1, 1, 2, 3, 4, 6, 5, 5, 6, 7}));
    EXPECT_EQ(m.m_vertices[0], 0);
    EXPECT_EQ(m.m_vertices[3 * 2], 90);     // right edge of quad 0
    EXPECT_EQ(m.m_vertices[3 * 3 + 1], 90); // top edge
    EXPECT_EQ(m.m_vertices[3 * 6], 180);    // right edge of quad 1
    // '3' (51): column 3, row 3.
    EXPECT_EQ(quadUVs(t, 1), cellUVs(0.1875f, 0.75f));
    // 'x' (120): column 8, row 7.
    EXPECT_EQ(quadUVs(t, 0), cellUVs(0.5f, 0.5f));
    EXPECT_EQ(m.m_colors[m.m_colors.size() - 2], 0.25f);
}

TEST_F(Text, MajChaineRetexturesAppendsAndClamps) {
    ObjectText t("0123456789", 0, 0, 0, 10, 1, 1, 1, &atlas, &world);
    t.majChaine("AB"); // shorter: the trailing quads stay
    EXPECT_EQ(t.longueur, 10u);
    EXPECT_EQ(t.modele.m_vertices.size(), 3u * 40);
    EXPECT_EQ(quadUVs(t, 0), cellUVs(1 * 0.0625f, 1 - 5 * 0.0625f)); // 'A' = 65
    EXPECT_EQ(quadUVs(t, 2), cellUVs(2 * 0.0625f, 1 - 4 * 0.0625f)); // '2' = 50 kept

    ObjectText s("a", 0, 0, 0, 10, 1, 1, 1, &atlas, &world);
    s.majChaine("xyz"); // longer: quad 0 retextured, 1 and 2 appended
    EXPECT_EQ(s.longueur, 3u);
    EXPECT_EQ(s.modele.m_vertices.size(), 3u * 12);
    EXPECT_EQ(s.modele.m_vertices[3 * 10], 30); // right edge of quad 2

    s.majChaine(3, "!"); // at the end: appended
    EXPECT_EQ(s.longueur, 4u);
    s.majChaine(9, "?!"); // beyond the end: follows the last quad
    EXPECT_EQ(s.longueur, 6u);
    EXPECT_EQ(s.modele.m_vertices.size(), 3u * 24);
    EXPECT_EQ(s.modele.m_vertices[3 * 20], 50); // quad 5 starts at x 50
    for (unsigned short i : s.modele.m_indices)
        EXPECT_LT(i, 24);

    s.setColor(0, 0.5f, 0);
    for (std::size_t i = 0; i < s.modele.m_colors.size(); i += 3)
        EXPECT_EQ(s.modele.m_colors[i + 1], 0.5f);
}

TEST_F(Text, RenderPlacesTheTextAndDrawsNothing) {
    world.loadIdentityProjection();
    world.orthographicProjection(0, 1280, 0, 720, -2, 10);
    world.loadIdentityModelView();
    world.translate(5, 0, 0);
    ObjectText t("hi", 100, 200, 1, 16, 1, 1, 1, &atlas, &world);
    t.setYaw(90);
    atlas.loadToGPU();
    t.render();
    float expected[16];
    std::copy(world.mvMat, world.mvMat + 16, expected);
    translatef(expected, 100, 200, 1);
    postMultiplyAxisTurn(expected, 2, cosf(90 * 0.017453292f), sinf(90 * 0.017453292f));
    mulMatSafe(world.projMat, expected, expected);
    for (int i = 0; i < 16; ++i)
        EXPECT_NEAR(t.mvMat[i], expected[i], 1e-6) << i;
    ASSERT_EQ(recorder().textureBinds().size(), 1u);
    EXPECT_EQ(recorder().textureBinds()[0].count, 0);
    EXPECT_TRUE(recorder().draws().empty());
    EXPECT_TRUE(recorder().sends().empty());
    EXPECT_EQ(recorder().vertexInputCount(), 0u); // never uploaded

    ObjectText empty; // nothing set: render must not touch null pointers
    empty.render();
    empty.addChar('a');
    EXPECT_EQ(empty.longueur, 1u);
}

} // namespace
