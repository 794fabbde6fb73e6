#version 120
uniform sampler2D texture0;

varying vec2 uv;
varying vec3 colour;

void main()
{
    gl_FragColor = texture2D(texture0, uv) * vec4(colour, 1.0);
}
