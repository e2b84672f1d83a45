#include "resource/native_graph.h"

#include <cstring>

#include "foundation/array.h"
#include "foundation/byte_order.h"
#include "foundation/debug.h"
#include "foundation/iff_stream.h"
#include "foundation/map.h"

namespace Vorn {
namespace Resource {

namespace {

constexpr UInt32 kEngineMagic = MakeTag("VORN");
constexpr UInt32 kGraphForm = MakeTag("GRPH");
constexpr UInt32 kHeadTag = MakeTag("HEAD");
constexpr UInt32 kStringsTag = MakeTag("STRG");
constexpr UInt32 kAttributesTag = MakeTag("ATTR");
constexpr UInt32 kNodesTag = MakeTag("NODE");
constexpr char kVersion[4] = {'0', '.', '0', '1'};

constexpr UInt32 kFileHeaderSize = 12;
constexpr UInt32 kChunkHeaderSize = 8;
constexpr UInt32 kHeadPayloadSize = 12;
constexpr UInt32 kAttributeRecordSize = 12;
constexpr UInt32 kNodeRecordSize = 20;

// Record fields, by their position in the record.
enum NodeField : UInt32
{
    NODE_CLASS_NAME = 0,
    NODE_ATTRIBUTE_COUNT = 1,
    NODE_FIRST_ATTRIBUTE = 2,
    NODE_CHILD_COUNT = 3,
    NODE_FIRST_CHILD = 4,
};
enum AttributeField : UInt32
{
    ATTRIBUTE_HASH = 0,
    ATTRIBUTE_NAME = 1,
    ATTRIBUTE_VALUE = 2,
};

// One chunk found by the reader: its payload and the payload's size.
struct Chunk
{
    const UInt8* payload = nullptr;
    UInt32 size = 0;
};

// The strings chunk as the reader checks it: a string index is usable when its offset-table
// entry lies in the chunk and the text it designates ends with a zero byte inside the chunk.
class StringTable
{
public:
    explicit StringTable(const Chunk& chunk) : mChunk(chunk), mTableOffset(0), mDataOffset(0), mLastZero(-1)
    {
        if (chunk.size < 8)
            return;
        mTableOffset = Util::ReadLittleEndian32(chunk.payload);
        mDataOffset = Util::ReadLittleEndian32(chunk.payload + 4);
        // Texts end at a zero byte; one that starts after the chunk's last zero byte runs out of it.
        for (SInt64 i = SInt64(chunk.size) - 1; i >= 0; --i) {
            if (chunk.payload[i] == 0) {
                mLastZero = i;
                break;
            }
        }
    }

    Bool HasValidHeader() const
    {
        return mChunk.size >= 8 && mTableOffset <= mChunk.size && mDataOffset <= mChunk.size;
    }

    Bool IsValidIndex(UInt32 index) const
    {
        const UInt64 entry = UInt64(mTableOffset) + UInt64(index) * 4;
        if (entry + 4 > mChunk.size)
            return false;
        const UInt64 start = UInt64(mDataOffset) + Util::ReadLittleEndian32(mChunk.payload + entry);
        return SInt64(start) <= mLastZero;
    }

    const UInt8* GetTable() const { return mChunk.payload + mTableOffset; }
    const UInt8* GetData() const { return mChunk.payload + mDataOffset; }

private:
    Chunk mChunk;
    UInt32 mTableOffset;
    UInt32 mDataOffset;
    SInt64 mLastZero;
};

// Reads the chunk that starts at offset; false when its header or payload runs past the data.
Bool ReadChunkAt(const UInt8* bytes, UInt32 size, UInt32 offset, UInt32* tag, Chunk* chunk)
{
    if (UInt64(offset) + kChunkHeaderSize > size)
        return false;
    const UInt32 payloadSize = Util::ReadLittleEndian32(bytes + offset + 4);
    if (UInt64(offset) + kChunkHeaderSize + payloadSize > size)
        return false;
    *tag = Util::ReadTag(bytes + offset);
    chunk->payload = bytes + offset + kChunkHeaderSize;
    chunk->size = payloadSize;
    return true;
}

} // namespace

struct NativeGraph::Layout
{
    UInt32 nodeCount;
    const UInt8* nodeRecords;
    const UInt8* attributeRecords;
    const UInt8* stringOffsets;
    const UInt8* strings;
};

// Creation.

IObject* NativeGraph::Create(const IAttributes*, const String& id, const void* data, UInt32 size,
                             const UInt32* conditions, UInt32 conditionCount, Bool* releaseData, Bool*)
{
    *releaseData = true;
    if (data == nullptr)
        return nullptr;
    const UInt8* bytes = static_cast<const UInt8*>(data);

    Util::IffStream stream(data, size, kGraphForm);
    if (!stream.Open()) {
        // Only a file that says it is a graph gets a message; everything else is another reader's.
        if (size >= kFileHeaderSize && Util::ReadTag(bytes) == kEngineMagic && Util::ReadTag(bytes + 8) == kGraphForm)
            Debug::Trace("Resource::NativeGraph::Create(): File size does not match its header");
        return nullptr;
    }

    // The first chunk: a HEAD of another version belongs to another reader; a cut one is refused.
    UInt32 tag = 0;
    Chunk head;
    if (UInt64(kFileHeaderSize) + kChunkHeaderSize > size) {
        Debug::Trace("Resource::NativeGraph::Create(): File does not contain a header chunk");
        return nullptr;
    }
    if (Util::ReadTag(bytes + kFileHeaderSize) != kHeadTag)
        return nullptr;
    if (!ReadChunkAt(bytes, size, kFileHeaderSize, &tag, &head)) {
        Debug::Trace("Resource::NativeGraph::Create(): Header chunk runs past the end of the file");
        return nullptr;
    }
    if (head.size >= sizeof(kVersion) && std::memcmp(head.payload, kVersion, sizeof(kVersion)) != 0)
        return nullptr;
    if (head.size < kHeadPayloadSize) {
        Debug::Trace("Resource::NativeGraph::Create(): Header chunk is too short");
        return nullptr;
    }
    stream.NextChunk();

    Chunk strings;
    Chunk attributeChunk;
    Chunk nodeChunk;
    Bool hasStrings = false;
    Bool hasAttributes = false;
    Bool hasNodes = false;
    while (!stream.IsAtEnd()) {
        const UInt8* chunk = stream.GetChunk();
        if (chunk != nullptr) {
            const UInt32 chunkTag = Util::ReadTag(chunk);
            Chunk found;
            found.payload = chunk + kChunkHeaderSize;
            found.size = Util::ReadLittleEndian32(chunk + 4);
            if (chunkTag == kStringsTag) {
                if (hasStrings) {
                    Debug::Trace("Resource::NativeGraph::Create(): File cannot contain more than one strings chunk");
                    return nullptr;
                }
                strings = found;
                hasStrings = true;
            } else if (chunkTag == kAttributesTag) {
                if (hasAttributes) {
                    Debug::Trace("Resource::NativeGraph::Create(): File cannot contain more than one attributes chunk");
                    return nullptr;
                }
                attributeChunk = found;
                hasAttributes = true;
            } else if (chunkTag == kNodesTag) {
                if (hasNodes) {
                    Debug::Trace("Resource::NativeGraph::Create(): File cannot contain more than one nodes chunk");
                    return nullptr;
                }
                nodeChunk = found;
                hasNodes = true;
            }
        }
        stream.NextChunk();
    }
    if (!hasStrings) {
        Debug::Trace("Resource::NativeGraph::Create(): File does not contain any strings");
        return nullptr;
    }
    if (!hasNodes) {
        Debug::Trace("Resource::NativeGraph::Create(): File does not contain any nodes");
        return nullptr;
    }

    // Every count, offset, index and text is checked against its chunk here, so that the views
    // can read records and texts without checks of their own.
    const UInt32 nodeCount = Util::ReadLittleEndian32(head.payload + 4);
    if (nodeCount == 0) {
        Debug::Trace("Resource::NativeGraph::Create(): File does not contain a root node");
        return nullptr;
    }
    const StringTable table(strings);
    if (!table.HasValidHeader()) {
        Debug::Trace("Resource::NativeGraph::Create(): Strings chunk offsets lie outside the chunk");
        return nullptr;
    }

    const UInt8* attributeRecords = nullptr;
    UInt32 attributeRecordCount = 0;
    if (hasAttributes) {
        const UInt32 first = attributeChunk.size >= 4 ? Util::ReadLittleEndian32(attributeChunk.payload) : 0;
        if (attributeChunk.size < 4 || first > attributeChunk.size) {
            Debug::Trace("Resource::NativeGraph::Create(): Attributes chunk offset lies outside the chunk");
            return nullptr;
        }
        attributeRecords = attributeChunk.payload + first;
        attributeRecordCount = (attributeChunk.size - first) / kAttributeRecordSize;
        for (UInt32 i = 0; i < attributeRecordCount; ++i) {
            const UInt8* record = attributeRecords + UInt64(i) * kAttributeRecordSize;
            if (!table.IsValidIndex(Util::ReadLittleEndian32(record + ATTRIBUTE_NAME * 4)) ||
                !table.IsValidIndex(Util::ReadLittleEndian32(record + ATTRIBUTE_VALUE * 4))) {
                Debug::Trace("Resource::NativeGraph::Create(): Attribute #%u refers to a string outside the strings chunk", i);
                return nullptr;
            }
        }
    }

    const UInt32 firstNode = nodeChunk.size >= 4 ? Util::ReadLittleEndian32(nodeChunk.payload) : 0;
    if (nodeChunk.size < 4 || UInt64(firstNode) + UInt64(nodeCount) * kNodeRecordSize > nodeChunk.size) {
        Debug::Trace("Resource::NativeGraph::Create(): Nodes chunk is too short for %u nodes", nodeCount);
        return nullptr;
    }
    const UInt8* nodeRecords = nodeChunk.payload + firstNode;
    // Children must follow their parent and belong to one parent only: the tree then has no
    // cycles and no shared subtrees, which the writer never makes and a walk could not finish.
    std::unique_ptr<Bool[]> isChild(new Bool[nodeCount]());
    for (UInt32 i = 0; i < nodeCount; ++i) {
        const UInt8* record = nodeRecords + UInt64(i) * kNodeRecordSize;
        if (!table.IsValidIndex(Util::ReadLittleEndian32(record + NODE_CLASS_NAME * 4))) {
            Debug::Trace("Resource::NativeGraph::Create(): Node #%u refers to a string outside the strings chunk", i);
            return nullptr;
        }
        const UInt32 attributeCount = Util::ReadLittleEndian32(record + NODE_ATTRIBUTE_COUNT * 4);
        const UInt32 firstAttribute = Util::ReadLittleEndian32(record + NODE_FIRST_ATTRIBUTE * 4);
        if (attributeCount != 0 && UInt64(firstAttribute) + attributeCount > attributeRecordCount) {
            Debug::Trace("Resource::NativeGraph::Create(): Node #%u has attributes outside the attributes chunk", i);
            return nullptr;
        }
        const UInt32 childCount = Util::ReadLittleEndian32(record + NODE_CHILD_COUNT * 4);
        const UInt32 firstChild = Util::ReadLittleEndian32(record + NODE_FIRST_CHILD * 4);
        if (childCount == 0)
            continue;
        if (UInt64(firstChild) + childCount > nodeCount) {
            Debug::Trace("Resource::NativeGraph::Create(): Node #%u has children outside the node list", i);
            return nullptr;
        }
        for (UInt32 child = firstChild; child < firstChild + childCount; ++child) {
            if (child <= i || isChild[child]) {
                Debug::Trace("Resource::NativeGraph::Create(): Node #%u has a child that precedes it or belongs to "
                             "another node",
                             i);
                return nullptr;
            }
            isChild[child] = true;
        }
    }

    Layout layout;
    layout.nodeCount = nodeCount;
    layout.nodeRecords = nodeRecords;
    layout.attributeRecords = attributeRecords;
    layout.stringOffsets = table.GetTable();
    layout.strings = table.GetData();
    NativeGraph* graph = new NativeGraph(id, data, size, conditions, conditionCount, layout);
    *releaseData = false;
    return graph;
}

NativeGraph::NativeGraph(const String& id, const void* data, UInt32 size, const UInt32* conditions,
                         UInt32 conditionCount, const Layout& layout)
    : Graph(id, data, size, conditions, conditionCount), mNodes(new NativeNode[layout.nodeCount]),
      mNodeCount(layout.nodeCount), mNodeRecords(layout.nodeRecords), mAttributeRecords(layout.attributeRecords),
      mStringOffsets(layout.stringOffsets), mStrings(layout.strings)
{
    for (UInt32 i = 0; i < mNodeCount; ++i)
        mNodes[i].Bind(this, i);
}

NativeGraph::~NativeGraph() = default;

const IGraphNode* NativeGraph::GetRootNode() const
{
    return &mNodes[0];
}

const IAttributes* NativeGraph::GetRootAttributes() const
{
    return mNodes[0].GetAttributes();
}

Bool NativeGraph::GetNativeData(Data& data) const
{
    return CopyNativeData(data);
}

UInt32 NativeGraph::GetNodeField(UInt32 node, UInt32 field) const
{
    return Util::ReadLittleEndian32(mNodeRecords + UInt64(node) * kNodeRecordSize + field * 4);
}

UInt32 NativeGraph::GetAttributeField(UInt32 attribute, UInt32 field) const
{
    return Util::ReadLittleEndian32(mAttributeRecords + UInt64(attribute) * kAttributeRecordSize + field * 4);
}

const char* NativeGraph::GetString(UInt32 index) const
{
    return reinterpret_cast<const char*>(mStrings + Util::ReadLittleEndian32(mStringOffsets + UInt64(index) * 4));
}

// Nodes.

NativeGraph::NativeNode::NativeNode() : mGraph(nullptr), mIndex(0) {}

NativeGraph::NativeNode::~NativeNode() = default;

void NativeGraph::NativeNode::Bind(const NativeGraph* graph, UInt32 index)
{
    mGraph = graph;
    mIndex = index;
    mAttributes.Bind(graph, graph->GetNodeField(index, NODE_FIRST_ATTRIBUTE),
                     graph->GetNodeField(index, NODE_ATTRIBUTE_COUNT));
}

String NativeGraph::NativeNode::GetClassName() const
{
    return String(mGraph->GetString(mGraph->GetNodeField(mIndex, NODE_CLASS_NAME)));
}

UInt32 NativeGraph::NativeNode::GetNumberOfChildren() const
{
    return mGraph->GetNodeField(mIndex, NODE_CHILD_COUNT);
}

const IGraphNode* NativeGraph::NativeNode::GetChild(UInt32 index) const
{
    if (index >= GetNumberOfChildren())
        return nullptr;
    return &mGraph->mNodes[mGraph->GetNodeField(mIndex, NODE_FIRST_CHILD) + index];
}

const IAttributes* NativeGraph::NativeNode::GetAttributes() const
{
    return &mAttributes;
}

// Attribute views.

NativeGraph::NativeAttributes::NativeAttributes()
    : TypedAttributes("Resource::NativeGraph::NativeAttributes"), mGraph(nullptr), mFirstAttribute(0),
      mAttributeCount(0)
{
}

NativeGraph::NativeAttributes::~NativeAttributes() = default;

void NativeGraph::NativeAttributes::Bind(const NativeGraph* graph, UInt32 firstAttribute, UInt32 attributeCount)
{
    mGraph = graph;
    mFirstAttribute = firstAttribute;
    mAttributeCount = attributeCount;
}

UInt32 NativeGraph::NativeAttributes::GetNumberOfAttributes() const
{
    return mAttributeCount;
}

UInt32 NativeGraph::NativeAttributes::GetAttributeHash(UInt32 index) const
{
    if (index >= mAttributeCount) {
        Debug::Trace("Resource::NativeGraph::NativeAttributes::GetAttributeHash(): Index out of range");
        return 0;
    }
    return mGraph->GetAttributeField(mFirstAttribute + index, ATTRIBUTE_HASH);
}

const char* NativeGraph::NativeAttributes::GetAttributeName(UInt32 index) const
{
    if (index >= mAttributeCount) {
        Debug::Trace("Resource::NativeGraph::NativeAttributes::GetAttributeName(): Index out of range");
        return nullptr;
    }
    return mGraph->GetString(mGraph->GetAttributeField(mFirstAttribute + index, ATTRIBUTE_NAME));
}

const char* NativeGraph::NativeAttributes::GetAttributeValue(UInt32 index) const
{
    if (index >= mAttributeCount) {
        Debug::Trace("Resource::NativeGraph::NativeAttributes::GetAttributeValue(): Index out of range");
        return nullptr;
    }
    return mGraph->GetString(mGraph->GetAttributeField(mFirstAttribute + index, ATTRIBUTE_VALUE));
}

Bool NativeGraph::NativeAttributes::GetNameAndValue(UInt32 index, String* name, String* value) const
{
    if (index >= mAttributeCount) {
        Debug::Trace("Resource::NativeGraph::NativeAttributes::GetNameAndValue(): Index out of range");
        return false;
    }
    *name = GetAttributeName(index);
    *value = GetAttributeValue(index);
    return true;
}

Bool NativeGraph::NativeAttributes::IsAttributeUsed(UInt32) const
{
    return true;
}

UInt32 NativeGraph::NativeAttributes::GetNumberOfUnusedAttributes() const
{
    return 0;
}

Bool NativeGraph::NativeAttributes::GetUnusedAttributeNames(Array<String>*) const
{
    return false;
}

Bool NativeGraph::NativeAttributes::MarkAllAttributesUsed() const
{
    return true;
}

Bool NativeGraph::NativeAttributes::LookupValue(const IAttributes* parameters, const char* name, String* value,
                                                Bool* error) const
{
    if (name == nullptr)
        return false;
    for (UInt32 i = 0; i < mAttributeCount; ++i) {
        const UInt32 attribute = mFirstAttribute + i;
        if (std::strcmp(mGraph->GetString(mGraph->GetAttributeField(attribute, ATTRIBUTE_NAME)), name) != 0)
            continue;
        String text(mGraph->GetString(mGraph->GetAttributeField(attribute, ATTRIBUTE_VALUE)));
        if (!Util::Attributes::EvaluateParameters(parameters, name, &text, error))
            return false;
        *value = text;
        return true;
    }
    return false;
}

Bool NativeGraph::NativeAttributes::LookupValueAt(UInt32 index, const IAttributes* parameters, String* value,
                                                  Bool* error) const
{
    if (index >= mAttributeCount)
        return false;
    String text(mGraph->GetString(mGraph->GetAttributeField(mFirstAttribute + index, ATTRIBUTE_VALUE)));
    if (!Util::Attributes::EvaluateParameters(parameters, &text, error))
        return false;
    *value = text;
    return true;
}

// The String reads that the typed reads build on.

Bool NativeGraph::NativeAttributes::GetValue(const IAttributes* parameters, const char* name, String* value, Bool* error) const
{
    return LookupValue(parameters, name, value, error);
}

Bool NativeGraph::NativeAttributes::GetValue(UInt32 index, const IAttributes* parameters, String* value, Bool* error) const
{
    return LookupValueAt(index, parameters, value, error);
}

// Writing.

namespace {

struct NodeRecord
{
    UInt32 fields[5];
};

struct AttributeRecord
{
    UInt32 fields[3];
};

// Equal texts share one string index; indices follow the order of first use.
class StringPool
{
public:
    StringPool() : mByteCount(0) {}

    UInt32 Intern(const String& text)
    {
        const SInt32 position = mTexts.Find(text);
        if (position >= 0)
            return UInt32(position);
        mByteCount += UInt64(text.GetLength()) + 1;
        return UInt32(mTexts.Add(text));
    }

    UInt32 GetCount() const { return UInt32(mTexts.GetCount()); }
    UInt64 GetByteCount() const { return mByteCount; }
    const String& GetText(UInt32 index) const { return mTexts[SInt32(index)]; }

private:
    Index<String> mTexts;
    UInt64 mByteCount;
};

NodeRecord MakeNodeRecord(const IGraphNode* node, StringPool& strings)
{
    NodeRecord record = {};
    record.fields[NODE_CLASS_NAME] = strings.Intern(node->GetClassName());
    return record;
}

// A chunk block of the writer with its payload filled by fill; false when the block cannot be made.
template <class Fill>
Bool AddChunk(Util::IffData& file, UInt32 tag, UInt64 payloadSize, Fill fill)
{
    if (payloadSize > 0xFFFFFFFFull - kChunkHeaderSize - 3) {
        Debug::Trace("Resource::NativeGraph::Write(): Graph too large for the native form");
        return false;
    }
    UInt8* block = file.CreateChunk(tag, kChunkHeaderSize, UInt32(payloadSize));
    if (block == nullptr)
        return false;
    fill(block + kChunkHeaderSize);
    return file.AddChunk(block);
}

} // namespace

Bool NativeGraph::Write(const IGraph* graph, Data& target)
{
    const IGraphNode* root = graph != nullptr ? graph->GetRootNode() : nullptr;
    if (root == nullptr) {
        Debug::Trace("Resource::NativeGraph::Write(): Graph has no root node");
        return false;
    }

    StringPool strings;
    Array<NodeRecord> nodes;
    Array<AttributeRecord> attributes;
    nodes.Add(MakeNodeRecord(root, strings));

    // Depth first without recursion, so that a deep tree cannot exhaust the stack: each node's
    // subtree is expanded whole before its next sibling's.
    struct Pending
    {
        const IGraphNode* node;
        UInt32 record;
    };
    Array<Pending> pending;
    pending.Add(Pending{root, 0});
    Array<const IGraphNode*> children;
    while (!pending.IsEmpty()) {
        const Pending current = pending.GetLast();
        pending.SetCount(pending.GetCount() - 1);

        const IAttributes* list = current.node->GetAttributes();
        const UInt32 attributeCount = list != nullptr ? list->GetNumberOfAttributes() : 0;
        nodes[SInt32(current.record)].fields[NODE_ATTRIBUTE_COUNT] = attributeCount;
        nodes[SInt32(current.record)].fields[NODE_FIRST_ATTRIBUTE] = UInt32(attributes.GetCount());
        for (UInt32 i = 0; i < attributeCount; ++i) {
            String name;
            String value;
            if (!list->GetNameAndValue(i, &name, &value)) {
                Debug::Trace("Resource::NativeGraph::Write(): Failed to get attribute #%u of node #%u", i,
                             current.record);
                return false;
            }
            AttributeRecord record;
            record.fields[ATTRIBUTE_HASH] = name.GetHash();
            record.fields[ATTRIBUTE_NAME] = strings.Intern(name);
            record.fields[ATTRIBUTE_VALUE] = strings.Intern(value);
            attributes.Add(record);
        }

        const UInt32 childCount = current.node->GetNumberOfChildren();
        const UInt32 firstChild = UInt32(nodes.GetCount());
        nodes[SInt32(current.record)].fields[NODE_CHILD_COUNT] = childCount;
        nodes[SInt32(current.record)].fields[NODE_FIRST_CHILD] = firstChild;
        children.Clear();
        for (UInt32 i = 0; i < childCount; ++i) {
            const IGraphNode* child = current.node->GetChild(i);
            if (child == nullptr) {
                Debug::Trace("Resource::NativeGraph::Write(): Failed to get child #%u of node #%u", i, current.record);
                return false;
            }
            children.Add(child);
            nodes.Add(MakeNodeRecord(child, strings));
        }
        for (UInt32 i = childCount; i > 0; --i)
            pending.Add(Pending{children[SInt32(i - 1)], firstChild + i - 1});
    }

    const UInt32 nodeCount = UInt32(nodes.GetCount());
    const UInt32 stringCount = strings.GetCount();
    const UInt32 attributeCount = UInt32(attributes.GetCount());
    Util::IffData file(kGraphForm);
    const Bool written =
        AddChunk(file, kHeadTag, kHeadPayloadSize,
                 [&](UInt8* payload) {
                     std::memcpy(payload, kVersion, sizeof(kVersion));
                     Util::WriteLittleEndian32(payload + 4, nodeCount);
                     Util::WriteLittleEndian32(payload + 8, 0);
                 }) &&
        AddChunk(file, kStringsTag, 8 + UInt64(stringCount) * 4 + strings.GetByteCount(),
                 [&](UInt8* payload) {
                     const UInt32 tableOffset = 8;
                     const UInt32 dataOffset = tableOffset + stringCount * 4;
                     Util::WriteLittleEndian32(payload, tableOffset);
                     Util::WriteLittleEndian32(payload + 4, dataOffset);
                     UInt32 offset = 0;
                     for (UInt32 i = 0; i < stringCount; ++i) {
                         const String& text = strings.GetText(i);
                         Util::WriteLittleEndian32(payload + tableOffset + i * 4, offset);
                         // The block is zero-filled: the terminating zero is already there.
                         std::memcpy(payload + dataOffset + offset, text.GetText(), size_t(text.GetLength()));
                         offset += UInt32(text.GetLength()) + 1;
                     }
                 }) &&
        AddChunk(file, kAttributesTag, 4 + UInt64(attributeCount) * kAttributeRecordSize,
                 [&](UInt8* payload) {
                     Util::WriteLittleEndian32(payload, 4);
                     for (UInt32 i = 0; i < attributeCount; ++i) {
                         for (UInt32 field = 0; field < 3; ++field)
                             Util::WriteLittleEndian32(payload + 4 + i * kAttributeRecordSize + field * 4,
                                                       attributes[SInt32(i)].fields[field]);
                     }
                 }) &&
        AddChunk(file, kNodesTag, 4 + UInt64(nodeCount) * kNodeRecordSize, [&](UInt8* payload) {
            Util::WriteLittleEndian32(payload, 4);
            for (UInt32 i = 0; i < nodeCount; ++i) {
                for (UInt32 field = 0; field < 5; ++field)
                    Util::WriteLittleEndian32(payload + 4 + i * kNodeRecordSize + field * 4,
                                              nodes[SInt32(i)].fields[field]);
            }
        });
    return written && file.GetData(target);
}

} // namespace Resource
} // namespace Vorn
