// A surface that other nodes can stand things on: the terrain offers it, the terrain billboards
// read their heights from it at Init.
#pragma once

#include "foundation/types.h"

namespace Vorn {
namespace Graph {

class IHeightField
{
public:
    // Side of the surface along x and along z, in the node's own units.
    virtual Float GetSizeX() const = 0;
    virtual Float GetSizeZ() const = 0;
    // Height at a point of the node's own x/z plane; the surface repeats beyond its sides. 0 while
    // the surface holds no heights (before Init).
    virtual Float GetHeight(Float x, Float z) const = 0;
    virtual ~IHeightField() {}
};

} // namespace Graph
} // namespace Vorn
