#include <winsock2.h>
#include <ws2tcpip.h>

#include "platform/win32/web_control.h"

#include <gtest/gtest.h>

#include <atomic>
#include <cstdlib>
#include <string>
#include <thread>

#include "platform/win32/url_request.h"

namespace Vorn {
namespace {

// Bytes whose every position is checked on arrival.
std::string MakeBody(size_t size)
{
    std::string body(size, '\0');
    for (size_t i = 0; i < size; ++i)
        body[i] = char('a' + (i * 7 + i / 251) % 26);
    return body;
}

// A small HTTP/1.0 server on 127.0.0.1 that answers "/<n>" with a body of n bytes.
class LoopbackServer
{
public:
    LoopbackServer()
    {
        WSADATA data;
        WSAStartup(MAKEWORD(2, 2), &data);
        mSocket = OpenListener(&mPort);
        mThread = std::thread([this] { Serve(); });
    }
    ~LoopbackServer()
    {
        mStopping = true;
        closesocket(mSocket);
        mThread.join();
        WSACleanup();
    }
    UInt16 GetPort() const { return mPort; }

    // A port on which nothing listens any more.
    static UInt16 GetClosedPort()
    {
        UInt16 port = 0;
        closesocket(OpenListener(&port));
        return port;
    }

private:
    static SOCKET OpenListener(UInt16* port)
    {
        SOCKET listener = socket(AF_INET, SOCK_STREAM, IPPROTO_TCP);
        sockaddr_in address = {};
        address.sin_family = AF_INET;
        address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
        bind(listener, reinterpret_cast<sockaddr*>(&address), sizeof(address));
        listen(listener, 8);
        int length = sizeof(address);
        getsockname(listener, reinterpret_cast<sockaddr*>(&address), &length);
        *port = ntohs(address.sin_port);
        return listener;
    }

    void Serve()
    {
        while (!mStopping) {
            SOCKET client = accept(mSocket, nullptr, nullptr);
            if (client == INVALID_SOCKET)
                return;
            std::string request;
            char chunk[1024];
            while (request.find("\r\n\r\n") == std::string::npos) {
                const int got = recv(client, chunk, sizeof(chunk), 0);
                if (got <= 0)
                    break;
                request.append(chunk, size_t(got));
            }
            const size_t path = request.find('/');
            const size_t size = path == std::string::npos ? 0 : size_t(std::strtoul(request.c_str() + path + 1, nullptr, 10));
            const std::string body = MakeBody(size);
            const std::string reply = "HTTP/1.0 200 OK\r\nContent-Type: application/octet-stream\r\nContent-Length: " +
                                      std::to_string(size) + "\r\n\r\n" + body;
            for (size_t sent = 0; sent < reply.size();) {
                const int put = send(client, reply.data() + sent, int(reply.size() - sent), 0);
                if (put <= 0)
                    break;
                sent += size_t(put);
            }
            shutdown(client, SD_SEND);
            closesocket(client);
        }
    }

    SOCKET mSocket = INVALID_SOCKET;
    UInt16 mPort = 0;
    std::atomic<Bool> mStopping{false};
    std::thread mThread;
};

// Main-thread steps and logic updates, as the platform and the engine run them, until the
// request has published its end; returns the number of updates that reported finished or failed.
struct Outcome
{
    int mFinished = 0;
    int mFailed = 0;
};

Outcome RunToEnd(Win32::WebControl& control, IUrlRequest* request)
{
    Outcome outcome;
    while (request->IsBusy() || (outcome.mFinished == 0 && outcome.mFailed == 0)) {
        control.Process();
        control.Update();
        outcome.mFinished += request->IsFinished() ? 1 : 0;
        outcome.mFailed += request->IsFailed() ? 1 : 0;
        std::this_thread::yield();
    }
    // Further steps publish nothing more.
    control.Process();
    control.Update();
    outcome.mFinished += request->IsFinished() ? 1 : 0;
    outcome.mFailed += request->IsFailed() ? 1 : 0;
    return outcome;
}

TEST(WebControlTest, DownloadsArriveWhole)
{
    LoopbackServer server;
    Win32::WebControl control;
    for (size_t size : {size_t(8192), size_t(3 * 1024 * 1024)}) {
        const std::string url = "http://127.0.0.1:" + std::to_string(server.GetPort()) + "/" + std::to_string(size);
        IUrlRequest* request = control.CreateUrlRequest(url.c_str());
        ASSERT_NE(request, nullptr);
        ASSERT_TRUE(request->Start());
        EXPECT_FALSE(request->Start());
        const Outcome outcome = RunToEnd(control, request);
        EXPECT_EQ(outcome.mFinished, 1) << size;
        EXPECT_EQ(outcome.mFailed, 0) << size;
        ASSERT_TRUE(request->HasData());
        ASSERT_EQ(request->GetData().GetSize(), size);
        EXPECT_EQ(std::string(reinterpret_cast<const char*>(request->GetData().GetData()), size), MakeBody(size));
        // A finished request is not started again.
        EXPECT_FALSE(request->Start());
        control.DestroyUrlRequest(request);
    }
}

TEST(WebControlTest, AClosedPortFailsForExactlyOneUpdate)
{
    Win32::WebControl control;
    const std::string url = "http://127.0.0.1:" + std::to_string(LoopbackServer::GetClosedPort()) + "/10";
    IUrlRequest* request = control.CreateUrlRequest(url.c_str());
    ASSERT_NE(request, nullptr);
    ASSERT_TRUE(request->Start());
    control.Update();
    EXPECT_TRUE(request->IsBusy());
    const Outcome outcome = RunToEnd(control, request);
    EXPECT_EQ(outcome.mFailed, 1);
    EXPECT_EQ(outcome.mFinished, 0);
    EXPECT_FALSE(request->HasData());
    control.DestroyUrlRequest(request);
}

TEST(WebControlTest, BufferGrowthAndForeignObjects)
{
    EXPECT_EQ(Win32::UrlRequest::GetGrownCapacity(8192), 16384u);
    EXPECT_EQ(Win32::UrlRequest::GetGrownCapacity(524288), 1048576u);
    EXPECT_EQ(Win32::UrlRequest::GetGrownCapacity(1048576), 2097152u);
    EXPECT_EQ(Win32::UrlRequest::GetGrownCapacity(2097152), 3145728u);

    Win32::WebControl control;
    Win32::WebControl other;
    IUrlRequest* request = other.CreateUrlRequest("http://127.0.0.1/");
    IEMail* email = other.CreateEMail("s", "b", "a@x.org");
    control.DestroyUrlRequest(request);
    control.DestroyEMail(email);
    EXPECT_STREQ(request->GetUrl().GetText(), "http://127.0.0.1/");
    EXPECT_STREQ(email->GetSubject().GetText(), "s");
    other.DestroyUrlRequest(request);
    other.DestroyEMail(email);
}

TEST(WebControlTest, ASecondLinkWaitsForTheFirstOpener)
{
    Win32::WebControl control;
    ASSERT_TRUE(control.OpenUrl("about:blank"));
    EXPECT_FALSE(control.OpenUrl("about:blank"));
}

} // namespace
} // namespace Vorn
