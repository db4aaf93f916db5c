// Starting a program the launcher keeps nothing of.
#pragma once

#include <string>

// Starts exactly `exePath` (also passed as the application name, so a path with
// blanks can never run "C:\Program.exe" instead) with `commandLine` as the
// child's command line, in `folder` (empty: the launcher's own), shown with
// SW_SHOW and inheriting the launcher's environment. Both handles are closed
// at once. True when the process was created.
bool startDetachedProcess(const std::wstring& exePath, const std::wstring& commandLine, const std::wstring& folder);
