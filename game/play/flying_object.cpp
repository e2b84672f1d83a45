#include "game/play/flying_object.h"

#include <cmath>

#include "game/graph_position_object.h"
#include "game/play/animal.h"
#include "game/play/weapon.h"

namespace Vorn {
namespace App {

namespace {

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

FlyingWeapon::FlyingWeapon(Weapon* weapon) : FlyingObject(weapon), mWeapon(weapon) {}

Float FlyingWeapon::GetRadius() const
{
    return mWeapon != nullptr ? mWeapon->GetRadius() : 0.0f;
}

FlyingObjectHandler::FlyingObjectHandler() {}

FlyingObjectHandler::~FlyingObjectHandler()
{
    Reset();
}

void FlyingObjectHandler::Reset()
{
    DestroyAll(mAnimals);
    DestroyAll(mWeapons);
}

void FlyingObjectHandler::Step(Double dt)
{
    for (SInt32 i = 0; i < mAnimals.GetCount(); ++i)
        mAnimals[i]->Step(dt);
    for (SInt32 i = 0; i < mWeapons.GetCount(); ++i)
        mWeapons[i]->Step(dt);
}

FlyingAnimal* FlyingObjectHandler::SpawnAnimal(Animal* animal)
{
    if (animal == nullptr)
        return nullptr;
    animal->SetDepthOrder(401000);
    FlyingAnimal* flying = new FlyingAnimal(animal);
    mAnimals.Add(flying);
    return flying;
}

FlyingWeapon* FlyingObjectHandler::SpawnWeapon(Weapon* weapon)
{
    if (weapon == nullptr)
        return nullptr;
    weapon->SetDepthOrder(405000);
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
