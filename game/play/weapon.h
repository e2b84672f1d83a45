// The special weapons of the play field. A weapon is a pooled instance of the "/weapon" template
// that shows one kind (nuke, blue nuke, hambone, carrot, tranquillisers, rhino, chameleon,
// airstrike rocket) with a counter running down from 5; the container places weapons on the
// level's places by the level's timetable, lets them expire, and hands one to the player who
// points at it. In flight the flying-object handler moves it and the course model reads its kind,
// level and radius.
#pragma once

#include "foundation/array.h"
#include "foundation/random.h"
#include "foundation/types.h"
#include "foundation/vector.h"
#include "game/graph_instance_container.h"
#include "game/graph_position_object.h"
#include "logic/graph_node.h"
#include "logic/stepable.h"
#include "logic/timeframe.h"

namespace Vorn {
namespace Graph {
class INamespace;
class INode;
class IParameters;
class IScalable;
class ISwitch;
class IText;
class ITimeline;
class ITransform;
} // namespace Graph

namespace App {

class ExplosionHandler;
class GameState;
class SoundContainer;

class Weapon : public GraphPositionObject
{
public:
    // Kinds, in the order of the pictures under "/select".
    static constexpr UInt32 KindNuke = 0;
    static constexpr UInt32 KindNukeBlue = 1;
    static constexpr UInt32 KindHambone = 2;
    static constexpr UInt32 KindCarrot = 3;
    static constexpr UInt32 KindTranq = 4;
    static constexpr UInt32 KindBigTranq = 5;
    static constexpr UInt32 KindRhino = 6;
    static constexpr UInt32 KindChameleon = 7;
    static constexpr UInt32 KindAirstrike = 8;
    static constexpr UInt32 KindNone = 9;
    static constexpr UInt32 NumberOfKinds = 9;

    static constexpr SInt32 DepthOrderBase = 602000;
    static constexpr SInt32 CarrotDepthOrder = 5100;
    // The counter a placed weapon starts from.
    static constexpr UInt32 StartLevel = 5;
    // A point nearer than this takes a standing weapon, whatever the weapon's own radius.
    static constexpr Float TakeRadius = 90.0f;

    // The values of one kind.
    struct KindInfo
    {
        Float mRadius;
        SInt32 mDamage;
        UInt32 mIdleEffect;
        UInt32 mEndEffect;
        // 0: none.
        UInt32 mHitSound;
        UInt32 mTrailEffect;
    };
    // Null for a kind beyond the table.
    static const KindInfo* GetKindInfo(UInt32 kind);
    // The highlighter's brightness for a container variant.
    static Float GetBrightness(SInt32 variant);

    Weapon();
    ~Weapon() override;

    // The base's reset, the field defaults, counter and highlighter off, white tint.
    void Reset() override;
    // Binds the instance root at the path and its nodes; false when one is missing.
    Bool Init(Graph::INamespace* nameSpace, const String& path, UInt32 index) override;
    Bool DeInit() override;
    // A carrot stands on the pixel grid in x and y; the other kinds as the base.
    void UpdateTransform() override;
    Graph::INode* GetRootNode() const override;

    // Takes the kind's values and shows its picture; false when the picture lacks "scale" or
    // "rotation" (the values are set all the same).
    Bool SetType(UInt32 kind, SInt32 variant);
    // Shows the counter from 5 and starts it over the duration. A duration that is not above 0
    // leaves no time: the weapon expires at its next update.
    void Start(Float duration);
    // Runs the counter down, expires the weapon at its end, and holds the counter outside play.
    void Update(const GameState& gameState);
    // The player has it: the counter stops and hides; a rhino keeps its bounces.
    void Take();
    void SetRotation(Float angle);
    // Turns the picture and its shadow to the rotation (rhino and chameleon stay upright).
    void UpdateRotation();
    // The counter grows on early levels: 2 at level 0 down to 1 from level 20.
    void SetCountScale(UInt32 level);
    void SetScale(Float scale);
    void SetBackgroundScale(Float scale);
    void SetColor(Float red, Float green, Float blue);
    // The counter's pace for a flight time factor.
    void SetHoverSpeed(Float factor);
    // Counts the highlight down; true when the idle effect is due (the timer starts again).
    Bool UpdateHighlight(Float dt);
    // Strength after it is taken: 1.2 from level 3, 1.0 at level 2, else 0.8.
    Float GetLevelFactor() const;
    void DecreaseLevel()
    {
        if (mLevel > 0)
            --mLevel;
    }
    // Whether a standing weapon is near enough to be taken; never once taken.
    Bool HitTest(const Math::Vector<Float>& point) const;

    UInt32 GetKind() const { return mKind; }
    SInt32 GetDamage() const { return mDamage; }
    UInt32 GetLevel() const { return mLevel; }
    Float GetRadius() const { return mRadius; }
    Float GetRotation() const { return mRotation; }
    Float GetDuration() const { return mDuration; }
    Bool WasTaken() const { return mWasTaken; }
    Bool IsRotating() const { return mKind != KindRhino && mKind != KindChameleon; }
    Bool IsActive() const;
    // The hover timeline's time; 0 when unbound.
    Double GetHoverTime() const;
    Bool IsHoverRunning() const;
    // Plain setters for a weapon that the container did not place.
    void SetKind(UInt32 kind) { mKind = kind; }
    void SetLevel(UInt32 level) { mLevel = level; }
    void SetRadius(Float radius) { mRadius = radius; }
    using GraphPositionObject::mPosition;

private:
    void ReleaseKindNodes();
    void ShowCounter();

    Float mRadius;
    Float mRotation;
    Bool mRotationChanged;
    UInt32 mKind;
    SInt32 mDamage;
    Bool mWasTaken;
    UInt32 mLevel;
    Float mDuration;
    Float mHighlightTimer;

    Logic::GraphNodeT<Graph::INamespace> mRoot;
    Logic::GraphNodeT<Graph::ITimeline> mHoverTimeline;
    Logic::GraphNodeT<Graph::ISwitch> mSelect;
    Logic::GraphNodeT<Graph::IText> mCounterText;
    Logic::GraphNodeT<Graph::ITransform> mCounterTextTransform;
    Logic::GraphNodeT<Graph::IParameters> mColor;
    Logic::GraphNodeT<Graph::ITransform> mHighlighter;
    Logic::GraphNodeT<Graph::IParameters> mHighlighterColor;
    Logic::GraphNodeT<Graph::IScalable> mLevelScale;
    // Nodes of the selected kind.
    Logic::GraphNodeT<Graph::IScalable> mScale;
    Logic::GraphNodeT<Graph::ITransform> mRotationTransform;
    Logic::GraphNodeT<Graph::ITransform> mShadowTransform;
    Logic::GraphNodeT<Graph::IScalable> mBackgroundScale;
    Logic::GraphNodeT<Graph::ITransform> mBackgroundTransform;
};

class WeaponContainer : public GraphInstanceContainer<Weapon>, public Logic::IStepable
{
public:
    // A place where the timetable may put a weapon; carrots also take their rotation and scale.
    struct Place
    {
        UInt32 mWeight = 1;
        Math::Vector<Float> mPosition{0.0f, 0.0f, 0.0f, 1.0f};
        Float mRotation = 0.0f;
        Float mScale = 1.0f;
        Weapon* mWeapon = nullptr;
    };

    struct TimetableEntry
    {
        UInt32 mKind = 0;
        Float mCountdown = 0.0f;
        Float mPeriod = 0.0f;
        Bool mIsDone = true;
    };

    WeaponContainer(GameState* gameState, ExplosionHandler* explosionHandler, SoundContainer* sounds);
    ~WeaponContainer() override;

    // The pool's own form, with its container and instance names.
    using GraphInstanceContainer<Weapon>::Init;
    // Binds "/weapon" instances under "/weapon_container"; false without an explosion handler or
    // for a missing node.
    Bool Init(Graph::INamespace* nameSpace, const String& basePath);
    // Also forgets the places and the timetable.
    Bool DeInit() override;
    // Empties the pool, the places and the timetable, and stops the cycle.
    void ReleaseAll() override;

    void AddWeaponPlace(UInt32 weight, const Math::Vector<Float>& position);
    void AddCarrotPlace(UInt32 weight, const Math::Vector<Float>& position, Float rotation, Float scale);
    // The period is min when min equals max, else drawn between them once.
    void AddTimetableEntry(UInt32 kind, Float min, Float max);
    void SetCycle(Float duration, UInt32 count);
    void SetDurations(Float weaponDuration, Float carrotDuration);
    void SetVariant(SInt32 variant) { mVariant = variant; }

    // Puts a weapon of the kind on a free place; false for no kind, no free place or no free
    // weapon.
    Bool PlaceWeapon(UInt32 kind);
    // Takes the first standing weapon within reach of the point and frees its place; null for
    // none.
    Weapon* TakeWeaponAt(const Math::Vector<Float>& point);
    // Gives a fired weapon back with its end effect; false for a weapon of another pool.
    Bool ReleaseWeapon(Weapon* weapon);
    // False when the weapon stands on no place.
    Bool FreePlace(Weapon* weapon);

    void Reset() override { ReleaseAll(); }
    // Runs the timetable and the standing weapons.
    void Step(Double dt) override;

    UInt32 GetNumberOfWeaponPlaces() const { return UInt32(mWeaponPlaces.GetCount()); }
    UInt32 GetNumberOfCarrotPlaces() const { return UInt32(mCarrotPlaces.GetCount()); }
    // Null beyond the count.
    const Place* GetWeaponPlace(UInt32 index) const;
    const Place* GetCarrotPlace(UInt32 index) const;
    UInt32 GetNumberOfTimetableEntries() const { return UInt32(mTimetable.GetCount()); }
    const TimetableEntry* GetTimetableEntry(UInt32 index) const;
    UInt32 GetCycleCount() const { return mCycleCount; }

private:
    Place* PickPlace(Array<Place>& places);
    void RearmTimetable();
    void StepTimetable(Float s);
    void StepWeapons(Float s);

    Array<Place> mWeaponPlaces;
    Array<Place> mCarrotPlaces;
    Array<TimetableEntry> mTimetable;
    Logic::Timeframe mCycleTimeframe;
    Float mCycleDuration;
    UInt32 mCycleCount;
    Float mWeaponDuration;
    Float mCarrotDuration;
    SInt32 mVariant;
    Util::TT800 mRng;
    GameState* mGameState;
    ExplosionHandler* mExplosionHandler;
    SoundContainer* mSounds;
};

} // namespace App
} // namespace Vorn
