#include "game/play/flying_object.h"

#include <gtest/gtest.h>

#include "game/play/animal.h"
#include "game/play/weapon.h"

namespace Vorn {
namespace App {
namespace {

TEST(FlyingObjectTest, ScaleWindowTellsArrival)
{
    struct Case
    {
        Float reference;
        Float s;
        Bool arrived;
    };
    const Case cases[] = {
        {0.5f, 1.0f, true},  {0.5f, 0.95f, true}, {0.5f, 0.7f, false}, {0.5f, 0.4f, true},  {0.5f, 1.2f, true},
        {2.0f, 1.5f, false}, {2.0f, 0.9f, false}, {2.0f, 0.8f, true},  {2.0f, 2.5f, true},  {1.0f, 0.95f, true},
        {1.0f, 0.9f, true},
    };
    Animal animal;
    FlyingAnimal flying(&animal);
    for (const Case& c : cases) {
        flying.mReferenceScale = c.reference;
        EXPECT_EQ(flying.CheckScaleWindow(c.s), c.arrived) << c.reference << " " << c.s;
    }
}

TEST(FlyingObjectTest, HandlerListsSpawnTakeAndStep)
{
    FlyingObjectHandler handler;
    Animal first;
    Animal second;
    Weapon weapon;
    EXPECT_EQ(handler.SpawnAnimal(nullptr), nullptr);
    FlyingAnimal* a = handler.SpawnAnimal(&first);
    FlyingAnimal* b = handler.SpawnAnimal(&second);
    FlyingWeapon* w = handler.SpawnWeapon(&weapon);
    EXPECT_EQ(handler.GetAnimalCount(), 2u);
    EXPECT_EQ(handler.GetWeapon(0), w);
    EXPECT_EQ(handler.GetWeapon(1), nullptr);
    EXPECT_EQ(w->GetRadius(), 35.0f);

    a->mVelocity = Math::Vector<Float>(60.0f, 0.0f, 0.0f, 0.0f);
    a->mDelay = 0.5f;
    a->mTimer = 1.0f;
    handler.Step(0.5); // the delay is used up: no move yet
    EXPECT_EQ(first.mPosition.x, 0.0f);
    EXPECT_EQ(a->mTimer, 0.5f);
    handler.Step(0.5);
    EXPECT_EQ(first.mPosition.x, 30.0f);
    EXPECT_FALSE(a->IsTimerRunning());
    b->mVelocity = Math::Vector<Float>(0.0f, -1.0f, 0.0f, 0.0f);
    b->mIsStopped = true;
    handler.Step(1.0);
    EXPECT_EQ(second.mPosition.y, 0.0f);
    b->mIsStopped = false;
    handler.Step(1.0);
    EXPECT_FLOAT_EQ(second.mHeading, Float(3.0 * Math::Pi / 2.0));

    EXPECT_EQ(handler.TakeAnimal(a), &first);
    EXPECT_EQ(handler.GetAnimalCount(), 1u);
    EXPECT_EQ(handler.GetAnimal(0), b);
    EXPECT_EQ(handler.TakeAnimal(a), nullptr);
    EXPECT_TRUE(handler.RemoveWeapon(w));
    EXPECT_FALSE(handler.RemoveWeapon(w));
    b->SetContact(1, &first);
    b->SetContact(2, &first);
    EXPECT_TRUE(b->HasContact());
    EXPECT_EQ(b->GetContact(2), nullptr);
    b->ClearContacts();
    EXPECT_FALSE(b->HasContact());
}

} // namespace
} // namespace App
} // namespace Vorn
