// The audio nodes read their enumeration attributes ("sampleFormat", "distanceModel") so that a
// name the enumeration does not know counts as absent: the field keeps its default instead of
// the table's fallback value, which no audio back end accepts.
#pragma once

#include "foundation/attributes.h"
#include "foundation/enum_table.h"
#include "foundation/types.h"

namespace Vorn {
namespace Graph {

template <typename E>
void GetKnownEnumValue(const IAttributes& attributes, UInt32 index, const IAttributes* parameters, Bool* error,
                       const EnumTable& table, E& value)
{
    UInt32 number = 0;
    if (Util::GetEnumValue(attributes, index, parameters, error, table, number) && number != table.GetFallbackValue())
        value = static_cast<E>(number);
}

} // namespace Graph
} // namespace Vorn
