#include "resource/native_package.h"

#include <gtest/gtest.h>

#include <cstring>
#include <memory>
#include <string>
#include <vector>

#include "foundation/attributes.h"
#include "foundation/byte_order.h"
#include "resource/graph.h"
#include "resource/instance.h"
#include "resource/jpg_image.h"
#include "resource/native_animation.h"
#include "resource/native_atlas.h"
#include "resource/native_collider.h"
#include "resource/native_font.h"
#include "resource/native_graph.h"
#include "resource/native_mesh.h"
#include "resource/native_sound.h"
#include "resource/ogg_sound.h"
#include "resource/png_image.h"
#include "resource/pvr_image.h"
#include "resource/wav_sound.h"
#include "resource/xml_animation.h"
#include "resource/xml_atlas.h"
#include "resource/xml_graph.h"
#include "resource/text.h"
#include "tests/support/fake_configuration.h"

namespace Vorn {
namespace {

using Resource::Condition::MakeInclude;
namespace Condition = Resource::Condition;

// A one-node graph tree, written through the graph writer to make "GRPH" resources.
class OneNodeGraph : public Resource::IGraph, public Resource::IGraphNode
{
public:
    explicit OneNodeGraph(const char* className) : mClassName(className) {}
    const IGraphNode* GetRootNode() const override { return this; }
    const IAttributes* GetRootAttributes() const override { return &mAttributes; }
    String GetClassName() const override { return mClassName; }
    UInt32 GetNumberOfChildren() const override { return 0; }
    const IGraphNode* GetChild(UInt32) const override { return nullptr; }
    const IAttributes* GetAttributes() const override { return &mAttributes; }

private:
    String mClassName;
    Util::Attributes mAttributes;
};

Data MakeGraphFile(const char* className)
{
    OneNodeGraph graph(className);
    Data data;
    EXPECT_TRUE(Resource::NativeGraph::Write(&graph, data));
    return data;
}

String RootClass(const Resource::IGraph* graph)
{
    return graph != nullptr && graph->GetRootNode() != nullptr ? graph->GetRootNode()->GetClassName() : String();
}

// File offset of the payload of the n-th chunk with the tag; 0 when there is none.
UInt32 FindPayload(const Data& data, const char* tag, SInt32 n = 0)
{
    for (UInt32 offset = 12; offset + 8 <= data.GetSize();
         offset += 8 + Util::ReadLittleEndian32(data.GetData() + offset + 4)) {
        if (std::memcmp(data.GetData() + offset, tag, 4) == 0 && n-- == 0)
            return offset + 8;
    }
    return 0;
}

struct Result
{
    std::unique_ptr<Resource::Package> package;
    Bool releaseData = true;
    Bool failed = false;
    std::string log;
};

class NativePackageTest : public ::testing::Test
{
protected:
    NativePackageTest()
    {
        mConfiguration.SetLanguage(Enums::Language::GERMAN);
        mPopupEnglish = MakeGraphFile("Switch");
        mPopupGerman = MakeGraphFile("Container");
    }

    Result Read(const Data& file)
    {
        Result result;
        result.releaseData = false;
        ::testing::internal::CaptureStderr();
        result.package.reset(Resource::NativePackage::Create(&mConfiguration, nullptr, String(), file.GetData(),
                                                             file.GetSize(), &result.releaseData, &result.failed));
        result.log = ::testing::internal::GetCapturedStderr();
        return result;
    }

    // Package "app_common": two language variants of "graph_popup", three of the text "title",
    // an instance of the popup under "root".
    Data WriteFixture()
    {
        Resource::NativePackageWriter writer("app_common");
        EXPECT_TRUE(writer.AddResource("graph_popup", mPopupEnglish.GetData(), mPopupEnglish.GetSize(), mEnglish, 1));
        EXPECT_TRUE(writer.AddResource("graph_popup", mPopupGerman.GetData(), mPopupGerman.GetSize(), mGerman, 1));
        EXPECT_TRUE(writer.AddText("title", "Title", mEnglish, 1));
        EXPECT_TRUE(writer.AddText("title", "Titel", mGerman, 1));
        EXPECT_TRUE(writer.AddText("title", "Titre", mFrench, 1));
        EXPECT_TRUE(writer.AddInstance("graph_popup", "root"));
        Data file;
        EXPECT_TRUE(writer.GetData(file));
        return file;
    }

    Testing::FakeConfiguration mConfiguration;
    Data mPopupEnglish;
    Data mPopupGerman;
    const UInt32 mEnglish[1] = {MakeInclude(Condition::LANGUAGES, UInt32(Enums::Language::ENGLISH))};
    const UInt32 mGerman[1] = {MakeInclude(Condition::LANGUAGES, UInt32(Enums::Language::GERMAN))};
    const UInt32 mFrench[1] = {MakeInclude(Condition::LANGUAGES, UInt32(Enums::Language::FRENCH))};
};

TEST_F(NativePackageTest, ReadsVariantsTextsAndInstancesInPlace)
{
    const Data file = WriteFixture();
    Result result = Read(file);
    ASSERT_NE(result.package, nullptr) << result.log;
    EXPECT_FALSE(result.failed);
    EXPECT_FALSE(result.releaseData);
    EXPECT_EQ(result.log, "");

    Resource::Package& package = *result.package;
    EXPECT_EQ(package.GetId(), "app_common");
    EXPECT_EQ(RootClass(package.GetGraph("graph_popup")), "Container");
    EXPECT_STREQ(package.GetText("title"), "Titel");
    ASSERT_EQ(package.GetNumberOfInstances(), 1u);
    const Resource::IInstance* instance = package.GetInstance(0);
    EXPECT_EQ(instance->GetGraphResourceId(), "graph_popup");
    EXPECT_EQ(instance->GetParentNodeId(), "root");
    EXPECT_EQ(instance->GetGraph(), package.GetGraph("graph_popup"));
    EXPECT_EQ(package.GetInstance(1), nullptr);

    // Condition words and embedded files are used where they lie in the file.
    const Resource::Object* first = package.GetObjectAt(0);
    EXPECT_GE(static_cast<const void*>(first->GetConditions()), static_cast<const void*>(file.GetData()));
    EXPECT_LT(static_cast<const void*>(first->GetConditions()), static_cast<const void*>(file.GetData() + file.GetSize()));

    mConfiguration.SetLanguage(Enums::Language::ENGLISH);
    EXPECT_EQ(RootClass(package.GetGraph("graph_popup")), "Switch");
    EXPECT_STREQ(package.GetText("title"), "Title");
    mConfiguration.SetLanguage(Enums::Language::ITALIAN);
    EXPECT_EQ(package.GetGraph("graph_popup"), nullptr);
    EXPECT_EQ(package.GetText("title"), nullptr);
    EXPECT_EQ(package.GetGraph("graph_missing"), nullptr);
}

TEST_F(NativePackageTest, SerializeWritesTheFileItWasReadFrom)
{
    const Data file = WriteFixture();
    Result result = Read(file);
    ASSERT_NE(result.package, nullptr) << result.log;
    Data written;
    ASSERT_TRUE(result.package->Serialize(written, false, false));
    ASSERT_EQ(written.GetSize(), file.GetSize());
    EXPECT_EQ(std::memcmp(written.GetData(), file.GetData(), file.GetSize()), 0);
}

TEST_F(NativePackageTest, SerializeKeepsMatchingOrFirstVariants)
{
    Resource::NativePackageWriter writer("texts");
    writer.AddResource("graph_popup", mPopupGerman.GetData(), mPopupGerman.GetSize(), mGerman, 1);
    writer.AddResource("graph_popup", mPopupGerman.GetData(), mPopupGerman.GetSize(), nullptr, 0);
    writer.AddText("title", "Title", mEnglish, 1);
    writer.AddText("title", "Titel", mGerman, 1);
    writer.AddText("title", "Titel!", nullptr, 0);
    Data file;
    ASSERT_TRUE(writer.GetData(file));
    Result source = Read(file);
    ASSERT_NE(source.package, nullptr) << source.log;

    Data matching;
    ASSERT_TRUE(source.package->Serialize(matching, true, false));
    Result all = Read(matching);
    ASSERT_NE(all.package, nullptr) << all.log;
    EXPECT_EQ(all.package->GetNumberOfObjects(), 2u);
    ASSERT_EQ(all.package->GetNumberOfTexts(), 2u);
    EXPECT_EQ(all.package->GetTextAt(0)->GetValue(), "Titel");
    EXPECT_EQ(all.package->GetTextAt(0)->GetNumberOfConditions(), 1u);

    Data first;
    ASSERT_TRUE(source.package->Serialize(first, true, true));
    Result one = Read(first);
    ASSERT_NE(one.package, nullptr) << one.log;
    ASSERT_EQ(one.package->GetNumberOfObjects(), 1u);
    EXPECT_EQ(one.package->GetObjectAt(0)->GetNumberOfConditions(), 0u);
    ASSERT_EQ(one.package->GetNumberOfTexts(), 1u);
    EXPECT_EQ(one.package->GetTextAt(0)->GetValue(), "Titel");
    EXPECT_EQ(one.package->GetTextAt(0)->GetNumberOfConditions(), 0u);
    // Only the native graph points into the bytes now.
    EXPECT_FALSE(one.releaseData);
}

TEST_F(NativePackageTest, ReleasesDataOnlyWhenNothingPointsIntoIt)
{
    struct Case
    {
        const char* name;
        Bool withGraph;
        Bool textCondition;
        Bool expected;
    };
    const Case cases[] = {
        {"texts only", false, false, true},
        {"text condition word", false, true, false},
        {"native graph", true, false, false},
    };
    for (const Case& c : cases) {
        Resource::NativePackageWriter writer("p");
        if (c.withGraph)
            writer.AddResource("g", mPopupGerman.GetData(), mPopupGerman.GetSize(), nullptr, 0);
        writer.AddText("t", "v", c.textCondition ? mGerman : nullptr, c.textCondition ? 1 : 0);
        Data file;
        ASSERT_TRUE(writer.GetData(file));
        Result result = Read(file);
        ASSERT_NE(result.package, nullptr) << c.name << result.log;
        EXPECT_EQ(result.releaseData, c.expected) << c.name;
    }
}

TEST_F(NativePackageTest, DeclinesOtherFilesSilently)
{
    Data file = WriteFixture();
    Data otherForm = file;
    std::memcpy(otherForm.GetBuffer() + 8, "GRPH", 4);
    Data otherFirstChunk = file;
    std::memcpy(otherFirstChunk.GetBuffer() + 12, "HEAX", 4);
    const char text[] = "<Package/>";
    const Data xml(text, sizeof(text) - 1);
    const Data* declined[] = {&otherForm, &otherFirstChunk, &xml, &mPopupGerman};
    for (const Data* bytes : declined) {
        Result result = Read(*bytes);
        EXPECT_EQ(result.package, nullptr);
        EXPECT_FALSE(result.failed);
        EXPECT_TRUE(result.releaseData);
        EXPECT_EQ(result.log, "");
    }
    Result empty = Read(Data());
    EXPECT_EQ(empty.package, nullptr);
    EXPECT_FALSE(empty.failed);
}

TEST_F(NativePackageTest, RefusesFilesOfItsFormThatItCannotRead)
{
    const Data fixture = WriteFixture();
    const UInt32 head = FindPayload(fixture, "HEAD");
    const UInt32 resource = FindPayload(fixture, "RSRC");
    const UInt32 text = FindPayload(fixture, "TEXT");
    const UInt32 instance = FindPayload(fixture, "INST");
    struct Case
    {
        const char* name;
        UInt32 offset;
        UInt32 value;
        const char* log;
    };
    const Case cases[] = {
        {"version", head, 0x32302E30, "Resource::NativePackage::Create(): File format version mismatch\n"},
        {"package id offset", head + 4, 0x1000, "Resource::NativePackage::Create(): Package ID in chunk HEAD lies outside the chunk\n"},
        {"resource id offset", resource, 0xFFFFFFF0,
         "Resource::NativePackage::Create(): Resource chunk #0 holds offsets or sizes outside the chunk\n"},
        {"resource data size", resource + 12, 0x7FFFFFFF,
         "Resource::NativePackage::Create(): Resource chunk #0 holds offsets or sizes outside the chunk\n"},
        {"resource data offset", resource + 8, 0xFFFFFFFC,
         "Resource::NativePackage::Create(): Resource chunk #0 holds offsets or sizes outside the chunk\n"},
        {"condition count", resource + 20, 0x40000001,
         "Resource::NativePackage::Create(): Resource chunk #0 holds offsets or sizes outside the chunk\n"},
        {"text value offset", text + 8, 0x10000,
         "Resource::NativePackage::Create(): Text chunk #0 holds offsets or sizes outside the chunk\n"},
        {"instance parent offset", instance + 8, 0x10000,
         "Resource::NativePackage::Create(): Instance chunk #0 holds offsets or sizes outside the chunk\n"},
    };
    for (const Case& c : cases) {
        Data file = fixture;
        Util::WriteLittleEndian32(file.GetBuffer() + c.offset, c.value);
        Result result = Read(file);
        EXPECT_EQ(result.package, nullptr) << c.name;
        EXPECT_TRUE(result.failed) << c.name;
        EXPECT_TRUE(result.releaseData) << c.name;
        EXPECT_EQ(result.log, c.log) << c.name;
    }
}

TEST_F(NativePackageTest, RefusesEmptyIdsUnknownResourcesAndUnboundInstances)
{
    const char noise[] = "not a resource format";
    struct Case
    {
        const char* name;
        void (*fill)(Resource::NativePackageWriter&, const Data& graph, const UInt32* english, const char* noise);
        const char* log;
    };
    const Case cases[] = {
        {"instances only", [](Resource::NativePackageWriter& w, const Data&, const UInt32*, const char*) { w.AddInstance("g", ""); },
         "Resource::NativePackage::Create(): No resources in file\n"},
        {"empty resource id",
         [](Resource::NativePackageWriter& w, const Data& g, const UInt32*, const char*) { w.AddResource("", g.GetData(), g.GetSize(), nullptr, 0); },
         "Resource::NativePackage::Create(): Resource ID in chunk #0 is empty\n"},
        {"empty text id", [](Resource::NativePackageWriter& w, const Data&, const UInt32*, const char*) { w.AddText("", "v", nullptr, 0); },
         "Resource::NativePackage::Create(): Text ID in chunk #0 is empty\n"},
        {"empty instance id",
         [](Resource::NativePackageWriter& w, const Data&, const UInt32*, const char*) {
             w.AddText("t", "v", nullptr, 0);
             w.AddInstance("", "");
         },
         "Resource::NativePackage::Create(): Instance resource ID in chunk #0 is empty\n"},
        {"unknown resource format",
         [](Resource::NativePackageWriter& w, const Data&, const UInt32*, const char* n) { w.AddResource("odd", n, UInt32(std::strlen(n)), nullptr, 0); },
         "Resource::Package::CreateObjectFromMemory(): Failed to create object from memory\n"
         "Resource::NativePackage::Create(): Failed to create resource object 'odd' from chunk #0\n"},
        {"instance of a graph that does not match",
         [](Resource::NativePackageWriter& w, const Data& g, const UInt32* english, const char*) {
             w.AddResource("g", g.GetData(), g.GetSize(), english, 1);
             w.AddInstance("g", "");
         },
         "Resource::NativePackage::Create(): Failed to get graph 'g' for instance chunk #0\n"},
    };
    for (const Case& c : cases) {
        Resource::NativePackageWriter writer("p");
        c.fill(writer, mPopupGerman, mEnglish, noise);
        Data file;
        ASSERT_TRUE(writer.GetData(file));
        Result result = Read(file);
        EXPECT_EQ(result.package, nullptr) << c.name;
        EXPECT_TRUE(result.failed) << c.name;
        EXPECT_EQ(result.log, c.log) << c.name;
    }
}

TEST_F(NativePackageTest, ChunkRunningPastTheEndEndsTheWalk)
{
    Resource::NativePackageWriter writer("p");
    writer.AddText("kept", "v", nullptr, 0);
    Data file;
    ASSERT_TRUE(writer.GetData(file));
    // A "TEXT" chunk header whose size claims more than the file holds, then a few bytes.
    const UInt32 end = file.GetSize();
    file.Resize(end + 16);
    std::memcpy(file.GetBuffer() + end, "TEXT", 4);
    Util::WriteLittleEndian32(file.GetBuffer() + end + 4, 0x100);
    Util::WriteLittleEndian32(file.GetBuffer() + 4, file.GetSize() - 8);
    Result result = Read(file);
    ASSERT_NE(result.package, nullptr) << result.log;
    EXPECT_EQ(result.package->GetNumberOfTexts(), 1u);
    EXPECT_STREQ(result.package->GetText("kept"), "v");
}

TEST_F(NativePackageTest, RegistersEveryCreatorOfTheTableInOrder)
{
    UInt32 count = 0;
    const Resource::ObjectCreator* creators = Resource::NativePackage::GetObjectCreators(count);
    const Resource::ObjectCreator expected[] = {
        &Resource::NativeCollider::Create, &Resource::NativeFont::Create,  &Resource::NativeGraph::Create,
        &Resource::NativeMesh::Create,     &Resource::NativeAnimation::Create, &Resource::NativeAtlas::Create,
        &Resource::NativeSound::Create,    &Resource::PngImage::Create,    &Resource::PvrImage::Create,
        &Resource::JpgImage::Create,       &Resource::OggSound::Create,    &Resource::WavSound::Create,
        &Resource::XmlGraph::Create,       &Resource::XmlAnimation::Create, &Resource::XmlAtlas::Create,
    };
    ASSERT_EQ(count, 15u);
    for (UInt32 i = 0; i < count; ++i)
        EXPECT_EQ(creators[i], expected[i]) << i;
    Resource::NativePackage package(&mConfiguration, nullptr, nullptr, 0);
    ASSERT_TRUE(package.RegisterCreators());
    for (UInt32 i = 0; i < count; ++i)
        EXPECT_FALSE(package.AddObjectCreator(creators[i])) << i;
    ASSERT_TRUE(package.UnregisterCreators());
    for (UInt32 i = 0; i < count; ++i)
        EXPECT_FALSE(package.RemoveObjectCreator(creators[i])) << i;
}

// Every cut and every flipped bit gives a package or a refusal, never a read outside the bytes
// (the sanitizer build checks the reads).
TEST_F(NativePackageTest, SurvivesTruncatedAndBitFlippedFiles)
{
    const Data fixture = WriteFixture();
    ::testing::internal::CaptureStderr();
    for (UInt32 size = 0; size < fixture.GetSize(); ++size) {
        for (Bool fixHeader : {false, true}) {
            Data file(fixture.GetData(), size);
            if (fixHeader && size >= 12)
                Util::WriteLittleEndian32(file.GetBuffer() + 4, size - 8);
            Bool releaseData = true;
            Bool failed = false;
            delete Resource::NativePackage::Create(&mConfiguration, nullptr, String(), file.GetData(), file.GetSize(),
                                                   &releaseData, &failed);
        }
    }
    for (UInt32 bit = 0; bit < fixture.GetSize() * 8; ++bit) {
        Data file = fixture;
        file.GetBuffer()[bit / 8] ^= UInt8(1u << (bit % 8));
        Bool releaseData = true;
        Bool failed = false;
        Resource::Package* package = Resource::NativePackage::Create(&mConfiguration, nullptr, String(), file.GetData(),
                                                                     file.GetSize(), &releaseData, &failed);
        if (package != nullptr) {
            EXPECT_FALSE(failed);
            package->GetGraph("graph_popup");
            package->GetText("title");
        }
        delete package;
    }
    ::testing::internal::GetCapturedStderr();
}

// A package at an odd address: its condition words still decide the variants.
TEST_F(NativePackageTest, ReadsAFileAtAnOddAddress)
{
    const Data file = WriteFixture();
    std::unique_ptr<UInt8[]> block(new UInt8[file.GetSize() + 1]);
    std::memcpy(block.get() + 1, file.GetData(), file.GetSize());
    Bool releaseData = true;
    Bool failed = false;
    std::unique_ptr<Resource::Package> package(Resource::NativePackage::Create(
        &mConfiguration, nullptr, String(), block.get() + 1, file.GetSize(), &releaseData, &failed));
    ASSERT_NE(package, nullptr);
    mConfiguration.SetLanguage(Enums::Language::ENGLISH);
    EXPECT_EQ(RootClass(package->GetGraph("graph_popup")), "Switch");
    EXPECT_STREQ(package->GetText("title"), "Title");
    mConfiguration.SetLanguage(Enums::Language::FRENCH);
    EXPECT_STREQ(package->GetText("title"), "Titre");
    EXPECT_EQ(reinterpret_cast<std::uintptr_t>(package->GetObjectAt(0)->GetConditions()) % 4, 0u);
}

} // namespace
} // namespace Vorn
