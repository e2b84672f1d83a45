#include "graph/display/display_text.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "resource/native_font.h"
#include "tests/support/font_fixture.h"
#include "tests/support/view_scene_fixture.h"

namespace Vorn {
namespace Graph {
namespace {

class DisplayTextTest : public Testing::ViewSceneFixture
{
protected:
    DisplayTextTest() { mCollection.AddObject("p:font", &Resource::NativeFont::Create, Testing::MakeTestFontFile()); }

    // A text laid out from its origin to the right and downwards, without snapping.
    DisplayText* Text(const std::string& attributes)
    {
        Graph::INamespace* scene =
            Scene("<View><DisplayText id='t' fontResourceId='p:font' alignmentUnit='0' "
                  "horizontalContainerAlignment='LEFT' verticalContainerAlignment='TOP' "
                  "horizontalTextAlignment='LEFT' verticalTextAlignment='TOP' " + attributes + "/></View>");
        return scene != nullptr ? Find<DisplayText>(scene, "t") : nullptr;
    }
    // Left x and top y of a quad as written.
    static Float Left(DisplayText* text, UInt32 quad) { return text->GetVertexData()[quad * 32]; }
    static Float Top(DisplayText* text, UInt32 quad) { return text->GetVertexData()[quad * 32 + 1]; }
};

TEST_F(DisplayTextTest, AnEmptyTextMeasuresHalfALetterSpacingAndOneLine)
{
    DisplayText* text = Text("text=''");
    ASSERT_NE(text, nullptr);
    DisplayText::Extent extent{};
    ASSERT_TRUE(text->Measure(extent));
    EXPECT_EQ(extent.mCount, 0u);
    EXPECT_FLOAT_EQ(extent.mWidth, -1.0f);
    EXPECT_FLOAT_EQ(extent.mHeight, -(10.0f + 1.5f * 4.0f));
    EXPECT_EQ(text->GetNumberOfQuads(), 0u);
}

TEST_F(DisplayTextTest, SpacesAdvanceWithoutAQuadAndLineFeedsStartALowerLine)
{
    DisplayText* text = Text("text='A B'");
    ASSERT_NE(text, nullptr);
    ASSERT_EQ(text->GetNumberOfQuads(), 2u);
    EXPECT_FLOAT_EQ(Left(text, 0), 1.0f);
    EXPECT_FLOAT_EQ(Left(text, 1), 1.0f + 6.0f + 2.0f + 5.0f + 2.0f);
    ASSERT_TRUE(DestroyScene());

    text = Text("text='A&#10;AB'");
    ASSERT_NE(text, nullptr);
    ASSERT_EQ(text->GetNumberOfQuads(), 3u);
    EXPECT_FLOAT_EQ(Left(text, 1), 1.0f);
    EXPECT_FLOAT_EQ(Top(text, 0) - Top(text, 1), 10.0f + 4.0f);
    DisplayText::Extent extent{};
    ASSERT_TRUE(text->Measure(extent));
    EXPECT_FLOAT_EQ(extent.mWidth, 1.0f + 2.0f * (6.0f + 2.0f) - 2.0f);
}

TEST_F(DisplayTextTest, EqualDigitWidthCentresEachDigitInItsCell)
{
    DisplayText* text = Text("text='18'");
    ASSERT_NE(text, nullptr);
    ASSERT_EQ(text->GetNumberOfQuads(), 2u);
    EXPECT_FLOAT_EQ(Left(text, 0), 1.0f + (8.0f - 4.0f) / 2.0f);
    EXPECT_FLOAT_EQ(Left(text, 1), 1.0f + 8.0f + 2.0f + (8.0f - 6.0f) / 2.0f);
}

TEST_F(DisplayTextTest, NeverWritesPastItsCapacity)
{
    DisplayText* text = Text("text='AAA' reservedCharacters='2'");
    ASSERT_NE(text, nullptr);
    EXPECT_EQ(text->GetNumberOfQuads(), 2u);
    text->SetText(String("ABABAB"));
    ::testing::internal::CaptureStderr();
    ASSERT_TRUE(RunFrame());
    EXPECT_NE(::testing::internal::GetCapturedStderr().find("too long, reserved characters:2"), std::string::npos);
    EXPECT_EQ(text->GetCapacity(), 2u);
    EXPECT_EQ(text->GetNumberOfQuads(), 2u);
    ASSERT_TRUE(DestroyScene());

    // Built empty, the buffers are built once more for the first text with glyphs, then keep it.
    text = Text("text='' reservedCharacters='0'");
    ASSERT_NE(text, nullptr);
    EXPECT_EQ(text->GetCapacity(), 0u);
    text->SetText(String("AB"));
    ASSERT_TRUE(RunFrame());
    EXPECT_EQ(text->GetCapacity(), 2u);
    EXPECT_EQ(text->GetNumberOfQuads(), 2u);
    text->SetText(String("ABAB"));
    ::testing::internal::CaptureStderr();
    ASSERT_TRUE(RunFrame());
    ::testing::internal::GetCapturedStderr();
    EXPECT_EQ(text->GetCapacity(), 2u);
    EXPECT_EQ(text->GetNumberOfQuads(), 2u);
}

TEST_F(DisplayTextTest, RefusesBothTextSourcesAndBadUtf8)
{
    mCollection.AddText("p:hello", "AB");
    std::string log;
    EXPECT_FALSE(InitCapturing(
        "<View><DisplayText id='t' fontResourceId='p:font' text='A' textResourceId='p:hello'/></View>", log));
    EXPECT_NE(log.find("Graph::DisplayText::InitSelf(t): Cannot specify both text and textResourceId"),
              std::string::npos)
        << log;
    ASSERT_TRUE(DestroyScene());
    // Four vertices per glyph must stay addressable by 16-bit indices.
    EXPECT_FALSE(InitCapturing("<View><DisplayText id='t' fontResourceId='p:font' reservedCharacters='16385'/></View>",
                               log));
    EXPECT_NE(log.find("Reserved characters 16385 above 16384"), std::string::npos) << log;
    ASSERT_TRUE(DestroyScene());

    DisplayText* text = Text("text='A'");
    ASSERT_NE(text, nullptr);
    text->SetText(String("AB\xff"));
    ::testing::internal::CaptureStderr();
    EXPECT_FALSE(RunFrame());
    EXPECT_NE(::testing::internal::GetCapturedStderr().find("to UTF32 at position 2"), std::string::npos);
}

TEST_F(DisplayTextTest, TakesItsTextFromTheResourcesAndIgnoresSetText)
{
    mCollection.AddText("p:hello", "AB");
    DisplayText* text = Text("textResourceId='p:hello'");
    ASSERT_NE(text, nullptr);
    EXPECT_EQ(std::string(text->GetText().GetText()), "AB");
    text->SetText(String("A"));
    EXPECT_EQ(std::string(text->GetText().GetText()), "AB");
    EXPECT_TRUE(text->HasGlyph("B"));
    EXPECT_FALSE(text->HasGlyph("a"));
}

TEST_F(DisplayTextTest, HandsItsBuffersToTheRendererAndFreesThemAtDeInit)
{
    DisplayText* text = Text("text='AB'");
    ASSERT_NE(text, nullptr);
    ASSERT_TRUE(RunFrame());
    ASSERT_EQ(mDisplay.mDrawables.size(), 1u);
    EXPECT_EQ(mDisplay.mDrawables[0].drawable, text->GetDisplayDrawable());
    EXPECT_NE(mDisplay.mDrawables[0].vertexBuffers[0], nullptr);
    EXPECT_EQ(mDisplay.mDrawables[0].vertexBuffers[1], nullptr);
    ASSERT_EQ(mDisplay.mUpdates.size(), 1u);
    auto* indexBuffer = dynamic_cast<Testing::FakeDrawable*>(text->GetDisplayDrawable())->mIndexBuffers[0];
    EXPECT_EQ(dynamic_cast<Testing::FakeIndexBuffer*>(indexBuffer)->mNumberOfBatches, 2u);
    ASSERT_TRUE(RunFrame());
    EXPECT_TRUE(mDisplay.mUpdates.empty());
    ASSERT_TRUE(DeInit());
    EXPECT_TRUE(mDisplay.mLiveObjects.empty());
    EXPECT_EQ(mDisplay.mDestroyedInitializedCount, 0u);
}

// A back-end re-copies only the vertices it is told of, and may take an empty batch list for the
// whole buffer: a changed text names its vertices, and an emptied one leaves the frame.
TEST_F(DisplayTextTest, AChangedTextNamesItsVerticesAndAnEmptyOneIsNotDrawn)
{
    DisplayText* text = Text("text='A'");
    ASSERT_NE(text, nullptr);
    auto* drawable = dynamic_cast<Testing::FakeDrawable*>(text->GetDisplayDrawable());
    ASSERT_NE(drawable, nullptr);
    auto* vertices = dynamic_cast<Testing::FakeVertexBuffer*>(drawable->mVertexBuffers[0]);
    ASSERT_NE(vertices, nullptr);
    for (const char* changed : {"ABA", "A B", ""}) {
        text->SetText(String(changed));
        ASSERT_TRUE(RunFrame());
        EXPECT_EQ(vertices->mNumberOfVertices, 4 * text->GetNumberOfQuads()) << changed;
        EXPECT_EQ(mDisplay.mDrawables.size(), text->GetNumberOfQuads() > 0 ? 1u : 0u) << changed;
    }
}

} // namespace
} // namespace Graph
} // namespace Vorn
