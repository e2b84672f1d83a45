#include "resource/native_package.h"

#include <cstring>

#include "foundation/byte_order.h"
#include "foundation/debug.h"
#include "resource/instance.h"
#include "resource/jpg_image.h"
#include "resource/native_animation.h"
#include "resource/native_atlas.h"
#include "resource/native_collider.h"
#include "resource/native_font.h"
#include "resource/native_graph.h"
#include "resource/native_mesh.h"
#include "resource/native_sound.h"
#include "resource/object.h"
#include "resource/ogg_sound.h"
#include "resource/png_image.h"
#include "resource/pvr_image.h"
#include "resource/wav_sound.h"
#include "resource/xml_animation.h"
#include "resource/xml_atlas.h"
#include "resource/xml_graph.h"

namespace Vorn {
namespace Resource {

namespace {

constexpr UInt32 kPackageForm = MakeTag("RPKG");
constexpr UInt32 kHeadTag = MakeTag("HEAD");
constexpr UInt32 kResourceTag = MakeTag("RSRC");
constexpr UInt32 kTextTag = MakeTag("TEXT");
constexpr UInt32 kInstanceTag = MakeTag("INST");
constexpr UInt32 kChunkHeaderSize = 8;
constexpr char kVersion[4] = {'0', '.', '0', '1'};

// The object creators in the order of trial. The file stores no type, so this order decides
// which reader gets each resource: chunk forms first, then the image and sound files, then the
// XML descriptions.
const ObjectCreator kObjectCreators[] = {
    &NativeCollider::Create,
    &NativeFont::Create,
    &NativeGraph::Create,
    &NativeMesh::Create,
    &NativeAnimation::Create,
    &NativeAtlas::Create,
    &NativeSound::Create,
    &PngImage::Create,
    &PvrImage::Create,
    &JpgImage::Create,
    &OggSound::Create,
    &WavSound::Create,
    &XmlGraph::Create,
    &XmlAnimation::Create,
    &XmlAtlas::Create,
};

using Util::ReadLittleEndian32;
using Util::WriteLittleEndian32;
UInt64 Pad4(UInt64 size)
{
    return (size + 3) & ~UInt64(3);
}

// A chunk's payload as the walk found it; every offset in it counts from its first byte.
struct Payload
{
    const UInt8* bytes;
    UInt32 size;

    UInt32 Word(UInt32 offset) const { return ReadLittleEndian32(bytes + offset); }

    // The zero-terminated string at offset; false when the offset lies outside the payload or
    // no terminating zero follows inside it.
    Bool GetString(UInt32 offset, const char*& text) const
    {
        if (offset >= size || std::memchr(bytes + offset, 0, size - offset) == nullptr)
            return false;
        text = reinterpret_cast<const char*>(bytes + offset);
        return true;
    }

    // Condition words used in place: they must lie inside the payload, on a 4-byte boundary.
    // The words in place, or copied into the package's aligned memory from an odd address.
    Bool GetConditions(UInt32 offset, UInt32 count, AlignedCopies& copies, const UInt32*& conditions) const
    {
        conditions = nullptr;
        if (count == 0)
            return true;
        if (UInt64(offset) + UInt64(count) * 4 > size)
            return false;
        conditions = copies.Place<UInt32>(bytes + offset, count);
        return conditions != nullptr;
    }
};

Bool ReadPayload(const UInt8* chunk, Payload& payload)
{
    payload.bytes = chunk + kChunkHeaderSize;
    payload.size = ReadLittleEndian32(chunk + 4);
    return true;
}

} // namespace

NativePackage::NativePackage(const IConfiguration* configuration, IFileInterface* fileInterface, const void* data,
                             UInt32 size)
    : Package(configuration, fileInterface), mData(data), mSize(size)
{
}

NativePackage::~NativePackage() {}

const ObjectCreator* NativePackage::GetObjectCreators(UInt32& count)
{
    count = UInt32(sizeof(kObjectCreators) / sizeof(kObjectCreators[0]));
    return kObjectCreators;
}

Bool NativePackage::RegisterCreators()
{
    for (ObjectCreator creator : kObjectCreators)
        AddObjectCreator(creator);
    return true;
}

Bool NativePackage::UnregisterCreators()
{
    for (ObjectCreator creator : kObjectCreators)
        RemoveObjectCreator(creator);
    return true;
}

Package* NativePackage::Create(const IConfiguration* configuration, IFileInterface* fileInterface, const String&,
                               const void* data, UInt32 size, Bool* releaseData, Bool* failed)
{
    Bool release = true;
    Bool refused = false;
    if (releaseData == nullptr)
        releaseData = &release;
    if (failed == nullptr)
        failed = &refused;
    *releaseData = true;

    Util::IffStream stream(data, size, kPackageForm);
    if (!stream.Open())
        return nullptr;
    const UInt8* headChunk = stream.GetChunk(kHeadTag);
    if (headChunk == nullptr)
        return nullptr;
    Payload head;
    ReadPayload(headChunk, head);
    if (head.size < 4 || std::memcmp(head.bytes, kVersion, sizeof(kVersion)) != 0) {
        Debug::Trace("Resource::NativePackage::Create(): File format version mismatch");
        *failed = true;
        return nullptr;
    }
    const char* packageId = nullptr;
    if (head.size < 12 || !head.GetString(head.Word(4), packageId)) {
        Debug::Trace("Resource::NativePackage::Create(): Package ID in chunk HEAD lies outside the chunk");
        *failed = true;
        return nullptr;
    }

    // A chunk that runs past the end of the file ends the walk; it and what follows are ignored.
    Array<Payload> resources;
    Array<Payload> texts;
    Array<Payload> instances;
    stream.NextChunk();
    while (!stream.IsAtEnd()) {
        const UInt8* chunk = stream.GetChunk();
        if (chunk == nullptr)
            break;
        Payload payload;
        ReadPayload(chunk, payload);
        const UInt32 tag = Util::ReadTag(chunk);
        if (tag == kResourceTag)
            resources.Add(payload);
        else if (tag == kTextTag)
            texts.Add(payload);
        else if (tag == kInstanceTag)
            instances.Add(payload);
        stream.NextChunk();
    }
    if (resources.IsEmpty() && texts.IsEmpty()) {
        Debug::Trace("Resource::NativePackage::Create(): No resources in file");
        *failed = true;
        return nullptr;
    }

    NativePackage* package = new NativePackage(configuration, fileInterface, data, size);
    if (!package->RegisterCreators()) {
        Debug::Trace("Resource::NativePackage::Create(): Failed to initialize package");
        delete package;
        *failed = true;
        return nullptr;
    }
    package->SetId(String(packageId));

    Bool ok = true;
    for (SInt32 i = 0; ok && i < resources.GetCount(); ++i) {
        const Payload& chunk = resources[i];
        const char* id = nullptr;
        const UInt32* conditions = nullptr;
        Bool fits = chunk.size >= 24;
        const UInt32 dataOffset = fits ? chunk.Word(8) : 0;
        const UInt32 dataSize = fits ? chunk.Word(12) : 0;
        const UInt32 conditionCount = fits ? chunk.Word(20) : 0;
        fits = fits && chunk.GetString(chunk.Word(0), id) && UInt64(dataOffset) + dataSize <= chunk.size &&
               chunk.GetConditions(chunk.Word(16), conditionCount, package->mAlignedCopies, conditions);
        if (!fits) {
            Debug::Trace("Resource::NativePackage::Create(): Resource chunk #%d holds offsets or sizes outside the chunk", i);
            ok = false;
        } else if (id[0] == 0) {
            Debug::Trace("Resource::NativePackage::Create(): Resource ID in chunk #%d is empty", i);
            ok = false;
        } else {
            Bool keepData = false;
            Bool releaseObjectData = true;
            if (package->CreateObjectFromMemory(nullptr, String(id), conditions, conditionCount,
                                                chunk.bytes + dataOffset, dataSize, &releaseObjectData) == nullptr) {
                Debug::Trace("Resource::NativePackage::Create(): Failed to create resource object '%s' from chunk #%d", id, i);
                ok = false;
            }
            keepData = !releaseObjectData || conditionCount != 0;
            if (ok && keepData)
                *releaseData = false;
        }
    }
    for (SInt32 i = 0; ok && i < texts.GetCount(); ++i) {
        const Payload& chunk = texts[i];
        const char* id = nullptr;
        const char* value = nullptr;
        const UInt32* conditions = nullptr;
        const Bool fits = chunk.size >= 24 && chunk.GetString(chunk.Word(0), id) && chunk.GetString(chunk.Word(8), value) &&
                          chunk.GetConditions(chunk.Word(16), chunk.Word(20), package->mAlignedCopies, conditions);
        if (!fits) {
            Debug::Trace("Resource::NativePackage::Create(): Text chunk #%d holds offsets or sizes outside the chunk", i);
            ok = false;
        } else if (id[0] == 0) {
            Debug::Trace("Resource::NativePackage::Create(): Text ID in chunk #%d is empty", i);
            ok = false;
        } else if (package->AddText(String(id), conditions, chunk.Word(20), String(value)) == nullptr) {
            Debug::Trace("Resource::NativePackage::Create(): Failed to create text object '%s' from chunk #%d", id, i);
            ok = false;
        } else if (chunk.Word(20) != 0) {
            *releaseData = false;
        }
    }
    for (SInt32 i = 0; ok && i < instances.GetCount(); ++i) {
        const Payload& chunk = instances[i];
        const char* graphId = nullptr;
        const char* parentId = nullptr;
        const Bool fits = chunk.size >= 16 && chunk.GetString(chunk.Word(0), graphId) && chunk.GetString(chunk.Word(8), parentId);
        if (!fits) {
            Debug::Trace("Resource::NativePackage::Create(): Instance chunk #%d holds offsets or sizes outside the chunk", i);
            ok = false;
            continue;
        }
        if (graphId[0] == 0) {
            Debug::Trace("Resource::NativePackage::Create(): Instance resource ID in chunk #%d is empty", i);
            ok = false;
            continue;
        }
        const String graphResourceId(graphId);
        const IGraph* graph = package->GetGraph(graphResourceId);
        if (graph == nullptr) {
            Debug::Trace("Resource::NativePackage::Create(): Failed to get graph '%s' for instance chunk #%d", graphId, i);
            ok = false;
            continue;
        }
        package->AddInstance(graphResourceId, String(parentId), graph);
    }
    if (!ok) {
        delete package;
        *releaseData = true;
        *failed = true;
        return nullptr;
    }
    return package;
}

NativePackageWriter::NativePackageWriter(const String& packageId) : mFile(kPackageForm), mValid(true)
{
    const UInt32 idLength = UInt32(packageId.GetLength()) + 1;
    UInt8* chunk = mFile.CreateChunk(kHeadTag, kChunkHeaderSize + 12, UInt32(Pad4(idLength)));
    if (chunk == nullptr) {
        mValid = false;
        return;
    }
    UInt8* payload = chunk + kChunkHeaderSize;
    std::memcpy(payload, kVersion, sizeof(kVersion));
    WriteLittleEndian32(payload + 4, 12);
    WriteLittleEndian32(payload + 8, idLength);
    std::memcpy(payload + 12, packageId.GetText(), idLength);
    mFile.AddChunk(chunk);
}

NativePackageWriter::~NativePackageWriter() {}

namespace {

// One field of an entry chunk: its bytes, the length its header field records, and the header
// word positions of its offset and length.
struct Field
{
    const void* bytes;
    UInt32 size;
    UInt32 recordedLength;
    UInt32 offsetWord;
    UInt32 lengthWord;
};

// Writes the header words and places the fields one after another behind them, each on a 4-byte
// boundary. Null (with a log line from the chunk writer) when the chunk would be too large.
UInt8* BuildEntryChunk(Util::IffData& file, UInt32 tag, UInt32 headerSize, const Field* fields, UInt32 fieldCount)
{
    UInt64 end = headerSize;
    for (UInt32 i = 0; i < fieldCount; ++i)
        end += Pad4(fields[i].size);
    if (end > 0xFFFFFFFFull - kChunkHeaderSize - 3) {
        Debug::Trace("Resource::NativePackageWriter::AddChunk(): Chunk too large for a 32-bit size");
        return nullptr;
    }
    UInt8* chunk = file.CreateChunk(tag, kChunkHeaderSize + headerSize, UInt32(end - headerSize));
    if (chunk == nullptr)
        return nullptr;
    UInt8* payload = chunk + kChunkHeaderSize;
    UInt32 offset = headerSize;
    for (UInt32 i = 0; i < fieldCount; ++i) {
        WriteLittleEndian32(payload + fields[i].offsetWord * 4, offset);
        WriteLittleEndian32(payload + fields[i].lengthWord * 4, fields[i].recordedLength);
        if (fields[i].size != 0)
            std::memcpy(payload + offset, fields[i].bytes, fields[i].size);
        offset += UInt32(Pad4(fields[i].size));
    }
    return chunk;
}

Field StringField(const String& text, UInt32 offsetWord)
{
    const UInt32 size = UInt32(text.GetLength()) + 1;
    return Field{text.GetText(), size, size, offsetWord, offsetWord + 1};
}

Field ConditionField(const UInt32* conditions, UInt32 count, UInt32 offsetWord)
{
    if (conditions == nullptr)
        count = 0;
    return Field{conditions, count * 4, count, offsetWord, offsetWord + 1};
}

} // namespace

Bool NativePackageWriter::AddResource(const String& id, const void* data, UInt32 size, const UInt32* conditions,
                                      UInt32 conditionCount)
{
    if (conditions != nullptr && conditionCount > 0x3FFFFFFF)
        return false;
    const Field fields[] = {
        Field{data, data != nullptr ? size : 0, data != nullptr ? size : 0, 2, 3},
        StringField(id, 0),
        ConditionField(conditions, conditionCount, 4),
    };
    UInt8* chunk = BuildEntryChunk(mFile, kResourceTag, 24, fields, 3);
    return chunk != nullptr && mFile.AddChunk(chunk);
}

Bool NativePackageWriter::AddText(const String& id, const String& value, const UInt32* conditions, UInt32 conditionCount)
{
    if (conditions != nullptr && conditionCount > 0x3FFFFFFF)
        return false;
    const Field fields[] = {StringField(id, 0), StringField(value, 2), ConditionField(conditions, conditionCount, 4)};
    UInt8* chunk = BuildEntryChunk(mFile, kTextTag, 24, fields, 3);
    return chunk != nullptr && mFile.AddChunk(chunk);
}

Bool NativePackageWriter::AddInstance(const String& graphResourceId, const String& parentNodeId)
{
    const Field fields[] = {StringField(graphResourceId, 0), StringField(parentNodeId, 2)};
    UInt8* chunk = BuildEntryChunk(mFile, kInstanceTag, 16, fields, 2);
    return chunk != nullptr && mFile.AddChunk(chunk);
}

Bool NativePackageWriter::GetData(Data& out) const
{
    return mValid && mFile.GetData(out);
}

} // namespace Resource
} // namespace Vorn
