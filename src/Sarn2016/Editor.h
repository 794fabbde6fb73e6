#pragma once

#include "Object3D.h"
#include "ObjectApp.h"
#include "Renderer/Shader.h"
#include "Sarn2016.h"
#include "Texture.h"
#include "Transform.h"
#include "World.h"

// Picks the static objects of the current room with the mouse and moves them
// by four handles (free at the object's depth, or along x, y or z). Positions
// change in memory only. Sources: Editor.cpp (assets, frame, drawing),
// EditorDrag.cpp (the ray and the drag maths, no drawing).
class Editor {
public:
    typedef void (*onPickFunc)();
    typedef void (*onDragFunc)(Vector3D& cameraPosition, Sarn2016::Sarn2016Displayable* object,
                               Vector3D& ray, World& world, const Transform& offset);

    struct Dragger {
        onPickFunc onPick = nullptr;
        onDragFunc onDrag = nullptr;
        Sarn2016::Sarn2016Displayable displayable;
        Vector3D offset; // from the selected object
        float color[4] = {1.0f, 1.0f, 1.0f, 1.0f};
    };

    enum DraggerTypes {
        DraggerAll = 0,
        DraggerZ = 1,
        DraggerY = 2,
        DraggerX = 3,
        DraggerCount = 4
    };

    explicit Editor(World* world);
    Editor(const Editor&) = delete;
    Editor& operator=(const Editor&) = delete;

    // One frame of mouse handling from inputManager's snapshot. Nothing happens
    // until the owner has given a screen size.
    void update(World& world, Vector3D& cameraPosition, Sarn2016::Room* room);
    // The selected object's handles, over everything drawn before.
    void render(World& world);
    // Forgets the selection, the hovered object and a drag under way: they
    // point into a room that is no longer shown, or was reloaded.
    void dropSelection();

    Dragger* currentDrag = nullptr;
    Sarn2016::Sarn2016Displayable* selectedObject = nullptr;
    Sarn2016::Sarn2016Displayable* hoveredObject = nullptr;
    Dragger draggers[DraggerCount];
    ObjectApp selectorModel;
    ObjectApp translatorModel;
    Shader colorShader;
    Object3D selectorObject3D;
    Texture texSelector;
    float screenWidth = 0.0f, screenHeight = 0.0f;
    bool mouseLeft = false;
    Transform offset; // grab offset: only the position is used

private:
    // The mouse ray of this frame, as the handle being dragged takes it.
    bool mouseRay(const World& world, Vector3D& ray, Vector3D& viewRay) const;
    void placeHandles();
    void press(Vector3D& cameraPosition, Vector3D& ray, World& world, Sarn2016::Room* room);
};

// The world-space ray (normalised) through mouse pixel (mx, my), y counted up
// from the bottom edge, and the view-space ray it came from. zDrag drops the
// view ray's x, so that a z drag follows the mouse's height only. False when
// the screen has no size.
bool editorMouseRay(const World& world, float mx, float my, float screenWidth, float screenHeight,
                    bool zDrag, Vector3D& ray, Vector3D& viewRay);

// Each moves object for the ray from cameraPosition; a ray parallel to the
// plane it must meet moves nothing.
void dragAnywhere(Vector3D& cameraPosition, Sarn2016::Sarn2016Displayable* object, Vector3D& ray,
                  World& world, const Transform& offset);
void dragZ(Vector3D& cameraPosition, Sarn2016::Sarn2016Displayable* object, Vector3D& ray,
           World& world, const Transform& offset);
void dragY(Vector3D& cameraPosition, Sarn2016::Sarn2016Displayable* object, Vector3D& ray,
           World& world, const Transform& offset);
void dragX(Vector3D& cameraPosition, Sarn2016::Sarn2016Displayable* object, Vector3D& ray,
           World& world, const Transform& offset);
