// The developer layout's "Browse..." buttons: choose an auto-test file and
// put its path into the slot's field.
#pragma once

#include "framework/Wnd.h"

#include <functional>

// Runs one auto-test file dialog owned by `launcherDialog`. On a confirmed
// choice the field's whole text becomes the chosen path and `refresh` runs;
// a cancel changes nothing.
void BrowseForAutoTestFile(CWnd& field, CWnd& launcherDialog, const std::function<void()>& refresh);
