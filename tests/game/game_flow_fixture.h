// The game on the headless engine: the application object made by the game's factory on a
// desktop computer of 1280 x 800, over small packages that hold the nodes the stages bind. The
// menu, map, game and end screens hang under the main package's view "/scene", whose camera
// shows one scene unit per pixel, so their buttons take clicks.
#pragma once

#include <gtest/gtest.h>

#include <memory>
#include <set>
#include <string>

#include "core/package.h"
#include "game/drel_app.h"
#include "game/drel_logic.h"
#include "graph/switch.h"
#include "logic/stage.h"
#include "tests/game/menu_nodes.h"
#include "tests/support/font_fixture.h"
#include "tests/support/text_node.h"
#include "tests/support/game_harness.h"
#include "tests/support/popup_graph.h"

namespace Vorn {
namespace App {

class GameFlowFixture : public ::testing::Test
{
protected:
    GameFlowFixture()
    {
        mHarness.mConfiguration.SetDeviceClass(Enums::DeviceClass::COMPUTER_DESKTOP);
        mHarness.mConfiguration.SetDeviceModel(Enums::DeviceModel::DESKTOP_GENERIC);
        // The menu's texts: bitmap fonts and system-font textures stand in.
        mHarness.AddNodeClass("FakeText", &Testing::TextNode::Create);
        mHarness.AddNodeClass("MenuDisplayText", &MenuDisplayTextNode::Create);
        mHarness.AddNodeClass("SignTipPicture", &SignTipPictureNode::Create);
    }

    // Writes every package of the game but those named in left out, the resolution-specific
    // ones for the display class.
    void WritePackages(const std::set<std::string>& leftOut = {}, const std::string& displayClass = "1280")
    {
        auto add = [&](const std::string& name, const std::vector<Testing::GameNode>& nodes, const std::string& parent) {
            if (leftOut.count(name) == 0)
                mHarness.AddPackage(name, nodes, parent);
        };
        add("loader_korvane.vornres",
            {{"/loader_kringel/loader_kringel_pos", "Transform", ""},
             {"/loader_title/gfx_title.jpg", "DisplayPlane", ""},
             {"/splash_switch", "Switch", ""},
             {"/splash_switch/splash0", "Namespace", ""},
             {"/splash_switch/splash0/scale", "Scale", ""},
             {"/splash_switch/splash1", "Namespace", ""},
             {"/splash_switch/splash1/scale", "Scale", ""},
             {"/splash_switch/splash2", "Namespace", ""},
             {"/splash_switch/splash2/scale", "Scale", ""}},
            "");
        // The screen camera stands at twice its near plane, as in the game's data.
        add("main",
            {{"/scene", "View", ""},
             {"/scene/camera", "PerspectiveCamera", "posZ='1' nearPlane='0.5' farPlane='10' fieldOfViewX='640'"},
             {"/scene/stages", "Switch", ""},
             {"/scene/stages/loader_stage", "Node", ""},
             {"/scene/stages/menu_stage", "Node", ""},
             {"/scene/stages/map_stage", "Node", ""},
             {"/scene/stages/game_stage", "Node", ""},
             {"/scene/stages/end_stage", "Node", ""},
             {"/scene/stage_loader", "Namespace", ""},
             {"/scene/stage_loader/screen_timeline", "Timeline", ""},
             {"/scene/mouse", "Namespace", ""},
             {"/scene/mouse/arrow", "Node", ""},
             {"/scene/particle_container", "Node", ""},
             {"/scene/scoresfont_container", "Node", ""},
             {"/scene/onlinescoresfont_container", "Node", ""}},
            "");
        add("texts", {{"/texts_loaded", "Node", ""}}, "");
        // The application packages draw the pop-up, in a view of its own, with their font.
        for (const char* size : {"1280", "1024", "800", "512"}) {
            const std::string name = std::string("app_") + size;
            if (leftOut.count(name) == 0)
                Testing::WriteXmlPackage(mHarness.mFolder, name + ".vornres",
                                         {{Testing::GameGraphXml({{"/" + name + "_loaded", "Node", ""}}), ""},
                                          {"<Graph>" + Testing::PopupGraph(name + ":font") + "</Graph>", ""}},
                                         {{"font", "font.fnt", Testing::MakeTestFontFile()}});
        }
        add("app_common", {{"/app_common_loaded", "Node", ""}}, "");
        add("menu_" + displayClass, MenuNodes(), "/scene");
        add("menu_common", MapNodes(), "/scene");
        std::vector<Testing::GameNode> game = SignNodes();
        game.insert(game.begin(), {
            {"/stage_game/screen_timeline", "Timeline", ""},
             {"/stage_game/playfield_timeline", "Timeline", ""},
             // The play field's pools, empty, and the frame buffer with the rocks' pool.
             {"/framebuffer/obstacle_container", "Node", ""},
             {"/stage_game/ashexplosion_container", "Node", ""},
             {"/stage_game/iceexplosion_container", "Node", ""},
             {"/stage_game/animal_container", "Node", ""},
             {"/stage_game/weapon_container", "Node", ""},
             {"/stage_game/obstacle_container", "Node", ""},
             {"/stage_game/course_container", "Node", ""},
             {"/stage_game/clouds_container", "Node", ""},
             {"/stage_game/scoretext_container", "Node", ""},
             // The signs and the score bar that the play processors bind.
             {"/stage_game/playfield", "Transform", ""},
             {"/stage_game/hurryup", "Namespace", ""},
             {"/stage_game/hurryup/timeline", "Timeline", ""},
             {"/stage_game/skull", "Namespace", ""},
             {"/stage_game/skull/timeline", "Timeline", ""},
             {"/stage_game/skull/position", "Transform", ""},
             {"/stage_game/scorebar/position", "Transform", ""},
             {"/stage_game/scorebar/bar/ipadscorebar", "Switch", ""},
             {"/stage_game/scorebar/bar/pause_button", "Button", ""},
             {"/stage_game/scorebar/select", "Switch", ""},
             {"/stage_game/scorebar/select/texts", "Namespace", ""},
             {"/stage_game/scorebar/select/texts/value_rings", "FakeText", ""},
             {"/stage_game/scorebar/select/texts/value_score", "FakeText", ""},
             {"/stage_game/scorebar/select/texts/word_pause", "FakeText", ""},
             {"/stage_game/scorebar/select/texts/word_rings", "FakeText", ""},
             {"/stage_game/scorebar/select/texts/word_score", "FakeText", ""},
             {"/stage_game/scorebar/select/texts/word_stage", "FakeText", ""},
             {"/stage_game/scorebar/normal/word_score", "Transform", ""},
             {"/stage_game/scorebar/normal/word_rings", "Transform", ""},
             {"/stage_game/scorebar/normal/word_pause", "Transform", ""},
             {"/stage_game/scorebar/normal/value_score", "Transform", ""},
             {"/stage_game/scorebar/normal/value_rings", "Transform", ""},
             {"/stage_game/scorebar/normal/pause_button", "Button", ""}});
        add("game_" + displayClass, game, "/scene");
        add("game_common", {{"/game_common_loaded", "Node", ""}}, "/scene");
        // The level backgrounds, loaded when a level asks for them.
        for (const char* name : {"bg_autumn", "bg_beach", "bg_ice", "bg_grass"})
            add(std::string(name) + "_" + displayClass, {{std::string("/") + name + "_loaded", "Node", ""}}, "/scene");
        add("bg_zen", {{"/bg_zen_loaded", "Node", ""}}, "/scene");
        add("end_" + displayClass,
            {{"/stage_end/screen_timeline", "Timeline", ""},
             {"/stage_end/pic", "Node", ""},
             {"/stage_end/info", "Node", ""},
             {"/stage_end/pic_timeline", "Timeline", "endTime='0.5'"},
             {"/stage_end/back_pos", "Transform", "posX='-320'"},
             {"/stage_end/back_pos/button_back", "Button", "sizeX='200' sizeY='100' mouseButton='LEFT'"},
             {"/stage_end/cancel_pos", "Transform", "posX='320'"},
             {"/stage_end/cancel_pos/button_cancel", "Button", "sizeX='200' sizeY='100' mouseButton='LEFT'"}},
            "/scene");
        add("end_common", {{"/end_common_loaded", "Node", ""}}, "/scene");
    }

    // The player data is saved when the engine stops; the level handler, once it reads the
    // level file, gives the game state its file interface.
    void TearDown() override
    {
        if (mApp != nullptr && Logic() != nullptr)
            Game()->SetLevelCount(&mHarness.mFiles, 3);
    }

    // Makes the application and starts the engine with it.
    Bool Start()
    {
        mApp.reset(static_cast<DrelApp*>(CreateApp(&mHarness.mConfiguration)));
        return mApp != nullptr && mHarness.Start(mApp.get());
    }

    DrelLogic* Logic() const { return mApp->GetLogic(); }
    GameState* Game() const { return Logic()->GetContext()->GetGameState(); }
    static Bool IsRunning(const Logic::BaseStage* stage)
    {
        return stage->GetStage()->IsRunState(Logic::IStage::kRunning);
    }
    Bool IsLoaded(const char* package)
    {
        IPackage* found = mHarness.Package(package);
        return found != nullptr && found->IsLoaded() && !found->IsBusy();
    }
    Bool IsUnloaded(const char* package)
    {
        IPackage* found = mHarness.Package(package);
        return found != nullptr && found->IsUnloaded() && !found->IsBusy();
    }
    SInt32 SplashIndex()
    {
        Graph::Switch* splash = mHarness.Find<Graph::Switch>("/splash_switch");
        return splash != nullptr ? splash->GetIndex() : -1;
    }

    // Frames until the stage runs; records whether the loader stage was up on the way.
    Bool RunUntil(const Logic::BaseStage* stage)
    {
        mLoaderSeen = false;
        return mHarness.FramesUntil([&] {
            if (!Logic()->GetStageLoader()->GetStage()->IsIdle())
                mLoaderSeen = true;
            return IsRunning(stage);
        });
    }
    // Start, through the splash pictures to the menu, and until groups B and C are in.
    Bool StartToMenu()
    {
        WritePackages();
        return Start() && RunUntil(Logic()->GetStageMenu()) &&
               mHarness.FramesUntil([&] { return Logic()->GetGroup(1)->IsLoaded() && Logic()->GetGroup(2)->IsLoaded(); });
    }

    // Declared before the harness, which stops the engine with it.
    std::unique_ptr<DrelApp> mApp;
    Testing::GameHarness mHarness;
    Bool mLoaderSeen = false;
};

} // namespace App
} // namespace Vorn
