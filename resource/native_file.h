// The opening every reader of a native chunk file shares (animation, atlas, font, collider, mesh):
// the form check, the HEAD chunk and its version, each step declining another reader's bytes
// silently and refusing a broken file of the reader's own form with one log line.
#pragma once

#include "foundation/iff_stream.h"
#include "foundation/types.h"

namespace Vorn {
namespace Resource {

class IObject;

// What a reader makes of a source's bytes: its object, another reader's bytes (declined silently so
// that the next creator may try) or a broken file of its own form (refused, one line logged).
enum class ReadResult
{
    OK,
    NOT_OWN_FORM,
    REFUSED,
};

// What a creator returns once its object has read the bytes: the object on OK, with releaseData
// cleared as it keeps pointing into them; else null, the object deleted, and failed set on REFUSED.
IObject* FinishCreate(IObject* object, ReadResult result, Bool* releaseData, Bool* failed);

class NativeFile
{
public:
    // How a file of the form with no chunk after its header is taken.
    enum class EmptyFile
    {
        // Refused ("File has no HEAD chunk") when too short for a chunk header.
        REFUSE,
        // Declined when the stream has no chunk to visit.
        DECLINE,
    };

    NativeFile(const void* data, UInt32 size, UInt32 form);

    // Declines bytes that are not an engine chunk file of the form, whose first chunk is not HEAD,
    // or whose HEAD holds another version than "0.01". Refuses, with one line logged under method
    // ("Resource::NativeAtlas::Create()"), a file whose size does not match its header, whose HEAD
    // runs past the end of the file, or whose HEAD payload is shorter than headPayloadSize (which
    // counts the 4 bytes of the version). On OK the stream stands at the chunk after HEAD.
    ReadResult Open(const char* method, UInt32 headPayloadSize, EmptyFile emptyFile);

    // The HEAD payload, starting with the version; valid after Open returned OK.
    const UInt8* GetHeadPayload() const;
    UInt32 GetHeadPayloadSize() const;

    // The chunks after HEAD.
    Util::IffStream& GetStream();

private:
    const UInt8* mBytes;
    UInt32 mSize;
    UInt32 mForm;
    Util::IffStream mStream;
    const UInt8* mHeadPayload;
    UInt32 mHeadPayloadSize;
};

} // namespace Resource
} // namespace Vorn
