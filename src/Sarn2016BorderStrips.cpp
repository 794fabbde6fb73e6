#include "Sarn2016BorderStrips.h"

#include "LevelRandom.h"

namespace {

// rand() mod m, plus shift, in hundredths.
float ragged(int m, int shift) {
    return static_cast<float>(levelRandom() % m + shift) / 100.0f;
}

// The positions along one side: from `from` towards `to` in fifths of the
// extent, each one step further; none for an empty or reversed side, and never
// more than maxPairs (a step lost to rounding cannot loop for ever).
std::vector<float> sideStops(float from, float to, bool ascending, unsigned int maxPairs) {
    std::vector<float> stops;
    float step = (to - from) / 5.0f;
    for (float i = from; stops.size() < maxPairs && (ascending ? to > i : i > to); i += step) {
        stops.push_back(i + step);
    }
    return stops;
}

struct Side {
    float from, to;
    bool ascending;
};

// The sides in walking order: left edge up, top edge right, right edge down,
// bottom edge left.
void sidesOf(float left, float right, float bottom, float top, Side sides[4]) {
    sides[0] = {bottom, top, true};
    sides[1] = {left, right, true};
    sides[2] = {top, bottom, false};
    sides[3] = {right, left, false};
}

// The pair of one stop p on one side; rebuild: the rebuilt form of the top strip.
void pairAt(BorderStripKind kind, bool rebuild, int side, float p, float left, float right,
            float bottom, float top, Vector3D& base, Vector3D& upper) {
    if (kind == borderBottomStrip) {
        switch (side) {
        case 0:
            base = Vector3D(0.0f, p, -20.0f);
            break;
        case 1:
            base = Vector3D(p, top, -20.0f);
            break;
        case 2:
            base = Vector3D(right, p, -20.0f);
            break;
        default:
            base = Vector3D(p, bottom, -20.0f);
            break;
        }
        upper = Vector3D(base.x, base.y, 0.0f);
        return;
    }
    switch (side) {
    case 0:
        base = Vector3D(rebuild ? left : left + ragged(600, 0), p, 0.0f);
        upper = Vector3D(left + ragged(5000, 0), p, 20.0f);
        break;
    case 1:
        base = Vector3D(p, rebuild ? top : top + ragged(100, -100), 0.0f);
        upper = Vector3D(p, top + ragged(5000, -2500), 20.0f);
        break;
    case 2:
        base = Vector3D(rebuild ? right : right + ragged(600, -600), p, 0.0f);
        upper = Vector3D(right + ragged(5000, -5000), p, 20.0f);
        break;
    default:
        base = Vector3D(p, bottom + ragged(100, -100), 0.0f);
        upper = Vector3D(p, bottom + ragged(5000, 0), 20.0f);
        break;
    }
}

void originPair(BorderStripKind kind, Vector3D& base, Vector3D& upper) {
    float z = kind == borderTopStrip ? 0.0f : -20.0f;
    base = Vector3D(0.0f, 0.0f, z);
    upper = Vector3D(0.0f, 0.0f, z + 20.0f);
}

} // namespace

void borderStripFirstBuild(BorderStripKind kind, float left, float right, float bottom, float top,
                           std::vector<Vector3D>& positions, unsigned int sidePairs[4]) {
    positions.assign(2, Vector3D());
    originPair(kind, positions[0], positions[1]);
    Side sides[4];
    sidesOf(left, right, bottom, top, sides);
    for (int side = 0; side < 4; ++side) {
        std::vector<float> stops =
            sideStops(sides[side].from, sides[side].to, sides[side].ascending, borderSideMaxPairs);
        sidePairs[side] = static_cast<unsigned int>(stops.size());
        for (float p : stops) {
            Vector3D base, upper;
            pairAt(kind, false, side, p, left, right, bottom, top, base, upper);
            positions.push_back(base);
            positions.push_back(upper);
        }
    }
}

void borderStripRebuild(BorderStripKind kind, float left, float right, float bottom, float top,
                        const unsigned int sidePairs[4], std::vector<Vector3D>& positions) {
    if (positions.size() < 2) {
        return;
    }
    originPair(kind, positions[0], positions[1]);
    Side sides[4];
    sidesOf(left, right, bottom, top, sides);
    std::size_t next = 2;
    for (int side = 0; side < 3; ++side) {
        std::vector<float> stops =
            sideStops(sides[side].from, sides[side].to, sides[side].ascending, sidePairs[side]);
        for (float p : stops) {
            if (next + 1 >= positions.size()) {
                return;
            }
            pairAt(kind, true, side, p, left, right, bottom, top, positions[next],
                   positions[next + 1]);
            next += 2;
        }
    }
}
