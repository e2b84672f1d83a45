#include "graph/structure/reference.h"

#include <gtest/gtest.h>

#include <string>

#include "graph/node_class_info.h"
#include "graph/structure/anchor.h"
#include "tests/support/scene_fixture.h"

namespace Vorn {
namespace Graph {
namespace {

// Counts the passes that reach it, and whether its reference count was zero when it was
// de-initialised.
class Counted : public Anchor
{
public:
    static INode* Create() { return new Counted(); }

    UInt32 mSuspends = 0;
    UInt32 mResumes = 0;
    UInt32 mLogicSteps = 0;
    Bool mReleasedBeforeDeInit = false;

protected:
    Bool SuspendSelf(IDeInitState*) override { return ++mSuspends, true; }
    Bool ResumeSelf(IInitState*) override { return ++mResumes, true; }
    Bool ProcessLogicSelf(IProcessLogicState* state) override
    {
        ++mLogicSteps;
        return Anchor::ProcessLogicSelf(state);
    }
    Bool DeInitSelf(IDeInitState* state) override
    {
        mReleasedBeforeDeInit = GetReferenceCount() == 0;
        return Anchor::DeInitSelf(state);
    }
};

const NodeClassInfo kCountedInfo(String("Counted"), &Counted::Create);

class ReferenceTest : public Testing::SceneFixture
{
protected:
    void SetUp() override { ASSERT_TRUE(mFactory.RegisterNodeClass(&kCountedInfo)); }

    // Builds the scene, whose first node is a namespace, and initialises it; the namespace's
    // children are then at hand by position.
    INode* Scene(const char* nodes)
    {
        std::string xml = std::string("<Graph><Namespace>") + nodes + "</Namespace></Graph>";
        mGraph = Build(xml.c_str());
        return mGraph != nullptr ? mGraph->GetChild(0) : nullptr;
    }

    INode* mGraph = nullptr;
};

TEST_F(ReferenceTest, ShowsAnEarlierTargetAsItsOnlyChildWhileHoldingOneReference)
{
    INode* scene = Scene("<Counted id='target'/><Reference id='ref' targetId='target'/>");
    ASSERT_NE(scene, nullptr);
    Counted* target = static_cast<Counted*>(scene->GetChild(0));
    Reference* reference = dynamic_cast<Reference*>(scene->GetChild(1));
    ASSERT_NE(reference, nullptr);
    EXPECT_EQ(reference->GetReferencedNode(), nullptr);

    ASSERT_TRUE(Init(mGraph));
    EXPECT_EQ(reference->GetReferencedNode(), target);
    EXPECT_EQ(reference->GetNumberOfChildren(), 1u);
    EXPECT_EQ(target->GetReferenceCount(), 1u);
    EXPECT_NE(reference->GetFlags() & Node::kNeedsProcessLogic, 0u);
    // Children are not attached to a reference, nor can its target be taken away.
    reference->AddChild(scene->GetChild(0));
    reference->InsertChild(scene->GetChild(0), 0);
    EXPECT_EQ(reference->RemoveChildAt(0), nullptr);
    EXPECT_EQ(reference->RemoveChild(target), nullptr);
    EXPECT_EQ(reference->GetNumberOfChildren(), 1u);

    // The logic pass visits the target in both places; Suspend and Resume only where it lives.
    ASSERT_TRUE(ProcessLogic(mGraph));
    EXPECT_EQ(target->mLogicSteps, 2u);
    ASSERT_TRUE(mGraph->Suspend(&mDeInitState));
    ASSERT_TRUE(mGraph->Resume(&mInitState));
    EXPECT_EQ(target->mSuspends, 1u);
    EXPECT_EQ(target->mResumes, 1u);

    // Children are de-initialised last to first, so the reference lets go before its target.
    ASSERT_TRUE(DeInit(mGraph));
    EXPECT_TRUE(target->mReleasedBeforeDeInit);
    EXPECT_EQ(target->GetReferenceCount(), 0u);
    EXPECT_EQ(reference->GetNumberOfChildren(), 0u);
    EXPECT_EQ(reference->GetReferencedNode(), nullptr);
}

// Children that a graph file gives a reference are not attached; the factory destroys them
// (the leak checker of the sanitizer build sees one that stays behind).
TEST_F(ReferenceTest, ChildrenGivenInTheGraphAreDestroyedNotLeaked)
{
    INode* scene = Scene("<Counted id='target'/><Reference id='ref' targetId='target'><Container/></Reference>");
    ASSERT_NE(scene, nullptr);
    EXPECT_EQ(scene->GetChild(1)->GetNumberOfChildren(), 0u);
    ASSERT_TRUE(Init(mGraph));
    EXPECT_EQ(scene->GetChild(1)->GetNumberOfChildren(), 1u);
    ASSERT_TRUE(DeInit(mGraph));
}

TEST_F(ReferenceTest, RefusesTargetsItCannotHold)
{
    struct Case
    {
        const char* nodes;
        const char* line;
    };
    const Case cases[] = {
        {"<Reference id='r' targetId='nowhere'/>",
         "Graph::Reference::InitSelf(r): referenced node 'nowhere' not found"},
        {"<Reference id='r' targetId='later'/><Counted id='later'/>",
         "Graph::Reference::InitSelf(r): referenced node 'later' not found"},
        {"<Reference id='r'/>", "Graph::Reference::InitSelf(): attribute targetId is empty"},
        {"<Container id='outer'><Reference id='r' targetId='outer'/></Container>",
         "Graph::Reference::InitSelf(r): referenced node 'outer' contains the reference"},
        {"<Container id='outer'><Counted id='t'/><Reference id='r2' targetId='outer'/></Container>",
         "Graph::Reference::InitSelf(r2): referenced node 'outer' contains the reference"},
    };
    for (const Case& c : cases) {
        INode* scene = Scene(c.nodes);
        ASSERT_NE(scene, nullptr);
        ::testing::internal::CaptureStderr();
        EXPECT_FALSE(Init(mGraph)) << c.nodes;
        const std::string log = ::testing::internal::GetCapturedStderr();
        EXPECT_EQ(log.rfind(c.line, 0), 0u) << log;
        // Nothing stays held, so the scene de-initialises.
        EXPECT_EQ(static_cast<Node*>(scene->GetChild(0))->GetReferenceCount(), 0u) << c.nodes;
        EXPECT_TRUE(DeInit(mGraph)) << c.nodes;
    }
}

TEST_F(ReferenceTest, FollowsAChainOfReferencesWhenLookingForACycle)
{
    INode* scene = Scene("<Container id='a'/><Reference id='b' targetId='a'/>");
    ASSERT_NE(scene, nullptr);
    ASSERT_TRUE(Init(mGraph));

    // A later graph puts c below a; c would show b, which shows a, which holds c.
    INode* later = Build("<Graph><Reference id='c' targetId='b'/></Graph>");
    ASSERT_NE(later, nullptr);
    INode* a = scene->GetChild(0);
    a->AddChild(later);
    ::testing::internal::CaptureStderr();
    EXPECT_FALSE(Init(mGraph));
    const std::string log = ::testing::internal::GetCapturedStderr();
    EXPECT_EQ(log.rfind("Graph::Reference::InitSelf(c): referenced node 'b' contains the reference", 0), 0u) << log;
    EXPECT_EQ(static_cast<Node*>(scene->GetChild(1))->GetReferenceCount(), 0u);

    EXPECT_TRUE(DeInit(mGraph));
    a->RemoveChild(later);
}

} // namespace
} // namespace Graph
} // namespace Vorn
