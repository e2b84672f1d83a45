// The game's one modal message box, bound once to the nodes under "/popup": a message, an
// optional small message, up to three buttons and a cancel button. The caller opens it with an
// action identifier, runs Process every tick while it is shown and reads the number of the button
// that closed it right after, in the same tick.
#pragma once

#include "foundation/enums.h"
#include "foundation/string.h"
#include "foundation/types.h"
#include "logic/graph_node.h"
#include "logic/node_observer.h"

namespace Vorn {
namespace Graph {
class IButton;
class IButtonEvent;
class INamespace;
class IScalable;
class IText;
class ITimeline;
class ITransform;
} // namespace Graph

namespace App {

class Popup
{
public:
    static constexpr UInt32 kNoResult = 0;
    static constexpr UInt32 kCancelled = 100;
    static constexpr UInt32 kNumberOfButtons = 3;

    Popup();
    virtual ~Popup();

    // Binds every node; false when one is missing. The language is not used.
    Bool Init(Graph::INamespace* nameSpace, Enums::Language language);
    // Releases every node; false when one could not be released.
    Bool DeInit();

    // A notice without buttons; the caller closes it.
    void ShowMessage(const String& action, const String& message);
    void ShowOneButton(const String& action, const String& message, const String& caption);
    void ShowTwoButtons(const String& action, const String& message, const String& caption1, const String& caption2);
    void ShowTwoButtons(const String& action, const String& message, const String& smallMessage,
                        const String& caption1, const String& caption2);
    // Takes a click, a cancel or back once the opening animation has played, and hides the
    // pop-up once the closing one has.
    void Process(Bool backPressed);
    // 0 none, 1 to 3 the button, 100 cancelled; set for the one tick of the click.
    UInt32 GetResult() const { return mResult; }
    // Exact comparison with the identifier the pop-up was last opened with.
    Bool IsAction(const String& action) const;
    Bool IsOpen() const;
    Bool IsAnimationDone() const;
    // Plays the closing animation; Process hides the pop-up after it.
    void Close();

private:
    Popup(const Popup&) = delete;
    Popup& operator=(const Popup&) = delete;

    using ButtonEvents = Logic::GraphEventT<Graph::IButton, Graph::IButtonEvent>;

    Logic::GraphINode* Observe(Logic::GraphINode* reference);
    // The opening of a question: the cancel button shown, the message above a small one.
    void Open(const String& action, const String& message, const String& smallMessage);
    void Open(const String& action, const String& message, const String& smallMessage, Bool cancelShown,
              Float messageY);
    void SetCaptions(const String& caption1, const String& caption2, const String& caption3);
    void ShowButton(UInt32 index, Bool shown);
    void SetButtonX(UInt32 index, Float x);
    void PlayTimeline(Real startTime, Real endTime);
    static Bool WasClicked(const ButtonEvents& button);

    UInt32 mResult;
    String mAction;
    Bool mBound;
    Logic::GraphNodeT<Graph::INamespace> mRoot;
    Logic::GraphNodeT<Graph::ITimeline> mTimeline;
    Logic::GraphNodeT<Graph::IText> mMessage;
    Logic::GraphNodeT<Graph::IScalable> mMessageScale;
    Logic::GraphNodeT<Graph::IText> mSmallMessage;
    Logic::GraphNodeT<Graph::ITransform> mMessagePosition;
    Logic::GraphNodeT<Graph::ITransform> mButtonPosition[kNumberOfButtons];
    ButtonEvents mButtonEvents[kNumberOfButtons];
    Logic::GraphNodeT<Graph::IText> mButtonCaption[kNumberOfButtons];
    Logic::GraphNodeT<Graph::IScalable> mButtonScale[kNumberOfButtons];
    ButtonEvents mCancelEvents;
    Logic::BaseNodeObserver mNodeObserver;
};

} // namespace App
} // namespace Vorn
