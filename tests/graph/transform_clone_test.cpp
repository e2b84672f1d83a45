#include "graph/transform/transform_clone.h"

#include <gtest/gtest.h>

#include <string>

#include "foundation/math.h"
#include "graph/prepare_output_state.h"
#include "graph/structure/anchor.h"
#include "graph/transform/transform.h"
#include "tests/support/probe_node.h"
#include "tests/support/scene_fixture.h"

namespace Vorn {
namespace Graph {
namespace {

class TransformCloneTest : public Testing::SceneFixture
{
protected:
    TransformCloneTest()
        : mPrepareOutputState(nullptr),
          mClasses(mFactory, {{"TransformClone", &TransformClone::Create}, {"Transform", &Transform::Create}})
    {
        mPrepareOutputState.Init(&mClock);
    }

    // An anchor "spot" below a turned, moved transform with depth order 7, then a clone with the
    // attributes below a transform at y = 3, over a probe.
    INamespace* BuildScene(const std::string& cloneAttributes)
    {
        mTop = Build(("<Graph><Namespace>"
                      "<Transform posX='5' posZ='1' angle='90d' depthOrder='7'><Anchor id='spot'/></Transform>"
                      "<Transform id='parent' posY='3'><TransformClone id='c' " +
                      cloneAttributes + "><Probe id='p'/></TransformClone></Transform>"
                                        "</Namespace></Graph>")
                         .c_str());
        return mTop == nullptr ? nullptr : AsNamespace(mTop->GetChild(0));
    }

    void RunPasses()
    {
        mProcessLogicState.BeginStep();
        mProcessLogicState.SetDepthOrder(1);
        ASSERT_TRUE(mTop->ProcessLogic(&mProcessLogicState));
        EXPECT_TRUE(mProcessLogicState.GetTransform().IsIdentity());
        EXPECT_EQ(mProcessLogicState.GetDepthOrder(), 1);
        mProcessLogicState.EndStep();
        mPrepareOutputState.Begin();
        mPrepareOutputState.SetDepthOrder(1);
        ASSERT_TRUE(mTop->PrepareOutput(&mPrepareOutputState));
        EXPECT_TRUE(mPrepareOutputState.GetTransform().IsIdentity());
        EXPECT_EQ(mPrepareOutputState.GetDepthOrder(), 1);
        mPrepareOutputState.End();
    }

    PrepareOutputState mPrepareOutputState;
    Testing::NodeClassRegistration mClasses;
    INode* mTop = nullptr;
};

TEST_F(TransformCloneTest, TakesTheAnchorsPartsAndDepthOrder)
{
    Math::Matrix<float> anchor;
    Transform::ComposeAxisRotation(anchor, Math::Vector<float>(0, 0, 1, 0), float(Math::Pi / 2.0));
    anchor.SetTranslation(5.0f, 0.0f, 1.0f);
    Math::Matrix<float> parent;
    parent.SetTranslation(0.0f, 3.0f, 0.0f);
    Math::Matrix<float> parentMovedToAnchor = parent;
    parentMovedToAnchor.SetTranslation(5.0f, 0.0f, 1.0f);
    Math::Matrix<float> anchorRotationOnly = anchor;
    anchorRotationOnly.SetTranslation(0.0f, 0.0f, 0.0f);

    struct Case
    {
        const char* mAttributes;
        Math::Matrix<float> mExpected;
    };
    const Case cases[] = {
        {"useAbsoluteTransform='true' affectRotation='true' affectTranslation='true'", anchor},
        {"", parent},
        {"affectTranslation='true'", parentMovedToAnchor},
        {"useAbsoluteTransform='true' affectRotation='true'", anchorRotationOnly},
        {"useAbsoluteTransform='true'", Math::Matrix<float>()},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.mAttributes);
        INamespace* scene = BuildScene(std::string("anchorId='spot' ") + c.mAttributes);
        ASSERT_NE(scene, nullptr);
        ASSERT_TRUE(Init(mTop));
        auto* probe = static_cast<Testing::ProbeNode*>(Find(scene, "p"));
        RunPasses();
        EXPECT_EQ(probe->mLogic.mTransform, c.mExpected);
        EXPECT_EQ(probe->mOutput.mTransform, c.mExpected);
        // The anchor recorded 1 + 7; the clone sets it, not adds it.
        EXPECT_EQ(probe->mLogic.mDepthOrder, 8);
        EXPECT_EQ(probe->mOutput.mDepthOrder, 8);
        EXPECT_TRUE(DeInit(mTop));
    }
}

TEST_F(TransformCloneTest, HoldsOneAnchorReferenceWhileInitialised)
{
    INamespace* scene = BuildScene("anchorId='spot'");
    ASSERT_NE(scene, nullptr);
    ASSERT_TRUE(Init(mTop));
    INode* anchor = Find(scene, "spot");
    auto* clone = dynamic_cast<TransformClone*>(Find(scene, "c"));
    ASSERT_NE(clone, nullptr);
    EXPECT_EQ(clone->GetAnchor(), anchor);
    const UInt32 held = ReferenceCount(anchor);
    EXPECT_TRUE(DeInit(mTop));
    EXPECT_EQ(clone->GetAnchor(), nullptr);
    EXPECT_EQ(ReferenceCount(anchor), held - 1);
    // A second cycle takes and gives back the same one reference.
    ASSERT_TRUE(Init(mTop));
    EXPECT_EQ(ReferenceCount(anchor), held);
    EXPECT_TRUE(DeInit(mTop));
    EXPECT_EQ(ReferenceCount(anchor), held - 1);
}

TEST_F(TransformCloneTest, RefusesAMissingOrWrongAnchor)
{
    struct Case
    {
        const char* mAttributes;
        const char* mLine;
    };
    const Case cases[] = {
        {"", "Graph::TransformClone::InitSelf(c): No anchor ID given\n"},
        {"anchorId='nowhere'", "Graph::TransformClone::InitSelf(c): Failed to get node \"nowhere\"\n"},
        {"anchorId='parent'", "Graph::TransformClone::InitSelf(c): Failed to get anchor node \"parent\"\n"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.mAttributes);
        INamespace* scene = BuildScene(c.mAttributes);
        ASSERT_NE(scene, nullptr);
        INode* parent = mTop->GetChild(0)->GetChild(1);
        const UInt32 parentReferences = ReferenceCount(parent);
        ::testing::internal::CaptureStderr();
        EXPECT_FALSE(Init(mTop));
        const std::string log = ::testing::internal::GetCapturedStderr();
        EXPECT_EQ(log.rfind(c.mLine, 0), 0u) << log;
        EXPECT_TRUE(DeInit(mTop));
        // A node that is not an anchor is not kept.
        EXPECT_EQ(ReferenceCount(parent), parentReferences);
    }
}

} // namespace
} // namespace Graph
} // namespace Vorn
