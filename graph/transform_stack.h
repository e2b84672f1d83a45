// The accumulated world transform of the ProcessLogic and PrepareOutput passes: positioned nodes
// push their local matrix before their children and pop it after; products are formed lazily.
#pragma once

#include "foundation/matrix.h"
#include "graph/product_stack.h"

namespace Vorn {
namespace Graph {

struct MatrixProduct
{
    static const Math::Matrix<float>& Identity();
    // parent x local, column-vector convention; each element summed as (t0 + t1) + (t2 + t3)
    // in single precision. The product may be one of the factors.
    static void Multiply(const Math::Matrix<float>& a, const Math::Matrix<float>& b, Math::Matrix<float>& product);
};

class TransformStack : public ProductStack<Math::Matrix<float>, MatrixProduct>
{
public:
    TransformStack() {}
    ~TransformStack() override;
};

} // namespace Graph
} // namespace Vorn
