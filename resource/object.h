// Resource objects: the base of every resource a package hands out (graph, image, mesh, collider,
// font, sound, animation, atlas), and the condition words that choose among the variants of one id.
// Every type class derives first from Resource::Object and second from its own interface.
#pragma once

#include "foundation/data.h"
#include "foundation/string.h"
#include "foundation/types.h"

namespace Vorn {

class IAttributes;
class IConfiguration;

namespace Resource {

// Condition word: value in bits 0-23, category in bits 24-28, include in bit 30, exclude in bit 31
// (read only when bit 30 is clear). A word with neither bit set is ignored.
namespace Condition {

constexpr UInt32 kValueMask = 0x00FFFFFF;
constexpr UInt32 kCategoryShift = 24;
constexpr UInt32 kCategoryMask = 0x1F;
constexpr UInt32 kInclude = 0x40000000;
constexpr UInt32 kExclude = 0x80000000;

// Categories in word order; categories from kCategoryCount on are never satisfied.
enum Category : UInt32
{
    LANGUAGES = 0,
    TARGET_CLASSES = 1,
    TARGET_DEVICES = 2,
    OPERATING_SYSTEMS = 3,
    GPUS = 4,
    SCREEN_SIZES = 5,
    PRESCALE_FACTORS = 6,
    DISPLAY_INTERFACES = 7,
    AUDIO_INTERFACES = 8,
};
constexpr UInt32 kCategoryCount = 9;

// The attribute name part of a category ("Languages", "TargetClasses", ...); null from
// kCategoryCount on. XML readers build "includeFor" and "excludeFor" names from it.
const char* GetCategoryName(UInt32 category);

// The words built from their parts. The value must fit its 24 bits (see IsValidValue).
constexpr UInt32 MakeInclude(UInt32 category, UInt32 value) { return kInclude | (category << kCategoryShift) | value; }
constexpr UInt32 MakeExclude(UInt32 category, UInt32 value) { return kExclude | (category << kCategoryShift) | value; }
constexpr Bool IsValidValue(UInt32 value) { return value <= kValueMask; }

// True when the configuration accepts the words: no exclude word matches and every category
// that has include words has at least one that matches. No words match every configuration.
Bool Matches(const IConfiguration* configuration, const UInt32* conditions, UInt32 conditionCount);

} // namespace Condition

class IObject
{
public:
    virtual Bool Init() = 0;
    virtual Bool DeInit() = 0;
    virtual const String& GetId() const = 0;
    virtual Bool MatchesConditions(const IConfiguration* configuration) const = 0;
    // Fills data with the object in the form a native package embeds; false when it cannot.
    virtual Bool GetNativeData(Data& data) const = 0;
    virtual ~IObject() {}
};

class Object : public IObject
{
public:
    // The data and the condition words are borrowed: whoever made the object keeps them alive
    // until it is destroyed. The id is copied.
    Object(const String& id, const void* data, UInt32 size, const UInt32* conditions, UInt32 conditionCount);
    ~Object() override;
    Object(const Object&) = delete;
    Object& operator=(const Object&) = delete;

    Bool Init() override;
    Bool DeInit() override;
    const String& GetId() const override;
    Bool MatchesConditions(const IConfiguration* configuration) const override;

    virtual const UInt32* GetConditions() const;
    virtual UInt32 GetNumberOfConditions() const;
    // The extra attributes of the XML element that described the resource; the base ignores them.
    virtual void SetAttributes(const IAttributes* attributes, Bool* error);

    const void* GetData() const { return mData; }
    UInt32 GetSize() const { return mSize; }

protected:
    // GetNativeData of the native types: a copy of the bytes the object was made from (the
    // buffer is left empty when there are none). Always true.
    Bool CopyNativeData(Data& data) const;

    String mId;
    const void* mData;
    UInt32 mSize;
    const UInt32* mConditions;
    UInt32 mConditionCount;
};

} // namespace Resource
} // namespace Vorn
