#include <gtest/gtest.h>

#include <atomic>
#include <string>
#include <thread>

#include "tests/display/dx9/renderer_fixture.h"
#include "tests/support/fake_display_interface.h"

namespace Vorn {
namespace {

using Testing::FakeDisplaySurface;
using Testing::Near;
using Testing::PlaneData;
using Testing::Rgb;

const Float kBlack[4] = {0.0f, 0.0f, 0.0f, 1.0f};

class RendererTest : public Testing::RendererFixture
{
protected:
    // Four views clearing the quadrants: red top left, green top right, blue bottom left, white
    // bottom right; not presented, so the back buffer still holds them.
    void DrawQuadrants()
    {
        const Float colors[4][4] = {{1, 0, 0, 1}, {0, 1, 0, 1}, {0, 0, 1, 1}, {1, 1, 1, 1}};
        const SInt32 masks[4][4] = {{0, 64, 48, 96}, {64, 128, 48, 96}, {0, 64, 0, 48}, {64, 128, 0, 48}};
        Display::Dx9::Camera* cameras[4];
        for (UInt32 i = 0; i < 4; ++i) {
            cameras[i] = MakeCamera(colors[i]);
            cameras[i]->SetMask(masks[i][0], masks[i][1], masks[i][2], masks[i][3]);
        }
        Draw([&]() {
            mRenderer->SelectFrameBuffer(nullptr);
            for (Display::Dx9::Camera* camera : cameras)
                mRenderer->AddView(camera, Math::Matrix<float>());
        });
    }
};

TEST_F(RendererTest, ScreenshotMatchesTheBackBuffer)
{
    DrawQuadrants();
    ASSERT_TRUE(Capture());
    IDirect3DSurface9* backBuffer = nullptr;
    ASSERT_TRUE(SUCCEEDED(mInterface->GetSwapChain()->GetBackBuffer(0, D3DBACKBUFFER_TYPE_MONO, &backBuffer)));
    D3DSURFACE_DESC description;
    backBuffer->GetDesc(&description);
    IDirect3DSurface9* copy = nullptr;
    ASSERT_TRUE(SUCCEEDED(mRenderer->GetDevice()->CreateOffscreenPlainSurface(
        description.Width, description.Height, description.Format, D3DPOOL_SYSTEMMEM, &copy, nullptr)));
    ASSERT_TRUE(SUCCEEDED(mRenderer->GetDevice()->GetRenderTargetData(backBuffer, copy)));
    D3DLOCKED_RECT locked;
    ASSERT_TRUE(SUCCEEDED(copy->LockRect(&locked, nullptr, D3DLOCK_READONLY)));
    for (const auto& p : {std::make_pair(16u, 12u), {112u, 12u}, {16u, 84u}, {112u, 84u}}) {
        const UInt8* bgra = static_cast<const UInt8*>(locked.pBits) + p.second * locked.Pitch + p.first * 4;
        EXPECT_TRUE(Near(Pixel(p.first, p.second), Rgb{bgra[2], bgra[1], bgra[0]}, 0));
    }
    copy->UnlockRect();
    copy->Release();
    backBuffer->Release();
    EXPECT_TRUE(Near(Pixel(16, 12), Rgb{255, 0, 0}));
    EXPECT_TRUE(Near(Pixel(112, 84), Rgb{255, 255, 255}));
}

TEST_F(RendererTest, ScreenshotTurnsByOrientation)
{
    DrawQuadrants();
    const Rgb red{255, 0, 0}, green{0, 255, 0}, blue{0, 0, 255};
    const struct
    {
        Enums::OrientationFlags orientation;
        UInt32 width, height;
        // Where the top-left, top-right and bottom-left samples land.
        UInt32 at[3][2];
    } cases[] = {
        {Enums::OrientationFlags::NORMAL, 128, 96, {{16, 12}, {112, 12}, {16, 84}}},
        {Enums::OrientationFlags::FLIP, 128, 96, {{111, 12}, {15, 12}, {111, 84}}},
        {Enums::OrientationFlags::ROTATE_CCW, 96, 128, {{12, 16}, {12, 112}, {84, 16}}},
        {Enums::OrientationFlags::ROTATE_CW, 96, 128, {{83, 111}, {83, 15}, {11, 111}}},
    };
    for (const auto& c : cases) {
        FakeDisplaySurface surface(Enums::PixelFormat::R8_G8_B8_A8, c.width, c.height,
                                   std::vector<UInt8>(c.width * c.height * 4));
        ASSERT_TRUE(mRenderer->TakeScreenshot(&surface, c.orientation)) << Enums::Value(c.orientation);
        const Rgb expected[3] = {red, green, blue};
        for (UInt32 i = 0; i < 3; ++i) {
            const UInt8* p = static_cast<const UInt8*>(surface.GetPixels(0)) + (c.at[i][1] * c.width + c.at[i][0]) * 4;
            EXPECT_TRUE(Near(Rgb{p[0], p[1], p[2]}, expected[i])) << Enums::Value(c.orientation) << " " << i;
            EXPECT_EQ(p[3], 255);
        }
    }
}

TEST_F(RendererTest, ScreenshotRefusesOtherFormatsAndSizes)
{
    DrawQuadrants();
    const struct
    {
        Enums::PixelFormat format;
        UInt32 width, height;
        Enums::OrientationFlags orientation;
        const char* log;
    } cases[] = {
        {Enums::PixelFormat::R8_G8_B8, 128, 96, Enums::OrientationFlags::NORMAL,
         "Display::Dx9::Renderer::TakeScreenshot(): Output surface pixel format not supported, must be R8_G8_B8_A8\n"},
        {Enums::PixelFormat::R8_G8_B8_A8, 96, 128, Enums::OrientationFlags::NORMAL,
         "Display::Dx9::Renderer::TakeScreenshot(): Output surface dimensions do not match renderer dimensions\n"},
        {Enums::PixelFormat::R8_G8_B8_A8, 128, 96, Enums::OrientationFlags::ROTATE_CW,
         "Display::Dx9::Renderer::TakeScreenshot(): Output surface dimensions do not match renderer dimensions\n"},
    };
    for (const auto& c : cases) {
        FakeDisplaySurface surface(c.format, c.width, c.height, std::vector<UInt8>(c.width * c.height * 4, 7));
        ::testing::internal::CaptureStderr();
        EXPECT_FALSE(mRenderer->TakeScreenshot(&surface, c.orientation));
        EXPECT_EQ(::testing::internal::GetCapturedStderr(), c.log);
        EXPECT_EQ(static_cast<const UInt8*>(surface.GetPixels(0))[0], 7);
    }
}

TEST_F(RendererTest, StateCacheSkipsRepeatedMaterialProgramAndTexture)
{
    FakeDisplaySurface surface(Enums::PixelFormat::R8_G8_B8_A8, 2, 2, std::vector<UInt8>(16, 255));
    Display::Dx9::Texture* texture = MakeTexture(surface);
    ASSERT_TRUE(texture->Init());
    Display::Dx9::FixedProgram* program = MakeProgram(false, false, true);
    Display::Dx9::Material* material = MakeMaterial(program);
    const Float white[4] = {1, 1, 1, 1};
    Display::Dx9::Parameters* parameters = MakeParameters(white);
    Display::Dx9::State& state = *mRenderer->GetState();
    IDirect3DDevice9* device = mRenderer->GetDevice();
    DWORD value = 0;

    state.Reset();
    parameters->Apply(state);
    ASSERT_TRUE(material->Apply(state));
    EXPECT_EQ(state.mMaterial, material);
    EXPECT_EQ(state.mProgram, program);
    // Changed behind the cache's back: a second apply of the same material and program leaves
    // the cull mode and the texture stage alone but sets the lighting states again.
    device->SetRenderState(D3DRS_CULLMODE, D3DCULL_NONE);
    device->SetRenderState(D3DRS_LIGHTING, FALSE);
    device->SetTextureStageState(0, D3DTSS_COLOROP, D3DTOP_ADD);
    ASSERT_TRUE(material->Apply(state));
    device->GetRenderState(D3DRS_CULLMODE, &value);
    EXPECT_EQ(value, DWORD(D3DCULL_NONE));
    device->GetRenderState(D3DRS_LIGHTING, &value);
    EXPECT_EQ(value, DWORD(TRUE));
    device->GetTextureStageState(0, D3DTSS_COLOROP, &value);
    EXPECT_EQ(value, DWORD(D3DTOP_ADD));

    ASSERT_TRUE(texture->Apply(0, state));
    EXPECT_EQ(state.mTextures[0], texture);
    device->SetTexture(0, nullptr);
    texture->Apply(0, state);
    IDirect3DBaseTexture9* bound = nullptr;
    device->GetTexture(0, &bound);
    EXPECT_EQ(bound, nullptr);

    // A new view binds again.
    state.Reset();
    texture->Apply(0, state);
    device->GetTexture(0, &bound);
    EXPECT_EQ(bound, texture->GetDxTexture());
    if (bound != nullptr)
        bound->Release();
    material->Apply(state);
    device->GetRenderState(D3DRS_CULLMODE, &value);
    EXPECT_EQ(value, DWORD(D3DCULL_CW));
}

TEST_F(RendererTest, FixedProgramStagesFollowItsSwitches)
{
    IDirect3DDevice9* device = mRenderer->GetDevice();
    Display::Dx9::State& state = *mRenderer->GetState();
    const Float diffuse[4] = {0.5f, 0.25f, 1.0f, 1.0f};
    Display::Dx9::Parameters* parameters = MakeParameters(diffuse);
    const struct
    {
        Bool coloring, unit0, unit1;
        DWORD stage0, stage1;
        Float materialRed;
    } cases[] = {
        {false, false, false, D3DTOP_DISABLE, D3DTOP_DISABLE, 1.0f},
        {true, false, true, D3DTOP_DISABLE, D3DTOP_MODULATE, 0.5f},
        {false, true, false, D3DTOP_MODULATE, D3DTOP_DISABLE, 1.0f},
    };
    for (const auto& c : cases) {
        Display::Dx9::FixedProgram* program = MakeProgram(c.coloring, false, c.unit0);
        program->SetTextureUnitEnabled(1, c.unit1);
        state.Reset();
        parameters->Apply(state);
        ASSERT_TRUE(program->Apply(state));
        DWORD value = 0;
        device->GetTextureStageState(0, D3DTSS_COLOROP, &value);
        EXPECT_EQ(value, c.stage0);
        device->GetTextureStageState(1, D3DTSS_COLOROP, &value);
        EXPECT_EQ(value, c.stage1);
        device->GetRenderState(D3DRS_AMBIENT, &value);
        EXPECT_EQ(value, 0xFFFFFFFFu);
        D3DMATERIAL9 material;
        device->GetMaterial(&material);
        EXPECT_EQ(material.Ambient.r, c.materialRed);
        EXPECT_EQ(material.Diffuse.r, c.materialRed);
        EXPECT_EQ(material.Emissive.r, 0.0f);
    }
}

TEST_F(RendererTest, RefusedTexturesLeaveTheSurfaceUnlockedWithoutCopies)
{
    const std::string prefix = "Display::Dx9::Texture::CreateDxResources(): ";
    const struct
    {
        Enums::PixelFormat format;
        UInt32 width, height;
        Bool renderTarget, failLocks, refuseClones;
        std::string log;
    } cases[] = {
        {Enums::PixelFormat::R8_G8_B8_A8, 2, 2, true, false, false,
         prefix + "Cannot initialize render target from resource surface\n"},
        {Enums::PixelFormat::RGB_PVRTC_4BPPV1, 2, 2, false, false, false, prefix + "Compressed formats not supported\n"},
        {Enums::PixelFormat(0), 2, 2, false, false, false, prefix + "Failed to get DX pixel format for input format 0\n"},
        {Enums::PixelFormat::R8_G8_B8_A8, 2, 2, false, false, true, prefix + "Failed to create compatible surface\n"},
        {Enums::PixelFormat::R8_G8_B8, 2, 2, false, true, false,
         "Display::Dx9::Texture::PrepareCompatibleSurface(): Failed to create decoded surface data\n" + prefix +
             "Failed to prepare compatible surface\n"},
        {Enums::PixelFormat::R8_G8_B8_A8, 100, 64, false, false, false,
         prefix + "Failed; mip level 0 has non-power-of-two dimensions (100/64)\n"},
    };
    for (const auto& c : cases) {
        FakeDisplaySurface surface(c.format, c.width, c.height, std::vector<UInt8>(c.width * c.height * 4));
        surface.mFailLocks = c.failLocks;
        surface.mRefuseClones = c.refuseClones;
        Display::Dx9::Texture* texture = MakeTexture(surface);
        texture->SetRenderTarget(c.renderTarget);
        ::testing::internal::CaptureStderr();
        EXPECT_FALSE(texture->Init());
        EXPECT_EQ(::testing::internal::GetCapturedStderr(), c.log);
        EXPECT_EQ(surface.GetCounts().locks, 0) << c.log;
        EXPECT_EQ(surface.GetCounts().liveClones, 0) << c.log;
        EXPECT_EQ(texture->GetDxTexture(), nullptr) << c.log;
        EXPECT_FALSE(texture->HasDxResources());
    }
}

TEST_F(RendererTest, MipLevelsOfAPowerOfTwoImageAllUpload)
{
    FakeDisplaySurface surface(Enums::PixelFormat::R8_G8_B8_A8, 4, 4, std::vector<UInt8>(64, 200), 3);
    Display::Dx9::Texture* texture = MakeTexture(surface);
    texture->SetMipMaps(true);
    ASSERT_TRUE(texture->Init());
    EXPECT_EQ(texture->GetDxTexture()->GetLevelCount(), 3u);
    // Modified: uploaded again from the surface at the next update.
    texture->SetModified(0);
    EXPECT_TRUE(texture->Update());
    EXPECT_EQ(surface.GetCounts().locks, 0);
    EXPECT_EQ(surface.GetCounts().liveClones, 0);
    EXPECT_EQ(surface.GetCounts().clonesMade, 2);
}

TEST_F(RendererTest, MaterialWithoutProgramIsSkippedWithALine)
{
    Display::Dx9::Camera* camera = MakeCamera(kBlack);
    auto* material = Make<Display::Dx9::Material>("Material");
    const PlaneData plane(-1.0f, -1.0f, 1.0f, 1.0f, 0.0f);
    Display::Dx9::Drawable* drawable = MakePlane(plane);
    ::testing::internal::CaptureStderr();
    RenderFrame([&]() {
        mRenderer->SelectFrameBuffer(nullptr);
        mRenderer->AddView(camera, Math::Matrix<float>());
        Enqueue(drawable, material, nullptr, nullptr);
    });
    EXPECT_EQ(::testing::internal::GetCapturedStderr(),
              "Display::Dx9::Renderer::AddDrawable(): Material in slot 0 has no program\n");
    EXPECT_TRUE(Near(Pixel(kWidth / 2, kHeight / 2), Rgb{0, 0, 0}));
}

TEST_F(RendererTest, NothingIsDrawnWithoutALayerOrView)
{
    Display::Dx9::Camera* camera = MakeCamera(kBlack);
    const PlaneData plane(-1.0f, -1.0f, 1.0f, 1.0f, 0.0f);
    Display::Dx9::Drawable* drawable = MakePlane(plane);
    mRenderer->BeginFrame();
    mRenderer->AddView(camera, Math::Matrix<float>());
    mRenderer->AddDrawable(drawable, Math::Matrix<float>(), nullptr, 0);
    EXPECT_EQ(mRenderer->GetCurrentView(), nullptr);
    mRenderer->SelectFrameBuffer(nullptr);
    mRenderer->AddDrawable(drawable, Math::Matrix<float>(), nullptr, 0);
    EXPECT_EQ(mRenderer->GetCurrentView(), nullptr);
    EXPECT_EQ(mRenderer->GetCurrentLight(), nullptr);
    EXPECT_TRUE(mRenderer->Render());
}

TEST_F(RendererTest, SteadySceneKeepsItsRecords)
{
    Display::Dx9::Camera* camera = MakeCamera(kBlack);
    const Float red[4] = {1, 0, 0, 1};
    Display::Dx9::Material* material = MakeMaterial(MakeProgram(true, true, false));
    Display::Dx9::Parameters* parameters = MakeParameters(red);
    auto* light = Make<Display::Dx9::Light>("Light");
    const PlaneData plane(-1.0f, -1.0f, 1.0f, 1.0f, 0.0f);
    Display::Dx9::Drawable* drawables[3] = {MakePlane(plane), MakePlane(plane), MakePlane(plane)};
    const auto fill = [&]() {
        mRenderer->SelectFrameBuffer(nullptr);
        mRenderer->AddView(camera, Math::Matrix<float>());
        mRenderer->AddLight(light, Math::Matrix<float>());
        for (Display::Dx9::Drawable* drawable : drawables)
            Enqueue(drawable, material, parameters, nullptr);
    };
    RenderFrame(fill);
    const UInt32 records = mRenderer->GetNumberOfRecords();
    EXPECT_GE(records, 7u);
    for (int frame = 0; frame < 100; ++frame) {
        mRenderer->BeginFrame();
        fill();
        mRenderer->ProcessObjects();
        mRenderer->Render();
    }
    EXPECT_EQ(mRenderer->GetNumberOfRecords(), records);
}


class FrameBufferBindingTest : public Testing::RendererFixture
{
};

TEST_F(FrameBufferBindingTest, BindsOnlyTargetZeroAndRestoresWhatItReplaced)
{
    Display::Dx9::Texture* target = MakeTarget(32);
    ASSERT_NE(target, nullptr);
    auto* frameBuffer = Make<Display::Dx9::FrameBuffer>("FrameBuffer");
    ::testing::internal::CaptureStderr();
    EXPECT_FALSE(frameBuffer->Init());
    EXPECT_EQ(::testing::internal::GetCapturedStderr(),
              "Display::Dx9::FrameBuffer::Init(): No target texture specified\n");
    frameBuffer->SetTargetTexture(target);
    frameBuffer->SetDepthBufferFormat(Enums::DepthBufferFormat::NONE);
    ASSERT_TRUE(frameBuffer->Init());
    EXPECT_EQ(frameBuffer->GetWidth(), 32u);
    EXPECT_EQ(frameBuffer->GetDepthSurface(), nullptr);

    IDirect3DDevice9* device = mRenderer->GetDevice();
    IDirect3DSurface9* screen = nullptr;
    IDirect3DSurface9* depth = nullptr;
    device->GetRenderTarget(0, &screen);
    device->GetDepthStencilSurface(&depth);
    const auto current = [&](IDirect3DSurface9*& color, IDirect3DSurface9*& zbuffer) {
        device->GetRenderTarget(0, &color);
        device->GetDepthStencilSurface(&zbuffer);
        color->Release();
        if (zbuffer != nullptr)
            zbuffer->Release();
    };
    IDirect3DSurface9* color = nullptr;
    IDirect3DSurface9* zbuffer = nullptr;

    EXPECT_TRUE(frameBuffer->Unbind());
    EXPECT_FALSE(frameBuffer->Bind(1));
    current(color, zbuffer);
    EXPECT_EQ(color, screen);
    EXPECT_TRUE(frameBuffer->Bind(0));
    current(color, zbuffer);
    EXPECT_NE(color, screen);
    EXPECT_EQ(zbuffer, depth);
    EXPECT_TRUE(frameBuffer->Unbind());
    current(color, zbuffer);
    EXPECT_EQ(color, screen);
    screen->Release();
    if (depth != nullptr)
        depth->Release();
}

} // namespace
} // namespace Vorn
