// The basic sprite shader with a fade: ratio 0 is transparent, 1 opaque.
cbuffer Uniforms : register(b0)
{
    column_major float4x4 mvMat;
    column_major float4x4 projMat;
    float ratio;
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
    float4 colour = t0.Sample(s0, input.uv) * float4(input.color, 1.0);
    colour.a *= ratio;
    return colour;
}
