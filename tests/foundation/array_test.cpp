#include "foundation/array.h"

#include <gtest/gtest.h>

#include <vector>

#include "foundation/string.h"

namespace Vorn {
namespace {

const char kLong[] = "a text long enough to live in a shared block";

TEST(ArrayTest, GrowsByHalfItsCapacity)
{
    Array<SInt32> array;
    std::vector<SInt32> capacities;
    for (SInt32 i = 0; i < 63; ++i) {
        array.Add(i);
        if (capacities.empty() || capacities.back() != array.GetCapacity())
            capacities.push_back(array.GetCapacity());
    }
    EXPECT_EQ(capacities, (std::vector<SInt32>{1, 2, 3, 4, 6, 9, 13, 19, 28, 42, 63}));
    for (SInt32 i = 0; i < 63; ++i)
        EXPECT_EQ(array[i], i);
}

TEST(ArrayTest, AppendsItsOwnElementWhileFull)
{
    Array<String> array;
    array.Add(String(kLong));
    array.Add(String("short"));
    array.Add(String("a private block text"));
    ASSERT_EQ(array.GetCount(), array.GetCapacity());
    array.Add(array[0]);
    array.Add(array[2]);
    array.Add(array[1]);
    ASSERT_EQ(array.GetCount(), 6);
    EXPECT_EQ(array[3], String(kLong));
    EXPECT_EQ(array[4], String("a private block text"));
    EXPECT_EQ(array[5], String("short"));
    EXPECT_EQ(array[0].GetText(), array[3].GetText()); // the shared text gained a reference
}

TEST(ArrayTest, InsertAtDoublesTheCapacity)
{
    Array<SInt32> one;
    one.Add(7);
    ASSERT_EQ(one.GetCapacity(), 1);
    *one.InsertAt(0) = 3;
    EXPECT_EQ(one.GetCapacity(), 2);
    EXPECT_EQ(one[0], 3);
    EXPECT_EQ(one[1], 7);

    Array<SInt32> four;
    for (SInt32 i = 0; i < 4; ++i)
        four.Add(i);
    ASSERT_EQ(four.GetCapacity(), 4);
    *four.InsertAt(2) = 9;
    EXPECT_EQ(four.GetCapacity(), 8);
    EXPECT_EQ((std::vector<SInt32>(four.begin(), four.end())), (std::vector<SInt32>{0, 1, 9, 2, 3}));
    *four.InsertAt(5) = 10;
    *four.InsertAt(0) = -1;
    EXPECT_EQ(four.GetCapacity(), 8);
    EXPECT_EQ((std::vector<SInt32>(four.begin(), four.end())), (std::vector<SInt32>{-1, 0, 1, 9, 2, 3, 10}));

    Array<SInt32> empty;
    *empty.InsertAt(0) = 5;
    EXPECT_EQ(empty.GetCapacity(), 1);
    EXPECT_EQ(empty[0], 5);
}

TEST(ArrayTest, InsertsAndRemovesStrings)
{
    Array<String> array;
    array.Add(String("b"));
    array.Add(String(kLong));
    array.InsertAt(0, String("a"));
    array.InsertAt(3, array[1]);
    ASSERT_EQ(array.GetCount(), 4);
    EXPECT_EQ(array[0], "a");
    EXPECT_EQ(array[1], "b");
    EXPECT_EQ(array[2], kLong);
    EXPECT_EQ(array[3], "b");
    array.RemoveAt(1);
    array.RemoveAt(0);
    EXPECT_EQ(array.GetCount(), 2);
    EXPECT_EQ(array.GetCapacity(), 4);
    EXPECT_EQ(array[0], kLong);
    EXPECT_EQ(array[1], "b");
    EXPECT_EQ(array.Find(String("b")), 1);
    EXPECT_EQ(array.Find(String("a")), -1);
}

TEST(ArrayTest, CopiesIntoABlockOfExactlyTheCount)
{
    Array<String> array;
    for (int i = 0; i < 5; ++i)
        array.Add(String(kLong));
    Array<String> copy;
    copy.Add(String("old"));
    copy = array;
    EXPECT_EQ(copy.GetCount(), 5);
    EXPECT_EQ(copy.GetCapacity(), 5);
    EXPECT_EQ(copy[4], kLong);
    Array<String> constructed(array);
    EXPECT_EQ(constructed.GetCapacity(), 5);
    array.Clear();
    EXPECT_EQ(array.GetCount(), 0);
    EXPECT_EQ(array.GetCapacity(), 0);
    EXPECT_EQ(array.GetItems(), nullptr);
    EXPECT_EQ(copy[0], kLong);
}

TEST(ArrayTest, SetCountAndSetCapacity)
{
    Array<UInt8> bytes;
    bytes.SetCount(3);
    EXPECT_EQ(bytes.GetCapacity(), 3); // 0 + max(0, 3)
    bytes.SetCount(4);
    EXPECT_EQ(bytes.GetCapacity(), 6); // 3 + max(3, 1)
    bytes.SetCount(20);
    EXPECT_EQ(bytes.GetCapacity(), 22); // 6 + max(6, 16)
    bytes.SetCount(2);
    EXPECT_EQ(bytes.GetCount(), 2);
    EXPECT_EQ(bytes.GetCapacity(), 22);

    Array<String> strings;
    strings.Add(String(kLong));
    strings.Add(String("x"));
    strings.SetCapacity(10);
    EXPECT_EQ(strings[0], kLong);
    strings.SetCount(4);
    EXPECT_TRUE(strings[3].IsEmpty());
    strings.SetCapacity(1);
    EXPECT_EQ(strings.GetCount(), 1);
    EXPECT_EQ(strings[0], kLong);
    strings.SetCapacity(0);
    EXPECT_EQ(strings.GetItems(), nullptr);
}

} // namespace
} // namespace Vorn
