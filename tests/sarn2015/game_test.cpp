#include <gtest/gtest.h>

#include <cmath>
#include <memory>
#include <set>
#include <utility>
#include <vector>

#include "Input/PC/InputManager.h"
#include "Sarn2015.h"
#include "input/ScriptedKeyboard.h"
#include "support/Recorder.h"

namespace {

// One draw as the recording back end saw it: the texture bound, the mesh, the
// model and model-view matrices, the last "pos" sent before it, and whether
// it writes depth.
struct Drawn {
    const Texture* texture;
    unsigned int mesh;
    std::vector<float> model, mv;
    Vector2D pos;
    bool writesDepth;
    // Where the model point p lands in the world.
    Vector3D world(Vector3D p) const { return apply(model, p); }
    // And in view space.
    Vector3D view(Vector3D p) const { return apply(mv, p); }
    static Vector3D apply(const std::vector<float>& m, Vector3D p) {
        return Vector3D(m[0] * p.x + m[4] * p.y + m[8] * p.z + m[12],
                        m[1] * p.x + m[5] * p.y + m[9] * p.z + m[13],
                        m[2] * p.x + m[6] * p.y + m[10] * p.z + m[14]);
    }
};

class Prototype : public testing::Test {
protected:
    void SetUp() override {
        recorder().reset();
        holdOnly({});
        testing::internal::CaptureStderr();
        ASSERT_TRUE(game->init());
        testing::internal::GetCapturedStderr();
        game->onResize(1280, 720);
    }
    void frame(std::initializer_list<Key> keys, float dt = 0.016f) {
        holdOnly(keys);
        game->prepare(dt);
    }
    std::vector<Drawn> renderFrame() {
        std::size_t first = recorder().events().size();
        game->render();
        std::vector<Drawn> out;
        for (const RecordedDraw& d : recorder().drawsFrom(first)) {
            std::vector<float> pos = d.uniform("pos");
            out.push_back({d.texture, d.vertexInput, d.uniform("modelMat"), d.uniform("mvMat"),
                           pos.empty() ? Vector2D() : Vector2D(pos[0], pos[1]), d.depthMask});
        }
        return out;
    }
    // The draws of one mesh.
    std::vector<Drawn> ofMesh(const std::vector<Drawn>& drawn, const Object3D& mesh) {
        std::vector<Drawn> out;
        for (const Drawn& d : drawn)
            if (d.mesh == mesh.vertexBufferHandle)
                out.push_back(d);
        return out;
    }
    bool finiteSends(const char* name) {
        for (const RecordedEvent& send : recorder().sends(name))
            for (float v : send.values)
                if (!std::isfinite(v))
                    return false;
        return true;
    }
    std::unique_ptr<Sarn2015> game = std::make_unique<Sarn2015>();
};

TEST_F(Prototype, SpaceCyclesTheModeOnEachPressAndF2FlipsTheView) {
    EXPECT_EQ(game->moveMode, 0);
    frame({Key::Space});
    frame({Key::Space});
    EXPECT_EQ(game->moveMode, 1);
    frame({});
    frame({Key::Space});
    frame({});
    frame({Key::Space});
    EXPECT_EQ(game->moveMode, 0);

    EXPECT_TRUE(game->projMode);
    frame({Key::F2});
    frame({Key::F2});
    EXPECT_FALSE(game->projMode);
    frame({});
    frame({Key::F2});
    EXPECT_TRUE(game->projMode);
}

TEST_F(Prototype, ArrowsScrollWithinBoundsOrChangeTheRadiusDownToZero) {
    frame({Key::Right}, 10.0f);
    frame({Key::Down}, 10.0f);
    EXPECT_FLOAT_EQ(game->pos.x, 25.0f);
    EXPECT_FLOAT_EQ(game->pos.y, -25.0f);

    frame({Key::Space});
    frame({});
    frame({Key::Space});
    ASSERT_EQ(game->moveMode, 2);
    frame({Key::Up}, 0.5f);
    EXPECT_FLOAT_EQ(game->terrainRay, 20.0f);
    frame({Key::Down}, 10.0f);
    EXPECT_FLOAT_EQ(game->terrainRay, 0.0f);
    EXPECT_FLOAT_EQ(game->pos.x, 25.0f);
}

TEST_F(Prototype, DrawsEveryTileInsideTheDiscFromAnOrbitingEye) {
    game->pos = Vector2D(0.5f, -3.25f);
    recorder().reset();
    std::vector<Drawn> drawn = renderFrame();
    // First the star backdrop, 200 square around (0, 50), one unit down; it
    // alone leaves no depth, so that it hides nothing drawn after it.
    ASSERT_FALSE(drawn.empty());
    EXPECT_EQ(drawn[0].texture, &game->texBG);
    for (std::size_t i = 0; i < drawn.size(); ++i)
        EXPECT_EQ(i > 0, drawn[i].writesDepth) << i;
    Vector3D low = drawn[0].world(Vector3D(0, 0, 0)), high = drawn[0].world(Vector3D(1, 1, 0));
    EXPECT_FLOAT_EQ(low.x, -100);
    EXPECT_FLOAT_EQ(low.y, -50);
    EXPECT_FLOAT_EQ(high.x, 100);
    EXPECT_FLOAT_EQ(high.y, 150);
    EXPECT_FLOAT_EQ(high.z, -1);
    float r = game->terrainRay + 15.0f;
    std::size_t inside = 0;
    for (int i = -40; i < 40; ++i)
        for (int j = -40; j < 40; ++j)
            if ((i - 0.5f) * (i - 0.5f) + (j + 3.25f) * (j + 3.25f) < r * r)
                ++inside;
    EXPECT_EQ(recorder().sends("pos").size(), inside);
    // Past the backdrop, every draw has a value for each uniform its program
    // reads: the shader tables declare them all.
    using Names = std::set<std::string>;
    const Names ground = {"mvMat", "projMat", "modelMat", "pos", "terrainRay", "lightDirection"};
    const Names lit = {"mvMat", "projMat", "modelMat", "inverseModelMat", "lightDirection"};
    std::vector<RecordedDraw> draws = recorder().drawsFrom(0);
    int props = 0;
    for (std::size_t i = 1; i < draws.size(); ++i) {
        std::vector<std::string> sent = draws[i].uniformNames();
        bool tile = draws[i].shader == &game->mapShader;
        props += !tile;
        EXPECT_EQ(tile ? ground : lit, Names(sent.begin(), sent.end())) << i;
    }
    EXPECT_GT(props, 0);
    EXPECT_FLOAT_EQ(game->screen.y, -45.0f);
    EXPECT_NEAR(game->screen.z, 0.0f, 1e-6);
}

TEST_F(Prototype, OrbitKeysTurnTheEyeAndBringItBack) {
    frame({Key::Space});
    frame({});
    ASSERT_EQ(game->moveMode, 1);
    // The ground point (0, 1) in view space: the eye circles the centre at
    // three times the flat radius, 45 here.
    auto north = [this] {
        for (const Drawn& d : renderFrame())
            if (d.mesh == game->quad.vertexBufferHandle && d.pos.x == 0 && d.pos.y == 1)
                return d.view(Vector3D(0.5f, 0.5f, 0));
        ADD_FAILURE() << "no tile at (0, 1)";
        return Vector3D();
    };
    // Left half a second: the eye goes to angle -0.5, (-45 sin 0.5, -45 cos 0.5, 0),
    // and the point north of the centre shows left of it.
    frame({Key::Left}, 0.5f);
    Vector3D v = north();
    EXPECT_NEAR(v.x, -std::sin(0.5f), 1e-4f);
    EXPECT_NEAR(v.y, 0, 1e-4f);
    EXPECT_NEAR(v.z, -45 - std::cos(0.5f), 1e-4f);
    // Right as long: back where it started.
    frame({Key::Right}, 0.5f);
    v = north();
    EXPECT_NEAR(v.x, 0, 1e-4f);
    EXPECT_NEAR(v.z, -46, 1e-4f);
    // Up half a second: the eye drops to (0, -45, -45 sin 0.5), so the point
    // shows below the centre.
    frame({Key::Up}, 0.5f);
    float low = 45 * std::sin(0.5f), eye = std::hypot(45.0f, low);
    v = north();
    EXPECT_NEAR(v.x, 0, 1e-4f);
    EXPECT_NEAR(v.y, -low / eye, 1e-4f);
    EXPECT_NEAR(v.z, -(45 * 46 + low * low) / eye, 1e-3f);
}

TEST_F(Prototype, PropsScrollWithTheGround) {
    // Every tree is placed, the seeded ones in their west and east bands.
    for (int i = 14; i < Sarn2015Layout::treeCount; ++i) {
        float x = game->trees[i].x;
        EXPECT_TRUE(i < 21 ? x >= -40 && x < 0 : x >= 20 && x < 40) << i << " at " << x;
    }
    // Scrolling runs at 10 a second: to (2.25, -3.75).
    frame({Key::Right}, 0.225f);
    frame({Key::Down}, 0.375f);
    std::vector<Drawn> drawn = renderFrame();
    // The first tree stands at (3, -4): on the tile of that ground cell.
    std::vector<Drawn> trees = ofMesh(drawn, game->mCarModels[0]);
    ASSERT_FALSE(trees.empty());
    EXPECT_EQ(trees[0].texture, &game->texCar);
    Vector3D tree = trees[0].world(Vector3D(0.5f, 0.5f, 0));
    EXPECT_FLOAT_EQ(tree.x, 0.75f);
    EXPECT_FLOAT_EQ(tree.y, -0.25f);
    EXPECT_FLOAT_EQ(tree.z, 0);
    bool tile = false;
    for (const Drawn& d : drawn)
        if (d.mesh == game->quad.vertexBufferHandle && d.pos.x == 0.75f && d.pos.y == -0.25f)
            tile = d.world(Vector3D(0.5f, 0.5f, 0)).x == tree.x;
    EXPECT_TRUE(tile);
    // The lintel of the central doorway, (6, 0) raised to 4.
    bool lintel = false;
    for (const Drawn& d : ofMesh(drawn, game->mCarModels[1])) {
        Vector3D at = d.world(Vector3D(1, 1, 0));
        lintel |= at.x == 3.75f && at.y == 3.75f && at.z == 4.0f;
    }
    EXPECT_TRUE(lintel);

    // On to (-24, 24), the middle of the north-west room: its 5 x 5 block,
    // -28..-20 by 20..28, lies flat around the centre, a floor piece under
    // each block and one in the doorway at (0, -6), and its tall walls ring
    // them 6 out, but for the openings at (0, 6), (-6, -2) and (0, -6).
    frame({Key::Left}, 2.625f);
    frame({Key::Up}, 2.775f);
    drawn = renderFrame();
    std::set<std::pair<int, int>> grid, ring;
    for (int a = -6; a <= 6; a += 2) {
        for (int b = -6; b <= 6; b += 2) {
            if (std::abs(a) < 6 && std::abs(b) < 6)
                grid.insert({a, b});
            else
                ring.insert({a, b});
        }
    }
    for (std::pair<int, int> opening : {std::make_pair(0, 6), {-6, -2}, {0, -6}})
        ring.erase(opening);
    std::set<std::pair<int, int>> floor = grid;
    floor.insert({0, -6});
    struct Kind {
        const Object3D& mesh;
        const Texture* texture;
        std::set<std::pair<int, int>> spots;
    } kinds[] = {{game->mCarModels[3], &game->texWood, grid},
                 {game->mCarModels[4], &game->texWood, floor},
                 {game->mCarModels[2], &game->texWall, ring}};
    for (const Kind& kind : kinds) {
        std::set<std::pair<int, int>> near;
        for (const Drawn& d : ofMesh(drawn, kind.mesh)) {
            EXPECT_EQ(d.texture, kind.texture);
            Vector3D at = d.world(Vector3D(1, 1, 0));
            if (std::fabs(at.x) < 7 && std::fabs(at.y) < 7) {
                EXPECT_NEAR(at.z, 0, 1e-5f);
                EXPECT_NEAR(at.x, std::round(at.x), 1e-4f);
                EXPECT_NEAR(at.y, std::round(at.y), 1e-4f);
                near.insert({int(std::lround(at.x)), int(std::lround(at.y))});
            }
        }
        EXPECT_EQ(near, kind.spots) << kind.mesh.m_indices.size();
    }
}

TEST_F(Prototype, TheEyeOrbitsAtThreeRadiiAndStaysFiniteAtZero) {
    game->angleScreen = Vector2D(0.3f, -0.4f);
    for (float radius : {0.4f, 0.0f}) {
        game->terrainRay = radius;
        recorder().reset();
        game->render();
        float orbit = radius * 3.0f;
        EXPECT_NEAR(game->screen.x, std::sin(0.3f) * orbit, 1e-5f) << radius;
        EXPECT_NEAR(game->screen.y, -std::cos(0.3f) * orbit, 1e-5f) << radius;
        EXPECT_NEAR(game->screen.z, std::sin(0.4f) * orbit, 1e-5f) << radius;
        EXPECT_FALSE(recorder().sends("modelMat").empty());
        EXPECT_TRUE(finiteSends("mvMat")) << radius;
        EXPECT_TRUE(finiteSends("modelMat"));
        EXPECT_TRUE(finiteSends("inverseModelMat"));
    }
}

TEST_F(Prototype, ResizeKeepsTheHalfHeightInFloatAndIgnoresZero) {
    EXPECT_FLOAT_EQ(game->ySpan, 14.625f);
    game->onResize(1000, 500);
    EXPECT_FLOAT_EQ(game->ySpan, 13.0f);
    // Twice as wide as tall: 40 degrees high (cot 20 = 2.7474774), half the
    // scale across; F2: 52 wide, 26 high.
    renderFrame();
    std::vector<float> proj = recorder().sends("projMat").back().values;
    EXPECT_NEAR(proj[0], 2.7474774f / 2, 1e-5f);
    EXPECT_NEAR(proj[5], 2.7474774f, 1e-5f);
    frame({Key::F2});
    renderFrame();
    proj = recorder().sends("projMat").back().values;
    EXPECT_FLOAT_EQ(proj[0], 2.0f / 52);
    EXPECT_FLOAT_EQ(proj[5], 2.0f / 26);
    recorder().reset();
    game->onResize(0, 720);
    game->onResize(1280, 0);
    EXPECT_FLOAT_EQ(game->ySpan, 13.0f);
    EXPECT_FLOAT_EQ(game->screenWidth, 1000.0f);
    EXPECT_TRUE(recorder().events(RecordedEvent::viewPort).empty());
}

TEST_F(Prototype, TexturesSampleAsSetUpAndShutdownReleasesAllButTheBackdrop) {
    // The stars tile; the walls and the wood tile in sharp texels.
    EXPECT_EQ("", recorder().samplingMismatches({{&game->texBG, {true, Texture::repeat}},
                                                 {&game->texWall, {false, Texture::repeat}},
                                                 {&game->texWood, {false, Texture::repeat}}}));
    recorder().reset();
    game->shutdown();
    EXPECT_EQ(recorder().texturesUnloaded(),
              (std::vector<const Texture*>{&game->tex[0], &game->tex[1], &game->texWall,
                                           &game->texWood, &game->texGrass, &game->texCar}));
}

} // namespace
