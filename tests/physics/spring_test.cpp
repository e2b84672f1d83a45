#include "physics/spring.h"

#include <gtest/gtest.h>

#include "physics/body.h"
#include "tests/support/physics_world.h"

namespace Vorn {
namespace Physics {
namespace {

using Testing::Translated;

Math::Vector<float> Vec(Float x, Float y, Float z, Float w = 0.0f)
{
    return Math::Vector<float>(x, y, z, w);
}

struct SpringBodies
{
    SpringBodies(Float x0, Float x1)
    {
        mMatrices[0] = Translated(x0, 0, 0);
        mMatrices[1] = Translated(x1, 0, 0);
        for (UInt32 i = 0; i < 2; ++i) {
            mBodies[i].SetTransform(mMatrices[i]);
            mBodies[i].SetTransformMatrix(&mMatrices[i]);
            mBodies[i].Init();
        }
    }
    Math::Matrix<float> mMatrices[2];
    Body mBodies[2];
};

TEST(SpringTest, ActsOnlyOutsideItsSlackRange)
{
    const struct
    {
        Float separation;
        Float expectedOnFirst;
    } cases[] = {
        {1.0f, 0.0f}, {2.0f, 0.0f}, {1.5f, 0.0f}, // inside [1, 2], bounds included
        {3.0f, 10.0f},                            // stretched by 1: pulled towards the second
        {0.5f, -5.0f},                            // compressed by 0.5: pushed away
    };
    for (const auto& c : cases) {
        SpringBodies bodies(0.0f, c.separation);
        Spring spring;
        spring.SetParameters(10.0f, 1.0f, 1.0f, 2.0f, true, false);
        spring.SetBody(0, &bodies.mBodies[0], Vec(0, 0, 0), true);
        spring.SetBody(1, &bodies.mBodies[1], Vec(0, 0, 0), true);
        ASSERT_TRUE(spring.Init());
        EXPECT_FLOAT_EQ(spring.GetLength(), c.separation);
        spring.Apply();
        EXPECT_FLOAT_EQ(bodies.mBodies[0].GetForceAccumulator().x, c.expectedOnFirst) << c.separation;
        EXPECT_FLOAT_EQ(bodies.mBodies[1].GetForceAccumulator().x, -c.expectedOnFirst) << c.separation;
    }
}

TEST(SpringTest, FreeEndsSitAtTheSpringPositionAndAttachmentsTurnWithTheBody)
{
    SpringBodies bodies(0.0f, 0.0f);
    Spring spring;
    spring.SetTransform(Translated(0, 4, 0));
    spring.SetParameters(1.0f, 0.0f, 0.0f, 0.0f, true, true);
    spring.SetBody(0, &bodies.mBodies[0], Vec(1, 0, 0), true);
    spring.Apply();
    // The anchor is one unit right of the centre; the pull up acts there and turns the body.
    EXPECT_EQ(spring.GetAnchor(0), Vec(1, 0, 0, 1));
    EXPECT_EQ(spring.GetAnchor(1), Vec(0, 4, 0, 1));
    // Rest length 0: the force is k times the whole offset (-1, 4).
    EXPECT_FLOAT_EQ(bodies.mBodies[0].GetForceAccumulator().x, -1.0f);
    EXPECT_FLOAT_EQ(bodies.mBodies[0].GetForceAccumulator().y, 4.0f);
    EXPECT_GT(bodies.mBodies[0].GetTorqueAccumulator().z, 0.0f);

    Spring loose;
    loose.SetParameters(1.0f, 0.0f, 0.0f, 0.0f, true, true);
    loose.SetTransform(Translated(0, 4, 0));
    loose.Apply();
    EXPECT_EQ(loose.GetLength(), 0.0f);
}

TEST(SpringTest, InfluenceAndForceFlagsChooseWhatEachEndReceives)
{
    SpringBodies bodies(0.0f, 3.0f);
    Spring spring;
    spring.SetParameters(1.0f, 0.0f, 1.0f, 1.0f, false, true);
    spring.SetBody(0, &bodies.mBodies[0], Vec(0, 1, 0), true);
    spring.SetBody(1, &bodies.mBodies[1], Vec(0, 0, 0), false);
    spring.Apply();
    EXPECT_EQ(bodies.mBodies[0].GetForceAccumulator(), Vec(0, 0, 0));
    EXPECT_NE(bodies.mBodies[0].GetTorqueAccumulator().z, 0.0f);
    EXPECT_EQ(bodies.mBodies[1].GetForceAccumulator(), Vec(0, 0, 0));
    EXPECT_EQ(bodies.mBodies[1].GetTorqueAccumulator(), Vec(0, 0, 0));
    spring.ClearBody(0);
    spring.ClearBody(7);
    bodies.mBodies[0].ClearAccumulators();
    spring.Apply();
    EXPECT_EQ(bodies.mBodies[0].GetTorqueAccumulator(), Vec(0, 0, 0));
}

} // namespace
} // namespace Physics
} // namespace Vorn
