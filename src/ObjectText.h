#pragma once

#include "Object3D.h"

class Texture;
class World;

// A line of text as one textured quad per character, cut from a glyph atlas of
// 16 x 16 cells. The quads stay in memory: render places the text and binds the
// atlas but draws nothing.
class ObjectText {
public:
    ObjectText() = default;
    ObjectText(const char* text, float x, float y, float z, unsigned int size, float r, float g,
               float b, Texture* texture, World* world);
    // Owns its mesh: a copy would share its buffers.
    ObjectText(const ObjectText&) = delete;
    ObjectText& operator=(const ObjectText&) = delete;

    // Stores the arguments and appends one quad per character; for an empty text.
    void build(const char* text, float x, float y, float z, unsigned int size, float r, float g,
               float b, Texture* texture, World* world);
    // Appends the quad of c at position i, whatever the current count.
    void addChar(unsigned int i, char c);
    // Appends c after the last character.
    void addChar(char c);
    // Gives the quad at position i the glyph of c; geometry and colour stay.
    void setChar(unsigned int i, char c);
    // Rewrites the text from position from (clamped to the length), appending
    // quads past the end; a shorter text keeps the trailing quads.
    void majChaine(const char* text);
    void majChaine(unsigned int from, const char* text);
    // Recolours every quad.
    void setColor(float r, float g, float b);

    // mvMat = projection x view of monde x T(x, y, z) x Rz(yaw); binds the atlas.
    void render();
    void loadIdentity();
    void setMVMatrix(float* m);
    // mvMat = a x b; either may be mvMat.
    void mulMat(float* a, float* b);
    // mvMat = mvMat x M; angles in radians except rotationDegres.
    void translateMat(float x, float y, float z);
    void rotX(float angle);
    void rotY(float angle);
    void rotZ(float angle);
    void rotation(float angle, float x, float y, float z);
    void rotationDegres(float angle, float x, float y, float z);

    World* getWorld() { return monde; }
    void setYaw(float v) { yaw = v; }
    float getYaw() { return yaw; }
    void setPitch(float v) { pitch = v; }
    float getPitch() { return pitch; }
    void setRoll(float v) { roll = v; }
    float getRoll() { return roll; }

    float x = 0.0f;
    float y = 0.0f;
    float z = 0.0f;
    float mvMat[16] = {};
    Object3D modele;
    Texture* texture = nullptr;
    float r = 0.0f;
    float g = 0.0f;
    float b = 0.0f;
    World* monde = nullptr;
    float yaw = 0.0f;
    float pitch = 0.0f;
    float roll = 0.0f;
    const char* chaine = nullptr; // the caller's text, not read after majChaine
    unsigned int longueur = 0;    // number of character quads
    unsigned int taille = 0;      // each quad is taille x taille units
};
