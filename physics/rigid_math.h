// Small vector and matrix steps shared by the bodies, geometries, springs and pair colliders:
// the rotation part of a matrix applied to a vector, the rigid inverse, lengths over x, y, z.
#pragma once

#include "foundation/math.h"
#include "foundation/matrix.h"
#include "foundation/vector.h"

namespace Vorn {
namespace Physics {

// The upper 3 x 3 part of m times (x, y, z); w is kept.
inline Math::Vector<float> Rotate(const Math::Matrix<float>& m, const Math::Vector<float>& v)
{
    return Math::Vector<float>(m[0] * v.x + m[4] * v.y + m[8] * v.z, m[1] * v.x + m[5] * v.y + m[9] * v.z,
                               m[2] * v.x + m[6] * v.y + m[10] * v.z, v.w);
}

// The translation column, elements 12 to 15.
inline Math::Vector<float> Translation(const Math::Matrix<float>& m)
{
    return Math::Vector<float>(m[12], m[13], m[14], m[15]);
}

inline Float LengthSquared(const Math::Vector<float>& v)
{
    return v.Dot(v);
}

inline Float Length(const Math::Vector<float>& v)
{
    return Math::Sqrt(v.Dot(v));
}

// The inverse of a rotation and translation: rotation transposed, translation -R^T t.
inline Math::Matrix<float> RigidInverse(const Math::Matrix<float>& m)
{
    Math::Matrix<float> inverse;
    for (UInt32 row = 0; row < 3; ++row) {
        for (UInt32 column = 0; column < 3; ++column)
            inverse.Set(row, column, m.Get(column, row));
    }
    for (UInt32 row = 0; row < 3; ++row)
        inverse[12 + row] = -(m.Get(0, row) * m[12] + m.Get(1, row) * m[13] + m.Get(2, row) * m[14]);
    return inverse;
}

} // namespace Physics
} // namespace Vorn
