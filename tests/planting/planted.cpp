// A stand-in for a DLL that someone placed beside the launcher or in its
// current folder. Loading it leaves a marker file "DLL-by-PROGRAM.loaded" in
// the folder given by PLANTED_DLL_MARKERS, so a test can tell who loaded it.
#include <windows.h>

static const WCHAR* FileName(const WCHAR* path)
{
    const WCHAR* name = path;
    for (const WCHAR* at = path; *at; ++at) {
        if (*at == L'\\' || *at == L'/')
            name = at + 1;
    }
    return name;
}

BOOL WINAPI DllMain(HINSTANCE module, DWORD reason, LPVOID)
{
    if (reason != DLL_PROCESS_ATTACH)
        return TRUE;
    WCHAR folder[MAX_PATH];
    const DWORD length = GetEnvironmentVariableW(L"PLANTED_DLL_MARKERS", folder, MAX_PATH);
    if (length == 0 || length >= MAX_PATH - 40)
        return TRUE;
    WCHAR self[MAX_PATH];
    GetModuleFileNameW(module, self, MAX_PATH);
    WCHAR program[MAX_PATH];
    GetModuleFileNameW(NULL, program, MAX_PATH);
    WCHAR marker[MAX_PATH];
    lstrcpyW(marker, folder);
    lstrcatW(marker, L"\\");
    lstrcatW(marker, FileName(self));
    lstrcatW(marker, L"-by-");
    lstrcatW(marker, FileName(program));
    lstrcatW(marker, L".loaded");
    HANDLE file = CreateFileW(marker, GENERIC_WRITE, 0, NULL, CREATE_ALWAYS, 0, NULL);
    if (file != INVALID_HANDLE_VALUE) {
        DWORD written = 0;
        WriteFile(file, self, static_cast<DWORD>(lstrlenW(self) * sizeof(WCHAR)), &written, NULL);
        CloseHandle(file);
    }
    return TRUE;
}
