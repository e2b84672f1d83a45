// A Windows display interface without a device, for window tests and the window input probe: it
// records the window it was given, its de-initialisations and the sizes it was told.
#pragma once

#include <string>
#include <utility>
#include <vector>

#include "platform/win32/dx9_display_interface.h"

namespace Vorn {
namespace Testing {

class FakeWin32DisplayInterface : public Win32::DisplayInterface
{
public:
    Bool AllowsAnyThread() const override { return true; }
    void* GetContextA() override { return nullptr; }
    void SetValueA(UInt32) override {}
    Bool IsValueB(UInt32) const override { return false; }
    Bool IsValueC(UInt32) const override { return false; }
    void* GetRenderContext() override { return nullptr; }
    Bool ActivateRenderContext() override { return mActivateResult; }
    Bool DeactivateRenderContext() override { return true; }
    void* GetLoaderContext() override { return nullptr; }
    Bool ActivateLoaderContext() override { return true; }
    Bool DeactivateLoaderContext() override { return true; }
    Bool IsFlagA() const override { return true; }
    Bool Init(HINSTANCE, HWND window, HDC, const wchar_t* className) override
    {
        mWindow = window;
        mClassName = className;
        return true;
    }
    Bool DeInit() override
    {
        ++mDeInits;
        return true;
    }
    Bool SetSize(UInt32 width, UInt32 height) override
    {
        mSizes.emplace_back(width, height);
        return true;
    }

    HWND mWindow = nullptr;
    std::wstring mClassName;
    // What ActivateRenderContext answers.
    Bool mActivateResult = true;
    int mDeInits = 0;
    std::vector<std::pair<UInt32, UInt32>> mSizes;
};

} // namespace Testing
} // namespace Vorn
