// The demo disc's setup. It "installs" Duskmere: copies the demo game and the
// uninstaller from the disc's game folder (beside setup.exe) into
//   <Program Files>\Corvane\Duskmere\binaries\dmgame.exe
//   <Program Files>\Corvane\Duskmere\uninstall.exe
// and registers what the launcher reads: the install folder under
// HKLM\Software\Corvane\Duskmere and the uninstall entry under the product
// code. A small window says what is going on for a moment; setup then ends by
// itself with exit code 0, or 1 after telling the user what went wrong.
#include <windows.h>
#include <shlobj.h>
#include <shlwapi.h>

#include "DemoInstall.h"

namespace {

const WCHAR kWindowClass[] = L"Duskmere Demo Setup";
const WCHAR kWindowTitle[] = L"Duskmere Setup";
const UINT kLingerMilliseconds = 800;

const WCHAR* g_status = L"Installing Duskmere\x2026";

BOOL SetString(HKEY key, const WCHAR* name, const WCHAR* value)
{
    const DWORD bytes = static_cast<DWORD>((lstrlenW(value) + 1) * sizeof(WCHAR));
    return RegSetValueExW(key, name, 0, REG_SZ, reinterpret_cast<const BYTE*>(value), bytes) ==
           ERROR_SUCCESS;
}

BOOL SetNumber(HKEY key, const WCHAR* name, DWORD value)
{
    return RegSetValueExW(key, name, 0, REG_DWORD, reinterpret_cast<const BYTE*>(&value),
                          sizeof(value)) == ERROR_SUCCESS;
}

// Creates (or opens) a key below HKLM for writing.
HKEY CreateMachineKey(const WCHAR* path)
{
    HKEY key = NULL;
    if (RegCreateKeyExW(HKEY_LOCAL_MACHINE, path, 0, NULL, REG_OPTION_NON_VOLATILE, KEY_WRITE,
                        NULL, &key, NULL) != ERROR_SUCCESS)
        return NULL;
    return key;
}

BOOL RegisterUninstaller(const WCHAR* folder)
{
    WCHAR command[MAX_PATH + 16];
    wsprintfW(command, L"\"%s\\%s\" /quiet", folder, DEMO_UNINSTALL_EXE);
    HKEY key = CreateMachineKey(DEMO_UNINSTALL_KEY);
    if (key == NULL)
        return FALSE;
    BOOL ok = SetString(key, L"DisplayName", DEMO_GAME_TITLE);
    ok = ok && SetString(key, L"DisplayVersion", L"1.0");
    ok = ok && SetString(key, L"Publisher", L"Corvane");
    ok = ok && SetString(key, L"InstallLocation", folder);
    ok = ok && SetString(key, L"UninstallString", command);
    ok = ok && SetNumber(key, L"NoModify", 1);
    ok = ok && SetNumber(key, L"NoRepair", 1);
    RegCloseKey(key);
    return ok;
}

BOOL RegisterInstallPath(const WCHAR* folder)
{
    HKEY key = CreateMachineKey(DEMO_REGISTRY_KEY);
    if (key == NULL)
        return FALSE;
    const BOOL ok = SetString(key, DEMO_INSTALL_PATH_VALUE, folder);
    RegCloseKey(key);
    return ok;
}

// source\name to target\name, replacing an earlier copy.
BOOL CopyInto(const WCHAR* source, const WCHAR* target, const WCHAR* name)
{
    WCHAR from[MAX_PATH];
    WCHAR to[MAX_PATH];
    lstrcpynW(from, source, MAX_PATH);
    lstrcpynW(to, target, MAX_PATH);
    if (!PathAppendW(from, name) || !PathAppendW(to, name) || !CopyFileW(from, to, FALSE))
        return FALSE;
    // A copy from a read-only disc is read-only too; the uninstaller could not delete it.
    return SetFileAttributesW(to, FILE_ATTRIBUTE_NORMAL);
}

// Does the work; on failure returns what failed, for the message box.
const WCHAR* Install()
{
    // What to install lies in the game folder beside this program on the disc.
    WCHAR disc[MAX_PATH];
    const DWORD length = GetModuleFileNameW(NULL, disc, MAX_PATH);
    if (length == 0 || length >= MAX_PATH)
        return L"The setup program cannot find its own folder.";
    PathRemoveFileSpecW(disc);
    WCHAR payload[MAX_PATH];
    lstrcpynW(payload, disc, MAX_PATH);
    PathAppendW(payload, L"game");

    WCHAR folder[MAX_PATH];
    if (FAILED(SHGetFolderPathW(NULL, CSIDL_PROGRAM_FILES, NULL, SHGFP_TYPE_CURRENT, folder)) ||
        !PathAppendW(folder, DEMO_INSTALL_SUBFOLDER))
        return L"The Program Files folder cannot be found.";
    WCHAR binaries[MAX_PATH];
    lstrcpynW(binaries, folder, MAX_PATH);
    PathAppendW(binaries, DEMO_GAME_FOLDER);
    const int created = SHCreateDirectoryExW(NULL, binaries, NULL);
    if (created != ERROR_SUCCESS && created != ERROR_ALREADY_EXISTS)
        return L"The install folder cannot be created.";

    if (!CopyInto(payload, binaries, DEMO_GAME_EXE) ||
        !CopyInto(payload, folder, DEMO_UNINSTALL_EXE))
        return L"The game's files cannot be copied from the disc.";

    // The install folder last: once it is there, the launcher offers Play.
    if (!RegisterUninstaller(folder) || !RegisterInstallPath(folder))
        return L"The game cannot be registered (administrator rights needed?).";
    return NULL;
}

void Paint(HWND window)
{
    PAINTSTRUCT paint;
    HDC dc = BeginPaint(window, &paint);
    RECT area;
    GetClientRect(window, &area);
    FillRect(dc, &area, GetSysColorBrush(COLOR_WINDOW));
    HGDIOBJ previous = SelectObject(dc, GetStockObject(DEFAULT_GUI_FONT));
    SetBkMode(dc, TRANSPARENT);
    SetTextColor(dc, GetSysColor(COLOR_WINDOWTEXT));
    DrawTextW(dc, g_status, -1, &area, DT_CENTER | DT_VCENTER | DT_SINGLELINE);
    SelectObject(dc, previous);
    EndPaint(window, &paint);
}

HWND ShowProgressWindow(HINSTANCE instance, int showCommand)
{
    WNDCLASSW windowClass;
    ZeroMemory(&windowClass, sizeof(windowClass));
    windowClass.lpfnWndProc = ClosingWindowProc<Paint>;
    windowClass.hInstance = instance;
    windowClass.hCursor = LoadCursorW(NULL, IDC_WAIT);
    windowClass.lpszClassName = kWindowClass;
    if (!RegisterClassW(&windowClass))
        return NULL;
    // No close box: setup is over in a moment.
    HWND window = CreateCentredWindow(instance, kWindowClass, kWindowTitle, WS_POPUP | WS_CAPTION,
                                      320, 90);
    if (window != NULL) {
        ShowWindow(window, showCommand);
        UpdateWindow(window);
    }
    return window;
}

}  // namespace

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE, LPWSTR, int showCommand)
{
    // The window is only there to be seen; setup works without it as well.
    HWND window = ShowProgressWindow(instance, showCommand);

    const WCHAR* failure = Install();
    if (failure != NULL) {
        MessageBoxW(window, failure, kWindowTitle, MB_OK | MB_ICONERROR);
        if (window != NULL)
            DestroyWindow(window);
        return 1;
    }
    if (window == NULL)
        return 0;

    g_status = L"Duskmere is installed.";
    InvalidateRect(window, NULL, FALSE);
    SetTimer(window, DEMO_CLOSE_TIMER, kLingerMilliseconds, NULL);
    RunMessageLoop();
    return 0;
}
