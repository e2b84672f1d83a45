#include <gtest/gtest.h>

#include "graph/scale_factor_stack.h"
#include "graph/transform_stack.h"

namespace Vorn {
namespace Graph {
namespace {

typedef Math::Matrix<float> Matrix;
typedef Math::Vector<float> Vector;

Matrix Translation(float x, float y, float z)
{
    Matrix m;
    m.SetTranslation(x, y, z);
    return m;
}

Matrix Scaling(float x, float y, float z)
{
    Matrix m;
    m[0] = x;
    m[5] = y;
    m[10] = z;
    return m;
}

// A matrix whose products show any mix-up of rows, columns or order.
Matrix Dense(float seed)
{
    Matrix m;
    for (UInt32 i = 0; i < 16; ++i)
        m[i] = seed + float(i) * 0.25f - float(i % 3);
    return m;
}

TEST(TransformStackTest, QueryAfterClearGivesIdentity)
{
    TransformStack stack;
    stack.Clear();
    EXPECT_EQ(stack.GetFull(), Matrix::Identity());
    EXPECT_EQ(stack.GetRelative(), Matrix::Identity());

    ScaleFactorStack scales;
    scales.Clear();
    EXPECT_EQ(scales.GetFull(), Vector(1.0f, 1.0f, 1.0f, 0.0f));
    EXPECT_EQ(scales.GetRelative(), Vector(1.0f, 1.0f, 1.0f, 0.0f));
}

TEST(TransformStackTest, NeverClearedStackGivesIdentity)
{
    TransformStack stack;
    EXPECT_EQ(stack.GetFull(), Matrix::Identity());
}

TEST(TransformStackTest, ProductIsParentTimesLocal)
{
    const Matrix move = Translation(1.0f, 2.0f, 3.0f);
    const Matrix scale = Scaling(2.0f, 2.0f, 2.0f);
    TransformStack stack;
    stack.Clear();
    stack.PushRelative(move);
    stack.PushRelative(scale);
    // The parent's translation is not scaled; the child's scale is.
    const Matrix& full = stack.GetFull();
    EXPECT_EQ(full[0], 2.0f);
    EXPECT_EQ(full[12], 1.0f);
    EXPECT_EQ(full[13], 2.0f);
    EXPECT_EQ(full[14], 3.0f);
}

TEST(TransformStackTest, AbsolutePushStartsTheRelativeProduct)
{
    const Matrix base = Dense(1.0f);
    const Matrix first = Dense(-2.0f);
    const Matrix second = Dense(0.5f);
    TransformStack stack;
    stack.Clear();
    stack.PushRelative(Dense(7.0f));
    stack.PushAbsolute(base);
    EXPECT_EQ(stack.GetRelative(), Matrix::Identity());
    stack.PushRelative(first);
    stack.PushRelative(second);

    Matrix expectedFull;
    MatrixProduct::Multiply(base, first, expectedFull);
    MatrixProduct::Multiply(expectedFull, second, expectedFull);
    Matrix expectedRelative;
    MatrixProduct::Multiply(first, second, expectedRelative);
    EXPECT_EQ(stack.GetFull(), expectedFull);
    EXPECT_EQ(stack.GetRelative(), expectedRelative);
}

TEST(TransformStackTest, ElementSumsArePairedInSinglePrecision)
{
    // Row 0 of a is (1e8, 1, -1e8, 1); column 0 of b is ones: left-to-right summing would give 1,
    // pairing gives (1e8 + 1) + (-1e8 + 1) = 0 in float.
    Matrix a = Matrix::Zero();
    a[0] = 1e8f;
    a[4] = 1.0f;
    a[8] = -1e8f;
    a[12] = 1.0f;
    Matrix b = Matrix::Zero();
    b[0] = b[1] = b[2] = b[3] = 1.0f;
    Matrix product;
    MatrixProduct::Multiply(a, b, product);
    EXPECT_EQ(product[0], 0.0f);
}

TEST(TransformStackTest, PopReturnsCachedParentWithoutNewProduct)
{
    const Matrix m = Translation(5.0f, 0.0f, 0.0f);
    const Matrix l = Scaling(3.0f, 3.0f, 3.0f);
    TransformStack stack;
    stack.Clear();
    stack.PushAbsolute(m);
    stack.PushRelative(l);
    Matrix expected;
    MatrixProduct::Multiply(m, l, expected);
    EXPECT_EQ(stack.GetFull(), expected);
    EXPECT_EQ(stack.GetRelative(), l);

    const SInt32 entries = stack.GetNumberOfEntriesInUse();
    stack.Pop();
    EXPECT_EQ(stack.GetFull(), m);
    EXPECT_EQ(stack.GetNumberOfEntriesInUse(), entries);
}

TEST(TransformStackTest, RepeatedQueriesMultiplyOnce)
{
    const Matrix a = Dense(1.0f);
    const Matrix b = Dense(2.0f);
    TransformStack stack;
    stack.Clear();
    stack.PushRelative(a);
    stack.PushRelative(b);
    stack.GetFull();
    const SInt32 entries = stack.GetNumberOfEntriesInUse();
    EXPECT_EQ(entries, 3);
    stack.GetFull();
    stack.GetRelative();
    EXPECT_EQ(stack.GetNumberOfEntriesInUse(), entries);

    // Only the levels above the last cached one are multiplied.
    const Matrix c = Dense(3.0f);
    stack.PushRelative(c);
    stack.GetFull();
    EXPECT_EQ(stack.GetNumberOfEntriesInUse(), entries + 1);
}

TEST(TransformStackTest, SiblingSeesItsOwnValueAfterPopAndPush)
{
    const Matrix first = Translation(1.0f, 0.0f, 0.0f);
    const Matrix second = Translation(0.0f, 4.0f, 0.0f);
    TransformStack stack;
    stack.Clear();
    stack.PushRelative(first);
    EXPECT_EQ(stack.GetFull(), first);
    stack.Pop();
    stack.PushRelative(second);
    EXPECT_EQ(stack.GetFull(), second);
}

TEST(TransformStackTest, StorageIsReusedAfterClear)
{
    const Matrix a = Dense(1.0f);
    TransformStack stack;
    for (int pass = 0; pass < 3; ++pass) {
        stack.Clear();
        for (int i = 0; i < 20; ++i)
            stack.PushRelative(a);
        stack.GetFull();
        EXPECT_EQ(stack.GetNumberOfEntriesInUse(), 21);
        EXPECT_EQ(stack.GetDepth(), 21);
    }
}

TEST(TransformStackTest, RelativePushOnEmptyStackStandsAlone)
{
    const Matrix a = Dense(1.0f);
    TransformStack stack;
    stack.Clear();
    stack.Pop();
    stack.PushRelative(a);
    EXPECT_EQ(stack.GetFull(), a);
    EXPECT_EQ(stack.GetRelative(), a);
}

TEST(ScaleFactorStackTest, MultipliesComponentwiseWithZeroW)
{
    const Vector first(2.0f, 3.0f, 4.0f, 1.0f);
    const Vector second(0.5f, 0.5f, 0.5f, 1.0f);
    ScaleFactorStack stack;
    stack.Clear();
    stack.PushRelative(first);
    stack.PushRelative(second);
    EXPECT_EQ(stack.GetFull(), Vector(1.0f, 1.5f, 2.0f, 0.0f));
    EXPECT_EQ(stack.GetRelative(), Vector(1.0f, 1.5f, 2.0f, 0.0f));
    stack.Pop();
    EXPECT_EQ(stack.GetFull(), Vector(2.0f, 3.0f, 4.0f, 0.0f));
}

TEST(ScaleFactorStackTest, AbsolutePushReplacesTheAccumulatedScale)
{
    const Vector outer(4.0f, 4.0f, 4.0f, 0.0f);
    const Vector absolute(3.0f, 2.0f, 1.0f, 0.0f);
    const Vector inner(2.0f, 2.0f, 2.0f, 0.0f);
    ScaleFactorStack stack;
    stack.Clear();
    stack.PushRelative(outer);
    stack.PushAbsolute(absolute);
    stack.PushRelative(inner);
    EXPECT_EQ(stack.GetFull(), Vector(6.0f, 4.0f, 2.0f, 0.0f));
    EXPECT_EQ(stack.GetRelative(), Vector(2.0f, 2.0f, 2.0f, 0.0f));
}

} // namespace
} // namespace Graph
} // namespace Vorn
