#include <gtest/gtest.h>

#include <cmath>
#include <map>
#include <memory>
#include <set>
#include <string>
#include <vector>

#include "Input/PC/InputManager.h"
#include "Recorder.h"
#include "Sarn2016.h"
#include "Sarn2016/Editor.h"
#include "Sarn2016Camera.h"
#include "ScriptedKeyboard.h"
#include "ScriptedRandom.h"
#include "ShippedGame.h"

namespace {

float angle(const Vector3D& a, const Vector3D& b) {
    return std::acos(std::fmin(1.0f, Vector3D::dotProduct(a, b))) / 0.017453292f;
}

// Where a model matrix puts a point.
Vector3D place(const float* m, const Vector3D& p) {
    return Vector3D(m[0] * p.x + m[4] * p.y + m[8] * p.z + m[12],
                    m[1] * p.x + m[5] * p.y + m[9] * p.z + m[13],
                    m[2] * p.x + m[6] * p.y + m[10] * p.z + m[14]);
}

TEST(Sarn2016Camera, HeadingAndUpLagBehindTheSwimmer) {
    // A quarter turn moves the camera 45 + 9 degrees; 20 degrees moves it 2.
    for (float turn : {90.0f, 20.0f}) {
        Vector3D old = swimmerHeading(0, 0);
        Vector3D heading = swimmerHeading(turn, 0);
        Vector3D d = cameraHeadingLag(old, heading);
        EXPECT_NEAR(turn == 90.0f ? 54.0f : 2.0f, angle(swimmerHeading(0, 0), d), 0.01f);
        EXPECT_NEAR(1.0f, std::sqrt(Vector3D::dotProduct(d, d)), 1e-5f);
    }
    Vector3D same = swimmerHeading(10, 0);
    testing::internal::CaptureStdout();
    cameraHeadingLag(same, swimmerHeading(10, 0));
    EXPECT_EQ("chelou\n", testing::internal::GetCapturedStdout());

    // The up vector closes a fifth of a small gap, and 45 - 9 of a 60 degree one.
    Vector3D up = swimmerHeading(0, 270);
    for (float gap : {10.0f, 60.0f}) {
        Vector3D old = swimmerHeading(0, 270 + gap);
        EXPECT_NEAR(gap == 10.0f ? 2.0f : 27.0f, angle(old, cameraUpLag(old, up)), 0.01f);
    }
    EXPECT_EQ(up.z, cameraUpLag(up, up).z);
    // Opposite ups give no axis to turn about; the lagged up stays a unit vector.
    Vector3D flipped = cameraUpLag(Vector3D(0, 0, 1), Vector3D(0, 0, -1));
    EXPECT_NEAR(1.0f, std::sqrt(Vector3D::dotProduct(flipped, flipped)), 1e-5f);
}

TEST(Sarn2016Camera, EyeLooksBackOneThirdOfASecond) {
    std::vector<std::pair<float, Sarn2016::SwimmerTransform>> poses;
    Vector3D up(0, 0, 1);
    EXPECT_EQ(0.0f, cameraLaggedEye(poses, 0.0f, {Vector3D(0, 0, 0), up}).x);
    for (int i = 1; i <= 40; ++i) {
        float t = 0.1f * float(i);
        Vector3D eye = cameraLaggedEye(poses, t, {Vector3D(t * 10.0f, 0, 0), up});
        if (t > 0.34f) {
            EXPECT_NEAR((t - 0.33f) * 10.0f, eye.x, 1e-3f) << t;
        }
        EXPECT_LE(poses.size(), 6u);
    }
}

// The shipped game drawn on the recording back end.
class Sarn2016RenderTest : public ShippedSarn2016 {
public:
    void drawFrame(float dt = 1.0f / 60.0f) {
        game->prepare(dt);
        mark = recorder().events().size();
        game->render();
        // Nothing is drawn with a texture whose image never reached the GPU.
        std::set<const Texture*> uploaded;
        for (const RecordedEvent& e : recorder().events())
            if (e.kind == RecordedEvent::textureUpload && !e.bytes.empty())
                uploaded.insert(e.texture);
        for (const RecordedDraw& d : recorder().drawsFrom(mark))
            EXPECT_EQ(1u, uploaded.count(d.texture)) << "drawn without its image";
    }
    // Events of the last frame drawn.
    std::vector<RecordedEvent> drawn(RecordedEvent::Kind kind, const char* name = nullptr) {
        std::vector<RecordedEvent> out;
        const std::vector<RecordedEvent>& log = recorder().events();
        for (std::size_t i = mark; i < log.size(); ++i)
            if (log[i].kind == kind && (name == nullptr || log[i].name == name))
                out.push_back(log[i]);
        return out;
    }
    std::size_t mark = 0;
    // Shaders bound in order (each switch once) and draws made under each.
    std::vector<std::pair<const Shader*, int>> passes() {
        std::vector<std::pair<const Shader*, int>> out;
        const std::vector<RecordedEvent>& log = recorder().events();
        for (std::size_t i = mark; i < log.size(); ++i) {
            const RecordedEvent& e = log[i];
            if (e.kind == RecordedEvent::shaderBind)
                out.push_back({e.shader, 0});
            else if (e.kind == RecordedEvent::draw && !out.empty())
                ++out.back().second;
        }
        return out;
    }
    // One draw of the last frame: the texture on unit 0, the model matrix
    // (under camera, a view of rotation and translation only), the vertices
    // drawn and the shader's "ratio" at the draw (-1 when never sent).
    struct Drawn {
        const Texture* texture;
        float model[16];
        std::vector<float> vertices;
        float ratio;
        Vector3D at() const { return Vector3D(model[12], model[13], model[14]); }
        // Where a point of the mesh lands.
        Vector3D point(const Vector3D& p) const { return place(model, p); }
        // The scale of a draw that is not turned.
        Vector3D size() const { return Vector3D(model[0], model[5], model[10]); }
    };
    std::vector<Drawn> drawnWith(const Texture* texture, const World& camera) {
        // The inverse view: the turn transposed, the shift turned back.
        const float* v = camera.mvMat;
        float back[16] = {};
        for (int r = 0; r < 3; ++r) {
            for (int c = 0; c < 3; ++c)
                back[4 * c + r] = v[4 * r + c];
            back[12 + r] = -(v[4 * r] * v[12] + v[4 * r + 1] * v[13] + v[4 * r + 2] * v[14]);
        }
        back[15] = 1.0f;
        std::vector<Drawn> out;
        for (const RecordedDraw& draw : recorder().drawsFrom(mark)) {
            if (draw.texture != texture)
                continue;
            std::vector<float> mv = draw.uniform("mvMat"), ratio = draw.uniform("ratio");
            mv.resize(16);
            Drawn d{texture,
                    {},
                    recorder().vertexInput(draw.vertexInput).inputs[0],
                    ratio.empty() ? -1.0f : ratio[0]};
            for (int r = 0; r < 4; ++r)
                for (int c = 0; c < 4; ++c)
                    for (int k = 0; k < 4; ++k)
                        d.model[4 * c + r] += back[4 * k + r] * mv[4 * c + k];
            out.push_back(d);
        }
        return out;
    }
    std::vector<Drawn> drawnWith(const Texture* texture) { return drawnWith(texture, game->GUI); }
};

void expectAt(const Vector3D& expected, const Vector3D& actual, const char* what) {
    EXPECT_NEAR(expected.x, actual.x, 1e-3f) << what;
    EXPECT_NEAR(expected.y, actual.y, 1e-3f) << what;
    EXPECT_NEAR(expected.z, actual.z, 1e-3f) << what;
}

TEST_F(Sarn2016RenderTest, PassesRunInOrderWithTheirShaders) {
    Sarn2016& g = *game;
    // The ground, the cliffs and the refraction tile; the walls, the wood and
    // the editor's handles tile in sharp texels; the level's textures sample
    // as its file says. Everything else is smoothed and mirrored.
    const RecordedSampling tiled{true, Texture::repeat}, sharp{false, Texture::repeat};
    std::map<const Texture*, RecordedSampling> sampling = {
        {&g.texGrass, tiled},
        {&g.texCliff, tiled},
        {&g.texUnderwaterRefraction, tiled},
        {&g.texWall, sharp},
        {&g.texWood, sharp},
        {&g.editor->texSelector, sharp},
        {g.texturesDB.at("data/wall.bmp"), sharp},
        {g.texturesDB.at("data/wood.bmp"), sharp},
        {g.texturesDB.at("data/seaweed.png"), {true, Texture::clampToEdge}},
        {g.texturesDB.at("data/redkey.png"), {true, Texture::clampToEdge}},
        {g.texturesDB.at("data/greenkey.png"), {true, Texture::clampToBorder}},
        {g.texturesDB.at("data/bluekey.png"), {false, Texture::clampToBorder}}};
    for (int i = 0; i < 32; ++i)
        sampling[&g.underwaterRefractionTextures[i]] = tiled;
    EXPECT_EQ("", recorder().samplingMismatches(sampling));
    g.tutoTime = g.tutoTotalTime; // no card
    g.currentRoom->entryTransition = false;
    g.swimmer.flotationTime = 2.0f - 1.0f / 60.0f;
    drawFrame();
    unsigned int statics = g.currentRoom->staticObjectCount;
    std::vector<std::pair<const Shader*, int>> expected = {
        {&g.shader, 0},           {&g.underwaterShader, 2},
        {&g.underwaterShader, 1}, {&g.underwaterShader, int(statics) + 1},
        {&g.seaweedShader, 120},  {&g.shader, 0}};
    EXPECT_EQ(expected, passes());
    EXPECT_TRUE(recorder().faults().empty()) << recorder().faults()[0];
    // Every draw has a value for each uniform its program reads: the shader
    // tables declare them all. The refraction turns a draw's world so that the
    // light falls straight down: lengths kept, the depth along the light
    // becoming the depth along -z.
    using Names = std::set<std::string>;
    const std::map<const Shader*, Names> reads = {
        {&g.shader, {"mvMat", "projMat"}},
        {&g.underwaterShader,
         {"mvMat", "projMat", "modelMat", "inverseModelMat", "refractionModelMat",
          "lightDirection"}},
        {&g.seaweedShader, {"mvMat", "projMat", "offset"}}};
    Vector3D light(0.5f, 1.0f, -2.0f);
    light.normalize();
    for (const RecordedDraw& d : recorder().drawsFrom(mark)) {
        std::vector<std::string> sent = d.uniformNames();
        EXPECT_EQ(reads.at(d.shader), Names(sent.begin(), sent.end()));
        if (d.shader == &g.underwaterShader) {
            const Vector3D p(0.3f, 0.7f, 1.0f);
            Vector3D world = place(d.uniform("modelMat").data(), p);
            Vector3D turned = place(d.uniform("refractionModelMat").data(), p);
            EXPECT_NEAR(std::sqrt(Vector3D::dotProduct(world, world)),
                        std::sqrt(Vector3D::dotProduct(turned, turned)), 1e-3f);
            EXPECT_NEAR(Vector3D::dotProduct(world, light), -turned.z, 1e-3f);
        }
    }
    // The 3-D passes see through a 90-degree lens on the 1280 x 720 window
    // (x scaled by 720 / 1280), near 0.2, far 1000.
    const float lens[16] = {
        0.5625f, 0, 0, 0, 0, 1, 0, 0, 0, 0, -1000.2f / 999.8f, -1, 0, 0, -400.0f / 999.8f, 0};
    for (const RecordedEvent& send : drawn(RecordedEvent::uniform, "projMat")) {
        if (send.shader == &g.underwaterShader || send.shader == &g.seaweedShader) {
            for (int i = 0; i < 16; ++i)
                EXPECT_NEAR(lens[i], send.values[i], 1e-6f) << i;
        }
    }

    // The swimmer's anchor bobs a third of cos(2 s) off its depth.
    auto swimmer = drawnWith(&g.texWall, g.monde);
    ASSERT_EQ(1u, swimmer.size());
    expectAt(Vector3D(20, 20, -5.0f - 0.138716f), swimmer[0].point(Vector3D(1, 1, 0)), "swimmer");
    // Each seaweed's foot on its own spot, swaying by its own phase.
    auto weeds = drawnWith(&g.texSeaweed, g.monde);
    auto offsets = drawn(RecordedEvent::uniform, "offset");
    ASSERT_EQ(120u, weeds.size());
    ASSERT_EQ(120u, offsets.size());
    for (int i = 0; i < 120; i += 7) {
        const Sarn2016::Seaweed& weed = g.currentRoom->trees[i];
        expectAt(weed.position, weeds[i].point(Vector3D(0.5f, 0.5f, 0)), "seaweed");
        // Pitched by its y about x after rolling by its x about y.
        float pitch = weed.yawPitch.y * 0.017453292f, roll = weed.yawPitch.x * 0.017453292f;
        expectAt(Vector3D(std::sin(roll), -std::sin(pitch) * std::cos(roll),
                          std::cos(pitch) * std::cos(roll)),
                 weeds[i].point(Vector3D(0.5f, 0.5f, 1)) - weed.position, "seaweed lean");
        EXPECT_EQ(weed.startTime.y, offsets[i].values[1]) << i;
    }
    // The rocks of the file, last first, turned 75, 50 and 25 degrees about z.
    auto rocks = drawnWith(g.texturesDB.at("data/cliff.png"), g.monde);
    ASSERT_EQ(3u, rocks.size());
    const float rockTurns[3][3] = {{88, 85, 75}, {70, 15, 50}, {10, 55, 25}};
    for (int i = 0; i < 3; ++i) {
        expectAt(Vector3D(rockTurns[i][0], rockTurns[i][1], -20), rocks[i].at(), "rock");
        Vector3D along = rocks[i].point(Vector3D(1, 0, 0)) - rocks[i].at();
        along.normalize();
        float turn = rockTurns[i][2] * 0.017453292f;
        expectAt(Vector3D(std::cos(turn), std::sin(turn), 0), along, "rock turn");
    }

    // Keys held show down the left edge, red highest, two units apart; a
    // collected key's own object is not drawn.
    g.currentRoom->collectibles[0].collected = true;
    const struct {
        bool Sarn2016::Swimmer::*held;
        const Texture* sprite;
        float y;
    } keys[] = {{&Sarn2016::Swimmer::hasRedKey, &g.texRedKey, 8},
                {&Sarn2016::Swimmer::hasGreenKey, &g.texGreenKey, 6},
                {&Sarn2016::Swimmer::hasBlueKey, &g.texBlueKey, 4},
                {&Sarn2016::Swimmer::hasGoldKey, &g.texGoldKey, 2}};
    for (int pair = 0; pair < 2; ++pair) {
        for (int k = 0; k < 4; ++k)
            g.swimmer.*keys[k].held = k % 2 == pair;
        drawFrame();
        auto p = passes();
        EXPECT_EQ(int(statics), p[3].second);
        EXPECT_EQ(2, p.back().second);
        // In later frames too the scene is depth-tested and written, and the
        // flat overlay painted over it in order; the frame ends with both on.
        const std::vector<float> flat(g.GUI.getProjMat(), g.GUI.getProjMat() + 16);
        for (const RecordedDraw& d : recorder().drawsFrom(mark)) {
            bool scene = d.uniform("projMat") != flat;
            EXPECT_EQ(scene, d.depthTest);
            EXPECT_EQ(scene, d.depthMask);
        }
        EXPECT_TRUE(drawn(RecordedEvent::depthTest).back().on);
        EXPECT_TRUE(drawn(RecordedEvent::depthMask).back().on);
        for (int k = 0; k < 4; ++k) {
            auto sprite = drawnWith(keys[k].sprite);
            ASSERT_EQ(k % 2 == pair ? 1u : 0u, sprite.size()) << k;
            if (!sprite.empty()) {
                expectAt(Vector3D(2, keys[k].y, 1), sprite[0].at(), "key");
                expectAt(Vector3D(1, 2, 2), sprite[0].size(), "key");
            }
        }
    }

    // The prompt of a lever in reach shows at (3, 2) while it rests, not
    // while it runs.
    Sarn2016::Lever& lever = g.currentRoom->levers[0];
    g.swimmer.position = lever.mechanism.position + Vector3D(0.6f, 0.6f, 10.0f);
    drawFrame();
    auto prompt = drawnWith(&g.texCtrl);
    ASSERT_EQ(1u, prompt.size());
    expectAt(Vector3D(3, 2, 1), prompt[0].at(), "prompt");
    expectAt(Vector3D(1, 1, 1), prompt[0].size(), "prompt");
    std::string image;
    for (const RecordedEvent& e : recorder().events())
        if (e.kind == RecordedEvent::textureLoad && e.texture == prompt[0].texture)
            image = e.name;
    EXPECT_EQ("data/ctrl.png", image);
    holdOnly({Key::LeftControl});
    drawFrame();
    ASSERT_TRUE(lever.mechanism.running);
    EXPECT_TRUE(drawnWith(&g.texCtrl).empty());
}

TEST_F(Sarn2016RenderTest, RefractionFramesRunInPairsAndFadesOnlyWhileTransiting) {
    std::vector<int> shown;
    for (int f = 0; f < 66; ++f) {
        drawFrame();
        for (const RecordedEvent& e : drawn(RecordedEvent::textureBind))
            if (e.count == 1)
                shown.push_back(int(e.texture - game->underwaterRefractionTextures));
    }
    ASSERT_EQ(66u, shown.size());
    for (int f = 0; f < 66; ++f)
        EXPECT_EQ((f % 64) / 2, shown[f]) << f;
    // A new game opens on the tutorial card, still whole 1.1 s in.
    auto opening = drawnWith(&game->texSwimmingControls);
    ASSERT_EQ(1u, opening.size());
    EXPECT_EQ(1.0f, opening[0].ratio);

    // The shipped first room fades in on arrival, then no fade is drawn.
    auto ratios = [&] { return drawn(RecordedEvent::uniform, "ratio"); };
    game->tutoTime = game->tutoTotalTime;
    drawFrame();
    EXPECT_TRUE(ratios().empty());
    game->currentRoom->transiting = true;
    game->currentRoom->transitingTime = 0.35f;
    mark = recorder().events().size();
    game->render();
    ASSERT_EQ(1u, ratios().size());
    EXPECT_FLOAT_EQ(0.5f, ratios()[0].values[0]);
    // The black pixel stretched over more than the whole 20 x 11.25 screen.
    auto fade = drawnWith(&game->texCar);
    ASSERT_EQ(1u, fade.size());
    expectAt(Vector3D(-16.5f, -12, 1), fade[0].at(), "fade");
    expectAt(Vector3D(40, 30, 1), fade[0].size(), "fade");

    // The card fades out over its last 2 s.
    game->currentRoom->transiting = false;
    for (float time : {7.5f, 9.5f}) {
        game->tutoTime = time;
        mark = recorder().events().size();
        game->render();
        auto card = drawnWith(&game->texSwimmingControls);
        ASSERT_EQ(1u, card.size());
        EXPECT_FLOAT_EQ(time < 8.0f ? 1.0f : 0.25f, card[0].ratio);
        expectAt(Vector3D(6, 2, 1), card[0].at(), "card");
        expectAt(Vector3D(8, 2, 1), card[0].size(), "card");
    }
    // F1 brings the card back whole; it fades as before.
    game->tutoTime = game->tutoTotalTime;
    for (float dt : {0.5f, 9.0f}) {
        holdOnly({Key::F1});
        drawFrame(dt);
        auto card = drawnWith(&game->texSwimmingControls);
        ASSERT_EQ(1u, card.size());
        EXPECT_FLOAT_EQ(dt < 1.0f ? 1.0f : 0.5f, card[0].ratio);
    }
}

// A path of uneven segments (ratios 0, 0.2, 1) blends eye, target and up
// within the segment it is in; with no waypoint ahead the chase camera stays.
TEST_F(Sarn2016RenderTest, CameraPathBlendsWithinItsSegment) {
    Sarn2016::CameraPath path;
    path.duration = 2.0f;
    Vector3D up(0, 0, 1);
    path.waypoints = {{Vector3D(0, 0, 0), Vector3D(0, 10, 0), up, 0.0f},
                      {Vector3D(10, 0, 0), Vector3D(10, 10, 0), up, 0.2f},
                      {Vector3D(10, 20, -4), Vector3D(10, 40, -12), Vector3D(2, 0, 1), 1.0f}};
    ASSERT_TRUE(g_launchCameraPath(game.get(), &path));
    path.timeFromStart = 1.2f - 1.0f / 60.0f; // r = 0.6 after the frame's step
    drawFrame();
    ASSERT_EQ(&path, game->currentCameraPath);
    // Half way through the second segment: eye (10, 10, -2), target (10, 25, -6).
    const Vector3D& eye = game->cameraPosition;
    EXPECT_NEAR(10.0f, eye.x, 1e-4f);
    EXPECT_NEAR(10.0f, eye.y, 1e-4f);
    EXPECT_NEAR(-2.0f, eye.z, 1e-4f);
    Vector3D look(0, 15, -4);
    look.normalize();
    EXPECT_LT(angle(look, game->monde.getForward()), 0.1f);
    Vector3D blended(1, 0, 1); // half way from (0, 0, 1) to (2, 0, 1), square to the view
    Vector3D square = blended - look * Vector3D::dotProduct(blended, look);
    square.normalize();
    EXPECT_LT(angle(square, game->monde.getUp()), 0.1f);

    Vector3D e, target;
    path.timeFromStart = 2.0f; // r = 1
    EXPECT_FALSE(cameraPathPose(path, e, target, up));
    path.waypoints.clear();
    path.timeFromStart = 0.0f;
    EXPECT_FALSE(cameraPathPose(path, e, target, up));
    EXPECT_TRUE(recorder().faults().empty()) << recorder().faults()[0];
}

// Kelp to the wreck (x 10 to 90) and back, at the surface: each arrival
// rebuilds the border strips on the new room's edges and lays the water over its
// bounds, and kelp, left once, fades in again on the return.
TEST_F(Sarn2016RenderTest, ReturnVisitFadesInAgainAndFramesEachRoom) {
    Sarn2016& g = *game;
    g.tutoTime = g.tutoTotalTime;
    // Sides 1 to 3 of both strips over the floor tile. The cliff's bases on
    // the room's edges, its upper vertices leaning in by up to 50 (sides 1
    // and 3) or 25 either way (side 2); the wall below straight, its side 1 at
    // x = 0 whatever the room.
    auto expectStrips = [&](float left, float right, const std::vector<float>& side2) {
        auto cliff = drawnWith(&g.texCliff, g.monde);
        auto grass = drawnWith(&g.texGrass, g.monde); // the floor, then the wall
        ASSERT_EQ(1u, cliff.size());
        ASSERT_EQ(2u, grass.size());
        expectAt(Vector3D(0, 0, -20), grass[0].at(), "floor");
        expectAt(Vector3D(100, 100, 1), grass[0].size(), "floor");
        for (const Drawn* strip : {&cliff[0], &grass[1]}) {
            expectAt(Vector3D(0, 0, 0), strip->at(), "strip");
            expectAt(Vector3D(1, 1, 1), strip->size(), "strip");
            ASSERT_EQ(21u * 2u * 3u, strip->vertices.size());
        }
        auto vertex = [&](const Drawn& strip, int pair, int upper) {
            const float* f = &strip.vertices[6 * pair + 3 * upper];
            return Vector3D(f[0], f[1], f[2]);
        };
        const float up[5] = {20, 40, 60, 80, 100}, down[5] = {80, 60, 40, 20, 0};
        for (int n = 0; n < 5; ++n) {
            expectAt(Vector3D(left, up[n], 0), vertex(cliff[0], 1 + n, 0), "left cliff");
            expectAt(Vector3D(side2[n], 100, 0), vertex(cliff[0], 6 + n, 0), "top cliff");
            expectAt(Vector3D(right, down[n], 0), vertex(cliff[0], 11 + n, 0), "right cliff");
            float x1 = vertex(cliff[0], 1 + n, 1).x, y2 = vertex(cliff[0], 6 + n, 1).y;
            float x3 = vertex(cliff[0], 11 + n, 1).x;
            EXPECT_TRUE(x1 >= left && x1 < left + 50) << x1;
            EXPECT_TRUE(y2 >= 75 && y2 < 125) << y2;
            EXPECT_TRUE(x3 >= right - 50 && x3 < right) << x3;
            EXPECT_EQ(20.0f, vertex(cliff[0], 11 + n, 1).z);
            expectAt(Vector3D(0, up[n], -20), vertex(grass[1], 1 + n, 0), "left wall");
            expectAt(Vector3D(side2[n], 100, 0), vertex(grass[1], 6 + n, 1), "top wall");
            expectAt(Vector3D(right, down[n], -20), vertex(grass[1], 11 + n, 0), "right wall");
        }
    };
    auto expectWater = [&](float left, float width) {
        auto water = drawnWith(&g.mWaterTexture, g.monde);
        ASSERT_EQ(1u, water.size());
        expectAt(Vector3D(left, 0, -20), water[0].at(), "water");
        expectAt(Vector3D(width / 2, 50, 10), water[0].size(), "water");
    };
    auto fadeRatio = [&] {
        auto fade = drawnWith(&g.texCar);
        return fade.size() == 1 ? fade[0].ratio : -1.0f;
    };

    Sarn2016::Room* kelp = g.currentRoom;
    Sarn2016::Room* wreck = kelp->doors[0].room;
    kelp->doors[0].mechanism.end = true; // the gate open without its key
    g.swimmer.position = Vector3D(50, 96, 0);
    drawFrame(0.25f);
    ASSERT_TRUE(kelp->transiting);
    EXPECT_EQ(0.0f, fadeRatio()); // from clear, whatever the fade-in had reached
    drawFrame(0.25f);
    EXPECT_NEAR(0.25f / 0.7f, fadeRatio(), 1e-5f);
    for (int f = 0; f < 2; ++f) // 0.75 s: past the 0.7 s fade
        drawFrame(0.25f);
    ASSERT_EQ(wreck, g.currentRoom);
    EXPECT_EQ(-1.0f, fadeRatio()) << "the wreck's file asks for no fade";
    expectStrips(10, 90, {26, 42, 58, 74, 90});
    expectWater(10, 80);

    g.swimmer.position = Vector3D(50, 2, 0); // in the open door back
    for (int f = 0; f < 4; ++f)
        drawFrame(0.25f);
    ASSERT_EQ(kelp, g.currentRoom);
    EXPECT_FLOAT_EQ(1.0f, fadeRatio());
    expectStrips(0, 100, {20, 40, 60, 80, 100});
    expectWater(0, 100);
    drawFrame(0.21f);
    EXPECT_NEAR(0.7f, fadeRatio(), 1e-5f);
    EXPECT_TRUE(recorder().faults().empty()) << recorder().faults()[0];
}

// The camera that render builds, over played frames: it settles on the
// heading, closes a turn a tenth a frame once cut to 45 degrees, and trails the
// swimmer by 0.33 s.
TEST_F(Sarn2016RenderTest, ChaseCameraSettlesOnTheHeadingAndTrails) {
    game->tutoTime = game->tutoTotalTime;
    Sarn2016::Swimmer& s = game->swimmer;
    auto view = [&] { return game->monde.getForward(); };
    auto heading = [&] { return swimmerHeading(s.yaw, s.pitch); };
    holdOnly({Key::Left});
    for (int f = 0; f < 36; ++f) // a quarter turn: along x, clear of the room's triggers
        drawFrame();
    holdOnly({Key::Space});
    for (int f = 0; f < 120; ++f) // 1.2 s to full speed, then 0.8 s at 12
        drawFrame();
    EXPECT_NEAR(90.0f, s.yaw, 0.01f);
    EXPECT_LT(angle(view(), heading()), 1.0f);
    Vector3D behind = heading() * (5.0f + 12.0f * 0.33f) - Vector3D(0, 0, 2);
    Vector3D gap = s.position - game->cameraPosition;
    EXPECT_NEAR(behind.x, gap.x, 0.01f);
    EXPECT_NEAR(behind.y, gap.y, 0.01f);
    EXPECT_NEAR(behind.z, gap.z, 0.01f);

    // A quarter turn in one frame: 45 + 9 degrees, then a tenth of the rest.
    holdOnly({Key::Right});
    game->prepare(0.6f);
    game->render();
    EXPECT_NEAR(0.0f, s.yaw, 0.01f);
    float left = 36.0f;
    EXPECT_NEAR(left, angle(view(), heading()), 0.05f);
    holdOnly({});
    for (int f = 0; f < 3; ++f) {
        drawFrame();
        left *= 0.9f;
        EXPECT_NEAR(left, angle(view(), heading()), 0.05f) << f;
    }
    EXPECT_TRUE(recorder().faults().empty()) << recorder().faults()[0];
}

// The editor's selection lives in the room it was made in: a door swum
// through with the button let go in the fade, a restart in the middle of a
// drag or after a click leave no handles and no drag behind.
TEST_F(Sarn2016RenderTest, EditorSelectionEndsWithItsRoom) {
    game->tutoTime = game->tutoTotalTime;
    Editor& editor = *game->editor;
    Sarn2016::Room* kelp = game->currentRoom;
    auto statics = [&] {
        std::vector<float> out;
        for (const Sarn2016::Room& room : game->rooms)
            for (unsigned int i = 0; i < room.staticObjectCount; ++i) {
                const Vector3D& p = room.staticObjects[i].transform.position;
                out.insert(out.end(), {p.x, p.y, p.z});
            }
        return out;
    };
    const std::vector<float> asLoaded = statics();
    auto mouse = [&](bool down, Vector2D at) {
        inputManager.mWritableMouseLeft = down;
        inputManager.mWritableMousePosition = at;
        testing::internal::CaptureStdout();
        drawFrame();
        testing::internal::GetCapturedStdout();
    };
    auto handlesDrawn = [&] {
        int binds = 0;
        for (const RecordedEvent& e : drawn(RecordedEvent::shaderBind))
            binds += e.shader == &editor.colorShader;
        return binds > 0;
    };
    const Vector2D water(640, 715); // straight up: nothing to hit
    // Clicks the first static object in view. A point 0.2 into every shipped
    // object from its origin lies in the centre handle too.
    Vector2D at;
    auto select = [&] {
        mouse(false, water);
        bool seen = false;
        for (unsigned int i = 0; i < game->currentRoom->staticObjectCount && !seen; ++i) {
            Vector3D inside = game->currentRoom->staticObjects[i].position();
            seen = pixelOf(game->monde.projMat, game->monde.mvMat,
                           inside + Vector3D(0.2f, 0.2f, 0.2f), at);
        }
        ASSERT_TRUE(seen);
        mouse(true, at);
        mouse(false, at);
        ASSERT_NE(nullptr, editor.selectedObject);
        EXPECT_TRUE(handlesDrawn());
    };
    // Presses the handles of what was selected and drags a little; the button
    // stays down.
    auto grab = [&] {
        select();
        const Vector3D before = editor.selectedObject->position(); // maybe one in front
        ASSERT_TRUE(pixelOf(game->monde.projMat, game->monde.mvMat,
                            before + Vector3D(0.2f, 0.2f, 0.2f), at));
        mouse(true, at);
        ASSERT_NE(nullptr, editor.currentDrag);
        at = Vector2D(at.x + 40, at.y + 25);
        mouse(true, at);
        Vector3D moved = editor.selectedObject->position() - before;
        EXPECT_GT(Vector3D::dotProduct(moved, moved), 0.01f);
    };

    grab();
    Sarn2016::Door& gate = kelp->doors[0];
    gate.mechanism.end = true; // open without its key
    game->swimmer.position.x = (gate.roomChangeArea.start.x + gate.roomChangeArea.end.x) / 2;
    game->swimmer.position.y = (gate.roomChangeArea.start.y + gate.roomChangeArea.end.y) / 2;
    mouse(true, at);
    ASSERT_TRUE(kelp->transiting);
    for (int f = 0; f < 60 && game->currentRoom == kelp; ++f)
        mouse(false, water);
    ASSERT_EQ(gate.room, game->currentRoom);
    mouse(false, water);
    EXPECT_FALSE(handlesDrawn());

    // F4 with the button held: the drag does not go on in the reloaded rooms.
    grab();
    holdOnly({Key::F4});
    mouse(true, Vector2D(at.x + 40, at.y + 25));
    holdOnly({});
    mouse(true, Vector2D(at.x + 80, at.y + 50));
    mouse(false, water);
    EXPECT_EQ(kelp, game->currentRoom);
    EXPECT_EQ(asLoaded, statics());
    EXPECT_FALSE(handlesDrawn());

    // Nor does a selection at rest, made with the camera back at the start.
    game->swimmer.position = Vector3D(20, 20, -5);
    for (int f = 0; f < 30; ++f)
        mouse(false, water);
    select();
    holdOnly({Key::F4});
    mouse(false, water);
    holdOnly({});
    EXPECT_FALSE(handlesDrawn());
    EXPECT_TRUE(recorder().faults().empty()) << recorder().faults()[0];
}

} // namespace
