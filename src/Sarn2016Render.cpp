// A frame of drawing: the camera, the scene under water, then the flat overlay.
#include <cmath>
#include <iostream>
#include <list>

#include "MathUtils/Matrix.h"
#include "Renderer/Renderer.h"
#include "Sarn2016.h"
#include "Sarn2016/Editor.h"
#include "Sarn2016Camera.h"

void Sarn2016::renderObject(ObjectApp* o, Texture* texture, Vector3D coords) {
    if (texture != nullptr) {
        texture->bind(0);
    }
    o->position() = coords;
    o->renderWithPreviousTexture(monde.getMVMat());
    o->position() = Vector3D(0.0f, 0.0f, 0.0f);
}

void Sarn2016::renderUnderwaterObject(ObjectApp* o, Texture* texture, Vector3D coords,
                                      float* refractionRotMat) {
    o->position() = coords;
    float model[16], turn[16];
    identity(model);
    mulMatSafe(model, refractionRotMat, model);
    o->translateMat(coords.x, coords.y, coords.z, model);
    identity(turn);
    quaternionToMatrix4x4(o->orientation(), turn);
    mulMatSafe(model, turn, model);
    o->scaleTo(o->scale().x, o->scale().y, o->scale().z, model);
    o->translateMat(-o->anchor.x, -o->anchor.y, -o->anchor.z, model);
    if (Shader::bound != nullptr) {
        Shader::bound->sendMatrix4x4("refractionModelMat", model);
    }
    renderObject(o, texture, coords);
}

// Places monde's camera behind the swimmer, or on the running path; forward
// is where the previous frame's camera looked.
static void placeCamera(Sarn2016& game, const Vector3D& forward) {
    Sarn2016::Swimmer& s = game.swimmer;
    Vector3D d = swimmerHeading(s.yaw, s.pitch);
    Vector3D u = swimmerHeading(s.yaw, s.pitch + 270.0f);
    game.oldDirection = forward;
    if (!game.oldSwimmerUpSet) {
        game.oldSwimmerUp = u;
        game.oldSwimmerUpSet = true;
    }
    d = cameraHeadingLag(game.oldDirection, d);
    Vector3D eye = cameraLaggedEye(game.previousPositions, game.temps, {s.position, u});
    u = cameraUpLag(game.oldSwimmerUp, u);

    eye = eye - d * 5.0f;
    Vector3D upOffset = u * 2.0f;
    Vector3D flat(forward.x, forward.y, 0.0f);
    flat.normalize();
    bool tilted = flat.x != forward.x || flat.y != forward.y || flat.z != forward.z;
    if (tilted && (std::isnan(upOffset.x) || std::isnan(upOffset.y) || std::isnan(upOffset.z))) {
        std::cout << "chelou3" << std::endl;
    }
    game.cameraPosition = eye + upOffset;
    Vector3D target = eye + d + upOffset;
    Vector3D up = u;
    game.oldDirection = d;

    if (game.currentCameraPath != nullptr) {
        cameraPathPose(*game.currentCameraPath, game.cameraPosition, target, up);
    }
    const Vector3D& c = game.cameraPosition;
    game.monde.lookAt(c.x, c.y, c.z, target.x, target.y, target.z, up.x, up.y, up.z);
    game.oldSwimmerUp = u;
}

void Sarn2016::render() {
    Renderer& r = Renderer::renderer;
    // Read before the reset below: the heading lag turns from this direction.
    Vector3D forward = monde.getForward();
    shader.bind();
    r.clear();
    monde.loadIdentityModelView();
    monde.loadIdentityProjection();
    monde.perspectiveProjection(90.0f, screenWidth / screenHeight, 0.2f, 1000.0f);
    placeCamera(*this, forward);

    r.enableDepthMask(true);
    underwaterShader.bind();
    underwaterRefractionTextures[refractionFrame(refractionIndex)].bind(1);
    Vector3D light(0.5f, 1.0f, -2.0f);
    light.normalize();
    underwaterShader.sendVector3D("lightDirection", light);
    underwaterShader.sendMatrix4x4("projMat", monde.getProjMat());
    float refractionRotMat[16];
    identity(refractionRotMat);
    quaternionToMatrix4x4(Quaternion::fromTo(light, Vector3D(0.0f, 0.0f, -1.0f)), refractionRotMat);

    renderUnderwaterObject(&mTile, mTile.getTexture(), mTile.position(), refractionRotMat);
    mTile.position() = Vector3D(0.0f, 0.0f, -20.0f);

    mMapWall.setAnchor(0.0f, 0.0f, 0.0f);
    mMapWall.setScale(1.0f, 1.0f, 1.0f);
    mMapWall.setObject3D(&mapBorderBottomMesh);
    renderUnderwaterObject(&mMapWall, mMapWall.getTexture(), Vector3D(0.0f, 0.0f, 0.0f),
                           refractionRotMat);
    Shader& topStrip = cameraPosition.z <= 1.0f ? underwaterShader : shader;
    topStrip.bind();
    topStrip.sendMatrix4x4("projMat", monde.getProjMat());
    mMapWall.setObject3D(&mapBorderTopMesh);
    renderObject(&mMapWall, &texCliff, Vector3D(0.0f, 0.0f, 0.0f));

    underwaterShader.bind();
    underwaterShader.sendMatrix4x4("projMat", monde.getProjMat());
    Room& room = *currentRoom;
    std::list<Sarn2016Displayable*> statics;
    for (unsigned int i = 0; i < room.staticObjectCount; ++i) {
        statics.push_front(&room.staticObjects[i]);
    }
    for (unsigned int i = 0; i < room.collectibleCount; ++i) {
        if (room.collectibles[i].collected) {
            statics.remove(room.collectibles[i].displayable);
        }
    }
    for (Sarn2016Displayable* d : statics) {
        if (d->object == nullptr) {
            continue;
        }
        d->object->setOrientation(d->orientation());
        renderUnderwaterObject(d->object, d->texture, d->position(), refractionRotMat);
    }

    Vector3D bob = swimmer.position;
    bob.z += std::cos(swimmer.flotationTime) / 3.0f;
    renderUnderwaterObject(&swimmer.model, swimmer.model.getTexture(), bob, refractionRotMat);
    swimmer.model.position() = bob;
    refractionIndex = nextRefractionIndex(refractionIndex);

    seaweedShader.bind();
    seaweedShader.sendMatrix4x4("projMat", monde.getProjMat());
    for (const Seaweed& tree : room.trees) {
        seaweedShader.sendVector3D("offset", tree.startTime);
        treeModel.addPitch(tree.yawPitch.y);
        treeModel.addRoll(tree.yawPitch.x);
        renderObject(&treeModel, treeModel.getTexture(), tree.position);
    }

    if (cameraPosition.z > 1.0f || (cameraPosition.z < 0.0f && cameraPosition.y < 0.0f)) {
        waterShader.bind();
        waterShader.sendMatrix4x4("projMat", monde.getProjMat());
        mWater.x() = room.left;
        mWater.y() = room.bottom;
        mWater.setScale((room.right - room.left) / 2.0f, (room.top - room.bottom) / 2.0f, 10.0f);
        mWater.render(monde.getMVMat());
    }

    r.enableDepthMask(false);
    r.enableDepthTest(false);
    if (room.transiting || room.entryTransition) {
        roomTransitionShader.bind();
        float ratio = room.transitingTime / roomTransitingTime;
        roomTransitionShader.sendFloat("ratio", room.transiting ? ratio : 1.0f - ratio);
        roomTransitionShader.sendMatrix4x4("projMat", GUI.getProjMat());
        mScreenQuad.x() = -16.5f;
        mScreenQuad.y() = -12.0f;
        mScreenQuad.setScale(40.0f, 30.0f, 1.0f);
        mScreenQuad.render(GUI.getMVMat());
    }
    if (tutoTime < tutoTotalTime) {
        roomTransitionShader.bind();
        roomTransitionShader.sendMatrix4x4("projMat", GUI.getProjMat());
        float ratio = tutoTime >= tutoTotalTime - 2.0f ? (tutoTotalTime - tutoTime) / 2.0f : 1.0f;
        roomTransitionShader.sendFloat("ratio", ratio);
        guiSwimmingControls.x() = 6.0f;
        guiSwimmingControls.y() = 2.0f;
        guiSwimmingControls.setScale(8.0f, 2.0f, 1.0f);
        guiSwimmingControls.render(GUI.getMVMat());
    }

    shader.bind();
    shader.sendMatrix4x4("projMat", GUI.getProjMat());
    for (unsigned int i = 0; i < room.leverCount; ++i) {
        const Mechanism& m = room.levers[i].mechanism;
        if (!m.running &&
            room.levers[i].interactionArea.containsPoint(swimmer.position - m.position)) {
            guiCtrl.x() = 3.0f;
            guiCtrl.y() = 2.0f;
            guiCtrl.render(GUI.getMVMat());
        }
    }
    struct KeySprite {
        bool held;
        ObjectApp* sprite;
        float y;
    };
    const KeySprite keys[] = {{swimmer.hasRedKey, &mRedKeySprite, 8.0f},
                              {swimmer.hasGreenKey, &mGreenKeySprite, 6.0f},
                              {swimmer.hasBlueKey, &mBlueKeySprite, 4.0f},
                              {swimmer.hasGoldKey, &mGoldKeySprite, 2.0f}};
    for (const KeySprite& key : keys) {
        if (key.held) {
            key.sprite->x() = 2.0f;
            key.sprite->y() = key.y;
            key.sprite->render(GUI.getMVMat());
        }
    }

    r.enableDepthMask(true);
    r.enableDepthTest(true);
    if (editor != nullptr) {
        editor->render(monde);
    }
}
