#include "foundation/hex.h"

#include <gtest/gtest.h>

#include <cstring>

using namespace Vorn;

TEST(HexTest, BytesToHexWritesWholeBytesThatFit)
{
    const UInt8 bytes[3] = {0x0f, 0xa0, 0x7e};
    const struct {
        UInt32 outputSize;
        UInt32 written;
        const char* text;
    } cases[] = {{5, 4, "0fa0"}, {7, 6, "0fa07e"}, {8, 6, "0fa07e"}, {1, 0, ""}, {0, 0, ""}};
    for (const auto& c : cases) {
        char output[8];
        std::memset(output, '#', sizeof(output));
        EXPECT_EQ(Util::BytesToHex(bytes, 3, output, c.outputSize), c.written) << c.outputSize;
        EXPECT_EQ(std::string(output, c.written), c.text);
        EXPECT_EQ(output[c.written], '#') << "no terminator is written";
    }
    char output[8];
    EXPECT_EQ(Util::BytesToHex(nullptr, 3, output, 8), 0u);
    EXPECT_EQ(Util::BytesToHex(bytes, 0, output, 8), 0u);
    EXPECT_EQ(Util::BytesToHex(bytes, 3, nullptr, 8), 0u);
}

TEST(HexTest, HexToBytesDecodesEitherCaseAndRefusesBadText)
{
    const struct {
        const char* text;
        UInt32 outputSize;
        UInt32 written;
        UInt8 first;
    } cases[] = {
        {"0fA07e", 8, 3, 0x0f},
        {"0FA07E", 8, 3, 0x0f},
        {"0fa07e", 2, 2, 0x0f}, // only what fits
        {"0fa", 8, 0, 0},       // odd length
        {"0G", 8, 0, 0},
        {"", 8, 0, 0},
        {"0f", 0, 0, 0},
        {"7fzz", 8, 0, 0x7f}, // the byte before the bad pair is already written
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.text);
        UInt8 output[8] = {};
        EXPECT_EQ(Util::HexToBytes(c.text, UInt32(std::strlen(c.text)), output, c.outputSize), c.written);
        EXPECT_EQ(output[0], c.first);
    }
    UInt8 output[4] = {};
    EXPECT_EQ(Util::HexToBytes("0fa07e", 6, output, 2), 2u);
    EXPECT_EQ(output[1], 0xa0);
    EXPECT_EQ(output[2], 0u);
    EXPECT_EQ(Util::HexToBytes(nullptr, 2, output, 4), 0u);
    EXPECT_EQ(Util::HexToBytes("0f", 2, nullptr, 4), 0u);
}

TEST(HexTest, StringRoundTripKeepsZeroBytesAndLowerCase)
{
    const char raw[] = {'A', '\0', '\xff', 'z'};
    const String text(raw, 4);
    const String hex = Util::StringToHex(text);
    EXPECT_STREQ(hex.GetText(), "4100ff7a");
    const String back = Util::HexToString(hex);
    ASSERT_EQ(back.GetLength(), 4);
    EXPECT_EQ(std::memcmp(back.GetText(), raw, 4), 0);

    EXPECT_TRUE(Util::HexToString(String("4100FF7A")).GetLength() == 4);
    EXPECT_EQ(std::memcmp(Util::HexToString(String("4100FF7A")).GetText(), raw, 4), 0);
    EXPECT_TRUE(Util::HexToString(String("")).IsEmpty());
    EXPECT_TRUE(Util::HexToString(String("abc")).IsEmpty());
    EXPECT_TRUE(Util::HexToString(String("ab0x")).IsEmpty());
    EXPECT_TRUE(Util::StringToHex(String("")).IsEmpty());

    // Long enough for a heap text.
    const String name("Player One With A Rather Long Name");
    EXPECT_EQ(Util::HexToString(Util::StringToHex(name)).Compare(name), 0);
}

TEST(HexTest, DataAndDigestToHex)
{
    const UInt8 bytes[16] = {0x00, 0x11, 0x22, 0x33, 0x44, 0x55, 0x66, 0x77,
                             0x88, 0x99, 0xaa, 0xbb, 0xcc, 0xdd, 0xee, 0xff};
    EXPECT_STREQ(Util::DigestToHex(bytes).GetText(), "00112233445566778899aabbccddeeff");
    EXPECT_STREQ(Util::DataToHex(ConstData(bytes, 3)).GetText(), "001122");
    EXPECT_TRUE(Util::DataToHex(ConstData()).IsEmpty());
}
