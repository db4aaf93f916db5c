// What tools/stub_product.cpp, standing in for a product or a tool, writes
// beside itself when started: "<exe>.report.txt".
#pragma once

#include "tests/support/Wait.h"

#include <map>
#include <optional>
#include <string>

struct StubReport {
    std::wstring exe;          // its module file name
    std::wstring commandLine;  // verbatim
    std::wstring folder;       // current folder at start
    std::map<std::wstring, std::wstring> variables;  // every NOX_ variable it was given
    unsigned long startupFlags = 0;  // GetStartupInfoW's dwFlags
    unsigned showWindow = 0;         // and wShowWindow
    bool console = false;            // it has a console window
    std::wstring probe;  // a HandleProbe's event in it: "event", "closed", "other"; empty: not told of one
};

// The start-up flags, show state, console and probe of a report in words, to
// compare with kShownDetachedStart.
std::wstring handoverOf(const StubReport& report);
// A product's or plain tool's start: STARTF_USESHOWWINDOW alone with SW_SHOW,
// no console, none of the starter's handles (with a HandleProbe in place).
extern const std::wstring kShownDetachedStart;

// The launch variables among the report's variables (the test program's own
// environment may hold other NOX_ names, which every child inherits).
std::map<std::wstring, std::wstring> launchVariablesOf(const StubReport& report);

// The whole report of the stub copy at `exePath`, once it is there.
std::optional<StubReport> readReport(const std::wstring& exePath);
std::optional<StubReport> waitForReport(const std::wstring& exePath, DWORD timeoutMs = kEventTimeoutMs);
void discardReport(const std::wstring& exePath);

// Whether the stub copy at `exePath` was ever started since its report was
// last discarded: it is running now, or it has written its report (which it
// does before it ends). Needs no waiting, so a start that must not happen is
// ruled out as soon as the action that could have made it has returned.
bool stubWasStarted(const std::wstring& exePath);
