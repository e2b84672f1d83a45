#include "game/play/animal.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "foundation/math.h"
#include "game/game_state.h"
#include "game/play/animal_container.h"
#include "graph/time/timeline.h"
#include "graph/transform/scalable.h"
#include "graph/transform/transform.h"
#include "tests/support/recording_explosion_handler.h"
#include "tests/support/view_scene_fixture.h"

namespace Vorn {
namespace App {
namespace {

// The animal template: the key has its two blinking pictures; the ape every picture; the frog
// only its rotation (its optional nodes are absent); the lion's child has no rotation; the
// stones, the joker and the other colours are bare namespaces with a rotation.
std::string AnimalTemplate()
{
    const char* const bare[] = {"lock", "stone1", "stone2", "stone3", "chameleon"};
    std::string kinds = "<Namespace id='key'><Transform id='rotation'/><Transform id='normal' activeAndVisible='false'/>"
                        "<Transform id='red'/></Namespace>";
    for (const char* id : bare)
        kinds += std::string("<Namespace id='") + id + "'><Transform id='rotation'/></Namespace>";
    kinds += "<Namespace id='ape'><Transform id='rotation'><DisplayPlaneSequence id='flip0' atlasResourceId='p:atlas'/>"
             "</Transform><Transform id='shadow_transform'><Transform id='shadow_flip0'/><Transform id='shadow_flip1'/>"
             "</Transform></Namespace>"
             "<Namespace id='frog'><Transform id='rotation'/></Namespace>"
             "<Namespace id='frogblue'><Transform id='rotation'/></Namespace>"
             "<Namespace id='lion'><Transform id='other'/></Namespace>";
    return "<Graph replication='0'><Namespace id='animal{replication}' activeAndVisible='false'>"
           "<Transform id='position'><Transform id='shaking_transform'><Scale id='scale'>"
           "<Timeline id='sequence_timeline'/><Timeline id='shaking_timeline'/>"
           "<Switch id='select'>" +
           kinds + "</Switch></Scale></Transform></Transform></Namespace></Graph>";
}

class AnimalTest : public Testing::ViewSceneFixture
{
protected:
    AnimalTest() : mPool(&mGameState, &mEffects)
    {
        mCollection.AddAtlas("p:atlas", {Resource::AtlasRectangle{0.0f, 0.0f, 1.0f, 1.0f, 0.0f, 1.0f, 1.0f, -1.0f}});
        mCollection.AddGraph("p:animal", AnimalTemplate().c_str());
        mScene = Scene("<View><PerspectiveCamera fieldOfViewX='1' zw='100'/>"
                       "<Instance id='animal_container' graphResourceId='p:animal' replications='3'/></View>");
        EXPECT_NE(mScene, nullptr);
        EXPECT_TRUE(mScene != nullptr && mPool.Init(mScene, ""));
        mGameState.SetViewFloats(1000.0f, 600.0f, 0.0f);
        mGameState.StartLevel(1);
    }
    ~AnimalTest() override { EXPECT_TRUE(mPool.DeInit()); }

    Graph::INode* Node(const char* path) { return Find<Graph::INode>(mScene, path); }
    Graph::ITimeline* Sequence(UInt32 index)
    {
        const std::string path = "/animal" + std::to_string(index) + "/sequence_timeline";
        return Find<Graph::ITimeline>(mScene, path.c_str());
    }

    GameState mGameState;
    Testing::RecordingExplosionHandler mEffects;
    AnimalContainer mPool;
    Graph::INamespace* mScene = nullptr;
};

TEST_F(AnimalTest, ObtainsResetAnimalsAndScalesThem)
{
    ASSERT_EQ(mPool.GetCount(), 3u);
    Animal* animal = mPool.ObtainAnimal(6);
    ASSERT_NE(animal, nullptr);
    EXPECT_TRUE(Node("/animal0")->IsActiveAndVisible());
    EXPECT_EQ(animal->GetKind(), 6);
    animal->SetRadius(17.0f);
    const Math::Vector<float>& scale = Find<Graph::IScalable>(mScene, "/animal0/scale")->GetScaleFactor();
    EXPECT_FLOAT_EQ(scale.x, 0.5f);
    EXPECT_FLOAT_EQ(scale.y, 0.5f);
    EXPECT_FLOAT_EQ(scale.z, 1.0f);
    EXPECT_EQ(Find<Graph::ITransform>(mScene, "/animal0/position")->GetDepthOrder(), 102000);

    ASSERT_TRUE(mPool.ReleaseAnimal(animal, 0));
    EXPECT_FALSE(Node("/animal0")->IsActiveAndVisible());
    Animal* again = mPool.Obtain();
    EXPECT_EQ(again, animal);
    EXPECT_EQ(again->GetKind(), Animal::KindNone);
    EXPECT_EQ(again->mRadius, 34.0f);
    EXPECT_FLOAT_EQ(Find<Graph::IScalable>(mScene, "/animal0/scale")->GetScaleFactorX(), 1.0f);
}

TEST_F(AnimalTest, ReleaseStartsOnlyRealEffects)
{
    const SInt32 effects[] = {0, 40, 1, 39};
    for (SInt32 effect : effects) {
        Animal* animal = mPool.ObtainAnimal(7);
        EXPECT_TRUE(mPool.ReleaseAnimal(animal, effect));
    }
    EXPECT_EQ(mEffects.Numbers(), (std::vector<UInt32>{1, 39}));
    Animal stranger;
    EXPECT_FALSE(mPool.ReleaseAnimal(&stranger, 1));
    EXPECT_EQ(mPool.GetNumUsed(), 0u);
}

TEST_F(AnimalTest, SetAnimalFindsTheKindsNodes)
{
    Animal* animal = mPool.ObtainAnimal(Animal::KindKey);
    ASSERT_NE(animal, nullptr);
    EXPECT_TRUE(Node("/animal0/key/normal")->IsActiveAndVisible());
    EXPECT_FALSE(Node("/animal0/key/red")->IsActiveAndVisible());
    animal->BlinkRed(true);
    EXPECT_TRUE(Node("/animal0/key/red")->IsActiveAndVisible());
    EXPECT_FALSE(Node("/animal0/key/normal")->IsActiveAndVisible());
    animal->BlinkRed(true);
    EXPECT_FALSE(Node("/animal0/key/red")->IsActiveAndVisible());
    animal->BlinkRed(false);
    EXPECT_TRUE(Node("/animal0/key/normal")->IsActiveAndVisible());

    // Optional pictures absent: still a valid animal; a child without rotation is not.
    EXPECT_TRUE(animal->SetAnimal(7));
    EXPECT_FALSE(animal->SetAnimal(9));
    EXPECT_EQ(animal->GetKind(), 9);
    EXPECT_FALSE(animal->SetAnimal(Animal::KindNone));

    // The joker's clip loops for ever.
    EXPECT_TRUE(animal->SetAnimal(Animal::KindJoker));
    EXPECT_TRUE(Sequence(0)->IsRunning());
    EXPECT_EQ(Sequence(0)->GetNumberOfLoops(), -1);
    EXPECT_FLOAT_EQ(Sequence(0)->GetEndTime(), 1.57f);
    EXPECT_FALSE(animal->PlayIdle());
    EXPECT_TRUE(animal->SetAnimal(6));
    EXPECT_FALSE(Sequence(0)->IsRunning());
    EXPECT_TRUE(animal->PlayIdle());
    EXPECT_FLOAT_EQ(Sequence(0)->GetEndTime(), 1.18f);
}

TEST_F(AnimalTest, MatchesByKindFrozenAndCharred)
{
    struct KindCase
    {
        SInt32 a;
        SInt32 b;
        Bool match;
    };
    const KindCase kinds[] = {{5, 9, true}, {9, 9, true}, {6, 7, false}, {4, 4, false}, {5, 14, false}};
    Animal a;
    Animal b;
    for (const KindCase& c : kinds) {
        a.SetAnimal(c.a);
        EXPECT_EQ(a.KindsMatch(c.b), c.match) << c.a << " " << c.b;
    }
    struct PairCase
    {
        SInt32 kindA;
        Bool frozenA;
        Bool charredA;
        SInt32 kindB;
        Bool frozenB;
        Bool charredB;
        Bool match;
    };
    const PairCase pairs[] = {
        {6, false, true, 7, false, true, true},   // two charred animals
        {6, true, false, 6, false, false, false}, // frozen flags differ
        {5, false, false, 6, true, false, false}, // a joker and a frozen colour
        {5, false, false, 8, false, false, true},
        {6, false, true, 6, false, false, false}, // charred flags differ
    };
    for (const PairCase& c : pairs) {
        a.SetAnimal(c.kindA);
        a.mFrozen = c.frozenA;
        a.mCharred = c.charredA;
        b.SetAnimal(c.kindB);
        b.mFrozen = c.frozenB;
        b.mCharred = c.charredB;
        EXPECT_EQ(a.Matches(b), c.match) << c.kindA << " " << c.kindB;
    }
}

TEST_F(AnimalTest, FrozenAndCharredOnlyForTheirKinds)
{
    Animal* stone = mPool.ObtainAnimal(3);
    stone->mDirty = false;
    stone->SetFrozen(true);
    stone->SetCharred(5.0f);
    EXPECT_FALSE(stone->mFrozen || stone->mCharred);
    EXPECT_TRUE(stone->mDirty);

    Animal* ape = mPool.ObtainAnimal(6);
    ape->SetFrozen(true);
    EXPECT_TRUE(ape->mFrozen);
    EXPECT_FLOAT_EQ(ape->mHeading, Float(Math::Pi));
    EXPECT_FLOAT_EQ(Sequence(1)->GetStartTime(), 20.0f);
    EXPECT_TRUE(Sequence(1)->IsRunning());
    ape->SetFrozen(false);
    EXPECT_FALSE(ape->mFrozen);
    EXPECT_FALSE(Sequence(1)->IsRunning());

    ape->SetCharred(4.0f);
    EXPECT_TRUE(ape->mCharred);
    EXPECT_FLOAT_EQ(Sequence(1)->GetEndTime(), 104.0f);
}

TEST_F(AnimalTest, TurnsByClipOrRotation)
{
    Animal* ape = mPool.ObtainAnimal(6);
    ape->UpdateRotation();
    auto* flip = Find<Graph::IScalable>(mScene, "/animal0/ape/flip0");
    EXPECT_FLOAT_EQ(flip->GetScaleFactorX(), 1.0f);
    EXPECT_TRUE(Node("/animal0/ape/shadow_flip0")->IsActiveAndVisible());
    // Facing backwards mirrors the picture.
    ape->SetFacingAngle(Float(Math::Pi));
    ape->UpdateRotation();
    EXPECT_FLOAT_EQ(flip->GetScaleFactorX(), -1.0f);
    EXPECT_FALSE(Node("/animal0/ape/shadow_flip0")->IsActiveAndVisible());
    EXPECT_TRUE(Node("/animal0/ape/shadow_flip1")->IsActiveAndVisible());

    // A target half a turn away: a colour animal plays the half-turn clip and keeps its angle.
    const Float before = ape->mCurrentAngle;
    ape->SetHeading(Float(Math::Pi));
    ape->Update(1.0f / 60.0f);
    EXPECT_TRUE(ape->mTurning);
    EXPECT_EQ(ape->mCurrentAngle, before);
    EXPECT_FLOAT_EQ(Sequence(0)->GetStartTime(), 10.0f);

    // A frozen animal rotates instead, at 5 radians a second.
    Animal* frog = mPool.ObtainAnimal(6);
    frog->SetFrozen(true);
    frog->SetFacingAngle(Float(Math::Pi));
    frog->mHeading = 0.0f;
    frog->Update(0.1f);
    EXPECT_FALSE(frog->mTurning);
    EXPECT_NEAR(frog->mCurrentAngle, 0.5, 1e-4);

    // Without a picture to mirror the sprite rotates too, and is not left turning for ever.
    Animal* bare = mPool.ObtainAnimal(7);
    bare->SetHeading(Float(Math::Pi));
    bare->Update(0.1f);
    EXPECT_FALSE(bare->mTurning);
    EXPECT_NEAR(bare->mCurrentAngle, 0.5, 1e-4);
}

TEST_F(AnimalTest, StepDecidesWhichAnimalsAreOnScreen)
{
    // The screen is 1000 x 600: an animal of radius 34 is on it until its circle is wholly outside.
    struct Case
    {
        Float x;
        Float y;
        Bool onScreen;
    };
    const Case cases[] = {{534.0f, 0.0f, true}, {534.5f, 0.0f, false}, {0.0f, -334.0f, true}, {0.0f, -334.5f, false}};
    Animal* animal = mPool.ObtainAnimal(8);
    for (const Case& c : cases) {
        animal->SetPosition(c.x, c.y);
        mPool.Step(1.0 / 60.0);
        EXPECT_EQ(animal->mOnScreen, c.onScreen) << c.x << " " << c.y;
    }
    // A requested ash explosion starts once, at the animal.
    animal->mAshRequested = true;
    mPool.Step(1.0 / 60.0);
    mPool.Step(1.0 / 60.0);
    EXPECT_EQ(mEffects.Numbers(), std::vector<UInt32>{ExplosionHandler::EffectAsh});
    EXPECT_FALSE(animal->IsPointInside(animal->mPosition, 0.0f)); // off screen
}

TEST_F(AnimalTest, APoolWithoutEffectsDoesNotStart)
{
    AnimalContainer pool(&mGameState, nullptr);
    EXPECT_FALSE(pool.Init(mScene, ""));
}

} // namespace
} // namespace App
} // namespace Vorn
