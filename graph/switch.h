// Shows and processes at most one of its children: stages, menu pages and object variants are
// selected through it, by index or by child id.
#pragma once

#include "foundation/string.h"
#include "foundation/types.h"
#include "graph/controller.h"
#include "graph/indexed.h"
#include "graph/node.h"

namespace Vorn {
namespace Graph {

class ISwitch : public IIndexed
{
public:
    // Shows every child with the id and selects the last of them; an empty id hides every
    // child and returns true. False when no child has the id (all are hidden then).
    virtual Bool SetSelectedChildId(const String& id) = 0;
    // Null when nothing is selected.
    virtual INode* GetSelectedChild() = 0;
    // False when nothing is selected.
    virtual Bool IsSelectedChildId(const String& id) const = 0;
    virtual Bool IsSelectedChildId(const char* id) const = 0;
};

class Switch : public Node, public ISwitch
{
public:
    Switch();
    ~Switch() override;

    static INode* Create();
    static const NodeClassInfo& GetClassInfo();

    // The maker of the evaluator that drives the index from index keys; the animation code's by
    // default. Null leaves a node's animation without that evaluator.
    static void SetAnimationEvaluatorCreateFunction(IController::EvaluatorCreateFunction create);

    Bool DeserializeAttribute(UInt32 index, const IAttributes* attributes, const IAttributes* parameters,
                              Bool* error) override;

    // Shows the child at index, hides all others; past the end hides all and returns false.
    Bool SetIndex(SInt32 index) override;
    SInt32 GetIndex() const override;
    UInt32 GetNumberOfIndices() const override;

    Bool SetSelectedChildId(const String& id) override;
    // Also null when the selected child has since been removed from the switch.
    INode* GetSelectedChild() override;
    Bool IsSelectedChildId(const String& id) const override;
    Bool IsSelectedChildId(const char* id) const override;

    const String& GetSelectedChildIdAttribute() const { return mSelectedChildId; }

protected:
    // Refuses both "index" and "selectedChildId", and a selection that finds no child.
    Bool InitSelf(IInitState* state) override;
    // Applies the selection again once the children have initialised.
    Bool InitChildren(IInitState* state) override;
    // Only the selected child takes part in these passes.
    Bool ProcessLogicChildren(IProcessLogicState* state) override;
    Bool PrepareOutputChildren(IPrepareOutputState* state) override;

private:
    // The selected child while it is still one of the children, else null.
    const INode* FindSelectedChild() const;

    SInt32 mIndex;
    // "index" was given: the current index alone cannot tell, once a selection by id has set it.
    Bool mIndexGiven;
    String mSelectedChildId;
    INode* mSelectedChild;
};

} // namespace Graph
} // namespace Vorn
