#include "game/play/weapon.h"

#include <cmath>
#include <limits>

#include "foundation/attributes.h"
#include "foundation/math.h"
#include "foundation/text.h"
#include "game/game_state.h"
#include "game/helpers.h"
#include "game/play/explosion_handler.h"
#include "game/play/play_seed.h"
#include "game/sound_container.h"
#include "graph/namespace.h"
#include "graph/node.h"
#include "graph/parameters.h"
#include "graph/switch.h"
#include "graph/text.h"
#include "graph/time/timeline.h"
#include "graph/transform/scalable.h"
#include "graph/transform/transform.h"

namespace Vorn {
namespace App {

namespace {

constexpr UInt32 kSoundExplosion = 24;
constexpr UInt32 kSoundExplBlue = 25;
constexpr UInt32 kSoundExplRed = 26;
constexpr UInt32 kSoundCarrot = 20;
constexpr UInt32 kSoundJingle = 48;
constexpr Float kHighlightPeriod = 0.32f;
constexpr Float kRetryDelay = 1.0f;
// The highlighter stays as the template has it for kinds that set no colour.
constexpr Float kKeepColour = -1.0f;

const Weapon::KindInfo kKinds[Weapon::NumberOfKinds] = {
    // radius, damage, idle effect, end effect, hit sound, trail effect
    {35.0f, 15, 14, 2, kSoundExplRed, 32},   // nuke
    {35.0f, 30, 15, 3, kSoundExplBlue, 32},  // nuke_blue
    {35.0f, 15, 20, 1, kSoundExplosion, 0},  // hambone
    {35.0f, 15, 16, 1, 0, 0},                // carrot
    {35.0f, 1, 18, 6, 0, 33},                // tranq
    {35.0f, 1, 19, 7, 0, 33},                // bigtranq
    {20.0f, 1000, 17, 1, 0, 34},             // rhino
    {20.0f, 1000, 21, 1, 0, 0},              // chameleon
    {15.0f, 20, 1, 1, kSoundExplosion, 0},   // airstrike
};

// The highlighter's colour of each kind: every component is base + perBrightness × v.
struct HighlighterColour
{
    Float mBase[4];
    Float mPerBrightness[4];
};

const HighlighterColour kHighlighterColours[Weapon::NumberOfKinds] = {
    {{0.0f, 0.0f, 0.0f, 0.8f}, {1.0f, 0.0f, 0.0f, 0.0f}},
    {{0.0f, 0.0f, 0.0f, 0.9f}, {0.0f, 0.3f, 1.0f, 0.0f}},
    {{0.0f, 0.0f, 0.0f, 1.0f}, {0.5f, 0.25f, 0.0f, 0.0f}},
    {{0.0f, 0.0f, 0.0f, 1.0f}, {1.0f, 1.0f, 1.0f, 0.0f}},
    {{0.0f, 0.0f, 0.0f, 0.8f}, {1.0f, 0.0f, 0.0f, 0.0f}},
    {{0.0f, 0.0f, 0.0f, 0.8f}, {1.0f, 0.0f, 0.0f, 0.0f}},
    {{0.2f, 0.2f, 0.2f, 0.0f}, {0.0f, 0.0f, 0.0f, 1.0f}},
    {{0.2f, 0.2f, 0.2f, 0.0f}, {0.0f, 0.0f, 0.0f, 1.0f}},
    {{kKeepColour, 0.0f, 0.0f, 0.0f}, {0.0f, 0.0f, 0.0f, 0.0f}},
};

void Show(Logic::GraphINode& reference, Bool shown)
{
    if (Graph::INode* node = reference.GetNode())
        node->SetActiveAndVisible(shown);
}

// Binds the reference to a child of the namespace when there is one, without a log line.
template <class T>
void BindIfPresent(Logic::GraphNodeT<T>& reference, Graph::INamespace* nameSpace, const char* name)
{
    reference.Remove();
    if (Graph::INode* node = nameSpace->FindNode(String(name))) {
        reference.GetReference(node);
        node->RemoveReference();
    }
}

Bool IsUsableDuration(Float duration)
{
    return duration > 0.0f && std::isfinite(1.0f / duration);
}

} // namespace

const Weapon::KindInfo* Weapon::GetKindInfo(UInt32 kind)
{
    return kind < NumberOfKinds ? &kKinds[kind] : nullptr;
}

Float Weapon::GetBrightness(SInt32 variant)
{
    if (variant == 1)
        return 0.8f;
    if (variant == 3)
        return 0.6f;
    return 1.0f;
}

Weapon::Weapon()
    : GraphPositionObject(DepthOrderBase), mRadius(35.0f), mRotation(0.0f), mRotationChanged(false), mKind(KindNone),
      mDamage(0), mWasTaken(false), mLevel(0), mDuration(1.0f), mHighlightTimer(0.0f)
{
}

Weapon::~Weapon()
{
    ReleaseKindNodes();
}

void Weapon::Reset()
{
    GraphPositionObject::Reset();
    mRadius = 35.0f;
    mRotation = 0.0f;
    mRotationChanged = false;
    mKind = KindNone;
    mDamage = 0;
    mWasTaken = false;
    mLevel = 0;
    mDuration = 1.0f;
    mHighlightTimer = 0.0f;
    Show(mCounterTextTransform, false);
    Show(mHighlighter, false);
    if (Graph::IParameters* color = mColor.Get())
        color->SetColor(1, Color{1.0f, 1.0f, 1.0f, 1.0f});
}

Bool Weapon::Init(Graph::INamespace* nameSpace, const String& path, UInt32 index)
{
    Observe(mRoot.GetReference(nameSpace, path));
    Observe(mHoverTimeline.GetReference(nameSpace, path + "/hover_timeline"));
    Observe(mSelect.GetReference(nameSpace, path + "/select"));
    Observe(mCounterText.GetReference(nameSpace, path + "/counter_text"));
    Observe(mCounterTextTransform.GetReference(nameSpace, path + "/counter_text_transform"));
    Observe(mColor.GetReference(nameSpace, path + "/parameters_color"));
    Observe(mHighlighter.GetReference(nameSpace, path + "/highlighter"));
    Observe(mHighlighterColor.GetReference(nameSpace, path + "/highlighter_color"));
    Observe(mLevelScale.GetReference(nameSpace, path + "/level_scale"));
    return BindTransform(nameSpace, path + "/position", index);
}

Bool Weapon::DeInit()
{
    ReleaseKindNodes();
    return GraphPositionObject::DeInit();
}

void Weapon::ReleaseKindNodes()
{
    mScale.Remove();
    mRotationTransform.Remove();
    mShadowTransform.Remove();
    mBackgroundScale.Remove();
    mBackgroundTransform.Remove();
}

Graph::INode* Weapon::GetRootNode() const
{
    return mRoot.GetNode();
}

void Weapon::UpdateTransform()
{
    if (mKind != KindCarrot) {
        GraphPositionObject::UpdateTransform();
        return;
    }
    if (mTransformMatrix == nullptr)
        return;
    (*mTransformMatrix)[12] = AlignToPixelGrid(mPosition.x, 1.0f, kMenuPixel);
    (*mTransformMatrix)[13] = AlignToPixelGrid(mPosition.y, 1.0f, kMenuPixel);
}

Bool Weapon::SetType(UInt32 kind, SInt32 variant)
{
    mKind = kind;
    SetDepthOrder(DepthOrderBase);
    mDamage = 15;
    const Float v = GetBrightness(variant);
    if (const KindInfo* info = GetKindInfo(kind)) {
        mDamage = info->mDamage;
        mRadius = info->mRadius;
        const HighlighterColour& colour = kHighlighterColours[kind];
        if (colour.mBase[0] != kKeepColour && mHighlighterColor.IsValid()) {
            Float c[4];
            for (UInt32 i = 0; i < 4; ++i)
                c[i] = colour.mBase[i] + colour.mPerBrightness[i] * v;
            mHighlighterColor.Get()->SetColor(1, Color{c[0], c[1], c[2], c[3]});
        }
        if (kind == KindCarrot)
            SetDepthOrder(CarrotDepthOrder);
    }

    ReleaseKindNodes();
    if (kind >= NumberOfKinds || !mSelect.IsValid() || !mSelect.Get()->SetIndex(SInt32(kind)))
        return false;
    auto* picture = dynamic_cast<Graph::INamespace*>(mSelect.Get()->GetSelectedChild());
    if (picture == nullptr)
        return false;
    BindIfPresent(mScale, picture, "scale");
    if (!mScale.IsValid())
        return false;
    BindIfPresent(mRotationTransform, picture, "rotation");
    if (!mRotationTransform.IsValid())
        return false;
    BindIfPresent(mShadowTransform, picture, "shadow_transform");
    BindIfPresent(mBackgroundScale, picture, "bg_scale");
    BindIfPresent(mBackgroundTransform, picture, "bg_transform");
    UpdateRotation();
    return true;
}

void Weapon::Start(Float duration)
{
    mDuration = duration;
    const Bool carrot = mKind == KindCarrot;
    Show(mBackgroundTransform, !carrot);
    Show(mCounterTextTransform, !carrot);
    Show(mHighlighter, !carrot);
    mLevel = StartLevel;
    ShowCounter();
    Graph::ITimeline* hover = mHoverTimeline.Get();
    if (hover == nullptr)
        return;
    hover->Rewind();
    hover->Start();
    // No time to stand: the counter runs out in the next step.
    hover->SetTimeScale(IsUsableDuration(duration) ? 1.0f / duration : std::numeric_limits<Float>::max());
}

void Weapon::ShowCounter()
{
    if (Graph::IText* text = mCounterText.Get()) {
        char buffer[16];
        Util::PrintToBuffer(buffer, sizeof(buffer), "%u", mLevel);
        text->SetText(String(buffer));
    }
}

void Weapon::Update(const GameState& gameState)
{
    Graph::ITimeline* hover = mHoverTimeline.Get();
    if (hover == nullptr)
        return;
    if (hover->WasStopped()) {
        SetActive(false);
        hover->Rewind();
        mLevel = 0;
    } else if (hover->IsRunning()) {
        Double t = hover->GetCurrentTime();
        if (!(t >= 0.0))
            t = 0.0;
        if (t > 1.0)
            t = 1.0;
        const UInt32 counter = StartLevel - UInt32(std::trunc(5.0 * t));
        if (counter != mLevel) {
            mLevel = counter;
            ShowCounter();
        }
    }
    const UInt32 state = gameState.GetPlayState();
    if (state == 4 || state == 5 || state == 7) {
        if (!hover->IsRunning() && IsActive())
            hover->Start();
    } else {
        hover->Pause();
    }
    if (mRotationChanged) {
        mRotationChanged = false;
        UpdateRotation();
    }
}

void Weapon::Take()
{
    mWasTaken = true;
    if (Graph::ITimeline* hover = mHoverTimeline.Get()) {
        hover->Stop();
        hover->Rewind();
    }
    Show(mBackgroundTransform, false);
    Show(mCounterTextTransform, false);
    Show(mHighlighter, false);
    if (mKind == KindRhino)
        mLevel = mLevel > 3 ? mLevel - 2 : 1;
}

void Weapon::SetRotation(Float angle)
{
    Float a = Float(std::fmod(Double(angle), Math::TwoPi));
    if (a < 0.0f)
        a += Float(Math::TwoPi);
    if (!(a >= 0.0f && a < Float(Math::TwoPi)))
        a = 0.0f; // NaN and the rounding up to 2 pi
    if (a != mRotation) {
        mRotation = a;
        mRotationChanged = true;
    }
}

void Weapon::UpdateRotation()
{
    const Float angle = IsRotating() ? mRotation : 0.0f;
    if (Graph::ITransform* rotation = mRotationTransform.Get())
        rotation->SetRotationZ(angle);
    if (Graph::ITransform* shadow = mShadowTransform.Get())
        shadow->SetRotationZ(angle);
}

void Weapon::SetCountScale(UInt32 level)
{
    Float s = 1.0f + (20.0f - Float(level)) / 20.0f;
    if (s < 1.0f)
        s = 1.0f;
    if (s > 2.0f)
        s = 2.0f;
    if (Graph::IScalable* scale = mLevelScale.Get())
        scale->SetScaleFactor(s, s, 1.0f);
}

void Weapon::SetScale(Float scale)
{
    if (Graph::IScalable* node = mScale.Get())
        node->SetScaleFactor(scale, scale, 1.0f);
}

void Weapon::SetBackgroundScale(Float scale)
{
    if (Graph::IScalable* node = mBackgroundScale.Get())
        node->SetScaleFactor(scale, scale, 1.0f);
}

void Weapon::SetColor(Float red, Float green, Float blue)
{
    if (Graph::IParameters* color = mColor.Get())
        color->SetColor(1, Color{red, green, blue, 1.0f});
}

void Weapon::SetHoverSpeed(Float factor)
{
    if (!IsUsableDuration(mDuration))
        return;
    if (Graph::ITimeline* hover = mHoverTimeline.Get())
        hover->SetTimeScale((factor > 0.001f ? factor : 0.001f) / mDuration);
}

Bool Weapon::UpdateHighlight(Float dt)
{
    mHighlightTimer -= dt;
    if (mHighlightTimer > 0.0f)
        return false;
    mHighlightTimer = kHighlightPeriod;
    return true;
}

Float Weapon::GetLevelFactor() const
{
    if (mLevel >= 3)
        return 1.2f;
    return mLevel == 2 ? 1.0f : 0.8f;
}

Bool Weapon::HitTest(const Math::Vector<Float>& point) const
{
    if (mWasTaken)
        return false;
    const Float dx = point.x - mPosition.x;
    const Float dy = point.y - mPosition.y;
    return dx * dx + dy * dy < TakeRadius * TakeRadius;
}

Bool Weapon::IsActive() const
{
    const Graph::INode* root = GetRootNode();
    return root != nullptr && root->IsActiveAndVisible();
}

Double Weapon::GetHoverTime() const
{
    return mHoverTimeline.IsValid() ? mHoverTimeline.Get()->GetCurrentTime() : 0.0;
}

Bool Weapon::IsHoverRunning() const
{
    return mHoverTimeline.IsValid() && mHoverTimeline.Get()->IsRunning();
}

WeaponContainer::WeaponContainer(GameState* gameState, ExplosionHandler* explosionHandler, SoundContainer* sounds)
    : mCycleDuration(0.0f), mCycleCount(0), mWeaponDuration(0.0f), mCarrotDuration(0.0f), mVariant(-1),
      mGameState(gameState), mExplosionHandler(explosionHandler), mSounds(sounds)
{
    mRng.Seed(GetPlaySeed());
}

WeaponContainer::~WeaponContainer() {}

Bool WeaponContainer::Init(Graph::INamespace* nameSpace, const String& basePath)
{
    if (mExplosionHandler == nullptr)
        return false;
    return GraphInstanceContainer<Weapon>::Init(nameSpace, basePath, "/weapon_container", "/weapon");
}

Bool WeaponContainer::DeInit()
{
    const Bool done = GraphInstanceContainer<Weapon>::DeInit();
    mWeaponPlaces.Clear();
    mCarrotPlaces.Clear();
    mTimetable.Clear();
    return done;
}

void WeaponContainer::ReleaseAll()
{
    GraphInstanceContainer<Weapon>::ReleaseAll();
    mWeaponPlaces.Clear();
    mCarrotPlaces.Clear();
    mTimetable.Clear();
    mCycleTimeframe.Reset();
    mCycleCount = 0;
    mCycleDuration = 0.0f;
    mWeaponDuration = 0.0f;
    mCarrotDuration = 0.0f;
}

void WeaponContainer::AddWeaponPlace(UInt32 weight, const Math::Vector<Float>& position)
{
    Place place;
    place.mWeight = weight;
    place.mPosition = position;
    mWeaponPlaces.Add(place);
}

void WeaponContainer::AddCarrotPlace(UInt32 weight, const Math::Vector<Float>& position, Float rotation, Float scale)
{
    Place place;
    place.mWeight = weight;
    place.mPosition = position;
    place.mRotation = rotation;
    place.mScale = scale;
    mCarrotPlaces.Add(place);
}

void WeaponContainer::AddTimetableEntry(UInt32 kind, Float min, Float max)
{
    TimetableEntry entry;
    entry.mKind = kind;
    entry.mPeriod = min == max ? min : mRng.RandReal(min, max);
    mTimetable.Add(entry);
}

void WeaponContainer::SetCycle(Float duration, UInt32 count)
{
    mCycleDuration = duration;
    mCycleCount = count;
}

void WeaponContainer::SetDurations(Float weaponDuration, Float carrotDuration)
{
    mWeaponDuration = weaponDuration;
    mCarrotDuration = carrotDuration;
}

WeaponContainer::Place* WeaponContainer::PickPlace(Array<Place>& places)
{
    UInt64 total = 0;
    for (const Place& place : places)
        if (place.mWeapon == nullptr)
            total += place.mWeight;
    // The draw scales a 32-bit total; weights beyond that are cut to it.
    if (total > 0xFFFFFFFFull)
        total = 0xFFFFFFFFull;
    if (total == 0)
        return nullptr;
    UInt64 r = (UInt64(mRng.Rand()) * total) >> 32;
    for (Place& place : places) {
        if (place.mWeapon != nullptr)
            continue;
        if (r < place.mWeight)
            return &place;
        r -= place.mWeight;
    }
    return nullptr;
}

Bool WeaponContainer::PlaceWeapon(UInt32 kind)
{
    if (kind >= Weapon::NumberOfKinds)
        return false;
    const Bool carrot = kind == Weapon::KindCarrot;
    Place* place = PickPlace(carrot ? mCarrotPlaces : mWeaponPlaces);
    if (place == nullptr)
        return false;
    Weapon* weapon = Obtain();
    if (weapon == nullptr)
        return false;
    place->mWeapon = weapon;
    weapon->SetType(kind, mVariant);
    weapon->SetPosition(place->mPosition);
    weapon->UpdateTransform();
    weapon->SetCountScale(mGameState != nullptr ? mGameState->GetLevel() : 0);
    if (carrot) {
        weapon->SetRotation(place->mRotation);
        weapon->SetScale(place->mScale);
        weapon->Start(mCarrotDuration);
    } else {
        weapon->SetBackgroundScale(mGameState != nullptr && mGameState->IsSmallScreen() ? 1.2f : 1.0f);
        weapon->Start(mWeaponDuration);
    }
    return true;
}

Weapon* WeaponContainer::TakeWeaponAt(const Math::Vector<Float>& point)
{
    for (UInt32 i = 0; i < GetUsedEnd(); ++i) {
        if (!IsEntryUsed(i))
            continue;
        Weapon* weapon = GetEntry(i);
        if (!weapon->HitTest(point))
            continue;
        weapon->Take();
        FreePlace(weapon);
        return weapon;
    }
    return nullptr;
}

Bool WeaponContainer::ReleaseWeapon(Weapon* weapon)
{
    for (UInt32 i = 0; i < GetCount(); ++i) {
        if (GetEntry(i) != weapon)
            continue;
        weapon->SetActive(false);
        SetEntryUsed(i, false);
        if (const Weapon::KindInfo* info = Weapon::GetKindInfo(weapon->GetKind()))
            mExplosionHandler->StartEffect(info->mEndEffect, weapon->GetPosition(), 0.0f, 0.0f);
        return true;
    }
    return false;
}

Bool WeaponContainer::FreePlace(Weapon* weapon)
{
    for (Array<Place>* places : {&mWeaponPlaces, &mCarrotPlaces}) {
        for (Place& place : *places) {
            if (place.mWeapon == weapon) {
                place.mWeapon = nullptr;
                return true;
            }
        }
    }
    return false;
}

const WeaponContainer::Place* WeaponContainer::GetWeaponPlace(UInt32 index) const
{
    return index < UInt32(mWeaponPlaces.GetCount()) ? &mWeaponPlaces[SInt32(index)] : nullptr;
}

const WeaponContainer::Place* WeaponContainer::GetCarrotPlace(UInt32 index) const
{
    return index < UInt32(mCarrotPlaces.GetCount()) ? &mCarrotPlaces[SInt32(index)] : nullptr;
}

const WeaponContainer::TimetableEntry* WeaponContainer::GetTimetableEntry(UInt32 index) const
{
    return index < UInt32(mTimetable.GetCount()) ? &mTimetable[SInt32(index)] : nullptr;
}

void WeaponContainer::RearmTimetable()
{
    for (TimetableEntry& entry : mTimetable) {
        entry.mIsDone = false;
        entry.mCountdown = entry.mPeriod;
    }
}

void WeaponContainer::StepTimetable(Float s)
{
    const UInt32 state = mGameState->GetPlayState();
    if (state == 4 && mCycleDuration != 0.0f) {
        RearmTimetable();
        mCycleTimeframe.Start(mCycleDuration);
    }
    mCycleTimeframe.Step(s);
    if (mCycleTimeframe.IsEnded()) {
        if (mCycleCount > 0)
            --mCycleCount;
        if (mCycleCount != 0) {
            mCycleTimeframe.Start(Float(mCycleTimeframe.GetElapsedTime()));
            RearmTimetable();
        }
    }
    for (TimetableEntry& entry : mTimetable) {
        if (entry.mIsDone)
            continue;
        entry.mCountdown -= s;
        if (!(entry.mCountdown <= 0.0f))
            continue;
        if (!PlaceWeapon(entry.mKind)) {
            entry.mCountdown += kRetryDelay;
            continue;
        }
        entry.mIsDone = true;
        if (mSounds != nullptr)
            mSounds->PlayIfIdle(entry.mKind == Weapon::KindCarrot ? kSoundCarrot : kSoundJingle, false);
    }
}

void WeaponContainer::StepWeapons(Float s)
{
    const Float factor = mGameState->GetTimeFactor();
    for (UInt32 i = 0; i < GetUsedEnd(); ++i) {
        if (!IsEntryUsed(i))
            continue;
        Weapon* weapon = GetEntry(i);
        if (weapon->WasTaken())
            continue;
        weapon->Update(*mGameState);
        if (weapon->IsHoverRunning())
            weapon->SetHoverSpeed(factor);
        if (!weapon->IsActive()) {
            SetEntryUsed(i, false);
            FreePlace(weapon);
            continue;
        }
        if (weapon->GetHoverTime() <= 0.9 && weapon->UpdateHighlight(s)) {
            if (const Weapon::KindInfo* info = Weapon::GetKindInfo(weapon->GetKind()))
                mExplosionHandler->StartEffect(info->mIdleEffect, weapon->GetPosition(), 0.0f, 0.0f);
        }
    }
}

void WeaponContainer::Step(Double dt)
{
    if (mGameState == nullptr || mExplosionHandler == nullptr)
        return;
    const Float factor = mGameState->GetTimeFactor();
    const Float s = Float(dt) * (factor > 0.001f ? factor : 0.001f);
    const UInt32 state = mGameState->GetPlayState();
    if (mCycleCount != 0 && (state == 4 || state == 5 || state == 7))
        StepTimetable(s);
    StepWeapons(s);
}

} // namespace App
} // namespace Vorn
