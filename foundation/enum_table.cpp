#include "foundation/enum_table.h"

#include "foundation/attributes.h"

namespace Vorn {

EnumTable::EnumTable(const Row* rows) : mFallbackValue(0)
{
    if (rows == nullptr)
        return;
    // Repeated names or values are kept as they come; lookups find the earliest row.
    for (; rows->name != nullptr; ++rows) {
        mNameToValue.Add(String(rows->name), rows->value);
        mValueToName.Add(rows->value, String(rows->name));
    }
    mFallbackValue = rows->value;
}

UInt32 EnumTable::GetValue(const String& name) const
{
    const SInt32 position = mNameToValue.Find(name);
    return position < 0 ? mFallbackValue : mNameToValue.GetValue(position);
}

UInt32 EnumTable::GetValue(const String& name, UInt32 hash) const
{
    const SInt32 position = mNameToValue.Find(name, hash);
    return position < 0 ? mFallbackValue : mNameToValue.GetValue(position);
}

const String& EnumTable::GetName(UInt32 value) const
{
    const SInt32 position = mValueToName.Find(value);
    return position < 0 ? String::Empty : mValueToName.GetValue(position);
}

namespace Util {

namespace {

template <typename Attribute>
Bool ReadEnumValue(const IAttributes& attributes, Attribute attribute, const IAttributes* parameters, Bool* error,
                   const EnumTable& table, UInt32& value)
{
    String text;
    Bool found;
    if constexpr (std::is_same_v<Attribute, UInt32>)
        found = attributes.GetValue(attribute, parameters, &text, error);
    else
        found = attributes.GetValue(parameters, attribute, &text, error);
    if (!found)
        return false;
    value = table.GetValue(text);
    return true;
}

template <typename Attribute>
Bool ReadEnumValues(const IAttributes& attributes, Attribute attribute, const IAttributes* parameters, Bool* error,
                    const EnumTable& table, Array<UInt32>& values)
{
    values.Clear();
    Array<String> elements;
    Bool found;
    if constexpr (std::is_same_v<Attribute, UInt32>)
        found = attributes.GetValues(attribute, parameters, &elements, error, true);
    else
        found = attributes.GetValues(parameters, attribute, &elements, error, true);
    if (!found)
        return false;
    for (const String& element : elements)
        values.Add(table.GetValue(element));
    return true;
}

} // namespace

Bool GetEnumValue(const IAttributes& attributes, UInt32 index, const IAttributes* parameters, Bool* error,
                  const EnumTable& table, UInt32& value)
{
    return ReadEnumValue(attributes, index, parameters, error, table, value);
}

Bool GetEnumValue(const IAttributes& attributes, const char* name, const IAttributes* parameters, Bool* error,
                  const EnumTable& table, UInt32& value)
{
    return ReadEnumValue(attributes, name, parameters, error, table, value);
}

Bool GetEnumValues(const IAttributes& attributes, UInt32 index, const IAttributes* parameters, Bool* error,
                   const EnumTable& table, Array<UInt32>& values)
{
    return ReadEnumValues(attributes, index, parameters, error, table, values);
}

Bool GetEnumValues(const IAttributes& attributes, const char* name, const IAttributes* parameters, Bool* error,
                   const EnumTable& table, Array<UInt32>& values)
{
    return ReadEnumValues(attributes, name, parameters, error, table, values);
}

} // namespace Util
} // namespace Vorn
