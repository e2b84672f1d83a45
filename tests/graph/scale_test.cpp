#include "graph/transform/scale.h"

#include <gtest/gtest.h>

#include <string>

#include "graph/animation/animation_evaluators.h"
#include "graph/prepare_output_state.h"
#include "tests/support/probe_node.h"
#include "tests/support/recording_controller.h"
#include "tests/support/scene_fixture.h"

namespace Vorn {
namespace Graph {
namespace {

class ScaleTest : public Testing::SceneFixture
{
protected:
    ScaleTest() : mPrepareOutputState(nullptr), mClasses(mFactory, {{"Scale", &Scale::Create}})
    {
        mPrepareOutputState.Init(&mClock);
    }

    // A scale with id "s" and the attributes over a probe; initialised.
    Scale* BuildScale(const std::string& attributes)
    {
        mTop = Build(("<Graph><Scale id='s' " + attributes + "><Probe id='p'/></Scale></Graph>").c_str());
        if (mTop == nullptr || !Init(mTop))
            return nullptr;
        return dynamic_cast<Scale*>(mTop->GetChild(0));
    }
    Testing::ProbeNode* ProbeOf(Scale* scale) { return static_cast<Testing::ProbeNode*>(scale->GetChild(0)); }

    // Both passes under the parent matrix and scale factor; each must leave the stacks as it
    // found them.
    void RunPasses(const Math::Matrix<float>& parent, const Math::Vector<float>& parentScale)
    {
        mProcessLogicState.BeginStep();
        mProcessLogicState.PushTransform(parent);
        mProcessLogicState.PushScaleFactor(parentScale);
        ASSERT_TRUE(mTop->ProcessLogic(&mProcessLogicState));
        EXPECT_EQ(mProcessLogicState.GetTransform(), parent);
        EXPECT_EQ(mProcessLogicState.GetScaleFactor(), parentScale);
        mProcessLogicState.EndStep();

        mPrepareOutputState.Begin();
        mPrepareOutputState.PushTransform(parent);
        mPrepareOutputState.PushScaleFactor(parentScale);
        ASSERT_TRUE(mTop->PrepareOutput(&mPrepareOutputState));
        EXPECT_EQ(mPrepareOutputState.GetTransform(), parent);
        EXPECT_EQ(mPrepareOutputState.GetScaleFactor(), parentScale);
        mPrepareOutputState.End();
    }

    PrepareOutputState mPrepareOutputState;
    Testing::NodeClassRegistration mClasses;
    INode* mTop = nullptr;
};

Math::Matrix<float> Diagonal(float x, float y, float z)
{
    Math::Matrix<float> matrix;
    matrix[0] = x;
    matrix[5] = y;
    matrix[10] = z;
    return matrix;
}

TEST_F(ScaleTest, ScalesTheMatrixAndFactorOfItsSubGraph)
{
    struct Case
    {
        const char* mAttributes;
        Math::Vector<float> mFactor;
        Bool mIdentity;
    };
    const Case cases[] = {
        {"", {1, 1, 1, 0}, true},
        {"scaleFactorX='1' scaleFactorY='1' scaleFactorZ='1'", {1, 1, 1, 0}, true},
        {"scaleFactorX='2' scaleFactorY='2' scaleFactorZ='2'", {2, 2, 2, 0}, false},
        {"scaleFactorY='0.5'", {1, 0.5f, 1, 0}, false},
    };
    Math::Matrix<float> parent;
    parent.SetTranslation(1.0f, 2.0f, 3.0f);
    const Math::Vector<float> parentScale(3.0f, 3.0f, 3.0f, 0.0f);
    for (const Case& c : cases) {
        SCOPED_TRACE(c.mAttributes);
        Scale* scale = BuildScale(c.mAttributes);
        ASSERT_NE(scale, nullptr);
        EXPECT_EQ(scale->IsIdentity(), c.mIdentity);
        EXPECT_EQ(scale->GetScaleFactor(), c.mFactor);
        EXPECT_EQ(scale->GetMatrix(), Diagonal(c.mFactor.x, c.mFactor.y, c.mFactor.z));
        RunPasses(parent, parentScale);
        const Math::Matrix<float> expected = parent * Diagonal(c.mFactor.x, c.mFactor.y, c.mFactor.z);
        const Math::Vector<float> expectedScale(3 * c.mFactor.x, 3 * c.mFactor.y, 3 * c.mFactor.z, 0.0f);
        Testing::ProbeNode* probe = ProbeOf(scale);
        EXPECT_EQ(probe->mLogic.mTransform, expected);
        EXPECT_EQ(probe->mOutput.mTransform, expected);
        EXPECT_EQ(probe->mLogic.mScaleFactor, expectedScale);
        EXPECT_EQ(probe->mOutput.mScaleFactor, expectedScale);
        EXPECT_TRUE(DeInit(mTop));
    }
}

TEST_F(ScaleTest, SettersKeepDiagonalAndIdentityInStep)
{
    Scale* scale = BuildScale("");
    ASSERT_NE(scale, nullptr);
    IScalable* scalable = scale;
    struct Case
    {
        const char* mWhat;
        void (*mApply)(IScalable*);
        Math::Vector<float> mFactor;
        Bool mIdentity;
    };
    const Case cases[] = {
        {"vector, w dropped", [](IScalable* s) { s->SetScaleFactor(Math::Vector<float>(2, 3, 4, 1)); }, {2, 3, 4, 0},
         false},
        {"x", [](IScalable* s) { s->SetScaleFactorX(1); }, {1, 3, 4, 0}, false},
        {"y", [](IScalable* s) { s->SetScaleFactorY(1); }, {1, 1, 4, 0}, false},
        {"z", [](IScalable* s) { s->SetScaleFactorZ(1); }, {1, 1, 1, 0}, true},
        {"three", [](IScalable* s) { s->SetScaleFactor(1, 1, 0.25f); }, {1, 1, 0.25f, 0}, false},
        {"vector back to one", [](IScalable* s) { s->SetScaleFactor(Math::Vector<float>(1, 1, 1, 1)); },
         {1, 1, 1, 0}, true},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.mWhat);
        c.mApply(scalable);
        EXPECT_EQ(scalable->GetScaleFactor(), c.mFactor);
        EXPECT_EQ(scalable->GetScaleFactorX(), c.mFactor.x);
        EXPECT_EQ(scalable->GetScaleFactorY(), c.mFactor.y);
        EXPECT_EQ(scalable->GetScaleFactorZ(), c.mFactor.z);
        EXPECT_EQ(scale->GetMatrix(), Diagonal(c.mFactor.x, c.mFactor.y, c.mFactor.z));
        EXPECT_EQ(scale->IsIdentity(), c.mIdentity);
    }
    EXPECT_TRUE(DeInit(mTop));
}

TEST_F(ScaleTest, ChangeInTheMiddleOfAPassPopsWhatWasPushed)
{
    Scale* scale = BuildScale("scaleFactorX='2'");
    ASSERT_NE(scale, nullptr);
    // The child makes the scale the identity after it pushed; its pops must still happen.
    ProbeOf(scale)->mOnLogic = [scale]() { scale->SetScaleFactor(1.0f, 1.0f, 1.0f); };
    RunPasses(Math::Matrix<float>(), Math::Vector<float>(1.0f, 1.0f, 1.0f, 0.0f));
    // And the other way round: nothing pushed, nothing popped.
    ProbeOf(scale)->mOnLogic = [scale]() { scale->SetScaleFactor(4.0f, 4.0f, 4.0f); };
    RunPasses(Math::Matrix<float>(), Math::Vector<float>(1.0f, 1.0f, 1.0f, 0.0f));
    EXPECT_EQ(ProbeOf(scale)->mOutput.mScaleFactor, Math::Vector<float>(4.0f, 4.0f, 4.0f, 0.0f));
    EXPECT_TRUE(DeInit(mTop));
}

TEST_F(ScaleTest, AnimatedScaleRunsItsControllerAndRegistersItsEvaluator)
{
    Testing::ControllerRecorder recorder;
    Scale* scale = BuildScale("animationResourceId='pulse'");
    ASSERT_NE(scale, nullptr);
    Testing::RecordingController* controller = Testing::ControllerRecorder::GetController(scale);
    ASSERT_NE(controller, nullptr);
    ASSERT_EQ(controller->mEvaluators.size(), 1u);
    EXPECT_EQ(controller->mEvaluators[0], &CreateScaleAnimationEvaluator);
    RunPasses(Math::Matrix<float>(), Math::Vector<float>(1.0f, 1.0f, 1.0f, 0.0f));
    EXPECT_EQ(controller->mProcessLogicCalls, 1u);
    EXPECT_TRUE(DeInit(mTop));
}

} // namespace
} // namespace Graph
} // namespace Vorn
