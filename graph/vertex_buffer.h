// Vertices of a drawable that program code writes (the game's course strips).
#pragma once

#include "foundation/enums.h"
#include "foundation/types.h"

namespace Vorn {
namespace Graph {

class IVertexBuffer
{
public:
    // Makes a block of count vertices, with the old contents that fit copied when keepContents
    // is set; the number in use is lowered when it no longer fits. False when the block cannot
    // be made (the old one stays).
    virtual Bool SetMaxNumberOfVertices(UInt32 count, Bool keepContents) = 0;
    virtual UInt32 GetMaxNumberOfVertices() const = 0;
    // Byte offset and size of an attribute inside a vertex; 0xFFFFFFFF when the layout lacks it.
    virtual UInt32 GetAttributeOffset(Enums::VertexAttribute attribute) const = 0;
    virtual UInt32 GetAttributeSize(Enums::VertexAttribute attribute) const = 0;
    virtual UInt32 GetVertexSize() const = 0;
    virtual UInt8* GetVertexData() = 0;
    // False when count is above the maximum.
    virtual Bool SetNumberOfVertices(UInt32 count) = 0;
    // The vertices were written and go to the renderer again.
    virtual void SetVerticesChanged() = 0;
    virtual ~IVertexBuffer() {}
};

} // namespace Graph
} // namespace Vorn
