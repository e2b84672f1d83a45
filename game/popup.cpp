#include "game/popup.h"

#include "foundation/text.h"
#include "game/graph_position_object.h"
#include "game/helpers.h"
#include "graph/input/button.h"
#include "graph/input/button_event.h"
#include "graph/namespace.h"
#include "graph/node.h"
#include "graph/text.h"
#include "graph/time/timeline.h"
#include "graph/transform/scalable.h"
#include "graph/transform/transform.h"

namespace Vorn {
namespace App {

namespace {

// The graph's animation: the opening segment, then the closing one further on.
constexpr Real kOpenStart = 0.0f;
constexpr Real kOpenEnd = 0.5f;
constexpr Real kCloseStart = 10.0f;
constexpr Real kCloseEnd = 10.25f;

constexpr Float kButtonX = 160.0f;
constexpr Float kMessageY = 58.0f;
constexpr Float kMessageYAboveSmall = 82.0f;

void Switch(const Logic::GraphINode& reference, Bool on)
{
    if (Graph::INode* node = reference.GetNode())
        node->SetActiveAndVisible(on);
}

} // namespace

Popup::Popup() : mResult(kNoResult), mBound(false)
{
}

Popup::~Popup()
{
}

Logic::GraphINode* Popup::Observe(Logic::GraphINode* reference)
{
    mNodeObserver.GetNodeObserver()->Add(reference);
    return reference;
}

Bool Popup::Init(Graph::INamespace* nameSpace, Enums::Language)
{
    if (nameSpace == nullptr)
        return false;
    Observe(mRoot.GetReference(nameSpace, "/popup"));
    Observe(mTimeline.GetReference(nameSpace, "/popup/timeline"));
    Observe(mMessage.GetReference(nameSpace, "/popup/message"));
    Observe(mMessageScale.GetReference(nameSpace, "/popup/message_scale"));
    Observe(mSmallMessage.GetReference(nameSpace, "/popup/message_small"));
    Observe(mMessagePosition.GetReference(nameSpace, "/popup/message"));
    for (UInt32 i = 0; i < kNumberOfButtons; ++i) {
        char number[16];
        Util::PrintToBuffer(number, sizeof(number), "%u", i + 1);
        const String button = String("/popup/button") + number;
        Observe(mButtonPosition[i].GetReference(nameSpace, button));
        Observe(mButtonEvents[i].GetReference(nameSpace, button));
        Observe(mButtonCaption[i].GetReference(nameSpace, String("/popup/button_text") + number));
        Observe(mButtonScale[i].GetReference(nameSpace, button + "scale"));
    }
    Observe(mCancelEvents.GetReference(nameSpace, "/popup/button_cancel"));
    if (!mNodeObserver.GetNodeObserver()->AreAllValid())
        return false;
    mResult = kNoResult;
    mBound = true;
    return true;
}

Bool Popup::DeInit()
{
    mBound = false;
    return mNodeObserver.GetNodeObserver()->RemoveAll();
}

void Popup::ShowButton(UInt32 index, Bool shown)
{
    Switch(mButtonEvents[index], shown);
}

void Popup::SetButtonX(UInt32 index, Float x)
{
    mButtonPosition[index].Get()->SetPositionX(AlignToPixelGrid(x, 0.0f));
}

void Popup::PlayTimeline(Real startTime, Real endTime)
{
    Graph::ITimeline* timeline = mTimeline.Get();
    timeline->SetStartTime(startTime);
    timeline->SetEndTime(endTime);
    timeline->Rewind();
    timeline->Start();
}

void Popup::SetCaptions(const String& caption1, const String& caption2, const String& caption3)
{
    const String* captions[kNumberOfButtons] = {&caption1, &caption2, &caption3};
    for (UInt32 i = 0; i < kNumberOfButtons; ++i) {
        if (!captions[i]->IsEmpty())
            mButtonCaption[i].Get()->SetText(*captions[i]);
    }
    for (Logic::GraphNodeT<Graph::IScalable>& scale : mButtonScale)
        scale.Get()->SetScaleFactor(1.0f, 1.0f, 1.0f);
}

void Popup::Open(const String& action, const String& message, const String& smallMessage, Bool cancelShown,
                 Float messageY)
{
    mMessageScale.Get()->SetScaleFactor(1.0f, 1.0f, 1.0f);
    mAction = action;
    mMessage.Get()->SetText(message);
    mSmallMessage.Get()->SetText(smallMessage);
    mResult = kNoResult;
    Switch(mRoot, true);
    Switch(mCancelEvents, cancelShown);
    mMessagePosition.Get()->SetPositionY(messageY);
    PlayTimeline(kOpenStart, kOpenEnd);
}

void Popup::Open(const String& action, const String& message, const String& smallMessage)
{
    const Float messageY = smallMessage.IsEmpty() ? kMessageY : kMessageYAboveSmall;
    Open(action, message, smallMessage, true, AlignToPixelGrid(messageY, 0.0f));
}

void Popup::ShowMessage(const String& action, const String& message)
{
    if (!mBound)
        return;
    for (UInt32 i = 0; i < kNumberOfButtons; ++i)
        ShowButton(i, false);
    Open(action, message, String(), false, 0.0f);
}

void Popup::ShowOneButton(const String& action, const String& message, const String& caption)
{
    if (!mBound)
        return;
    SetButtonX(0, 0.0f);
    ShowButton(0, true);
    ShowButton(1, false);
    ShowButton(2, false);
    SetCaptions(caption, String(), String());
    Open(action, message, String());
}

void Popup::ShowTwoButtons(const String& action, const String& message, const String& caption1,
                           const String& caption2)
{
    ShowTwoButtons(action, message, String(), caption1, caption2);
}

void Popup::ShowTwoButtons(const String& action, const String& message, const String& smallMessage,
                           const String& caption1, const String& caption2)
{
    if (!mBound)
        return;
    SetButtonX(0, -kButtonX);
    SetButtonX(1, kButtonX);
    ShowButton(0, true);
    ShowButton(1, true);
    ShowButton(2, false);
    SetCaptions(caption1, caption2, String());
    Open(action, message, smallMessage);
}

Bool Popup::WasClicked(const ButtonEvents& button)
{
    return button.GetEvent() != nullptr && button.GetEvent()->WasReleasedInside();
}

void Popup::Process(Bool backPressed)
{
    mResult = kNoResult;
    if (!mBound)
        return;
    Graph::ITimeline* timeline = mTimeline.Get();
    // Clicks during an animation do not count.
    if (!timeline->IsRunning()) {
        for (UInt32 i = 0; i < kNumberOfButtons && mResult == kNoResult; ++i) {
            if (WasClicked(mButtonEvents[i]))
                mResult = i + 1;
        }
        if (mResult == kNoResult &&
            (WasClicked(mCancelEvents) || (backPressed && mCancelEvents.GetNode()->IsActiveAndVisible())))
            mResult = kCancelled;
        if (mResult != kNoResult)
            Close();
    }
    // Only the end of the closing segment hides the pop-up.
    if (timeline->WasStopped() && timeline->GetCurrentTime() > Double(kCloseStart))
        Switch(mRoot, false);
}

Bool Popup::IsAction(const String& action) const
{
    return mAction == action;
}

Bool Popup::IsOpen() const
{
    return mRoot.GetNode() != nullptr && mRoot.GetNode()->IsActiveAndVisible();
}

Bool Popup::IsAnimationDone() const
{
    return !mTimeline.IsValid() || !mTimeline.Get()->IsRunning();
}

void Popup::Close()
{
    if (mBound)
        PlayTimeline(kCloseStart, kCloseEnd);
}

} // namespace App
} // namespace Vorn
