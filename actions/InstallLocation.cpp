#include "FileLookup.h"

#include <shlwapi.h>

#include "RegistryValue.h"
#include "../app/Launcher.h"
#include "../controls/BoundedString.h"

BOOL Launcher::GetInstallPath(WCHAR* path, UINT capacity)
{
    if (path == NULL || capacity == 0)
        return 0;
    HKEY key;
    if (RegOpenKeyExW(HKEY_LOCAL_MACHINE, config.registryKey, 0, KEY_READ, &key) != ERROR_SUCCESS)
        return 0;
    WCHAR folder[MAX_PATH];
    const BOOL read = ReadPathValue(key, config.installPathValue, folder);
    RegCloseKey(key);
    if (!read)
        return 0;
    return BoundedCopy(path, capacity, folder) == S_OK;
}

BOOL Launcher::GetGamePath(WCHAR* path, UINT capacity)
{
    WCHAR folder[MAX_PATH];
    ZeroMemory(folder, sizeof(folder));
    if (!GetInstallPath(folder, MAX_PATH))
        return 0;
    WCHAR game[MAX_PATH];
    if (!JoinPath(game, folder, config.gameExe))
        return 0;
    return BoundedCopy(path, capacity, game) == S_OK;
}

BOOL Launcher::IsGameInstalled()
{
    // A waited-for setup is the only judge in that mode.
    if (config.waitForSetup)
        return setupSucceeded;
    WCHAR game[MAX_PATH];
    if (!GetGamePath(game, MAX_PATH))
        return 0;
    return PathFileExistsW(game) ? 1 : 0;
}

BOOL JoinPath(WCHAR* destination, const WCHAR* folder, const WCHAR* name)
{
    return BoundedCopy(destination, MAX_PATH, folder) == S_OK
           && BoundedAppend(destination, MAX_PATH, L"\\") == S_OK
           && BoundedAppend(destination, MAX_PATH, name) == S_OK;
}

namespace {

// A place whose own path does not fit MAX_PATH is passed over.
BOOL TryPlace(WCHAR* destination, const WCHAR* folder, DWORD folderLength, const WCHAR* name)
{
    if (folderLength == 0 || folderLength >= MAX_PATH)
        return 0;
    WCHAR candidate[MAX_PATH];
    if (!JoinPath(candidate, folder, name) || !PathFileExistsW(candidate))
        return 0;
    return BoundedCopy(destination, MAX_PATH, candidate) == S_OK;
}

}  // namespace

BOOL FindLauncherFile(WCHAR* destination, const WCHAR* name, Launcher* launcher)
{
    if (destination == NULL || name == NULL)
        return 0;
    WCHAR folder[MAX_PATH];

    DWORD length = GetCurrentDirectoryW(MAX_PATH, folder);
    if (TryPlace(destination, folder, length, name))
        return 1;

    length = GetModuleFileNameW(NULL, folder, MAX_PATH);
    if (length != 0 && length < MAX_PATH) {
        PathRemoveFileSpecW(folder);
        if (TryPlace(destination, folder, lstrlenW(folder), name))
            return 1;
    }

    // The registry is read only when the first two places hold nothing.
    if (launcher == NULL || !launcher->GetInstallPath(folder, MAX_PATH))
        return 0;
    return TryPlace(destination, folder, lstrlenW(folder), name);
}
