// The parameters node ("Parameters"): the colour set of a surface (ambient, diffuse, specular and
// emissive colours and a shininess) fed to the renderer's "Parameters" object as shader variables
// CUSTOM_0 to CUSTOM_4. Under a parent parameters node the values are multiplied with the
// parent's. Only changed values are sent: the node registers with the view in the prepare-output
// pass when something changed and sends in the enqueue-output pass.
#pragma once

#include "foundation/attributes.h"
#include "foundation/string.h"
#include "graph/animation/targets.h"
#include "graph/node.h"
#include "graph/parameters.h"
#include "graph/renderable.h"

namespace Vorn {

namespace Display {
class IObject;
class IParameters;
template <typename T>
class IScalarParameter;
template <typename T, UInt32 N>
class IArrayParameter;
}

namespace Graph {

class Parameters : public Node, public IRenderable, public IParameters, public IColored
{
public:
    static constexpr UInt32 kNumberOfColors = 4;
    // Changed-mask bits: 0-3 the colours, 4 the shininess; 8-15 go with them on a full refresh.
    static constexpr UInt32 kShininessChanged = 0x10u;
    static constexpr UInt32 kAllChanged = 0xFF1Fu;

    Parameters();
    ~Parameters() override;

    static INode* Create();
    static const NodeClassInfo& GetClassInfo();

    Bool DeserializeAttribute(UInt32 index, const IAttributes* attributes, const IAttributes* parameters,
                              Bool* error) override;

    void SetColor(UInt32 index, const Color& color) override;
    const Color& GetColor(UInt32 index) const override;
    void SetShininess(Float shininess) override;
    Float GetShininess() const override;

    Bool CullOutput(ICullOutputState* state) override;
    // Computes the changed effective values, sends them and clears their bits.
    Bool EnqueueOutput(IEnqueueOutputState* state) override;

    // Effective colour 0 for an index of 4 or more.
    virtual const Color& GetEffectiveColor(UInt32 index) const;
    virtual Float GetEffectiveShininess() const;
    // Null before initialisation.
    virtual Display::IParameters* GetParametersObject();
    virtual UInt32 GetChangedMask() const;

protected:
    Bool InitSelf(IInitState* state) override;
    Bool DeInitSelf(IDeInitState* state) override;
    Bool SuspendSelf(IDeInitState* state) override;
    Bool ResumeSelf(IInitState* state) override;
    Bool PrepareOutputSelf(IPrepareOutputState* state) override;

    String mParentParametersId;
    Parameters* mParent;
    Display::IObject* mDisplayObject;
    Display::IParameters* mDisplayParameters;
    Display::IScalarParameter<Float>* mShininessParameter;
    Display::IArrayParameter<Float, 4>* mColorParameters[kNumberOfColors];
    Color mColors[kNumberOfColors];
    Float mShininess;
    Color mEffectiveColors[kNumberOfColors];
    Float mEffectiveShininess;
    UInt32 mChangedMask;
};

} // namespace Graph
} // namespace Vorn
