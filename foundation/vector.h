// The engine's four-component vector: positions (w = 1), directions (w = 0), scale factors,
// colours (red, green, blue, alpha) and planes (a, b, c, d). The type itself gives w no meaning.
#pragma once

#include "foundation/types.h"

namespace Vorn {
namespace Math {

template <typename T>
class Vector {
public:
    T x;
    T y;
    T z;
    T w;

    constexpr Vector() : x(0), y(0), z(0), w(0) {}
    constexpr Vector(T x_, T y_, T z_, T w_) : x(x_), y(y_), z(z_), w(w_) {}

    void Set(T x_, T y_, T z_, T w_)
    {
        x = x_;
        y = y_;
        z = z_;
        w = w_;
    }

    // Components by number: 0 x, 1 y, 2 z, 3 w.
    T& operator[](UInt32 i) { return i == 0 ? x : i == 1 ? y : i == 2 ? z : w; }
    const T& operator[](UInt32 i) const { return i == 0 ? x : i == 1 ? y : i == 2 ? z : w; }

    // Component-wise, all four components.
    Vector operator+(const Vector& o) const { return Vector(x + o.x, y + o.y, z + o.z, w + o.w); }
    Vector operator-(const Vector& o) const { return Vector(x - o.x, y - o.y, z - o.z, w - o.w); }
    Vector operator*(const Vector& o) const { return Vector(x * o.x, y * o.y, z * o.z, w * o.w); }
    Vector operator*(T s) const { return Vector(x * s, y * s, z * s, w * s); }
    Vector operator-() const { return Vector(-x, -y, -z, -w); }
    Vector& operator+=(const Vector& o) { return *this = *this + o; }
    Vector& operator-=(const Vector& o) { return *this = *this - o; }
    Vector& operator*=(const Vector& o) { return *this = *this * o; }
    Vector& operator*=(T s) { return *this = *this * s; }

    bool operator==(const Vector& o) const { return x == o.x && y == o.y && z == o.z && w == o.w; }
    bool operator!=(const Vector& o) const { return !(*this == o); }

    // Over x, y and z only.
    T Dot(const Vector& o) const { return x * o.x + y * o.y + z * o.z; }
    // Over x, y and z; the result is a direction (w = 0).
    Vector Cross(const Vector& o) const
    {
        return Vector(y * o.z - z * o.y, z * o.x - x * o.z, x * o.y - y * o.x, T(0));
    }
};

} // namespace Math
} // namespace Vorn
