// A web control for native tests that really asks an HTTP server: each request reads its URL with
// HTTP/1.0 over a POSIX socket on a worker thread of its own. As on the platform, Process (the main
// loop's step) starts a requested worker and collects an ended one, and Update (the logic step)
// publishes busy, finished and failed, so finished or failed holds for exactly one update. Only
// "http://host:port/path" URLs of numeric IPv4 hosts; the body is what follows the headers, and an
// empty body counts as a failure, as on the platform.
#pragma once

#include <arpa/inet.h>
#include <netinet/in.h>
#include <sys/socket.h>
#include <unistd.h>

#include <atomic>
#include <cstdlib>
#include <memory>
#include <string>
#include <thread>
#include <vector>

#include "platform/web_control.h"

namespace Vorn {
namespace Testing {

class HttpUrlRequest : public IUrlRequest
{
public:
    explicit HttpUrlRequest(const String& url) : mUrl(url) {}
    // A read that still waits on the server is cut off, then the worker joins.
    ~HttpUrlRequest() override
    {
        mStopping = true;
        const int socket = mSocket.exchange(-1);
        if (socket >= 0)
            ::shutdown(socket, SHUT_RDWR);
        if (mWorker.joinable())
            mWorker.join();
        if (socket >= 0)
            ::close(socket);
    }

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
        mBusy = true;
        return true;
    }
    Bool IsBusy() const override { return mBusy; }
    Bool HasData() const override { return mResult.GetData() != nullptr; }
    Bool IsFinished() const override { return mFinished; }
    Bool IsFailed() const override { return mFailed; }

    void Process()
    {
        if (mState == kStartRequested) {
            mWorker = std::thread([this, url = std::string(mUrl.GetText())] {
                mBody = Fetch(url);
                mDone = true;
            });
            mState = kRunning;
        } else if (mState == kRunning && mDone) {
            mWorker.join();
            if (!mBody.empty())
                mResult.Set(mBody.data(), UInt32(mBody.size()));
            mState = mBody.empty() ? kFailed : kSucceeded;
        }
    }
    void Update()
    {
        mBusy = mState == kStartRequested || mState == kRunning;
        mFinished = mState == kSucceeded && mPreviousState != kSucceeded;
        mFailed = mState == kFailed && mPreviousState != kFailed;
        mPreviousState = mState;
    }

private:
    enum State { kIdle, kStartRequested, kRunning, kSucceeded, kFailed };

    // The reply's body; empty when the URL is not understood, nothing answers or the reply has
    // no body.
    std::string Fetch(const std::string& url)
    {
        const std::string scheme = "http://";
        if (url.compare(0, scheme.size(), scheme) != 0)
            return std::string();
        const size_t pathStart = url.find('/', scheme.size());
        const std::string hostPort = url.substr(scheme.size(), pathStart - scheme.size());
        const std::string path = pathStart == std::string::npos ? "/" : url.substr(pathStart);
        const size_t colon = hostPort.find(':');
        const std::string host = hostPort.substr(0, colon);
        sockaddr_in address = {};
        address.sin_family = AF_INET;
        address.sin_port = htons(colon == std::string::npos ? 80 : UInt16(std::atoi(hostPort.c_str() + colon + 1)));
        if (::inet_pton(AF_INET, host.c_str(), &address.sin_addr) != 1)
            return std::string();
        const int socket = ::socket(AF_INET, SOCK_STREAM, 0);
        if (socket < 0)
            return std::string();
        mSocket = socket;
        std::string reply;
        // Whoever takes the socket back closes it: the worker here, or the destructor that cut
        // the read off.
        if (!mStopping && ::connect(socket, reinterpret_cast<const sockaddr*>(&address), sizeof(address)) == 0) {
            const std::string request = "GET " + path + " HTTP/1.0\r\nHost: " + hostPort + "\r\n\r\n";
            if (::send(socket, request.data(), request.size(), MSG_NOSIGNAL) == ssize_t(request.size())) {
                char chunk[4096];
                for (ssize_t got; (got = ::recv(socket, chunk, sizeof(chunk), 0)) > 0;)
                    reply.append(chunk, size_t(got));
            }
        }
        if (mSocket.exchange(-1) >= 0)
            ::close(socket);
        const size_t headersEnd = reply.find("\r\n\r\n");
        return headersEnd == std::string::npos ? std::string() : reply.substr(headersEnd + 4);
    }

    String mUrl;
    Data mResult;
    Bool mBusy = false;
    Bool mFinished = false;
    Bool mFailed = false;
    State mState = kIdle;
    State mPreviousState = kIdle;
    std::thread mWorker;
    std::string mBody;
    std::atomic<Bool> mDone{false};
    std::atomic<Bool> mStopping{false};
    std::atomic<int> mSocket{-1};
};

class HttpWebControl : public IWebControl
{
public:
    void Process() override
    {
        for (const std::unique_ptr<HttpUrlRequest>& request : mRequests)
            request->Process();
    }
    void Update() override
    {
        for (const std::unique_ptr<HttpUrlRequest>& request : mRequests)
            request->Update();
    }
    void ConfigChanged(IConfiguration*, UInt32) override {}
    Bool OpenUrl(const String&) override { return false; }
    IUrlRequest* CreateUrlRequest(const String& url) override
    {
        mRequests.push_back(std::make_unique<HttpUrlRequest>(url));
        return mRequests.back().get();
    }
    void DestroyUrlRequest(IUrlRequest* request) override
    {
        for (auto i = mRequests.begin(); i != mRequests.end(); ++i) {
            if (i->get() == request) {
                mRequests.erase(i);
                return;
            }
        }
    }
    IEMail* CreateEMail(const String&, const String&, const String&) override { return nullptr; }
    IEMail* CreateEMail(const String&, const String&) override { return nullptr; }
    void DestroyEMail(IEMail*) override {}

private:
    std::vector<std::unique_ptr<HttpUrlRequest>> mRequests;
};

} // namespace Testing
} // namespace Vorn
