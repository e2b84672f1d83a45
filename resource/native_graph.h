// The graph read in place from its native form (chunk file of form "GRPH"), and the writer of that
// form for any graph tree. Native packages embed graphs in this form; XML graphs are stored in it.
//
// Layout: "HEAD" (version "0.01", node count, root index), "STRG" (offset of the offset table,
// offset of the string data, the table, zero-terminated texts), "ATTR" (offset of the first
// record, 12-byte records: name hash, name string, value string), "NODE" (offset of the first
// record, 20-byte records: class name string, attribute count, first attribute, child count,
// first child). Integers are little-endian UInt32; node 0 is the root.
#pragma once

#include <memory>

#include "foundation/attributes.h"
#include "foundation/data.h"
#include "foundation/string.h"
#include "foundation/types.h"
#include "resource/graph.h"

namespace Vorn {
namespace Resource {

class NativeGraph : public Graph
{
public:
    // Read-only view of one node's attribute records. Texts are read in place; values are
    // evaluated against the caller's parameters on every read. Nothing is tracked as used.
    class NativeAttributes : public Util::TypedAttributes
    {
    public:
        NativeAttributes();
        ~NativeAttributes() override;
        NativeAttributes(const NativeAttributes&) = delete;
        NativeAttributes& operator=(const NativeAttributes&) = delete;

        void Bind(const NativeGraph* graph, UInt32 firstAttribute, UInt32 attributeCount);

        UInt32 GetNumberOfAttributes() const override;
        UInt32 GetAttributeHash(UInt32 index) const override;
        const char* GetAttributeName(UInt32 index) const override;
        const char* GetAttributeValue(UInt32 index) const override;
        Bool GetNameAndValue(UInt32 index, String* name, String* value) const override;
        Bool IsAttributeUsed(UInt32 index) const override;
        UInt32 GetNumberOfUnusedAttributes() const override;
        Bool GetUnusedAttributeNames(Array<String>* names) const override;
        Bool MarkAllAttributesUsed() const override;

        // The lookups below; the typed reads build on these.
        using Util::TypedAttributes::GetValue;
        Bool GetValue(const IAttributes* parameters, const char* name, String* value, Bool* error) const override;
        Bool GetValue(UInt32 index, const IAttributes* parameters, String* value, Bool* error) const override;

        // The first attribute of that name (exact bytes), its value evaluated with the
        // parameters. False without a message when absent; false with the error flag set when
        // the evaluation fails.
        virtual Bool LookupValue(const IAttributes* parameters, const char* name, String* value, Bool* error) const;
        // The same for the attribute at an index; false without a message outside the list.
        virtual Bool LookupValueAt(UInt32 index, const IAttributes* parameters, String* value, Bool* error) const;

    private:
        const NativeGraph* mGraph;
        UInt32 mFirstAttribute;
        UInt32 mAttributeCount;
    };

    class NativeNode : public IGraphNode
    {
    public:
        NativeNode();
        ~NativeNode() override;
        NativeNode(const NativeNode&) = delete;
        NativeNode& operator=(const NativeNode&) = delete;

        void Bind(const NativeGraph* graph, UInt32 index);

        String GetClassName() const override;
        UInt32 GetNumberOfChildren() const override;
        const IGraphNode* GetChild(UInt32 index) const override;
        const IAttributes* GetAttributes() const override;

    private:
        NativeAttributes mAttributes;
        const NativeGraph* mGraph;
        UInt32 mIndex;
    };

    // Object creator for "GRPH" chunk files. Another form or version is declined silently; a
    // "GRPH" file whose framing, counts, offsets, indices or strings do not fit its bytes is
    // refused with one log line. Neither sets failed, so the bytes go on to the next creator.
    // The graph reads the bytes in place: releaseData is cleared when a graph is returned.
    static IObject* Create(const IAttributes* attributes, const String& id, const void* data, UInt32 size,
                           const UInt32* conditions, UInt32 conditionCount, Bool* releaseData, Bool* failed);

    // Writes any graph tree in the native form into target. Nodes are numbered parent before
    // children, each node's children consecutively; equal texts are stored once. False when the
    // graph has no root node.
    static Bool Write(const IGraph* graph, Data& target);

    ~NativeGraph() override;

    const IGraphNode* GetRootNode() const override;
    const IAttributes* GetRootAttributes() const override;
    // A copy of the source bytes.
    Bool GetNativeData(Data& data) const override;

private:
    struct Layout;

    NativeGraph(const String& id, const void* data, UInt32 size, const UInt32* conditions, UInt32 conditionCount,
                const Layout& layout);

    // Record fields and texts; the reader checked every index against its chunk.
    UInt32 GetNodeField(UInt32 node, UInt32 field) const;
    UInt32 GetAttributeField(UInt32 attribute, UInt32 field) const;
    const char* GetString(UInt32 index) const;

    std::unique_ptr<NativeNode[]> mNodes;
    UInt32 mNodeCount;
    const UInt8* mNodeRecords;
    const UInt8* mAttributeRecords; // null without an "ATTR" chunk
    const UInt8* mStringOffsets;
    const UInt8* mStrings;
};

} // namespace Resource
} // namespace Vorn
