#include "platform/win32/wide_chars.h"

#include <gtest/gtest.h>

namespace Vorn {
namespace {

TEST(WCharsTest, ConvertsUtf8IntoUtf16WithItsTerminator)
{
    struct Case
    {
        const char* mUtf8;
        std::u16string mUtf16;
    };
    const Case cases[] = {
        {"", u""},
        {"Vorn", u"Vorn"},
        {"\xC3\xA9t\xC3\xA9", u"\u00E9t\u00E9"},
        // Outside the Basic Multilingual Plane: a surrogate pair, counted as two units.
        {"a\xF0\x9F\x90\xB8z", u"a\U0001F438z"},
    };
    for (const Case& c : cases) {
        Win32::WChars text;
        const wchar_t* converted = text.Set(c.mUtf8);
        ASSERT_NE(converted, nullptr) << c.mUtf8;
        EXPECT_EQ(text.GetLength(), c.mUtf16.size()) << c.mUtf8;
        EXPECT_EQ(std::u16string(reinterpret_cast<const char16_t*>(converted), text.GetLength()), c.mUtf16);
        EXPECT_EQ(converted[text.GetLength()], L'\0') << c.mUtf8;
    }
}

TEST(WCharsTest, NullIsTheEmptyTextAndASecondSetReplacesTheFirst)
{
    Win32::WChars text("first");
    ASSERT_NE(text.Set(nullptr), nullptr);
    EXPECT_EQ(text.GetLength(), 0u);
    EXPECT_EQ(text.Get()[0], L'\0');
    EXPECT_STREQ(text.Set("second"), L"second");
    EXPECT_EQ(text.GetLength(), 6u);
}

} // namespace
} // namespace Vorn
