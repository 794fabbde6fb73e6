#include "MathUtils/Matrix.h"

#include <cmath>
#include <cstring>

void identity(float* mat) {
    for (int i = 0; i < 16; ++i) {
        mat[i] = (i % 5 == 0) ? 1.0f : 0.0f;
    }
}

void mulMat(const float* mat1, const float* mat2, float* res) {
    for (int r = 0; r < 4; ++r) {
        for (int c = 0; c < 4; ++c) {
            res[4 * c + r] = mat1[r] * mat2[4 * c] + mat1[4 + r] * mat2[4 * c + 1] +
                             mat1[8 + r] * mat2[4 * c + 2] + mat1[12 + r] * mat2[4 * c + 3];
        }
    }
}

void mulMatSafe(const float* mat1, const float* mat2, float* out) {
    float product[16];
    mulMat(mat1, mat2, product);
    memcpy(out, product, sizeof(product));
}

void translatef(float* res, float trX, float trY, float trZ) {
    float translation[16];
    identity(translation);
    translation[12] = trX;
    translation[13] = trY;
    translation[14] = trZ;
    mulMatSafe(res, translation, res);
}

void rotationMatrix(float* out, float angle, float rx, float ry, float rz) {
    float c = cosf(angle);
    float s = sinf(angle);
    float t = 1.0f - c;
    identity(out);
    out[0] = rx * rx * t + c;
    out[1] = rx * ry * t + rz * s;
    out[2] = rx * rz * t - ry * s;
    out[4] = rx * ry * t - rz * s;
    out[5] = ry * ry * t + c;
    out[6] = ry * rz * t + rx * s;
    out[8] = rx * rz * t + ry * s;
    out[9] = ry * rz * t - rx * s;
    out[10] = rz * rz * t + c;
}

void postMultiplyRotation(float* mat, float angle, float rx, float ry, float rz) {
    float rotation[16];
    rotationMatrix(rotation, angle, rx, ry, rz);
    mulMatSafe(mat, rotation, mat);
}

// The axis turns are written out rather than taken from rotationMatrix(): with a unit
// axis the general matrix rounds 1 - c + c, which is not always exactly 1.
void postMultiplyAxisTurn(float* mat, int axis, float c, float s) {
    // The two other axes, in the order that keeps the turn right-handed.
    int i = (axis + 1) % 3;
    int j = (axis + 2) % 3;
    float turn[16];
    identity(turn);
    turn[4 * i + i] = c;
    turn[4 * j + i] = -s;
    turn[4 * i + j] = s;
    turn[4 * j + j] = c;
    mulMatSafe(mat, turn, mat);
}

void rotatef(float* res, float angle, float rx, float ry, float rz) {
    float rotation[16];
    rotationMatrix(rotation, angle, rx, ry, rz);
    mulMatSafe(rotation, res, res);
}

void rotatefDegres(float* res, float angle, float rx, float ry, float rz) {
    rotatef(res, angle * 0.017453292f, rx, ry, rz);
}

static Vector3D normalized(Vector3D v) {
    float length = sqrtf(Vector3D::dotProduct(v, v));
    return Vector3D(v.x / length, v.y / length, v.z / length);
}

void lookAt(float* matrix, float camX, float camY, float camZ, float centerX, float centerY,
            float centerZ, float upX, float upY, float upZ) {
    Vector3D forward = normalized(Vector3D(centerX - camX, centerY - camY, centerZ - camZ));
    Vector3D side = normalized(Vector3D::crossProduct(forward, Vector3D(upX, upY, upZ)));
    Vector3D up = normalized(Vector3D::crossProduct(side, forward));

    float view[16];
    identity(view);
    view[0] = side.x;
    view[4] = side.y;
    view[8] = side.z;
    view[1] = up.x;
    view[5] = up.y;
    view[9] = up.z;
    view[2] = -forward.x;
    view[6] = -forward.y;
    view[10] = -forward.z;

    float translation[16];
    identity(translation);
    translation[12] = -camX;
    translation[13] = -camY;
    translation[14] = -camZ;
    mulMat(view, translation, matrix);
}

void perspectiveProjectionHalfAngle(float* pOut, float halfAngle, float aspect, float zNear,
                                    float zFar) {
    float deltaZ = zFar - zNear;
    float s = sinf(halfAngle);
    if (deltaZ == 0.0f || s == 0.0f || aspect == 0.0f) {
        return;
    }
    float cotangent = cosf(halfAngle) / s;
    pOut[0] = cotangent / aspect;
    pOut[5] = cotangent;
    pOut[10] = -(zFar + zNear) / deltaZ;
    pOut[11] = -1.0f;
    pOut[14] = zNear * -2.0f * zFar / deltaZ;
    pOut[15] = 0.0f;
}

void perspectiveProjection(float* pOut, float fovY, float aspect, float zNear, float zFar) {
    perspectiveProjectionHalfAngle(pOut, fovY / 2.0f * 0.017453292f, aspect, zNear, zFar);
}

void inverse(float* pOut, const float* mat) {
    // a(r, c): element of row r, column c of the column-major input.
    auto a = [mat](int r, int c) { return mat[4 * c + r]; };

    // 2 x 2 minors of the top two rows (s) and the bottom two rows (c).
    float s0 = a(0, 0) * a(1, 1) - a(1, 0) * a(0, 1);
    float s1 = a(0, 0) * a(1, 2) - a(1, 0) * a(0, 2);
    float s2 = a(0, 0) * a(1, 3) - a(1, 0) * a(0, 3);
    float s3 = a(0, 1) * a(1, 2) - a(1, 1) * a(0, 2);
    float s4 = a(0, 1) * a(1, 3) - a(1, 1) * a(0, 3);
    float s5 = a(0, 2) * a(1, 3) - a(1, 2) * a(0, 3);
    float c5 = a(2, 2) * a(3, 3) - a(3, 2) * a(2, 3);
    float c4 = a(2, 1) * a(3, 3) - a(3, 1) * a(2, 3);
    float c3 = a(2, 1) * a(3, 2) - a(3, 1) * a(2, 2);
    float c2 = a(2, 0) * a(3, 3) - a(3, 0) * a(2, 3);
    float c1 = a(2, 0) * a(3, 2) - a(3, 0) * a(2, 2);
    float c0 = a(2, 0) * a(3, 1) - a(3, 0) * a(2, 1);

    // Adjugate, row by row: adj[4r + c] = adj(r, c).
    float adj[16] = {
        a(1, 1) * c5 - a(1, 2) * c4 + a(1, 3) * c3,  -a(0, 1) * c5 + a(0, 2) * c4 - a(0, 3) * c3,
        a(3, 1) * s5 - a(3, 2) * s4 + a(3, 3) * s3,  -a(2, 1) * s5 + a(2, 2) * s4 - a(2, 3) * s3,

        -a(1, 0) * c5 + a(1, 2) * c2 - a(1, 3) * c1, a(0, 0) * c5 - a(0, 2) * c2 + a(0, 3) * c1,
        -a(3, 0) * s5 + a(3, 2) * s2 - a(3, 3) * s1, a(2, 0) * s5 - a(2, 2) * s2 + a(2, 3) * s1,

        a(1, 0) * c4 - a(1, 1) * c2 + a(1, 3) * c0,  -a(0, 0) * c4 + a(0, 1) * c2 - a(0, 3) * c0,
        a(3, 0) * s4 - a(3, 1) * s2 + a(3, 3) * s0,  -a(2, 0) * s4 + a(2, 1) * s2 - a(2, 3) * s0,

        -a(1, 0) * c3 + a(1, 1) * c1 - a(1, 2) * c0, a(0, 0) * c3 - a(0, 1) * c1 + a(0, 2) * c0,
        -a(3, 0) * s3 + a(3, 1) * s1 - a(3, 2) * s0, a(2, 0) * s3 - a(2, 1) * s1 + a(2, 2) * s0,
    };

    // Expansion along the first column.
    float det = mat[0] * adj[0] + mat[1] * adj[1] + mat[2] * adj[2] + mat[3] * adj[3];
    if (det == 0.0f) {
        identity(pOut);
        return;
    }
    float inverseDet = 1.0f / det;
    for (int i = 0; i < 16; ++i) {
        pOut[i] = adj[i] * inverseDet;
    }
}

void mulVectorMatrix(float* x, float* y, float* z, const float* matrix) {
    const float* m = matrix;
    float px = *x;
    float py = *y;
    float pz = *z;
    *x = px * m[0] + py * m[1] + pz * m[2] + m[3];
    *y = px * m[4] + py * m[5] + pz * m[6] + m[7];
    *z = px * m[8] + py * m[9] + pz * m[10] + m[11];
}

void mulVector4Matrix(float& x, float& y, float& z, float& w, const float* matrix) {
    float v[4] = {x, y, z, w};
    float out[4];
    for (int i = 0; i < 4; ++i) {
        out[i] = v[0] * matrix[4 * i] + v[1] * matrix[4 * i + 1] + v[2] * matrix[4 * i + 2] +
                 v[3] * matrix[4 * i + 3];
    }
    x = out[0];
    y = out[1];
    z = out[2];
    w = out[3];
}

void transpose(float* mat) {
    for (int r = 0; r < 4; ++r) {
        for (int c = r + 1; c < 4; ++c) {
            float held = mat[4 * c + r];
            mat[4 * c + r] = mat[4 * r + c];
            mat[4 * r + c] = held;
        }
    }
}

void quaternionToMatrix4x4(const Quaternion& q, float* matrix) {
    float x2 = q.x + q.x;
    float y2 = q.y + q.y;
    float z2 = q.z + q.z;
    float xx = x2 * q.x;
    float yy = y2 * q.y;
    float zz = z2 * q.z;
    float xy = x2 * q.y;
    float xz = x2 * q.z;
    float yz = y2 * q.z;
    float wx = x2 * q.w;
    float wy = y2 * q.w;
    float wz = z2 * q.w;

    matrix[0] = 1.0f - (yy + zz);
    matrix[1] = xy + wz;
    matrix[2] = xz - wy;
    matrix[4] = xy - wz;
    matrix[5] = 1.0f - (xx + zz);
    matrix[6] = yz + wx;
    matrix[8] = xz + wy;
    matrix[9] = yz - wx;
    matrix[10] = 1.0f - (xx + yy);
}

void matrix4x4ToQuaternion(const float* matrix, Quaternion* q) {
    auto m = [matrix](int r, int c) { return matrix[4 * c + r]; };
    float trace = matrix[0] + matrix[5] + matrix[10];
    if (trace > 0.0f) {
        float s = sqrtf(trace + 1.0f);
        q->w = 0.5f * s;
        float f = 0.5f / s;
        q->x = (matrix[6] - matrix[9]) * f;
        q->y = (matrix[8] - matrix[2]) * f;
        q->z = (matrix[1] - matrix[4]) * f;
        return;
    }
    // Build from the largest diagonal element, where the square root is safe.
    int i = 0;
    if (matrix[5] > matrix[0]) {
        i = 1;
    }
    if (matrix[10] > m(i, i)) {
        i = 2;
    }
    static const int next[3] = {1, 2, 0};
    int j = next[i];
    int k = next[j];
    float s = sqrtf(m(i, i) - m(j, j) - m(k, k) + 1.0f);
    float v[3];
    v[i] = 0.5f * s;
    float f = 0.5f / s;
    v[j] = (m(j, i) + m(i, j)) * f;
    v[k] = (m(k, i) + m(i, k)) * f;
    q->x = v[0];
    q->y = v[1];
    q->z = v[2];
    q->w = (m(k, j) - m(j, k)) * f;
}

void matrix4x4ToMatrix3x3(const float* mat4, float* mat3) {
    for (int c = 0; c < 3; ++c) {
        for (int r = 0; r < 3; ++r) {
            mat3[3 * c + r] = mat4[4 * c + r];
        }
    }
}

void inverse3x3(const float* mat, float* out) {
    const float* m = mat;
    float det = m[0] * m[4] * m[8] + m[1] * m[5] * m[6] + m[2] * m[3] * m[7] -
                (m[2] * m[4] * m[6] + m[0] * m[7] * m[5] + m[3] * m[1] * m[8]);
    if (det == 0.0f) {
        return;
    }
    float i = 1.0f / det;
    // Computed in full before writing: out may be mat.
    float result[9] = {
        (m[4] * m[8] - m[5] * m[7]) * i, (m[2] * m[7] - m[1] * m[8]) * i,
        (m[1] * m[5] - m[2] * m[4]) * i, (m[5] * m[6] - m[3] * m[8]) * i,
        (m[0] * m[8] - m[2] * m[6]) * i, (m[2] * m[3] - m[0] * m[5]) * i,
        (m[3] * m[7] - m[4] * m[6]) * i, (m[1] * m[6] - m[0] * m[7]) * i,
        (m[0] * m[4] - m[1] * m[3]) * i,
    };
    memcpy(out, result, sizeof(result));
}
