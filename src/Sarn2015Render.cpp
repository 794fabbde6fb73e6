#include "Sarn2015.h"

#include <algorithm>
#include <cmath>

#include "MathUtils/Matrix.h"
#include "Sarn2015Bend.h"

namespace {

// A flat radius of 0 would put the eye on the point it looks at; a hair's
// breadth keeps the view looking where the orbit angles say.
const float smallestOrbitRadius = 1e-6f;
// Half the tile grid: tiles stand on whole coordinates from -40 to 39.
const int gridHalf = 40;

Vector3D lightDirection() {
    Vector3D light(-1, 1, -2);
    light.normalize();
    return light;
}

} // namespace

void Sarn2015::render() {
    Renderer::renderer.clear();
    monde.loadIdentityModelView();
    shader.bind();
    Shader::bound->sendVector3D("lightDirection", lightDirection());

    monde.loadIdentityProjection();
    if (projMode)
        monde.perspectiveProjection(40, screenWidth / screenHeight, 1, 1000);
    else
        monde.orthographicProjection(-26, 26, -ySpan, ySpan, 1, 1000);

    float orbit = std::max(terrainRay, smallestOrbitRadius) * 3.0f;
    screen = Vector3D(std::sin(angleScreen.x) * orbit, -std::cos(angleScreen.x) * orbit,
                      -std::sin(angleScreen.y) * orbit);
    monde.lookAt(screen.x, screen.y, screen.z, 0, 0, 0, 0, 0, 10);

    Renderer::renderer.enableDepthMask(false);
    mBackground.render(monde.getMVMat());
    Renderer::renderer.enableDepthMask(true);

    float r = terrainRay + 15.0f;
    mapShader.bind();
    Shader::bound->sendVector3D("lightDirection", lightDirection());
    Shader::bound->sendMatrix4x4("projMat", monde.getProjMat());
    Shader::bound->sendFloat("terrainRay", terrainRay);
    for (int i = -gridHalf; i < gridHalf; ++i) {
        for (int j = -gridHalf; j < gridHalf; ++j) {
            float x = float(i) - pos.x;
            float y = float(j) - pos.y;
            if (x * x + y * y < r * r) {
                mTile.x() = x;
                mTile.y() = y;
                Shader::bound->sendVector2D("pos", Vector2D(x, y));
                mTile.render(monde.getMVMat());
            }
        }
    }
    mTile.x() = 0.0f;
    mTile.y() = 0.0f;

    shader.bind();
    Shader::bound->sendMatrix4x4("projMat", monde.getProjMat());
    if (gameStarted) {
        mTruckSprite.render(monde.getMVMat());
        mBarSprite.render(monde.getMVMat());
    }
    treeModel.getTexture()->bind(0);
    drawProps(treeModel, trees, Sarn2015Layout::treeCount, r);
    wallModel.getTexture()->bind(0);
    drawProps(wallModel, walls, Sarn2015Layout::wallsDrawn, r);
    drawProps(tallWallModel, tallWalls, Sarn2015Layout::tallWallCount, r);
    woodModel.getTexture()->bind(0);
    drawProps(woodModel, woods, Sarn2015Layout::woodCount, r);
    drawProps(floorWoodModel, floorWoods, Sarn2015Layout::floorWoodCount, r);
}

void Sarn2015::drawProps(FlatObject& model, const Car* placements, int count, float maxRay) {
    for (int i = 0; i < count; ++i)
        renderObject(&model, placements[i], maxRay);
}

void Sarn2015::renderObject(FlatObject* model, Car c, float maxRay) {
    float x = c.x - pos.x;
    float y = c.y - pos.y;
    model->position() = Vector3D(x, y, c.z);
    float modelMat[16];
    PropBend bend =
        bendProp(x, y, c.z, terrainRay, maxRay, model->getAnchorX(), model->getAnchorY(), modelMat);
    if (bend == PropBend::flat) {
        model->renderWithPreviousTexture(monde.getMVMat());
    } else if (bend == PropBend::bent && model->getObject3D()) {
        float mvMat[16];
        mulMatSafe(monde.getMVMat(), modelMat, mvMat);
        model->getObject3D()->render(modelMat, mvMat);
    }
    model->position() = Vector3D(0, 0, 0);
}
