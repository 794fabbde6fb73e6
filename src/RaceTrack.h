#pragma once

#include <vector>

#include "Object3D.h"
#include "ObjectApp.h"
#include "Spline3D.h"

class Texture;
class World;

// The ribbon's arrays as Object3D takes them: x, y, z and r, g, b per vertex,
// u, v per vertex, three 16-bit indices per triangle.
struct RibbonMesh {
    std::vector<float> points;
    std::vector<float> colors;
    std::vector<float> texCoords;
    std::vector<unsigned short> indices;
};

// Samples the closed spline 20 times per segment (segments 0 to n-2) and puts
// a left and a right edge point beside each sample at the widths given per
// point, joining consecutive pairs into quads. False, with out left empty,
// for fewer than 2 points, no widths, or more vertices than 16-bit indices
// can name.
bool buildRibbon(const Spline3D& spline, const std::vector<float>& leftWidths,
                 const std::vector<float>& rightWidths, RibbonMesh& out);

// A textured road ribbon along a closed spline, built and uploaded on the
// first render and drawn as one placed object from then on.
class RaceTrack {
public:
    // A straight road 26 units wide from y = 0 to y = 1000.
    RaceTrack();

    // The first call builds the ribbon with texture (later calls ignore
    // theirs); every call draws it with world's model-view matrix.
    void render(World* world, Texture* texture);
    const Spline3D& getSpline() const { return mSpline; }

    // The placed ribbon: its owner may move it.
    ObjectApp oa;
    Spline3D mSpline;
    // Its GPU buffers go with it.
    Object3D o;
    bool initialized = false;
    std::vector<float> mRollsList;
    std::vector<float> mLeftWidthsList;
    std::vector<float> mRightWidthsList;
};
