#version 120
// The ground tiles of the orbit prototype. Ground beyond terrainRay rolls down
// over a cylinder of radius 4 under the rim, by (distance - terrainRay) / 4
// radians, at most 3.14159: the bend the props get on the processor. Each
// vertex bends by its own distance, so tiles that share an edge still share
// it once bent and the disc stays one surface.
attribute vec3 inVertex;
attribute vec2 inTexCoord;
attribute vec3 inColor;
attribute vec3 inNormal;

uniform mat4 finalMatrix;
uniform mat4 mvMat;
uniform mat4 projMat;
uniform mat4 modelMat;
// The tile's centre, sent with every tile; the bend takes each vertex's own
// place instead.
uniform vec2 pos;
uniform float terrainRay;
uniform vec3 lightDirection;

varying vec2 uv;
varying vec3 colour;
varying float light;

// Right-handed turn of p by angle a about the unit axis n.
vec3 turn(vec3 p, vec3 n, float a)
{
    float c = cos(a);
    float s = sin(a);
    return p * c + cross(n, p) * s + n * dot(n, p) * (1.0 - c);
}

void main()
{
    vec3 world = (modelMat * vec4(inVertex, 1.0)).xyz;
    vec3 bent = world;
    vec3 normal = inNormal;
    float d2 = dot(world.xy, world.xy);
    if (d2 > terrainRay * terrainRay) {
        float d = sqrt(d2);
        vec2 u = world.xy / d;
        vec3 axis = vec3(-u.y, u.x, 0.0);
        float a = min((d - terrainRay) / 4.0, 3.14159);
        bent = vec3(u * terrainRay, -4.0) + turn(vec3(0.0, 0.0, world.z + 4.0), axis, a);
        normal = turn(normal, axis, a);
    }
    light = 0.4 + 0.6 * max(dot(normalize(normal), -lightDirection), 0.0);
    uv = inTexCoord;
    colour = inColor;
    // The tile's model matrix is a translation, so moving the vertex by the
    // bend's offset in model units moves it by the same amount in the world.
    gl_Position = projMat * mvMat * vec4(inVertex + (bent - world), 1.0);
}
