// The menu, the level chooser and the pop-up on the game's own data, as the renderer is handed
// them: a text is on screen only as far as the vertices its buffer names (a back-end re-copies
// no more when the text changes), the chooser's title keeps clear of its tiles, the pop-up's
// buttons answer where the pop-up puts them, and the score rows show only inside their list.
#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <cmath>
#include <functional>
#include <set>
#include <string>
#include <vector>

#include "game/app_context.h"
#include "game/drel_logic.h"
#include "game/level_select_overlay.h"
#include "game/map_processor.h"
#include "game/menu_processor.h"
#include "game/player_data.h"
#include "game/popup.h"
#include "game/stage_menu.h"
#include "logic/state.h"
#include "resource/atlas.h"
#include "resource/collection.h"
#include "graph/display/display_text.h"
#include "graph/display/display_plane_sequence.h"
#include "graph/display_plane_sequence.h"
#include "graph/transform/transform.h"
#include "tests/support/canned_web_control.h"
#include "tests/support/content_fixture.h"
#include "tests/support/fake_display_renderer.h"

namespace Vorn {
namespace App {
namespace {

class FrontEndContentTest : public Testing::ContentFixture
{
protected:
    Bool StartToMenu() { return Start() && RunUntil(Logic()->GetStageMenu()) && RunUntilAllGroupsLoaded(); }
    MenuProcessor* Menu() { return Logic()->GetStageMenu()->GetMenuProcessor(); }
    Popup* ThePopup() { return Logic()->GetContext()->GetPopup(); }

    Testing::FakeDisplayRenderer* Renderer()
    {
        return dynamic_cast<Testing::FakeDisplayRenderer*>(mHarness.mEngine.GetDisplayRenderer());
    }
    Bool InLastFrame(const Display::IDrawable* drawable)
    {
        const auto& drawn = Renderer()->mDrawables;
        return std::any_of(drawn.begin(), drawn.end(), [&](const auto& record) { return record.drawable == drawable; });
    }
    std::string Text(const char* path)
    {
        auto* text = mHarness.Find<Graph::DisplayText>(path);
        return text != nullptr ? text->GetText().GetText() : "(no text node " + std::string(path) + ")";
    }
    // The glyphs of the text at the path that the last frame drew: none when its drawable was not
    // in the frame, else the quads that the vertex count it gave its buffer covers.
    UInt32 DrawnGlyphs(const char* path)
    {
        auto* text = mHarness.Find<Graph::DisplayText>(path);
        if (text == nullptr || !InLastFrame(text->GetDisplayDrawable()))
            return 0;
        auto* drawable = dynamic_cast<Testing::FakeDrawable*>(text->GetDisplayDrawable());
        auto* vertices = dynamic_cast<Testing::FakeVertexBuffer*>(drawable->mVertexBuffers[0]);
        return std::min(vertices->mNumberOfVertices / 4, text->GetNumberOfQuads());
    }
    static UInt32 Glyphs(const std::string& text)
    {
        return UInt32(std::count_if(text.begin(), text.end(), [](char c) { return c != ' ' && c != '\n'; }));
    }

    // Calls visit for every node below the start node (the top node when null), with the sum of
    // the translations above it and its own along y.
    void Walk(Graph::INode* start, const std::function<void(Graph::INode*, Float)>& visit)
    {
        std::vector<std::pair<Graph::INode*, Float>> pending{{start, 0.0f}};
        while (!pending.empty()) {
            auto [node, y] = pending.back();
            pending.pop_back();
            if (auto* transform = dynamic_cast<Graph::ITransform*>(node))
                y += transform->GetTransform().Get(1, 3);
            visit(node, y);
            for (UInt32 i = 0; i < node->GetNumberOfChildren(); ++i)
                pending.emplace_back(node->GetChild(i), y);
        }
    }
    Float WorldY(const char* from, Graph::INode* target)
    {
        Float found = 1e9f;
        Walk(mHarness.Find(from), [&](Graph::INode* node, Float y) {
            if (node == target)
                found = y;
        });
        return found;
    }

    // The first start up to the start face of the profile "Tester".
    void CreateProfile()
    {
        ASSERT_TRUE(StartToMenu());
        ASSERT_TRUE(mHarness.FramesUntil([&] { return Menu()->GetMenuState() == MenuProcessor::kNewPlayer; }, 200));
        ASSERT_TRUE(mHarness.Frames(40));
        ASSERT_TRUE(mHarness.Type({"T", "e", "s", "t", "e", "r"}));
        ASSERT_TRUE(mHarness.Frames(2));
        const char* name = "/stage_start/newplayer/new_playername_text";
        EXPECT_EQ(Text(name).substr(0, 6), "Tester");
        // The cursor blinks behind the name.
        EXPECT_GE(DrawnGlyphs(name), Glyphs("Tester"));
        ASSERT_TRUE(mHarness.Type({"\r"}));
        ASSERT_TRUE(mHarness.FramesUntil([&] { return Menu()->GetMenuState() == MenuProcessor::kStartFace; }, 100));
        ASSERT_TRUE(mHarness.Frames(80));
    }
    // A click at a position of the 1280 x 800 screen, its centre at 0 and y upwards.
    Bool ClickScene(Float x, Float y)
    {
        return mHarness.Click(x / Float(Testing::GameHarness::kWidth / 2), y / Float(Testing::GameHarness::kHeight / 2));
    }
};

TEST_F(FrontEndContentTest, TheFirstStartShowsTheTypedNameTheWelcomeAndEachQuestionWhole)
{
    CreateProfile();
    const char* title = "/stage_start/mainmenu/mm_sign_start/titlename";
    EXPECT_EQ(Text(title), "WELCOME, Tester");
    EXPECT_EQ(DrawnGlyphs(title), Glyphs("WELCOME, Tester"));

    // The question about the online list comes first when that list can be had; then the quit
    // question from the quit button, shorter and without a small message.
    Popup* popup = ThePopup();
    if (popup->IsOpen()) {
        ASSERT_TRUE(mHarness.FramesUntil([&] { return popup->IsAnimationDone(); }, 40));
        EXPECT_EQ(DrawnGlyphs("/popup/message"), Glyphs(Text("/popup/message")));
        EXPECT_GT(DrawnGlyphs("/popup/message_small"), 0u);
        ASSERT_TRUE(ClickScene(340.0f, 170.0f));
        ASSERT_TRUE(mHarness.FramesUntil([&] { return !popup->IsOpen(); }, 40));
        ASSERT_TRUE(mHarness.Frames(20));
    }
    ASSERT_TRUE(ClickScene(395.0f, -151.0f));
    ASSERT_TRUE(mHarness.FramesUntil([&] { return popup->IsOpen() && popup->IsAnimationDone(); }, 40));
    const std::string question = Text("/popup/message");
    EXPECT_TRUE(popup->IsAction(String("quitGame")));
    EXPECT_GT(Glyphs(question), 10u);
    EXPECT_EQ(DrawnGlyphs("/popup/message"), Glyphs(question));
    EXPECT_EQ(DrawnGlyphs("/popup/message_small"), 0u);
}

TEST_F(FrontEndContentTest, TheChoosersNextPageShowsTheNextStagesUnderItsTitle)
{
    ASSERT_TRUE(StartToMenu());
    StageMap* map = Logic()->GetStageMap();
    Menu()->mMenuState = MenuProcessor::kGoToMap;
    ASSERT_TRUE(RunUntil(map));
    ASSERT_TRUE(mHarness.Frames(100));
    map->GetMapProcessor()->SetState(MapProcessor::kChooser);
    ASSERT_TRUE(mHarness.Frames(40));

    // The title lies on the sheet, between its top edge and the tops of the first row of tiles.
    auto* titlePlane = mHarness.Find<Graph::IDisplayPlaneSequence>("/overlaymap/title");
    Graph::INode* sheet = mHarness.Find("/overlaymap/sheet");
    Graph::INode* select = mHarness.Find("/overlaymap/levelpaper0/select");
    ASSERT_TRUE(titlePlane != nullptr && sheet != nullptr && select != nullptr);
    auto* sheetPlane = dynamic_cast<Graph::IDisplayPlaneSequence*>(sheet->GetChild(0));
    Graph::INode* tileNode = select->GetChild(0);
    auto* tile = dynamic_cast<Graph::IDisplayPlaneSequence*>(tileNode);
    ASSERT_TRUE(sheetPlane != nullptr && tile != nullptr);
    const Float titleY = WorldY("/overlaymap", dynamic_cast<Graph::INode*>(titlePlane));
    const Float sheetTop = WorldY("/overlaymap", sheet->GetChild(0)) + sheetPlane->GetCurrentSizeY() / 2.0f;
    const Float tileTop = WorldY("/overlaymap", tileNode) + tile->GetCurrentSizeY() / 2.0f;
    EXPECT_GT(titleY - titlePlane->GetCurrentSizeY() / 2.0f, tileTop);
    EXPECT_LT(titleY + titlePlane->GetCurrentSizeY() / 2.0f, sheetTop);

    map->GetMapProcessor()->GetLevelChooser()->StartPageTurn(1);
    ASSERT_TRUE(mHarness.Frames(40));
    std::set<std::string> shown;
    for (UInt32 i = 0; i < 20; ++i) {
        const std::string path = "/overlaymap/levelpaper" + std::to_string(i) + "/stage_text";
        shown.insert(Text(path.c_str()));
        EXPECT_EQ(DrawnGlyphs(path.c_str()), Glyphs(Text(path.c_str()))) << path;
    }
    std::set<std::string> wanted;
    for (UInt32 stage = 21; stage <= 40; ++stage)
        wanted.insert("STAGE " + std::to_string(stage));
    EXPECT_EQ(shown, wanted);
}

// The map's own sign timeline: after a tenth stage the stages-cleared sign comes, plays its
// nine seconds and goes, and the marker walks on to the stage reached.
TEST_F(FrontEndContentTest, TheStagesClearedSignGoesAwayAndTheMarkerWalksOn)
{
    ASSERT_TRUE(StartToMenu());
    GameState* game = Logic()->GetContext()->GetGameState();
    ASSERT_TRUE(game->CreatePlayer(0, String("Tester"), String()));
    PlayerData* player = game->GetPlayer(0);
    if (player->GetLevelCount() == 0)
        player->SetLevelCount(102);
    PlayerLevelData run;
    run.SetStars(1);
    for (UInt32 i = 0; i < 10; ++i)
        player->RecordLevelResult(run, player->GetFrontier());
    ASSERT_EQ(player->GetFrontier(), 11u);
    game->SetPlayState(21);
    StageMap* map = Logic()->GetStageMap();
    Menu()->mMenuState = MenuProcessor::kGoToMap;
    ASSERT_TRUE(RunUntil(map));

    Graph::INode* sign = mHarness.Find("/stage_map/basemap/map_levelscleared");
    ASSERT_NE(sign, nullptr);
    MapProcessor* processor = map->GetMapProcessor();
    ASSERT_TRUE(mHarness.FramesUntil([&] { return sign->IsActiveAndVisible(); }, 400));
    EXPECT_EQ(processor->GetMarkerProgress(), 10.0f);
    // Nine seconds of the sign, then the walk of one stage.
    EXPECT_TRUE(mHarness.FramesUntil([&] { return !sign->IsActiveAndVisible(); }, 300));
    EXPECT_TRUE(mHarness.FramesUntil([&] { return processor->GetMarkerProgress() == 11.0f; }, 100));
}

TEST_F(FrontEndContentTest, PopupButtonsAnswerWhereThePopupPutsThemAndRowsStayInTheirList)
{
    CreateProfile();
    Popup* popup = ThePopup();
    if (popup->IsOpen()) {
        ASSERT_TRUE(mHarness.FramesUntil([&] { return popup->IsAnimationDone(); }, 40));
        ASSERT_TRUE(ClickScene(340.0f, 170.0f));
        ASSERT_TRUE(mHarness.FramesUntil([&] { return !popup->IsOpen(); }, 60));
    }
    // Yes at x -160 and no at x 160, both at y -110 of the screen.
    for (Float x : {-160.0f, 160.0f}) {
        popup->ShowTwoButtons(String("probe"), String("?"), String("YES"), String("NO"));
        ASSERT_TRUE(mHarness.FramesUntil([&] { return popup->IsAnimationDone(); }, 40));
        ASSERT_TRUE(ClickScene(x, -110.0f));
        EXPECT_TRUE(mHarness.FramesUntil([&] { return !popup->IsOpen(); }, 40)) << x;
    }

    // The local high scores, and back: no score row is drawn on the start face.
    ASSERT_TRUE(mHarness.Frames(20));
    ASSERT_TRUE(ClickScene(-105.0f, -151.0f));
    ASSERT_TRUE(mHarness.FramesUntil([&] { return Menu()->GetMenuState() == MenuProcessor::kLocalScores; }, 40));
    ASSERT_TRUE(mHarness.Frames(60));
    ASSERT_TRUE(ClickScene(-234.0f, -256.0f));
    ASSERT_TRUE(mHarness.FramesUntil([&] { return Menu()->GetMenuState() == MenuProcessor::kStartFace; }, 40));
    ASSERT_TRUE(mHarness.Frames(60));
    std::vector<const Display::IDrawable*> rows;
    Walk(mHarness.mEngine.GetRoot()->GetRootNode(), [&](Graph::INode* node, Float) {
        if (node->GetId() == String("rows")) {
            Walk(node, [&](Graph::INode* row, Float) {
                if (auto* text = dynamic_cast<Graph::DisplayText*>(row))
                    rows.push_back(text->GetDisplayDrawable());
            });
        }
    });
    ASSERT_FALSE(rows.empty());
    for (const Display::IDrawable* row : rows)
        EXPECT_FALSE(InLastFrame(row));
}

// A web control whose requests stay open while held, so that a list's loading row can be seen.
class HeldWebControl : public Testing::CannedWebControl
{
public:
    void Update() override
    {
        if (!mHold)
            CannedWebControl::Update();
    }
    Bool mHold = true;
};

class OnlineListContentTest : public FrontEndContentTest
{
protected:
    using Rgba = std::array<Float, 4>;

    OnlineListContentTest() { mHarness.mDevices.AddWebControl(&mWeb); }
    // The engine stops before the web control it holds goes.
    void TearDown() override
    {
        if (mApp != nullptr) {
            EXPECT_TRUE(mHarness.Stop());
        }
        mHarness.mDevices.RemoveWebControl(&mWeb);
    }

    // A first start whose profile takes part in the online list, further profiles beside it, and
    // the high-score list opened on the online rows.
    void OpenOnlineList(const std::vector<const char*>& others)
    {
        CreateProfile();
        GameState* game = Logic()->GetContext()->GetGameState();
        Popup* popup = ThePopup();
        // The question about the online list is closed; the profile takes part all the same.
        if (popup->IsOpen()) {
            ASSERT_TRUE(mHarness.FramesUntil([&] { return popup->IsAnimationDone(); }, 40));
            ASSERT_TRUE(ClickScene(340.0f, 170.0f));
            ASSERT_TRUE(mHarness.FramesUntil([&] { return !popup->IsOpen(); }, 60));
        }
        ASSERT_TRUE(game->SetOnlineScoresChoice(true));
        for (UInt32 i = 0; i < others.size(); ++i)
            ASSERT_TRUE(game->CreatePlayer(i + 1, String(others[i]), String()));
        ASSERT_TRUE(game->SelectPlayer(0));
        ASSERT_TRUE(mHarness.Frames(20));
        ASSERT_TRUE(ClickScene(-105.0f, -151.0f));
        ASSERT_TRUE(mHarness.FramesUntil([&] { return Menu()->GetMenuState() == MenuProcessor::kOnlineScores; }, 40));
        ASSERT_TRUE(mHarness.Frames(30));
    }

    // The diffuse colour of the parameters in slot 0 when the last frame drew the text at the
    // path: what the text's program colours its glyphs with. All -1 when the text was not drawn.
    Rgba DrawnColour(const std::string& path)
    {
        auto* text = mHarness.Find<Graph::DisplayText>(path.c_str());
        for (const auto& record : Renderer()->mDrawables) {
            if (text == nullptr || record.drawable != text->GetDisplayDrawable() || record.parameters.count(0) == 0)
                continue;
            auto* parameters = dynamic_cast<Testing::FakeParameters*>(record.parameters.at(0));
            for (const auto& [variable, value] : parameters->mParameters) {
                if (variable == Enums::ShaderVariable::CUSTOM_1) {
                    const Float* c = static_cast<Testing::FakeParameters::Values<Float, 4>*>(value.get())->GetValue();
                    return {c[0], c[1], c[2], c[3]};
                }
            }
        }
        return {-1.0f, -1.0f, -1.0f, -1.0f};
    }
    static void ExpectColour(const Rgba& drawn, const Rgba& wanted, const std::string& what)
    {
        for (UInt32 i = 0; i < 4; ++i)
            EXPECT_NEAR(drawn[i], wanted[i], 1e-4f) << what << " channel " << i;
    }

    HeldWebControl mWeb;
};

// On a computer the online list's opt-out line asks to click, in the menu atlas's last picture
// (the line that asks to tap is picture 49).
TEST_F(OnlineListContentTest, TheOptOutLineAsksToClickOnAComputer)
{
    ASSERT_NO_FATAL_FAILURE(OpenOnlineList({}));
    Graph::INode* line = mHarness.Find("/fbo_scrolllist/scrolllists/onlinehighscore/opt_out");
    ASSERT_TRUE(line != nullptr && line->GetNumberOfChildren() == 1);
    auto* picture = dynamic_cast<Graph::DisplayPlaneSequence*>(line->GetChild(0));
    ASSERT_NE(picture, nullptr);
    ASSERT_TRUE(InLastFrame(picture->GetDisplayDrawable()));
    auto* state = dynamic_cast<Logic::IState*>(mHarness.mEngine.GetLogicState());
    ASSERT_NE(state, nullptr);
    const Resource::IAtlas* menu = state->GetResourceCollection()->GetAtlas(String("menu:atlas_menu"));
    ASSERT_TRUE(menu != nullptr && menu->GetNumberOfRectangles() > 50);

    // The atlas picture whose top left corner the drawn line's first vertex takes.
    const Float u = picture->GetVertexData()[3];
    const Float v = picture->GetVertexData()[4];
    SInt32 shown = -1;
    for (UInt32 i = 0; i < menu->GetNumberOfRectangles(); ++i) {
        const Resource::AtlasRectangle& rectangle = menu->GetRectangles()[i];
        if (std::fabs(rectangle.texCoordU1 - u) < 1e-5f && std::fabs(rectangle.texCoordV1 - v) < 1e-5f)
            shown = SInt32(i);
    }
    EXPECT_EQ(shown, SInt32(menu->GetNumberOfRectangles() - 1));
}

// The rows of both high-score lists as the renderer gets them: the loading row dark, the online
// rows in turns of two colours with the player's own in white, and the local rows of the current
// profile in white and of the others in the online list's row colours.
TEST_F(OnlineListContentTest, HighScoreRowsAreDrawnInTheirColours)
{
    const Rgba white{1.0f, 1.0f, 1.0f, 1.0f};
    const Rgba dark{0.0f, 0.0f, 0.0f, 0.7f};
    const Rgba brown{0.28f, 0.11f, 0.06f, 0.8f};
    ASSERT_NO_FATAL_FAILURE(OpenOnlineList({"Other", "Third"}));
    OnlineScoresFontHandler* online = Logic()->GetContext()->GetOnlineScoresFontHandler();
    auto onlineRow = [&](UInt32 rank) -> std::string {
        for (UInt32 i = 0; i < online->GetCount(); ++i) {
            if (online->IsEntryUsed(i) && online->GetEntry(i)->GetRankShown() == rank)
                return "/onlinescoresfont" + std::to_string(i) + "/name";
        }
        return "(no row of rank " + std::to_string(rank) + ")";
    };
    ASSERT_EQ(Text(onlineRow(0).c_str()), "Loading...");
    ExpectColour(DrawnColour(onlineRow(0)), {0.0f, 0.0f, 0.0f, 0.8f}, "loading row");

    // Six entries, the third the player's own; the server writes the names in hexadecimal.
    std::string reply = "<Content>";
    for (UInt32 i = 1; i <= 6; ++i)
        reply += "<DR i='" + std::to_string(i) + "' n='506C61796572" + std::to_string(30 + i) + "' s1='" +
                 std::to_string(7000 - 1000 * i) + "' s2='0' s3='0' highlight='" + (i == 3 ? "1" : "0") + "'/>";
    mWeb.mReply = reply + "</Content>";
    mWeb.mHold = false;
    ASSERT_TRUE(mHarness.FramesUntil([&] { return Text(onlineRow(6).c_str()) == "Player6"; }, 100));
    ASSERT_TRUE(mHarness.Frames(2));
    for (UInt32 rank = 1; rank <= 6; ++rank)
        ExpectColour(DrawnColour(onlineRow(rank)), rank == 3 ? white : rank % 2 == 1 ? dark : brown,
                     "online rank " + std::to_string(rank));

    // The local list: in each block the current profile, then the first other one, then the next.
    ASSERT_TRUE(ClickScene(445.0f, -271.0f));
    ASSERT_TRUE(mHarness.FramesUntil([&] { return Menu()->GetMenuState() == MenuProcessor::kLocalScores; }, 40));
    ASSERT_TRUE(mHarness.Frames(30));
    const std::pair<const char*, Rgba> profiles[] = {{"Tester", white}, {"Other", dark}, {"Third", brown}};
    for (const auto& [name, colour] : profiles) {
        UInt32 rows = 0;
        for (UInt32 i = 0; i < 20; ++i) {
            const std::string path = "/scoresfont" + std::to_string(i) + "/text";
            if (Text(path.c_str()).find(name) == std::string::npos)
                continue;
            ++rows;
            ExpectColour(DrawnColour(path), colour, name);
        }
        EXPECT_GT(rows, 0u) << name;
    }
}

} // namespace
} // namespace App
} // namespace Vorn
