#include <gtest/gtest.h>

#include "game/game_menu_processor.h"
#include "tests/support/fake_text_node.h"

namespace Vorn {
namespace App {
namespace {

TEST(GameMenuProcessorTest, ZenTimeShowsSecondsMinutesOrHours)
{
    const struct
    {
        UInt32 mSeconds;
        const char* mText;
    } cases[] = {{0, "0 SEC"}, {59, "59 SEC"}, {60, "1:00"}, {3599, "59:59"}, {3600, "1:00:00"}, {3661, "1:01:01"}};
    for (const auto& c : cases)
        EXPECT_EQ(GameMenuProcessor::FormatZenTime(c.mSeconds), String(c.mText)) << c.mSeconds;
}

TEST(GameMenuProcessorTest, DescriptionLinesCountTheBreaks)
{
    EXPECT_EQ(GameMenuProcessor::CountLines(String("")), 0u);
    EXPECT_EQ(GameMenuProcessor::CountLines(String("ONE LINE")), 1u);
    EXPECT_EQ(GameMenuProcessor::CountLines(String("A\nB\nC")), 3u);
}

TEST(GameMenuProcessorTest, OneMissingGlyphSendsTheTextToTheSystemFont)
{
    Testing::FakeDisplayTextNode text;
    text.mGlyphs = {"A", "N", " ", "\xC3\xA9"};
    EXPECT_TRUE(GameMenuProcessor::FontHasAllGlyphs(String("ANNA \xC3\xA9"), &text));
    // Each multi-byte character is asked for whole.
    EXPECT_EQ(text.mAsked.back(), "\xC3\xA9");
    EXPECT_FALSE(GameMenuProcessor::FontHasAllGlyphs(String("ANNE"), &text));
    // Stray continuation bytes and a cut lead byte are characters the font lacks, read safely.
    EXPECT_FALSE(GameMenuProcessor::FontHasAllGlyphs(String("A\x80"), &text));
    EXPECT_FALSE(GameMenuProcessor::FontHasAllGlyphs(String("A\xC3"), &text));
    EXPECT_TRUE(GameMenuProcessor::FontHasAllGlyphs(String(""), &text));
}

} // namespace
} // namespace App
} // namespace Vorn
