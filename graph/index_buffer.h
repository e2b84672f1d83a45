// Indices of a drawable that program code writes (the game's course strips).
#pragma once

#include "foundation/enums.h"
#include "foundation/types.h"

namespace Vorn {
namespace Graph {

class IIndexBuffer
{
public:
    // Makes a block of count indices, with the old contents that fit copied when keepContents
    // is set; the number in use is lowered when it no longer fits. False when the block cannot
    // be made (the old one stays).
    virtual Bool SetMaxNumberOfIndices(UInt32 count, Bool keepContents) = 0;
    virtual UInt32 GetMaxNumberOfIndices() const = 0;
    virtual Enums::PrimitiveType GetPrimitiveType() const = 0;
    // Bytes per index.
    virtual UInt32 GetIndexSize() const = 0;
    virtual UInt16* GetIndexData() = 0;
    // False when count is above the maximum.
    virtual Bool SetNumberOfIndices(UInt32 count) = 0;
    // The indices were written and go to the renderer again.
    virtual void SetIndicesChanged() = 0;
    virtual ~IIndexBuffer() {}
};

} // namespace Graph
} // namespace Vorn
