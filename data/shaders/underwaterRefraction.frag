#version 120
uniform sampler2D texture1;

varying vec2 causticUV;
varying float light;

void main()
{
    float caustic = texture2D(texture1, causticUV).r;
    gl_FragColor = vec4(vec3(0.7, 0.85, 1.0) * caustic, caustic * light);
}
