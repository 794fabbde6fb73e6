#version 120
// Lit, textured and tinted by vertex colour.
uniform sampler2D texture0;

varying vec2 uv;
varying vec3 colour;
varying float light;

void main()
{
    vec4 texel = texture2D(texture0, uv);
    gl_FragColor = vec4(texel.rgb * colour * light, texel.a);
}
