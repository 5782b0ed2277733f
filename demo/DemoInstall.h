// What the demo setup writes and the demo uninstaller removes. The names must
// match the launcher's configuration in res/launcher.rc: the registry key and
// value (strings 136, 137), the game's path below the install folder (134) and
// the product code of the uninstall entry (148).
#ifndef DEMO_INSTALL_H
#define DEMO_INSTALL_H

#include <windows.h>

// Below Program Files.
#define DEMO_INSTALL_SUBFOLDER L"Corvane\\Duskmere"
#define DEMO_PUBLISHER_SUBFOLDER L"Corvane"

// Below the install folder; setup takes the same names from the disc's game folder.
#define DEMO_GAME_FOLDER L"binaries"
#define DEMO_GAME_EXE L"dmgame.exe"
#define DEMO_UNINSTALL_EXE L"uninstall.exe"

// Below HKEY_LOCAL_MACHINE.
#define DEMO_REGISTRY_KEY L"Software\\Corvane\\Duskmere"
#define DEMO_PUBLISHER_KEY L"Software\\Corvane"
#define DEMO_INSTALL_PATH_VALUE L"InstallPath"
#define DEMO_UNINSTALL_KEY \
    L"SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Uninstall\\{6F1C2A7E-3B84-4D2E-9A61-5C0D8E4B7F23}"

#define DEMO_GAME_TITLE L"Duskmere"

#endif
