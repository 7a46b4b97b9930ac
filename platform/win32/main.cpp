#include <windows.h>
#include <commctrl.h>

#include "app/form1.h"
#include "platform/win32/form_window.h"
#include "platform/win32/picture_library.h"
#include "platform/win32/win32_platform.h"

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE, PWSTR, int) {
    // Libraries come from System32 only: a uxtheme.dll planted beside the program (run from
    // Downloads, say) is never loaded in place of the system's.
    ::SetDefaultDllDirectories(LOAD_LIBRARY_SEARCH_SYSTEM32);
    // The visual styles draw through msimg32, which Wine's loader looks for beside the program
    // when uxtheme imports it: taken from System32 now, it is the one that import finds.
    ::LoadLibraryExW(L"msimg32.dll", nullptr, LOAD_LIBRARY_SEARCH_SYSTEM32);
    using namespace dialvane;
    const INITCOMMONCONTROLSEX controls{sizeof(INITCOMMONCONTROLSEX), ICC_STANDARD_CLASSES};
    ::InitCommonControlsEx(&controls);
    win32::PictureLibrary pictures(instance);
    win32::Win32Platform platform(pictures);
    Form1 form(platform);
    win32::FormWindow window(instance, form, platform, pictures);
    window.create();
    if (window.handle() == nullptr) {
        return 1;
    }
    window.loadAndShow();
    return window.run();
}
