#include "graph/animation/animation_controller.h"

#include <gtest/gtest.h>

#include <map>
#include <memory>
#include <string>

#include "foundation/math.h"
#include "graph/animation/animation_evaluator.h"
#include "graph/init_state.h"
#include "graph/process_logic_state.h"
#include "graph/service_state.h"
#include "graph/switch.h"
#include "graph/time/timeline.h"
#include "graph/transform/scale.h"
#include "graph/transform/transform.h"
#include "tests/support/fake_animation.h"
#include "tests/support/fake_clock.h"
#include "tests/support/fake_resource_collection.h"
#include "tests/support/probe_node.h"

namespace Vorn {
namespace Graph {
namespace {

constexpr UInt32 kLinear = UInt32(Enums::InterpolationType::LINEAR);
constexpr UInt32 kConstant = UInt32(Enums::InterpolationType::CONSTANT);

// Serves the test's animations by full id.
class AnimationCollection : public Testing::FakeResourceCollection
{
public:
    Resource::IAnimation* GetAnimation(const String& fullId) override
    {
        auto found = mAnimations.find(fullId.GetText());
        return found != mAnimations.end() ? found->second : nullptr;
    }
    std::map<std::string, Resource::IAnimation*> mAnimations;
};

// Counts the evaluations the controller asks for and the times they were at.
struct EvaluationLog
{
    UInt32 mCount = 0;
    Float mLastTime = 0.0f;
};
EvaluationLog gLog;

class CountingEvaluator : public AnimationEvaluator
{
public:
    explicit CountingEvaluator(const Resource::IAnimation* animation) : AnimationEvaluator(animation) {}
    Bool Evaluate(Float time) override
    {
        ++gLog.mCount;
        gLog.mLastTime = time;
        return true;
    }
};

AnimationEvaluator* CreateCountingEvaluator(INode*, const Resource::IAnimation* animation)
{
    return new CountingEvaluator(animation);
}

class AnimationControllerTest : public ::testing::Test
{
protected:
    AnimationControllerTest()
        : mInitState(nullptr, &mFactory, nullptr, nullptr, nullptr, nullptr, nullptr, &mCollection),
          mDeInitState(nullptr, &mFactory, nullptr, nullptr, nullptr, nullptr, nullptr, &mCollection),
          mConfigChangedState(nullptr, &mFactory, nullptr, nullptr, nullptr, nullptr, nullptr, &mCollection),
          mProcessLogicState(nullptr, nullptr)
    {
        mFactory.Init();
        mClasses = std::make_unique<Testing::NodeClassRegistration>(
            mFactory, std::initializer_list<Testing::ClassToRegister>{{"Timeline", &Timeline::Create},
                                                                      {"Transform", &Transform::Create},
                                                                      {"Scale", &Scale::Create},
                                                                      {"Switch", &Switch::Create}});
        mClock.mStepDuration = 0.5;
        mInitState.Init(&mClock);
        mDeInitState.Init(&mClock);
        mConfigChangedState.Init(&mClock);
        mProcessLogicState.Init(&mClock);
        mInitState.Begin();
        mDeInitState.Begin();
        mConfigChangedState.Begin();
        mProcessLogicState.Begin();
        gLog = EvaluationLog();

        // x moves from 0 to 10 over two seconds.
        mMove.mPosition = {{0.0f, kLinear, 0.0f, 0.0f, 0.0f}, {2.0f, kLinear, 10.0f, 0.0f, 0.0f}};
        mCollection.mAnimations["anim:move"] = &mMove;
    }
    ~AnimationControllerTest() override
    {
        if (mTop != nullptr) {
            EXPECT_TRUE(mTop->DeInit(&mDeInitState));
        }
        Factory::DestroyGraph(mTop);
        mClasses.reset();
        mFactory.DeInit();
    }

    // The first node of the XML body, built; null when it cannot be built.
    INode* Build(const std::string& body)
    {
        mGraph = Testing::ParseXmlGraph(("<Graph>" + body + "</Graph>").c_str());
        if (mGraph == nullptr)
            return nullptr;
        mTop = mFactory.CreateGraph(mGraph.get(), nullptr);
        return mTop != nullptr ? mTop->GetChild(0) : nullptr;
    }
    Bool Init() { return mTop->Init(&mInitState); }
    // One logic step with the timeline time the enclosing timeline would hand down.
    Bool Step(Double timelineTime)
    {
        mProcessLogicState.BeginStep();
        mProcessLogicState.SetTimelineTime(timelineTime);
        const Bool processed = mTop->ProcessLogic(&mProcessLogicState);
        mProcessLogicState.EndStep();
        return processed;
    }
    static AnimationController* ControllerOf(INode* node)
    {
        return dynamic_cast<AnimationController*>(node->GetController());
    }

    Testing::FakeClock mClock;
    AnimationCollection mCollection;
    Factory mFactory;
    InitState mInitState;
    DeInitState mDeInitState;
    ConfigChangedState mConfigChangedState;
    ProcessLogicState mProcessLogicState;
    std::unique_ptr<Testing::NodeClassRegistration> mClasses;
    std::unique_ptr<Resource::XmlGraph> mGraph;
    INode* mTop = nullptr;
    Testing::FakeAnimation mMove;
};

TEST_F(AnimationControllerTest, AMissingAnimationFailsTheNode)
{
    ASSERT_NE(Build("<Transform id='t' animationResourceId='anim:gone'/>"), nullptr);
    ::testing::internal::CaptureStderr();
    EXPECT_FALSE(Init());
    const std::string log = ::testing::internal::GetCapturedStderr();
    EXPECT_EQ(log.rfind("Graph::AnimationController::Init(): Failed to get resource animation \"anim:gone\"\n", 0), 0u)
        << log;
}

TEST_F(AnimationControllerTest, AZeroTimeScaleFailsAndSettersIgnoreScalesThatAreNotPositive)
{
    ASSERT_NE(Build("<Transform animationResourceId='anim:move' animationTimeScale='0'/>"), nullptr);
    ::testing::internal::CaptureStderr();
    EXPECT_FALSE(Init());
    const std::string log = ::testing::internal::GetCapturedStderr();
    EXPECT_EQ(log.rfind("Graph::AnimationController::Init(): Animation time scale cannot be zero\n", 0), 0u) << log;

    INode* node = mTop->GetChild(0);
    ASSERT_TRUE(node->SetAnimationTimeScale(3.0f));
    for (Real scale : {0.0f, -2.0f})
        node->SetAnimationTimeScale(scale);
    EXPECT_EQ(ControllerOf(node)->GetTimeScale(), 3.0f);
}

TEST_F(AnimationControllerTest, EvaluatesAtTheShiftedAndScaledTimelineTime)
{
    INode* node = Build("<Transform animationResourceId='anim:move' animationTimeShift='1' animationTimeScale='2'/>");
    ASSERT_NE(node, nullptr);
    ASSERT_TRUE(Init());
    Transform* transform = dynamic_cast<Transform*>(node);
    EXPECT_TRUE(transform->IsIdentity());
    ASSERT_TRUE(Step(1.5));
    // (1.5 - 1) x 2 = 1 second into the animation: half-way.
    EXPECT_EQ(transform->GetTransform()[12], 5.0f);
    EXPECT_FALSE(transform->IsIdentity());
}

TEST_F(AnimationControllerTest, EvaluatesOnlyWhenTheTimeChanges)
{
    INode* node = Build("<Node animationResourceId='anim:move'/>");
    ASSERT_NE(node, nullptr);
    ASSERT_TRUE(Init());
    ASSERT_TRUE(ControllerOf(node)->AddEvaluator(&CreateCountingEvaluator));
    // Outside every timeline the time is 0 - shift, evaluated once and then held.
    for (Double time : {0.0, 0.0, 0.25, 0.25, 0.0})
        ASSERT_TRUE(Step(time));
    EXPECT_EQ(gLog.mCount, 3u);
    EXPECT_EQ(gLog.mLastTime, 0.0f);
}

TEST_F(AnimationControllerTest, RotationKeysLeaveTheTranslationOfTheAttributes)
{
    Testing::FakeAnimation spin;
    const Float quarter = Float(Math::Pi / 2.0);
    spin.mRotation = {{0.0f, kLinear, 0.0f, 0.0f, 1.0f, 0.0f}, {1.0f, kLinear, 0.0f, 0.0f, 1.0f, quarter}};
    mCollection.mAnimations["anim:spin"] = &spin;
    INode* node = Build("<Transform posX='3' posY='4' animationResourceId='anim:spin'/>");
    ASSERT_NE(node, nullptr);
    ASSERT_TRUE(Init());
    ASSERT_TRUE(Step(1.0));
    const Math::Matrix<float>& m = dynamic_cast<Transform*>(node)->GetTransform();
    EXPECT_EQ(m[0], Math::Cos(quarter));
    EXPECT_EQ(m[1], Math::Sin(quarter));
    EXPECT_EQ(m[12], 3.0f);
    EXPECT_EQ(m[13], 4.0f);
}

TEST_F(AnimationControllerTest, VisibleAndActiveKeysDriveTheNodeFlags)
{
    Testing::FakeAnimation blink;
    blink.mVisible = {{0.0f, kConstant, 1}, {1.0f, kConstant, 0}};
    mCollection.mAnimations["anim:blink"] = &blink;
    INode* node = Build("<Transform animationResourceId='anim:blink'/>");
    ASSERT_NE(node, nullptr);
    ASSERT_TRUE(Init());
    // The node evaluator comes first; the transform evaluator finds no keys of its own.
    EXPECT_EQ(ControllerOf(node)->GetNumberOfEvaluators(), 1u);
    ASSERT_TRUE(Step(0.5));
    EXPECT_TRUE(node->IsVisible());
    ASSERT_TRUE(Step(1.0));
    EXPECT_FALSE(node->IsVisible());
    // Without active keys the node keeps its activity.
    EXPECT_TRUE(node->IsActive());
}

TEST_F(AnimationControllerTest, FollowsTheEnclosingTimeline)
{
    INode* timeline =
        Build("<Timeline endTime='2' startOnActivate='true'><Transform animationResourceId='anim:move'/></Timeline>");
    ASSERT_NE(timeline, nullptr);
    ASSERT_TRUE(Init());
    Transform* transform = dynamic_cast<Transform*>(timeline->GetChild(0));
    const Float expected[] = {2.5f, 5.0f, 7.5f, 10.0f, 10.0f};
    for (Float x : expected) {
        mProcessLogicState.BeginStep();
        ASSERT_TRUE(mTop->ProcessLogic(&mProcessLogicState));
        EXPECT_EQ(transform->GetTransform()[12], x);
    }
}

TEST_F(AnimationControllerTest, ScaleAndIndexKeysDriveScaleAndSwitchNodes)
{
    Testing::FakeAnimation animation;
    animation.mScaling = {{0.0f, kLinear, 1.0f, 1.0f, 1.0f}, {1.0f, kLinear, 3.0f, 5.0f, 1.0f}};
    animation.mIndex = {{0.0f, kLinear, 0}, {1.0f, kLinear, 3}};
    mCollection.mAnimations["anim:both"] = &animation;
    INode* container = Build("<Container><Scale animationResourceId='anim:both'/>"
                             "<Switch animationResourceId='anim:both' index='0'><Node/><Node/><Node/><Node/></Switch>"
                             "<Switch animationResourceId='anim:move' index='1'><Node/><Node/></Switch></Container>");
    ASSERT_NE(container, nullptr);
    ASSERT_TRUE(Init());
    ASSERT_TRUE(Step(0.9));
    EXPECT_EQ(dynamic_cast<IScalable*>(container->GetChild(0))->GetScaleFactor(),
              Math::Vector<float>(2.8f, 4.6f, 1.0f, 0.0f));
    EXPECT_EQ(dynamic_cast<IIndexed*>(container->GetChild(1))->GetIndex(), 2);
    // An animation without index keys makes no index evaluator: the switch keeps its choice.
    EXPECT_EQ(ControllerOf(container->GetChild(2))->GetNumberOfEvaluators(), 0u);
    EXPECT_EQ(dynamic_cast<IIndexed*>(container->GetChild(2))->GetIndex(), 1);
}

TEST_F(AnimationControllerTest, ConfigChangedHandsAnotherVariantToTheEvaluators)
{
    INode* node = Build("<Transform animationResourceId='anim:move'/>");
    ASSERT_NE(node, nullptr);
    ASSERT_TRUE(Init());
    Testing::FakeAnimation other;
    other.mPosition = {{0.0f, kLinear, 0.0f, 7.0f, 0.0f}};
    mCollection.mAnimations["anim:move"] = &other;
    ASSERT_TRUE(mTop->ConfigChanged(&mConfigChangedState));
    EXPECT_EQ(ControllerOf(node)->GetAnimation(), &other);
    ASSERT_TRUE(Step(1.0));
    EXPECT_EQ(dynamic_cast<Transform*>(node)->GetTransform()[13], 7.0f);

    mCollection.mAnimations.clear();
    ::testing::internal::CaptureStderr();
    EXPECT_FALSE(mTop->ConfigChanged(&mConfigChangedState));
    const std::string log = ::testing::internal::GetCapturedStderr();
    EXPECT_EQ(log.rfind("Graph::AnimationController::ConfigChanged(): Failed to get resource animation \"anim:move\"\n",
                        0),
              0u)
        << log;
    mCollection.mAnimations["anim:move"] = &mMove;
}

TEST_F(AnimationControllerTest, InitAgainAfterDeInitRegistersTheEvaluatorsOnce)
{
    mMove.mVisible = {{0.0f, kConstant, 1}};
    INode* node = Build("<Transform animationResourceId='anim:move'/>");
    ASSERT_NE(node, nullptr);
    ASSERT_TRUE(Init());
    EXPECT_EQ(ControllerOf(node)->GetNumberOfEvaluators(), 2u);
    ASSERT_TRUE(mTop->DeInit(&mDeInitState));
    ASSERT_TRUE(Init());
    EXPECT_EQ(ControllerOf(node)->GetNumberOfEvaluators(), 2u);
    // The first step after the new Init evaluates again, also at the time evaluated before.
    ASSERT_TRUE(Step(1.0));
    ASSERT_TRUE(mTop->DeInit(&mDeInitState));
    dynamic_cast<Transform*>(node)->GetTransform()[12] = 0.0f;
    ASSERT_TRUE(Init());
    ASSERT_TRUE(Step(1.0));
    EXPECT_EQ(dynamic_cast<Transform*>(node)->GetTransform()[12], 5.0f);
}

} // namespace
} // namespace Graph
} // namespace Vorn
