#pragma once

#include <windows.h>

#include <utility>

namespace dialvane::win32 {

// Owns one handle and closes it with Close; move-only.
template <typename Handle, auto Close, Handle Null = Handle{}>
class unique_handle {
public:
    unique_handle() = default;
    explicit unique_handle(Handle handle) : handle_(handle) {}
    unique_handle(const unique_handle&) = delete;
    unique_handle& operator=(const unique_handle&) = delete;
    unique_handle(unique_handle&& other) noexcept : handle_(other.release()) {}
    unique_handle& operator=(unique_handle&& other) noexcept {
        reset(other.release());
        return *this;
    }
    ~unique_handle() { reset(); }

    Handle get() const { return handle_; }
    explicit operator bool() const { return handle_ != Null; }
    Handle release() { return std::exchange(handle_, Null); }
    void reset(Handle handle = Null) {
        if (handle_ != Null) {
            Close(handle_);
        }
        handle_ = handle;
    }

private:
    Handle handle_ = Null;
};

inline void deleteGdiObject(HGDIOBJ object) {
    ::DeleteObject(object);
}
inline void deleteDc(HDC dc) {
    ::DeleteDC(dc);
}
inline void closeKey(HKEY key) {
    ::RegCloseKey(key);
}
inline void destroyCursor(HCURSOR cursor) {
    ::DestroyCursor(cursor);
}

using unique_font = unique_handle<HFONT, deleteGdiObject>;
using unique_brush = unique_handle<HBRUSH, deleteGdiObject>;
using unique_pen = unique_handle<HPEN, deleteGdiObject>;
using unique_bitmap = unique_handle<HBITMAP, deleteGdiObject>;
using unique_region = unique_handle<HRGN, deleteGdiObject>;
using unique_dc = unique_handle<HDC, deleteDc>;
using unique_key = unique_handle<HKEY, closeKey>;
using unique_cursor = unique_handle<HCURSOR, destroyCursor>;

// Selects an object into a DC and puts the previous one back on scope exit, so the object is
// never deleted while still selected.
class select_guard {
public:
    select_guard(HDC dc, HGDIOBJ object) : dc_(dc), previous_(::SelectObject(dc, object)) {}
    select_guard(const select_guard&) = delete;
    select_guard& operator=(const select_guard&) = delete;
    ~select_guard() { ::SelectObject(dc_, previous_); }

private:
    HDC dc_;
    HGDIOBJ previous_;
};

// A window DC released on scope exit.
class window_dc {
public:
    explicit window_dc(HWND window) : window_(window), dc_(::GetDC(window)) {}
    window_dc(const window_dc&) = delete;
    window_dc& operator=(const window_dc&) = delete;
    ~window_dc() { ::ReleaseDC(window_, dc_); }
    HDC get() const { return dc_; }

private:
    HWND window_;
    HDC dc_;
};

// BeginPaint and its EndPaint, tied to one scope.
class paint_dc {
public:
    explicit paint_dc(HWND window) : window_(window), dc_(::BeginPaint(window, &paint_)) {}
    paint_dc(const paint_dc&) = delete;
    paint_dc& operator=(const paint_dc&) = delete;
    ~paint_dc() { ::EndPaint(window_, &paint_); }
    HDC get() const { return dc_; }
    const RECT& area() const { return paint_.rcPaint; }

private:
    HWND window_;
    PAINTSTRUCT paint_{};
    HDC dc_;
};

}  // namespace dialvane::win32
