// Modeless message boxes for the game: a dialog built from an in-memory template in the system
// dialog font with a title, a centred message and a row of buttons. The game opens and closes a
// dialog from its logic; the main-thread step shows and destroys the window, and the step update
// publishes opened, closed and the pressed button for one step each. One dialog window at a time.
#pragma once

#include <windows.h>
// The control's own names, not the ANSI/wide switches.
#undef CreateDialog
#undef GetMessage

#include <mutex>
#include <vector>

#include "foundation/array.h"
#include "foundation/string.h"
#include "platform/system_dialog.h"

namespace Vorn {
namespace Win32 {

class SystemDialogControl;

class SystemDialog : public ISystemDialog
{
public:
    enum State : UInt32 { kIdle = 0, kOpenRequested = 1, kShown = 2, kCloseRequested = 3 };

    SystemDialog(SystemDialogControl* control, const String& title, const String& message);
    ~SystemDialog() override;

    String GetTitle() const override { return mTitle; }
    String GetMessage() const override { return mMessage; }
    UInt32 GetNumberOfButtons() const override { return UInt32(mLabels.GetCount()); }
    String GetButtonLabel(UInt32 index) const override;
    void AddButton(const String& label) override { mLabels.Add(label); }
    void Open() override;
    void Close(SInt32 result) override;
    Bool IsOpen() const override;
    Bool WasOpened() const override;
    Bool WasClosed() const override;
    SInt32 GetResult() const override;

    UInt32 GetState() const;
    SystemDialogControl* GetControl() const { return mControl; }

    // The main-thread step and the step update of this dialog.
    void Process(HWND parent);
    void Update();

    static INT_PTR CALLBACK DialogProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);

private:
    SystemDialog(const SystemDialog&) = delete;
    SystemDialog& operator=(const SystemDialog&) = delete;

    // Creates and shows the window; false while another dialog window is visible.
    Bool Show(HWND parent);

    UInt32 mState = kIdle;
    SystemDialogControl* mControl;
    String mTitle;
    String mMessage;
    Array<String> mLabels;
    Bool mOpen = false;
    Bool mJustOpened = false;
    Bool mJustClosed = false;
    SInt32 mClosingResult = 0;
    SInt32 mPressedButton = 0;
    // The window procedure runs inside the main-thread step, which holds the lock.
    mutable std::recursive_mutex mLock;
};

class SystemDialogControl : public ISystemDialogControl
{
public:
    // Where the pieces of a dialog stand, in dialog units.
    struct Layout
    {
        SInt32 mWidth = 0;
        SInt32 mHeight = 0;
        Float mGap = 4.0f;
        // The message's box.
        SInt32 mMessageWidth = 0;
        SInt32 mMessageHeight = 0;
        // Left edge of each button, by label index (the first label stands at the right).
        std::vector<SInt32> mButtonX;
        std::vector<SInt32> mButtonWidth;
        SInt32 mButtonY = 0;
        SInt32 mButtonHeight = 0;
    };

    static constexpr WORD kMessageId = 150;
    static constexpr WORD kFirstButtonId = 151;

    SystemDialogControl() = default;
    ~SystemDialogControl() override;

    void SetParent(HWND parent) { mParent = parent; }

    void Process() override;
    void Update() override;
    void ConfigChanged(IConfiguration*, UInt32) override {}

    ISystemDialog* CreateDialog(const String& title, const String& message, const Array<String>& labels) override;
    ISystemDialog* CreateDialog(const String& title, const String& message, const String& label1,
                                const String& label2, const String& label3) override;
    ISystemDialog* CreateDialog(const String& title, const String& message, const String& label1,
                                const String& label2) override;
    ISystemDialog* CreateDialog(const String& title, const String& message, const String& label) override;
    void DestroyDialog(ISystemDialog* dialog) override;

    // The dialog layout of measured text: the message's width and height and each label's.
    static Layout ComputeLayout(SInt32 textWidth, SInt32 textHeight, const std::vector<SIZE>& labels);

    // The window of the visible dialog, or null.
    static HWND GetVisibleDialog();
    // Hands a message to the visible dialog's keyboard handling (Tab, Enter, Esc); true when it
    // took the message, which the pump must then not dispatch.
    static Bool HandleDialogMessage(MSG* message);

private:
    friend class SystemDialog;

    HWND mParent = nullptr;
    Array<SystemDialog*> mDialogs;
};

} // namespace Win32
} // namespace Vorn
