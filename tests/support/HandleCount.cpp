#include "tests/support/HandleCount.h"

#include <windows.h>

std::size_t countOpenHandles()
{
    std::size_t open = 0;
    for (ULONG_PTR value = 4; value <= 0xFFFC; value += 4) {
        DWORD flags = 0;
        if (GetHandleInformation(reinterpret_cast<HANDLE>(value), &flags))
            ++open;
    }
    return open;
}
