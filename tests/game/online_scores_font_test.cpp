#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "game/halvex_highscores.h"
#include "game/online_scores_font.h"
#include "graph/parameters.h"
#include "graph/text.h"
#include "graph/transform/transform.h"
#include "logic/state.h"
#include "tests/support/fake_configuration.h"
#include "tests/support/fake_text_node.h"
#include "tests/support/canned_web_control.h"
#include "tests/support/probe_node.h"
#include "tests/support/stepped_web_control.h"
#include "tests/support/view_scene_fixture.h"

namespace Vorn {
namespace App {
namespace {

// One row: texts and colour below a namespace whose "position" transform is off-grid.
const char kRowGraph[] =
    "<Graph replication='0'><Namespace id='onlinescoresfont{replication}' activeAndVisible='false'>"
    "  <Transform id='position'><Transform id='inner' posX='10.4'/>"
    "    <FakeText id='rank'/><FakeText id='name'/><FakeText id='score'/>"
    "    <Parameters id='parameters'/></Transform>"
    "</Namespace></Graph>";

// Fifteen rows over a high-score client whose requests go to a web control of the tests.
template <class WebControl>
class OnlineScoresRowsFixture : public Testing::ViewSceneFixture
{
protected:
    OnlineScoresRowsFixture()
        : mTextClass(this->mFactory, {{"FakeText", &Testing::TextNode::Create}}), mDevices(mWeb),
          mLogicState(&mDevices, &mConfiguration, nullptr, nullptr, nullptr), mRows(&mHighscores)
    {
    }
    void SetUp() override
    {
        mHighscores.Init(&mLogicState);
        this->mCollection.AddGraph("app:row", kRowGraph);
        mScene = this->Scene("<View><Instance id='onlinescoresfont_container' graphResourceId='app:row' "
                             "replications='15'/></View>");
        ASSERT_NE(mScene, nullptr);
        ASSERT_TRUE(mRows.Init(mScene, ""));
        ASSERT_TRUE(mRows.IsEnabled());
    }
    void TearDown() override { EXPECT_TRUE(mRows.DeInit()); }
    std::string Text(UInt32 index, const char* node)
    {
        const std::string path = "onlinescoresfont" + std::to_string(index) + "/" + node;
        Graph::INode* text = this->template Find<Graph::INode>(mScene, path.c_str());
        return dynamic_cast<Graph::IText*>(text)->GetText().GetText();
    }

    Testing::NodeClassRegistration mTextClass;
    WebControl mWeb;
    Testing::WebLogicDeviceHandler mDevices;
    Testing::FakeConfiguration mConfiguration;
    Logic::State mLogicState;
    HalvexHighscores mHighscores;
    OnlineScoresFontHandler mRows;
    Graph::INamespace* mScene = nullptr;
};

class OnlineScoresFontTest : public OnlineScoresRowsFixture<Testing::CannedWebControl>
{
protected:
    // Serves a list of count entries (rank = row number) and lets the refresh take it.
    void LoadList(UInt32 count, SInt32 highlighted = -1)
    {
        std::string reply = "<Content>";
        for (UInt32 i = 1; i <= count; ++i)
            reply += "<DR i='" + std::to_string(i) + "' n='41' s1='" + std::to_string(1000 * i) +
                     "' s2='0' s3='0' highlight='" + (SInt32(i - 1) == highlighted ? "1" : "0") + "'/>";
        mWeb.mReply = reply + "</Content>";
        mRows.Refresh("Anna");
        mWeb.Update();
        String ignored;
        mHighscores.GetResponse(ignored);
        mRows.Update(0.0f); // takes the refresh: the window is emptied
    }
    std::vector<UInt32> ShownRanks() const
    {
        std::vector<UInt32> ranks;
        for (UInt32 i = 0; i < mRows.GetCount(); ++i) {
            if (mRows.IsEntryUsed(i))
                ranks.push_back(mRows.GetEntry(i)->GetRankShown());
        }
        std::sort(ranks.begin(), ranks.end());
        return ranks;
    }
    static std::vector<UInt32> Range(UInt32 first, UInt32 last)
    {
        std::vector<UInt32> ranks;
        for (UInt32 r = first; r <= last; ++r)
            ranks.push_back(r);
        return ranks;
    }
};

TEST_F(OnlineScoresFontTest, RefreshShowsTheLoadingRowUntilTheListIsIn)
{
    mRows.Refresh("Anna");
    EXPECT_FALSE(mRows.IsEmpty());
    EXPECT_EQ(Text(0, "name"), "Loading...");
    EXPECT_TRUE(mRows.GetEntry(0)->GetRootNode()->IsActiveAndVisible());
    mRows.Update(240.0f); // the request still runs
    EXPECT_FALSE(mRows.IsRefreshed());
    mWeb.mReply = "<Content/>";
    mWeb.Update();
    String ignored;
    mHighscores.GetResponse(ignored);
    mRows.Update(240.0f);
    EXPECT_TRUE(mRows.IsRefreshed());
    EXPECT_TRUE(mRows.IsEmpty());
    EXPECT_TRUE(ShownRanks().empty());
    mRows.Update(240.0f);
    EXPECT_FALSE(mRows.IsRefreshed());
}

TEST_F(OnlineScoresFontTest, WindowFollowsTheScrollPosition)
{
    LoadList(30, 10);
    mRows.Update(240.0f);
    EXPECT_EQ(ShownRanks(), Range(1, 15));
    EXPECT_EQ(Text(0, "rank"), "1.");
    EXPECT_EQ(Text(0, "name"), "A");
    EXPECT_EQ(Text(1, "score"), "2,000");
    const auto* transform = dynamic_cast<Graph::ITransform*>(Find<Graph::INode>(mScene, "onlinescoresfont1/position"));
    EXPECT_FLOAT_EQ(static_cast<const Graph::ITransform*>(transform)->GetTransform()[13], -200.0f);
    const auto* inner = dynamic_cast<Graph::ITransform*>(Find<Graph::INode>(mScene, "onlinescoresfont1/inner"));
    EXPECT_FLOAT_EQ(static_cast<const Graph::ITransform*>(inner)->GetTransform()[12], 10.0f); // snapped
    // The rows take turns in two colours, the highlighted one in white: the diffuse colour, which
    // the text's program draws with.
    auto colour = [&](const char* row) {
        const std::string path = std::string(row) + "/parameters";
        return dynamic_cast<Graph::IParameters*>(Find<Graph::INode>(mScene, path.c_str()))->GetColor(1);
    };
    EXPECT_FLOAT_EQ(colour("onlinescoresfont10").alpha, 1.0f); // the highlighted row
    EXPECT_FLOAT_EQ(colour("onlinescoresfont0").alpha, 0.7f);
    EXPECT_FLOAT_EQ(colour("onlinescoresfont1").red, 0.28f);
    EXPECT_EQ(mRows.GetMaxScroll(), 1120.0f);
    EXPECT_EQ(mRows.GetHighlightScroll(), 560.0f);

    mRows.Update(740.0f);
    EXPECT_EQ(ShownRanks(), Range(10, 24));
    mRows.Update(740.0f); // the same position changes nothing
    EXPECT_EQ(ShownRanks(), Range(10, 24));
}

TEST_F(OnlineScoresFontTest, ShortListsAndRankTexts)
{
    LoadList(3, 0);
    mRows.Update(240.0f);
    EXPECT_EQ(ShownRanks(), Range(1, 3));
    EXPECT_EQ(mRows.GetMaxScroll(), 240.0f);
    EXPECT_EQ(mRows.GetHighlightScroll(), 240.0f);

    OnlineScoresFont* row = mRows.GetEntry(5);
    const struct {
        UInt32 rank;
        const char* text;
    } cases[] = {{0, "- - - - - - -"}, {999999, "999999."}, {1000000, "1000000"}};
    for (const auto& c : cases) {
        row->SetRank(c.rank);
        EXPECT_EQ(Text(5, "rank"), c.text);
    }
    row->SetPosition(0.0f, -200.0f);
    EXPECT_TRUE(row->IsNear(0.0f, -100.0f, 41.0f));
    EXPECT_FALSE(row->IsNear(0.0f, -100.0f, 40.0f));
}

// The rows over a web control whose requests move through the platform's steps, where the worker
// of a request may fail to start.
class OnlineScoresFontSteppedTest : public OnlineScoresRowsFixture<Testing::SteppedWebControl>
{
protected:
    // A frame, then a logic step: the game state polls the client, the menu updates the rows.
    void Frame()
    {
        mWeb.Frame();
        String ignored;
        if (mHighscores.IsBusy())
            mHighscores.GetResponse(ignored);
        mRows.Update(0.0f);
    }
};

// A list request that the platform cannot start ends at the next step: the loading row goes, and
// the next refresh asks again and shows the list.
TEST_F(OnlineScoresFontSteppedTest, AListThatCannotStartLeavesTheLoadingRow)
{
    mWeb.mWorkersStart = false;
    mRows.Refresh("Anna");
    EXPECT_EQ(Text(0, "name"), "Loading...");
    Frame();
    EXPECT_FALSE(mHighscores.IsBusy());
    EXPECT_TRUE(mRows.IsRefreshed());
    EXPECT_TRUE(mRows.IsEmpty());

    mWeb.mWorkersStart = true;
    mRows.Refresh("Anna");
    EXPECT_EQ(mWeb.mUrls.size(), 2u);
    Frame();
    EXPECT_FALSE(mRows.IsRefreshed()); // the list is on its way
    mWeb.EndRunning("<Content><DR i='1' n='41' s1='10' s2='0' s3='0'/></Content>");
    Frame();
    EXPECT_TRUE(mRows.IsRefreshed());
    EXPECT_FALSE(mRows.IsEmpty());
    EXPECT_EQ(mWeb.GetNumberOfLiveRequests(), 0u);
}

} // namespace
} // namespace App
} // namespace Vorn
