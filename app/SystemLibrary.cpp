#include "SystemLibrary.h"

#include "../controls/BoundedString.h"

#ifndef LOAD_LIBRARY_SEARCH_SYSTEM32
#define LOAD_LIBRARY_SEARCH_SYSTEM32 0x00000800
#endif

#ifndef LAUNCHER_UNRESTRICTED_DLL_SEARCH
namespace {

typedef BOOL(WINAPI* SetDefaultDllDirectoriesProc)(DWORD);
typedef BOOL(WINAPI* SetDllDirectoryProc)(LPCWSTR);

FARPROC KernelProcedure(const char* name)
{
    HMODULE kernel = GetModuleHandleW(L"kernel32.dll");
    return kernel != NULL ? GetProcAddress(kernel, name) : NULL;
}

}  // namespace
#endif

void RestrictDllSearch()
{
#ifndef LAUNCHER_UNRESTRICTED_DLL_SEARCH
    // Vista and later with the 2012 update, and every Windows from 8 on.
    SetDefaultDllDirectoriesProc setDefault = reinterpret_cast<SetDefaultDllDirectoriesProc>(
        reinterpret_cast<void*>(KernelProcedure("SetDefaultDllDirectories")));
    if (setDefault != NULL && setDefault(LOAD_LIBRARY_SEARCH_SYSTEM32))
        return;
    // XP SP1 and later: at least take the current directory out of the search.
    SetDllDirectoryProc setDirectory = reinterpret_cast<SetDllDirectoryProc>(
        reinterpret_cast<void*>(KernelProcedure("SetDllDirectoryW")));
    if (setDirectory != NULL)
        setDirectory(L"");
#endif
}

HMODULE LoadSystemLibrary(const WCHAR* fileName)
{
#ifdef LAUNCHER_UNRESTRICTED_DLL_SEARCH
    return LoadLibraryW(fileName);
#else
    WCHAR path[MAX_PATH];
    const UINT length = GetSystemDirectoryW(path, MAX_PATH);
    if (length == 0 || length >= MAX_PATH)
        return NULL;
    if (BoundedAppend(path, MAX_PATH, L"\\") != S_OK || BoundedAppend(path, MAX_PATH, fileName) != S_OK)
        return NULL;
    // The altered search path makes the DLL's own imports come from its folder too.
    return LoadLibraryExW(path, NULL, LOAD_WITH_ALTERED_SEARCH_PATH);
#endif
}
