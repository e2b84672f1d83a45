// A Direct3D 9 renderer on a real window for the Windows tests: a plain Win32 window, the display
// interface initialised on it, the renderer made through the display factory and started, and
// helpers that make display objects by class name, fill frames as the enqueue-output pass does
// and read the drawn pixels back through TakeScreenshot.
#pragma once

#include <gtest/gtest.h>

#include <windows.h>

#include <functional>
#include <memory>
#include <vector>

#include "display/dx9/camera.h"
#include "display/dx9/drawable.h"
#include "display/dx9/dx9_renderer.h"
#include "display/dx9/fixed_program.h"
#include "display/dx9/frame_buffer.h"
#include "display/dx9/index_buffer.h"
#include "display/dx9/light.h"
#include "display/dx9/material.h"
#include "display/dx9/parameters.h"
#include "display/dx9/state.h"
#include "display/dx9/texture.h"
#include "display/dx9/vertex_buffer.h"
#include "display/factory.h"
#include "platform/win32/dx9_display_interface.h"
#include "tests/support/fake_configuration.h"
#include "tests/support/fake_display_surface.h"

namespace Vorn {
namespace Testing {

// A pixel as the screenshot gives it.
struct Rgb
{
    int r, g, b;
};

inline ::testing::AssertionResult Near(const Rgb& actual, const Rgb& expected, int tolerance = 3)
{
    if (std::abs(actual.r - expected.r) <= tolerance && std::abs(actual.g - expected.g) <= tolerance &&
        std::abs(actual.b - expected.b) <= tolerance)
        return ::testing::AssertionSuccess();
    return ::testing::AssertionFailure() << "(" << actual.r << ", " << actual.g << ", " << actual.b
                                         << ") is not near (" << expected.r << ", " << expected.g << ", "
                                         << expected.b << ")";
}

// One textured, coloured plane from (x0, y0) to (x1, y1) at depth z, facing +z: four vertices of
// position, normal and texture coordinates, two triangles wound counter-clockwise as seen from
// +z (the front faces). The texture's first row lies at the top edge unless flipV is set.
struct PlaneData
{
    std::vector<Float> vertices;
    std::vector<UInt16> indices{0, 2, 1, 2, 3, 1};

    PlaneData(Float x0, Float y0, Float x1, Float y1, Float z, Bool flipV = false)
    {
        const Float top = flipV ? 1.0f : 0.0f;
        const Float bottom = 1.0f - top;
        const Float corners[4][4] = {{x0, y1, 0, top}, {x1, y1, 1, top}, {x0, y0, 0, bottom}, {x1, y0, 1, bottom}};
        for (const auto& c : corners)
            vertices.insert(vertices.end(), {c[0], c[1], z, 0.0f, 0.0f, 1.0f, c[2], c[3]});
    }
};

class RendererFixture : public ::testing::Test
{
protected:
    static constexpr UInt32 kWidth = 128;
    static constexpr UInt32 kHeight = 96;

    // Made by the test before SetUp runs, to inject device results.
    virtual Win32::Dx9DisplayInterface* CreateDisplayInterface(IConfiguration* configuration)
    {
        return new Win32::Dx9DisplayInterface(configuration);
    }

    void SetUp() override
    {
        const HINSTANCE instance = GetModuleHandleW(nullptr);
        WNDCLASSW windowClass = {};
        windowClass.lpfnWndProc = DefWindowProcW;
        windowClass.hInstance = instance;
        windowClass.lpszClassName = L"VornRendererTest";
        RegisterClassW(&windowClass);
        RECT rect = {0, 0, LONG(kWidth), LONG(kHeight)};
        AdjustWindowRect(&rect, WS_OVERLAPPEDWINDOW, FALSE);
        mWindow = CreateWindowW(L"VornRendererTest", L"Vorn", WS_OVERLAPPEDWINDOW, 0, 0, rect.right - rect.left,
                                rect.bottom - rect.top, nullptr, nullptr, instance, nullptr);
        ASSERT_NE(mWindow, nullptr);
        ShowWindow(mWindow, SW_SHOW);
        mDeviceContext = GetDC(mWindow);

        mConfiguration.SetDisplaySurfaceSize(kWidth, kHeight);
        mConfiguration.SetMultiThreadedCalls(false);
        mConfiguration.SetFlagM(false);
        mConfiguration.SetVideoApi(Enums::VideoApi::DX9);
        mInterface.reset(CreateDisplayInterface(&mConfiguration));
        ASSERT_TRUE(mInterface->Init(instance, mWindow, mDeviceContext, L"VornRendererTest"));

        Display::Factory::RegisterRenderer(Enums::VideoApi::DX9, Display::Dx9::Renderer::Create);
        Display::IRenderer* renderer = mFactory.CreateRenderer(&mConfiguration, mInterface.get());
        mRenderer = dynamic_cast<Display::Dx9::Renderer*>(renderer);
        ASSERT_NE(mRenderer, nullptr);
        ASSERT_TRUE(mRenderer->Init(kWidth, kHeight));
        ASSERT_TRUE(mRenderer->Start());
    }

    void TearDown() override
    {
        DestroyObjects();
        if (mRenderer != nullptr) {
            mRenderer->Stop();
            mRenderer->DeInit();
            Display::IRenderer* renderer = mRenderer;
            mFactory.DestroyRenderer(renderer);
        }
        Display::Factory::UnregisterRenderer(Enums::VideoApi::DX9);
        if (mInterface)
            mInterface->DeInit();
        mInterface.reset();
        if (mWindow != nullptr) {
            ReleaseDC(mWindow, mDeviceContext);
            DestroyWindow(mWindow);
        }
    }

    // An object of the class, kept for destruction at the end of the test.
    template <typename T>
    T* Make(const char* className)
    {
        Display::IObject* object = mRenderer->CreateObject(className);
        T* typed = dynamic_cast<T*>(object);
        if (typed != nullptr)
            mObjects.push_back(object);
        return typed;
    }

    // De-initialises and destroys every object made, and serves the queues until they are gone.
    void DestroyObjects()
    {
        for (auto it = mObjects.rbegin(); it != mObjects.rend(); ++it) {
            (*it)->DeInit();
            mRenderer->DestroyObject(*it);
        }
        mObjects.clear();
        if (mRenderer != nullptr)
            mRenderer->ProcessQueues(System::Time::Zero);
    }

    // An orthographic camera looking along -z whose view volume is x, y and z from -1 to 1,
    // covering the target.
    Display::Dx9::Camera* MakeCamera(const Float* clearColor, UInt32 width = kWidth, UInt32 height = kHeight)
    {
        Display::Dx9::Camera* camera = Make<Display::Dx9::Camera>("Camera");
        camera->SetClearColor(clearColor);
        camera->SetMask(0, SInt32(width), 0, SInt32(height));
        Math::Matrix<float> projection;
        projection.Set(2, 2, -1.0f);
        camera->SetProjection(projection, true);
        camera->Init();
        return camera;
    }

    Display::Dx9::FixedProgram* MakeProgram(Bool coloring, Bool lighting, Bool texture)
    {
        auto* program = Make<Display::Dx9::FixedProgram>("FixedProgram");
        program->SetColoringEnabled(coloring);
        program->SetLightingEnabled(lighting);
        program->SetTextureUnitEnabled(0, texture);
        program->Init();
        return program;
    }

    Display::Dx9::Material* MakeMaterial(Display::Dx9::FixedProgram* program, Bool blend = false)
    {
        auto* material = Make<Display::Dx9::Material>("Material");
        material->SetProgram(program);
        if (blend) {
            material->SetBlendMode(Enums::AlphaMode::ALPHA);
            material->SetDepthTestMode(Enums::DepthTestMode::READ_ONLY);
        }
        material->Init();
        return material;
    }

    // Parameters whose diffuse colour is the given one and whose other colours are black.
    Display::Dx9::Parameters* MakeParameters(const Float* diffuse)
    {
        auto* parameters = Make<Display::Dx9::Parameters>("Parameters");
        const Float black[4] = {0.0f, 0.0f, 0.0f, 1.0f};
        parameters->CreateFloatVector4Parameter(Enums::ShaderVariable::CUSTOM_0)->SetValue(black);
        parameters->CreateFloatVector4Parameter(Enums::ShaderVariable::CUSTOM_1)->SetValue(diffuse);
        parameters->CreateFloatVector4Parameter(Enums::ShaderVariable::CUSTOM_2)->SetValue(black);
        parameters->CreateFloatVector4Parameter(Enums::ShaderVariable::CUSTOM_3)->SetValue(black);
        parameters->Init();
        return parameters;
    }

    // An initialised render-target texture of size x size pixels with nearest filtering, as a
    // frame buffer's target; null when it cannot be made.
    Display::Dx9::Texture* MakeTarget(UInt32 size)
    {
        auto* target = Make<Display::Dx9::Texture>("Texture");
        target->SetRenderTarget(true);
        target->SetMipMaps(false);
        target->SetMagFilter(Enums::TextureFilter::NEAREST);
        target->SetMinFilter(Enums::TextureFilter::NEAREST, Enums::TextureFilter::NONE);
        target->SetPixelData(0, size, size, Enums::PixelFormat::R8_G8_B8_A8, false);
        return target->Init() ? target : nullptr;
    }

    // A drawable over the plane's data with one element in material slot 0 and texture slot 0;
    // without nameSlots the element keeps the slots it starts with, as the graph's planes do.
    Display::Dx9::Drawable* MakePlane(const PlaneData& plane, Bool nameSlots = true)
    {
        auto* vertices = Make<Display::Dx9::VertexBuffer>("VertexBuffer");
        UInt32 offset = 0;
        vertices->AddAttribute(Enums::VertexAttribute::COORD, Enums::AttributeType::FLOAT_VECTOR_3, offset);
        vertices->AddAttribute(Enums::VertexAttribute::NORMAL, Enums::AttributeType::FLOAT_VECTOR_3, offset);
        vertices->AddAttribute(Enums::VertexAttribute::TEXCOORD_0, Enums::AttributeType::FLOAT_VECTOR_2, offset);
        vertices->SetVertexData(plane.vertices.data(), 4, offset);
        vertices->SetNumberOfVertices(4);
        auto* indices = Make<Display::Dx9::IndexBuffer>("IndexBuffer");
        indices->SetIndexData(plane.indices.data(), UInt32(plane.indices.size()));
        indices->SetNumberOfIndices(-1);
        if (nameSlots) {
            indices->SetMaterialSlot(0);
            indices->SetTextureSlot(0, 0);
        }
        auto* drawable = Make<Display::Dx9::Drawable>("Drawable");
        drawable->AddVertexBuffer(vertices);
        drawable->AddIndexBuffer(indices);
        EXPECT_TRUE(vertices->Init());
        EXPECT_TRUE(indices->Init());
        EXPECT_TRUE(drawable->Init());
        return drawable;
    }

    // A 2 x 2 texture of the pixels (rows top down) with nearest filtering and no mip maps.
    Display::Dx9::Texture* MakeTexture(FakeDisplaySurface& surface)
    {
        auto* texture = Make<Display::Dx9::Texture>("Texture");
        texture->SetMipMaps(false);
        texture->SetMagFilter(Enums::TextureFilter::NEAREST);
        texture->SetMinFilter(Enums::TextureFilter::NEAREST, Enums::TextureFilter::NONE);
        texture->SetWrapModeX(Enums::TextureWrapMode::CLAMP_TO_EDGE);
        texture->SetWrapModeY(Enums::TextureWrapMode::CLAMP_TO_EDGE);
        texture->SetSurface(0, &surface);
        return texture;
    }

    // What enqueues the screen showing the texture on a full-frame plane whose texture
    // coordinates run upwards, as a frame buffer's target stands upright.
    std::function<void()> ShowOnScreen(Display::Dx9::Texture* texture)
    {
        const Float black[4] = {0.0f, 0.0f, 0.0f, 1.0f};
        Display::Dx9::Camera* camera = MakeCamera(black);
        Display::Dx9::Material* material = MakeMaterial(MakeProgram(false, false, true));
        mScreenPlane.reset(new PlaneData(-1.0f, -1.0f, 1.0f, 1.0f, 0.0f, true));
        Display::Dx9::Drawable* plane = MakePlane(*mScreenPlane);
        return [this, camera, material, plane, texture]() {
            mRenderer->SelectFrameBuffer(nullptr);
            mRenderer->AddView(camera, Math::Matrix<float>());
            Enqueue(plane, material, nullptr, texture);
        };
    }

    // One drawable placed as the enqueue-output pass does: the slot tables, then the drawable;
    // the update list takes the drawable so that its buffers are filled.
    void Enqueue(Display::Dx9::Drawable* drawable, Display::Dx9::Material* material,
                 Display::Dx9::Parameters* parameters, Display::Dx9::Texture* texture,
                 const Math::Matrix<float>& transform = Math::Matrix<float>(), SInt32 depthOrder = 0)
    {
        mRenderer->SetMaterial(material, 0);
        mRenderer->SetParameters(parameters, 0);
        mRenderer->SetTexture(texture, 0, 0);
        mRenderer->AddDrawable(drawable, transform, nullptr, depthOrder);
        mRenderer->AddUpdateObject(drawable);
    }

    // Draws the frame that fill enqueues, not yet presented.
    template <typename Fill>
    void Draw(Fill fill)
    {
        ASSERT_TRUE(mInterface->BeginFrame(nullptr));
        mRenderer->BeginFrame();
        fill();
        mRenderer->ProcessObjects();
        mRenderer->Render();
    }

    // Draws the frame, reads it back and presents it.
    template <typename Fill>
    void RenderFrame(Fill fill)
    {
        Draw(fill);
        ASSERT_TRUE(Capture());
        ASSERT_TRUE(mInterface->SwapBuffers(nullptr));
    }

    Bool Capture()
    {
        mScreenshot.reset(new FakeDisplaySurface(Enums::PixelFormat::R8_G8_B8_A8, kWidth, kHeight,
                                                 std::vector<UInt8>(kWidth * kHeight * 4)));
        return mRenderer->TakeScreenshot(mScreenshot.get(), Enums::OrientationFlags::NORMAL);
    }

    // The captured pixel at x from the left and y from the top.
    Rgb Pixel(UInt32 x, UInt32 y) const
    {
        const UInt8* p = static_cast<const UInt8*>(mScreenshot->GetPixels(0)) + (y * kWidth + x) * 4;
        return Rgb{p[0], p[1], p[2]};
    }

    HWND mWindow = nullptr;
    HDC mDeviceContext = nullptr;
    FakeConfiguration mConfiguration;
    std::unique_ptr<Win32::Dx9DisplayInterface> mInterface;
    Display::Factory mFactory;
    Display::Dx9::Renderer* mRenderer = nullptr;
    std::vector<Display::IObject*> mObjects;
    std::unique_ptr<FakeDisplaySurface> mScreenshot;
    std::unique_ptr<PlaneData> mScreenPlane;
};

} // namespace Testing
} // namespace Vorn
