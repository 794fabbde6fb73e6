#include <gtest/gtest.h>

#include <cmath>
#include <memory>
#include <string>
#include <vector>

#include "Input/PC/InputManager.h"
#include "Recorder.h"
#include "Sarn2016.h"
#include "Sarn2016/Editor.h"
#include "ScriptedKeyboard.h"
#include "ScriptedRandom.h"
#include "ShippedGame.h"

namespace {

using Displayable = Sarn2016::Sarn2016Displayable;

// Looking straight down from (0, 0, 10): 90 degrees of view on 100 x 100
// pixels, so a point at height z is at pixel 50 (1 + x / (10 - z)).
void topDown(World& world) {
    world.loadIdentityProjection();
    world.perspectiveProjection(90.0f, 1.0f, 1.0f, 100.0f);
    world.lookAt(0, 0, 10, 0, 0, 0, 0, 1, 0);
}

bool same(const Vector3D& a, const Vector3D& b) {
    return a.x == b.x && a.y == b.y && a.z == b.z;
}

// Within rounding: a grab offset taken off and added back.
bool near(const Vector3D& a, const Vector3D& b) {
    Vector3D d = a - b;
    return std::fabs(d.x) < 1e-4f && std::fabs(d.y) < 1e-4f && std::fabs(d.z) < 1e-4f;
}

// The first draw from event first on made in colour (r, g, b).
RecordedDraw drawnInColour(std::size_t first, float r, float g, float b) {
    const std::vector<float> colour{r, g, b, 1};
    for (const RecordedDraw& d : recorder().drawsFrom(first))
        if (d.uniform("color") == colour)
            return d;
    ADD_FAILURE() << "nothing drawn in " << r << " " << g << " " << b;
    return RecordedDraw();
}

Vector3D normalised(Vector3D v) {
    float l = std::sqrt(v.x * v.x + v.y * v.y + v.z * v.z);
    return Vector3D(v.x / l, v.y / l, v.z / l);
}

const Vector3D empty(5, 5, -2);
const Vector3D centreHandle(-0.25f, -0.25f, -1); // over the centre handle only
const Vector3D zHandle(-0.75f, -0.75f, -0.5f);

class Sarn2016EditorTest : public testing::Test {
public:
    void SetUp() override {
        recorder().reset();
        seedScriptedRandom(1);
        editor = std::make_unique<Editor>(&world);
        room = std::make_unique<Sarn2016::Room>();
        mesh.load("data/meshes/display/wall.json"); // 2 x 2 x 2 from the origin
        block.init(0, 0, 0, &mesh, nullptr);
        block.setScale(1, 1, 1);
        topDown(world);
        editor->screenWidth = editor->screenHeight = 100.0f;
    }
    Displayable& add(Vector3D p) {
        Displayable& d = room->staticObjects[room->staticObjectCount++];
        d.transform.position = p;
        d.object = &block;
        return d;
    }
    // One frame with the button down or up over the pixel of a world point.
    void frame(bool down, Vector3D at) {
        float d = cameraPosition.z - at.z;
        inputManager.mMouseLeft = down;
        inputManager.mMousePosition = Vector2D(50 * (1 + at.x / d), 50 * (1 + at.y / d));
        testing::internal::CaptureStdout();
        editor->update(world, cameraPosition, room.get());
        out += testing::internal::GetCapturedStdout();
    }
    // The model-view matrix that the handle in colour (r, g, b) is drawn with:
    // the view only moves back by 10, so it shows the handle's own place.
    std::vector<float> drawnHandle(float r, float g, float b) {
        std::size_t from = recorder().events().size();
        editor->render(world);
        std::vector<float> mv = drawnInColour(from, r, g, b).uniform("mvMat");
        mv.resize(16);
        return mv;
    }
    void click(Vector3D at) {
        frame(true, at);
        frame(false, at);
    }
    World world;
    Vector3D cameraPosition = Vector3D(0, 0, 10);
    std::unique_ptr<Editor> editor;
    std::unique_ptr<Sarn2016::Room> room;
    Object3D mesh;
    ObjectApp block;
    std::string out;
};

} // namespace

TEST(Sarn2016EditorMaths, CentrePixelFollowsTheCameraForward) {
    World world;
    world.perspectiveProjection(60.0f, 1.5f, 0.5f, 200.0f);
    world.lookAt(3, 4, 5, 0, 1, -2, 0, 0, 1);
    Vector3D ray, view;
    ASSERT_TRUE(editorMouseRay(world, 150, 50, 300, 100, false, ray, view));
    Vector3D forward = normalised(world.getForward());
    EXPECT_NEAR(forward.x, ray.x, 1e-5f);
    EXPECT_NEAR(forward.y, ray.y, 1e-5f);
    EXPECT_NEAR(forward.z, ray.z, 1e-5f);
    EXPECT_FALSE(editorMouseRay(world, 150, 50, 0, 0, false, ray, view));
}

TEST(Sarn2016EditorMaths, EachDragMovesWhatItShould) {
    World world;
    topDown(world);
    Vector3D c(0, 0, 10), r = normalised(Vector3D(0.1f, 0.2f, -1)), level(1, 0, 0);
    Transform offset;
    offset.position = Vector3D(0.5f, 0, 0);
    struct Case {
        Editor::onDragFunc drag;
        bool x, y, z;
    } cases[] = {{dragAnywhere, true, true, false},
                 {dragX, true, false, false},
                 {dragY, false, true, false},
                 {dragZ, false, false, true}};
    for (const Case& t : cases) {
        Displayable d;
        d.position() = Vector3D(1, 2, -3);
        Vector3D ray = t.drag == dragZ ? normalised(Vector3D(0, 1, -1)) : r;
        t.drag(c, &d, ray, world, Transform());
        EXPECT_EQ(t.x, d.position().x != 1.0f);
        EXPECT_EQ(t.y, d.position().y != 2.0f);
        EXPECT_EQ(t.z, d.position().z != -3.0f);
        // A level ray, or for z a ray straight down, moves nothing.
        Vector3D parallel = t.drag == dragZ ? Vector3D(0, 0, -1) : level;
        d.position() = Vector3D(1, 2, -3);
        t.drag(c, &d, parallel, world, offset);
        EXPECT_TRUE(same(d.position(), Vector3D(1, 2, -3)));
    }
    // The point of the ray at the object's depth, plus the offset.
    Displayable d;
    d.position() = Vector3D(1, 2, -3);
    dragAnywhere(c, &d, r, world, offset);
    EXPECT_NEAR(1.3f + 0.5f, d.position().x, 1e-5f);
    EXPECT_NEAR(2.6f, d.position().y, 1e-5f);
}

TEST_F(Sarn2016EditorTest, ClickSelectsAndHandlesDrag) {
    Displayable& first = add(Vector3D(-1, -1, -2));
    Displayable& twin = add(Vector3D(-1, -1, -2)); // the same distance
    click(Vector3D(0, 0, 0));
    EXPECT_EQ(&first, editor->selectedObject);
    EXPECT_NE(std::string::npos, out.find("Forward: "));
    EXPECT_NE(std::string::npos, out.find("View Ray: "));
    EXPECT_TRUE(
        same(editor->draggers[Editor::DraggerX].displayable.position(), Vector3D(0, -1, -2)));

    // Press and release on a handle: nothing moves, no static object tested.
    out.clear();
    click(zHandle);
    EXPECT_TRUE(same(first.position(), Vector3D(-1, -1, -2)));
    EXPECT_EQ(&first, editor->selectedObject);
    EXPECT_EQ(std::string::npos, out.find("Intersection"));

    // Entering a handle after the press starts no drag.
    frame(true, empty);
    frame(true, centreHandle);
    frame(true, Vector3D(3, 3, -1));
    EXPECT_EQ(nullptr, editor->currentDrag);
    EXPECT_TRUE(same(first.position(), Vector3D(-1, -1, -2)));
    frame(false, empty);

    // Clicking empty space clears the selection.
    click(empty);
    EXPECT_EQ(nullptr, editor->selectedObject);

    // Each handle, found by its colour where it is drawn, drags along its own
    // axes only, keeping the grab point, and is drawn where the object went:
    // the mesh is 2 across, the anchor takes off half of it in x and y. The
    // mouse goes 0.6 across and 0.3 up at the pressed height: at the object's
    // depth that is (10 - z) / (10 - h) times more.
    click(Vector3D(0, 0, 0));
    struct Handle {
        float r, g, b;
        Vector3D offset;
        float size;
        bool x, y, z;
    } const handles[] = {{1, 0, 1, Vector3D(0, 0, 0), 0.5f, true, true, false},
                         {1, 0, 0, Vector3D(1, 0, 0), 0.25f, true, false, false},
                         {0, 0, 1, Vector3D(0, 1, 0), 0.25f, false, true, false},
                         {0, 1, 0, Vector3D(0, 0, 1), 0.25f, false, false, true}};
    for (const Handle& h : handles) {
        // On its top face, near the corner that faces the view's centre, which
        // no other handle hides while the object lies towards -x, -y.
        std::vector<float> mv = drawnHandle(h.r, h.g, h.b);
        float s = mv[0];
        Vector3D at(mv[12] + 1.8f * s, mv[13] + 1.8f * s, mv[14] + 10 + 2 * s);
        Vector3D start = first.position();
        frame(true, at);
        ASSERT_NE(nullptr, editor->currentDrag) << h.r << h.g << h.b;
        frame(true, at); // held still
        EXPECT_TRUE(near(start, first.position())) << h.r << h.g << h.b;
        out.clear();
        frame(true, Vector3D(at.x - 0.6f, at.y - 0.3f, at.z));
        Vector3D p = first.position();
        mv = drawnHandle(h.r, h.g, h.b);
        EXPECT_EQ(h.size, mv[0]);
        EXPECT_EQ(h.size, mv[10]);
        EXPECT_NEAR(p.x + h.offset.x - h.size / 2, mv[12], 1e-5f) << h.r << h.g << h.b;
        EXPECT_NEAR(p.y + h.offset.y - h.size / 2, mv[13], 1e-5f) << h.r << h.g << h.b;
        EXPECT_NEAR(p.z + h.offset.z - 10, mv[14], 1e-5f) << h.r << h.g << h.b;
        frame(false, empty);
        Vector3D moved = p - start;
        float k = (10 - start.z) / (10 - at.z);
        EXPECT_NEAR(h.x ? -0.6f * k : 0.0f, moved.x, 1e-4f) << h.r << h.g << h.b;
        EXPECT_NEAR(h.y ? -0.3f * k : 0.0f, moved.y, 1e-4f) << h.r << h.g << h.b;
        // z: the plane through the camera's side axis and the ray of the
        // mouse's row, met at the object's y, against that of the press.
        float dz = start.y * (at.z - 10) * (1 / (at.y - 0.3f) - 1 / at.y);
        EXPECT_NEAR(h.z ? dz : 0.0f, moved.z, 1e-3f) << h.r << h.g << h.b;
        // A z drag drops the ray's x, the printed view ray's too.
        EXPECT_EQ(h.z, out.find("View Ray: 0 ") != std::string::npos) << out;
    }
    EXPECT_TRUE(same(twin.position(), Vector3D(-1, -1, -2)));
    EXPECT_EQ(&first, editor->selectedObject);

    // A ray through the top of one's centre handle that goes on into its x
    // handle: the nearer is grabbed, although it comes first.
    Displayable& right = add(Vector3D(2, -1, -2));
    click(Vector3D(3, 0, 0));
    ASSERT_EQ(&right, editor->selectedObject);
    frame(true, Vector3D(2.55f, -0.6f, 0));
    EXPECT_EQ(&editor->draggers[Editor::DraggerAll], editor->currentDrag);
}

TEST_F(Sarn2016EditorTest, NothingBeforeTheScreenHasASize) {
    add(Vector3D(-1, -1, -2));
    editor->screenWidth = editor->screenHeight = 0.0f;
    click(Vector3D(0, 0, 0));
    EXPECT_EQ(nullptr, editor->selectedObject);
    EXPECT_EQ("", out);
}

namespace {

// The shipped game on the recording back end, the editor driven through its
// prepare and render in a 1280 x 720 window, as an author uses it.
class Sarn2016EditorInGameTest : public ShippedSarn2016 {
public:
    void SetUp() override {
        ShippedSarn2016::SetUp();
        game->tutoTime = game->tutoTotalTime;
    }
    void frame(bool down, Vector2D at) {
        inputManager.mWritableMouseLeft = down;
        inputManager.mWritableMousePosition = at;
        testing::internal::CaptureStdout();
        game->prepare(1.0f / 60.0f);
        mark = recorder().events().size();
        game->render();
        testing::internal::GetCapturedStdout();
    }
    // Frames with the button up until the chase camera, which trails the
    // diver by a third of a second, has stood still for half a second.
    void settle() {
        std::vector<float> before;
        for (int still = 0, f = 0; still < 30 && f < 400; ++f) {
            before.assign(game->monde.mvMat, game->monde.mvMat + 16);
            frame(false, water);
            still = before == std::vector<float>(game->monde.mvMat, game->monde.mvMat + 16)
                        ? still + 1
                        : 0;
        }
    }
    // Where the last frame drew the middle of the part of the green (z)
    // handle that its pick box shares (the box is not shifted by the anchor).
    Vector2D zHandleAt() {
        RecordedDraw handle = drawnInColour(mark, 0, 1, 0);
        std::vector<float> proj = handle.uniform("projMat"), mv = handle.uniform("mvMat");
        Vector2D at = water;
        if (proj.size() == 16 && mv.size() == 16)
            pixelOf(proj.data(), mv.data(), Vector3D(1.25f, 1.25f, 1), at);
        return at;
    }
    const Vector2D water = Vector2D(640, 715); // straight up: nothing to hit
    std::size_t mark = 0;
};

} // namespace

// A rock at several screen columns: pressing its green handle and holding the
// mouse still, then letting go, moves nothing; a second press lifts it with
// the cursor's row alone.
TEST_F(Sarn2016EditorInGameTest, GrabbedRockStaysUntilTheMouseMoves) {
    Editor& editor = *game->editor;
    Sarn2016::Sarn2016Displayable& rock = game->currentRoom->staticObjects[42];
    ASSERT_TRUE(same(rock.position(), Vector3D(70, 15, -20))); // 5 x 4 x 3 units
    for (float side : {0.0f, -3.0f, 8.0f}) {
        // The diver faces -y, the camera 5 behind and 2 above it, level, 30
        // units before the rock; screen right is -x.
        game->swimmer.position = Vector3D(70 + side, 40, -5);
        settle();
        const Vector3D start = rock.position();
        Vector2D rockAt;
        ASSERT_TRUE(pixelOf(game->monde.projMat, game->monde.mvMat, start + Vector3D(2.5f, 2, 1.5f),
                            rockAt));
        frame(true, rockAt);
        frame(false, water);
        ASSERT_EQ(&rock, editor.selectedObject) << side;
        Vector2D at = zHandleAt();
        frame(true, at);
        EXPECT_EQ(&editor.draggers[Editor::DraggerZ], editor.currentDrag) << side;
        frame(true, at);
        frame(false, at);
        EXPECT_TRUE(near(start, rock.position())) << side << " " << rock.position().z;
        // 36 rows up at 30 units, with a field of view of 90 degrees over 720
        // rows: 3 units, wherever the mouse goes across.
        frame(true, at);
        frame(true, Vector2D(at.x + 50, at.y + 36));
        frame(false, water);
        EXPECT_NEAR(start.z + 3, rock.position().z, 1e-3f) << side;
        EXPECT_EQ(start.x, rock.position().x);
        EXPECT_EQ(start.y, rock.position().y);
    }
}
