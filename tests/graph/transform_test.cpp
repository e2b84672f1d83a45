#include "graph/transform/transform.h"

#include <gtest/gtest.h>

#include <cmath>
#include <string>

#include "foundation/math.h"
#include "graph/animation/animation_evaluators.h"
#include "graph/prepare_output_state.h"
#include "tests/support/probe_node.h"
#include "tests/support/recording_controller.h"
#include "tests/support/scene_fixture.h"

namespace Vorn {
namespace Graph {
namespace {

class TransformTest : public Testing::SceneFixture
{
protected:
    TransformTest() : mPrepareOutputState(nullptr), mClasses(mFactory, {{"Transform", &Transform::Create}})
    {
        mPrepareOutputState.Init(&mClock);
    }

    // "<Graph><Namespace>" + body + "</Namespace></Graph>", initialised.
    INamespace* BuildScene(const std::string& body)
    {
        mTop = Build(("<Graph><Namespace>" + body + "</Namespace></Graph>").c_str());
        if (mTop == nullptr || !Init(mTop))
            return nullptr;
        return AsNamespace(mTop->GetChild(0));
    }

    Transform* FindTransform(INamespace* scene, const char* id) { return dynamic_cast<Transform*>(Find(scene, id)); }
    Testing::ProbeNode* FindProbe(INamespace* scene, const char* id)
    {
        return dynamic_cast<Testing::ProbeNode*>(Find(scene, id));
    }

    // One logic pass and one output pass below the parent matrix and depth order; checks that
    // each pass leaves the stacks as it found them.
    void RunPasses(const Math::Matrix<float>& parent, SInt32 parentDepthOrder = 0)
    {
        mProcessLogicState.BeginStep();
        mProcessLogicState.PushTransform(parent);
        mProcessLogicState.SetDepthOrder(parentDepthOrder);
        ASSERT_TRUE(mTop->ProcessLogic(&mProcessLogicState));
        EXPECT_EQ(mProcessLogicState.GetTransform(), parent);
        EXPECT_EQ(mProcessLogicState.GetDepthOrder(), parentDepthOrder);
        mProcessLogicState.EndStep();

        mPrepareOutputState.Begin();
        mPrepareOutputState.PushTransform(parent);
        mPrepareOutputState.SetDepthOrder(parentDepthOrder);
        ASSERT_TRUE(mTop->PrepareOutput(&mPrepareOutputState));
        EXPECT_EQ(mPrepareOutputState.GetTransform(), parent);
        EXPECT_EQ(mPrepareOutputState.GetDepthOrder(), parentDepthOrder);
        mPrepareOutputState.End();
    }

    PrepareOutputState mPrepareOutputState;
    Testing::NodeClassRegistration mClasses;
    INode* mTop = nullptr;
};

// Through the reading form, which changes no flag.
const Math::Matrix<float>& MatrixOf(const Transform* transform)
{
    return transform->GetTransform();
}

Math::Matrix<float> Translation(float x, float y, float z)
{
    Math::Matrix<float> matrix;
    matrix.SetTranslation(x, y, z);
    return matrix;
}

// The rotation about z by a quarter turn with the engine's table sine and cosine.
Math::Matrix<float> QuarterTurnAboutZ()
{
    const float s = Math::Sin(float(Math::Pi / 2.0));
    const float c = Math::Cos(float(Math::Pi / 2.0));
    const float t = 1.0f - c;
    Math::Matrix<float> matrix;
    matrix[0] = t * 0.0f + c;
    matrix[1] = s;
    matrix[4] = -s;
    matrix[5] = c;
    matrix[10] = t + c;
    return matrix;
}

TEST_F(TransformTest, WithoutAttributesPushesNothing)
{
    INamespace* scene = BuildScene("<Transform id='t'><Probe id='p'/></Transform>");
    ASSERT_NE(scene, nullptr);
    Transform* transform = FindTransform(scene, "t");
    ASSERT_NE(transform, nullptr);
    EXPECT_TRUE(transform->IsIdentity());
    EXPECT_EQ(transform->GetTransformFlags(), Transform::kIdentity);

    const Math::Matrix<float> parent = Translation(1.0f, 2.0f, 3.0f);
    RunPasses(parent, 4);
    Testing::ProbeNode* probe = FindProbe(scene, "p");
    EXPECT_EQ(probe->mLogic.mVisits, 1u);
    EXPECT_EQ(probe->mLogic.mTransform, parent);
    EXPECT_EQ(probe->mOutput.mTransform, parent);
    EXPECT_EQ(probe->mLogic.mDepthOrder, 4);
    EXPECT_EQ(probe->mOutput.mDepthOrder, 4);
    EXPECT_TRUE(DeInit(mTop));
}

TEST_F(TransformTest, PositionMakesATranslationThatChildrenSeeInBothPasses)
{
    INamespace* scene = BuildScene("<Transform id='t' posX='5'><Probe id='p'/></Transform>");
    ASSERT_NE(scene, nullptr);
    Transform* transform = FindTransform(scene, "t");
    EXPECT_FALSE(transform->IsIdentity());
    EXPECT_EQ(MatrixOf(transform), Translation(5.0f, 0.0f, 0.0f));
    // Reading through the const form changes no flag.
    EXPECT_EQ(transform->GetTransformFlags(), 0u);

    const Math::Matrix<float> parent = Translation(0.0f, 1.0f, 0.0f);
    RunPasses(parent);
    Testing::ProbeNode* probe = FindProbe(scene, "p");
    EXPECT_EQ(probe->mLogic.mTransform, Translation(5.0f, 1.0f, 0.0f));
    EXPECT_EQ(probe->mOutput.mTransform, Translation(5.0f, 1.0f, 0.0f));
    EXPECT_TRUE(DeInit(mTop));
}

TEST_F(TransformTest, AngleComposesTheRotationOnceAboutTheNormalisedAxis)
{
    struct Case
    {
        const char* mAttributes;
        const char* mWhat;
    };
    const Case cases[] = {
        {"axisZ='1' angle='90d'", "unit axis, degrees"},
        {"axisZ='2' angle='90deg'", "axis of length 2"},
        {"angle='1.5707963268'", "default axis, radians"},
        {"xx='3' yx='4' zx='5' xy='6' yy='7' zy='8' xz='9' yz='10' zz='11' angle='90d' axisZ='1'",
         "explicit rotation elements are overridden"},
    };
    const Math::Matrix<float> expected = QuarterTurnAboutZ();
    for (const Case& c : cases) {
        SCOPED_TRACE(c.mWhat);
        INamespace* scene = BuildScene(std::string("<Transform id='t' posY='7' ") + c.mAttributes + "/>");
        ASSERT_NE(scene, nullptr);
        Transform* transform = FindTransform(scene, "t");
        Math::Matrix<float> withTranslation = expected;
        withTranslation[13] = 7.0f;
        EXPECT_EQ(MatrixOf(transform), withTranslation);
        EXPECT_EQ(transform->GetRotationAngle(), 0.0f);
        EXPECT_EQ(transform->GetRotationAxis(), Math::Vector<float>(0.0f, 0.0f, 1.0f, 0.0f));
        EXPECT_FALSE(transform->IsIdentity());
        EXPECT_TRUE(DeInit(mTop));
    }
}

TEST_F(TransformTest, ExplicitElementsStandWithoutAngle)
{
    INamespace* scene = BuildScene("<Transform id='id' xx='1' yy='1' zz='1' ww='1' xw='0'/>"
                                   "<Transform id='m' xx='2' yx='3' wy='4' zw='6' posZ='8'/>"
                                   "<Transform id='w' posX='1' xw='9'/>");
    ASSERT_NE(scene, nullptr);
    // An identity given element by element stays flagged identity.
    EXPECT_TRUE(FindTransform(scene, "id")->IsIdentity());

    Math::Matrix<float> expected;
    expected[0] = 2.0f;
    expected[1] = 3.0f;
    expected[7] = 4.0f;
    // "posZ" and "zw" write one element: the later attribute wins.
    expected[14] = 8.0f;
    EXPECT_EQ(MatrixOf(FindTransform(scene, "m")), expected);
    EXPECT_EQ(MatrixOf(FindTransform(scene, "w")), Translation(9.0f, 0.0f, 0.0f));
    EXPECT_TRUE(DeInit(mTop));
}

TEST_F(TransformTest, ZeroAxisWithAngleMeansNoRotation)
{
    INamespace* scene = BuildScene("<Transform id='t' axisX='0' axisY='0' axisZ='0' angle='45d'/>");
    ASSERT_NE(scene, nullptr);
    Transform* transform = FindTransform(scene, "t");
    EXPECT_TRUE(MatrixOf(transform).IsIdentity());
    EXPECT_TRUE(transform->IsIdentity());
    for (float element : MatrixOf(transform).mElements)
        EXPECT_FALSE(std::isnan(element));

    transform->SetPosition(1.0f, 2.0f, 3.0f);
    transform->SetRotation(Math::Vector<float>(0.0f, 0.0f, 0.0f, 0.0f), 1.0f);
    EXPECT_EQ(MatrixOf(transform), Translation(1.0f, 2.0f, 3.0f));
    EXPECT_TRUE(DeInit(mTop));
}

TEST_F(TransformTest, DepthOrderAddsToTheParentsForTheSubGraph)
{
    INamespace* scene = BuildScene("<Transform id='zero'><Probe id='a'/></Transform>"
                                   "<Transform id='three' depthOrder='3'><Probe id='b'/></Transform>");
    ASSERT_NE(scene, nullptr);
    // A depth order alone leaves the matrix out of the stack.
    EXPECT_TRUE(FindTransform(scene, "three")->IsIdentity());
    RunPasses(Math::Matrix<float>(), 2);
    EXPECT_EQ(FindProbe(scene, "a")->mLogic.mDepthOrder, 2);
    EXPECT_EQ(FindProbe(scene, "a")->mOutput.mDepthOrder, 2);
    EXPECT_EQ(FindProbe(scene, "b")->mLogic.mDepthOrder, 5);
    EXPECT_EQ(FindProbe(scene, "b")->mOutput.mDepthOrder, 5);
    EXPECT_TRUE(DeInit(mTop));
}

TEST_F(TransformTest, SettersMarkChangedAndWriteTheirElements)
{
    INamespace* scene = BuildScene("<Transform id='t' posX='4'/>");
    ASSERT_NE(scene, nullptr);
    Transform* transform = FindTransform(scene, "t");
    ITransform* moved = transform;
    const float angle = 0.5f;
    const float s = Math::Sin(angle);
    const float c = Math::Cos(angle);

    struct Case
    {
        const char* mWhat;
        void (*mApply)(ITransform*, float);
        float mExpected[9];  // elements 0, 1, 2, 4, 5, 6, 8, 9, 10
    };
    const Case cases[] = {
        {"about x", [](ITransform* t, float a) { t->SetRotationX(a); }, {1, 0, 0, 0, c, s, 0, -s, c}},
        {"about y", [](ITransform* t, float a) { t->SetRotationY(a); }, {c, 0, -s, 0, 1, 0, s, 0, c}},
        {"about z", [](ITransform* t, float a) { t->SetRotationZ(a); }, {c, s, 0, -s, c, 0, 0, 0, 1}},
        {"about the x axis vector",
         [](ITransform* t, float a) { t->SetRotation(Math::Vector<float>(1, 0, 0, 0), a); },
         {1, 0, 0, 0, c, s, 0, -s, c}},
        {"three angles, x only", [](ITransform* t, float a) { t->SetRotation(a, 0.0f, 0.0f); },
         {1, 0, 0, 0, c, s, 0, -s, c}},
    };
    const UInt32 rotationElements[9] = {0, 1, 2, 4, 5, 6, 8, 9, 10};
    for (const Case& entry : cases) {
        SCOPED_TRACE(entry.mWhat);
        entry.mApply(moved, angle);
        for (UInt32 i = 0; i < 9; ++i)
            EXPECT_FLOAT_EQ(MatrixOf(transform)[rotationElements[i]], entry.mExpected[i]) << i;
        // The translation is kept.
        EXPECT_EQ(MatrixOf(transform)[12], 4.0f);
    }

    // Back to the identity by hand: a setter still clears the identity bit and sets changed.
    transform->GetTransform().SetIdentity();
    moved->SetPosition(Math::Vector<float>(1.0f, 2.0f, 3.0f, 9.0f));
    EXPECT_EQ(MatrixOf(transform), Translation(1.0f, 2.0f, 3.0f));
    moved->SetPositionX(0.0f);
    moved->SetPositionY(0.0f);
    moved->SetPositionZ(0.0f);
    EXPECT_TRUE(MatrixOf(transform).IsIdentity());
    EXPECT_EQ(transform->GetTransformFlags(), Transform::kChanged);
    moved->SetDepthOrder(-3);
    EXPECT_EQ(moved->GetDepthOrder(), -3);
    EXPECT_TRUE(DeInit(mTop));
}

TEST_F(TransformTest, ModifyingGetTransformStartsPushingTheMatrix)
{
    INamespace* scene = BuildScene("<Transform id='t'><Probe id='p'/></Transform>");
    ASSERT_NE(scene, nullptr);
    Transform* transform = FindTransform(scene, "t");
    transform->GetTransform()[12] = 2.0f;
    EXPECT_EQ(transform->GetTransformFlags(), Transform::kChanged);
    RunPasses(Math::Matrix<float>());
    EXPECT_EQ(FindProbe(scene, "p")->mOutput.mTransform, Translation(2.0f, 0.0f, 0.0f));
    EXPECT_TRUE(DeInit(mTop));
}

TEST_F(TransformTest, ChangeInTheMiddleOfAPassPopsWhatWasPushed)
{
    INamespace* scene = BuildScene("<Transform id='t'><Probe id='p'/></Transform>");
    ASSERT_NE(scene, nullptr);
    Transform* transform = FindTransform(scene, "t");
    // The child moves its parent and gives it a depth order while the parent's self step has
    // pushed nothing; the parent's children step must not pop.
    FindProbe(scene, "p")->mOnLogic = [transform]() {
        transform->SetPositionX(3.0f);
        transform->SetDepthOrder(2);
    };
    RunPasses(Translation(0.0f, 0.0f, 1.0f), 1);
    EXPECT_EQ(FindProbe(scene, "p")->mOutput.mTransform, Translation(3.0f, 0.0f, 1.0f));
    EXPECT_EQ(FindProbe(scene, "p")->mOutput.mDepthOrder, 3);
    EXPECT_TRUE(DeInit(mTop));
}

TEST_F(TransformTest, FailingChildAbandonsThePassWithoutPopping)
{
    INamespace* scene = BuildScene("<Transform id='t' posX='1' depthOrder='2'><Probe id='p'/></Transform>");
    ASSERT_NE(scene, nullptr);
    FindProbe(scene, "p")->mFailLogic = true;
    FindProbe(scene, "p")->mFailOutput = true;
    ::testing::internal::CaptureStderr();
    mProcessLogicState.BeginStep();
    EXPECT_FALSE(mTop->ProcessLogic(&mProcessLogicState));
    EXPECT_EQ(mProcessLogicState.GetTransform(), Translation(1.0f, 0.0f, 0.0f));
    EXPECT_EQ(mProcessLogicState.GetDepthOrder(), 2);
    mPrepareOutputState.Begin();
    EXPECT_FALSE(mTop->PrepareOutput(&mPrepareOutputState));
    EXPECT_EQ(mPrepareOutputState.GetTransform(), Translation(1.0f, 0.0f, 0.0f));
    EXPECT_EQ(mPrepareOutputState.GetDepthOrder(), 2);
    ::testing::internal::GetCapturedStderr();
    EXPECT_TRUE(DeInit(mTop));
}

TEST_F(TransformTest, UnconvertibleAttributeFailsTheGraph)
{
    ::testing::internal::CaptureStderr();
    const std::unique_ptr<Resource::XmlGraph> graph =
        Testing::ParseXmlGraph("<Graph><Transform posX='left'/></Graph>");
    ASSERT_NE(graph, nullptr);
    EXPECT_EQ(mFactory.CreateGraph(graph.get(), nullptr), nullptr);
    ::testing::internal::GetCapturedStderr();
}

TEST_F(TransformTest, AnimatedTransformRunsItsControllerAndRegistersItsEvaluator)
{
    Testing::ControllerRecorder recorder;
    INamespace* scene = BuildScene("<Transform id='t' animationResourceId='walk'><Probe/></Transform>");
    ASSERT_NE(scene, nullptr);
    Testing::RecordingController* controller = Testing::ControllerRecorder::GetController(Find(scene, "t"));
    ASSERT_NE(controller, nullptr);
    ASSERT_EQ(controller->mEvaluators.size(), 1u);
    EXPECT_EQ(controller->mEvaluators[0], &CreateTransformAnimationEvaluator);
    RunPasses(Math::Matrix<float>());
    // Only the logic pass evaluates the animation.
    EXPECT_EQ(controller->mProcessLogicCalls, 1u);
    EXPECT_TRUE(DeInit(mTop));
}

} // namespace
} // namespace Graph
} // namespace Vorn
