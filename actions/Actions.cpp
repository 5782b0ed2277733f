// The five things the buttons do. Each reports only success or failure; the
// window procedure decides what follows.
#include <shlwapi.h>

#include "FileLookup.h"
#include "RegistryValue.h"
#include "ShellLaunch.h"
#include "../app/Launcher.h"
#include "../config/Language.h"
#include "../controls/BoundedString.h"
#include "../res/resource.h"

namespace {

const WCHAR kUninstallParent[] = L"SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Uninstall\\";
const WCHAR kUninstallValue[] = L"UninstallString";
const WCHAR kReadmeFolder[] = L"docs\\";

// docs\CODE\base_CODE.ext for the readme name; 0 when it would not fit.
BOOL BuildLocalizedReadmePath(WCHAR* relative, const WCHAR* readmeName)
{
    const WCHAR* code = GetLanguageCode();
    if (code == NULL)
        return 0;
    WCHAR base[MAX_PATH];
    if (BoundedCopy(base, MAX_PATH, readmeName) != S_OK)
        return 0;
    WCHAR* dot = PathFindExtensionW(base);
    WCHAR extension[MAX_PATH];
    BoundedCopy(extension, MAX_PATH, dot);
    *dot = L'\0';

    relative[0] = L'\0';
    const WCHAR* pieces[] = { kReadmeFolder, code, L"\\", base, L"_", code, extension };
    for (size_t i = 0; i < sizeof(pieces) / sizeof(pieces[0]); ++i) {
        if (BoundedAppend(relative, MAX_PATH, pieces[i]) != S_OK)
            return 0;
    }
    return 1;
}

}  // namespace

BOOL Launcher::Install()
{
    WCHAR setup[MAX_PATH];
    if (!FindLauncherFile(setup, config.setupExe, this))
        return 0;
    if (!config.waitForSetup)
        return ShellOpen(setup, config.setupArgs);

    // A start that hands back no process counts as a setup that ended well.
    DWORD exitCode = 0;
    if (!ShellOpenAndWait(setup, config.setupArgs, &exitCode))
        return 0;
    if (exitCode == 0)
        setupSucceeded = 1;
    return 1;
}

BOOL Launcher::Play()
{
    WCHAR game[MAX_PATH];
    if (!GetGamePath(game, MAX_PATH))
        return 0;
    return ShellOpen(game, config.gameArgs);
}

BOOL Launcher::OpenWebsite()
{
    if (!IsButtonEnabled(IDC_WEBSITE))
        return 0;
    return ShellOpen(config.websiteUrl, L"");
}

BOOL Launcher::OpenReadme()
{
    if (!IsButtonEnabled(IDC_README))
        return 0;
    const WCHAR* name = LoadLocalizedString(IDS_README_FILE);
    if (name == NULL)
        return 0;
    WCHAR found[MAX_PATH];
    if (!FindLauncherFile(found, name, this)) {
        // The plain name lies nowhere: try the copy in the system's language.
        WCHAR relative[MAX_PATH];
        name = LoadLocalizedString(IDS_README_FILE);
        if (name == NULL || !BuildLocalizedReadmePath(relative, name)
            || !FindLauncherFile(found, relative, this))
            return 0;
    }
    return ShellOpen(found, L"");
}

BOOL Launcher::Uninstall()
{
    // Alt plus the mnemonic arrives while the button is disabled, too.
    if (!IsButtonEnabled(IDC_UNINSTALL))
        return 0;

    WCHAR keyName[MAX_PATH];
    BoundedCopy(keyName, MAX_PATH, kUninstallParent);
    BoundedAppend(keyName, MAX_PATH, config.productCode);

    HKEY key;
    if (RegOpenKeyExW(HKEY_CURRENT_USER, keyName, 0, KEY_READ, &key) != ERROR_SUCCESS
        && RegOpenKeyExW(HKEY_LOCAL_MACHINE, keyName, 0, KEY_READ, &key) != ERROR_SUCCESS)
        return 0;
    // Only the key that opened is read, even if it lacks the value.
    WCHAR command[MAX_PATH];
    const BOOL read = ReadPathValue(key, kUninstallValue, command);
    RegCloseKey(key);
    if (!read)
        return 0;

    WCHAR program[MAX_PATH];
    BoundedCopy(program, MAX_PATH, command);
    PathRemoveArgsW(program);
    return ShellOpen(program, PathGetArgsW(command));
}
