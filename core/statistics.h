// Frame statistics: how long each stage of a frame takes on the main and logic threads, the
// node counts of the passes, and the text report that the engine writes into the debug text
// nodes under "/debug/" when the game's graphs contain them.
// No lock: the logic thread writes its timers while the main thread waits for it or draws; the
// main thread resets them before it releases the logic thread and smooths them after.
#pragma once

#include "core/clock.h"
#include "foundation/string.h"
#include "foundation/time.h"
#include "foundation/types.h"

namespace Vorn {

class IConfiguration;

namespace Graph {
class INode;
class IRoot;
class IScalable;
class IText;
} // namespace Graph

namespace Core {

class Statistics
{
public:
    // The timed stages, in report order; Rend is reported apart and not in the total.
    enum Stage { kProc, kFnsh, kStep, kAnim, kPrep, kCull, kEnqu, kRend, kNumberOfStages };
    // The node counts, in report order.
    enum Count { kInitCount, kProcCount, kFnshCount, kPrepCount, kCullCount, kEnquCount, kNumberOfCounts };

    // A null time source reads the system clock.
    explicit Statistics(Clock::TimeSource timeSource = nullptr);
    virtual ~Statistics();

    Statistics(const Statistics&) = delete;
    Statistics& operator=(const Statistics&) = delete;

    void StartTimer(Stage stage);
    // Adds the microseconds since the timer's start to the stage's time of this frame.
    void StopTimer(Stage stage);
    void SetCount(Count count, UInt32 value);
    // Clears the times of this frame.
    void Reset();
    // Each smoothed time moves a tenth of the way to this frame's time.
    void Smooth();
    Double GetFrameTime(Stage stage) const;
    Double GetSmoothedTime(Stage stage) const;

    // The stage and count lines of the system message.
    String BuildReport() const;

    // Finds the debug nodes under the root; a missing node, or one without the expected
    // interface (text or scalable), leaves its slot empty and is no failure. The scale nodes get
    // the scale.
    Bool BindNodes(Graph::IRoot* root, Float scale);
    // Gives the scale nodes the debug text scale when it changed after the stamp.
    void ConfigChanged(const IConfiguration* configuration, UInt32 stamp);
    // Releases the bound nodes.
    void ReleaseNodes();

    Bool HasSystemMessage() const;
    Bool HasUserMessage() const;
    // Nothing when the node is not bound.
    void SetSystemMessage(const String& text);
    void SetUserMessage(const String& text);

    // The whole system message: frames per second and logic steps of the clock's frame, then
    // the report.
    String BuildSystemMessage(const IClock* clock) const;

private:
    struct Timer
    {
        System::Time mStart;
        System::Time mEnd;
        Double mAccumulated = 0.0;
        Double mSmoothed = 0.0;
    };

    // A bound debug node: the counted node and its interface.
    template <typename Interface>
    struct DebugNode
    {
        Graph::INode* mNode = nullptr;
        Interface* mInterface = nullptr;
    };

    template <typename Interface>
    static void Bind(Graph::IRoot* root, const char* path, DebugNode<Interface>& slot);
    template <typename Interface>
    static void Release(DebugNode<Interface>& slot);
    void ApplyScale(Float scale);

    Clock::TimeSource mTimeSource;
    UInt32 mCounts[kNumberOfCounts];
    Timer mTimers[kNumberOfStages];
    DebugNode<Graph::IText> mSystemMessage;
    DebugNode<Graph::IScalable> mSystemScale;
    DebugNode<Graph::IText> mUserMessage;
    DebugNode<Graph::IScalable> mUserScale;
};

} // namespace Core
} // namespace Vorn
