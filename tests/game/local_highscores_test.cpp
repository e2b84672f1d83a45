#include <gtest/gtest.h>

#include <string>

#include "game/game_state.h"
#include "game/local_highscores.h"
#include "game/player_data.h"
#include "game/scores_font.h"
#include "graph/parameters.h"
#include "graph/switch.h"
#include "graph/transform/transform.h"
#include "tests/support/fake_text_node.h"
#include "tests/support/view_scene_fixture.h"

namespace Vorn {
namespace App {
namespace {

const char kRowGraph[] =
    "<Graph replication='0'><Namespace id='scoresfont{replication}' activeAndVisible='false'>"
    "  <Transform id='position'><FakeText id='tex'/>"
    "    <Switch id='switch'><FakeDisplayText id='text'/><FakeDisplayText id='other'/></Switch>"
    "    <FakeDisplayText id='score'/><Parameters id='parameters'/><Parameters id='parameters_score'/>"
    "  </Transform>"
    "</Namespace></Graph>";

class LocalHighscoresTest : public Testing::ViewSceneFixture
{
protected:
    LocalHighscoresTest()
        : mTextClasses(mFactory, {{"FakeText", &Testing::TextNode::Create},
                                  {"FakeDisplayText", &Testing::FakeDisplayTextNode::Create}})
    {
        mFont.mGlyphs = {"A", "n", "a", "B", "e", "C", "l", "o"};
        mState.Init(nullptr, nullptr);
    }

    // The list's six blocks (less any left out) and a pool of eighteen rows.
    Graph::INamespace* BuildList(UInt32 missingBlock = 0)
    {
        mCollection.AddGraph("app:row", kRowGraph);
        std::string blocks;
        for (UInt32 k = 1; k <= 6; ++k) {
            if (k != missingBlock)
                blocks += "<Namespace id='block_" + std::to_string(k) + "'><Transform id='pos'/></Namespace>";
        }
        return Scene("<View><Namespace id='fbo_scrolllist'><Namespace id='scrolllists'><Namespace id='highscore'>" +
                     blocks +
                     "</Namespace></Namespace></Namespace>"
                     "<Instance id='scoresfont_container' graphResourceId='app:row' replications='18'/></View>");
    }
    void AddPlayer(UInt32 slot, const char* name, UInt32 zenScore, Float zenTime)
    {
        ASSERT_TRUE(mState.CreatePlayer(slot, name, ""));
        PlayerData* player = mState.GetPlayer(slot);
        player->SetLevelCount(1);
        player->GetLevel(0)->AddScore(zenScore);
        player->GetLevel(0)->AddTime(Double(zenTime));
    }
    Float Y(Graph::INamespace* scene, const std::string& path)
    {
        return Find<Graph::ITransform>(scene, path.c_str())->GetTransform()[13];
    }
    Float BlockY(Graph::INamespace* scene, UInt32 k)
    {
        return Y(scene, "fbo_scrolllist/scrolllists/highscore/block_" + std::to_string(k) + "/pos");
    }
    std::string Text(Graph::INamespace* scene, UInt32 row, const char* node)
    {
        const std::string path = "scoresfont" + std::to_string(row) + "/" + node;
        return Find<Graph::IText>(scene, path.c_str())->GetText().GetText();
    }

    Testing::NodeClassRegistration mTextClasses;
    Testing::FakeDisplayTextNode mFont;
    GameState mState;
    ScoresFontContainer mRows;
    SInt32 mBottom = 0;
};

TEST_F(LocalHighscoresTest, OneProfileGivesOneRowPerBlock)
{
    Graph::INamespace* scene = BuildList();
    ASSERT_NE(scene, nullptr);
    ASSERT_TRUE(mRows.Init(scene, ""));
    AddPlayer(1, "Anna", 1234567, 3725.9f);

    ASSERT_TRUE(FillLocalHighscores(scene, mState, &mRows, &mFont, &mBottom));
    EXPECT_EQ(mBottom, 1060);
    EXPECT_EQ(mRows.GetNumUsed(), 6u);
    for (UInt32 k = 1; k <= 6; ++k) {
        EXPECT_EQ(BlockY(scene, k), -240.0f - 170.0f * Float(k - 1)) << k;
        EXPECT_EQ(Y(scene, "scoresfont" + std::to_string(k - 1) + "/position"), -300.0f - 170.0f * Float(k - 1));
        EXPECT_EQ(Text(scene, k - 1, "text"), "1. Anna");
    }
    EXPECT_EQ(Text(scene, 3, "score"), "1,234,567");
    EXPECT_EQ(Text(scene, 5, "score"), "01:02:05");
    EXPECT_EQ(Find<Graph::ISwitch>(scene, "scoresfont0/switch")->GetIndex(), 0);

    // Filling again starts from an empty pool.
    ASSERT_TRUE(FillLocalHighscores(scene, mState, &mRows, &mFont, &mBottom));
    EXPECT_EQ(mRows.GetNumUsed(), 6u);
    EXPECT_TRUE(mRows.DeInit());
}

TEST_F(LocalHighscoresTest, ThreeProfilesRankBestFirstAndTiesKeepSlotOrder)
{
    Graph::INamespace* scene = BuildList();
    ASSERT_NE(scene, nullptr);
    ASSERT_TRUE(mRows.Init(scene, ""));
    AddPlayer(0, "Anna", 5, 10.0f);
    AddPlayer(1, "Ben", 9, 10.4f); // rounds to Anna's time: a tie
    AddPlayer(2, "Cleo", 5, 30.0f);

    ASSERT_TRUE(FillLocalHighscores(scene, mState, &mRows, &mFont, &mBottom));
    EXPECT_EQ(mBottom, -200 - (-240 - 6 * 270));
    EXPECT_EQ(BlockY(scene, 2), -510.0f);
    EXPECT_EQ(mRows.GetNumUsed(), 18u);
    // Rows are obtained block by block: block 4 (zen score) holds rows 9 to 11.
    EXPECT_EQ(BlockY(scene, 4), -1050.0f);
    const char* zenScoreOrder[] = {"1. Ben", "2. Anna", "3. Cleo"};
    for (UInt32 j = 0; j < 3; ++j) {
        EXPECT_EQ(Text(scene, 9 + j, "text"), zenScoreOrder[j]);
        EXPECT_EQ(Y(scene, "scoresfont" + std::to_string(9 + j) + "/position"), -1110.0f - 50.0f * Float(j));
    }
    // Block 6 (zen time) ranks by rounded seconds; Anna and Ben tie.
    const char* zenTimeOrder[] = {"1. Cleo", "2. Anna", "3. Ben"};
    for (UInt32 j = 0; j < 3; ++j)
        EXPECT_EQ(Text(scene, 15 + j, "text"), zenTimeOrder[j]);

    // The current profile's row is highlighted wherever it ranks; the others take style 1, then 2.
    mState.SelectPlayer(1); // no player-data file to save to here
    ASSERT_EQ(mState.GetCurrentPlayerIndex(), 1u);
    ASSERT_TRUE(FillLocalHighscores(scene, mState, &mRows, &mFont, &mBottom));
    const struct
    {
        UInt32 mRow;
        Float mRed; // of the style: highlight 1, first other 0, second other 0.28
    } styles[] = {{9, 1.0f}, {10, 0.0f}, {11, 0.28f}, {15, 0.0f}, {16, 0.28f}, {17, 1.0f}};
    for (const auto& style : styles) {
        const std::string path = "scoresfont" + std::to_string(style.mRow) + "/parameters";
        EXPECT_EQ(Find<Graph::IParameters>(scene, path.c_str())->GetColor(1).red, style.mRed) << style.mRow;
    }
    EXPECT_TRUE(mRows.DeInit());
}

TEST_F(LocalHighscoresTest, FreeSlotsGetNoRowAndForeignNamesUseThePlainForm)
{
    Graph::INamespace* scene = BuildList();
    ASSERT_NE(scene, nullptr);
    ASSERT_TRUE(mRows.Init(scene, ""));
    AddPlayer(0, "Anna", 5, 0.0f);
    AddPlayer(2, "Ben", 7, 0.0f);

    ASSERT_TRUE(FillLocalHighscores(scene, mState, &mRows, &mFont, &mBottom));
    EXPECT_EQ(mRows.GetNumUsed(), 12u);
    EXPECT_EQ(BlockY(scene, 2), -460.0f); // 120 + 2 x 50 below block 1
    EXPECT_EQ(Text(scene, 6, "text"), "1. Ben");
    EXPECT_EQ(Find<Graph::ISwitch>(scene, "scoresfont0/switch")->GetIndex(), 0);

    // One name with a letter the headline font lacks puts every row in the plain form.
    ASSERT_TRUE(mState.CreatePlayer(1, "Zo\xC3\xAB", ""));
    ASSERT_TRUE(FillLocalHighscores(scene, mState, &mRows, &mFont, &mBottom));
    EXPECT_EQ(mRows.GetNumUsed(), 18u);
    for (UInt32 row = 0; row < 18; ++row) {
        const std::string path = "scoresfont" + std::to_string(row) + "/switch";
        EXPECT_EQ(Find<Graph::ISwitch>(scene, path.c_str())->GetIndex(), 1) << row;
    }
    EXPECT_EQ(Text(scene, 1, "tex"), "2. Zo\xC3\xAB");
    EXPECT_TRUE(mRows.DeInit());
}

TEST_F(LocalHighscoresTest, MissingBlockFailsButTheOthersAreFilled)
{
    Graph::INamespace* scene = BuildList(3);
    ASSERT_NE(scene, nullptr);
    ASSERT_TRUE(mRows.Init(scene, ""));
    AddPlayer(0, "Anna", 5, 0.0f);

    EXPECT_FALSE(FillLocalHighscores(scene, mState, &mRows, &mFont, &mBottom));
    EXPECT_EQ(mRows.GetNumUsed(), 6u);
    EXPECT_EQ(BlockY(scene, 6), -240.0f - 5 * 170.0f);
    EXPECT_EQ(mBottom, 1060);
    EXPECT_TRUE(mRows.DeInit());
}

} // namespace
} // namespace App
} // namespace Vorn
