#include <gtest/gtest.h>

#include <cmath>
#include <memory>
#include <string>
#include <vector>

#include "Input/PC/InputManager.h"
#include "Recorder.h"
#include "Sarn2016/Editor.h"
#include "ScriptedRandom.h"

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
    // A point to press on the handle drawn in colour (r, g, b): on its top
    // face, near the corner that faces the view's centre, which no other
    // handle hides while the object lies towards -x, -y.
    Vector3D onHandle(float r, float g, float b) {
        std::size_t from = recorder().events().size();
        editor->render(world);
        const std::vector<RecordedEvent>& log = recorder().events();
        std::vector<float> colour, mv;
        for (std::size_t i = from; i < log.size(); ++i) {
            if (log[i].name == "color")
                colour = log[i].values;
            else if (log[i].name == "mvMat")
                mv = log[i].values;
            else if (log[i].kind == RecordedEvent::draw &&
                     colour == std::vector<float>{r, g, b, 1}) {
                float s = mv[0]; // the view only moves back by 10
                return Vector3D(mv[12] + 1.8f * s, mv[13] + 1.8f * s, mv[14] + 10 + 2 * s);
            }
        }
        ADD_FAILURE() << "no handle drawn in " << r << " " << g << " " << b;
        return empty;
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
    // axes only, keeping the grab point. The mouse goes 0.6 across and 0.3 up
    // at the pressed height: at the object's depth that is (10 - z) / (10 - h)
    // times more.
    click(Vector3D(0, 0, 0));
    struct Handle {
        float r, g, b;
        bool x, y, z;
    } const handles[] = {{1, 0, 1, true, true, false},
                         {1, 0, 0, true, false, false},
                         {0, 0, 1, false, true, false},
                         {0, 1, 0, false, false, true}};
    for (const Handle& h : handles) {
        Vector3D at = onHandle(h.r, h.g, h.b), start = first.position();
        frame(true, at);
        ASSERT_NE(nullptr, editor->currentDrag) << h.r << h.g << h.b;
        out.clear();
        frame(true, Vector3D(at.x - 0.6f, at.y - 0.3f, at.z));
        frame(false, empty);
        Vector3D moved = first.position() - start;
        float k = (10 - start.z) / (10 - at.z);
        EXPECT_NEAR(h.x ? -0.6f * k : 0.0f, moved.x, 1e-4f) << h.r << h.g << h.b;
        EXPECT_NEAR(h.y ? -0.3f * k : 0.0f, moved.y, 1e-4f) << h.r << h.g << h.b;
        // z: the plane through the camera's side axis and the ray, met at the
        // object's y, less that of the press, whose ray still had its x.
        float dz = start.y * (at.z - 10) * (1 / (at.y - 0.3f) - 1 / at.y) + at.x * start.x / at.y;
        EXPECT_NEAR(h.z ? dz : 0.0f, moved.z, 1e-3f) << h.r << h.g << h.b;
        // A z drag drops the ray's x, the printed view ray's too.
        EXPECT_EQ(h.z, out.find("View Ray: 0 ") != std::string::npos) << out;
    }
    EXPECT_TRUE(same(twin.position(), Vector3D(-1, -1, -2)));
    EXPECT_EQ(&first, editor->selectedObject);
}

TEST_F(Sarn2016EditorTest, NothingBeforeTheScreenHasASize) {
    add(Vector3D(-1, -1, -2));
    editor->screenWidth = editor->screenHeight = 0.0f;
    click(Vector3D(0, 0, 0));
    EXPECT_EQ(nullptr, editor->selectedObject);
    EXPECT_EQ("", out);
}
