#include "foundation/map.h"

#include <gtest/gtest.h>

#include <string>

#include "foundation/string.h"

namespace Vorn {
namespace {

TEST(IndexTest, EmptyIndexFindsNothing)
{
    Index<String> names;
    EXPECT_EQ(names.Find(String("a")), -1);
    EXPECT_EQ(names.Find(String()), -1);
    EXPECT_EQ(names.FindNext(-1, String("a")), -1);
    Index<UInt32> numbers;
    EXPECT_EQ(numbers.Find(0), -1);
}

TEST(IndexTest, StoresTheStringHashWithoutBit31)
{
    Index<String> names;
    names.Add(String("abc"));
    names.Add(String());
    EXPECT_EQ(names.GetHash(0), 3177796337u & 0x7FFFFFFF);
    EXPECT_EQ(names.GetHash(1), 3702136530u & 0x7FFFFFFF);
    EXPECT_EQ(names.Find(String("abc"), 3177796337u), 0);
}

TEST(IndexTest, RepeatedKeysAreFoundInInsertionOrder)
{
    Index<String> names;
    names.Add(String("x"));
    names.Add(String("dup"));
    names.Add(String("y"));
    names.Add(String("dup"));
    EXPECT_EQ(names.Find(String("dup")), 1);
    EXPECT_EQ(names.FindAfter(1, String("dup")), 3);
    EXPECT_EQ(names.FindAfter(3, String("dup")), -1);
    EXPECT_EQ(names.FindNext(3, String("dup")), 3);
}

// With 8 entries the table has 8 buckets; for small hashes the bucket is (-h) & 7, and
// 0x800006 and 0x12340001 land in bucket 3 with 5 through their high bits.
TEST(IndexTest, ChainsKeysOfOneBucketInInsertionOrder)
{
    Index<UInt32> index;
    const UInt32 keys[] = {5, 0x8000, 0x800006, 2, 4, 0x12340001, 6, 0x800000};
    for (UInt32 key : keys)
        index.Add(key);
    EXPECT_EQ(index.FindNext(0, 0x800006), 2);
    EXPECT_EQ(index.FindNext(0, 0x12340001), 5);
    EXPECT_EQ(index.FindNext(2, 0x12340001), 5);
    EXPECT_EQ(index.FindNext(2, 5), -1); // the walk stops at the bucket head
    EXPECT_EQ(index.FindNext(0, 0x8000), -1);
    EXPECT_EQ(index.FindNext(0, 0x800000), -1);
    EXPECT_EQ(index.FindNext(0, 2), -1);
    for (SInt32 i = 0; i < 8; ++i)
        EXPECT_EQ(index.Find(keys[i]), i);
}

TEST(IndexTest, KeysDifferingInBit31ShareABucket)
{
    Index<UInt32> index;
    index.Add(5);
    index.Add(5u + 0x80000000u);
    EXPECT_EQ(index.GetHash(0), 5u);
    EXPECT_EQ(index.GetHash(1), 5u);
    EXPECT_EQ(index.Find(5), 0);
    EXPECT_EQ(index.Find(5u + 0x80000000u), 1);
    EXPECT_EQ(index.FindNext(0, 5u + 0x80000000u), 1);
}

TEST(IndexTest, HashesPairsOfWordsOverTheirBytes)
{
    struct Cell
    {
        SInt32 x;
        SInt32 y;
    };
    Map<Cell, void*> cells;
    int object = 0;
    cells.Add(Cell{1, 2}, &object);
    cells.Add(Cell{2, 1}, nullptr);
    EXPECT_EQ(cells.GetHash(0), 1685542131u);
    const UInt8 bytes[8] = {1, 0, 0, 0, 2, 0, 0, 0};
    EXPECT_EQ(Util::GetHash(bytes, 8), 3833025779u);
    EXPECT_EQ(cells.Find(Cell{1, 2}), 0);
    EXPECT_EQ(cells.Find(Cell{2, 1}), 1);
    EXPECT_EQ(cells.Find(Cell{1, 1}), -1);
    EXPECT_EQ(*cells.FindValue(Cell{1, 2}), &object);
}

TEST(MapTest, RemovalKeepsValuesWithTheirKeys)
{
    Map<String, SInt32> map;
    map.Add(String("a"), 1);
    map.Add(String("b"), 2);
    map.Add(String("c"), 3);
    map.RemoveAt(1);
    ASSERT_EQ(map.GetCount(), 2);
    EXPECT_EQ(map.Find(String("c")), 1);
    EXPECT_EQ(map.GetValue(1), 3);
    EXPECT_EQ(map.Find(String("b")), -1);
    EXPECT_EQ(map.Find(String("a")), 0);
    map.RemoveAt(0);
    map.RemoveAt(0);
    EXPECT_EQ(map.Find(String("c")), -1);
    map.Add(String("d"), 4);
    EXPECT_EQ(map.Find(String("d")), 0);
}

TEST(MapTest, FindOrAddReturnsTheEarliestValue)
{
    Map<UInt32, String> names;
    names.FindOrAdd(7, String("seven")) = String("changed");
    EXPECT_EQ(names.FindOrAdd(7, String("other")), "changed");
    EXPECT_EQ(names.GetCount(), 1);
    names.Add(7, String("second"));
    EXPECT_EQ(names.FindOrAdd(7, String()), "changed");
    EXPECT_EQ(names.FindOrAdd(8, names.GetValue(0)), "changed");
    EXPECT_EQ(names.GetCount(), 3);
}

TEST(MapTest, StaysConsistentThroughManyAddsAndRemovals)
{
    Map<String, SInt32> map;
    for (SInt32 i = 0; i < 1000; ++i)
        map.Add(String(("key number " + std::to_string(i)).c_str()), i);
    for (SInt32 i = 999; i >= 0; i -= 3)
        map.RemoveAt(i);
    Map<String, SInt32> copy(map);
    for (SInt32 i = 0; i < 1000; ++i) {
        const String key(("key number " + std::to_string(i)).c_str());
        const SInt32 position = copy.Find(key);
        if (i % 3 == 0) {
            EXPECT_EQ(position, -1) << i;
        } else {
            ASSERT_GE(position, 0) << i;
            EXPECT_EQ(copy.GetValue(position), i);
            EXPECT_EQ(copy.GetKey(position), key);
            EXPECT_EQ(map.Find(key), position);
        }
    }
    map.Clear();
    EXPECT_EQ(map.GetCount(), 0);
    EXPECT_EQ(map.Find(String("key number 1")), -1);
    EXPECT_EQ(copy.GetCount(), 666);
}

TEST(MapTest, KeysByPointer)
{
    int a = 0, b = 0;
    Map<const int*, const void*> map;
    map.Add(&a, "a");
    map.Add(&b, "b");
    EXPECT_EQ(map.Find(&b), 1);
    EXPECT_EQ(map.Find(nullptr), -1);
}

} // namespace
} // namespace Vorn
