// A web control for tests whose requests move through the platform's steps without any network:
// a started request asks for its worker at the next Process, and Update publishes busy, finished
// and failed, so that finished or failed holds for exactly one update. The platform may fail to
// start the worker: the request then goes back to idle with neither flag. The test ends a
// running request with a reply or a failure.
#pragma once

#include <memory>
#include <string>
#include <vector>

#include "platform/web_control.h"

namespace Vorn {
namespace Testing {

class SteppedUrlRequest : public IUrlRequest
{
public:
    enum State
    {
        kIdle,
        kStartRequested,
        kRunning,
        kSucceeded,
        kFailed,
    };

    explicit SteppedUrlRequest(const String& url) : mUrl(url) {}
    Bool SetUrl(const String& url) override
    {
        mUrl = url;
        return true;
    }
    const String& GetUrl() const override { return mUrl; }
    const Data& GetData() const override { return mResult; }
    Bool Start() override
    {
        if (mState != kIdle)
            return false;
        mState = kStartRequested;
        mFinished = false;
        mFailed = false;
        mBusy = true;
        return true;
    }
    Bool IsBusy() const override { return mBusy; }
    Bool HasData() const override { return mResult.GetData() != nullptr; }
    Bool IsFinished() const override { return mFinished; }
    Bool IsFailed() const override { return mFailed; }

    // The main loop's step: starts the worker, or finds that it cannot.
    void Process(Bool workerStarts)
    {
        if (mState == kStartRequested)
            mState = workerStarts ? kRunning : kIdle;
    }
    // The logic step's boundary.
    void Update()
    {
        mBusy = mState == kStartRequested || mState == kRunning;
        mFinished = mState == kSucceeded && mPreviousState != kSucceeded;
        mFailed = mState == kFailed && mPreviousState != kFailed;
        mPreviousState = mState;
    }
    // The worker's end: a reply (empty counts as a failure, as on the platform) or none.
    void End(const std::string& reply)
    {
        if (mState != kRunning)
            return;
        if (!reply.empty())
            mResult = Data(reply.data(), UInt32(reply.size()));
        mState = reply.empty() ? kFailed : kSucceeded;
    }
    State GetState() const { return mState; }

private:
    String mUrl;
    Data mResult;
    State mState = kIdle;
    State mPreviousState = kIdle;
    Bool mBusy = false;
    Bool mFinished = false;
    Bool mFailed = false;
};

class SteppedWebControl : public IWebControl
{
public:
    // Whether the platform can start a request's worker.
    Bool mWorkersStart = true;
    // Every URL asked for, in order.
    std::vector<std::string> mUrls;

    void Process() override
    {
        for (const std::unique_ptr<SteppedUrlRequest>& request : mRequests) {
            if (request)
                request->Process(mWorkersStart);
        }
    }
    void Update() override
    {
        for (const std::unique_ptr<SteppedUrlRequest>& request : mRequests) {
            if (request)
                request->Update();
        }
    }
    // One frame: the main loop's step, then the logic step's boundary.
    void Frame()
    {
        Process();
        Update();
    }
    // Ends every running request with the reply.
    void EndRunning(const std::string& reply)
    {
        for (const std::unique_ptr<SteppedUrlRequest>& request : mRequests) {
            if (request)
                request->End(reply);
        }
    }
    void ConfigChanged(IConfiguration*, UInt32) override {}
    Bool OpenUrl(const String&) override { return false; }
    IUrlRequest* CreateUrlRequest(const String& url) override
    {
        mUrls.push_back(url.GetText());
        mRequests.push_back(std::make_unique<SteppedUrlRequest>(url));
        return mRequests.back().get();
    }
    void DestroyUrlRequest(IUrlRequest* request) override
    {
        for (std::unique_ptr<SteppedUrlRequest>& owned : mRequests) {
            if (owned.get() == request)
                owned.reset();
        }
    }
    IEMail* CreateEMail(const String&, const String&, const String&) override { return nullptr; }
    IEMail* CreateEMail(const String&, const String&) override { return nullptr; }
    void DestroyEMail(IEMail*) override {}

    // Requests made and not destroyed.
    UInt32 GetNumberOfLiveRequests() const
    {
        UInt32 count = 0;
        for (const std::unique_ptr<SteppedUrlRequest>& request : mRequests)
            count += request ? 1 : 0;
        return count;
    }

private:
    std::vector<std::unique_ptr<SteppedUrlRequest>> mRequests;
};

} // namespace Testing
} // namespace Vorn
