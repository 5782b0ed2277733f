// The yardstick for the launcher's start-up: the least a program can do to
// show the same picture - a 640 x 480 popup that blits bitmap 304 - built
// the way the launcher is. With a command line of "buttons" it also shows
// five owner-drawn buttons with bold captions, to tell their share apart.
#include <windows.h>

#include "resource.h"

namespace {

HBITMAP g_picture;
HFONT g_font;

LRESULT CALLBACK PopupProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    switch (message) {
    case WM_PAINT: {
        PAINTSTRUCT paint;
        HDC dc = BeginPaint(window, &paint);
        HDC memory = CreateCompatibleDC(dc);
        HGDIOBJ previous = SelectObject(memory, g_picture);
        BitBlt(dc, 0, 0, 640, 480, memory, 0, 0, SRCCOPY);
        SelectObject(memory, previous);
        DeleteDC(memory);
        EndPaint(window, &paint);
        return 0;
    }
    case WM_DRAWITEM: {
        const DRAWITEMSTRUCT* item = reinterpret_cast<const DRAWITEMSTRUCT*>(lParam);
        HGDIOBJ previous = SelectObject(item->hDC, g_font);
        SetBkMode(item->hDC, TRANSPARENT);
        RECT area = item->rcItem;
        DrawTextW(item->hDC, L"CAPTION", 7, &area, DT_CENTER | DT_VCENTER | DT_SINGLELINE);
        SelectObject(item->hDC, previous);
        return TRUE;
    }
    case WM_DESTROY:
        PostQuitMessage(0);
        return 0;
    }
    return DefWindowProcW(window, message, wParam, lParam);
}

}  // namespace

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE, LPWSTR commandLine, int showCommand)
{
    g_picture = static_cast<HBITMAP>(LoadImageW(instance, MAKEINTRESOURCEW(IDB_BACKGROUND),
                                                IMAGE_BITMAP, 0, 0, LR_CREATEDIBSECTION));
    WNDCLASSW windowClass;
    ZeroMemory(&windowClass, sizeof(windowClass));
    windowClass.lpfnWndProc = PopupProc;
    windowClass.hInstance = instance;
    windowClass.hCursor = LoadCursorW(NULL, IDC_ARROW);
    windowClass.lpszClassName = L"ReferencePopup";
    RegisterClassW(&windowClass);
    HWND window = CreateWindowExW(0, L"ReferencePopup", L"Reference", WS_POPUP | WS_VISIBLE,
                                  (GetSystemMetrics(SM_CXSCREEN) - 640) / 2,
                                  (GetSystemMetrics(SM_CYSCREEN) - 480) / 2, 640, 480, NULL, NULL,
                                  instance, NULL);
    if (lstrcmpW(commandLine, L"buttons") == 0) {
        g_font = CreateFontW(18, 0, 0, 0, FW_BOLD, FALSE, FALSE, FALSE, DEFAULT_CHARSET, 0, 0, 0, 0,
                             L"Arial");
        for (int i = 0; i < 5; ++i)
            CreateWindowExW(0, L"BUTTON", L"&Caption", WS_CHILD | WS_VISIBLE | BS_OWNERDRAW, 284,
                            170 + 49 * i, 329, 46, window, NULL, instance, NULL);
    }
    ShowWindow(window, showCommand);
    UpdateWindow(window);
    MSG message;
    while (GetMessageW(&message, NULL, 0, 0)) {
        TranslateMessage(&message);
        DispatchMessageW(&message);
    }
    DeleteObject(g_picture);
    if (g_font != NULL)
        DeleteObject(g_font);
    return 0;
}
