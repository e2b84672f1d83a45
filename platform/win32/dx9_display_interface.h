// The Windows display interfaces: Win32::DisplayInterface, the base that the window and the
// frame drive, and Win32::Dx9DisplayInterface, which owns the Direct3D 9 object and device that
// the engine's Direct3D 9 renderer draws with. The window is drawn through an additional swap
// chain of the display size, recreated when the window's size changes; a lost device is reset
// with the engine suspended around it.
#pragma once

#include <windows.h>

#include <d3d9.h>

#include <memory>

#include "platform/display_interface.h"

namespace Vorn {

class IConfiguration;

namespace Win32 {

// The engine's run state as the platform keeps it: each operation changes the state only when
// it differs, and answers false when the engine refuses.
class IEngineRunState
{
public:
    virtual Bool IsSuspended() const = 0;
    virtual Bool Suspend() = 0;
    virtual Bool Resume() = 0;
    virtual ~IEngineRunState() {}
};

class DisplayInterface : public IDisplayInterface
{
public:
    DisplayInterface();
    ~DisplayInterface() override;

    // A slot only other platforms fill; true.
    virtual Bool IsFlagA() const = 0;
    // Creates the device for the window; false on failure, leaving what was made for DeInit.
    virtual Bool Init(HINSTANCE instance, HWND window, HDC deviceContext, const wchar_t* className) = 0;
    virtual Bool DeInit() = 0;
    // Follows the window's client size.
    virtual Bool SetSize(UInt32 width, UInt32 height) = 0;
    // Before the engine's frame; false skips the frame without ending the program.
    virtual Bool BeginFrame(IEngineRunState* runState);
    virtual Bool EndFrame(IEngineRunState* runState);
    // Presents the frame; false ends the program.
    virtual Bool SwapBuffers(IEngineRunState* runState);

protected:
    // Orders the context brackets of the threads.
    std::unique_ptr<CRITICAL_SECTION> mCriticalSection;

private:
    DisplayInterface(const DisplayInterface&) = delete;
    DisplayInterface& operator=(const DisplayInterface&) = delete;
};

class Dx9DisplayInterface : public DisplayInterface
{
public:
    explicit Dx9DisplayInterface(IConfiguration* configuration);
    ~Dx9DisplayInterface() override;

    Bool AllowsAnyThread() const override { return true; }
    void* GetContextA() override { return nullptr; }
    void SetValueA(UInt32) override {}
    Bool IsValueB(UInt32) const override { return false; }
    Bool IsValueC(UInt32) const override { return false; }
    // The IDirect3DDevice9.
    void* GetRenderContext() override { return mDevice; }
    Bool ActivateRenderContext() override;
    Bool DeactivateRenderContext() override;
    void* GetLoaderContext() override { return nullptr; }
    Bool ActivateLoaderContext() override;
    Bool DeactivateLoaderContext() override;
    Bool IsFlagA() const override { return true; }

    Bool Init(HINSTANCE instance, HWND window, HDC deviceContext, const wchar_t* className) override;
    // Releases swap chain, device and Direct3D object; true.
    Bool DeInit() override;
    // Keeps the swap chain while the device is lost or for a zero size.
    Bool SetSize(UInt32 width, UInt32 height) override;
    // False while the window is on a monitor without adapter, and while a lost device cannot be
    // reset yet (after waiting 100 ms); the engine is resumed and the configuration's suspend
    // settings are as before on every way out.
    Bool BeginFrame(IEngineRunState* runState) override;
    // Presents the window swap chain; a lost device is noted and reported as success.
    Bool SwapBuffers(IEngineRunState* runState) override;

    IDirect3DDevice9* GetDevice() const { return mDevice; }
    IDirect3DSwapChain9* GetSwapChain() const { return mSwapChain; }
    Bool IsDeviceLost() const { return mDeviceLost; }
    UInt32 GetSwapChainWidth() const { return mSwapChainWidth; }
    UInt32 GetSwapChainHeight() const { return mSwapChainHeight; }

protected:
    // The device calls whose results tell a lost device; tests give other results.
    virtual HRESULT Present();
    virtual HRESULT TestCooperativeLevel();

private:
    // The adapter showing the window; false when no adapter shows its monitor.
    Bool FindAdapter(UInt32& adapter) const;
    // The window swap chain at the swap-chain size as render target 0.
    Bool CreateSwapChain();
    void ReleaseSwapChain();
    DWORD GetPresentationInterval() const;
    // Steps of the lost-device recovery after the device reports that it can be reset.
    Bool ResetDevice(IEngineRunState* runState);

    IConfiguration* mConfiguration;
    HDC mDeviceContext;
    HWND mWindow;
    HMODULE mModule;
    IDirect3D9* mDirect3D;
    IDirect3DDevice9* mDevice;
    IDirect3DSwapChain9* mSwapChain;
    UInt32 mAdapter;
    D3DDEVTYPE mDeviceType;
    D3DPRESENT_PARAMETERS mPresentParameters;
    UInt32 mLargestWidth;
    UInt32 mLargestHeight;
    UInt32 mSwapChainWidth;
    UInt32 mSwapChainHeight;
    Bool mDeviceLost;
};

} // namespace Win32
} // namespace Vorn
