#include "foundation/interpolation.h"

namespace Vorn {
namespace Logic {
namespace {

// The shifted position of the eased curves, held as float like the key values it mixes.
Double Shifted(Float u, Double by)
{
    return Double(Float(Double(u) + by));
}

Double Cube(Double x)
{
    return x * x * x;
}

// The Hermite step (3 - 2x) x^2.
Double Smooth(Double x)
{
    return (3.0 - 2.0 * x) * (x * x);
}

// (6 - 2x) (x/2)^2: the cubic x^2 (3 - x) / 2 whose halves over 0 to 2 are the Hermite ease-in
// and ease-out curves.
Double HermiteHalf(Double x)
{
    const Double half = x / 2.0;
    return (6.0 - 2.0 * x) * (half * half);
}

} // namespace

Float Interpolate(Enums::InterpolationType type, Float u)
{
    const Double x = u;
    switch (type) {
    case Enums::InterpolationType::CONSTANT:
        return 0.0f;
    case Enums::InterpolationType::LINEAR:
        return u;
    case Enums::InterpolationType::EASE_IN:
        return Float(Cube(x));
    case Enums::InterpolationType::EASE_OUT:
        return Float(Cube(Shifted(u, -1.0)) + 1.0);
    case Enums::InterpolationType::EASE_IN_OUT:
        if (x < 0.5)
            return Float(4.0 * Cube(x));
        return Float(4.0 * Cube(Shifted(u, -1.0)) + 1.0);
    case Enums::InterpolationType::EASE_OUT_IN:
        return Float(4.0 * Cube(Shifted(u, -0.5)) + 0.5);
    case Enums::InterpolationType::HERMITE_EASE_IN:
        return Float(HermiteHalf(x));
    case Enums::InterpolationType::HERMITE_EASE_OUT: {
        const Double v = Shifted(u, 1.0);
        return Float(HermiteHalf(v) - 1.0);
    }
    case Enums::InterpolationType::HERMITE_EASE_IN_OUT:
        return Float(Smooth(x));
    case Enums::InterpolationType::HERMITE_EASE_OUT_IN:
        if (x < 0.5)
            return Float(Smooth(Shifted(u, 0.5)) - 0.5);
        return Float(Smooth(Shifted(u, -0.5)) + 0.5);
    }
    return u;
}

} // namespace Logic
} // namespace Vorn
