// Meshes of the underwater game, in the JSON mesh form: four vertices per box
// face so that each face keeps its own normal and texture corner.
#include "DataOutput.h"
#include "MeshFiles.h"
#include "Sarn2016Data.h"

#include <vector>

namespace {

struct Vertex {
    float x, y, z, u, v, r, g, b;
};

// Corners counter-clockwise seen from the side the face shows.
void face(MeshData& m, const Vertex& a, const Vertex& b, const Vertex& c, const Vertex& d) {
    unsigned int n = m.vertexCount();
    for (const Vertex* v : {&a, &b, &c, &d})
        m.addVertex(v->x, v->y, v->z, v->u, v->v, {v->r, v->g, v->b, 1.0f});
    m.addTriangle(n, n + 1, n + 2);
    m.addTriangle(n, n + 2, n + 3);
}

struct Colour {
    float r, g, b;
};

// A box with one texture tile per `tile` units on every face.
void addBox(MeshData& m, float x0, float y0, float z0, float x1, float y1, float z1, float tile,
            Colour c) {
    auto v = [&](float x, float y, float z, float u, float w) {
        return Vertex{x, y, z, u, w, c.r, c.g, c.b};
    };
    float du = (x1 - x0) / tile, dv = (y1 - y0) / tile, dw = (z1 - z0) / tile;
    face(m, v(x1, y0, z0, 0, 0), v(x1, y1, z0, dv, 0), v(x1, y1, z1, dv, dw), v(x1, y0, z1, 0, dw));
    face(m, v(x0, y1, z0, 0, 0), v(x0, y0, z0, dv, 0), v(x0, y0, z1, dv, dw), v(x0, y1, z1, 0, dw));
    face(m, v(x1, y1, z0, 0, 0), v(x0, y1, z0, du, 0), v(x0, y1, z1, du, dw), v(x1, y1, z1, 0, dw));
    face(m, v(x0, y0, z0, 0, 0), v(x1, y0, z0, du, 0), v(x1, y0, z1, du, dw), v(x0, y0, z1, 0, dw));
    face(m, v(x0, y0, z1, 0, 0), v(x1, y0, z1, du, 0), v(x1, y1, z1, du, dv), v(x0, y1, z1, 0, dv));
    face(m, v(x1, y0, z0, 0, 0), v(x0, y0, z0, du, 0), v(x0, y1, z0, du, dv), v(x1, y1, z0, 0, dv));
}

const Colour white = {1.0f, 1.0f, 1.0f};

// Two crossed upright cards around (0.5, 0.5), each showing both sides, in
// rows up the height so that a sway can bend them.
MeshData seaweed() {
    MeshData m;
    const int rows = 4;
    const float height = 6.0f;
    for (int card = 0; card < 2; ++card) {
        for (int row = 0; row < rows; ++row) {
            float z0 = height * row / rows, z1 = height * (row + 1) / rows;
            float v0 = static_cast<float>(row) / rows, v1 = static_cast<float>(row + 1) / rows;
            Colour c0 = {0.55f + 0.45f * v0, 0.55f + 0.45f * v0, 0.55f + 0.45f * v0};
            Colour c1 = {0.55f + 0.45f * v1, 0.55f + 0.45f * v1, 0.55f + 0.45f * v1};
            auto at = [&](float s, float z, float u, float v, Colour c) {
                return card == 0 ? Vertex{s, 0.5f, z, u, v, c.r, c.g, c.b}
                                 : Vertex{0.5f, s, z, u, v, c.r, c.g, c.b};
            };
            Vertex a = at(0, z0, 0, v0, c0), b = at(1, z0, 1, v0, c0);
            Vertex c = at(1, z1, 1, v1, c1), d = at(0, z1, 0, v1, c1);
            face(m, a, b, c, d);
            face(m, b, a, d, c);
        }
    }
    return m;
}

// A diver lying along y with the head at the low end (it swims toward -y),
// centred on (1, 1, 0) where its placement puts the anchor.
MeshData swimmer() {
    MeshData m;
    addBox(m, 0.65f, 0.45f, -0.3f, 1.35f, 1.45f, 0.3f, 1.0f, {1.0f, 0.55f, 0.2f});   // suit
    addBox(m, 0.75f, 0.0f, -0.25f, 1.25f, 0.45f, 0.25f, 1.0f, {0.95f, 0.8f, 0.65f}); // head
    addBox(m, 0.8f, 0.05f, 0.05f, 1.2f, 0.2f, 0.2f, 1.0f, {0.3f, 0.8f, 1.0f});       // mask
    addBox(m, 0.75f, 0.5f, 0.3f, 1.25f, 1.2f, 0.6f, 1.0f, {0.4f, 0.4f, 0.45f});      // tank
    addBox(m, 0.7f, 1.45f, -0.2f, 0.95f, 1.85f, 0.15f, 1.0f, {0.2f, 0.2f, 0.25f});   // legs
    addBox(m, 1.05f, 1.45f, -0.2f, 1.3f, 1.85f, 0.15f, 1.0f, {0.2f, 0.2f, 0.25f});
    addBox(m, 0.55f, 1.85f, -0.05f, 1.45f, 2.0f, 0.05f, 1.0f, {1.0f, 0.9f, 0.1f}); // fins
    return m;
}

MeshData box(float x, float y, float z, float tile) {
    MeshData m;
    addBox(m, 0.0f, 0.0f, 0.0f, x, y, z, tile, white);
    return m;
}

const char* quadCollider = R"({
    "collider": {
        "vertices": [
            { "x": 0, "y": 0 },
            { "x": 1, "y": 0 },
            { "x": 1, "y": 1 },
            { "x": 0, "y": 1 }
        ],
        "indices": [
            { "a": 0, "b": 1 },
            { "a": 1, "b": 2 },
            { "a": 2, "b": 3 },
            { "a": 3, "b": 0 }
        ]
    }
}
)";

} // namespace

void writeSarn2016Meshes(DataOutput& out) {
    // Other games place walls by this box from 0 to 2 on every axis.
    out.text("data/meshes/display/wall.json", meshJson(box(2.0f, 2.0f, 2.0f, 2.0f), 2));
    // Three walls high, as the orbit prototype's maze stands; the underwater
    // rooms stretch it from the floor to the surface. The texture repeats up
    // its height.
    out.text("data/meshes/display/tallWall.json", meshJson(box(2.0f, 2.0f, 6.0f, 2.0f), 2));
    out.text("data/meshes/display/floorWood.json", meshJson(box(2.0f, 2.0f, 0.25f, 2.0f), 2));
    out.text("data/meshes/display/seaweed.json", meshJson(seaweed(), 2));
    out.text("data/meshes/display/swimmer.json", meshJson(swimmer(), 2));
    out.text("data/meshes/colliders/quadCollider.json", quadCollider);
}
