#include "foundation/matrix.h"

#include "foundation/math.h"

#include <cmath>

namespace Vorn {
namespace Math {

template <typename T>
Matrix<T>::Matrix()
{
    SetIdentity();
}

template <typename T>
Matrix<T>::Matrix(const T elements[16])
{
    for (UInt32 i = 0; i < 16; ++i)
        mElements[i] = elements[i];
}

template <typename T>
Matrix<T> Matrix<T>::Identity()
{
    return Matrix();
}

template <typename T>
Matrix<T> Matrix<T>::Zero()
{
    Matrix zero;
    zero.SetZero();
    return zero;
}

template <typename T>
void Matrix<T>::SetIdentity()
{
    for (UInt32 i = 0; i < 16; ++i)
        mElements[i] = (i % 5 == 0) ? T(1) : T(0);
}

template <typename T>
void Matrix<T>::SetZero()
{
    for (UInt32 i = 0; i < 16; ++i)
        mElements[i] = T(0);
}

template <typename T>
void Matrix<T>::SetTranslation(T x, T y, T z)
{
    mElements[12] = x;
    mElements[13] = y;
    mElements[14] = z;
}

template <typename T>
void Matrix<T>::SetRotationZ(Real angle)
{
    const T s = Math::Sin(angle);
    const T c = Math::Cos(angle);
    T* m = mElements;
    m[0] = c;
    m[1] = s;
    m[2] = T(0);
    m[4] = -s;
    m[5] = c;
    m[6] = T(0);
    m[8] = T(0);
    m[9] = T(0);
    m[10] = T(1);
}

template <typename T>
void Matrix<T>::SetRotation(Real angleX, Real angleY, Real angleZ)
{
    const T s1 = Math::Sin(angleX);
    const T c1 = Math::Cos(angleX);
    const T s2 = Math::Sin(angleY);
    const T c2 = Math::Cos(angleY);
    const T s3 = Math::Sin(angleZ);
    const T c3 = Math::Cos(angleZ);
    Set(0, 0, c2 * c3);
    Set(0, 1, s1 * s2 * c3 - c1 * s3);
    Set(0, 2, c1 * s2 * c3 + s1 * s3);
    Set(1, 0, c2 * s3);
    Set(1, 1, s1 * s2 * s3 + c1 * c3);
    Set(1, 2, c1 * s2 * s3 - s1 * c3);
    Set(2, 0, -s2);
    Set(2, 1, s1 * c2);
    Set(2, 2, c1 * c2);
}

template <typename T>
Matrix<T>& Matrix<T>::Invert(const Matrix& source, Matrix& target)
{
    // Row r: the source's row r, then row r of the identity.
    T work[4][8];
    for (UInt32 r = 0; r < 4; ++r) {
        for (UInt32 c = 0; c < 4; ++c) {
            work[r][c] = source.Get(r, c);
            work[r][4 + c] = (r == c) ? T(1) : T(0);
        }
    }

    for (UInt32 k = 0; k < 4; ++k) {
        UInt32 pivotRow = k;
        T largest = std::fabs(work[k][k]);
        for (UInt32 r = k + 1; r < 4; ++r) {
            const T magnitude = std::fabs(work[r][k]);
            if (magnitude > largest) {
                largest = magnitude;
                pivotRow = r;
            }
        }
        if (largest < T(1e-6f))
            break;

        if (pivotRow != k) {
            for (UInt32 c = k; c < 8; ++c) {
                const T swapped = work[k][c];
                work[k][c] = work[pivotRow][c];
                work[pivotRow][c] = swapped;
            }
        }
        const T pivot = work[k][k];
        for (UInt32 c = k; c < 8; ++c)
            work[k][c] /= pivot;

        for (UInt32 i = 0; i < 4; ++i) {
            if (i == k)
                continue;
            const T factor = -work[i][k];
            for (UInt32 c = k; c < 8; ++c)
                work[i][c] = T(Double(work[i][c]) + Double(factor) * Double(work[k][c]));
        }
    }

    for (UInt32 r = 0; r < 4; ++r)
        for (UInt32 c = 0; c < 4; ++c)
            target.Set(r, c, work[r][4 + c]);
    return target;
}

template <typename T>
Matrix<T>& Matrix<T>::Transpose(const Matrix& source, Matrix& target)
{
    const Matrix copy(source);
    for (UInt32 j = 0; j < 4; ++j)
        for (UInt32 k = 0; k < 4; ++k)
            target.mElements[4 * j + k] = copy.mElements[4 * k + j];
    return target;
}

template <typename T>
Bool Matrix<T>::IsIdentity() const
{
    for (UInt32 i = 0; i < 16; ++i) {
        const Double expected = (i % 5 == 0) ? 1.0 : 0.0;
        if (!(Double(mElements[i]) == expected))
            return false;
    }
    return true;
}

template <typename T>
void Matrix<T>::GetFrustumPlanes(Vector<T> planes[6]) const
{
    const T* m = mElements;
    const Vector<T> row0(m[0], m[4], m[8], m[12]);
    const Vector<T> row1(m[1], m[5], m[9], m[13]);
    const Vector<T> row2(m[2], m[6], m[10], m[14]);
    const Vector<T> row3(m[3], m[7], m[11], m[15]);
    planes[0] = row3 + row0;
    planes[1] = row3 - row0;
    planes[2] = row3 - row1;
    planes[3] = row3 + row1;
    planes[4] = row3 + row2;
    planes[5] = row3 - row2;
    for (UInt32 i = 0; i < 6; ++i) {
        Vector<T>& p = planes[i];
        const T lengthSquared = p.x * p.x + p.y * p.y + p.z * p.z;
        const T scale = T(1.0 / std::sqrt(Double(lengthSquared)));
        p *= scale;
    }
}

template <typename T>
void Matrix<T>::GetProjectionAngles(const Vector<T> planes[6], T angles[4])
{
    const Vector<T>& left = planes[0];
    const Vector<T>& top = planes[2];
    const Vector<T>& farPlane = planes[5];

    // The far distance on the axis, then a far corner of the frustum.
    const T zf = -(farPlane.w / farPlane.z);
    T px;
    T py;
    if (left.x != T(0)) {
        px = -(left.z * zf + left.w) / left.x;
        py = -(top.x * px + top.z * zf + top.w) / top.y;
    } else {
        px = -(top.z * zf + top.w) / top.x;
        py = -(left.x * px + left.z * zf + left.w) / left.y;
    }
    const T tangent = Math::Sqrt(px * px + py * py) / Math::Abs(zf);
    const T angle = Math::ArcTan(tangent);
    angles[0] = angle;
    angles[1] = Math::Sin(angle);
    angles[2] = Math::Cos(angle);
    angles[3] = tangent;
}

template <typename T>
Matrix<T> Matrix<T>::operator*(const Matrix& other) const
{
    Matrix product;
    for (UInt32 c = 0; c < 4; ++c) {
        for (UInt32 r = 0; r < 4; ++r) {
            product.mElements[4 * c + r] = Get(r, 0) * other.Get(0, c) + Get(r, 1) * other.Get(1, c) +
                                           Get(r, 2) * other.Get(2, c) + Get(r, 3) * other.Get(3, c);
        }
    }
    return product;
}

template <typename T>
Vector<T> Matrix<T>::operator*(const Vector<T>& v) const
{
    const T* m = mElements;
    return Vector<T>(m[0] * v.x + m[4] * v.y + m[8] * v.z + m[12] * v.w,
                     m[1] * v.x + m[5] * v.y + m[9] * v.z + m[13] * v.w,
                     m[2] * v.x + m[6] * v.y + m[10] * v.z + m[14] * v.w,
                     m[3] * v.x + m[7] * v.y + m[11] * v.z + m[15] * v.w);
}

template <typename T>
bool Matrix<T>::operator==(const Matrix& other) const
{
    for (UInt32 i = 0; i < 16; ++i)
        if (!(mElements[i] == other.mElements[i]))
            return false;
    return true;
}

template class Matrix<float>;

} // namespace Math
} // namespace Vorn
