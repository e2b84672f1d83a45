// The native package file (chunk form "RPKG"): the form of the game's built-in data packages.
// NativePackage reads one in place, so the objects keep pointing into the bytes it was given;
// NativePackageWriter builds one, for Package::Serialize and for tools and tests.
#pragma once

#include "foundation/data.h"
#include "foundation/iff_stream.h"
#include "foundation/string.h"
#include "foundation/types.h"
#include "resource/aligned_copies.h"
#include "resource/package.h"

namespace Vorn {
namespace Resource {

class NativePackage : public Package
{
public:
    // The bytes are borrowed and must outlive the package.
    NativePackage(const IConfiguration* configuration, IFileInterface* fileInterface, const void* data, UInt32 size);
    ~NativePackage() override;

    // The package creator: declines (null, failed untouched) bytes that are not a chunk file of
    // form "RPKG" beginning with "HEAD"; refuses (null, failed set, one log line) such a file that
    // it cannot read. releaseData comes back false when the package points into the bytes.
    // basePath is not used.
    static Package* Create(const IConfiguration* configuration, IFileInterface* fileInterface, const String& basePath,
                           const void* data, UInt32 size, Bool* releaseData, Bool* failed);

    Bool RegisterCreators() override;
    Bool UnregisterCreators() override;

    // The object creators of every resource form, in the order of trial; the table that
    // RegisterCreators registers, for other package kinds that read the same files.
    static const ObjectCreator* GetObjectCreators(UInt32& count);

    const void* GetSourceData() const { return mData; }
    UInt32 GetSourceSize() const { return mSize; }

private:
    const void* mData;
    UInt32 mSize;
    // Condition words read from an odd address.
    AlignedCopies mAlignedCopies;
};

// Collects the chunks of one native package file in the order written: "HEAD", then resources,
// texts and instances in the order added (callers add them in that order).
class NativePackageWriter
{
public:
    explicit NativePackageWriter(const String& packageId);
    ~NativePackageWriter();
    NativePackageWriter(const NativePackageWriter&) = delete;
    NativePackageWriter& operator=(const NativePackageWriter&) = delete;

    // Each returns false (with a log line) when the chunk would not fit a 32-bit size.
    Bool AddResource(const String& id, const void* data, UInt32 size, const UInt32* conditions, UInt32 conditionCount);
    Bool AddText(const String& id, const String& value, const UInt32* conditions, UInt32 conditionCount);
    Bool AddInstance(const String& graphResourceId, const String& parentNodeId);
    // The whole file; false when it would not fit a 32-bit size.
    Bool GetData(Data& out) const;

private:
    Util::IffData mFile;
    Bool mValid;
};

} // namespace Resource
} // namespace Vorn
