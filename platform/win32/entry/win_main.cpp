// The program's entry: one application object, run with the game's application factory. The
// program exits with 0 when the run succeeded and -1 otherwise.
#include <windows.h>

#include "platform/win32/application.h"

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int)
{
    Vorn::Win32::Application application(&Vorn::App::CreateApp);
    return application.Run(instance) ? 0 : -1;
}
