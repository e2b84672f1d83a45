#include <gtest/gtest.h>

#include <cmath>

#include "graph/culler.h"

namespace Vorn {
namespace Graph {
namespace {

typedef Math::Matrix<float> Matrix;
typedef Math::Vector<float> Vector;

// A cone of half-angle 45 degrees: angle, sine, cosine, tangent.
const Float kConeOf45[4] = {0.785398f, 0.707107f, 0.707107f, 1.0f};

struct CullCase
{
    const char* name;
    Vector centre;
    Float radius;
    Vector scale;
    Bool culled;
};

TEST(FrustumCullerTest, TestsSpheresAgainstTheCone)
{
    const Vector unit(1.0f, 1.0f, 1.0f, 0.0f);
    const CullCase cases[] = {
        {"straight ahead", Vector(0, 0, -10, 1), 1.0f, unit, false},
        {"far to the side", Vector(20, 0, -10, 1), 1.0f, unit, true},
        {"centre outside, radius reaching in", Vector(11, 0, -10, 1), 1.0f, unit, false},
        {"just out of reach", Vector(13, 0, -10, 1), 1.0f, unit, true},
        {"largest scale component enlarges the radius", Vector(13, 0, -10, 1), 1.0f, Vector(1, 3, 1, 0), false},
        {"entirely behind the eye", Vector(0, 0, 5, 1), 1.0f, unit, true},
        {"straddling the eye plane", Vector(0, 0, 0.5f, 1), 1.0f, unit, false},
        {"behind, holding the eye", Vector(0, 0, 0.9f, 1), 1.0f, unit, false},
        {"behind, beside the eye", Vector(3, 0, 0.9f, 1), 1.0f, unit, true},
    };
    FrustumCuller culler;
    culler.SetViewMatrix(Matrix::Identity());
    culler.SetParameters(kConeOf45);
    for (const CullCase& c : cases)
        EXPECT_EQ(culler.IsCulled(c.centre, c.radius, Matrix::Identity(), c.scale), c.culled) << c.name;
}

TEST(FrustumCullerTest, BehindTheEyeIsCulledWhateverTheParameters)
{
    const Float wide[4] = {3.0f, 1.0f, 0.001f, 1000.0f};
    FrustumCuller culler;
    culler.SetParameters(wide);
    EXPECT_TRUE(culler.IsCulled(Vector(0, 0, 2.5f, 1), 2.0f, Matrix::Identity(), Vector(1, 1, 1, 0)));
}

TEST(FrustumCullerTest, PlacesTheSphereByWorldThenView)
{
    Matrix world;
    world.SetTranslation(0.0f, 0.0f, -10.0f);
    Matrix view;
    FrustumCuller culler;
    culler.SetParameters(kConeOf45);
    culler.SetViewMatrix(view);
    EXPECT_FALSE(culler.IsCulled(Vector(0, 0, 0, 1), 1.0f, world, Vector(1, 1, 1, 0)));

    // The camera moved 20 to the right: the sphere is now far to its left.
    view.SetTranslation(-20.0f, 0.0f, 0.0f);
    culler.SetViewMatrix(view);
    EXPECT_TRUE(culler.IsCulled(Vector(0, 0, 0, 1), 1.0f, world, Vector(1, 1, 1, 0)));
    EXPECT_EQ(culler.GetViewMatrix(), view);
}

TEST(FrustumCullerTest, WithoutParametersNothingIsCulled)
{
    FrustumCuller culler;
    EXPECT_FALSE(culler.IsCulled(Vector(0, 0, 50, 1), 1.0f, Matrix::Identity(), Vector(1, 1, 1, 0)));
}

} // namespace
} // namespace Graph
} // namespace Vorn
