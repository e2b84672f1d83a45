#include "game/helpers.h"

#include <cmath>

#include "foundation/math.h"
#include "foundation/text.h"

namespace Vorn {
namespace App {

Float AlignToPixelGrid(Float position, Float size, Float step)
{
    return step * (Math::Round(position / step) + 0.5f * Float(std::fmod(size / step, 2.0)));
}

String FormatScore(UInt32 value)
{
    char buffer[64];
    String groups;
    while (value >= 1000) {
        Util::PrintToBuffer(buffer, sizeof(buffer), ",%03u", value % 1000);
        groups = String(buffer) + groups;
        value /= 1000;
    }
    Util::PrintToBuffer(buffer, sizeof(buffer), "%u", value);
    return String(buffer) + groups;
}

} // namespace App
} // namespace Vorn
