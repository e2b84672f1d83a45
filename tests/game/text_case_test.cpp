#include <gtest/gtest.h>

#include <string>

#include "game/text_case.h"

namespace Vorn {
namespace App {
namespace {

TEST(ToUpperCaseTest, CapitalisesAsciiAndSmallUmlautsOnly)
{
    const struct {
        std::string input;
        std::string expected;
    } cases[] = {
        {"", ""},
        {"abc", "ABC"},
        {"Level 7: go!", "LEVEL 7: GO!"},
        {"gr\xC3\xBC\xC3\x9F" "e", "GR\xC3\x9C\xC3\x9F" "E"},   // u-diaeresis up, sharp s kept
        {"\xC3\xA4\xC3\xB6\xC3\xBC", "\xC3\x84\xC3\x96\xC3\x9C"},
        {"caf\xC3\xA9", "CAF\xC3\xA9"},                          // e-acute kept
        {"ab\xC3", "AB\xC3"},                                    // lone lead byte at the end
        {"\xC3" "a", "\xC3" "a"},                                // byte after the lead is taken as is
        {"a long text that is well beyond the inline size", "A LONG TEXT THAT IS WELL BEYOND THE INLINE SIZE"},
    };
    for (const auto& c : cases) {
        const String input(c.input.c_str(), SInt32(c.input.size()));
        const String result = ToUpperCase(input);
        EXPECT_EQ(std::string(result.GetText(), size_t(result.GetLength())), c.expected) << c.input;
        EXPECT_EQ(std::string(input.GetText(), size_t(input.GetLength())), c.input);
    }
}

} // namespace
} // namespace App
} // namespace Vorn
