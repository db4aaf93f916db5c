// Entry point and the application object. The other process-wide object, the
// auto-test dialogs' folder memory (lastFolderByExtension), lives beside its
// class; neither object's construction or destruction touches the other.
#include "app/noxLauncherApp.h"

#include <windows.h>

static CnoxLauncherApp theApp;

int WINAPI wWinMain(HINSTANCE, HINSTANCE, LPWSTR, int)
{
    return AfxWinMain();  // the command line is not read
}
