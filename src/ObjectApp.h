#pragma once

#include "MathUtils/Quaternion.h"
#include "MathUtils/Vector3D.h"
#include "Transform.h"

class Object3D;
class Texture;

// A mesh placed in the world: non-owning mesh and texture pointers, a transform
// and an anchor (the model point that lands on the position). The orientation
// holds for the next draw only: every draw sets it back to the identity.
class ObjectApp {
public:
    ObjectApp() = default;
    ObjectApp(float x, float y, float z, Object3D* modele, Texture* texture);

    // Position and the two pointers; scale, orientation and anchor stay.
    void init(float px, float py, float pz, Object3D* pmodele, Texture* ptexture);
    void setObject3D(Object3D* objet) { modele = objet; }
    Object3D* getObject3D() { return modele; }
    void setTexture(Texture* t) { texture = t; }
    Texture* getTexture() { return texture; }
    void setAnchor(float x, float y, float z) { anchor = Vector3D(x, y, z); }
    const Vector3D& getAnchor() { return anchor; }
    void setScale(float x, float y, float z) { transform.scale = Vector3D(x, y, z); }
    Vector3D& scale() { return transform.scale; }
    float& x() { return transform.position.x; }
    float& y() { return transform.position.y; }
    float& z() { return transform.position.z; }
    Vector3D& position() { return transform.position; }
    Quaternion& orientation() { return transform.orientation; }
    void setOrientation(const Quaternion& q) { transform.orientation = q; }

    // Turns in degrees about z, x and y, in the object's own frame, after the
    // turns given before them: orientation = orientation (x) delta.
    void addYaw(float yaw);
    void addPitch(float pitch);
    void addRoll(float roll);

    // Draw with model matrix T(position) x R x S x T(-anchor) and model-view
    // matrix worldMVMat x model. Without a mesh nothing is drawn; without a
    // texture none is bound.
    void render(float* worldMVMat);
    void renderWithPreviousTexture(float* worldMVMat);
    void renderWithPreviousTextureAndPreviousModel(float* worldMVMat);

    // mvMat = mvMat x M on any caller's matrix; angles in radians except
    // rotationDegres. The object's own state is not read.
    void translateMat(float trX, float trY, float trZ, float* mvMat);
    void rotX(float angle, float* mvMat);
    void rotY(float angle, float* mvMat);
    void rotZ(float angle, float* mvMat);
    void scaleTo(float x, float y, float z, float* mvMat);
    void rotation(float angle, float rx, float ry, float rz, float* mvMat);
    void rotationDegres(float angle, float rx, float ry, float rz, float* mvMat);

    Object3D* modele = nullptr;
    Texture* texture = nullptr;
    Transform transform;
    Vector3D anchor;

private:
    enum DrawKind { ownTexture, previousTexture, previousTextureAndModel };
    void draw(float* worldMVMat, DrawKind kind);
    // Composes a turn by angle degrees about a unit axis.
    void addTurn(float angle, float ax, float ay, float az);
};
