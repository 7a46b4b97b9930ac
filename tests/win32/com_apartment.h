#pragma once

#include <objbase.h>

namespace dialvane::testing {

// COM on the test's thread for the test's lifetime.
class ComApartment {
public:
    ComApartment() : ok_(SUCCEEDED(::CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED))) {}
    ComApartment(const ComApartment&) = delete;
    ComApartment& operator=(const ComApartment&) = delete;
    ~ComApartment() {
        if (ok_) {
            ::CoUninitialize();
        }
    }

private:
    bool ok_;
};

}  // namespace dialvane::testing
