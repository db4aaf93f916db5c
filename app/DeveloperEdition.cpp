// The developer edition shows all eleven rows with the auto-test and tool controls.
#include "res/resource.h"

extern const unsigned kLauncherLayoutTemplate = IDD_NOXLAUNCHER_DEV_DIALOG;
