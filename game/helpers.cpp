#include "game/helpers.h"

#include <atomic>
#include <cmath>

#include "foundation/math.h"
#include "foundation/text.h"

namespace Vorn {
namespace App {

namespace {

// Written on the logic thread and by the logic root's init, read by every processor.
std::atomic<Float> gUnitsPerPixel{1.0f};

} // namespace

Float AlignToPixelGrid(Float position, Float size, Float step)
{
    return step * (Math::Round(position / step) + 0.5f * Float(std::fmod(size / step, 2.0)));
}

Float GetUnitsPerPixel()
{
    return gUnitsPerPixel.load(std::memory_order_relaxed);
}

void SetUnitsPerPixel(Float unitsPerPixel)
{
    if (unitsPerPixel > 0.0f)
        gUnitsPerPixel.store(unitsPerPixel, std::memory_order_relaxed);
}

Float AlignToPixelGrid(Float position, Float size)
{
    return AlignToPixelGrid(position, size, GetUnitsPerPixel());
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
