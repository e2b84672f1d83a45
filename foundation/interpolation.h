// The ten interpolation curves shared by the scene graph's animation evaluators and the logic
// framework's animations: the weight of a key segment at a position within it.
#pragma once

#include "foundation/enums.h"
#include "foundation/types.h"

namespace Vorn {
namespace Logic {

// The weight w of the segment at position u (0 at the segment's start, 1 at its end; not
// clamped, so a u outside 0 to 1 extends the curve). CONSTANT gives 0, every other curve 0 at
// u = 0 and 1 at u = 1; a value that is no interpolation kind behaves as LINEAR. Computed in
// double precision with the curves' shifted positions rounded to float, so results match on
// every build.
Float Interpolate(Enums::InterpolationType type, Float u);

} // namespace Logic
} // namespace Vorn
