// The authoring form of a package: a folder with a description ("package.xml" or "package.def")
// naming each resource file beside it, the texts and the graph instances. Loading one builds the
// same objects, texts and instances as a native package; Package::Serialize then writes the
// native form. The collection tries XmlPackage::Create after the native package creator.
#pragma once

#include <memory>

#include "foundation/array.h"
#include "foundation/attributes.h"
#include "foundation/string.h"
#include "foundation/types.h"
#include "foundation/xml_parser.h"
#include "resource/package.h"

namespace Vorn {
namespace Resource {

class XmlPackage : public Package
{
public:
    // Reads a package description: the root "Package" and its "Resource", "Text" and "Instance"
    // children. It owns the condition word arrays it builds until the package takes them over.
    class Parser : public Util::XmlParser
    {
    public:
        struct ResourceRecord
        {
            String mId;
            String mFileName;
            const UInt32* mConditions;
            UInt32 mConditionCount;
            // The element's attributes that the reader did not use; null when there are none.
            std::unique_ptr<Util::Attributes> mExtraAttributes;
        };
        struct TextRecord
        {
            String mId;
            String mValue;
            const UInt32* mConditions;
            UInt32 mConditionCount;
            std::unique_ptr<Util::Attributes> mExtraAttributes;
        };
        struct InstanceRecord
        {
            String mGraphResourceId;
            String mParentNodeId;
            const UInt32* mConditions;
            UInt32 mConditionCount;
        };

        Parser();
        ~Parser() override;

        Bool IsRootElement(const String& name) override;
        Bool OnRootElement(const String& name, Util::Attributes* attributes) override;
        Bool OnElement(const String& name, Util::Attributes* attributes) override;

        // Element readers; false rejects the element (one log line). An element whose condition
        // attributes cannot be read is dropped and still accepted.
        virtual Bool ParseResource(const IAttributes* attributes);
        virtual Bool ParseString(const IAttributes* attributes);
        virtual Bool ParseInstance(const IAttributes* attributes);

        // Appends the condition words that the includeFor... and excludeFor... attributes spell,
        // categories in word order. False, with nothing appended, when a list does not read,
        // when a category has both lists, or when a value does not fit its 24 bits (the last
        // with one log line).
        static Bool ParseConditions(const IAttributes* attributes, Array<UInt32>& conditions);

        const String& GetPackageId() const { return mPackageId; }
        const Array<ResourceRecord>& GetResources() const { return mResources; }
        const Array<TextRecord>& GetTexts() const { return mTexts; }
        const Array<InstanceRecord>& GetInstances() const { return mInstances; }
        // Hands the condition word arrays over; the parser no longer frees them.
        void TakeConditionArrays(Array<UInt32*>& arrays);

    private:
        // The element's words in an array of exactly their count (null for none), kept in the
        // parser's list; false when the condition attributes do not read.
        Bool ReadConditions(const IAttributes* attributes, const UInt32*& conditions, UInt32& conditionCount);
        // A copy of the element's unused attributes (null when all were used); marks all used.
        static std::unique_ptr<Util::Attributes> TakeExtraAttributes(const IAttributes* attributes);

        String mPackageId;
        Array<ResourceRecord> mResources;
        Array<TextRecord> mTexts;
        Array<InstanceRecord> mInstances;
        Array<UInt32*> mConditionArrays;
    };

    XmlPackage(const IConfiguration* configuration, IFileInterface* fileInterface);
    // Destroys the objects and texts before the condition words they borrow.
    ~XmlPackage() override;

    // The package creator: declines (null, failed untouched) bytes that are not a package
    // description; refuses (null, failed set, log lines) a description it cannot load. basePath
    // is the package folder, against which the resource file names resolve. releaseData always
    // comes back true: nothing points into the description.
    static Package* Create(const IConfiguration* configuration, IFileInterface* fileInterface, const String& basePath,
                           const void* data, UInt32 size, Bool* releaseData, Bool* failed);

    // The same object creators, in the same order, as the native package.
    Bool RegisterCreators() override;
    Bool UnregisterCreators() override;

private:
    Array<UInt32*> mConditionArrays;
};

} // namespace Resource
} // namespace Vorn
