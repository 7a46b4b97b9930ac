#include <windows.h>

#include <cwchar>

// Loads each library named on the command line by its name alone, as a program that does not
// limit the search would, and says which file it got.
int wmain(int argc, wchar_t** argv) {
    for (int i = 1; i < argc; ++i) {
        wchar_t path[MAX_PATH]{};
        ::GetModuleFileNameW(::LoadLibraryW(argv[i]), path, MAX_PATH);
        std::wprintf(L"%ls: %ls\n", argv[i], path);
    }
    return 0;
}
