// Light: a transform node that places a light source in the view that encloses it. It owns a
// display light, keeps its four colours (ambient, diffuse, specular, emissive) and adds itself
// with its world transform to the current view's lights in every prepare-output pass. Colour
// tracks of its animation drive the colours through IColored.
#pragma once

#include "foundation/attributes.h"
#include "foundation/types.h"
#include "graph/animation/targets.h"
#include "graph/display/drawable.h"
#include "graph/transform/transform.h"
#include "graph/view/view_targets.h"

namespace Vorn {
namespace Graph {

class Light : public Transform, public ILight, public IColored
{
public:
    static constexpr UInt32 kNumberOfColors = 4;

    Light();
    ~Light() override;

    static INode* Create();
    static const NodeClassInfo& GetClassInfo();

    Bool DeserializeAttribute(UInt32 index, const IAttributes* attributes, const IAttributes* parameters,
                              Bool* error) override;

    Display::ILight* GetDisplayLight() override;

    void SetColor(UInt32 index, const Color& color) override;
    const Color& GetColor(UInt32 index) const override;

protected:
    Bool InitSelf(IInitState* state) override;
    Bool DeInitSelf(IDeInitState* state) override;
    Bool PrepareOutputSelf(IPrepareOutputState* state) override;

private:
    void HandColors();

    Color mColors[kNumberOfColors];
    DisplayHandleT<Display::ILight> mDisplayLight;
    Bool mColorsChanged;
};

} // namespace Graph
} // namespace Vorn
