#include "fuzz/fuzz_support.h"

#include <cstdlib>
#include <memory>

#include "foundation/data.h"
#include "foundation/folder_file_interface.h"
#include "graph/factory.h"
#include "graph/node.h"
#include "resource/animation.h"
#include "resource/atlas.h"
#include "resource/audio_stream.h"
#include "resource/collection.h"
#include "resource/display_surface.h"
#include "resource/font.h"
#include "resource/graph.h"
#include "resource/image.h"
#include "resource/instance.h"
#include "resource/mesh.h"
#include "resource/native_package.h"
#include "resource/object.h"
#include "resource/sound.h"
#include "tests/support/fake_configuration.h"

namespace Vorn {
namespace Fuzzing {

namespace {

// Every byte is read, so that the sanitizers see a table that reaches past its block.
UInt32 Checksum(const void* data, std::size_t size)
{
    if (data == nullptr)
        return 0;
    const UInt8* bytes = static_cast<const UInt8*>(data);
    UInt32 sum = 0;
    for (std::size_t i = 0; i < size; ++i)
        sum = sum * 31u + bytes[i];
    return sum;
}

// Keeps the reads from being optimised away.
volatile UInt32 gSink = 0;

// The graph factory with the built-in node classes, made once.
const Graph::Factory& GetFactory()
{
    static Graph::Factory* factory = [] {
        Graph::Factory* made = new Graph::Factory();
        made->Init();
        return made;
    }();
    return *factory;
}

// Files named by XML packages resolve in an empty folder: nothing outside the input is read.
Platform::FolderFileInterface& GetFileInterface()
{
    static Platform::FolderFileInterface* files = [] {
        char folder[] = "/tmp/vorn-fuzz-XXXXXX";
        const char* made = mkdtemp(folder);
        return new Platform::FolderFileInterface(String(made != nullptr ? made : "/nonexistent"));
    }();
    return *files;
}

const Testing::FakeConfiguration& GetConfiguration()
{
    static Testing::FakeConfiguration configuration;
    return configuration;
}

void TouchImage(const Resource::IImage& image)
{
    std::unique_ptr<IDisplaySurface> surface(image.CreateDisplaySurface(false));
    if (surface == nullptr)
        return;
    for (UInt32 face = 0; face < surface->GetNumberOfFaces(); ++face) {
        if (!surface->Lock(face))
            continue;
        for (UInt32 level = 0; level < surface->GetNumberOfMipLevels(); ++level)
            gSink = gSink + Checksum(surface->GetPixels(level), surface->GetSize(level));
        surface->Unlock();
    }
}

void TouchSound(const Resource::ISound& sound)
{
    std::unique_ptr<IAudioStream> stream(sound.CreateAudioStream());
    if (stream == nullptr || !stream->BeginDecoding())
        return;
    // Whole blocks of frames to the end, in at most 4096 steps whatever the length claims.
    constexpr UInt32 kFrames = 4096;
    static UInt8 block[kFrames * 8];
    const UInt32 total = stream->GetNumberOfSamples();
    const UInt32 step = total / 4096 > kFrames ? total / 4096 : kFrames;
    for (UInt32 first = 0; first < total; first += step) {
        const UInt32 decoded = stream->Decode(block, first, kFrames);
        gSink = gSink + Checksum(block, decoded);
        if (decoded == 0)
            break;
    }
    stream->EndDecoding();
}

void TouchAnimation(const Resource::IAnimation& animation)
{
    gSink = gSink + Checksum(animation.GetVisibleKeys(), animation.GetNumberOfVisibleKeys() * sizeof(Resource::VisibleKey)) +
            Checksum(animation.GetActiveKeys(), animation.GetNumberOfActiveKeys() * sizeof(Resource::ActiveKey)) +
            Checksum(animation.GetIndexKeys(), animation.GetNumberOfIndexKeys() * sizeof(Resource::IndexKey)) +
            Checksum(animation.GetAlphaKeys(), animation.GetNumberOfAlphaKeys() * sizeof(Resource::AlphaKey)) +
            Checksum(animation.GetVolumeKeys(), animation.GetNumberOfVolumeKeys() * sizeof(Resource::VolumeKey)) +
            Checksum(animation.GetTimeKeys(), animation.GetNumberOfTimeKeys() * sizeof(Resource::TimeKey)) +
            Checksum(animation.GetAmbientColorKeys(),
                     animation.GetNumberOfAmbientColorKeys() * sizeof(Resource::AmbientColorKey)) +
            Checksum(animation.GetDiffuseColorKeys(),
                     animation.GetNumberOfDiffuseColorKeys() * sizeof(Resource::DiffuseColorKey)) +
            Checksum(animation.GetSpecularColorKeys(),
                     animation.GetNumberOfSpecularColorKeys() * sizeof(Resource::SpecularColorKey)) +
            Checksum(animation.GetEmissiveColorKeys(),
                     animation.GetNumberOfEmissiveColorKeys() * sizeof(Resource::EmissiveColorKey)) +
            Checksum(animation.GetPositionKeys(), animation.GetNumberOfPositionKeys() * sizeof(Resource::PositionKey)) +
            Checksum(animation.GetRotationKeys(), animation.GetNumberOfRotationKeys() * sizeof(Resource::RotationKey)) +
            Checksum(animation.GetScalingKeys(), animation.GetNumberOfScalingKeys() * sizeof(Resource::ScalingKey));
}

void TouchMesh(const Resource::IMesh& mesh)
{
    for (UInt32 buffer = 0; buffer < mesh.GetNumberOfVertexBuffers(); ++buffer)
        gSink = gSink + Checksum(mesh.GetVertexData(buffer),
                                 std::size_t(mesh.GetNumberOfVertices(buffer)) * mesh.GetVertexSize(buffer));
    for (UInt32 buffer = 0; buffer < mesh.GetNumberOfIndexBuffers(); ++buffer) {
        gSink = gSink + Checksum(mesh.GetIndexData(buffer), std::size_t(mesh.GetNumberOfIndices(buffer)) * 2) +
                Checksum(mesh.GetIndexSegments(buffer),
                         std::size_t(mesh.GetNumberOfIndexSegments(buffer)) * sizeof(Resource::MeshIndexSegment));
    }
    gSink = gSink + Checksum(mesh.GetPlanes(), std::size_t(mesh.GetNumberOfPlanes()) * sizeof(Resource::MeshPlane)) +
            Checksum(mesh.GetNodes(), std::size_t(mesh.GetNumberOfNodes()) * sizeof(Resource::MeshNode)) +
            Checksum(mesh.GetLeaves(), std::size_t(mesh.GetNumberOfLeaves()) * sizeof(Resource::MeshLeaf));
}

void TouchGraph(const Resource::IGraph& graph)
{
    Graph::INode* top = GetFactory().CreateGraph(&graph, nullptr);
    Graph::Factory::DestroyGraph(top);
}

void TouchObject(Resource::IObject* object)
{
    if (object == nullptr)
        return;
    Data native;
    if (object->GetNativeData(native))
        gSink = gSink + Checksum(native.GetData(), native.GetSize());
    if (const auto* image = dynamic_cast<const Resource::IImage*>(object))
        TouchImage(*image);
    if (const auto* sound = dynamic_cast<const Resource::ISound*>(object))
        TouchSound(*sound);
    if (const auto* animation = dynamic_cast<const Resource::IAnimation*>(object))
        TouchAnimation(*animation);
    if (const auto* atlas = dynamic_cast<const Resource::IAtlas*>(object))
        gSink = gSink + Checksum(atlas->GetRectangles(), atlas->GetNumberOfRectangles() * sizeof(Resource::AtlasRectangle));
    if (const auto* font = dynamic_cast<const Resource::IFont*>(object)) {
        for (UInt32 code = 0; code < 0x180; ++code) {
            const Resource::IGlyph* glyph = font->GetGlyph(code);
            if (glyph == nullptr)
                continue;
            const Float values[] = {glyph->GetTexCoordU1(), glyph->GetQuadY2(), glyph->GetAdvance(),
                                    glyph->GetExtraValue()};
            gSink = gSink + Checksum(values, sizeof(values));
        }
    }
    if (const auto* mesh = dynamic_cast<const Resource::IMesh*>(object))
        TouchMesh(*mesh);
    if (const auto* graph = dynamic_cast<const Resource::IGraph*>(object))
        TouchGraph(*graph);
}

} // namespace

void CreateAndTouchObject(const std::uint8_t* data, std::size_t size)
{
    if (size > 0xFFFFFFFFu)
        return;
    Resource::NativePackage package(&GetConfiguration(), &GetFileInterface(), nullptr, 0);
    package.RegisterCreators();
    Bool releaseData = true;
    TouchObject(package.CreateObjectFromMemory(nullptr, String("fuzz"), nullptr, 0, data, UInt32(size), &releaseData));
}

void CreateAndTouchPackage(const std::uint8_t* data, std::size_t size)
{
    if (size > 0xFFFFFFFFu)
        return;
    Resource::Collection collection(&GetConfiguration(), &GetFileInterface());
    collection.Init();
    Bool releaseData = true;
    Resource::IPackage* package =
        collection.CreatePackageFromMemory(String(""), ConstData(data, UInt32(size)), &releaseData);
    if (package != nullptr) {
        for (UInt32 i = 0; i < package->GetNumberOfInstances(); ++i) {
            const Resource::IGraph* graph = package->GetInstance(i)->GetGraph();
            if (graph != nullptr)
                TouchGraph(*graph);
        }
        if (auto* concrete = dynamic_cast<Resource::Package*>(package)) {
            for (UInt32 i = 0; i < concrete->GetNumberOfObjects(); ++i)
                TouchObject(const_cast<Resource::Object*>(concrete->GetObjectAt(i)));
        }
        Data native;
        if (package->Serialize(native, false, false))
            gSink = gSink + Checksum(native.GetData(), native.GetSize());
    }
    collection.DestroyAllPackages();
    collection.DeInit();
}

} // namespace Fuzzing
} // namespace Vorn
