// Open kernel handles of this process, counted where GetProcessHandleCount
// cannot be (it answers 0 under Wine): every handle value 4..0xFFFC is asked
// with GetHandleInformation. About half a second a count under Wine, so meant
// for before/after counts around many operations.
#pragma once

#include <cstddef>

std::size_t countOpenHandles();
