#version 120
// The water surface seen from above or below: the texture, half see-through.
attribute vec3 inVertex;
attribute vec2 inTexCoord;
attribute vec3 inColor;
attribute vec3 inNormal;

uniform mat4 mvMat;
uniform mat4 projMat;

varying vec2 uv;

void main()
{
    uv = inTexCoord;
    gl_Position = projMat * mvMat * vec4(inVertex, 1.0);
}
