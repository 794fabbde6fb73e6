#include "ObjectText.h"

#include <cmath>
#include <cstring>

#include "MathUtils/Matrix.h"
#include "Texture.h"
#include "World.h"

namespace {

const float cell = 0.0625f; // one of 16 glyph columns or rows

struct GlyphCell {
    float u0, vB, vT;
};

// Codes 0 to 127 use rows 0 to 7, row 0 at the top (v = 1) of the atlas.
GlyphCell glyphCell(char c) {
    int code = static_cast<signed char>(c);
    int column = code % 16, row = code / 16;
    float top = 1.0f - float(row) * cell;
    return GlyphCell{float(column) * cell, top - cell, top};
}

} // namespace

ObjectText::ObjectText(const char* text, float x, float y, float z, unsigned int size, float r,
                       float g, float b, Texture* texture, World* world) {
    build(text, x, y, z, size, r, g, b, texture, world);
}

void ObjectText::build(const char* text, float px, float py, float pz, unsigned int size, float pr,
                       float pg, float pb, Texture* ptexture, World* world) {
    x = px;
    y = py;
    z = pz;
    taille = size;
    r = pr;
    g = pg;
    b = pb;
    texture = ptexture;
    monde = world;
    yaw = pitch = roll = 0.0f;
    chaine = text;
    unsigned int length = text ? unsigned(std::strlen(text)) : 0;
    for (unsigned int i = 0; i < length; ++i)
        addChar(i, text[i]);
    longueur = length;
}

void ObjectText::addChar(unsigned int i, char c) {
    GlyphCell glyph = glyphCell(c);
    float left = float(taille * i), right = float(taille * (i + 1)), top = float(taille);
    unsigned int first = 4 * i;
    modele.addPoint(left, 0.0f, 0.0f);
    modele.addPoint(left, top, 0.0f);
    modele.addPoint(right, 0.0f, 0.0f);
    modele.addPoint(right, top, 0.0f);
    modele.addTexCoords(glyph.u0, glyph.vB);
    modele.addTexCoords(glyph.u0, glyph.vT);
    modele.addTexCoords(glyph.u0 + cell, glyph.vB);
    modele.addTexCoords(glyph.u0 + cell, glyph.vT);
    for (int k = 0; k < 4; ++k)
        modele.addColor(r, g, b);
    modele.addIndice(int(first), int(first + 2), int(first + 1));
    modele.addIndice(int(first + 1), int(first + 2), int(first + 3));
}

void ObjectText::addChar(char c) {
    addChar(longueur, c);
    ++longueur;
}

void ObjectText::setChar(unsigned int i, char c) {
    GlyphCell glyph = glyphCell(c);
    int first = int(4 * i);
    modele.setTexCoords(first, glyph.u0, glyph.vB);
    modele.setTexCoords(first + 1, glyph.u0, glyph.vT);
    modele.setTexCoords(first + 2, glyph.u0 + cell, glyph.vB);
    modele.setTexCoords(first + 3, glyph.u0 + cell, glyph.vT);
}

void ObjectText::majChaine(const char* text) {
    majChaine(0, text);
}

void ObjectText::majChaine(unsigned int from, const char* text) {
    chaine = text;
    if (!text)
        return;
    // Past the end, the new quads follow the existing ones: every index names
    // an existing quad.
    if (from > longueur)
        from = longueur;
    unsigned int k = 0;
    for (; text[k] != '\0' && from + k < longueur; ++k)
        setChar(from + k, text[k]);
    for (; text[k] != '\0'; ++k)
        addChar(from + k, text[k]);
    unsigned int end = from + k;
    if (end > longueur)
        longueur = end;
    else
        modele.setSizes(12 * end, 12 * end, 6 * end, 8 * end);
}

void ObjectText::setColor(float pr, float pg, float pb) {
    r = pr;
    g = pg;
    b = pb;
    unsigned int vertices = modele.getColorsNB() / 3;
    for (unsigned int i = 0; i < vertices; ++i)
        modele.setColor(int(i), r, g, b);
}

void ObjectText::render() {
    if (monde) {
        setMVMatrix(monde->mvMat);
        translateMat(x, y, z);
        rotZ(yaw * 0.017453292f);
        mulMat(monde->projMat, mvMat);
    }
    if (texture)
        texture->bind(0);
}

void ObjectText::loadIdentity() {
    identity(mvMat);
}

void ObjectText::setMVMatrix(float* m) {
    std::memcpy(mvMat, m, sizeof mvMat);
}

void ObjectText::mulMat(float* a, float* b) {
    mulMatSafe(a, b, mvMat);
}

void ObjectText::translateMat(float tx, float ty, float tz) {
    translatef(mvMat, tx, ty, tz);
}

void ObjectText::rotX(float angle) {
    postMultiplyAxisTurn(mvMat, 0, cosf(angle), sinf(angle));
}

void ObjectText::rotY(float angle) {
    postMultiplyAxisTurn(mvMat, 1, cosf(angle), sinf(angle));
}

void ObjectText::rotZ(float angle) {
    postMultiplyAxisTurn(mvMat, 2, cosf(angle), sinf(angle));
}

void ObjectText::rotation(float angle, float ax, float ay, float az) {
    postMultiplyRotation(mvMat, angle, ax, ay, az);
}

void ObjectText::rotationDegres(float angle, float ax, float ay, float az) {
    rotation(angle * 0.017453292f, ax, ay, az);
}
