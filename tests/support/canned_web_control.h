// A web control for tests that serves canned replies (the output tests' FakeWebControl makes no
// requests at all): each request made is recorded with its URL
// and finishes (or fails) at the next Update, as the platform's requests do at a logic-step
// boundary. A logic device handler that hands its URL requests to such a control comes with it.
#pragma once

#include <memory>
#include <string>
#include <vector>

#include "platform/web_control.h"
#include "tests/support/fake_logic_device_handler.h"

namespace Vorn {
namespace Testing {

class CannedUrlRequest : public IUrlRequest
{
public:
    explicit CannedUrlRequest(const String& url) : mUrl(url) {}
    Bool SetUrl(const String& url) override
    {
        mUrl = url;
        return true;
    }
    const String& GetUrl() const override { return mUrl; }
    const Data& GetData() const override { return mData; }
    Bool Start() override
    {
        if (mStarted)
            return false;
        mStarted = true;
        return true;
    }
    Bool IsBusy() const override { return mStarted && !mFinished && !mFailed; }
    Bool HasData() const override { return mFinished; }
    Bool IsFinished() const override { return mFinished; }
    Bool IsFailed() const override { return mFailed; }

    // Ends the transfer with a reply body, or as failed.
    void Finish(const std::string& body)
    {
        mData = Data(body.data(), UInt32(body.size()));
        mFinished = true;
    }
    void Fail() { mFailed = true; }
    Bool IsStarted() const { return mStarted; }

private:
    String mUrl;
    Data mData;
    Bool mStarted = false;
    Bool mFinished = false;
    Bool mFailed = false;
};

class CannedWebControl : public IWebControl
{
public:
    // The reply given to the requests started from now on; a failing control fails them instead.
    std::string mReply;
    Bool mFailRequests = false;
    // No request can be made at all.
    Bool mRefuseRequests = false;
    // Every URL asked for, in order.
    std::vector<std::string> mUrls;
    UInt32 mDestroyed = 0;

    void Process() override {}
    // Ends every started request, as the worker threads would between two logic steps.
    void Update() override
    {
        for (const std::unique_ptr<CannedUrlRequest>& request : mRequests) {
            if (request && request->IsBusy()) {
                if (mFailRequests)
                    request->Fail();
                else
                    request->Finish(mReply);
            }
        }
    }
    void ConfigChanged(IConfiguration*, UInt32) override {}
    Bool OpenUrl(const String&) override { return false; }
    IUrlRequest* CreateUrlRequest(const String& url) override
    {
        if (mRefuseRequests)
            return nullptr;
        mUrls.push_back(url.GetText());
        mRequests.push_back(std::make_unique<CannedUrlRequest>(url));
        return mRequests.back().get();
    }
    void DestroyUrlRequest(IUrlRequest* request) override
    {
        for (std::unique_ptr<CannedUrlRequest>& owned : mRequests) {
            if (owned.get() == request) {
                owned.reset();
                ++mDestroyed;
            }
        }
    }
    IEMail* CreateEMail(const String&, const String&, const String&) override { return nullptr; }
    IEMail* CreateEMail(const String&, const String&) override { return nullptr; }
    void DestroyEMail(IEMail*) override {}

    // Requests made and not destroyed.
    UInt32 GetNumberOfLiveRequests() const
    {
        UInt32 count = 0;
        for (const std::unique_ptr<CannedUrlRequest>& request : mRequests)
            count += request ? 1 : 0;
        return count;
    }

private:
    std::vector<std::unique_ptr<CannedUrlRequest>> mRequests;
};

// The logic device handler's web operations go to a web control of the tests.
class WebLogicDeviceHandler : public FakeLogicDeviceHandler
{
public:
    explicit WebLogicDeviceHandler(IWebControl& web) : mWeb(web) {}
    Bool IsWebControlAvailable() const override { return true; }
    IUrlRequest* CreateUrlRequest(const String& url) override { return mWeb.CreateUrlRequest(url); }
    void DestroyUrlRequest(IUrlRequest*& request) override
    {
        mWeb.DestroyUrlRequest(request);
        request = nullptr;
    }

private:
    IWebControl& mWeb;
};

} // namespace Testing
} // namespace Vorn
