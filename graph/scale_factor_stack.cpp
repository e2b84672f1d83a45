#include "graph/scale_factor_stack.h"

namespace Vorn {
namespace Graph {

const Math::Vector<float>& ScaleFactorProduct::Identity()
{
    static const Math::Vector<float> unit(1.0f, 1.0f, 1.0f, 0.0f);
    return unit;
}

void ScaleFactorProduct::Multiply(const Math::Vector<float>& a, const Math::Vector<float>& b, Math::Vector<float>& product)
{
    product.Set(a.x * b.x, a.y * b.y, a.z * b.z, 0.0f);
}

ScaleFactorStack::~ScaleFactorStack() {}

} // namespace Graph
} // namespace Vorn
