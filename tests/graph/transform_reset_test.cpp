#include "graph/transform/transform_reset.h"

#include <gtest/gtest.h>

#include <string>

#include "graph/prepare_output_state.h"
#include "tests/support/probe_node.h"
#include "tests/support/scene_fixture.h"

namespace Vorn {
namespace Graph {
namespace {

class TransformResetTest : public Testing::SceneFixture
{
protected:
    TransformResetTest()
        : mPrepareOutputState(nullptr), mClasses(mFactory, {{"TransformReset", &TransformReset::Create}})
    {
        mPrepareOutputState.Init(&mClock);
    }

    PrepareOutputState mPrepareOutputState;
    Testing::NodeClassRegistration mClasses;
};

TEST_F(TransformResetTest, DiscardsTheAffectedPartsOfTheParentTransform)
{
    // A rotated, translated parent with a fourth row that is not (0, 0, 0, 1).
    Math::Matrix<float> parent;
    parent.SetRotation(0.3f, 0.5f, 0.7f);
    parent.SetTranslation(1.0f, 2.0f, 3.0f);
    parent[3] = 0.25f;
    const Math::Vector<float> parentScale(2.0f, 2.0f, 2.0f, 0.0f);

    Math::Matrix<float> rotationOnly = parent;
    rotationOnly.SetTranslation(0.0f, 0.0f, 0.0f);
    rotationOnly[3] = 0.0f;
    Math::Matrix<float> translationOnly;
    translationOnly.SetTranslation(1.0f, 2.0f, 3.0f);
    Math::Matrix<float> parentWithoutFourthRow = parent;
    parentWithoutFourthRow[3] = 0.0f;

    struct Case
    {
        const char* mAttributes;
        Math::Matrix<float> mExpected;
    };
    const Case cases[] = {
        {"", parentWithoutFourthRow},
        {"affectRotation='true'", translationOnly},
        {"affectTranslation='true'", rotationOnly},
        {"affectRotation='true' affectTranslation='true'", Math::Matrix<float>()},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.mAttributes);
        INode* top = Build(
            (std::string("<Graph><TransformReset ") + c.mAttributes + "><Probe/></TransformReset></Graph>").c_str());
        ASSERT_NE(top, nullptr);
        ASSERT_TRUE(Init(top));
        auto* probe = static_cast<Testing::ProbeNode*>(top->GetChild(0)->GetChild(0));

        mProcessLogicState.BeginStep();
        mProcessLogicState.PushTransform(parent);
        mProcessLogicState.PushScaleFactor(parentScale);
        ASSERT_TRUE(top->ProcessLogic(&mProcessLogicState));
        EXPECT_EQ(mProcessLogicState.GetTransform(), parent);
        mProcessLogicState.EndStep();
        mPrepareOutputState.Begin();
        mPrepareOutputState.PushTransform(parent);
        mPrepareOutputState.PushScaleFactor(parentScale);
        ASSERT_TRUE(top->PrepareOutput(&mPrepareOutputState));
        EXPECT_EQ(mPrepareOutputState.GetTransform(), parent);
        mPrepareOutputState.End();

        EXPECT_EQ(probe->mLogic.mTransform, c.mExpected);
        EXPECT_EQ(probe->mOutput.mTransform, c.mExpected);
        // The scale factor passes through untouched.
        EXPECT_EQ(probe->mLogic.mScaleFactor, parentScale);
        EXPECT_EQ(probe->mOutput.mScaleFactor, parentScale);
        EXPECT_TRUE(DeInit(top));
    }
}

} // namespace
} // namespace Graph
} // namespace Vorn
