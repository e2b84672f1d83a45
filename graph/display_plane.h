// One textured rectangle, sized by its scale factor; game code scales it and picks the part of
// the texture that it shows.
#pragma once

#include "foundation/types.h"
#include "graph/transform/scalable.h"

namespace Vorn {
namespace Graph {

class IDisplayPlane : public IScalable
{
public:
    // Texture coordinates of the rectangle's corners; every setter rebuilds the geometry.
    virtual void SetTextureCoords(Real startX, Real startY, Real endX, Real endY) = 0;
    virtual void SetTextureStart(Real x, Real y) = 0;
    virtual void SetTextureEnd(Real x, Real y) = 0;
    virtual void SetTextureStartX(Real x) = 0;
    virtual void SetTextureStartY(Real y) = 0;
    virtual void SetTextureEndX(Real x) = 0;
    virtual void SetTextureEndY(Real y) = 0;
    virtual Real GetTextureStartX() const = 0;
    virtual Real GetTextureStartY() const = 0;
    virtual Real GetTextureEndX() const = 0;
    virtual Real GetTextureEndY() const = 0;
};

} // namespace Graph
} // namespace Vorn
