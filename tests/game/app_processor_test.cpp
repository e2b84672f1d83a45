#include "game/app_processor.h"
#include "game/helpers.h"

#include <gtest/gtest.h>

#include "game/game_state.h"
#include "graph/display_plane_sequence.h"
#include "graph/namespace.h"
#include "graph/view/camera.h"
#include "logic/factory.h"
#include "logic/state.h"
#include "tests/support/fake_loader.h"
#include "tests/support/fake_logic_device_handler.h"
#include "tests/support/probe_node.h"
#include "tests/support/view_scene_fixture.h"

namespace Vorn {
namespace App {
namespace {

// A pointer image sequence of 16 images of 20 x 30 units.
class TestPointer : public Graph::Transform, public Graph::IDisplayPlaneSequence
{
public:
    static Graph::INode* Create() { return new TestPointer(); }
    Bool SetIndex(SInt32 index) override { return mIndex = index, true; }
    SInt32 GetIndex() const override { return mIndex; }
    UInt32 GetNumberOfIndices() const override { return 16; }
    Real GetSizeX(UInt32) const override { return 20.0f; }
    Real GetCurrentSizeX() const override { return 20.0f; }
    Real GetSizeY(UInt32) const override { return 30.0f; }
    Real GetCurrentSizeY() const override { return 30.0f; }
    SInt32 mIndex = -1;
};

class AppProcessorTest : public Testing::ViewSceneFixture
{
protected:
    AppProcessorTest()
        : mClasses(mFactory, {{"Node", &Graph::Node::Create}, {"TestPointer", &TestPointer::Create}}),
          mEngineState(mLogicFactory.CreateState(&mDevices, &mConfiguration, &mLoader, nullptr)),
          mState(mEngineState->GetState())
    {
        mConfiguration.SetDeviceModel(Enums::DeviceModel::DESKTOP_GENERIC);
    }
    ~AppProcessorTest() override { mLogicFactory.DestroyState(mEngineState); }

    // The scene with the camera, the mouse namespace and, when asked, the pointer. The camera
    // stands at twice its near plane, as the game's screen camera does, so that the field of view
    // the processor writes is half the extent shown on the plane z = 0.
    Bool MakeScene(Bool camera, Bool pointer)
    {
        std::string body = "<View>";
        if (camera)
            body += "<PerspectiveCamera id='camera' posZ='1' nearPlane='0.5' farPlane='10' fieldOfViewX='640'/>";
        body += "<Namespace id='mouse'>";
        body += pointer ? "<TestPointer id='pointer'/>" : "<Node id='arrow'/>";
        body += "</Namespace></View>";
        if (Scene(body) == nullptr)
            return false;
        mEngineState->SetGraphRoot(mRoot.get());
        return true;
    }
    template <typename T>
    T* Node(const char* path)
    {
        Graph::INode* node = mRoot->FindNode(String(path));
        if (node != nullptr)
            node->RemoveReference();
        return dynamic_cast<T*>(node);
    }

    Testing::NodeClassRegistration mClasses;
    Logic::Factory mLogicFactory;
    Testing::FakeLogicDeviceHandler mDevices;
    Testing::FakeLoader mLoader;
    Logic::IEngineState* mEngineState;
    Logic::IState* mState;
    GameState mGameState;
};

struct FitCase
{
    Float mWidth;
    Float mHeight;
    Bool mFitHeight;
    Float mUnitsPerPixel;
    Float mVisibleWidth;
    Float mVisibleHeight;
    Float mOffset;
};

TEST(AppProcessorFitTest, TheVisibleAreaFollowsTheDisplaysShape)
{
    const FitCase cases[] = {
        {1280, 800, false, 1.0f, 1280, 800, 0},
        {1024, 768, false, 1.25f, 1280, 840, 120},
        {1920, 1080, true, 800.0f / 1080.0f, 1280, 800, 0},
        {1280, 720, false, 1.0f, 1280, 720, 0},
        {1024, 640, false, 1.25f, 1280, 800, 0},
        {960, 640, true, 1.25f, 1200, 800, 0},
        {800, 600, false, 1.6f, 1280, 840, 120},
    };
    Logic::Factory factory;
    for (const FitCase& c : cases) {
        GameState gameState;
        AppProcessor processor(&factory, &gameState, c.mWidth, c.mHeight);
        const Bool fitHeight = AppProcessor::ChooseFitMode(c.mWidth, c.mHeight);
        EXPECT_EQ(fitHeight, c.mFitHeight) << c.mWidth << " x " << c.mHeight;
        processor.SetupCamera(fitHeight);
        EXPECT_FLOAT_EQ(processor.GetUnitsPerPixel(), c.mUnitsPerPixel) << c.mWidth << " x " << c.mHeight;
        // The front end snaps to the same grid.
        EXPECT_FLOAT_EQ(GetUnitsPerPixel(), c.mUnitsPerPixel) << c.mWidth << " x " << c.mHeight;
        EXPECT_FLOAT_EQ(gameState.GetViewWidth(), c.mVisibleWidth) << c.mWidth << " x " << c.mHeight;
        EXPECT_FLOAT_EQ(gameState.GetViewHeight(), c.mVisibleHeight) << c.mWidth << " x " << c.mHeight;
        EXPECT_FLOAT_EQ(gameState.GetViewOffset(), c.mOffset) << c.mWidth << " x " << c.mHeight;
    }
    SetUnitsPerPixel(1.0f);
}

TEST_F(AppProcessorTest, OnADesktopTheCameraIsMaskedToTheScene)
{
    ASSERT_TRUE(MakeScene(true, true));
    struct Case
    {
        Float mWidth;
        Float mHeight;
        Float mFovX;
        Float mFovY;
        SInt32 mHalfWidth;
        SInt32 mHalfHeight;
    };
    const Case cases[] = {{1280, 800, 640, 0, 640, 400}, {1920, 1080, 0, 400, 864, 540}, {1024, 768, 640, 0, 512, 384}};
    for (const Case& c : cases) {
        AppProcessor processor(&mLogicFactory, &mGameState, c.mWidth, c.mHeight);
        ASSERT_TRUE(processor.GetProcessor()->Init(mState));
        processor.SetupCamera(AppProcessor::ChooseFitMode(c.mWidth, c.mHeight));
        Graph::ICamera* camera = Node<Graph::ICamera>("/camera");
        ASSERT_NE(camera, nullptr);
        EXPECT_FLOAT_EQ(camera->GetFieldOfViewX(), c.mFovX) << c.mWidth;
        EXPECT_FLOAT_EQ(camera->GetFieldOfViewY(), c.mFovY) << c.mWidth;
        EXPECT_EQ(camera->GetLeftMaskCoord(), -c.mHalfWidth) << c.mWidth;
        EXPECT_EQ(camera->GetRightMaskCoord(), c.mHalfWidth) << c.mWidth;
        EXPECT_EQ(camera->GetTopMaskCoord(), c.mHalfHeight) << c.mWidth;
        EXPECT_EQ(camera->GetBottomMaskCoord(), -c.mHalfHeight) << c.mWidth;
        EXPECT_EQ(UInt32(camera->GetLeftMaskAnchor()), 1u);
        EXPECT_TRUE(processor.GetProcessor()->DeInit(mState));
    }
}

TEST_F(AppProcessorTest, PointerImagesFollowWhatThePlayerHolds)
{
    ASSERT_TRUE(MakeScene(true, true));
    AppProcessor processor(&mLogicFactory, &mGameState, 1280, 800);
    ASSERT_TRUE(processor.GetProcessor()->Init(mState));
    TestPointer* pointer = Node<TestPointer>("/mouse/pointer");
    ASSERT_NE(pointer, nullptr);
    EXPECT_EQ(pointer->mIndex, 6);
    const SInt32 weapons[] = {10, 1, 4, 6, 13, 13, 11, 2, 6};
    for (UInt32 kind = 0; kind < 9; ++kind) {
        processor.SetPointerForWeapon(kind);
        EXPECT_EQ(pointer->mIndex, weapons[kind]) << kind;
    }
    const SInt32 animals[] = {6, 2, 7, 3, 0, 5, 8, 9, 14, 12, 6};
    for (UInt32 kind = 4; kind < 15; ++kind) {
        processor.SetPointerForAnimal(kind);
        EXPECT_EQ(pointer->mIndex, animals[kind - 4]) << kind;
    }
    EXPECT_TRUE(processor.SetDefaultPointer());
    EXPECT_EQ(pointer->mIndex, 6);
    EXPECT_TRUE(processor.GetProcessor()->DeInit(mState));
}

TEST_F(AppProcessorTest, ThePointerFollowsTheMouseAndCountsAsInsideUpToTheSceneEdge)
{
    ASSERT_TRUE(MakeScene(true, true));
    AppProcessor processor(&mLogicFactory, &mGameState, 1280, 800);
    ASSERT_TRUE(processor.GetProcessor()->Init(mState));
    processor.SetupCamera(false);
    // The camera's projection is set up by the output pass.
    ASSERT_TRUE(RunLogic());
    ASSERT_TRUE(RunOutput());
    Graph::INamespace* mouse = Node<Graph::INamespace>("/mouse");
    TestPointer* pointer = Node<TestPointer>("/mouse/pointer");
    ASSERT_NE(pointer, nullptr);
    Graph::INode* mouseNode = dynamic_cast<Graph::INode*>(mouse);
    ASSERT_NE(mouseNode, nullptr);
    Graph::ICamera* camera = Node<Graph::ICamera>("/camera");
    Math::Vector<float> edge;
    camera->UnprojectScreenPoint(edge, 1.0f, 1.0f, -1.0f);
    // The screen x of scene x = 640.
    const Float screenX = 640.0f / edge.x;
    struct Case
    {
        Float mX;
        Float mY;
        Bool mInside;
    };
    const Case cases[] = {{0.0f, 0.0f, true}, {screenX, 0.0f, true}, {-screenX, 0.0f, true}, {1.5f, 0.0f, false}};
    for (const Case& c : cases) {
        mDevices.mMouseX = c.mX;
        mDevices.mMouseY = c.mY;
        processor.GetProcessor()->Animate(mState);
        EXPECT_EQ(mConfiguration.GetCursorHidden(), c.mInside) << c.mX;
        EXPECT_EQ(mouseNode->IsActiveAndVisible(), c.mInside) << c.mX;
    }
    mDevices.mMouseX = 0.0f;
    mDevices.mMouseY = 0.0f;
    processor.GetProcessor()->Animate(mState);
    // The image's top-left corner sits 3 units left of and 4 above the mouse.
    EXPECT_FLOAT_EQ(pointer->GetTransform().Get(0, 3), 10.0f - 3.0f);
    EXPECT_FLOAT_EQ(pointer->GetTransform().Get(1, 3), -(15.0f - 4.0f));
    EXPECT_TRUE(processor.GetProcessor()->DeInit(mState));
}

TEST_F(AppProcessorTest, APointerNodeIsOptionalButTheCameraIsNot)
{
    ASSERT_TRUE(MakeScene(true, false));
    {
        AppProcessor processor(&mLogicFactory, &mGameState, 1280, 800);
        testing::internal::CaptureStderr();
        EXPECT_TRUE(processor.GetProcessor()->Init(mState));
        testing::internal::GetCapturedStderr();
        EXPECT_FALSE(processor.HasPointer());
        EXPECT_FALSE(processor.SetDefaultPointer());
        processor.SetPointerForWeapon(1);
        processor.GetProcessor()->Animate(mState);
        EXPECT_TRUE(processor.GetProcessor()->DeInit(mState));
    }
    ASSERT_TRUE(DestroyScene());
    ASSERT_TRUE(MakeScene(false, true));
    AppProcessor processor(&mLogicFactory, &mGameState, 1280, 800);
    testing::internal::CaptureStderr();
    EXPECT_FALSE(processor.GetProcessor()->Init(mState));
    EXPECT_NE(testing::internal::GetCapturedStderr().find("/camera"), std::string::npos);
    processor.GetProcessor()->DeInit(mState);
}

} // namespace
} // namespace App
} // namespace Vorn
