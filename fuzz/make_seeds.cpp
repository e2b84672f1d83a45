// Writes the seed files of every fuzz target, made by the engine's own writers where the format
// has one (graphs, animations, atlases, sounds, packages) and by the test fixtures' encoders
// otherwise: make_seeds <folder> fills <folder>/<target>/.
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <memory>
#include <string>
#include <vector>

#include "foundation/byte_order.h"
#include "foundation/data.h"
#include "foundation/iff_stream.h"
#include "resource/native_package.h"
#include "resource/native_sound.h"
#include "resource/object.h"
#include "resource/sound.h"
#include "resource/wav_sound.h"
#include "resource/xml_animation.h"
#include "resource/xml_atlas.h"
#include "resource/xml_graph.h"
#include "tests/support/image_fixture.h"
#include "tests/support/level_file_writer.h"
#include "tests/support/sound_fixture.h"

namespace {

using namespace Vorn;
typedef std::vector<UInt8> Bytes;

std::filesystem::path gFolder;
int gFailures = 0;

void Write(const char* target, const std::string& name, const Bytes& bytes)
{
    const std::filesystem::path folder = gFolder / target;
    std::filesystem::create_directories(folder);
    FILE* file = std::fopen((folder / name).c_str(), "wb");
    if (file == nullptr || (!bytes.empty() && std::fwrite(bytes.data(), 1, bytes.size(), file) != bytes.size())) {
        std::fprintf(stderr, "make_seeds: cannot write %s/%s\n", target, name.c_str());
        ++gFailures;
    }
    if (file != nullptr)
        std::fclose(file);
}

Bytes ToBytes(const std::string& text)
{
    return Bytes(text.begin(), text.end());
}

Bytes ToBytes(const Data& data)
{
    return Bytes(data.GetData(), data.GetData() + data.GetSize());
}

// The native form that the reader of the text or file writes; empty when it refuses the input.
Bytes NativeForm(Resource::ObjectCreator creator, const Bytes& input)
{
    Bool releaseData = true;
    Bool failed = false;
    std::unique_ptr<Resource::IObject> object(creator(nullptr, String("seed"), input.data(), UInt32(input.size()),
                                                      nullptr, 0, &releaseData, &failed));
    Data native;
    if (object == nullptr || !object->GetNativeData(native)) {
        std::fprintf(stderr, "make_seeds: no native form of a %zu-byte input\n", input.size());
        ++gFailures;
        return Bytes();
    }
    return ToBytes(native);
}

Bytes NativeSound(const Bytes& wav)
{
    Bool releaseData = true;
    Bool failed = false;
    std::unique_ptr<Resource::IObject> object(Resource::WavSound::Create(
        nullptr, String("seed"), wav.data(), UInt32(wav.size()), nullptr, 0, &releaseData, &failed));
    const auto* sound = dynamic_cast<const Resource::Sound*>(object.get());
    Data native;
    if (sound == nullptr || !Resource::NativeSound::Write(*sound, native)) {
        std::fprintf(stderr, "make_seeds: no native sound\n");
        ++gFailures;
        return Bytes();
    }
    return ToBytes(native);
}

// A chunk file of the form from chunks given as tag and payload words, for the formats that
// only outside tools write.
UInt32 Tag(const char* text)
{
    return (UInt32(UInt8(text[0])) << 24) | (UInt32(UInt8(text[1])) << 16) | (UInt32(UInt8(text[2])) << 8) |
           UInt32(UInt8(text[3]));
}

Bytes ChunkFile(const char* form, const std::vector<std::pair<const char*, std::vector<UInt32>>>& chunks)
{
    Util::IffData file(Tag(form));
    for (const auto& chunk : chunks) {
        UInt8* block = file.CreateChunk(Tag(chunk.first), 8, UInt32(chunk.second.size() * 4));
        for (size_t i = 0; i < chunk.second.size(); ++i)
            Util::WriteLittleEndian32(block + 8 + i * 4, chunk.second[i]);
        file.AddChunk(block);
    }
    Data data;
    file.GetData(data);
    return ToBytes(data);
}

UInt32 Bits(Float value)
{
    UInt32 bits;
    std::memcpy(&bits, &value, 4);
    return bits;
}

const UInt32 kVersion = 0x31302E30u; // "0.01"

const char* const kGraphs[] = {
    R"(<Graph size="4"><Node id="a" visible="false"><Node id="b{size}" active="true"/></Node><Node/></Graph>)",
    R"(<Graph><Node id="one"><Node id="two"><Node id="three"/></Node></Node></Graph>)",
};

const char* const kAnimations[] = {
    R"(<Animation startTime="1.5" endTime="4"><VisibleKey time="0.5" value="1"/><IndexKey value="-3"/>
<AlphaKey value="0.25" interpolation="EASE_IN"/><AmbientColorKey color="0.1, 0.2, 0.3"/>
<PositionKey posX="1" posZ="-2"/><ScalingKey scaleY="3"/><RotationKey axisX="1" angle="1.5r" time="1"/></Animation>)",
};

const char* const kAtlases[] = {
    R"(<Atlas><Rectangle texCoordU1="0" texCoordU2="1" texCoordV1="0" texCoordV2="1" coordX1="0" coordX2="1" coordY1="1" coordY2="0"/>
<Rectangle texCoordU1="0.5" texCoordU2="1" texCoordV1="0" texCoordV2="0.5" coordX1="0" coordX2="2" coordY1="2" coordY2="0"/></Atlas>)",
};

} // namespace

int main(int argc, char** argv)
{
    if (argc != 2) {
        std::fprintf(stderr, "usage: make_seeds <folder>\n");
        return 2;
    }
    gFolder = argv[1];

    std::vector<Bytes> nativeGraphs;
    for (const char* xml : kGraphs) {
        Write("xml_graph", "graph" + std::to_string(nativeGraphs.size()), ToBytes(xml));
        nativeGraphs.push_back(NativeForm(&Resource::XmlGraph::Create, ToBytes(xml)));
        Write("native_graph", "graph" + std::to_string(nativeGraphs.size() - 1), nativeGraphs.back());
    }
    for (const char* xml : kAnimations) {
        Write("xml_animation", "animation", ToBytes(xml));
        Write("native_animation", "animation", NativeForm(&Resource::XmlAnimation::Create, ToBytes(xml)));
    }
    Bytes nativeAtlas;
    for (const char* xml : kAtlases) {
        Write("xml_atlas", "atlas", ToBytes(xml));
        nativeAtlas = NativeForm(&Resource::XmlAtlas::Create, ToBytes(xml));
        Write("native_atlas", "atlas", nativeAtlas);
    }

    const Bytes png = Testing::EncodeRgbaPng(5, 3, Testing::MakeRgbaPattern(5, 3));
    Write("png", "rgba", png);
    Write("png", "interlaced", Testing::EncodeRgbaPng(9, 9, Testing::MakeRgbaPattern(9, 9), true));
    Write("jpeg", "square", Testing::EncodeJpegFile(8, 8, 3, Bytes(8 * 8 * 3, 0x80), 50));
    Write("jpeg", "rgb", Testing::EncodeJpegFile(16, 8, 3, Bytes(16 * 8 * 3, 0x40)));
    Write("pvr", "four_bit", Testing::MakePvrFile(8, 8, 3, 25, 128, 128));
    Write("pvr", "two_bit_alpha", Testing::MakePvrFile(32, 32, 1, 24 | 0x8000, 320, 320));

    Testing::WavFile mono;
    mono.samples = Bytes(64, 0x11);
    Testing::WavFile stereo;
    stereo.channels = 2;
    stereo.bitsPerSample = 8;
    stereo.samples = Bytes(32, 0x80);
    const Bytes wav = mono.Build();
    Write("wav", "mono16", wav);
    Write("wav", "stereo8", stereo.Build());
    const Bytes nativeSound = NativeSound(wav);
    Write("native_sound", "mono16", nativeSound);
    Write("native_sound", "stereo8", NativeSound(stereo.Build()));
    Write("ogg", "mono", Testing::MonoToneOgg());
    Write("ogg", "stereo", Testing::StereoToneOgg());

    // Fonts, meshes and colliders come from outside tools; these follow their layout.
    std::vector<UInt32> head = {kVersion};
    for (UInt32 i = 0; i < 11; ++i)
        head.push_back(Bits(Float(i) + 1.5f));
    std::vector<UInt32> glyphs = {2, 8};
    for (UInt32 code : {65u, 66u}) {
        glyphs.push_back(code);
        for (Float value : {0.25f, 0.25f, 0.5f, 0.5f, 1.0f, -8.0f, 7.0f, 2.0f, 6.0f, 0.0f})
            glyphs.push_back(Bits(value));
    }
    Write("font", "two_glyphs", ChunkFile("FONT", {{"HEAD", head}, {"GLPH", glyphs}}));
    Write("mesh", "triangle",
          ChunkFile("MESH", {{"HEAD", {kVersion, 42, Bits(-1), Bits(-1), Bits(-1), Bits(1), Bits(1), Bits(1)}},
                             {"VATT", {0, 0, 3, 0}},
                             {"VBUF", {0, 0x11, 0, 0, 12, 3, 0x66, 0, Bits(0), Bits(0), Bits(0), Bits(1), Bits(0),
                                       Bits(0), Bits(0), Bits(1), Bits(0)}},
                             {"IBUF", {0, 0x22, 3, 10, 11, 12, 13, 14, 15, 16, 17, 20, 21, 7, 3, 0, 0x00010000, 2}},
                             {"ISEG", {0, 1, 0, 3, 0}}}));
    // One node over one leaf (a negative child is leaf -1 - child), vertex i at (i, 2i, 3i, 1).
    std::vector<UInt32> vertices = {3, 8};
    for (UInt32 i = 0; i < 3; ++i) {
        for (Float value : {Float(i), Float(2 * i), Float(3 * i), 1.0f})
            vertices.push_back(Bits(value));
    }
    std::vector<UInt32> leaves = {1, 8, 0, 0, Bits(1), 0, 1, 2, 0, 0, 0, 0, 2, 0, 0, 0, 0, 0};
    Write("collider", "one_leaf",
          ChunkFile("CGEO", {{"HEAD", {kVersion}},
                             {"VERT", vertices},
                             {"NODE", {1, 8, UInt32(-1), UInt32(-1), 0, 0, 0, Bits(1), Bits(1)}},
                             {"LEAF", leaves}}));
    // Forty nodes, each naming the next one as both its children: refused, as the physics walk
    // below a node with two parents doubles at each one.
    std::vector<UInt32> sharedNodes = {40, 8};
    for (UInt32 i = 0; i < 40; ++i) {
        const UInt32 child = i + 1 < 40 ? i + 1 : UInt32(-1);
        for (UInt32 word : {child, child, 0u, 0u, 0u, Bits(1), Bits(1)})
            sharedNodes.push_back(word);
    }
    Write("collider", "shared_nodes",
          ChunkFile("CGEO", {{"HEAD", {kVersion}}, {"VERT", vertices}, {"NODE", sharedNodes}, {"LEAF", leaves}}));

    Resource::NativePackageWriter writer(String("seed"));
    const UInt32 german = 0x00000007u;
    writer.AddResource(String("graph"), nativeGraphs[0].data(), UInt32(nativeGraphs[0].size()), nullptr, 0);
    writer.AddResource(String("sound"), nativeSound.data(), UInt32(nativeSound.size()), &german, 1);
    writer.AddResource(String("image"), png.data(), UInt32(png.size()), nullptr, 0);
    writer.AddResource(String("atlas"), nativeAtlas.data(), UInt32(nativeAtlas.size()), nullptr, 0);
    writer.AddText(String("title"), String("Plovendra"), nullptr, 0);
    writer.AddInstance(String("graph"), String(""));
    Data package;
    writer.GetData(package);
    Write("native_package", "package", ToBytes(package));
    Write("xml_package", "package",
          ToBytes(R"(<Package id="p"><Text id="t" value="v" includeForLanguages="GERMAN"/><Text id="u" value="w"/></Package>)"));

    Write("chunk_walk", "graph", nativeGraphs[0]);
    Write("chunk_walk", "package", ToBytes(package));
    Write("chunk_walk", "wav", wav);

    int number = 0;
    for (const char* value : {"{p},{q}", "1.5d", "3,40", "0.1, 0.2, 0.3, 1", "true", "{p}{p}{q}"}) {
        std::string input = value;
        input += std::string(1, '\0') + "7" + std::string(1, '\0') + "{p}x";
        Write("attributes", "value" + std::to_string(number++), ToBytes(input));
    }
    Write("xml_parser", "graph", ToBytes(kGraphs[0]));
    Write("xml_parser", "animation", ToBytes(kAnimations[0]));
    Write("xml_parser", "declared",
          ToBytes("<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n<scene a=\"&amp;\"><!-- c --><x b='1'/></scene>"));

    // Two levels: a zen level with a background, then a 1.00 campaign level with every old layout.
    Testing::LevelFileWriter levels;
    levels.Level("1.09", 1).Background("bg_zen");
    levels.Chunk("CORS", Testing::CoursePayload({{0, 6, 6, 7}, {8}}, {0.0f, 2.0f}));
    levels.Level("1.00", 0, 1.0f, 2.0f);
    levels.Chunk("WEAP", Testing::LevelPayload().F32(8.0f).F32(0.0f).U32(0).U32(1).U32(1)
                             .F32(2.0f).F32(1.0f).F32(1.0f).U32(3).F32(1.0f).F32(2.0f));
    levels.Chunk("ASET", Testing::LevelPayload().Text("bg_ice", 60).U32(0).U32(1)
                             .U32(1).F32(0.0f).F32(0.0f).F32(0.0001f).F32(0.0f).F32(1.0f).F32(1.0f));
    levels.Chunk("OBST", Testing::LevelPayload().U32(1).F32(1.0f).U32(1).Zeros(3).F32(50.0f).U32(8));
    levels.Chunk("PSTA", Testing::LevelPayload().U32(2).F32(40.0f).F32(50.0f).Zeros(98));
    Write("level_data", "two_levels", levels.GetBytes());
    // The level writer's chunk list: a level line and a background line.
    const std::string list = "LEVL 312e3039" + std::string(8 * 3, '0') + "\nASET 62675f69\n\n";
    Write("chunk_list", "two_chunks", ToBytes(list));

    // The high-score server's replies, as it writes them: a list with rows (the asking player's
    // highlighted), an empty list and a submission's answer.
    Write("highscores_reply", "list",
          ToBytes("<Content>\n<DR i=\"1\" n=\"416e6e61\" s1=\"123456\" s2=\"40\" s3=\"15\"/>\n"
                  "<DR i=\"2\" n=\"42656e\" s1=\"9000\" s2=\"3\" s3=\"2\" highlight=\"1\"/>\n</Content>"));
    Write("highscores_reply", "empty_list", ToBytes("<Content>\n</Content>"));
    Write("highscores_reply", "submitted", ToBytes("OK"));

    // A player-data file without its digest (the target appends one): the settings, a used
    // profile with a name and two level records, and two unused profiles, one of an older layout.
    const UInt32 settingsVersion = 0x32302E31u; // "1.02"
    const UInt32 profileVersion = 0x34302E31u;  // "1.04"
    std::vector<UInt32> settings = {settingsVersion, 1, 0, Bits(1.0f), 7, Bits(321.5f), 1, 3, 0x0101};
    settings.resize(20, 0);
    std::vector<UInt32> used = {profileVersion, 1, Bits(12.5f), 3, Bits(40.0f), 900, 2, 1, 0, 0, 0, 1, 20240102};
    used.resize(21, 0);
    std::vector<UInt32> unused = {profileVersion, 0, 0, 1};
    unused.resize(21, 0);
    std::vector<UInt32> older = {0x32302E31u, 0, 0, 1}; // "1.02": the name in a field of its own
    older.resize(21, 0);
    Write("player_data", "three_profiles",
          ChunkFile("DRPD", {{"PLGS", settings},
                             {"PLDA", used},
                             {"PLNA", {5, 0x616E6E41u, 0}}, // "Anna"
                             {"PLLD", {0, Bits(95.0f), 5000, 4, 1, 2, 3, 4}},
                             {"PLLD", {1, Bits(61.5f), 1200, 2, 0, 0, 0, 0}},
                             {"PLDA", unused},
                             {"PLDA", older}}));
    return gFailures == 0 ? 0 : 1;
}
