// The platform calls one enabling pass of the launcher has to make, written
// out plainly with no framework and no strings on the heap: the floor the
// launcher's own pass is measured against.
#pragma once

#include <windows.h>

// Folder and existence queries of the eleven slots, as the install-folder
// search and the enabling rule need them; no window call.
void bareQueries();

// The same queries plus, for every control the dialog has, the mode reads and
// the enable / invalidate / update the enabling pass makes.
void bareRefresh(HWND dialog);
