#include "World.h"

#include <gtest/gtest.h>

#include <cmath>

static void fill(float* m, float value) {
    for (int i = 0; i < 16; ++i) {
        m[i] = value;
    }
}

TEST(World, FreshWorldIsIdentity) {
    World world;
    for (int i = 0; i < 16; ++i) {
        float expected = (i % 5 == 0) ? 1.0f : 0.0f;
        EXPECT_EQ(world.mvMat[i], expected) << i;
        EXPECT_EQ(world.projMat[i], expected) << i;
    }
    for (const World::Plan& plan : world.plans) {
        EXPECT_EQ(plan.a, 0.0f);
        EXPECT_EQ(plan.d, 0.0f);
    }
}

TEST(World, OrthographicScreenPutsSpritesAtClipDepthZero) {
    World world;
    fill(world.projMat, 7);
    world.loadIdentityProjection();
    world.orthographicProjection(0, 1280, 0, 720, -2, 10);
    float* p = world.getProjMat();
    EXPECT_FLOAT_EQ(p[0], 2.0f / 1280);
    EXPECT_FLOAT_EQ(p[5], 2.0f / 720);
    EXPECT_FLOAT_EQ(p[10], -1.0f / 6);
    EXPECT_EQ(p[12], -1.0f);
    EXPECT_EQ(p[13], -1.0f);
    EXPECT_FLOAT_EQ(p[14], 1.0f / 6);
    EXPECT_EQ(p[15], 1.0f);
    // Bit-exact, whatever the sprite's x and y.
    for (float x : {0.0f, 333.0f, 1280.0f}) {
        float clipZ = p[2] * x + p[6] * 500.0f + p[10] * 1.0f + p[14];
        EXPECT_EQ(clipZ, 0.0f);
    }

    // Only the six orthographic elements are written.
    fill(world.projMat, 7);
    world.orthographicProjection(0, 1280, 0, 720, -2, 10);
    for (int i : {1, 2, 3, 4, 6, 7, 8, 9, 11, 15}) {
        EXPECT_EQ(p[i], 7.0f) << i;
    }

    // A box off the origin on both axes: its edges land on the clip edges.
    world.loadIdentityProjection();
    world.orthographicProjection(-3, 5, 2, 10, -2, 10);
    EXPECT_EQ(p[0] * -3 + p[12], -1.0f);
    EXPECT_EQ(p[0] * 5 + p[12], 1.0f);
    EXPECT_EQ(p[5] * 2 + p[13], -1.0f);
    EXPECT_EQ(p[5] * 10 + p[13], 1.0f);
}

TEST(World, PerspectiveGuardsAndPartialWrites) {
    World world;
    fill(world.projMat, 7);
    world.perspectiveProjection(60, 1, 4, 4);
    world.perspectiveProjection(0, 1, 1, 10);
    world.perspectiveProjection(60, 0, 1, 10);
    for (float v : world.projMat) {
        EXPECT_EQ(v, 7.0f);
    }
    world.perspectiveProjection(90, 2, 1, 3);
    EXPECT_NEAR(world.projMat[0], 0.5f, 1e-6f);
    EXPECT_NEAR(world.projMat[5], 1.0f, 1e-6f);
    EXPECT_EQ(world.projMat[10], -2.0f);
    EXPECT_EQ(world.projMat[11], -1.0f);
    EXPECT_EQ(world.projMat[14], -3.0f);
    EXPECT_EQ(world.projMat[15], 0.0f);
    for (int i : {1, 2, 3, 4, 6, 7, 8, 9, 12, 13}) {
        EXPECT_EQ(world.projMat[i], 7.0f) << i;
    }
}

TEST(World, LookAtForwardAndUp) {
    World world;
    world.lookAt(0, 0, 0, 0, 0, -1, 0, 1, 0);
    Vector3D forward = world.getForward();
    Vector3D up = world.getUp();
    EXPECT_EQ(forward.z, -1.0f);
    EXPECT_EQ(up.y, 1.0f);

    // Looking straight down from above, with -z as the screen's up.
    world.lookAt(0, 5, 0, 0, 0, 0, 0, 0, -1);
    forward = world.getForward();
    up = world.getUp();
    EXPECT_NEAR(forward.y, -1.0f, 1e-6f);
    EXPECT_NEAR(up.z, -1.0f, 1e-6f);
    // The eye sits at the origin of the view.
    EXPECT_NEAR(world.mvMat[1] * 0 + world.mvMat[5] * 5 + world.mvMat[13], 0.0f, 1e-6f);
}

TEST(World, TransformsPostMultiply) {
    // Translate then turn: the turn happens about the moved origin, so the
    // translation column keeps (1, 2, 3).
    World a;
    a.translate(1, 2, 3);
    a.rotZ(1.5707964f);
    EXPECT_EQ(a.mvMat[12], 1.0f);
    EXPECT_EQ(a.mvMat[13], 2.0f);
    EXPECT_EQ(a.mvMat[14], 3.0f);
    EXPECT_NEAR(a.mvMat[1], 1.0f, 1e-6f);

    World b;
    b.rotationDegrees(90, 0, 0, 1);
    b.translate(1, 0, 0);
    EXPECT_NEAR(b.mvMat[12], 0.0f, 1e-6f);
    EXPECT_NEAR(b.mvMat[13], 1.0f, 1e-6f);

    // Each axis turn is right-handed and agrees with the general rotation.
    const float axes[3][3] = {{1, 0, 0}, {0, 1, 0}, {0, 0, 1}};
    for (int axis = 0; axis < 3; ++axis) {
        World single;
        World general;
        single.translate(1, 2, 3);
        general.translate(1, 2, 3);
        void (World::*turn)(float) = axis == 0   ? &World::rotX
                                     : axis == 1 ? &World::rotY
                                                 : &World::rotZ;
        (single.*turn)(0.7f);
        general.rotation(0.7f, axes[axis][0], axes[axis][1], axes[axis][2]);
        for (int i = 0; i < 16; ++i) {
            EXPECT_NEAR(single.mvMat[i], general.mvMat[i], 1e-6f) << axis << " " << i;
        }
    }
}

TEST(Frustum, PlanesAreUnitAndPointInward) {
    EXPECT_EQ(World().extractPlane(0, 0, 2, 4).c, 1.0f);
    EXPECT_EQ(World().extractPlane(0, 0, 2, 4).d, 2.0f);

    World world;
    world.perspectiveProjection(90, 1.5f, 1, 10);
    world.lookAt(0, 0, 0, 0, 0, -1, 0, 1, 0);
    world.updateFrustum();
    for (const World::Plan& plan : world.plans) {
        EXPECT_NEAR(plan.a * plan.a + plan.b * plan.b + plan.c * plan.c, 1.0f, 1e-6f);
        EXPECT_GT(plan.a * 0 + plan.b * 0 + plan.c * -5 + plan.d, 0.0f);
    }
    EXPECT_GT(world.plans[World::PLANE_LEFT].a, 0.0f);
    EXPECT_LT(world.plans[World::PLANE_RIGHT].a, 0.0f);
    EXPECT_LT(world.plans[World::PLANE_TOP].b, 0.0f);
    EXPECT_GT(world.plans[World::PLANE_BOTTOM].b, 0.0f);
    EXPECT_GT(world.plans[World::PLANE_FAR].c, 0.0f);
    EXPECT_LT(world.plans[World::PLANE_NEAR].c, 0.0f);
    EXPECT_TRUE(world.PointInFrustum(0, 0, -5));
    EXPECT_FALSE(world.PointInFrustum(0, 0, 1));
    EXPECT_FALSE(world.PointInFrustum(0, 0, -11));
    EXPECT_FALSE(world.PointInFrustum(0, 6, -5));
}

TEST(Frustum, BoundaryPointInsideTouchingSphereOutside) {
    // Orthographic box, x from -2 to 2 in the eye, camera moved by 1 along x:
    // the left plane stands at world x = -3.
    World world;
    world.orthographicProjection(-2, 2, -1, 1, 1, 3);
    world.translate(1, 0, 0);
    world.updateFrustum();
    EXPECT_TRUE(world.PointInFrustum(-3, 0, 0));
    EXPECT_FALSE(world.PointInFrustum(-3.01f, 0, 0));
    EXPECT_TRUE(world.PointInFrustum(1, 1, 0));

    EXPECT_FALSE(world.sphereInFrustum(-4, 0, 0, 1)); // touches from outside
    EXPECT_TRUE(world.sphereInFrustum(-4, 0, 0, 1.01f));
    EXPECT_TRUE(world.sphereInFrustum(-3.5f, 0, 0, 1));
}
