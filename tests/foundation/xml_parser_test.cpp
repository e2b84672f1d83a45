#include "foundation/xml_parser.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <set>
#include <string>
#include <vector>

using namespace Vorn;

namespace {

// A reader of documents whose root is <scene>; it refuses the element names it is told to.
class SceneReader : public Util::XmlParser
{
public:
    struct Event {
        std::string name;
        UInt32 depth;
        std::string attributes; // "name=value;" for each attribute in order
    };

    Bool IsRootElement(const String& name) override { return name == "scene"; }
    Bool OnRootElement(const String& name, Util::Attributes* attributes) override { return Record(name, attributes); }
    Bool OnElement(const String& name, Util::Attributes* attributes) override { return Record(name, attributes); }

    Bool ParseText(const std::string& text) { return Parse(text.data(), UInt32(text.size())); }

    std::vector<Event> mEvents;
    std::set<std::string> mRefused;
    size_t mLongestValue = 0;

private:
    Bool Record(const String& name, Util::Attributes* attributes)
    {
        Event event{name.GetText(), GetDepth(), ""};
        for (UInt32 i = 0; i < attributes->GetNumberOfAttributes(); ++i) {
            const char* value = attributes->GetAttributeValue(i);
            mLongestValue = std::max(mLongestValue, std::string(value).size());
            if (std::string(value).size() < 100)
                event.attributes += std::string(attributes->GetAttributeName(i)) + "=" + value + ";";
        }
        mEvents.push_back(event);
        return mRefused.count(name.GetText()) == 0;
    }
};

std::vector<std::string> Names(const SceneReader& reader)
{
    std::vector<std::string> names;
    for (const auto& event : reader.mEvents)
        names.push_back(event.name);
    return names;
}

} // namespace

TEST(XmlParserTest, ReportsElementsWithDepthAndAttributes)
{
    SceneReader reader;
    const std::string document =
        "<?xml version=\"1.0\"?>\n"
        "<!-- leading comment -->\n"
        "<scene id=\"main\" size=\"3\">\n"
        "  text is ignored <?target instruction?>\n"
        "  <node id=\"a\"><child x=\"&lt;1&gt;\"/></node>\n"
        "  <node id=\"b\"/>\n"
        "</scene>\n";
    EXPECT_TRUE(reader.ParseText(document));
    EXPECT_FALSE(reader.HasDocumentError());
    EXPECT_STREQ(reader.GetErrorString().GetText(), "");
    ASSERT_EQ(reader.mEvents.size(), 4u);
    EXPECT_EQ(reader.mEvents[0].attributes, "id=main;size=3;");
    EXPECT_EQ(reader.mEvents[0].depth, 0u);
    EXPECT_EQ(reader.mEvents[1].depth, 1u);
    EXPECT_EQ(reader.mEvents[2].name, "child");
    EXPECT_EQ(reader.mEvents[2].depth, 2u);
    EXPECT_EQ(reader.mEvents[2].attributes, "x=<1>;");
    EXPECT_EQ(reader.mEvents[3].attributes, "id=b;");
    EXPECT_EQ(reader.mEvents[3].depth, 1u);
    EXPECT_EQ(reader.GetDepth(), 0u);
}

TEST(XmlParserTest, AnotherFormatsRootIsNoDocumentError)
{
    SceneReader reader;
    EXPECT_FALSE(reader.ParseText("<atlas>\n  <image/>\n</atlas>"));
    EXPECT_FALSE(reader.HasDocumentError());
    EXPECT_STREQ(reader.GetErrorString().GetText(), "XML parse error line 1: parsing tag <atlas>");
    EXPECT_TRUE(reader.mEvents.empty()); // nothing inside a refused root is reported
}

TEST(XmlParserTest, RefusedElementIsSkippedWithItsContentAndErrorsAreJoined)
{
    SceneReader reader;
    reader.mRefused = {"bad"};
    const std::string document =
        "<scene>\n"
        "  <first/>\n"
        "  <bad>\n"
        "    <inside/>\n"
        "  </bad>\n"
        "  <after/>\n"
        "  <broken></wrong>\n"
        "</scene>\n";
    EXPECT_FALSE(reader.ParseText(document));
    EXPECT_TRUE(reader.HasDocumentError());
    EXPECT_EQ(Names(reader), (std::vector<std::string>{"scene", "first", "bad", "after", "broken"}));
    EXPECT_EQ(reader.mEvents[3].depth, 1u);
    EXPECT_STREQ(reader.GetErrorString().GetText(), "XML parse error line 3: parsing tag <bad>, line 7: mismatched tag");
}

TEST(XmlParserTest, RefusedRootHandlerIsDocumentError)
{
    SceneReader reader;
    reader.mRefused = {"scene"};
    EXPECT_FALSE(reader.ParseText("<scene><node/></scene>"));
    EXPECT_TRUE(reader.HasDocumentError());
    EXPECT_EQ(Names(reader), (std::vector<std::string>{"scene"}));
    EXPECT_STREQ(reader.GetErrorString().GetText(), "XML parse error line 1: parsing tag <scene>");
}

TEST(XmlParserTest, MalformedInputFailsWithTheErrorText)
{
    struct Case {
        std::string text;
        Bool documentError;
        const char* error;
    };
    const Case cases[] = {
        {"", false, "XML parse error line 1: no element found"},
        {"not xml", false, "XML parse error line 1: syntax error"},
        {"<scene>\n<node>\n", true, "XML parse error line 3: no element found"},
        {"<scene a=\"&bogus;\"/>", false, "XML parse error line 1: undefined entity"},
        {"<scene>\n<node a=\"&bogus;\"/></scene>", true, "XML parse error line 2: undefined entity"},
        {"<scene><node a=\"1", true, "XML parse error line 1: unclosed token"},
        {"<scene/><second/>", true, "XML parse error line 1: junk after document element"},
        {std::string("<scene>\0</scene>", 16), true, "XML parse error line 1: not well-formed (invalid token)"},
    };
    for (const Case& c : cases) {
        SceneReader reader;
        EXPECT_FALSE(reader.ParseText(c.text)) << c.text;
        EXPECT_EQ(reader.HasDocumentError(), c.documentError) << c.text;
        EXPECT_STREQ(reader.GetErrorString().GetText(), c.error) << c.text;
    }
}

TEST(XmlParserTest, EmptyAndNullBuffers)
{
    SceneReader reader;
    EXPECT_FALSE(reader.Parse(nullptr, 10));
    EXPECT_STREQ(reader.GetErrorString().GetText(), "XML parse error line 1: no element found");
    EXPECT_FALSE(reader.Parse(ConstData()));
    EXPECT_FALSE(reader.HasDocumentError());

    const char document[] = "<scene/>";
    EXPECT_TRUE(reader.Parse(ConstData(document, UInt32(sizeof(document) - 1))));
    EXPECT_STREQ(reader.GetErrorString().GetText(), "");
}

TEST(XmlParserTest, NextParseStartsClean)
{
    SceneReader reader;
    // Fails with three elements open; their lists must not leak or linger.
    EXPECT_FALSE(reader.ParseText("<scene><a><b>"));
    EXPECT_TRUE(reader.HasDocumentError());
    reader.mEvents.clear();
    EXPECT_TRUE(reader.ParseText("<scene><c/></scene>"));
    EXPECT_FALSE(reader.HasDocumentError());
    EXPECT_STREQ(reader.GetErrorString().GetText(), "");
    ASSERT_EQ(reader.mEvents.size(), 2u);
    EXPECT_EQ(reader.mEvents[1].depth, 1u);
}

TEST(XmlParserTest, Utf16DocumentReachesHandlersInUtf8)
{
    const std::u16string text = u"<scene name=\"\u00e9t\u00e9\"/>";
    std::string bytes("\xFF\xFE", 2); // little-endian byte order mark
    for (char16_t unit : text) {
        bytes += char(unit & 0xFF);
        bytes += char(unit >> 8);
    }
    SceneReader reader;
    EXPECT_TRUE(reader.ParseText(bytes));
    ASSERT_EQ(reader.mEvents.size(), 1u);
    EXPECT_EQ(reader.mEvents[0].attributes, "name=\xC3\xA9t\xC3\xA9;");
}

// How long this takes is measured in bench/foundation_bench.cpp.
TEST(XmlParserTest, HundredMegabyteAttributeParsesOrFails)
{
    const size_t size = 100u * 1024u * 1024u;
    std::string document = "<scene big=\"";
    document.append(size, 'x');

    SceneReader reader;
    EXPECT_TRUE(reader.ParseText(document + "\"/>"));
    EXPECT_EQ(reader.mLongestValue, size);

    SceneReader truncated;
    EXPECT_FALSE(truncated.ParseText(document));
    EXPECT_STREQ(truncated.GetErrorString().GetText(), "XML parse error line 1: unclosed token");
    EXPECT_TRUE(truncated.mEvents.empty());
}

TEST(XmlParserTest, ParseFromInsideAHandlerIsRefused)
{
    class NestingReader : public SceneReader
    {
    public:
        Bool OnElement(const String& name, Util::Attributes* attributes) override
        {
            mNestedResult = ParseText("<scene/>");
            return SceneReader::OnElement(name, attributes);
        }
        Bool mNestedResult = true;
    };
    NestingReader reader;
    EXPECT_TRUE(reader.ParseText("<scene><node/><node/></scene>"));
    EXPECT_FALSE(reader.mNestedResult);
    EXPECT_EQ(Names(reader), (std::vector<std::string>{"scene", "node", "node"}));
}
