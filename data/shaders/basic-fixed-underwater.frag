#version 120
uniform sampler2D texture0;
uniform sampler2D texture1; // the caustic frame

varying vec2 uv;
varying vec2 causticUV;
varying vec3 colour;
varying float light;
varying float depth;

void main()
{
    vec4 texel = texture2D(texture0, uv) * vec4(colour, 1.0);
    float caustic = texture2D(texture1, causticUV).r * (1.0 - 0.5 * depth);
    // Deeper is bluer and darker.
    vec3 water = vec3(0.05, 0.25, 0.4);
    vec3 lit = texel.rgb * light + vec3(0.35, 0.45, 0.5) * caustic;
    gl_FragColor = vec4(mix(lit, water, 0.5 * depth), texel.a);
}
