#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "game/scores_font.h"
#include "graph/parameters.h"
#include "graph/switch.h"
#include "tests/support/fake_text_node.h"
#include "tests/support/view_scene_fixture.h"

namespace Vorn {
namespace App {
namespace {

// A row template; each test puts its own "tex" node first in the row's transform.
const char kRowGraph[] =
    "<Graph replication='0'><Namespace id='scoresfont{replication}' activeAndVisible='false'>"
    "  <Transform id='position'>"
    "    <Switch id='switch'><FakeDisplayText id='text'/><FakeDisplayText id='other'/></Switch>"
    "    <FakeDisplayText id='score'/><Parameters id='parameters'/><Parameters id='parameters_score'/>"
    "  </Transform>"
    "</Namespace></Graph>";

class ScoresFontTest : public Testing::ViewSceneFixture
{
protected:
    ScoresFontTest()
        : mTextClasses(mFactory, {{"FakeText", &Testing::TextNode::Create},
                                  {"FakeDisplayText", &Testing::FakeDisplayTextNode::Create}})
    {
    }

    // A pool of rows whose "tex" node is of the given class.
    Graph::INamespace* BuildRows(const std::string& texNode)
    {
        std::string graph = kRowGraph;
        graph.replace(graph.find("<Transform id='position'>") + 25, 0, texNode);
        mCollection.AddGraph("app:row", graph.c_str());
        return Scene("<View><Instance id='scoresfont_container' graphResourceId='app:row' replications='2'/></View>");
    }
    std::string Text(Graph::INamespace* scene, const char* path)
    {
        return Find<Graph::IText>(scene, path)->GetText().GetText();
    }

    Testing::NodeClassRegistration mTextClasses;
    ScoresFontContainer mRows;
};

TEST_F(ScoresFontTest, PlainTextFormFollowsTheChosenChild)
{
    Graph::INamespace* scene = BuildRows("<FakeText id='tex'/>");
    ASSERT_NE(scene, nullptr);
    ASSERT_TRUE(mRows.Init(scene, ""));
    ASSERT_EQ(mRows.GetCount(), 2u);
    ScoresFont* row = mRows.Obtain();
    ASSERT_NE(row, nullptr);
    EXPECT_FALSE(row->IsDisplayTextMode());
    row->SetValue("Anna", 0, "highlight");
    EXPECT_EQ(Text(scene, "scoresfont0/text"), "Anna");
    EXPECT_EQ(Text(scene, "scoresfont0/tex"), "Anna");
    EXPECT_EQ(Find<Graph::ISwitch>(scene, "scoresfont0/switch")->GetIndex(), 0);

    // The style colours the text and the score; an unknown style keeps the colours.
    const struct
    {
        const char* mStyle;
        Float mRed;
        Float mAlpha;
    } styles[] = {{"highlight", 1.0f, 1.0f}, {"1", 0.0f, 0.7f}, {"2", 0.28f, 0.8f}, {"other", 0.28f, 0.8f}};
    for (const auto& style : styles) {
        row->SetValue("Anna", 0, style.mStyle);
        for (const char* parameters : {"scoresfont0/parameters", "scoresfont0/parameters_score"}) {
            const Color& color = Find<Graph::IParameters>(scene, parameters)->GetColor(1);
            EXPECT_EQ(color.red, style.mRed) << style.mStyle;
            EXPECT_EQ(color.alpha, style.mAlpha) << style.mStyle;
        }
    }
    EXPECT_TRUE(mRows.DeInit());
}

TEST_F(ScoresFontTest, TexThatIsNoTextShowsTheDisplayTextForm)
{
    Graph::INamespace* scene = BuildRows("<Transform id='tex'/>");
    ASSERT_NE(scene, nullptr);
    ASSERT_TRUE(mRows.Init(scene, ""));
    ScoresFont* row = mRows.Obtain();
    ASSERT_TRUE(row->IsDisplayTextMode());
    row->SetValue("Ben", 0, "1");
    EXPECT_EQ(Text(scene, "scoresfont0/text"), "Ben");
    EXPECT_EQ(Find<Graph::ISwitch>(scene, "scoresfont0/switch")->GetIndex(), 1);
    EXPECT_TRUE(mRows.DeInit());
}

TEST_F(ScoresFontTest, MissingNodesFailTheRow)
{
    Graph::INamespace* scene = BuildRows("");
    ASSERT_NE(scene, nullptr);
    ::testing::internal::CaptureStderr();
    EXPECT_TRUE(mRows.Init(scene, "")); // "tex" is optional
    ::testing::internal::GetCapturedStderr();
    EXPECT_TRUE(mRows.DeInit());
    ScoresFontContainer wrong;
    ::testing::internal::CaptureStderr();
    EXPECT_FALSE(wrong.Init(scene, "/nowhere"));
    ::testing::internal::GetCapturedStderr();
    EXPECT_TRUE(wrong.DeInit());
}

TEST(ScoresFontCanRenderTest, AsksTheFontForEveryCharacterAboveTheSpace)
{
    Testing::FakeDisplayTextNode font;
    font.mGlyphs = {"A", "n", "\xC3\xBC"};
    EXPECT_TRUE(ScoresFont::CanRender("An n\xC3\xBC\t", &font));
    EXPECT_EQ(font.mAsked, (std::vector<std::string>{"A", "n", "n", "\xC3\xBC"}));
    EXPECT_FALSE(ScoresFont::CanRender("Ann\xE2\x82\xAC", &font)); // the euro sign, gathered whole
    EXPECT_EQ(font.mAsked.back(), "\xE2\x82\xAC");
    EXPECT_TRUE(ScoresFont::CanRender("", &font));
    EXPECT_FALSE(ScoresFont::CanRender("A", nullptr));
}

} // namespace
} // namespace App
} // namespace Vorn
