// The customer program shows the nine-row layout.
#include "res/resource.h"

extern const unsigned kLauncherLayoutTemplate = IDD_NOXLAUNCHER_DIALOG;
