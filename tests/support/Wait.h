// Waiting for something the test can observe. The timeout only keeps a broken
// run from hanging: it is no latency limit, so it is far above anything a busy
// machine needs.
#pragma once

#include <windows.h>

#include <functional>

constexpr DWORD kEventTimeoutMs = 60000;

// Polls `condition` every 20 ms; false if it never held within `timeoutMs`.
bool waitUntil(const std::function<bool()>& condition, DWORD timeoutMs = kEventTimeoutMs);
