#include "graph/transform_stack.h"

namespace Vorn {
namespace Graph {

const Math::Matrix<float>& MatrixProduct::Identity()
{
    static const Math::Matrix<float> identity;
    return identity;
}

void MatrixProduct::Multiply(const Math::Matrix<float>& a, const Math::Matrix<float>& b, Math::Matrix<float>& product)
{
    const float* x = a.mElements;
    const float* y = b.mElements;
    float p[16];
    for (UInt32 column = 0; column < 4; ++column) {
        const float* bColumn = y + 4 * column;
        for (UInt32 row = 0; row < 4; ++row) {
            const float t0 = x[row] * bColumn[0];
            const float t1 = x[4 + row] * bColumn[1];
            const float t2 = x[8 + row] * bColumn[2];
            const float t3 = x[12 + row] * bColumn[3];
            p[4 * column + row] = (t0 + t1) + (t2 + t3);
        }
    }
    for (UInt32 i = 0; i < 16; ++i)
        product.mElements[i] = p[i];
}

TransformStack::~TransformStack() {}

} // namespace Graph
} // namespace Vorn
