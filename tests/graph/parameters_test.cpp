#include "graph/render/parameters.h"

#include <gtest/gtest.h>

#include <string>

#include "tests/support/view_scene_fixture.h"

namespace Vorn {
namespace Graph {
namespace {

using Testing::FakeParameters;
using ColorValues = FakeParameters::Values<Float, 4>;
using ShininessValue = FakeParameters::Scalar<Float>;

class ParametersTest : public Testing::ViewSceneFixture
{
protected:
    Parameters* Node(const char* id) { return Find<Parameters>(mScene, id); }
    // The values the renderer holds for the node: colour i, or the shininess for i = 4.
    static FakeParameters* Display(Parameters* node) { return dynamic_cast<FakeParameters*>(node->GetParametersObject()); }
    static ColorValues* Sent(Parameters* node, UInt32 color)
    {
        // Created in the order CUSTOM_4, CUSTOM_0 to CUSTOM_3.
        return static_cast<ColorValues*>(Display(node)->mParameters[1 + color].second.get());
    }
    static ShininessValue* SentShininess(Parameters* node)
    {
        return static_cast<ShininessValue*>(Display(node)->mParameters[0].second.get());
    }
    static void Scribble(Parameters* node)
    {
        for (UInt32 i = 0; i < 4; ++i)
            for (Float& value : Sent(node, i)->mValues)
                value = -1.0f;
        SentShininess(node)->mValue = -1.0f;
    }
    static std::vector<Float> Values(ColorValues* values) { return {values->mValues, values->mValues + 4}; }

    Graph::INamespace* mScene = nullptr;
};

TEST_F(ParametersTest, TheFirstPassSendsAllFiveValuesAndLaterPassesOnlyChanges)
{
    mScene = Scene("<View><Parameters id='p' diffuseColor='0.5, 0.25, 1, 1' shininess='8'/></View>");
    ASSERT_NE(mScene, nullptr);
    Parameters* p = Node("p");
    EXPECT_EQ(Display(p)->mParameters[0].first, Enums::ShaderVariable::CUSTOM_4);
    EXPECT_EQ(Display(p)->mParameters[4].first, Enums::ShaderVariable::CUSTOM_3);
    EXPECT_EQ(p->GetChangedMask(), Parameters::kAllChanged);
    Scribble(p);
    ASSERT_TRUE(RunFrame());
    EXPECT_EQ(Values(Sent(p, 0)), (std::vector<Float>{0.2f, 0.2f, 0.2f, 1.0f}));
    EXPECT_EQ(Values(Sent(p, 1)), (std::vector<Float>{0.5f, 0.25f, 1.0f, 1.0f}));
    EXPECT_EQ(Values(Sent(p, 3)), (std::vector<Float>{0.0f, 0.0f, 0.0f, 0.0f}));
    EXPECT_EQ(SentShininess(p)->mValue, 8.0f);
    EXPECT_EQ(p->GetChangedMask(), 0u);

    Scribble(p);
    p->SetColor(4, Color{9.0f, 9.0f, 9.0f, 9.0f});
    EXPECT_EQ(p->GetChangedMask(), 0u);
    EXPECT_EQ(p->GetColor(4).red, 0.2f);
    p->SetColor(2, Color{0.0f, 1.0f, 0.0f, 1.0f});
    ASSERT_TRUE(RunFrame());
    EXPECT_EQ(Values(Sent(p, 2)), (std::vector<Float>{0.0f, 1.0f, 0.0f, 1.0f}));
    EXPECT_EQ(Sent(p, 1)->mValues[0], -1.0f);
    EXPECT_EQ(SentShininess(p)->mValue, -1.0f);
}

TEST_F(ParametersTest, AChildMultipliesWithItsParentAndFollowsItsChangesInTheSamePass)
{
    mScene = Scene("<View><Parameters id='parent' diffuseColor='0.5, 0.5, 0.5, 1' shininess='2'/>"
                   "<Parameters id='child' parentParametersId='parent' diffuseColor='1, 0, 0, 0.5' shininess='3'/></View>");
    ASSERT_NE(mScene, nullptr);
    Parameters* parent = Node("parent");
    Parameters* child = Node("child");
    ASSERT_TRUE(RunFrame());
    EXPECT_EQ(Values(Sent(child, 1)), (std::vector<Float>{0.5f, 0.0f, 0.0f, 0.5f}));
    EXPECT_EQ(SentShininess(child)->mValue, 6.0f);

    Scribble(child);
    parent->SetColor(0, Color{0.5f, 0.5f, 0.5f, 0.5f});
    ASSERT_TRUE(RunFrame());
    EXPECT_EQ(Values(Sent(child, 0)), (std::vector<Float>{0.1f, 0.1f, 0.1f, 0.5f}));
    EXPECT_EQ(Sent(child, 1)->mValues[0], -1.0f);
    EXPECT_EQ(SentShininess(child)->mValue, -1.0f);

    EXPECT_EQ(parent->GetReferenceCount(), 1u);
    ASSERT_TRUE(DeInit());
    EXPECT_EQ(parent->GetReferenceCount(), 0u);
    EXPECT_TRUE(mDisplay.mLiveObjects.empty());
}

TEST_F(ParametersTest, ANodeMadeVisibleOrResumedSendsEverythingAgain)
{
    mScene = Scene("<View><Parameters id='p'/></View>");
    ASSERT_NE(mScene, nullptr);
    Parameters* p = Node("p");
    ASSERT_TRUE(RunFrame());
    p->SetVisible(false);
    p->SetShininess(4.0f);
    ASSERT_TRUE(RunFrame());
    EXPECT_EQ(SentShininess(p)->mValue, 1.0f);
    Scribble(p);
    p->SetVisible(true);
    ASSERT_TRUE(RunFrame());
    EXPECT_EQ(SentShininess(p)->mValue, 4.0f);
    EXPECT_EQ(Sent(p, 0)->mValues[0], 0.2f);

    mConfiguration.SetSuspendReleaseMask(UInt32(Enums::MemoryObjectType::OTHER));
    ASSERT_TRUE(mTop->Suspend(&mDeInitState));
    EXPECT_FALSE(Display(p)->IsInitialized());
    ASSERT_TRUE(mTop->Resume(&mInitState));
    EXPECT_TRUE(Display(p)->IsInitialized());
    EXPECT_EQ(p->GetChangedMask(), Parameters::kAllChanged);
}

TEST_F(ParametersTest, RefusesAParentThatIsMissingOrNotParametersAndGivesItsReferenceBack)
{
    struct Case
    {
        const char* body;
        const char* message;
    } const cases[] = {
        {"<View><Parameters id='p' parentParametersId='none'/></View>",
         "Graph::Parameters::InitSelf(p): Failed to get parent parameters node \"none\""},
        {"<View><Transform id='t'/><Parameters id='p' parentParametersId='t'/></View>",
         "Graph::Parameters::InitSelf(p): Referenced parent \"t\" is not a parameters node"},
    };
    for (const Case& c : cases) {
        std::string log;
        EXPECT_FALSE(InitCapturing(c.body, log)) << c.body;
        EXPECT_NE(log.find(c.message), std::string::npos) << log;
        mScene = dynamic_cast<Graph::INamespace*>(mTop->GetChild(0));
        if (auto* t = Find<Graph::Node>(mScene, "t")) {
            EXPECT_EQ(t->GetReferenceCount(), 0u);
        }
        EXPECT_TRUE(DestroyScene());
    }
}

} // namespace
} // namespace Graph
} // namespace Vorn
