#include "Launcher.h"

#include <mmsystem.h>
#include <shlwapi.h>

#include "StartupChecks.h"
#include "SystemLibrary.h"
#include "../config/Language.h"
#include "../controls/BoundedString.h"
#include "../res/resource.h"

namespace {

struct ButtonLayout
{
    WORD commandId;
    UINT captionOffset;
    int top;
    UINT disabledBitmap;
};

// The column on the right of the background, in the order of `buttons`.
const ButtonLayout kButtonLayout[kButtonCount] = {
    { IDC_MAIN_ACTION, IDS_INSTALL,   170, 0 },
    { IDC_UNINSTALL,   IDS_UNINSTALL, 218, IDB_BUTTON_DISABLED },
    { IDC_WEBSITE,     IDS_WEBSITE,   267, 0 },
    { IDC_README,      IDS_README,    316, 0 },
    { IDC_EXIT,        IDS_EXIT,      365, 0 },
};

const WCHAR kWindowTitle[] = L"Launcher";

}  // namespace

bool IsWindowsVersionSupported(DWORD majorVersion, DWORD minorVersion)
{
    return !(majorVersion < 5 || (majorVersion == 5 && minorVersion < 1));
}

bool IsDisplaySupported(int numColors, int bitsPerPixel)
{
    return numColors == -1 || bitsPerPixel >= 8;
}

BOOL Launcher::Initialize(HINSTANCE instance, int showCommand)
{
    OSVERSIONINFOW version;
    ZeroMemory(&version, sizeof(version));
    version.dwOSVersionInfoSize = sizeof(version);
    GetVersionExW(&version);
    if (!IsWindowsVersionSupported(version.dwMajorVersion, version.dwMinorVersion)) {
        MessageBoxW(NULL, LoadLocalizedString(IDS_ERR_OS_VERSION), config.gameTitle,
                    MB_OK | MB_ICONEXCLAMATION);
        return 0;
    }

    HDC screen = GetDC(NULL);
    const int numColors = GetDeviceCaps(screen, NUMCOLORS);
    const int bitsPerPixel = GetDeviceCaps(screen, BITSPIXEL);
    ReleaseDC(NULL, screen);
    if (!IsDisplaySupported(numColors, bitsPerPixel)) {
        MessageBoxW(NULL, LoadLocalizedString(IDS_ERR_DISPLAY), config.gameTitle,
                    MB_OK | MB_ICONHAND);
        return 0;
    }

    WNDCLASSW windowClass;
    ZeroMemory(&windowClass, sizeof(windowClass));
    windowClass.style = CS_GLOBALCLASS;
    windowClass.lpfnWndProc = LauncherWndProc;
    windowClass.hInstance = instance;
    windowClass.hIcon = LoadIconW(instance, MAKEINTRESOURCEW(IDI_LAUNCHER));
    windowClass.hCursor = LoadCursorW(NULL, IDC_ARROW);
    windowClass.hbrBackground = GetSysColorBrush(COLOR_BTNFACE);
    windowClass.lpszClassName = kLauncherClassName;
    if (!RegisterClassW(&windowClass))
        return 0;

    window = CreateWindowExW(0, kLauncherClassName, kWindowTitle,
                             WS_POPUP | WS_VISIBLE | WS_CLIPSIBLINGS | WS_CLIPCHILDREN,
                             0, 0, 100, 100, NULL, NULL, instance, this);
    if (window == NULL)
        return 0;

    // Asked once: the captions and the Uninstall button keep this state all run.
    const BOOL installed = IsGameInstalled();
    for (int i = 0; i < kButtonCount; ++i) {
        const ButtonLayout& layout = kButtonLayout[i];
        const UINT offset =
            (layout.commandId == IDC_MAIN_ACTION && installed) ? IDS_PLAY : layout.captionOffset;
        // The button copies the caption before the next load overwrites it.
        buttons[i] = new BitmapTextButton(window, LoadLocalizedString(offset), layout.commandId,
                                          layout.top, config.fontFace, config.fontHeight,
                                          config.uppercaseCaptions);
        if (buttons[i] == NULL)
            continue;  // out of memory: the launcher goes on without this button
        buttons[i]->SetBitmaps(IDB_BUTTON_NORMAL, IDB_BUTTON_PRESSED, IDB_BUTTON_HOVER,
                               layout.disabledBitmap);
        if (layout.commandId == IDC_UNINSTALL)
            EnableWindow(buttons[i]->hwnd, installed);
    }

    BuildAccelerators();
    ShowWindow(window, showCommand);
    UpdateWindow(window);
    PlayStartupSound();
    return 1;
}

BOOL Launcher::PlayStartupSound()
{
    WCHAR path[MAX_PATH];
    const DWORD length = GetModuleFileNameW(NULL, path, MAX_PATH);
    if (length == 0 || length >= MAX_PATH)
        return 0;  // a cut path would name some other file
    PathRemoveExtensionW(path);
    if (BoundedAppend(path, MAX_PATH, L".wav") != S_OK)
        return 0;
    if (!PathFileExistsW(path))
        return 0;
    // winmm is no KnownDLL, so it is loaded from the system folder by full path
    // and kept for the rest of the run: the sound plays on after this returns.
    typedef BOOL(WINAPI * PlaySoundProc)(LPCWSTR, HMODULE, DWORD);
    HMODULE winmm = LoadSystemLibrary(L"winmm.dll");
    PlaySoundProc playSound =
        winmm != NULL ? reinterpret_cast<PlaySoundProc>(
                            reinterpret_cast<void*>(GetProcAddress(winmm, "PlaySoundW")))
                      : NULL;
    if (playSound == NULL)
        return 0;
    return playSound(path, NULL, SND_ASYNC | SND_NODEFAULT);
}
