// Node class records and attribute-name tables: the vocabulary of graph resources. A record
// lets the factory create a node from its class name; a table turns the attribute names of a
// graph node into the indices of one class's own attributes (attribute_names.h holds them).
#pragma once

#include "foundation/array.h"
#include "foundation/string.h"
#include "foundation/types.h"

namespace Vorn {

class EnumTable;
class IAttributes;

namespace Graph {

class INode;

typedef INode* (*NodeCreateFunction)();

// One per node class. Records are built before first use and never freed by the factory.
struct NodeClassInfo
{
    NodeClassInfo(const String& className, NodeCreateFunction create);

    String mClassName;
    // Null for a built-in class that this build does not provide yet.
    NodeCreateFunction mCreate;
};

// The records of the built-in classes, in the order the factory registers them.
UInt32 GetNumberOfBuiltInNodeClasses();
const NodeClassInfo& GetBuiltInNodeClassInfo(UInt32 position);
// Null when no built-in class has that name.
const NodeClassInfo* FindBuiltInNodeClassInfo(const String& className);

// How an attribute's value is read from the attribute list.
enum class AttributeType : UInt8
{
    kNone,        // the closing row
    kString,
    kFloat,
    kSInt32,
    kUInt32,
    kBool,
    kColor,
    kStringList,  // the value split at separators
    kFlagBit,     // a Bool setting or clearing mMask in a flag word of the node
    kBitMask,     // a list of bit numbers replacing a mask
    kAngle,       // a number with an optional unit, in radians
    kEnumeration, // a value name of mEnumTable
};

// A row of an attribute-name table; the closing row has no name and the number of names as
// its index.
struct AttributeName
{
    const char* mName;
    UInt32 mIndex;
    AttributeType mType;
    UInt32 mMask;
    const EnumTable& (*mEnumTable)();
};

// The names one class adds to those of its bases. A lookup costs one hash probe using the hash
// the attribute list already holds for the name; nothing is allocated.
class AttributeTable
{
public:
    explicit AttributeTable(const AttributeName* rows);
    AttributeTable(const AttributeTable&) = delete;
    AttributeTable& operator=(const AttributeTable&) = delete;

    // The index of the name (matched byte for byte), or GetUnknownIndex() when the class does
    // not have it. hash is the name's String hash.
    UInt32 FindAttribute(UInt32 hash, const char* name) const;
    // The same for the attribute at position of the list.
    UInt32 FindAttribute(const IAttributes* attributes, UInt32 position) const;

    UInt32 GetUnknownIndex() const { return UInt32(mRows.GetCount()); }
    UInt32 GetNumberOfNames() const { return UInt32(mRows.GetCount()); }
    // Null for an index that is not one of the class's own.
    const AttributeName* GetRow(UInt32 index) const;
    const char* GetName(UInt32 index) const;

private:
    Array<const AttributeName*> mRows;
    Array<UInt32> mHashes;
    // Open addressing over the hashes: row position + 1, 0 for an empty slot.
    Array<UInt32> mSlots;
};

} // namespace Graph
} // namespace Vorn
