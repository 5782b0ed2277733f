// What the demo setup writes and the demo uninstaller removes, and the little
// the demo's windowed programs (setup and the game) have in common. The names
// must match the launcher's configuration in res/launcher.rc: the registry key
// and value (strings 136, 137), the game's path below the install folder (134)
// and the product code of the uninstall entry (148).
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

// ---- The windows of setup and the game: shown for a moment, then gone. ----

// The timer on which such a window closes itself.
#define DEMO_CLOSE_TIMER 1

// A window of a registered class whose client area is clientWidth x
// clientHeight, centred on the screen; not shown yet.
inline HWND CreateCentredWindow(HINSTANCE instance, const WCHAR* className, const WCHAR* title,
                                DWORD style, int clientWidth, int clientHeight)
{
    RECT frame = { 0, 0, clientWidth, clientHeight };
    AdjustWindowRect(&frame, style, FALSE);
    const int width = frame.right - frame.left;
    const int height = frame.bottom - frame.top;
    return CreateWindowExW(0, className, title, style, (GetSystemMetrics(SM_CXSCREEN) - width) / 2,
                           (GetSystemMetrics(SM_CYSCREEN) - height) / 2, width, height, NULL, NULL,
                           instance, NULL);
}

// The window procedure of such a window, drawn by `Paint`: the close timer
// destroys the window, and its end ends the message loop.
template <void (*Paint)(HWND)>
LRESULT CALLBACK ClosingWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    switch (message) {
    case WM_PAINT:
        Paint(window);
        return 0;
    case WM_TIMER:
        if (wParam == DEMO_CLOSE_TIMER)
            DestroyWindow(window);
        return 0;
    case WM_DESTROY:
        KillTimer(window, DEMO_CLOSE_TIMER);
        PostQuitMessage(0);
        return 0;
    }
    return DefWindowProcW(window, message, wParam, lParam);
}

// Dispatches messages until the window has ended the loop.
inline void RunMessageLoop()
{
    MSG message;
    while (GetMessageW(&message, NULL, 0, 0) > 0) {
        TranslateMessage(&message);
        DispatchMessageW(&message);
    }
}

#endif
