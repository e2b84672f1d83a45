// A named operating-system thread whose body is the subclass's Run. Every engine thread (loader,
// logic, audio renderer, URL workers, link opener) derives from it. A subclass whose Run uses its
// own members stops and joins in its own destructor: the base destructor runs after they are gone.
#pragma once

#include "foundation/string.h"
#include "foundation/types.h"

#include <atomic>
#include <memory>

namespace Vorn {
namespace System {

class Thread
{
public:
    // The name is given to the operating-system thread where the system allows it
    // (at most 15 bytes of it on Linux).
    explicit Thread(const String& name);
    // Clears the running flag and waits for a started thread.
    virtual ~Thread();

    // Sets the running flag and creates the thread, which runs Run at once. Returns whether the
    // thread was created: a Run that ends before Start returns still counts as started. False
    // when the system refuses the thread (the running flag is cleared) or while the previous
    // thread still runs (nothing changes); a previous thread that was stopped is joined first.
    virtual Bool Start();
    // Asks Run to end: clears the running flag, which Run loops poll. Signals nothing.
    virtual void Stop();
    // Waits without time limit for a started thread and releases it. False when there is no
    // thread to wait for, or when called from the thread itself.
    virtual Bool Join();
    // A hook for subclasses; does nothing here.
    virtual void Notify() {}

    Bool IsRunning() const { return mRunning.load(); }
    const String& GetName() const { return mName; }
    // 1 when the last Run returned true, else 0; read it after Join.
    UInt32 GetExitCode() const { return mExitCode.load(); }

    // The calling thread's operating-system identifier.
    static UInt64 GetCurrentId();

protected:
    // The thread body; its result becomes the exit code (true 1, false 0).
    virtual Bool Run() = 0;

private:
    struct Handle;

    static void Entry(Thread* thread);

    Thread(const Thread&) = delete;
    Thread& operator=(const Thread&) = delete;

    // Written by the owner (Start, Stop) and by the thread's entry, read by Run loops.
    std::atomic<Bool> mRunning;
    std::atomic<UInt32> mExitCode;
    String mName;
    std::unique_ptr<Handle> mHandle;
};

} // namespace System
} // namespace Vorn
