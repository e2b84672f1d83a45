#include "platform/win32/window.h"

#include <gtest/gtest.h>

#include <cmath>
#include <string>
#include <tuple>
#include <vector>

#include "core/configuration.h"
#include "input/device.h"
#include "platform/win32/configuration_control.h"
#include "platform/win32/dx9_display_interface.h"
#include "tests/support/fake_win32_display_interface.h"
#include "tests/support/recording_input_sinks.h"

namespace Vorn {
namespace {

class CountingOwner : public Win32::IWindowOwner
{
public:
    void RunFrame() override { ++mFrames; }
    int mFrames = 0;
};

class WindowTest : public ::testing::Test, public Win32::IWindowPlatform
{
protected:
    void SetUp() override
    {
        mConfiguration.SetDisplayName("Vorn Window Test");
        mConfiguration.SetDisplaySurfaceSize(640, 400);
        mConfiguration.SetAspectRatio(1.6f);
        mConfiguration.SetFullScreen(false);
        mControl.Init(&mConfiguration);
        ASSERT_TRUE(mWindow.RegisterWindowClass(&mOwner, this, nullptr));
    }
    void TearDown() override { EXPECT_TRUE(mWindow.UnregisterWindowClass()); }

    IConfiguration* GetConfiguration() override { return &mConfiguration; }
    IKeyboard* GetKeyboardDevice() override { return &mKeyboard; }
    IMouse* GetMouseDevice() override { return &mMouse; }
    IRawMouse* GetRawMouseDevice() override { return &mRawMouse; }
    Win32::DisplayInterface* GetDisplayInterface() override { return &mDisplay; }
    Win32::ConfigurationControl* GetConfigurationControl() override { return &mControl; }

    LRESULT Send(UINT message, WPARAM wParam, LPARAM lParam)
    {
        return SendMessageW(mWindow.GetHandle(), message, wParam, lParam);
    }

    Core::Configuration mConfiguration;
    Win32::ConfigurationControl mControl;
    Testing::FakeWin32DisplayInterface mDisplay;
    Testing::RecordingKeyboard mKeyboard;
    Testing::RecordingMouse mMouse;
    Testing::RecordingRawMouse mRawMouse;
    CountingOwner mOwner;
    Win32::Window mWindow;
};

TEST_F(WindowTest, CreatesTheClassWindowTitledWithTheDisplayNameAtTheConfiguredClientSize)
{
    ASSERT_TRUE(mWindow.Create());
    HWND handle = mWindow.GetHandle();
    wchar_t text[64] = {};
    GetClassNameW(handle, text, 64);
    EXPECT_STREQ(text, L"VornWindow");
    GetWindowTextW(handle, text, 64);
    EXPECT_STREQ(text, L"Vorn Window Test");
    RECT client = {};
    GetClientRect(handle, &client);
    EXPECT_EQ(client.right, 640);
    EXPECT_EQ(client.bottom, 400);
    EXPECT_EQ(mDisplay.mWindow, handle);
    EXPECT_EQ(mDisplay.mClassName, L"VornWindow");
    EXPECT_EQ(mConfiguration.GetDisplayWidth(), 640u);
    EXPECT_EQ(mConfiguration.GetDisplayHeight(), 400u);
    EXPECT_TRUE(mWindow.Create());

    // Paint messages run frames.
    Send(WM_PAINT, 0, 0);
    EXPECT_EQ(mOwner.mFrames, 1);
    EXPECT_TRUE(mWindow.Destroy());
    EXPECT_EQ(mDisplay.mDeInits, 1);
    EXPECT_TRUE(mWindow.Destroy());
    EXPECT_EQ(mDisplay.mDeInits, 1);
}

TEST_F(WindowTest, AFailedDisplayDestroysTheWindowAgain)
{
    mDisplay.mActivateResult = false;
    EXPECT_FALSE(mWindow.Create());
    EXPECT_FALSE(mWindow.IsCreated());
    EXPECT_EQ(mWindow.GetHandle(), nullptr);
    EXPECT_FALSE(IsWindow(mDisplay.mWindow));
    EXPECT_EQ(mDisplay.mDeInits, 1);

    Win32::Window unregistered;
    EXPECT_FALSE(unregistered.Create());
    EXPECT_FALSE(unregistered.Destroy());
    // The class is taken already.
    Win32::Window second;
    EXPECT_FALSE(second.RegisterWindowClass(&mOwner, this, nullptr));
}

TEST_F(WindowTest, ButtonsAtTheClientEdgesGivePointerPositionsFromMinusOneToOne)
{
    ASSERT_TRUE(mWindow.Create());
    mMouse.mEvents.clear();
    Send(WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(0, 0));
    Send(WM_LBUTTONUP, 0, MAKELPARAM(639, 399));
    Send(WM_RBUTTONDOWN, MK_RBUTTON, MAKELPARAM(639, 0));
    Send(WM_MBUTTONUP, 0, MAKELPARAM(0, 399));
    using Event = std::tuple<UInt32, UInt32, Float, Float>;
    const std::vector<Event> expected = {
        Event{1, 0, -1.0f, 1.0f}, Event{2, 0, 1.0f, -1.0f}, Event{1, 1, 1.0f, 1.0f}, Event{2, 2, -1.0f, -1.0f}};
    EXPECT_EQ(mMouse.mEvents, expected);
}

TEST_F(WindowTest, TinyClientsGiveFinitePointerPositions)
{
    for (SInt32 size : {0, 1}) {
        EXPECT_TRUE(std::isfinite(Win32::Window::ToPointerX(0, size)));
        EXPECT_TRUE(std::isfinite(Win32::Window::ToPointerY(0, size)));
        EXPECT_TRUE(std::isfinite(Win32::Window::ToPointerX(5, size)));
    }
    EXPECT_EQ(Win32::Window::ToPointerX(2, 5), 0.0f);
}

TEST_F(WindowTest, WheelNotchesReachTheRawMouseAndSmallerTurnsNothing)
{
    ASSERT_TRUE(mWindow.Create());
    Send(WM_MOUSEWHEEL, MAKEWPARAM(0, 120), 0);
    Send(WM_MOUSEWHEEL, MAKEWPARAM(0, WORD(-120)), 0);
    Send(WM_MOUSEWHEEL, MAKEWPARAM(0, 60), 0);
    Send(WM_MOUSEHWHEEL, MAKEWPARAM(0, 240), 0);
    using Event = std::tuple<UInt32, SInt32, SInt32>;
    const std::vector<Event> expected = {Event{2, 0, 1}, Event{2, 0, -1}, Event{2, 2, 0}};
    EXPECT_EQ(mRawMouse.mEvents, expected);
}

TEST_F(WindowTest, CharactersReachTheKeyboardAsUtf8AndLoneSurrogatesAreDropped)
{
    ASSERT_TRUE(mWindow.Create());
    Send(WM_CHAR, L'a', 0);
    Send(WM_CHAR, 0x00E9, 0);
    Send(WM_CHAR, 0xD83D, 0); // U+1F600 in two halves
    Send(WM_CHAR, 0xDE00, 0);
    Send(WM_CHAR, 0xDE00, 0); // a second half alone
    Send(WM_CHAR, 0xD83D, 0); // a first half followed by no second half
    Send(WM_CHAR, L'b', 0);
    const std::vector<std::string> expected = {"a", "\xC3\xA9", "\xF0\x9F\x98\x80", "b"};
    EXPECT_EQ(mKeyboard.mTexts, expected);
}

TEST_F(WindowTest, AltEnterTogglesTheFullScreenRequestOncePerPress)
{
    ASSERT_TRUE(mWindow.Create());
    const LPARAM alt = LPARAM(1) << 29;
    const LPARAM repeat = LPARAM(1) << 30;
    EXPECT_EQ(Send(WM_SYSKEYDOWN, VK_RETURN, alt), 0);
    EXPECT_TRUE(mControl.GetFullScreenRequested());
    EXPECT_EQ(Send(WM_SYSKEYDOWN, VK_RETURN, alt | repeat), 0);
    EXPECT_EQ(Send(WM_SYSKEYDOWN, VK_RETURN, 0), 0);
    EXPECT_TRUE(mControl.GetFullScreenRequested());
    // A second press before the frame takes the request cancels it.
    EXPECT_EQ(Send(WM_SYSKEYDOWN, VK_RETURN, alt), 0);
    EXPECT_FALSE(mControl.GetFullScreenRequested());
    mControl.Process();
    EXPECT_FALSE(mConfiguration.GetFullScreen());
}

TEST_F(WindowTest, ScreenSaverAndMonitorPowerCommandsAreSwallowed)
{
    ASSERT_TRUE(mWindow.Create());
    EXPECT_EQ(Send(WM_SYSCOMMAND, SC_SCREENSAVE, 0), 0);
    EXPECT_EQ(Send(WM_SYSCOMMAND, SC_MONITORPOWER, 2), 0);
    EXPECT_TRUE(IsWindow(mWindow.GetHandle()));
}

TEST_F(WindowTest, DraggedFrameKeepsTheAspectRatio)
{
    mConfiguration.SetFixedAspectRatio(true);
    ASSERT_TRUE(mWindow.Create());
    RECT window = {};
    RECT client = {};
    GetWindowRect(mWindow.GetHandle(), &window);
    GetClientRect(mWindow.GetHandle(), &client);
    const LONG frameWidth = (window.right - window.left) - client.right;
    const LONG frameHeight = (window.bottom - window.top) - client.bottom;
    // The dragged rectangle's client would be 800 x 400; the ratio is 1.6.
    const RECT dragged = {100, 100, 100 + 800 + frameWidth, 100 + 400 + frameHeight};
    // In double precision from the stored float ratio, truncated: 800 / 1.6f is just below 500.
    const LONG followWidth = LONG(400 * Double(1.6f)) + frameWidth;
    const LONG followHeight = LONG(800 / Double(1.6f)) + frameHeight;
    const struct
    {
        WPARAM mEdge;
        RECT mExpected;
    } cases[] = {
        {WMSZ_LEFT, {100, 100, dragged.right, 100 + followHeight}},
        {WMSZ_RIGHT, {100, 100, dragged.right, 100 + followHeight}},
        {WMSZ_TOP, {100, 100, 100 + followWidth, dragged.bottom}},
        {WMSZ_BOTTOM, {100, 100, 100 + followWidth, dragged.bottom}},
        {WMSZ_TOPRIGHT, {100, 100, 100 + followWidth, dragged.bottom}},
        {WMSZ_BOTTOMRIGHT, {100, 100, 100 + followWidth, dragged.bottom}},
        {WMSZ_TOPLEFT, {dragged.right - followWidth, 100, dragged.right, dragged.bottom}},
        {WMSZ_BOTTOMLEFT, {dragged.right - followWidth, 100, dragged.right, dragged.bottom}},
    };
    for (const auto& c : cases) {
        RECT rectangle = dragged;
        EXPECT_EQ(Send(WM_SIZING, c.mEdge, reinterpret_cast<LPARAM>(&rectangle)), TRUE);
        EXPECT_EQ(rectangle.left, c.mExpected.left) << c.mEdge;
        EXPECT_EQ(rectangle.top, c.mExpected.top) << c.mEdge;
        EXPECT_EQ(rectangle.right, c.mExpected.right) << c.mEdge;
        EXPECT_EQ(rectangle.bottom, c.mExpected.bottom) << c.mEdge;
    }
    // Without the setting the rectangle is the user's.
    mConfiguration.SetFixedAspectRatio(false);
    RECT rectangle = dragged;
    Send(WM_SIZING, WMSZ_RIGHT, reinterpret_cast<LPARAM>(&rectangle));
    EXPECT_EQ(rectangle.bottom, dragged.bottom);
}

TEST_F(WindowTest, MinimisedPublishesAZeroSizeAndRestoredTheRealOne)
{
    ASSERT_TRUE(mWindow.Create());
    Send(WM_SIZE, SIZE_MINIMIZED, 0);
    EXPECT_TRUE(mWindow.IsMinimised());
    Send(WM_SIZE, SIZE_RESTORED, MAKELPARAM(640, 400));
    EXPECT_FALSE(mWindow.IsMinimised());
    EXPECT_EQ(mConfiguration.GetDisplayWidth(), 640u);

    ShowWindow(mWindow.GetHandle(), SW_MINIMIZE);
    EXPECT_TRUE(mWindow.IsMinimised());
    EXPECT_EQ(mConfiguration.GetDisplayWidth(), 0u);
    EXPECT_EQ(mConfiguration.GetDisplayHeight(), 0u);
    EXPECT_EQ(mDisplay.mSizes.back(), std::make_pair(0u, 0u));
    ShowWindow(mWindow.GetHandle(), SW_RESTORE);
    EXPECT_FALSE(mWindow.IsMinimised());
    EXPECT_EQ(mConfiguration.GetDisplayWidth(), 640u);
    EXPECT_EQ(mConfiguration.GetDisplayHeight(), 400u);
}

TEST_F(WindowTest, FullScreenCoversTheMonitorAndWindowedComesBack)
{
    ASSERT_TRUE(mWindow.Create());
    RECT windowed = {};
    GetWindowRect(mWindow.GetHandle(), &windowed);
    mWindow.SetFullScreen(true);
    EXPECT_TRUE(mConfiguration.GetFullScreen());
    RECT full = {};
    GetWindowRect(mWindow.GetHandle(), &full);
    EXPECT_EQ(full.left, 0);
    EXPECT_EQ(full.top, 0);
    EXPECT_EQ(full.right, GetSystemMetrics(SM_CXSCREEN));
    EXPECT_EQ(full.bottom, GetSystemMetrics(SM_CYSCREEN));
    EXPECT_EQ(GetWindowLongW(mWindow.GetHandle(), GWL_STYLE) & WS_CAPTION, 0);

    mWindow.SetFullScreen(false);
    EXPECT_FALSE(mConfiguration.GetFullScreen());
    RECT back = {};
    GetWindowRect(mWindow.GetHandle(), &back);
    EXPECT_EQ(back.left, windowed.left);
    EXPECT_EQ(back.top, windowed.top);
    EXPECT_EQ(back.right, windowed.right);
    EXPECT_EQ(back.bottom, windowed.bottom);
    EXPECT_EQ(mConfiguration.GetDisplayWidth(), 640u);
}

} // namespace
} // namespace Vorn
