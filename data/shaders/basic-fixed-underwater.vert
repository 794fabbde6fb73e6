#version 120
// Meshes under water: lit from lightDirection and crossed by caustics, whose
// picture is laid on the plane facing the light (refractionModelMat).
attribute vec3 inVertex;
attribute vec2 inTexCoord;
attribute vec3 inColor;
attribute vec3 inNormal;

uniform mat4 mvMat;
uniform mat4 projMat;
uniform mat4 modelMat;
uniform mat3 inverseModelMat;
uniform mat4 refractionModelMat;
uniform vec3 lightDirection;

varying vec2 uv;
varying vec2 causticUV;
varying vec3 colour;
varying float light;
varying float depth;

void main()
{
    uv = inTexCoord;
    colour = inColor;
    // Normals turn with the inverse transpose of the model's 3 x 3 part.
    vec3 normal = normalize(inNormal * inverseModelMat);
    light = 0.45 + 0.55 * max(dot(normal, -normalize(lightDirection)), 0.0);
    causticUV = (refractionModelMat * vec4(inVertex, 1.0)).xy / 16.0;
    depth = clamp(-(modelMat * vec4(inVertex, 1.0)).z / 20.0, 0.0, 1.0);
    gl_Position = projMat * mvMat * vec4(inVertex, 1.0);
}
