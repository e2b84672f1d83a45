// Nodes whose sub-graph or geometry game code and scale animation tracks can scale.
#pragma once

#include "foundation/types.h"
#include "foundation/vector.h"

namespace Vorn {
namespace Graph {

class IScalable
{
public:
    virtual void SetScaleFactor(Real x, Real y, Real z) = 0;
    // Takes the vector's x, y and z.
    virtual void SetScaleFactor(const Math::Vector<float>& factor) = 0;
    virtual void SetScaleFactorX(Real x) = 0;
    virtual void SetScaleFactorY(Real y) = 0;
    virtual void SetScaleFactorZ(Real z) = 0;
    virtual const Math::Vector<float>& GetScaleFactor() const = 0;
    virtual Real GetScaleFactorX() const = 0;
    virtual Real GetScaleFactorY() const = 0;
    virtual Real GetScaleFactorZ() const = 0;
    virtual ~IScalable() {}
};

} // namespace Graph
} // namespace Vorn
