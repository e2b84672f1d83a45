// Hands one link to the shell's "open" verb on a small thread of its own, so that the user's
// browser or mail program comes up without holding up a frame. The web control starts it at one
// main-thread step and destroys it at the first step after its thread ended.
#pragma once

#include <atomic>

#include "foundation/string.h"
#include "foundation/thread.h"

namespace Vorn {
namespace Win32 {

class UrlOpener : public System::Thread
{
public:
    // Opens a UTF-16 link; true when the shell took it. Tests put a recorder in its place.
    typedef Bool (*OpenFunction)(const wchar_t* url);

    explicit UrlOpener(const String& url);
    ~UrlOpener() override;

    // Marks the opener started and creates its thread; returns whether it runs.
    Bool Start() override;
    Bool IsStarted() const { return mStarted; }
    // Whether the shell took the link; read it once the thread ended.
    Bool HasSucceeded() const { return mSucceeded; }
    const String& GetUrl() const { return mUrl; }

    static void SetOpenFunction(OpenFunction open);
    // ShellExecuteW with the verb "open"; what every opener uses unless a test set another.
    static Bool OpenWithShell(const wchar_t* url);

protected:
    Bool Run() override;

private:
    Bool mStarted = false;
    std::atomic<Bool> mSucceeded{false};
    String mUrl;
};

} // namespace Win32
} // namespace Vorn
