#include "resource/xml_atlas.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <cstring>
#include <string>
#include <vector>

#include "resource/native_atlas.h"
#include "tests/support/chunk_file_fixture.h"

using namespace Vorn;
using namespace Vorn::Resource;
using Testing::ExactBytes;
using Testing::RunCreator;

namespace {

Testing::CreatorOutcome Parse(const std::string& xml)
{
    ExactBytes bytes(xml);
    return RunCreator(&XmlAtlas::Create, bytes);
}

std::string AtlasOf(const std::string& rectangleAttributes)
{
    return "<Atlas><Rectangle " + rectangleAttributes + "/></Atlas>";
}

// Texture attributes that satisfy both texture axes, for cases about the scene axes.
const std::string kTexture = "texCoordU1=\"0\" texCoordU2=\"1\" texCoordV1=\"0\" texCoordV2=\"1\" ";
// Scene attributes that satisfy both scene axes, for cases about the texture axes.
const std::string kScene = "coordX1=\"0\" coordX2=\"1\" coordY1=\"1\" coordY2=\"0\" ";

std::string RectangleText(const AtlasRectangle& r)
{
    char text[256];
    std::snprintf(text, sizeof(text), "U %g..%g V %g..%g X %g..%g Y %g..%g", r.texCoordU1, r.texCoordU2,
                  r.texCoordV1, r.texCoordV2, r.coordX1, r.coordX2, r.coordY1, r.coordY2);
    return text;
}

const char* const kPrefix = "Resource::XmlAtlas::Parser::ParseRectangle(): ";

} // namespace

TEST(XmlAtlasTest, EachAxisFollowsItsRule)
{
    struct Case
    {
        std::string attributes;
        AtlasRectangle expected;
    };
    const std::vector<Case> cases = {
        // Edge and extent, centre and extent, far edge and extent, two edges.
        {"texCoordU1=\"0.25\" texCoordWidth=\"0.5\" texCoordV2=\"1\" texCoordHeight=\"0.25\" " + kScene,
         {0.25f, 0.75f, 0.75f, 1.0f, 0.0f, 1.0f, 1.0f, 0.0f}},
        {"texCoordOffsetU=\"0.5\" texCoordWidth=\"0.5\" texCoordOffsetV=\"0.5\" texCoordHeight=\"1\" " + kScene,
         {0.25f, 0.0f, 0.75f, 1.0f, 0.0f, 1.0f, 1.0f, 0.0f}},
        {"texCoordU2=\"0.5\" texCoordWidth=\"0.125\" texCoordV1=\"0.5\" texCoordV2=\"0.75\" " + kScene,
         {0.375f, 0.5f, 0.5f, 0.75f, 0.0f, 1.0f, 1.0f, 0.0f}},
        // Scene Y grows upward: the second edge lies below the first.
        {kTexture + "coordOffsetY=\"10\" coordHeight=\"4\" coordX1=\"-3\" coordWidth=\"2\"",
         {0.0f, 0.0f, 1.0f, 1.0f, -3.0f, 12.0f, -1.0f, 8.0f}},
        {kTexture + "coordY1=\"5\" coordHeight=\"2\" coordX2=\"4\" coordWidth=\"1\"",
         {0.0f, 0.0f, 1.0f, 1.0f, 3.0f, 5.0f, 4.0f, 3.0f}},
        {kTexture + "coordY2=\"-1\" coordHeight=\"3\" coordOffsetX=\"2\"",
         {0.0f, 0.0f, 1.0f, 1.0f, 1.5f, 2.0f, 2.5f, -1.0f}},
        // Scene axes without attributes: extent 1 around 0.
        {kTexture, {0.0f, 0.0f, 1.0f, 1.0f, -0.5f, 0.5f, 0.5f, -0.5f}},
    };
    for (const Case& c : cases) {
        Testing::CreatorOutcome result = Parse(AtlasOf(c.attributes));
        const Atlas* atlas = result.As<Atlas>();
        ASSERT_NE(atlas, nullptr) << c.attributes << "\n" << result.log;
        ASSERT_EQ(atlas->GetNumberOfRectangles(), 1u);
        EXPECT_EQ(RectangleText(atlas->GetRectangles()[0]), RectangleText(c.expected)) << c.attributes;
    }
}

TEST(XmlAtlasTest, RuleViolationsNameTheirAttributesAndFailTheAtlas)
{
    struct Case
    {
        std::string attributes;
        std::string message;
    };
    const std::vector<Case> cases = {
        {"texCoordU1=\"0\" texCoordU2=\"1\" texCoordWidth=\"1\" texCoordV1=\"0\" texCoordV2=\"1\"",
         "Cannot specify both texCoordU2 and texCoordWidth for a rectangle with texCoordU1"},
        {"texCoordU1=\"0\" texCoordV1=\"0\" texCoordV2=\"1\"",
         "Must either specify texCoordU2 or texCoordWidth for a rectangle with texCoordU1"},
        {"texCoordU1=\"0\" texCoordWidth=\"1\" texCoordOffsetU=\"0\" texCoordV1=\"0\" texCoordV2=\"1\"",
         "Cannot specify texCoordOffsetU together with texCoordU1"},
        {"texCoordU1=\"0\" texCoordU2=\"1\" texCoordV2=\"1\"",
         "Must specify texCoordHeight for a rectangle with texCoordV2"},
        {"texCoordU1=\"0\" texCoordU2=\"1\" texCoordV2=\"1\" texCoordHeight=\"1\" texCoordOffsetV=\"0\"",
         "Cannot specify texCoordOffsetV together with texCoordV2"},
        {"texCoordU1=\"0\" texCoordU2=\"1\" texCoordHeight=\"1\"",
         "Must specify both texCoordHeight and texCoordOffsetV for a rectangle without texCoordV1 and texCoordV2"},
        {kTexture + "coordX1=\"0\" coordWidth=\"1\" coordOffsetX=\"0\"",
         "Cannot specify coordOffsetX together with coordX1"},
        {kTexture + "coordY2=\"0\"", "Must specify coordHeight for a rectangle with coordY2"},
        {kTexture + "coordY1=\"0\" coordY2=\"1\" coordHeight=\"1\"",
         "Cannot specify both coordY2 and coordHeight for a rectangle with coordY1"},
    };
    for (const Case& c : cases) {
        Testing::CreatorOutcome result = Parse("<Atlas>\n<Rectangle " + c.attributes + "/>\n</Atlas>");
        EXPECT_EQ(result.object, nullptr) << c.attributes;
        EXPECT_TRUE(result.failed) << c.attributes;
        EXPECT_EQ(result.log, kPrefix + c.message +
                                  "\nResource::XmlAtlas::Create(): Failed, XML parse error line 2: parsing tag "
                                  "<Rectangle>\n")
            << c.attributes;
    }
}

TEST(XmlAtlasTest, EveryBrokenAxisOfARectangleIsReported)
{
    Testing::CreatorOutcome result = Parse(AtlasOf("texCoordV1=\"0\" coordX1=\"0\" coordY2=\"0\""));
    EXPECT_EQ(result.object, nullptr);
    EXPECT_EQ(result.log,
              std::string(kPrefix) +
                  "Must specify both texCoordWidth and texCoordOffsetU for a rectangle without texCoordU1 and "
                  "texCoordU2\n" +
                  kPrefix + "Must either specify texCoordV2 or texCoordHeight for a rectangle with texCoordV1\n" +
                  kPrefix + "Must either specify coordX2 or coordWidth for a rectangle with coordX1\n" + kPrefix +
                  "Must specify coordHeight for a rectangle with coordY2\n"
                  "Resource::XmlAtlas::Create(): Failed, XML parse error line 1: parsing tag <Rectangle>\n");
}

TEST(XmlAtlasTest, DocumentShapeDecidesBetweenDecliningAndFailing)
{
    struct Case
    {
        const char* name;
        std::string xml;
        Bool failed;
    };
    const std::string rectangle = "<Rectangle " + kTexture + "/>";
    const std::vector<Case> cases = {
        {"rectangle inside a rectangle", "<Atlas><Rectangle " + kTexture + ">" + rectangle + "</Rectangle></Atlas>",
         true},
        {"other element below the root", "<Atlas>" + rectangle + "<Square/></Atlas>", true},
        {"attribute that does not convert", AtlasOf(kTexture + "coordWidth=\"wide\""), true},
        {"broken XML after the root", "<Atlas>" + rectangle, true},
        {"another root", "<Graph>" + rectangle + "</Graph>", false},
        {"not XML", std::string("VORN\0\0\0\4ATLS", 12), false},
        {"empty", "", false},
    };
    for (const Case& c : cases) {
        Testing::CreatorOutcome result = Parse(c.xml);
        EXPECT_EQ(result.object, nullptr) << c.name;
        EXPECT_EQ(result.failed, c.failed) << c.name;
        EXPECT_TRUE(result.releaseData) << c.name;
        if (c.failed) {
            EXPECT_NE(result.log.find("Resource::XmlAtlas::Create(): Failed, XML parse error"), std::string::npos)
                << c.name << ": " << result.log;
        } else {
            EXPECT_EQ(result.log, "") << c.name;
        }
    }
}

TEST(XmlAtlasTest, KeepsDocumentOrderAndOwnsItsRecords)
{
    std::string xml = "<Atlas name=\"any\">";
    for (int i = 0; i < 20; ++i)
        xml += "<Rectangle " + kTexture + "coordOffsetX=\"" + std::to_string(i) + "\"/>";
    xml += "</Atlas>";
    Testing::CreatorOutcome result;
    {
        ExactBytes bytes(xml);
        result = RunCreator(&XmlAtlas::Create, bytes);
    } // the document is gone before the atlas is read
    const Atlas* atlas = result.As<Atlas>();
    ASSERT_NE(atlas, nullptr);
    EXPECT_TRUE(result.releaseData);
    ASSERT_EQ(atlas->GetNumberOfRectangles(), 20u);
    for (UInt32 i = 0; i < 20; ++i)
        EXPECT_FLOAT_EQ(atlas->GetRectangles()[i].coordX1, Float(i) - 0.5f) << i;

    Testing::CreatorOutcome empty = Parse("<Atlas/>");
    ASSERT_NE(empty.As<Atlas>(), nullptr);
    EXPECT_EQ(empty.As<Atlas>()->GetNumberOfRectangles(), 0u);
    EXPECT_EQ(empty.As<Atlas>()->GetRectangles(), nullptr);
}

TEST(XmlAtlasTest, NativeFormReadsBackToTheSameRectangles)
{
    Testing::CreatorOutcome xml =
        Parse("<Atlas><Rectangle " + kTexture + "coordOffsetY=\"10\" coordHeight=\"4\"/><Rectangle texCoordU1=\"0.25\" "
              "texCoordWidth=\"0.5\" texCoordOffsetV=\"0.5\" texCoordHeight=\"0.5\" coordX1=\"-2\" coordX2=\"2\"/>"
              "</Atlas>");
    const Atlas* atlas = xml.As<Atlas>();
    ASSERT_NE(atlas, nullptr) << xml.log;
    Data native;
    ASSERT_TRUE(atlas->GetNativeData(native));
    EXPECT_EQ(native.GetSize(), 12u + 12u + 8u + 8u + 2u * 32u);

    ExactBytes bytes(native);
    Testing::CreatorOutcome back = RunCreator(&NativeAtlas::Create, bytes);
    const Atlas* copy = back.As<NativeAtlas>();
    ASSERT_NE(copy, nullptr) << back.log;
    ASSERT_EQ(copy->GetNumberOfRectangles(), 2u);
    EXPECT_EQ(std::memcmp(copy->GetRectangles(), atlas->GetRectangles(), 2 * sizeof(AtlasRectangle)), 0);

    // The empty atlas writes a RECT chunk of no records.
    Testing::CreatorOutcome empty = Parse("<Atlas/>");
    ASSERT_TRUE(empty.As<Atlas>()->GetNativeData(native));
    EXPECT_EQ(native.GetSize(), 12u + 12u + 16u);
}

TEST(XmlAtlasTest, BitFlippedDocumentsNeverCrash)
{
    const std::string xml = "<Atlas><Rectangle texCoordU1=\"0\" texCoordWidth=\"1\" texCoordOffsetV=\"0.5\" "
                            "texCoordHeight=\"1\" coordY1=\"2\" coordY2=\"1\"/></Atlas>";
    ASSERT_NE(Parse(xml).object, nullptr);
    for (UInt32 bit = 0; bit < xml.size() * 8; ++bit) {
        ExactBytes bytes(xml);
        bytes.Get()[bit / 8] ^= UInt8(1u << (bit % 8));
        Testing::CreatorOutcome result = RunCreator(&XmlAtlas::Create, bytes);
        if (result.object != nullptr) {
            EXPECT_LE(result.As<Atlas>()->GetNumberOfRectangles(), 1u) << bit;
        } else if (!result.failed) {
            EXPECT_EQ(result.log, "") << bit;
        }
    }
}
