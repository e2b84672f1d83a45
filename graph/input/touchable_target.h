// The adapter through which the input side's touchable handler reports touches to one node: it
// forwards each Graph::ITouchable operation to the node's own touch operations. The hit points
// that come with a report are not passed on.
#pragma once

#include "foundation/types.h"
#include "input/touchable_handler.h"

namespace Vorn {
namespace Graph {

template <class Target>
class TouchableTarget : public ITouchable
{
public:
    explicit TouchableTarget(Target* target) : mTarget(target) {}
    ~TouchableTarget() override {}

    TouchableTarget(const TouchableTarget&) = delete;
    TouchableTarget& operator=(const TouchableTarget&) = delete;

    void ClearPointerEvents() override { mTarget->ResetTouches(); }
    void ProcessPointerEvents() override { mTarget->UpdateFromTouches(); }
    void PointerPressed(UInt32 pointer, const Float*, Bool topmost) override
    {
        mTarget->TouchPressed(pointer, topmost);
    }
    void PointerReleased(UInt32 pointer, const Float*, Bool topmost) override
    {
        mTarget->TouchReleased(pointer, topmost);
    }
    void PointerMoved(UInt32 pointer, const Float*, Bool topmost) override { mTarget->TouchHeld(pointer, topmost); }
    void PointerCancelled(UInt32 pointer, const Float*) override { mTarget->TouchCancelled(pointer); }

private:
    Target* mTarget;
};

} // namespace Graph
} // namespace Vorn
