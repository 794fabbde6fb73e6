#include "Sarn2015Data.h"

#include "DataOutput.h"
#include "MeshFiles.h"
#include "Noise.h"

#include <cmath>

namespace {

// One triangle with its own corners, so each face is shaded flat.
void face(MeshData& mesh, const float (&a)[3], const float (&b)[3], const float (&c)[3],
          const Rgba& color) {
    unsigned int first = mesh.addVertex(a[0], a[1], a[2], 0.5f, 0.5f, color);
    mesh.addVertex(b[0], b[1], b[2], 0.5f, 0.5f, color);
    mesh.addVertex(c[0], c[1], c[2], 0.5f, 0.5f, color);
    mesh.addTriangle(first, first + 1, first + 2);
}

// A cone of `sides` faces around (0.5, 0.5), its sides wound outwards and its
// base facing down.
void cone(MeshData& mesh, float radius, float baseZ, float apexZ, int sides, float turn,
          const Rgba& side, const Rgba& base) {
    const float apex[3] = {0.5f, 0.5f, apexZ};
    const float centre[3] = {0.5f, 0.5f, baseZ};
    for (int i = 0; i < sides; ++i) {
        float a0 = 6.2831855f * (float(i) + turn) / float(sides);
        float a1 = 6.2831855f * (float(i + 1) + turn) / float(sides);
        const float p0[3] = {0.5f + radius * std::cos(a0), 0.5f + radius * std::sin(a0), baseZ};
        const float p1[3] = {0.5f + radius * std::cos(a1), 0.5f + radius * std::sin(a1), baseZ};
        face(mesh, p0, p1, apex, i % 2 ? side : mix(side, hexColor(0x000000), 0.12f));
        face(mesh, centre, p1, p0, base);
    }
}

// A pine standing on the unit square's centre, z up.
MeshData tree() {
    MeshData mesh;
    Rgba bark = hexColor(0x7a4e2a);
    const float s0 = 0.38f, s1 = 0.62f, top = 1.2f;
    const float corners[4][2] = {{s0, s0}, {s1, s0}, {s1, s1}, {s0, s1}};
    for (int i = 0; i < 4; ++i) {
        const float* p = corners[i];
        const float* q = corners[(i + 1) % 4];
        const float b0[3] = {p[0], p[1], 0}, b1[3] = {q[0], q[1], 0};
        const float t0[3] = {p[0], p[1], top}, t1[3] = {q[0], q[1], top};
        face(mesh, b0, b1, t1, bark);
        face(mesh, b0, t1, t0, bark);
    }
    cone(mesh, 0.95f, 0.9f, 2.5f, 7, 0.0f, hexColor(0x2f7d3a), hexColor(0x1f5a28));
    cone(mesh, 0.72f, 1.8f, 3.3f, 7, 0.5f, hexColor(0x3d9a48), hexColor(0x2a6d33));
    return mesh;
}

// A wooden crate on the centre of its 2 x 2 cell (the drawable's anchor is
// (1, 1)), small enough that a block of them shows the floor between crates.
MeshData crate() {
    MeshData mesh;
    const float lo = 0.4f, hi = 1.6f, top = 1.2f;
    Rgba wood = hexColor(0xffffff);
    // Corners counter-clockwise seen from outside: -y, +x, +y, -x, top.
    const float sides[5][4][3] = {{{lo, lo, 0}, {hi, lo, 0}, {hi, lo, top}, {lo, lo, top}},
                                  {{hi, lo, 0}, {hi, hi, 0}, {hi, hi, top}, {hi, lo, top}},
                                  {{hi, hi, 0}, {lo, hi, 0}, {lo, hi, top}, {hi, hi, top}},
                                  {{lo, hi, 0}, {lo, lo, 0}, {lo, lo, top}, {lo, hi, top}},
                                  {{lo, lo, top}, {hi, lo, top}, {hi, hi, top}, {lo, hi, top}}};
    const float corners[4][2] = {{0, 0}, {1, 0}, {1, 1}, {0, 1}};
    for (const auto& side : sides) {
        unsigned int first = mesh.vertexCount();
        for (int i = 0; i < 4; ++i)
            mesh.addVertex(side[i][0], side[i][1], side[i][2], corners[i][0], corners[i][1], wood);
        mesh.addTriangle(first, first + 1, first + 2);
        mesh.addTriangle(first, first + 2, first + 3);
    }
    return mesh;
}

// Tiled over the backdrop at four times the density across as along, so its
// stars are drawn four times taller than wide to come out round.
std::vector<std::uint8_t> stars() {
    const int size = 128;
    Canvas canvas(size, size);
    for (int y = 0; y < size; ++y)
        for (int x = 0; x < size; ++x)
            canvas.blend(x, y, mix(hexColor(0x070b22), hexColor(0x10183a), speckle(x, y, 5u)),
                         1.0f);
    for (int i = 0; i < 40; ++i) {
        float cx = speckle(i, 1, 17u) * size;
        float cy = speckle(i, 2, 17u) * size;
        float bright = 0.5f + 0.5f * speckle(i, 3, 17u);
        for (int dy = -5; dy <= 5; ++dy) {
            for (int dx = -2; dx <= 2; ++dx) {
                int x = (int(cx) + dx + size) % size;
                int y = (int(cy) + dy + size) % size;
                float r = std::sqrt(float(dx * dx) + float(dy * dy) / 16.0f);
                if (r < 1.3f)
                    canvas.blend(x, y, hexColor(0xfff8e0), bright * (1.3f - r) / 1.3f);
            }
        }
    }
    return canvasBgr(canvas, hexColor(0x070b22));
}

} // namespace

void writeSarn2015Data(DataOutput& out) {
    out.text("data/meshes/display/tree.json", meshJson(tree()));
    out.text("data/meshes/display/wood.json", meshJson(crate()));
    out.bmp("data/sky/stars/stars.bmp", 128, 128, stars());
}
