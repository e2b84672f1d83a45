// The high-score client against the test server (tests/support/highscore_server.py), which its
// CTest driver starts on a free port of 127.0.0.1 and names in VORN_HIGHSCORE_SERVER; without it
// these tests are skipped. Natively the requests go through an HTTP/1.0 web control of the tests,
// under Windows through the platform's, stepped as the platform and the engine step them.
#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>
#include <string>
#include <thread>

#include "game/halvex_highscores.h"
#include "logic/state.h"
#include "tests/support/canned_web_control.h"
#include "tests/support/fake_configuration.h"

#ifdef _WIN32
#include "platform/win32/web_control.h"
#else
#include "tests/support/http_web_control.h"
#endif

namespace Vorn {
namespace App {
namespace {

#ifdef _WIN32
using ServerWebControl = Win32::WebControl;
#else
using ServerWebControl = Testing::HttpWebControl;
#endif

class HalvexHighscoresServerTest : public ::testing::Test
{
protected:
    HalvexHighscoresServerTest() : mHandler(mWeb), mState(&mHandler, &mConfiguration, nullptr, nullptr, nullptr)
    {
        mConfiguration.SetDeviceId("dev42");
        mConfiguration.SetCountry("DE");
        mConfiguration.SetOperatingSystem(Enums::OperatingSystem::WINDOWS_7);
    }
    void SetUp() override
    {
        const char* server = std::getenv("VORN_HIGHSCORE_SERVER");
        if (server == nullptr)
            GTEST_SKIP() << "VORN_HIGHSCORE_SERVER is not set: run through the HighscoreServer test";
        mServer = server;
        ASSERT_EQ(Control("/control/reset"), "reset");
        ASSERT_TRUE(mClient.Init(&mState));
        mClient.SetServer(mServer.c_str());
    }

    struct Outcome
    {
        Bool mTaken = false;
        std::string mReply;
    };
    // One step: the main loop's, the logic step's, then the client polled while it is busy, as
    // the game state polls it (a request's end shows for one step only).
    void Step()
    {
        mWeb.Process();
        mWeb.Update();
        if (!mClient.IsBusy())
            return;
        String reply;
        mOutcome.mTaken = mClient.GetResponse(reply) || mOutcome.mTaken;
        mOutcome.mReply += reply.GetText();
    }
    // The server's reply to a control path, read through the same web control.
    std::string Control(const std::string& path)
    {
        IUrlRequest* request = mWeb.CreateUrlRequest((mServer + path).c_str());
        if (request == nullptr || !request->Start())
            return "no request";
        Bool ended = false;
        while (!ended) {
            Step();
            ended = request->IsFinished() || request->IsFailed();
            std::this_thread::yield();
        }
        const Data& data = request->GetData();
        std::string reply = request->IsFinished()
                                ? std::string(reinterpret_cast<const char*>(data.GetData()), data.GetSize())
                                : "failed";
        mWeb.DestroyUrlRequest(request);
        return reply;
    }
    // Steps until the client's request is gone; what the polls took since the last time.
    Outcome Poll()
    {
        while (mClient.IsBusy()) {
            Step();
            std::this_thread::yield();
        }
        const Outcome outcome = mOutcome;
        mOutcome = Outcome();
        return outcome;
    }
    // The rows of the client's list as "rank name s1 s2 s3 highlight;".
    std::string Rows() const
    {
        std::string rows;
        for (const HalvexHighscores::Entry& entry : mClient.GetEntries())
            rows += std::to_string(entry.mRank) + " " + entry.mName.GetText() + " " + std::to_string(entry.mScore1) +
                    " " + std::to_string(entry.mScore2) + " " + std::to_string(entry.mScore3) +
                    (entry.mHighlight ? " *" : "") + ";";
        return rows;
    }

    std::string mServer;
    Outcome mOutcome;
    ServerWebControl mWeb;
    Testing::WebLogicDeviceHandler mHandler;
    Testing::FakeConfiguration mConfiguration;
    Logic::State mState;
    HalvexHighscores mClient;
};

TEST_F(HalvexHighscoresServerTest, SignedSubmissionsReachTheListOfThePlayer)
{
    mClient.SubmitScore("Anna", 2, 7, 123456, 20, 300, 5000, 4, 100);
    Outcome outcome = Poll();
    EXPECT_TRUE(outcome.mTaken);
    EXPECT_EQ(outcome.mReply, "OK");
    mClient.SubmitScore("Ben", 1, 3, 999, 5, 60, 0, 0, 0);
    EXPECT_EQ(Poll().mReply, "OK");

    mClient.RequestScoreList("Ben");
    EXPECT_TRUE(Poll().mTaken);
    EXPECT_EQ(Rows(), "1 Anna 123456 20 7;2 Ben 999 5 3 *;");

    // The server saw every key in order with a good signature, and the exact list query.
    const std::string queries = Control("/control/queries");
    EXPECT_NE(queries.find("/DR/saveScore.php?n=416e6e61&i=dev42&c=DE&os="), std::string::npos) << queries;
    EXPECT_NE(queries.find("&cl=2&cs=7&c1=123456&c2=20&c3=300&z1=5000&z2=4&z3=100&md5="), std::string::npos);
    size_t lines = 0;
    for (size_t end = queries.find('\n'); end != std::string::npos; end = queries.find('\n', end + 1), ++lines)
        EXPECT_EQ(queries.compare(end - 3, 3, " ok"), 0) << queries;
    EXPECT_EQ(lines, 3u);
    EXPECT_NE(queries.find("/DR/getScorelist.php?t=0&i=1&n=42656e&id=dev42 ok\n"), std::string::npos) << queries;
}

TEST_F(HalvexHighscoresServerTest, RepliesThatAreNotAListLeaveItEmpty)
{
    mClient.SubmitScore("Anna", 1, 2, 3, 4, 5, 6, 7, 8);
    Poll();
    struct Case
    {
        const char* reply;
        Bool taken;
    };
    const Case cases[] = {
        {"<Content></Content>", true},
        {"<Content><DR i=\"1\" n=\"41\" s1=\"1\" s2=\"2\" s3=\"3\"/><Other/></Content>", false},
        {"<Content><DR i=\"1\" n=\"41\" s1=\"1\" s2=\"2\"/></Content>", false},
        {"<List><DR i=\"1\" n=\"41\" s1=\"1\" s2=\"2\" s3=\"3\"/></List>", false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.reply);
        mClient.RequestScoreList("Anna");
        ASSERT_TRUE(Poll().mTaken);
        ASSERT_EQ(mClient.GetEntries().GetCount(), 1);

        std::string hex;
        for (const char* p = c.reply; *p != '\0'; ++p) {
            char digits[3];
            std::snprintf(digits, sizeof(digits), "%02x", UInt8(*p));
            hex += digits;
        }
        ASSERT_EQ(Control("/control/reply?body=" + hex), "canned");
        mClient.RequestScoreList("Anna");
        EXPECT_EQ(Poll().mTaken, c.taken);
        EXPECT_EQ(mClient.GetEntries().GetCount(), 0);
    }
}

TEST_F(HalvexHighscoresServerTest, OneRequestAtATime)
{
    // A list asked for while a submission waits is not requested.
    mClient.SubmitScore("Anna", 1, 2, 3, 4, 5, 6, 7, 8);
    mClient.RequestScoreList("Anna");
    Poll();
    std::string queries = Control("/control/queries");
    EXPECT_EQ(queries.find("getScorelist"), std::string::npos) << queries;

    // A held reply: every poll returns at once and the client stays busy until it is released.
    ASSERT_EQ(Control("/control/hold"), "held");
    mClient.RequestScoreList("Anna");
    for (int i = 0; i < 20; ++i) {
        Step();
        EXPECT_TRUE(mClient.IsBusy());
    }
    EXPECT_FALSE(mOutcome.mTaken);
    ASSERT_EQ(Control("/control/release"), "released");
    EXPECT_TRUE(Poll().mTaken);
    EXPECT_EQ(Rows(), "1 Anna 3 4 2 *;");
    queries = Control("/control/queries");
    EXPECT_NE(queries.find("getScorelist"), std::string::npos) << queries;
}

TEST_F(HalvexHighscoresServerTest, AClosedPortFailsOnceThenANewRequestStarts)
{
    mClient.SetServer("http://127.0.0.1:1");
    mClient.RequestScoreList("Anna");
    const Outcome outcome = Poll();
    EXPECT_FALSE(outcome.mTaken);
    EXPECT_EQ(mClient.GetEntries().GetCount(), 0);
    mClient.SetServer(mServer.c_str());
    mClient.RequestScoreList("Anna");
    EXPECT_TRUE(mClient.IsBusy());
    EXPECT_TRUE(Poll().mTaken);
}

} // namespace
} // namespace App
} // namespace Vorn
