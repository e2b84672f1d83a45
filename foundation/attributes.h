// Attribute lists: the named settings of a described object (an XML element, a graph node, a
// package entry, an animation key) as they reach the code that builds it. Values are converted
// on demand, may refer to parameters in braces ({name}) taken from a second list, and every
// attribute remembers whether it was read.
#pragma once

#include "foundation/array.h"
#include "foundation/map.h"
#include "foundation/string.h"
#include "foundation/types.h"

namespace Vorn {

// Filled by the colour getters from three or four comma-separated numbers.
struct Color
{
    Float red;
    Float green;
    Float blue;
    Float alpha;
};

// The read interface of every attribute list.
//
// The parameter list may be null; values are then taken literally. The error flag is only ever
// set, never cleared: a builder reads many attributes and looks at the flag once. Every read
// returns false when the attribute is absent (no message, flag untouched) or when its value does
// not convert (one log line, flag set); the output is written only when the read returns true,
// except that a list or bit word keeps what was read before the part that failed, and that an
// angle that does not convert sets the flag without a line.
// Reads mark the attribute used, also in the parameter list for the parameters they evaluate;
// that bookkeeping is why the reads are const.
class IAttributes
{
public:
    virtual ~IAttributes() {}

    virtual UInt32 GetNumberOfAttributes() const = 0;
    // Full String hash of the name; 0 for an index outside the list.
    virtual UInt32 GetAttributeHash(UInt32 index) const = 0;
    // Null for an index outside the list.
    virtual const char* GetAttributeName(UInt32 index) const = 0;
    // The raw value, parameters not evaluated; null for an index outside the list.
    virtual const char* GetAttributeValue(UInt32 index) const = 0;
    virtual Bool GetNameAndValue(UInt32 index, String* name, String* value) const = 0;
    virtual Bool IsAttributeUsed(UInt32 index) const = 0;
    virtual UInt32 GetNumberOfUnusedAttributes() const = 0;
    // Appends the names of the unused attributes; false (nothing appended) when all were read.
    virtual Bool GetUnusedAttributeNames(Array<String>* names) const = 0;
    virtual Bool MarkAllAttributesUsed() const = 0;

    virtual Bool GetValue(const IAttributes* parameters, const char* name, Color* value, Bool* error) const = 0;
    virtual Bool GetValue(const IAttributes* parameters, const char* name, Float* value, Bool* error) const = 0;
    virtual Bool GetValue(const IAttributes* parameters, const char* name, Double* value, Bool* error) const = 0;
    virtual Bool GetValue(const IAttributes* parameters, const char* name, SInt32* value, Bool* error) const = 0;
    virtual Bool GetValue(const IAttributes* parameters, const char* name, UInt32* value, Bool* error) const = 0;
    virtual Bool GetValue(const IAttributes* parameters, const char* name, Bool* value, Bool* error) const = 0;
    virtual Bool GetValue(const IAttributes* parameters, const char* name, String* value, Bool* error) const = 0;

    virtual Bool GetValue(UInt32 index, const IAttributes* parameters, Color* value, Bool* error) const = 0;
    virtual Bool GetValue(UInt32 index, const IAttributes* parameters, Float* value, Bool* error) const = 0;
    virtual Bool GetValue(UInt32 index, const IAttributes* parameters, Double* value, Bool* error) const = 0;
    virtual Bool GetValue(UInt32 index, const IAttributes* parameters, SInt32* value, Bool* error) const = 0;
    virtual Bool GetValue(UInt32 index, const IAttributes* parameters, UInt32* value, Bool* error) const = 0;
    virtual Bool GetValue(UInt32 index, const IAttributes* parameters, Bool* value, Bool* error) const = 0;
    virtual Bool GetValue(UInt32 index, const IAttributes* parameters, String* value, Bool* error) const = 0;

    // Comma-separated lists. With clearFirst the output is emptied before the parts are appended;
    // a part that does not convert ends the read with the values before it appended. The String
    // list always holds exactly the parts afterwards.
    virtual Bool GetValues(const IAttributes* parameters, const char* name, Array<Float>* values, Bool* error, Bool clearFirst) const = 0;
    virtual Bool GetValues(const IAttributes* parameters, const char* name, Array<Double>* values, Bool* error, Bool clearFirst) const = 0;
    virtual Bool GetValues(const IAttributes* parameters, const char* name, Array<SInt32>* values, Bool* error, Bool clearFirst) const = 0;
    virtual Bool GetValues(const IAttributes* parameters, const char* name, Array<UInt32>* values, Bool* error, Bool clearFirst) const = 0;
    virtual Bool GetValues(const IAttributes* parameters, const char* name, Array<Bool>* values, Bool* error, Bool clearFirst) const = 0;
    virtual Bool GetValues(const IAttributes* parameters, const char* name, Array<String>* values, Bool* error, Bool clearFirst) const = 0;

    virtual Bool GetValues(UInt32 index, const IAttributes* parameters, Array<Float>* values, Bool* error, Bool clearFirst) const = 0;
    virtual Bool GetValues(UInt32 index, const IAttributes* parameters, Array<Double>* values, Bool* error, Bool clearFirst) const = 0;
    virtual Bool GetValues(UInt32 index, const IAttributes* parameters, Array<SInt32>* values, Bool* error, Bool clearFirst) const = 0;
    virtual Bool GetValues(UInt32 index, const IAttributes* parameters, Array<UInt32>* values, Bool* error, Bool clearFirst) const = 0;
    virtual Bool GetValues(UInt32 index, const IAttributes* parameters, Array<Bool>* values, Bool* error, Bool clearFirst) const = 0;
    virtual Bool GetValues(UInt32 index, const IAttributes* parameters, Array<String>* values, Bool* error, Bool clearFirst) const = 0;

    // A Bool attribute applied to the mask's bits of the word: true sets them, false clears them
    // (the inverted forms the other way round).
    virtual Bool GetBitValue(const IAttributes* parameters, const char* name, UInt32 mask, UInt32* bits, Bool* error) const = 0;
    virtual Bool GetBitValue(UInt32 index, const IAttributes* parameters, UInt32 mask, UInt32* bits, Bool* error) const = 0;
    virtual Bool GetInvertedBitValue(const IAttributes* parameters, const char* name, UInt32 mask, UInt32* bits, Bool* error) const = 0;
    virtual Bool GetInvertedBitValue(UInt32 index, const IAttributes* parameters, UInt32 mask, UInt32* bits, Bool* error) const = 0;

    // A list of bit numbers (0 to 31) ORed into the word; clearFirst zeroes the word first. A
    // number out of range ends the read with the bits before it set.
    virtual Bool GetBitsToSet(const IAttributes* parameters, const char* name, UInt32* bits, Bool* error, Bool clearFirst) const = 0;
    virtual Bool GetBitsToSet(UInt32 index, const IAttributes* parameters, UInt32* bits, Bool* error, Bool clearFirst) const = 0;

    // A number with an optional unit ("d", "deg", "r", "rad"), delivered in radians.
    virtual Bool GetAngleValue(const IAttributes* parameters, const char* name, Float* value, Bool* error) const = 0;
    virtual Bool GetAngleValue(const IAttributes* parameters, const char* name, Double* value, Bool* error) const = 0;
    virtual Bool GetAngleValue(UInt32 index, const IAttributes* parameters, Float* value, Bool* error) const = 0;
    virtual Bool GetAngleValue(UInt32 index, const IAttributes* parameters, Double* value, Bool* error) const = 0;
};

namespace Util {

// The typed reads of IAttributes, done once for every list over the two String reads that each
// list supplies (its own lookup, parameter evaluation and used-flag bookkeeping).
class TypedAttributes : public IAttributes
{
public:
    // The evaluated value text by name and by index; false without a message when absent.
    Bool GetValue(const IAttributes* parameters, const char* name, String* value, Bool* error) const override = 0;
    Bool GetValue(UInt32 index, const IAttributes* parameters, String* value, Bool* error) const override = 0;

    Bool GetValue(const IAttributes* parameters, const char* name, Color* value, Bool* error) const override;
    Bool GetValue(const IAttributes* parameters, const char* name, Float* value, Bool* error) const override;
    Bool GetValue(const IAttributes* parameters, const char* name, Double* value, Bool* error) const override;
    Bool GetValue(const IAttributes* parameters, const char* name, SInt32* value, Bool* error) const override;
    Bool GetValue(const IAttributes* parameters, const char* name, UInt32* value, Bool* error) const override;
    Bool GetValue(const IAttributes* parameters, const char* name, Bool* value, Bool* error) const override;

    Bool GetValue(UInt32 index, const IAttributes* parameters, Color* value, Bool* error) const override;
    Bool GetValue(UInt32 index, const IAttributes* parameters, Float* value, Bool* error) const override;
    Bool GetValue(UInt32 index, const IAttributes* parameters, Double* value, Bool* error) const override;
    Bool GetValue(UInt32 index, const IAttributes* parameters, SInt32* value, Bool* error) const override;
    Bool GetValue(UInt32 index, const IAttributes* parameters, UInt32* value, Bool* error) const override;
    Bool GetValue(UInt32 index, const IAttributes* parameters, Bool* value, Bool* error) const override;

    Bool GetValues(const IAttributes* parameters, const char* name, Array<Float>* values, Bool* error, Bool clearFirst) const override;
    Bool GetValues(const IAttributes* parameters, const char* name, Array<Double>* values, Bool* error, Bool clearFirst) const override;
    Bool GetValues(const IAttributes* parameters, const char* name, Array<SInt32>* values, Bool* error, Bool clearFirst) const override;
    Bool GetValues(const IAttributes* parameters, const char* name, Array<UInt32>* values, Bool* error, Bool clearFirst) const override;
    Bool GetValues(const IAttributes* parameters, const char* name, Array<Bool>* values, Bool* error, Bool clearFirst) const override;
    Bool GetValues(const IAttributes* parameters, const char* name, Array<String>* values, Bool* error, Bool clearFirst) const override;

    Bool GetValues(UInt32 index, const IAttributes* parameters, Array<Float>* values, Bool* error, Bool clearFirst) const override;
    Bool GetValues(UInt32 index, const IAttributes* parameters, Array<Double>* values, Bool* error, Bool clearFirst) const override;
    Bool GetValues(UInt32 index, const IAttributes* parameters, Array<SInt32>* values, Bool* error, Bool clearFirst) const override;
    Bool GetValues(UInt32 index, const IAttributes* parameters, Array<UInt32>* values, Bool* error, Bool clearFirst) const override;
    Bool GetValues(UInt32 index, const IAttributes* parameters, Array<Bool>* values, Bool* error, Bool clearFirst) const override;
    Bool GetValues(UInt32 index, const IAttributes* parameters, Array<String>* values, Bool* error, Bool clearFirst) const override;

    Bool GetBitValue(const IAttributes* parameters, const char* name, UInt32 mask, UInt32* bits, Bool* error) const override;
    Bool GetBitValue(UInt32 index, const IAttributes* parameters, UInt32 mask, UInt32* bits, Bool* error) const override;
    Bool GetInvertedBitValue(const IAttributes* parameters, const char* name, UInt32 mask, UInt32* bits, Bool* error) const override;
    Bool GetInvertedBitValue(UInt32 index, const IAttributes* parameters, UInt32 mask, UInt32* bits, Bool* error) const override;

    Bool GetBitsToSet(const IAttributes* parameters, const char* name, UInt32* bits, Bool* error, Bool clearFirst) const override;
    Bool GetBitsToSet(UInt32 index, const IAttributes* parameters, UInt32* bits, Bool* error, Bool clearFirst) const override;

    Bool GetAngleValue(const IAttributes* parameters, const char* name, Float* value, Bool* error) const override;
    Bool GetAngleValue(const IAttributes* parameters, const char* name, Double* value, Bool* error) const override;
    Bool GetAngleValue(UInt32 index, const IAttributes* parameters, Float* value, Bool* error) const override;
    Bool GetAngleValue(UInt32 index, const IAttributes* parameters, Double* value, Bool* error) const override;

protected:
    // className opens every conversion message of the list, e.g. "Util::Attributes".
    explicit TypedAttributes(const char* className);

private:
    const char* mClassName;
};

// The general, editable attribute list: built from an XML element's attributes, copied or
// merged from other lists, or filled one pair at a time (graph instance parameters).
class Attributes : public TypedAttributes
{
public:
    struct Record
    {
        String mName;
        String mValue; // raw text, parameters not evaluated
        Bool mUsed;
    };

    Attributes();
    // From alternating name and value texts ending with a null entry, as the XML parser hands
    // them over; a null list gives an empty list and a null value an empty value.
    explicit Attributes(const char* const* namesAndValues);
    // Copies every attribute of the source (only the unused ones with unusedOnly); all unused.
    Attributes(const IAttributes& source, Bool unusedOnly);
    Attributes(const Attributes& source);
    // Every attribute of first, then those of second whose name first lacks; all unused.
    Attributes(const IAttributes& first, const IAttributes& second);
    ~Attributes() override;

    Attributes& operator=(const Attributes&) = delete;

    UInt32 GetNumberOfAttributes() const override;
    UInt32 GetAttributeHash(UInt32 index) const override;
    const char* GetAttributeName(UInt32 index) const override;
    const char* GetAttributeValue(UInt32 index) const override;
    Bool GetNameAndValue(UInt32 index, String* name, String* value) const override;
    Bool IsAttributeUsed(UInt32 index) const override;
    UInt32 GetNumberOfUnusedAttributes() const override;
    Bool GetUnusedAttributeNames(Array<String>* names) const override;
    Bool MarkAllAttributesUsed() const override;

    // Parameters evaluated and the attribute marked used; the typed reads build on these.
    using TypedAttributes::GetValue;
    Bool GetValue(const IAttributes* parameters, const char* name, String* value, Bool* error) const override;
    Bool GetValue(UInt32 index, const IAttributes* parameters, String* value, Bool* error) const override;

    // False when the name is already present.
    Bool AddAttribute(const String& name, const String& value);
    // False when the name is absent; the attribute becomes unused again.
    Bool SetAttribute(const String& name, const String& value);

    // Replaces every {name} in the value by that parameter's value, braces nesting; the value is
    // left unchanged on failure. Without a parameter list the value stays literal. The named
    // form puts the attribute name into its messages.
    static Bool EvaluateParameters(const IAttributes* parameters, const char* attributeName, String* value, Bool* error);
    static Bool EvaluateParameters(const IAttributes* parameters, String* value, Bool* error);

private:
    void AppendRecord(const String& name, const String& value);
    // Finds the attribute and marks it used; null when absent.
    Record* UseRecord(const char* name) const;
    Record* UseRecord(UInt32 index) const;

    Index<String> mNames;
    Array<Record*> mRecords;
    mutable UInt32 mNumUsed;
};

} // namespace Util
} // namespace Vorn
