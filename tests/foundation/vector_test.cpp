#include "foundation/vector.h"

#include "foundation/box.h"

#include <gtest/gtest.h>

using namespace Vorn;
using Vector = Math::Vector<float>;

TEST(VectorTest, SumsAndProductsGoComponentWise)
{
    const Vector a(1, 2, 3, 1);
    const Vector b(4, -5, 6, 0);
    EXPECT_EQ(a + b, Vector(5, -3, 9, 1));
    EXPECT_EQ(a - b, Vector(-3, 7, -3, 1));
    EXPECT_EQ(a * b, Vector(4, -10, 18, 0));
    EXPECT_EQ(a * 2.0f, Vector(2, 4, 6, 2));
}

TEST(VectorTest, DotAndCrossIgnoreW)
{
    const Vector x(1, 0, 0, 5);
    const Vector y(0, 1, 0, 7);
    EXPECT_EQ(x.Dot(y), 0.0f);
    EXPECT_EQ(Vector(1, 2, 3, 9).Dot(Vector(4, 5, 6, 9)), 32.0f);
    EXPECT_EQ(x.Cross(y), Vector(0, 0, 1, 0));
    EXPECT_EQ(y.Cross(x), Vector(0, 0, -1, 0));
}

TEST(VectorTest, BoxCornersStartAsOrigin)
{
    const Math::Box<float> box;
    EXPECT_EQ(box.mMin, Vector(0, 0, 0, 1));
    EXPECT_EQ(box.mMax, Vector(0, 0, 0, 1));
}
