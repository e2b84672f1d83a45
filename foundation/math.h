// Scalar maths of the engine: table sine and cosine for the per-frame float code, thin
// wrappers over the runtime library for everything else, and the float-to-colour packer.
#pragma once

#include "foundation/types.h"

namespace Vorn {
namespace Math {

constexpr Double Pi = 3.14159265358979323846;
constexpr Double TwoPi = 6.28318530717958647692;

// Number of entries of the sine table; they cover half a turn, one step being Pi / 16384.
constexpr UInt32 SineTableSize = 16384;

// Entry i is sin(i * Pi / 16384) in double precision rounded to float.
const Float* SineTable();

// Table sine and cosine: the angle is rounded to the nearest table step (halves away from
// zero); no interpolation. An angle too large for the step count (or NaN) reads step 0.
Float Sin(Float angle);
Float Cos(Float angle);

// The runtime library's sine and cosine.
Double Sin(Double angle);
Double Cos(Double angle);

// The angle reduced into [0, 2 Pi).
Double WrapAngle(Double angle);
Float WrapAngle(Float angle);

// Halves away from zero: x < 0 gives ceil(x - 0.5), otherwise floor(x + 0.5).
Double Round(Double x);
Float Round(Float x);

Double Floor(Double x);
Float Floor(Float x);
Double Ceil(Double x);
Float Ceil(Float x);
Double Abs(Double x);
Float Abs(Float x);
// -1, 1, or 0 for zero and NaN.
Float Sign(Float x);

// The float variants compute in double and round the result to float.
Double Sqrt(Double x);
Float Sqrt(Float x);
Double Exp(Double x);
Float Tan(Float x);
Float ArcTan(Float x);
Float ArcCos(Float x);
Float Fmod(Float x, Float y);

} // namespace Math

namespace Util {

// Packs a colour of four floats (red, green, blue, alpha; nominally 0 to 1) into a word with red
// in bits 0-7 and alpha in bits 24-31. Each component times 255 is truncated and keeps its low
// 8 bits: no clamping, so 1.5 packs to 126. A component that is not a finite number packs to 0.
UInt32 ColorToUInt32(const Float color[4]);

} // namespace Util
} // namespace Vorn
