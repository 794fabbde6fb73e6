#include <gtest/gtest.h>

#include <cmath>
#include <filesystem>

#include "MathUtils/Matrix.h"
#include "Object3D.h"
#include "support/Recorder.h"
#include "support/TestFiles.h"

namespace {

using Floats = std::vector<float>;
using Indices = std::vector<unsigned short>;

class Mesh : public testing::Test {
protected:
    void SetUp() override { recorder().reset(); }
};

const char* triangleJSON = R"({"model": {
  "vertices": [{"x": 0, "y": 0, "z": 0}, {"x": 1, "y": 0, "z": 0}, {"x": 0, "y": 1, "z": 0.5}],
  "uvs": [{"u": 0, "v": 0}, {"u": 1, "v": 0}, {"u": 0, "v": 1}],
  "colors": [{"r": 1, "g": 0, "b": 0}, {"r": 0, "g": 1, "b": 0}, {"r": 0, "g": 0, "b": 1}],
  "indices": [{"a": 0, "b": 1.9, "c": 2}]}, "animations": []})";

// c vertices at (i, 2i, 3i), colour floats 100 + k, uv floats 200 + k, then
// the indices; the marker when asked.
std::string binaryMesh(unsigned int c, const Indices& indices, bool marker) {
    std::string out;
    putU32(out, c);
    putU32(out, unsigned(indices.size() / 3));
    for (unsigned int i = 0; i < c; ++i)
        for (float f : {float(i), 2.0f * i, 3.0f * i})
            putF32(out, f);
    for (unsigned int k = 0; k < 9 * c; ++k)
        putF32(out, 100.0f + k);
    for (unsigned int k = 0; k < 6 * c; ++k)
        putF32(out, 200.0f + k);
    for (unsigned short i : indices)
        putU16(out, i);
    if (marker)
        putU16(out, 7);
    return out;
}

TEST_F(Mesh, JsonModelIsReadWithTruncatedIndicesAndNormals) {
    writeFuzzSeed("mesh_json", "triangle.json", triangleJSON);
    Object3D mesh;
    ASSERT_TRUE(mesh.load(writeTestFile("triangle.json", triangleJSON)));
    EXPECT_EQ(mesh.m_vertices, (Floats{0, 0, 0, 1, 0, 0, 0, 1, 0.5f}));
    EXPECT_EQ(mesh.m_texCoords, (Floats{0, 0, 1, 0, 0, 1}));
    EXPECT_EQ(mesh.m_colors, (Floats{1, 0, 0, 0, 1, 0, 0, 0, 1}));
    EXPECT_EQ(mesh.m_indices, (Indices{0, 1, 2}));
    ASSERT_EQ(mesh.m_normals.size(), 9u);
    EXPECT_GT(mesh.m_normals[2], 0.8f); // one face, facing mostly +z

    Object3D empty;
    EXPECT_TRUE(empty.load(writeTestFile("no-model.json", R"({"other": 1})")));
    EXPECT_TRUE(empty.m_vertices.empty());
    EXPECT_TRUE(empty.m_normals.empty());
}

TEST_F(Mesh, BinaryLayoutAndAnimationMarker) {
    std::string withMarker = binaryMesh(3, {0, 1, 2, 2, 1, 0}, true);
    writeFuzzSeed("mesh_bin", "two-triangles.bloc", withMarker);
    Object3D mesh;
    testing::internal::CaptureStdout();
    ASSERT_TRUE(mesh.load(writeTestFile("ship.bloc", withMarker)));
    EXPECT_EQ(testing::internal::GetCapturedStdout(), "des anims!\n");
    EXPECT_EQ(mesh.m_vertices, (Floats{0, 0, 0, 1, 2, 3, 2, 4, 6}));
    ASSERT_EQ(mesh.m_colors.size(), 27u); // 9 floats a vertex
    EXPECT_EQ(mesh.m_colors[26], 126.0f);
    ASSERT_EQ(mesh.m_texCoords.size(), 18u); // 6 floats a vertex
    EXPECT_EQ(mesh.m_texCoords[0], 200.0f);
    EXPECT_EQ(mesh.m_indices, (Indices{0, 1, 2, 2, 1, 0}));

    // The GPU takes the first 3c colour and 2c uv floats: vertex i uses 3i.. and 2i..
    mesh.genBuffers();
    const RecordedVertexInput& gpu = recorder().vertexInput(mesh.vertexBufferHandle);
    EXPECT_EQ(gpu.inputs[1], (Floats{200, 201, 202, 203, 204, 205}));
    EXPECT_EQ(gpu.inputs[2], (Floats{100, 101, 102, 103, 104, 105, 106, 107, 108}));

    // 82 bytes with the marker; cut before it, still a mesh.
    std::string one = binaryMesh(1, {}, true);
    EXPECT_EQ(one.size(), 82u);
    testing::internal::CaptureStdout();
    EXPECT_TRUE(mesh.load(writeTestFile("one.bloc", one.substr(0, 80))));
    EXPECT_EQ(testing::internal::GetCapturedStdout(), "pas d'anim\n");
    EXPECT_EQ(mesh.m_vertices.size(), 3u);
}

TEST_F(Mesh, DispatchLooksForJsonAfterTheFirstCharacter) {
    std::string dir = std::filesystem::path(writeTestFile("dispatch/x", "")).parent_path().string();
    std::string bin = binaryMesh(1, {}, false);
    writeTestFile("dispatch/.json", bin);
    writeTestFile("dispatch/mesh.json.bloc", triangleJSON);
    std::filesystem::path saved = std::filesystem::current_path();
    std::filesystem::current_path(dir);
    Object3D atStart, later;
    testing::internal::CaptureStdout();
    bool binaryRead = atStart.load(".json");
    testing::internal::GetCapturedStdout();
    bool jsonRead = later.load("mesh.json.bloc");
    std::filesystem::current_path(saved);
    EXPECT_TRUE(binaryRead);
    EXPECT_EQ(atStart.m_vertices.size(), 3u);
    EXPECT_TRUE(jsonRead);
    EXPECT_EQ(later.m_indices.size(), 3u);
}

void expectRefused(const std::string& name, const std::string& bytes) {
    Object3D mesh;
    mesh.quad(); // content from before must not survive a failed load
    std::string path = writeTestFile(name, bytes);
    testing::internal::CaptureStderr();
    testing::internal::CaptureStdout();
    bool loaded = mesh.load(path);
    std::string out = testing::internal::GetCapturedStdout();
    std::string err = testing::internal::GetCapturedStderr();
    EXPECT_FALSE(loaded) << name;
    EXPECT_TRUE(mesh.m_vertices.empty() && mesh.m_indices.empty() && mesh.m_colors.empty() &&
                mesh.m_texCoords.empty() && mesh.m_normals.empty())
        << name;
    EXPECT_NE(err.find(path), std::string::npos) << name << ": " << err;
    EXPECT_EQ(std::count(err.begin(), err.end(), '\n'), 1) << name << ": " << err;
    EXPECT_EQ(out, "") << name;
}

TEST_F(Mesh, HostileJsonGivesEmptyMeshAndOneLine) {
    std::string good = triangleJSON;
    auto with = [&](const std::string& from, const std::string& to) {
        std::string s = good;
        s.replace(s.find(from), from.size(), to);
        return s;
    };
    expectRefused("missing.json/none", "");
    expectRefused("syntax.json", "{\"model\": ");
    expectRefused("array-root.json", "[1, 2]");
    expectRefused("no-indices.json", with("\"indices\"", "\"other\""));
    expectRefused(
        "uvs-not-array.json",
        with("\"uvs\": [", "\"uvs\": {\"a\": [").replace(good.find("\"colors\"") + 2, 0, "]}"));
    expectRefused("no-z.json", with("\"z\": 0.5", "\"w\": 0.5"));
    expectRefused("string-x.json", with("\"x\": 1,", "\"x\": \"1\","));
    expectRefused("huge-x.json", with("\"x\": 1,", "\"x\": 1e300,"));
    expectRefused("negative-index.json", with("\"a\": 0", "\"a\": -1"));
    expectRefused("index-past-end.json", with("\"c\": 2", "\"c\": 3"));
    expectRefused("index-huge.json", with("\"c\": 2", "\"c\": 1e12"));
    expectRefused("element-not-object.json", with("{\"a\": 0, \"b\": 1.9, \"c\": 2}", "7"));
    expectRefused("deep.json", std::string(100000, '[') + std::string(100000, ']'));
    for (const char* path : {"no/such/mesh.json", "no/such/mesh.bloc"}) {
        Object3D missing;
        missing.quad();
        testing::internal::CaptureStderr();
        EXPECT_FALSE(missing.load(path));
        EXPECT_NE(testing::internal::GetCapturedStderr().find(path), std::string::npos);
        EXPECT_TRUE(missing.m_vertices.empty() && missing.m_indices.empty()) << path;
    }
}

TEST_F(Mesh, HostileBinaryGivesEmptyMeshAndOneLine) {
    std::string good = binaryMesh(3, {0, 1, 2}, false);
    std::string counts;
    putU32(counts, 0x40000000); // 72c wraps in 32 bits
    putU32(counts, 0);
    expectRefused("wrapping-count.bloc", counts + good.substr(8));
    // All 65537 vertices present: one more than 16-bit indices can name.
    expectRefused("too-many-vertices.bloc", binaryMesh(65537, {0, 1, 2}, false));
    std::string manyTriangles = good;
    for (int i = 4; i < 8; ++i)
        manyTriangles[std::size_t(i)] = char(0xFF);
    expectRefused("many-triangles.bloc", manyTriangles);
    expectRefused("index-past-end.bloc", binaryMesh(3, {0, 1, 3}, false));
    // A header alone that asks for 65536 vertices (4.5 MB): not a cut file.
    std::string allVertices;
    putU32(allVertices, 65536);
    putU32(allVertices, 0);
    expectRefused("header-asks-too-much.bloc", allVertices);
    // Zero-filled indices name vertex 0, which a mesh without vertices lacks.
    std::string noVertices;
    putU32(noVertices, 0);
    putU32(noVertices, 1);
    expectRefused("triangles-without-vertices.bloc", noVertices);
}

TEST_F(Mesh, BinaryMeshOfAllSixteenBitIndicesLoads) {
    Object3D mesh;
    testing::internal::CaptureStdout();
    EXPECT_TRUE(mesh.load(writeTestFile("largest.bloc", binaryMesh(65536, {0, 65535, 1}, true))));
    EXPECT_EQ(testing::internal::GetCapturedStdout(), "des anims!\n");
    ASSERT_EQ(mesh.m_vertices.size(), 3u * 65536);
    EXPECT_EQ(mesh.m_vertices[3 * 65535 + 2], 3.0f * 65535);
    EXPECT_EQ(mesh.m_indices, (Indices{0, 65535, 1}));
}

// A short binary file reads as if zero-filled to the size its header declares
// (the header itself included), and the load succeeds.
TEST_F(Mesh, ShortBinaryFilesAreZeroFilled) {
    auto load = [](const std::string& name, const std::string& bytes, Object3D& mesh) {
        testing::internal::CaptureStdout();
        testing::internal::CaptureStderr();
        bool loaded = mesh.load(writeTestFile(name, bytes));
        std::string out = testing::internal::GetCapturedStdout();
        EXPECT_EQ(testing::internal::GetCapturedStderr(), "") << name;
        EXPECT_EQ(out, "pas d'anim\n") << name;
        return loaded;
    };
    std::string good = binaryMesh(3, {0, 1, 2}, false);

    Object3D empty;
    EXPECT_TRUE(load("empty.bloc", "", empty));
    EXPECT_TRUE(empty.m_vertices.empty());
    EXPECT_TRUE(empty.m_indices.empty());

    // 7 bytes: c = 3 and the low three bytes of t = 1; all the rest is zero.
    Object3D header;
    EXPECT_TRUE(load("header-cut.bloc", good.substr(0, 7), header));
    EXPECT_EQ(header.m_vertices, Floats(9, 0.0f));
    EXPECT_EQ(header.m_colors, Floats(27, 0.0f));
    EXPECT_EQ(header.m_texCoords, Floats(18, 0.0f));
    EXPECT_EQ(header.m_indices, (Indices{0, 0, 0}));
    EXPECT_EQ(header.m_normals.size(), 9u);

    // Cut inside the colours: positions kept, the rest zero.
    Object3D colours;
    EXPECT_TRUE(load("colours-cut.bloc", good.substr(0, 8 + 36 + 8), colours));
    EXPECT_EQ(colours.m_vertices, (Floats{0, 0, 0, 1, 2, 3, 2, 4, 6}));
    EXPECT_EQ(colours.m_colors[1], 101.0f);
    EXPECT_EQ(colours.m_colors[2], 0.0f);
    EXPECT_EQ(colours.m_texCoords, Floats(18, 0.0f));
    EXPECT_EQ(colours.m_indices, (Indices{0, 0, 0}));

    // A header alone with 900 vertices (63 kB missing): all of them zero.
    std::string thousand;
    putU32(thousand, 900);
    putU32(thousand, 0);
    Object3D zeros;
    EXPECT_TRUE(load("header-only.bloc", thousand, zeros));
    EXPECT_EQ(zeros.m_vertices, Floats(2700, 0.0f));

    // The last index loses its high byte: 2 stays 2.
    Object3D indices;
    EXPECT_TRUE(load("indices-cut.bloc", good.substr(0, good.size() - 1), indices));
    EXPECT_EQ(indices.m_indices, (Indices{0, 1, 2}));
}

TEST_F(Mesh, NormalsFromFaces) {
    Object3D quad;
    quad.quad();
    quad.addPoint(5, 5, 5);          // used by no triangle
    quad.addIndice(0, 1, 5);         // names one past the last vertex: skipped, not read
    quad.m_vertices.shrink_to_fit(); // so that a read past the end is caught
    quad.computeNormalsFromFaces();
    EXPECT_EQ(quad.m_normals, (Floats{0, 0, 1, 0, 0, 1, 0, 0, 1, 0, 0, 1, 0, 0, 1}));

    // Vertices 0 and 1 are shared by a floor facing +z and a wall facing +y:
    // the sum of the two unit normals, normalised, although the floor has four
    // times the wall's area. A degenerate triangle adds nothing.
    Object3D corner;
    corner.addPoint(0, 0, 0);
    corner.addPoint(1, 0, 0);
    corner.addPoint(0, 4, 0);
    corner.addPoint(0, 0, 1);
    corner.addIndice(0, 1, 2);
    corner.addIndice(0, 3, 1);
    corner.addIndice(0, 0, 1);
    corner.computeNormalsFromFaces();
    float h = std::sqrt(0.5f);
    for (int v : {0, 1}) {
        EXPECT_NEAR(corner.m_normals[3 * v], 0, 1e-6);
        EXPECT_NEAR(corner.m_normals[3 * v + 1], h, 1e-6);
        EXPECT_NEAR(corner.m_normals[3 * v + 2], h, 1e-6);
    }
    EXPECT_EQ(Floats(corner.m_normals.begin() + 6, corner.m_normals.end()),
              (Floats{0, 0, 1, 0, 1, 0})); // vertex 2 on the floor, 3 on the wall
}

TEST_F(Mesh, RayFindsNearestHitOfThePlacedMesh) {
    Object3D quad;
    quad.quad();
    float distance = 5;
    Vector3D down(0, 0, -1);
    EXPECT_FALSE(quad.rayThroughMesh(Vector3D(2, 2, 1), down, Vector3D(), Vector3D(1, 1, 1),
                                     Quaternion(), &distance));
    EXPECT_EQ(distance, -1);

    // Scaled by 4 and moved to z = -3: the ray from z = 1 meets it after 4 units.
    EXPECT_TRUE(quad.rayThroughMesh(Vector3D(2, 2, 1), down, Vector3D(0, 0, -3), Vector3D(4, 4, 4),
                                    Quaternion(), &distance));
    EXPECT_NEAR(distance, 4, 1e-5);

    // Turned 90 degrees about x, the quad stands in the y = 0 plane... at x 0..1, z 0..1.
    Quaternion upright = Quaternion::getQuaternionFromAxisAndAngle(Vector3D(1, 0, 0), 90);
    EXPECT_TRUE(quad.rayThroughMesh(Vector3D(0.5f, -2, 0.5f), Vector3D(0, 2, 0), Vector3D(),
                                    Vector3D(1, 1, 1), upright, &distance));
    EXPECT_NEAR(distance, 1, 1e-5); // in units of the direction's length (2)

    // Stretched along x, then turned a quarter about z, as ObjectApp draws it:
    // the quad covers x -1..0 and y 0..4.
    Quaternion quarter = Quaternion::getQuaternionFromAxisAndAngle(Vector3D(0, 0, 1), 90);
    EXPECT_TRUE(quad.rayThroughMesh(Vector3D(-0.5f, 3, 1), down, Vector3D(), Vector3D(4, 1, 1),
                                    quarter, &distance));
    EXPECT_NEAR(distance, 1, 1e-5);

    // Three layers under a ray going down from z = 0: one just behind its
    // origin, one just in front, one farther. The one just in front wins,
    // whichever is tried first; the one behind never counts.
    const float depths[3] = {0.000005f, -0.001f, -5.0f};
    for (int first = 0; first < 3; ++first) {
        Object3D layers;
        for (int k = 0; k < 3; ++k) {
            float z = depths[(first + k) % 3];
            layers.addPoint(0, 0, z);
            layers.addPoint(4, 0, z);
            layers.addPoint(0, 4, z);
            layers.addIndice(3 * k, 3 * k + 1, 3 * k + 2);
        }
        EXPECT_TRUE(layers.rayThroughMesh(Vector3D(1, 1, 0), down, Vector3D(), Vector3D(1, 1, 1),
                                          Quaternion(), &distance));
        EXPECT_NEAR(distance, 0.001f, 1e-6) << first;
        // Past the long side of the triangles: inside their square, outside them.
        EXPECT_FALSE(layers.rayThroughMesh(Vector3D(3, 3, 0), down, Vector3D(), Vector3D(1, 1, 1),
                                           Quaternion(), &distance));
    }
}

TEST_F(Mesh, GenBuffersHandsFullArraysAndReleasesOnce) {
    {
        Object3D never;
        never.quad();
        EXPECT_EQ(never.vertexBufferHandle, Renderer::noBuffer);
    } // released nothing: it never uploaded
    EXPECT_TRUE(recorder().events().empty());

    Object3D quad;
    quad.quad();                // no normals
    quad.m_texCoords.resize(2); // and only one uv, as a short JSON file may give
    quad.m_colors.resize(3);
    quad.genBuffers();
    const RecordedVertexInput& gpu = recorder().vertexInput(quad.vertexBufferHandle);
    EXPECT_EQ(gpu.vertexCount, 4u);
    EXPECT_EQ(gpu.inputSizes, (std::vector<unsigned char>{3, 2, 3, 3}));
    EXPECT_EQ(gpu.inputs[1], (Floats{0, 0, 0, 0, 0, 0, 0, 0}));
    EXPECT_EQ(gpu.inputs[2], (Floats{1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1}));
    EXPECT_EQ(gpu.inputs[3], (Floats{0, 0, 1, 0, 0, 1, 0, 0, 1, 0, 0, 1}));
    EXPECT_EQ(recorder().indexBuffer(quad.indexBufferHandle).indices, (Indices{0, 2, 1, 1, 2, 3}));

    quad.genBuffers(); // again: the first buffers go
    EXPECT_EQ(quad.vertexBufferHandle, 1u);
    quad.deleteBuffers();
    quad.deleteBuffers();
    EXPECT_EQ(recorder().events(RecordedEvent::deleteVertexInput).size(), 2u);
    EXPECT_EQ(recorder().events(RecordedEvent::deleteBuffer).size(), 2u);
    EXPECT_EQ(recorder().liveBuffers(), 0u);
    EXPECT_TRUE(recorder().faults().empty()) << recorder().dump();
}

TEST_F(Mesh, UpdateBuffersRefreshesPositionsAndIndices) {
    Object3D quad;
    quad.quad();
    quad.genBuffers();
    quad.scaleModel(2, 3, 1);
    quad.updateBuffers();
    EXPECT_EQ(recorder().vertexInput(0).inputs[0], (Floats{0, 0, 0, 0, 3, 0, 2, 0, 0, 2, 3, 0}));
    EXPECT_EQ(recorder().events(RecordedEvent::sendIndices).size(), 1u);
}

TEST_F(Mesh, RenderSendsMatricesThenDraws) {
    Shader::UniformLayout table[] = {
        {"modelMat", 0, 16}, {"inverseModelMat", 0, 9}, {"mvMat", 0, 16}};
    Shader shader;
    shader.setInput(Renderer::VERTEX_INPUT_POSITION3_UV2_COLOR3_NORMAL3, table, 3);
    Object3D quad;
    quad.quad();
    quad.genBuffers();
    float model[16], mv[16];
    identity(model);
    model[0] = 2, model[5] = 4, model[10] = 8, model[12] = 3;
    identity(mv);
    mv[13] = 7;

    quad.render(model, mv); // nothing bound: nothing happens
    EXPECT_TRUE(recorder().sends().empty());
    EXPECT_TRUE(recorder().draws().empty());

    shader.bind();
    quad.render(model, mv);
    EXPECT_EQ(recorder().sentNames(),
              (std::vector<std::string>{"modelMat", "inverseModelMat", "mvMat"}));
    EXPECT_EQ(recorder().sends("modelMat")[0].values, Floats(model, model + 16));
    EXPECT_EQ(recorder().sends("inverseModelMat")[0].values,
              (Floats{0.5f, 0, 0, 0, 0.25f, 0, 0, 0, 0.125f}));
    EXPECT_EQ(recorder().sends("mvMat")[0].values, Floats(mv, mv + 16));
    ASSERT_EQ(recorder().draws().size(), 1u);
    EXPECT_EQ(recorder().draws()[0].vertexInput, quad.vertexBufferHandle);
    EXPECT_EQ(recorder().draws()[0].handle, quad.indexBufferHandle);
    EXPECT_EQ(recorder().draws()[0].count, 6);

    // A shader that declares only mvMat gets only mvMat.
    Shader::UniformLayout mvOnly[] = {{"mvMat", 0, 16}};
    Shader flat;
    flat.setInput(Renderer::VERTEX_INPUT_POSITION3_UV2_COLOR3_NORMAL3, mvOnly, 1);
    flat.bind();
    quad.render(model, mv);
    EXPECT_EQ(recorder().sends("modelMat").size(), 1u);
    EXPECT_EQ(recorder().sends("mvMat").size(), 2u);
    EXPECT_EQ(recorder().sends("mvMat")[1].shader, &flat);
    EXPECT_TRUE(recorder().faults().empty()) << recorder().dump();
}

TEST_F(Mesh, CylinderShape) {
    Object3D tube;
    tube.cylinder(2, 3, 5);
    EXPECT_EQ(tube.m_vertices.size(), 3u * 8);
    EXPECT_EQ(tube.m_indices.size(), 3u * 12);
    EXPECT_EQ(tube.m_colors.size(), 3u * 8);
    EXPECT_EQ(tube.m_texCoords.size(), 2u * 8);
    for (unsigned short i : tube.m_indices)
        EXPECT_LT(i, 8);
    EXPECT_EQ(tube.m_vertices[3 * 7 + 2], 5.0f); // far cap centre
    // Both rings share u = sin / 2 + 0.5 and v = -cos / 2 + 0.5: side 1 sits at 120 degrees.
    EXPECT_EQ(Floats(tube.m_texCoords.begin(), tube.m_texCoords.begin() + 2), (Floats{0.5f, 0.0f}));
    EXPECT_NEAR(tube.m_texCoords[6], 0.9330127f, 1e-6f);
    EXPECT_NEAR(tube.m_texCoords[7], 0.75f, 1e-6f);
    Object3D none;
    none.cylinder(1, 0, 1);
    EXPECT_EQ(none.m_vertices.size(), 6u);
    EXPECT_TRUE(none.m_indices.empty());
}

} // namespace
