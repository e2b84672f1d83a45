#include "resource/native_file.h"

#include "foundation/byte_order.h"
#include "foundation/debug.h"
#include "resource/object.h"

namespace Vorn {
namespace Resource {

namespace {

constexpr UInt32 kEngineMagic = MakeTag("VORN");
constexpr UInt32 kHeadTag = MakeTag("HEAD");
constexpr UInt32 kVersion = MakeTag("0.01");
constexpr UInt32 kVersionSize = 4;
constexpr UInt32 kFileHeaderSize = 12;
constexpr UInt32 kChunkHeaderSize = 8;

} // namespace

IObject* FinishCreate(IObject* object, ReadResult result, Bool* releaseData, Bool* failed)
{
    if (releaseData != nullptr)
        *releaseData = result != ReadResult::OK;
    if (result == ReadResult::OK)
        return object;
    delete object;
    if (result == ReadResult::REFUSED && failed != nullptr)
        *failed = true;
    return nullptr;
}

NativeFile::NativeFile(const void* data, UInt32 size, UInt32 form)
    : mBytes(static_cast<const UInt8*>(data)), mSize(size), mForm(form), mStream(data, size, form),
      mHeadPayload(nullptr), mHeadPayloadSize(0)
{
}

ReadResult NativeFile::Open(const char* method, UInt32 headPayloadSize, EmptyFile emptyFile)
{
    if (mBytes == nullptr || mSize < kFileHeaderSize || Util::ReadTag(mBytes) != kEngineMagic ||
        Util::ReadTag(mBytes + 8) != mForm)
        return ReadResult::NOT_OWN_FORM;

    // From here on the bytes claim to be a file of the form: whatever does not fit them is refused
    // aloud, since no other reader will take them.
    if (!mStream.Open()) {
        Debug::Trace("%s: File size %u does not match its header", method, mSize);
        return ReadResult::REFUSED;
    }
    if (emptyFile == EmptyFile::DECLINE && mStream.IsAtEnd())
        return ReadResult::NOT_OWN_FORM;
    if (mSize < kFileHeaderSize + kChunkHeaderSize) {
        Debug::Trace("%s: File has no HEAD chunk", method);
        return ReadResult::REFUSED;
    }
    // Another first chunk or another version: some other reader's file.
    if (Util::ReadTag(mBytes + kFileHeaderSize) != kHeadTag)
        return ReadResult::NOT_OWN_FORM;
    const UInt8* head = mStream.GetChunk(kHeadTag);
    if (head == nullptr) {
        Debug::Trace("%s: HEAD chunk runs past the end of the file", method);
        return ReadResult::REFUSED;
    }
    const UInt32 headSize = Util::ReadLittleEndian32(head + 4);
    if (headSize >= kVersionSize && Util::ReadTag(head + kChunkHeaderSize) != kVersion)
        return ReadResult::NOT_OWN_FORM;
    if (headSize < kVersionSize || headSize < headPayloadSize) {
        Debug::Trace("%s: HEAD chunk too small (%u bytes)", method, headSize);
        return ReadResult::REFUSED;
    }
    mHeadPayload = head + kChunkHeaderSize;
    mHeadPayloadSize = headSize;
    mStream.NextChunk();
    return ReadResult::OK;
}

const UInt8* NativeFile::GetHeadPayload() const
{
    return mHeadPayload;
}

UInt32 NativeFile::GetHeadPayloadSize() const
{
    return mHeadPayloadSize;
}

Util::IffStream& NativeFile::GetStream()
{
    return mStream;
}

} // namespace Resource
} // namespace Vorn
