// The demo's uninstaller, which setup copies into the install folder and
// registers as "<folder>\uninstall.exe" /quiet. It removes what setup made:
// the game, its own copy, the folders (as far as they are empty then), the
// install folder's registry key and the uninstall entry.
//
// A running program cannot delete itself or the folder it lies in, so the work
// is done in two steps. Started normally, the uninstaller asks (unless /quiet),
// copies itself to the temporary folder, starts that copy with
//   /remove <own process id> "<install folder>"
// and ends. The copy waits for the first one to end, removes everything, and
// leaves only itself behind in the temporary folder, to be deleted at the next
// restart.
#include <windows.h>
#include <shellapi.h>
#include <shlwapi.h>

#include "DemoInstall.h"

namespace {

const WCHAR kTitle[] = L"Duskmere Uninstall";
const DWORD kWaitMilliseconds = 10000;

// The install folder as setup registered it, or, failing that, the folder of
// this program when it is laid out like an install.
BOOL FindInstallFolder(WCHAR* folder)
{
    HKEY key = NULL;
    if (RegOpenKeyExW(HKEY_LOCAL_MACHINE, DEMO_REGISTRY_KEY, 0, KEY_READ, &key) == ERROR_SUCCESS) {
        DWORD type = 0;
        DWORD bytes = (MAX_PATH - 1) * sizeof(WCHAR);
        ZeroMemory(folder, MAX_PATH * sizeof(WCHAR));
        const LONG read = RegQueryValueExW(key, DEMO_INSTALL_PATH_VALUE, NULL, &type,
                                           reinterpret_cast<BYTE*>(folder), &bytes);
        RegCloseKey(key);
        if (read == ERROR_SUCCESS && type == REG_SZ && folder[0] != L'\0')
            return TRUE;
    }
    WCHAR game[MAX_PATH];
    if (GetModuleFileNameW(NULL, folder, MAX_PATH) >= MAX_PATH)
        return FALSE;
    PathRemoveFileSpecW(folder);
    lstrcpynW(game, folder, MAX_PATH);
    return PathAppendW(game, DEMO_GAME_FOLDER L"\\" DEMO_GAME_EXE) && PathFileExistsW(game);
}

// Step one: hand over to a copy in the temporary folder.
int StartRemoval(BOOL quiet)
{
    WCHAR folder[MAX_PATH] = L"";
    if (FindInstallFolder(folder))
        PathRemoveBackslashW(folder);  // a last backslash would escape the closing quote
    else
        folder[0] = L'\0';  // nothing on disk to remove; the registry is still cleaned
    if (!quiet && MessageBoxW(NULL, L"Remove Duskmere from this computer?", kTitle,
                              MB_YESNO | MB_ICONQUESTION) != IDYES)
        return 1;

    WCHAR self[MAX_PATH];
    const DWORD length = GetModuleFileNameW(NULL, self, MAX_PATH);
    WCHAR temp[MAX_PATH];
    const DWORD tempLength = GetTempPathW(MAX_PATH, temp);
    if (length == 0 || length >= MAX_PATH || tempLength == 0 || tempLength >= MAX_PATH - 40)
        return 1;
    WCHAR copy[MAX_PATH];
    wsprintfW(copy, L"%sDuskmereUninstall-%lu.exe", temp, GetCurrentProcessId());
    if (!CopyFileW(self, copy, FALSE))
        return 1;

    WCHAR command[3 * MAX_PATH];
    wsprintfW(command, L"\"%s\" /remove %lu \"%s\"", copy, GetCurrentProcessId(), folder);
    STARTUPINFOW startup;
    ZeroMemory(&startup, sizeof(startup));
    startup.cb = sizeof(startup);
    PROCESS_INFORMATION process;
    // The copy works from the temporary folder, so that no process keeps the
    // install folder as its current directory.
    if (!CreateProcessW(copy, command, NULL, NULL, FALSE, 0, NULL, temp, &startup, &process)) {
        DeleteFileW(copy);
        return 1;
    }
    CloseHandle(process.hThread);
    CloseHandle(process.hProcess);
    return 0;
}

// A file that was just in use (the first step's program) may need a moment.
BOOL DeleteWhenFree(const WCHAR* folder, const WCHAR* name)
{
    WCHAR path[MAX_PATH];
    lstrcpynW(path, folder, MAX_PATH);
    if (!PathAppendW(path, name))
        return FALSE;
    for (int attempt = 0; attempt < 50; ++attempt) {
        if (DeleteFileW(path) || GetLastError() == ERROR_FILE_NOT_FOUND ||
            GetLastError() == ERROR_PATH_NOT_FOUND)
            return TRUE;
        Sleep(100);
    }
    return FALSE;
}

// Step two, in the copy: remove the registry entries, the files and the folders.
int Remove(DWORD firstStep, const WCHAR* folder)
{
    HANDLE first = OpenProcess(SYNCHRONIZE, FALSE, firstStep);
    if (first != NULL) {
        WaitForSingleObject(first, kWaitMilliseconds);
        CloseHandle(first);
    }

    // The registry first: from now on the launcher no longer sees the game.
    RegDeleteKeyW(HKEY_LOCAL_MACHINE, DEMO_UNINSTALL_KEY);
    RegDeleteKeyW(HKEY_LOCAL_MACHINE, DEMO_REGISTRY_KEY);
    RegDeleteKeyW(HKEY_LOCAL_MACHINE, DEMO_PUBLISHER_KEY);  // only goes when empty

    BOOL removed = TRUE;
    if (folder[0] != L'\0') {
        WCHAR binaries[MAX_PATH];
        lstrcpynW(binaries, folder, MAX_PATH);
        PathAppendW(binaries, DEMO_GAME_FOLDER);
        removed = DeleteWhenFree(binaries, DEMO_GAME_EXE) &&
                  DeleteWhenFree(folder, DEMO_UNINSTALL_EXE);
        RemoveDirectoryW(binaries);
        RemoveDirectoryW(folder);
        removed = removed && !PathFileExistsW(folder);
        // The publisher's folder too, unless something else of Corvane's is there.
        WCHAR publisher[MAX_PATH];
        lstrcpynW(publisher, folder, MAX_PATH);
        PathRemoveFileSpecW(publisher);
        if (lstrcmpiW(PathFindFileNameW(publisher), DEMO_PUBLISHER_SUBFOLDER) == 0)
            RemoveDirectoryW(publisher);
    }

    WCHAR self[MAX_PATH];
    if (GetModuleFileNameW(NULL, self, MAX_PATH) < MAX_PATH)
        MoveFileExW(self, NULL, MOVEFILE_DELAY_UNTIL_REBOOT);
    return removed ? 0 : 1;
}

}  // namespace

int WINAPI wWinMain(HINSTANCE, HINSTANCE, LPWSTR, int)
{
    int count = 0;
    LPWSTR* arguments = CommandLineToArgvW(GetCommandLineW(), &count);
    if (arguments == NULL)
        return 1;
    int result;
    if (count == 4 && lstrcmpiW(arguments[1], L"/remove") == 0) {
        result = Remove(static_cast<DWORD>(StrToIntW(arguments[2])), arguments[3]);
    } else {
        BOOL quiet = FALSE;
        for (int i = 1; i < count; ++i)
            quiet = quiet || lstrcmpiW(arguments[i], L"/quiet") == 0;
        result = StartRemoval(quiet);
    }
    LocalFree(arguments);
    return result;
}
