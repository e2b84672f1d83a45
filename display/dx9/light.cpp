#include "display/dx9/light.h"

#include "foundation/debug.h"

namespace Vorn {
namespace Display {
namespace Dx9 {

namespace {

// An orthographic projection of a 4 x 4 area, y mirrored, depth 0.1 to 40 mapped to -1..1.
const Float kProjection[16] = {0.5f, 0.0f, 0.0f,         0.0f, 0.0f, -0.5f,       0.0f, 0.0f,
                               0.0f, 0.0f, 0.050125312f, 0.0f, -0.0f, 0.0f, -1.0050125f, 1.0f};

} // namespace

Light::Light(Renderer* renderer) : Object(renderer), mProjection(kProjection)
{
    for (auto& color : mColors)
        for (Float& component : color)
            component = 1.0f;
}

void Light::SetColor(UInt32 index, const Float* color)
{
    if (index >= 4 || color == nullptr) {
        Debug::Trace("Display::Dx9::Light::SetColor(): Colour index %u out of range", index);
        return;
    }
    for (UInt32 i = 0; i < 4; ++i)
        mColors[index][i] = color[i];
}

const Float* Light::GetColor(UInt32 index) const { return mColors[index < 4 ? index : 0]; }

const ClassInfo& Light::GetClassInfo()
{
    static const ClassInfo info{"Light", CreateObjectOf<Light>};
    return info;
}

} // namespace Dx9
} // namespace Display
} // namespace Vorn
