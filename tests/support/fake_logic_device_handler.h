// A logic device handler for tests: a mouse and touches whose state the test sets; every other
// device is missing, so its operations answer false or 0.
#pragma once

#include <vector>

#include "logic/device_handler.h"

namespace Vorn {
namespace Testing {

class FakeLogicDeviceHandler : public Logic::IDeviceHandler
{
public:
    struct Touch
    {
        Bool mDown;
        Bool mPressed;
        Float mX;
        Float mY;
    };

    // The mouse, as the left button is.
    Float mMouseX = 0.0f;
    Float mMouseY = 0.0f;
    Bool mMousePressed = false;
    Bool mMouseDown = false;
    // A touch screen with these touches; none means the mouse is read.
    std::vector<Touch> mTouches;

    Bool Init() override { return true; }
    Bool DeInit() override { return true; }
    Bool SetHandlers(Input::IDeviceHandler*, Output::IDeviceHandler*) override { return true; }

    Bool IsAccelerometerAvailable() const override { return false; }
    Bool GetAcceleration(Float&, Float&, Float&) const override { return false; }
    Bool IsGyroscopeAvailable() const override { return false; }
    Bool GetRotationRate(Float&, Float&, Float&) const override { return false; }

    UInt32 GetNumberOfJoysticks() const override { return 0; }
    Bool IsJoystickButtonDown(UInt32, UInt32) const override { return false; }
    Bool WasJoystickButtonPressed(UInt32, UInt32) const override { return false; }
    Bool WasJoystickButtonReleased(UInt32, UInt32) const override { return false; }
    Bool GetJoystickAxes(UInt32, Float&, Float&, Float&) const override { return false; }
    Bool GetJoystickRotationAxes(UInt32, Float&, Float&, Float&) const override { return false; }

    Bool IsKeyboardAvailable() const override { return false; }
    Bool IsTextInputActive() const override { return false; }
    Bool SetTextInputActive(Bool) override { return false; }
    Bool GetTypedText(String&) const override { return false; }
    UInt32 GetTypedCharacter(UInt32) const override { return 0; }

    Bool IsMotionAvailable() const override { return false; }
    Bool IsMotionActive() const override { return false; }
    Bool HasMotionEnded() const override { return false; }

    Bool IsMouseAvailable() const override { return true; }
    Bool HasMouseMoved() const override { return false; }
    Bool GetMousePosition(Float& x, Float& y) const override
    {
        x = mMouseX;
        y = mMouseY;
        return true;
    }
    Bool IsMouseInsideWindow() const override { return IsMouseInsideX() && IsMouseInsideY(); }
    Bool IsMouseInsideX() const override { return mMouseX >= -1.0f && mMouseX <= 1.0f; }
    Bool IsMouseInsideY() const override { return mMouseY >= -1.0f && mMouseY <= 1.0f; }
    Bool IsMouseButtonDown(Enums::MouseButton button) const override
    {
        return button == Enums::MouseButton::LEFT && mMouseDown;
    }
    Bool WasMouseButtonPressed(Enums::MouseButton button) const override
    {
        return button == Enums::MouseButton::LEFT && mMousePressed;
    }
    Bool WasMouseButtonReleased(Enums::MouseButton) const override { return false; }

    Bool IsOrientationAvailable() const override { return false; }
    SInt32 GetDeviceOrientation() const override { return 0; }

    Bool IsRawButtonAvailable() const override { return false; }
    Bool IsRawButtonDown(UInt32) const override { return false; }
    Bool WasRawButtonPressed(UInt32) const override { return false; }
    Bool WasRawButtonReleased(UInt32) const override { return false; }

    Bool IsRawKeyboardAvailable() const override { return false; }
    Bool IsRawKeyDown(UInt32) const override { return false; }
    Bool WasRawKeyPressed(UInt32) const override { return false; }
    Bool WasRawKeyReleased(UInt32) const override { return false; }

    Bool IsRawMouseAvailable() const override { return false; }
    Bool GetRawMouseMotion(Float&, Float&) const override { return false; }
    Bool GetMouseWheelDelta(Float&, Float&) const override { return false; }

    UInt32 GetNumberOfTouches() const override { return UInt32(mTouches.size()); }
    Bool IsTouchDown(UInt32 touch) const override { return touch < mTouches.size() && mTouches[touch].mDown; }
    Bool WasTouchPressed(UInt32 touch) const override { return touch < mTouches.size() && mTouches[touch].mPressed; }
    Bool WasTouchReleased(UInt32) const override { return false; }
    Bool HasTouchMoved(UInt32) const override { return false; }
    Bool GetTouchPosition(UInt32 touch, Float& x, Float& y) const override
    {
        if (touch >= mTouches.size())
            return false;
        x = mTouches[touch].mX;
        y = mTouches[touch].mY;
        return true;
    }
    Bool WasTouchCancelled(UInt32) const override { return false; }

    Bool IsControlCAvailable() const override { return false; }
    Bool IsControlDAvailable() const override { return false; }
    Bool IsControlAAvailable() const override { return false; }

    Bool IsScoreServiceAvailable() const override { return false; }
    UInt32 GetScoreServiceState() const override { return 0; }
    Bool SignInToScoreService() override { return false; }
    Bool GetScoreServicePlayerId(String&) const override { return false; }
    Bool GetScoreServicePlayerAlias(String&) const override { return false; }
    Bool ShowScoreServiceLeaderboard(const String&) override { return false; }

    Bool IsSystemDialogAvailable() const override { return false; }
    SInt32 CreateAlert(const String&, const String&, const String&, const String&) override { return -1; }
    Bool IsAlertAnswered(SInt32) const override { return false; }
    UInt32 GetAlertAnswer(SInt32) const override { return 0; }
    Bool DestroyAlert(SInt32) override { return false; }

    Bool IsWebControlAvailable() const override { return false; }
    Bool CanOpenLinks() const override { return false; }
    Bool OpenUrl(const String&) override { return false; }
    IUrlRequest* CreateUrlRequest(const String&) override { return nullptr; }
    void DestroyUrlRequest(IUrlRequest*& request) override { request = nullptr; }

    Bool IsScreenshotControlAvailable() const override { return false; }
    Bool RequestScreenshot() override { return false; }
    Bool RequestScreenshotRelease() override { return false; }
    Bool IsScreenshotBusy() const override { return false; }
    Bool IsScreenshotReady() const override { return false; }

    Bool RequestQuit() override { return false; }

    Input::IDeviceHandler* GetInputDeviceHandler() const override { return nullptr; }
    Output::IDeviceHandler* GetOutputDeviceHandler() const override { return nullptr; }
};

} // namespace Testing
} // namespace Vorn
