#include "foundation/string.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <cstring>
#include <new>
#include <string>

// Counts heap blocks taken by the current thread while a counter is active. Every form of the
// global operators forwards to malloc and free, so the rest of the program sees no difference.
namespace {

thread_local bool gCounting = false;
thread_local int gAllocations = 0;

void* CountedAllocate(std::size_t size)
{
    if (gCounting)
        ++gAllocations;
    void* block = std::malloc(size != 0 ? size : 1);
    if (block == nullptr)
        throw std::bad_alloc();
    return block;
}

class AllocationCounter
{
public:
    AllocationCounter()
    {
        gAllocations = 0;
        gCounting = true;
    }
    ~AllocationCounter() { gCounting = false; }
    int GetCount() const { return gAllocations; }
};

} // namespace

void* operator new(std::size_t size) { return CountedAllocate(size); }
void* operator new[](std::size_t size) { return CountedAllocate(size); }
void* operator new(std::size_t size, const std::nothrow_t&) noexcept { return std::malloc(size != 0 ? size : 1); }
void* operator new[](std::size_t size, const std::nothrow_t&) noexcept { return std::malloc(size != 0 ? size : 1); }
void operator delete(void* block) noexcept { std::free(block); }
void operator delete[](void* block) noexcept { std::free(block); }
void operator delete(void* block, std::size_t) noexcept { std::free(block); }
void operator delete[](void* block, std::size_t) noexcept { std::free(block); }
void operator delete(void* block, const std::nothrow_t&) noexcept { std::free(block); }
void operator delete[](void* block, const std::nothrow_t&) noexcept { std::free(block); }

namespace Vorn {
namespace {

struct Image
{
    unsigned char bytes[16];
};

Image GetImage(const String& string)
{
    Image image;
    std::memcpy(image.bytes, static_cast<const void*>(&string), sizeof(image.bytes));
    return image;
}

UInt8 GetTag(const String& string)
{
    return GetImage(string).bytes[14];
}

Bool IsInline(const String& string)
{
    const char* text = string.GetText();
    const char* object = reinterpret_cast<const char*>(&string);
    return text >= object && text < object + sizeof(String);
}

std::string Text(const String& string)
{
    return std::string(string.GetText(), size_t(string.GetLength()));
}

const char kLong40[] = "0123456789abcdefghijklmnopqrstuvwxyzABCD";

TEST(StringTest, HashesTextsAsTheirInlineImage)
{
    EXPECT_EQ(String().GetHash(), 3702136530u);
    EXPECT_EQ(String("").GetHash(), 3702136530u);
    EXPECT_EQ(String(nullptr).GetHash(), 3702136530u);
    EXPECT_EQ(String("abc").GetHash(), 3177796337u);

    const unsigned char zeros[16] = {};
    EXPECT_EQ(Util::GetHash(zeros, 16), 3702136530u);
    const unsigned char abc[16] = {'a', 'b', 'c', 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 3};
    EXPECT_EQ(Util::GetHash(abc, 16), 3177796337u);

    // From 15 bytes on the hash runs over the text alone.
    const String longText(kLong40);
    EXPECT_EQ(longText.GetHash(), Util::GetHash(kLong40, 40));
    const String fifteen("abcdefghijklmno");
    EXPECT_EQ(fifteen.GetHash(), Util::GetHash("abcdefghijklmno", 15));
}

TEST(StringTest, ChoosesTheFormByLength)
{
    const String empty(nullptr);
    const Image zero = {};
    EXPECT_EQ(std::memcmp(GetImage(empty).bytes, zero.bytes, 16), 0);
    EXPECT_EQ(std::memcmp(GetImage(String("")).bytes, zero.bytes, 16), 0);
    EXPECT_EQ(std::memcmp(GetImage(String::Empty).bytes, zero.bytes, 16), 0);

    const String abc("abc");
    const Image expected = {{'a', 'b', 'c', 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 3}};
    EXPECT_EQ(std::memcmp(GetImage(abc).bytes, expected.bytes, 16), 0);

    const String fourteen("abcdefghijklmn");
    EXPECT_TRUE(IsInline(fourteen));
    EXPECT_EQ(GetTag(fourteen), 0);
    EXPECT_EQ(GetImage(fourteen).bytes[15], 14);
    EXPECT_STREQ(fourteen.GetText(), "abcdefghijklmn");

    const String fifteen("abcdefghijklmno");
    EXPECT_FALSE(IsInline(fifteen));
    EXPECT_EQ(GetTag(fifteen), 31);
    EXPECT_EQ(GetImage(fifteen).bytes[15], 15);
    EXPECT_EQ(fifteen.GetLength(), 15);

    const String thirtyTwo(kLong40, 32);
    EXPECT_EQ(GetTag(thirtyTwo), 32);
    EXPECT_EQ(thirtyTwo.GetLength(), 32);
    SInt32 storedLength;
    std::memcpy(&storedLength, GetImage(thirtyTwo).bytes + 8, 4);
    EXPECT_EQ(storedLength, 32);

    std::string big(300, 'x');
    const String large(big.c_str());
    EXPECT_EQ(GetTag(large), 255);
    EXPECT_EQ(Text(large), big);
}

TEST(StringTest, CopiesShortAndLongTextsWithoutAllocating)
{
    const String shortText("abcdefghijklmn");
    const String longText(kLong40);
    const String middle("abcdefghijklmnopq");
    {
        AllocationCounter counter;
        String a(shortText);
        String b(longText);
        String c;
        c = longText;
        c = shortText;
        EXPECT_EQ(counter.GetCount(), 0);
        EXPECT_EQ(b.GetText(), longText.GetText());
    }
    {
        AllocationCounter counter;
        String copy(middle);
        EXPECT_EQ(counter.GetCount(), 1); // a private 32-byte block
        EXPECT_NE(copy.GetText(), middle.GetText());
        EXPECT_EQ(copy, middle);
    }
}

TEST(StringTest, AmortisesAppendsInALoop)
{
    String text;
    AllocationCounter counter;
    for (int i = 0; i < 10000; ++i)
        text.Append(char('a' + i % 26));
    for (int i = 0; i < 10000; ++i)
        text.Append("xy", 2);
    EXPECT_LE(counter.GetCount(), 40);
    EXPECT_EQ(text.GetLength(), 30000);
    EXPECT_EQ(text[25], 'z');
    EXPECT_EQ(text[29999], 'y');
    EXPECT_EQ(text.GetText()[30000], 0);
}

TEST(StringTest, AppendingOneCharacterMovesTheTextIntoABlock)
{
    String text("abc");
    text.Append('d');
    EXPECT_EQ(GetTag(text), 31);
    const String inlineText("abcd");
    EXPECT_TRUE(IsInline(inlineText));
    EXPECT_EQ(text.GetHash(), inlineText.GetHash());
    EXPECT_TRUE(text == inlineText);
    EXPECT_TRUE(inlineText == text);
    EXPECT_EQ(text.Compare(inlineText), 0);
}

TEST(StringTest, AppendReallocatesWhenTheInlineTextWouldFillUp)
{
    String text("abc");
    text.Append("defghijklm", 10); // 13 bytes still fit
    EXPECT_EQ(GetTag(text), 0);
    EXPECT_EQ(GetImage(text).bytes[15], 13);

    String full("abc");
    full.Append("defghijklmn", 11); // 14 is not below the inline capacity
    EXPECT_EQ(GetTag(full), 31);
    EXPECT_STREQ(full.GetText(), "abcdefghijklmn");
    EXPECT_EQ(full.GetHash(), String("abcdefghijklmn").GetHash());
}

TEST(StringTest, AppendToACopyLeavesTheOriginalUnchanged)
{
    String original(kLong40);
    String copy(original);
    ASSERT_EQ(copy.GetText(), original.GetText());
    copy.Append("!", 1);
    EXPECT_NE(copy.GetText(), original.GetText());
    EXPECT_EQ(Text(original), kLong40);
    EXPECT_EQ(Text(copy), std::string(kLong40) + "!");

    // The original holds its block alone again, so it grows in place when there is room.
    String grown(kLong40);
    grown.Append("x", 1); // reallocates to capacity 80
    String sharer(grown);
    sharer.Remove(0, 1); // private copy first
    EXPECT_EQ(Text(grown), std::string(kLong40) + "x");
    EXPECT_EQ(Text(sharer), std::string(kLong40 + 1) + "x");
    const char* before = grown.GetText();
    grown.Append("y", 1);
    EXPECT_EQ(grown.GetText(), before);
}

TEST(StringTest, AppendingATextToItselfReadsItBeforeReleasing)
{
    for (const char* start : {"ab", "abcdefghij", "abcdefghijklmnopqrst", kLong40}) {
        String text(start);
        text += text;
        EXPECT_EQ(Text(text), std::string(start) + start);
        String shared(text);
        text += text;
        EXPECT_EQ(Text(text), std::string(start) + start + start + start);
        EXPECT_EQ(Text(shared), std::string(start) + start);
        text.Insert(1, 3, text.GetText() + 2);
        std::string expected = std::string(start) + start + start + start;
        expected.insert(1, expected.substr(2, 3));
        EXPECT_EQ(Text(text), expected);
    }
}

TEST(StringTest, InsertOpensAGapForTheCaller)
{
    String text("abef");
    char* gap = text.Insert(2, 2, nullptr);
    gap[0] = 'c';
    gap[1] = 'd';
    EXPECT_STREQ(text.GetText(), "abcdef");
    EXPECT_EQ(GetTag(text), 0);

    String shared(kLong40);
    String other(shared);
    shared.Insert(0, 3, "<<<");
    EXPECT_EQ(Text(shared), std::string("<<<") + kLong40);
    EXPECT_EQ(Text(other), kLong40);
}

TEST(StringTest, RemoveKeepsTheInlineImageClean)
{
    String text("abc");
    text.Remove(2, 1);
    EXPECT_EQ(std::memcmp(GetImage(text).bytes, GetImage(String("ab")).bytes, 16), 0);

    String longer("abcdefghijklmn");
    longer.Remove(3, 5);
    EXPECT_EQ(std::memcmp(GetImage(longer).bytes, GetImage(String("abcijklmn")).bytes, 16), 0);

    String a(kLong40);
    String b(a);
    b.Remove(0, 30);
    EXPECT_EQ(Text(a), kLong40);
    EXPECT_EQ(Text(b), "uvwxyzABCD");
    EXPECT_EQ(b.GetHash(), String("uvwxyzABCD").GetHash());
}

TEST(StringTest, RemovesTheLastUtf8Character)
{
    String text("a\xC3\xA4\xE2\x82\xAC"); // a, a-umlaut, euro sign
    ASSERT_TRUE(text.RemoveLastUtf8Char());
    EXPECT_STREQ(text.GetText(), "a\xC3\xA4");
    ASSERT_TRUE(text.RemoveLastUtf8Char());
    EXPECT_STREQ(text.GetText(), "a");
    ASSERT_TRUE(text.RemoveLastUtf8Char());
    EXPECT_TRUE(text.IsEmpty());
    EXPECT_FALSE(text.RemoveLastUtf8Char());
    String stray("\x80\x80");
    ASSERT_TRUE(stray.RemoveLastUtf8Char());
    EXPECT_TRUE(stray.IsEmpty());
}

TEST(StringTest, ClampsSubstrings)
{
    const String text("abcdef");
    struct Case
    {
        SInt32 start, count;
        const char* expected;
    };
    for (const Case& c : {Case{-3, 2, "ab"}, Case{4, 10, "ef"}, Case{6, 1, ""}, Case{9, 1, ""}, Case{2, -1, ""}, Case{1, 3, "bcd"}})
        EXPECT_STREQ(text.Mid(c.start, c.count).GetText(), c.expected) << c.start << "," << c.count;
    EXPECT_STREQ(text.Mid(2).GetText(), "cdef");
    EXPECT_STREQ(text.Mid(-2).GetText(), "abcdef");
    EXPECT_STREQ(text.Left(-1).GetText(), "");
    EXPECT_STREQ(text.Left(3).GetText(), "abc");
    EXPECT_STREQ(text.Left(30).GetText(), "abcdef");
}

TEST(StringTest, ComparesBytesThenLengths)
{
    const String abcd("abcd");
    EXPECT_EQ(abcd.Compare("abc"), 1);
    EXPECT_EQ(String("ab").Compare("abc"), -1);
    EXPECT_EQ(String("abd").Compare("abc"), 1);
    EXPECT_EQ(String("abc").Compare("abe"), -2);
    EXPECT_EQ(String("abc").Compare("abc"), 0);
    EXPECT_EQ(String("\xE4").Compare("a"), 0xE4 - 'a');
    EXPECT_EQ(String().Compare(nullptr), 0);

    EXPECT_EQ(abcd.Compare(String("abc")), 1);
    EXPECT_EQ(String("ab").Compare(String("abcd")), -2);
    EXPECT_EQ(String("abd").Compare(String("abc")), 1);
    EXPECT_EQ(String(kLong40).Compare(String(kLong40)), 0);

    EXPECT_TRUE(String("abc") != String("abd"));
    EXPECT_TRUE(String(kLong40) == String(kLong40));
    EXPECT_TRUE(String("abc") == "abc");
    EXPECT_FALSE(String("abc") == "ab");
    EXPECT_TRUE(String("ab") < String("abc"));
}

TEST(StringTest, FindsBytesFromAStart)
{
    const String text("abcabc");
    EXPECT_EQ(text.Find("bc", 2, 0), 1);
    EXPECT_EQ(text.Find("bc", 2, 2), 4);
    EXPECT_EQ(text.Find("bc", 2, 5), -1);
    EXPECT_EQ(text.Find("bd", 2, 0), -1);
    EXPECT_EQ(text.Find("", 0, 3), 3);
    EXPECT_EQ(text.Find("a", 1, -1), -1);
    EXPECT_EQ(text.Find("abcabcd", 7, 0), -1);
    EXPECT_EQ(text.Find(String("cab")), 2);
    EXPECT_EQ(text.Find('c', 3), 5);
    EXPECT_EQ(text.Find('x', 0), -1);
    EXPECT_EQ(text.Find('a', 6), -1);

    const String path("c:\\dir\\file");
    EXPECT_EQ(path.FindLast("\\", 1, path.GetLength() - 1), 6);
    EXPECT_EQ(path.FindLast("\\", 1, 5), 2);
    EXPECT_EQ(path.FindLast("\\", 1, 1), -1);
    EXPECT_EQ(path.FindLast("\\", 1, path.GetLength()), -1);
    EXPECT_EQ(text.FindLast("abc", 3, 4), 0);
    EXPECT_EQ(text.FindLast("abc", 3, 5), 3);
}

TEST(StringTest, FindFirstOfComparesEveryByte)
{
    EXPECT_EQ(String("a/b/c").FindFirstOf("/", 1), 1);
    EXPECT_EQ(String("abc").FindFirstOf("/", 1), -1);
    EXPECT_EQ(String().FindFirstOf("/", 1), -1);
    EXPECT_EQ(String("a\0/b", 4).FindFirstOf("/", 1), 2);
    EXPECT_EQ(String("a\0/b", 4).FindFirstOf("/\0", 2), 1);
}

TEST(StringTest, StartsAndEndsWith)
{
    const String text("prefix.xml");
    EXPECT_TRUE(text.StartsWith("pre"));
    EXPECT_TRUE(text.EndsWith(".xml"));
    EXPECT_TRUE(text.EndsWith(String("prefix.xml")));
    EXPECT_FALSE(text.StartsWith("prefix.xml2"));
    EXPECT_FALSE(text.EndsWith("a prefix.xml"));
    EXPECT_FALSE(text.EndsWith(".XML"));
}

TEST(StringTest, CountsUtf8Characters)
{
    EXPECT_EQ(String("\xC3\xA4x").Utf8Length(), 2);
    EXPECT_EQ(String("\xE2\x82\xAC").Utf8Length(), 1);
    EXPECT_EQ(String().Utf8Length(), 0);
}

TEST(StringTest, LowersAsciiAndGermanUmlauts)
{
    EXPECT_STREQ(String("Hello WORLD 1").ToLower().GetText(), "hello world 1");
    EXPECT_STREQ(String("\xC3\x84\xC3\x96\xC3\x9C\xC3\x9F").ToLower().GetText(), "\xC3\xA4\xC3\xB6\xC3\xBC\xC3\x9F");
    // The byte after 0xC3 is not taken as a letter of its own.
    EXPECT_STREQ(String("\xC3" "A").ToLower().GetText(), "\xC3" "A");
    EXPECT_STREQ(String("AB\xC3").ToLower().GetText(), "ab\xC3");
    const String shared(std::string(40, 'Q').c_str());
    const String lower = shared.ToLower();
    EXPECT_EQ(Text(lower), std::string(40, 'q'));
    EXPECT_EQ(Text(shared), std::string(40, 'Q'));
}

TEST(StringTest, TrimsWhiteSpace)
{
    EXPECT_STREQ(String(" \t\r\n\v\fab c \n").Trim().GetText(), "ab c");
    EXPECT_STREQ(String(" \t ").Trim().GetText(), "");
    EXPECT_STREQ(String().Trim().GetText(), "");
    EXPECT_STREQ(String("x").Trim().GetText(), "x");
}

TEST(StringTest, AssignsFromItsOwnText)
{
    String text(kLong40);
    text = text.GetText() + 30;
    EXPECT_STREQ(text.GetText(), "uvwxyzABCD");
    String shortText("abcdef");
    shortText = shortText.GetText() + 2;
    EXPECT_STREQ(shortText.GetText(), "cdef");
    EXPECT_EQ(std::memcmp(GetImage(shortText).bytes, GetImage(String("cdef")).bytes, 16), 0);
    text = nullptr;
    EXPECT_TRUE(text.IsEmpty());
}

TEST(StringTest, ConcatenatesAndClears)
{
    const String a("ab");
    EXPECT_STREQ((a + "cd").GetText(), "abcd");
    EXPECT_STREQ((a + String(kLong40)).GetText(), (std::string("ab") + kLong40).c_str());
    EXPECT_STREQ(("x" + a).GetText(), "xab");
    EXPECT_STREQ((a + static_cast<const char*>(nullptr)).GetText(), "ab");
    String b(kLong40);
    b.Clear();
    EXPECT_TRUE(b.IsEmpty());
    const Image zero = {};
    EXPECT_EQ(std::memcmp(GetImage(b).bytes, zero.bytes, 16), 0);
}

TEST(StringTest, MoveLeavesTheSourceEmpty)
{
    String source(kLong40);
    const char* text = source.GetText();
    String target(std::move(source));
    EXPECT_EQ(target.GetText(), text);
    EXPECT_TRUE(source.IsEmpty()); // NOLINT(bugprone-use-after-move)
    String other("x");
    other = std::move(target);
    EXPECT_EQ(other.GetText(), text);
}

// Lengths that would pass 2^31 - 1 bytes are refused before any byte is read, so a short source
// stands in for the huge one; the old sums wrapped negative and wrote past the block.
TEST(StringTest, RefusesResultsLongerThanAStringHolds)
{
    const char source[4] = "xyz";
    for (const char* start : {"ab", kLong40}) {
        String text(start);
        ::testing::internal::CaptureStderr();
        text.Append(source, 0x7FFFFFFF);
        EXPECT_EQ(text.Insert(1, 0x7FFFFFFF - 1, source), nullptr);
        const std::string log = ::testing::internal::GetCapturedStderr();
        EXPECT_NE(log.find("String::Append(): Adding 2147483647 bytes"), std::string::npos) << log;
        EXPECT_NE(log.find("String::Insert(): Adding 2147483646 bytes"), std::string::npos) << log;
        EXPECT_EQ(Text(text), start);
    }
}

} // namespace
} // namespace Vorn
