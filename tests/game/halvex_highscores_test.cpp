#include <gtest/gtest.h>

#include <string>

#include "game/halvex_highscores.h"
#include "logic/state.h"
#include "tests/support/fake_configuration.h"
#include "tests/support/canned_web_control.h"
#include "tests/support/stepped_web_control.h"

namespace Vorn {
namespace App {
namespace {

class HalvexHighscoresTest : public ::testing::Test
{
protected:
    HalvexHighscoresTest() : mHandler(mWeb), mState(&mHandler, &mConfiguration, nullptr, nullptr, nullptr)
    {
        mConfiguration.SetDeviceId("dev42");
        mConfiguration.SetCountry("US");
        mConfiguration.SetOperatingSystem(Enums::OperatingSystem::WINDOWS_7);
        EXPECT_TRUE(mClient.Init(&mState));
    }

    // Runs one step: the transfer ends, then the client is polled.
    Bool Poll(String& reply)
    {
        mWeb.Update();
        return mClient.GetResponse(reply);
    }
    Bool PollList(const std::string& body)
    {
        mWeb.mReply = body;
        mClient.RequestScoreList("abc");
        String reply;
        return Poll(reply);
    }
    std::string Submit(const char* name, UInt32 pass, UInt32 frontier, UInt32 total)
    {
        mClient.SubmitScore(name, pass, frontier, total, 11, 12, 13, 14, 15);
        String reply;
        Poll(reply);
        return mWeb.mUrls.back();
    }
    static std::string Signature(const std::string& url) { return url.substr(url.find("&md5=") + 5); }

    Testing::CannedWebControl mWeb;
    Testing::WebLogicDeviceHandler mHandler;
    Testing::FakeConfiguration mConfiguration;
    Logic::State mState;
    HalvexHighscores mClient;
};

TEST_F(HalvexHighscoresTest, ListRequestParsesRows)
{
    mWeb.mReply = "<Content v=\"1\">"
                  "<DR i=\"1\" n=\"416e6e61\" s1=\"100\" s2=\"20\" s3=\"3\"/>"
                  "<DR i=\"2\" n=\"\" s1=\"90\" s2=\"19\" s3=\"2\" highlight=\"1\"></DR>"
                  "<DR i=\"3\" n=\"42\" s1=\"80\" s2=\"18\" s3=\"1\" highlight=\"0\"/>"
                  "</Content>";
    mClient.RequestScoreList("abc");
    ASSERT_EQ(mWeb.mUrls.size(), 1u);
    EXPECT_EQ(mWeb.mUrls[0], std::string(HalvexHighscores::DefaultServer) + "/DR/getScorelist.php?t=0&i=1&n=616263&id=dev42");
    EXPECT_TRUE(mClient.IsBusy());
    String reply;
    EXPECT_FALSE(mClient.GetResponse(reply)); // not finished yet
    ASSERT_TRUE(Poll(reply));
    EXPECT_FALSE(mClient.IsBusy());
    EXPECT_EQ(mWeb.GetNumberOfLiveRequests(), 0u);
    const Array<HalvexHighscores::Entry>& entries = mClient.GetEntries();
    ASSERT_EQ(entries.GetCount(), 3);
    EXPECT_EQ(entries[0].mRank, 1u);
    EXPECT_STREQ(entries[0].mName.GetText(), "Anna");
    EXPECT_EQ(entries[0].mScore1, 100u);
    EXPECT_EQ(entries[0].mScore2, 20u);
    EXPECT_EQ(entries[0].mScore3, 3u);
    EXPECT_FALSE(entries[0].mHighlight);
    EXPECT_TRUE(entries[1].mHighlight);
    EXPECT_TRUE(entries[1].mName.IsEmpty());
    EXPECT_FALSE(entries[2].mHighlight);
    EXPECT_STREQ(entries[2].mName.GetText(), "B");
}

TEST_F(HalvexHighscoresTest, BadRepliesLeaveNoRows)
{
    EXPECT_TRUE(PollList("<Content></Content>"));
    EXPECT_EQ(mClient.GetEntries().GetCount(), 0);
    const char* bad[] = {
        "<Scores><DR i=\"1\" n=\"41\" s1=\"1\" s2=\"1\" s3=\"1\"/></Scores>",
        "<Content><DR i=\"1\" n=\"41\" s1=\"1\" s2=\"1\" s3=\"1\"/><XX/></Content>",
        "<Content><DR i=\"1\" n=\"41\" s1=\"1\" s2=\"1\" s3=\"1\"><DR i=\"2\" n=\"41\" s1=\"1\" s2=\"1\" s3=\"1\"/></DR></Content>",
        "<Content><DR i=\"1\" n=\"41\" s1=\"1\" s2=\"1\"/></Content>",
        "<Content><DR i=\"1\" s1=\"1\" s2=\"1\" s3=\"1\"/></Content>",
        "<Content><DR i=\"x\" n=\"41\" s1=\"1\" s2=\"1\" s3=\"1\"/></Content>",
        "<Content><DR i=\"1\" n=\"41\" s1=\"1\" s2=\"1\" s3=\"1\"/>",
        "not xml at all",
    };
    for (const char* body : bad) {
        EXPECT_FALSE(PollList(body)) << body;
        EXPECT_EQ(mClient.GetEntries().GetCount(), 0) << body;
        EXPECT_FALSE(mClient.IsBusy());
    }
}

TEST_F(HalvexHighscoresTest, OneRequestAtATime)
{
    mClient.SubmitScore("abc", 1, 2, 3, 4, 5, 6, 7, 8);
    mClient.RequestScoreList("abc");
    mClient.SubmitScore("abc", 1, 2, 3, 4, 5, 6, 7, 8);
    EXPECT_EQ(mWeb.mUrls.size(), 1u);
    mWeb.mReply = "ok";
    String reply;
    ASSERT_TRUE(Poll(reply));
    EXPECT_STREQ(reply.GetText(), "ok");
    mClient.RequestScoreList("abc");
    EXPECT_EQ(mWeb.mUrls.size(), 2u);
    EXPECT_TRUE(mClient.CancelRequest());
    EXPECT_FALSE(mClient.IsBusy());
    EXPECT_EQ(mWeb.GetNumberOfLiveRequests(), 0u);
}

TEST_F(HalvexHighscoresTest, FailedOrRefusedRequestsLeaveTheClientIdle)
{
    mWeb.mFailRequests = true;
    EXPECT_FALSE(PollList("<Content/>"));
    EXPECT_FALSE(mClient.IsBusy());
    EXPECT_EQ(mWeb.GetNumberOfLiveRequests(), 0u);
    mWeb.mRefuseRequests = true;
    mClient.SubmitScore("abc", 1, 2, 3, 4, 5, 6, 7, 8);
    EXPECT_FALSE(mClient.IsBusy());
}

TEST_F(HalvexHighscoresTest, SubmissionIsSigned)
{
    const std::string url = Submit("abc", 2, 7, 123456);
    EXPECT_EQ(url.rfind(std::string(HalvexHighscores::DefaultServer) + "/DR/saveScore.php?n=616263&i=dev42&c=US&os=", 0), 0u);
    EXPECT_NE(url.find("&v=1.1&l=1&cl=2&cs=7&c1=123456&c2=11&c3=12&z1=13&z2=14&z3=15&md5="), std::string::npos);
    const std::string signature = Signature(url);
    EXPECT_EQ(signature.size(), 32u);
    EXPECT_EQ(signature.find_first_not_of("0123456789abcdef"), std::string::npos);
    EXPECT_EQ(Signature(Submit("abc", 2, 7, 123456)), signature);
    EXPECT_NE(Signature(Submit("abc", 2, 7, 123457)), signature);
    EXPECT_NE(Signature(Submit("abc", 7, 2, 123456)), signature);
    EXPECT_NE(Signature(Submit("abd", 2, 7, 123456)), signature);
    EXPECT_NE(Submit("", 2, 7, 123456).find("saveScore.php?n=&i=dev42"), std::string::npos);
}

// Over requests that move through the platform's steps, whose finished and failed flags hold for
// one step only and which go back to idle, with neither flag, when their worker cannot start.
class HalvexHighscoresSteppedTest : public ::testing::Test
{
protected:
    HalvexHighscoresSteppedTest() : mHandler(mWeb), mState(&mHandler, &mConfiguration, nullptr, nullptr, nullptr)
    {
        EXPECT_TRUE(mClient.Init(&mState));
    }
    void Submit(UInt32 total) { mClient.SubmitScore("abc", 1, 2, total, 4, 5, 6, 7, 8); }

    Testing::SteppedWebControl mWeb;
    Testing::WebLogicDeviceHandler mHandler;
    Testing::FakeConfiguration mConfiguration;
    Logic::State mState;
    HalvexHighscores mClient;
};

TEST_F(HalvexHighscoresSteppedTest, ARequestThatCannotStartEndsAndLaterScoresAreSent)
{
    mWeb.mWorkersStart = false;
    Submit(100);
    ASSERT_TRUE(mClient.IsBusy());
    mWeb.Frame();
    String reply;
    EXPECT_FALSE(mClient.GetResponse(reply));
    EXPECT_FALSE(mClient.IsBusy());
    EXPECT_EQ(mWeb.GetNumberOfLiveRequests(), 0u);

    mWeb.mWorkersStart = true;
    Submit(200);
    ASSERT_EQ(mWeb.mUrls.size(), 2u);
    EXPECT_NE(mWeb.mUrls[1].find("&c1=200&"), std::string::npos);
    mWeb.Frame();
    EXPECT_FALSE(mClient.GetResponse(reply)); // running
    EXPECT_TRUE(mClient.IsBusy());
    mWeb.EndRunning("OK");
    mWeb.Frame();
    ASSERT_TRUE(mClient.GetResponse(reply));
    EXPECT_STREQ(reply.GetText(), "OK");
}

// A poll that comes only after the one step of the flag still ends the request: a reply is taken,
// a failure frees the client.
TEST_F(HalvexHighscoresSteppedTest, AnEndSeenAfterItsStepStillEndsTheRequest)
{
    const struct
    {
        const char* body;
        Bool taken;
        SInt32 rows;
    } cases[] = {
        {"<Content><DR i='1' n='41' s1='1' s2='2' s3='3'/></Content>", true, 1},
        {"", false, 0},
    };
    for (const auto& c : cases) {
        mClient.RequestScoreList("abc");
        mWeb.Frame();
        mWeb.EndRunning(c.body);
        mWeb.Frame();
        mWeb.Frame(); // the flag's step has passed unpolled
        String reply;
        EXPECT_EQ(mClient.GetResponse(reply), c.taken) << c.body;
        EXPECT_FALSE(mClient.IsBusy()) << c.body;
        EXPECT_EQ(mClient.GetEntries().GetCount(), c.rows) << c.body;
    }
}

} // namespace
} // namespace App
} // namespace Vorn
