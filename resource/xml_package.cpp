#include "resource/xml_package.h"

#include <cstring>

#include "foundation/debug.h"
#include "foundation/enum_table.h"
#include "foundation/enums.h"
#include "foundation/path.h"
#include "foundation/text.h"
#include "resource/instance.h"
#include "resource/native_package.h"
#include "resource/object.h"
#include "resource/text.h"

namespace Vorn {
namespace Resource {

namespace {

// The value vocabulary of each condition category, in word order; null where the values are
// plain unsigned numbers.
typedef const EnumTable& (*EnumTableGetter)();

const EnumTableGetter kConditionTables[Condition::kCategoryCount] = {
    &Enums::GetLanguageTable,
    &Enums::GetDeviceClassTable,
    &Enums::GetDeviceModelTable,
    &Enums::GetOperatingSystemTable,
    &Enums::GetGpuModelTable,
    &Enums::GetScreenClassTable,
    nullptr,
    &Enums::GetVideoApiTable,
    &Enums::GetAudioApiTable,
};

// Reads one condition list; a missing attribute leaves the list empty.
void ReadConditionList(const IAttributes* attributes, UInt32 category, const String& name, Array<UInt32>& values,
                       Bool* error)
{
    values.Clear();
    if (kConditionTables[category] == nullptr)
        attributes->GetValues(nullptr, name.GetText(), &values, error, true);
    else
        Util::GetEnumValues(*attributes, name.GetText(), nullptr, error, kConditionTables[category](), values);
}

// A value beyond 24 bits would spill into the category bits and turn into a condition of
// another category.
Bool CheckConditionValues(const Array<UInt32>& values, const String& name)
{
    for (UInt32 value : values) {
        if (!Condition::IsValidValue(value)) {
            Debug::Trace("Resource::XmlPackage::Parser::ParseConditions(): Value %u of attribute \"%s\" does not fit "
                         "in 24 bits",
                         value, name.GetText());
            return false;
        }
    }
    return true;
}

String ReadString(const IAttributes* attributes, const char* name)
{
    String value;
    Bool error = false;
    attributes->GetValue(nullptr, name, &value, &error);
    return value;
}

Bool IsValidId(const String& id)
{
    return !id.IsEmpty() && Util::IsIdentifier(id);
}

} // namespace

// Parser.

XmlPackage::Parser::Parser() {}

XmlPackage::Parser::~Parser()
{
    for (UInt32* conditions : mConditionArrays)
        delete[] conditions;
}

Bool XmlPackage::Parser::IsRootElement(const String& name)
{
    return name == "Package";
}

Bool XmlPackage::Parser::OnRootElement(const String&, Util::Attributes* attributes)
{
    mPackageId = ReadString(attributes, "id");
    return IsValidId(mPackageId);
}

Bool XmlPackage::Parser::OnElement(const String& name, Util::Attributes* attributes)
{
    if (GetDepth() != 1)
        return false;
    if (name == "Resource")
        return ParseResource(attributes);
    if (name == "Text")
        return ParseString(attributes);
    if (name == "Instance")
        return ParseInstance(attributes);
    return false;
}

Bool XmlPackage::Parser::ParseResource(const IAttributes* attributes)
{
    ResourceRecord record;
    record.mId = ReadString(attributes, "id");
    record.mFileName = ReadString(attributes, "fileName");
    if (!IsValidId(record.mId)) {
        Debug::Trace("Resource::XmlPackage::Parser::ParseResource(): No valid resource ID specified");
        return false;
    }
    if (record.mFileName.IsEmpty()) {
        Debug::Trace("Resource::XmlPackage::Parser::ParseResource(): No resource file name specified");
        return false;
    }
    // Unreadable conditions drop the element but do not fail the document.
    if (!ReadConditions(attributes, record.mConditions, record.mConditionCount))
        return true;
    record.mExtraAttributes = TakeExtraAttributes(attributes);
    mResources.Add(std::move(record));
    return true;
}

Bool XmlPackage::Parser::ParseString(const IAttributes* attributes)
{
    TextRecord record;
    record.mId = ReadString(attributes, "id");
    record.mValue = ReadString(attributes, "value");
    if (!IsValidId(record.mId)) {
        Debug::Trace("Resource::XmlPackage::Parser::ParseString(): No valid resource ID specified");
        return false;
    }
    if (!ReadConditions(attributes, record.mConditions, record.mConditionCount))
        return true;
    record.mExtraAttributes = TakeExtraAttributes(attributes);
    mTexts.Add(std::move(record));
    return true;
}

Bool XmlPackage::Parser::ParseInstance(const IAttributes* attributes)
{
    InstanceRecord record;
    record.mGraphResourceId = ReadString(attributes, "graphResourceId");
    record.mParentNodeId = ReadString(attributes, "parentNodeId");
    if (!IsValidId(record.mGraphResourceId)) {
        Debug::Trace("Resource::XmlPackage::Parser::ParseInstance(): No valid resource ID specified");
        return false;
    }
    if (!ReadConditions(attributes, record.mConditions, record.mConditionCount))
        return true;
    mInstances.Add(std::move(record));
    return true;
}

Bool XmlPackage::Parser::ParseConditions(const IAttributes* attributes, Array<UInt32>& conditions)
{
    const SInt32 firstWord = conditions.GetCount();
    Array<UInt32> includes;
    Array<UInt32> excludes;
    for (UInt32 category = 0; category < Condition::kCategoryCount; ++category) {
        const char* namePart = Condition::GetCategoryName(category);
        const String includeName = String("includeFor") + namePart;
        const String excludeName = String("excludeFor") + namePart;
        Bool error = false;
        ReadConditionList(attributes, category, includeName, includes, &error);
        ReadConditionList(attributes, category, excludeName, excludes, &error);
        if (error || (!includes.IsEmpty() && !excludes.IsEmpty()) || !CheckConditionValues(includes, includeName) ||
            !CheckConditionValues(excludes, excludeName)) {
            conditions.SetCount(firstWord);
            return false;
        }
        for (UInt32 value : includes)
            conditions.Add(Condition::MakeInclude(category, value));
        for (UInt32 value : excludes)
            conditions.Add(Condition::MakeExclude(category, value));
    }
    return true;
}

Bool XmlPackage::Parser::ReadConditions(const IAttributes* attributes, const UInt32*& conditions,
                                        UInt32& conditionCount)
{
    conditions = nullptr;
    conditionCount = 0;
    Array<UInt32> words;
    if (!ParseConditions(attributes, words))
        return false;
    if (words.IsEmpty())
        return true;
    UInt32* array = new UInt32[size_t(words.GetCount())];
    std::memcpy(array, words.GetItems(), sizeof(UInt32) * size_t(words.GetCount()));
    mConditionArrays.Add(array);
    conditions = array;
    conditionCount = UInt32(words.GetCount());
    return true;
}

std::unique_ptr<Util::Attributes> XmlPackage::Parser::TakeExtraAttributes(const IAttributes* attributes)
{
    std::unique_ptr<Util::Attributes> extra;
    if (attributes->GetNumberOfUnusedAttributes() > 0)
        extra = std::make_unique<Util::Attributes>(*attributes, true);
    attributes->MarkAllAttributesUsed();
    return extra;
}

void XmlPackage::Parser::TakeConditionArrays(Array<UInt32*>& arrays)
{
    for (UInt32* conditions : mConditionArrays)
        arrays.Add(conditions);
    mConditionArrays.Clear();
}

// Package.

XmlPackage::XmlPackage(const IConfiguration* configuration, IFileInterface* fileInterface)
    : Package(configuration, fileInterface)
{
}

XmlPackage::~XmlPackage()
{
    // The objects and texts borrow the condition words, so they go first.
    Clear();
    for (UInt32* conditions : mConditionArrays)
        delete[] conditions;
}

// An XML package may name files of any form a native one embeds, so both try the same creators
// in the same order.
Bool XmlPackage::RegisterCreators()
{
    UInt32 count = 0;
    const ObjectCreator* creators = NativePackage::GetObjectCreators(count);
    for (UInt32 i = 0; i < count; ++i)
        AddObjectCreator(creators[i]);
    return true;
}

Bool XmlPackage::UnregisterCreators()
{
    UInt32 count = 0;
    const ObjectCreator* creators = NativePackage::GetObjectCreators(count);
    for (UInt32 i = 0; i < count; ++i)
        RemoveObjectCreator(creators[i]);
    return true;
}

Package* XmlPackage::Create(const IConfiguration* configuration, IFileInterface* fileInterface,
                            const String& basePath, const void* data, UInt32 size, Bool* releaseData, Bool* failed)
{
    Bool release = true;
    Bool refused = false;
    if (releaseData == nullptr)
        releaseData = &release;
    if (failed == nullptr)
        failed = &refused;
    // Nothing keeps pointing into the description.
    *releaseData = true;

    Parser parser;
    if (!parser.Parse(data, size)) {
        // Bytes that are not a package description are left to the next creator.
        if (parser.HasDocumentError()) {
            Debug::Trace("Resource::XmlPackage::Create(): Failed, %s", parser.GetErrorString().GetText());
            *failed = true;
        }
        return nullptr;
    }
    if (parser.GetResources().IsEmpty() && parser.GetTexts().IsEmpty()) {
        Debug::Trace("Resource::XmlPackage::Create(): No resources in package '%s'", basePath.GetText());
        *failed = true;
        return nullptr;
    }

    XmlPackage* package = new XmlPackage(configuration, fileInterface);
    Bool ok = package->RegisterCreators();
    if (!ok)
        Debug::Trace("Resource::XmlPackage::Create(): Failed to initialize package '%s'", basePath.GetText());

    for (SInt32 i = 0; ok && i < parser.GetResources().GetCount(); ++i) {
        const Parser::ResourceRecord& record = parser.GetResources()[i];
        const String fileName = Util::JoinPaths(basePath, record.mFileName);
        if (package->CreateObjectFromFile(record.mExtraAttributes.get(), record.mId, record.mConditions,
                                          record.mConditionCount, fileName) == nullptr) {
            Debug::Trace("Resource::XmlPackage::Create(): Failed to create object '%s' from file '%s' in package '%s'",
                         record.mId.GetText(), fileName.GetText(), basePath.GetText());
            ok = false;
        }
    }
    for (SInt32 i = 0; ok && i < parser.GetTexts().GetCount(); ++i) {
        const Parser::TextRecord& record = parser.GetTexts()[i];
        if (package->AddText(record.mId, record.mConditions, record.mConditionCount, record.mValue) == nullptr) {
            Debug::Trace("Resource::XmlPackage::Create(): Failed to create text '%s' in package '%s'",
                         record.mId.GetText(), basePath.GetText());
            ok = false;
        }
    }
    for (SInt32 i = 0; ok && i < parser.GetInstances().GetCount(); ++i) {
        const Parser::InstanceRecord& record = parser.GetInstances()[i];
        // The variant that matches the configuration now is the one bound.
        const IGraph* graph = package->GetGraph(record.mGraphResourceId);
        if (graph == nullptr) {
            Debug::Trace("Resource::XmlPackage::Create(): Failed to get graph '%s' in package '%s'",
                         record.mGraphResourceId.GetText(), basePath.GetText());
            ok = false;
        } else {
            package->AddInstance(record.mGraphResourceId, record.mParentNodeId, graph);
        }
    }

    if (!ok) {
        // The package goes while the parser still owns the condition words it borrowed.
        delete package;
        *failed = true;
        return nullptr;
    }
    package->SetId(parser.GetPackageId());
    parser.TakeConditionArrays(package->mConditionArrays);
    return package;
}

} // namespace Resource
} // namespace Vorn
