#include "platform/win32/dx9_display_interface.h"

#include "foundation/configuration.h"
#include "foundation/debug.h"

namespace Vorn {
namespace Win32 {

namespace {

constexpr DWORD kHardwareFlags =
    D3DCREATE_NOWINDOWCHANGES | D3DCREATE_HARDWARE_VERTEXPROCESSING | D3DCREATE_PUREDEVICE | D3DCREATE_FPU_PRESERVE;
constexpr DWORD kSoftwareFlags =
    D3DCREATE_NOWINDOWCHANGES | D3DCREATE_SOFTWARE_VERTEXPROCESSING | D3DCREATE_FPU_PRESERVE;

// The suspend settings that a lost-device reset changes, restored whichever way it ends.
class SuspendSettings
{
public:
    explicit SuspendSettings(IConfiguration* configuration)
        : mConfiguration(configuration), mRelease(configuration->GetReleaseOnSuspend()),
          mMask(configuration->GetSuspendReleaseMask())
    {
        // Only the frame-buffer objects (mask bit 0) let go of their device resources.
        configuration->SetReleaseOnSuspend(true);
        configuration->SetSuspendReleaseMask(1);
    }
    ~SuspendSettings()
    {
        mConfiguration->SetSuspendReleaseMask(mMask);
        mConfiguration->SetReleaseOnSuspend(mRelease);
    }

private:
    IConfiguration* mConfiguration;
    Bool mRelease;
    UInt32 mMask;
};

} // namespace

DisplayInterface::DisplayInterface() : mCriticalSection(new CRITICAL_SECTION)
{
    InitializeCriticalSection(mCriticalSection.get());
}

DisplayInterface::~DisplayInterface() { DeleteCriticalSection(mCriticalSection.get()); }

Bool DisplayInterface::BeginFrame(IEngineRunState*) { return true; }

Bool DisplayInterface::EndFrame(IEngineRunState*) { return true; }

Bool DisplayInterface::SwapBuffers(IEngineRunState*) { return true; }

Dx9DisplayInterface::Dx9DisplayInterface(IConfiguration* configuration)
    : mConfiguration(configuration), mDeviceContext(nullptr), mWindow(nullptr), mModule(nullptr),
      mDirect3D(nullptr), mDevice(nullptr), mSwapChain(nullptr), mAdapter(0), mDeviceType(D3DDEVTYPE_HAL),
      mPresentParameters(), mLargestWidth(0), mLargestHeight(0), mSwapChainWidth(0), mSwapChainHeight(0),
      mDeviceLost(false)
{
}

Dx9DisplayInterface::~Dx9DisplayInterface() { DeInit(); }

Bool Dx9DisplayInterface::ActivateRenderContext()
{
    EnterCriticalSection(mCriticalSection.get());
    LeaveCriticalSection(mCriticalSection.get());
    return true;
}

Bool Dx9DisplayInterface::DeactivateRenderContext() { return ActivateRenderContext(); }

Bool Dx9DisplayInterface::ActivateLoaderContext() { return ActivateRenderContext(); }

Bool Dx9DisplayInterface::DeactivateLoaderContext() { return ActivateRenderContext(); }

DWORD Dx9DisplayInterface::GetPresentationInterval() const
{
    // Flag M of the configuration: vertical synchronisation.
    return mConfiguration->GetFlagM() ? D3DPRESENT_INTERVAL_ONE : D3DPRESENT_INTERVAL_IMMEDIATE;
}

Bool Dx9DisplayInterface::FindAdapter(UInt32& adapter) const
{
    const HMONITOR monitor = MonitorFromWindow(mWindow, MONITOR_DEFAULTTONULL);
    if (monitor == nullptr || mDirect3D == nullptr)
        return false;
    const UInt32 count = mDirect3D->GetAdapterCount();
    for (UInt32 i = 0; i < count; ++i) {
        if (mDirect3D->GetAdapterMonitor(i) == monitor) {
            adapter = i;
            return true;
        }
    }
    return false;
}

Bool Dx9DisplayInterface::Init(HINSTANCE, HWND window, HDC deviceContext, const wchar_t*)
{
    if (mConfiguration == nullptr) {
        Debug::Trace("Win32::Dx9DisplayInterface::Init(): No configuration");
        return false;
    }
    if (mDevice != nullptr) {
        Debug::Trace("Win32::Dx9DisplayInterface::Init(): Already initialized");
        return false;
    }
    mConfiguration->SetPixelOffset(-0.5f, 0.5f);
    mDeviceContext = deviceContext;
    mWindow = window;
    mModule = GetModuleHandleW(L"d3d9.dll");
    if (mModule == nullptr) {
        Debug::Trace("Win32::Dx9DisplayInterface::Init(): d3d9.dll is not loaded");
        return false;
    }
    mDirect3D = Direct3DCreate9(D3D_SDK_VERSION);
    if (mDirect3D == nullptr) {
        Debug::Trace("Win32::Dx9DisplayInterface::Init(): Failed to create Direct3D object");
        return false;
    }
    mLargestWidth = 0;
    mLargestHeight = 0;
    for (UInt32 i = 0; i < mDirect3D->GetAdapterCount(); ++i) {
        D3DDISPLAYMODE mode;
        if (SUCCEEDED(mDirect3D->GetAdapterDisplayMode(i, &mode))) {
            mLargestWidth = mode.Width > mLargestWidth ? mode.Width : mLargestWidth;
            mLargestHeight = mode.Height > mLargestHeight ? mode.Height : mLargestHeight;
        }
    }
    if (!FindAdapter(mAdapter))
        mAdapter = 0;
    mSwapChainWidth = mConfiguration->GetDisplayWidth();
    mSwapChainHeight = mConfiguration->GetDisplayHeight();

    mPresentParameters = D3DPRESENT_PARAMETERS();
    mPresentParameters.BackBufferWidth = mLargestWidth;
    mPresentParameters.BackBufferHeight = mLargestHeight;
    mPresentParameters.BackBufferFormat = D3DFMT_UNKNOWN;
    mPresentParameters.BackBufferCount = 1;
    mPresentParameters.MultiSampleType = D3DMULTISAMPLE_NONE;
    mPresentParameters.SwapEffect = D3DSWAPEFFECT_DISCARD;
    mPresentParameters.hDeviceWindow = window;
    mPresentParameters.Windowed = TRUE;
    mPresentParameters.EnableAutoDepthStencil = TRUE;
    mPresentParameters.AutoDepthStencilFormat = D3DFMT_D16;
    mPresentParameters.PresentationInterval = GetPresentationInterval();

    HRESULT result = mDirect3D->CreateDevice(mAdapter, mDeviceType, window, kHardwareFlags, &mPresentParameters,
                                             &mDevice);
    if (FAILED(result) && result != D3DERR_NOTAVAILABLE && result != E_OUTOFMEMORY && result != D3DERR_DEVICELOST) {
        mDevice = nullptr;
        result = mDirect3D->CreateDevice(mAdapter, mDeviceType, window, kSoftwareFlags, &mPresentParameters,
                                         &mDevice);
    }
    if (FAILED(result)) {
        mDevice = nullptr;
        Debug::Trace("Win32::Dx9DisplayInterface::Init(): Failed to create device, error=%d", int(result));
        return false;
    }
    if (!CreateSwapChain()) {
        Debug::Trace("Win32::Dx9DisplayInterface::Init(): Failed to create swap chain");
        return false;
    }
    return true;
}

Bool Dx9DisplayInterface::DeInit()
{
    ReleaseSwapChain();
    if (mDevice != nullptr)
        mDevice->Release();
    if (mDirect3D != nullptr)
        mDirect3D->Release();
    mDevice = nullptr;
    mDirect3D = nullptr;
    return true;
}

Bool Dx9DisplayInterface::CreateSwapChain()
{
    mPresentParameters.BackBufferWidth = mSwapChainWidth;
    mPresentParameters.BackBufferHeight = mSwapChainHeight;
    if (FAILED(mDevice->CreateAdditionalSwapChain(&mPresentParameters, &mSwapChain))) {
        mSwapChain = nullptr;
        return false;
    }
    IDirect3DSurface9* backBuffer = nullptr;
    if (SUCCEEDED(mSwapChain->GetBackBuffer(0, D3DBACKBUFFER_TYPE_MONO, &backBuffer))) {
        mDevice->SetRenderTarget(0, backBuffer);
        backBuffer->Release();
    }
    return true;
}

void Dx9DisplayInterface::ReleaseSwapChain()
{
    if (mSwapChain != nullptr)
        mSwapChain->Release();
    mSwapChain = nullptr;
}

Bool Dx9DisplayInterface::SetSize(UInt32 width, UInt32 height)
{
    if (mDeviceLost || mSwapChain == nullptr || width == 0 || height == 0)
        return true;
    ReleaseSwapChain();
    mSwapChainWidth = width;
    mSwapChainHeight = height;
    mPresentParameters.PresentationInterval = GetPresentationInterval();
    if (!CreateSwapChain()) {
        Debug::Trace("Win32::Dx9DisplayInterface::SetSize(): Failed to create swap chain");
        return false;
    }
    return true;
}

HRESULT Dx9DisplayInterface::Present()
{
    return mSwapChain != nullptr ? mSwapChain->Present(nullptr, nullptr, nullptr, nullptr, 0) : D3DERR_INVALIDCALL;
}

HRESULT Dx9DisplayInterface::TestCooperativeLevel()
{
    return mDevice != nullptr ? mDevice->TestCooperativeLevel() : D3DERR_INVALIDCALL;
}

Bool Dx9DisplayInterface::SwapBuffers(IEngineRunState*)
{
    const HRESULT result = Present();
    if (SUCCEEDED(result))
        return true;
    if (result == D3DERR_DEVICELOST) {
        mDeviceLost = true;
        return true;
    }
    Debug::Trace("Win32::Dx9DisplayInterface::SwapBuffers(): Failed to present swap chain, error=%d", int(result));
    return false;
}

Bool Dx9DisplayInterface::BeginFrame(IEngineRunState* runState)
{
    UInt32 adapter = 0;
    if (!FindAdapter(adapter))
        return false;
    if (!mDeviceLost)
        return true;
    Sleep(100);
    const HRESULT result = TestCooperativeLevel();
    if (SUCCEEDED(result)) {
        mDeviceLost = false;
        return true;
    }
    if (result != D3DERR_DEVICENOTRESET || mDevice == nullptr)
        return false;
    return ResetDevice(runState);
}

Bool Dx9DisplayInterface::ResetDevice(IEngineRunState* runState)
{
    if (runState != nullptr && runState->IsSuspended())
        runState->Resume();
    Bool reset = false;
    {
        const SuspendSettings settings(mConfiguration);
        if (runState != nullptr && !runState->IsSuspended())
            runState->Suspend();
        ReleaseSwapChain();
        mPresentParameters.BackBufferWidth = mLargestWidth;
        mPresentParameters.BackBufferHeight = mLargestHeight;
        const HRESULT result = mDevice->Reset(&mPresentParameters);
        if (FAILED(result))
            Debug::Trace("Win32::Dx9DisplayInterface::BeginFrame(): Failed to reset device, error=%d", int(result));
        else if (!CreateSwapChain())
            Debug::Trace("Win32::Dx9DisplayInterface::BeginFrame(): Failed to create swap chain");
        else
            reset = true;
        // Resumed before the settings are restored, so the graph rebuilds what it released; a
        // failed reset stays suspended until the next try.
        if (reset && runState != nullptr)
            runState->Resume();
    }
    if (reset)
        mDeviceLost = false;
    return reset;
}

} // namespace Win32
} // namespace Vorn
