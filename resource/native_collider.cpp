#include "resource/native_collider.h"

#include <cstdint>

#include "foundation/byte_order.h"
#include "foundation/debug.h"
#include "foundation/iff_stream.h"
#include "resource/native_file.h"

namespace Vorn {
namespace Resource {

namespace {

constexpr UInt32 kColliderForm = MakeTag("CGEO");
constexpr UInt32 kVertexTag = MakeTag("VERT");
constexpr UInt32 kChunkHeaderSize = 8;
// The version alone.
constexpr UInt32 kHeadPayloadSize = 4;
constexpr UInt32 kVertexSize = 4 * sizeof(Float);

// The three tables: chunk tag and record size.
enum Table
{
    VERTICES,
    NODES,
    LEAVES,
    NUMBER_OF_TABLES,
};

struct TableKind
{
    UInt32 tag;
    UInt32 recordSize;
};

const TableKind kTableKinds[NUMBER_OF_TABLES] = {
    {kVertexTag, kVertexSize},
    {MakeTag("NODE"), sizeof(ColliderNode)},
    {MakeTag("LEAF"), sizeof(ColliderLeaf)},
};

using Util::ReadLittleEndian32;
using Util::ReadTag;

// The four characters of a tag in reading order, for messages.
#define TAG_CHARS(tag) char((tag) >> 24), char((tag) >> 16), char((tag) >> 8), char(tag)

} // namespace

NativeCollider::NativeCollider(const String& id, const void* data, UInt32 size, const UInt32* conditions,
                               UInt32 conditionCount)
    : Collider(id, data, size, conditions, conditionCount), mVertices(nullptr), mNodes(nullptr), mLeaves(nullptr),
      mNumberOfVertices(0), mNumberOfNodes(0), mNumberOfLeaves(0)
{
}

NativeCollider::~NativeCollider() = default;

Bool NativeCollider::GetNativeData(Data& data) const
{
    return CopyNativeData(data);
}

const Float* NativeCollider::GetVertices() const
{
    return mVertices;
}

const ColliderNode* NativeCollider::GetNodes() const
{
    return mNodes;
}

const ColliderLeaf* NativeCollider::GetLeaves() const
{
    return mLeaves;
}

IObject* NativeCollider::Create(const IAttributes*, const String& id, const void* data, UInt32 size,
                                const UInt32* conditions, UInt32 conditionCount, Bool* releaseData, Bool* failed)
{
    NativeCollider* collider = new NativeCollider(id, data, size, conditions, conditionCount);
    return FinishCreate(collider, collider->Read(), releaseData, failed);
}

ReadResult NativeCollider::Read()
{
    NativeFile file(GetData(), GetSize(), kColliderForm);
    const ReadResult opened =
        file.Open("Resource::NativeCollider::Create()", kHeadPayloadSize, NativeFile::EmptyFile::DECLINE);
    if (opened != ReadResult::OK)
        return opened;
    Util::IffStream& stream = file.GetStream();

    const UInt8* tables[NUMBER_OF_TABLES] = {};
    UInt32 counts[NUMBER_OF_TABLES] = {};
    for (UInt32 number = 1; !stream.IsAtEnd(); ++number, stream.NextChunk()) {
        const UInt8* block = stream.GetChunk();
        if (block == nullptr) {
            Debug::Trace("Resource::NativeCollider::Create(): Chunk #%u runs past the end of the file", number);
            return ReadResult::REFUSED;
        }
        const UInt32 tag = ReadTag(block);
        for (UInt32 table = 0; table < NUMBER_OF_TABLES; ++table) {
            if (kTableKinds[table].tag != tag)
                continue;
            if (table == VERTICES && tables[VERTICES] != nullptr)
                return ReadResult::NOT_OWN_FORM;
            const UInt32 payloadSize = ReadLittleEndian32(block + 4);
            const UInt8* payload = block + kChunkHeaderSize;
            if (payloadSize < 8) {
                Debug::Trace("Resource::NativeCollider::Create(): %c%c%c%c chunk too small (%u bytes)", TAG_CHARS(tag),
                             payloadSize);
                return ReadResult::REFUSED;
            }
            const UInt32 count = ReadLittleEndian32(payload);
            const UInt32 offset = ReadLittleEndian32(payload + 4);
            if (UInt64(offset) + UInt64(count) * kTableKinds[table].recordSize > payloadSize) {
                Debug::Trace("Resource::NativeCollider::Create(): %c%c%c%c chunk of %u bytes cannot hold %u records "
                             "at offset %u",
                             TAG_CHARS(tag), payloadSize, count, offset);
                return ReadResult::REFUSED;
            }
            // Bytes at an odd address are copied: the tables are read in place as 32-bit fields.
            tables[table] = reinterpret_cast<const UInt8*>(
                mAlignedCopies.Place<UInt32>(payload + offset, count * (kTableKinds[table].recordSize / 4)));
            if (tables[table] == nullptr) {
                Debug::Trace("Resource::NativeCollider::Create(): No memory for %u %c%c%c%c records", count,
                             TAG_CHARS(tag));
                return ReadResult::REFUSED;
            }
            counts[table] = count;
        }
    }
    if (tables[VERTICES] == nullptr || tables[NODES] == nullptr || tables[LEAVES] == nullptr)
        return ReadResult::NOT_OWN_FORM;

    mVertices = reinterpret_cast<const Float*>(tables[VERTICES]);
    mNodes = reinterpret_cast<const ColliderNode*>(tables[NODES]);
    mLeaves = reinterpret_cast<const ColliderLeaf*>(tables[LEAVES]);
    mNumberOfVertices = counts[VERTICES];
    mNumberOfNodes = counts[NODES];
    mNumberOfLeaves = counts[LEAVES];
    return CheckReferences() ? ReadResult::OK : ReadResult::REFUSED;
}

Bool NativeCollider::CheckReferences() const
{
    // The physics walk starts at node 0.
    if (mNumberOfNodes == 0) {
        Debug::Trace("Resource::NativeCollider::Create(): NODE chunk holds no root node");
        return false;
    }
    // Children lie further down the table, so every walk from the root ends at leaves; and a node
    // has one parent, so the walk meets each node once: a node shared by two parents doubles the
    // walk below it, and a few dozen of them hang the logic thread. A leaf may be named twice.
    Array<Bool> hasParent;
    hasParent.SetCount(SInt32(mNumberOfNodes));
    for (UInt32 i = 0; i < mNumberOfNodes; ++i)
        hasParent[SInt32(i)] = false;
    for (UInt32 i = 0; i < mNumberOfNodes; ++i) {
        for (SInt32 child : mNodes[i].children) {
            const Bool valid = child >= 0 ? UInt32(child) > i && UInt32(child) < mNumberOfNodes
                                          : UInt64(-(SInt64(child) + 1)) < mNumberOfLeaves;
            if (!valid) {
                Debug::Trace("Resource::NativeCollider::Create(): Node #%u refers to a missing node or leaf (%d)", i,
                             child);
                return false;
            }
            if (child < 0)
                continue;
            if (hasParent[child]) {
                Debug::Trace("Resource::NativeCollider::Create(): Node #%u names node %d, which has a parent already",
                             i, child);
                return false;
            }
            hasParent[child] = true;
        }
    }
    for (UInt32 i = 0; i < mNumberOfLeaves; ++i) {
        for (UInt32 vertex : mLeaves[i].vertices) {
            if (vertex >= mNumberOfVertices) {
                Debug::Trace("Resource::NativeCollider::Create(): Leaf #%u names missing vertex %u", i, vertex);
                return false;
            }
        }
    }
    return true;
}

#undef TAG_CHARS

} // namespace Resource
} // namespace Vorn
