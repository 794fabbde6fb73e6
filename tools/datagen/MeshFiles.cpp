#include "MeshFiles.h"

#include <cmath>
#include <cstdio>
#include <cstring>

namespace {

std::string number(float value) {
    char text[32];
    std::snprintf(text, sizeof text, "%.6g", double(value));
    return text;
}

void putU32(std::vector<std::uint8_t>& out, std::uint32_t value) {
    for (int i = 0; i < 4; ++i)
        out.push_back(std::uint8_t(value >> (8 * i)));
}

void putF32(std::vector<std::uint8_t>& out, float value) {
    std::uint32_t bits;
    std::memcpy(&bits, &value, 4);
    putU32(out, bits);
}

std::uint8_t toByte(float v) {
    v = v < 0.0f ? 0.0f : (v > 1.0f ? 1.0f : v);
    return std::uint8_t(std::lround(v * 255.0f));
}

} // namespace

unsigned int MeshData::addVertex(float x, float y, float z, float u, float v, const Rgba& color) {
    positions.insert(positions.end(), {x, y, z});
    uvs.insert(uvs.end(), {u, v});
    colors.insert(colors.end(), {color.r, color.g, color.b});
    return vertexCount() - 1;
}

void MeshData::addTriangle(unsigned int a, unsigned int b, unsigned int c) {
    indices.insert(indices.end(), {a, b, c});
}

void MeshData::addRect(float x0, float y0, float x1, float y1, float z, const Rgba& color) {
    addFan({{x0, y0}, {x1, y0}, {x1, y1}, {x0, y1}}, z, color);
}

void MeshData::addFan(const std::vector<Vec2>& points, float z, const Rgba& color) {
    unsigned int first = vertexCount();
    for (const Vec2& p : points)
        addVertex(p.x, p.y, z, p.x, p.y, color);
    for (unsigned int i = 1; i + 1 < points.size(); ++i)
        addTriangle(first, first + i, first + i + 1);
}

MeshData unitQuad(float uRepeat, float vRepeat) {
    MeshData mesh;
    Rgba white = hexColor(0xffffff);
    mesh.addVertex(0, 0, 0, 0, 0, white);
    mesh.addVertex(0, 1, 0, 0, vRepeat, white);
    mesh.addVertex(1, 0, 0, uRepeat, 0, white);
    mesh.addVertex(1, 1, 0, uRepeat, vRepeat, white);
    mesh.addTriangle(0, 2, 1);
    mesh.addTriangle(1, 2, 3);
    return mesh;
}

std::string meshJson(const MeshData& mesh, int indent) {
    const std::string one(std::size_t(indent), ' '), two = one + one, three = two + one;
    std::string out = "{\n" + one + "\"model\": {\n" + two + "\"vertices\": [\n";
    unsigned int n = mesh.vertexCount();
    auto list = [&](const char* name, auto entry, std::size_t count, bool last) {
        if (name)
            out += two + "\"" + name + "\": [\n";
        for (std::size_t i = 0; i < count; ++i)
            out += three + entry(i) + (i + 1 < count ? ",\n" : "\n");
        out += two + (last ? "]\n" : "],\n");
    };
    list(
        nullptr,
        [&](std::size_t i) {
            return "{ \"x\": " + number(mesh.positions[3 * i]) +
                   ", \"y\": " + number(mesh.positions[3 * i + 1]) +
                   ", \"z\": " + number(mesh.positions[3 * i + 2]) + " }";
        },
        n, false);
    list(
        "uvs",
        [&](std::size_t i) {
            return "{ \"u\": " + number(mesh.uvs[2 * i]) +
                   ", \"v\": " + number(mesh.uvs[2 * i + 1]) + " }";
        },
        n, false);
    list(
        "colors",
        [&](std::size_t i) {
            return "{ \"r\": " + number(mesh.colors[3 * i]) +
                   ", \"g\": " + number(mesh.colors[3 * i + 1]) +
                   ", \"b\": " + number(mesh.colors[3 * i + 2]) + " }";
        },
        n, false);
    list(
        "indices",
        [&](std::size_t i) {
            return "{ \"a\": " + std::to_string(mesh.indices[3 * i]) +
                   ", \"b\": " + std::to_string(mesh.indices[3 * i + 1]) +
                   ", \"c\": " + std::to_string(mesh.indices[3 * i + 2]) + " }";
        },
        mesh.indices.size() / 3, true);
    out += one + "}\n}\n";
    return out;
}

std::vector<std::uint8_t> meshBinary(const MeshData& mesh) {
    std::vector<std::uint8_t> out;
    unsigned int n = mesh.vertexCount();
    putU32(out, n);
    putU32(out, unsigned(mesh.indices.size() / 3));
    for (float v : mesh.positions)
        putF32(out, v);
    // Three copies of each colour and each uv fill the wider blocks.
    for (int copy = 0; copy < 3; ++copy)
        for (float v : mesh.colors)
            putF32(out, v);
    for (int copy = 0; copy < 3; ++copy)
        for (float v : mesh.uvs)
            putF32(out, v);
    for (unsigned int index : mesh.indices) {
        out.push_back(std::uint8_t(index));
        out.push_back(std::uint8_t(index >> 8));
    }
    out.push_back(0);
    out.push_back(0);
    return out;
}

std::vector<std::uint8_t> canvasBgr(const Canvas& canvas, const Rgba& background) {
    std::vector<std::uint8_t> out;
    out.reserve(std::size_t(canvas.width) * canvas.height * 3);
    for (int y = canvas.height - 1; y >= 0; --y) {
        for (int x = 0; x < canvas.width; ++x) {
            Rgba c = canvas.straightAt(x, y);
            Rgba over = mix(background, {c.r, c.g, c.b, 1.0f}, c.a);
            out.push_back(toByte(over.b));
            out.push_back(toByte(over.g));
            out.push_back(toByte(over.r));
        }
    }
    return out;
}

std::vector<std::uint8_t> canvasBgrStraight(const Canvas& canvas) {
    std::vector<std::uint8_t> rgba = canvas.toRgba8(hexColor(0x000000));
    std::vector<std::uint8_t> out;
    out.reserve(std::size_t(canvas.width) * canvas.height * 3);
    for (int y = canvas.height - 1; y >= 0; --y) {
        for (int x = 0; x < canvas.width; ++x) {
            const std::uint8_t* p = &rgba[(std::size_t(y) * canvas.width + x) * 4];
            out.insert(out.end(), {p[2], p[1], p[0]});
        }
    }
    return out;
}
