#include "input/input_touchable_handler.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "input/device.h"
#include "input/factory.h"
#include "input/screen_projection.h"
#include "input/touch_area.h"

namespace Vorn {
namespace Input {
namespace {

// A touch target that logs what the handler tells it: "press 7 top", "move 7", "cancel 7", ...
class RecordingTouchable : public Graph::ITouchable
{
public:
    void ClearPointerEvents() override { ++mCleared; }
    void ProcessPointerEvents() override { ++mProcessed; }
    void PointerPressed(UInt32 pointer, const Float* points, Bool topmost) override
    {
        Log("press", pointer, points, topmost);
    }
    void PointerReleased(UInt32 pointer, const Float* points, Bool topmost) override
    {
        Log("release", pointer, points, topmost);
    }
    void PointerMoved(UInt32 pointer, const Float* points, Bool topmost) override
    {
        Log("move", pointer, points, topmost);
    }
    void PointerCancelled(UInt32 pointer, const Float* points) override { Log("cancel", pointer, points, false); }

    std::vector<std::string> mEvents;
    Float mLastPoints[8] = {};
    UInt32 mCleared = 0;
    UInt32 mProcessed = 0;

private:
    void Log(const char* kind, UInt32 pointer, const Float* points, Bool topmost)
    {
        mEvents.push_back(std::string(kind) + " " + std::to_string(pointer) + (topmost ? " top" : ""));
        std::copy(points, points + 8, mLastPoints);
    }
};

// The buttons of a pointer, set by the test.
class TestButtons : public IMouseButtons
{
public:
    UInt32 GetNumberOfButtons() const override { return 5; }
    Bool IsButtonHeld(UInt32 i) const override { return i < 5 && held[i]; }
    Bool WasButtonPressed(UInt32 i) const override { return i < 5 && pressed[i]; }
    Bool WasButtonReleased(UInt32 i) const override { return i < 5 && released[i]; }
    Bool held[5] = {}, pressed[5] = {}, released[5] = {};
};

Math::Matrix<float> Translation(Float x, Float y, Float z)
{
    Math::Matrix<float> m = Math::Matrix<float>::Identity();
    m.SetTranslation(x, y, z);
    return m;
}

class TouchableHandlerTest : public ::testing::Test
{
protected:
    TouchableHandlerTest()
    {
        mCamera = mHandler.CreateScreenProjection(Enums::ProjectionType::ORTHOGONAL);
        mCamera->SetMatrix(Math::Matrix<float>::Identity());
    }
    ~TouchableHandlerTest() override
    {
        for (ITouchArea*& area : mAreas)
            mHandler.DestroyTouchArea(area);
        mHandler.DestroyScreenProjection(mCamera);
    }

    // A 1 x 1 area reporting to the target and listening to the left button.
    ITouchArea* Area(Graph::ITouchable* target, Enums::AreaShape shape = Enums::AreaShape::RECTANGLE)
    {
        ITouchArea* area = mHandler.CreateTouchArea(shape);
        area->SetTouchable(target);
        area->SetButton(0);
        mAreas.push_back(area);
        return area;
    }

    // One step's pointer hand-over with a single pointer.
    Bool Pointer(Bool moved, Float x, Float y, Bool cancelled = false)
    {
        mHandler.BeginPointers();
        const Bool processed = mHandler.ProcessPointer(7, &mButtons, moved, x, y, cancelled);
        mHandler.EndPointers();
        return processed;
    }

    TouchableHandler mHandler;
    IScreenProjection* mCamera;
    std::vector<ITouchArea*> mAreas;
    TestButtons mButtons;
};

TEST_F(TouchableHandlerTest, APointerThatDidNothingSendsNothing)
{
    RecordingTouchable target;
    mHandler.AddView(mCamera, Math::Matrix<float>::Identity());
    mHandler.AddTouchable(Area(&target), Math::Matrix<float>::Identity());
    EXPECT_FALSE(Pointer(false, 0, 0));
    EXPECT_TRUE(target.mEvents.empty());
    EXPECT_EQ(target.mCleared, 1u);
    EXPECT_EQ(target.mProcessed, 1u);
    EXPECT_FALSE(mHandler.ProcessPointer(7, nullptr, true, 0, 0, false));
}

TEST_F(TouchableHandlerTest, ThePressIsTopmostOnTheNearestAreaAndEveryAreaHearsIt)
{
    RecordingTouchable far, near, missed;
    mHandler.AddView(mCamera, Translation(0, 0, 10));
    mHandler.AddTouchable(Area(&far), Translation(0, 0, -1));
    mHandler.AddTouchable(Area(&near), Translation(0, 0, 2));
    mHandler.AddTouchable(Area(&missed), Translation(5, 0, 3));
    mButtons.pressed[0] = mButtons.held[0] = true;
    EXPECT_TRUE(Pointer(false, 0.25f, 0.25f));
    EXPECT_EQ(far.mEvents, std::vector<std::string>{"press 7"});
    EXPECT_EQ(near.mEvents, std::vector<std::string>{"press 7 top"});
    EXPECT_EQ(missed.mEvents, std::vector<std::string>{"press 7"});
    // Local then world hit point.
    const Float expected[8] = {0.25f, 0.25f, 0, 1, 0.25f, 0.25f, 2, 1};
    for (int i = 0; i < 8; ++i)
        EXPECT_FLOAT_EQ(near.mLastPoints[i], expected[i]) << i;
    EXPECT_FLOAT_EQ(missed.mLastPoints[0], -4.75f);
}

TEST_F(TouchableHandlerTest, ALaterViewWithAHitWinsWhateverTheDepth)
{
    RecordingTouchable first, second;
    mHandler.AddView(mCamera, Math::Matrix<float>::Identity());
    mHandler.AddTouchable(Area(&first), Translation(0, 0, 5));
    mHandler.AddView(mCamera, Math::Matrix<float>::Identity());
    mHandler.AddTouchable(Area(&second), Translation(0, 0, -5));
    mButtons.pressed[0] = true;
    Pointer(false, 0, 0);
    EXPECT_EQ(first.mEvents, std::vector<std::string>{"press 7"});
    EXPECT_EQ(second.mEvents, std::vector<std::string>{"press 7 top"});
}

TEST_F(TouchableHandlerTest, PressHoldReleaseAndCancel)
{
    RecordingTouchable target, other;
    mHandler.AddView(mCamera, Math::Matrix<float>::Identity());
    mHandler.AddTouchable(Area(&target), Math::Matrix<float>::Identity());
    ITouchArea* noButton = Area(&other, Enums::AreaShape::ELLIPSE);
    noButton->SetButton(5);
    mHandler.AddTouchable(noButton, Translation(3, 0, 0));
    struct Step
    {
        Bool pressed, held, released, moved, cancelled;
        const char* expected;
        const char* expectedOther;
    };
    const std::vector<Step> steps = {
        {true, true, false, false, false, "press 7 top", ""},
        {false, true, false, false, false, "move 7 top", ""},
        {false, true, false, true, false, "move 7 top", "move 7"},
        {false, false, true, false, false, "release 7 top", ""},
        {true, true, false, true, true, "cancel 7", "cancel 7"},
    };
    for (const Step& step : steps) {
        SCOPED_TRACE(step.expected);
        target.mEvents.clear();
        other.mEvents.clear();
        mButtons.pressed[0] = step.pressed;
        mButtons.held[0] = step.held;
        mButtons.released[0] = step.released;
        EXPECT_TRUE(Pointer(step.moved, 0, 0, step.cancelled));
        EXPECT_EQ(target.mEvents, std::vector<std::string>{step.expected});
        EXPECT_EQ(other.mEvents,
                  *step.expectedOther ? std::vector<std::string>{step.expectedOther} : std::vector<std::string>{});
    }
}

TEST_F(TouchableHandlerTest, TouchablesWithoutViewOrTargetAreLeftOut)
{
    RecordingTouchable early, late;
    mHandler.AddTouchable(Area(&early), Math::Matrix<float>::Identity());
    mHandler.AddTouchable(nullptr, Math::Matrix<float>::Identity());
    mHandler.AddView(nullptr, Math::Matrix<float>::Identity());
    mHandler.AddTouchable(Area(&early), Math::Matrix<float>::Identity());
    mHandler.AddView(mCamera, Math::Matrix<float>::Identity());
    mHandler.AddTouchable(Area(nullptr), Math::Matrix<float>::Identity());
    mHandler.AddTouchable(Area(&late), Math::Matrix<float>::Identity());
    mButtons.pressed[0] = true;
    Pointer(false, 0, 0);
    EXPECT_TRUE(early.mEvents.empty());
    EXPECT_EQ(early.mCleared, 0u);
    // The area without target is passed over; the one after it is the topmost hit.
    EXPECT_EQ(late.mEvents, std::vector<std::string>{"press 7 top"});

    // Cleared views take no touchables until a camera registers again.
    EXPECT_TRUE(mHandler.ClearViews());
    mHandler.AddTouchable(Area(&early), Math::Matrix<float>::Identity());
    late.mEvents.clear();
    EXPECT_TRUE(Pointer(false, 0, 0));
    EXPECT_TRUE(early.mEvents.empty());
    EXPECT_TRUE(late.mEvents.empty());
}

TEST(TouchableHandlerFactoryTest, UnknownTypesAndShapesGiveNothing)
{
    Factory factory;
    ITouchableHandler* handler = factory.CreateTouchableHandler();
    ASSERT_NE(handler, nullptr);
    EXPECT_TRUE(handler->Init());
    EXPECT_EQ(handler->CreateScreenProjection(Enums::ProjectionType(2)), nullptr);
    EXPECT_EQ(handler->CreateTouchArea(Enums::AreaShape(2)), nullptr);
    IScreenProjection* projection = handler->CreateScreenProjection(Enums::ProjectionType::PERSPECTIVE);
    EXPECT_NE(dynamic_cast<PerspectiveScreenProjection*>(projection), nullptr);
    handler->DestroyScreenProjection(projection);
    EXPECT_EQ(projection, nullptr);
    handler->DestroyScreenProjection(projection);
    ITouchArea* area = handler->CreateTouchArea(Enums::AreaShape::ELLIPSE);
    EXPECT_NE(dynamic_cast<EllipticTouchArea*>(area), nullptr);
    handler->DestroyTouchArea(area);
    EXPECT_EQ(area, nullptr);
    EXPECT_TRUE(handler->DeInit());
    factory.DestroyTouchableHandler(handler);
    EXPECT_EQ(handler, nullptr);
}

} // namespace
} // namespace Input
} // namespace Vorn
