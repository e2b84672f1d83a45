#include "graph/render/flat_text_texture.h"

#include <gtest/gtest.h>

#include <string>

#include "tests/support/view_scene_fixture.h"

namespace Vorn {
namespace Graph {
namespace {

class FlatTextTextureTest : public Testing::ViewSceneFixture
{
protected:
    FlatTextTexture* TextTexture(const std::string& attributes)
    {
        Graph::INamespace* scene = Scene("<View><FlatTextTexture id='t' " + attributes + "/></View>");
        return scene != nullptr ? Find<FlatTextTexture>(scene, "t") : nullptr;
    }
    Testing::FakeSystemFont* Font() { return mFontControl.mFonts.empty() ? nullptr : mFontControl.mFonts[0].get(); }
    // One frame's output; the number of updates the display renderer was asked for.
    size_t Frame()
    {
        EXPECT_TRUE(RunFrame());
        return mDisplay.mUpdates.size();
    }
};

TEST_F(FlatTextTextureTest, RefusesSettingsItCannotDraw)
{
    struct Case
    {
        const char* attributes;
        const char* message;
    } const cases[] = {
        {"h='8'", "Graph::FlatTextTexture::InitSelf(t): Width cannot be 0"},
        {"w='8'", "Graph::FlatTextTexture::InitSelf(t): Height cannot be 0"},
        {"w='8' h='8' useMipMaps='true'", "Mip-mapping currently not supported"},
        {"w='8' h='8' useAlpha='false'", "Graph::FlatTextTexture::InitSelf(t): Only pixel format R8_G8_B8_A8 supported"},
    };
    for (const Case& c : cases) {
        std::string log;
        EXPECT_FALSE(InitCapturing(std::string("<View><FlatTextTexture id='t' ") + c.attributes + "/></View>", log));
        EXPECT_NE(log.find(c.message), std::string::npos) << log;
        EXPECT_TRUE(DestroyScene());
    }
    mOutput.RemoveSystemFontControl(&mFontControl);
    std::string log;
    EXPECT_FALSE(InitCapturing("<View><FlatTextTexture id='t' w='8' h='8'/></View>", log));
    EXPECT_NE(log.find("No font rendering control available"), std::string::npos) << log;
}

TEST_F(FlatTextTextureTest, PrescalesTheSurfaceAndTheFontSize)
{
    mConfiguration.SetPrescaleFactor(2);
    FlatTextTexture* texture = TextTexture("w='256' h='64' fontId='Sans' fontSize='20'");
    ASSERT_NE(texture, nullptr);
    EXPECT_EQ(texture->GetSurfaceWidth(), 128u);
    EXPECT_EQ(texture->GetSurfaceHeight(), 32u);
    ASSERT_EQ(mFontControl.mSurfaces.size(), 1u);
    EXPECT_EQ(mFontControl.mSurfaces[0]->GetWidth(0), 128u);
    EXPECT_EQ(mFontControl.mSurfaces[0]->GetPixelFormat(), Enums::PixelFormat::R8_G8_B8_A8);
    EXPECT_EQ(Font()->mFaceName, "Sans");
    EXPECT_EQ(Font()->mSize, 10.0f);
    auto* display = dynamic_cast<Testing::FakeTexture*>(texture->GetTextureObject());
    EXPECT_EQ(display->mSurfaces[0], mFontControl.mSurfaces[0].get());
    EXPECT_TRUE(display->IsInitialized());
}

TEST_F(FlatTextTextureTest, DrawsOnceAfterEachChangeAndQueuesTheTextureForUpdate)
{
    FlatTextTexture* texture = TextTexture("w='64' h='16' text='Hi&#10;there' horizontalTextAlignment='LEFT' "
                                           "textColor='1, 0, 0, 1'");
    ASSERT_NE(texture, nullptr);
    EXPECT_EQ(Frame(), 1u);
    ASSERT_EQ(Font()->mDrawings.size(), 1u);
    const Testing::FakeSystemFont::Drawing& first = Font()->mDrawings[0];
    EXPECT_EQ(first.text, "Hi\nthere");
    EXPECT_EQ(first.alignmentX, Enums::TextAlignmentX::LEFT);
    EXPECT_EQ(first.alignmentY, Enums::TextAlignmentY::CENTER);
    EXPECT_EQ(first.textColor[1], 0.0f);
    EXPECT_EQ(first.surface, mFontControl.mSurfaces[0].get());

    texture->SetText(String("Hi\nthere"));
    texture->SetHorizontalTextAlignment(Enums::TextAlignmentX::LEFT);
    EXPECT_EQ(Frame(), 0u);
    EXPECT_EQ(Font()->mDrawings.size(), 1u);

    texture->SetText(String("Bye"));
    texture->SetVerticalTextAlignment(Enums::TextAlignmentY::BASE_LINE);
    EXPECT_EQ(Frame(), 1u);
    ASSERT_EQ(Font()->mDrawings.size(), 2u);
    EXPECT_EQ(Font()->mDrawings[1].text, "Bye");
    EXPECT_EQ(Font()->mDrawings[1].alignmentY, Enums::TextAlignmentY::BASE_LINE);

    texture->SetMagFilter(Enums::TextureFilter::NEAREST);
    EXPECT_EQ(Frame(), 0u);
    EXPECT_EQ(dynamic_cast<Testing::FakeTexture*>(texture->GetTextureObject())->mMagFilter,
              Enums::TextureFilter::NEAREST);
}

TEST_F(FlatTextTextureTest, AFailedDrawingLogsAndMarksNothingChanged)
{
    FlatTextTexture* texture = TextTexture("w='64' h='16' text='A'");
    ASSERT_NE(texture, nullptr);
    EXPECT_EQ(Frame(), 1u);
    Font()->mFailDrawing = true;
    texture->SetText(String("B"));
    ::testing::internal::CaptureStderr();
    EXPECT_EQ(Frame(), 0u);
    EXPECT_NE(::testing::internal::GetCapturedStderr().find(
                  "Graph::FlatTextTexture::PrepareOutputSelf(t): Failed to draw text"),
              std::string::npos);
    EXPECT_EQ(dynamic_cast<Testing::FakeTexture*>(texture->GetTextureObject())->mModifiedCount, 1u);
}

TEST_F(FlatTextTextureTest, DeInitGivesBackFontSurfaceAndTexture)
{
    ASSERT_NE(TextTexture("w='64' h='16'"), nullptr);
    ASSERT_TRUE(DeInit());
    EXPECT_TRUE(mFontControl.mFonts.empty());
    EXPECT_TRUE(mFontControl.mSurfaces.empty());
    EXPECT_TRUE(mDisplay.mLiveObjects.empty());
}

} // namespace
} // namespace Graph
} // namespace Vorn
