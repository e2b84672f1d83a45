#include "resource/native_font.h"

#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <utility>
#include <vector>

#include "tests/support/chunk_file_fixture.h"

using namespace Vorn;
using namespace Vorn::Resource;
using Testing::ExactBytes;
using Testing::FloatBits;
using Testing::RawChunk;
using Testing::RunCreator;

namespace {

constexpr UInt32 kFont = MakeTag("FONT");
constexpr UInt32 kGlph = MakeTag("GLPH");

// The eleven font values 1.5, 2.5, ... 11.5.
RawChunk HeadChunk()
{
    RawChunk head = {MakeTag("HEAD"), {Testing::kVersionWord}};
    for (UInt32 i = 0; i < 11; ++i)
        head.words.push_back(FloatBits(Float(i) + 1.5f));
    return head;
}

// Glyph values derived from the code: U1 = code / 256, V1 = 0.25, ..., advance = code, extra = -code.
void AppendGlyph(std::vector<UInt32>& words, UInt32 code)
{
    const Float values[10] = {Float(code) / 256.0f, 0.25f, Float(code + 1) / 256.0f, 0.5f, 1.0f, -8.0f, 7.0f,
                              2.0f, Float(code), -Float(code)};
    words.push_back(code);
    for (Float value : values)
        words.push_back(FloatBits(value));
}

RawChunk GlyphChunk(UInt32 firstCode, UInt32 lastCode, UInt32 offset = 8)
{
    RawChunk chunk = {kGlph, {lastCode + 1 - firstCode, offset}};
    chunk.words.resize(offset / 4, 0);
    for (UInt32 code = firstCode; code <= lastCode; ++code)
        AppendGlyph(chunk.words, code);
    return chunk;
}

Data MakeFile(const std::vector<RawChunk>& chunks)
{
    return Testing::MakeChunkFile(kFont, chunks);
}

Data MakeSample()
{
    return MakeFile({HeadChunk(), GlyphChunk('A', 'Z'), {MakeTag("XTRA"), {1}}, GlyphChunk('a', 'z', 16)});
}

} // namespace

TEST(NativeFontTest, ReadsValuesAndGlyphsOfEveryGlyphChunk)
{
    ExactBytes bytes(MakeSample());
    Testing::CreatorOutcome result = RunCreator(&NativeFont::Create, bytes);
    const NativeFont* font = result.As<NativeFont>();
    ASSERT_NE(font, nullptr) << result.log;
    EXPECT_FALSE(result.releaseData);
    EXPECT_FALSE(result.failed);
    EXPECT_EQ(result.log, "");

    const IFont& values = *font;
    const Float expected[11] = {values.GetScale(),        values.GetLineHeight(),   values.GetExtraValue1(),
                                values.GetExtraValue2(),  values.GetExtraValue3(),  values.GetSpacing(),
                                values.GetLeading(),      values.GetSpaceWidth(),   values.GetDigitWidth(),
                                values.GetGlyphOffsetX(), values.GetGlyphOffsetY()};
    for (UInt32 i = 0; i < 11; ++i)
        EXPECT_FLOAT_EQ(expected[i], Float(i) + 1.5f) << i;

    EXPECT_EQ(font->GetNumberOfGlyphs(), 52u);
    for (UInt32 code : {UInt32('A'), UInt32('M'), UInt32('Z'), UInt32('a'), UInt32('q'), UInt32('z')}) {
        const IGlyph* glyph = values.GetGlyph(code);
        ASSERT_NE(glyph, nullptr) << code;
        EXPECT_EQ(static_cast<const NativeFont::Glyph*>(glyph)->GetCode(), code);
        EXPECT_FLOAT_EQ(glyph->GetTexCoordU1(), Float(code) / 256.0f);
        EXPECT_FLOAT_EQ(glyph->GetTexCoordV1(), 0.25f);
        EXPECT_FLOAT_EQ(glyph->GetTexCoordU2(), Float(code + 1) / 256.0f);
        EXPECT_FLOAT_EQ(glyph->GetTexCoordV2(), 0.5f);
        EXPECT_FLOAT_EQ(glyph->GetQuadX1(), 1.0f);
        EXPECT_FLOAT_EQ(glyph->GetQuadY1(), -8.0f);
        EXPECT_FLOAT_EQ(glyph->GetQuadX2(), 7.0f);
        EXPECT_FLOAT_EQ(glyph->GetQuadY2(), 2.0f);
        EXPECT_FLOAT_EQ(glyph->GetAdvance(), Float(code));
        EXPECT_FLOAT_EQ(glyph->GetExtraValue(), -Float(code));
    }
    for (UInt32 code : {UInt32('@'), UInt32('['), UInt32('`'), UInt32('{'), UInt32(0), UInt32(0x80000041u)})
        EXPECT_EQ(values.GetGlyph(code), nullptr) << code;

    Data copy;
    EXPECT_TRUE(font->GetNativeData(copy));
    ASSERT_EQ(copy.GetSize(), bytes.GetSize());
    EXPECT_EQ(std::memcmp(copy.GetData(), bytes.Get(), copy.GetSize()), 0);
}

TEST(NativeFontTest, FontWithoutGlyphsAnswersNull)
{
    ExactBytes bytes(MakeFile({HeadChunk(), {kGlph, {0, 8}}}));
    Testing::CreatorOutcome result = RunCreator(&NativeFont::Create, bytes);
    const NativeFont* font = result.As<NativeFont>();
    ASSERT_NE(font, nullptr) << result.log;
    EXPECT_EQ(font->GetNumberOfGlyphs(), 0u);
    EXPECT_EQ(font->GetGlyph('A'), nullptr);
    EXPECT_FLOAT_EQ(font->GetGlyphOffsetY(), 11.5f);
}

TEST(NativeFontTest, CodeStoredTwiceAnswersWithItsFirstRecord)
{
    RawChunk first = {kGlph, {1, 8}};
    AppendGlyph(first.words, 'x');
    RawChunk second = GlyphChunk('w', 'y');
    second.words[2 + 11 + 9] = FloatBits(99.0f); // the advance of the later 'x'
    ExactBytes bytes(MakeFile({HeadChunk(), first, second}));
    Testing::CreatorOutcome result = RunCreator(&NativeFont::Create, bytes);
    const NativeFont* font = result.As<NativeFont>();
    ASSERT_NE(font, nullptr) << result.log;
    EXPECT_EQ(font->GetNumberOfGlyphs(), 4u);
    ASSERT_NE(font->GetGlyph('x'), nullptr);
    EXPECT_FLOAT_EQ(font->GetGlyph('x')->GetAdvance(), Float('x'));
}

TEST(NativeFontTest, DeclinesOtherFormsSilently)
{
    RawChunk otherVersion = HeadChunk();
    otherVersion.words[0] = 0x32302E30u; // "0.02"
    const std::vector<std::pair<const char*, Data>> cases = {
        {"empty", Data()},
        {"another form", Testing::MakeChunkFile(MakeTag("ATLS"), {HeadChunk()})},
        {"another version", MakeFile({otherVersion, GlyphChunk('a', 'b')})},
        {"first chunk not HEAD", MakeFile({GlyphChunk('a', 'b'), HeadChunk()})},
    };
    for (const auto& [name, data] : cases)
        Testing::ExpectDeclinedSilently(&NativeFont::Create, data, name);
}

TEST(NativeFontTest, RefusesHeadersCountsAndOffsetsThatDoNotFit)
{
    RawChunk shortHead = HeadChunk();
    shortHead.words.pop_back();
    const std::vector<std::pair<const char*, Data>> cases = {
        {"HEAD without all values", MakeFile({shortHead, GlyphChunk('a', 'b')})},
        {"count beyond chunk", MakeFile({HeadChunk(), {kGlph, {2, 8, 'a', 0, 0, 0, 0, 0, 0, 0, 0, 0, 0}}})},
        {"huge count", MakeFile({HeadChunk(), {kGlph, {0x06000000, 8, 'a'}}})},
        {"offset beyond chunk", MakeFile({HeadChunk(), GlyphChunk('a', 'a', 8), {kGlph, {1, 12, 0, 0}}})},
        {"huge offset", MakeFile({HeadChunk(), {kGlph, {1, 0xFFFFFFFCu}}})},
        {"chunk without count and offset", MakeFile({HeadChunk(), {kGlph, {1}}})},
    };
    for (const auto& [name, data] : cases)
        Testing::ExpectRefusedWithOneLine(&NativeFont::Create, data, name);
}

TEST(NativeFontTest, TruncatedFilesAreRefusedWithOneLine)
{
    Testing::ExpectEveryCutRefused(&NativeFont::Create, MakeFile({HeadChunk(), GlyphChunk('0', '3')}));
}

TEST(NativeFontTest, BitFlippedFilesNeverReadOutsideTheirBytes)
{
    Data data = MakeFile({HeadChunk(), GlyphChunk('0', '2'), GlyphChunk('a', 'a')});
    auto check = [](const NativeFont& font, const ExactBytes&, UInt32 bit) {
        // Reading every value lets the sanitizer check that each lies in the bytes.
        Float sum = 0.0f;
        const IFont& values = font;
        for (Float value : {values.GetScale(), values.GetLineHeight(), values.GetSpacing(), values.GetGlyphOffsetX(),
                            values.GetGlyphOffsetY()})
            sum += value;
        EXPECT_LE(font.GetNumberOfGlyphs(), 4u) << bit;
        for (UInt32 i = 0; i < font.GetNumberOfGlyphs(); ++i) {
            const NativeFont::Glyph* glyph = font.GetGlyphAt(i);
            ASSERT_NE(glyph, nullptr);
            EXPECT_NE(font.GetGlyph(glyph->GetCode()), nullptr) << bit;
            sum += glyph->GetTexCoordU1() + glyph->GetExtraValue();
        }
        EXPECT_EQ(font.GetGlyphAt(font.GetNumberOfGlyphs()), nullptr);
        static_cast<void>(sum);
    };
    Testing::ExpectBitFlipsHandled<NativeFont>(&NativeFont::Create, data, Testing::GetEveryBitPosition(data.GetSize()),
                                               check);
}

TEST(NativeFontTest, ReadsAFileAtAnOddAddress)
{
    const std::unique_ptr<Testing::OddAddressCreation> odd =
        Testing::RunCreatorAtOddAddress(&NativeFont::Create, MakeSample());
    const NativeFont* font = odd->outcome.As<NativeFont>();
    ASSERT_NE(font, nullptr);
    ASSERT_NE(font->GetGlyph('b'), nullptr);
    EXPECT_EQ(font->GetGlyph('b')->GetAdvance(), Float('b'));
    EXPECT_EQ(font->GetLineHeight(), 2.5f);
}
