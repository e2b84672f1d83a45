#include "foundation/attributes.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <functional>
#include <numbers>
#include <string>
#include <utility>
#include <vector>

using namespace Vorn;
using Util::Attributes;

namespace {

typedef std::vector<std::pair<const char*, const char*>> Pairs;

void Fill(Attributes& list, const Pairs& pairs)
{
    for (const auto& pair : pairs)
        ASSERT_TRUE(list.AddAttribute(String(pair.first), String(pair.second)));
}

std::vector<std::string> ToVector(const Array<String>& array)
{
    std::vector<std::string> result;
    for (const String& text : array)
        result.push_back(text.GetText());
    return result;
}

class AttributesTest : public ::testing::Test {
protected:
    // Reads one attribute with the error flag starting false and collects the log lines.
    template <class T>
    Bool Read(const char* name, T* value, const IAttributes* parameters = nullptr)
    {
        ::testing::internal::CaptureStderr();
        Bool result = mList.GetValue(parameters, name, value, &mError);
        mLog = ::testing::internal::GetCapturedStderr();
        return result;
    }

    Attributes mList;
    Attributes mParameters;
    Bool mError = false;
    std::string mLog;
};

} // namespace

TEST_F(AttributesTest, SubstitutesParametersInBraces)
{
    Fill(mParameters, {{"size", "42"}, {"a", "1"}, {"b", "2"}, {"i", "3"}, {"x3", "7"}, {"outer", "<{a}>"}});
    struct Case {
        const char* value;
        const char* expected;
    };
    const Case cases[] = {
        {"{size}", "42"},
        {"pre{a}mid{b}post", "pre1mid2post"},
        {"{x{i}}", "7"},
        {"a}b", "a}b"},
        {"no braces", "no braces"},
        {"[{outer}]", "[<1>]"}, // a parameter's own value is evaluated against the same list
        {" {a} ", " 1 "},
    };
    for (const Case& c : cases) {
        Attributes list;
        Fill(list, {{"v", c.value}});
        String text;
        Bool error = false;
        EXPECT_TRUE(list.GetValue(&mParameters, "v", &text, &error)) << c.value;
        EXPECT_STREQ(text.GetText(), c.expected) << c.value;
        EXPECT_FALSE(error) << c.value;
    }
    // Parameters read through substitution count as used in the parameter list.
    EXPECT_TRUE(mParameters.IsAttributeUsed(0));
    EXPECT_TRUE(mParameters.IsAttributeUsed(5));

    Fill(mList, {{"size", "{size}"}});
    SInt32 number = 0;
    EXPECT_TRUE(Read("size", &number, &mParameters));
    EXPECT_EQ(number, 42);
    EXPECT_EQ(mLog, "");
}

TEST_F(AttributesTest, WithoutParameterListBracesStayLiteral)
{
    Fill(mList, {{"size", "{size}"}});
    String text;
    EXPECT_TRUE(Read("size", &text));
    EXPECT_STREQ(text.GetText(), "{size}");

    SInt32 number = -5;
    EXPECT_FALSE(Read("size", &number));
    EXPECT_EQ(number, -5);
    EXPECT_TRUE(mError);
    EXPECT_EQ(mLog, "Util::Attributes::GetValue(): Failed to convert value \"{size}\" for attribute \"size\" to SInt32\n");
}

TEST_F(AttributesTest, EvaluationFailuresLogAndLeaveOutputAlone)
{
    Fill(mParameters, {{"broken", "x{y"}, {"a", "1"}});
    struct Case {
        const char* value;
        const char* log;
    };
    const Case cases[] = {
        {"{a", "Util::Attributes::EvaluateParameters(): Mismatched braces in value \"{a\" for attribute \"v\"\n"},
        {"a{b{c}", "Util::Attributes::EvaluateParameters(): Mismatched braces in value \"a{b{c}\" for attribute \"v\"\n"},
        {"<{missing}>",
         "Util::Attributes::EvaluateParameters(): Parameter \"missing\" in expression \"<{missing}>\" not found for attribute \"v\"\n"},
        // The parameter exists but its own value is broken: its line names the parameter, then
        // the expression's line follows.
        {"{broken}",
         "Util::Attributes::EvaluateParameters(): Mismatched braces in value \"x{y\" for attribute \"broken\"\n"
         "Util::Attributes::EvaluateParameters(): Parameter \"broken\" in expression \"{broken}\" not found for attribute \"v\"\n"},
        // Failure inside a nested name stops before the lookup.
        {"{x{missing}}",
         "Util::Attributes::EvaluateParameters(): Parameter \"missing\" in expression \"x{missing}\" not found for attribute \"v\"\n"},
    };
    for (const Case& c : cases) {
        Attributes list;
        Fill(list, {{"v", c.value}});
        String text("untouched");
        Bool error = false;
        ::testing::internal::CaptureStderr();
        EXPECT_FALSE(list.GetValue(&mParameters, "v", &text, &error)) << c.value;
        EXPECT_EQ(::testing::internal::GetCapturedStderr(), c.log) << c.value;
        EXPECT_STREQ(text.GetText(), "untouched") << c.value;
        EXPECT_TRUE(error) << c.value;
        EXPECT_TRUE(list.IsAttributeUsed(0)) << c.value;
    }
}

TEST_F(AttributesTest, IndexReadsUseTheBareMessages)
{
    Fill(mList, {{"v", "{missing}"}, {"w", "{open"}});
    String text;
    ::testing::internal::CaptureStderr();
    EXPECT_FALSE(mList.GetValue(UInt32(0), &mParameters, &text, &mError));
    EXPECT_FALSE(mList.GetValue(UInt32(1), &mParameters, &text, &mError));
    EXPECT_EQ(::testing::internal::GetCapturedStderr(),
              "Util::Attributes::EvaluateParameters(): Parameter \"missing\" in expression \"{missing}\" not found \n"
              "Util::Attributes::EvaluateParameters(): Mismatched braces in value \"{open\"\n");
    EXPECT_TRUE(mError);
}

TEST_F(AttributesTest, SelfReferenceAndDeepNestingEndOnTheFailurePath)
{
    Fill(mParameters, {{"self", "{self}"}, {"ping", "<{pong}>"}, {"pong", "[{ping}]"}});
    const std::string deep = std::string(100000, '{') + "self" + std::string(100000, '}');
    for (const char* value : {"{self}", "{ping}", deep.c_str()}) {
        Attributes list;
        Fill(list, {{"v", value}});
        String text("untouched");
        Bool error = false;
        ::testing::internal::CaptureStderr();
        EXPECT_FALSE(list.GetValue(&mParameters, "v", &text, &error));
        std::string log = ::testing::internal::GetCapturedStderr();
        EXPECT_NE(log.find("Parameters nested too deeply"), std::string::npos);
        EXPECT_TRUE(error);
        EXPECT_STREQ(text.GetText(), "untouched");
    }
    // One line for the limit, one naming the attribute that was read; none for the levels between.
    Attributes list;
    Fill(list, {{"v", "{self}"}});
    String text;
    Bool error = false;
    ::testing::internal::CaptureStderr();
    EXPECT_FALSE(list.GetValue(&mParameters, "v", &text, &error));
    EXPECT_EQ(::testing::internal::GetCapturedStderr(),
              "Util::Attributes::EvaluateParameters(): Parameters nested too deeply in value \"{self}\" for attribute \"self\"\n"
              "Util::Attributes::EvaluateParameters(): Parameter \"self\" in expression \"{self}\" not found for attribute \"v\"\n");
    // A legitimate chain of a few parameters still works after the failures above, and a
    // missing parameter in it is reported again.
    Attributes chain;
    Fill(chain, {{"a", "{b}"}, {"b", "{c}"}, {"c", "{d}"}, {"d", "end"}, {"m", "{n}"}});
    Fill(mList, {{"v", "{a}"}, {"w", "{m}"}});
    EXPECT_TRUE(Read("v", &text, &chain));
    EXPECT_STREQ(text.GetText(), "end");
    EXPECT_FALSE(Read("w", &text, &chain));
    EXPECT_EQ(mLog,
              "Util::Attributes::EvaluateParameters(): Parameter \"n\" in expression \"{n}\" not found for attribute \"m\"\n"
              "Util::Attributes::EvaluateParameters(): Parameter \"m\" in expression \"{m}\" not found for attribute \"w\"\n");
}

TEST_F(AttributesTest, AbsentAttributeGivesFalseSilently)
{
    Fill(mList, {{"present", "1"}});
    Attributes empty;
    Bool error = false;
    Float f = 9.0f;
    SInt32 s = 9;
    String text("keep");
    Color color = {9, 9, 9, 9};
    Array<UInt32> list;
    list.Add(9);
    UInt32 bits = 0x80;
    Double angle = 9.0;
    ::testing::internal::CaptureStderr();
    for (const Attributes* source : {&mList, &empty}) {
        EXPECT_FALSE(source->GetValue(nullptr, "absent", &f, &error));
        EXPECT_FALSE(source->GetValue(&mParameters, "absent", &s, &error));
        EXPECT_FALSE(source->GetValue(nullptr, "absent", &text, &error));
        EXPECT_FALSE(source->GetValue(nullptr, "absent", &color, &error));
        EXPECT_FALSE(source->GetValues(nullptr, "absent", &list, &error, true));
        EXPECT_FALSE(source->GetBitValue(nullptr, "absent", 0x1, &bits, &error));
        EXPECT_FALSE(source->GetBitsToSet(nullptr, "absent", &bits, &error, true));
        EXPECT_FALSE(source->GetAngleValue(nullptr, "absent", &angle, &error));
        EXPECT_FALSE(source->GetValue(UInt32(5), nullptr, &s, &error));
    }
    EXPECT_FALSE(mList.GetValue(nullptr, "Present", &s, &error)); // names are case-sensitive
    EXPECT_EQ(::testing::internal::GetCapturedStderr(), "");
    EXPECT_FALSE(error);
    EXPECT_EQ(f, 9.0f);
    EXPECT_EQ(s, 9);
    EXPECT_STREQ(text.GetText(), "keep");
    EXPECT_EQ(color.red, 9.0f);
    EXPECT_EQ(list.GetCount(), 1);
    EXPECT_EQ(bits, 0x80u);
    EXPECT_EQ(angle, 9.0);
    EXPECT_EQ(mList.GetNumberOfUnusedAttributes(), 1u);
}

TEST_F(AttributesTest, ErrorFlagIsNeverCleared)
{
    Fill(mList, {{"good", "5"}});
    mError = true;
    UInt32 value = 0;
    EXPECT_TRUE(Read("good", &value));
    EXPECT_EQ(value, 5u);
    EXPECT_TRUE(mError);
}

TEST_F(AttributesTest, ConvertsSingleValues)
{
    Fill(mList, {{"f", "1.5abc"}, {"d", "-2.25"}, {"s", "-17"}, {"u", "4000000000"}, {"yes", " yes "}, {"zero", "0"}});
    Float f = 0;
    Double d = 0;
    SInt32 s = 0;
    UInt32 u = 0;
    Bool b = false;
    EXPECT_TRUE(Read("f", &f));
    EXPECT_EQ(f, 1.5f);
    EXPECT_TRUE(Read("d", &d));
    EXPECT_EQ(d, -2.25);
    EXPECT_TRUE(Read("s", &s));
    EXPECT_EQ(s, -17);
    EXPECT_TRUE(Read("u", &u));
    EXPECT_EQ(u, 4000000000u);
    EXPECT_TRUE(Read("yes", &b));
    EXPECT_TRUE(b);
    EXPECT_TRUE(Read("zero", &b));
    EXPECT_FALSE(b);
    EXPECT_FALSE(mError);
    EXPECT_EQ(mList.GetNumberOfUnusedAttributes(), 0u);
}

TEST_F(AttributesTest, FailedConversionLogsSetsFlagAndStillCountsAsUsed)
{
    Fill(mList, {{"v", "abc"}});
    struct Case {
        std::function<Bool(Bool*)> read;
        const char* type;
    };
    Float f = 1;
    Double d = 1;
    SInt32 s = 1;
    UInt32 u = 1;
    Bool b = true;
    const Case cases[] = {
        {[&](Bool* e) { return mList.GetValue(nullptr, "v", &f, e); }, "Float"},
        {[&](Bool* e) { return mList.GetValue(nullptr, "v", &d, e); }, "Double"},
        {[&](Bool* e) { return mList.GetValue(nullptr, "v", &s, e); }, "SInt32"},
        {[&](Bool* e) { return mList.GetValue(nullptr, "v", &u, e); }, "UInt32"},
        {[&](Bool* e) { return mList.GetValue(nullptr, "v", &b, e); }, "Bool"},
        // By index the message takes the name from the record.
        {[&](Bool* e) { return mList.GetValue(UInt32(0), nullptr, &u, e); }, "UInt32"},
    };
    for (const Case& c : cases) {
        Bool error = false;
        ::testing::internal::CaptureStderr();
        EXPECT_FALSE(c.read(&error));
        EXPECT_EQ(::testing::internal::GetCapturedStderr(),
                  std::string("Util::Attributes::GetValue(): Failed to convert value \"abc\" for attribute \"v\" to ") +
                      c.type + "\n");
        EXPECT_TRUE(error);
    }
    EXPECT_EQ(f, 1.0f);
    EXPECT_EQ(d, 1.0);
    EXPECT_EQ(s, 1);
    EXPECT_EQ(u, 1u);
    EXPECT_TRUE(b);
    EXPECT_TRUE(mList.IsAttributeUsed(0));
    EXPECT_EQ(mList.GetNumberOfUnusedAttributes(), 0u);
}

TEST_F(AttributesTest, ReadsColours)
{
    struct Case {
        const char* value;
        Bool ok;
        Color expected;
        const char* log;
    };
    const Case cases[] = {
        {"1,0.5,0", true, {1, 0.5f, 0, 1}, ""},
        {"0.1,0.2,0.3,0.4", true, {0.1f, 0.2f, 0.3f, 0.4f}, ""},
        {"1,,0,0", true, {1, 0, 0, 1}, ""},
        {"1,0", false, {}, "Util::Attributes::GetValue(): Failed to convert value \"1,0\" for attribute \"c\" to Color, too little values given\n"},
        {"1,0,0,1,1", false, {}, "Util::Attributes::GetValue(): Failed to convert value \"1,0,0,1,1\" for attribute \"c\" to Color, too many values given\n"},
        {"1,x,0", false, {}, "Util::Attributes::GetValues(): Failed to convert value \"x\" for attribute \"c\" to Float\n"},
        {"1,0,0,", false, {}, "Util::Attributes::GetValues(): Failed to convert value \"\" for attribute \"c\" to Float\n"},
    };
    for (const Case& c : cases) {
        Attributes list;
        Fill(list, {{"c", c.value}});
        for (Bool byIndex : {false, true}) {
            Color color = {7, 7, 7, 7};
            Bool error = false;
            ::testing::internal::CaptureStderr();
            Bool result = byIndex ? list.GetValue(UInt32(0), nullptr, &color, &error)
                                  : list.GetValue(nullptr, "c", &color, &error);
            EXPECT_EQ(::testing::internal::GetCapturedStderr(), c.log) << c.value;
            EXPECT_EQ(result, c.ok) << c.value;
            EXPECT_EQ(error, !c.ok) << c.value;
            const Color expected = c.ok ? c.expected : Color{7, 7, 7, 7};
            EXPECT_EQ(color.red, expected.red) << c.value;
            EXPECT_EQ(color.green, expected.green) << c.value;
            EXPECT_EQ(color.blue, expected.blue) << c.value;
            EXPECT_EQ(color.alpha, expected.alpha) << c.value;
        }
    }
}

TEST_F(AttributesTest, SplitsStringListsAtCommas)
{
    struct Case {
        const char* value;
        std::vector<std::string> parts;
    };
    const Case cases[] = {
        {"a, b", {"a", " b"}}, {"a,,b", {"a", "b"}}, {",a", {"", "a"}}, {"a,", {"a", ""}}, {"", {""}},
    };
    for (const Case& c : cases) {
        Attributes list;
        Fill(list, {{"l", c.value}});
        Array<String> parts;
        parts.Add(String("old"));
        Bool error = false;
        EXPECT_TRUE(list.GetValues(nullptr, "l", &parts, &error, false)) << c.value;
        EXPECT_EQ(ToVector(parts), c.parts) << c.value;
    }
}

TEST_F(AttributesTest, TypedListsAppendOrClearAndKeepWhatWasReadBeforeAFailure)
{
    Fill(mParameters, {{"n", "3"}});
    Fill(mList, {{"good", "1,2,{n}"}, {"bad", "4,5,x,6"}});
    Array<SInt32> values;
    values.Add(9);
    EXPECT_TRUE(mList.GetValues(&mParameters, "good", &values, &mError, false));
    ASSERT_EQ(values.GetCount(), 4);
    EXPECT_EQ(values[0], 9);
    EXPECT_EQ(values[3], 3);
    EXPECT_TRUE(mList.GetValues(UInt32(0), &mParameters, &values, &mError, true));
    ASSERT_EQ(values.GetCount(), 3);
    EXPECT_EQ(values[0], 1);
    EXPECT_FALSE(mError);

    ::testing::internal::CaptureStderr();
    EXPECT_FALSE(mList.GetValues(nullptr, "bad", &values, &mError, true));
    EXPECT_EQ(::testing::internal::GetCapturedStderr(),
              "Util::Attributes::GetValues(): Failed to convert value \"x\" for attribute \"bad\" to SInt32\n");
    EXPECT_TRUE(mError);
    ASSERT_EQ(values.GetCount(), 2) << "cleared, then the parts before the bad one";
    EXPECT_EQ(values[0], 4);
    EXPECT_EQ(values[1], 5);
    values.Clear();
    values.Add(9);
    EXPECT_FALSE(mList.GetValues(nullptr, "bad", &values, &mError, false));
    ASSERT_EQ(values.GetCount(), 3);
    EXPECT_EQ(values[2], 5);

    Array<Bool> flags;
    Array<Double> doubles;
    Attributes more;
    Fill(more, {{"flags", "yes,0,on"}, {"doubles", "0.5,-1"}});
    EXPECT_TRUE(more.GetValues(nullptr, "flags", &flags, &mError, true));
    ASSERT_EQ(flags.GetCount(), 3);
    EXPECT_TRUE(flags[0]);
    EXPECT_FALSE(flags[1]);
    EXPECT_TRUE(more.GetValues(UInt32(1), nullptr, &doubles, &mError, true));
    ASSERT_EQ(doubles.GetCount(), 2);
    EXPECT_EQ(doubles[1], -1.0);
}

TEST_F(AttributesTest, BitsToSetFromBitNumbers)
{
    Fill(mList, {{"bits", "0,3,4"}, {"high", "3,40"}, {"negative", "-1"}, {"top", "31"}});
    UInt32 word = 0x100;
    EXPECT_TRUE(mList.GetBitsToSet(nullptr, "bits", &word, &mError, false));
    EXPECT_EQ(word, 0x119u);
    EXPECT_TRUE(mList.GetBitsToSet(UInt32(0), nullptr, &word, &mError, true));
    EXPECT_EQ(word, 0x19u);
    EXPECT_TRUE(mList.GetBitsToSet(nullptr, "top", &word, &mError, true));
    EXPECT_EQ(word, 0x80000000u);
    EXPECT_FALSE(mError);

    // The bits before the bad number stay; a list that does not convert leaves the word alone.
    struct Case
    {
        const char* name;
        Bool clearFirst;
        UInt32 expected;
        const char* log;
    };
    const Case cases[] = {
        {"high", true, 0x8u, "Util::Attributes::GetBitsToSet(): Bit number 40 out of range\n"},
        {"high", false, 0x108u, "Util::Attributes::GetBitsToSet(): Bit number 40 out of range\n"},
        {"negative", true, 0u, "Util::Attributes::GetBitsToSet(): Bit number -1 out of range\n"},
        {"letters", true, 0x100u,
         "Util::Attributes::GetValues(): Failed to convert value \"x\" for attribute \"letters\" to UInt32\n"},
    };
    mList.AddAttribute(String("letters"), String("1,x"));
    for (const Case& c : cases) {
        word = 0x100;
        mError = false;
        ::testing::internal::CaptureStderr();
        EXPECT_FALSE(mList.GetBitsToSet(nullptr, c.name, &word, &mError, c.clearFirst)) << c.name;
        EXPECT_EQ(::testing::internal::GetCapturedStderr(), c.log);
        EXPECT_TRUE(mError) << c.name;
        EXPECT_EQ(word, c.expected) << c.name << " " << c.clearFirst;
    }
}

TEST_F(AttributesTest, BitValuesSetOrClearTheMask)
{
    Fill(mList, {{"on", "true"}, {"off", "0"}, {"bad", "maybe"}});
    struct Case {
        const char* name;
        Bool inverted;
        UInt32 expected;
    };
    const Case cases[] = {
        {"on", false, 0xF6}, {"off", false, 0xF0}, {"on", true, 0xF0}, {"off", true, 0xF6},
    };
    for (const Case& c : cases) {
        UInt32 word = 0xF2;
        Bool error = false;
        Bool result = c.inverted ? mList.GetInvertedBitValue(nullptr, c.name, 0x06, &word, &error)
                                 : mList.GetBitValue(nullptr, c.name, 0x06, &word, &error);
        EXPECT_TRUE(result);
        EXPECT_EQ(word, c.expected) << c.name << c.inverted;
    }
    UInt32 word = 0xF2;
    EXPECT_TRUE(mList.GetInvertedBitValue(UInt32(1), nullptr, 0x06, &word, &mError));
    EXPECT_EQ(word, 0xF6u);
    ::testing::internal::CaptureStderr();
    EXPECT_FALSE(mList.GetBitValue(UInt32(2), nullptr, 0x06, &word, &mError));
    EXPECT_EQ(::testing::internal::GetCapturedStderr(),
              "Util::Attributes::GetValue(): Failed to convert value \"maybe\" for attribute \"bad\" to Bool\n");
    EXPECT_TRUE(mError);
    EXPECT_EQ(word, 0xF6u);
}

TEST_F(AttributesTest, ReadsAnglesInRadians)
{
    Fill(mList, {{"deg", "180 deg"}, {"rad", "1.5r"}, {"plain", "2"}, {"bad", "90 degrees"}, {"huge", "1e300"}});
    Double d = 0;
    Float f = 0;
    EXPECT_TRUE(mList.GetAngleValue(nullptr, "deg", &d, &mError));
    EXPECT_DOUBLE_EQ(d, std::numbers::pi);
    EXPECT_TRUE(mList.GetAngleValue(nullptr, "deg", &f, &mError));
    EXPECT_FLOAT_EQ(f, float(std::numbers::pi));
    EXPECT_TRUE(mList.GetAngleValue(UInt32(1), nullptr, &d, &mError));
    EXPECT_EQ(d, 1.5);
    EXPECT_TRUE(mList.GetAngleValue(UInt32(2), nullptr, &f, &mError));
    EXPECT_EQ(f, 2.0f);
    EXPECT_TRUE(mList.GetAngleValue(nullptr, "huge", &d, &mError));
    EXPECT_FALSE(mError);

    ::testing::internal::CaptureStderr();
    EXPECT_FALSE(mList.GetAngleValue(nullptr, "bad", &d, &mError));
    EXPECT_TRUE(mError);
    mError = false;
    EXPECT_FALSE(mList.GetAngleValue(nullptr, "huge", &f, &mError)); // no float holds it
    EXPECT_TRUE(mError);
    // The builder reading the angle writes the message.
    EXPECT_EQ(::testing::internal::GetCapturedStderr(), "");
    EXPECT_EQ(d, 1e300);
    EXPECT_EQ(f, 2.0f);
}

TEST_F(AttributesTest, TracksUsedAttributes)
{
    Fill(mList, {{"a", "1"}, {"b", "2"}, {"c", "3"}});
    EXPECT_FALSE(mList.AddAttribute(String("b"), String("other")));
    EXPECT_EQ(mList.GetNumberOfAttributes(), 3u);

    UInt32 value = 0;
    EXPECT_TRUE(Read("b", &value));
    EXPECT_EQ(mList.GetNumberOfUnusedAttributes(), 2u);
    Array<String> names;
    names.Add(String("kept"));
    EXPECT_TRUE(mList.GetUnusedAttributeNames(&names));
    EXPECT_EQ(ToVector(names), (std::vector<std::string>{"kept", "a", "c"}));

    EXPECT_TRUE(mList.SetAttribute(String("b"), String("20")));
    EXPECT_FALSE(mList.SetAttribute(String("d"), String("4")));
    EXPECT_EQ(mList.GetNumberOfUnusedAttributes(), 3u);
    EXPECT_FALSE(mList.IsAttributeUsed(1));
    EXPECT_TRUE(Read("b", &value));
    EXPECT_EQ(value, 20u);

    EXPECT_TRUE(mList.MarkAllAttributesUsed());
    EXPECT_EQ(mList.GetNumberOfUnusedAttributes(), 0u);
    names.Clear();
    EXPECT_FALSE(mList.GetUnusedAttributeNames(&names));
    EXPECT_EQ(names.GetCount(), 0);
}

TEST_F(AttributesTest, CopiesAndMerges)
{
    Fill(mList, {{"a", "1"}, {"b", "{p}"}, {"c", "3"}});
    String text;
    Read("b", &text);

    Attributes all(mList, false);
    Attributes unused(mList, true);
    Attributes copy(mList);
    EXPECT_EQ(all.GetNumberOfAttributes(), 3u);
    EXPECT_EQ(all.GetNumberOfUnusedAttributes(), 3u);
    EXPECT_STREQ(all.GetAttributeValue(1), "{p}"); // raw text, not evaluated
    EXPECT_EQ(copy.GetNumberOfAttributes(), 3u);
    ASSERT_EQ(unused.GetNumberOfAttributes(), 2u);
    EXPECT_STREQ(unused.GetAttributeName(0), "a");
    EXPECT_STREQ(unused.GetAttributeName(1), "c");

    Attributes first;
    Attributes second;
    Fill(first, {{"a", "1"}});
    Fill(second, {{"a", "2"}, {"b", "3"}});
    Attributes merged(first, second);
    ASSERT_EQ(merged.GetNumberOfAttributes(), 2u);
    UInt32 a = 0;
    UInt32 b = 0;
    Bool error = false;
    EXPECT_TRUE(merged.GetValue(nullptr, "a", &a, &error));
    EXPECT_TRUE(merged.GetValue(nullptr, "b", &b, &error));
    EXPECT_EQ(a, 1u);
    EXPECT_EQ(b, 3u);
}

TEST_F(AttributesTest, BuildsFromNameValueArray)
{
    const char* pairs[] = {"x", "1", "y", "", nullptr};
    Attributes list(pairs);
    ASSERT_EQ(list.GetNumberOfAttributes(), 2u);
    EXPECT_STREQ(list.GetAttributeName(1), "y");
    EXPECT_STREQ(list.GetAttributeValue(1), "");

    const char* missingValue[] = {"x", nullptr};
    Attributes partial(missingValue);
    ASSERT_EQ(partial.GetNumberOfAttributes(), 1u);
    EXPECT_STREQ(partial.GetAttributeValue(0), "");

    const char* empty[] = {nullptr};
    EXPECT_EQ(Attributes(empty).GetNumberOfAttributes(), 0u);
    EXPECT_EQ(Attributes(static_cast<const char* const*>(nullptr)).GetNumberOfAttributes(), 0u);
}

TEST_F(AttributesTest, IndexAccessorsReportOutOfRange)
{
    Fill(mList, {{"name", "value"}, {"abcdefghijklmnopqrstuvwxyz0123456789", "long"}});
    EXPECT_EQ(mList.GetAttributeHash(0), String("name").GetHash());
    EXPECT_EQ(mList.GetAttributeHash(1), String("abcdefghijklmnopqrstuvwxyz0123456789").GetHash());
    String name;
    String value;
    EXPECT_TRUE(mList.GetNameAndValue(1, &name, &value));
    EXPECT_STREQ(value.GetText(), "long");

    ::testing::internal::CaptureStderr();
    EXPECT_EQ(mList.GetAttributeHash(2), 0u);
    EXPECT_EQ(mList.GetAttributeName(2), nullptr);
    EXPECT_EQ(mList.GetAttributeValue(2), nullptr);
    EXPECT_FALSE(mList.GetNameAndValue(2, &name, &value));
    EXPECT_FALSE(mList.IsAttributeUsed(2));
    EXPECT_EQ(::testing::internal::GetCapturedStderr(),
              "Util::Attributes::GetAttributeHash(): Index out of range\n"
              "Util::Attributes::GetAttributeName(): Index out of range\n"
              "Util::Attributes::GetAttributeValue(): Index out of range\n"
              "Util::Attributes::GetNameAndValue(): Index out of range\n"
              "Util::Attributes::IsAttributeUsed(): Index out of range\n");
}

TEST_F(AttributesTest, EvaluateParametersServesOtherLists)
{
    Fill(mParameters, {{"w", "640"}});
    String value("{w}x{w}");
    Bool error = false;
    EXPECT_TRUE(Attributes::EvaluateParameters(&mParameters, "size", &value, &error));
    EXPECT_STREQ(value.GetText(), "640x640");
    value = "{h}";
    ::testing::internal::CaptureStderr();
    EXPECT_FALSE(Attributes::EvaluateParameters(&mParameters, "size", &value, &error));
    EXPECT_EQ(::testing::internal::GetCapturedStderr(),
              "Util::Attributes::EvaluateParameters(): Parameter \"h\" in expression \"{h}\" not found for attribute \"size\"\n");
    EXPECT_STREQ(value.GetText(), "{h}");
    EXPECT_TRUE(error);
}

// Ten levels of parameters, each naming the level below ten times, would make one value of
// 10^10 bytes; expanding to nothing, 10^9 substitutions. Both stop with one line.
TEST_F(AttributesTest, ExpansionIsBoundedInLengthAndSubstitutions)
{
    Attributes parameters;
    for (const char* prefix : {"p", "e"}) {
        Fill(parameters, {{prefix[0] == 'p' ? "p0" : "e0", prefix[0] == 'p' ? "0123456789" : ""}});
        for (int level = 1; level < 10; ++level) {
            std::string below = "{" + std::string(prefix) + std::to_string(level - 1) + "}";
            std::string value;
            for (int i = 0; i < 10; ++i)
                value += below;
            Fill(parameters, {{(std::string(prefix) + std::to_string(level)).c_str(), value.c_str()}});
        }
    }
    Fill(mList, {{"long", "<{p9}>"}, {"empty", "{e9}"}, {"fine", "{p4}"}});
    for (const char* name : {"long", "empty"}) {
        String text("untouched");
        mError = false;
        EXPECT_FALSE(Read(name, &text, &parameters)) << name;
        EXPECT_TRUE(mError) << name;
        EXPECT_STREQ(text.GetText(), "untouched") << name;
        EXPECT_EQ(std::count(mLog.begin(), mLog.end(), '\n'), 1) << mLog;
        EXPECT_NE(mLog.find("Util::Attributes::EvaluateParameters(): Parameters in value for attribute \""),
                  std::string::npos)
            << mLog;
        EXPECT_NE(mLog.find("expand beyond 1048576 bytes or 65536 substitutions"), std::string::npos) << mLog;
    }
    // The bounds are per read: a large but sound value still expands afterwards.
    String text;
    EXPECT_TRUE(Read("fine", &text, &parameters)) << mLog;
    EXPECT_EQ(text.GetLength(), 100000);
}
