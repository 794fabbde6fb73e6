#include "RaceTrack.h"

#include <cmath>
#include <cstdio>

#include "World.h"

namespace {

const int stepsPerSegment = 20;
const std::size_t maxVertices = 65535;

float widthAt(const std::vector<float>& widths, int segment, float t) {
    std::size_t n = widths.size();
    float from = widths[std::size_t(segment) % n];
    float to = widths[std::size_t(segment + 1) % n];
    return from - from * t + to * t;
}

// Moves the edge point along its line from the centre to the given xy distance.
void pullTo(Vector3D& edge, const Vector3D& centre, float width) {
    float dx = edge.x - centre.x;
    float dy = edge.y - centre.y;
    float length = std::sqrt(dx * dx + dy * dy);
    edge.x = centre.x + dx * width / length;
    edge.y = centre.y + dy * width / length;
}

float squaredDistanceXY(const Vector3D& a, const Vector3D& b) {
    return (a.x - b.x) * (a.x - b.x) + (a.y - b.y) * (a.y - b.y);
}

void addVertex(RibbonMesh& out, const Vector3D& p, float u, float v) {
    out.points.insert(out.points.end(), {p.x, p.y, p.z});
    out.colors.insert(out.colors.end(), {1.0f, 1.0f, 1.0f});
    out.texCoords.insert(out.texCoords.end(), {u, v});
}

void addTriangle(RibbonMesh& out, int a, int b, int c) {
    out.indices.insert(out.indices.end(),
                       {static_cast<unsigned short>(a), static_cast<unsigned short>(b),
                        static_cast<unsigned short>(c)});
}

} // namespace

bool buildRibbon(const Spline3D& spline, const std::vector<float>& leftWidths,
                 const std::vector<float>& rightWidths, RibbonMesh& out) {
    out = RibbonMesh();
    int n = static_cast<int>(spline.getNbPoints());
    if (n < 2 || leftWidths.empty() || rightWidths.empty())
        return false;
    std::size_t steps = std::size_t(n - 1) * stepsPerSegment - 1;
    if (2 * steps > maxVertices)
        return false;

    Vector3D prev = spline.interpolate(0, 0.0f);
    Vector3D a, b, prevA, prevB;
    int k = 0;
    std::size_t step = 0;
    for (int s = 0; s <= n - 2; ++s) {
        for (int j = s == 0 ? 1 : 0; j < stepsPerSegment; ++j, ++step) {
            float t = float(j) / float(stepsPerSegment);
            Vector3D cur = spline.interpolate(s, t);
            Vector3D d = cur - prev;
            a.z = b.z = prev.z;
            float plane = -Vector3D::dotProduct(d, prev);
            float wA = widthAt(leftWidths, s, t);
            float wB = widthAt(rightWidths, s, t);
            if (d.x == 0.0f) {
                if (cur.y > prev.y) {
                    a.x = prev.x - wA;
                    b.x = prev.x + wB;
                } else if (cur.y < prev.y) {
                    a.x = prev.x + wA;
                    b.x = prev.x - wB;
                }
                a.y = b.y = prev.y;
            } else {
                // Both edges on the plane through prev normal to the travel.
                float side = d.x > 0.0f ? 1.0f : -1.0f;
                a.y = prev.y + side;
                b.y = prev.y - side;
                a.x = (-d.y * a.y - d.z * a.z - plane) / d.x;
                b.x = (-d.y * b.y - d.z * b.z - plane) / d.x;
                pullTo(a, prev, wA);
                pullTo(b, prev, wB);
            }
            float v = j % 2 == 0 ? 1.0f : 0.0f;
            addVertex(out, b, 1.0f, v);
            addVertex(out, a, 0.0f, v);
            if (step + 1 < steps) {
                if (squaredDistanceXY(prevA, a) <= squaredDistanceXY(prevB, b)) {
                    addTriangle(out, k + 1, k, k + 3);
                    addTriangle(out, k, k + 2, k + 3);
                } else {
                    addTriangle(out, k + 1, k, k + 2);
                    addTriangle(out, k + 1, k + 2, k + 3);
                }
            }
            k += 2;
            prevA = a;
            prevB = b;
            prev = cur;
        }
    }
    return true;
}

RaceTrack::RaceTrack() {
    for (int i = 0; i < 6; ++i) {
        mSpline.addPoint(0.0f, 200.0f * float(i), -2.0f);
        mRollsList.push_back(0.2f);
        mLeftWidthsList.push_back(13.0f);
        mRightWidthsList.push_back(13.0f);
    }
}

void RaceTrack::render(World* world, Texture* texture) {
    if (!initialized) {
        initialized = true;
        RibbonMesh mesh;
        if (buildRibbon(mSpline, mLeftWidthsList, mRightWidthsList, mesh)) {
            o.m_vertices = mesh.points;
            o.m_colors = mesh.colors;
            o.m_texCoords = mesh.texCoords;
            o.m_indices = mesh.indices;
            o.genBuffers();
            oa.init(0.0f, 0.0f, 0.0f, &o, texture);
        } else {
            std::fprintf(stderr, "Race track not built: %u points, %zu and %zu widths\n",
                         mSpline.getNbPoints(), mLeftWidthsList.size(), mRightWidthsList.size());
            oa.init(0.0f, 0.0f, 0.0f, nullptr, texture);
        }
    }
    oa.render(world->getMVMat());
}
