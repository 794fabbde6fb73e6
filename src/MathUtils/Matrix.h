#pragma once

#include "MathUtils/Quaternion.h"

// 4 x 4 matrices are float[16] in column-major order: row r, column c at index
// 4c + r; an affine matrix keeps its translation at 12, 13, 14. 3 x 3 matrices
// are float[9], row r, column c at 3c + r. The caller owns all storage; nothing
// here allocates or reports errors.
//
// Products read as column-vector algebra: (a x b)[4c + r] = sum a[4k + r] b[4c + k].
//
// Which side a helper multiplies on is part of its contract:
//   translatef            res = res x T   (post-multiply)
//   rotatef, rotatefDegres res = R x res  (pre-multiply)
//
// inverse() breaks the layout on purpose: it writes the inverse ROW by row
// (element (r, c) at 4r + c), and mulVectorMatrix / mulVector4Matrix read their
// matrix row by row too, so feeding one to the other transforms by the true
// inverse. Do not pass inverse()'s output to mulMat and expect an inverse.

void identity(float* mat);

// res = mat1 x mat2. res is written while the inputs are still read: it must be
// neither of them (use mulMatSafe for that).
void mulMat(const float* mat1, const float* mat2, float* res);
// out = mat1 x mat2 through a temporary; out may be mat1 or mat2.
void mulMatSafe(const float* mat1, const float* mat2, float* out);

// res = res x T(trX, trY, trZ)
void translatef(float* res, float trX, float trY, float trZ);
// res = R x res; angle in radians, axis used as given (not normalised).
void rotatef(float* res, float angle, float rx, float ry, float rz);
// As rotatef, angle in degrees.
void rotatefDegres(float* res, float angle, float rx, float ry, float rz);
// Writes the full 16-float rotation matrix of rotatef into out.
void rotationMatrix(float* out, float angle, float rx, float ry, float rz);
// mat = mat x R, R the rotation of rotatef (the rotation on the right).
void postMultiplyRotation(float* mat, float angle, float rx, float ry, float rz);
// mat = mat x R, R the right-handed turn about axis 0 (x), 1 (y) or 2 (z) with
// cosine c and sine s. The callers choose how c and s are rounded.
void postMultiplyAxisTurn(float* mat, int axis, float c, float s);

// matrix = view of a camera at cam looking at center (looks down -z). The former
// content is not read. Eye = center or up along the view direction give NaNs.
void lookAt(float* matrix, float camX, float camY, float camZ, float centerX, float centerY,
            float centerZ, float upX, float upY, float upZ);

// Writes only elements 0, 5, 10, 11, 14, 15; start from the identity or zeros.
// fovY in degrees. zNear == zFar, fovY == 0 or aspect == 0 leave pOut untouched.
void perspectiveProjection(float* pOut, float fovY, float aspect, float zNear, float zFar);
// As perspectiveProjection with half the vertical field of view in radians.
void perspectiveProjectionHalfAngle(float* pOut, float halfAngle, float aspect, float zNear,
                                    float zFar);

// pOut = inverse of mat, written row by row (see above); identity when mat is
// singular. Output first, input second.
void inverse(float* pOut, const float* mat);
// Point (x, y, z, 1) times a matrix read row by row; nothing is divided by w.
void mulVectorMatrix(float* x, float* y, float* z, const float* matrix);
void mulVector4Matrix(float& x, float& y, float& z, float& w, const float* matrix);

void transpose(float* mat);

// Writes the rotation of q into the upper 3 x 3 only; the other seven elements
// keep the caller's values. q is not normalised first.
void quaternionToMatrix4x4(const Quaternion& q, float* matrix);
// Rotation of the upper 3 x 3 as a quaternion.
void matrix4x4ToQuaternion(const float* matrix, Quaternion* q);
// Upper-left 3 x 3 of mat4.
void matrix4x4ToMatrix3x3(const float* mat4, float* mat3);
// out = true inverse of the 3 x 3 mat, same layout; out untouched when mat is
// singular. Input first, output second; mat and out may be the same array.
void inverse3x3(const float* mat, float* out);
