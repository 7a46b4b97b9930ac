#pragma once

#include <objbase.h>

namespace dialvane::testing {

// COM on the test's thread for the test's lifetime.
struct ComApartment {
    ComApartment() : ok(SUCCEEDED(::CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED))) {}
    ~ComApartment() {
        if (ok) {
            ::CoUninitialize();
        }
    }
    const bool ok;
};

}  // namespace dialvane::testing
