#include "graph/physics/field.h"

#include <gtest/gtest.h>

#include <string>

#include "tests/support/physics_scene_fixture.h"

namespace Vorn {
namespace Graph {
namespace {

using Testing::FakeField;

class FieldNodeTest : public Testing::PhysicsSceneFixture
{
};

TEST_F(FieldNodeTest, MakesItsFieldFromTheAttributesAndAddsItEveryStep)
{
    Field* defaults = dynamic_cast<Field*>(Scene("<Field/><Field type='FORCE' shape='PLANE' constantFactor='2' "
                                                 "linearFactor='3' quadraticFactor='4' influenceGroups='1,2' "
                                                 "posY='7'/>")
                                               ->GetChild(0));
    ASSERT_NE(defaults, nullptr);
    Field* field = dynamic_cast<Field*>(mTop->GetChild(0)->GetChild(1));
    FakeField* fakeDefaults = dynamic_cast<FakeField*>(defaults->GetFieldObject());
    FakeField* fake = dynamic_cast<FakeField*>(field->GetFieldObject());
    ASSERT_NE(fake, nullptr);
    EXPECT_EQ(fakeDefaults->mForceMode, 0u);
    EXPECT_EQ(fakeDefaults->mShape, 1u);
    EXPECT_EQ(fakeDefaults->mInfluenceGroups, 0xFFFFFFFFu);
    EXPECT_EQ(fakeDefaults->mFactors[0], 1.0f);
    EXPECT_EQ(fakeDefaults->mFactors[1], 0.0f);
    EXPECT_EQ(fake->mForceMode, 1u);
    EXPECT_EQ(fake->mShape, 0u);
    EXPECT_EQ(fake->mInfluenceGroups, 6u);
    EXPECT_EQ(fake->mFactors[0], 2.0f);
    EXPECT_EQ(fake->mFactors[1], 3.0f);
    EXPECT_EQ(fake->mFactors[2], 4.0f);
    for (UInt32 step = 0; step < 2; ++step) {
        ASSERT_TRUE(Traverse());
        ASSERT_EQ(mPhysics.mFields.size(), 2u);
        EXPECT_EQ(mPhysics.mFields[1], fake);
    }
}

TEST_F(FieldNodeTest, UnknownShapeFailsInitWithOneLine)
{
    const std::string log = InitLog("<Field id='f' shape='CUBE'/>");
    EXPECT_EQ(log.substr(0, log.find('\n')), "Graph::Field::InitSelf(f): Failed to create field object of shape 2");
}

} // namespace
} // namespace Graph
} // namespace Vorn
