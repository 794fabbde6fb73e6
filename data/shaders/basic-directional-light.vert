#version 120
// Meshes lit by one directional light, textured and tinted by vertex colour.
attribute vec3 inVertex;
attribute vec2 inTexCoord;
attribute vec3 inColor;
attribute vec3 inNormal;

uniform mat4 mvMat;
uniform mat4 projMat;
uniform mat4 modelMat;
uniform mat3 inverseModelMat;
uniform vec3 lightDirection;

varying vec2 uv;
varying vec3 colour;
varying float light;

void main()
{
    // n x inverse = transpose(inverse) x n: normals stay normal under scaling.
    vec3 normal = normalize(inNormal * inverseModelMat);
    light = 0.4 + 0.6 * max(dot(normal, -lightDirection), 0.0);
    uv = inTexCoord;
    colour = inColor;
    gl_Position = projMat * mvMat * vec4(inVertex, 1.0);
}
