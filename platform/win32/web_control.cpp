#include <windows.h>
#include <wininet.h>

#include "platform/win32/web_control.h"

#include "foundation/debug.h"
#include "platform/win32/email.h"
#include "platform/win32/url_opener.h"
#include "platform/win32/url_request.h"

namespace Vorn {
namespace Win32 {
namespace {

void CloseSession(UrlRequest* request)
{
    HINTERNET session = HINTERNET(request->GetSession());
    InternetSetStatusCallback(session, nullptr);
    InternetCloseHandle(session);
}

} // namespace

WebControl::WebControl() = default;

WebControl::~WebControl()
{
    // Closing a session first ends a read that still waits on the network; the request's
    // worker then joins.
    for (UrlRequest* request : mRequests) {
        CloseSession(request);
        delete request;
    }
    for (EMail* email : mEMails)
        delete email;
}

void WebControl::Process()
{
    if (mOpener) {
        if (!mOpener->IsStarted()) {
            mOpener->Start();
        } else if (!mOpener->IsRunning()) {
            mOpener.reset();
        }
    }
    for (EMail* email : mEMails)
        email->Process();
    for (UrlRequest* request : mRequests)
        request->Process();
}

void WebControl::Update()
{
    for (EMail* email : mEMails)
        email->Update();
    for (UrlRequest* request : mRequests)
        request->Update();
}

Bool WebControl::OpenUrl(const String& url)
{
    if (mOpener)
        return false;
    mOpener = std::make_unique<UrlOpener>(url);
    return true;
}

IUrlRequest* WebControl::CreateUrlRequest(const String& url)
{
    HINTERNET session = InternetOpenA("Vorn", INTERNET_OPEN_TYPE_PRECONFIG, nullptr, nullptr, 0);
    if (session == nullptr) {
        Debug::Trace("Win32::WebControl::CreateUrlRequest(): Failed to open an internet session");
        return nullptr;
    }
    UrlRequest* request = new UrlRequest(url, session);
    mRequests.Add(request);
    return request;
}

void WebControl::DestroyUrlRequest(IUrlRequest* request)
{
    UrlRequest* found = dynamic_cast<UrlRequest*>(request);
    const SInt32 position = found != nullptr ? mRequests.Find(found) : -1;
    if (position < 0)
        return;
    mRequests.RemoveAt(position);
    CloseSession(found);
    delete found;
}

IEMail* WebControl::CreateEMail(const String& subject, const String& body, const String& recipient)
{
    IEMail* email = CreateEMail(subject, body);
    email->AddToRecipient(recipient);
    return email;
}

IEMail* WebControl::CreateEMail(const String& subject, const String& body)
{
    EMail* email = new EMail();
    email->SetSubject(subject);
    email->SetBody(body);
    mEMails.Add(email);
    return email;
}

void WebControl::DestroyEMail(IEMail* email)
{
    EMail* found = dynamic_cast<EMail*>(email);
    const SInt32 position = found != nullptr ? mEMails.Find(found) : -1;
    if (position < 0)
        return;
    delete mEMails[position];
    mEMails.RemoveAt(position);
}

} // namespace Win32
} // namespace Vorn
