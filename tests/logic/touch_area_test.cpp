#include "logic/touch_area.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "tests/support/recording_logic.h"
#include "tests/support/view_scene_fixture.h"

namespace Vorn {
namespace Logic {
namespace {

// A touch area on an orthographic camera that maps the screen's -1 to 1 onto -1 to 1 of the
// scene, at the camera's distance of 10; the area is 1 x 1 around (0.5, 0).
class TouchAreaTest : public Testing::ViewSceneFixture, protected Testing::LogicServices
{
protected:
    void SetUp() override
    {
        ASSERT_NE(Scene("<View><OrthographicCamera id='camera' unitSizeX='640' unitSizeY='400' posZ='10'/>"
                        "<Node id='plain'/></View>"),
                  nullptr);
        ASSERT_TRUE(RunFrame());
        mEngineState->SetGraphRoot(mRoot.get());
        mArea.SetCameraNodeId(String("/camera"));
        mArea.SetArea(0.5f, 0.0f, 1.0f, 1.0f);
    }
    void TearDown() override { EXPECT_TRUE(mArea.DeInit(mState)); }

    // One step with the mouse at x (y 0), pressed in this step or held.
    void Mouse(Float x, Bool pressed, Bool down)
    {
        mDevices.mMouseX = x;
        mDevices.mMouseY = 0.0f;
        mDevices.mMousePressed = pressed;
        mDevices.mMouseDown = down;
        mArea.Step(mState);
    }
    // Speeds of the steps after the release, until dragging ends (at most ten).
    std::vector<Float> RunOut()
    {
        std::vector<Float> speeds;
        do {
            Mouse(0.3f, false, false);
            speeds.push_back(mArea.GetSpeedX());
        } while (mArea.IsDragging() && speeds.size() < 10);
        return speeds;
    }

    UInt32 PlainCount()
    {
        Graph::INamespace* scene = dynamic_cast<Graph::INamespace*>(mTop->GetChild(0));
        return static_cast<Graph::Node*>(Find<Graph::INode>(scene, "/plain"))->GetReferenceCount();
    }

    TouchArea mArea;
};

TEST_F(TouchAreaTest, APressOnTheEdgeIsOutside)
{
    ASSERT_TRUE(mArea.Init(mState));
    Mouse(0.0f, true, true);
    EXPECT_FLOAT_EQ(mArea.GetPositionX(), 0.0f);
    EXPECT_FALSE(mArea.IsInside());
    EXPECT_FALSE(mArea.IsDragging());
    Mouse(0.0f, false, false);
    Mouse(0.25f, true, true);
    EXPECT_TRUE(mArea.IsInside());
    EXPECT_TRUE(mArea.IsDragging());
}

TEST_F(TouchAreaTest, WithoutDampingTheMovementStopsInTheFirstStepAfterRelease)
{
    ASSERT_TRUE(mArea.Init(mState));
    // 1.0 is not below 1: nothing changes.
    mArea.SetDamping(0.5f, 1.0f);
    Mouse(0.25f, true, true);
    Mouse(0.5f, false, true);
    EXPECT_NEAR(mArea.GetSpeedX(), 0.25f, 1e-5f);
    EXPECT_FALSE(mArea.IsMoved());
    EXPECT_EQ(RunOut(), (std::vector<Float>{0.0f}));
    // Thresholds of 0: any released drag counts as moved, until the next step.
    EXPECT_TRUE(mArea.IsMoved());
    Mouse(0.3f, false, false);
    EXPECT_FALSE(mArea.IsMoved());
}

TEST_F(TouchAreaTest, DampedMovementRunsOutBelowTheMinimumSpeed)
{
    ASSERT_TRUE(mArea.Init(mState));
    mArea.SetDamping(-0.5f, 0.5f);
    mArea.SetMinSpeed(0.01f, 0.01f);
    mArea.SetMoveThreshold(0.5f, 0.5f);
    Mouse(0.2f, true, true);
    Mouse(0.3f, false, true);
    const std::vector<Float> speeds = RunOut();
    const std::vector<Float> expected{0.05f, 0.025f, 0.0125f, 0.00625f, 0.0f};
    ASSERT_EQ(speeds.size(), expected.size());
    for (size_t i = 0; i < expected.size(); ++i)
        EXPECT_NEAR(speeds[i], expected[i], 1e-5f) << i;
    EXPECT_FALSE(mArea.IsDragging());
    // About 0.2 travelled, below the thresholds.
    EXPECT_FALSE(mArea.IsMoved());

    // ResetMovement stops a flick at once.
    Mouse(0.2f, true, true);
    Mouse(0.3f, false, true);
    mArea.ResetMovement();
    EXPECT_FALSE(mArea.IsDragging());
    EXPECT_EQ(mArea.GetSpeedX(), 0.0f);
}

TEST_F(TouchAreaTest, TouchModeFollowsTheLowestBegunTouchUntilItLifts)
{
    ASSERT_TRUE(mArea.Init(mState));
    typedef Testing::FakeLogicDeviceHandler::Touch Touch;
    mDevices.mTouches = {Touch{true, false, -0.5f, 0.0f}, Touch{true, true, 0.25f, 0.0f},
                         Touch{true, true, 0.75f, 0.0f}};
    mArea.Step(mState);
    EXPECT_NEAR(mArea.GetPositionX(), 0.25f, 1e-5f);
    EXPECT_TRUE(mArea.IsDragging());

    // A touch begun later is ignored while the first is held.
    mDevices.mTouches = {Touch{true, true, -0.5f, 0.0f}, Touch{true, false, 0.375f, 0.0f},
                         Touch{true, false, 0.75f, 0.0f}};
    mArea.Step(mState);
    EXPECT_NEAR(mArea.GetPositionX(), 0.375f, 1e-5f);
    EXPECT_NEAR(mArea.GetSpeedX(), 0.125f, 1e-5f);

    // Lifted: the next begun touch is taken.
    mDevices.mTouches[1].mDown = false;
    mArea.Step(mState);
    mDevices.mTouches = {Touch{true, true, 0.625f, 0.0f}};
    mArea.Step(mState);
    EXPECT_NEAR(mArea.GetPositionX(), 0.625f, 1e-5f);
}

TEST_F(TouchAreaTest, ANodeThatIsNoCameraFailsInitAndEveryCountComesBack)
{
    const UInt32 before = PlainCount();
    mArea.SetCameraNodeId(String("/plain"));
    ::testing::internal::CaptureStderr();
    EXPECT_FALSE(mArea.Init(mState));
    const std::string log = ::testing::internal::GetCapturedStderr();
    EXPECT_NE(log.find("Logic::GraphNodeT incorrect type for node \"plain\""), std::string::npos) << log;
    // Not bound, the area follows nothing.
    Mouse(0.25f, true, true);
    EXPECT_FALSE(mArea.IsDragging());
    EXPECT_TRUE(mArea.DeInit(mState));
    EXPECT_EQ(PlainCount(), before);
}

} // namespace
} // namespace Logic
} // namespace Vorn
