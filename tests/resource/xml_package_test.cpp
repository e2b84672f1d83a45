#include "resource/xml_package.h"

#include <gtest/gtest.h>

#include <cstring>
#include <memory>
#include <string>
#include <vector>

#include "foundation/attributes.h"
#include "foundation/folder_file_interface.h"
#include "resource/graph.h"
#include "resource/instance.h"
#include "resource/native_package.h"
#include "resource/object.h"
#include "resource/text.h"
#include "tests/support/fake_configuration.h"
#include "tests/support/graph_fixture.h"
#include "tests/support/temp_folder.h"

namespace Vorn {
namespace {

using Resource::XmlPackage;

// Condition reading over one element's attributes.

struct ConditionCase
{
    const char* name;
    std::vector<const char*> attributes; // names and values, alternating
    Bool ok;
    std::vector<UInt32> words;
};

Util::Attributes MakeAttributes(std::vector<const char*> namesAndValues)
{
    namesAndValues.push_back(nullptr);
    return Util::Attributes(namesAndValues.data());
}

TEST(XmlPackageParserTest, ParseConditionsBuildsWordsInCategoryOrder)
{
    const ConditionCase cases[] = {
        {"none", {"id", "a"}, true, {}},
        {"two languages", {"includeForLanguages", "ENGLISH,GERMAN"}, true, {0x40000001, 0x40000002}},
        {"device family", {"includeForTargetClasses", "COMPUTER"}, true, {0x41000100}},
        {"exclude", {"excludeForLanguages", "FRENCH"}, true, {0x80000003}},
        {"unknown name gives DEFAULT", {"includeForLanguages", "KLINGON"}, true, {0x40000000}},
        {"prescale numbers", {"includeForPrescaleFactors", "1,2"}, true, {0x46000001, 0x46000002}},
        {"largest 24-bit value", {"excludeForPrescaleFactors", "16777215"}, true, {0x86FFFFFF}},
        {"categories in word order, not attribute order",
         {"includeForAudioInterfaces", "AL11", "includeForGpus", "POWERVR", "excludeForLanguages", "FRENCH"},
         true,
         {0x80000003, 0x44000200, 0x48000002}},
        {"include and exclude of one category", {"includeForGpus", "POWERVR", "excludeForGpus", "TEGRA2"}, false, {}},
        {"prescale factor that is no number", {"includeForPrescaleFactors", "two"}, false, {}},
    };
    for (const ConditionCase& c : cases) {
        Util::Attributes attributes = MakeAttributes(c.attributes);
        // Words already in the array stay; a failure adds none.
        Array<UInt32> words;
        words.Add(0x12345678);
        ::testing::internal::CaptureStderr();
        const Bool ok = XmlPackage::Parser::ParseConditions(&attributes, words);
        ::testing::internal::GetCapturedStderr();
        EXPECT_EQ(ok, c.ok) << c.name;
        std::vector<UInt32> expected = {0x12345678};
        expected.insert(expected.end(), c.words.begin(), c.words.end());
        EXPECT_EQ(std::vector<UInt32>(words.begin(), words.end()), expected) << c.name;
    }
}

TEST(XmlPackageParserTest, ParseConditionsRefusesValueBeyond24BitsWithOneLine)
{
    // 0x1000002 would otherwise become an include of category 7 with value 2.
    for (const char* name : {"includeForPrescaleFactors", "excludeForPrescaleFactors"}) {
        Util::Attributes attributes = MakeAttributes({name, "2,16777218"});
        Array<UInt32> words;
        ::testing::internal::CaptureStderr();
        EXPECT_FALSE(XmlPackage::Parser::ParseConditions(&attributes, words)) << name;
        const std::string log = ::testing::internal::GetCapturedStderr();
        EXPECT_EQ(log, "Resource::XmlPackage::Parser::ParseConditions(): Value 16777218 of attribute \"" +
                           std::string(name) + "\" does not fit in 24 bits\n");
        EXPECT_EQ(words.GetCount(), 0);
    }
}

TEST(XmlPackageParserTest, KeepsUnusedAttributesAsExtraAttributes)
{
    const std::string xml = R"(<Package id="p">
        <Resource id="logo" fileName="logo.png" outputFormat="R5_G6_B5" includeForLanguages="GERMAN"/>
        <Resource id="plain" fileName="plain.xml"/>
        <Text id="t" value="v" comment="ignored"/>
    </Package>)";
    XmlPackage::Parser parser;
    ASSERT_TRUE(parser.Parse(xml.data(), UInt32(xml.size()))) << parser.GetErrorString().GetText();
    EXPECT_EQ(parser.GetPackageId(), "p");
    ASSERT_EQ(parser.GetResources().GetCount(), 2);
    const Util::Attributes* extra = parser.GetResources()[0].mExtraAttributes.get();
    ASSERT_NE(extra, nullptr);
    ASSERT_EQ(extra->GetNumberOfAttributes(), 1u);
    EXPECT_STREQ(extra->GetAttributeName(0), "outputFormat");
    EXPECT_STREQ(extra->GetAttributeValue(0), "R5_G6_B5");
    EXPECT_EQ(extra->GetNumberOfUnusedAttributes(), 1u);
    EXPECT_EQ(parser.GetResources()[0].mConditionCount, 1u);
    EXPECT_EQ(parser.GetResources()[1].mExtraAttributes, nullptr);
    EXPECT_EQ(parser.GetResources()[1].mConditions, nullptr);
    ASSERT_EQ(parser.GetTexts().GetCount(), 1);
    ASSERT_NE(parser.GetTexts()[0].mExtraAttributes, nullptr);
    EXPECT_STREQ(parser.GetTexts()[0].mExtraAttributes->GetAttributeName(0), "comment");
}

// Whole packages over a temporary folder.

const char* const kEnglishGraph = R"(<Graph name="english"><Container id="a"/></Graph>)";
const char* const kGermanGraph = R"(<Graph name="german"><Container id="b"/><Container id="c"/></Graph>)";

class XmlPackageTest : public ::testing::Test
{
protected:
    struct Result
    {
        std::unique_ptr<Resource::Package> package;
        Bool releaseData = false;
        Bool failed = false;
        std::string log;
    };

    XmlPackageTest() : mFiles(String(mFolder.Get().c_str())) {}

    Result Load(const std::string& description, const char* basePath = "pkg")
    {
        Result result;
        ::testing::internal::CaptureStderr();
        result.package.reset(XmlPackage::Create(&mConfiguration, &mFiles, String(basePath), description.data(),
                                                UInt32(description.size()), &result.releaseData, &result.failed));
        result.log = ::testing::internal::GetCapturedStderr();
        return result;
    }

    Testing::TempFolder mFolder;
    Testing::FakeConfiguration mConfiguration;
    Platform::FolderFileInterface mFiles;
};

std::string GetRootName(const Resource::IGraph* graph)
{
    String name;
    Bool error = false;
    if (graph == nullptr || !graph->GetRootAttributes()->GetValue(nullptr, "name", &name, &error))
        return "";
    return name.GetText();
}

std::vector<UInt32> GetConditions(const Resource::Object* object)
{
    return std::vector<UInt32>(object->GetConditions(), object->GetConditions() + object->GetNumberOfConditions());
}

TEST_F(XmlPackageTest, RoundTripsThroughTheNativeForm)
{
    mFolder.WriteFile("pkg/popup_en.xml", kEnglishGraph);
    mFolder.WriteFile("pkg/popup_de.xml", kGermanGraph);
    const std::string description = R"(<?xml version="1.0"?>
<Package id="app_common">
  <Resource id="popup" fileName="popup_en.xml" includeForLanguages="ENGLISH,DEFAULT"/>
  <Resource id="popup" fileName="popup_de.xml" includeForLanguages="GERMAN"/>
  <Text id="title" value="Hello" excludeForLanguages="GERMAN"/>
  <Text id="title" value="Hallo"/>
  <Instance graphResourceId="popup" parentNodeId="layer"/>
</Package>)";
    mConfiguration.SetLanguage(Enums::Language::GERMAN);
    Result xml = Load(description);
    ASSERT_NE(xml.package, nullptr) << xml.log;
    EXPECT_EQ(xml.log, "");
    EXPECT_TRUE(xml.releaseData);
    EXPECT_EQ(mFiles.GetNumberOfMappedFiles(), 0); // XML graphs convert everything

    Data native;
    ASSERT_TRUE(xml.package->Serialize(native, false, false));
    Bool releaseData = true;
    Bool failed = false;
    std::unique_ptr<Resource::Package> read(Resource::NativePackage::Create(
        &mConfiguration, &mFiles, String(), native.GetData(), native.GetSize(), &releaseData, &failed));
    ASSERT_NE(read, nullptr);
    EXPECT_FALSE(releaseData);

    for (const Resource::Package* package : {xml.package.get(), read.get()}) {
        EXPECT_EQ(package->GetId(), "app_common");
        ASSERT_EQ(package->GetNumberOfObjects(), 2u);
        EXPECT_EQ(GetConditions(package->GetObjectAt(0)), (std::vector<UInt32>{0x40000001, 0x40000000}));
        EXPECT_EQ(GetConditions(package->GetObjectAt(1)), (std::vector<UInt32>{0x40000002}));
        ASSERT_EQ(package->GetNumberOfTexts(), 2u);
        EXPECT_EQ(package->GetTextAt(0)->GetNumberOfConditions(), 1u);
        EXPECT_EQ(package->GetTextAt(1)->GetNumberOfConditions(), 0u);

        // The instance binds the variant that matched when the package was loaded.
        ASSERT_EQ(package->GetNumberOfInstances(), 1u);
        const Resource::IInstance* instance = package->GetInstance(0);
        EXPECT_EQ(instance->GetGraphResourceId(), "popup");
        EXPECT_EQ(instance->GetParentNodeId(), "layer");
        EXPECT_EQ(GetRootName(instance->GetGraph()), "german");
        EXPECT_EQ(instance->GetGraph()->GetRootNode()->GetNumberOfChildren(), 2u);

        mConfiguration.SetLanguage(Enums::Language::GERMAN);
        EXPECT_EQ(GetRootName(package->GetGraph("popup")), "german");
        EXPECT_STREQ(package->GetText("title"), "Hallo");
        mConfiguration.SetLanguage(Enums::Language::ENGLISH);
        EXPECT_EQ(GetRootName(package->GetGraph("popup")), "english");
        EXPECT_STREQ(package->GetText("title"), "Hello");
        mConfiguration.SetLanguage(Enums::Language::FRENCH);
        EXPECT_EQ(package->GetGraph("popup"), nullptr);
        EXPECT_STREQ(package->GetText("title"), "Hello");
        mConfiguration.SetLanguage(Enums::Language::GERMAN);
    }

    // Writing the package read back gives the same file.
    Data again;
    ASSERT_TRUE(read->Serialize(again, false, false));
    ASSERT_EQ(again.GetSize(), native.GetSize());
    EXPECT_EQ(std::memcmp(again.GetData(), native.GetData(), native.GetSize()), 0);
}

TEST_F(XmlPackageTest, ResourceFileNamesResolveAgainstTheBasePath)
{
    mFolder.WriteFile("ui.vornres/images/logo.xml", kEnglishGraph);
    Result result = Load(R"(<Package id="ui"><Resource id="logo" fileName="images/logo.xml"/></Package>)",
                         "ui.vornres");
    ASSERT_NE(result.package, nullptr) << result.log;
    EXPECT_EQ(GetRootName(result.package->GetGraph("logo")), "english");
}

TEST_F(XmlPackageTest, NativeResourceFileStaysMappedWhileItsObjectLives)
{
    const Data graph = Testing::MakeNativeGraph(kGermanGraph);
    mFolder.WriteFile("pkg/popup.grph", std::string(reinterpret_cast<const char*>(graph.GetData()), graph.GetSize()));
    Result result = Load(R"(<Package id="p"><Resource id="popup" fileName="popup.grph"/></Package>)");
    ASSERT_NE(result.package, nullptr) << result.log;
    EXPECT_EQ(GetRootName(result.package->GetGraph("popup")), "german");
    EXPECT_EQ(mFiles.GetNumberOfMappedFiles(), 1);
    result.package.reset();
    EXPECT_EQ(mFiles.GetNumberOfMappedFiles(), 0);
}

TEST_F(XmlPackageTest, TextWithoutValueIsEmptyAndItsExtraAttributesAreIgnored)
{
    Result result = Load(R"(<Package id="t"><Text id="blank" note="x"/><Text id="full" value="v"/></Package>)");
    ASSERT_NE(result.package, nullptr) << result.log;
    EXPECT_EQ(result.log, "");
    EXPECT_STREQ(result.package->GetText("blank"), "");
    EXPECT_STREQ(result.package->GetText("full"), "v");
}

TEST_F(XmlPackageTest, ElementWithUnreadableConditionsIsDroppedAndTheRestLoads)
{
    mFolder.WriteFile("pkg/a.xml", kEnglishGraph);
    struct Case
    {
        const char* element;
        const char* log;
    };
    const Case cases[] = {
        {R"(<Resource id="b" fileName="missing.xml" includeForLanguages="GERMAN" excludeForLanguages="FRENCH"/>)", ""},
        {R"(<Text id="b" value="v" includeForGpus="POWERVR" excludeForGpus="TEGRA2"/>)", ""},
        {R"(<Resource id="b" fileName="missing.xml" includeForPrescaleFactors="33554433"/>)",
         "Resource::XmlPackage::Parser::ParseConditions(): Value 33554433 of attribute \"includeForPrescaleFactors\" "
         "does not fit in 24 bits\n"},
    };
    for (const Case& c : cases) {
        Result result =
            Load(std::string(R"(<Package id="p"><Resource id="a" fileName="a.xml"/>)") + c.element + "</Package>");
        ASSERT_NE(result.package, nullptr) << c.element << result.log;
        EXPECT_EQ(result.log, c.log) << c.element;
        EXPECT_EQ(result.package->GetNumberOfObjects(), 1u) << c.element;
        EXPECT_EQ(result.package->GetNumberOfTexts(), 0u) << c.element;
    }
}

TEST_F(XmlPackageTest, DeclinesBytesThatAreNoPackageDescription)
{
    for (const char* text : {"<Graph/>", "not xml", "", "<package id=\"p\"/>"}) {
        Result result = Load(text);
        EXPECT_EQ(result.package, nullptr) << text;
        EXPECT_FALSE(result.failed) << text;
        EXPECT_TRUE(result.releaseData) << text;
        EXPECT_EQ(result.log, "") << text;
    }
}

TEST_F(XmlPackageTest, RefusesBrokenDescriptions)
{
    mFolder.WriteFile("pkg/a.xml", kEnglishGraph);
    mFolder.WriteFile("pkg/not_a_resource.txt", "plain text");
    struct Case
    {
        const char* name;
        const char* description;
        const char* log;
    };
    const Case cases[] = {
        {"root without id", R"(<Package/>)",
         "Resource::XmlPackage::Create(): Failed, XML parse error line 1: parsing tag <Package>\n"},
        {"root id not an identifier", R"(<Package id="1p"><Text id="t"/></Package>)",
         "Resource::XmlPackage::Create(): Failed, XML parse error line 1: parsing tag <Package>\n"},
        {"resource without file name", R"(<Package id="p"><Text id="t"/>
<Resource id="r"/></Package>)",
         "Resource::XmlPackage::Parser::ParseResource(): No resource file name specified\n"
         "Resource::XmlPackage::Create(): Failed, XML parse error line 2: parsing tag <Resource>\n"},
        {"resource id starting with a digit", R"(<Package id="p"><Resource id="9r" fileName="a.xml"/></Package>)",
         "Resource::XmlPackage::Parser::ParseResource(): No valid resource ID specified\n"
         "Resource::XmlPackage::Create(): Failed, XML parse error line 1: parsing tag <Resource>\n"},
        {"text without id", R"(<Package id="p"><Text value="v"/></Package>)",
         "Resource::XmlPackage::Parser::ParseString(): No valid resource ID specified\n"
         "Resource::XmlPackage::Create(): Failed, XML parse error line 1: parsing tag <Text>\n"},
        {"instance without graph id", R"(<Package id="p"><Text id="t"/><Instance parentNodeId="n"/></Package>)",
         "Resource::XmlPackage::Parser::ParseInstance(): No valid resource ID specified\n"
         "Resource::XmlPackage::Create(): Failed, XML parse error line 1: parsing tag <Instance>\n"},
        {"unknown child", R"(<Package id="p"><Text id="t"/><Sound id="s"/></Package>)",
         "Resource::XmlPackage::Create(): Failed, XML parse error line 1: parsing tag <Sound>\n"},
        {"element below depth 1", R"(<Package id="p"><Text id="t"><Text id="u"/></Text></Package>)",
         "Resource::XmlPackage::Create(): Failed, XML parse error line 1: parsing tag <Text>\n"},
        {"only instances", R"(<Package id="p"><Instance graphResourceId="a"/></Package>)",
         "Resource::XmlPackage::Create(): No resources in package 'pkg'\n"},
        {"missing resource file", R"(<Package id="p"><Resource id="m" fileName="m.xml"/></Package>)",
         "Resource::Package::CreateObjectFromFile(): Failed to map file \"pkg/m.xml\" for resource ID \"m\"\n"},
        {"file no creator reads", R"(<Package id="p"><Resource id="n" fileName="not_a_resource.txt"/></Package>)",
         "Resource::Package::CreateObjectFromMemory(): Failed to create object from memory\n"},
        {"instance of an absent graph", R"(<Package id="p"><Resource id="a" fileName="a.xml"/>
<Instance graphResourceId="b"/></Package>)",
         "Resource::XmlPackage::Create(): Failed to get graph 'b' in package 'pkg'\n"},
        {"instance of a graph no variant of which matches",
         R"(<Package id="p"><Resource id="a" fileName="a.xml" includeForLanguages="JAPANESE"/>
<Instance graphResourceId="a"/></Package>)",
         "Resource::XmlPackage::Create(): Failed to get graph 'a' in package 'pkg'\n"},
    };
    for (const Case& c : cases) {
        Result result = Load(c.description);
        EXPECT_EQ(result.package, nullptr) << c.name;
        EXPECT_TRUE(result.failed) << c.name;
        EXPECT_EQ(result.log.substr(0, std::string(c.log).size()), c.log) << c.name << "\n" << result.log;
    }
    EXPECT_EQ(mFiles.GetNumberOfMappedFiles(), 0);
}

TEST_F(XmlPackageTest, MissingResourceFileNamesTheObjectFileAndPackage)
{
    Result result = Load(R"(<Package id="p"><Resource id="m" fileName="sub/m.xml"/></Package>)");
    EXPECT_EQ(result.package, nullptr);
    EXPECT_NE(result.log.find("Resource::XmlPackage::Create(): Failed to create object 'm' from file 'pkg/sub/m.xml' "
                              "in package 'pkg'\n"),
              std::string::npos)
        << result.log;
}

} // namespace
} // namespace Vorn
