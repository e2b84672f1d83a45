// The engine's 4 x 4 matrix for transforms, cameras and physics bodies. Stored by columns: the
// element in row r and column c is at index 4 * c + r, vectors are columns (M * v) and the
// translation is elements 12, 13 and 14. Only Matrix<float> is built.
#pragma once

#include "foundation/types.h"
#include "foundation/vector.h"

namespace Vorn {
namespace Math {

template <typename T>
class Matrix {
public:
    T mElements[16];

    // The identity.
    Matrix();
    explicit Matrix(const T elements[16]);

    static Matrix Identity();
    static Matrix Zero();
    void SetIdentity();
    void SetZero();

    T& operator[](UInt32 i) { return mElements[i]; }
    const T& operator[](UInt32 i) const { return mElements[i]; }
    T Get(UInt32 row, UInt32 column) const { return mElements[4 * column + row]; }
    void Set(UInt32 row, UInt32 column, T value) { mElements[4 * column + row] = value; }

    void SetTranslation(T x, T y, T z);

    // The rotation part about Z through the table sine and cosine; elements 3, 7, 11 and 12-15
    // are left as they are.
    void SetRotationZ(Real angle);
    // The rotation part Rz(angleZ) * Ry(angleY) * Rx(angleX) (X first) through the table sine and
    // cosine, each product rounded to float as formed; elements 3, 7, 11 and 12-15 are kept.
    void SetRotation(Real angleX, Real angleY, Real angleZ);

    // Gauss-Jordan elimination with partial pivoting. A pivot below 1e-6 in magnitude stops the
    // elimination and the partly reduced result is written all the same; never fails.
    // Source and target may be the same matrix. Returns the target.
    static Matrix& Invert(const Matrix& source, Matrix& target);
    // Source and target may be the same matrix.
    static Matrix& Transpose(const Matrix& source, Matrix& target);

    // Exact comparison with the identity; -0.0 counts as 0.0 and a NaN anywhere gives false.
    Bool IsIdentity() const;

    // The six clip planes (a, b, c, d) of a view-projection matrix in the order left, right, top,
    // bottom, near, far, each scaled by 1 / |(a, b, c)|. The clip volume is -w <= x, y, z <= w.
    void GetFrustumPlanes(Vector<T> planes[6]) const;
    // From those six planes: the half-angle of the cone around the view axis that encloses the
    // frustum, its table sine and cosine, and its tangent, in that order. Planes that leave a
    // corner undetermined (zero components) give infinite or NaN values.
    static void GetProjectionAngles(const Vector<T> planes[6], T angles[4]);

    Matrix operator*(const Matrix& other) const;
    Vector<T> operator*(const Vector<T>& v) const;
    bool operator==(const Matrix& other) const;
    bool operator!=(const Matrix& other) const { return !(*this == other); }
};

extern template class Matrix<float>;

} // namespace Math
} // namespace Vorn
