#pragma once

#include <unknwn.h>

#include <utility>

namespace dialvane::testing {

// Holds one COM reference.
template <typename T>
class com_ptr {
public:
    com_ptr() = default;
    com_ptr(const com_ptr&) = delete;
    com_ptr& operator=(const com_ptr&) = delete;
    com_ptr(com_ptr&& other) noexcept : pointer_(std::exchange(other.pointer_, nullptr)) {}
    ~com_ptr() {
        if (pointer_ != nullptr) {
            pointer_->Release();
        }
    }
    T* operator->() const { return pointer_; }
    T* get() const { return pointer_; }
    T** put() { return &pointer_; }
    explicit operator bool() const { return pointer_ != nullptr; }

private:
    T* pointer_ = nullptr;
};

// COM for the lifetime of the thread.
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

}  // namespace dialvane::testing
