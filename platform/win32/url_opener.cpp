#include <windows.h>
#include <shellapi.h>

#include "platform/win32/url_opener.h"

#include "foundation/debug.h"
#include "platform/win32/wide_chars.h"

namespace Vorn {
namespace Win32 {
namespace {

std::atomic<UrlOpener::OpenFunction> gOpenFunction{&UrlOpener::OpenWithShell};

} // namespace

UrlOpener::UrlOpener(const String& url) : System::Thread("UrlOpener"), mUrl(url)
{
}

UrlOpener::~UrlOpener()
{
    Join();
}

Bool UrlOpener::Start()
{
    mStarted = true;
    return System::Thread::Start();
}

void UrlOpener::SetOpenFunction(OpenFunction open)
{
    gOpenFunction = open != nullptr ? open : &UrlOpener::OpenWithShell;
}

Bool UrlOpener::OpenWithShell(const wchar_t* url)
{
    // Results above 32 mean success; anything else is an error code.
    const HINSTANCE result = ShellExecuteW(nullptr, L"open", url, nullptr, nullptr, SW_SHOWNORMAL);
    return reinterpret_cast<INT_PTR>(result) > 32;
}

Bool UrlOpener::Run()
{
    WChars url;
    const Bool succeeded = url.Set(mUrl.GetText()) != nullptr && gOpenFunction.load()(url.Get());
    if (!succeeded)
        Debug::Trace("Win32::UrlOpener::Run(): Failed to open '%s'", mUrl.GetText());
    mSucceeded = succeeded;
    return succeeded;
}

} // namespace Win32
} // namespace Vorn
