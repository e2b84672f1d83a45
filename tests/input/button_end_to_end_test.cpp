// A mouse press fed over a button reaches the button through the real input device handler and
// touchable handler, by way of the camera's screen projection and the button's touch area.
#include <gtest/gtest.h>

#include "graph/input/button.h"
#include "graph/input/button_event.h"
#include "input/input_device_handler.h"
#include "input/input_touchable_handler.h"
#include "tests/support/view_scene_fixture.h"

namespace Vorn {
namespace Input {
namespace {

class ButtonEndToEndTest : public Testing::ViewSceneFixture
{
protected:
    ButtonEndToEndTest() : ViewSceneFixture(&mTouchables) { mDevices.Init(&mConfiguration); }
    // The scene gives its areas and projections back while the handler still lives.
    ~ButtonEndToEndTest() override { EXPECT_TRUE(DestroyScene()); }

    // One logic step as the engine's logic thread runs it around the graph.
    void Step()
    {
        mDevices.Update();
        EXPECT_TRUE(mDevices.ResetTouchables(&mTouchables));
        EXPECT_TRUE(RunLogic());
        EXPECT_TRUE(mDevices.UpdateTouchables(&mTouchables));
        EXPECT_TRUE(RunOutput());
    }

    TouchableHandler mTouchables;
    DeviceHandler mDevices;
};

TEST_F(ButtonEndToEndTest, AMousePressOverTheButtonPressesItAndTheReleaseReleasesIt)
{
    // An orthographic camera of one unit per pixel, 1280 x 800 units across, a 200 x 100 button left of the centre.
    Graph::INamespace* scene = Scene("<View><OrthographicCamera unitSizeX='1'/>"
                                     "<Transform posX='-320'><Button id='b' sizeX='200' sizeY='100'"
                                     " mouseButton='LEFT'/></Transform></View>");
    ASSERT_NE(scene, nullptr);
    Graph::Button* button = Find<Graph::Button>(scene, "b");
    ASSERT_NE(button, nullptr);
    Graph::IButtonEvent* event = button->CreateEvent();
    IMouse* mouse = mDevices.CreateMouseDevice();
    // The first frame sets the camera's projection up.
    Step();

    // A press beside the button leaves it up.
    mouse->SetPointer(InputAction::kDown, 0, 0.0f, 0.0f);
    Step();
    EXPECT_FALSE(event->WasPressed());
    EXPECT_NE(button->GetState(), Graph::Button::kDown);
    mouse->SetPointer(InputAction::kUp, 0, 0.0f, 0.0f);
    Step();
    Step();

    // Over the button: x = -320 / 640 = -0.5 on the screen.
    mouse->SetPointer(InputAction::kMove, 5, -0.5f, 0.05f);
    Step();
    mouse->SetPointer(InputAction::kDown, 0, -0.5f, 0.05f);
    Step();
    EXPECT_TRUE(event->WasPressed());
    EXPECT_EQ(button->GetState(), Graph::Button::kDown);
    mouse->SetPointer(InputAction::kUp, 0, -0.5f, 0.05f);
    Step();
    EXPECT_TRUE(event->WasReleasedInside());
    EXPECT_NE(button->GetState(), Graph::Button::kDown);
    button->DestroyEvent(event);
}

} // namespace
} // namespace Input
} // namespace Vorn
