#version 120
uniform sampler2D texture0;

varying vec2 uv;
varying vec3 colour;

void main()
{
    vec4 texel = texture2D(texture0, uv) * vec4(colour, 1.0);
    float grey = dot(texel.rgb, vec3(0.299, 0.587, 0.114));
    gl_FragColor = vec4(vec3(grey), texel.a);
}
