// What the materials, programs and textures send to the device, counted on a device that draws
// nothing: the state cache lets repeated applies skip the calls that would change nothing.
#include <gtest/gtest.h>

#include "display/dx9/camera.h"
#include "display/dx9/drawable.h"
#include "display/dx9/dx9_renderer.h"
#include "display/dx9/fixed_program.h"
#include "display/dx9/index_buffer.h"
#include "display/dx9/material.h"
#include "display/dx9/parameters.h"
#include "display/dx9/state.h"
#include "display/dx9/texture.h"
#include "display/dx9/vertex_buffer.h"
#include "tests/support/counting_d3d9_device.h"
#include "tests/support/fake_configuration.h"
#include "tests/support/fake_display_interface.h"

namespace Vorn {
namespace {

using namespace Display::Dx9;

class DeviceCallsTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        mInterface.mRenderContext = static_cast<IDirect3DDevice9*>(&mDevice);
        mConfiguration.SetMultiThreadedCalls(false);
        ASSERT_TRUE(mRenderer.Init(64, 64));
        ASSERT_TRUE(mRenderer.Start());
        mProgram = Make<FixedProgram>("FixedProgram");
        mProgram->SetTextureUnitEnabled(0, true);
        mMaterial = Make<Material>("Material");
        mMaterial->SetProgram(mProgram);
        mParameters = Make<Parameters>("Parameters");
        mTexture = Make<Texture>("Texture");
    }
    void TearDown() override
    {
        for (auto it = mObjects.rbegin(); it != mObjects.rend(); ++it)
            mRenderer.DestroyObject(*it);
        mRenderer.ProcessQueues(System::Time::Zero);
        mRenderer.Stop();
        mRenderer.DeInit();
    }

    template <typename T>
    T* Make(const char* className)
    {
        Display::IObject* object = mRenderer.CreateObject(className);
        mObjects.push_back(object);
        return dynamic_cast<T*>(object);
    }

    int CullModeSets() { return mDevice.mRenderStateSets[D3DRS_CULLMODE]; }

    Testing::CountingD3d9Device mDevice;
    Testing::FakeConfiguration mConfiguration;
    Testing::FakeDisplayInterface mInterface;
    Renderer mRenderer{&mConfiguration, &mInterface};
    std::vector<Display::IObject*> mObjects;
    FixedProgram* mProgram = nullptr;
    Material* mMaterial = nullptr;
    Parameters* mParameters = nullptr;
    Texture* mTexture = nullptr;
};

TEST_F(DeviceCallsTest, SecondApplyOfMaterialProgramAndTextureSkipsWhatIsSet)
{
    State& state = *mRenderer.GetState();
    state.Reset();
    mParameters->Apply(state);
    ASSERT_TRUE(mMaterial->Apply(state));
    ASSERT_TRUE(mTexture->Apply(0, state));
    EXPECT_EQ(CullModeSets(), 1);
    EXPECT_EQ(mDevice.Calls("SetMaterial"), 1);
    // Stage 0 modulates (six states), stage 1 is disabled (one).
    EXPECT_EQ(mDevice.Calls("SetTextureStageState"), 7);
    EXPECT_EQ(mDevice.Calls("SetTexture"), 1);
    EXPECT_EQ(mDevice.Calls("SetSamplerState"), 5);

    ASSERT_TRUE(mMaterial->Apply(state));
    ASSERT_TRUE(mTexture->Apply(0, state));
    EXPECT_EQ(CullModeSets(), 1);
    EXPECT_EQ(mDevice.Calls("SetMaterial"), 2);
    EXPECT_EQ(mDevice.mRenderStateSets[D3DRS_LIGHTING], 2);
    EXPECT_EQ(mDevice.Calls("SetTextureStageState"), 7);
    EXPECT_EQ(mDevice.Calls("SetTexture"), 1);

    // A new view sends everything again.
    state.Reset();
    mMaterial->Apply(state);
    mTexture->Apply(0, state);
    EXPECT_EQ(CullModeSets(), 2);
    EXPECT_EQ(mDevice.Calls("SetTextureStageState"), 14);
    EXPECT_EQ(mDevice.Calls("SetTexture"), 2);
}

TEST_F(DeviceCallsTest, BlendFactorsAreSentOnlyForBlendingMaterials)
{
    State& state = *mRenderer.GetState();
    state.Reset();
    mParameters->Apply(state);
    mMaterial->Apply(state);
    EXPECT_EQ(mDevice.mRenderStates[D3DRS_ALPHABLENDENABLE], DWORD(FALSE));
    EXPECT_EQ(mDevice.mRenderStateSets.count(D3DRS_SRCBLEND), 0u);

    Material* blended = Make<Material>("Material");
    blended->SetProgram(mProgram);
    blended->SetBlendMode(Enums::AlphaMode::ALPHA);
    blended->SetBlendFactors(Enums::BlendFactor::ONE, Enums::BlendFactor::ZERO, Enums::BlendFactor::CONSTANT_COLOR,
                             Enums::BlendFactor::DST_COLOR);
    blended->SetVisibleFaces(Enums::CullMode::BACK_ONLY);
    state.mFlip = true;
    blended->Apply(state);
    EXPECT_EQ(mDevice.mRenderStates[D3DRS_ALPHABLENDENABLE], DWORD(TRUE));
    EXPECT_EQ(mDevice.mRenderStates[D3DRS_SEPARATEALPHABLENDENABLE], DWORD(TRUE));
    EXPECT_EQ(mDevice.mRenderStates[D3DRS_SRCBLEND], DWORD(D3DBLEND_ONE));
    EXPECT_EQ(mDevice.mRenderStates[D3DRS_SRCBLENDALPHA], DWORD(D3DBLEND_ZERO));
    EXPECT_EQ(mDevice.mRenderStates[D3DRS_DESTBLEND], DWORD(D3DBLEND_ONE));
    EXPECT_EQ(mDevice.mRenderStates[D3DRS_DESTBLENDALPHA], DWORD(D3DBLEND_DESTCOLOR));
    EXPECT_EQ(mDevice.mRenderStates[D3DRS_CULLMODE], DWORD(D3DCULL_CW));
}

TEST_F(DeviceCallsTest, ElementsOfOneMaterialSetItsStatesOncePerView)
{
    Camera* camera = Make<Camera>("Camera");
    camera->SetMask(0, 64, 0, 64);
    Drawable* drawables[2];
    for (Drawable*& drawable : drawables) {
        drawable = Make<Drawable>("Drawable");
        drawable->AddVertexBuffer(Make<VertexBuffer>("VertexBuffer"));
        drawable->AddIndexBuffer(Make<IndexBuffer>("IndexBuffer"));
        ASSERT_TRUE(drawable->Init());
    }
    mRenderer.BeginFrame();
    mRenderer.SelectFrameBuffer(nullptr);
    mRenderer.AddView(camera, Math::Matrix<float>());
    mRenderer.SetMaterial(mMaterial, 0);
    for (Drawable* drawable : drawables)
        mRenderer.AddDrawable(drawable, Math::Matrix<float>(), nullptr, 0);
    mDevice.Clear();
    EXPECT_TRUE(mRenderer.Render());
    EXPECT_EQ(CullModeSets(), 1);
    EXPECT_EQ(mDevice.Calls("SetMaterial"), 2);
    EXPECT_EQ(mDevice.Calls("Clear"), 1);
    EXPECT_EQ(mDevice.Calls("BeginScene"), 1);
    for (Drawable* drawable : drawables)
        drawable->DeInit();
}

} // namespace
} // namespace Vorn
