// The placement editor: its handles' assets, the frame's mouse handling and
// the handles' drawing.
#include "Sarn2016/Editor.h"

#include <iostream>

#include "Input/PC/InputManager.h"
#include "Renderer/Renderer.h"

Editor::Editor(World*) {
    struct Handle {
        Vector3D offset;
        float color[4];
        onDragFunc drag;
        ObjectApp* model;
    } const handles[DraggerCount] = {
        {Vector3D(0.0f, 0.0f, 0.0f), {1.0f, 0.0f, 1.0f, 1.0f}, dragAnywhere, &selectorModel},
        {Vector3D(0.0f, 0.0f, 1.0f), {0.0f, 1.0f, 0.0f, 1.0f}, dragZ, &translatorModel},
        {Vector3D(0.0f, 1.0f, 0.0f), {0.0f, 0.0f, 1.0f, 1.0f}, dragY, &translatorModel},
        {Vector3D(1.0f, 0.0f, 0.0f), {1.0f, 0.0f, 0.0f, 1.0f}, dragX, &translatorModel},
    };
    for (int i = 0; i < DraggerCount; ++i) {
        draggers[i].offset = handles[i].offset;
        for (int k = 0; k < 4; ++k)
            draggers[i].color[k] = handles[i].color[k];
        draggers[i].onDrag = handles[i].drag;
        draggers[i].displayable.texture = &texSelector;
        draggers[i].displayable.object = handles[i].model;
    }

    selectorObject3D.load("data/meshes/display/wall.json");
    selectorObject3D.genBuffers();
    texSelector.load("data/wall.bmp");
    texSelector.loadToGPU();
    texSelector.deletePixels();
    texSelector.setWrapMode(Texture::repeat);
    texSelector.smooth(false);

    selectorModel.init(0, 0, 0, &selectorObject3D, &texSelector);
    selectorModel.setAnchor(0.5f, 0.5f, 0.0f);
    selectorModel.setScale(0.5f, 0.5f, 0.5f);
    translatorModel.init(0, 0, 0, &selectorObject3D, &texSelector);
    translatorModel.setAnchor(0.5f, 0.5f, 0.0f);
    translatorModel.setScale(0.25f, 0.25f, 0.25f);

    Shader::UniformLayout uniforms[] = {{"mvMat", 0, 16}, {"projMat", 0, 16}, {"color", 0, 4}};
    colorShader.load("data/shaders/color");
    colorShader.setInput(Renderer::VERTEX_INPUT_POSITION3_UV2_COLOR3_NORMAL3, uniforms, 3);
    colorShader.compile();
}

void Editor::placeHandles() {
    for (Dragger& d : draggers) {
        const Vector3D& p = selectedObject->position();
        d.displayable.position() = Vector3D(p.x + d.offset.x, p.y + d.offset.y, p.z + d.offset.z);
    }
}

void Editor::dropSelection() {
    currentDrag = nullptr;
    selectedObject = nullptr;
    hoveredObject = nullptr;
}

bool Editor::mouseRay(const World& world, Vector3D& ray, Vector3D& viewRay) const {
    const Vector2D& mouse = inputManager.mousePosition();
    return editorMouseRay(world, mouse.x, mouse.y, screenWidth, screenHeight,
                          currentDrag == &draggers[DraggerZ], ray, viewRay);
}

void Editor::update(World& world, Vector3D& cameraPosition, Sarn2016::Room* room) {
    if (!inputManager.mouseLeft()) {
        if (mouseLeft) {
            selectedObject = hoveredObject;
            if (selectedObject)
                placeHandles();
            currentDrag = nullptr;
            mouseLeft = false;
        }
        return;
    }
    Vector3D ray, viewRay;
    if (!mouseRay(world, ray, viewRay))
        return;
    Vector3D forward = world.getForward();
    std::cout << "Forward: " << forward.x << " " << forward.y << " " << forward.z << "\n"
              << "Ray: " << ray.x << " " << ray.y << " " << ray.z << "\n"
              << "View Ray: " << viewRay.x << " " << viewRay.y << " " << viewRay.z << std::endl;

    if (currentDrag) {
        currentDrag->onDrag(cameraPosition, selectedObject, ray, world, offset);
        placeHandles();
    } else {
        press(cameraPosition, ray, world, room);
    }
    mouseLeft = true;
}

// Not dragging: the nearest handle of the selection, else the nearest static
// object, becomes the hovered one; a handle hit on the press frame starts a drag.
void Editor::press(Vector3D& cameraPosition, Vector3D& ray, World& world, Sarn2016::Room* room) {
    float best = 10000000.0f;
    float distance;
    hoveredObject = nullptr;
    if (selectedObject) {
        for (Dragger& d : draggers) {
            ObjectApp* model = d.displayable.object;
            if (model->modele->rayThroughMesh(cameraPosition, ray, d.displayable.position(),
                                              model->scale(), d.displayable.orientation(),
                                              &distance) &&
                distance < best) {
                hoveredObject = selectedObject;
                best = distance;
                if (!mouseLeft)
                    currentDrag = &d;
            }
        }
        if (hoveredObject && !mouseLeft) {
            // The point under the cursor against the object: the object does
            // not jump to the cursor when the drag starts. Taken with the ray
            // the drag's frames will use (a z drag drops its x), or holding
            // the mouse still would move the object by their difference.
            Vector3D dragRay, viewRay;
            mouseRay(world, dragRay, viewRay);
            Sarn2016::Sarn2016Displayable scratch;
            scratch.transform.position = selectedObject->position();
            scratch.transform.orientation = selectedObject->orientation();
            offset.position = Vector3D(0.0f, 0.0f, 0.0f);
            currentDrag->onDrag(cameraPosition, &scratch, dragRay, world, offset);
            const Vector3D& p = selectedObject->position();
            const Vector3D& q = scratch.position();
            offset.position = Vector3D(p.x - q.x, p.y - q.y, p.z - q.z);
        }
    }
    if (hoveredObject || !room)
        return;
    best = 10000000.0f;
    for (unsigned int i = 0; i < room->staticObjectCount; ++i) {
        Sarn2016::Sarn2016Displayable& object = room->staticObjects[i];
        if (!object.object || !object.object->modele)
            continue;
        if (object.object->modele->rayThroughMesh(cameraPosition, ray, object.position(),
                                                  object.object->scale(), object.orientation(),
                                                  &distance) &&
            distance < best) {
            best = distance;
            hoveredObject = &object;
            std::cout << "Intersection" << std::endl;
        }
    }
}

void Editor::render(World& world) {
    Renderer::renderer.clearDepth();
    if (!selectedObject)
        return;
    colorShader.bind();
    Shader::bound->sendMatrix4x4("projMat", world.getProjMat());
    for (Dragger& d : draggers) {
        Shader::bound->sendVector4D("color", d.color);
        texSelector.bind(0);
        ObjectApp* model = d.displayable.object;
        model->position() = d.displayable.position();
        model->renderWithPreviousTexture(world.getMVMat());
        model->position() = Vector3D(0.0f, 0.0f, 0.0f);
    }
}
