// Nodes that show one of a numbered set of things (the children of a switch, the frames of a
// plane sequence); game code and index animation tracks select through it.
#pragma once

#include "foundation/types.h"

namespace Vorn {
namespace Graph {

class IIndexed
{
public:
    // False when the index is past the end; a negative index selects nothing.
    virtual Bool SetIndex(SInt32 index) = 0;
    // -1 when nothing is selected.
    virtual SInt32 GetIndex() const = 0;
    virtual UInt32 GetNumberOfIndices() const = 0;
    virtual ~IIndexed() {}
};

} // namespace Graph
} // namespace Vorn
