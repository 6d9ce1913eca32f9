// Two-dimensional affine transforms as homogeneous 3 × 3 matrices (the library's b2Mat33 with
// columns ex, ey, ez): a point p maps to ex·p.x + ey·p.y + ez. The editor uses them for the
// tentative display and the application of translations, rotations and scalings.
#pragma once

#include <box2d/box2d.h>

void setMat33Translation(b2Mat33& m, b2Vec2 t);
void setMat33Scale(b2Mat33& m, float sx, float sy);
// Counter-clockwise by `angle` radians about the origin.
void setMat33Rotation(b2Mat33& m, float angle);
// Local to world: rotate by the transform's angle, then translate by its position.
void setMat33Transform(b2Mat33& m, const b2Transform& xf);

// The composition "a, then b": the matrix product b·a.
b2Mat33 b2Mul(const b2Mat33& a, const b2Mat33& b);
// The point p (w = 1) transformed by m.
b2Vec2 b2Mul(const b2Mat33& m, const b2Vec2& p);

// The rotation of m's linear part, atan2(ex.y, ex.x).
float getMat33Angle(const b2Mat33& m);
// Brings a finite angle into -pi..pi; a non-finite one is left as it is.
void normalizeAngle(float& a);
