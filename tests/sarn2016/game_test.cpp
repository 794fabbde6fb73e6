#include <gtest/gtest.h>

#include <algorithm>
#include <memory>

#include "Recorder.h"
#include "Sarn2016.h"
#include "ScriptedRandom.h"

namespace {

using CodeTree = Sarn2016::CodeTree;

class Sarn2016GameTest : public testing::Test {
public:
    void SetUp() override {
        recorder().reset();
        seedScriptedRandom(1);
        game = std::make_unique<Sarn2016>();
    }
    CodeTree& node(unsigned int slot, CodeTree::func f, void* data = nullptr) {
        CodeTree& n = game->rooms[0].codes[slot];
        n.code = f;
        n.funcData = data;
        return n;
    }
    std::unique_ptr<Sarn2016> game;
};

} // namespace

// hasRedKey ? launchToggleDoor(door 0) : takeBlueKey, then takeGoldKey after
// the blue key.
TEST_F(Sarn2016GameTest, TreesRunAlongTheirBranches) {
    Sarn2016::Door& door = game->rooms[0].doors[0];
    CodeTree& root = node(0, g_hasRedKey);
    root.ifTrue = &node(1, g_launchToggleDoor, &door);
    root.ifFalse = &node(2, g_takeBlueKey);
    root.ifFalse->ifTrue = &node(3, g_takeGoldKey);

    CodeTree::run(&root, game.get());
    EXPECT_TRUE(game->swimmer.hasBlueKey && game->swimmer.hasGoldKey);
    EXPECT_FALSE(door.mechanism.running);

    game->swimmer.hasBlueKey = game->swimmer.hasGoldKey = false;
    EXPECT_TRUE(g_takeRedKey(game.get(), nullptr));
    CodeTree::run(&root, game.get());
    EXPECT_TRUE(door.mechanism.running);
    EXPECT_FALSE(game->swimmer.hasBlueKey || game->swimmer.hasGoldKey);

    // removeGoldKey always answers true: a loop onto itself stops all the same.
    CodeTree& loop = node(4, g_removeGoldKey);
    loop.ifTrue = &loop;
    CodeTree::run(&loop, game.get());
    CodeTree::run(nullptr, game.get());

    Sarn2016::CameraPath path;
    path.timeFromStart = 3.0f;
    EXPECT_TRUE(g_launchCameraPath(game.get(), &path));
    EXPECT_EQ(&path, game->currentCameraPath);
    EXPECT_EQ(0.0f, path.timeFromStart);
}

// A hint tree as the cave's: has<Key> ? nothing : launchCameraPath. Over every
// set of keys held, the path plays exactly when that key is missing, so a test
// answering with a neighbour's key shows.
TEST_F(Sarn2016GameTest, EachKeyTestAnswersForItsOwnKeyOnly) {
    const char* tests[] = {"hasRedKey", "hasGreenKey", "hasBlueKey", "hasGoldKey"};
    bool Sarn2016::Swimmer::*keys[] = {
        &Sarn2016::Swimmer::hasRedKey, &Sarn2016::Swimmer::hasGreenKey,
        &Sarn2016::Swimmer::hasBlueKey, &Sarn2016::Swimmer::hasGoldKey};
    Sarn2016::CameraPath path;
    for (int k = 0; k < 4; ++k) {
        CodeTree& hint = node(0, Sarn2016::Room::StringToCodeTreeFunc(tests[k]));
        hint.ifFalse = &node(1, g_launchCameraPath, &path);
        for (int held = 0; held < 16; ++held) {
            for (int i = 0; i < 4; ++i)
                game->swimmer.*keys[i] = (held >> i) & 1;
            game->currentCameraPath = nullptr;
            CodeTree::run(&hint, game.get());
            EXPECT_EQ(!((held >> k) & 1), game->currentCameraPath == &path)
                << tests[k] << " with keys " << held << " (bit 0 red .. bit 3 gold)";
        }
    }
}

// The strips are built once for the room current then; a room change moves
// sides 1 to 3 within the same buffers.
TEST_F(Sarn2016GameTest, BorderMeshesBuildOnceAndMoveInPlace) {
    game->rooms[0].roomDefault(0.0f, 100.0f, 0.0f, 100.0f);
    game->rooms[0].borderTopMeshSeed = 100;
    game->buildBorderMeshes();
    Object3D& top = game->mapBorderTopMesh;
    ASSERT_EQ(42u * 3u, top.m_vertices.size());
    EXPECT_EQ(20u * 6u, top.m_indices.size());
    EXPECT_EQ(42u * 3u, top.m_normals.size());
    // Each segment's two triangles tile its quad: they share a diagonal (corners
    // differing in u, along the strip, and in v, base or top) and turn the same way.
    auto uv = [&](unsigned short i) {
        return Vector2D(top.m_texCoords[2 * i], top.m_texCoords[2 * i + 1]);
    };
    for (std::size_t t = 0; t < top.m_indices.size() / 3; ++t) {
        const unsigned short* tri = &top.m_indices[3 * t];
        Vector2D a = uv(tri[0]), b = uv(tri[1]), c = uv(tri[2]);
        EXPECT_GT((b.x - a.x) * (c.y - a.y) - (b.y - a.y) * (c.x - a.x), 0.0f) << t;
        if (t % 2 == 1) {
            std::vector<unsigned short> shared;
            for (int k = 0; k < 3; ++k)
                if (std::count(tri - 3, tri, tri[k]))
                    shared.push_back(tri[k]);
            ASSERT_EQ(2u, shared.size()) << t;
            EXPECT_NE(uv(shared[0]).x, uv(shared[1]).x) << t;
            EXPECT_NE(uv(shared[0]).y, uv(shared[1]).y) << t;
        }
    }
    const std::vector<float> first = top.m_vertices;
    const unsigned int buffers = recorder().vertexInputCount();

    game->rooms[1].roomDefault(10.0f, 60.0f, 20.0f, 70.0f);
    game->rooms[1].borderTopMeshSeed = 200;
    game->currentRoom = &game->rooms[1];
    game->updateTopBorderMesh();
    game->updateBottomBorderMesh();
    const std::vector<float> moved = top.m_vertices;
    game->updateTopBorderMesh();
    EXPECT_EQ(moved, top.m_vertices);
    EXPECT_EQ(buffers, recorder().vertexInputCount());
    EXPECT_EQ(3u, recorder().events(RecordedEvent::sendVertices).size());
    EXPECT_EQ(first.size(), moved.size());
    EXPECT_TRUE(std::equal(first.begin() + 32 * 3, first.end(), moved.begin() + 32 * 3));
    EXPECT_EQ(60.0f, game->mapBorderBottomMesh.m_vertices[22 * 3]); // side 3 on the right edge
    EXPECT_TRUE(recorder().faults().empty()) << recorder().dump();
}
