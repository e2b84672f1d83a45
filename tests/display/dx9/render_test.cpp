#include <gtest/gtest.h>

#include "tests/display/dx9/renderer_fixture.h"

namespace Vorn {
namespace {

using Testing::Near;
using Testing::PlaneData;
using Testing::Rgb;

class RenderTest : public Testing::RendererFixture
{
};

TEST_F(RenderTest, ClearedFrameHasTheCameraColour)
{
    const Float color[4] = {0.25f, 0.5f, 0.75f, 1.0f};
    Display::Dx9::Camera* camera = MakeCamera(color);
    RenderFrame([&]() {
        mRenderer->SelectFrameBuffer(nullptr);
        mRenderer->AddView(camera, Math::Matrix<float>());
    });
    for (UInt32 y : {0u, kHeight / 2, kHeight - 1})
        for (UInt32 x : {0u, kWidth / 2, kWidth - 1})
            EXPECT_TRUE(Near(Pixel(x, y), Rgb{63, 127, 191})) << x << ", " << y;
}

TEST_F(RenderTest, MaskedViewsSplitTheFrame)
{
    const Float red[4] = {1.0f, 0.0f, 0.0f, 1.0f};
    const Float green[4] = {0.0f, 1.0f, 0.0f, 1.0f};
    Display::Dx9::Camera* left = MakeCamera(red);
    left->SetMask(0, kWidth / 2, 0, kHeight);
    Display::Dx9::Camera* right = MakeCamera(green);
    right->SetMask(kWidth / 2, kWidth, 0, kHeight);
    RenderFrame([&]() {
        mRenderer->SelectFrameBuffer(nullptr);
        mRenderer->AddView(left, Math::Matrix<float>());
        mRenderer->AddView(right, Math::Matrix<float>());
    });
    EXPECT_TRUE(Near(Pixel(2, 10), Rgb{255, 0, 0}));
    EXPECT_TRUE(Near(Pixel(kWidth / 2 - 1, kHeight - 1), Rgb{255, 0, 0}));
    EXPECT_TRUE(Near(Pixel(kWidth / 2, 0), Rgb{0, 255, 0}));
    EXPECT_TRUE(Near(Pixel(kWidth - 1, kHeight / 2), Rgb{0, 255, 0}));
}

} // namespace
} // namespace Vorn
