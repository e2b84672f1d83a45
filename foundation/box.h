// An axis-aligned box of two corners; the physics geometries and meshes keep their bounds in it
// and set the corners themselves.
#pragma once

#include "foundation/vector.h"

namespace Vorn {
namespace Math {

template <typename T>
class Box {
public:
    Vector<T> mMin;
    Vector<T> mMax;

    Box() : mMin(T(0), T(0), T(0), T(1)), mMax(T(0), T(0), T(0), T(1)) {}
    Box(const Vector<T>& minimum, const Vector<T>& maximum) : mMin(minimum), mMax(maximum) {}
    virtual ~Box() {}
};

} // namespace Math
} // namespace Vorn
