#include <gtest/gtest.h>

#include <string>

#include "game/menu_text.h"

namespace Vorn {
namespace App {
namespace {

TEST(MenuTextTest, BreakLinesEverySixCharacters)
{
    const struct {
        const char* name;
        const char* lines;
    } cases[] = {
        {"", ""},
        {"ABCDEF", "ABCDEF"},
        {"PLAYER 1", "PLAYER\n 1"},
        {"ABCDEFGHIJKL", "ABCDEF\nGHIJKL"},
        {"ABCDEFGHIJKLM", "ABCDEF\nGHIJKL\nM"},
        // Two-byte letters count as one character and are never split.
        {"\xC3\xA4\xC3\xA4\xC3\xA4\xC3\xA4\xC3\xA4\xC3\xA4\xC3\xB6", "\xC3\xA4\xC3\xA4\xC3\xA4\xC3\xA4\xC3\xA4\xC3\xA4\n\xC3\xB6"},
        // Stray continuation bytes stay with the character before them.
        {"\x80\x80" "ABCDEFG", "\x80\x80" "ABCDEF\nG"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(std::string(BreakLines(c.name).GetText()), c.lines) << c.name;
}

TEST(MenuTextTest, FormatTimeTruncatesEveryPart)
{
    const struct {
        Float seconds;
        const char* text;
    } cases[] = {
        {3725.9f, "01:02:05"}, {59.99f, "00:00:59"}, {0.0f, "00:00:00"},
        {360000.0f, "100:00:00"}, {-5.0f, "00:00:00"}, {1e30f, "1193046:28:15"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(std::string(FormatTime(c.seconds).GetText()), c.text) << c.seconds;
}

} // namespace
} // namespace App
} // namespace Vorn
