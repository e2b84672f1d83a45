#include "graph/switch.h"

#include <cstring>
#include <new>

#include "foundation/attributes.h"
#include "foundation/debug.h"
#include "graph/animation/animation_evaluators.h"
#include "graph/attribute_names.h"
#include "graph/node_class_info.h"
#include "graph/traversal_state.h"

namespace Vorn {
namespace Graph {

namespace {

IController::EvaluatorCreateFunction gAnimationEvaluatorCreate = &CreateIndexAnimationEvaluator;

} // namespace

Switch::Switch() : mIndex(-1), mIndexGiven(false), mSelectedChild(nullptr)
{
}

Switch::~Switch()
{
}

INode* Switch::Create()
{
    return new (std::nothrow) Switch();
}

const NodeClassInfo& Switch::GetClassInfo()
{
    static const NodeClassInfo& info = *FindBuiltInNodeClassInfo(String("Switch"));
    return info;
}

void Switch::SetAnimationEvaluatorCreateFunction(IController::EvaluatorCreateFunction create)
{
    gAnimationEvaluatorCreate = create;
}

Bool Switch::DeserializeAttribute(UInt32 index, const IAttributes* attributes, const IAttributes* parameters,
                                  Bool* error)
{
    switch (SwitchAttributes::GetTable().FindAttribute(attributes, index)) {
    case SwitchAttributes::kSelectedChildId:
        attributes->GetValue(index, parameters, &mSelectedChildId, error);
        return true;
    case SwitchAttributes::kIndex:
        attributes->GetValue(index, parameters, &mIndex, error);
        mIndexGiven = mIndex >= 0;
        return true;
    default:
        return Node::DeserializeAttribute(index, attributes, parameters, error);
    }
}

Bool Switch::SetIndex(SInt32 index)
{
    mSelectedChild = nullptr;
    mIndex = -1;
    for (SInt32 k = 0; k < mChildren.GetCount(); ++k) {
        if (k == index) {
            mSelectedChild = mChildren[k];
            mIndex = k;
            mChildren[k]->SetActiveAndVisible(true);
        } else {
            mChildren[k]->SetActiveAndVisible(false);
        }
    }
    return index < 0 || index < mChildren.GetCount();
}

SInt32 Switch::GetIndex() const
{
    return mIndex;
}

UInt32 Switch::GetNumberOfIndices() const
{
    return UInt32(mChildren.GetCount());
}

Bool Switch::SetSelectedChildId(const String& id)
{
    mSelectedChild = nullptr;
    mIndex = -1;
    const Bool none = id.IsEmpty();
    for (SInt32 k = 0; k < mChildren.GetCount(); ++k) {
        if (!none && mChildren[k]->GetId() == id) {
            mSelectedChild = mChildren[k];
            mIndex = k;
            mChildren[k]->SetActiveAndVisible(true);
        } else {
            mChildren[k]->SetActiveAndVisible(false);
        }
    }
    return none || mSelectedChild != nullptr;
}

const INode* Switch::FindSelectedChild() const
{
    if (mSelectedChild == nullptr)
        return nullptr;
    // Children removed after the selection keep their pointer here; one that is gone may no
    // longer exist.
    if (mIndex >= 0 && mIndex < mChildren.GetCount() && mChildren[mIndex] == mSelectedChild)
        return mSelectedChild;
    for (const INode* child : mChildren) {
        if (child == mSelectedChild)
            return child;
    }
    return nullptr;
}

INode* Switch::GetSelectedChild()
{
    return const_cast<INode*>(FindSelectedChild());
}

Bool Switch::IsSelectedChildId(const String& id) const
{
    const INode* child = FindSelectedChild();
    return child != nullptr && child->GetId() == id;
}

Bool Switch::IsSelectedChildId(const char* id) const
{
    const INode* child = FindSelectedChild();
    return child != nullptr && id != nullptr && std::strcmp(child->GetId().GetText(), id) == 0;
}

Bool Switch::InitSelf(IInitState* state)
{
    if (!Node::InitSelf(state)) {
        Debug::Trace("Graph::Switch::InitSelf(%s): InitSelf() of superclass failed", mId.GetText());
        return false;
    }
    // Checked against what the graph gave, so that a switch selected by id initialises again
    // after a DeInit.
    if (mIndexGiven && !mSelectedChildId.IsEmpty()) {
        Debug::Trace("Graph::Switch::InitSelf(%s): Cannot specify both index (%d) and ID (\"%s\") for selected child",
                     mId.GetText(), mIndex, mSelectedChildId.GetText());
        return false;
    }
    if (mIndex >= 0) {
        const SInt32 index = mIndex;
        if (!SetIndex(index)) {
            Debug::Trace("Graph::Switch::InitSelf(%s): Selected child index %d out of range", mId.GetText(), index);
            return false;
        }
    } else if (!mSelectedChildId.IsEmpty()) {
        if (!SetSelectedChildId(mSelectedChildId)) {
            Debug::Trace("Graph::Switch::InitSelf(%s): Selected child \"%s\" not found", mId.GetText(),
                         mSelectedChildId.GetText());
            return false;
        }
    }
    if (mController != nullptr && gAnimationEvaluatorCreate != nullptr)
        mController->AddEvaluator(gAnimationEvaluatorCreate);
    return true;
}

Bool Switch::InitChildren(IInitState* state)
{
    if (!Node::InitChildren(state)) {
        Debug::Trace("Graph::Switch::InitChildren(%s): InitChildren() of superclass failed", mId.GetText());
        return false;
    }
    return SetIndex(mIndex);
}

Bool Switch::ProcessLogicChildren(IProcessLogicState* state)
{
    INode* child = GetSelectedChild();
    if (child != nullptr && !child->ProcessLogic(state)) {
        Debug::Trace("Graph::Switch::ProcessLogicChildren(%s): Failed for child %d", mId.GetText(), mIndex);
        return false;
    }
    return true;
}

Bool Switch::PrepareOutputChildren(IPrepareOutputState* state)
{
    INode* child = GetSelectedChild();
    if (child != nullptr && !child->PrepareOutput(state)) {
        Debug::Trace("Graph::Switch::PrepareOutputChildren(%s): Failed for child %d", mId.GetText(), mIndex);
        return false;
    }
    return true;
}

} // namespace Graph
} // namespace Vorn
