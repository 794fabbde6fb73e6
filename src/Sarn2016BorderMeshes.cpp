#include "LevelRandom.h"
#include "Sarn2016.h"
#include "Sarn2016BorderStrips.h"

namespace {

void buildMesh(Object3D& mesh, const std::vector<Vector3D>& positions) {
    mesh.deleteBuffers();
    mesh.m_vertices.clear();
    mesh.m_colors.clear();
    mesh.m_indices.clear();
    mesh.m_texCoords.clear();
    mesh.m_normals.clear();
    for (std::size_t k = 0; 2 * k + 1 < positions.size(); ++k) {
        const Vector3D& base = positions[2 * k];
        const Vector3D& upper = positions[2 * k + 1];
        mesh.addPoint(base.x, base.y, base.z);
        mesh.addPoint(upper.x, upper.y, upper.z);
        mesh.addColor(1.0f, 1.0f, 1.0f);
        mesh.addColor(1.0f, 1.0f, 1.0f);
        mesh.addTexCoords(static_cast<float>(k), 0.0f);
        mesh.addTexCoords(static_cast<float>(k), 1.0f);
        if (k > 0) {
            int n = static_cast<int>(2 * (k - 1));
            mesh.addIndice(n, n + 3, n + 1);
            mesh.addIndice(n + 2, n + 3, n);
        }
    }
    mesh.computeNormalsFromFaces();
    mesh.genBuffers();
}

std::vector<Vector3D> positionsOf(Object3D& mesh) {
    std::vector<Vector3D> positions(mesh.m_vertices.size() / 3);
    for (std::size_t i = 0; i < positions.size(); ++i) {
        positions[i] = Vector3D(mesh.m_vertices[3 * i], mesh.m_vertices[3 * i + 1],
                                mesh.m_vertices[3 * i + 2]);
    }
    return positions;
}

void rebuildMesh(Object3D& mesh, BorderStripKind kind, const Sarn2016::Room& room,
                 const unsigned int sidePairs[4]) {
    std::vector<Vector3D> positions = positionsOf(mesh);
    borderStripRebuild(kind, room.left, room.right, room.bottom, room.top, sidePairs, positions);
    for (std::size_t i = 0; i < positions.size(); ++i) {
        mesh.setPoint(static_cast<int>(i), positions[i].x, positions[i].y, positions[i].z);
    }
    mesh.updateBuffers();
}

} // namespace

void Sarn2016::buildBorderMeshes() {
    if (currentRoom == nullptr) {
        return;
    }
    const Room& room = *currentRoom;
    std::vector<Vector3D> positions;
    seedLevelRandomWith(room.borderTopMeshSeed);
    borderStripFirstBuild(borderTopStrip, room.left, room.right, room.bottom, room.top, positions,
                          borderSidePairs);
    buildMesh(mapBorderTopMesh, positions);
    // The same walk: the bottom strip gets the same pair counts.
    unsigned int bottomPairs[4];
    borderStripFirstBuild(borderBottomStrip, room.left, room.right, room.bottom, room.top,
                          positions, bottomPairs);
    buildMesh(mapBorderBottomMesh, positions);
}

void Sarn2016::updateTopBorderMesh() {
    if (currentRoom == nullptr) {
        return;
    }
    seedLevelRandomWith(currentRoom->borderTopMeshSeed);
    rebuildMesh(mapBorderTopMesh, borderTopStrip, *currentRoom, borderSidePairs);
}

void Sarn2016::updateBottomBorderMesh() {
    if (currentRoom == nullptr) {
        return;
    }
    seedLevelRandomWith(currentRoom->borderTopMeshSeed);
    rebuildMesh(mapBorderBottomMesh, borderBottomStrip, *currentRoom, borderSidePairs);
}
