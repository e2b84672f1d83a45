#include "resource/text.h"

#include "resource/object.h"

namespace Vorn {
namespace Resource {

Text::Text(const String& id, const String& value, const UInt32* conditions, UInt32 conditionCount)
    : mId(id), mValue(value), mConditions(conditions), mConditionCount(conditionCount)
{
}

Text::~Text() {}

const String& Text::GetId() const
{
    return mId;
}

const String& Text::GetValue() const
{
    return mValue;
}

Bool Text::MatchesConditions(const IConfiguration* configuration) const
{
    return Condition::Matches(configuration, mConditions, mConditionCount);
}

const UInt32* Text::GetConditions() const
{
    return mConditions;
}

UInt32 Text::GetNumberOfConditions() const
{
    return mConditionCount;
}

} // namespace Resource
} // namespace Vorn
