// Meshes of the underwater game, in the JSON mesh form: four vertices per box
// face so that each face keeps its own normal and texture corner.
#include "DataOutput.h"
#include "Sarn2016Data.h"

#include <cmath>
#include <cstdio>
#include <string>
#include <vector>

namespace {

struct Vertex {
    float x, y, z, u, v, r, g, b;
};

struct Mesh {
    std::vector<Vertex> vertices;
    std::vector<int> indices;

    // Corners counter-clockwise seen from the side the face shows.
    void face(const Vertex& a, const Vertex& b, const Vertex& c, const Vertex& d) {
        int n = static_cast<int>(vertices.size());
        vertices.insert(vertices.end(), {a, b, c, d});
        indices.insert(indices.end(), {n, n + 1, n + 2, n, n + 2, n + 3});
    }
};

struct Colour {
    float r, g, b;
};

// A box with one texture tile per `tile` units on every face.
void addBox(Mesh& m, float x0, float y0, float z0, float x1, float y1, float z1, float tile,
            Colour c) {
    auto v = [&](float x, float y, float z, float u, float w) {
        return Vertex{x, y, z, u, w, c.r, c.g, c.b};
    };
    float du = (x1 - x0) / tile, dv = (y1 - y0) / tile, dw = (z1 - z0) / tile;
    m.face(v(x1, y0, z0, 0, 0), v(x1, y1, z0, dv, 0), v(x1, y1, z1, dv, dw), v(x1, y0, z1, 0, dw));
    m.face(v(x0, y1, z0, 0, 0), v(x0, y0, z0, dv, 0), v(x0, y0, z1, dv, dw), v(x0, y1, z1, 0, dw));
    m.face(v(x1, y1, z0, 0, 0), v(x0, y1, z0, du, 0), v(x0, y1, z1, du, dw), v(x1, y1, z1, 0, dw));
    m.face(v(x0, y0, z0, 0, 0), v(x1, y0, z0, du, 0), v(x1, y0, z1, du, dw), v(x0, y0, z1, 0, dw));
    m.face(v(x0, y0, z1, 0, 0), v(x1, y0, z1, du, 0), v(x1, y1, z1, du, dv), v(x0, y1, z1, 0, dv));
    m.face(v(x1, y0, z0, 0, 0), v(x0, y0, z0, du, 0), v(x0, y1, z0, du, dv), v(x1, y1, z0, 0, dv));
}

std::string number(float value) {
    char text[32];
    std::snprintf(text, sizeof text, "%.6g", static_cast<double>(value));
    return text;
}

std::string meshJson(const Mesh& m) {
    std::vector<std::string> lists[4];
    for (const Vertex& v : m.vertices) {
        lists[0].push_back("{ \"x\": " + number(v.x) + ", \"y\": " + number(v.y) +
                           ", \"z\": " + number(v.z) + " }");
        lists[1].push_back("{ \"u\": " + number(v.u) + ", \"v\": " + number(v.v) + " }");
        lists[2].push_back("{ \"r\": " + number(v.r) + ", \"g\": " + number(v.g) +
                           ", \"b\": " + number(v.b) + " }");
    }
    for (size_t i = 0; i + 2 < m.indices.size(); i += 3) {
        lists[3].push_back("{ \"a\": " + std::to_string(m.indices[i]) +
                           ", \"b\": " + std::to_string(m.indices[i + 1]) +
                           ", \"c\": " + std::to_string(m.indices[i + 2]) + " }");
    }
    const char* names[4] = {"vertices", "uvs", "colors", "indices"};
    std::string s = "{\n  \"model\": {\n";
    for (int k = 0; k < 4; ++k) {
        s += std::string("    \"") + names[k] + "\": [";
        for (size_t i = 0; i < lists[k].size(); ++i) {
            s += (i ? ",\n      " : "\n      ") + lists[k][i];
        }
        s += k < 3 ? "\n    ],\n" : "\n    ]\n";
    }
    return s + "  }\n}\n";
}

const Colour white = {1.0f, 1.0f, 1.0f};

// Two crossed upright cards around (0.5, 0.5), each showing both sides, in
// rows up the height so that a sway can bend them.
Mesh seaweed() {
    Mesh m;
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
            m.face(a, b, c, d);
            m.face(b, a, d, c);
        }
    }
    return m;
}

// A diver lying along y with the head at the low end (it swims toward -y),
// centred on (1, 1, 0) where its placement puts the anchor.
Mesh swimmer() {
    Mesh m;
    addBox(m, 0.65f, 0.45f, -0.3f, 1.35f, 1.45f, 0.3f, 1.0f, {1.0f, 0.55f, 0.2f});   // suit
    addBox(m, 0.75f, 0.0f, -0.25f, 1.25f, 0.45f, 0.25f, 1.0f, {0.95f, 0.8f, 0.65f}); // head
    addBox(m, 0.8f, 0.05f, 0.05f, 1.2f, 0.2f, 0.2f, 1.0f, {0.3f, 0.8f, 1.0f});       // mask
    addBox(m, 0.75f, 0.5f, 0.3f, 1.25f, 1.2f, 0.6f, 1.0f, {0.4f, 0.4f, 0.45f});      // tank
    addBox(m, 0.7f, 1.45f, -0.2f, 0.95f, 1.85f, 0.15f, 1.0f, {0.2f, 0.2f, 0.25f});   // legs
    addBox(m, 1.05f, 1.45f, -0.2f, 1.3f, 1.85f, 0.15f, 1.0f, {0.2f, 0.2f, 0.25f});
    addBox(m, 0.55f, 1.85f, -0.05f, 1.45f, 2.0f, 0.05f, 1.0f, {1.0f, 0.9f, 0.1f}); // fins
    return m;
}

Mesh box(float x, float y, float z, float tile) {
    Mesh m;
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
    out.text("data/meshes/display/wall.json", meshJson(box(2.0f, 2.0f, 2.0f, 2.0f)));
    // Three walls high, as the orbit prototype's maze stands; the underwater
    // rooms stretch it from the floor to the surface. The texture repeats up
    // its height.
    out.text("data/meshes/display/tallWall.json", meshJson(box(2.0f, 2.0f, 6.0f, 2.0f)));
    out.text("data/meshes/display/floorWood.json", meshJson(box(2.0f, 2.0f, 0.25f, 2.0f)));
    out.text("data/meshes/display/seaweed.json", meshJson(seaweed()));
    out.text("data/meshes/display/swimmer.json", meshJson(swimmer()));
    out.text("data/meshes/colliders/quadCollider.json", quadCollider);
}
