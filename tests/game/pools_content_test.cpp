// The pooled objects of the game screen as the built packages bring them: every pool the play
// field and its processors bind holds its copies, every kind a switch selects has the nodes the
// code looks up inside it, and running the game screen with them writes no fault line.
#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <memory>
#include <string>
#include <vector>

#include "foundation/debug.h"
#include "game/drel_app.h"
#include "game/drel_logic.h"
#include "game/game_state.h"
#include "game/map_processor.h"
#include "game/menu_processor.h"
#include "game/play/animal.h"
#include "game/play/animal_container.h"
#include "game/play/obstacle.h"
#include "game/play/play_field.h"
#include "game/play/weapon.h"
#include "game/stage_game.h"
#include "game/stage_menu.h"
#include "graph/indexed.h"
#include "graph/namespace.h"
#include "graph/node.h"
#include "graph/root.h"
#include "graph/switch.h"
#include "tests/support/fake_output_device_handler.h"
#include "tests/support/content_fixture.h"
#include "tests/support/game_harness.h"

namespace Vorn {
namespace App {
namespace {

namespace fs = std::filesystem;

// The picture names of the animals' atlas, in index order: the build's XML form of the package
// names each rectangle in a comment before it.
std::vector<std::string> AnimalPictureNames()
{
    std::ifstream atlas(Testing::BuiltPackagesFolder() / ".." / "xml" / "game_1280.vornres" / "pool_animals_atlas.xml");
    std::vector<std::string> names;
    for (std::string line; std::getline(atlas, line);) {
        const size_t open = line.find("<!-- ");
        const size_t close = line.find(" -->");
        if (open != std::string::npos && close != std::string::npos && close > open)
            names.push_back(line.substr(open + 5, close - open - 5));
    }
    return names;
}

// Pools of the game screen: container path and the copies it must make.
struct Pool
{
    const char* mContainer;
    UInt32 mCopies;
};

constexpr Pool kPools[] = {
    {"/stage_game/animal_container", 200},    {"/stage_game/weapon_container", 40},
    {"/stage_game/obstacle_container", 20},   {"/framebuffer/obstacle_container", 10},
    {"/stage_game/clouds_container", 60},     {"/stage_game/course_container", 50},
    {"/stage_game/scoretext_container", 20},  {"/stage_game/ashexplosion_container", 20},
    {"/stage_game/iceexplosion_container", 20},
};

// Words of the log lines that concern the pools: their nodes, textures and resources.
constexpr const char* kPoolWords[] = {
    "/stage_game/animal", "/stage_game/weapon", "/stage_game/obstacle", "/framebuffer/obstacle",
    "/stage_game/clouds", "/stage_game/course", "/stage_game/scores",   "/stage_game/scoretext",
    "/stage_game/ashexplosion", "/stage_game/iceexplosion", "/pool_textures", "pool_",
    "game:atlas_pool", "game:img_pool", "game_common:anim_", "game_common:graph_",
};

const char* const kKinds[] = {"key",  "lock",     "stone1", "stone2", "stone3", "chameleon",   "ape",
                              "frog", "frogblue", "lion",   "panda",  "rabbit", "rabbitwhite", "snake"};

class PoolsContentTest : public Testing::ContentFixture
{
protected:
    // The built packages, started until the game group is in and the game screen bound.
    Bool StartWithGameGroup() { return Start() && RunUntilAllGroupsLoaded(4000); }

    Playfield* Field() { return mApp->GetLogic()->GetStageGame()->GetPlayfield(); }

    // From the menu through the map into the first level, until its chains are out.
    Bool PlayFirstLevel()
    {
        DrelLogic* logic = mApp->GetLogic();
        logic->GetStageMenu()->GetMenuProcessor()->mMenuState = MenuProcessor::kGoToMap;
        if (!mHarness.FramesUntil([&] { return IsRunning(logic->GetStageMap()); }, 2000))
            return false;
        Field()->GetGameState()->SetLevel(1, true);
        logic->GetStageMap()->GetMapProcessor()->SetState(MapProcessor::kStartGame);
        if (!mHarness.FramesUntil([&] { return IsRunning(logic->GetStageGame()); }, 2000))
            return false;
        return mHarness.FramesUntil([&] { return FindColourAnimal() != nullptr; }, 3000);
    }

    // An animal of a colour kind in use, or null.
    Animal* FindColourAnimal()
    {
        AnimalContainer* animals = Field()->GetAnimalContainer();
        for (UInt32 i = 0; i < animals->GetCount(); ++i) {
            Animal* animal = animals->GetEntry(i);
            if (animals->IsEntryUsed(i) && animal->IsColour() && !animal->mFrozen && !animal->mCharred)
                return animal;
        }
        return nullptr;
    }

    // The picture the animal's sequence shows now: the index of its kind's "flip0".
    static SInt32 PictureOf(Animal* animal)
    {
        auto* root = dynamic_cast<Graph::INamespace*>(animal->GetRootNode());
        Graph::INode* kind = root != nullptr ? root->FindNode(String(kKinds[animal->GetKind()])) : nullptr;
        auto* kindSpace = dynamic_cast<Graph::INamespace*>(kind);
        Graph::INode* flip = kindSpace != nullptr ? kindSpace->FindNode(String("flip0")) : nullptr;
        auto* indexed = dynamic_cast<Graph::IIndexed*>(flip);
        const SInt32 index = indexed != nullptr ? indexed->GetIndex() : -1;
        if (flip != nullptr)
            flip->RemoveReference();
        if (kind != nullptr)
            kind->RemoveReference();
        return index;
    }

    Graph::INamespace* TopNamespace()
    {
        return dynamic_cast<Graph::INamespace*>(mHarness.mEngine.GetRoot()->GetRootNode());
    }

    // Log lines about the pools' nodes and pictures.
    std::vector<std::string> PoolFaultLines() const
    {
        std::vector<std::string> lines;
        std::ifstream log(mLogFile);
        for (std::string line; std::getline(log, line);) {
            for (const char* word : kPoolWords) {
                if (line.find(word) != std::string::npos) {
                    lines.push_back(line);
                    break;
                }
            }
        }
        return lines;
    }
};

TEST_F(PoolsContentTest, EveryPoolHoldsItsCopies)
{
    ASSERT_TRUE(StartWithGameGroup());
    for (const Pool& pool : kPools) {
        Graph::INode* container = mHarness.Find(pool.mContainer);
        ASSERT_NE(container, nullptr) << pool.mContainer;
        EXPECT_EQ(container->GetNumberOfChildren(), pool.mCopies) << pool.mContainer;
    }
    for (const std::string& line : PoolFaultLines())
        ADD_FAILURE() << line;
}

// Each of the 14 kinds finds its rotation; the colour animals mirror (their picture is a plane
// sequence), end pieces and stones do not.
TEST_F(PoolsContentTest, EveryAnimalKindSelectsAndOnlyColourAnimalsMirror)
{
    ASSERT_TRUE(StartWithGameGroup());
    AnimalContainer* animals = Field()->GetAnimalContainer();
    for (SInt32 kind = 0; kind < 14; ++kind) {
        Animal* animal = animals->ObtainAnimal(kind);
        ASSERT_NE(animal, nullptr) << kind;
        EXPECT_EQ(animal->GetKind(), kind);
        animal->SetHeading(Float(Math::Pi));
        animal->UpdateRotation();
        EXPECT_EQ(animal->IsMirrored(), Animal::IsColourKind(kind)) << kind;
        EXPECT_TRUE(animals->ReleaseAnimal(animal, 0));
    }
    ASSERT_TRUE(mHarness.Frames(20));
    for (const std::string& line : PoolFaultLines())
        ADD_FAILURE() << line;
}

TEST_F(PoolsContentTest, EveryWeaponKindAndObstacleTypeSelects)
{
    ASSERT_TRUE(StartWithGameGroup());
    Playfield* field = Field();
    WeaponContainer weapons(field->GetGameState(), field->GetExplosionHandler(), field->GetSoundContainer());
    ObstacleContainer obstacles(field->GetGameState(), field->GetExplosionHandler(), field->GetSoundContainer());
    ASSERT_TRUE(weapons.Init(TopNamespace(), String("/stage_game")));
    ASSERT_TRUE(obstacles.Init(TopNamespace(), String("/stage_game")));
    for (UInt32 kind = 0; kind < Weapon::NumberOfKinds; ++kind) {
        Weapon* weapon = weapons.Obtain();
        ASSERT_NE(weapon, nullptr);
        EXPECT_TRUE(weapon->SetType(kind, 0)) << kind;
    }
    for (SInt32 type = 0; type < 3; ++type) {
        Obstacle* obstacle = obstacles.AddObstacle(type, 0.0f, 0.0f, 10.0f, 0.0f, 0.0f, 10);
        ASSERT_NE(obstacle, nullptr);
        EXPECT_TRUE(obstacle->SetObstacleType(type)) << type;
    }
    EXPECT_NE(obstacles.AddRock(0.0f, 0.0f), nullptr);
    EXPECT_TRUE(weapons.DeInit());
    EXPECT_TRUE(obstacles.DeInit());
    for (const std::string& line : PoolFaultLines())
        ADD_FAILURE() << line;
}

// The clips behind the animal's sequence timeline, played in a running level: a frozen animal
// shows its frozen picture when the clip has ended, a thawed one its usual picture again, and a
// charred one its charred picture.
TEST_F(PoolsContentTest, FrozenAndCharredClipsShowTheirPictures)
{
    const std::vector<std::string> names = AnimalPictureNames();
    ASSERT_FALSE(names.empty());
    auto picture = [&](Animal* animal, const char* frame) {
        const std::string name = std::string(kKinds[animal->GetKind()]) + "_" + frame;
        for (size_t i = 0; i < names.size(); ++i) {
            if (names[i] == name)
                return SInt32(i);
        }
        ADD_FAILURE() << "no picture " << name;
        return SInt32(-1);
    };
    ASSERT_TRUE(StartWithGameGroup());
    ASSERT_TRUE(PlayFirstLevel());
    Animal* animal = FindColourAnimal();
    ASSERT_NE(animal, nullptr);
    EXPECT_EQ(PictureOf(animal), picture(animal, "normal"));

    animal->SetFrozen(true);
    ASSERT_TRUE(mHarness.Frames(60));
    EXPECT_EQ(PictureOf(animal), picture(animal, "frozen"));
    animal->SetFrozen(false);
    ASSERT_TRUE(mHarness.Frames(2));
    EXPECT_EQ(PictureOf(animal), picture(animal, "normal"));

    animal->SetCharred(4.0f);
    ASSERT_TRUE(mHarness.Frames(10));
    EXPECT_EQ(PictureOf(animal), picture(animal, "charred"));
    for (const std::string& line : PoolFaultLines())
        ADD_FAILURE() << line;
}

// The clouds' code picks a shape by index and, inside it, an opacity switch of two pictures.
TEST_F(PoolsContentTest, EveryCloudShapeHasTwoOpacities)
{
    ASSERT_TRUE(StartWithGameGroup());
    auto* select = mHarness.Find<Graph::INode>("/stage_game/clouds0/select");
    ASSERT_NE(select, nullptr);
    ASSERT_GE(select->GetNumberOfChildren(), 5u);
    for (UInt32 i = 0; i < select->GetNumberOfChildren(); ++i) {
        auto* shape = dynamic_cast<Graph::INamespace*>(select->GetChild(i));
        ASSERT_NE(shape, nullptr) << i;
        Graph::INode* opacity = shape->FindNode(String("opacity"));
        ASSERT_NE(opacity, nullptr) << i;
        EXPECT_NE(dynamic_cast<Graph::ISwitch*>(opacity), nullptr) << i;
        EXPECT_GE(opacity->GetNumberOfChildren(), 2u) << i;
        opacity->RemoveReference();
    }
}

} // namespace
} // namespace App
} // namespace Vorn
