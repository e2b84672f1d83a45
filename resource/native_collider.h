// The collider read from its native chunk file (form "CGEO"), with its tables used in place in the
// source bytes.
//
// Chunks, all words little-endian 32-bit counted from the payload start: "HEAD" with "0.01";
// "VERT" (exactly one), "NODE" and "LEAF" (a later one replaces an earlier one), each with its
// record count and the offset of its records. Records: four floats per vertex, ColliderNode,
// ColliderLeaf.
#pragma once

#include "resource/aligned_copies.h"

#include "foundation/string.h"
#include "foundation/types.h"
#include "resource/collider.h"
#include "resource/native_file.h"

namespace Vorn {

class IAttributes;

namespace Resource {

class NativeCollider : public Collider
{
public:
    // Object creator. Declines (null, failed untouched) bytes that are not a "CGEO" chunk file,
    // whose first chunk is not HEAD of version "0.01", that lack a VERT, NODE or LEAF chunk or
    // hold two VERT chunks. Refuses, with one log line and failed set, a "CGEO" file whose size,
    // chunks, counts, offsets or record numbers do not fit its bytes and tables. The collider keeps
    // pointing into the bytes (releaseData cleared).
    static IObject* Create(const IAttributes* attributes, const String& id, const void* data, UInt32 size,
                           const UInt32* conditions, UInt32 conditionCount, Bool* releaseData, Bool* failed);

    NativeCollider(const String& id, const void* data, UInt32 size, const UInt32* conditions,
                   UInt32 conditionCount);
    ~NativeCollider() override;

    // A copy of the source bytes.
    Bool GetNativeData(Data& data) const override;

    const Float* GetVertices() const override;
    const ColliderNode* GetNodes() const override;
    const ColliderLeaf* GetLeaves() const override;

    UInt32 GetNumberOfVertices() const { return mNumberOfVertices; }
    UInt32 GetNumberOfNodes() const { return mNumberOfNodes; }
    UInt32 GetNumberOfLeaves() const { return mNumberOfLeaves; }

private:
    // Sets the tables from the source bytes; REFUSED has been logged.
    ReadResult Read();
    // The node children and the leaves' vertex numbers; false has been logged.
    Bool CheckReferences() const;

    AlignedCopies mAlignedCopies;
    const Float* mVertices;
    const ColliderNode* mNodes;
    const ColliderLeaf* mLeaves;
    UInt32 mNumberOfVertices;
    UInt32 mNumberOfNodes;
    UInt32 mNumberOfLeaves;
};

} // namespace Resource
} // namespace Vorn
