// Texts of a package: an id, a value and condition words, chosen among variants of one id by the
// same rule as resource objects. The collection hands out their values by "package:text" id.
#pragma once

#include "foundation/string.h"
#include "foundation/types.h"

namespace Vorn {

class IConfiguration;

namespace Resource {

class IText
{
public:
    virtual const String& GetId() const = 0;
    virtual const String& GetValue() const = 0;
    virtual Bool MatchesConditions(const IConfiguration* configuration) const = 0;
    virtual ~IText() {}
};

class Text : public IText
{
public:
    // The id and value are copied; the condition words are borrowed from whoever made the text.
    Text(const String& id, const String& value, const UInt32* conditions, UInt32 conditionCount);
    ~Text() override;
    Text(const Text&) = delete;
    Text& operator=(const Text&) = delete;

    const String& GetId() const override;
    const String& GetValue() const override;
    Bool MatchesConditions(const IConfiguration* configuration) const override;

    virtual const UInt32* GetConditions() const;
    virtual UInt32 GetNumberOfConditions() const;

private:
    String mId;
    String mValue;
    const UInt32* mConditions;
    UInt32 mConditionCount;
};

} // namespace Resource
} // namespace Vorn
