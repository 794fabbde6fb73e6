// Sprites and meshes: textured and tinted by the vertex colour, unlit.
// Matrices arrive as the game's column-major arrays of 16 floats.
cbuffer Uniforms : register(b0)
{
    column_major float4x4 mvMat;
    column_major float4x4 projMat;
};

Texture2D t0 : register(t0);
SamplerState s0 : register(s0);

struct VertexIn
{
    float3 position : POSITION;
    float2 uv : TEXCOORD;
    float3 color : COLOR;
    float3 normal : NORMAL;
};

struct PixelIn
{
    float4 position : SV_Position;
    float2 uv : TEXCOORD;
    float3 color : COLOR;
};

PixelIn VSMain(VertexIn input)
{
    PixelIn output;
    output.position = mul(projMat, mul(mvMat, float4(input.position, 1.0)));
    output.uv = input.uv;
    output.color = input.color;
    return output;
}

float4 PSMain(PixelIn input) : SV_Target
{
    return t0.Sample(s0, input.uv) * float4(input.color, 1.0);
}
