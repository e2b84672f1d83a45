#include "game/play/ellipse.h"

#include "foundation/math.h"
#include "game/play/animal.h"

#include <gtest/gtest.h>

#include <cmath>

namespace Vorn {
namespace App {
namespace {

Ellipsis MakeCircle(Float radius)
{
    Ellipsis ellipse;
    ellipse.SetRadiusA(radius);
    ellipse.SetRadiusB(radius);
    return ellipse;
}

Float SquaredChord(const Ellipsis& ellipse, Double t0, Double t1)
{
    const Double dx = ellipse.GetRadiusA() * (std::cos(t0) - std::cos(t1));
    const Double dy = ellipse.GetRadiusB() * (std::sin(t0) - std::sin(t1));
    return Float(dx * dx + dy * dy);
}

TEST(EllipsisTest, FindsTheChordOfAGivenLength)
{
    const Ellipsis circle = MakeCircle(100.0f);
    const Double forward = circle.FindParameterAtDistance(100.0f, true, 0.0);
    EXPECT_NEAR(forward, Math::Pi / 3.0, 1e-3);
    EXPECT_LT(std::fabs(SquaredChord(circle, 0.0, forward) - 10000.0f), 0.05f);
    const Double backward = circle.FindParameterAtDistance(100.0f, false, 1.0);
    EXPECT_NEAR(backward, 1.0 - Math::Pi / 3.0, 1e-3);
}

TEST(EllipsisTest, ToleranceFollowsTheDistance)
{
    // Each distance must be met within its own tolerance on the squared distance.
    struct Case {
        Float distance;
        Float tolerance;
    };
    const Case cases[] = {{0.05f, 0.0005f}, {0.1f, 0.0005f}, {0.5f, 0.005f}, {1.0f, 0.005f}, {1.01f, 0.05f}, {60.0f, 0.05f}};
    Ellipsis ellipse = MakeCircle(300.0f);
    ellipse.SetRadiusB(200.0f);
    for (const Case& c : cases) {
        const Double t = ellipse.FindParameterAtDistance(c.distance, true, 0.5);
        EXPECT_GT(t, 0.5) << c.distance;
        EXPECT_LT(std::fabs(SquaredChord(ellipse, 0.5, t) - c.distance * c.distance), c.tolerance) << c.distance;
    }
}

TEST(EllipsisTest, DistanceBeyondTheDiameterEndsNearHalfATurn)
{
    const Ellipsis circle = MakeCircle(10.0f);
    EXPECT_NEAR(circle.FindParameterAtDistance(50.0f, true, 0.0), Math::Pi, 1e-6);
    EXPECT_NEAR(circle.FindParameterAtDistance(50.0f, false, 0.0), -Math::Pi, 1e-6);
}

TEST(EllipsisTest, ArcLengthIsATenChordPolygon)
{
    const Ellipsis circle = MakeCircle(1.0f);
    EXPECT_NEAR(circle.GetArcLength(0.0f, Float(Math::TwoPi)), 20.0 * std::sin(Math::Pi / 10.0), 1e-3);
    EXPECT_FLOAT_EQ(circle.GetArcLength(1.0f, 1.0f), 0.0f);
}

TEST(EllipsisTest, SetParameterMarksOnlyAChangeButAlwaysAims)
{
    const Ellipsis circle = MakeCircle(50.0f);
    Animal animal;
    animal.mDirty = false;
    circle.SetParameter(animal, Math::Pi / 2.0);
    EXPECT_TRUE(animal.mDirty);
    EXPECT_NEAR(animal.mHeading, Math::Pi / 2.0, 1e-5);

    animal.mDirty = false;
    animal.mHeading = 0.0f;
    circle.SetParameter(animal, Math::Pi / 2.0);
    EXPECT_NEAR(animal.mHeading, Math::Pi / 2.0, 1e-5);
    EXPECT_DOUBLE_EQ(animal.mPathPosition, Math::Pi / 2.0);

    // Below the x axis the angle stays in [0, 2 pi).
    circle.SetParameter(animal, -Math::Pi / 2.0);
    EXPECT_NEAR(animal.mHeading, 3.0 * Math::Pi / 2.0, 1e-5);
}

TEST(EllipsisTest, MoveByAndPlaceBehindSpaceByChord)
{
    const Ellipsis circle = MakeCircle(100.0f);
    Animal animal;
    animal.mPathPosition = 0.0;
    circle.MoveBy(animal, 0.0f);
    EXPECT_EQ(animal.mPathPosition, 0.0);
    circle.MoveBy(animal, 100.0f);
    EXPECT_NEAR(animal.mPathPosition, Math::Pi / 3.0, 1e-3);
    circle.MoveBy(animal, -100.0f);
    EXPECT_NEAR(animal.mPathPosition, 0.0, 1e-3);

    Animal reference;
    reference.mPathPosition = 1.0;
    reference.mRadius = 50.0f;
    animal.mRadius = 50.0f;
    circle.PlaceBehind(reference, animal, false);
    EXPECT_NEAR(animal.mPathPosition, 1.0 - Math::Pi / 3.0, 1e-3);
}

TEST(EllipsisTest, PlaceOnEllipseUsesRotationAndCentre)
{
    Ellipsis ellipse;
    ellipse.SetRadiusA(200.0f);
    ellipse.SetRadiusB(100.0f);
    ellipse.SetRotation(Float(Math::Pi / 2.0));
    ellipse.SetCentre(10.0f, 20.0f);
    Animal animal;
    animal.mPathPosition = 0.0;
    ellipse.PlaceOnEllipse(animal);
    EXPECT_NEAR(animal.mPosition.x, 10.0f, 0.05f);
    EXPECT_NEAR(animal.mPosition.y, 220.0f, 0.05f);
}

TEST(EllipsisTest, EllipseValueIsZeroAtTheCentreAndOneOnThePath)
{
    Ellipsis ellipse;
    ellipse.SetRadiusA(300.0f);
    ellipse.SetRadiusB(120.0f);
    ellipse.SetRotation(0.7f);
    ellipse.SetCentre(-40.0f, 15.0f);
    EXPECT_FLOAT_EQ(ellipse.GetEllipseValue(ellipse.GetCentre()), 0.0f);
    for (Float t : {0.0f, 1.0f, 2.5f, 4.0f, 5.9f}) {
        Math::Vector<Float> point(0.0f, 0.0f, 0.0f, 1.0f);
        ellipse.GetPoint(t, point.x, point.y);
        EXPECT_NEAR(ellipse.GetEllipseValue(point), 1.0f, 1e-3f) << t;
    }
}

TEST(EllipsisTest, IsAheadFollowsTheTravelDirection)
{
    const Ellipsis circle = MakeCircle(100.0f);
    // On a circle travelling counter-clockwise, a point further along is ahead, one behind is not.
    for (Double t : {0.3, 2.0, 3.5, 5.0}) {
        Animal animal;
        circle.SetParameter(animal, t);
        circle.PlaceOnEllipse(animal);
        Math::Vector<Float> ahead(Float(100.0 * std::cos(t + 0.2)), Float(100.0 * std::sin(t + 0.2)), 0.0f, 1.0f);
        Math::Vector<Float> behind(Float(100.0 * std::cos(t - 0.2)), Float(100.0 * std::sin(t - 0.2)), 0.0f, 1.0f);
        EXPECT_TRUE(circle.IsAhead(ahead, animal)) << t;
        EXPECT_FALSE(circle.IsAhead(behind, animal)) << t;
    }
}

TEST(EllipsisTest, AxisPointSlidesAlongTheMajorAxis)
{
    Ellipsis ellipse;
    ellipse.SetRadiusA(50.0f);
    ellipse.SetRadiusB(30.0f);
    Math::Vector<Float> result;
    // Focal distance 40: phase 0 gives half of it, on the side of the point.
    ellipse.GetAxisPointNear(0.0f, Math::Vector<Float>(100.0f, 0.0f, 0.0f, 1.0f), result);
    EXPECT_EQ(result, Math::Vector<Float>(20.0f, 0.0f, 0.0f, 1.0f));
    ellipse.GetAxisPointNear(0.0f, Math::Vector<Float>(-100.0f, 5.0f, 0.0f, 1.0f), result);
    EXPECT_EQ(result, Math::Vector<Float>(-20.0f, 0.0f, 0.0f, 1.0f));
    // An upright ellipse uses its y axis; a tie takes the minus side.
    ellipse.SetRadiusA(30.0f);
    ellipse.SetRadiusB(50.0f);
    ellipse.GetAxisPointNear(Float(Math::Pi / 2.0), Math::Vector<Float>(0.0f, 0.0f, 0.0f, 1.0f), result);
    EXPECT_EQ(result, Math::Vector<Float>(0.0f, -20.0f, 0.0f, 1.0f));

    const Ellipsis circle = MakeCircle(40.0f);
    circle.GetAxisPointNear(0.0f, Math::Vector<Float>(100.0f, 0.0f, 0.0f, 1.0f), result);
    EXPECT_EQ(result, Math::Vector<Float>(0.0f, 0.0f, 0.0f, 1.0f));
}

} // namespace
} // namespace App
} // namespace Vorn
