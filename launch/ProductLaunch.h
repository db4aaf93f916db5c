// Starting a product from the launcher dialog: the mode boxes, the launch
// variables and the process itself. Takes the dialog as a plain HWND and finds
// its controls by id; a control the layout lacks counts as absent/unchecked.
#pragma once

#include <windows.h>

#include <optional>
#include <string>

// Appends the mode entries with their codes as item data; selects "Normal".
void fillModeCombo(HWND comboBox);

// Item data (launch mode code) of the mode box's selection; none when the
// layout lacks the box or nothing is selected.
std::optional<long> selectedModeCode(HWND dialog, int modeComboId);
// The same for a mode box already found; none when nothing is selected.
std::optional<long> selectedModeCodeOf(HWND comboBox);

// Deletes (not empties) the seven launch variables from our own environment.
void clearLaunchVariables();

// Starts `exePath` as an independent process in its own folder, with the
// variables chosen by the slot's mode box and inject check box, and " -help "
// when the shared "-help" box is checked. Failures end in a message box owned
// by `dialog`; nothing is kept of the child.
void launchProduct(HWND dialog, const std::wstring& exePath, int modeComboId, int injectCheckId);
