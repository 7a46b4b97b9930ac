#pragma once

#include <unknwn.h>

#include <utility>

namespace dialvane::win32 {

// Holds one COM reference.
template <typename T>
class com_ptr {
public:
    com_ptr() = default;
    com_ptr(const com_ptr&) = delete;
    com_ptr& operator=(const com_ptr&) = delete;
    com_ptr(com_ptr&& other) noexcept : pointer_(std::exchange(other.pointer_, nullptr)) {}
    ~com_ptr() { reset(); }
    T* operator->() const { return pointer_; }
    T* get() const { return pointer_; }
    // For an out-parameter: whatever was held is released first, not leaked.
    T** put() {
        reset();
        return &pointer_;
    }
    void reset() {
        if (pointer_ != nullptr) {
            std::exchange(pointer_, nullptr)->Release();
        }
    }
    explicit operator bool() const { return pointer_ != nullptr; }

private:
    T* pointer_ = nullptr;
};

// COM for the lifetime of the user-interface thread.
class com_apartment {
public:
    com_apartment() : ok_(SUCCEEDED(::CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED))) {}
    com_apartment(const com_apartment&) = delete;
    com_apartment& operator=(const com_apartment&) = delete;
    ~com_apartment() {
        if (ok_) {
            ::CoUninitialize();
        }
    }

private:
    bool ok_;
};

}  // namespace dialvane::win32
