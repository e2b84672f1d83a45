// The two-way name table of one enumeration: turns a value name read from a data file or a
// package description into its number and back. Tables are built from constant row arrays
// before the program's entry function runs and are only read afterwards (no locks).
#pragma once

#include <type_traits>

#include "foundation/array.h"
#include "foundation/map.h"
#include "foundation/string.h"
#include "foundation/types.h"

namespace Vorn {

class IAttributes;

class EnumTable
{
public:
    // The rows of one table, in order; the array ends with a row whose name is null and whose
    // value is the table's fallback value.
    struct Row
    {
        const char* name;
        UInt32 value;
    };

    // Copies every row's name; a row array that starts with its terminator gives an empty table.
    explicit EnumTable(const Row* rows);
    EnumTable(const EnumTable&) = delete;
    EnumTable& operator=(const EnumTable&) = delete;

    // Value of the earliest row of that exact name (case and blanks matter); the fallback value
    // when no row has it.
    UInt32 GetValue(const String& name) const;
    // Same, with the name's String hash already at hand (as an attribute list keeps it).
    UInt32 GetValue(const String& name, UInt32 hash) const;
    // Name of the earliest row with that value; String::Empty when no row has it. The reference
    // lives as long as the table.
    const String& GetName(UInt32 value) const;

    UInt32 GetFallbackValue() const { return mFallbackValue; }
    SInt32 GetNumberOfRows() const { return mNameToValue.GetCount(); }

private:
    Map<String, UInt32> mNameToValue;
    Map<UInt32, String> mValueToName;
    UInt32 mFallbackValue;
};

namespace Util {

// Reads one attribute's text and stores the table's value of it. The attribute is named by its
// position in the list (node readers) or by its name (resource readers); the parameter list and
// the error flag go to the list's String getter unchanged. Returns false, leaving the value as
// it was, when the list cannot give the text; a name that no row holds stores the fallback value
// and still succeeds.
Bool GetEnumValue(const IAttributes& attributes, UInt32 index, const IAttributes* parameters, Bool* error,
                  const EnumTable& table, UInt32& value);
Bool GetEnumValue(const IAttributes& attributes, const char* name, const IAttributes* parameters, Bool* error,
                  const EnumTable& table, UInt32& value);

// The same into an enumeration-typed field.
template <typename Attribute, typename E>
    requires std::is_enum_v<E>
Bool GetEnumValue(const IAttributes& attributes, Attribute attribute, const IAttributes* parameters, Bool* error,
                  const EnumTable& table, E& value)
{
    UInt32 number;
    if (!GetEnumValue(attributes, attribute, parameters, error, table, number))
        return false;
    value = static_cast<E>(number);
    return true;
}

// Reads one attribute whose text is a comma-separated list and stores the table's value of each
// element, in order (the fallback value for an unknown element). The output is emptied first and
// stays empty when the list cannot give the attribute (false).
Bool GetEnumValues(const IAttributes& attributes, UInt32 index, const IAttributes* parameters, Bool* error,
                   const EnumTable& table, Array<UInt32>& values);
Bool GetEnumValues(const IAttributes& attributes, const char* name, const IAttributes* parameters, Bool* error,
                   const EnumTable& table, Array<UInt32>& values);

} // namespace Util
} // namespace Vorn
