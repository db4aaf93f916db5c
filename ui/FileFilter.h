// Which entry of a file dialog's "Desc|patterns||" filter offers a given
// extension, so the dialog opens on that entry.
#pragma once

#include <string>

// 1-based number of the first pattern list holding a pattern whose text after
// its last "." equals `defaultExtension` (ASCII case ignored); 0 when none.
// Pieces holding "(" are descriptions and are not counted.
unsigned long FindFilterIndex(const std::wstring& filterText, const std::wstring& defaultExtension);
