#version 120
// Caustics alone: the frame laid on the plane facing the light, slid by
// offset, over a mesh lit from lightDirection.
attribute vec3 inVertex;
attribute vec2 inTexCoord;
attribute vec3 inColor;
attribute vec3 inNormal;

uniform mat4 mvMat;
uniform mat4 projMat;
uniform mat4 refractionModelMat;
uniform mat3 inverseModelMat;
uniform vec3 lightDirection;
uniform vec2 offset;

varying vec2 causticUV;
varying float light;

void main()
{
    vec3 normal = normalize(inNormal * inverseModelMat);
    light = max(dot(normal, -normalize(lightDirection)), 0.0);
    causticUV = (refractionModelMat * vec4(inVertex, 1.0)).xy / 16.0 + offset;
    gl_Position = projMat * mvMat * vec4(inVertex, 1.0);
}
