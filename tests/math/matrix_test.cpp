#include "MathUtils/Matrix.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstring>

static void expectMat(const float* actual, const float* expected, float tolerance = 1e-5f) {
    for (int i = 0; i < 16; ++i) {
        EXPECT_NEAR(actual[i], expected[i], tolerance) << "element " << i;
    }
}

static void fill(float* m, float value, int count = 16) {
    for (int i = 0; i < count; ++i) {
        m[i] = value;
    }
}

// A rotation, a non-uniform scale and a translation: a typical model matrix.
static void affine(float* m) {
    identity(m);
    translatef(m, 3, -2, 5);
    float turned[16];
    identity(turned);
    rotatefDegres(turned, 30, 0.6f, 0, 0.8f);
    mulMatSafe(m, turned, m);
    float scale[16];
    identity(scale);
    scale[0] = 2;
    scale[5] = 0.5f;
    scale[10] = 3;
    mulMatSafe(m, scale, m);
}

TEST(MatrixLayout, ColumnMajorAndProductOrder) {
    float m[16];
    identity(m);
    translatef(m, 1, 2, 3);
    EXPECT_EQ(m[12], 1.0f);
    EXPECT_EQ(m[13], 2.0f);
    EXPECT_EQ(m[14], 3.0f);
    EXPECT_EQ(m[3], 0.0f);

    float r[16];
    identity(r);
    rotatefDegres(r, 90, 0, 0, 1);
    EXPECT_NEAR(r[1], 1.0f, 1e-6f); // row 1, column 0
    EXPECT_NEAR(r[4], -1.0f, 1e-6f);

    // (T x S) scales first, so the translation stays; (S x T) scales it.
    float scale[16];
    identity(scale);
    scale[0] = scale[5] = scale[10] = 2;
    float ts[16];
    float st[16];
    mulMat(m, scale, ts);
    mulMat(scale, m, st);
    EXPECT_EQ(ts[12], 1.0f);
    EXPECT_EQ(st[12], 2.0f);
    EXPECT_EQ(st[14], 6.0f);
}

TEST(MatrixLayout, TranslatePostMultipliesRotatePreMultiplies) {
    // translatef: R x T, the translation is turned by R.
    float rt[16];
    identity(rt);
    rotatefDegres(rt, 90, 0, 0, 1);
    translatef(rt, 1, 0, 0);
    EXPECT_NEAR(rt[12], 0.0f, 1e-6f);
    EXPECT_NEAR(rt[13], 1.0f, 1e-6f);

    // rotatef: R x T as well, reached from the other side.
    float tr[16];
    identity(tr);
    translatef(tr, 1, 0, 0);
    rotatef(tr, 3.14159265f / 2, 0, 0, 1);
    expectMat(tr, rt, 1e-6f);
}

TEST(MatrixProduct, SafeVariantAllowsAliasing) {
    float a[16];
    float b[16];
    affine(a);
    identity(b);
    rotatefDegres(b, 40, 0, 1, 0);
    b[12] = 7;
    float expected[16];
    mulMat(a, b, expected);

    float intoFirst[16];
    float intoSecond[16];
    memcpy(intoFirst, a, sizeof(a));
    memcpy(intoSecond, b, sizeof(b));
    mulMatSafe(intoFirst, b, intoFirst);
    mulMatSafe(a, intoSecond, intoSecond);
    expectMat(intoFirst, expected, 0);
    expectMat(intoSecond, expected, 0);
}

TEST(MatrixInverse, WrittenRowByRowForMulVectorMatrix) {
    float t[16];
    identity(t);
    translatef(t, 1, 2, 3);
    float inv[16];
    inverse(inv, t);
    EXPECT_EQ(inv[3], -1.0f);
    EXPECT_EQ(inv[7], -2.0f);
    EXPECT_EQ(inv[11], -3.0f);
    float x = 1, y = 2, z = 3;
    mulVectorMatrix(&x, &y, &z, inv);
    EXPECT_EQ(x, 0.0f);
    EXPECT_EQ(y, 0.0f);
    EXPECT_EQ(z, 0.0f);

    // An affine matrix moves a point; its inverse brings it back.
    float m[16];
    affine(m);
    inverse(inv, m);
    const float p[3] = {0.25f, -4, 1.5f};
    x = m[0] * p[0] + m[4] * p[1] + m[8] * p[2] + m[12];
    y = m[1] * p[0] + m[5] * p[1] + m[9] * p[2] + m[13];
    z = m[2] * p[0] + m[6] * p[1] + m[10] * p[2] + m[14];
    mulVectorMatrix(&x, &y, &z, inv);
    EXPECT_NEAR(x, p[0], 1e-5f);
    EXPECT_NEAR(y, p[1], 1e-5f);
    EXPECT_NEAR(z, p[2], 1e-5f);

    // Transposed back to column-major it is the true inverse.
    transpose(inv);
    float product[16];
    float unit[16];
    identity(unit);
    mulMat(m, inv, product);
    expectMat(product, unit);

    // The four-component form reads the same rows, w included.
    inverse(inv, t);
    x = 0, y = 0, z = 0;
    float w = 1;
    mulVector4Matrix(x, y, z, w, inv);
    EXPECT_EQ(x, -1.0f);
    EXPECT_EQ(y, -2.0f);
    EXPECT_EQ(z, -3.0f);
    EXPECT_EQ(w, 1.0f);
}

TEST(MatrixInverse, SingularGuardsAndInPlace3x3) {
    float singular[16];
    fill(singular, 2);
    float out[16];
    fill(out, 9);
    inverse(out, singular);
    float unit[16];
    identity(unit);
    expectMat(out, unit, 0);

    float flat[9] = {1, 2, 3, 2, 4, 6, 0, 1, 1}; // second column = 2 x first
    float untouched[9];
    fill(untouched, 5, 9);
    inverse3x3(flat, untouched);
    for (float v : untouched) {
        EXPECT_EQ(v, 5.0f);
    }

    float m4[16];
    affine(m4);
    float m3[9];
    matrix4x4ToMatrix3x3(m4, m3);
    EXPECT_EQ(m3[3], m4[4]);
    EXPECT_EQ(m3[8], m4[10]);
    float original[9];
    memcpy(original, m3, sizeof(m3));
    inverse3x3(m3, m3);
    for (int r = 0; r < 3; ++r) {
        for (int c = 0; c < 3; ++c) {
            float sum = 0;
            for (int k = 0; k < 3; ++k) {
                sum += original[3 * k + r] * m3[3 * c + k];
            }
            EXPECT_NEAR(sum, r == c ? 1.0f : 0.0f, 1e-5f) << r << "," << c;
        }
    }
}

TEST(MatrixProjection, PerspectiveWritesSixElementsOrNone) {
    float m[16];
    fill(m, 7);
    perspectiveProjection(m, 60, 1, 5, 5);
    perspectiveProjection(m, 0, 1, 1, 10);
    perspectiveProjection(m, 60, 0, 1, 10);
    for (float v : m) {
        EXPECT_EQ(v, 7.0f);
    }

    perspectiveProjection(m, 90, 2, 1, 3);
    EXPECT_NEAR(m[0], 0.5f, 1e-6f);
    EXPECT_NEAR(m[5], 1.0f, 1e-6f);
    EXPECT_EQ(m[10], -2.0f);
    EXPECT_EQ(m[11], -1.0f);
    EXPECT_EQ(m[14], -3.0f);
    EXPECT_EQ(m[15], 0.0f);
    for (int i : {1, 2, 3, 4, 6, 7, 8, 9, 12, 13}) {
        EXPECT_EQ(m[i], 7.0f) << i;
    }
}

TEST(MatrixLookAt, EyeToOriginLookingDownMinusZ) {
    float m[16];
    fill(m, 7); // not read
    lookAt(m, 1, 2, 3, 1, 2, -5, 0, 1, 0);
    float x = 1, y = 2, z = -5, w = 1;
    transpose(m); // mulVector4Matrix reads rows
    mulVector4Matrix(x, y, z, w, m);
    EXPECT_NEAR(x, 0.0f, 1e-6f);
    EXPECT_NEAR(y, 0.0f, 1e-6f);
    EXPECT_NEAR(z, -8.0f, 1e-5f);
    EXPECT_EQ(w, 1.0f);
}

TEST(MatrixQuaternion, UpperThreeByThreeOnlyAndRoundTrip) {
    float m[16];
    fill(m, 7);
    quaternionToMatrix4x4(Quaternion(), m);
    for (int i : {3, 7, 11, 12, 13, 14, 15}) {
        EXPECT_EQ(m[i], 7.0f) << i;
    }
    EXPECT_EQ(m[0], 1.0f);
    EXPECT_EQ(m[4], 0.0f);

    // The matrix turns vectors as the quaternion does; converting back gives
    // the same rotation, also for half turns (trace not positive).
    const Quaternion turns[] = {
        Quaternion::getQuaternionFromAxisAndAngle(Vector3D(0.6f, 0, 0.8f), 70),
        Quaternion(1, 0, 0, 0),
        Quaternion(0, 1, 0, 0),
        Quaternion(0, 0, 1, 0),
        Quaternion::getQuaternionFromAxisAndAngle(Vector3D(0, 0.8f, -0.6f), 160),
    };
    for (const Quaternion& q : turns) {
        quaternionToMatrix4x4(q, m);
        Vector3D v(0.3f, -1, 2);
        q.applyRotation(v);
        EXPECT_NEAR(m[0] * 0.3f - m[4] + m[8] * 2, v.x, 1e-5f);
        EXPECT_NEAR(m[1] * 0.3f - m[5] + m[9] * 2, v.y, 1e-5f);
        EXPECT_NEAR(m[2] * 0.3f - m[6] + m[10] * 2, v.z, 1e-5f);

        Quaternion back;
        matrix4x4ToQuaternion(m, &back);
        float sign = back.dotProductWith(q) < 0 ? -1.0f : 1.0f;
        EXPECT_NEAR(sign * back.x, q.x, 1e-5f);
        EXPECT_NEAR(sign * back.y, q.y, 1e-5f);
        EXPECT_NEAR(sign * back.z, q.z, 1e-5f);
        EXPECT_NEAR(sign * back.w, q.w, 1e-5f);
    }
}
