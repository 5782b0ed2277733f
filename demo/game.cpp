// The demo disc's stand-in for the game: a window titled "Duskmere" that shows
// the title for two seconds and closes itself (or closes when the user does).
// It writes nothing, except that when DEMO_GAME_RECORD names a file, it
// appends one line to it at start: "dmgame<TAB>its own path<TAB>its folder",
// in UTF-8, so that a test can see the game ran and from where.
#include <windows.h>

#include "DemoInstall.h"

namespace {

const WCHAR kWindowClass[] = L"Duskmere Demo Game";
const UINT kShowMilliseconds = 2000;
const int kWidth = 480;
const int kHeight = 270;

void AppendUtf8(HANDLE file, const WCHAR* text)
{
    char bytes[3 * MAX_PATH];
    const int size = WideCharToMultiByte(CP_UTF8, 0, text, -1, bytes, sizeof(bytes), NULL, NULL);
    DWORD written = 0;
    if (size > 1)
        WriteFile(file, bytes, size - 1, &written, NULL);
}

void RecordStart()
{
    WCHAR record[MAX_PATH];
    const DWORD length = GetEnvironmentVariableW(L"DEMO_GAME_RECORD", record, MAX_PATH);
    if (length == 0 || length >= MAX_PATH)
        return;
    HANDLE file = CreateFileW(record, FILE_APPEND_DATA, FILE_SHARE_READ | FILE_SHARE_WRITE, NULL,
                              OPEN_ALWAYS, FILE_ATTRIBUTE_NORMAL, NULL);
    if (file == INVALID_HANDLE_VALUE)
        return;
    WCHAR self[MAX_PATH] = L"";
    GetModuleFileNameW(NULL, self, MAX_PATH);
    WCHAR folder[MAX_PATH] = L"";
    GetCurrentDirectoryW(MAX_PATH, folder);
    AppendUtf8(file, L"dmgame\t");
    AppendUtf8(file, self);
    AppendUtf8(file, L"\t");
    AppendUtf8(file, folder);
    AppendUtf8(file, L"\n");
    CloseHandle(file);
}

void Paint(HWND window)
{
    PAINTSTRUCT paint;
    HDC dc = BeginPaint(window, &paint);
    RECT area;
    GetClientRect(window, &area);
    HBRUSH night = CreateSolidBrush(RGB(22, 20, 48));
    FillRect(dc, &area, night);
    DeleteObject(night);

    SetBkMode(dc, TRANSPARENT);
    HFONT title = CreateFontW(54, 0, 0, 0, FW_BOLD, FALSE, FALSE, FALSE, DEFAULT_CHARSET,
                              OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS, ANTIALIASED_QUALITY,
                              DEFAULT_PITCH | FF_ROMAN, L"Times New Roman");
    HFONT small = CreateFontW(18, 0, 0, 0, FW_NORMAL, TRUE, FALSE, FALSE, DEFAULT_CHARSET,
                              OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS, ANTIALIASED_QUALITY,
                              DEFAULT_PITCH | FF_ROMAN, L"Times New Roman");
    HGDIOBJ previous = SelectObject(dc, title);
    SetTextColor(dc, RGB(222, 186, 110));
    RECT line = area;
    line.bottom = area.bottom / 2 + 10;
    DrawTextW(dc, L"DUSKMERE", -1, &line, DT_CENTER | DT_BOTTOM | DT_SINGLELINE);

    SelectObject(dc, small);
    SetTextColor(dc, RGB(200, 200, 225));
    line.top = line.bottom + 8;
    line.bottom = line.top + 24;
    DrawTextW(dc, L"The Drowned Moon", -1, &line, DT_CENTER | DT_TOP | DT_SINGLELINE);
    line.top = area.bottom - 36;
    line.bottom = area.bottom - 12;
    SetTextColor(dc, RGB(120, 120, 150));
    DrawTextW(dc, L"Demo \x2014 this window closes by itself", -1, &line,
              DT_CENTER | DT_TOP | DT_SINGLELINE);

    SelectObject(dc, previous);
    DeleteObject(title);
    DeleteObject(small);
    EndPaint(window, &paint);
}

}  // namespace

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE, LPWSTR, int showCommand)
{
    RecordStart();

    WNDCLASSW windowClass;
    ZeroMemory(&windowClass, sizeof(windowClass));
    windowClass.lpfnWndProc = ClosingWindowProc<Paint>;
    windowClass.hInstance = instance;
    windowClass.hCursor = LoadCursorW(NULL, IDC_ARROW);
    windowClass.lpszClassName = kWindowClass;
    if (!RegisterClassW(&windowClass))
        return 1;

    HWND window = CreateCentredWindow(instance, kWindowClass, DEMO_GAME_TITLE,
                                      WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX,
                                      kWidth, kHeight);
    if (window == NULL)
        return 1;
    SetTimer(window, DEMO_CLOSE_TIMER, kShowMilliseconds, NULL);
    ShowWindow(window, showCommand);
    UpdateWindow(window);

    RunMessageLoop();
    return 0;
}
