// An e-mail that the game prepares and the user's mail program sends: Send turns subject, body
// and recipients into a "mailto:" link that a link opener hands to the shell. Stepped on the main
// thread by the web control; its flags are published at the logic step.
#pragma once

#include <memory>

#include "foundation/array.h"
#include "foundation/string.h"
#include "platform/web_control.h"

namespace Vorn {
namespace Win32 {

class UrlOpener;

class EMail : public IEMail
{
public:
    enum State : UInt32 { kIdle = 0, kPending = 1, kSent = 2, kFailed = 3 };

    EMail();
    ~EMail() override;

    Bool SetSubject(const String& subject) override;
    Bool SetBody(const String& body) override;
    void AddToRecipient(const String& address) override { mTo.Add(address); }
    void AddCcRecipient(const String& address) override { mCc.Add(address); }
    void AddBccRecipient(const String& address) override { mBcc.Add(address); }
    String GetSubject() const override { return mSubject; }
    String GetBody() const override { return mBody; }
    Bool Send() override;
    Bool IsPending() const override { return mPending; }
    Bool IsSent() const override { return mSent; }
    Bool IsFailed() const override { return mFailed; }

    UInt32 GetNumberOfToRecipients() const { return UInt32(mTo.GetCount()); }
    UInt32 GetNumberOfCcRecipients() const { return UInt32(mCc.GetCount()); }
    UInt32 GetNumberOfBccRecipients() const { return UInt32(mBcc.GetCount()); }
    // Empty for an index out of range.
    String GetToRecipient(UInt32 index) const { return GetEntry(mTo, index); }
    String GetCcRecipient(UInt32 index) const { return GetEntry(mCc, index); }
    String GetBccRecipient(UInt32 index) const { return GetEntry(mBcc, index); }

    // Main-thread step: makes, starts and finally destroys the opener of a pending e-mail.
    void Process();
    // Logic step: publishes pending, sent and failed for one update each.
    void Update();

    // The "mailto:" link. Characters that would end a field or the link are percent-encoded,
    // so an "&" in the body stays in the body.
    String BuildLink() const;

private:
    static String GetEntry(const Array<String>& list, UInt32 index);

    std::unique_ptr<UrlOpener> mOpener;
    UInt32 mState = kIdle;
    UInt32 mPreviousState = kIdle;
    Bool mPending = false;
    Bool mSent = false;
    Bool mFailed = false;
    String mSubject;
    String mBody;
    Array<String> mTo;
    Array<String> mCc;
    Array<String> mBcc;
};

} // namespace Win32
} // namespace Vorn
