#version 120
// Editor handles: one flat colour, drawn over the scene.
attribute vec3 inVertex;
attribute vec2 inTexCoord;
attribute vec3 inColor;
attribute vec3 inNormal;

uniform mat4 mvMat;
uniform mat4 projMat;

void main()
{
    gl_Position = projMat * mvMat * vec4(inVertex, 1.0);
}
