// The main menu's nodes for the game's headless tests: every node that the menu binds, laid out
// as the menu package lays them out (faces under the sign switch, slots under their switches,
// the scroll lists under theirs). Buttons are 60 x 40 and stand apart, one scene unit being one
// pixel, so that a click at a button's position reaches only that button.
#pragma once

#include <new>
#include <string>
#include <vector>

#include "graph/display_plane_sequence.h"
#include "graph/display_text.h"
#include "graph/transform/transform.h"
#include "tests/support/game_harness.h"

namespace Vorn {
namespace App {

// A bitmap-font text that is also a transform, as the engine's own is; its font has no glyphs,
// so every text that the menu checks against it goes to the system-font texture.
class MenuDisplayTextNode : public Graph::Transform, public Graph::IDisplayText
{
public:
    static Graph::INode* Create() { return new (std::nothrow) MenuDisplayTextNode(); }

    void SetHorizontalTextAlignment(Enums::TextAlignmentX) override {}
    Enums::TextAlignmentX GetHorizontalTextAlignment() const override { return Enums::TextAlignmentX{}; }
    void SetVerticalTextAlignment(Enums::TextAlignmentY) override {}
    Enums::TextAlignmentY GetVerticalTextAlignment() const override { return Enums::TextAlignmentY{}; }
    void SetText(const String& text) override { mText = text; }
    const String& GetText() const override { return mText; }
    void SetScaleFactor(Real x, Real y, Real z) override { mScale = Math::Vector<float>(x, y, z, 1.0f); }
    void SetScaleFactor(const Math::Vector<float>& factor) override { mScale = factor; }
    void SetScaleFactorX(Real x) override { mScale.x = x; }
    void SetScaleFactorY(Real y) override { mScale.y = y; }
    void SetScaleFactorZ(Real z) override { mScale.z = z; }
    const Math::Vector<float>& GetScaleFactor() const override { return mScale; }
    Real GetScaleFactorX() const override { return mScale.x; }
    Real GetScaleFactorY() const override { return mScale.y; }
    Real GetScaleFactorZ() const override { return mScale.z; }
    void SetHorizontalContainerAlignment(Enums::TextAlignmentX) override {}
    Enums::TextAlignmentX GetHorizontalContainerAlignment() const override { return Enums::TextAlignmentX{}; }
    void SetVerticalContainerAlignment(Enums::TextAlignmentY) override {}
    Enums::TextAlignmentY GetVerticalContainerAlignment() const override { return Enums::TextAlignmentY{}; }
    Bool HasGlyph(const String&) const override { return false; }
    Bool HasGlyph(const char*) const override { return false; }

private:
    String mText;
    Math::Vector<float> mScale{1.0f, 1.0f, 1.0f, 1.0f};
};

// The level-start sign's tip pictures, without an atlas: picture i is 100 x (i + 1) wide.
class SignTipPictureNode : public Graph::Transform, public Graph::IDisplayPlaneSequence
{
public:
    static Graph::INode* Create() { return new (std::nothrow) SignTipPictureNode(); }
    Bool SetIndex(SInt32 index) override { return mIndex = index, true; }
    SInt32 GetIndex() const override { return mIndex; }
    UInt32 GetNumberOfIndices() const override { return 3; }
    Real GetSizeX(UInt32 index) const override { return 100.0f * Real(index + 1); }
    Real GetCurrentSizeX() const override { return GetSizeX(UInt32(mIndex)); }
    Real GetSizeY(UInt32) const override { return 80.0f; }
    Real GetCurrentSizeY() const override { return 80.0f; }

private:
    SInt32 mIndex = 0;
};

struct MenuButton
{
    const char* mPath; // as the menu binds it
    Float mX;
    Float mY;
};

// Where the buttons stand. The menu places the high-score, credits and quit buttons' x itself
// (-250, 0, 250 on a computer) and the full-screen toggle at the top right corner.
inline const std::vector<MenuButton>& MenuButtons()
{
    static const std::vector<MenuButton> buttons = {
        {"/stage_start/mainmenu/mm_sign_start/button_quest", -300, 300},
        {"/stage_start/mainmenu/mm_sign_start/button_zen", -200, 300},
        {"/stage_start/mainmenu/mm_sign_start/button_freeplay", -100, 300},
        {"/stage_start/mainmenu/mm_sign_start/button_profile", 0, 300},
        {"/stage_start/mainmenu/mm_sign_start/button_audio", 100, 300},
        {"/stage_start/mainmenu/mm_sign_start/button_highscores", 0, 200},
        {"/stage_start/mainmenu/mm_sign_start/button_credits", 0, 150},
        {"/stage_start/mainmenu/mm_sign_start/button_quitgame", 0, 100},
        {"/stage_start/mainmenu/mm_sign_start/gamecenter_status_button", -500, -200},
        {"/stage_start/mainmenu/mm_sign_start/welkanto_logo_button", -500, -300},
        {"/stage_start/mainmenu/mm_sign_profile/button_back", -300, 200},
        {"/stage_start/mainmenu/mm_sign_profile/empty1/button_new_paper", -200, 100},
        {"/stage_start/mainmenu/mm_sign_profile/used1/button_load_paper", -200, 0},
        {"/stage_start/mainmenu/mm_sign_profile/used1/button_delete", -200, -100},
        {"/stage_start/mainmenu/mm_sign_profile/empty2/button_new_paper", 0, 100},
        {"/stage_start/mainmenu/mm_sign_profile/used2/button_load_paper", 0, 0},
        {"/stage_start/mainmenu/mm_sign_profile/used2/button_delete", 0, -100},
        {"/stage_start/mainmenu/mm_sign_profile/empty3/button_new_paper", 200, 100},
        {"/stage_start/mainmenu/mm_sign_profile/used3/button_load_paper", 200, 0},
        {"/stage_start/mainmenu/mm_sign_profile/used3/button_delete", 200, -100},
        {"/stage_start/mainmenu/mm_sign_scrolllist/button_back", -300, 330},
        {"/stage_start/mainmenu/mm_sign_scrolllist/button_toggle_localglobal", 300, 330},
        {"/stage_start/mainmenu/bottom_copyright", 0, -380},
        {"/stage_start/mainmenu/bottom_vorn", 0, -380},
        {"/stage_start/mainmenu/button_toggle_fullscreen", 0, 0},
        {"/stage_start/newplayer/button_ok", 0, -300},
        {"/stage_start/newplayer/button_gamecenter", 200, -300},
    };
    return buttons;
}

// The structural path of a bound path: faces hang under the sign switch, slot pages under their
// slot switch, lists under the list switch; none of these switches is a namespace, so the menu
// still finds the nodes by the short path.
inline std::string MenuStructuralPath(std::string path)
{
    const struct
    {
        const char* mFrom;
        const char* mTo;
    } moves[] = {
        {"/mainmenu/mm_sign_profile/empty1", "/mainmenu/mm_sign_profile/mm_slot1/empty1"},
        {"/mainmenu/mm_sign_profile/used1", "/mainmenu/mm_sign_profile/mm_slot1/used1"},
        {"/mainmenu/mm_sign_profile/empty2", "/mainmenu/mm_sign_profile/mm_slot2/empty2"},
        {"/mainmenu/mm_sign_profile/used2", "/mainmenu/mm_sign_profile/mm_slot2/used2"},
        {"/mainmenu/mm_sign_profile/empty3", "/mainmenu/mm_sign_profile/mm_slot3/empty3"},
        {"/mainmenu/mm_sign_profile/used3", "/mainmenu/mm_sign_profile/mm_slot3/used3"},
        {"/mainmenu/mm_sign_profile", "/mainmenu/mm_sign_switch/mm_sign_profile"},
        {"/mainmenu/mm_sign_start", "/mainmenu/mm_sign_switch/mm_sign_start"},
        {"/mainmenu/mm_sign_scrolllist", "/mainmenu/mm_sign_switch/mm_sign_scrolllist"},
        {"/scrolllists/highscore", "/scrolllists/scrolllists_switch/highscore"},
        {"/scrolllists/onlinehighscore", "/scrolllists/scrolllists_switch/onlinehighscore"},
    };
    for (const auto& move : moves) {
        const size_t at = path.find(move.mFrom);
        if (at != std::string::npos) {
            path.replace(at, std::string(move.mFrom).size(), move.mTo);
            for (const auto& inner : moves) {
                // The slot moves come first, so a slot page also lands under the sign switch.
                const size_t innerAt = path.find(inner.mFrom);
                if (&inner != &move && innerAt != std::string::npos &&
                    path.find(inner.mTo) == std::string::npos)
                    path.replace(innerAt, std::string(inner.mFrom).size(), inner.mTo);
            }
            return path;
        }
    }
    return path;
}

// The menu package's nodes. With systemFontTextures false, "tex_sign_long" is a plain node and
// the other textures are left out: the menu then draws every text with its bitmap fonts.
inline std::vector<Testing::GameNode> MenuNodes(Bool systemFontTextures = true)
{
    std::vector<Testing::GameNode> nodes;
    auto add = [&](const std::string& path, const char* nodeClass, const std::string& attributes = "") {
        nodes.push_back({MenuStructuralPath(path), nodeClass, attributes});
    };
    add("/stage_start/screen_timeline", "Timeline");
    if (systemFontTextures) {
        for (const char* name : {"tex_sign_long", "tex_profile1", "tex_profile2", "tex_profile3", "tex_newprofile"})
            add(std::string("/systemfont_textures/") + name, "FakeText");
    } else {
        add("/systemfont_textures/tex_sign_long", "Node");
    }
    const std::string menu = "/stage_start/mainmenu/";
    add(menu + "mm_sign_switch", "Switch", "index='1'");
    add(menu + "mm_sign_profile", "Namespace");
    add(menu + "mm_sign_start", "Namespace");
    add(menu + "mm_sign_scrolllist", "Namespace");
    for (const char* transform : {"bottom_text", "mm_logo", "mm_sign", "mm_catapult"})
        add(menu + transform, "Transform");
    add(menu + "mm_bg_scale", "Scale");
    add(menu + "mm_animal", "Switch");
    for (const char* child : {"a", "b", "c"})
        add(menu + "mm_animal/" + child, "Node");
    for (const char* timeline : {"base_timeline", "mm_animal_timeline", "mm_sign_timeline"})
        add(menu + timeline, "Timeline");
    add(menu + "mm_sign_start/titlename", "MenuDisplayText");
    add(menu + "mm_sign_start/titlename_systemfont/parameters", "Parameters");
    add(menu + "mm_sign_start/mm_music_switch", "Switch");
    add(menu + "mm_sign_start/mm_music_switch/off", "Node");
    add(menu + "mm_sign_start/mm_music_switch/on", "Node");
    add(menu + "mm_sign_start/gamecenter_status", "Transform");
    add(menu + "mm_sign_start/gamecenter_status_text1", "FakeText");
    add(menu + "mm_sign_start/gamecenter_status_text2", "FakeText");
    add(menu + "mm_sign_start/welkanto_logo", "Transform");
    for (int slot = 1; slot <= 3; ++slot) {
        const std::string n = std::to_string(slot);
        add(menu + "mm_sign_profile/mm_slot" + n, "Switch");
        add(menu + "mm_sign_profile/empty" + n, "Namespace");
        add(menu + "mm_sign_profile/used" + n, "Namespace");
        add(menu + "mm_sign_profile/used" + n + "/name", "MenuDisplayText");
        add(menu + "mm_sign_profile/used" + n + "/stage", "FakeText");
        add(menu + "mm_sign_profile/used" + n + "/systemfont/parameters", "Parameters");
        add(menu + "mm_sign_profile/used" + n + "/gamecenter_sign", "Transform");
    }
    add(menu + "mm_sign_profile/profile_headline", "MenuDisplayText");
    add(menu + "mm_sign_profile/profile_headline_systemfont/parameters", "Parameters");
    add(menu + "mm_toggle_fullscreen_switch", "Switch");
    add(menu + "mm_toggle_fullscreen_switch/on", "Node");
    add(menu + "mm_toggle_fullscreen_switch/off", "Node");
    add("/stage_start/newplayer/timeline", "Timeline");
    add("/stage_start/newplayer/name_sign", "Transform");
    add("/stage_start/newplayer/new_playername_text", "MenuDisplayText");
    add("/stage_start/newplayer/systemfont/parameters", "Parameters");
    add("/stage_start/newplayer/gamecenter", "Node");
    for (const MenuButton& button : MenuButtons())
        add(button.mPath, "Button",
            "posX='" + std::to_string(button.mX) + "' posY='" + std::to_string(button.mY) +
                "' sizeX='60' sizeY='40' mouseButton='LEFT'");
    const std::string lists = "/fbo_scrolllist/scrolllists/";
    add(lists + "scrolllists_switch", "Switch");
    add(lists + "scrolllists_switch/none", "Node");
    add(lists + "scrolllists_switch/credits", "Node");
    add(lists + "highscore", "Namespace");
    add(lists + "onlinehighscore", "Namespace");
    add(lists + "position", "Transform");
    add(lists + "onlinehighscore/onlinehighscore_header_switch", "Switch");
    add(lists + "onlinehighscore/onlinehighscore_header_switch/a", "Node");
    add(lists + "onlinehighscore/onlinehighscore_header_switch/b", "Node");
    add(lists + "highscore/gamecenter", "Switch");
    add(lists + "highscore/gamecenter/off", "Node");
    add(lists + "highscore/gamecenter/on", "Node");
    for (int k = 1; k <= 6; ++k)
        add(lists + "highscore/block_" + std::to_string(k) + "/pos", "Transform");
    return nodes;
}

inline std::string ButtonAttributes(int x, int y)
{
    return "posX='" + std::to_string(x) + "' posY='" + std::to_string(y) + "' sizeX='40' sizeY='40' mouseButton='LEFT'";
}

// The map package's nodes: the map with its buttons (apart from the menu's, in the lower right),
// its signs and timelines, and the level chooser with its twenty papers.
inline std::vector<Testing::GameNode> MapNodes()
{
    std::vector<Testing::GameNode> nodes = {{"/stage_map/screen_timeline", "Timeline", ""}};
    const std::string map = "/stage_map/basemap/";
    for (const char* timeline : {"base_map_timeline", "base_map_startanim_timeline",
                                 "base_map_startanim_playnow_timeline", "playnow_writing_timeline",
                                 "map_levelscleared_timeline"})
        nodes.push_back({map + timeline, "Timeline", ""});
    const struct
    {
        const char* mId;
        int mX;
        int mY;
    } buttons[] = {{"button_map", 350, -250},          {"button_map2", 400, -250},
                   {"button_map3", 450, -250},         {"button_back", 500, -250},
                   {"button_save_quit", 550, -250},    {"button_play_now", 350, -330},
                   {"button_levelscleared", 400, -330}, {"button_cancel_marker", 450, -330},
                   {"button_toggle_fullscreen", 500, -330}};
    for (const auto& button : buttons)
        nodes.push_back({map + button.mId, "Button", ButtonAttributes(button.mX, button.mY)});
    nodes.push_back({map + "mm_bg_scale", "Scale", ""});
    for (const char* switchNode : {"map_arrow_top_left", "map_tap_click_switch", "mm_toggle_fullscreen_switch"}) {
        nodes.push_back({map + switchNode, "Switch", ""});
        nodes.push_back({map + switchNode + "/" + switchNode + "_0", "Node", ""});
        nodes.push_back({map + switchNode + "/" + switchNode + "_1", "Node", ""});
    }
    for (const char* transform : {"map_arrow_top_left_trans", "play_now", "map_carrot_trans", "map_marker"})
        nodes.push_back({map + transform, "Transform", ""});
    nodes.push_back({map + "map_levelscleared", "Transform", "activeAndVisible='false'"});
    nodes.push_back({map + "levelscleared_text1", "MenuDisplayText", ""});
    nodes.push_back({map + "levelscleared_text2", "MenuDisplayText", ""});

    nodes.push_back({"/overlaymap", "Namespace", "activeAndVisible='false'"});
    nodes.push_back({"/overlaymap/overlay_map_timeline", "Timeline", "endTime='30'"});
    nodes.push_back({"/overlaymap/button_back", "Button", "posY='-345' sizeX='60' sizeY='30' mouseButton='LEFT'"});
    nodes.push_back({"/overlaymap/button_left", "Button", ButtonAttributes(-600, 0)});
    nodes.push_back({"/overlaymap/button_right", "Button", ButtonAttributes(600, 0)});
    nodes.push_back({"/overlaymap/levelpaper_container", "Node", ""});
    for (int i = 0; i < 20; ++i) {
        const std::string paper = "/overlaymap/levelpaper_container/levelpaper" + std::to_string(i);
        nodes.push_back({paper, "Namespace", ""});
        nodes.push_back({paper + "/position", "Transform", ""});
        for (const char* switchNode : {"select", "star1", "star2", "star3"}) {
            nodes.push_back({paper + "/position/" + switchNode, "Switch", ""});
            nodes.push_back({paper + "/position/" + switchNode + "/" + switchNode + "_0", "Node", ""});
            nodes.push_back({paper + "/position/" + switchNode + "/" + switchNode + "_1", "Node", ""});
        }
        nodes.push_back({paper + "/position/stage_text", "FakeText", ""});
        nodes.push_back({paper + "/position/button", "Button", "sizeX='60' sizeY='40' mouseButton='LEFT'"});
    }
    return nodes;
}

// The in-game signs: the level-start sign, the end and pause signs as faces of the sign switch,
// the score bar's level name and the airstrike button. Buttons stand apart from the score bar's.
inline std::vector<Testing::GameNode> SignNodes()
{
    std::vector<Testing::GameNode> nodes;
    const std::string start = "/stage_game/levelstart/";
    nodes.push_back({"/stage_game/levelstart", "Namespace", "activeAndVisible='false'"});
    nodes.push_back({start + "timeline", "Timeline", "endTime='2'"});
    nodes.push_back({start + "tap_to_start_timeline", "Timeline", "endTime='1'"});
    nodes.push_back({start + "background", "DisplayPlane", ""});
    for (const char* transform : {"position", "textposition", "tap_to_start", "imageposition"})
        nodes.push_back({start + transform, "Transform", ""});
    nodes.push_back({start + "button_tap", "Button", ButtonAttributes(500, 300)});
    for (const char* text : {"stage", "levelname", "description"})
        nodes.push_back({start + text, "MenuDisplayText", ""});
    nodes.push_back({start + "levelname_scale", "Scale", ""});
    nodes.push_back({start + "atlas_select", "Switch", ""});
    nodes.push_back({start + "atlas_select/none", "Node", ""});
    nodes.push_back({start + "atlas_select/tips1", "Namespace", ""});
    nodes.push_back({start + "atlas_select/tips1/atlas", "SignTipPicture", ""});

    const std::string sign = "/stage_game/sign/";
    nodes.push_back({"/stage_game/sign", "Namespace", "activeAndVisible='false'"});
    nodes.push_back({sign + "mm_sign", "Transform", ""});
    nodes.push_back({sign + "mm_sign_timeline", "Timeline", "endTime='30'"});
    nodes.push_back({sign + "mm_sign_switch", "Switch", ""});
    const std::string faces = sign + "mm_sign_switch/";
    const struct
    {
        const char* mFace;
        std::vector<const char*> mButtons;
        std::vector<const char*> mTexts;
        int mY;
    } signs[] = {
        {"mm_sign_finished", {"button_next", "button_replay", "button_back", "button_cancel_win_celebration"},
         {"base_score", "total_score", "time_bonus", "best_score"}, -200},
        {"mm_sign_failed", {"button_replay", "button_back"}, {}, -240},
        {"mm_sign_pause", {"button_restart", "button_resume", "button_back", "button_resume_everywhere", "button_audio"},
         {"player"}, -280},
        {"mm_sign_zen", {"button_replay", "button_back"}, {"score", "rings", "time"}, -320},
    };
    for (const auto& face : signs) {
        const std::string path = faces + face.mFace + "/";
        nodes.push_back({faces + face.mFace, "Namespace", ""});
        int x = -300;
        for (const char* button : face.mButtons) {
            nodes.push_back({path + button, "Button", ButtonAttributes(x, face.mY)});
            x += 100;
        }
        for (const char* text : face.mTexts)
            nodes.push_back({path + text, "MenuDisplayText", ""});
    }
    for (const char* star : {"star1", "star2", "star3"}) {
        nodes.push_back({faces + "mm_sign_finished/" + star, "Switch", ""});
        nodes.push_back({faces + "mm_sign_finished/" + star + "/" + star + "_0", "Node", ""});
        nodes.push_back({faces + "mm_sign_finished/" + star + "/" + star + "_1", "Node", ""});
    }
    nodes.push_back({faces + "mm_sign_pause/mm_music_switch", "Switch", ""});
    nodes.push_back({faces + "mm_sign_pause/mm_music_switch/off", "Node", ""});
    nodes.push_back({faces + "mm_sign_pause/mm_music_switch/on", "Node", ""});
    nodes.push_back({faces + "mm_sign_pause/systemfont/parameters", "Parameters", ""});
    nodes.push_back({"/stage_game/scorebar/bar/levelname_scale", "Scale", ""});
    nodes.push_back({"/stage_game/scorebar/bar/levelname", "MenuDisplayText", ""});
    nodes.push_back({"/stage_game/airstrike/button_airstrike", "Button", ButtonAttributes(-500, 300)});
    return nodes;
}

} // namespace App
} // namespace Vorn
