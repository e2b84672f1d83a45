#include "graph/render/parameters.h"

#include <new>

#include "display/object.h"
#include "display/renderer.h"
#include "foundation/debug.h"
#include "graph/animation/animation_evaluators.h"
#include "graph/attribute_names.h"
#include "graph/backend_object.h"
#include "graph/controller.h"
#include "graph/node_class_info.h"
#include "graph/render/bound_node.h"
#include "graph/traversal_state.h"

namespace Vorn {
namespace Graph {

Parameters::Parameters()
    : mParent(nullptr),
      mDisplayObject(nullptr),
      mDisplayParameters(nullptr),
      mShininessParameter(nullptr),
      mColors{{0.2f, 0.2f, 0.2f, 1.0f}, {1.0f, 1.0f, 1.0f, 1.0f}, {1.0f, 1.0f, 1.0f, 1.0f}, {0.0f, 0.0f, 0.0f, 0.0f}},
      mShininess(1.0f),
      mEffectiveShininess(1.0f),
      mChangedMask(kAllChanged)
{
    for (UInt32 i = 0; i < kNumberOfColors; ++i) {
        mColorParameters[i] = nullptr;
        mEffectiveColors[i] = mColors[i];
    }
    AddFlags(kNeedsPrepareOutput);
}

Parameters::~Parameters() {}

INode* Parameters::Create()
{
    return new (std::nothrow) Parameters();
}

const NodeClassInfo& Parameters::GetClassInfo()
{
    static const NodeClassInfo& info = *FindBuiltInNodeClassInfo(String("Parameters"));
    return info;
}

Bool Parameters::DeserializeAttribute(UInt32 index, const IAttributes* attributes, const IAttributes* parameters,
                                      Bool* error)
{
    const UInt32 attribute = ParametersAttributes::GetTable().FindAttribute(attributes, index);
    if (attribute < kNumberOfColors) {
        attributes->GetValue(index, parameters, &mColors[attribute], error);
        return true;
    }
    if (attribute == ParametersAttributes::kShininess) {
        attributes->GetValue(index, parameters, &mShininess, error);
        return true;
    }
    if (attribute == ParametersAttributes::kParentParametersId) {
        attributes->GetValue(index, parameters, &mParentParametersId, error);
        return true;
    }
    return Node::DeserializeAttribute(index, attributes, parameters, error);
}

void Parameters::SetColor(UInt32 index, const Color& color)
{
    if (index >= kNumberOfColors)
        return;
    mColors[index] = color;
    mChangedMask |= 1u << index;
}

const Color& Parameters::GetColor(UInt32 index) const
{
    return mColors[index < kNumberOfColors ? index : 0];
}

void Parameters::SetShininess(Float shininess)
{
    mShininess = shininess;
    mChangedMask |= kShininessChanged;
}

Float Parameters::GetShininess() const
{
    return mShininess;
}

const Color& Parameters::GetEffectiveColor(UInt32 index) const
{
    return mEffectiveColors[index < kNumberOfColors ? index : 0];
}

Float Parameters::GetEffectiveShininess() const
{
    return mEffectiveShininess;
}

Display::IParameters* Parameters::GetParametersObject()
{
    return mDisplayParameters;
}

UInt32 Parameters::GetChangedMask() const
{
    return mChangedMask;
}

Bool Parameters::InitSelf(IInitState* state)
{
    const char* id = mId.GetText();
    if (!Node::InitSelf(state)) {
        Debug::Trace("Graph::Parameters::InitSelf(%s): InitSelf() of superclass failed", id);
        return false;
    }
    for (UInt32 i = 0; i < kNumberOfColors; ++i)
        mEffectiveColors[i] = mColors[i];
    mEffectiveShininess = mShininess;
    if (!mParentParametersId.IsEmpty()) {
        Bool found = false;
        mParent = FindBoundNode<Parameters>(state, mParentParametersId, &found);
        if (mParent == nullptr) {
            Debug::Trace(found ? "Graph::Parameters::InitSelf(%s): Referenced parent \"%s\" is not a parameters node"
                               : "Graph::Parameters::InitSelf(%s): Failed to get parent parameters node \"%s\"",
                         id, mParentParametersId.GetText());
            return false;
        }
    }
    mDisplayParameters =
        BackEndObject::Create<Display::IParameters>(state->GetDisplayRenderer(), "Parameters", mDisplayObject);
    if (mDisplayParameters == nullptr) {
        Debug::Trace("Graph::Parameters::InitSelf(%s): Failed to create parameters object", id);
        return false;
    }
    mShininessParameter = mDisplayParameters->CreateFloatParameter(Enums::ShaderVariable::CUSTOM_4);
    if (mShininessParameter != nullptr)
        mShininessParameter->SetValue(mShininess);
    for (UInt32 i = 0; i < kNumberOfColors; ++i) {
        mColorParameters[i] = mDisplayParameters->CreateFloatVector4Parameter(
            Enums::ShaderVariable(UInt32(Enums::ShaderVariable::CUSTOM_0) + i));
        if (mColorParameters[i] != nullptr)
            mColorParameters[i]->SetValue(&mColors[i].red);
    }
    if (!BackEndObject::Init(mDisplayObject, LogSite{"Parameters", "InitSelf", mId},
                             "Failed to initialize parameters object"))
        return false;
    if (mController != nullptr)
        mController->AddEvaluator(&CreateColorAnimationEvaluator);
    return true;
}

Bool Parameters::DeInitSelf(IDeInitState* state)
{
    if (!BackEndObject::Destroy(state->GetDisplayRenderer(), mDisplayObject, LogSite{"Parameters", "DeInitSelf", mId},
                                "Failed to deinitialize parameters object"))
        return false;
    mDisplayParameters = nullptr;
    mShininessParameter = nullptr;
    for (UInt32 i = 0; i < kNumberOfColors; ++i)
        mColorParameters[i] = nullptr;
    if (!ReleaseBoundNode(mParent)) {
        Debug::Trace("Graph::Parameters::DeInitSelf(%s): Failed to remove parent parameters node reference",
                     mId.GetText());
        return false;
    }
    return Node::DeInitSelf(state);
}

Bool Parameters::SuspendSelf(IDeInitState* state)
{
    return BackEndObject::Suspend(mDisplayObject, state->GetConfiguration(), Enums::MemoryObjectType::OTHER,
                                  LogSite{"Parameters", "SuspendSelf", mId}, "Failed to deinitialize parameters object");
}

Bool Parameters::ResumeSelf(IInitState* state)
{
    if (!BackEndObject::Resume(mDisplayObject, state->GetConfiguration(), Enums::MemoryObjectType::OTHER,
                               LogSite{"Parameters", "ResumeSelf", mId}, "Failed to initialize parameters object"))
        return false;
    if (BackEndObject::IsReleasedOnSuspend(state->GetConfiguration(), Enums::MemoryObjectType::OTHER))
        mChangedMask |= kAllChanged;
    return true;
}

Bool Parameters::PrepareOutputSelf(IPrepareOutputState* state)
{
    if (!Node::PrepareOutputSelf(state))
        return false;
    // A parent stands earlier in the traversal and clears its bits only when it is served, so its
    // changes reach this node in the same pass.
    if (IsJustMadeVisible(state))
        mChangedMask |= kAllChanged;
    else if (mParent != nullptr)
        mChangedMask |= mParent->GetChangedMask();
    if ((mChangedMask & kAllChanged) != 0)
        state->AddRenderable(this, false);
    return true;
}

Bool Parameters::CullOutput(ICullOutputState*)
{
    return true;
}

Bool Parameters::EnqueueOutput(IEnqueueOutputState*)
{
    for (UInt32 i = 0; i < kNumberOfColors; ++i) {
        if ((mChangedMask & (1u << i)) == 0)
            continue;
        mEffectiveColors[i] = mColors[i];
        if (mParent != nullptr) {
            const Color& parent = mParent->GetEffectiveColor(i);
            mEffectiveColors[i].red *= parent.red;
            mEffectiveColors[i].green *= parent.green;
            mEffectiveColors[i].blue *= parent.blue;
            mEffectiveColors[i].alpha *= parent.alpha;
        }
        if (mColorParameters[i] != nullptr)
            mColorParameters[i]->SetValue(&mEffectiveColors[i].red);
    }
    if ((mChangedMask & kShininessChanged) != 0) {
        mEffectiveShininess = mParent != nullptr ? mParent->GetEffectiveShininess() * mShininess : mShininess;
        if (mShininessParameter != nullptr)
            mShininessParameter->SetValue(mEffectiveShininess);
    }
    mChangedMask &= ~kAllChanged;
    return true;
}

} // namespace Graph
} // namespace Vorn
