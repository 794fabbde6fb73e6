#include <algorithm>

#include "Sarn2016.h"

Sarn2016::ObjectGroup::~ObjectGroup() {
    for (ObjectGroup* child : children) {
        delete child;
    }
}

Sarn2016::ObjectGroup::ObjectGroup(const ObjectGroup& other)
    : objects(other.objects), anchors(other.anchors),
      relativeOrientations(other.relativeOrientations), positions(other.positions),
      orientations(other.orientations), timeRatios(other.timeRatios) {
    copyChildren(other.children);
}

Sarn2016::ObjectGroup& Sarn2016::ObjectGroup::operator=(const ObjectGroup& other) {
    if (this != &other) {
        ObjectGroup copy(other);
        *this = std::move(copy);
    }
    return *this;
}

Sarn2016::ObjectGroup::ObjectGroup(ObjectGroup&& other) noexcept
    : objects(std::move(other.objects)), anchors(std::move(other.anchors)),
      relativeOrientations(std::move(other.relativeOrientations)),
      positions(std::move(other.positions)), orientations(std::move(other.orientations)),
      timeRatios(std::move(other.timeRatios)), children(std::move(other.children)) {
    other.children.clear();
}

Sarn2016::ObjectGroup& Sarn2016::ObjectGroup::operator=(ObjectGroup&& other) noexcept {
    if (this != &other) {
        clear();
        objects = std::move(other.objects);
        anchors = std::move(other.anchors);
        relativeOrientations = std::move(other.relativeOrientations);
        positions = std::move(other.positions);
        orientations = std::move(other.orientations);
        timeRatios = std::move(other.timeRatios);
        children = std::move(other.children);
        other.children.clear();
    }
    return *this;
}

void Sarn2016::ObjectGroup::copyChildren(const std::vector<ObjectGroup*>& from) {
    children.reserve(from.size());
    for (const ObjectGroup* child : from) {
        children.push_back(new ObjectGroup(*child));
    }
}

void Sarn2016::ObjectGroup::clear() {
    for (ObjectGroup* child : children) {
        delete child;
    }
    children.clear();
    objects.clear();
    anchors.clear();
    relativeOrientations.clear();
    positions.clear();
    orientations.clear();
    timeRatios.clear();
}

void Sarn2016::ObjectGroup::interpolate(float ratio, Vector3D parentPosition,
                                        Quaternion parentOrientation) {
    // The reader keeps the key lists in step; a short one must still not be
    // read past.
    std::size_t keys = std::min({timeRatios.size(), positions.size(), orientations.size()});
    if (keys == 0) {
        return;
    }
    Vector3D p;
    Quaternion q;
    if (timeRatios[0] > ratio) {
        p = positions[0];
        q = orientations[0];
    } else {
        std::size_t k = 1;
        while (k < keys && !(timeRatios[k] > ratio)) {
            ++k;
        }
        if (k == keys) {
            p = positions[keys - 1];
            q = orientations[keys - 1];
        } else {
            float s = (ratio - timeRatios[k - 1]) / (timeRatios[k] - timeRatios[k - 1]);
            p = positions[k - 1] + (positions[k] - positions[k - 1]) * s;
            q = Quaternion::slerp(orientations[k - 1], orientations[k], s);
        }
    }

    parentOrientation.applyRotation(p);
    p = p + parentPosition;
    q = Quaternion::grassman(q, parentOrientation);

    std::size_t count = std::min({objects.size(), anchors.size(), relativeOrientations.size()});
    for (std::size_t l = 0; l < count; ++l) {
        Vector3D offset = anchors[l];
        q.applyRotation(offset);
        objects[l]->position = p + offset;
        objects[l]->orientation = Quaternion::grassman(relativeOrientations[l], q);
    }
    for (ObjectGroup* child : children) {
        child->interpolate(ratio, p, q);
    }
}

void Sarn2016::ObjectGroup::toExtremity(bool end, Vector3D parentPosition,
                                        Quaternion parentOrientation) {
    interpolate(end ? 2.0f : -1.0f, parentPosition, parentOrientation);
}

void Sarn2016::Mechanism::toggleExtremity() {
    runningDirection = -runningDirection;
    for (ObjectGroup& group : objectGroups) {
        group.toExtremity(end, position, orientation);
    }
}
