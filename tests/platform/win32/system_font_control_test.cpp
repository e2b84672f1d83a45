#include "platform/win32/system_font_control.h"

#include <gtest/gtest.h>

#include <vector>

namespace Vorn {
namespace {

class SystemFontControlTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        mControl.AddFontMapping("Helvetica", "Arial", 400, 1.15f, 0.7625f, 0.2375f, 0.0f);
        mControl.AddFontMapping("HelveticaBold", "Arial", 800, 1.15f, 0.7625f, 0.2375f, 0.0f);
    }

    // Rows of the surface that hold any coverage.
    static std::vector<bool> InkedRows(const IDisplaySurface& surface)
    {
        const UInt8* pixels = static_cast<const UInt8*>(surface.GetPixels(0));
        std::vector<bool> rows(surface.GetHeight(0), false);
        for (UInt32 y = 0; y < surface.GetHeight(0); ++y) {
            for (UInt32 x = 0; x < surface.GetWidth(0); ++x)
                rows[y] = rows[y] || pixels[y * surface.GetPitch(0) + x * 4 + 3] != 0;
        }
        return rows;
    }

    Win32::SystemFontControl mControl;
};

TEST_F(SystemFontControlTest, MetricsComeFromTheMappingFactors)
{
    ASSERT_EQ(mControl.GetNumberOfFonts(), 2u);
    EXPECT_STREQ(mControl.GetFontName(1).GetText(), "HelveticaBold");
    EXPECT_STREQ(mControl.GetFontName(2).GetText(), "");
    EXPECT_EQ(mControl.CreateSystemFont("Courier", 20.0f), nullptr);

    ISystemFont* created = mControl.CreateSystemFont("Helvetica", 20.0f);
    ASSERT_NE(created, nullptr);
    auto* font = static_cast<Win32::SystemFontControl::SystemFont*>(created);
    ASSERT_TRUE(font->UpdateMetrics());
    EXPECT_EQ(font->GetMetrics().mHeight, 22);
    EXPECT_EQ(font->GetMetrics().mAscent, 17);
    EXPECT_EQ(font->GetMetrics().mDescent, 5);
    EXPECT_EQ(font->GetMetrics().mSpacing, 0);
    font->SetSize(40.0f);
    ASSERT_TRUE(font->UpdateMetrics());
    EXPECT_EQ(font->GetMetrics().mHeight, 45); // 40 at the float nearest 1.15 is just below 46
    mControl.DestroySystemFont(created);
}

TEST_F(SystemFontControlTest, OnlyRgbaSurfacesOfACountableSizeAreMade)
{
    EXPECT_EQ(mControl.CreateSurface(Enums::PixelFormat::R8_G8_B8, 16, 16), nullptr);
    EXPECT_EQ(mControl.CreateSurface(Enums::PixelFormat::R8_G8_B8_A8, 0x40000000u, 1), nullptr);
    EXPECT_EQ(mControl.CreateSurface(Enums::PixelFormat::R8_G8_B8_A8, 65536, 65536), nullptr);
    IDisplaySurface* surface = mControl.CreateSurface(Enums::PixelFormat::R8_G8_B8_A8, 8, 4);
    ASSERT_NE(surface, nullptr);
    EXPECT_EQ(surface->GetPitch(0), 32u);
    EXPECT_EQ(surface->GetSize(0), 128u);
    EXPECT_EQ(surface->GetBytesPerPixel(), 4u);
    mControl.DestroySurface(surface);
}

TEST_F(SystemFontControlTest, WhiteOnTransparentGivesCoverageOnlyInTheLineBoxes)
{
    ISystemFont* font = mControl.CreateSystemFont("Helvetica", 20.0f);
    IDisplaySurface* surface = mControl.CreateSurface(Enums::PixelFormat::R8_G8_B8_A8, 200, 100);
    const Float white[4] = {1, 1, 1, 1};
    const Float clear[4] = {0, 0, 0, 0};
    ASSERT_TRUE(font->DrawText("Abc\nDef\nGhi", white, clear, 0, 0, Enums::TextAlignmentX::CENTER,
                               Enums::TextAlignmentY::CENTER, surface));

    // Three lines of 22 pixels centred in 100 start at 17 and end at 83.
    const std::vector<bool> rows = InkedRows(*surface);
    bool anyInk = false;
    for (UInt32 y = 0; y < rows.size(); ++y) {
        anyInk = anyInk || rows[y];
        if (y < 17 || y >= 83) {
            EXPECT_FALSE(rows[y]) << "row " << y;
        }
    }
    EXPECT_TRUE(anyInk);
    const UInt8* pixels = static_cast<const UInt8*>(surface->GetPixels(0));
    for (UInt32 i = 0; i < surface->GetSize(0); i += 4) {
        EXPECT_EQ(pixels[i], pixels[i + 3]);
        EXPECT_EQ(pixels[i + 1], pixels[i + 3]);
        EXPECT_EQ(pixels[i + 2], pixels[i + 3]);
    }
    mControl.DestroySurface(surface);
    mControl.DestroySystemFont(font);
}

TEST_F(SystemFontControlTest, BackgroundFillsWhereThereIsNoTextAndForeignSurfacesAreRefused)
{
    ISystemFont* font = mControl.CreateSystemFont("HelveticaBold", 12.0f);
    IDisplaySurface* surface = mControl.CreateSurface(Enums::PixelFormat::R8_G8_B8_A8, 4, 2);
    const Float red[4] = {1, 0, 0, 1};
    const Float blue[4] = {0, 0, 1, 1};
    // An empty text draws no line: every pixel is the background, at 255 · 255 >> 8.
    ASSERT_TRUE(font->DrawText("", red, blue, 0, 0, Enums::TextAlignmentX::LEFT, Enums::TextAlignmentY::TOP, surface));
    const UInt8* pixels = static_cast<const UInt8*>(surface->GetPixels(0));
    EXPECT_EQ(pixels[0], 0);
    EXPECT_EQ(pixels[2], 254);
    EXPECT_EQ(pixels[3], 254);

    Win32::SystemFontControl other;
    other.AddFontMapping("Helvetica", "Arial", 400, 1.15f, 0.7625f, 0.2375f, 0.0f);
    IDisplaySurface* foreign = other.CreateSurface(Enums::PixelFormat::R8_G8_B8_A8, 4, 2);
    mControl.DestroySurface(nullptr);
    EXPECT_TRUE(font->DrawText("x", red, blue, 0, 0, Enums::TextAlignmentX::LEFT, Enums::TextAlignmentY::TOP, foreign));
    EXPECT_FALSE(font->DrawText("x", red, blue, 0, 0, Enums::TextAlignmentX::LEFT, Enums::TextAlignmentY::TOP, nullptr));
    other.DestroySurface(foreign);
    mControl.DestroySurface(surface);
    mControl.DestroySystemFont(font);
}

} // namespace
} // namespace Vorn
