#include "platform/win32/system_dialog_control.h"

#include <algorithm>

#include "foundation/debug.h"
#include "platform/win32/wide_chars.h"

namespace Vorn {
namespace Win32 {
namespace {

// The one dialog window that may exist at a time.
HWND sVisibleDialog = nullptr;

constexpr DWORD kDialogStyle = WS_POPUP | WS_CAPTION | WS_SYSMENU | DS_MODALFRAME | DS_SETFONT | DS_FIXEDSYS;
constexpr WORD kStaticAtom = 0x0082;
constexpr WORD kButtonAtom = 0x0080;
constexpr WORD kFontSize = 10;
constexpr WORD kFontWeight = 400;
constexpr const wchar_t* kFontFace = L"MS Shell Dlg";

// An extended dialog template written word by word; items start on 4-byte boundaries.
class TemplateWriter
{
public:
    void Word(WORD value) { mWords.push_back(value); }
    void Dword(DWORD value)
    {
        Word(LOWORD(value));
        Word(HIWORD(value));
    }
    void Text(const char* utf8)
    {
        WChars text(utf8);
        const wchar_t* units = text.Get() != nullptr ? text.Get() : L"";
        WideText(units);
    }
    void WideText(const wchar_t* units)
    {
        for (; *units != 0; ++units)
            Word(WORD(*units));
        Word(0);
    }
    void AlignToDword()
    {
        if (mWords.size() % 2 != 0)
            Word(0);
    }
    void Item(DWORD style, SInt32 x, SInt32 y, SInt32 width, SInt32 height, DWORD id, WORD atom, const char* text)
    {
        AlignToDword();
        Dword(0); // help identifier
        Dword(0); // extended style
        Dword(style);
        Word(WORD(x));
        Word(WORD(y));
        Word(WORD(width));
        Word(WORD(height));
        Dword(id);
        Word(0xFFFF);
        Word(atom);
        Text(text);
        Word(0); // no creation data
    }
    const WORD* Get() const { return mWords.data(); }

private:
    std::vector<WORD> mWords;
};

SIZE Measure(HDC context, const String& text, UINT format)
{
    WChars wide(text.GetText());
    RECT rectangle = {0, 0, 0, 0};
    if (wide.Get() != nullptr)
        DrawTextW(context, wide.Get(), -1, &rectangle, format | DT_CALCRECT);
    return SIZE{rectangle.right - rectangle.left, rectangle.bottom - rectangle.top};
}

} // namespace

// Dialog -----------------------------------------------------------------------------------------

SystemDialog::SystemDialog(SystemDialogControl* control, const String& title, const String& message)
    : mControl(control), mTitle(title), mMessage(message)
{
}

SystemDialog::~SystemDialog() {}

String SystemDialog::GetButtonLabel(UInt32 index) const
{
    return index < UInt32(mLabels.GetCount()) ? mLabels[SInt32(index)] : String();
}

void SystemDialog::Open()
{
    std::lock_guard<std::recursive_mutex> lock(mLock);
    if (mState == kIdle)
        mState = kOpenRequested;
}

void SystemDialog::Close(SInt32 result)
{
    std::lock_guard<std::recursive_mutex> lock(mLock);
    if (mState == kShown) {
        mState = kCloseRequested;
        mPressedButton = result;
    }
}

Bool SystemDialog::IsOpen() const
{
    std::lock_guard<std::recursive_mutex> lock(mLock);
    return mOpen;
}

Bool SystemDialog::WasOpened() const
{
    std::lock_guard<std::recursive_mutex> lock(mLock);
    return mJustOpened;
}

Bool SystemDialog::WasClosed() const
{
    std::lock_guard<std::recursive_mutex> lock(mLock);
    return mJustClosed;
}

SInt32 SystemDialog::GetResult() const
{
    std::lock_guard<std::recursive_mutex> lock(mLock);
    return mClosingResult;
}

UInt32 SystemDialog::GetState() const
{
    std::lock_guard<std::recursive_mutex> lock(mLock);
    return mState;
}

void SystemDialog::Process(HWND parent)
{
    std::lock_guard<std::recursive_mutex> lock(mLock);
    if (mState == kOpenRequested) {
        mState = Show(parent) ? kShown : kIdle;
    } else if (mState == kCloseRequested) {
        // Its WM_DESTROY makes the dialog idle.
        if (sVisibleDialog != nullptr && GetWindowLongPtrW(sVisibleDialog, DWLP_USER) == LONG_PTR(this))
            DestroyWindow(sVisibleDialog);
        mState = kIdle;
    }
}

void SystemDialog::Update()
{
    std::lock_guard<std::recursive_mutex> lock(mLock);
    if (mOpen) {
        mJustOpened = false;
        if (mState == kIdle) {
            mOpen = false;
            mJustClosed = true;
            mClosingResult = mPressedButton;
        } else {
            mJustClosed = false;
        }
    } else if (mState == kShown) {
        mOpen = true;
        mJustOpened = true;
        mJustClosed = false;
    } else {
        mJustOpened = false;
        mJustClosed = false;
    }
}

Bool SystemDialog::Show(HWND parent)
{
    if (sVisibleDialog != nullptr) {
        Debug::Trace("Win32::SystemDialog::Show(): Another dialog is visible");
        return false;
    }
    HDC context = GetDC(parent);
    HFONT font = CreateFontW(kFontSize, 0, 0, 0, kFontWeight, FALSE, FALSE, FALSE, DEFAULT_CHARSET, OUT_DEFAULT_PRECIS,
                             CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY, DEFAULT_PITCH, kFontFace);
    HGDIOBJ previous = font != nullptr && context != nullptr ? SelectObject(context, font) : nullptr;
    const SIZE text = context != nullptr ? Measure(context, mMessage, 0) : SIZE{0, 0};
    std::vector<SIZE> labels;
    for (SInt32 i = 0; i < mLabels.GetCount(); ++i)
        labels.push_back(context != nullptr ? Measure(context, mLabels[i], DT_SINGLELINE) : SIZE{0, 0});
    if (previous != nullptr)
        SelectObject(context, previous);
    if (font != nullptr)
        DeleteObject(font);
    if (context != nullptr)
        ReleaseDC(parent, context);
    const SystemDialogControl::Layout layout = SystemDialogControl::ComputeLayout(text.cx, text.cy, labels);

    TemplateWriter writer;
    writer.Word(1);      // version
    writer.Word(0xFFFF); // extended form
    writer.Dword(0);     // help identifier
    writer.Dword(0);     // extended style
    writer.Dword(kDialogStyle);
    writer.Word(WORD(mLabels.GetCount() + 1));
    writer.Word(0);
    writer.Word(0);
    writer.Word(WORD(layout.mWidth));
    writer.Word(WORD(layout.mHeight));
    writer.Word(0); // no menu
    writer.Word(0); // default class
    writer.Text(mTitle.GetText());
    writer.Word(kFontSize);
    writer.Word(kFontWeight);
    writer.Word(0); // not italic, character set 0
    writer.WideText(kFontFace);
    writer.Item(WS_CHILD | WS_VISIBLE | SS_CENTER, 4, 8, layout.mWidth - 8, layout.mMessageHeight - 4,
                SystemDialogControl::kMessageId, kStaticAtom, mMessage.GetText());
    for (SInt32 i = mLabels.GetCount() - 1; i >= 0; --i) {
        const DWORD style = WS_CHILD | WS_VISIBLE | (i == 0 ? BS_DEFPUSHBUTTON : BS_PUSHBUTTON);
        writer.Item(style, layout.mButtonX[size_t(i)], layout.mButtonY, layout.mButtonWidth[size_t(i)],
                    layout.mButtonHeight, DWORD(SystemDialogControl::kFirstButtonId + i), kButtonAtom,
                    mLabels[i].GetText());
    }

    HWND window = CreateDialogIndirectParamW(GetModuleHandleW(nullptr),
                                             reinterpret_cast<LPCDLGTEMPLATEW>(writer.Get()), parent, DialogProc,
                                             reinterpret_cast<LPARAM>(this));
    if (window == nullptr) {
        Debug::Trace("Win32::SystemDialog::Show(): Failed to create dialog (error %lu)", GetLastError());
        return false;
    }
    ShowWindow(window, SW_SHOW);
    sVisibleDialog = window;
    return true;
}

INT_PTR CALLBACK SystemDialog::DialogProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message == WM_INITDIALOG) {
        SetWindowLongPtrW(window, DWLP_USER, lParam);
        // Centred over the parent, or over the desktop without one.
        HWND parent = GetParent(window);
        RECT outer = {};
        RECT inner = {};
        GetWindowRect(parent != nullptr ? parent : GetDesktopWindow(), &outer);
        GetWindowRect(window, &inner);
        const LONG x = outer.left + ((outer.right - outer.left) - (inner.right - inner.left)) / 2;
        const LONG y = outer.top + ((outer.bottom - outer.top) - (inner.bottom - inner.top)) / 2;
        SetWindowPos(window, nullptr, x, y, 0, 0, SWP_NOSIZE | SWP_NOZORDER);
        SetFocus(GetDlgItem(window, SystemDialogControl::kFirstButtonId));
        return FALSE; // the focus is set here
    }
    SystemDialog* self = reinterpret_cast<SystemDialog*>(GetWindowLongPtrW(window, DWLP_USER));
    if (self == nullptr)
        return FALSE;
    if (message == WM_COMMAND) {
        const SInt32 id = SInt32(LOWORD(wParam));
        const SInt32 buttons = SInt32(self->GetNumberOfButtons());
        if (id == IDCANCEL || (id >= SystemDialogControl::kFirstButtonId &&
                               id < SystemDialogControl::kFirstButtonId + buttons)) {
            {
                std::lock_guard<std::recursive_mutex> lock(self->mLock);
                self->mPressedButton = id == IDCANCEL ? 0 : id - SystemDialogControl::kFirstButtonId;
            }
            DestroyWindow(window);
            return TRUE;
        }
        return FALSE;
    }
    if (message == WM_DESTROY) {
        std::lock_guard<std::recursive_mutex> lock(self->mLock);
        self->mState = kIdle;
        if (sVisibleDialog == window)
            sVisibleDialog = nullptr;
        SetWindowLongPtrW(window, DWLP_USER, 0);
        return FALSE;
    }
    return FALSE;
}

// Control ----------------------------------------------------------------------------------------

SystemDialogControl::~SystemDialogControl()
{
    for (SInt32 i = 0; i < mDialogs.GetCount(); ++i) {
        if (sVisibleDialog != nullptr && GetWindowLongPtrW(sVisibleDialog, DWLP_USER) == LONG_PTR(mDialogs[i]))
            DestroyWindow(sVisibleDialog);
        delete mDialogs[i];
    }
}

void SystemDialogControl::Process()
{
    for (SInt32 i = 0; i < mDialogs.GetCount(); ++i)
        mDialogs[i]->Process(mParent);
}

void SystemDialogControl::Update()
{
    for (SInt32 i = 0; i < mDialogs.GetCount(); ++i)
        mDialogs[i]->Update();
}

ISystemDialog* SystemDialogControl::CreateDialog(const String& title, const String& message,
                                                 const Array<String>& labels)
{
    SystemDialog* dialog = new SystemDialog(this, title, message);
    for (SInt32 i = 0; i < labels.GetCount(); ++i)
        dialog->AddButton(labels[i]);
    mDialogs.Add(dialog);
    return dialog;
}

ISystemDialog* SystemDialogControl::CreateDialog(const String& title, const String& message, const String& label1,
                                                 const String& label2, const String& label3)
{
    Array<String> labels;
    labels.Add(label1);
    labels.Add(label2);
    labels.Add(label3);
    return CreateDialog(title, message, labels);
}

ISystemDialog* SystemDialogControl::CreateDialog(const String& title, const String& message, const String& label1,
                                                 const String& label2)
{
    Array<String> labels;
    labels.Add(label1);
    labels.Add(label2);
    return CreateDialog(title, message, labels);
}

ISystemDialog* SystemDialogControl::CreateDialog(const String& title, const String& message, const String& label)
{
    Array<String> labels;
    labels.Add(label);
    return CreateDialog(title, message, labels);
}

void SystemDialogControl::DestroyDialog(ISystemDialog* dialog)
{
    for (SInt32 i = 0; i < mDialogs.GetCount(); ++i) {
        if (mDialogs[i] != dialog)
            continue;
        if (sVisibleDialog != nullptr && GetWindowLongPtrW(sVisibleDialog, DWLP_USER) == LONG_PTR(mDialogs[i]))
            DestroyWindow(sVisibleDialog);
        delete mDialogs[i];
        mDialogs.RemoveAt(i);
        return;
    }
}

SystemDialogControl::Layout SystemDialogControl::ComputeLayout(SInt32 textWidth, SInt32 textHeight,
                                                               const std::vector<SIZE>& labels)
{
    Layout layout;
    layout.mMessageWidth = textWidth + 4;
    layout.mMessageHeight = textHeight + 8;
    const SInt32 count = SInt32(labels.size());
    SInt32 sum = 0;
    for (const SIZE& label : labels) {
        layout.mButtonWidth.push_back(label.cx + 8);
        sum += label.cx + 8;
        layout.mButtonHeight = std::max(layout.mButtonHeight, SInt32(label.cy + 4));
    }
    if (layout.mMessageWidth + 8 <= sum + 4 * count + 4) {
        layout.mWidth = sum + 4 * count + 4;
    } else {
        layout.mWidth = layout.mMessageWidth + 8;
        if (count > 1)
            layout.mGap = Float(layout.mWidth - sum - 8) / Float(count - 1);
    }
    layout.mHeight = layout.mButtonHeight + layout.mMessageHeight + 12;
    layout.mButtonY = layout.mMessageHeight + 8;
    // Written from the last label to the first, left to right.
    layout.mButtonX.assign(labels.size(), 0);
    Double x = 4.0;
    for (SInt32 i = count - 1; i >= 0; --i) {
        layout.mButtonX[size_t(i)] = SInt32(x);
        x += Double(layout.mButtonWidth[size_t(i)]) + Double(layout.mGap);
    }
    return layout;
}

HWND SystemDialogControl::GetVisibleDialog()
{
    return sVisibleDialog;
}

Bool SystemDialogControl::HandleDialogMessage(MSG* message)
{
    return sVisibleDialog != nullptr && IsWindowVisible(sVisibleDialog) && IsDialogMessageW(sVisibleDialog, message);
}

} // namespace Win32
} // namespace Vorn
