#include "graph/input/button.h"

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "foundation/enum_table.h"
#include "graph/factory.h"
#include "graph/finish_logic_state.h"
#include "graph/init_state.h"
#include "graph/node_class_info.h"
#include "graph/process_logic_state.h"
#include "graph/root.h"
#include "graph/service_state.h"
#include "graph/time/timeline.h"
#include "tests/support/fake_clock.h"
#include "tests/support/fake_touchable_handler.h"
#include "tests/support/graph_fixture.h"

namespace Vorn {
namespace Graph {
namespace {

// A timeline child that records what the button asks of it.
class RecordingTimeline : public Node, public ITimeline
{
public:
    static INode* Create() { return new RecordingTimeline(); }

    void Reset() override {}
    void Start(Real startTime, Real endTime) override
    {
        mStartTime = startTime;
        SetEndTime(endTime);
        Start();
    }
    void Start() override { ++mStarts; }
    void Pause() override {}
    void Stop() override {}
    void Rewind() override {}
    void SetStartTime(Real seconds) override { mStartTime = seconds; }
    void SetEndTime(Real seconds) override { mEndTimes.push_back(seconds); }
    void SetNumberOfLoops(SInt32) override {}
    void SetTimeScale(Real) override {}
    void SetAutoRewind(Bool) override {}
    void SetStartOnActivate(Bool) override {}
    void SetStopOnDeactivate(Bool) override {}
    Real GetStartTime() const override { return mStartTime; }
    Real GetEndTime() const override { return mEndTimes.empty() ? 0.0 : mEndTimes.back(); }
    SInt32 GetNumberOfLoops() const override { return 0; }
    Real GetTimeScale() const override { return 1.0; }
    Bool GetAutoRewind() const override { return false; }
    Bool GetStartOnActivate() const override { return false; }
    Bool GetStopOnDeactivate() const override { return false; }
    Bool IsRunning() const override { return mStarts > 0; }
    Bool IsPaused() const override { return false; }
    Bool WasStopped() const override { return false; }
    Double GetCurrentTime() const override { return 0.0; }
    Double GetRemainingTime() const override { return 0.0; }

    Real mStartTime = 0.0;
    std::vector<Real> mEndTimes;
    UInt32 mStarts = 0;
};

const NodeClassInfo kButtonInfo(String("Button"), &Button::Create);
const NodeClassInfo kRecordingTimelineInfo(String("RecordingTimeline"), &RecordingTimeline::Create);

// One report of the touchable handler.
struct Report
{
    SInt32 mKind; // Button::TouchKind
    UInt32 mTouch;
    Bool mInside;
};

constexpr SInt32 kDown = Button::kPressed;
constexpr SInt32 kUp = Button::kReleased;
constexpr SInt32 kMove = Button::kHeld;
constexpr SInt32 kCancel = Button::kCancelled;

// The three flags of an event as one value: released inside, pressed, released outside.
struct Flags
{
    Bool mReleasedInside;
    Bool mPressed;
    Bool mReleasedOutside;
    Bool operator==(const Flags& other) const
    {
        return mReleasedInside == other.mReleasedInside && mPressed == other.mPressed &&
               mReleasedOutside == other.mReleasedOutside;
    }
};
constexpr Flags kNone{false, false, false};
constexpr Flags kPressedFlag{false, true, false};
constexpr Flags kInsideFlag{true, false, false};
constexpr Flags kOutsideFlag{false, false, true};

Flags FlagsOf(const IButtonEvent* event)
{
    return Flags{event->WasReleasedInside(), event->WasPressed(), event->WasReleasedOutside()};
}

std::ostream& operator<<(std::ostream& out, const Flags& flags)
{
    return out << "{inside " << flags.mReleasedInside << ", pressed " << flags.mPressed << ", outside "
               << flags.mReleasedOutside << "}";
}

class ButtonTest : public ::testing::Test
{
protected:
    ButtonTest()
        : mInitState(nullptr, &mFactory, &mHandler, nullptr, nullptr, nullptr, nullptr, nullptr),
          mDeInitState(nullptr, &mFactory, &mHandler, nullptr, nullptr, nullptr, nullptr, nullptr),
          mProcessLogicState(&mHandler, nullptr),
          mFinishLogicState(&mHandler, nullptr),
          mRoot(nullptr)
    {
        mFactory.Init();
        // Refused once the class is built in; the built-in record makes the same node.
        mFactory.RegisterNodeClass(&kButtonInfo);
        mFactory.RegisterNodeClass(&kRecordingTimelineInfo);
        mInitState.Init(&mClock);
        mDeInitState.Init(&mClock);
        mProcessLogicState.Init(&mClock);
        mFinishLogicState.Init(&mClock);
        mProcessLogicState.SetRoot(&mRoot);
        mFinishLogicState.SetRoot(&mRoot);
        mInitState.Begin();
        mDeInitState.Begin();
    }
    ~ButtonTest() override
    {
        for (INode* top : mTops)
            Factory::DestroyGraph(top);
        mFactory.DeInit();
    }

    // The first node of the graph text, uninitialised; null (with a failure) when it cannot be built.
    Button* Build(const std::string& nodes)
    {
        const std::string xml = "<Graph>" + nodes + "</Graph>";
        mGraphs.push_back(Testing::ParseXmlGraph(xml.c_str()));
        if (mGraphs.back() == nullptr)
            return nullptr;
        INode* top = mFactory.CreateGraph(mGraphs.back().get(), nullptr);
        EXPECT_NE(top, nullptr) << xml;
        if (top == nullptr)
            return nullptr;
        mTops.push_back(top);
        Button* button = dynamic_cast<Button*>(top->GetChild(0));
        EXPECT_NE(button, nullptr) << xml;
        return button;
    }

    // A button with a child per state and the timeline, initialised.
    Button* BuildInitialised(const std::string& buttonAttributes)
    {
        Button* button = Build("<Button " + buttonAttributes +
                               " upStateChildId='up' downStateChildId='down' hoverStateChildId='hover'"
                               " disabledStateChildId='disabled'>"
                               "<Container id='up'/><Container id='down'/><Container id='hover'/>"
                               "<Container id='disabled'/></Button>");
        if (button != nullptr) {
            EXPECT_TRUE(button->Init(&mInitState));
        }
        return button;
    }

    // One batch of reports as the handler delivers it: clear, report, process.
    void Deliver(Button* button, const std::vector<Report>& reports)
    {
        ITouchable* target = button->GetTouchable();
        ASSERT_NE(target, nullptr);
        const Float points[8] = {};
        target->ClearPointerEvents();
        for (const Report& report : reports) {
            switch (report.mKind) {
            case kDown:
                target->PointerPressed(report.mTouch, points, report.mInside);
                break;
            case kUp:
                target->PointerReleased(report.mTouch, points, report.mInside);
                break;
            case kMove:
                target->PointerMoved(report.mTouch, points, report.mInside);
                break;
            default:
                target->PointerCancelled(report.mTouch, points);
                break;
            }
        }
        target->ProcessPointerEvents();
    }

    Bool ProcessLogic(Button* button)
    {
        mProcessLogicState.BeginStep();
        const Bool processed = button->ProcessLogic(&mProcessLogicState);
        mProcessLogicState.EndStep();
        return processed;
    }

    // The id of the only active and visible child, or "" when none is.
    static std::string ShownChild(Button* button)
    {
        std::string shown;
        for (INode* child : button->GetChildren()) {
            if (child->IsActive() || child->IsVisible()) {
                EXPECT_TRUE(child->IsActiveAndVisible()) << child->GetId().GetText();
                EXPECT_TRUE(shown.empty()) << "also " << child->GetId().GetText();
                shown = child->GetId().GetText();
            }
        }
        return shown;
    }

    // The tracked count always equals the records that are tracked, and a tracked touch is down.
    static void ExpectTrackingConsistent(const Button* button)
    {
        UInt32 tracked = 0;
        for (const Button::TouchRecord& record : button->GetTouchRecords().GetValues()) {
            if (record.mTracked) {
                ++tracked;
                EXPECT_TRUE(record.mDown);
            }
        }
        EXPECT_EQ(button->GetNumberOfTrackedTouches(), tracked);
    }

    Testing::FakeClock mClock;
    Testing::FakeTouchableHandler mHandler;
    Factory mFactory;
    InitState mInitState;
    DeInitState mDeInitState;
    ProcessLogicState mProcessLogicState;
    FinishLogicState mFinishLogicState;
    Root mRoot;
    std::vector<std::unique_ptr<Resource::XmlGraph>> mGraphs;
    std::vector<INode*> mTops;
};

TEST_F(ButtonTest, ReadsItsAttributesAndHandsOthersToTheTransform)
{
    Button* button = Build("<Button enabled='false' sizeX='3' sizeY='4.5' shape='ELLIPSE' mouseButton='RIGHT'"
                           " maxNumberOfTouches='2' posX='7' radius='1'/>");
    ASSERT_NE(button, nullptr);
    EXPECT_FALSE(button->IsEnabled());
    EXPECT_EQ(button->GetSizeX(), 3.0f);
    EXPECT_EQ(button->GetSizeY(), 4.5f);
    EXPECT_EQ(button->GetShape(), Enums::AreaShape::ELLIPSE);
    EXPECT_EQ(button->GetMouseButton(), Enums::MouseButton::RIGHT);
    EXPECT_EQ(button->GetMaxNumberOfTouches(), 2u);
    EXPECT_EQ(static_cast<const Button*>(button)->GetTransform().mElements[12], 7.0f);

    Button* defaults = Build("<Button shape='STAR'/>");
    ASSERT_NE(defaults, nullptr);
    EXPECT_TRUE(defaults->IsEnabled());
    // An unlisted name stores the table's fallback value.
    EXPECT_EQ(UInt32(defaults->GetShape()), Enums::GetAreaShapeTable().GetFallbackValue());
    EXPECT_EQ(defaults->GetMouseButton(), Enums::MouseButton::LEFT);
    EXPECT_EQ(defaults->GetMaxNumberOfTouches(), 0xFFFFFFFFu);
    EXPECT_EQ(defaults->GetState(), UInt32(Button::kNoState));
}

TEST_F(ButtonTest, InitCreatesTheTouchAreaAndDeInitDestroysIt)
{
    Button* button = Build("<Button sizeX='2' sizeY='0.5' shape='ELLIPSE' mouseButton='MIDDLE'/>");
    ASSERT_NE(button, nullptr);
    ASSERT_TRUE(button->Init(&mInitState));
    auto* area = dynamic_cast<Testing::FakeTouchArea*>(button->GetTouchArea());
    ASSERT_NE(area, nullptr);
    EXPECT_EQ(area->mShape, Enums::AreaShape::ELLIPSE);
    EXPECT_EQ(area->mButton, 2u);
    EXPECT_EQ(area->mSizeX, 2.0f);
    EXPECT_EQ(area->mSizeY, 0.5f);
    EXPECT_EQ(area->mTarget, button->GetTouchable());
    EXPECT_NE(area->mTarget, nullptr);
    EXPECT_EQ(button->GetState(), UInt32(Button::kUp));

    button->SetSizeX(4.0f);
    EXPECT_EQ(area->mSizeX, 4.0f);
    EXPECT_EQ(area->mSizeY, 0.5f);
    button->SetSizeY(6.0f);
    EXPECT_EQ(area->mSizeX, 4.0f);
    EXPECT_EQ(area->mSizeY, 6.0f);
    button->SetSize(1.5f, 2.5f);
    EXPECT_EQ(area->mSizeX, 1.5f);
    EXPECT_EQ(area->mSizeY, 2.5f);

    EXPECT_TRUE(button->DeInit(&mDeInitState));
    EXPECT_TRUE(mHandler.mLiveObjects.empty());
    EXPECT_EQ(button->GetTouchArea(), nullptr);
    EXPECT_EQ(button->GetTouchable(), nullptr);
    button->SetSize(9.0f, 8.0f); // no plane any more: stored only
    EXPECT_EQ(button->GetSizeX(), 9.0f);
}

TEST_F(ButtonTest, InitFailsWithOneLineForABadStateChildOrTimeline)
{
    struct Case
    {
        const char* mNodes;
        const char* mLine;
    };
    const Case cases[] = {
        {"<Button id='b' downStateChildId='x'><Container id='y'/></Button>",
         "Graph::Button::InitSelf(b): Child \"x\" for state 1 not found\n"},
        {"<Button id='b' hoverStateChildId='y' hoverStateChildIndex='0'><Container id='y'/></Button>",
         "Graph::Button::InitSelf(b): Cannot specify both ID (y) and index (0) for state 2\n"},
        {"<Button id='b' disabledStateChildIndex='1'><Container/></Button>",
         "Graph::Button::InitSelf(b): Index (1) for state 3 out of range\n"},
        {"<Button id='b' timelineId='t'><Container/></Button>",
         "Graph::Button::InitSelf(b): Child \"t\" for timeline not found\n"},
        {"<Button id='b' timelineId='t' timelineIndex='0'><RecordingTimeline id='t'/></Button>",
         "Graph::Button::InitSelf(b): Cannot specify both ID (t) and index (0) for timeline\n"},
        {"<Button id='b' timelineIndex='2'><RecordingTimeline/></Button>",
         "Graph::Button::InitSelf(b): Index (2) for timeline out of range\n"},
        {"<Button id='b' timelineIndex='0'><Container id='c'/></Button>",
         "Graph::Button::InitSelf(b): Child \"c\" for timeline is not of type Timeline\n"},
    };
    for (const Case& test : cases) {
        Button* button = Build(test.mNodes);
        ASSERT_NE(button, nullptr);
        ::testing::internal::CaptureStderr();
        EXPECT_FALSE(button->Init(&mInitState)) << test.mNodes;
        const std::string log = ::testing::internal::GetCapturedStderr();
        EXPECT_EQ(log.rfind(test.mLine, 0), 0u) << log;
        EXPECT_TRUE(button->DeInit(&mDeInitState));
        EXPECT_TRUE(mHandler.mLiveObjects.empty()) << test.mNodes;
    }
}

TEST_F(ButtonTest, InitFailsWhenNoTouchAreaIsMade)
{
    Button* button = Build("<Button id='b'/>");
    ASSERT_NE(button, nullptr);
    mHandler.mRefuseCreation = true;
    ::testing::internal::CaptureStderr();
    EXPECT_FALSE(button->Init(&mInitState));
    const std::string log = ::testing::internal::GetCapturedStderr();
    EXPECT_EQ(log.rfind("Graph::Button::InitSelf(b): Failed to create touch area object\n", 0), 0u) << log;
    EXPECT_TRUE(button->DeInit(&mDeInitState));
    EXPECT_EQ(button->GetTouchable(), nullptr);
}

TEST_F(ButtonTest, ShowsExactlyTheChildOfTheCurrentState)
{
    Button* button = BuildInitialised("");
    ASSERT_NE(button, nullptr);
    EXPECT_EQ(ShownChild(button), "up");
    Deliver(button, {{kMove, 1, true}});
    EXPECT_EQ(ShownChild(button), "hover");
    Deliver(button, {{kDown, 1, true}});
    EXPECT_EQ(ShownChild(button), "down");
    button->SetEnabled(false);
    EXPECT_EQ(ShownChild(button), "disabled");

    // State children by index, and a hover state without a child: hovering hides them all.
    Button* indexed = Build("<Button upStateChildIndex='1' downStateChildIndex='0'>"
                            "<Container id='pressed'/><Container id='idle'/></Button>");
    ASSERT_NE(indexed, nullptr);
    ASSERT_TRUE(indexed->Init(&mInitState));
    EXPECT_EQ(ShownChild(indexed), "idle");
    Deliver(indexed, {{kMove, 1, true}});
    EXPECT_EQ(indexed->GetState(), UInt32(Button::kHover));
    EXPECT_EQ(ShownChild(indexed), "");
}

TEST_F(ButtonTest, StartsDisabledWhenTheAttributeSaysSo)
{
    Button* button = BuildInitialised("enabled='false'");
    ASSERT_NE(button, nullptr);
    EXPECT_EQ(button->GetState(), UInt32(Button::kDisabled));
    EXPECT_EQ(ShownChild(button), "disabled");
}

TEST_F(ButtonTest, TouchReportsDriveStatesAndEventFlags)
{
    struct Case
    {
        const char* mName;
        UInt32 mMaxTouches;
        std::vector<std::vector<Report>> mBatches;
        // After each batch.
        std::vector<UInt32> mStates;
        std::vector<Flags> mFlags;
    };
    const Case cases[] = {
        {"click inside",
         0xFFFFFFFFu,
         {{{kDown, 1, true}}, {{kUp, 1, true}}},
         {1, 0},
         {kPressedFlag, kInsideFlag}},
        {"press, drag out, release outside",
         0xFFFFFFFFu,
         {{{kDown, 1, true}}, {{kMove, 1, false}}, {{kUp, 1, false}}},
         {1, 2, 0},
         {kPressedFlag, kNone, kOutsideFlag}},
        {"drag out and back in",
         0xFFFFFFFFu,
         {{{kDown, 1, true}}, {{kMove, 1, false}}, {{kMove, 1, true}}, {{kUp, 1, true}}},
         {1, 2, 1, 0},
         {kPressedFlag, kNone, kNone, kInsideFlag}},
        {"press outside and drag in never goes down",
         0xFFFFFFFFu,
         {{{kDown, 1, false}}, {{kMove, 1, true}}, {{kUp, 1, true}}},
         {0, 0, 0},
         {kNone, kNone, kNone}},
        {"pointer without a press hovers",
         0xFFFFFFFFu,
         {{{kMove, 1, true}}, {{kMove, 1, false}}},
         {2, 0},
         {kNone, kNone}},
        {"two fingers: one pressed flag, the last release counts",
         0xFFFFFFFFu,
         {{{kDown, 1, true}}, {{kDown, 2, true}}, {{kUp, 1, true}}, {{kUp, 2, true}}},
         {1, 1, 1, 0},
         {kPressedFlag, kNone, kNone, kInsideFlag}},
        {"limit of one: a second finger is not tracked",
         1,
         {{{kDown, 1, true}}, {{kDown, 2, true}}, {{kUp, 2, true}}, {{kUp, 1, true}}},
         {1, 1, 1, 0},
         {kPressedFlag, kNone, kNone, kInsideFlag}},
        {"limit of one: a repeated down of the tracked touch keeps it",
         1,
         {{{kDown, 1, true}}, {{kDown, 1, true}}, {{kUp, 1, true}}},
         {1, 1, 0},
         {kPressedFlag, kNone, kInsideFlag}},
        {"cancelling the only tracked touch",
         0xFFFFFFFFu,
         {{{kDown, 1, true}}, {{kCancel, 1, false}}},
         {1, 0},
         {kPressedFlag, kOutsideFlag}},
        {"cancelling one of two tracked touches",
         0xFFFFFFFFu,
         {{{kDown, 1, true}, {kDown, 2, true}}, {{kCancel, 1, false}}},
         {1, 1},
         {kPressedFlag, kNone}},
        {"cancelling a hovering pointer reports no release",
         0xFFFFFFFFu,
         {{{kMove, 1, true}}, {{kCancel, 1, false}}},
         {2, 0},
         {kNone, kNone}},
        {"a tracked touch reported down outside ends the press",
         0xFFFFFFFFu,
         {{{kDown, 1, true}}, {{kDown, 1, false}}, {{kUp, 1, false}}},
         {1, 0, 0},
         {kPressedFlag, kOutsideFlag, kNone}},
        {"a move in the batch does not override a press",
         0xFFFFFFFFu,
         {{{kDown, 1, true}, {kMove, 2, false}}},
         {1},
         {kPressedFlag}},
    };
    for (const Case& test : cases) {
        SCOPED_TRACE(test.mName);
        Button* button = BuildInitialised("maxNumberOfTouches='" + std::to_string(test.mMaxTouches) + "'");
        ASSERT_NE(button, nullptr);
        IButtonEvent* event = button->CreateEvent();
        ASSERT_NE(event, nullptr);
        for (size_t i = 0; i < test.mBatches.size(); ++i) {
            SCOPED_TRACE(i);
            // The button's logic step clears the flags of the step before.
            ASSERT_TRUE(ProcessLogic(button));
            Deliver(button, test.mBatches[i]);
            EXPECT_EQ(button->GetState(), test.mStates[i]);
            EXPECT_EQ(FlagsOf(event), test.mFlags[i]);
            ExpectTrackingConsistent(button);
            if (test.mMaxTouches == 1 && i + 1 < test.mBatches.size()) {
                EXPECT_EQ(button->GetNumberOfTrackedTouches(), 1u);
            }
        }
        // No touch stays counted once the button is no longer down.
        if (test.mStates.back() != Button::kDown) {
            EXPECT_EQ(button->GetNumberOfTrackedTouches(), 0u);
        }
        EXPECT_TRUE(button->DeInit(&mDeInitState));
    }
}

TEST_F(ButtonTest, EveryEventSeesTheFlagsAndALaterEventMissesAnEarlierPress)
{
    Button* button = BuildInitialised("");
    ASSERT_NE(button, nullptr);
    IButtonEvent* first = button->CreateEvent();
    IButtonEvent* second = button->CreateEvent();
    Deliver(button, {{kDown, 1, true}});
    EXPECT_EQ(FlagsOf(first), kPressedFlag);
    EXPECT_EQ(FlagsOf(second), kPressedFlag);
    IButtonEvent* late = button->CreateEvent();
    EXPECT_EQ(FlagsOf(late), kNone);
    Deliver(button, {{kUp, 1, true}});
    EXPECT_EQ(FlagsOf(first), (Flags{true, true, false}));
    EXPECT_EQ(FlagsOf(second), (Flags{true, true, false}));
    EXPECT_EQ(FlagsOf(late), kInsideFlag);
}

TEST_F(ButtonTest, LogicStepHandsOverTheAreaAndFlagsLastUntilTheFinishStep)
{
    Button* button = BuildInitialised("posX='2'");
    ASSERT_NE(button, nullptr);
    IButtonEvent* event = button->CreateEvent();

    Math::Matrix<float> parent;
    parent.SetTranslation(0.0f, 5.0f, 0.0f);
    mProcessLogicState.BeginStep();
    mProcessLogicState.PushTransform(parent);
    ASSERT_TRUE(button->ProcessLogic(&mProcessLogicState));
    ASSERT_EQ(mHandler.mTouchables.size(), 1u);
    EXPECT_EQ(mHandler.mTouchables[0].object, static_cast<void*>(button->GetTouchArea()));
    Math::Matrix<float> world;
    world.SetTranslation(2.0f, 5.0f, 0.0f);
    EXPECT_EQ(mHandler.mTouchables[0].transform, world);
    ASSERT_EQ(mRoot.GetProcessables().GetCount(), 1);
    EXPECT_EQ(mRoot.GetProcessables()[0], static_cast<IProcessable*>(button));

    // Flags set by the handler after the logic step stay until the finish step clears them.
    Deliver(button, {{kDown, 1, true}});
    EXPECT_EQ(FlagsOf(event), kPressedFlag);
    ASSERT_TRUE(mRoot.FinishLogic(&mFinishLogicState));
    EXPECT_EQ(FlagsOf(event), kNone);
    EXPECT_EQ(mRoot.GetProcessables().GetCount(), 0);

    // The next logic step clears what a report set meanwhile.
    Deliver(button, {{kUp, 1, true}});
    EXPECT_EQ(FlagsOf(event), kInsideFlag);
    ASSERT_TRUE(ProcessLogic(button));
    EXPECT_EQ(FlagsOf(event), kNone);

    // Disabled: no area for the handler, but the finish step is still asked for.
    mHandler.ClearViews();
    mRoot.ClearProcessables();
    button->SetEnabled(false);
    ASSERT_TRUE(ProcessLogic(button));
    EXPECT_TRUE(mHandler.mTouchables.empty());
    EXPECT_EQ(mRoot.GetProcessables().GetCount(), 1);
    EXPECT_TRUE(button->DeInit(&mDeInitState));
}

TEST_F(ButtonTest, DisablingAndEnablingClearFlagsAndForgetTouches)
{
    Button* button = BuildInitialised("");
    ASSERT_NE(button, nullptr);
    IButtonEvent* event = button->CreateEvent();
    Deliver(button, {{kDown, 1, true}, {kDown, 2, true}});
    ASSERT_EQ(button->GetNumberOfTrackedTouches(), 2u);
    ASSERT_EQ(FlagsOf(event), kPressedFlag);

    button->SetEnabled(false);
    EXPECT_EQ(FlagsOf(event), kNone);
    EXPECT_EQ(button->GetState(), UInt32(Button::kDisabled));
    EXPECT_EQ(ShownChild(button), "disabled");
    EXPECT_EQ(button->GetNumberOfTrackedTouches(), 0u);
    // Reports that still reach the disabled button change nothing.
    Deliver(button, {{kUp, 1, true}});
    EXPECT_EQ(FlagsOf(event), kNone);
    EXPECT_EQ(ShownChild(button), "disabled");

    button->SetEnabled(true);
    EXPECT_EQ(ShownChild(button), "up");
    EXPECT_EQ(button->GetNumberOfTrackedTouches(), 0u);
    for (const Button::TouchRecord& record : button->GetTouchRecords().GetValues()) {
        EXPECT_EQ(record.mKind, SInt32(Button::kNothing));
        EXPECT_FALSE(record.mDown);
        EXPECT_FALSE(record.mTracked);
    }
    // The second finger's release after re-enabling is not the end of a press.
    Deliver(button, {{kUp, 2, true}});
    EXPECT_EQ(FlagsOf(event), kNone);
    EXPECT_EQ(button->GetState(), UInt32(Button::kUp));

    // Unchanged: nothing happens, not even clearing.
    Deliver(button, {{kDown, 3, true}});
    button->SetEnabled(true);
    EXPECT_EQ(FlagsOf(event), kPressedFlag);
    EXPECT_EQ(button->GetNumberOfTrackedTouches(), 1u);
}

TEST_F(ButtonTest, DrivesTheTimelineToTheTimeOfEachState)
{
    Button* button = Build("<Button timelineId='anim' upStateTime='0.5' downStateTime='1' disabledStateTime='2'>"
                           "<RecordingTimeline id='anim'/></Button>");
    ASSERT_NE(button, nullptr);
    ASSERT_TRUE(button->Init(&mInitState));
    auto* timeline = dynamic_cast<RecordingTimeline*>(button->GetChild(0));
    ASSERT_NE(timeline, nullptr);
    EXPECT_EQ(timeline->mEndTimes, std::vector<Real>({0.5}));
    EXPECT_EQ(timeline->mStarts, 1u);

    Deliver(button, {{kDown, 1, true}});
    Deliver(button, {{kMove, 1, false}}); // hover has no time: the timeline is left alone
    Deliver(button, {{kMove, 1, false}}); // no change of state: nothing at all
    button->SetEnabled(false);
    EXPECT_EQ(timeline->mEndTimes, std::vector<Real>({0.5, 1.0, 2.0}));
    EXPECT_EQ(timeline->mStarts, 3u);

    // The timeline by index, while the state children are by id.
    Button* indexed = Build("<Button timelineIndex='1' downStateTime='3'><Container/><RecordingTimeline/></Button>");
    ASSERT_NE(indexed, nullptr);
    ASSERT_TRUE(indexed->Init(&mInitState));
    auto* second = dynamic_cast<RecordingTimeline*>(indexed->GetChild(1));
    ASSERT_NE(second, nullptr);
    EXPECT_EQ(second->mStarts, 0u);
    Deliver(indexed, {{kDown, 1, true}});
    EXPECT_EQ(second->mEndTimes, std::vector<Real>({3.0}));
    EXPECT_EQ(second->mStarts, 1u);
}

// Every package load walks Init over the tree again; an up button keeps its running timeline
// and its state children as they are.
TEST_F(ButtonTest, LaterInitWalksDoNotRestartAnUpButton)
{
    Button* button = Build("<Button timelineId='anim' upStateTime='0.5' upStateChildId='up' downStateChildId='down'>"
                           "<RecordingTimeline id='anim'/><Container id='up'/><Container id='down'/></Button>");
    ASSERT_NE(button, nullptr);
    button->SetEnabled(false);
    button->SetEnabled(true); // before the first walk: nothing to apply yet
    ASSERT_TRUE(button->Init(&mInitState));
    auto* timeline = dynamic_cast<RecordingTimeline*>(button->GetChild(0));
    ASSERT_NE(timeline, nullptr);
    EXPECT_EQ(timeline->mStarts, 1u);
    INode* up = button->GetChild(1);
    INode* down = button->GetChild(2);
    EXPECT_TRUE(up->IsActiveAndVisible());
    EXPECT_FALSE(down->IsActive());

    // Something else shows the down child meanwhile; the walk leaves that alone too.
    down->SetActiveAndVisible(true);
    ASSERT_TRUE(button->Init(&mInitState));
    EXPECT_EQ(timeline->mStarts, 1u);
    EXPECT_EQ(timeline->mEndTimes, std::vector<Real>({0.5}));
    EXPECT_TRUE(down->IsActiveAndVisible());
    EXPECT_EQ(button->GetState(), UInt32(Button::kUp));
    EXPECT_TRUE(button->DeInit(&mDeInitState));
}

TEST_F(ButtonTest, DestroyEventRemovesOnlyAnEventItHolds)
{
    Button* button = Build("<Button/>");
    Button* other = Build("<Button/>");
    ASSERT_NE(button, nullptr);
    ASSERT_NE(other, nullptr);
    IButtonEvent* events[3] = {button->CreateEvent(), button->CreateEvent(), button->CreateEvent()};
    IButtonEvent* foreign = other->CreateEvent();

    button->DestroyEvent(events[1]);
    ASSERT_EQ(button->GetEvents().GetCount(), 2);
    EXPECT_EQ(button->GetEvents()[0], events[0]);
    EXPECT_EQ(button->GetEvents()[1], events[2]);

    // A second call with the same pointer, another button's event and null change nothing.
    button->DestroyEvent(events[1]);
    button->DestroyEvent(foreign);
    button->DestroyEvent(nullptr);
    EXPECT_EQ(button->GetEvents().GetCount(), 2);
    ASSERT_EQ(other->GetEvents().GetCount(), 1);
    EXPECT_FALSE(foreign->WasPressed());
    // The rest go with their buttons.
}

} // namespace
} // namespace Graph
} // namespace Vorn
