#include "TestSupport.h"

#include <shlwapi.h>

#include <vector>

namespace {

LRESULT CALLBACK FilledWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message == WM_ERASEBKGND) {
        RECT area;
        GetClientRect(window, &area);
        HBRUSH brush = CreateSolidBrush(static_cast<COLORREF>(GetWindowLongPtrW(window, GWLP_USERDATA)));
        FillRect(reinterpret_cast<HDC>(wParam), &area, brush);
        DeleteObject(brush);
        return 1;
    }
    return DefWindowProcW(window, message, wParam, lParam);
}

std::basic_string<DWORD> ReadBits(HDC source, HBITMAP bitmap, int width, int height)
{
    BITMAPINFO info;
    ZeroMemory(&info, sizeof(info));
    info.bmiHeader.biSize = sizeof(info.bmiHeader);
    info.bmiHeader.biWidth = width;
    info.bmiHeader.biHeight = -height;
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    info.bmiHeader.biCompression = BI_RGB;
    std::basic_string<DWORD> pixels(static_cast<size_t>(width) * height, 0);
    GetDIBits(source, bitmap, 0, height, &pixels[0], &info, DIB_RGB_COLORS);
    return pixels;
}

COLORREF FromDib(DWORD pixel)
{
    return RGB((pixel >> 16) & 0xFF, (pixel >> 8) & 0xFF, pixel & 0xFF);
}

}  // namespace

TestWindow::TestWindow(int width, int height, COLORREF fill)
{
    static bool registered = false;
    if (!registered) {
        WNDCLASSW windowClass;
        ZeroMemory(&windowClass, sizeof(windowClass));
        windowClass.lpfnWndProc = FilledWindowProc;
        windowClass.hInstance = GetModuleHandleW(NULL);
        windowClass.hCursor = LoadCursorW(NULL, IDC_ARROW);
        windowClass.lpszClassName = L"LauncherTestWindow";
        RegisterClassW(&windowClass);
        registered = true;
    }
    window = CreateWindowExW(WS_EX_TOPMOST, L"LauncherTestWindow", L"test", WS_POPUP | WS_VISIBLE, 10,
                             10, width, height, NULL, NULL, GetModuleHandleW(NULL), NULL);
    SetWindowLongPtrW(window, GWLP_USERDATA, static_cast<LONG_PTR>(fill));
    InvalidateRect(window, NULL, TRUE);
    UpdateWindow(window);
    PumpMessages();
}

TestWindow::~TestWindow()
{
    DestroyWindow(window);
    PumpMessages(10);
}

void PumpMessages(DWORD milliseconds)
{
    const DWORD start = GetTickCount();
    do {
        MSG message;
        while (PeekMessageW(&message, NULL, 0, 0, PM_REMOVE)) {
            TranslateMessage(&message);
            DispatchMessageW(&message);
        }
        Sleep(5);
    } while (GetTickCount() - start < milliseconds);
}

Capture::Capture(HWND window)
{
    RECT area;
    GetClientRect(window, &area);
    width = area.right;
    height = area.bottom;
    HDC dc = GetDC(window);
    HDC memory = CreateCompatibleDC(dc);
    HBITMAP bitmap = CreateCompatibleBitmap(dc, width, height);
    HGDIOBJ previous = SelectObject(memory, bitmap);
    BitBlt(memory, 0, 0, width, height, dc, 0, 0, SRCCOPY);
    SelectObject(memory, previous);
    pixels = ReadBits(memory, bitmap, width, height);
    DeleteObject(bitmap);
    DeleteDC(memory);
    ReleaseDC(window, dc);
}

COLORREF Capture::At(int x, int y) const
{
    return FromDib(pixels[static_cast<size_t>(y) * width + x]);
}

ResourcePixels::ResourcePixels(UINT id)
    : width(0), height(0)
{
    HBITMAP bitmap = static_cast<HBITMAP>(
        LoadImageW(GetModuleHandleW(NULL), MAKEINTRESOURCEW(id), IMAGE_BITMAP, 0, 0, LR_CREATEDIBSECTION));
    if (bitmap == NULL)
        return;
    BITMAP info;
    GetObjectW(bitmap, sizeof(info), &info);
    width = info.bmWidth;
    height = info.bmHeight;
    HDC screen = GetDC(NULL);
    pixels = ReadBits(screen, bitmap, width, height);
    ReleaseDC(NULL, screen);
    DeleteObject(bitmap);
}

COLORREF ResourcePixels::At(int x, int y) const
{
    return FromDib(pixels[static_cast<size_t>(y) * width + x]);
}

ScopedKey::ScopedKey(HKEY root, const std::wstring& path)
    : root(root), path(path), key(NULL)
{
    RegCreateKeyExW(root, path.c_str(), 0, NULL, 0, KEY_ALL_ACCESS, NULL, &key, NULL);
}

ScopedKey::~ScopedKey()
{
    if (key != NULL)
        RegCloseKey(key);
    SHDeleteKeyW(root, path.c_str());
}

void ScopedKey::SetString(const WCHAR* name, const std::wstring& value, DWORD type)
{
    SetBytes(name, value.c_str(), static_cast<DWORD>((value.size() + 1) * sizeof(WCHAR)), type);
}

void ScopedKey::SetBytes(const WCHAR* name, const void* data, DWORD size, DWORD type)
{
    RegSetValueExW(key, name, 0, type, static_cast<const BYTE*>(data), size);
}

ScopedFolder::ScopedFolder(const WCHAR* hint)
{
    WCHAR temp[MAX_PATH];
    GetTempPathW(MAX_PATH, temp);
    WCHAR name[MAX_PATH];
    GetTempFileNameW(temp, hint, 0, name);
    DeleteFileW(name);
    CreateDirectoryW(name, NULL);
    folder = name;
}

ScopedFolder::~ScopedFolder()
{
    RemoveTree(folder);
}

std::wstring ScopedFolder::AddFile(const std::wstring& name, const std::string& content) const
{
    const std::wstring full = Join(name);
    for (size_t slash = full.find(L'\\', folder.size() + 1); slash != std::wstring::npos;
         slash = full.find(L'\\', slash + 1))
        CreateDirectoryW(full.substr(0, slash).c_str(), NULL);
    HANDLE file = CreateFileW(full.c_str(), GENERIC_WRITE, 0, NULL, CREATE_ALWAYS, 0, NULL);
    DWORD written = 0;
    WriteFile(file, content.data(), static_cast<DWORD>(content.size()), &written, NULL);
    CloseHandle(file);
    return full;
}

bool SameColour(COLORREF a, COLORREF b, int tolerance)
{
    return abs(GetRValue(a) - GetRValue(b)) <= tolerance && abs(GetGValue(a) - GetGValue(b)) <= tolerance
           && abs(GetBValue(a) - GetBValue(b)) <= tolerance;
}

std::wstring ModuleFolder()
{
    WCHAR path[MAX_PATH];
    GetModuleFileNameW(NULL, path, MAX_PATH);
    PathRemoveFileSpecW(path);
    return path;
}

bool FileExists(const std::wstring& path)
{
    return GetFileAttributesW(path.c_str()) != INVALID_FILE_ATTRIBUTES;
}

std::string ReadWholeFile(const std::wstring& path)
{
    std::string content;
    HANDLE file = CreateFileW(path.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, NULL,
                              OPEN_EXISTING, 0, NULL);
    if (file == INVALID_HANDLE_VALUE)
        return content;
    char chunk[4096];
    DWORD read = 0;
    while (::ReadFile(file, chunk, sizeof(chunk), &read, NULL) && read > 0)
        content.append(chunk, read);
    CloseHandle(file);
    return content;
}

void RemoveTree(const std::wstring& path)
{
    WIN32_FIND_DATAW found;
    HANDLE search = FindFirstFileW((path + L"\\*").c_str(), &found);
    if (search != INVALID_HANDLE_VALUE) {
        do {
            const std::wstring name = found.cFileName;
            if (name == L"." || name == L"..")
                continue;
            const std::wstring full = path + L"\\" + name;
            if (found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY)
                RemoveTree(full);
            else {
                SetFileAttributesW(full.c_str(), FILE_ATTRIBUTE_NORMAL);
                DeleteFileW(full.c_str());
            }
        } while (FindNextFileW(search, &found));
        FindClose(search);
    }
    RemoveDirectoryW(path.c_str());
}
