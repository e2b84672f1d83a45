// Objects that move freely across the play field rather than along a course: shot and fly-in
// animals and fired weapons. A flying object drives the position of one pooled object with a
// velocity; the handler owns the objects of a running level in two lists. The course model tests
// them against its chains and takes animals out of the handler when they join a chain.
#pragma once

#include "foundation/array.h"
#include "foundation/types.h"
#include "foundation/vector.h"
#include "logic/stepable.h"

namespace Vorn {
namespace App {

class Animal;
class AnimalContainer;
class Course;
class GameState;
class GraphPositionObject;
class Weapon;

class FlyingObject
{
public:
    explicit FlyingObject(GraphPositionObject* object);
    virtual ~FlyingObject() {}

    virtual Float GetRadius() const = 0;
    // Counts the delay down, else moves the object by its velocity.
    virtual void Step(Double dt);
    virtual void SetHeading(Float) {}

    // Whether a path value s has reached the window around 1 (on the ellipse) as seen from the
    // reference scale the flight started at.
    Bool CheckScaleWindow(Float s) const;
    void ClearContacts();
    Bool HasContact() const { return mContacts[0] != nullptr || mContacts[1] != nullptr; }
    // Null for an index beyond the two.
    Animal* GetContact(UInt32 index) const { return index < 2 ? mContacts[index] : nullptr; }
    void SetContact(UInt32 index, Animal* animal)
    {
        if (index < 2)
            mContacts[index] = animal;
    }
    const Math::Vector<Float>& GetPosition() const;

    GraphPositionObject* mObject;
    Math::Vector<Float> mVelocity;
    Bool mIsStopped;
    Bool mIsFinished;
    Float mReferenceScale;
    Float mDelay;
    Course* mCourse;
    // The chain animals the object goes between while the course handles it.
    Animal* mContacts[2];
};

class FlyingAnimal : public FlyingObject
{
public:
    explicit FlyingAnimal(Animal* animal);

    Float GetRadius() const override;
    void Step(Double dt) override;
    void SetHeading(Float angle) override;
    Bool IsTimerRunning() const { return mTimer > 0.0f; }

    // While above 0 the course model does not catch the animal.
    Float mTimer;
    Animal* mAnimal;
};

class FlyingWeapon : public FlyingObject
{
public:
    explicit FlyingWeapon(Weapon* weapon);

    Float GetRadius() const override;

    Weapon* mWeapon;
};

// The two lists of a running level. The steps that move, test and retire the objects belong to
// the handler's owner; the course model uses the lists, SpawnAnimal and TakeAnimal.
class FlyingObjectHandler : public Logic::IStepable
{
public:
    FlyingObjectHandler();
    ~FlyingObjectHandler() override;

    // Destroys every flying object.
    void Reset() override;
    // Moves every object that is not stopped.
    void Step(Double dt) override;

    // A new flying animal for the animal, appended to the list; null for no animal.
    FlyingAnimal* SpawnAnimal(Animal* animal);
    FlyingWeapon* SpawnWeapon(Weapon* weapon);
    // Removes and destroys the flying animal and hands back its animal; null when not listed.
    Animal* TakeAnimal(FlyingAnimal* flying);
    // Removes and destroys the entry; false when it is not listed.
    Bool RemoveAnimal(FlyingAnimal* flying);
    Bool RemoveWeapon(FlyingWeapon* flying);

    UInt32 GetAnimalCount() const { return UInt32(mAnimals.GetCount()); }
    UInt32 GetWeaponCount() const { return UInt32(mWeapons.GetCount()); }
    // Null for an index beyond the count.
    FlyingAnimal* GetAnimal(UInt32 index) const;
    FlyingWeapon* GetWeapon(UInt32 index) const;

private:
    FlyingObjectHandler(const FlyingObjectHandler&) = delete;
    FlyingObjectHandler& operator=(const FlyingObjectHandler&) = delete;

    Array<FlyingAnimal*> mAnimals;
    Array<FlyingWeapon*> mWeapons;
};

} // namespace App
} // namespace Vorn
