// A stand-in for the programs the launcher starts (setup, game, uninstaller,
// browser, document viewer). It appends one line to the file named by
// LAUNCHER_RECORD - its own path, its working folder and its arguments, tab
// separated, in UTF-8 - and exits with the code in LAUNCHER_RECORD_EXIT.
// LAUNCHER_RECORD_SLEEP holds it running for that many milliseconds first.
#include <windows.h>
#include <shlwapi.h>

#include <stdlib.h>
#include <string>

#include "TestSupport.h"

namespace {

std::wstring Environment(const WCHAR* name)
{
    WCHAR value[1024];
    const DWORD length = GetEnvironmentVariableW(name, value, 1024);
    return (length > 0 && length < 1024) ? std::wstring(value, length) : std::wstring();
}

}  // namespace

int WINAPI wWinMain(HINSTANCE, HINSTANCE, LPWSTR, int)
{
    WCHAR self[MAX_PATH];
    GetModuleFileNameW(NULL, self, MAX_PATH);
    WCHAR folder[MAX_PATH];
    GetCurrentDirectoryW(MAX_PATH, folder);
    const std::wstring line = std::wstring(self) + L"\t" + folder + L"\t" + PathGetArgsW(GetCommandLineW());

    const std::wstring log = Environment(L"LAUNCHER_RECORD");
    if (!log.empty()) {
        HANDLE file = CreateFileW(log.c_str(), FILE_APPEND_DATA, FILE_SHARE_READ | FILE_SHARE_WRITE, NULL,
                                  OPEN_ALWAYS, 0, NULL);
        const std::string bytes = Utf8(line) + "\n";
        DWORD written = 0;
        WriteFile(file, bytes.data(), static_cast<DWORD>(bytes.size()), &written, NULL);
        CloseHandle(file);
    }
    const std::wstring sleep = Environment(L"LAUNCHER_RECORD_SLEEP");
    if (!sleep.empty())
        Sleep(static_cast<DWORD>(_wtoi(sleep.c_str())));
    const std::wstring code = Environment(L"LAUNCHER_RECORD_EXIT");
    return code.empty() ? 0 : _wtoi(code.c_str());
}
