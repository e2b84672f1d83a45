// One HTTP download: a worker thread reads the URL with WinINet into a buffer of its own; the web
// control starts the worker and collects its result on the main thread and publishes the flags at
// the logic step, so busy, finished and failed change only at step boundaries.
#pragma once

#include "foundation/data.h"
#include "foundation/mutex.h"
#include "foundation/string.h"
#include "foundation/thread.h"
#include "platform/web_control.h"

namespace Vorn {
namespace Win32 {

class UrlRequest : public IUrlRequest
{
public:
    enum State : UInt32 { kIdle = 0, kStartRequested = 1, kRunning = 2, kSucceeded = 3, kFailed = 4 };

    // session is the WinINet session handle the worker reads through.
    UrlRequest(const String& url, void* session);
    ~UrlRequest() override;

    Bool SetUrl(const String& url) override;
    const String& GetUrl() const override { return mUrl; }
    const Data& GetData() const override { return mResult; }
    Bool Start() override;
    Bool IsBusy() const override;
    Bool HasData() const override;
    Bool IsFinished() const override;
    Bool IsFailed() const override;

    // Main-thread step: starts a requested worker, collects an ended one.
    void Process();
    // Logic step: publishes busy, finished and failed.
    void Update();

    void* GetSession() const { return mSession; }

    // The download loop's buffer growth: doubled below 1 MiB, then 1 MiB at a time.
    static UInt32 GetGrownCapacity(UInt32 capacity);

private:
    class Worker : public System::Thread
    {
    public:
        Worker(const String* url, void* session);
        ~Worker() override;
        Data& GetBuffer() { return mBuffer; }

    protected:
        Bool Run() override;

    private:
        Data mBuffer;
        const String* mUrl;
        void* mSession;
    };

    String mUrl;
    Data mResult;
    Bool mBusy = false;
    Bool mFinished = false;
    Bool mFailed = false;
    UInt32 mState = kIdle;
    UInt32 mPreviousState = kIdle;
    void* mSession;
    Worker mWorker;
    mutable System::Mutex mLock;
};

} // namespace Win32
} // namespace Vorn
