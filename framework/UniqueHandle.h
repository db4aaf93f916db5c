// Move-only owner of a kernel HANDLE (process, thread, file, event...),
// closed with CloseHandle. Both null and INVALID_HANDLE_VALUE mean "none",
// since the API returns one or the other on failure depending on the call.
#pragma once

#include <windows.h>

class UniqueHandle {
public:
    UniqueHandle() noexcept = default;
    explicit UniqueHandle(HANDLE handle) noexcept : handle_(handle) {}
    ~UniqueHandle() { reset(); }

    UniqueHandle(const UniqueHandle&) = delete;
    UniqueHandle& operator=(const UniqueHandle&) = delete;

    UniqueHandle(UniqueHandle&& other) noexcept : handle_(other.release()) {}
    UniqueHandle& operator=(UniqueHandle&& other) noexcept
    {
        if (this != &other)
            reset(other.release());
        return *this;
    }

    HANDLE get() const noexcept { return handle_; }
    bool valid() const noexcept { return isHandle(handle_); }
    explicit operator bool() const noexcept { return valid(); }

    // Gives up ownership without closing.
    HANDLE release() noexcept
    {
        const HANDLE handle = handle_;
        handle_ = nullptr;
        return handle;
    }

    void reset(HANDLE handle = nullptr) noexcept
    {
        const HANDLE old = handle_;
        handle_ = handle;
        if (isHandle(old) && old != handle)
            ::CloseHandle(old);
    }

    static bool isHandle(HANDLE handle) noexcept { return handle != nullptr && handle != INVALID_HANDLE_VALUE; }

private:
    HANDLE handle_ = nullptr;
};
