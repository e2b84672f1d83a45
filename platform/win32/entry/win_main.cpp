// The program's entry: one application object, run with the game's application factory. The
// program exits with 0 when the run succeeded and -1 otherwise.
#include <windows.h>

#include "platform/win32/application.h"

namespace Vorn {
class IApp;
class IConfiguration;
namespace App {
// Supplied by the program that links the entry (the game's in game/drel_app.cpp, the entry test's
// own): writes the application's settings into the configuration and returns its object, null on
// failure.
IApp* CreateApp(IConfiguration* configuration);
} // namespace App
} // namespace Vorn

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int)
{
    Vorn::Win32::Application application(&Vorn::App::CreateApp);
    return application.Run(instance) ? 0 : -1;
}
