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
    BITMAPINFO info = TopDownDib32(width, height);
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

BITMAPINFO TopDownDib32(int width, int height)
{
    BITMAPINFO info;
    ZeroMemory(&info, sizeof(info));
    info.bmiHeader.biSize = sizeof(info.bmiHeader);
    info.bmiHeader.biWidth = width;
    info.bmiHeader.biHeight = -height;
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    info.bmiHeader.biCompression = BI_RGB;
    return info;
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

std::string Utf8(const std::wstring& text)
{
    const int size = WideCharToMultiByte(CP_UTF8, 0, text.c_str(), -1, NULL, 0, NULL, NULL);
    std::string result(size > 0 ? size - 1 : 0, '\0');
    if (size > 1)
        WideCharToMultiByte(CP_UTF8, 0, text.c_str(), -1, &result[0], size, NULL, NULL);
    return result;
}

// ---- The launcher's main window: its layout, and input sent to it. ----

std::wstring WindowText(HWND window)
{
    WCHAR text[2048];
    const int length = GetWindowTextW(window, text, 2048);
    return std::wstring(text, static_cast<size_t>(length > 0 ? length : 0));
}

std::vector<ACCEL> AcceleratorEntries(HACCEL table)
{
    std::vector<ACCEL> entries;
    const int count = CopyAcceleratorTableW(table, NULL, 0);
    if (count > 0) {
        entries.resize(count);
        CopyAcceleratorTableW(table, &entries[0], count);
    }
    return entries;
}

void SendAltKey(WORD virtualKey)
{
    INPUT input[4];
    ZeroMemory(input, sizeof(input));
    for (int i = 0; i < 4; ++i)
        input[i].type = INPUT_KEYBOARD;
    input[0].ki.wVk = VK_MENU;
    input[1].ki.wVk = virtualKey;
    input[2].ki.wVk = virtualKey;
    input[2].ki.dwFlags = KEYEVENTF_KEYUP;
    input[3].ki.wVk = VK_MENU;
    input[3].ki.dwFlags = KEYEVENTF_KEYUP;
    SendInput(4, input, sizeof(INPUT));
}

void DrainMessages()
{
    MSG msg;
    while (PeekMessageW(&msg, NULL, 0, 0, PM_REMOVE)) {
        if (msg.message != WM_QUIT) {
            TranslateMessage(&msg);
            DispatchMessageW(&msg);
        }
    }
}

// ---- Started programs: the recorder helper and what it wrote down. ----

namespace {

std::wstring FromUtf8(const std::string& text)
{
    if (text.empty())
        return std::wstring();
    const int size = MultiByteToWideChar(CP_UTF8, 0, text.data(), static_cast<int>(text.size()), NULL, 0);
    std::wstring result(size, L'\0');
    MultiByteToWideChar(CP_UTF8, 0, text.data(), static_cast<int>(text.size()), &result[0], size);
    return result;
}

std::wstring NormalPath(const std::wstring& path)
{
    WCHAR full[MAX_PATH * 2];
    DWORD length = GetFullPathNameW(path.c_str(), MAX_PATH * 2, full, NULL);
    std::wstring result = (length > 0 && length < MAX_PATH * 2) ? std::wstring(full, length) : path;
    WCHAR longer[MAX_PATH * 2];
    length = GetLongPathNameW(result.c_str(), longer, MAX_PATH * 2);
    if (length > 0 && length < MAX_PATH * 2)
        result.assign(longer, length);
    while (result.size() > 3 && result[result.size() - 1] == L'\\')
        result.erase(result.size() - 1);
    return result;
}

BOOL CALLBACK CollectVisible(HWND window, LPARAM list)
{
    DWORD process = 0;
    GetWindowThreadProcessId(window, &process);
    if (process == GetCurrentProcessId() && IsWindowVisible(window))
        reinterpret_cast<std::vector<HWND>*>(list)->push_back(window);
    return TRUE;
}

}  // namespace

std::wstring RecorderPath()
{
    return ModuleFolder() + L"\\recorder.exe";
}

std::wstring CopyRecorder(const ScopedFolder& folder, const std::wstring& name)
{
    const std::wstring target = folder.AddFile(name, "");
    CopyFileW(RecorderPath().c_str(), target.c_str(), FALSE);
    return target;
}

RecordLog::RecordLog()
    : folder(L"rec"), file(folder.Join(L"record.txt"))
{
    ClearVariables();
    SetEnvironmentVariableW(L"LAUNCHER_RECORD", file.c_str());
}

RecordLog::~RecordLog()
{
    ClearVariables();
}

std::vector<RecordedStart> RecordLog::Starts() const
{
    std::vector<RecordedStart> starts;
    const std::wstring text = FromUtf8(ReadWholeFile(file));
    size_t begin = 0;
    for (size_t end = text.find(L'\n'); end != std::wstring::npos; end = text.find(L'\n', begin)) {
        const std::wstring line = text.substr(begin, end - begin);
        begin = end + 1;
        const size_t first = line.find(L'\t');
        const size_t second = first == std::wstring::npos ? first : line.find(L'\t', first + 1);
        if (second == std::wstring::npos)
            continue;
        RecordedStart start;
        start.program = line.substr(0, first);
        start.folder = line.substr(first + 1, second - first - 1);
        start.arguments = line.substr(second + 1);
        starts.push_back(start);
    }
    return starts;
}

std::vector<RecordedStart> RecordLog::WaitForStarts(size_t count, DWORD milliseconds) const
{
    const DWORD start = GetTickCount();
    std::vector<RecordedStart> starts = Starts();
    while (starts.size() < count && GetTickCount() - start < milliseconds) {
        Sleep(20);
        starts = Starts();
    }
    return starts;
}

bool RecordLog::StaysEmpty(DWORD milliseconds) const
{
    Sleep(milliseconds);
    return !FileExists(file);
}

void RecordLog::SetExitCode(DWORD code)
{
    WCHAR text[16];
    wsprintfW(text, L"%lu", code);
    SetEnvironmentVariableW(L"LAUNCHER_RECORD_EXIT", text);
}

void RecordLog::SetSleep(DWORD milliseconds)
{
    WCHAR text[16];
    wsprintfW(text, L"%lu", milliseconds);
    SetEnvironmentVariableW(L"LAUNCHER_RECORD_SLEEP", text);
}

void RecordLog::ClearVariables()
{
    SetEnvironmentVariableW(L"LAUNCHER_RECORD", NULL);
    SetEnvironmentVariableW(L"LAUNCHER_RECORD_EXIT", NULL);
    SetEnvironmentVariableW(L"LAUNCHER_RECORD_SLEEP", NULL);
}

ScopedCurrentDirectory::ScopedCurrentDirectory(const std::wstring& folder)
{
    WCHAR current[MAX_PATH];
    const DWORD length = GetCurrentDirectoryW(MAX_PATH, current);
    previous.assign(current, length < MAX_PATH ? length : 0);
    SetCurrentDirectoryW(folder.c_str());
}

ScopedCurrentDirectory::~ScopedCurrentDirectory()
{
    if (!previous.empty())
        SetCurrentDirectoryW(previous.c_str());
}

ScopedDefaultValue::ScopedDefaultValue(HKEY root, const std::wstring& path, const std::wstring& value)
    : root(root), path(path), hadValue(false), oldType(REG_NONE)
{
    // Remember the first missing key on the way down: that is what to remove.
    for (size_t slash = 0; slash != std::wstring::npos;) {
        slash = path.find(L'\\', slash + 1);
        const std::wstring part = path.substr(0, slash);
        HKEY probe;
        if (RegOpenKeyExW(root, part.c_str(), 0, KEY_READ, &probe) == ERROR_SUCCESS)
            RegCloseKey(probe);
        else {
            createdFrom = part;
            break;
        }
    }
    HKEY key;
    if (RegCreateKeyExW(root, path.c_str(), 0, NULL, 0, KEY_ALL_ACCESS, NULL, &key, NULL) != ERROR_SUCCESS)
        return;
    DWORD size = 0;
    if (RegQueryValueExW(key, NULL, NULL, &oldType, NULL, &size) == ERROR_SUCCESS) {
        hadValue = true;
        oldData.assign(size, 0);
        if (size > 0)
            RegQueryValueExW(key, NULL, NULL, &oldType, &oldData[0], &size);
    }
    RegSetValueExW(key, NULL, 0, REG_SZ, reinterpret_cast<const BYTE*>(value.c_str()),
                   static_cast<DWORD>((value.size() + 1) * sizeof(WCHAR)));
    RegCloseKey(key);
}

ScopedDefaultValue::~ScopedDefaultValue()
{
    if (!createdFrom.empty()) {
        SHDeleteKeyW(root, createdFrom.c_str());
        return;
    }
    HKEY key;
    if (RegOpenKeyExW(root, path.c_str(), 0, KEY_ALL_ACCESS, &key) != ERROR_SUCCESS)
        return;
    if (hadValue)
        RegSetValueExW(key, NULL, 0, oldType, oldData.empty() ? NULL : &oldData[0],
                       static_cast<DWORD>(oldData.size()));
    else
        RegDeleteValueW(key, NULL);
    RegCloseKey(key);
}

RecorderAssociations::RecorderAssociations()
    : folder(L"asc")
{
    program = CopyRecorder(folder, L"handler.exe");
    WCHAR id[64];
    wsprintfW(id, L"LauncherTests.Document.%lu", GetCurrentProcessId());
    progId = id;
    const std::wstring command = L"\"" + program + L"\" \"%1\"";
    values[0] = new ScopedDefaultValue(HKEY_CLASSES_ROOT, progId + L"\\shell\\open\\command", command);
    values[1] = new ScopedDefaultValue(HKEY_CLASSES_ROOT, L".rtf", progId);
    values[2] = new ScopedDefaultValue(HKEY_CLASSES_ROOT, L"https\\shell\\open\\command", command);
}

RecorderAssociations::~RecorderAssociations()
{
    for (int i = 2; i >= 0; --i)
        delete values[i];
    RemoveTreeWhenFree(folder.path());
}

std::vector<HWND> VisibleWindowsOfThisProcess()
{
    std::vector<HWND> windows;
    EnumWindows(CollectVisible, reinterpret_cast<LPARAM>(&windows));
    return windows;
}

bool SamePath(const std::wstring& a, const std::wstring& b)
{
    return lstrcmpiW(NormalPath(a).c_str(), NormalPath(b).c_str()) == 0;
}

std::wstring Unquoted(const std::wstring& text)
{
    if (text.size() >= 2 && text[0] == L'"' && text[text.size() - 1] == L'"')
        return text.substr(1, text.size() - 2);
    return text;
}

void RemoveTreeWhenFree(const std::wstring& path, DWORD milliseconds)
{
    const DWORD start = GetTickCount();
    RemoveTree(path);
    while (FileExists(path) && GetTickCount() - start < milliseconds) {
        Sleep(50);
        RemoveTree(path);
    }
}

std::wstring WindowsPath(const char* buildPath)
{
    std::wstring path;
    for (const char* c = buildPath; *c != '\0'; ++c)
        path += (*c == '/') ? L'\\' : static_cast<WCHAR>(static_cast<unsigned char>(*c));
    if (buildPath[0] != '/')
        return path;
    typedef WCHAR*(CDECL * DosName)(const char*);
    DosName dosName = reinterpret_cast<DosName>(
        reinterpret_cast<void*>(GetProcAddress(GetModuleHandleW(L"kernel32.dll"), "wine_get_dos_file_name")));
    if (dosName != NULL) {
        WCHAR* converted = dosName(buildPath);
        if (converted != NULL) {
            path = converted;
            HeapFree(GetProcessHeap(), 0, converted);
            return path;
        }
    }
    return L"Z:" + path;
}
