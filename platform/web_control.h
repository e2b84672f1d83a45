// The platform's web services as the game calls them: HTTP downloads that run on worker threads,
// links opened in the user's browser and e-mails handed to the user's mail program. Results reach
// the game as flags that change only at logic-step boundaries. Implemented by the platform layer.
#pragma once

#include "foundation/data.h"
#include "foundation/string.h"
#include "foundation/types.h"
#include "output/controlable.h"

namespace Vorn {

class IUrlRequest
{
public:
    virtual Bool SetUrl(const String& url) = 0;
    virtual const String& GetUrl() const = 0;
    // The downloaded bytes once finished.
    virtual const Data& GetData() const = 0;
    // False unless the request is idle.
    virtual Bool Start() = 0;
    virtual Bool IsBusy() const = 0;
    virtual Bool HasData() const = 0;
    // True for the one logic step after the download ended.
    virtual Bool IsFinished() const = 0;
    virtual Bool IsFailed() const = 0;
    virtual ~IUrlRequest() {}
};

class IEMail
{
public:
    virtual Bool SetSubject(const String& subject) = 0;
    virtual Bool SetBody(const String& body) = 0;
    virtual void AddToRecipient(const String& address) = 0;
    virtual void AddCcRecipient(const String& address) = 0;
    virtual void AddBccRecipient(const String& address) = 0;
    virtual String GetSubject() const = 0;
    virtual String GetBody() const = 0;
    // False without a to recipient.
    virtual Bool Send() = 0;
    virtual Bool IsPending() const = 0;
    virtual Bool IsSent() const = 0;
    virtual Bool IsFailed() const = 0;
    virtual ~IEMail() {}
};

class IWebControl : public IControlable
{
public:
    // False while a link opened before is still being handed over.
    virtual Bool OpenUrl(const String& url) = 0;
    // Null when no session can be opened.
    virtual IUrlRequest* CreateUrlRequest(const String& url) = 0;
    // Ignored for a request this control did not make.
    virtual void DestroyUrlRequest(IUrlRequest* request) = 0;
    virtual IEMail* CreateEMail(const String& subject, const String& body, const String& recipient) = 0;
    virtual IEMail* CreateEMail(const String& subject, const String& body) = 0;
    virtual void DestroyEMail(IEMail* email) = 0;
};

} // namespace Vorn
