#include "graph/render/texture.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "graph/render/bitmap.h"
#include "graph/render/cube_texture.h"
#include "graph/render/flat_texture.h"
#include "graph/render/frame_buffer_texture.h"
#include "resource/display_surface.h"
#include "resource/png_image.h"
#include "resource/pvr_image.h"
#include "tests/support/image_fixture.h"
#include "tests/support/scene_fixture.h"
#include "tests/support/view_scene_fixture.h"

namespace Vorn {
namespace Graph {
namespace {

using Testing::FakeTexture;

class TextureTest : public Testing::ViewSceneFixture
{
protected:
    // Serves a PNG (or, compressed, a 4-bit PVRTC) image of the size under the id.
    const Resource::IImage* AddPng(const char* id, UInt32 width, UInt32 height)
    {
        return dynamic_cast<const Resource::IImage*>(mCollection.AddObject(
            id, &Resource::PngImage::Create, Testing::EncodeRgbaPng(width, height, Testing::MakeRgbaPattern(width, height))));
    }
    void AddPvr(const char* id) { mCollection.AddObject(id, &Resource::PvrImage::Create, Testing::MakePvrFile(8, 8, 0, 25, 32, 32)); }

    // The scene with one texture node "t" of the class and attributes; null when it fails Init.
    template <typename T>
    T* Texture(const std::string& element, Bool expectInit = true)
    {
        Graph::INamespace* scene = Build(element);
        if (scene == nullptr)
            return nullptr;
        EXPECT_EQ(Init(), expectInit) << element;
        return Find<T>(scene, "t");
    }
    FakeTexture* DisplayTexture(Graph::Texture* texture)
    {
        return dynamic_cast<FakeTexture*>(texture->GetTextureObject());
    }
};

TEST_F(TextureTest, ChoosesThePixelFormatFromImageNodeAndConfiguration)
{
    AddPng("p:png", 4, 4);
    AddPvr("p:pvr");
    struct Case
    {
        const char* attributes;
        Enums::PixelFormat expected;
    } const cases[] = {
        {"bitmapResourceId='p:png'", Enums::PixelFormat::R8_G8_B8_A8},
        {"bitmapResourceId='p:png' useAlpha='false'", Enums::PixelFormat::R8_G8_B8},
        {"bitmapResourceId='p:png' pixelFormat='R5_G6_B5'", Enums::PixelFormat::R5_G6_B5},
        {"bitmapResourceId='p:pvr' pixelFormat='R8_G8_B8'", Enums::PixelFormat::RGB_PVRTC_4BPPV1},
    };
    for (const Case& c : cases) {
        FlatTexture* texture = Texture<FlatTexture>(std::string("<FlatTexture id='t' ") + c.attributes + "/>");
        ASSERT_NE(texture, nullptr) << c.attributes;
        EXPECT_EQ(texture->GetPixelFormat(), c.expected) << c.attributes;
        EXPECT_EQ(texture->GetSurface()->GetPixelFormat(), c.expected) << c.attributes;
        EXPECT_EQ(DisplayTexture(texture)->mSurfaces[0], texture->GetSurface());
        EXPECT_TRUE(DestroyScene());
    }
}

TEST_F(TextureTest, PrescalesTheSurfaceOnlyWhenAskedAndNeverBelowOnePixel)
{
    AddPng("p:wide", 256, 128);
    AddPng("p:dot", 1, 1);
    mConfiguration.SetPrescaleFactor(2);
    struct Case
    {
        const char* attributes;
        UInt32 width;
        UInt32 height;
    } const cases[] = {
        {"bitmapResourceId='p:wide'", 128, 64},
        {"bitmapResourceId='p:dot'", 1, 1},
        {"bitmapResourceId='p:wide' usePrescale='false'", 256, 128},
        {"bitmapResourceId='p:wide' w='64' h='16' usePrescale='false'", 64, 16},
    };
    for (const Case& c : cases) {
        FlatTexture* texture = Texture<FlatTexture>(std::string("<FlatTexture id='t' ") + c.attributes + "/>");
        ASSERT_NE(texture, nullptr) << c.attributes;
        EXPECT_EQ(texture->GetSurface()->GetWidth(0), c.width) << c.attributes;
        EXPECT_EQ(texture->GetSurface()->GetHeight(0), c.height) << c.attributes;
        EXPECT_TRUE(DestroyScene());
    }
}

TEST_F(TextureTest, ConfiguresTheDisplayTextureAndFreesItAtDeInit)
{
    AddPng("p:png", 4, 4);
    FlatTexture* texture = Texture<FlatTexture>(
        "<FlatTexture id='t' bitmapResourceId='p:png' useMipMaps='false' horizontalWrapMode='CLAMP_TO_EDGE' "
        "minFilter='NEAREST' mipFilter='NONE'/>");
    ASSERT_NE(texture, nullptr);
    FakeTexture* display = DisplayTexture(texture);
    EXPECT_TRUE(display->IsInitialized());
    EXPECT_EQ(display->mType, 0u);
    EXPECT_FALSE(display->mMipMaps);
    EXPECT_EQ(display->mWrapX, Enums::TextureWrapMode::CLAMP_TO_EDGE);
    EXPECT_EQ(display->mWrapY, Enums::TextureWrapMode::REPEAT);
    EXPECT_EQ(display->mMagFilter, Enums::TextureFilter::LINEAR);
    EXPECT_EQ(display->mMinFilter, Enums::TextureFilter::NEAREST);
    EXPECT_EQ(display->mMipFilter, Enums::TextureFilter::NONE);

    ASSERT_TRUE(DeInit());
    EXPECT_EQ(texture->GetTextureObject(), nullptr);
    EXPECT_EQ(texture->GetSurface(), nullptr);
    EXPECT_TRUE(mDisplay.mLiveObjects.empty());
    EXPECT_EQ(mDisplay.mDestroyedInitializedCount, 0u);
}

TEST_F(TextureTest, RefusesAMissingResourceIdOrImage)
{
    for (const char* element : {"<FlatTexture id='t'/>", "<FlatTexture id='t' bitmapResourceId='p:none'/>",
                                "<Bitmap id='t'/>", "<Bitmap id='t' bitmapResourceId='p:none'/>"}) {
        std::string log;
        EXPECT_FALSE(InitCapturing(element, log)) << element;
        EXPECT_NE(log.find(std::string(element).find("bitmapResourceId") == std::string::npos
                               ? "No resource ID specified"
                               : "Failed to get resource image \"p:none\""),
                  std::string::npos)
            << log;
        EXPECT_TRUE(DestroyScene());
        EXPECT_TRUE(mDisplay.mLiveObjects.empty()) << element;
    }
}

TEST_F(TextureTest, SamplingSettersMarkTheTextureAndEnqueueingHandsThemOver)
{
    AddPng("p:png", 4, 4);
    FlatTexture* texture = Texture<FlatTexture>("<FlatTexture id='t' bitmapResourceId='p:png'/>");
    ASSERT_NE(texture, nullptr);
    EXPECT_EQ(texture->GetTextureFlags() & Graph::Texture::kSamplingChanged, 0u);
    ITexture* sampling = texture;
    EXPECT_EQ(sampling->SetVerticalWrapMode(Enums::TextureWrapMode::MIRRORED_REPEAT),
              Enums::TextureWrapMode::MIRRORED_REPEAT);
    EXPECT_EQ(sampling->SetMagFilter(Enums::TextureFilter::NEAREST), Enums::TextureFilter::NEAREST);
    EXPECT_NE(texture->GetTextureFlags() & Graph::Texture::kSamplingChanged, 0u);
    EXPECT_TRUE(texture->EnqueueOutput(&mEnqueueOutputState));
    EXPECT_EQ(DisplayTexture(texture)->mWrapY, Enums::TextureWrapMode::MIRRORED_REPEAT);
    EXPECT_EQ(DisplayTexture(texture)->mMagFilter, Enums::TextureFilter::NEAREST);
}

TEST_F(TextureTest, ALanguageChangeRebuildsOnlyForAnotherImageAndKeepsTheTextureWithoutOne)
{
    AddPng("p:png", 4, 4);
    FlatTexture* texture = Texture<FlatTexture>("<FlatTexture id='t' bitmapResourceId='p:png'/>");
    ASSERT_NE(texture, nullptr);
    FakeTexture* display = DisplayTexture(texture);
    const IDisplaySurface* surface = texture->GetSurface();

    mConfiguration.SetLanguageChanged(true);
    ASSERT_TRUE(ConfigChanged());
    EXPECT_EQ(texture->GetSurface(), surface);

    const Resource::IImage* german = AddPng("p:png", 8, 2);
    ASSERT_TRUE(ConfigChanged());
    EXPECT_EQ(texture->GetImage(), german);
    EXPECT_EQ(DisplayTexture(texture), display);
    EXPECT_TRUE(display->IsInitialized());
    EXPECT_EQ(texture->GetSurface()->GetWidth(0), 8u);
    EXPECT_EQ(display->mSurfaces[0], texture->GetSurface());

    mCollection.Remove("p:png");
    ::testing::internal::CaptureStderr();
    EXPECT_FALSE(ConfigChanged());
    EXPECT_NE(::testing::internal::GetCapturedStderr().find(
                  "Graph::FlatTexture::ConfigChangedSelf(t): Failed to get resource image \"p:png\""),
              std::string::npos);
    EXPECT_EQ(texture->GetImage(), german);
    EXPECT_TRUE(display->IsInitialized());
    EXPECT_EQ(display->mSurfaces[0], texture->GetSurface());
}

TEST_F(TextureTest, SuspendReleasesTheTextureOnlyWhenTheConfigurationSaysSo)
{
    AddPng("p:png", 4, 4);
    FlatTexture* texture = Texture<FlatTexture>("<FlatTexture id='t' bitmapResourceId='p:png'/>");
    ASSERT_NE(texture, nullptr);
    FakeTexture* display = DisplayTexture(texture);
    mConfiguration.SetSuspendReleaseMask(UInt32(Enums::MemoryObjectType::DISPLAY_FRAME_BUFFER));
    ASSERT_TRUE(mTop->Suspend(&mDeInitState));
    EXPECT_TRUE(display->IsInitialized());
    mConfiguration.SetSuspendReleaseMask(UInt32(Enums::MemoryObjectType::OTHER));
    ASSERT_TRUE(mTop->Suspend(&mDeInitState));
    EXPECT_FALSE(display->IsInitialized());
    EXPECT_NE(texture->GetSurface(), nullptr);
    ASSERT_TRUE(mTop->Resume(&mInitState));
    EXPECT_TRUE(display->IsInitialized());
}

TEST_F(TextureTest, FrameBufferTexturesNeedASizeAndNoMipMaps)
{
    struct Case
    {
        const char* element;
        const char* message;
    } const cases[] = {
        {"<FlatFrameBufferTexture id='t' h='8'/>", "Graph::FlatFrameBufferTexture::InitSelf(t): Width cannot be 0"},
        {"<CubeFrameBufferTexture id='t' w='8'/>", "Graph::CubeFrameBufferTexture::InitSelf(t): Height cannot be 0"},
        {"<FlatFrameBufferTexture id='t' w='8' h='8' useMipMaps='true'/>",
         "Mip-mapping currently not supported for frame buffer textures"},
    };
    for (const Case& c : cases) {
        std::string log;
        EXPECT_FALSE(InitCapturing(c.element, log)) << c.element;
        EXPECT_NE(log.find(c.message), std::string::npos) << log;
        EXPECT_EQ(mDisplay.mCreatedCount, 0u) << c.element;
        EXPECT_TRUE(DestroyScene());
    }
}

TEST_F(TextureTest, FrameBufferTexturesPrescaleTheirTargetAndAttachTheTexture)
{
    mConfiguration.SetPrescaleFactor(2);
    FlatFrameBufferTexture* flat =
        Texture<FlatFrameBufferTexture>("<FlatFrameBufferTexture id='t' w='1280' h='800' useAlpha='false'/>");
    ASSERT_NE(flat, nullptr);
    EXPECT_EQ(flat->GetWidth(), 640u);
    EXPECT_EQ(flat->GetHeight(), 400u);
    FakeTexture* display = DisplayTexture(flat);
    EXPECT_TRUE(display->mRenderTarget);
    EXPECT_FALSE(display->mMipMaps);
    EXPECT_EQ(display->mWidth, 640u);
    EXPECT_EQ(display->mFormat, Enums::PixelFormat::R8_G8_B8);
    auto* frameBuffer = dynamic_cast<Testing::FakeFrameBuffer*>(flat->GetFrameBufferObject());
    ASSERT_NE(frameBuffer, nullptr);
    EXPECT_TRUE(frameBuffer->IsInitialized());
    EXPECT_EQ(frameBuffer->mTexture, flat->GetTextureObject());
    EXPECT_EQ(frameBuffer->mDepthFormat, Enums::DepthBufferFormat::BITS_16);
    ASSERT_TRUE(DestroyScene());
    EXPECT_TRUE(mDisplay.mLiveObjects.empty());

    CubeFrameBufferTexture* cube = Texture<CubeFrameBufferTexture>(
        "<CubeFrameBufferTexture id='t' w='64' h='64' usePrescale='false' depthBufferFormat='24_BIT'/>");
    ASSERT_NE(cube, nullptr);
    EXPECT_EQ(DisplayTexture(cube)->mType, 1u);
    EXPECT_EQ(DisplayTexture(cube)->mFormat, Enums::PixelFormat::R8_G8_B8_A8);
    EXPECT_EQ(cube->GetWidth(), 64u);
    EXPECT_EQ(cube->GetDepthBufferFormat(), Enums::DepthBufferFormat::BITS_24);
}

TEST_F(TextureTest, AViewRendersIntoAFrameBufferTexture)
{
    Graph::INamespace* scene = Scene(
        "<View><FlatFrameBufferTexture id='target' w='256' h='128'/>"
        "<View frameBufferId='target'><OrthographicCamera unitSizeX='1'/><TestRenderable/></View></View>");
    ASSERT_NE(scene, nullptr);
    auto* target = Find<FlatFrameBufferTexture>(scene, "target");
    ASSERT_TRUE(RunFrame());
    ASSERT_FALSE(mDisplay.mFrameBufferSelections.empty());
    EXPECT_NE(std::find(mDisplay.mFrameBufferSelections.begin(), mDisplay.mFrameBufferSelections.end(),
                        target->GetFrameBufferObject()),
              mDisplay.mFrameBufferSelections.end());
}

TEST_F(TextureTest, ACubeTextureMakesTheFacesItHasImagesFor)
{
    AddPng("p:face", 4, 4);
    ::testing::internal::CaptureStderr();
    CubeTexture* cube = Texture<CubeTexture>(
        "<CubeTexture id='t' bitmapResourceIdPosX='p:face' bitmapResourceIdNegX='p:face' "
        "bitmapResourceIdPosY='p:face' bitmapResourceIdNegY='p:face' bitmapResourceIdPosZ='p:none'/>");
    const std::string log = ::testing::internal::GetCapturedStderr();
    ASSERT_NE(cube, nullptr);
    EXPECT_NE(log.find("Failed to get resource image \"p:none\" for target 4"), std::string::npos) << log;
    EXPECT_NE(log.find("No resource ID specified for target 5"), std::string::npos) << log;
    FakeTexture* display = DisplayTexture(cube);
    EXPECT_EQ(display->mType, 1u);
    EXPECT_TRUE(display->IsInitialized());
    for (UInt32 face = 0; face < 6; ++face)
        EXPECT_EQ(cube->GetSurface(face) != nullptr, face < 4) << face;
    EXPECT_EQ(display->mSurfaces.size(), 4u);
}

TEST_F(TextureTest, ACubeTextureRebuildsOnlyTheFacesWhoseImageChanged)
{
    AddPng("p:a", 4, 4);
    AddPng("p:b", 4, 4);
    CubeTexture* cube = Texture<CubeTexture>("<CubeTexture id='t' bitmapResourceIdPosX='p:a' bitmapResourceIdNegX='p:b'/>");
    ASSERT_NE(cube, nullptr);
    const IDisplaySurface* kept = cube->GetSurface(0);
    AddPng("p:b", 2, 2);
    mConfiguration.SetLanguageChanged(true);
    ASSERT_TRUE(ConfigChanged());
    EXPECT_EQ(cube->GetSurface(0), kept);
    EXPECT_EQ(cube->GetSurface(1)->GetWidth(0), 2u);
    EXPECT_EQ(DisplayTexture(cube)->mSurfaces[1], cube->GetSurface(1));
    EXPECT_TRUE(DisplayTexture(cube)->IsInitialized());
}

class BitmapTest : public Testing::SceneFixture
{
};

TEST_F(BitmapTest, HoldsTheImageSurfaceWithoutADisplayRenderer)
{
    mCollection.AddObject("p:png", &Resource::PngImage::Create,
                          Testing::EncodeRgbaPng(8, 4, Testing::MakeRgbaPattern(8, 4)));
    INode* top = Build("<Graph><Bitmap id='b' bitmapResourceId='p:png'/></Graph>");
    ASSERT_NE(top, nullptr);
    ASSERT_TRUE(Init(top));
    auto* bitmap = dynamic_cast<Bitmap*>(top->GetChild(0));
    ASSERT_NE(bitmap->GetSurface(), nullptr);
    EXPECT_EQ(bitmap->GetSurface()->GetWidth(0), 8u);
    EXPECT_EQ(bitmap->GetSurface()->GetNumberOfMipLevels(), 1u);
    ASSERT_TRUE(DeInit(top));
    EXPECT_EQ(bitmap->GetSurface(), nullptr);
}

} // namespace
} // namespace Graph
} // namespace Vorn
