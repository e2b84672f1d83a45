// The chunk framing of every engine file: a 12-byte header (magic, size of the rest, form tag)
// and a flat run of chunks (tag, size, payload). IffStream walks it over borrowed bytes one chunk
// at a time; IffData builds a file from chunk blocks. Tags are UInt32 values with the first
// character in the most significant byte (MakeTag("HEAD")); 0 stands for any tag in queries.
#pragma once

#include "foundation/array.h"
#include "foundation/data.h"
#include "foundation/types.h"

namespace Vorn {
namespace Util {

class IffStream
{
public:
    // Engine files ("VORN" magic) of the given form. None of the constructors opens the stream.
    IffStream(const void* data, UInt32 size, UInt32 form);
    IffStream(UInt32 form, const ConstData& data);
    // A RIFF/WAVE file.
    IffStream(const void* data, UInt32 size);
    virtual ~IffStream();

    // A new stream over the same bytes with the same magic and form, not yet opened; the caller
    // owns it.
    virtual IffStream* Clone() const;
    // Checks the header and moves to the first chunk. False, with the position unchanged, for
    // empty or short data, another magic or form, or a header size that does not match the data
    // size (trailing bytes or a cut file).
    virtual Bool Open();
    // True once Open has succeeded.
    virtual Bool IsOpen() const;
    // True when the current chunk has the tag and its size is the one a writer gives a chunk of
    // fixedSize (including the 8-byte header) plus variableSize bytes; false for a size of 0.
    virtual Bool CheckChunkSize(UInt32 tag, UInt32 fixedSize, UInt32 variableSize) const;
    // Size field of the current chunk (it may claim more than the data holds); 0 when no whole
    // chunk header lies at the current position or the tag differs.
    virtual UInt32 GetChunkSize(UInt32 tag = 0) const;
    // The current chunk (header, then payload) when all of it lies inside the data and the tag
    // matches; else null.
    virtual const UInt8* GetChunk(UInt32 tag = 0) const;
    // Steps past the current chunk; false when no whole chunk header lies at the current position.
    // A size that runs past the end of the data ends the walk.
    virtual Bool NextChunk();
    // Back to the first chunk.
    virtual Bool Rewind();
    // True when no more than a chunk header's worth of bytes is left; so a last chunk of exactly
    // 8 bytes is never visited.
    virtual Bool IsAtEnd() const;

private:
    UInt32 mMagic;
    UInt32 mForm;
    ConstData mData;
    UInt32 mFirstOffset;
    // Never beyond the data size: steps that would run past the end stop at it.
    UInt32 mCurrentOffset;
    Bool mIsOpen;
};

// Writer of one chunk file: collects chunk blocks in order and serialises them behind the header.
class IffData
{
public:
    explicit IffData(UInt32 form);
    virtual ~IffData();
    IffData(const IffData&) = delete;
    IffData& operator=(const IffData&) = delete;

    // A zero-filled block of (fixedSize + variableSize + 3) rounded down to a multiple of 4 bytes,
    // with the tag and the chunk size (block size - 8) written; the caller fills the payload and
    // hands it to AddChunk (or frees it with delete[]). fixedSize includes the 8-byte header.
    // Null when the block would be shorter than a chunk header or longer than 4 GiB.
    UInt8* CreateChunk(UInt32 tag, UInt32 fixedSize, UInt32 variableSize);
    // Appends a chunk block, which the writer owns from then on. Blocks must be allocated with
    // new UInt8[] (as CreateChunk does). False for null.
    Bool AddChunk(UInt8* block);
    // Writes the header and every chunk in order into target; false when the file would not fit
    // a 32-bit size.
    Bool GetData(Data& target) const;

private:
    UInt32 mForm;
    Array<UInt8*> mChunks;
};

} // namespace Util
} // namespace Vorn
