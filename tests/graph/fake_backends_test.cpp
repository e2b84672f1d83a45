#include <gtest/gtest.h>

#include "tests/support/fake_audio_renderer.h"
#include "tests/support/fake_display_renderer.h"
#include "tests/support/fake_physics_simulator.h"
#include "tests/support/fake_touchable_handler.h"

namespace Vorn {
namespace Testing {
namespace {

// Nodes cast created objects to their typed interfaces: every class name must give its own.
template <typename Interface>
Bool Offers(Display::IObject* object)
{
    return dynamic_cast<Interface*>(object) != nullptr;
}

TEST(FakeBackendsTest, DisplayClassesOfferTheirInterfacesAndAreCounted)
{
    struct Row
    {
        const char* name;
        Bool (*offers)(Display::IObject*);
    };
    const Row rows[] = {
        {"Drawable", &Offers<Display::IDrawable>},         {"VertexBuffer", &Offers<Display::IVertexBuffer>},
        {"IndexBuffer", &Offers<Display::IIndexBuffer>},   {"Texture", &Offers<Display::ITexture>},
        {"FrameBuffer", &Offers<Display::IFrameBuffer>},   {"Material", &Offers<Display::IMaterial>},
        {"Parameters", &Offers<Display::IParameters>},     {"FixedProgram", &Offers<Display::IFixedTechnique>},
        {"ShaderProgram", &Offers<Display::IShaderTechnique>}, {"Shader", &Offers<Display::IShader>},
        {"Light", &Offers<Display::ILight>},               {"Bone", &Offers<Display::IBone>},
        {"Camera", &Offers<Display::ICamera>},
    };
    FakeDisplayRenderer renderer;
    for (const Row& row : rows) {
        Display::IObject* object = renderer.CreateObject(String(row.name));
        ASSERT_NE(object, nullptr) << row.name;
        EXPECT_TRUE(row.offers(object)) << row.name;
        EXPECT_EQ(renderer.CountLive(row.name), 1u) << row.name;
        EXPECT_TRUE(object->Init());
        EXPECT_TRUE(object->DeInit());
        renderer.DestroyObject(object);
        EXPECT_EQ(object, nullptr);
        EXPECT_EQ(renderer.CountLive(row.name), 0u) << row.name;
    }
    EXPECT_EQ(renderer.CreateObject(String("Unknown")), nullptr);
    EXPECT_EQ(renderer.mDestroyedInitializedCount, 0u);

    renderer.mRefusedClasses.insert("Drawable");
    EXPECT_EQ(renderer.CreateObject(String("Drawable")), nullptr);
    renderer.mFailingInits.insert("Texture");
    Display::IObject* texture = renderer.CreateObject(String("Texture"));
    EXPECT_FALSE(texture->Init());
    renderer.DestroyObject(texture);
}

TEST(FakeBackendsTest, OtherBackEndsCountWhatTheyMake)
{
    FakeAudioRenderer audio;
    Audio::IObject* playable = audio.CreateObject(String("Playable"));
    ASSERT_NE(dynamic_cast<Audio::IPlayable*>(playable), nullptr);
    EXPECT_NE(dynamic_cast<Audio::IBuffer*>(audio.CreateObject(String("Buffer"))), nullptr);
    EXPECT_NE(dynamic_cast<Audio::IListener*>(audio.CreateObject(String("Listener"))), nullptr);
    EXPECT_EQ(audio.mLiveObjects.size(), 3u);
    audio.DestroyObject(playable);
    EXPECT_EQ(playable, nullptr);
    EXPECT_EQ(audio.mLiveObjects.size(), 2u);

    FakeTouchableHandler input;
    Input::ITouchArea* area = input.CreateTouchArea(Enums::AreaShape(1));
    ASSERT_NE(dynamic_cast<Input::IPlane*>(area), nullptr);
    input.DestroyTouchArea(area);
    EXPECT_EQ(area, nullptr);
    EXPECT_TRUE(input.mLiveObjects.empty());

    FakePhysicsSimulator physics;
    Physics::IGeometry* sphere = physics.CreateGeometry(1);
    EXPECT_NE(dynamic_cast<Physics::ISphere*>(sphere), nullptr);
    EXPECT_EQ(physics.CreateGeometry(3), nullptr);
    EXPECT_EQ(physics.CreateField(0, 2), nullptr);
    Physics::IBody* body = physics.CreateBody();
    physics.DestroyBody(body);
    EXPECT_EQ(body, nullptr);
    EXPECT_EQ(physics.mLiveObjects.size(), 1u);
}

} // namespace
} // namespace Testing
} // namespace Vorn
