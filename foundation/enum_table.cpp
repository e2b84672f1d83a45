#include "foundation/enum_table.h"

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

} // namespace Vorn
