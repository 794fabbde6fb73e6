#version 120
// A seaweed swaying: offset is its phase on each axis (-1 to 1); the higher a
// vertex, the further it leans, and the root stays put.
attribute vec3 inVertex;
attribute vec2 inTexCoord;
attribute vec3 inColor;
attribute vec3 inNormal;

uniform mat4 mvMat;
uniform mat4 projMat;
uniform vec3 offset;

varying vec2 uv;
varying vec3 colour;

void main()
{
    uv = inTexCoord;
    colour = inColor;
    float height = max(inVertex.z, 0.0);
    vec3 swayed = inVertex + vec3(offset.xy * 0.15, offset.z * 0.05) * height * height;
    gl_Position = projMat * mvMat * vec4(swayed, 1.0);
}
