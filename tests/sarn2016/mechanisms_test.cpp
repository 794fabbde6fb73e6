#include <gtest/gtest.h>

#include <cmath>
#include <memory>

#include "Sarn2016.h"

namespace {

using Group = Sarn2016::ObjectGroup;

Quaternion turn(float ax, float ay, float az, float degrees) {
    return Quaternion::getQuaternionFromAxisAndAngle(Vector3D(ax, ay, az), degrees);
}

// Rodrigues' formula: an independent way to turn v about a unit axis.
Vector3D rodrigues(Vector3D axis, float degrees, Vector3D v) {
    float a = degrees * 0.017453292f;
    Vector3D cross = Vector3D::crossProduct(axis, v);
    float dot = Vector3D::dotProduct(axis, v);
    return v * std::cos(a) + cross * std::sin(a) + axis * (dot * (1.0f - std::cos(a)));
}

void expectNear(Vector3D expected, Vector3D actual) {
    EXPECT_NEAR(expected.x, actual.x, 1e-4f);
    EXPECT_NEAR(expected.y, actual.y, 1e-4f);
    EXPECT_NEAR(expected.z, actual.z, 1e-4f);
}

Vector3D turned(const Quaternion& q, Vector3D v) {
    q.applyRotation(v);
    return v;
}

void addKey(Group& group, Vector3D position, Quaternion orientation, float ratio) {
    group.positions.push_back(position);
    group.orientations.push_back(orientation);
    group.timeRatios.push_back(ratio);
}

void addObject(Group& group, Transform* object, Vector3D anchor, Quaternion relative) {
    group.objects.push_back(object);
    group.anchors.push_back(anchor);
    group.relativeOrientations.push_back(relative);
}

} // namespace

// Parent (turned about x), group key (turned about z), object (turned about y)
// and a child group: the rotations compose parent first, then group, then
// object, which the turned basis vectors show.
TEST(Sarn2016Mechanisms, PoseComposesUnderParentWithChildGroup) {
    Transform lid, hinge;
    lid.scale = Vector3D(2.0f, 3.0f, 4.0f);
    Group group;
    addKey(group, Vector3D(0.0f, 0.0f, 0.0f), Quaternion(), 0.0f);
    addKey(group, Vector3D(2.0f, 0.0f, 0.0f), turn(0.0f, 0.0f, 1.0f, 90.0f), 1.0f);
    addObject(group, &lid, Vector3D(1.0f, 0.0f, 0.0f), turn(0.0f, 1.0f, 0.0f, 90.0f));
    Group* child = new Group;
    addKey(*child, Vector3D(0.0f, 1.0f, 0.0f), Quaternion(), 0.0f);
    addObject(*child, &hinge, Vector3D(), Quaternion());
    group.children.push_back(child);

    const Vector3D parentPosition(10.0f, 0.0f, 0.0f);
    const Vector3D xAxis(1.0f, 0.0f, 0.0f), yAxis(0.0f, 1.0f, 0.0f), zAxis(0.0f, 0.0f, 1.0f);
    for (float ratio : {1.0f, 0.5f}) {
        group.interpolate(ratio, parentPosition, turn(1.0f, 0.0f, 0.0f, 90.0f));
        float groupAngle = 90.0f * ratio;
        auto whole = [&](Vector3D v) { // parent after group after nothing
            return rodrigues(xAxis, 90.0f, rodrigues(zAxis, groupAngle, v));
        };
        Vector3D pivot = parentPosition + rodrigues(xAxis, 90.0f, Vector3D(2.0f * ratio, 0, 0));
        expectNear(pivot + whole(xAxis), lid.position);
        for (Vector3D v : {xAxis, yAxis, zAxis}) {
            expectNear(whole(rodrigues(yAxis, 90.0f, v)), turned(lid.orientation, v));
            expectNear(whole(v), turned(hinge.orientation, v));
        }
        expectNear(pivot + whole(yAxis), hinge.position);
    }
    expectNear(Vector3D(2.0f, 3.0f, 4.0f), lid.scale);
}

TEST(Sarn2016Mechanisms, KeyChoiceAtBetweenAndBeyondKeys) {
    Transform object;
    Group group;
    addKey(group, Vector3D(0.0f, 0.0f, 0.0f), Quaternion(), 0.2f);
    addKey(group, Vector3D(10.0f, 0.0f, 0.0f), Quaternion(), 0.5f);
    addKey(group, Vector3D(30.0f, 0.0f, 0.0f), Quaternion(), 1.0f);
    addObject(group, &object, Vector3D(), Quaternion());
    const float cases[][2] = {{-1.0f, 0.0f},  {0.1f, 0.0f},  {0.35f, 5.0f}, {0.5f, 10.0f},
                              {0.75f, 20.0f}, {1.0f, 30.0f}, {2.0f, 30.0f}};
    for (const auto& c : cases) {
        group.interpolate(c[0], Vector3D(), Quaternion());
        EXPECT_NEAR(c[1], object.position.x, 1e-4f) << "ratio " << c[0];
    }
    group.toExtremity(false, Vector3D(), Quaternion());
    EXPECT_EQ(0.0f, object.position.x);
    group.toExtremity(true, Vector3D(), Quaternion());
    EXPECT_EQ(30.0f, object.position.x);

    Group empty; // no keys: nothing moves, nothing is read
    addObject(empty, &object, Vector3D(), Quaternion());
    empty.interpolate(0.5f, Vector3D(5.0f, 5.0f, 5.0f), Quaternion());
    EXPECT_EQ(30.0f, object.position.x);
}

// Children belong to their group: copies own their own, and every one is freed
// once (AddressSanitizer reports a leak or a double free).
TEST(Sarn2016Mechanisms, CopiesOwnTheirChildren) {
    Transform object;
    auto original = std::make_unique<Group>();
    Group* child = new Group;
    addKey(*child, Vector3D(1.0f, 0.0f, 0.0f), Quaternion(), 0.0f);
    addObject(*child, &object, Vector3D(), Quaternion());
    child->children.push_back(new Group);
    original->children.push_back(child);
    addKey(*original, Vector3D(), Quaternion(), 0.0f);

    Group copy(*original);
    Group assigned;
    assigned = *original;
    ASSERT_EQ(1u, copy.children.size());
    EXPECT_NE(original->children[0], copy.children[0]);
    EXPECT_NE(copy.children[0], assigned.children[0]);
    original.reset();

    std::vector<Group> groups;
    groups.push_back(copy);
    groups.push_back(std::move(assigned));
    groups[1].interpolate(0.0f, Vector3D(0.0f, 4.0f, 0.0f), Quaternion());
    expectNear(Vector3D(1.0f, 4.0f, 0.0f), object.position);
    groups[0] = groups[1];
    groups.clear();
}
