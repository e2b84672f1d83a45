#include <windows.h>
#include <wininet.h>

#include "platform/win32/url_request.h"

#include <mutex>

#include "platform/win32/wide_chars.h"

namespace Vorn {
namespace Win32 {
namespace {

constexpr UInt32 kFirstCapacity = 8192;
constexpr UInt32 kMegabyte = 1048576;
// Larger replies are refused rather than grown past what a Data block can count.
constexpr UInt32 kLargestCapacity = 0x7FF00000u;

class Locker
{
public:
    explicit Locker(System::Mutex& lock) : mLock(lock) { mLock.Lock(); }
    ~Locker() { mLock.Unlock(); }

private:
    System::Mutex& mLock;
};

} // namespace

UInt32 UrlRequest::GetGrownCapacity(UInt32 capacity)
{
    return capacity < kMegabyte ? capacity * 2 : capacity + kMegabyte;
}

UrlRequest::Worker::Worker(const String* url, void* session)
    : System::Thread("UrlRequestWorker"), mUrl(url), mSession(session)
{
}

UrlRequest::Worker::~Worker()
{
    Join();
}

Bool UrlRequest::Worker::Run()
{
    mBuffer.Release();
    WChars url;
    if (url.Set(mUrl->GetText()) == nullptr)
        return false;
    // A URL that does not canonicalise is used as given.
    wchar_t canonical[2084];
    DWORD length = DWORD(sizeof(canonical) / sizeof(canonical[0]));
    const wchar_t* target = url.Get();
    if (InternetCanonicalizeUrlW(url.Get(), canonical, &length, ICU_BROWSER_MODE))
        target = canonical;

    HINTERNET handle = InternetOpenUrlW(HINTERNET(mSession), target, nullptr, 0, 0, 0);
    if (handle == nullptr)
        return false;
    UInt32 capacity = kFirstCapacity;
    UInt32 offset = 0;
    mBuffer.Resize(capacity);
    for (;;) {
        DWORD read = 0;
        if (!InternetReadFile(handle, mBuffer.GetBuffer() + offset, capacity - offset, &read)) {
            mBuffer.Release();
            break;
        }
        if (read == 0) {
            mBuffer.Resize(offset);
            break;
        }
        offset += UInt32(read);
        if (offset == capacity) {
            if (capacity >= kLargestCapacity) {
                mBuffer.Release();
                break;
            }
            capacity = GetGrownCapacity(capacity);
            mBuffer.Resize(capacity);
        }
    }
    InternetCloseHandle(handle);
    return mBuffer.GetSize() > 0;
}

UrlRequest::UrlRequest(const String& url, void* session) : mUrl(url), mSession(session), mWorker(&mUrl, session)
{
}

UrlRequest::~UrlRequest()
{
    mWorker.Join();
}

Bool UrlRequest::SetUrl(const String& url)
{
    Locker lock(mLock);
    mUrl = url;
    return true;
}

Bool UrlRequest::Start()
{
    Locker lock(mLock);
    if (mState != kIdle)
        return false;
    mState = kStartRequested;
    mFinished = false;
    mFailed = false;
    mBusy = true;
    return true;
}

Bool UrlRequest::IsBusy() const
{
    Locker lock(mLock);
    return mBusy;
}

Bool UrlRequest::HasData() const
{
    Locker lock(mLock);
    return mResult.GetData() != nullptr;
}

Bool UrlRequest::IsFinished() const
{
    Locker lock(mLock);
    return mFinished;
}

Bool UrlRequest::IsFailed() const
{
    Locker lock(mLock);
    return mFailed;
}

void UrlRequest::Process()
{
    Locker lock(mLock);
    if (mState == kStartRequested) {
        mState = mWorker.Start() ? kRunning : kIdle;
    } else if (mState == kRunning && !mWorker.IsRunning()) {
        mWorker.Join();
        Data& buffer = mWorker.GetBuffer();
        if (buffer.GetSize() > 0)
            mResult.Set(buffer.GetData(), buffer.GetSize());
        else
            mResult.Release();
        mState = mResult.GetData() != nullptr ? kSucceeded : kFailed;
        buffer.Release();
    }
}

void UrlRequest::Update()
{
    Locker lock(mLock);
    mBusy = mState == kStartRequested || mState == kRunning;
    mFinished = mState == kSucceeded && mPreviousState != kSucceeded;
    mFailed = mState == kFailed && mPreviousState != kFailed;
    mPreviousState = mState;
}

} // namespace Win32
} // namespace Vorn
