// A rectangle that shows one picture of an atlas at a time; the index selects the picture.
#pragma once

#include "foundation/types.h"
#include "graph/indexed.h"

namespace Vorn {
namespace Graph {

class IDisplayPlaneSequence : public IIndexed
{
public:
    // Width and height of a picture times the scale factor; an index past the end reads the last
    // picture.
    virtual Real GetSizeX(UInt32 index) const = 0;
    virtual Real GetCurrentSizeX() const = 0;
    virtual Real GetSizeY(UInt32 index) const = 0;
    virtual Real GetCurrentSizeY() const = 0;
};

} // namespace Graph
} // namespace Vorn
