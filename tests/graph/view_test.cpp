#include "graph/view/view.h"

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "graph/root.h"
#include "tests/support/view_scene_fixture.h"

namespace Vorn {
namespace Graph {
namespace {

using Testing::TestFrameBuffer;
using Testing::TestLight;
using Testing::TestListener;
using Testing::TestRenderable;

Math::Vector<float> Translation(const Math::Matrix<float>& matrix)
{
    return Math::Vector<float>(matrix[12], matrix[13], matrix[14], matrix[15]);
}

class ViewTest : public Testing::ViewSceneFixture
{
protected:
    // The renderables of the scene by id, all logging into mLog.
    TestRenderable* Renderable(INamespace* scene, const char* id)
    {
        TestRenderable* renderable = Find<TestRenderable>(scene, id);
        if (renderable != nullptr)
            renderable->mLog = &mLog;
        return renderable;
    }

    std::vector<std::string> mLog;
};

TEST_F(ViewTest, TakesSizeScaleOrientationAndPixelOffsetFromTheConfiguration)
{
    mConfiguration.SetDisplayScale(2.0f, 3.0f);
    mConfiguration.SetPixelOffset(0.5f, 0.25f);
    INamespace* scene = Scene("<View id='v'/>");
    ASSERT_NE(scene, nullptr);
    View* view = Find<View>(scene, "v");
    EXPECT_EQ(view->GetWidth(), 1280u);
    EXPECT_EQ(view->GetHeight(), 800u);
    EXPECT_EQ(view->GetDisplayScaleX(), 2.0f);
    EXPECT_EQ(view->GetDisplayScaleY(), 3.0f);
    EXPECT_EQ(view->GetPixelOffsetX(), 0.5f);
    EXPECT_EQ(view->GetPixelOffsetY(), 0.25f);
    EXPECT_EQ(view->GetOrientation(), Enums::ScreenOrientation::PORTRAIT_1);
    EXPECT_EQ(view->GetFrameBuffer(), nullptr);

    // A configuration change brings size and scale again, but not the pixel offset.
    mConfiguration.SetDisplaySurfaceSize(1024, 768);
    mConfiguration.SetDisplayScale(1.0f, 1.0f);
    mConfiguration.SetPixelOffset(0.0f, 0.0f);
    ASSERT_TRUE(ConfigChanged());
    EXPECT_EQ(view->GetWidth(), 1024u);
    EXPECT_EQ(view->GetHeight(), 768u);
    EXPECT_EQ(view->GetDisplayScaleX(), 1.0f);
    EXPECT_EQ(view->GetPixelOffsetX(), 0.5f);
}

TEST_F(ViewTest, DrawsIntoTheNamedFrameBufferAndHoldsItUntilDeInit)
{
    mConfiguration.SetDisplayScale(2.0f, 2.0f);
    mConfiguration.SetPixelOffset(0.5f, 0.5f);
    INamespace* scene = Scene("<TestFrameBuffer id='fb'/><View id='v' frameBufferId='fb'>"
                              "<TestRenderable id='r' /></View>");
    ASSERT_NE(scene, nullptr);
    View* view = Find<View>(scene, "v");
    TestFrameBuffer* frameBuffer = Find<TestFrameBuffer>(scene, "fb");
    EXPECT_EQ(view->GetFrameBuffer(), static_cast<IFrameBuffer*>(frameBuffer));
    EXPECT_EQ(view->GetWidth(), 256u);
    EXPECT_EQ(view->GetHeight(), 128u);
    EXPECT_EQ(view->GetOrientation(), Enums::ScreenOrientation::PORTRAIT_1);
    EXPECT_EQ(view->GetDisplayScaleX(), 1.0f);
    EXPECT_EQ(view->GetPixelOffsetX(), 0.5f);
    EXPECT_EQ(frameBuffer->GetReferenceCount(), 1u);

    ASSERT_TRUE(RunFrame());
    ASSERT_EQ(mDisplay.mFrameBufferSelections.size(), 1u);
    EXPECT_EQ(mDisplay.mFrameBufferSelections[0], &frameBuffer->mDisplayFrameBuffer);

    // A configuration change keeps the frame buffer's size.
    ASSERT_TRUE(ConfigChanged());
    EXPECT_EQ(view->GetWidth(), 256u);

    ASSERT_TRUE(DeInit());
    EXPECT_EQ(frameBuffer->GetReferenceCount(), 0u);
    EXPECT_EQ(view->GetFrameBuffer(), nullptr);
}

TEST_F(ViewTest, RefusesAFrameBufferThatIsMissingOrNotAFrameBuffer)
{
    struct Case
    {
        const char* mBody;
        const char* mMessage;
    };
    const Case cases[] = {
        {"<View id='v' frameBufferId='nowhere'/>",
         "Graph::View::InitSelf(v): Failed to get frame buffer node \"nowhere\""},
        {"<TestRenderable id='t'/><View id='v' frameBufferId='t'/>",
         "Graph::View::InitSelf(v): Node \"t\" is not a frame buffer"},
    };
    for (const Case& test : cases) {
        SCOPED_TRACE(test.mBody);
        ASSERT_TRUE(DestroyScene());
        INamespace* scene = Build(test.mBody);
        ASSERT_NE(scene, nullptr);
        ::testing::internal::CaptureStderr();
        EXPECT_FALSE(Init());
        EXPECT_NE(::testing::internal::GetCapturedStderr().find(test.mMessage), std::string::npos);
        // The node found is not left bound, so the scene still de-initialises.
        if (TestRenderable* node = Find<TestRenderable>(scene, "t")) {
            EXPECT_EQ(node->GetReferenceCount(), 0u);
        }
        EXPECT_TRUE(DeInit());
    }
}

TEST_F(ViewTest, CullsPlacedRenderablesAgainstItsCameraAndEnqueuesTheRestInOrder)
{
    INamespace* scene = Scene("<View><PerspectiveCamera id='c' fieldOfViewY='1'/>"
                              "<Transform posZ='-10' depthOrder='4'><TestRenderable id='seen'/></Transform>"
                              "<Transform posX='1000' posZ='-10'><TestRenderable id='aside'/>"
                              "<TestRenderable id='unplaced'/></Transform>"
                              "<Transform posZ='20'><TestRenderable id='behind'/></Transform>"
                              "</View>");
    ASSERT_NE(scene, nullptr);
    PerspectiveCamera* camera = Find<PerspectiveCamera>(scene, "c");
    TestRenderable* seen = Renderable(scene, "seen");
    TestRenderable* aside = Renderable(scene, "aside");
    TestRenderable* unplaced = Renderable(scene, "unplaced");
    TestRenderable* behind = Renderable(scene, "behind");
    unplaced->mPlaced = false;

    ASSERT_TRUE(RunFrame());
    EXPECT_EQ(mLog, (std::vector<std::string>{"seen", "unplaced"}));
    EXPECT_EQ(mCullOutputState.GetCounter(), 3u);
    EXPECT_EQ(mEnqueueOutputState.GetCounter(), 2u);
    EXPECT_EQ(unplaced->mCullCalls, 0u);
    EXPECT_EQ(aside->mCullCalls, 1u);
    EXPECT_EQ(behind->mCullCalls, 1u);
    ASSERT_EQ(seen->mEnqueued.size(), 1u);
    EXPECT_EQ(seen->mEnqueued[0].mDepthOrder, 4);
    EXPECT_EQ(Translation(seen->mEnqueued[0].mTransform), Math::Vector<float>(0, 0, -10, 1));

    // The screen, then the camera with its world transform.
    EXPECT_EQ(mDisplay.mFrameBufferSelections, (std::vector<Display::IFrameBuffer*>{nullptr}));
    ASSERT_EQ(mDisplay.mViews.size(), 1u);
    EXPECT_EQ(mDisplay.mViews[0].object, static_cast<void*>(camera->GetDisplayCamera()));
    EXPECT_TRUE(mDisplay.mViews[0].transform.IsIdentity());
}

TEST_F(ViewTest, WithoutACameraOrWithAnOrthographicOneNothingIsCulled)
{
    struct Case
    {
        const char* mBody;
        size_t mCameras; // lights go out only with a camera
    };
    const Case cases[] = {
        {"<View><TestLight/><Transform posX='1000'><TestRenderable id='r'/></Transform></View>", 0},
        {"<View><OrthographicCamera unitSizeX='1'/><TestLight/>"
         "<Transform posX='1000'><TestRenderable id='r'/></Transform></View>",
         1},
    };
    for (const Case& test : cases) {
        SCOPED_TRACE(test.mBody);
        ASSERT_TRUE(DestroyScene());
        mLog.clear();
        INamespace* scene = Scene(test.mBody);
        ASSERT_NE(scene, nullptr);
        TestRenderable* renderable = Renderable(scene, "r");
        ASSERT_TRUE(RunFrame());
        EXPECT_EQ(renderable->mCullCalls, 1u);
        EXPECT_EQ(mLog, std::vector<std::string>{"r"});
        EXPECT_EQ(mDisplay.mViews.size(), test.mCameras);
        EXPECT_EQ(mDisplay.mLights.size(), test.mCameras);
    }
}

TEST_F(ViewTest, HandsLightsAndListenerWithTheirTransforms)
{
    INamespace* scene = Scene("<View id='v'><PerspectiveCamera fieldOfViewY='1'/>"
                              "<Transform posX='2'><TestLight id='a'/></Transform>"
                              "<Transform posY='5'><TestLight id='b'/><TestListener id='l'/></Transform>"
                              "</View>");
    ASSERT_NE(scene, nullptr);
    View* view = Find<View>(scene, "v");
    TestLight* first = Find<TestLight>(scene, "a");
    TestLight* second = Find<TestLight>(scene, "b");
    TestListener* listener = Find<TestListener>(scene, "l");

    for (int frame = 0; frame < 2; ++frame) {
        SCOPED_TRACE(frame);
        ASSERT_TRUE(RunFrame());
        ASSERT_EQ(view->GetNumberOfLights(), 2u);
        EXPECT_EQ(view->GetLight(0), static_cast<ILight*>(first));
        EXPECT_EQ(view->GetLight(1), static_cast<ILight*>(second));
        EXPECT_EQ(Translation(view->GetLightInverseTransform(0)), Math::Vector<float>(-2, 0, 0, 1));
        ASSERT_EQ(mDisplay.mLights.size(), 2u);
        EXPECT_EQ(mDisplay.mLights[0].object, static_cast<void*>(static_cast<Display::ILight*>(&first->mDisplayLight)));
        EXPECT_EQ(Translation(mDisplay.mLights[0].transform), Math::Vector<float>(2, 0, 0, 1));
        EXPECT_EQ(Translation(mDisplay.mLights[1].transform), Math::Vector<float>(0, 5, 0, 1));

        EXPECT_EQ(view->GetListener(), static_cast<IListener*>(listener));
        EXPECT_EQ(Translation(view->GetListenerInverseTransform()), Math::Vector<float>(0, -5, 0, 1));
        ASSERT_EQ(mAudio.mListeners.size(), 1u);
        EXPECT_EQ(mAudio.mListeners[0].object,
                  static_cast<void*>(static_cast<Audio::IListener*>(&listener->mAudioListener)));
        EXPECT_EQ(Translation(mAudio.mListeners[0].transform), Math::Vector<float>(0, 5, 0, 1));
    }
}

TEST_F(ViewTest, RebuildsOnlyInFramesWithLogicAndTheFrameAfter)
{
    INamespace* scene = Scene("<View id='v'><TestRenderable id='r'/></View>");
    ASSERT_NE(scene, nullptr);
    View* view = Find<View>(scene, "v");
    Renderable(scene, "r");

    ASSERT_TRUE(RunFrame());
    EXPECT_EQ(mLog.size(), 1u);
    EXPECT_FALSE(view->HasLogic());
    EXPECT_TRUE(view->HadLogic());

    // No logic this frame: the flags of the last one still rebuild and register the view.
    ASSERT_TRUE(RunOutput());
    EXPECT_EQ(mLog.size(), 2u);
    EXPECT_FALSE(view->HadLogic());

    // Now it is neither prepared nor registered; its lists stay as they were.
    ASSERT_TRUE(RunOutput());
    EXPECT_EQ(mLog.size(), 2u);
    EXPECT_EQ(mRoot->GetViews().GetCount(), 0);
    EXPECT_EQ(view->GetNumberOfRenderables(), 1u);

    // An enqueue pass in a frame without logic steps keeps the flags.
    ASSERT_TRUE(RunLogic());
    mClock.mNumberOfSteps = 0;
    ASSERT_TRUE(RunOutput());
    EXPECT_TRUE(view->HasLogic());
    ASSERT_TRUE(RunOutput());
    EXPECT_EQ(mLog.size(), 4u);

    // Resuming counts as logic.
    mClock.mNumberOfSteps = 1;
    ASSERT_TRUE(RunOutput());
    ASSERT_TRUE(RunOutput());
    ASSERT_TRUE(mTop->Resume(&mInitState));
    EXPECT_TRUE(view->HasLogic());
}

TEST_F(ViewTest, AfterANestedViewTheEnclosingTargetIsSelectedAgain)
{
    INamespace* scene = Scene("<TestFrameBuffer id='a'/><TestFrameBuffer id='b'/>"
                              "<View id='screen'/><View id='outer' frameBufferId='a'/>"
                              "<View id='inner' frameBufferId='b'/>");
    ASSERT_NE(scene, nullptr);
    View* screen = Find<View>(scene, "screen");
    View* outer = Find<View>(scene, "outer");
    View* inner = Find<View>(scene, "inner");
    Display::IFrameBuffer* targetA = &Find<TestFrameBuffer>(scene, "a")->mDisplayFrameBuffer;
    Display::IFrameBuffer* targetB = &Find<TestFrameBuffer>(scene, "b")->mDisplayFrameBuffer;

    struct Case
    {
        View* mEnclosing;
        View* mNested;
        std::vector<Display::IFrameBuffer*> mSelections;
    };
    const Case cases[] = {
        {outer, inner, {targetB, targetA}},
        {screen, inner, {targetB, nullptr}},
        {outer, screen, {nullptr, targetA}},
        {nullptr, inner, {targetB}},
    };
    for (const Case& test : cases) {
        mDisplay.BeginFrame();
        mEnqueueOutputState.Begin();
        if (test.mEnclosing != nullptr)
            mEnqueueOutputState.PushView(test.mEnclosing);
        ASSERT_TRUE(test.mNested->EnqueueOutput(&mEnqueueOutputState));
        EXPECT_EQ(mDisplay.mFrameBufferSelections, test.mSelections);
    }
}

TEST_F(ViewTest, AFailingRenderableEndsThePass)
{
    INamespace* scene = Scene("<View><TestRenderable id='a'/><TestRenderable id='b'/></View>");
    ASSERT_NE(scene, nullptr);
    TestRenderable* first = Renderable(scene, "a");
    TestRenderable* second = Renderable(scene, "b");

    first->mFailCull = true;
    ASSERT_TRUE(RunLogic());
    EXPECT_FALSE(RunOutput());
    EXPECT_EQ(second->mCullCalls, 0u);

    first->mFailCull = false;
    first->mFailEnqueue = true;
    EXPECT_FALSE(RunOutput());
    EXPECT_EQ(mLog, std::vector<std::string>{"a"});
}

TEST_F(ViewTest, LetsTheFactoryMakeTheRootWithItsContainerView)
{
    std::unique_ptr<Root> root(mFactory.CreateRoot());
    ASSERT_NE(root, nullptr);
    INode* containerView = root->GetContainerView();
    ASSERT_NE(dynamic_cast<View*>(containerView), nullptr);
    EXPECT_EQ(containerView->GetId(), String("root"));
    Graph::Factory::DestroyGraph(root->GetRootNode());
}

} // namespace
} // namespace Graph
} // namespace Vorn
