// Move-only owner of one COM interface pointer, released when dropped.
#pragma once

#include "framework/SystemLibrary.h"

#include <objbase.h>

template <class T>
class ComPtr {
public:
    ComPtr() noexcept = default;
    ~ComPtr() { reset(); }

    ComPtr(const ComPtr&) = delete;
    ComPtr& operator=(const ComPtr&) = delete;
    ComPtr(ComPtr&& other) noexcept : pointer_(other.pointer_) { other.pointer_ = nullptr; }
    ComPtr& operator=(ComPtr&& other) noexcept
    {
        if (this != &other) {
            reset();
            pointer_ = other.pointer_;
            other.pointer_ = nullptr;
        }
        return *this;
    }

    T* get() const noexcept { return pointer_; }
    T* operator->() const noexcept { return pointer_; }
    explicit operator bool() const noexcept { return pointer_ != nullptr; }

    // For calls that hand out a new reference; drops the old one first.
    T** put() noexcept
    {
        reset();
        return &pointer_;
    }
    void** putVoid() noexcept { return reinterpret_cast<void**>(put()); }

    void reset() noexcept
    {
        if (pointer_ != nullptr) {
            pointer_->Release();
            pointer_ = nullptr;
        }
    }

private:
    T* pointer_ = nullptr;
};

// Joins the calling thread to a single-threaded apartment for the object's
// lifetime; leaves it again only if this object joined it.
class ComApartment {
public:
    ComApartment() noexcept
    {
        const auto initialize = systemFunction<decltype(CoInitializeEx)>(L"ole32.dll", "CoInitializeEx");
        result_ = initialize ? initialize(nullptr, COINIT_APARTMENTTHREADED | COINIT_DISABLE_OLE1DDE) : E_FAIL;
    }
    ~ComApartment()
    {
        if (SUCCEEDED(result_))  // S_OK and S_FALSE both need their CoUninitialize
            systemFunction<decltype(CoUninitialize)>(L"ole32.dll", "CoUninitialize")();
    }
    ComApartment(const ComApartment&) = delete;
    ComApartment& operator=(const ComApartment&) = delete;

    // False when the thread already runs in a multithreaded apartment.
    bool singleThreaded() const noexcept { return result_ != RPC_E_CHANGED_MODE; }

private:
    HRESULT result_ = E_FAIL;
};
