// Scenes for tests of views, cameras and the nodes that attach to views: graphs built from XML
// graph text below a graph root, walked frame by frame with the real traversal states over fake
// display and audio renderers, a fake touchable handler, an output device handler with a system
// font control, a fake physics simulator and a configuration of 1280 x 800.
// Test nodes that register as renderables, lights, listeners and frame buffers come with it.
#pragma once

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "graph/factory.h"
#include "graph/init_state.h"
#include "graph/namespace.h"
#include "graph/output_states.h"
#include "graph/prepare_output_state.h"
#include "graph/process_logic_state.h"
#include "graph/renderable.h"
#include "graph/root.h"
#include "graph/service_state.h"
#include "graph/transform/transform.h"
#include "graph/view/orthographic_camera.h"
#include "graph/view/perspective_camera.h"
#include "graph/view/view.h"
#include "graph/view/view_targets.h"
#include "tests/support/fake_audio_renderer.h"
#include "tests/support/fake_clock.h"
#include "tests/support/fake_configuration.h"
#include "tests/support/fake_display_renderer.h"
#include "tests/support/fake_output_device_handler.h"
#include "tests/support/fake_physics_simulator.h"
#include "tests/support/fake_resource_collection.h"
#include "tests/support/fake_touchable_handler.h"
#include "tests/support/graph_fixture.h"
#include "tests/support/probe_node.h"

namespace Vorn {
namespace Testing {

// A drawable stand-in ("TestRenderable"): registers with the current view in PrepareOutput,
// placed (culled against the camera) or not, and culls a bounding sphere around its origin.
class TestRenderable : public Graph::Node, public Graph::IRenderable
{
public:
    TestRenderable() { AddFlags(kNeedsPrepareOutput); }
    static Graph::INode* Create() { return new TestRenderable(); }

    struct Enqueued
    {
        Math::Matrix<float> mTransform;
        SInt32 mDepthOrder;
    };

    Bool mPlaced = true;
    Float mRadius = 1.0f;
    Bool mFailCull = false;
    Bool mFailEnqueue = false;
    UInt32 mCullCalls = 0;
    // Shared by the renderables of a test, so the order across them shows.
    std::vector<std::string>* mLog = nullptr;
    std::vector<Enqueued> mEnqueued;

    Bool CullOutput(Graph::ICullOutputState* state) override
    {
        ++mCullCalls;
        Graph::ICuller* culler = state->GetCurrentCuller();
        const Math::Vector<float> origin(0, 0, 0, 1);
        if (culler != nullptr && culler->IsCulled(origin, mRadius, *state->GetItemValue1(), *state->GetItemValue2()))
            state->SetItemFlag(true);
        return !mFailCull;
    }
    Bool EnqueueOutput(Graph::IEnqueueOutputState* state) override
    {
        const Math::Matrix<float>* transform = state->GetItemValue1();
        mEnqueued.push_back(Enqueued{transform ? *transform : Math::Matrix<float>::Zero(), state->GetItemValue3()});
        if (mLog)
            mLog->push_back(mId.GetText());
        return !mFailEnqueue;
    }

protected:
    Bool PrepareOutputSelf(Graph::IPrepareOutputState* state) override
    {
        state->AddRenderable(this, mPlaced);
        return true;
    }
};

// A light stand-in ("TestLight") with a display light of its own; attaches in PrepareOutput.
class TestLight : public Graph::Node, public Graph::ILight
{
public:
    TestLight() : mDisplayLight(nullptr, "Light") { AddFlags(kNeedsPrepareOutput); }
    static Graph::INode* Create() { return new TestLight(); }
    Display::ILight* GetDisplayLight() override { return &mDisplayLight; }
    FakeLight mDisplayLight;

protected:
    Bool PrepareOutputSelf(Graph::IPrepareOutputState* state) override
    {
        if (Graph::IView* view = state->GetCurrentView())
            view->AddLight(this, state->GetTransform());
        return true;
    }
};

// A listener stand-in ("TestListener") with an audio listener of its own.
class TestListener : public Graph::Node, public Graph::IListener
{
public:
    TestListener() : mAudioListener(nullptr, "Listener") { AddFlags(kNeedsPrepareOutput); }
    static Graph::INode* Create() { return new TestListener(); }
    void SetVolume(Float volume) override { mVolume = volume; }
    Float GetVolume() const override { return mVolume; }
    Audio::IListener* GetListenerObject() override { return &mAudioListener; }
    FakeListener mAudioListener;
    Float mVolume = 1.0f;

protected:
    Bool PrepareOutputSelf(Graph::IPrepareOutputState* state) override
    {
        if (Graph::IView* view = state->GetCurrentView())
            view->SetListener(this, state->GetTransform());
        return true;
    }
};

// A frame-buffer texture stand-in ("TestFrameBuffer") of 256 x 128 pixels.
class TestFrameBuffer : public Graph::Node, public Graph::IFrameBuffer
{
public:
    TestFrameBuffer() : mDisplayFrameBuffer(nullptr, "FrameBuffer") {}
    static Graph::INode* Create() { return new TestFrameBuffer(); }
    UInt32 GetWidth() const override { return 256; }
    UInt32 GetHeight() const override { return 128; }
    Display::IFrameBuffer* GetFrameBufferObject() override { return &mDisplayFrameBuffer; }
    FakeFrameBuffer mDisplayFrameBuffer;
};

class ViewSceneFixture : public ::testing::Test
{
protected:
    ViewSceneFixture() : ViewSceneFixture(&mInput) {}
    // Over another touchable handler or audio renderer than the fakes, which then stay unused.
    explicit ViewSceneFixture(Input::ITouchableHandler* input, Audio::IRenderer* audio = nullptr)
        : mInitState(&mConfiguration, &mFactory, input, &mOutput, &mDisplay, audio ? audio : &mAudio, &mPhysics,
                     &mCollection),
          mDeInitState(&mConfiguration, &mFactory, input, &mOutput, &mDisplay, audio ? audio : &mAudio, &mPhysics,
                       &mCollection),
          mConfigChangedState(&mConfiguration, &mFactory, input, &mOutput, &mDisplay, audio ? audio : &mAudio,
                              &mPhysics, &mCollection),
          mProcessLogicState(input, &mPhysics),
          mPrepareOutputState(&mOutput),
          mEnqueueOutputState(&mDisplay, audio ? audio : &mAudio),
          mClasses((mFactory.Init(), mFactory),
                   {{"Transform", &Graph::Transform::Create},
                    {"View", &Graph::View::Create},
                    {"PerspectiveCamera", &Graph::PerspectiveCamera::Create},
                    {"OrthographicCamera", &Graph::OrthographicCamera::Create},
                    {"TestRenderable", &TestRenderable::Create},
                    {"TestLight", &TestLight::Create},
                    {"TestListener", &TestListener::Create},
                    {"TestFrameBuffer", &TestFrameBuffer::Create}})
    {
        mConfiguration.SetDisplaySurfaceSize(1280, 800);
        mOutput.AddSystemFontControl(&mFontControl);
        mInitState.Init(&mClock);
        mDeInitState.Init(&mClock);
        mConfigChangedState.Init(&mClock);
        mProcessLogicState.Init(&mClock);
        mPrepareOutputState.Init(&mClock);
        mCullOutputState.Init(&mClock);
        mEnqueueOutputState.Init(&mClock);
    }

    ~ViewSceneFixture() override
    {
        // De-initialising what was never initialised does nothing.
        if (mTop != nullptr) {
            mTop->DeInit(&mDeInitState);
            Graph::Factory::DestroyGraph(mTop);
        }
        mFactory.DeInit();
    }

    // The scene "<Graph><Namespace>" + body + "</Namespace></Graph>" below a root whose container
    // view is the namespace's first node; not initialised. Null (with a test failure) when it
    // cannot be built.
    Graph::INamespace* Build(const std::string& body)
    {
        mGraph = ParseXmlGraph(("<Graph><Namespace>" + body + "</Namespace></Graph>").c_str());
        if (mGraph == nullptr)
            return nullptr;
        return Build(mGraph.get());
    }
    // The same from a graph resource whose top node is the namespace, which the caller keeps.
    Graph::INamespace* Build(const Resource::IGraph* graph)
    {
        mTop = mFactory.CreateGraph(graph, nullptr);
        EXPECT_NE(mTop, nullptr);
        if (mTop == nullptr)
            return nullptr;
        mRoot = std::make_unique<Graph::Root>(mTop->GetChild(0));
        mInitState.SetRoot(mRoot.get());
        mDeInitState.SetRoot(mRoot.get());
        mConfigChangedState.SetRoot(mRoot.get());
        mProcessLogicState.SetRoot(mRoot.get());
        mPrepareOutputState.SetRoot(mRoot.get());
        mCullOutputState.SetRoot(mRoot.get());
        mEnqueueOutputState.SetRoot(mRoot.get());
        return dynamic_cast<Graph::INamespace*>(mTop->GetChild(0));
    }

    Bool Init()
    {
        mInitialized = mTop->Init(&mInitState);
        return mInitialized;
    }
    // Builds the scene and initialises it with the log captured into log; the Init result.
    Bool InitCapturing(const std::string& body, std::string& log)
    {
        if (Build(body) == nullptr)
            return false;
        ::testing::internal::CaptureStderr();
        const Bool done = Init();
        log = ::testing::internal::GetCapturedStderr();
        return done;
    }
    Bool DeInit()
    {
        const Bool done = mTop->DeInit(&mDeInitState);
        if (done)
            mInitialized = false;
        return done;
    }
    // Drops the scene so that a test can build another, de-initialised first if it was
    // initialised; false when that fails.
    Bool DestroyScene()
    {
        if (mTop == nullptr)
            return true;
        const Bool deInitialised = !mInitialized || DeInit();
        Graph::Factory::DestroyGraph(mTop);
        mTop = nullptr;
        return deInitialised;
    }
    // Built and initialised; null (with a test failure) otherwise.
    Graph::INamespace* Scene(const std::string& body)
    {
        Graph::INamespace* scene = Build(body);
        if (scene == nullptr)
            return nullptr;
        EXPECT_TRUE(Init()) << body;
        return mInitialized ? scene : nullptr;
    }

    template <typename T>
    T* Find(Graph::INamespace* scene, const char* path)
    {
        Graph::INode* node = scene->FindNode(String(path));
        if (node == nullptr)
            return nullptr;
        node->RemoveReference();
        return dynamic_cast<T*>(node);
    }

    Bool ConfigChanged()
    {
        mConfigChangedState.Begin();
        return mRoot->ConfigChanged(&mConfigChangedState);
    }
    // One logic step.
    Bool RunLogic()
    {
        mProcessLogicState.BeginStep();
        mInput.mViews.clear();
        const Bool done = mRoot->ProcessLogic(&mProcessLogicState);
        mProcessLogicState.EndStep();
        return done;
    }
    // The output passes of one frame: prepare and cull on the logic side, then enqueue into a
    // fresh renderer frame. The clock's number of steps is what the enqueue pass sees.
    Bool RunOutput()
    {
        mPrepareOutputState.Begin();
        if (!mRoot->PrepareOutput(&mPrepareOutputState))
            return false;
        mCullOutputState.Begin();
        if (!mRoot->CullOutput(&mCullOutputState))
            return false;
        mDisplay.BeginFrame();
        mAudio.BeginFrame();
        mEnqueueOutputState.Begin();
        return mRoot->EnqueueOutput(&mEnqueueOutputState);
    }
    Bool RunFrame() { return RunLogic() && RunOutput(); }

    FakeClock mClock;
    FakeResourceCollection mCollection;
    FakeConfiguration mConfiguration;
    FakeDisplayRenderer mDisplay;
    FakeAudioRenderer mAudio;
    FakeTouchableHandler mInput;
    // Its system font control 0 is mFontControl.
    FakeOutputDeviceHandler mOutput;
    FakeSystemFontControl mFontControl;
    FakePhysicsSimulator mPhysics;
    Graph::Factory mFactory;
    Graph::InitState mInitState;
    Graph::DeInitState mDeInitState;
    Graph::ConfigChangedState mConfigChangedState;
    Graph::ProcessLogicState mProcessLogicState;
    Graph::PrepareOutputState mPrepareOutputState;
    Graph::CullOutputState mCullOutputState;
    Graph::EnqueueOutputState mEnqueueOutputState;
    NodeClassRegistration mClasses;
    std::unique_ptr<Resource::XmlGraph> mGraph;
    Graph::INode* mTop = nullptr;
    std::unique_ptr<Graph::Root> mRoot;
    Bool mInitialized = false;
};

} // namespace Testing
} // namespace Vorn
