#include "LauncherConfig.h"
#include "../res/resource.h"

#include <stdlib.h>

namespace {

const int kConfigNumberLength = 32;

void LoadText(UINT id, WCHAR* field)
{
    if (LoadStringW(GetModuleHandleW(NULL), id, field, MAX_PATH) == 0)
        field[0] = L'\0';
}

WCHAR FoldAscii(WCHAR c)
{
    return (c >= L'a' && c <= L'z') ? static_cast<WCHAR>(c - L'a' + L'A') : c;
}

// Whole-string comparison that folds only A-Z/a-z, so no locale can change it.
bool EqualsAsciiNoCase(const WCHAR* text, const WCHAR* upper)
{
    for (; *text && *upper; ++text, ++upper) {
        if (FoldAscii(*text) != *upper)
            return false;
    }
    return *text == *upper;
}

}  // namespace

LauncherConfig* LoadLauncherConfig(LauncherConfig* config)
{
    LoadText(IDS_MUTEX_NAME, config->mutexName);
    LoadText(IDS_SETUP_EXE, config->setupExe);
    LoadText(IDS_SETUP_ARGS, config->setupArgs);
    LoadText(IDS_GAME_TITLE, config->gameTitle);
    LoadText(IDS_GAME_EXE, config->gameExe);
    LoadText(IDS_GAME_ARGS, config->gameArgs);
    LoadText(IDS_REGISTRY_KEY, config->registryKey);
    LoadText(IDS_INSTALL_PATH_VALUE, config->installPathValue);
    LoadText(IDS_WEBSITE_URL, config->websiteUrl);
    LoadText(IDS_FONT_FACE, config->fontFace);
    LoadText(IDS_SETUP_WINDOW_TITLE, config->setupWindowTitle);
    LoadText(IDS_SECOND_SETUP_EXE, config->secondSetupExe);
    LoadText(IDS_SECOND_SETUP_ARGS, config->secondSetupArgs);
    LoadText(IDS_PRODUCT_CODE, config->productCode);
    config->fontHeight = LoadConfigInt();
    config->waitForSetup = LoadConfigBool(IDS_WAIT_FOR_SETUP);
    config->uppercaseCaptions = LoadConfigBool(IDS_UPPERCASE_CAPTIONS);
    return config;
}

INT ParseConfigInt(const WCHAR* text)
{
    // wcstol skips leading white space, takes a sign, stops at the first
    // non-digit and clamps to the ends of the 32-bit range.
    return static_cast<INT>(wcstol(text, NULL, 10));
}

BOOL ParseConfigBool(const WCHAR* text)
{
    return EqualsAsciiNoCase(text, L"TRUE") || EqualsAsciiNoCase(text, L"YES");
}

INT LoadConfigInt()
{
    WCHAR text[kConfigNumberLength];
    if (LoadStringW(GetModuleHandleW(NULL), IDS_FONT_HEIGHT, text, kConfigNumberLength) == 0)
        return -1;
    return ParseConfigInt(text);
}

BOOL LoadConfigBool(UINT id)
{
    WCHAR text[kConfigNumberLength];
    if (LoadStringW(GetModuleHandleW(NULL), id, text, kConfigNumberLength) == 0)
        text[0] = L'\0';
    return ParseConfigBool(text);
}
