// The rotation about an axis written into a matrix, shared by the transform node's axis and angle
// and by the rotation keys of animations.
#pragma once

#include "foundation/math.h"
#include "foundation/matrix.h"
#include "foundation/types.h"

namespace Vorn {
namespace Graph {

// Rotation part of matrix := rotation by angle about the unit axis (x, y, z); the translation
// and the last row stay.
inline void WriteAxisRotation(Math::Matrix<float>& matrix, Float x, Float y, Float z, Float angle)
{
    const Float s = Math::Sin(angle);
    const Float c = Math::Cos(angle);
    const Float k = 1.0f - c;
    matrix[0] = x * x * k + c;
    matrix[1] = x * y * k + z * s;
    matrix[2] = x * z * k - y * s;
    matrix[4] = x * y * k - z * s;
    matrix[5] = y * y * k + c;
    matrix[6] = y * z * k + x * s;
    matrix[8] = x * z * k + y * s;
    matrix[9] = y * z * k - x * s;
    matrix[10] = z * z * k + c;
}

} // namespace Graph
} // namespace Vorn
