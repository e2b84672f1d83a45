// The Direct3D 9 display objects' own logic, without a device: a renderer that may create device
// resources on any thread, so that objects initialise at once.
#include <gtest/gtest.h>

#include <cmath>
#include <functional>
#include <string>

#include "display/dx9/camera.h"
#include "display/dx9/drawable.h"
#include "display/dx9/dx9_renderer.h"
#include "display/dx9/fixed_program.h"
#include "display/dx9/index_buffer.h"
#include "display/dx9/light.h"
#include "display/dx9/material.h"
#include "display/dx9/parameters.h"
#include "display/dx9/texture.h"
#include "display/dx9/vertex_buffer.h"
#include "display/factory.h"
#include "tests/support/fake_configuration.h"
#include "tests/support/fake_display_interface.h"

namespace Vorn {
namespace {

using namespace Display::Dx9;

class ObjectsTest : public ::testing::Test
{
protected:
    void SetUp() override { ASSERT_TRUE(mRenderer.Init(128, 96)); }
    void TearDown() override { mRenderer.DeInit(); }

    template <typename T>
    std::unique_ptr<T> Make(const char* className)
    {
        T* object = dynamic_cast<T*>(mRenderer.CreateObject(className));
        EXPECT_NE(object, nullptr) << className;
        return std::unique_ptr<T>(object);
    }

    Testing::FakeConfiguration mConfiguration;
    Testing::FakeDisplayInterface mInterface;
    Renderer mRenderer{&mConfiguration, &mInterface};
};

TEST_F(ObjectsTest, RendererRegistersItsTenClassesAndTheFactoryMakesIt)
{
    const char* names[] = {"IndexBuffer", "Camera",     "Light",        "Drawable", "FrameBuffer",
                           "Material",    "Parameters", "FixedProgram", "Texture",  "VertexBuffer"};
    for (const char* name : names) {
        Display::IObject* object = mRenderer.CreateObject(name);
        EXPECT_NE(dynamic_cast<Object*>(object), nullptr) << name;
        delete object;
    }
    EXPECT_EQ(mRenderer.CreateObject("ShaderProgram"), nullptr);
    EXPECT_FALSE(mRenderer.RegisterObjectClass(Camera::GetClassInfo()));

    mRenderer.DeInit();
    for (const char* name : names)
        EXPECT_EQ(mRenderer.CreateObject(name), nullptr) << name;
    mRenderer.Init(128, 96);

    Display::Factory factory;
    mConfiguration.SetVideoApi(Enums::VideoApi::DX9);
    ASSERT_TRUE(Display::Factory::RegisterRenderer(Enums::VideoApi::DX9, Renderer::Create));
    Display::IRenderer* made = factory.CreateRenderer(&mConfiguration, &mInterface);
    EXPECT_NE(dynamic_cast<Renderer*>(made), nullptr);
    factory.DestroyRenderer(made);
    Display::Factory::UnregisterRenderer(Enums::VideoApi::DX9);
}

TEST_F(ObjectsTest, TimeBudgetComesFromTheConfigurationInWholeMicroseconds)
{
    EXPECT_EQ(mRenderer.GetTimeBudget().ToNanoSeconds(), 5000000u);
    mConfiguration.SetObjectProcessingTime(0.0123456);
    Renderer renderer(&mConfiguration, &mInterface);
    EXPECT_EQ(renderer.GetTimeBudget().ToNanoSeconds(), 12345000u);
}

TEST_F(ObjectsTest, EachFlagPairTogglesOneFlag)
{
    Object object(&mRenderer);
    EXPECT_FALSE(object.IsInitialized());
    EXPECT_FALSE(object.HasDxResources());
    EXPECT_TRUE(object.Init());
    EXPECT_TRUE(object.IsInitialized());
    EXPECT_FALSE(object.HasDxResources());
    EXPECT_TRUE(object.CreateDxResources());
    EXPECT_TRUE(object.HasDxResources());
    EXPECT_TRUE(object.DeInit());
    EXPECT_FALSE(object.IsInitialized());
    EXPECT_TRUE(object.HasDxResources());
    EXPECT_TRUE(object.DestroyDxResources());
    EXPECT_FALSE(object.HasDxResources());
}

TEST_F(ObjectsTest, DestroyingAnInitializedObjectIsLogged)
{
    auto camera = Make<Camera>("Camera");
    camera->Init();
    ::testing::internal::CaptureStderr();
    camera.reset();
    EXPECT_EQ(::testing::internal::GetCapturedStderr(),
              "Display::Dx9::Camera::~Camera(): Object is still initialized\n");
}

TEST_F(ObjectsTest, NewCameraClearsToOpaqueBlackAndSeesEverything)
{
    auto camera = Make<Camera>("Camera");
    EXPECT_TRUE(camera->GetClearColorBuffer());
    EXPECT_TRUE(camera->GetClearDepthBuffer());
    const Float* color = camera->GetClearColor();
    EXPECT_EQ(std::vector<Float>(color, color + 4), (std::vector<Float>{0.0f, 0.0f, 0.0f, 1.0f}));
    EXPECT_EQ(camera->GetDepthOrder(), 0);
    EXPECT_EQ(camera->GetDepthSortMode(), Enums::DepthSortMode::WORLD_Z);
    EXPECT_TRUE(camera->IsSphereVisible(Math::Vector<float>(0.0f, 0.0f, 100.0f, 1.0f), 1.0f));
}

TEST_F(ObjectsTest, CameraViewUndoesATranslation)
{
    auto camera = Make<Camera>("Camera");
    Math::Matrix<float> projection;
    projection.Set(0, 0, 0.5f);
    projection.Set(2, 3, 2.0f);
    camera->SetProjection(projection, true);
    Math::Matrix<float> transform;
    transform.SetTranslation(1.0f, -2.0f, 3.0f);
    camera->SetTransform(transform);
    Math::Matrix<float> view;
    view.SetTranslation(-1.0f, 2.0f, -3.0f);
    EXPECT_EQ(camera->GetViewMatrix(), view);
    EXPECT_EQ(camera->GetViewProjectionMatrix(), projection * view);
    EXPECT_EQ(camera->GetTransform(), transform);
}

TEST_F(ObjectsTest, SphereTestOfAPerspectiveCamera)
{
    // A 90-degree frustum: the cone through its corners has a half-angle of about 54.7 degrees
    // (sine 0.816).
    auto camera = Make<Camera>("Camera");
    Math::Matrix<float> projection = Math::Matrix<float>::Zero();
    projection.Set(0, 0, 1.0f);
    projection.Set(1, 1, 1.0f);
    projection.Set(2, 2, -1.2222222f);
    projection.Set(2, 3, -2.2222222f);
    projection.Set(3, 2, -1.0f);
    camera->SetProjection(projection, false);
    const struct
    {
        Math::Vector<float> centre;
        Float radius;
        Bool visible;
    } cases[] = {
        {{0.0f, 0.0f, -5.0f, 1.0f}, 1.0f, true},     // ahead on the axis
        {{20.0f, 0.0f, -5.0f, 1.0f}, 1.0f, false},   // ahead, far to the side
        {{0.0f, 0.0f, 3.0f, 1.0f}, 1.0f, false},     // wholly behind the camera
        {{0.0f, 0.0f, 0.9f, 1.0f}, 1.0f, true},      // straddling, camera inside
        {{0.5f, 0.0f, 0.9f, 1.0f}, 1.0f, false},     // straddling, camera outside
        {{0.0f, 0.0f, 0.5f, 1.0f}, 1.0f, true},      // mostly ahead: the cone test
        {{3.0f, 0.0f, 0.5f, 1.0f}, 1.0f, false},     // mostly ahead, outside the cone
    };
    for (const auto& c : cases)
        EXPECT_EQ(camera->IsSphereVisible(c.centre, c.radius), c.visible)
            << c.centre.x << ", " << c.centre.y << ", " << c.centre.z;
    camera->SetProjection(projection, true);
    EXPECT_TRUE(camera->IsSphereVisible(Math::Vector<float>(0.0f, 0.0f, 3.0f, 1.0f), 1.0f));
}

TEST_F(ObjectsTest, ParametersFallBackAndLaterColoursTakeTheRoleOver)
{
    auto parameters = Make<Parameters>("Parameters");
    for (UInt32 i = 0; i < 5; ++i)
        EXPECT_EQ(parameters->GetColor(i)[0] + parameters->GetColor(i)[3], 0.0f) << i;
    EXPECT_EQ(parameters->GetShininess(), 1.0f);

    const Float first[4] = {1.0f, 0.0f, 0.0f, 1.0f};
    const Float second[4] = {0.0f, 1.0f, 0.0f, 1.0f};
    parameters->CreateFloatVector4Parameter(Enums::ShaderVariable::CUSTOM_1)->SetValue(first);
    parameters->CreateFloatVector4Parameter(Enums::ShaderVariable::CUSTOM_1)->SetValue(second);
    parameters->CreateFloatVector4Parameter(Enums::ShaderVariable::CUSTOM_5)->SetValue(first);
    parameters->CreateFloatParameter(Enums::ShaderVariable::CUSTOM_0)->SetValue(7.0f);
    EXPECT_EQ(parameters->GetColor(1)[1], 1.0f);
    EXPECT_EQ(parameters->GetColor(0)[0], 0.0f);
    EXPECT_EQ(parameters->GetShininess(), 1.0f);
    parameters->CreateFloatParameter(Enums::ShaderVariable::CUSTOM_4)->SetValue(8.0f);
    EXPECT_EQ(parameters->GetShininess(), 8.0f);
}

TEST_F(ObjectsTest, EveryTypedParameterCopiesItsValues)
{
    auto parameters = Make<Parameters>("Parameters");
    const SInt32 values[16] = {1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12, 13, 14, 15, 16};
    Display::IIntVector2Parameter* vector2 = parameters->CreateIntVector2Parameter(Enums::ShaderVariable::CUSTOM_6);
    EXPECT_EQ(vector2->GetValue()[0], 0);
    vector2->SetValue(values);
    EXPECT_EQ(vector2->GetValue()[1], 2);
    Display::IIntMatrix4Parameter* matrix = parameters->CreateIntMatrix4Parameter(Enums::ShaderVariable::CUSTOM_7);
    matrix->SetValue(values);
    EXPECT_EQ(matrix->GetValue()[15], 16);
    Display::IIntParameter* scalar = parameters->CreateIntParameter(Enums::ShaderVariable::CUSTOM_7);
    scalar->SetValue(-3);
    EXPECT_EQ(scalar->GetValue(), -3);
}

TEST_F(ObjectsTest, BlendFactorTable)
{
    const std::pair<UInt32, UInt32> rows[] = {
        {1, D3DBLEND_ZERO},         {2, D3DBLEND_ONE},          {3, D3DBLEND_SRCCOLOR},
        {4, D3DBLEND_INVSRCCOLOR},  {5, D3DBLEND_DESTCOLOR},    {6, D3DBLEND_INVDESTCOLOR},
        {7, D3DBLEND_SRCALPHA},     {8, D3DBLEND_INVSRCALPHA},  {9, D3DBLEND_DESTALPHA},
        {10, D3DBLEND_INVDESTALPHA}, {11, D3DBLEND_ONE},        {12, D3DBLEND_ONE},
        {13, D3DBLEND_ONE},         {14, D3DBLEND_ONE},         {15, D3DBLEND_SRCALPHASAT},
        {0, D3DBLEND_ONE},          {16, D3DBLEND_ONE},
    };
    for (const auto& row : rows)
        EXPECT_EQ(Material::ToDxBlend(Enums::BlendFactor(row.first)), row.second) << row.first;
}

TEST_F(ObjectsTest, CullTableExchangesWindingWhenFlipped)
{
    const struct
    {
        Enums::CullMode faces;
        UInt32 screen;
        UInt32 flipped;
    } rows[] = {
        {Enums::CullMode::NONE, D3DCULL_NONE, D3DCULL_NONE},
        {Enums::CullMode::FRONT_ONLY, D3DCULL_CW, D3DCULL_CCW},
        {Enums::CullMode::BACK_ONLY, D3DCULL_CCW, D3DCULL_CW},
        {Enums::CullMode::FRONT_AND_BACK, D3DCULL_NONE, D3DCULL_NONE},
        {Enums::CullMode(9), D3DCULL_CW, D3DCULL_CCW},
    };
    for (const auto& row : rows) {
        EXPECT_EQ(Material::ToDxCull(row.faces, false), row.screen) << Enums::Value(row.faces);
        EXPECT_EQ(Material::ToDxCull(row.faces, true), row.flipped) << Enums::Value(row.faces);
    }
}

TEST_F(ObjectsTest, NewMaterialAndLightDefaults)
{
    auto material = Make<Material>("Material");
    EXPECT_TRUE(material->WritesDepth());
    EXPECT_TRUE(material->IsBlendingDisabled());
    material->SetDepthTestMode(Enums::DepthTestMode::READ_ONLY);
    EXPECT_FALSE(material->WritesDepth());
    auto light = Make<Light>("Light");
    for (UInt32 i = 0; i < 4; ++i)
        for (UInt32 c = 0; c < 4; ++c)
            EXPECT_EQ(light->GetColor(i)[c], 1.0f);
    EXPECT_FLOAT_EQ(light->GetProjectionMatrix()[10], 0.050125312f);
    EXPECT_FLOAT_EQ(light->GetProjectionMatrix()[5], -0.5f);
}

TEST_F(ObjectsTest, FixedProgramUsesAttributesByItsSwitches)
{
    auto program = Make<FixedProgram>("FixedProgram");
    EXPECT_TRUE(program->UsesVertexAttribute(Enums::VertexAttribute::COORD));
    EXPECT_FALSE(program->UsesVertexAttribute(Enums::VertexAttribute::NORMAL));
    program->SetLightingEnabled(true);
    program->SetTextureUnitEnabled(1, true);
    program->SetColoringEnabled(true);
    EXPECT_TRUE(program->UsesVertexAttribute(Enums::VertexAttribute::NORMAL));
    EXPECT_FALSE(program->UsesVertexAttribute(Enums::VertexAttribute::TEXCOORD_0));
    EXPECT_TRUE(program->UsesVertexAttribute(Enums::VertexAttribute::TEXCOORD_1));
    EXPECT_FALSE(program->UsesVertexAttribute(Enums::VertexAttribute::COLOR));
}

TEST_F(ObjectsTest, VertexAttributesLayOutTheVertex)
{
    auto buffer = Make<VertexBuffer>("VertexBuffer");
    UInt32 offset = 0;
    EXPECT_TRUE(buffer->AddAttribute(Enums::VertexAttribute::COORD, Enums::AttributeType::FLOAT_VECTOR_3, offset));
    EXPECT_TRUE(buffer->AddAttribute(Enums::VertexAttribute::COLOR, Enums::AttributeType::UINT8_VECTOR_4, offset));
    EXPECT_EQ(offset, 16u);
    EXPECT_EQ(buffer->GetStride(), 16u);
    EXPECT_EQ(buffer->GetNumberOfComponents(), 7u);
    ASSERT_EQ(buffer->GetElements().size(), 2u);
    EXPECT_EQ(buffer->GetElements()[0].Offset, 0);
    EXPECT_EQ(buffer->GetElements()[1].Offset, 12);
    EXPECT_EQ(buffer->GetElements()[1].Type, D3DDECLTYPE_UBYTE4);

    // Refused: a second COORD, 8-bit types other than four unsigned, custom attributes.
    EXPECT_FALSE(buffer->AddAttribute(Enums::VertexAttribute::COORD, Enums::AttributeType::FLOAT_VECTOR_2, offset));
    EXPECT_FALSE(buffer->AddAttribute(Enums::VertexAttribute::NORMAL, Enums::AttributeType::UINT8, offset));
    EXPECT_FALSE(buffer->AddAttribute(Enums::VertexAttribute::NORMAL, Enums::AttributeType::SINT8_VECTOR_4, offset));
    EXPECT_FALSE(buffer->AddAttribute(Enums::VertexAttribute::CUSTOM_0, Enums::AttributeType::FLOAT, offset));
    EXPECT_EQ(offset, 16u);

    // Each texture-coordinate set has its own usage index.
    EXPECT_TRUE(buffer->AddAttribute(Enums::VertexAttribute::TEXCOORD_0, Enums::AttributeType::FLOAT_VECTOR_2, offset));
    EXPECT_TRUE(buffer->AddAttribute(Enums::VertexAttribute::TEXCOORD_1, Enums::AttributeType::FLOAT_VECTOR_2, offset));
    EXPECT_EQ(buffer->GetElements()[2].UsageIndex, 0);
    EXPECT_EQ(buffer->GetElements()[3].UsageIndex, 1);

    EXPECT_TRUE(buffer->Init());
    EXPECT_FALSE(buffer->AddAttribute(Enums::VertexAttribute::NORMAL, Enums::AttributeType::FLOAT_VECTOR_3, offset));
    buffer->DeInit();
}

TEST_F(ObjectsTest, PrimitiveCountsByType)
{
    const struct
    {
        Enums::PrimitiveType type;
        UInt32 indices;
        Bool drawn;
        UInt32 count;
    } rows[] = {
        {Enums::PrimitiveType::TRIANGLES, 300, true, 100},   {Enums::PrimitiveType::TRIANGLES, 5, true, 1},
        {Enums::PrimitiveType::POINTS, 7, true, 7},          {Enums::PrimitiveType::LINES, 5, true, 2},
        {Enums::PrimitiveType::LINE_STRIP, 4, true, 3},      {Enums::PrimitiveType::LINE_STRIP, 1, true, 0},
        {Enums::PrimitiveType::TRIANGLE_STRIP, 5, true, 3},  {Enums::PrimitiveType::TRIANGLE_STRIP, 2, true, 0},
        {Enums::PrimitiveType::TRIANGLE_FAN, 1, true, 0},    {Enums::PrimitiveType::LINE_LOOP, 6, false, 0},
        {Enums::PrimitiveType::UNDEFINED, 6, false, 0},
    };
    for (const auto& row : rows) {
        D3DPRIMITIVETYPE type;
        UInt32 count = 0;
        EXPECT_EQ(IndexBuffer::GetPrimitives(row.type, row.indices, type, count), row.drawn)
            << Enums::Value(row.type) << " " << row.indices;
        if (row.drawn) {
            EXPECT_EQ(count, row.count) << Enums::Value(row.type) << " " << row.indices;
        }
    }
}

TEST_F(ObjectsTest, DrawableNeedsBothBuffersAndKeepsABoundingSphere)
{
    auto drawable = Make<Drawable>("Drawable");
    auto vertices = Make<VertexBuffer>("VertexBuffer");
    auto indices = Make<IndexBuffer>("IndexBuffer");
    EXPECT_FALSE(drawable->Init());
    drawable->AddVertexBuffer(vertices.get());
    EXPECT_FALSE(drawable->Init());
    drawable->RemoveIndexBuffer(indices.get());
    EXPECT_EQ(drawable->GetNumberOfVertexBuffers(), 1u);
    drawable->AddIndexBuffer(indices.get());
    EXPECT_TRUE(drawable->Init());
    EXPECT_EQ(drawable->GetIndexBuffer(0), indices.get());
    EXPECT_EQ(drawable->GetIndexBuffer(1), nullptr);

    drawable->SetBoundingBox(Math::Vector<float>(-1.0f, -1.0f, 0.0f, 1.0f), Math::Vector<float>(1.0f, 1.0f, 0.0f, 1.0f));
    EXPECT_EQ(drawable->GetBoundingSphereCentre(), Math::Vector<float>(0.0f, 0.0f, 0.0f, 1.0f));
    EXPECT_FLOAT_EQ(drawable->GetBoundingSphereRadius(), std::sqrt(2.0f));
    drawable->DeInit();
}

TEST_F(ObjectsTest, SlotsOutOfRangeAreRefusedWithALine)
{
    auto material = Make<Material>("Material");
    auto texture = Make<Texture>("Texture");
    auto indices = Make<IndexBuffer>("IndexBuffer");
    const struct
    {
        std::function<bool()> call;
        const char* log;
    } cases[] = {
        {[&]() { return mRenderer.SetMaterial(material.get(), 128) == nullptr; },
         "Display::Dx9::Renderer::SetMaterial(): Slot 128 out of range\n"},
        {[&]() { return mRenderer.SetTexture(texture.get(), 3, 8) == nullptr; },
         "Display::Dx9::Renderer::SetTexture(): Unit 8 out of range\n"},
        {[&]() { return mRenderer.SetAuxiliaryObject(nullptr, 0, 2) == nullptr; },
         "Display::Dx9::Renderer::SetAuxiliaryObject(): Index 2 out of range\n"},
        {[&]() { return mRenderer.GetParameters(200) == nullptr; },
         "Display::Dx9::Renderer::GetParameters(): Slot 200 out of range\n"},
        {[&]() { return mRenderer.GetTexture(0, 9) == nullptr; },
         "Display::Dx9::Renderer::GetTexture(): Unit 9 out of range\n"},
        {[&]() {
             indices->SetTextureSlot(1, 8);
             return indices->GetTextureSlot(8) == -1;
         },
         "Display::Dx9::IndexBuffer::SetTextureSlot(): Slot 1 of unit 8 out of range\n"},
        {[&]() {
             indices->SetMaterialSlot(128);
             return indices->GetMaterialSlot() == 0;
         },
         "Display::Dx9::IndexBuffer::SetMaterialSlot(): Slot 128 out of range\n"},
        {[&]() {
             indices->SetAuxiliarySlot(4, 2);
             return indices->GetAuxiliarySlot(1) == -1;
         },
         "Display::Dx9::IndexBuffer::SetAuxiliarySlot(): Index 2 out of range\n"},
    };
    for (const auto& c : cases) {
        ::testing::internal::CaptureStderr();
        EXPECT_TRUE(c.call());
        EXPECT_EQ(::testing::internal::GetCapturedStderr(), c.log);
    }
    EXPECT_EQ(mRenderer.SetMaterial(material.get(), 127), material.get());
    EXPECT_EQ(mRenderer.GetMaterial(127), material.get());
}

TEST_F(ObjectsTest, TextureKeepsWrapModesItCannotExpress)
{
    auto texture = Make<Texture>("Texture");
    texture->SetWrapModeX(Enums::TextureWrapMode::CLAMP_TO_EDGE);
    texture->SetWrapModeX(Enums::TextureWrapMode::MIRRORED_REPEAT);
    texture->SetPixelData(0, 4, 2, Enums::PixelFormat::R8_G8_B8, true);
    EXPECT_EQ(texture->GetPitch(0), 12u);
    ASSERT_NE(texture->GetPixels(0), nullptr);
    EXPECT_EQ(texture->GetPixels(0)[23], 0);
    ::testing::internal::CaptureStderr();
    EXPECT_EQ(texture->GetWidth(6), 0u);
    EXPECT_EQ(::testing::internal::GetCapturedStderr(), "Display::Dx9::Texture::GetWidth(): Face 6 out of range\n");
    texture->SetType(1);
    ::testing::internal::CaptureStderr();
    EXPECT_FALSE(texture->CreateDxResources());
    EXPECT_EQ(::testing::internal::GetCapturedStderr(),
              "Display::Dx9::Texture::CreateDxResources(): Failed; cube maps not supported\n");
}

} // namespace
} // namespace Vorn
