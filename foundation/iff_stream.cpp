#include "foundation/iff_stream.h"

#include <cstring>

#include "foundation/byte_order.h"
#include "foundation/debug.h"

namespace Vorn {
namespace Util {

namespace {

constexpr UInt32 kEngineMagic = MakeTag("VORN");
constexpr UInt32 kRiffMagic = MakeTag("RIFF");
constexpr UInt32 kWaveForm = MakeTag("WAVE");
constexpr UInt32 kFileHeaderSize = 12;
constexpr UInt32 kChunkHeaderSize = 8;

// The block size a writer gives a chunk of size bytes including its header: (size + 3) & ~3.
// Worked in 64 bits so that sizes read from a file cannot wrap.
inline UInt64 GetPaddedChunkSize(UInt32 fixedSize, UInt32 variableSize)
{
    return (UInt64(fixedSize) + UInt64(variableSize) + 3) & ~UInt64(3);
}

} // namespace

IffStream::IffStream(const void* data, UInt32 size, UInt32 form)
    : mMagic(kEngineMagic), mForm(form), mData(data, size), mFirstOffset(0), mCurrentOffset(0), mIsOpen(false)
{
}

IffStream::IffStream(UInt32 form, const ConstData& data)
    : mMagic(kEngineMagic), mForm(form), mData(data.GetData(), data.GetSize()), mFirstOffset(0),
      mCurrentOffset(0), mIsOpen(false)
{
}

IffStream::IffStream(const void* data, UInt32 size)
    : mMagic(kRiffMagic), mForm(kWaveForm), mData(data, size), mFirstOffset(0), mCurrentOffset(0), mIsOpen(false)
{
}

IffStream::~IffStream() = default;

IffStream* IffStream::Clone() const
{
    IffStream* clone = new IffStream(mForm, mData);
    clone->mMagic = mMagic;
    return clone;
}

Bool IffStream::Open()
{
    const UInt8* bytes = mData.GetData();
    UInt32 size = mData.GetSize();
    if (size == 0 || size < kFileHeaderSize)
        return false;
    if (ReadTag(bytes) != mMagic || ReadTag(bytes + 8) != mForm)
        return false;
    if (UInt64(ReadLittleEndian32(bytes + 4)) + 8 != size)
        return false;
    mFirstOffset = kFileHeaderSize;
    mCurrentOffset = kFileHeaderSize;
    mIsOpen = true;
    return true;
}

Bool IffStream::IsOpen() const
{
    return mIsOpen;
}

Bool IffStream::CheckChunkSize(UInt32 tag, UInt32 fixedSize, UInt32 variableSize) const
{
    if (UInt64(mCurrentOffset) + kChunkHeaderSize > mData.GetSize())
        return false;
    const UInt8* chunk = mData.GetData() + mCurrentOffset;
    if (ReadTag(chunk) != tag)
        return false;
    UInt32 chunkSize = ReadLittleEndian32(chunk + 4);
    if (chunkSize == 0)
        return false;
    return UInt64(chunkSize) + kChunkHeaderSize == GetPaddedChunkSize(fixedSize, variableSize);
}

UInt32 IffStream::GetChunkSize(UInt32 tag) const
{
    if (UInt64(mCurrentOffset) + kChunkHeaderSize > mData.GetSize())
        return 0;
    const UInt8* chunk = mData.GetData() + mCurrentOffset;
    if (tag != 0 && ReadTag(chunk) != tag)
        return 0;
    return ReadLittleEndian32(chunk + 4);
}

const UInt8* IffStream::GetChunk(UInt32 tag) const
{
    UInt64 size = mData.GetSize();
    if (UInt64(mCurrentOffset) + kChunkHeaderSize > size)
        return nullptr;
    const UInt8* chunk = mData.GetData() + mCurrentOffset;
    if (tag != 0 && ReadTag(chunk) != tag)
        return nullptr;
    if (UInt64(mCurrentOffset) + kChunkHeaderSize + ReadLittleEndian32(chunk + 4) > size)
        return nullptr;
    return chunk;
}

Bool IffStream::NextChunk()
{
    UInt64 size = mData.GetSize();
    if (UInt64(mCurrentOffset) + kChunkHeaderSize > size)
        return false;
    UInt64 next = UInt64(mCurrentOffset) + kChunkHeaderSize + ReadLittleEndian32(mData.GetData() + mCurrentOffset + 4);
    // A size that runs past the end (or would wrap a 32-bit offset) ends the walk at the end.
    mCurrentOffset = next < size ? UInt32(next) : UInt32(size);
    return true;
}

Bool IffStream::Rewind()
{
    mCurrentOffset = mFirstOffset;
    return true;
}

Bool IffStream::IsAtEnd() const
{
    return UInt64(mCurrentOffset) + kChunkHeaderSize >= mData.GetSize();
}

IffData::IffData(UInt32 form) : mForm(form)
{
}

IffData::~IffData()
{
    for (UInt8* block : mChunks)
        delete[] block;
}

UInt8* IffData::CreateChunk(UInt32 tag, UInt32 fixedSize, UInt32 variableSize)
{
    UInt64 blockSize = GetPaddedChunkSize(fixedSize, variableSize);
    if (blockSize < kChunkHeaderSize || blockSize > 0xFFFFFFFFull)
    {
        Debug::Trace("Util::IffData::CreateChunk(): Invalid chunk size (%u + %u bytes)", fixedSize, variableSize);
        return nullptr;
    }
    UInt8* block = new UInt8[size_t(blockSize)]();
    WriteTag(block, tag);
    WriteLittleEndian32(block + 4, UInt32(blockSize - kChunkHeaderSize));
    return block;
}

Bool IffData::AddChunk(UInt8* block)
{
    if (block == nullptr)
    {
        Debug::Trace("Util::IffData::AddChunk(): No chunk given");
        return false;
    }
    mChunks.Add(block);
    return true;
}

Bool IffData::GetData(Data& target) const
{
    UInt64 total = 0;
    for (const UInt8* block : mChunks)
        total += kChunkHeaderSize + UInt64(ReadLittleEndian32(block + 4));
    if (kFileHeaderSize + total > 0xFFFFFFFFull)
    {
        Debug::Trace("Util::IffData::GetData(): File too large for a 32-bit size");
        return false;
    }
    target.Resize(UInt32(kFileHeaderSize + total));
    UInt8* bytes = target.GetBuffer();
    WriteTag(bytes, kEngineMagic);
    WriteLittleEndian32(bytes + 4, UInt32(4 + total));
    WriteTag(bytes + 8, mForm);
    UInt8* position = bytes + kFileHeaderSize;
    for (const UInt8* block : mChunks)
    {
        UInt32 blockSize = kChunkHeaderSize + ReadLittleEndian32(block + 4);
        std::memcpy(position, block, blockSize);
        position += blockSize;
    }
    return true;
}

} // namespace Util
} // namespace Vorn
