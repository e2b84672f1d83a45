#include "foundation/text.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstring>
#include <initializer_list>
#include <memory>
#include <vector>

using namespace Vorn;

namespace {

struct SInt32Case
{
    const char* text;
    SInt32 count;
    SInt32 value;
};

TEST(TextTest, ScansSignedIntegersFromTheLongestNumberPrefix)
{
    const SInt32Case cases[] = {
        {"12abc", 1, 12},
        {" \t\n-7", 1, -7},
        {"+5", 1, 5},
        {"0x10", 1, 0},
        {"2147483647", 1, 2147483647},
        {"-2147483648", 1, SInt32(-2147483647 - 1)},
        {"2147483648", 0, 0},
        {"-2147483649", 0, 0},
        {"99999999999999999999", 0, 0},
        {"abc", 0, 0},
        {"-", 0, 0},
        {"- 1", 0, 0},
        {"", -1, 0},
        {"  ", -1, 0},
    };
    for (const SInt32Case& item : cases)
    {
        SInt32 value = 4242;
        EXPECT_EQ(Util::ScanString(item.text, "%d", &value), item.count) << item.text;
        EXPECT_EQ(value, item.count == 1 ? item.value : 4242) << item.text;
    }
}

struct UInt32Case
{
    const char* format;
    const char* text;
    SInt32 count;
    UInt32 value;
};

TEST(TextTest, ScansUnsignedIntegersWrappingNegativeValues)
{
    const UInt32Case cases[] = {
        {"%u", "-1", 1, 4294967295u},
        {"%u", "4294967295", 1, 4294967295u},
        {"%u", "4294967296", 0, 0},
        {"%u", "-4294967296", 0, 0},
        {"%u", "0x10", 1, 0},
        {"%u", "7 8", 1, 7},
        {"%x", "0x1F", 1, 31},
        {"%x", "ffG", 1, 255},
        {"%x", "0xz", 1, 0},
        {"%o", "017", 1, 15},
        {"%u", "", -1, 0},
    };
    for (const UInt32Case& item : cases)
    {
        UInt32 value = 4242;
        EXPECT_EQ(Util::ScanString(item.text, item.format, &value), item.count) << item.format << " " << item.text;
        EXPECT_EQ(value, item.count == 1 ? item.value : 4242u) << item.format << " " << item.text;
    }
    SInt32 value = 0;
    EXPECT_EQ(Util::ScanString("0x1f", "%i", &value), 1);
    EXPECT_EQ(value, 31);
    EXPECT_EQ(Util::ScanString("010", "%i", &value), 1);
    EXPECT_EQ(value, 8);
}

struct DoubleCase
{
    const char* text;
    SInt32 count;
    Double value;
};

TEST(TextTest, ScansDecimalFloatingNumbersOnly)
{
    const DoubleCase cases[] = {
        {"1.5", 1, 1.5},
        {"  -0.25xyz", 1, -0.25},
        {"+.5", 1, 0.5},
        {"5.", 1, 5.0},
        {"1e5x", 1, 1e5},
        {"2E-2", 1, 0.02},
        {"1e", 1, 1.0},
        {"1e+", 1, 1.0},
        {"100ergs", 1, 100.0},
        {"0x1p3", 1, 0.0},
        {"12,5", 1, 12.0},
        {".", 0, 0},
        {"-.e1", 0, 0},
        {"inf", 0, 0},
        {"nan", 0, 0},
        {"1e999", 0, 0},
        {"-1e999", 0, 0},
        {"", -1, 0},
    };
    for (const DoubleCase& item : cases)
    {
        Double value = 42.0;
        EXPECT_EQ(Util::ScanString(item.text, "%lf", &value), item.count) << item.text;
        EXPECT_EQ(value, item.count == 1 ? item.value : 42.0) << item.text;
    }
    Real real = 42.0f;
    EXPECT_EQ(Util::ScanString("0.1", "%f", &real), 1);
    EXPECT_EQ(real, 0.1f); // rounded once, straight to float
    EXPECT_EQ(Util::ScanString("3.5e38", "%f", &real), 0);
    EXPECT_EQ(real, 0.1f);
}

TEST(TextTest, ScansSeveralItemsAndStopsAtTheFirstMismatch)
{
    SInt32 a = 0;
    SInt32 b = 0;
    EXPECT_EQ(Util::ScanString("3, 4", "%d ,%d", &a, &b), 2);
    EXPECT_EQ(a, 3);
    EXPECT_EQ(b, 4);
    EXPECT_EQ(Util::ScanString("5;6", "%d,%d", &a, &b), 1);
    EXPECT_EQ(a, 5);
    EXPECT_EQ(b, 4);
    EXPECT_EQ(Util::ScanString("7", "%d,%d", &a, &b), 1);
    EXPECT_EQ(Util::ScanString("", "x%d", &a), -1);
    EXPECT_EQ(Util::ScanString(nullptr, "%d", &a), -1);

    EXPECT_EQ(Util::ScanString("1 2", "%*d %d", &a), 1);
    EXPECT_EQ(a, 2);
    SInt32 consumed = 0;
    EXPECT_EQ(Util::ScanString("  12xy", "%d%n", &a, &consumed), 1);
    EXPECT_EQ(consumed, 4);
    EXPECT_EQ(Util::ScanString("50%", "%d%%", &a), 1);

    char word[4] = {'?', '?', '?', '?'};
    EXPECT_EQ(Util::ScanString("  degrees", "%3s", word), 1);
    EXPECT_STREQ(word, "deg");
    char pair[2] = {};
    EXPECT_EQ(Util::ScanString("ab", "%2c", pair), 1);
    EXPECT_EQ(std::memcmp(pair, "ab", 2), 0);
}

TEST(TextTest, ScanRefusesConversionsThatCouldOverrunOrDifferByPlatform)
{
    char word[8] = "keep";
    SInt32 value = 9;
    EXPECT_EQ(Util::ScanString("abc", "%s", word), 0); // no width: target size unknown
    EXPECT_STREQ(word, "keep");
    const char* longFormat = "%ld"; // long is 32 bits on Windows only
    EXPECT_EQ(Util::ScanString("12", longFormat, &value), 0);
    EXPECT_EQ(Util::ScanString("12", "%[0-9]", word), 0);
    EXPECT_EQ(value, 9);
}

TEST(TextTest, StringToNumberLeavesTheTargetOnFailure)
{
    Real real = 1.0f;
    Double number = 2.0;
    SInt32 integer = 3;
    UInt32 unsignedInteger = 4;
    for (const char* text : {"", "  ", "abc", "-", ".", "inf", "-x1"})
    {
        EXPECT_FALSE(Util::StringToReal(text, real)) << text;
        EXPECT_FALSE(Util::StringToDouble(text, number)) << text;
        EXPECT_FALSE(Util::StringToSInt32(text, integer)) << text;
        EXPECT_FALSE(Util::StringToUInt32(text, unsignedInteger)) << text;
    }
    EXPECT_EQ(real, 1.0f);
    EXPECT_EQ(number, 2.0);
    EXPECT_EQ(integer, 3);
    EXPECT_EQ(unsignedInteger, 4u);
    EXPECT_FALSE(Util::StringToDouble("1e999", number));
    EXPECT_FALSE(Util::StringToSInt32("3000000000", integer));
    EXPECT_FALSE(Util::StringToUInt32("5000000000", unsignedInteger));
    EXPECT_EQ(number, 2.0);
    EXPECT_EQ(integer, 3);
    EXPECT_EQ(unsignedInteger, 4u);

    EXPECT_TRUE(Util::StringToReal("0.5m", real));
    EXPECT_EQ(real, 0.5f);
    EXPECT_TRUE(Util::StringToDouble(" 12abc", number));
    EXPECT_EQ(number, 12.0);
    EXPECT_TRUE(Util::StringToSInt32("-12abc", integer));
    EXPECT_EQ(integer, -12);
    EXPECT_TRUE(Util::StringToUInt32("12abc", unsignedInteger));
    EXPECT_EQ(unsignedInteger, 12u);
}

struct BoolCase
{
    const char* text;
    Bool converts;
    Bool value;
};

TEST(TextTest, StringToBoolTakesNumbersAndSixExactWords)
{
    const BoolCase cases[] = {
        {"0", true, false},     {"1", true, true},      {"2", true, true},     {"1abc", true, true},
        {"-1", true, true},     {"0x10", true, false},  {"true", true, true},  {"on", true, true},
        {" yes ", true, true},  {"\tfalse\n", true, false}, {"off", true, false}, {"no", true, false},
        {"", false, false},     {"Yes", false, false},  {"TRUE", false, false}, {"y", false, false},
        {"yes please", false, false}, {"99999999999", false, false},
    };
    for (const BoolCase& item : cases)
    {
        for (Bool start : {false, true})
        {
            Bool value = start;
            EXPECT_EQ(Util::StringToBool(item.text, value), item.converts) << item.text;
            EXPECT_EQ(value, item.converts ? item.value : start) << item.text;
        }
    }
}

struct AngleCase
{
    const char* text;
    Bool converts;
    Double radians;
    Bool isUnitGiven;
};

TEST(TextTest, StringToAngleReadsAnOptionalUnit)
{
    const Double pi = 3.141592653589793;
    const AngleCase cases[] = {
        {"180 deg", true, 180 * 0.017453292519943295, true},
        {"180d", true, 180 * 0.017453292519943295, true},
        {"1 rad", true, 1.0, true},
        {"1.5r", true, 1.5, true},
        {"1", true, 1.0, false},
        {"1 x", true, 1.0, false},
        {"90 DEG", true, 90.0, false},
        {"90 deg x", false, 0, false},
        {"90 degrees", false, 0, false},
        {"", false, 0, false},
        {"deg", false, 0, false},
        {"  ", false, 0, false},
    };
    for (const AngleCase& item : cases)
    {
        Double radians = -5.0;
        Bool isUnitGiven = true;
        EXPECT_EQ(Util::StringToAngle(item.text, radians, isUnitGiven), item.converts) << item.text;
        EXPECT_EQ(radians, item.converts ? item.radians : -5.0) << item.text;
        EXPECT_EQ(isUnitGiven, item.converts ? item.isUnitGiven : true) << item.text;
    }
    Double radians = 0;
    Bool isUnitGiven = false;
    ASSERT_TRUE(Util::StringToAngle("180 deg", radians, isUnitGiven));
    EXPECT_NEAR(radians, pi, 1e-15);
}

struct SplitCase
{
    const char* text;
    std::vector<const char*> parts;
};

TEST(TextTest, SplitStringTreatsARunOfSeparatorsAsOne)
{
    const SplitCase cases[] = {
        {"a,b,,c", {"a", "b", "c"}},
        {",a", {"", "a"}},
        {"a,", {"a", ""}},
        {",,a,,b,,", {"", "a", "b", ""}},
        {"", {""}},
        {",", {"", ""}},
        {"abc", {"abc"}},
        {" a , b", {" a ", " b"}},
    };
    for (const SplitCase& item : cases)
    {
        Array<String> parts;
        parts.Add(String("left over"));
        ASSERT_EQ(Util::SplitString(item.text, ',', parts), SInt32(item.parts.size())) << item.text;
        ASSERT_EQ(parts.GetCount(), SInt32(item.parts.size())) << item.text;
        for (SInt32 i = 0; i < parts.GetCount(); ++i)
            EXPECT_EQ(parts[i], item.parts[size_t(i)]) << item.text << " part " << i;
    }
}

TEST(TextTest, IsIdentifierWantsALetterThenWordCharactersAndBraces)
{
    EXPECT_TRUE(Util::IsIdentifier("a{b}_1"));
    EXPECT_TRUE(Util::IsIdentifier("Z"));
    for (const char* text : {"", "1a", "_a", "{a}", "a-b", "a b", "a.b", "\xC3\xA4"})
        EXPECT_FALSE(Util::IsIdentifier(text)) << text;
}

// Bytes in an exactly sized heap block, so that the address sanitizer sees any read past them.
std::unique_ptr<char[]> MakeBytes(std::initializer_list<UInt8> bytes)
{
    std::unique_ptr<char[]> block(new char[bytes.size()]);
    size_t i = 0;
    for (UInt8 byte : bytes)
        block[i++] = char(byte);
    return block;
}

struct Utf8Case
{
    std::initializer_list<UInt8> bytes;
    Bool decodes;
    UInt32 codePoint;
    SInt32 byteCount;
};

TEST(TextTest, DecodeUtf8CharReadsOneToFourBytesAndRefusesBrokenForms)
{
    const Utf8Case cases[] = {
        {{0x00}, true, 0, 0},
        {{'A', 0}, true, 'A', 1},
        {{0xC3, 0xA4, 0}, true, 0xE4, 2},
        {{0xE2, 0x82, 0xAC, 0}, true, 0x20AC, 3},
        {{0xF0, 0x9F, 0x98, 0x80, 0}, true, 0x1F600, 4},
        {{0xC0, 0x80, 0}, true, 0, 2}, // overlong forms are not refused
        {{0xC3, 0x28, 0}, false, 0, 0},
        {{0x80, 0}, false, 0, 0},
        {{0xF8, 0x80, 0x80, 0x80, 0x80, 0}, false, 0, 0},
        {{0xE2, 0x82, 0}, false, 0, 0},
        {{0xF0, 0}, false, 0, 0},
    };
    for (const Utf8Case& item : cases)
    {
        std::unique_ptr<char[]> bytes = MakeBytes(item.bytes);
        UInt32 codePoint = 77;
        SInt32 byteCount = 77;
        EXPECT_EQ(Util::DecodeUtf8Char(bytes.get(), codePoint, byteCount), item.decodes);
        EXPECT_EQ(codePoint, item.decodes ? item.codePoint : 77u);
        EXPECT_EQ(byteCount, item.decodes ? item.byteCount : 77);
    }
}

TEST(TextTest, PrintToBufferCutsAndAlwaysTerminates)
{
    char buffer[8];
    EXPECT_EQ(Util::PrintToBuffer(buffer, sizeof(buffer), "%02d:%u", 7, 15u), 5);
    EXPECT_STREQ(buffer, "07:15");
    EXPECT_LT(Util::PrintToBuffer(buffer, sizeof(buffer), "%s", "too long a text"), 0);
    EXPECT_STREQ(buffer, "too lon");
    EXPECT_LT(Util::PrintToBuffer(buffer, 0, "x"), 0);
}

TEST(TextTest, NumbersToText)
{
    EXPECT_EQ(Util::UInt32ToString(0), "0");
    EXPECT_EQ(Util::UInt32ToString(4294967295u), "4294967295");
    EXPECT_EQ(Util::PrintToString("%.1f", 3.14159), "3.1");
    EXPECT_EQ(Util::PrintToString("%.2f%%", 0.5), "0.50%");
    EXPECT_EQ(Util::PrintToString("%lf", 0.5), "0.500000");
    EXPECT_EQ(Util::PrintToString("Level %02d", 7), "Level 07");
    EXPECT_EQ(Util::PrintToString("%0100d", 1).GetLength(), 63);
}

TEST(TextTest, PrintToStringRefusesFormatsThatDoNotFitTheArgument)
{
    for (const char* format : {"%s", "%d", "%f %f", "no conversion", "%*f", "%Lf", "%"})
        EXPECT_TRUE(Util::PrintToString(format, 1.5).IsEmpty()) << format;
    for (const char* format : {"%s", "%f", "%d%d", "%n", "%ld", "%.*d"})
        EXPECT_TRUE(Util::PrintToString(format, SInt32(1)).IsEmpty()) << format;
}

TEST(TextTest, ByteStringHelpersCompareBytesAsUnsigned)
{
    const UInt8 low[] = {1, 2, 3, 4, 5, 0x01};
    const UInt8 high[] = {1, 2, 3, 4, 5, 0x80};
    EXPECT_EQ(Util::MemCompare(low, high, 5), 0);
    EXPECT_EQ(Util::MemCompare(low, high, 6), -1);
    EXPECT_EQ(Util::MemCompare(high, low, 6), 1);
    EXPECT_EQ(Util::CompareCString("ab", "ab"), 0);
    EXPECT_EQ(Util::CompareCString("ab", "abc"), -1);
    EXPECT_EQ(Util::CompareCString("\x80", "\x01"), 1);
    EXPECT_EQ(Util::CompareCString(nullptr, ""), 0);
    EXPECT_EQ(Util::GetLength(nullptr), 0);
    EXPECT_EQ(Util::GetLength("abc"), 3);

    char text[] = "abcdef";
    Util::MemMove(text + 1, text, 4);
    EXPECT_STREQ(text, "aabcdf");

    EXPECT_TRUE(Util::IsSpace('\v'));
    EXPECT_FALSE(Util::IsSpace('\0'));
    EXPECT_TRUE(Util::IsAlphaNumeric('z'));
    EXPECT_FALSE(Util::IsAlphaNumeric('_'));
    EXPECT_FALSE(Util::IsAlphaNumeric(char(0xE4)));
}

TEST(TextTest, SortUInt32UsesTheCallersOrder)
{
    UInt32 values[] = {5, 1, 4, 2, 3};
    Util::SortUInt32(values, 5, [](const void* a, const void* b) -> SInt32 {
        UInt32 left = *static_cast<const UInt32*>(a);
        UInt32 right = *static_cast<const UInt32*>(b);
        return left > right ? -1 : (left < right ? 1 : 0);
    });
    const UInt32 expected[] = {5, 4, 3, 2, 1};
    EXPECT_EQ(std::memcmp(values, expected, sizeof(values)), 0);
}

} // namespace
