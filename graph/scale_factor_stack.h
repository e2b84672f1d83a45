// The accumulated scale factor of the ProcessLogic and PrepareOutput passes, multiplied
// component-wise and lazily like the transform stack. The unit value is (1, 1, 1, 0).
#pragma once

#include "foundation/vector.h"
#include "graph/product_stack.h"

namespace Vorn {
namespace Graph {

struct ScaleFactorProduct
{
    static const Math::Vector<float>& Identity();
    // x, y and z multiplied; w is 0.
    static void Multiply(const Math::Vector<float>& a, const Math::Vector<float>& b, Math::Vector<float>& product);
};

class ScaleFactorStack : public ProductStack<Math::Vector<float>, ScaleFactorProduct>
{
public:
    ScaleFactorStack() {}
    ~ScaleFactorStack() override;
};

} // namespace Graph
} // namespace Vorn
