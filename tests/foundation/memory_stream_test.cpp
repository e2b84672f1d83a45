#include "foundation/memory_stream.h"

#include <gtest/gtest.h>

#include <vector>

using namespace Vorn;

TEST(MemoryStreamTest, ReadsBlocksUntilTheEnd)
{
    std::vector<UInt8> bytes(10000);
    for (size_t i = 0; i < bytes.size(); ++i)
        bytes[i] = UInt8(i * 13);
    Util::MemoryStream stream;
    ASSERT_TRUE(stream.Open(ConstData(bytes.data(), UInt32(bytes.size()))));

    std::vector<UInt8> buffer(Util::MemoryStream::BlockSize);
    const UInt32 expected[] = {4096, 4096, 1808, 0, 0};
    UInt32 offset = 0;
    for (const UInt32 count : expected) {
        ASSERT_EQ(stream.Read(buffer.data()), count);
        for (UInt32 i = 0; i < count; ++i)
            ASSERT_EQ(buffer[i], bytes[offset + i]) << offset + i;
        offset += count;
    }
}

TEST(MemoryStreamTest, RefusesEmptyViewsAndASecondOpen)
{
    const UInt8 first[3] = {1, 2, 3};
    const UInt8 second[2] = {7, 8};
    UInt8 buffer[Util::MemoryStream::BlockSize];

    Util::MemoryStream stream;
    EXPECT_EQ(stream.Read(buffer), 0u);
    EXPECT_FALSE(stream.Open(ConstData()));
    EXPECT_FALSE(stream.Open(nullptr, 5));
    EXPECT_FALSE(stream.Open(first, 0));
    EXPECT_FALSE(stream.IsOpen());

    EXPECT_TRUE(stream.Open(first, 3));
    EXPECT_FALSE(stream.Open(second, 2));
    ASSERT_EQ(stream.Read(buffer), 3u);
    EXPECT_EQ(buffer[0], 1);
    EXPECT_EQ(buffer[2], 3);
}
