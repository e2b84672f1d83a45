// Reads a borrowed byte view in blocks of 4096 bytes; the Ogg decoder pulls its input through it.
#pragma once

#include "foundation/data.h"
#include "foundation/types.h"

namespace Vorn {
namespace Util {

class MemoryStream {
public:
    static constexpr UInt32 BlockSize = 4096;

    MemoryStream() : mOpen(false), mPosition(0) {}
    virtual ~MemoryStream() {}

    // Takes over the view (not a copy: the owner keeps the bytes alive) and starts at its first
    // byte. False when the stream is already open (the first view stays) or the view is empty.
    Bool Open(const ConstData& data);
    // A null pointer gives an empty view.
    Bool Open(const void* data, UInt32 size);

    // Copies the next block, or the fewer bytes that remain, into buffer, which must hold
    // BlockSize bytes; returns the bytes copied, 0 at the end or when the stream is not open.
    UInt32 Read(void* buffer);

    Bool IsOpen() const { return mOpen; }

private:
    ConstData mData;
    Bool mOpen;
    UInt32 mPosition;
};

} // namespace Util
} // namespace Vorn
