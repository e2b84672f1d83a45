#include "graph/display/light.h"

#include <new>

#include "foundation/debug.h"
#include "graph/animation/animation_evaluators.h"
#include "graph/attribute_names.h"
#include "graph/controller.h"
#include "graph/node_class_info.h"
#include "graph/traversal_state.h"
#include "graph/view.h"

namespace Vorn {
namespace Graph {

Light::Light()
    : mColors{{1.0f, 1.0f, 1.0f, 1.0f}, {1.0f, 1.0f, 1.0f, 1.0f}, {1.0f, 1.0f, 1.0f, 1.0f}, {0.0f, 0.0f, 0.0f, 0.0f}},
      mColorsChanged(true)
{
    AddFlags(kNeedsPrepareOutput);
}

Light::~Light()
{
}

INode* Light::Create()
{
    return new (std::nothrow) Light();
}

const NodeClassInfo& Light::GetClassInfo()
{
    static const NodeClassInfo& info = *FindBuiltInNodeClassInfo(String("Light"));
    return info;
}

Bool Light::DeserializeAttribute(UInt32 index, const IAttributes* attributes, const IAttributes* parameters,
                                 Bool* error)
{
    const UInt32 attribute = LightAttributes::GetTable().FindAttribute(attributes, index);
    if (attribute < LightAttributes::kCount) {
        attributes->GetValue(index, parameters, &mColors[attribute], error);
        return true;
    }
    return Transform::DeserializeAttribute(index, attributes, parameters, error);
}

Display::ILight* Light::GetDisplayLight()
{
    return mDisplayLight.Get();
}

void Light::SetColor(UInt32 index, const Color& color)
{
    if (index >= kNumberOfColors)
        return;
    mColors[index] = color;
    mColorsChanged = true;
}

const Color& Light::GetColor(UInt32 index) const
{
    return mColors[index < kNumberOfColors ? index : 0];
}

void Light::HandColors()
{
    for (UInt32 i = 0; i < kNumberOfColors; ++i) {
        const Float color[4] = {mColors[i].red, mColors[i].green, mColors[i].blue, mColors[i].alpha};
        mDisplayLight->SetColor(i, color);
    }
    mColorsChanged = false;
}

Bool Light::InitSelf(IInitState* state)
{
    if (!Transform::InitSelf(state)) {
        Debug::Trace("Graph::Light::InitSelf(%s): InitSelf() of superclass failed", mId.GetText());
        return false;
    }
    if (!mDisplayLight.Create(state->GetDisplayRenderer(), "Light")) {
        Debug::Trace("Graph::Light::InitSelf(%s): Failed to create light object", mId.GetText());
        return false;
    }
    HandColors();
    if (mController != nullptr)
        mController->AddEvaluator(&CreateColorAnimationEvaluator);
    return true;
}

Bool Light::DeInitSelf(IDeInitState* state)
{
    mDisplayLight.Destroy(state->GetDisplayRenderer());
    return Transform::DeInitSelf(state);
}

Bool Light::PrepareOutputSelf(IPrepareOutputState* state)
{
    if (!Transform::PrepareOutputSelf(state))
        return false;
    IView* view = state->GetCurrentView();
    if (view == nullptr) {
        Debug::Trace("Graph::Light::PrepareOutputSelf(%s): No view node to attach to", mId.GetText());
        return false;
    }
    if (mColorsChanged)
        HandColors();
    view->AddLight(this, state->GetTransform());
    return true;
}

} // namespace Graph
} // namespace Vorn
