/* Entry point of Moravel.exe. */
#include "app/startup_win.h"

int WINAPI WinMain(HINSTANCE instance, HINSTANCE previous, LPSTR commandLine, int show)
{
    return RunApplication(instance, previous, commandLine, show);
}
