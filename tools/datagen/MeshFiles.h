#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "Raster.h"

// A mesh being assembled for the data files: one uv and one colour per vertex.
struct MeshData {
    std::vector<float> positions; // x, y, z per vertex
    std::vector<float> uvs;       // u, v per vertex
    std::vector<float> colors;    // r, g, b per vertex
    std::vector<unsigned int> indices;

    unsigned int vertexCount() const { return unsigned(positions.size() / 3); }
    unsigned int addVertex(float x, float y, float z, float u, float v, const Rgba& color);
    void addTriangle(unsigned int a, unsigned int b, unsigned int c);
    // Axis-aligned rectangle in the plane z, wound towards +z, uvs from x, y.
    void addRect(float x0, float y0, float x1, float y1, float z, const Rgba& color);
    // Convex polygon in the plane z, counter-clockwise seen from +z.
    void addFan(const std::vector<Vec2>& points, float z, const Rgba& color);
};

// The unit square sprites are drawn on, in the plane z = 0, its texture
// repeated uRepeat by vRepeat times.
MeshData unitQuad(float uRepeat, float vRepeat);

// The JSON mesh form: {"model": {"vertices", "uvs", "colors", "indices"}},
// nested by `indent` spaces a level.
std::string meshJson(const MeshData& mesh, int indent = 4);
// The binary mesh form: counts, positions, nine colour and six uv floats per
// vertex, 16-bit indices, then the two-byte animation marker.
std::vector<std::uint8_t> meshBinary(const MeshData& mesh);

// 24-bit BMP rows (bottom first) of a canvas composited over an opaque colour.
std::vector<std::uint8_t> canvasBgr(const Canvas& canvas, const Rgba& background);
// The same rows with each pixel's own colour; fully transparent ones are black.
std::vector<std::uint8_t> canvasBgrStraight(const Canvas& canvas);
