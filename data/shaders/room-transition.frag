#version 120
// ratio 0 is transparent, 1 opaque.
uniform sampler2D texture0;
uniform float ratio;

varying vec2 uv;
varying vec3 colour;

void main()
{
    vec4 texel = texture2D(texture0, uv) * vec4(colour, 1.0);
    gl_FragColor = vec4(texel.rgb, texel.a * ratio);
}
