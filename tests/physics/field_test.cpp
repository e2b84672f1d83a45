#include "physics/field.h"

#include <gtest/gtest.h>

#include "physics/body.h"
#include "tests/support/physics_world.h"

namespace Vorn {
namespace Physics {
namespace {

using Testing::Translated;
using Testing::TurnedAboutZ;

Math::Vector<float> Vec(Float x, Float y, Float z, Float w = 0.0f)
{
    return Math::Vector<float>(x, y, z, w);
}

// A body of the mass at the position, in trigger group 1.
struct PlacedBody
{
    PlacedBody(Float x, Float y, Float z, Float mass = 1.0f)
    {
        mBody.SetTriggerGroups(1);
        mBody.SetInverseMass(1.0f / mass);
        mBody.SetTransform(Translated(x, y, z));
        mBody.Init();
    }
    Math::Vector<float> Force() const { return mBody.GetForceAccumulator(); }
    Body mBody;
};

TEST(FieldTest, SphereFieldPushesAwayFromItsCentreByItsFactors)
{
    SphereField field(1);
    EXPECT_EQ(field.GetInfluenceGroups(), 0xFFFFFFFFu);
    field.SetTransform(Translated(1, 0, 0));
    field.SetFactors(2.0f, 4.0f, 8.0f);
    PlacedBody body(3, 0, 0);
    field.Apply(&body.mBody);
    // r = 2: 2 + 4 / 2 + 8 / 4, along +x; a force, not scaled by the mass.
    EXPECT_EQ(body.Force(), Vec(6, 0, 0));
    EXPECT_EQ(body.mBody.GetTorqueAccumulator(), Vec(0, 0, 0));
    PlacedBody atCentre(1, 0, 0);
    field.Apply(&atCentre.mBody);
    EXPECT_EQ(atCentre.Force(), Vec(0, 0, 0));
}

TEST(FieldTest, NegativeConstantPullsAndAccelerationScalesWithMass)
{
    SphereField field(0);
    field.SetFactors(-1.0f, 0.0f, 0.0f);
    PlacedBody light(0, 2, 0, 1.0f);
    PlacedBody heavy(0, 0, -5, 4.0f);
    field.Apply(&light.mBody);
    field.Apply(&heavy.mBody);
    EXPECT_EQ(light.Force(), Vec(0, -1, 0));
    EXPECT_EQ(heavy.Force(), Vec(0, 0, 4));
}

TEST(FieldTest, PlaneFieldActsAlongTheNodeYAxisWithDistanceFallOff)
{
    PlaneField field(1);
    field.SetTransform(TurnedAboutZ(0.0f, 0, 1, 0));
    field.SetFactors(1.0f, 0.0f, 0.0f);
    PlacedBody onPlane(5, 1, 0);
    field.Apply(&onPlane.mBody);
    EXPECT_EQ(onPlane.Force(), Vec(0, 1, 0));

    field.SetFactors(1.0f, 2.0f, 4.0f);
    PlacedBody above(0, 3, 0);
    field.Apply(&above.mBody);
    // s = 2: 2 / 2 + 1, then + 4 / 4.
    EXPECT_EQ(above.Force(), Vec(0, 3, 0));
    // The fall-off has no value on the plane: no force at all.
    PlacedBody exactlyOn(7, 1, 0);
    field.Apply(&exactlyOn.mBody);
    EXPECT_EQ(exactlyOn.Force(), Vec(0, 0, 0));
}

TEST(FieldTest, SkipsImmovableBodiesAndBodiesOutsideItsGroups)
{
    SphereField field(0);
    field.SetInfluenceGroups(2);
    PlacedBody outside(1, 0, 0);
    field.Apply(&outside.mBody);
    EXPECT_EQ(outside.Force(), Vec(0, 0, 0));
    field.SetInfluenceGroups(1);
    PlacedBody immovable(1, 0, 0);
    immovable.mBody.SetInverseMass(0.0f);
    field.Apply(&immovable.mBody);
    EXPECT_EQ(immovable.Force(), Vec(0, 0, 0));
}

} // namespace
} // namespace Physics
} // namespace Vorn
