#version 120
uniform sampler2D texture0;

varying vec2 uv;

void main()
{
    vec4 texel = texture2D(texture0, uv);
    gl_FragColor = vec4(texel.rgb, 0.6 * texel.a);
}
