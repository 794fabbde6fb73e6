#include "Object3D.h"

#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstring>

#include "DataFile.h"
#include "MathUtils/Matrix.h"
#include "Renderer/Shader.h"

namespace {

const char* const xyz[] = {"x", "y", "z"};
const char* const uv[] = {"u", "v"};
const char* const rgb[] = {"r", "g", "b"};
const char* const abc[] = {"a", "b", "c"};

// Vertex counts beyond this cannot be named by 16-bit indices.
const unsigned int maxVertices = 65536;
// A short binary mesh is zero-filled up to the size its header declares when
// at most this much more than the file's own size is missing: a cut file, not
// a header whose counts ask for a huge allocation over a few bytes. A file
// that holds all it declares has no such bound.
const std::uint64_t maxMissingMeshBytes = 64 * 1024;

std::uint32_t le32(const unsigned char* p) {
    return std::uint32_t(p[0]) | std::uint32_t(p[1]) << 8 | std::uint32_t(p[2]) << 16 |
           std::uint32_t(p[3]) << 24;
}

// Reads one "model" array into a vector of width floats per element.
bool readFields(const rapidjson::Value& model, const char* key, const char* const* names,
                unsigned int width, std::vector<float>& out) {
    const rapidjson::Value* array = getArray(model, key);
    if (!array)
        return false;
    out.resize(std::size_t(array->Size()) * width);
    return getFloatFields(*array, names, width, out.data());
}

// v when it covers count vertices of width floats, otherwise a copy padded with
// fill: the renderer always reads count x width floats.
float* covering(std::vector<float>& v, std::size_t count, unsigned int width, const float* fill,
                std::vector<float>& scratch) {
    if (v.size() >= count * width)
        return v.data();
    scratch = v;
    scratch.resize(count * width);
    for (std::size_t i = v.size(); i < scratch.size(); ++i)
        scratch[i] = fill[i % width];
    return scratch.data();
}

} // namespace

Object3D::Object3D(const std::string& fichier) {
    load(fichier);
}

Object3D::~Object3D() {
    deleteBuffers();
}

void Object3D::clearArrays() {
    m_vertices.clear();
    m_colors.clear();
    m_indices.clear();
    m_texCoords.clear();
    m_normals.clear();
}

bool Object3D::load(const std::string& fichier) {
    if (fichier.find(".json", 1) != std::string::npos)
        return loadJSON(fichier);
    return loadBIN(fichier);
}

bool Object3D::loadJSON(const std::string& fichier) {
    rapidjson::Document doc;
    if (!parseJsonFile(fichier, doc)) {
        clearArrays();
        return false;
    }
    const char* refused = nullptr;
    if (!doc.IsObject()) {
        refused = "root is not an object";
    } else if (hasMember(doc, "model")) {
        const rapidjson::Value& model = doc["model"];
        std::vector<float> vertices, texCoords, colors, indexFloats;
        const rapidjson::Value* indices = getArray(model, "indices");
        if (!readFields(model, "vertices", xyz, 3, vertices) ||
            !readFields(model, "uvs", uv, 2, texCoords) ||
            !readFields(model, "colors", rgb, 3, colors) || !indices) {
            refused = "model arrays vertices, uvs, colors, indices missing or malformed";
        } else {
            std::size_t count = vertices.size() / 3;
            unsigned int limit = count < maxVertices ? unsigned(count) : maxVertices;
            std::vector<unsigned short> triangles;
            for (const rapidjson::Value& t : indices->GetArray()) {
                for (const char* key : abc) {
                    unsigned int index;
                    if (!getIndex(t, key, limit, index)) {
                        refused = "triangle index missing or out of range";
                        break;
                    }
                    triangles.push_back(static_cast<unsigned short>(index));
                }
                if (refused)
                    break;
            }
            if (!refused) {
                m_vertices.swap(vertices);
                m_texCoords.swap(texCoords);
                m_colors.swap(colors);
                m_indices.swap(triangles);
            }
        }
    }
    if (refused) {
        clearArrays();
        return dataFileError(fichier, refused);
    }
    computeNormalsFromFaces();
    return true;
}

bool Object3D::loadBIN(const std::string& fichier) {
    std::string bytes;
    if (!readDataFile(fichier, bytes)) {
        clearArrays();
        return false;
    }
    // A short file reads as if zero-filled to its declared size, the header
    // included; only the bounds below refuse a file.
    std::size_t fileSize = bytes.size();
    if (bytes.size() < 8)
        bytes.resize(8, '\0');
    const unsigned char* data = reinterpret_cast<const unsigned char*>(bytes.data());
    const char* refused = nullptr;
    std::uint32_t c = le32(data);
    std::uint32_t t = le32(data + 4);
    // c first, then 64-bit sums: nothing here can wrap, even on 32-bit builds.
    std::uint64_t end = 8 + 72 * std::uint64_t(c) + 6 * std::uint64_t(t);
    if (c > maxVertices)
        refused = "more than 65536 vertices";
    else if (end > 2 * std::uint64_t(fileSize) + maxMissingMeshBytes)
        refused = "vertex and triangle counts far larger than the file";
    if (!refused) {
        bool marker = fileSize >= end + 2;
        bytes.resize(std::size_t(end), '\0');
        data = reinterpret_cast<const unsigned char*>(bytes.data());
        // Positions 3c, colours 9c, texture coordinates 6c floats, then 3t indices.
        m_vertices.resize(3 * std::size_t(c));
        m_colors.resize(9 * std::size_t(c));
        m_texCoords.resize(6 * std::size_t(c));
        m_indices.resize(3 * std::size_t(t));
        if (c > 0) {
            std::memcpy(m_vertices.data(), data + 8, 12 * std::size_t(c));
            std::memcpy(m_colors.data(), data + 8 + 12 * std::size_t(c), 36 * std::size_t(c));
            std::memcpy(m_texCoords.data(), data + 8 + 48 * std::size_t(c), 24 * std::size_t(c));
        }
        const unsigned char* in = data + 8 + 72 * std::size_t(c);
        for (unsigned short& index : m_indices) {
            index = static_cast<unsigned short>(in[0] | in[1] << 8);
            in += 2;
            if (index >= c)
                refused = "triangle index out of range";
        }
        if (!refused) {
            m_normals.clear();
            std::puts(marker ? "des anims!" : "pas d'anim");
        }
    }
    if (refused) {
        clearArrays();
        return dataFileError(fichier, refused);
    }
    computeNormalsFromFaces();
    return true;
}

void Object3D::addPoint(float x, float y, float z) {
    m_vertices.insert(m_vertices.end(), {x, y, z});
}

void Object3D::addColor(float r, float g, float b) {
    m_colors.insert(m_colors.end(), {r, g, b});
}

void Object3D::addNormal(float x, float y, float z) {
    m_normals.insert(m_normals.end(), {x, y, z});
}

void Object3D::addTexCoords(float s, float t) {
    m_texCoords.insert(m_texCoords.end(), {s, t});
}

void Object3D::addIndice(int a, int b, int c) {
    m_indices.insert(m_indices.end(),
                     {static_cast<unsigned short>(a), static_cast<unsigned short>(b),
                      static_cast<unsigned short>(c)});
}

static void set3(std::vector<float>& v, int index, float a, float b, float c) {
    float* p = &v[3 * std::size_t(index)];
    p[0] = a;
    p[1] = b;
    p[2] = c;
}

void Object3D::setPoint(int index, float x, float y, float z) {
    set3(m_vertices, index, x, y, z);
}

void Object3D::setColor(int index, float r, float g, float b) {
    set3(m_colors, index, r, g, b);
}

void Object3D::setNormal(int index, float x, float y, float z) {
    set3(m_normals, index, x, y, z);
}

void Object3D::setTexCoords(int index, float s, float t) {
    m_texCoords[2 * std::size_t(index)] = s;
    m_texCoords[2 * std::size_t(index) + 1] = t;
}

void Object3D::setIndice(int index, int a, int b, int c) {
    unsigned short* p = &m_indices[3 * std::size_t(index)];
    p[0] = static_cast<unsigned short>(a);
    p[1] = static_cast<unsigned short>(b);
    p[2] = static_cast<unsigned short>(c);
}

void Object3D::quad() {
    addPoint(0, 0, 0);
    addPoint(0, 1, 0);
    addPoint(1, 0, 0);
    addPoint(1, 1, 0);
    addIndice(0, 2, 1);
    addIndice(1, 2, 3);
    addTexCoords(0, 0);
    addTexCoords(0, 1);
    addTexCoords(1, 0);
    addTexCoords(1, 1);
    for (int i = 0; i < 4; ++i)
        addColor(1, 1, 1);
}

void Object3D::cylinder(float radius, unsigned int sides, float length) {
    unsigned int n = sides;
    float angleStep = 6.2831855f / static_cast<float>(n);
    float angle = 0.0f;
    for (unsigned int i = 0; i < n; ++i) {
        float s = sinf(angle), c = cosf(angle);
        addPoint(radius * s, radius * c, 0.0f);
        addPoint(radius * s, radius * c, length);
        float u = s / 2.0f + 0.5f, v = cosf(angle - 3.1415927f) / 2.0f + 0.5f;
        addTexCoords(u, v);
        addTexCoords(u, v);
        int k = int((2 * i + 2) % (2 * n)), m = int((2 * i + 3) % (2 * n));
        int a = int(2 * i), center = int(2 * n);
        addIndice(a, a + 1, k);
        addIndice(a + 1, m, k);
        addIndice(a, k, center);
        addIndice(a + 1, center + 1, m);
        angle += angleStep;
    }
    addPoint(0.0f, 0.0f, 0.0f);
    addPoint(0.0f, 0.0f, length);
    addTexCoords(0.5f, 0.5f);
    addTexCoords(0.5f, 0.5f);
    for (unsigned int i = 0; i < 2 * (n + 1); ++i)
        addColor(1, 1, 1);
}

void Object3D::scaleModel(float scaleX, float scaleY, float scaleZ) {
    for (std::size_t i = 0; i + 2 < m_vertices.size(); i += 3) {
        m_vertices[i] *= scaleX;
        m_vertices[i + 1] *= scaleY;
        m_vertices[i + 2] *= scaleZ;
    }
}

void Object3D::setSizes(unsigned int, unsigned int, unsigned int, unsigned int) {}

void Object3D::genBuffers() {
    deleteBuffers();
    static const float noUV[2] = {0.0f, 0.0f};
    static const float white[3] = {1.0f, 1.0f, 1.0f};
    static const float up[3] = {0.0f, 0.0f, 1.0f};
    std::size_t count = m_vertices.size() / 3;
    std::vector<float> uvScratch, colorScratch, normalScratch;
    float* inputs[4] = {m_vertices.data(), covering(m_texCoords, count, 2, noUV, uvScratch),
                        covering(m_colors, count, 3, white, colorScratch),
                        covering(m_normals, count, 3, up, normalScratch)};
    unsigned char sizes[4] = {3, 2, 3, 3};
    vertexBufferHandle =
        Renderer::renderer.createVertexInputBuffer(unsigned(count), sizes, inputs, 4);
    indexBufferHandle =
        Renderer::renderer.createIndexBuffer(unsigned(m_indices.size()), m_indices.data());
}

void Object3D::updateBuffers() {
    if (vertexBufferHandle != Renderer::noBuffer)
        Renderer::renderer.sendVerticesToBuffer(vertexBufferHandle, m_vertices.data(),
                                                unsigned(m_vertices.size()));
    if (indexBufferHandle != Renderer::noBuffer)
        Renderer::renderer.sendIndicesToBuffer(indexBufferHandle, m_indices.data(),
                                               unsigned(m_indices.size()));
}

void Object3D::deleteBuffers() {
    if (vertexBufferHandle != Renderer::noBuffer)
        Renderer::renderer.deleteVertexInputBuffer(vertexBufferHandle);
    if (indexBufferHandle != Renderer::noBuffer)
        Renderer::renderer.deleteBuffer(indexBufferHandle);
    vertexBufferHandle = indexBufferHandle = Renderer::noBuffer;
}

void Object3D::sendMatrices(float* modelMat, float* mvMat) {
    Shader* shader = Shader::bound;
    shader->sendMatrix4x4("modelMat", modelMat);
    float inverseModel[9];
    matrix4x4ToMatrix3x3(modelMat, inverseModel);
    inverse3x3(inverseModel, inverseModel); // a singular 3 x 3 stays as it is
    shader->sendMatrix3x3("inverseModelMat", inverseModel);
    shader->sendMatrix4x4("mvMat", mvMat);
}

void Object3D::render(float* modelMat, float* mvMat) {
    if (!Shader::bound || vertexBufferHandle == Renderer::noBuffer ||
        indexBufferHandle == Renderer::noBuffer)
        return;
    sendMatrices(modelMat, mvMat);
    Shader::bound->bindVertexInput(int(vertexBufferHandle));
    Shader::bound->drawIndexed(int(indexBufferHandle), int(m_indices.size()));
}

void Object3D::renderWithPreviousModel(float* modelMat, float* mvMat) {
    if (!Shader::bound)
        return;
    sendMatrices(modelMat, mvMat);
    Shader::bound->drawIndexed(int(m_indices.size()));
}

void Object3D::computeNormalsFromFaces() {
    // One pass over the triangles: each adds its unit normal to its distinct
    // corners, in triangle order, the same sums as a per-vertex search.
    std::size_t count = m_vertices.size() / 3;
    std::vector<Vector3D> sums(count);
    std::vector<bool> used(count, false);
    for (std::size_t t = 0; t + 2 < m_indices.size(); t += 3) {
        unsigned int i[3] = {m_indices[t], m_indices[t + 1], m_indices[t + 2]};
        if (i[0] >= count || i[1] >= count || i[2] >= count)
            continue;
        Vector3D p[3];
        for (int k = 0; k < 3; ++k)
            p[k] =
                Vector3D(m_vertices[3 * i[k]], m_vertices[3 * i[k] + 1], m_vertices[3 * i[k] + 2]);
        Vector3D n = Vector3D::crossProduct(p[1] - p[0], p[2] - p[1]);
        n.normalize();
        for (int k = 0; k < 3; ++k) {
            if ((k > 0 && i[k] == i[0]) || (k == 2 && i[2] == i[1]))
                continue; // a corner repeated within the triangle counts once
            if (used[i[k]]) {
                sums[i[k]] += n;
            } else {
                sums[i[k]] = n;
                used[i[k]] = true;
            }
        }
    }
    m_normals.clear();
    m_normals.reserve(count * 3);
    for (std::size_t v = 0; v < count; ++v) {
        Vector3D n(0.0f, 0.0f, 1.0f);
        if (used[v]) {
            n = sums[v];
            n.normalize();
        }
        m_normals.insert(m_normals.end(), {n.x, n.y, n.z});
    }
}

bool Object3D::rayThroughMesh(const Vector3D& rayOrigin, const Vector3D& rayDirection,
                              const Vector3D& position, const Vector3D& scale,
                              const Quaternion& orientation, float* distance) {
    *distance = -1.0f;
    float lastDistance = 10000000.0f;
    std::size_t count = m_vertices.size() / 3;
    for (std::size_t t = 0; t + 2 < m_indices.size(); t += 3) {
        Vector3D p[3];
        bool inside = true;
        for (int k = 0; k < 3 && inside; ++k) {
            std::size_t i = m_indices[t + k];
            inside = i < count;
            if (!inside)
                break;
            p[k] = Vector3D(m_vertices[3 * i], m_vertices[3 * i + 1], m_vertices[3 * i + 2]);
            p[k] *= scale;
            orientation.applyRotation(p[k]);
            p[k] += position;
        }
        if (!inside)
            continue;
        Vector3D e1 = p[1] - p[0], e2 = p[2] - p[0];
        Vector3D h = Vector3D::crossProduct(rayDirection, e2);
        float a = Vector3D::dotProduct(e1, h);
        if (a > -0.00001 && a < 0.00001)
            continue;
        float f = 1.0f / a;
        Vector3D s = rayOrigin - p[0];
        float u = f * Vector3D::dotProduct(s, h);
        if (u < 0.0f || u > 1.0f)
            continue;
        Vector3D q = Vector3D::crossProduct(s, e1);
        float v = f * Vector3D::dotProduct(rayDirection, q);
        if (v < 0.0f || u + v > 1.0f)
            continue;
        float dist = f * Vector3D::dotProduct(e2, q);
        if (dist <= 0.00001)
            continue;
        if (dist < lastDistance) {
            *distance = dist;
            lastDistance = dist;
        }
    }
    return *distance > 0.00001;
}
