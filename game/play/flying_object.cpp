#include "game/play/flying_object.h"

#include <cmath>

#include "foundation/math.h"
#include "foundation/random.h"
#include "game/game_state.h"
#include "game/graph_position_object.h"
#include "game/play/animal.h"
#include "game/play/animal_container.h"
#include "game/play/explosion_handler.h"
#include "game/play/obstacle.h"
#include "game/play/play_seed.h"
#include "game/play/weapon.h"
#include "game/sound_container.h"

namespace Vorn {
namespace App {

namespace {

constexpr Float kScreenMargin = 100.0f;
// How near the launcher a returning animal is caught, beyond its radius.
constexpr Float kReturnMargin = 25.0f;
constexpr Float kFirstTrailDistance = -80.0f;
constexpr Float kTrailSpacing = 30.0f;
constexpr UInt32 kEffectReturned = 1;
constexpr UInt32 kEffectFinished = 12;
constexpr UInt32 kScoreFlightEnded = 2;
constexpr SInt32 kFlyingAnimalDepthOrder = 401000;
constexpr SInt32 kFlyingWeaponDepthOrder = 405000;

Bool IsRunning(UInt32 state)
{
    return state == 4 || state == 5;
}

// The angle of the vector from the +x axis towards +y, in [0, 2 pi); none for a zero vector.
Bool GetVectorAngle(const Math::Vector<Float>& v, Float& angle)
{
    const Double length = std::sqrt(Double(v.x) * v.x + Double(v.y) * v.y);
    if (!(length > 0.0))
        return false;
    Double a = std::acos(Double(v.x) / length);
    if (v.y < 0.0f)
        a = 2.0 * 3.14159265358979323846 - a;
    angle = Float(a);
    return true;
}

template <class T>
Bool RemoveFrom(Array<T*>& list, T* entry)
{
    for (SInt32 i = 0; i < list.GetCount(); ++i) {
        if (list[i] == entry) {
            list.RemoveAt(i);
            delete entry;
            return true;
        }
    }
    return false;
}

template <class T>
void DestroyAll(Array<T*>& list)
{
    for (SInt32 i = 0; i < list.GetCount(); ++i)
        delete list[i];
    list.Clear();
}

} // namespace

FlyingObject::FlyingObject(GraphPositionObject* object)
    : mObject(object), mVelocity(0.0f, 0.0f, 0.0f, 0.0f), mIsStopped(false), mIsFinished(false),
      mReferenceScale(0.0f), mDelay(0.0f), mCourse(nullptr), mContacts{nullptr, nullptr}
{
}

void FlyingObject::Step(Double dt)
{
    if (mIsStopped)
        return;
    if (mDelay > 0.0f) {
        mDelay -= Float(dt);
        return;
    }
    if (mObject == nullptr)
        return;
    const Float seconds = Float(dt);
    Math::Vector<Float> position = mObject->GetPosition();
    position.x += mVelocity.x * seconds;
    position.y += mVelocity.y * seconds;
    position.z += mVelocity.z * seconds;
    position.w += mVelocity.w * seconds;
    mObject->SetPosition(position);
    mObject->UpdateTransform();
    Float heading = 0.0f;
    if (GetVectorAngle(mVelocity, heading))
        SetHeading(heading);
}

Bool FlyingObject::HasLeftScreen(Float width, Float height)
{
    const Float r = GetRadius();
    const Math::Vector<Float>& p = GetPosition();
    const Float halfWidth = width / 2.0f + r;
    const Float halfHeight = height / 2.0f + r;
    return (mVelocity.x > 0.0f && p.x - kScreenMargin > halfWidth) ||
           (mVelocity.x < 0.0f && -halfWidth > p.x + kScreenMargin) ||
           (mVelocity.y > 0.0f && p.y - kScreenMargin > halfHeight) ||
           (mVelocity.y < 0.0f && -halfHeight > p.y + kScreenMargin);
}

Bool FlyingObject::CheckScaleWindow(Float s) const
{
    if (s > 0.9f && s < 1.1f)
        return true;
    const Float f = mReferenceScale;
    if (f < 1.0f)
        return !(f <= s && s <= 1.1f);
    return !(f > 1.0f && 0.9f <= s && s <= f);
}

void FlyingObject::ClearContacts()
{
    mContacts[0] = nullptr;
    mContacts[1] = nullptr;
    mCourse = nullptr;
    mReferenceScale = 0.0f;
}

const Math::Vector<Float>& FlyingObject::GetPosition() const
{
    static const Math::Vector<Float> origin(0.0f, 0.0f, 0.0f, 1.0f);
    return mObject != nullptr ? mObject->GetPosition() : origin;
}

FlyingAnimal::FlyingAnimal(Animal* animal) : FlyingObject(animal), mTimer(0.0f), mAnimal(animal) {}

Float FlyingAnimal::GetRadius() const
{
    return mAnimal != nullptr ? mAnimal->mRadius : 0.0f;
}

void FlyingAnimal::Step(Double dt)
{
    if (mIsStopped)
        return;
    if (mTimer > 0.0f)
        mTimer -= Float(dt);
    FlyingObject::Step(dt);
}

void FlyingAnimal::SetHeading(Float angle)
{
    if (mAnimal != nullptr)
        mAnimal->SetHeading(angle);
}

FlyingWeapon::FlyingWeapon(Weapon* weapon)
    : FlyingObject(weapon), mWeapon(weapon), mTrailDistance(kFirstTrailDistance)
{
}

Float FlyingWeapon::GetRadius() const
{
    return mWeapon != nullptr ? mWeapon->GetRadius() : 0.0f;
}

void FlyingWeapon::Step(Double dt)
{
    if (mIsStopped)
        return;
    if (mDelay <= 0.0f) {
        const Double speed = std::sqrt(Double(mVelocity.x) * mVelocity.x + Double(mVelocity.y) * mVelocity.y +
                                       Double(mVelocity.z) * mVelocity.z);
        mTrailDistance += Float(speed * dt);
    }
    FlyingObject::Step(dt);
}

Bool FlyingWeapon::HasLeftScreen(Float width, Float height)
{
    if (mWeapon == nullptr || mWeapon->GetKind() != Weapon::KindRhino || mWeapon->GetLevel() == 0)
        return FlyingObject::HasLeftScreen(width, height);
    const Float r = GetRadius();
    const Math::Vector<Float>& p = GetPosition();
    const Float edgeX = width / 2.0f - r;
    const Float edgeY = height / 2.0f - r;
    if ((mVelocity.x > 0.0f && p.x > edgeX) || (mVelocity.x < 0.0f && p.x < -edgeX)) {
        mVelocity.x = -mVelocity.x;
        mWeapon->DecreaseLevel();
    }
    if ((mVelocity.y > 0.0f && p.y > edgeY) || (mVelocity.y < 0.0f && p.y < -edgeY)) {
        mVelocity.y = -mVelocity.y;
        mWeapon->DecreaseLevel();
    }
    return false;
}

void FlyingWeapon::SetHeading(Float angle)
{
    if (mWeapon != nullptr)
        mWeapon->SetRotation(angle);
}

FlyingObjectHandler::FlyingObjectHandler(GameState* gameState, AnimalContainer* animalContainer,
                                         WeaponContainer* weaponContainer, ObstacleContainer* obstacleContainer,
                                         ExplosionHandler* explosionHandler, SoundContainer* sounds)
    : mGameState(gameState), mAnimalContainer(animalContainer), mWeaponContainer(weaponContainer),
      mObstacleContainer(obstacleContainer), mExplosionHandler(explosionHandler), mSounds(sounds)
{
}

FlyingObjectHandler::~FlyingObjectHandler()
{
    Reset();
}

void FlyingObjectHandler::Reset()
{
    DestroyAll(mAnimals);
    DestroyAll(mWeapons);
}

Bool FlyingObjectHandler::DeInit()
{
    Reset();
    return true;
}

void FlyingObjectHandler::Step(Double dt)
{
    if (mGameState == nullptr) {
        for (SInt32 i = 0; i < mAnimals.GetCount(); ++i)
            mAnimals[i]->Step(dt);
        for (SInt32 i = 0; i < mWeapons.GetCount(); ++i)
            mWeapons[i]->Step(dt);
        return;
    }
    const Float width = mGameState->GetViewWidth();
    const Float height = mGameState->GetPlayHeight();
    StepAnimals(dt, width, height);
    if (IsRunning(mGameState->GetPlayState()))
        StepWeapons(dt, width, height);
}

void FlyingObjectHandler::StepAnimals(Double dt, Float width, Float height)
{
    const UInt32 state = mGameState->GetPlayState();
    const Math::Vector<Float>& launcher = mGameState->GetPosition();
    for (SInt32 i = 0; i < mAnimals.GetCount();) {
        FlyingAnimal* flying = mAnimals[i];
        Animal* animal = flying->mAnimal;
        const Bool player = animal != nullptr && animal->mCheckMatch;
        if (flying->HasLeftScreen(width, height)) {
            flying->mIsFinished = true;
        } else if (!flying->HasContact() && IsRunning(state) && player && mObstacleContainer != nullptr &&
                   mObstacleContainer->HitTest(flying->GetPosition(), flying->GetRadius(), 1, false)) {
            flying->mIsFinished = true;
        }
        if (!IsRunning(state)) {
            const Math::Vector<Float>& p = flying->GetPosition();
            const Float dx = p.x - launcher.x;
            const Float dy = p.y - launcher.y;
            const Float reach = flying->GetRadius() + kReturnMargin;
            if (dx * dx + dy * dy < reach * reach) {
                if (mAnimalContainer != nullptr)
                    mAnimalContainer->ReleaseAnimal(animal, SInt32(kEffectReturned));
                mAnimals.RemoveAt(i);
                delete flying;
                continue;
            }
        }
        if (flying->mIsFinished) {
            mGameState->AddScoreEvent().mType = kScoreFlightEnded;
            if (mAnimalContainer != nullptr)
                mAnimalContainer->ReleaseAnimal(animal, SInt32(kEffectFinished));
            mAnimals.RemoveAt(i);
            delete flying;
            continue;
        }
        if (state != 17 && state != 18)
            flying->Step(player ? dt : dt * Double(mGameState->GetTimeFactor()));
        ++i;
    }
}

Bool FlyingObjectHandler::HitsObstacle(FlyingWeapon& flying)
{
    Weapon* weapon = flying.mWeapon;
    if (mObstacleContainer == nullptr || weapon == nullptr ||
        !mObstacleContainer->HitTest(flying.GetPosition(), flying.GetRadius(), weapon->GetDamage(), false))
        return false;
    const Weapon::KindInfo* info = Weapon::GetKindInfo(weapon->GetKind());
    if (info != nullptr && info->mHitSound != 0 && mSounds != nullptr)
        mSounds->Play(info->mHitSound);
    if (weapon->GetKind() == Weapon::KindTranq)
        mGameState->SetTranqTime(8.0f * weapon->GetLevelFactor());
    else if (weapon->GetKind() == Weapon::KindBigTranq)
        mGameState->SetBigTranqTime(10.0f * weapon->GetLevelFactor());
    return true;
}

void FlyingObjectHandler::StepWeapons(Double dt, Float width, Float height)
{
    for (SInt32 j = 0; j < mWeapons.GetCount();) {
        FlyingWeapon* flying = mWeapons[j];
        if (flying->HasLeftScreen(width, height))
            flying->mIsFinished = true;
        else if (!flying->HasContact() && HitsObstacle(*flying))
            flying->mIsFinished = true;
        if (flying->mIsFinished) {
            if (mWeaponContainer != nullptr)
                mWeaponContainer->ReleaseWeapon(flying->mWeapon);
            mWeapons.RemoveAt(j);
            delete flying;
            continue;
        }
        flying->Step(dt);
        if (flying->mTrailDistance > kTrailSpacing) {
            flying->mTrailDistance = 0.0f;
            const Weapon::KindInfo* info = flying->mWeapon != nullptr ? Weapon::GetKindInfo(flying->mWeapon->GetKind())
                                                                      : nullptr;
            if (info != nullptr && info->mTrailEffect != 0 && mExplosionHandler != nullptr)
                mExplosionHandler->StartEffect(info->mTrailEffect, flying->GetPosition(),
                                               flying->mWeapon->GetRotation(), 0.0f);
        }
        ++j;
    }
}

void FlyingObjectHandler::RedirectAnimals(const Math::Vector<Float>& target)
{
    Util::TT800 random;
    random.Seed(GetPlaySeed());
    for (SInt32 i = 0; i < mAnimals.GetCount(); ++i) {
        FlyingAnimal* flying = mAnimals[i];
        const Math::Vector<Float>& p = flying->GetPosition();
        const Float dx = target.x - p.x;
        const Float dy = target.y - p.y;
        const Float dz = target.z - p.z;
        const Float length = std::sqrt(dx * dx + dy * dy + dz * dz);
        const Float speed = Float(400.0 + 600.0 * Double(random.Rand()) / 4294967295.0);
        // An animal already at the target has no way to go: it stands and keeps its heading.
        const Float inv = length > 0.0f ? 1.0f / length : 0.0f;
        flying->mVelocity = Math::Vector<Float>(dx * inv * speed, dy * inv * speed, dz * inv * speed,
                                                (target.w - p.w) * speed);
        flying->mIsStopped = false;
    }
}

FlyingAnimal* FlyingObjectHandler::SpawnAnimal(Animal* animal)
{
    if (animal == nullptr)
        return nullptr;
    animal->SetDepthOrder(kFlyingAnimalDepthOrder);
    FlyingAnimal* flying = new FlyingAnimal(animal);
    mAnimals.Add(flying);
    return flying;
}

FlyingWeapon* FlyingObjectHandler::SpawnWeapon(Weapon* weapon)
{
    if (weapon == nullptr)
        return nullptr;
    weapon->SetDepthOrder(kFlyingWeaponDepthOrder);
    FlyingWeapon* flying = new FlyingWeapon(weapon);
    mWeapons.Add(flying);
    return flying;
}

Animal* FlyingObjectHandler::TakeAnimal(FlyingAnimal* flying)
{
    for (SInt32 i = 0; i < mAnimals.GetCount(); ++i) {
        if (mAnimals[i] == flying) {
            Animal* animal = flying->mAnimal;
            mAnimals.RemoveAt(i);
            delete flying;
            if (animal != nullptr)
                animal->SetDepthOrder(Animal::DepthOrderBase);
            return animal;
        }
    }
    return nullptr;
}

Bool FlyingObjectHandler::RemoveAnimal(FlyingAnimal* flying)
{
    return RemoveFrom(mAnimals, flying);
}

Bool FlyingObjectHandler::RemoveWeapon(FlyingWeapon* flying)
{
    return RemoveFrom(mWeapons, flying);
}

FlyingAnimal* FlyingObjectHandler::GetAnimal(UInt32 index) const
{
    return index < UInt32(mAnimals.GetCount()) ? mAnimals[SInt32(index)] : nullptr;
}

FlyingWeapon* FlyingObjectHandler::GetWeapon(UInt32 index) const
{
    return index < UInt32(mWeapons.GetCount()) ? mWeapons[SInt32(index)] : nullptr;
}

} // namespace App
} // namespace Vorn
