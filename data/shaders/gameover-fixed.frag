#version 120
// The picture of basic-fixed, desaturated and darkened: the game-over, title
// and grace-period look.
uniform sampler2D texture0;

varying vec2 uv;
varying vec3 colour;

void main()
{
    vec4 texel = texture2D(texture0, uv) * vec4(colour, 1.0);
    float grey = dot(texel.rgb, vec3(0.299, 0.587, 0.114));
    vec3 muted = mix(texel.rgb, vec3(grey), 0.8);
    gl_FragColor = vec4(muted * 0.6, texel.a);
}
