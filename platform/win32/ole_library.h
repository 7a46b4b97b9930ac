#pragma once

#include <windows.h>
#include <oleacc.h>

namespace dialvane::win32 {

// The few functions of oleacc, ole32 and oleaut32 the accessible objects need. They are loaded
// when a screen reader first asks for a window, never at start-up: most runs meet none, and
// these libraries would otherwise cost memory for the whole run.
struct OleLibrary {
    decltype(&::CreateStdAccessibleObject) createStdAccessibleObject = nullptr;
    decltype(&::LresultFromObject) lresultFromObject = nullptr;
    decltype(&::CoInitializeEx) coInitializeEx = nullptr;
    decltype(&::CoUninitialize) coUninitialize = nullptr;
    decltype(&::CoCreateInstance) coCreateInstance = nullptr;
    decltype(&::SysAllocString) sysAllocString = nullptr;

    // Loads them on the first call; nullptr when a library or function is missing. They stay
    // loaded to the end of the process: objects made by oleacc may outlive every window.
    static const OleLibrary* get();
};

// A copy of text for a BSTR out-parameter.
HRESULT toBstr(const OleLibrary& ole, const wchar_t* text, BSTR* out);

}  // namespace dialvane::win32
