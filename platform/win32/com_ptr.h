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

}  // namespace dialvane::win32
