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
class ExplosionHandler;
class GameState;
class GraphPositionObject;
class ObstacleContainer;
class SoundContainer;
class Weapon;
class WeaponContainer;

class FlyingObject
{
public:
    explicit FlyingObject(GraphPositionObject* object);
    virtual ~FlyingObject() {}

    virtual Bool Init() { return true; }
    virtual Bool DeInit() { return true; }
    virtual Float GetRadius() const = 0;
    // Counts the delay down, else moves the object by its velocity and turns it to face its
    // direction of flight (a velocity without direction keeps the heading).
    virtual void Step(Double dt);
    // True once more than 100 units beyond the half screen plus the radius and still moving
    // outwards.
    virtual Bool HasLeftScreen(Float width, Float height);
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
    // Adds the distance flown to the trail distance, then the base step.
    void Step(Double dt) override;
    // A rhino with bounces left turns back at the screen edges, spending one per edge, and never
    // leaves; every other weapon as the base.
    Bool HasLeftScreen(Float width, Float height) override;
    void SetHeading(Float angle) override;

    Weapon* mWeapon;
    // The distance flown since the last trail effect; the first comes later than the others.
    Float mTrailDistance;
};

// The flying objects of a running level in two lists: steps them, tests them against the
// obstacles and gives finished ones back to their pools with an effect. The course model uses the
// lists, SpawnAnimal and TakeAnimal.
class FlyingObjectHandler : public Logic::IStepable
{
public:
    // Every reference may be null: without a game state the handler only moves its objects.
    FlyingObjectHandler(GameState* gameState = nullptr, AnimalContainer* animalContainer = nullptr,
                        WeaponContainer* weaponContainer = nullptr, ObstacleContainer* obstacleContainer = nullptr,
                        ExplosionHandler* explosionHandler = nullptr, SoundContainer* sounds = nullptr);
    ~FlyingObjectHandler() override;

    // False without the animal or the weapon container.
    Bool Init() const { return mAnimalContainer != nullptr && mWeaponContainer != nullptr; }
    // Destroys every flying object; the pools take their objects back themselves.
    Bool DeInit();
    void Reset() override;
    // Moves, tests and retires the flying objects.
    void Step(Double dt) override;
    // Sends every flying animal towards the target at a random speed; an animal at the target
    // stands.
    void RedirectAnimals(const Math::Vector<Float>& target);

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

    void StepAnimals(Double dt, Float width, Float height);
    void StepWeapons(Double dt, Float width, Float height);
    // The obstacle answer and the hit's sound or slow-down.
    Bool HitsObstacle(FlyingWeapon& flying);

    Array<FlyingAnimal*> mAnimals;
    Array<FlyingWeapon*> mWeapons;
    GameState* mGameState;
    AnimalContainer* mAnimalContainer;
    WeaponContainer* mWeaponContainer;
    ObstacleContainer* mObstacleContainer;
    ExplosionHandler* mExplosionHandler;
    SoundContainer* mSounds;
};

} // namespace App
} // namespace Vorn
