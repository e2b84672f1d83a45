#include "game/levelpaper.h"

#include <cstdio>

#include "graph/input/button.h"
#include "graph/input/button_event.h"
#include "graph/namespace.h"
#include "graph/node.h"
#include "graph/switch.h"
#include "graph/text.h"

namespace Vorn {
namespace App {

namespace {

constexpr SInt32 kLevelpaperDepthOrder = 800500;

} // namespace

Levelpaper::Levelpaper() : GraphPositionObject(kLevelpaperDepthOrder) {}

Bool Levelpaper::Init(Graph::INamespace* nameSpace, const String& path, UInt32 index)
{
    Observe(mInstance.GetReference(nameSpace, path));
    Observe(mSelect.GetReference(nameSpace, path + "/select"));
    for (UInt32 k = 0; k < kStars; ++k) {
        char star[16];
        std::snprintf(star, sizeof(star), "/star%u", unsigned(k + 1));
        Observe(mStar[k].GetReference(nameSpace, path + star));
    }
    Observe(mStageText.GetReference(nameSpace, path + "/stage_text"));
    Observe(mButton.GetReference(nameSpace, path + "/button"));
    Observe(mButtonEvents.GetReference(nameSpace, path + "/button"));
    return BindTransform(nameSpace, path + "/position", index);
}

Graph::INode* Levelpaper::GetRootNode() const
{
    return mInstance.GetNode();
}

void Levelpaper::SetStars(SInt32 count)
{
    for (UInt32 k = 0; k < kStars; ++k) {
        mStar[k].GetNode()->SetActiveAndVisible(count >= 0);
        if (count >= 0)
            mStar[k].Get()->SetIndex(count >= SInt32(k + 1) ? 1 : 0);
    }
}

void Levelpaper::SetSelect(UInt32 index)
{
    if (index < mSelect.GetNode()->GetNumberOfChildren())
        mSelect.Get()->SetIndex(SInt32(index));
    for (Logic::GraphNodeT<Graph::ISwitch>& star : mStar)
        star.GetNode()->SetActiveAndVisible(index > 0);
}

void Levelpaper::SetStageText(const String& text)
{
    mStageText.Get()->SetText(text);
}

void Levelpaper::SetVisible(Bool visible)
{
    mInstance.GetNode()->SetActiveAndVisible(visible);
}

void Levelpaper::SetEnabled(Bool enabled)
{
    mButton.Get()->SetEnabled(enabled);
}

Bool Levelpaper::WasPressed() const
{
    return mButtonEvents.GetEvent() != nullptr && mButtonEvents.GetEvent()->WasPressed();
}

Bool LevelpaperContainer::Init(Graph::INamespace* nameSpace)
{
    return GraphInstanceContainer<Levelpaper>::Init(nameSpace, "/overlaymap", "/levelpaper_container", "/levelpaper");
}

SInt32 LevelpaperContainer::GetPressedIndex() const
{
    for (UInt32 i = 0; i < GetUsedEnd(); ++i) {
        if (IsEntryUsed(i) && GetEntry(i)->WasPressed())
            return SInt32(i);
    }
    return -1;
}

} // namespace App
} // namespace Vorn
