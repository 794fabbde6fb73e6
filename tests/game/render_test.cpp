#include "GameFixture.h"

#include <filesystem>

#include "support/ImageFiles.h"
#include "support/Recorder.h"
#include "support/TestFiles.h"

namespace {

// One drawn sprite as the recording back end saw it: the texture bound at the
// draw and the corner and size that its model-view matrix gives the unit quad.
struct Sprite {
    const Texture* texture;
    float x, y, z, width, height;
};

// The events logged since first (the buffers made by init must stay known to
// the recorder, so the log is not reset between init and a frame).
std::vector<RecordedEvent> eventsSince(std::size_t first) {
    const std::vector<RecordedEvent>& all = recorder().events();
    return std::vector<RecordedEvent>(all.begin() + long(first), all.end());
}

std::vector<Sprite> drawnSprites(const std::vector<RecordedEvent>& log, const Texture* bound) {
    std::vector<Sprite> out;
    std::vector<float> mv;
    for (const RecordedEvent& e : log) {
        if (e.kind == RecordedEvent::textureBind)
            bound = e.texture;
        else if (e.kind == RecordedEvent::uniform && e.name == "mvMat")
            mv = e.values;
        else if (e.kind == RecordedEvent::draw)
            out.push_back({bound, mv[12], mv[13], mv[14], mv[0], mv[5]});
    }
    return out;
}

class Render : public GameTest {
public:
    std::vector<RecordedEvent> renderLog() {
        std::size_t first = recorder().events().size();
        game.render();
        EXPECT_TRUE(recorder().faults().empty()) << recorder().dump();
        return eventsSince(first);
    }
    std::vector<Sprite> renderFrame() {
        const Texture* bound = Texture::bound;
        return drawnSprites(renderLog(), bound);
    }
    void expectSprite(const Sprite& s, const Texture* texture, float x, float y, float width,
                      float height, const std::string& what) {
        EXPECT_EQ(s.texture, texture) << what;
        EXPECT_FLOAT_EQ(s.x, x) << what;
        EXPECT_FLOAT_EQ(s.y, y) << what;
        EXPECT_FLOAT_EQ(s.z, 1) << what;
        EXPECT_FLOAT_EQ(s.width, width) << what;
        EXPECT_FLOAT_EQ(s.height, height) << what;
    }
    // The digit sprites at the end of a frame of level n.
    std::vector<Sprite> digitsOf(int level, std::size_t count) {
        game.levelNum = level;
        std::vector<Sprite> all = renderFrame();
        EXPECT_GE(all.size(), count);
        return std::vector<Sprite>(all.end() - long(count), all.end());
    }
};

TEST_F(Render, StateCallsFrameTheSpritesInOrder) {
    std::vector<RecordedEvent> log = renderLog();
    std::vector<std::string> calls;
    for (const RecordedEvent& e : log) {
        switch (e.kind) {
        case RecordedEvent::shaderBind:
            calls.push_back("bind");
            break;
        case RecordedEvent::clear:
            calls.push_back("clear");
            break;
        case RecordedEvent::depthMask:
            calls.push_back(e.on ? "mask on" : "mask off");
            break;
        case RecordedEvent::depthTest:
            calls.push_back(e.on ? "test on" : "test off");
            break;
        case RecordedEvent::uniform:
            if (e.name == "projMat")
                calls.push_back("projMat");
            break;
        case RecordedEvent::draw:
            if (calls.back() != "draws")
                calls.push_back("draws");
            break;
        default:
            break;
        }
    }
    EXPECT_EQ(calls, (std::vector<std::string>{"bind", "clear", "mask off", "test off", "bind",
                                               "projMat", "draws", "mask on", "test on"}));
    // Only the basic shader draws; the light direction is not in its table.
    for (const RecordedEvent& e : log) {
        if (e.kind == RecordedEvent::shaderBind || e.kind == RecordedEvent::draw) {
            EXPECT_EQ(e.shader, &game.shader);
        }
        if (e.kind == RecordedEvent::uniform) {
            EXPECT_TRUE(e.name == "projMat" || e.name == "mvMat") << e.name;
        }
    }
}

TEST_F(Render, ProjectionMapsTheScreenToClipSpace) {
    std::vector<float> p;
    int sends = 0;
    for (const RecordedEvent& e : renderLog()) {
        if (e.kind == RecordedEvent::uniform && e.name == "projMat") {
            p = e.values;
            ++sends;
        }
    }
    ASSERT_EQ(sends, 1);
    // Corners of the screen at the sprites' z = 1 land on the clip corners at depth 0.
    auto clip = [&](float x, float y, float z, int row) {
        return p[std::size_t(row)] * x + p[std::size_t(4 + row)] * y + p[std::size_t(8 + row)] * z +
               p[std::size_t(12 + row)];
    };
    EXPECT_FLOAT_EQ(clip(0, 0, 1, 0), -1);
    EXPECT_FLOAT_EQ(clip(0, 0, 1, 1), -1);
    EXPECT_NEAR(clip(0, 0, 1, 2), 0, 1e-6);
    EXPECT_FLOAT_EQ(clip(1280, 720, 1, 0), 1);
    EXPECT_FLOAT_EQ(clip(1280, 720, 1, 1), 1);
    EXPECT_FLOAT_EQ(clip(1280, 720, 1, 3), 1);
}

// The room's spot positions, written out: spot 0 to 15, then the end spot.
const float spotXY[17][2] = {{700, 370}, {800, 310}, {900, 250}, {1000, 190}, {600, 310},
                             {700, 250}, {800, 190}, {900, 130}, {500, 250},  {600, 190},
                             {700, 130}, {800, 70},  {400, 190}, {500, 130},  {600, 70},
                             {700, 10},  {500, 350}};

TEST_F(Render, SpotsStandOnTheirFixedPositions) {
    for (int spot = 0; spot < 17; ++spot) {
        EXPECT_EQ(game.gridPositions[spot].x, spotXY[spot][0]) << "spot " << spot;
        EXPECT_EQ(game.gridPositions[spot].y, spotXY[spot][1]) << "spot " << spot;
    }
}

TEST_F(Render, ScreenIsDrawnBackToFront) {
    setRoom({{"key", 0},
             {"open_door", 16},
             {"matches", 8},
             {"cloth", 1},
             {"crowbar", 0},
             {"hammer", 4}});
    game.roomObjects[2].taken = true;
    setInventory({"key", nullptr, nullptr, "cloth"});
    game.levelNum = 1;
    std::vector<Sprite> s = renderFrame();
    ASSERT_EQ(s.size(), 1u + 5u + 1u + 12u + 2u + 1u);

    expectSprite(s[0], &game.texRoom, 280, 0, 1000, 720, "room");
    // End spot first, then the diamond column by column: spot 0 (both
    // objects, in index order) and spot 4, then spot 1 of the next column; the
    // taken matches are not drawn. Pictures at two thirds of their size.
    struct Expected {
        const char* type;
        int spot;
    };
    const Expected room[] = {
        {"open_door", 16}, {"key", 0}, {"crowbar", 0}, {"hammer", 4}, {"cloth", 1}};
    for (int i = 0; i < 5; ++i) {
        Texture& picture = type(room[i].type)->roomTexture;
        const float* at = spotXY[room[i].spot];
        expectSprite(s[std::size_t(1 + i)], &picture, at[0], at[1],
                     float(picture.getWidth()) * 0.6666667f,
                     float(picture.getHeight()) * 0.6666667f, room[i].type);
    }
    expectSprite(s[6], &game.texBlackPixel, 0, 0, 280, 720, "panel");
    std::size_t next = 7;
    for (int slot = 0; slot < 12; ++slot) {
        float x = 50.0f + 120.0f * float(slot % 2), y = 30.0f + 120.0f * float(slot / 2);
        expectSprite(s[next++], &game.texWhitePixel, x, y, 60, 60, "slot " + std::to_string(slot));
        if (slot == 0)
            expectSprite(s[next++], &type("key")->inventoryTexture, x, y, 60, 60, "key icon");
        if (slot == 3)
            expectSprite(s[next++], &type("cloth")->inventoryTexture, x, y, 60, 60, "cloth icon");
    }
    expectSprite(s[next], &game.numbers[1], 1240, 0, 40, 40, "level");
}

TEST_F(Render, EverySpotIsDrawnOnceColumnByColumn) {
    // One key per spot, stored from spot 16 down, so that only the spot order
    // can put them in the order below.
    game.roomObjectCount = 0;
    for (int spot = 16; spot >= 0; --spot) {
        Sarn2017::RoomObject& object = game.roomObjects[game.roomObjectCount++];
        object = Sarn2017::RoomObject();
        object.type = type("key");
        object.positionIndex = spot;
    }
    std::vector<Sprite> s = renderFrame();
    const int order[17] = {16, 0, 4, 8, 12, 1, 5, 9, 13, 2, 6, 10, 14, 3, 7, 11, 15};
    ASSERT_GE(s.size(), 18u);
    for (int i = 0; i < 17; ++i) {
        EXPECT_EQ(s[std::size_t(1 + i)].x, spotXY[order[i]][0]) << "draw " << i;
        EXPECT_EQ(s[std::size_t(1 + i)].y, spotXY[order[i]][1]) << "draw " << i;
    }
    EXPECT_EQ(s[18].texture, &game.texBlackPixel); // then the panel
}

TEST_F(Render, WidePictureIsDrawnAndHitAtItsOwnShape) {
    // A bench whose room picture is 150 x 60 pixels: at two thirds, 100 x 40.
    std::vector<std::vector<unsigned char>> rows(60, std::vector<unsigned char>(150 * 4, 200));
    std::filesystem::path folder =
        std::filesystem::path(writeTestFile("wide-picture/.keep", "")).parent_path();
    writeTestFile("wide-picture/data/Sarn2017/objects/room/bench.png",
                  makePNG(150, 60, 6, 8, rows));
    // Pictures are read relative to the working directory.
    std::filesystem::path home = std::filesystem::current_path();
    std::filesystem::current_path(folder);
    bool loaded = useCatalogue(R"({"objectsList": {"objects": [
        {"name": "goal", "takeable": false, "finishLevelOnInteract": true},
        {"name": "bench"}]}})");
    std::filesystem::current_path(home);
    ASSERT_TRUE(loaded) << loadErrors;
    Texture& bench = type("bench")->roomTexture;
    ASSERT_EQ(bench.getWidth(), 150);

    setRoom({{"bench", 5}});
    std::vector<Sprite> s = renderFrame();
    ASSERT_GE(s.size(), 2u);
    expectSprite(s[1], &bench, 700, 250, 100, 40, "bench");
    click(Vector2D(720, 320)); // above the bench, within its width
    EXPECT_FALSE(game.roomObjects[0].taken);
    click(Vector2D(790, 280)); // right of its height, within its box
    EXPECT_TRUE(game.roomObjects[0].taken);
}

TEST_F(Render, NameCardAndDraggedObjectFollowTheCursor) {
    // In a window of another shape than the screen, window (1125, 300) is
    // screen (750, 400): the sprites must stand there, under the cursor.
    game.onResize(1920, 540);
    setRoom({{"key", 0}});
    setInventory({"hammer", "cloth"});
    frame(120, 45, true);   // drag the hammer from slot 0
    frame(1125, 300, true); // over the key: its name card
    std::vector<Sprite> s = renderFrame();
    ASSERT_GE(s.size(), 3u);
    Texture& card = type("key")->descriptionTexture;
    expectSprite(s[s.size() - 3], &card, 750, 400, card.getWidth() / 2.0f, card.getHeight() / 2.0f,
                 "name card");
    expectSprite(s[s.size() - 2], &type("hammer")->inventoryTexture, 750, 400, 60, 60, "dragged");
    expectSprite(s.back(), &game.numbers[1], 1240, 0, 40, 40, "level");
}

TEST_F(Render, LevelNumberRunsRightToLeft) {
    std::vector<Sprite> d = digitsOf(1, 1);
    expectSprite(d[0], &game.numbers[1], 1240, 0, 40, 40, "1");
    d = digitsOf(9, 1);
    expectSprite(d[0], &game.numbers[9], 1240, 0, 40, 40, "9");
    d = digitsOf(10, 2);
    expectSprite(d[0], &game.numbers[0], 1240, 0, 40, 40, "10: 0");
    expectSprite(d[1], &game.numbers[1], 1200, 0, 40, 40, "10: 1");
    d = digitsOf(100, 3);
    expectSprite(d[0], &game.numbers[0], 1240, 0, 40, 40, "100: 0");
    expectSprite(d[1], &game.numbers[0], 1200, 0, 40, 40, "100: 0");
    expectSprite(d[2], &game.numbers[1], 1160, 0, 40, 40, "100: 1");
    // Level 0 draws no digit: the last sprite is the last slot.
    game.levelNum = 0;
    std::vector<Sprite> s = renderFrame();
    EXPECT_EQ(s.back().texture, &game.texWhitePixel);
}

TEST_F(Render, InitLoadsEveryAssetAndBothShaders) {
    Sarn2017 fresh;
    recorder().reset();
    testing::internal::CaptureStdout();
    ASSERT_TRUE(fresh.init());
    testing::internal::GetCapturedStdout();
    std::vector<RecordedEvent> loads = recorder().events(RecordedEvent::textureLoad);
    // 3 screen images, 10 digits, and per type its room and name pictures plus
    // an icon for the 13 takeable types; each is uploaded and read.
    EXPECT_EQ(loads.size(), 3u + 10u + 30u * 2u + 13u);
    EXPECT_EQ(recorder().events(RecordedEvent::textureUpload).size(), loads.size());
    for (const RecordedEvent& e : loads)
        EXPECT_TRUE(e.on) << e.name;
    // The slot frames keep their sharp edge; every other picture is smoothed.
    EXPECT_EQ("", recorder().samplingMismatches(
                      {{&fresh.texWhitePixel, {false, Texture::mirroredRepeat}}}));
    std::vector<std::string> shaders;
    for (const RecordedEvent& e : recorder().events(RecordedEvent::shaderLoad))
        shaders.push_back(e.name);
    EXPECT_EQ(shaders, (std::vector<std::string>{"data/shaders/basic-fixed",
                                                 "data/shaders/room-transition"}));
    EXPECT_EQ(recorder().events(RecordedEvent::shaderCompile).size(), 2u);
    EXPECT_EQ(fresh.roomTransitionShader.mUniformsSize, 3u);
    EXPECT_EQ(fresh.texWhitePixel.getPixels(), nullptr);
    EXPECT_EQ(fresh.quad.m_indices.size(), 6u);
    EXPECT_EQ(fresh.windowEventHandler.game, &fresh);
}

} // namespace
