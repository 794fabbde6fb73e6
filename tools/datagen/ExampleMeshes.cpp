#include "DataOutput.h"
#include "ExampleData.h"
#include "MeshFiles.h"

#include <cmath>

namespace {

// Top view of a car inside the unit square, front at y = 0 (cars drive down
// the screen). The body fills the square, like the collider it shares.
MeshData car(const Rgba& paint) {
    MeshData mesh;
    Rgba glass = hexColor(0x1e2630);
    Rgba roof = mix(paint, hexColor(0xffffff), 0.25f);
    mesh.addFan({{0.1f, 0},
                 {0.9f, 0},
                 {1, 0.08f},
                 {1, 0.92f},
                 {0.9f, 1},
                 {0.1f, 1},
                 {0, 0.92f},
                 {0, 0.08f}},
                0, paint);
    mesh.addFan({{0.15f, 0.22f}, {0.85f, 0.22f}, {0.78f, 0.36f}, {0.22f, 0.36f}}, 0, glass);
    mesh.addRect(0.2f, 0.38f, 0.8f, 0.72f, 0, roof);
    mesh.addFan({{0.22f, 0.74f}, {0.78f, 0.74f}, {0.85f, 0.86f}, {0.15f, 0.86f}}, 0, glass);
    mesh.addRect(0.12f, 0.01f, 0.3f, 0.06f, 0, hexColor(0xfff3b0));
    mesh.addRect(0.7f, 0.01f, 0.88f, 0.06f, 0, hexColor(0xfff3b0));
    mesh.addRect(0.12f, 0.95f, 0.3f, 0.99f, 0, hexColor(0x9c1616));
    mesh.addRect(0.7f, 0.95f, 0.88f, 0.99f, 0, hexColor(0x9c1616));
    return mesh;
}

// The three meshes the game loads and never draws: small, valid shapes.
MeshData ship() {
    MeshData mesh;
    Rgba hull = hexColor(0x9aa4b0);
    mesh.addVertex(0, 2, 0, 0.5f, 1, hull);
    mesh.addVertex(-1, -1, 0, 0, 0, hull);
    mesh.addVertex(1, -1, 0, 1, 0, hull);
    mesh.addVertex(0, -0.5f, 0.6f, 0.5f, 0.2f, hexColor(0x4a6a8a));
    mesh.addTriangle(0, 1, 2);
    mesh.addTriangle(0, 3, 1);
    mesh.addTriangle(0, 2, 3);
    mesh.addTriangle(1, 3, 2);
    return mesh;
}

MeshData block() {
    MeshData mesh;
    Rgba stone = hexColor(0x8c8c96);
    for (int i = 0; i < 8; ++i)
        mesh.addVertex(float(i & 1), float((i >> 1) & 1), float(i >> 2), float(i & 1),
                       float((i >> 1) & 1), stone);
    const unsigned int faces[6][4] = {{0, 2, 3, 1}, {4, 5, 7, 6}, {0, 1, 5, 4},
                                      {2, 6, 7, 3}, {0, 4, 6, 2}, {1, 3, 7, 5}};
    for (const auto& f : faces) {
        mesh.addTriangle(f[0], f[1], f[2]);
        mesh.addTriangle(f[0], f[2], f[3]);
    }
    return mesh;
}

MeshData ring() {
    MeshData mesh;
    const int sides = 16;
    Rgba gold = hexColor(0xe0b040);
    for (int i = 0; i < sides; ++i) {
        float a = 6.2831855f * float(i) / float(sides);
        mesh.addVertex(std::cos(a), std::sin(a), 0, float(i) / sides, 1, gold);
        mesh.addVertex(0.7f * std::cos(a), 0.7f * std::sin(a), 0, float(i) / sides, 0, gold);
    }
    for (int i = 0; i < sides; ++i) {
        unsigned int o = 2 * i, in = 2 * i + 1;
        unsigned int o2 = 2 * ((i + 1) % sides), in2 = o2 + 1;
        mesh.addTriangle(o, o2, in2);
        mesh.addTriangle(o, in2, in);
    }
    return mesh;
}

} // namespace

void writeExampleMeshes(DataOutput& out) {
    // The backdrop: its texture repeated over a long strip.
    out.text("data/quadBackground.json", meshJson(unitQuad(25, 100)));
    out.text("data/meshes/display/carBlue.json", meshJson(car(hexColor(0x2f6fd8))));
    out.text("data/meshes/display/carYellow.json", meshJson(car(hexColor(0xf0c419))));
    out.text("data/meshes/display/carRed.json", meshJson(car(hexColor(0xd63031))));
    out.text("data/meshes/display/carGreen.json", meshJson(car(hexColor(0x2fa84f))));
    out.binary("data/ship.bloc", meshBinary(ship()));
    out.binary("data/bloc1.bloc", meshBinary(block()));
    out.binary("data/anneau.bloc", meshBinary(ring()));
}
