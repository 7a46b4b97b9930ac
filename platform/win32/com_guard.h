#pragma once

#include <windows.h>

#include <new>

namespace dialvane::win32 {

// Neither a model failure nor a lack of memory may cross a COM call.
template <typename Call>
inline HRESULT guarded(Call&& call) noexcept {
    try {
        return call();
    } catch (const std::bad_alloc&) {
        return E_OUTOFMEMORY;
    } catch (...) {
        return E_FAIL;
    }
}

}  // namespace dialvane::win32
