#include "foundation/matrix.h"

#include "foundation/math.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>

using namespace Vorn;
using Matrix = Math::Matrix<float>;
using Vector = Math::Vector<float>;

namespace {

void ExpectElements(const Matrix& m, const Float (&expected)[16])
{
    for (UInt32 i = 0; i < 16; ++i)
        EXPECT_EQ(m[i], expected[i]) << "element " << i;
}

} // namespace

TEST(MatrixTest, StartsAsIdentityStoredByColumns)
{
    Matrix m;
    EXPECT_TRUE(m.IsIdentity());
    m.Set(1, 3, 7.0f);
    EXPECT_EQ(m[13], 7.0f);
    const Vector moved = m * Vector(1.0f, 2.0f, 3.0f, 1.0f);
    EXPECT_EQ(moved, Vector(1.0f, 9.0f, 3.0f, 1.0f));
}

TEST(MatrixTest, IsIdentityComparesEveryElementExactly)
{
    for (UInt32 i = 0; i < 16; ++i) {
        SCOPED_TRACE(i);
        Matrix m;
        if (i % 5 != 0) {
            m[i] = -0.0f;
            EXPECT_TRUE(m.IsIdentity());
        }
        m[i] = std::numeric_limits<Float>::quiet_NaN();
        EXPECT_FALSE(m.IsIdentity());
    }
    Matrix almost;
    almost[15] = 1.0000001f;
    EXPECT_FALSE(almost.IsIdentity());
}

TEST(MatrixTest, InvertOfIdentityIsIdentity)
{
    Matrix target = Matrix::Zero();
    EXPECT_EQ(&Matrix::Invert(Matrix(), target), &target);
    EXPECT_TRUE(target.IsIdentity());
}

TEST(MatrixTest, InvertRoundsEachStepToFloat)
{
    const Float source[16] = {2, 0.5f, -1, 0, 0.25f, 3, 0.75f, 0, 1.5f, -2, 0.1f, 0, 4, 5, 6, 1};
    // Gauss-Jordan with partial pivoting, every multiply-add rounded to float.
    const Float expected[16] = {0x1.92e2ap-3f,   0x1.b47582p-3f,  0x1.79b474p-2f,  0,
                                0x1.ec6a5p-4f,   0x1.7c80b2p-3f,  -0x1.87b1a8p-3f, 0,
                                -0x1.17c80cp-1f, 0x1.09cad8p-1f,  0x1.48be4p-1f,   0,
                                0x1.e4059cp+0f,  -0x1.395aeep+2f, -0x1.17c80cp+2f, 1};
    Matrix inverse;
    Matrix::Invert(Matrix(source), inverse);
    ExpectElements(inverse, expected);

    const Matrix product = Matrix(source) * inverse;
    for (UInt32 i = 0; i < 16; ++i)
        EXPECT_NEAR(product[i], (i % 5 == 0) ? 1.0f : 0.0f, 1e-6f) << i;

    // In place gives the same.
    Matrix same(source);
    Matrix::Invert(same, same);
    ExpectElements(same, expected);
}

TEST(MatrixTest, InvertStopsAtASingularColumnWithThePartialResult)
{
    // Column 1 is zero: column 0 is reduced, then the elimination stops.
    const Float source[16] = {2, 0, 0, 0, 0, 0, 0, 0, 0, 0, 4, 0, 0, 0, 0, 1};
    const Float expected[16] = {0.5f, 0, 0, 0, 0, 1, 0, 0, 0, 0, 1, 0, 0, 0, 0, 1};
    Matrix target = Matrix::Zero();
    Matrix::Invert(Matrix(source), target);
    ExpectElements(target, expected);
}

TEST(MatrixTest, TransposeSwapsRowsAndColumnsAlsoInPlace)
{
    Float elements[16];
    for (UInt32 i = 0; i < 16; ++i)
        elements[i] = Float(i);
    Matrix m(elements);
    Matrix t;
    Matrix::Transpose(m, t);
    for (UInt32 j = 0; j < 4; ++j)
        for (UInt32 k = 0; k < 4; ++k)
            EXPECT_EQ(t[4 * j + k], m[4 * k + j]);
    Matrix::Transpose(m, m);
    EXPECT_EQ(m, t);
}

TEST(MatrixTest, SetRotationZKeepsTranslationAndLastRow)
{
    Float elements[16];
    for (UInt32 i = 0; i < 16; ++i)
        elements[i] = Float(i + 100);
    Matrix m(elements);
    m.SetRotationZ(1.0f);
    const Float s = Math::Sin(1.0f);
    const Float c = Math::Cos(1.0f);
    const Float expected[16] = {c, s, 0, 103, -s, c, 0, 107, 0, 0, 1, 111, 112, 113, 114, 115};
    ExpectElements(m, expected);
}

TEST(MatrixTest, SetRotationAppliesXThenYThenZ)
{
    Float elements[16];
    for (UInt32 i = 0; i < 16; ++i)
        elements[i] = Float(i + 100);
    Matrix m(elements);
    m.SetRotation(0.3f, -1.1f, 2.0f);
    // Each product rounded to float as formed.
    const Float expected[16] = {-0x1.827b64p-3f, 0x1.a651fcp-2f,  0x1.c84fa8p-1f,  103,
                                -0x1.84a57p-1f,  -0x1.462b44p-1f, 0x1.1292b6p-3f,  107,
                                0x1.3f00a4p-1f,  -0x1.4d6ba2p-1f, 0x1.bbad32p-2f,  111,
                                112,             113,             114,             115};
    ExpectElements(m, expected);

    // Z alone is the Z rotation.
    Matrix onlyZ;
    onlyZ.SetRotation(0.0f, 0.0f, 0.7f);
    Matrix z;
    z.SetRotationZ(0.7f);
    EXPECT_EQ(onlyZ, z);
}

TEST(MatrixTest, FrustumPlanesAndConeOfAPerspectiveProjection)
{
    // 60 degrees vertical, aspect 4:3, near 1, far 100.
    Matrix projection = Matrix::Zero();
    projection[0] = 0x1.4c8dc2p+0f;
    projection[5] = 0x1.bb67aep+0f;
    projection[10] = -0x1.052bf6p+0f;
    projection[11] = -1.0f;
    projection[14] = -0x1.0295fap+1f;

    Vector planes[6];
    projection.GetFrustumPlanes(planes);
    const Vector expected[6] = {
        {0x1.95b636p-1f, 0, -0x1.38512cp-1f, 0},  // left
        {-0x1.95b636p-1f, 0, -0x1.38512cp-1f, 0}, // right
        {0, -0x1.bb67aep-1f, -0.5f, 0},           // top
        {0, 0x1.bb67aep-1f, -0.5f, 0},            // bottom
        {0, 0, -1.0f, -0x1.fffffcp-1f},           // near
        {0, 0, 1.0f, 0x1.8fffe4p+6f},             // far
    };
    for (UInt32 i = 0; i < 6; ++i)
        EXPECT_EQ(planes[i], expected[i]) << "plane " << i;

    Float angles[4];
    Matrix::GetProjectionAngles(planes, angles);
    EXPECT_EQ(angles[0], 0x1.884678p-1f);
    EXPECT_EQ(angles[1], 0x1.6307d2p-1f);
    EXPECT_EQ(angles[2], 0x1.70e9e8p-1f);
    EXPECT_EQ(angles[3], 0x1.ecac18p-1f);
    EXPECT_EQ(angles[1], Math::Sin(angles[0]));
    EXPECT_EQ(angles[2], Math::Cos(angles[0]));
}

TEST(MatrixTest, ProductComposesTransforms)
{
    Matrix translate;
    translate.SetTranslation(1.0f, 2.0f, 3.0f);
    Matrix rotate;
    rotate.SetRotationZ(Float(Math::Pi / 2));
    // Rotate first, then translate.
    const Vector p = (translate * rotate) * Vector(1.0f, 0.0f, 0.0f, 1.0f);
    EXPECT_NEAR(p.x, 1.0f, 1e-6f);
    EXPECT_NEAR(p.y, 3.0f, 1e-6f);
    EXPECT_EQ(p.z, 3.0f);
    EXPECT_EQ(p.w, 1.0f);
}
