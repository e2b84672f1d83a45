#include "platform/win32/system_dialog_control.h"

#include <gtest/gtest.h>

#include <functional>

namespace Vorn {
namespace {

class SystemDialogControlTest : public ::testing::Test
{
protected:
    // Pumps the thread's messages, the dialog's keys first, until the condition holds or a
    // minute of message waits went by: a loaded machine can take seconds to deliver a click.
    static bool PumpUntil(const std::function<bool()>& condition)
    {
        for (int wait = 0; wait < 1200 && !condition(); ++wait) {
            MSG message;
            while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) {
                if (Win32::SystemDialogControl::HandleDialogMessage(&message))
                    continue;
                TranslateMessage(&message);
                DispatchMessageW(&message);
            }
            MsgWaitForMultipleObjects(0, nullptr, FALSE, 50, QS_ALLINPUT);
        }
        return condition();
    }

    // Shows the dialog and publishes it as open.
    HWND Show(ISystemDialog* dialog)
    {
        dialog->Open();
        mControl.Process();
        mControl.Update();
        EXPECT_TRUE(dialog->IsOpen());
        EXPECT_TRUE(dialog->WasOpened());
        HWND window = Win32::SystemDialogControl::GetVisibleDialog();
        EXPECT_NE(window, nullptr);
        if (window != nullptr) {
            SetForegroundWindow(window);
            // A click or key sent before the window is shown and in front would go elsewhere.
            EXPECT_TRUE(PumpUntil([&] { return IsWindowVisible(window) && GetForegroundWindow() == window; }));
        }
        return window;
    }

    // Waits for the window to go, then expects one closed report with the result.
    void ExpectClosedWith(ISystemDialog* dialog, SInt32 result)
    {
        auto* win32Dialog = static_cast<Win32::SystemDialog*>(dialog);
        EXPECT_TRUE(PumpUntil([&] { return win32Dialog->GetState() == Win32::SystemDialog::kIdle; }));
        mControl.Process();
        mControl.Update();
        EXPECT_FALSE(dialog->IsOpen());
        EXPECT_TRUE(dialog->WasClosed());
        EXPECT_EQ(dialog->GetResult(), result);
        mControl.Update();
        EXPECT_FALSE(dialog->WasClosed());
        EXPECT_EQ(Win32::SystemDialogControl::GetVisibleDialog(), nullptr);
    }

    static void Click(HWND button)
    {
        RECT rectangle = {};
        GetWindowRect(button, &rectangle);
        SetCursorPos((rectangle.left + rectangle.right) / 2, (rectangle.top + rectangle.bottom) / 2);
        INPUT inputs[2] = {};
        inputs[0].type = INPUT_MOUSE;
        inputs[0].mi.dwFlags = MOUSEEVENTF_LEFTDOWN;
        inputs[1].type = INPUT_MOUSE;
        inputs[1].mi.dwFlags = MOUSEEVENTF_LEFTUP;
        SendInput(2, inputs, sizeof(INPUT));
    }

    static void PressKey(WORD key)
    {
        INPUT inputs[2] = {};
        inputs[0].type = INPUT_KEYBOARD;
        inputs[0].ki.wVk = key;
        inputs[1].type = INPUT_KEYBOARD;
        inputs[1].ki.wVk = key;
        inputs[1].ki.dwFlags = KEYEVENTF_KEYUP;
        SendInput(2, inputs, sizeof(INPUT));
    }

    Win32::SystemDialogControl mControl;
};

TEST_F(SystemDialogControlTest, LayoutPlacesTheFirstLabelAtTheRight)
{
    const struct
    {
        SIZE mMessage;
        std::vector<SIZE> mLabels;
        SInt32 mWidth, mHeight;
        Float mGap;
        std::vector<SInt32> mButtonX;
    } cases[] = {
        // Buttons wider than the message set the width; gaps of 4.
        {{100, 20}, {{30, 12}, {40, 12}, {50, 12}}, 160, 56, 4.0f, {118, 66, 4}},
        // A wide message spreads two buttons apart.
        {{300, 40}, {{30, 12}, {40, 14}}, 312, 78, 218.0f, {270, 4}},
        // One button keeps the gap of 4.
        {{200, 10}, {{20, 10}}, 212, 44, 4.0f, {4}},
        // Fractional gaps add up before truncation.
        {{101, 10}, {{10, 10}, {10, 10}, {10, 10}}, 113, 44, 25.5f, {91, 47, 4}},
    };
    for (const auto& c : cases) {
        const auto layout = Win32::SystemDialogControl::ComputeLayout(c.mMessage.cx, c.mMessage.cy, c.mLabels);
        EXPECT_EQ(layout.mWidth, c.mWidth) << c.mMessage.cx;
        EXPECT_EQ(layout.mHeight, c.mHeight) << c.mMessage.cx;
        EXPECT_EQ(layout.mGap, c.mGap) << c.mMessage.cx;
        EXPECT_EQ(layout.mButtonX, c.mButtonX) << c.mMessage.cx;
        EXPECT_EQ(layout.mButtonY, c.mMessage.cy + 16) << c.mMessage.cx;
    }
}

TEST_F(SystemDialogControlTest, ClickedMiddleButtonGivesItsIndexOnce)
{
    ISystemDialog* dialog = mControl.CreateDialog("Question", "Which one?", "First", "Second", "Third");
    ASSERT_EQ(dialog->GetNumberOfButtons(), 3u);
    EXPECT_STREQ(dialog->GetButtonLabel(1).GetText(), "Second");
    EXPECT_STREQ(dialog->GetButtonLabel(3).GetText(), "");
    HWND window = Show(dialog);
    ASSERT_NE(window, nullptr);
    wchar_t title[32] = {};
    GetWindowTextW(window, title, 32);
    EXPECT_STREQ(title, L"Question");
    HWND middle = GetDlgItem(window, Win32::SystemDialogControl::kFirstButtonId + 1);
    ASSERT_NE(middle, nullptr);
    // The default (first) button stands at the right of the middle one.
    RECT first = {};
    RECT second = {};
    GetWindowRect(GetDlgItem(window, Win32::SystemDialogControl::kFirstButtonId), &first);
    GetWindowRect(middle, &second);
    EXPECT_GT(first.left, second.left);

    Click(middle);
    ExpectClosedWith(dialog, 1);
    mControl.DestroyDialog(dialog);
}

TEST_F(SystemDialogControlTest, EscAndTheCloseBoxGiveZero)
{
    ISystemDialog* dialog = mControl.CreateDialog("Question", "Leave?", "Stay", "Leave");
    ASSERT_NE(Show(dialog), nullptr);
    PressKey(VK_ESCAPE);
    ExpectClosedWith(dialog, 0);

    HWND window = Show(dialog);
    ASSERT_NE(window, nullptr);
    PostMessageW(window, WM_SYSCOMMAND, SC_CLOSE, 0);
    ExpectClosedWith(dialog, 0);
}

TEST_F(SystemDialogControlTest, CloseFromTheGameReportsItsResult)
{
    ISystemDialog* dialog = mControl.CreateDialog("Notice", "Saved.", "OK");
    dialog->Close(5); // not shown: nothing
    ASSERT_NE(Show(dialog), nullptr);
    dialog->Close(5);
    mControl.Process();
    ExpectClosedWith(dialog, 5);
}

TEST_F(SystemDialogControlTest, ASecondDialogWhileOneIsVisibleStaysIdle)
{
    ISystemDialog* first = mControl.CreateDialog("One", "First", "OK");
    ISystemDialog* second = mControl.CreateDialog("Two", "Second", "OK");
    ASSERT_NE(Show(first), nullptr);
    second->Open();
    mControl.Process();
    mControl.Update();
    EXPECT_EQ(static_cast<Win32::SystemDialog*>(second)->GetState(), Win32::SystemDialog::kIdle);
    EXPECT_FALSE(second->IsOpen());
    EXPECT_FALSE(second->WasOpened());
    EXPECT_FALSE(second->WasClosed());
    mControl.DestroyDialog(first);
    EXPECT_EQ(Win32::SystemDialogControl::GetVisibleDialog(), nullptr);
    // A dialog of another control is left alone.
    Win32::SystemDialogControl other;
    other.DestroyDialog(second);
    EXPECT_STREQ(second->GetTitle().GetText(), "Two");
}

} // namespace
} // namespace Vorn
