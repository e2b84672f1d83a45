#include "foundation/md5.h"

#include "foundation/hex.h"

#include <gtest/gtest.h>

#include <cstring>
#include <vector>

using namespace Vorn;

namespace {

const struct {
    const char* message;
    const char* digest;
} Rfc1321Suite[] = {
    {"", "d41d8cd98f00b204e9800998ecf8427e"},
    {"a", "0cc175b9c0f1b6a831c399e269772661"},
    {"abc", "900150983cd24fb0d6963f7d28e17f72"},
    {"message digest", "f96b697d7cb7938d525a2f31aaf161d0"},
    {"abcdefghijklmnopqrstuvwxyz", "c3fcd3d76192e4007dfb496cca67e13b"},
    {"ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789", "d174ab98d277d9f5a5611c2c9f419d9f"},
    {"12345678901234567890123456789012345678901234567890123456789012345678901234567890",
     "57edf4a22be3c955ac49da2e2107b67a"},
};

String Digest(Util::Md5& md5)
{
    UInt8 digest[Util::Md5::DigestSize];
    md5.Final(digest);
    return Util::DigestToHex(digest);
}

} // namespace

TEST(Md5Test, MatchesTheRfcTestSuite)
{
    for (const auto& c : Rfc1321Suite) {
        SCOPED_TRACE(c.message);
        Data digest;
        const UInt32 length = UInt32(std::strlen(c.message));
        const UInt8* bytes = Util::GetMd5(digest, c.message, length);
        EXPECT_EQ(bytes, digest.GetData());
        EXPECT_EQ(digest.GetSize(), 16u);
        EXPECT_STREQ(Util::DataToHex(digest).GetText(), c.digest);

        Data fromHex;
        EXPECT_STREQ(Util::GetMd5Hex(fromHex, String(c.message)).GetText(), c.digest);
        EXPECT_STREQ(Util::DataToHex(fromHex).GetText(), c.digest);
    }
}

TEST(Md5Test, SplitUpdatesGiveTheSameDigest)
{
    // Long enough for several blocks; pieces also start at odd addresses.
    std::vector<UInt8> message(300);
    for (size_t i = 0; i < message.size(); ++i)
        message[i] = UInt8(i * 7 + 3);
    Data whole;
    const String expected = Util::DigestToHex(Util::GetMd5(whole, message.data(), UInt32(message.size())));

    const std::vector<std::vector<UInt32>> splits = {
        {1, 299}, {63, 1, 236}, {64, 64, 172}, {55, 1, 244}, {56, 100, 144}, {3, 5, 7, 11, 13, 130, 131}, {0, 300},
    };
    for (const auto& pieces : splits) {
        Util::Md5 md5;
        UInt32 offset = 0;
        for (const UInt32 piece : pieces) {
            md5.Update(message.data() + offset, piece);
            offset += piece;
        }
        ASSERT_EQ(offset, message.size());
        EXPECT_EQ(Digest(md5), expected) << pieces[0];
    }
}

TEST(Md5Test, InitStartsANewMessage)
{
    Util::Md5 md5;
    md5.Update("abc", 3);
    Digest(md5);
    md5.Init();
    md5.Update("a", 1);
    EXPECT_STREQ(Digest(md5).GetText(), "0cc175b9c0f1b6a831c399e269772661");
}

TEST(Md5Test, DigestBufferIsMadeSixteenBytesAndEmptyInputIsTheEmptyMessage)
{
    Data tooShort;
    tooShort.Resize(3);
    Data tooLong;
    tooLong.Resize(40);
    Data fromNull;
    Util::GetMd5(tooShort, "abc", 3);
    Util::GetMd5(tooLong, ConstData("abc", 3));
    Util::GetMd5(fromNull, nullptr, 5);
    EXPECT_STREQ(Util::DataToHex(tooShort).GetText(), "900150983cd24fb0d6963f7d28e17f72");
    EXPECT_STREQ(Util::DataToHex(tooLong).GetText(), "900150983cd24fb0d6963f7d28e17f72");
    EXPECT_STREQ(Util::DataToHex(fromNull).GetText(), "d41d8cd98f00b204e9800998ecf8427e");
}
