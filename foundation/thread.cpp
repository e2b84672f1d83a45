#include "foundation/thread.h"

#include <cstring>
#include <system_error>
#include <thread>

#ifdef _WIN32
#include <windows.h>
#else
#include <pthread.h>
#endif

namespace Vorn {
namespace System {

struct Thread::Handle
{
    std::thread mThread;
};

namespace {

// Names the calling thread for debuggers and system tools; best effort, failures are ignored.
void NameCurrentThread(const String& name)
{
    if (name.IsEmpty())
        return;
#ifdef _WIN32
    // SetThreadDescription is missing from older systems (and older Wine): look it up at run time.
    typedef HRESULT(WINAPI * SetThreadDescriptionFunction)(HANDLE, PCWSTR);
    HMODULE kernel = GetModuleHandleW(L"kernel32.dll");
    if (kernel == nullptr)
        return;
    FARPROC procedure = GetProcAddress(kernel, "SetThreadDescription");
    if (procedure == nullptr)
        return;
    // Through void(*)(void), the one function type that converts to any other without a warning.
    auto setDescription = reinterpret_cast<SetThreadDescriptionFunction>(reinterpret_cast<void (*)(void)>(procedure));
    wchar_t wideName[64];
    if (MultiByteToWideChar(CP_UTF8, 0, name.GetText(), -1, wideName, 64) == 0)
        return;
    setDescription(GetCurrentThread(), wideName);
#else
    // Linux takes at most 15 bytes plus the terminating zero.
    char shortName[16];
    std::strncpy(shortName, name.GetText(), sizeof(shortName) - 1);
    shortName[sizeof(shortName) - 1] = '\0';
    pthread_setname_np(pthread_self(), shortName);
#endif
}

} // namespace

Thread::Thread(const String& name) : mRunning(false), mExitCode(0), mName(name)
{
}

Thread::~Thread()
{
    if (mHandle) {
        mRunning = false;
        if (mHandle->mThread.get_id() == std::this_thread::get_id())
            mHandle->mThread.detach();
        else
            mHandle->mThread.join();
        mHandle.reset();
    }
}

Bool Thread::Start()
{
    if (mHandle) {
        // A thread still held: refuse while it runs, else release it before starting anew.
        if (mRunning)
            return false;
        Join();
    }
    // Set before the thread exists, so that a Run that ends at once leaves the flag cleared.
    mRunning = true;
    mExitCode = 0;
    std::unique_ptr<Handle> handle(new Handle);
    try {
        handle->mThread = std::thread(&Thread::Entry, this);
    } catch (const std::system_error&) {
        mRunning = false;
        return false;
    }
    mHandle = std::move(handle);
    return true;
}

void Thread::Stop()
{
    mRunning = false;
}

Bool Thread::Join()
{
    if (!mHandle)
        return false;
    if (mHandle->mThread.get_id() == std::this_thread::get_id())
        return false;
    mHandle->mThread.join();
    mHandle.reset();
    return true;
}

void Thread::Entry(Thread* thread)
{
    NameCurrentThread(thread->mName);
    const Bool result = thread->Run();
    thread->mExitCode = result ? 1 : 0;
    thread->mRunning = false;
}

UInt64 Thread::GetCurrentId()
{
#ifdef _WIN32
    return UInt64(GetCurrentThreadId());
#else
    return UInt64(pthread_self());
#endif
}

} // namespace System
} // namespace Vorn
