#include "graph/display/light.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include "tests/support/view_scene_fixture.h"

namespace Vorn {
namespace Graph {
namespace {

using Testing::FakeLight;

class LightTest : public Testing::ViewSceneFixture
{
};

TEST_F(LightTest, AttachesToItsViewWithItsColours)
{
    INamespace* scene = Scene("<View><PerspectiveCamera fieldOfViewX='1'/>"
                              "<Light id='l' xw='3' diffuseColor='0.5,0.25,0,1'/></View>");
    ASSERT_NE(scene, nullptr);
    Light* light = Find<Light>(scene, "l");
    ASSERT_TRUE(RunFrame());
    ASSERT_EQ(mDisplay.mLights.size(), 1u);
    EXPECT_EQ(mDisplay.mLights[0].object, light->GetDisplayLight());
    EXPECT_EQ(mDisplay.mLights[0].transform[12], 3.0f);
    const FakeLight* display = static_cast<FakeLight*>(light->GetDisplayLight());
    EXPECT_EQ(display->mColors[1][0], 0.5f);
    EXPECT_EQ(display->mColors[1][1], 0.25f);
    EXPECT_EQ(display->mColors[0][3], 1.0f);
    EXPECT_EQ(display->mColors[3][3], 0.0f);

    // An index past the colours changes nothing and reads the ambient colour.
    light->SetColor(4, Color{0.0f, 0.0f, 0.0f, 0.0f});
    EXPECT_EQ(light->GetColor(4).red, 1.0f);
    light->SetColor(2, Color{0.0f, 0.0f, 1.0f, 1.0f});
    ASSERT_TRUE(RunFrame());
    EXPECT_EQ(display->mColors[2][0], 0.0f);
    EXPECT_EQ(display->mColors[2][2], 1.0f);
}

TEST_F(LightTest, FailsOutsideAViewAndWithoutALightObject)
{
    ASSERT_TRUE(Scene("<View/><Light id='l'/>") != nullptr);
    ::testing::internal::CaptureStderr();
    EXPECT_FALSE(RunOutput());
    EXPECT_THAT(::testing::internal::GetCapturedStderr(),
                ::testing::HasSubstr("Graph::Light::PrepareOutputSelf(l): No view node to attach to"));
    ASSERT_TRUE(DestroyScene());

    mDisplay.mUntypedClasses.insert("Light");
    ASSERT_NE(Build("<View><Light id='l'/></View>"), nullptr);
    ::testing::internal::CaptureStderr();
    EXPECT_FALSE(Init());
    EXPECT_THAT(::testing::internal::GetCapturedStderr(),
                ::testing::HasSubstr("Graph::Light::InitSelf(l): Failed to create light object"));
    EXPECT_TRUE(DeInit());
    EXPECT_TRUE(mDisplay.mLiveObjects.empty());
}

} // namespace
} // namespace Graph
} // namespace Vorn
