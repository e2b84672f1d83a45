#include "foundation/math.h"

#include <cmath>

namespace Vorn {
namespace Math {
namespace {

// Built on first use, so that code running during start-up may already call Sin and Cos.
struct SineTableData {
    Float entries[SineTableSize];

    SineTableData()
    {
        for (UInt32 i = 0; i < SineTableSize; ++i)
            entries[i] = Float(std::sin(Double(i) * Pi / Double(SineTableSize)));
    }
};

const SineTableData& GetSineTableData()
{
    static const SineTableData table;
    return table;
}

// The signed table step nearest to the angle, rounded half away from zero, as its low 32 bits.
UInt32 GetSineStep(Float angle)
{
    // float(1 / Pi) * 16384: the product is exact, so this is the float the table scale has always had.
    const Float stepsPerRadian = Float(1.0 / Pi) * Float(SineTableSize);
    const Float steps = std::fabs(angle) * stepsPerRadian;
    const Double rounded = Double(steps) + 0.5;
    // A step count beyond 64 bits is a multiple of a full turn; NaN has no step: both read step 0.
    if (!(rounded < 9223372036854775808.0))
        return 0;
    UInt32 step = UInt32(UInt64(SInt64(rounded)));
    if (angle < 0)
        step = 0u - step;
    return step;
}

// A step of the full turn (0 to 0x7fff, a little beyond for the cosine): the second half-turn
// reads the first half negated.
Float ReadSineTable(UInt32 step)
{
    const Float value = GetSineTableData().entries[step & 0x3fff];
    return (step & 0x4000) ? -value : value;
}

} // namespace

const Float* SineTable()
{
    return GetSineTableData().entries;
}

Float Sin(Float angle)
{
    return ReadSineTable(GetSineStep(angle) & 0x7fff);
}

Float Cos(Float angle)
{
    return ReadSineTable((GetSineStep(angle) & 0x7fff) + 0x2000);
}

Double Sin(Double angle)
{
    return std::sin(angle);
}

Double Cos(Double angle)
{
    return std::cos(angle);
}

Double WrapAngle(Double angle)
{
    const Double wrapped = std::fmod(angle, TwoPi);
    return wrapped < 0 ? wrapped + TwoPi : wrapped;
}

Float WrapAngle(Float angle)
{
    const Double wrapped = std::fmod(Double(angle), Double(Float(TwoPi)));
    return Float(wrapped < 0 ? wrapped + TwoPi : wrapped);
}

Double Round(Double x)
{
    return x < 0 ? std::ceil(x - 0.5) : std::floor(x + 0.5);
}

Float Round(Float x)
{
    return Float(Round(Double(x)));
}

Double Floor(Double x)
{
    return std::floor(x);
}

Float Floor(Float x)
{
    return std::floor(x);
}

Double Ceil(Double x)
{
    return std::ceil(x);
}

Float Ceil(Float x)
{
    return std::ceil(x);
}

Double Abs(Double x)
{
    return x >= 0 ? x : -x;
}

Float Abs(Float x)
{
    return x >= 0 ? x : -x;
}

Float Sign(Float x)
{
    if (x < 0)
        return -1.0f;
    if (x > 0)
        return 1.0f;
    return 0.0f;
}

Double Sqrt(Double x)
{
    return std::sqrt(x);
}

Float Sqrt(Float x)
{
    return Float(std::sqrt(Double(x)));
}

Double Exp(Double x)
{
    return std::exp(x);
}

Float Tan(Float x)
{
    return Float(std::tan(Double(x)));
}

Float ArcTan(Float x)
{
    return Float(std::atan(Double(x)));
}

Float ArcCos(Float x)
{
    return Float(std::acos(Double(x)));
}

Float Fmod(Float x, Float y)
{
    return Float(std::fmod(Double(x), Double(y)));
}

} // namespace Math

namespace Util {
namespace {

// The low 8 bits of the component times 255, truncated toward zero. Magnitudes of 2^63 and more
// are multiples of 256 and give 0, as does NaN.
UInt32 PackColorComponent(Float component)
{
    const Double scaled = Double(component) * 255.0;
    if (!(std::fabs(scaled) < 9223372036854775808.0))
        return 0;
    return UInt32(UInt64(SInt64(scaled)) & 0xff);
}

} // namespace

UInt32 ColorToUInt32(const Float color[4])
{
    return PackColorComponent(color[0]) | (PackColorComponent(color[1]) << 8) |
           (PackColorComponent(color[2]) << 16) | (PackColorComponent(color[3]) << 24);
}

} // namespace Util
} // namespace Vorn
