#version 120
uniform sampler2D texture0;

varying vec2 uv;
varying vec3 colour;

void main()
{
    vec4 texel = texture2D(texture0, uv) * vec4(colour, 1.0);
    // The picture's clear parts leave no mark in the depth buffer.
    if (texel.a < 0.1)
        discard;
    gl_FragColor = texel;
}
