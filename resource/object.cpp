#include "resource/object.h"

#include "foundation/configuration.h"

namespace Vorn {
namespace Resource {
namespace Condition {

namespace {

typedef Bool (IConfiguration::*CategoryTest)(UInt32 value) const;

struct CategoryRow
{
    const char* name;
    CategoryTest test;
};

// In category order; the family rule lives in the configuration's own tests.
const CategoryRow kCategories[kCategoryCount] = {
    {"Languages", &IConfiguration::IsLanguage},
    {"TargetClasses", &IConfiguration::IsDeviceClass},
    {"TargetDevices", &IConfiguration::IsDeviceModel},
    {"OperatingSystems", &IConfiguration::IsOperatingSystem},
    {"Gpus", &IConfiguration::IsGpuModel},
    {"ScreenSizes", &IConfiguration::IsScreenClass},
    {"PrescaleFactors", &IConfiguration::IsPrescaleFactor},
    {"DisplayInterfaces", &IConfiguration::IsVideoApi},
    {"AudioInterfaces", &IConfiguration::IsAudioApi},
};

Bool Accepts(const IConfiguration* configuration, UInt32 category, UInt32 value)
{
    if (category >= kCategoryCount || configuration == nullptr)
        return false;
    return (configuration->*kCategories[category].test)(value);
}

} // namespace

const char* GetCategoryName(UInt32 category)
{
    return category < kCategoryCount ? kCategories[category].name : nullptr;
}

Bool Matches(const IConfiguration* configuration, const UInt32* conditions, UInt32 conditionCount)
{
    if (conditions == nullptr || conditionCount == 0)
        return true;
    UInt32 included = 0;
    UInt32 satisfied = 0;
    Bool excluded = false;
    // Every word is looked at, so the result never depends on where a word stands.
    for (UInt32 i = 0; i < conditionCount; ++i) {
        const UInt32 word = conditions[i];
        const UInt32 value = word & kValueMask;
        const UInt32 category = (word >> kCategoryShift) & kCategoryMask;
        if ((word & kInclude) != 0) {
            included |= UInt32(1) << category;
            if (Accepts(configuration, category, value))
                satisfied |= UInt32(1) << category;
        } else if ((word & kExclude) != 0) {
            if (Accepts(configuration, category, value))
                excluded = true;
        }
    }
    if (excluded)
        return false;
    return (included & ~satisfied) == 0;
}

} // namespace Condition

Object::Object(const String& id, const void* data, UInt32 size, const UInt32* conditions, UInt32 conditionCount)
    : mId(id), mData(data), mSize(size), mConditions(conditions), mConditionCount(conditionCount)
{
}

Object::~Object() {}

Bool Object::Init()
{
    return true;
}

Bool Object::DeInit()
{
    return true;
}

const String& Object::GetId() const
{
    return mId;
}

Bool Object::MatchesConditions(const IConfiguration* configuration) const
{
    return Condition::Matches(configuration, mConditions, mConditionCount);
}

const UInt32* Object::GetConditions() const
{
    return mConditions;
}

UInt32 Object::GetNumberOfConditions() const
{
    return mConditionCount;
}

void Object::SetAttributes(const IAttributes*, Bool*) {}

Bool Object::CopyNativeData(Data& data) const
{
    data.Release();
    if (mData != nullptr && mSize != 0)
        data.Assign(mData, mSize);
    return true;
}

} // namespace Resource
} // namespace Vorn
