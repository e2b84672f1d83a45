#include "input/touch_area.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <vector>

#include "input/screen_projection.h"

namespace Vorn {
namespace Input {
namespace {

typedef Math::Vector<float> V;

TEST(TouchAreaTest, RectanglesAndEllipsesHitOnTheirEdges)
{
    const Float nan = std::numeric_limits<Float>::quiet_NaN();
    struct Case
    {
        const char* name;
        Bool ellipse;
        Float sizeX, sizeY;
        V origin, direction;
        Bool hit;
        V point;
    };
    const V down(0, 0, -1, 0);
    const std::vector<Case> cases = {
        {"rectangle corner", false, 1, 1, V(0.5f, 0.5f, 1, 1), down, true, V(0.5f, 0.5f, 0, 1)},
        {"rectangle past the edge", false, 1, 1, V(0.51f, 0.5f, 1, 1), down, false, V(0.51f, 0.5f, 0, 1)},
        {"rectangle from below", false, 2, 4, V(0.5f, -2, -3, 1), V(0, 0, 2, 0), true, V(0.5f, -2, 0, 1)},
        {"slanted ray", false, 1, 1, V(1, 0, 1, 1), V(-1, 0, -1, 0), true, V(0, 0, 0, 1)},
        {"ellipse edge", true, 4, 2, V(0, 1, 1, 1), down, true, V(0, 2, 0, 1)},
        {"ellipse past the edge", true, 4, 2, V(0, 1.01f, 1, 1), down, false, V(0, 2.02f, 0, 1)},
        {"ellipse side", true, 4, 2, V(2, 0, 5, 1), down, true, V(2, 0, 0, 1)},
        // A ray along the plane never meets it, and a ray that is not a number hits nothing.
        {"parallel ray", false, 1, 1, V(0, 0, 0, 1), V(1, 0, 0, 0), false, V(0, 0, 0, 1)},
        {"parallel ray on an ellipse", true, 1, 1, V(0, 0, 0, 1), V(0, 1, 0, 0), false, V(0, 0, 0, 1)},
    };
    for (const Case& test : cases) {
        SCOPED_TRACE(test.name);
        RectangularTouchArea rectangle;
        EllipticTouchArea ellipse;
        TouchArea& area = test.ellipse ? static_cast<TouchArea&>(ellipse) : rectangle;
        dynamic_cast<IPlane&>(area).SetSize(test.sizeX, test.sizeY);
        V hit(0, 0, 0, 1);
        EXPECT_EQ(area.HitTest(test.origin, test.direction, hit), test.hit);
        EXPECT_FLOAT_EQ(hit.x, test.point.x);
        EXPECT_FLOAT_EQ(hit.y, test.point.y);
        EXPECT_FLOAT_EQ(hit.z, test.point.z);
        EXPECT_FLOAT_EQ(hit.w, test.point.w);
        V nanHit;
        EXPECT_FALSE(area.HitTest(V(nan, 0, 1, 1), down, nanHit));
        EXPECT_FALSE(area.HitTest(V(0, nan, 1, 1), down, nanHit));
    }
}

TEST(TouchAreaTest, DefaultsAndSizes)
{
    RectangularTouchArea rectangle;
    EXPECT_EQ(rectangle.GetTouchable(), nullptr);
    EXPECT_EQ(rectangle.GetButton(), 5u);
    EXPECT_TRUE(rectangle.IsEnabled());
    EXPECT_EQ(rectangle.GetSizeX(), 1.0f);
    EllipticTouchArea ellipse;
    ellipse.SetSize(4, 2);
    EXPECT_EQ(ellipse.GetSizeX(), 4.0f);
    EXPECT_EQ(ellipse.GetSizeY(), 2.0f);
}

TEST(ScreenProjectionTest, RaysOfBothProjections)
{
    PerspectiveScreenProjection perspective;
    OrthogonalScreenProjection orthogonal;
    EXPECT_EQ(perspective.GetDepth(), 0.0f);
    EXPECT_EQ(perspective.GetMatrix(), Math::Matrix<float>::Zero());

    perspective.SetMatrix(Math::Matrix<float>::Identity());
    perspective.SetDepth(1.0f);
    EXPECT_EQ(perspective.GetRayOrigin(0.3f, 0.4f), V(0, 0, 0, 1));
    EXPECT_EQ(perspective.GetRayDirection(0, 0), V(0, 0, -1, 0));
    const V slanted = perspective.GetRayDirection(1, 0);
    EXPECT_FLOAT_EQ(slanted.x, 1.0f / std::sqrt(2.0f));
    EXPECT_FLOAT_EQ(slanted.z, -1.0f / std::sqrt(2.0f));
    EXPECT_EQ(slanted.w, 0.0f);

    orthogonal.SetMatrix(Math::Matrix<float>::Identity());
    orthogonal.SetDepth(5.0f);
    EXPECT_EQ(orthogonal.GetRayOrigin(0.5f, -0.5f), V(0.5f, -0.5f, 0, 1));
    EXPECT_EQ(orthogonal.GetRayDirection(0.5f, -0.5f), V(0, 0, -1, 0));
    Math::Matrix<float> scaled = Math::Matrix<float>::Identity();
    scaled[0] = 640;
    scaled[5] = 400;
    scaled[14] = 10;
    orthogonal.SetMatrix(scaled);
    EXPECT_EQ(orthogonal.GetRayOrigin(0.5f, -0.5f), V(320, -200, 10, 1));
}

} // namespace
} // namespace Input
} // namespace Vorn
