#include "platform/win32/email.h"

#include <gtest/gtest.h>

#include <mutex>
#include <string>
#include <thread>
#include <vector>

#include "platform/win32/url_opener.h"
#include "platform/win32/wide_chars.h"

namespace Vorn {
namespace {

std::mutex gOpenedLock;
std::vector<std::wstring> gOpened;
Bool gShellAnswer = true;

Bool RecordOpen(const wchar_t* url)
{
    std::lock_guard<std::mutex> lock(gOpenedLock);
    gOpened.push_back(url);
    return gShellAnswer;
}

class EMailTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        gOpened.clear();
        gShellAnswer = true;
        Win32::UrlOpener::SetOpenFunction(&RecordOpen);
    }
    void TearDown() override { Win32::UrlOpener::SetOpenFunction(nullptr); }

    // Frames and logic steps until the opener thread ended and its result was published; the
    // opener's thread does nothing but call the recorder, so this ends at once.
    static void RunUntilHandedOver(Win32::EMail& email)
    {
        while (!email.IsSent() && !email.IsFailed()) {
            email.Process();
            email.Update();
            std::this_thread::yield();
        }
    }
};

TEST_F(EMailTest, BuildsTheMailtoLink)
{
    struct Case
    {
        std::vector<const char*> mTo, mCc, mBcc;
        const char* mSubject;
        const char* mBody;
        const char* mLink;
    };
    const Case cases[] = {
        {{"a@x.org", "b@y.org"}, {}, {}, "Hi there", "Text", "mailto:a@x.org;b@y.org?subject=Hi there&body=Text"},
        {{"a@x.org"}, {"c@z.org"}, {}, "S", "B", "mailto:a@x.org?subject=S&body=B&cc=c@z.org"},
        {{"a@x.org"}, {"c@z.org", "d@z.org"}, {"e@z.org"}, "", "", "mailto:a@x.org?subject=&body=&cc=c@z.org;d@z.org&bcc=e@z.org"},
        // What would end a field or the link is escaped, so the body stays whole.
        {{"a@x.org"}, {}, {}, "Q&A?", "50% & more\r\n#1", "mailto:a@x.org?subject=Q%26A%3F&body=50%25 %26 more%0D%0A%231"},
    };
    for (const Case& c : cases) {
        Win32::EMail email;
        for (const char* to : c.mTo)
            email.AddToRecipient(to);
        for (const char* cc : c.mCc)
            email.AddCcRecipient(cc);
        for (const char* bcc : c.mBcc)
            email.AddBccRecipient(bcc);
        email.SetSubject(c.mSubject);
        email.SetBody(c.mBody);
        EXPECT_STREQ(email.BuildLink().GetText(), c.mLink);
    }
}

TEST_F(EMailTest, RecipientListsAnswerEmptyOutOfRange)
{
    Win32::EMail email;
    email.AddCcRecipient("c@z.org");
    EXPECT_EQ(email.GetNumberOfToRecipients(), 0u);
    EXPECT_EQ(email.GetNumberOfCcRecipients(), 1u);
    EXPECT_STREQ(email.GetCcRecipient(0).GetText(), "c@z.org");
    EXPECT_STREQ(email.GetCcRecipient(1).GetText(), "");
    EXPECT_STREQ(email.GetBccRecipient(0).GetText(), "");
}

TEST_F(EMailTest, SendNeedsARecipientThenHandsTheLinkToTheShellOnce)
{
    Win32::EMail email;
    email.SetSubject("Score");
    EXPECT_FALSE(email.Send());
    email.Update();
    EXPECT_FALSE(email.IsPending());

    email.AddToRecipient("a@x.org");
    ASSERT_TRUE(email.Send());
    email.Update();
    EXPECT_TRUE(email.IsPending());
    RunUntilHandedOver(email);
    EXPECT_TRUE(email.IsSent());
    EXPECT_FALSE(email.IsFailed());
    ASSERT_EQ(gOpened.size(), 1u);
    EXPECT_EQ(gOpened[0], L"mailto:a@x.org?subject=Score&body=");

    // Sent is published for one update; the e-mail can then be sent again.
    email.Update();
    EXPECT_FALSE(email.IsSent());
    EXPECT_FALSE(email.IsPending());
    ASSERT_TRUE(email.Send());
    RunUntilHandedOver(email);
    EXPECT_TRUE(email.IsSent());
    EXPECT_EQ(gOpened.size(), 2u);
}

TEST_F(EMailTest, ALinkTheShellRefusesReportsFailedNotSent)
{
    gShellAnswer = false;
    Win32::EMail email;
    email.AddToRecipient("a@x.org");
    ASSERT_TRUE(email.Send());
    email.Update();
    RunUntilHandedOver(email);
    EXPECT_TRUE(email.IsFailed());
    EXPECT_FALSE(email.IsSent());
    email.Update();
    EXPECT_FALSE(email.IsFailed());
}

} // namespace
} // namespace Vorn
