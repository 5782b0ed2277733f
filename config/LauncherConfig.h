// The settings that tie the launcher to one game, read from its own string
// table. There is no configuration file and no setting in the registry.
#ifndef LAUNCHER_CONFIG_H
#define LAUNCHER_CONFIG_H

#include <windows.h>

struct LauncherConfig
{
    WCHAR mutexName[MAX_PATH];
    WCHAR setupExe[MAX_PATH];
    WCHAR setupArgs[MAX_PATH];
    WCHAR gameTitle[MAX_PATH];
    WCHAR gameExe[MAX_PATH];
    WCHAR gameArgs[MAX_PATH];
    WCHAR registryKey[MAX_PATH];
    WCHAR installPathValue[MAX_PATH];
    WCHAR setupWindowTitle[MAX_PATH];
    WCHAR websiteUrl[MAX_PATH];
    WCHAR fontFace[MAX_PATH];
    WCHAR secondSetupExe[MAX_PATH];
    WCHAR secondSetupArgs[MAX_PATH];
    WCHAR productCode[MAX_PATH];
    INT fontHeight;
    BOOL waitForSetup;
    BOOL uppercaseCaptions;
};

// Fills every field of the caller's record and returns it.
LauncherConfig* LoadLauncherConfig(LauncherConfig* config);

// The caption font height from string 143; -1 when the string is absent.
INT LoadConfigInt();

// 1 when the string reads TRUE or YES in any case, else 0 (also when absent).
BOOL LoadConfigBool(UINT id);

// The two decisions above as functions of the text alone.
INT ParseConfigInt(const WCHAR* text);
BOOL ParseConfigBool(const WCHAR* text);

#endif
