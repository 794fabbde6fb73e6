#include <gtest/gtest.h>

#include <cmath>

#include "MathUtils/Matrix.h"
#include "Object3D.h"
#include "ObjectApp.h"
#include "support/Recorder.h"

namespace {

using Floats = std::vector<float>;

// Where the model matrix of the last draw puts a model point.
Vector3D place(const Floats& m, Vector3D p) {
    return Vector3D(m[0] * p.x + m[4] * p.y + m[8] * p.z + m[12],
                    m[1] * p.x + m[5] * p.y + m[9] * p.z + m[13],
                    m[2] * p.x + m[6] * p.y + m[10] * p.z + m[14]);
}

void expectNear(Vector3D a, Vector3D b) {
    EXPECT_NEAR(a.x, b.x, 1e-5);
    EXPECT_NEAR(a.y, b.y, 1e-5);
    EXPECT_NEAR(a.z, b.z, 1e-5);
}

void expectQuaternion(const Quaternion& q, const Quaternion& expected) {
    EXPECT_NEAR(q.x, expected.x, 1e-6);
    EXPECT_NEAR(q.y, expected.y, 1e-6);
    EXPECT_NEAR(q.z, expected.z, 1e-6);
    EXPECT_NEAR(q.w, expected.w, 1e-6);
}

class Placed : public testing::Test {
protected:
    void SetUp() override {
        recorder().reset();
        shader.setInput(Renderer::VERTEX_INPUT_POSITION3_UV2_COLOR3_NORMAL3, table, 2);
        shader.bind();
        quad.quad();
        quad.genBuffers();
        identity(parent);
    }
    Shader::UniformLayout table[2] = {{"modelMat", 0, 16}, {"mvMat", 0, 16}};
    Shader shader;
    Object3D quad;
    Texture atlas;
    float parent[16];
};

TEST_F(Placed, ModelMatrixIsTranslateRotateScaleMinusAnchor) {
    ObjectApp sprite(10, 0, 0, &quad, &atlas);
    sprite.setScale(2, 2, 2);
    sprite.setAnchor(0.5f, 0.5f, 0);
    sprite.render(parent);
    Floats model = recorder().sends("modelMat").back().values;
    expectNear(place(model, Vector3D(0.5f, 0.5f, 0)), Vector3D(10, 0, 0));
    expectNear(place(model, Vector3D(1, 1, 0)), Vector3D(11, 1, 0));

    // A quarter turn about z with an off-centre anchor and uneven scale:
    // p lands at position + R(S(p - anchor)).
    sprite.setScale(2, 3, 4);
    sprite.setAnchor(1, 0.5f, 0);
    sprite.addYaw(90);
    sprite.render(parent);
    model = recorder().sends("modelMat").back().values;
    expectNear(place(model, Vector3D(1, 0.5f, 0)), Vector3D(10, 0, 0));
    expectNear(place(model, Vector3D(2, 0.5f, 0)), Vector3D(10, 2, 0)); // x 2 along +x turns to +y
    expectNear(place(model, Vector3D(1, 1.5f, 0)), Vector3D(7, 0, 0));  // y 3 along +y turns to -x
    expectNear(place(model, Vector3D(1, 0.5f, 1)), Vector3D(10, 0, 4)); // z 4 about z stays

    // A roll turns about y: +x goes to -z, +y stays.
    sprite.addRoll(90);
    sprite.render(parent);
    model = recorder().sends("modelMat").back().values;
    expectNear(place(model, Vector3D(2, 0.5f, 0)), Vector3D(10, 0, -2));
    expectNear(place(model, Vector3D(1, 1.5f, 0)), Vector3D(10, 3, 0));

    // The model-view matrix is parent x model.
    translatef(parent, 0, 0, -5);
    parent[0] = 3;
    sprite.render(parent);
    Floats mv = recorder().sends("mvMat").back().values;
    float expected[16];
    mulMat(parent, recorder().sends("modelMat").back().values.data(), expected);
    for (int i = 0; i < 16; ++i)
        EXPECT_NEAR(mv[std::size_t(i)], expected[i], 1e-5) << i;
}

TEST_F(Placed, OrientationHoldsForOneDrawInEveryVariant) {
    ObjectApp sprite(0, 0, 0, &quad, &atlas);
    void (ObjectApp::*variants[])(float*) = {&ObjectApp::render,
                                             &ObjectApp::renderWithPreviousTexture,
                                             &ObjectApp::renderWithPreviousTextureAndPreviousModel};
    // What each variant binds again before its draw: texture, vertex input.
    const std::size_t rebinds[3][2] = {{1, 1}, {0, 1}, {0, 0}};
    for (int v = 0; v < 3; ++v) {
        std::size_t textures = recorder().textureBinds().size();
        std::size_t inputs = recorder().events(RecordedEvent::bindVertexInput).size();
        sprite.addYaw(30);
        sprite.addRoll(10);
        (sprite.*variants[v])(parent);
        expectQuaternion(sprite.orientation(), Quaternion());
        EXPECT_EQ(rebinds[v][0], recorder().textureBinds().size() - textures) << v;
        EXPECT_EQ(rebinds[v][1], recorder().events(RecordedEvent::bindVertexInput).size() - inputs)
            << v;
    }
    sprite.setScale(3, 3, 3);
    sprite.init(1, 2, 3, &quad, &atlas);
    EXPECT_EQ(sprite.scale().x, 3);
    EXPECT_EQ(sprite.position().y, 2);
}

TEST_F(Placed, TurnsComposeInTheObjectsOwnFrame) {
    float s = std::sin(0.78539816f), c = std::cos(0.78539816f);
    Quaternion yaw(0, 0, s, c), pitch(s, 0, 0, c);
    Quaternion yawThenPitch = yaw, pitchThenYaw = pitch;
    yawThenPitch.multiplyWith(pitch);
    pitchThenYaw.multiplyWith(yaw);

    ObjectApp a, b;
    a.addYaw(90);
    a.addPitch(90);
    b.addPitch(90);
    b.addYaw(90);
    expectQuaternion(a.orientation(), yawThenPitch);
    expectQuaternion(b.orientation(), pitchThenYaw);
    EXPECT_GT(std::fabs(a.orientation().y - b.orientation().y), 0.5f); // the orders differ
}

TEST_F(Placed, DrawsBindTheTextureFirstAndSkipWhatIsMissing) {
    atlas.loadToGPU();
    ObjectApp sprite(0, 0, 0, &quad, &atlas);
    sprite.render(parent);
    ASSERT_EQ(recorder().textureBinds().size(), 1u);
    EXPECT_EQ(recorder().textureBinds()[0].count, 0); // unit 0
    EXPECT_EQ(recorder().draws().size(), 1u);
    std::size_t bindAt = 0, drawAt = 0;
    for (std::size_t i = 0; i < recorder().events().size(); ++i) {
        if (recorder().events()[i].kind == RecordedEvent::textureBind)
            bindAt = i;
        if (recorder().events()[i].kind == RecordedEvent::draw)
            drawAt = i;
    }
    EXPECT_LT(bindAt, drawAt);

    ObjectApp noTexture(0, 0, 0, &quad, nullptr), noMesh(0, 0, 0, nullptr, &atlas), unset;
    Texture::bound = nullptr;
    noTexture.addYaw(5);
    noTexture.render(parent);
    noMesh.addYaw(5);
    noMesh.render(parent);
    unset.render(parent);
    EXPECT_EQ(recorder().draws().size(), 2u);        // only noTexture drew
    EXPECT_EQ(recorder().textureBinds().size(), 2u); // only noMesh bound
    expectQuaternion(noMesh.orientation(), Quaternion());
    EXPECT_TRUE(recorder().faults().empty()) << recorder().dump();
}

TEST(PlacedMatrices, HelpersPostMultiply) {
    ObjectApp o;
    float a[16], b[16];
    identity(a);
    identity(b);
    o.rotationDegres(90, 0, 0, 1, a);
    o.rotZ(1.5707964f, b);
    for (int i = 0; i < 16; ++i)
        EXPECT_NEAR(a[i], b[i], 1e-6) << i;
    EXPECT_NEAR(b[1], 1, 1e-6);
    EXPECT_NEAR(b[4], -1, 1e-6);

    // mv x T: on a scaled matrix the translation is scaled too.
    identity(a);
    o.scaleTo(2, 3, 4, a);
    o.translateMat(1, 1, 1, a);
    EXPECT_EQ(a[12], 2);
    EXPECT_EQ(a[13], 3);
    EXPECT_EQ(a[14], 4);
    identity(a);
    o.rotX(1.5707964f, a);
    EXPECT_NEAR(a[6], 1, 1e-6); // y turns to z
    identity(a);
    o.rotY(1.5707964f, a);
    EXPECT_NEAR(a[8], 1, 1e-6); // z turns to x
}

} // namespace
