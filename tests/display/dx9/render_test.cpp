#include <gtest/gtest.h>

#include "tests/display/dx9/renderer_fixture.h"

namespace Vorn {
namespace {

using Testing::FakeDisplaySurface;
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

// A perspective projection as the scene graph's camera makes it: looking along -z, clip z from
// -1 at the near plane to 1 at the far plane.
Math::Matrix<float> Perspective(Float focal, Float aspect, Float nearZ, Float farZ)
{
    Math::Matrix<float> m = Math::Matrix<float>::Zero();
    m.Set(0, 0, focal / aspect);
    m.Set(1, 1, focal);
    m.Set(2, 2, (farZ + nearZ) / (nearZ - farZ));
    m.Set(2, 3, 2.0f * farZ * nearZ / (nearZ - farZ));
    m.Set(3, 2, -1.0f);
    return m;
}

Math::Matrix<float> Translation(Float x, Float y, Float z)
{
    Math::Matrix<float> m;
    m.SetTranslation(x, y, z);
    return m;
}

const Float kBlack[4] = {0.0f, 0.0f, 0.0f, 1.0f};
const Float kWhite[4] = {1.0f, 1.0f, 1.0f, 1.0f};

class TexturedPlaneTest : public Testing::RendererFixture
{
protected:
    // Draws a 2 x 2 texture on the plane (-1, -1)-(1, 1) seen from z = 3 with a focal length of
    // 1.5: it covers x 40 to 88 and y 24 to 72 of the 128 x 96 frame.
    // Blended over the black clear colour, a texel shows its colour times its alpha.
    void DrawThroughPerspective(FakeDisplaySurface& surface, Bool nameSlots = true, Bool blend = false)
    {
        Display::Dx9::Camera* camera = MakeCamera(kBlack);
        camera->SetProjection(Perspective(1.5f, Float(kWidth) / Float(kHeight), 1.0f, 10.0f), false);
        Display::Dx9::Texture* texture = MakeTexture(surface);
        ASSERT_TRUE(texture->Init());
        Display::Dx9::Material* material = MakeMaterial(MakeProgram(false, false, true), blend);
        const PlaneData plane(-1.0f, -1.0f, 1.0f, 1.0f, 0.0f);
        Display::Dx9::Drawable* drawable = MakePlane(plane, nameSlots);
        RenderFrame([&]() {
            mRenderer->SelectFrameBuffer(nullptr);
            mRenderer->AddView(camera, Translation(0.0f, 0.0f, 3.0f));
            Enqueue(drawable, material, nullptr, texture);
        });
    }

    void ExpectQuadrants(const Rgb& topLeft, const Rgb& topRight, const Rgb& bottomLeft, const Rgb& bottomRight)
    {
        EXPECT_TRUE(Near(Pixel(52, 36), topLeft));
        EXPECT_TRUE(Near(Pixel(76, 36), topRight));
        EXPECT_TRUE(Near(Pixel(52, 60), bottomLeft));
        EXPECT_TRUE(Near(Pixel(76, 60), bottomRight));
        // Just outside the projected edges the clear colour stays.
        for (const auto& p : {std::make_pair(38u, 48u), {89u, 48u}, {64u, 22u}, {64u, 73u}})
            EXPECT_TRUE(Near(Pixel(p.first, p.second), Rgb{0, 0, 0})) << p.first << ", " << p.second;
    }
};

TEST_F(TexturedPlaneTest, RgbaTexture)
{
    FakeDisplaySurface surface(Enums::PixelFormat::R8_G8_B8_A8, 2, 2,
                               {255, 0, 0, 255, 0, 255, 0, 255, 0, 0, 255, 255, 255, 255, 255, 255});
    DrawThroughPerspective(surface);
    ExpectQuadrants({255, 0, 0}, {0, 255, 0}, {0, 0, 255}, {255, 255, 255});
    // The upload swapped a copy: the surface itself is untouched, unlocked and alone.
    EXPECT_EQ(static_cast<const UInt8*>(surface.GetPixels(0))[0], 255);
    EXPECT_EQ(surface.GetCounts().locks, 0);
    EXPECT_EQ(surface.GetCounts().liveClones, 0);
}

// The graph's planes, plane sequences and texts never name a texture slot: their shared index
// buffer must still draw the texture bound at slot 0, not a bare quad.
TEST_F(TexturedPlaneTest, PlaneThatNamesNoSlotShowsTheTextureOfSlotZero)
{
    FakeDisplaySurface surface(Enums::PixelFormat::R8_G8_B8_A8, 2, 2,
                               {255, 0, 0, 255, 0, 255, 0, 255, 0, 0, 255, 255, 255, 255, 255, 255});
    DrawThroughPerspective(surface, false);
    ExpectQuadrants({255, 0, 0}, {0, 255, 0}, {0, 0, 255}, {255, 255, 255});
}

TEST_F(TexturedPlaneTest, RgbTextureThroughItsRgbaCopy)
{
    FakeDisplaySurface surface(Enums::PixelFormat::R8_G8_B8, 2, 2, {255, 0, 0, 0, 255, 0, 0, 0, 255, 255, 255, 255});
    DrawThroughPerspective(surface);
    ExpectQuadrants({255, 0, 0}, {0, 255, 0}, {0, 0, 255}, {255, 255, 255});
    EXPECT_EQ(surface.GetCounts().clonesMade, 1);
    EXPECT_EQ(surface.GetCounts().liveClones, 0);
}

TEST_F(TexturedPlaneTest, LuminanceAlphaTexture)
{
    // Sixteen-bit pixels, low byte first: alpha in the low byte, luminance in the high one.
    FakeDisplaySurface surface(Enums::PixelFormat::L8_A8, 2, 2, {255, 255, 255, 64, 255, 128, 255, 0});
    DrawThroughPerspective(surface);
    ExpectQuadrants({255, 255, 255}, {64, 64, 64}, {128, 128, 128}, {0, 0, 0});
}

TEST_F(TexturedPlaneTest, SixteenBitRgbaTexturesKeepTheirColoursAndAlpha)
{
    // The engine keeps alpha in the low bits of a pixel (low byte first), Direct3D in the high
    // ones. Blended over black: red, half green, transparent blue, and white (half in 4 bits).
    struct Case
    {
        Enums::PixelFormat format;
        std::vector<UInt8> pixels;
        Rgb bottomRight;
    };
    const Case cases[] = {
        {Enums::PixelFormat::R5_G5_B5_A1, {0x01, 0xF8, 0x01, 0x04, 0x3E, 0x00, 0xFF, 0xFF}, {255, 255, 255}},
        {Enums::PixelFormat::R4_G4_B4_A4, {0x0F, 0xF0, 0x0F, 0x08, 0xF0, 0x00, 0xF8, 0xFF}, {136, 136, 136}},
    };
    for (const Case& test : cases) {
        SCOPED_TRACE(int(Enums::Value(test.format)));
        FakeDisplaySurface surface(test.format, 2, 2, test.pixels);
        DrawThroughPerspective(surface, true, true);
        const UInt8 halfGreen = test.format == Enums::PixelFormat::R5_G5_B5_A1 ? 132 : 136;
        ExpectQuadrants({255, 0, 0}, {0, halfGreen, 0}, {0, 0, 0}, test.bottomRight);
        // Turned in a copy: the surface itself keeps the engine's layout.
        EXPECT_EQ(static_cast<const UInt8*>(surface.GetPixels(0))[0], test.pixels[0]);
        EXPECT_EQ(surface.GetCounts().liveClones, 0);
    }
}

class ShadingTest : public Testing::RendererFixture
{
protected:
    // A full-frame plane of the program with the diffuse colour (0.8, 0.4, 0.2), lit by a white
    // light at the position when one is given; the colour at the centre.
    Rgb Shade(Bool lighting, const Math::Vector<float>* lightPosition)
    {
        Display::Dx9::Camera* camera = MakeCamera(kBlack);
        const Float diffuse[4] = {0.8f, 0.4f, 0.2f, 1.0f};
        Display::Dx9::Parameters* parameters = MakeParameters(diffuse);
        Display::Dx9::Material* material = MakeMaterial(MakeProgram(true, lighting, false));
        auto* light = Make<Display::Dx9::Light>("Light");
        light->SetColor(0, kBlack);
        light->Init();
        const PlaneData plane(-1.0f, -1.0f, 1.0f, 1.0f, 0.0f);
        Display::Dx9::Drawable* drawable = MakePlane(plane);
        RenderFrame([&]() {
            mRenderer->SelectFrameBuffer(nullptr);
            mRenderer->AddView(camera, Math::Matrix<float>());
            if (lightPosition != nullptr)
                mRenderer->AddLight(light, Translation(lightPosition->x, lightPosition->y, lightPosition->z));
            Enqueue(drawable, material, parameters, nullptr);
        });
        return Pixel(kWidth / 2, kHeight / 2);
    }
};

TEST_F(ShadingTest, ColoringGivesTheDiffuseColourFlat)
{
    EXPECT_TRUE(Near(Shade(false, nullptr), Rgb{204, 102, 51}));
}

TEST_F(ShadingTest, LightingScalesTheDiffuseColourByTheLightDirection)
{
    // The light shines from its position towards the camera: straight onto the plane, then at 45
    // degrees.
    const Math::Vector<float> above(0.0f, 0.0f, 1.0f, 1.0f);
    EXPECT_TRUE(Near(Shade(true, &above), Rgb{204, 102, 51}));
    DestroyObjects();
    const Math::Vector<float> aside(1.0f, 0.0f, 1.0f, 1.0f);
    EXPECT_TRUE(Near(Shade(true, &aside), Rgb{144, 72, 36}));
}

class FrameBufferTest : public Testing::RendererFixture, public ::testing::WithParamInterface<Enums::DepthBufferFormat>
{
};

TEST_P(FrameBufferTest, TargetDrawnFirstIsShownUpright)
{
    Display::Dx9::Texture* target = MakeTarget(64);
    ASSERT_NE(target, nullptr);
    auto* frameBuffer = Make<Display::Dx9::FrameBuffer>("FrameBuffer");
    frameBuffer->SetTargetTexture(target);
    frameBuffer->SetDepthBufferFormat(GetParam());
    ASSERT_TRUE(frameBuffer->Init());
    ASSERT_NE(frameBuffer->GetDepthSurface(), nullptr);
    D3DSURFACE_DESC depth;
    ASSERT_TRUE(SUCCEEDED(frameBuffer->GetDepthSurface()->GetDesc(&depth)));
    EXPECT_EQ(depth.Format, GetParam() == Enums::DepthBufferFormat::BITS_24 ? D3DFMT_D24X8 : D3DFMT_D16);
    EXPECT_EQ(depth.Width, 64u);

    // Into the target: blue, with a red plane over its upper half.
    const Float blue[4] = {0.0f, 0.0f, 1.0f, 1.0f};
    const Float red[4] = {1.0f, 0.0f, 0.0f, 1.0f};
    Display::Dx9::Camera* targetCamera = MakeCamera(blue, 64, 64);
    Display::Dx9::Material* colored = MakeMaterial(MakeProgram(true, false, false));
    Display::Dx9::Parameters* redParameters = MakeParameters(red);
    const PlaneData upperHalf(-1.0f, 0.0f, 1.0f, 1.0f, 0.0f);
    Display::Dx9::Drawable* redPlane = MakePlane(upperHalf);
    const auto screen = ShowOnScreen(target);

    RenderFrame([&]() {
        screen();
        mRenderer->SelectFrameBuffer(frameBuffer);
        mRenderer->AddView(targetCamera, Math::Matrix<float>());
        Enqueue(redPlane, colored, redParameters, nullptr);
        EXPECT_EQ(mRenderer->GetCurrentFrameBuffer(), frameBuffer);
    });
    EXPECT_TRUE(Near(Pixel(kWidth / 2, kHeight / 4), Rgb{255, 0, 0}));
    EXPECT_TRUE(Near(Pixel(kWidth / 2, 3 * kHeight / 4), Rgb{0, 0, 255}));
}

INSTANTIATE_TEST_SUITE_P(DepthFormats, FrameBufferTest,
                         ::testing::Values(Enums::DepthBufferFormat::BITS_16, Enums::DepthBufferFormat::BITS_24));

class BlendingTest : public Testing::RendererFixture
{
};

TEST_F(BlendingTest, HalfBlueOverOpaqueRedGivesTheMix)
{
    Display::Dx9::Camera* camera = MakeCamera(kBlack);
    const Float red[4] = {1.0f, 0.0f, 0.0f, 1.0f};
    const Float halfBlue[4] = {0.0f, 0.0f, 1.0f, 0.5f};
    Display::Dx9::FixedProgram* program = MakeProgram(true, false, false);
    Display::Dx9::Material* opaque = MakeMaterial(program);
    Display::Dx9::Material* blended = MakeMaterial(program, true);
    Display::Dx9::Parameters* redParameters = MakeParameters(red);
    Display::Dx9::Parameters* blueParameters = MakeParameters(halfBlue);
    const PlaneData back(-1.0f, -1.0f, 1.0f, 1.0f, 0.0f);
    const PlaneData front(-1.0f, -1.0f, 1.0f, 1.0f, 0.5f);
    Display::Dx9::Drawable* backPlane = MakePlane(back);
    Display::Dx9::Drawable* frontPlane = MakePlane(front);
    RenderFrame([&]() {
        mRenderer->SelectFrameBuffer(nullptr);
        mRenderer->AddView(camera, Math::Matrix<float>());
        // Added first, drawn after the opaque one.
        Enqueue(frontPlane, blended, blueParameters, nullptr);
        Enqueue(backPlane, opaque, redParameters, nullptr);
    });
    EXPECT_TRUE(Near(Pixel(kWidth / 2, kHeight / 2), Rgb{128, 0, 128}));
}

TEST_F(BlendingTest, BlendedPlanesCompositeInSortDepthOrder)
{
    Display::Dx9::Camera* camera = MakeCamera(kBlack);
    const Float halfGreen[4] = {0.0f, 1.0f, 0.0f, 0.5f};
    const Float halfBlue[4] = {0.0f, 0.0f, 1.0f, 0.5f};
    Display::Dx9::Material* blended = MakeMaterial(MakeProgram(true, false, false), true);
    Display::Dx9::Parameters* greenParameters = MakeParameters(halfGreen);
    Display::Dx9::Parameters* blueParameters = MakeParameters(halfBlue);
    const PlaneData plane(-1.0f, -1.0f, 1.0f, 1.0f, 0.0f);
    Display::Dx9::Drawable* green = MakePlane(plane);
    Display::Dx9::Drawable* blue = MakePlane(plane);
    RenderFrame([&]() {
        mRenderer->SelectFrameBuffer(nullptr);
        mRenderer->AddView(camera, Math::Matrix<float>());
        // Sorted by world z: the green plane (z -0.5) first, the blue one (z 0.5) over it.
        Enqueue(blue, blended, blueParameters, nullptr, Translation(0.0f, 0.0f, 0.5f));
        Enqueue(green, blended, greenParameters, nullptr, Translation(0.0f, 0.0f, -0.5f));
    });
    EXPECT_TRUE(Near(Pixel(kWidth / 2, kHeight / 2), Rgb{0, 64, 128}));
}

class OrderTest : public Testing::RendererFixture
{
};

TEST_F(OrderTest, ViewsByDepthOrderThenInTheOrderAdded)
{
    const Float red[4] = {1, 0, 0, 1};
    const Float green[4] = {0, 1, 0, 1};
    const Float blue[4] = {0, 0, 1, 1};
    Display::Dx9::Camera* last = MakeCamera(red);
    last->SetDepthOrder(5);
    Display::Dx9::Camera* first = MakeCamera(green);
    Display::Dx9::Camera* second = MakeCamera(blue);
    // The right half only: red is drawn last over the left half alone.
    last->SetMask(0, kWidth / 2, 0, kHeight);
    RenderFrame([&]() {
        mRenderer->SelectFrameBuffer(nullptr);
        mRenderer->AddView(last, Math::Matrix<float>());
        mRenderer->AddView(first, Math::Matrix<float>());
        mRenderer->AddView(second, Math::Matrix<float>());
    });
    EXPECT_TRUE(Near(Pixel(10, 10), Rgb{255, 0, 0}));
    EXPECT_TRUE(Near(Pixel(kWidth - 10, 10), Rgb{0, 0, 255}));
}

TEST_F(OrderTest, FrameBufferLayersAreDrawnBeforeTheScreenInTheOrderSelected)
{
    Display::Dx9::Texture* target = MakeTarget(64);
    ASSERT_NE(target, nullptr);
    Display::Dx9::FrameBuffer* layers[2];
    for (auto*& layer : layers) {
        layer = Make<Display::Dx9::FrameBuffer>("FrameBuffer");
        layer->SetTargetTexture(target);
        ASSERT_TRUE(layer->Init());
    }
    const Float red[4] = {1, 0, 0, 1};
    const Float green[4] = {0, 1, 0, 1};
    Display::Dx9::Camera* redCamera = MakeCamera(red, 64, 64);
    Display::Dx9::Camera* greenCamera = MakeCamera(green, 64, 64);
    const auto screen = ShowOnScreen(target);
    RenderFrame([&]() {
        screen();
        mRenderer->SelectFrameBuffer(layers[0]);
        mRenderer->AddView(redCamera, Math::Matrix<float>());
        mRenderer->SelectFrameBuffer(layers[1]);
        mRenderer->AddView(greenCamera, Math::Matrix<float>());
        // Selecting a layer again returns to it.
        mRenderer->SelectFrameBuffer(layers[0]);
        EXPECT_EQ(mRenderer->GetCurrentView(), redCamera);
    });
    EXPECT_TRUE(Near(Pixel(kWidth / 2, kHeight / 2), Rgb{0, 255, 0}));
}

} // namespace
} // namespace Vorn
