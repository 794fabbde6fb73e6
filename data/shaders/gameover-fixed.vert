#version 120
// Sprites and meshes in grey, placed like basic-fixed.
attribute vec3 inVertex;
attribute vec2 inTexCoord;
attribute vec3 inColor;
attribute vec3 inNormal;

uniform mat4 mvMat;
uniform mat4 projMat;

varying vec2 uv;
varying vec3 colour;

void main()
{
    uv = inTexCoord;
    colour = inColor;
    gl_Position = projMat * mvMat * vec4(inVertex, 1.0);
}
