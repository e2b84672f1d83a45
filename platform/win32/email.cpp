#include "platform/win32/email.h"

#include <cstdio>
#include <string>

#include "platform/win32/url_opener.h"

namespace Vorn {
namespace Win32 {
namespace {

// Appends text with every byte that could end a field or the link percent-encoded: the field
// separators, the list separator, "%" itself and control characters (line breaks included).
void AppendEncoded(std::string& link, const String& text)
{
    const char* bytes = text.GetText();
    for (SInt32 i = 0; i < text.GetLength(); ++i) {
        const UInt8 byte = UInt8(bytes[i]);
        if (byte < 0x20 || byte == 0x7F || byte == '%' || byte == '&' || byte == '?' || byte == '#' ||
            byte == ';' || byte == '=') {
            char escape[4];
            std::snprintf(escape, sizeof(escape), "%%%02X", byte);
            link += escape;
        } else {
            link += char(byte);
        }
    }
}

void AppendList(std::string& link, const Array<String>& list)
{
    for (SInt32 i = 0; i < list.GetCount(); ++i) {
        if (i > 0)
            link += ';';
        AppendEncoded(link, list[i]);
    }
}

} // namespace

EMail::EMail() = default;

EMail::~EMail() = default;

Bool EMail::SetSubject(const String& subject)
{
    mSubject = subject;
    return true;
}

Bool EMail::SetBody(const String& body)
{
    mBody = body;
    return true;
}

Bool EMail::Send()
{
    if (mTo.GetCount() == 0)
        return false;
    mState = kPending;
    return true;
}

String EMail::GetEntry(const Array<String>& list, UInt32 index)
{
    return index < UInt32(list.GetCount()) ? list[SInt32(index)] : String();
}

String EMail::BuildLink() const
{
    std::string link = "mailto:";
    AppendList(link, mTo);
    link += "?subject=";
    AppendEncoded(link, mSubject);
    link += "&body=";
    AppendEncoded(link, mBody);
    if (mCc.GetCount() > 0) {
        link += "&cc=";
        AppendList(link, mCc);
    }
    if (mBcc.GetCount() > 0) {
        link += "&bcc=";
        AppendList(link, mBcc);
    }
    return String(link.c_str(), SInt32(link.size()));
}

void EMail::Process()
{
    if (mOpener) {
        if (!mOpener->IsStarted()) {
            mOpener->Start();
            return;
        }
        if (!mOpener->IsRunning()) {
            mOpener->Join();
            // A link the shell refused was not handed to a mail program.
            mState = mOpener->HasSucceeded() ? kSent : kFailed;
            mOpener.reset();
        }
        return;
    }
    if (mState == kPending)
        mOpener = std::make_unique<UrlOpener>(BuildLink());
}

void EMail::Update()
{
    mPending = mState == kPending;
    mSent = mPreviousState == kPending && mState == kSent;
    mFailed = mPreviousState == kPending && mState == kFailed;
    mPreviousState = mState;
    if (mState != kPending)
        mState = kIdle;
}

} // namespace Win32
} // namespace Vorn
