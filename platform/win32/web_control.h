// The platform's web services: HTTP requests on worker threads, e-mails and links handed to the
// shell. The main loop steps it once per frame; the engine's output device handler publishes its
// flags once per logic step.
#pragma once

#include <memory>

#include "foundation/array.h"
#include "platform/web_control.h"

namespace Vorn {
namespace Win32 {

class EMail;
class UrlOpener;
class UrlRequest;

class WebControl : public IWebControl
{
public:
    WebControl();
    ~WebControl() override;

    // Starts, then destroys the link opener; steps the e-mails and requests.
    void Process() override;
    // Publishes the e-mails' and requests' flags.
    void Update() override;
    void ConfigChanged(IConfiguration*, UInt32) override {}

    Bool OpenUrl(const String& url) override;
    IUrlRequest* CreateUrlRequest(const String& url) override;
    void DestroyUrlRequest(IUrlRequest* request) override;
    IEMail* CreateEMail(const String& subject, const String& body, const String& recipient) override;
    IEMail* CreateEMail(const String& subject, const String& body) override;
    void DestroyEMail(IEMail* email) override;

private:
    std::unique_ptr<UrlOpener> mOpener;
    Array<UrlRequest*> mRequests;
    Array<EMail*> mEMails;
};

} // namespace Win32
} // namespace Vorn
