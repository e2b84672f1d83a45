#include "platform/win32/configuration_control.h"

#include "foundation/configuration.h"

namespace Vorn {
namespace Win32 {

Bool ConfigurationControl::Init(IConfiguration* configuration)
{
    mConfiguration = configuration;
    mFullScreen = configuration->GetFullScreen();
    mFullScreenRequested = mFullScreen.load();
    mCursorHidden = configuration->GetCursorHidden();
    mMouseExclusive = configuration->GetExclusiveMouse();
    return true;
}

void ConfigurationControl::Process()
{
    const Bool requested = mFullScreenRequested;
    if (mConfiguration != nullptr && requested != mFullScreen) {
        mConfiguration->SetFullScreen(requested);
        mFullScreenChanged = false;
    }
}

void ConfigurationControl::ConfigChanged(IConfiguration* configuration, UInt32 stamp)
{
    mFullScreenChanged = configuration->HasFullScreenChanged(stamp);
    if (mFullScreenChanged) {
        mFullScreen = configuration->GetFullScreen();
        mFullScreenRequested = mFullScreen.load();
    }
    mCursorChanged = configuration->HasCursorHiddenChanged(stamp);
    if (mCursorChanged)
        mCursorHidden = configuration->GetCursorHidden();
    mMouseModeChanged = configuration->HasExclusiveMouseChanged(stamp);
    if (mMouseModeChanged)
        mMouseExclusive = configuration->GetExclusiveMouse();
}

} // namespace Win32
} // namespace Vorn
