#include "Editor/Mat33.h"

#include <cmath>

namespace
{

constexpr float k_pi = 3.1415927f;
constexpr float k_twoPi = 6.2831855f;

void SetIdentity(b2Mat33& m)
{
    m.ex.Set(1.0f, 0.0f, 0.0f);
    m.ey.Set(0.0f, 1.0f, 0.0f);
    m.ez.Set(0.0f, 0.0f, 1.0f);
}

}  // namespace

void setMat33Translation(b2Mat33& m, b2Vec2 t)
{
    SetIdentity(m);
    m.ez.Set(t.x, t.y, 1.0f);
}

void setMat33Scale(b2Mat33& m, float sx, float sy)
{
    SetIdentity(m);
    m.ex.x = sx;
    m.ey.y = sy;
}

void setMat33Rotation(b2Mat33& m, float angle)
{
    float c = std::cos(angle);
    float s = std::sin(angle);
    m.ex.Set(c, s, 0.0f);
    m.ey.Set(-s, c, 0.0f);
    m.ez.Set(0.0f, 0.0f, 1.0f);
}

void setMat33Transform(b2Mat33& m, const b2Transform& xf)
{
    b2Mat33 rotation;
    b2Mat33 translation;
    setMat33Rotation(rotation, std::atan2(xf.q.s, xf.q.c));
    setMat33Translation(translation, xf.p);
    m = b2Mul(rotation, translation);
}

b2Mat33 b2Mul(const b2Mat33& a, const b2Mat33& b)
{
    // Each column of b·a is b applied to the column of a (the library's matrix-vector product).
    return b2Mat33(b2Mul(b, a.ex), b2Mul(b, a.ey), b2Mul(b, a.ez));
}

b2Vec2 b2Mul(const b2Mat33& m, const b2Vec2& p)
{
    return b2Vec2(m.ex.x * p.x + m.ey.x * p.y + m.ez.x, m.ex.y * p.x + m.ey.y * p.y + m.ez.y);
}

float getMat33Angle(const b2Mat33& m)
{
    return std::atan2(m.ex.y, m.ex.x);
}

void normalizeAngle(float& a)
{
    if (!std::isfinite(a))
    {
        return;
    }
    // Far outside the range, stepping by whole turns would take forever or stop making progress
    // once a turn is below the float's resolution.
    if (std::fabs(a) > 64.0f * k_pi)
    {
        a = std::remainder(a, k_twoPi);
    }
    while (a < -k_pi)
    {
        a += k_twoPi;
    }
    while (a > k_pi)
    {
        a -= k_twoPi;
    }
}
