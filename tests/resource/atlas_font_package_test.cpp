// Atlases and fonts inside packages: the creator chain picks the right reader, a refused file
// leaves the rest of the package in place, and the package writes XML atlases in native form.
#include <gtest/gtest.h>

#include <cstring>
#include <memory>
#include <string>

#include "foundation/iff_stream.h"
#include "resource/native_atlas.h"
#include "resource/native_font.h"
#include "resource/native_package.h"
#include "resource/xml_atlas.h"
#include "tests/support/chunk_file_fixture.h"
#include "tests/support/fake_configuration.h"

using namespace Vorn;
using namespace Vorn::Resource;
using Testing::FloatBits;

namespace {

// The three creators in their places of the native package's order of trial.
class AtlasFontPackage : public Package
{
public:
    using Package::Package;
    Bool RegisterCreators() override
    {
        return AddObjectCreator(&NativeFont::Create) && AddObjectCreator(&NativeAtlas::Create) &&
               AddObjectCreator(&XmlAtlas::Create);
    }
    Bool UnregisterCreators() override
    {
        return RemoveObjectCreator(&NativeFont::Create) && RemoveObjectCreator(&NativeAtlas::Create) &&
               RemoveObjectCreator(&XmlAtlas::Create);
    }
};

Data MakeFontFile(UInt32 code)
{
    Testing::RawChunk head = {MakeTag("HEAD"), {Testing::kVersionWord}};
    for (UInt32 i = 0; i < 11; ++i)
        head.words.push_back(FloatBits(2.0f));
    Testing::RawChunk glyphs = {MakeTag("GLPH"), {1, 8, code}};
    for (UInt32 i = 0; i < 10; ++i)
        glyphs.words.push_back(FloatBits(Float(i)));
    return Testing::MakeChunkFile(MakeTag("FONT"), {head, glyphs});
}

Data MakeAtlasFile()
{
    return Testing::MakeChunkFile(MakeTag("ATLS"),
                                  {{MakeTag("HEAD"), {Testing::kVersionWord}},
                                   {MakeTag("RECT"), {1, 8, 0, 0, FloatBits(1.0f), FloatBits(1.0f), 0, 0, 0, 0}}});
}

const std::string kXmlAtlas =
    "<Atlas><Rectangle texCoordU1=\"0\" texCoordWidth=\"0.5\" texCoordV1=\"0\" texCoordHeight=\"0.5\"/>"
    "<Rectangle texCoordU1=\"0.5\" texCoordWidth=\"0.5\" texCoordV1=\"0\" texCoordHeight=\"0.5\" coordWidth=\"2\"/>"
    "</Atlas>";

// The embedded file of the first "RSRC" chunk with the id in a native package file; empty when absent.
std::string FindEmbeddedFile(const Data& package, const char* id)
{
    Util::IffStream stream(MakeTag("RPKG"), package);
    if (!stream.Open())
        return std::string();
    for (; !stream.IsAtEnd(); stream.NextChunk()) {
        const UInt8* chunk = stream.GetChunk(MakeTag("RSRC"));
        if (chunk == nullptr)
            continue;
        const UInt8* payload = chunk + 8;
        UInt32 fields[4];
        std::memcpy(fields, payload, sizeof(fields));
        if (std::strcmp(reinterpret_cast<const char*>(payload + fields[0]), id) == 0)
            return std::string(reinterpret_cast<const char*>(payload + fields[2]), fields[3]);
    }
    return std::string();
}

Bool IsRegistered(ObjectCreator creator)
{
    UInt32 count = 0;
    const ObjectCreator* creators = NativePackage::GetObjectCreators(count);
    for (UInt32 i = 0; i < count; ++i) {
        if (creators[i] == creator)
            return true;
    }
    return false;
}

} // namespace

TEST(AtlasFontPackageTest, RefusedFileLeavesTheOthersServed)
{
    Testing::FakeConfiguration configuration;
    AtlasFontPackage package(&configuration, nullptr);
    ASSERT_TRUE(package.RegisterCreators());
    const Data font = MakeFontFile('A');
    const Data atlas = MakeAtlasFile();
    Data broken = MakeAtlasFile();
    broken.Resize(broken.GetSize() - 4);
    const Data laterFont = MakeFontFile('B');

    Bool releaseData = true;
    ASSERT_NE(package.CreateObjectFromMemory(nullptr, "font", nullptr, 0, font.GetData(), font.GetSize(), &releaseData),
              nullptr);
    EXPECT_FALSE(releaseData);
    ASSERT_NE(package.CreateObjectFromMemory(nullptr, "sheet", nullptr, 0, atlas.GetData(), atlas.GetSize(),
                                             &releaseData),
              nullptr);
    EXPECT_FALSE(releaseData);
    ASSERT_NE(package.CreateObjectFromMemory(nullptr, "icons", nullptr, 0, kXmlAtlas.data(), UInt32(kXmlAtlas.size()),
                                             &releaseData),
              nullptr);
    EXPECT_TRUE(releaseData);

    ::testing::internal::CaptureStderr();
    EXPECT_EQ(package.CreateObjectFromMemory(nullptr, "broken", nullptr, 0, broken.GetData(), broken.GetSize(),
                                             &releaseData),
              nullptr);
    EXPECT_EQ(::testing::internal::GetCapturedStderr(),
              "Resource::NativeAtlas::Create(): File size 68 does not match its header\n"
              "Resource::Package::CreateObjectFromMemory(): Failed to create object from memory\n");
    ASSERT_NE(package.CreateObjectFromMemory(nullptr, "later", nullptr, 0, laterFont.GetData(), laterFont.GetSize(),
                                             &releaseData),
              nullptr);

    EXPECT_EQ(package.GetNumberOfObjects(), 4u);
    ASSERT_NE(package.GetFont("font"), nullptr);
    ASSERT_NE(package.GetFont("font")->GetGlyph('A'), nullptr);
    EXPECT_FLOAT_EQ(package.GetFont("font")->GetGlyph('A')->GetAdvance(), 8.0f);
    ASSERT_NE(package.GetFont("later"), nullptr);
    EXPECT_NE(package.GetFont("later")->GetGlyph('B'), nullptr);
    ASSERT_NE(package.GetAtlas("sheet"), nullptr);
    EXPECT_EQ(package.GetAtlas("sheet")->GetNumberOfRectangles(), 1u);
    ASSERT_NE(package.GetAtlas("icons"), nullptr);
    EXPECT_EQ(package.GetAtlas("icons")->GetNumberOfRectangles(), 2u);
    EXPECT_EQ(package.GetAtlas("font"), nullptr);
    EXPECT_EQ(package.GetFont("sheet"), nullptr);
    EXPECT_EQ(package.GetAtlas("broken"), nullptr);

    // Written out, the XML atlas is embedded as an "ATLS" file with the same rectangles.
    Data file;
    ASSERT_TRUE(package.Serialize(file, false, false));
    const std::string embedded = FindEmbeddedFile(file, "icons");
    ASSERT_FALSE(embedded.empty());
    Testing::ExactBytes bytes(embedded);
    Testing::CreatorOutcome native = Testing::RunCreator(&NativeAtlas::Create, bytes);
    const Atlas* copy = native.As<NativeAtlas>();
    ASSERT_NE(copy, nullptr) << native.log;
    ASSERT_EQ(copy->GetNumberOfRectangles(), 2u);
    const AtlasRectangle* original = package.GetAtlas("icons")->GetRectangles();
    EXPECT_EQ(std::memcmp(copy->GetRectangles(), original, 2 * sizeof(AtlasRectangle)), 0);
    const std::string fontBytes(reinterpret_cast<const char*>(font.GetData()), font.GetSize());
    EXPECT_EQ(FindEmbeddedFile(file, "font"), fontBytes);
}

TEST(AtlasFontPackageTest, NativePackageReadsAtlasesAndFonts)
{
    if (!IsRegistered(&NativeFont::Create) || !IsRegistered(&NativeAtlas::Create) || !IsRegistered(&XmlAtlas::Create))
        GTEST_SKIP() << "the native package does not offer the atlas and font readers yet";

    Testing::FakeConfiguration configuration;
    const Data font = MakeFontFile('A');
    const Data atlas = MakeAtlasFile();
    NativePackageWriter writer("pack");
    ASSERT_TRUE(writer.AddResource("font", font.GetData(), font.GetSize(), nullptr, 0));
    ASSERT_TRUE(writer.AddResource("sheet", atlas.GetData(), atlas.GetSize(), nullptr, 0));
    ASSERT_TRUE(writer.AddResource("icons", kXmlAtlas.data(), UInt32(kXmlAtlas.size()), nullptr, 0));
    Data file;
    ASSERT_TRUE(writer.GetData(file));

    Bool releaseData = true;
    Bool failed = false;
    std::unique_ptr<Package> package(NativePackage::Create(&configuration, nullptr, String(), file.GetData(),
                                                           file.GetSize(), &releaseData, &failed));
    ASSERT_NE(package, nullptr);
    EXPECT_FALSE(releaseData);
    ASSERT_NE(package->GetFont("font"), nullptr);
    EXPECT_NE(package->GetFont("font")->GetGlyph('A'), nullptr);
    ASSERT_NE(package->GetAtlas("sheet"), nullptr);
    ASSERT_NE(package->GetAtlas("icons"), nullptr);

    // Read back from its own serialisation, the XML atlas is a native one.
    Data serialized;
    ASSERT_TRUE(package->Serialize(serialized, false, false));
    std::unique_ptr<Package> again(NativePackage::Create(&configuration, nullptr, String(), serialized.GetData(),
                                                         serialized.GetSize(), &releaseData, &failed));
    ASSERT_NE(again, nullptr);
    const IAtlas* copy = again->GetAtlas("icons");
    ASSERT_NE(copy, nullptr);
    EXPECT_NE(dynamic_cast<const NativeAtlas*>(copy), nullptr);
    ASSERT_EQ(copy->GetNumberOfRectangles(), 2u);
    const AtlasRectangle* original = package->GetAtlas("icons")->GetRectangles();
    EXPECT_EQ(std::memcmp(copy->GetRectangles(), original, 2 * sizeof(AtlasRectangle)), 0);
}
