#pragma once

#include <string>
#include <vector>

#include "MathUtils/Quaternion.h"
#include "MathUtils/Vector3D.h"
#include "Renderer/Renderer.h"

// A mesh: per-vertex arrays in memory, 16-bit triangles, and the handles of its
// GPU buffers in Renderer::renderer. Drawn through Shader::bound.
class Object3D {
public:
    Object3D() = default;
    // Loads the file; a failed load leaves an empty mesh (reported on stderr).
    explicit Object3D(const std::string& fichier);
    // Releases the GPU buffers that genBuffers created.
    ~Object3D();
    // Owns GPU buffers: a copy would release them a second time.
    Object3D(const Object3D&) = delete;
    Object3D& operator=(const Object3D&) = delete;

    // JSON when ".json" occurs after the path's first character, otherwise the
    // binary form. A binary file cut short reads as zero-filled to the size its
    // header declares and loads. A missing file, malformed JSON, an index past
    // the vertices, more than 65536 binary vertices or counts far beyond the
    // file's size empty the mesh, print one line on stderr and return false.
    bool load(const std::string& fichier);
    bool loadJSON(const std::string& fichier);
    bool loadBIN(const std::string& fichier);

    void addPoint(float x, float y, float z);
    void addColor(float r, float g, float b);
    void addNormal(float x, float y, float z);
    void addTexCoords(float s, float t);
    // Each index is narrowed to 16 bits.
    void addIndice(int a, int b, int c);
    // The setters and getters check no index: callers stay within the arrays.
    void setPoint(int index, float x, float y, float z);
    void setColor(int index, float r, float g, float b);
    void setNormal(int index, float x, float y, float z);
    void setTexCoords(int index, float s, float t);
    void setIndice(int index, int a, int b, int c);
    float* getPoints() { return m_vertices.data(); }
    float* getColors() { return m_colors.data(); }
    unsigned short* getIndices() { return m_indices.data(); }
    float* getTexCoords() { return m_texCoords.data(); }
    unsigned int getColorsNB() { return static_cast<unsigned int>(m_colors.size()); }

    // Unit square in z = 0, for a mesh that is still empty; no normals.
    void quad();
    // Capped cylinder along z with sides faces; no normals.
    void cylinder(float radius, unsigned int sides, float length);
    void scaleModel(float scaleX, float scaleY, float scaleZ);
    // Kept for callers; changes nothing.
    void setSizes(unsigned int pNB, unsigned int cNB, unsigned int iNB, unsigned int tcNB);

    // Uploads one vertex input (positions, uvs, colours, normals, each padded
    // to the vertex count) and one index buffer, in place of earlier ones.
    void genBuffers();
    // Refreshes positions and indices of uploaded buffers.
    void updateBuffers();
    // Releases what genBuffers created; safe to repeat.
    void deleteBuffers();

    // Sends "modelMat", "inverseModelMat" and "mvMat" to Shader::bound and draws.
    // Nothing happens without a bound shader or uploaded buffers.
    void render(float* modelMat, float* mvMat);
    // The same, drawing with the buffers of the previous draw.
    void renderWithPreviousModel(float* modelMat, float* mvMat);

    // Smooth normals: each vertex gets the normalised sum of its triangles'
    // unit normals, (0, 0, 1) when no triangle uses it.
    void computeNormalsFromFaces();
    // Nearest hit of a ray with the mesh placed by scale, orientation and
    // position; distance in units of the direction's length, -1 when missed.
    bool rayThroughMesh(const Vector3D& rayOrigin, const Vector3D& rayDirection,
                        const Vector3D& position, const Vector3D& scale,
                        const Quaternion& orientation, float* distance);

    std::vector<float> m_vertices;
    std::vector<float> m_colors;
    std::vector<unsigned short> m_indices;
    std::vector<float> m_texCoords;
    std::vector<float> m_normals;
    unsigned int vertexBufferHandle = Renderer::noBuffer;
    unsigned int colorBufferHandle = Renderer::noBuffer;
    unsigned int normalBufferHandle = Renderer::noBuffer;
    unsigned int indexBufferHandle = Renderer::noBuffer;
    unsigned int uvBufferHandle = Renderer::noBuffer;

private:
    void clearArrays();
    void sendMatrices(float* modelMat, float* mvMat);
};
