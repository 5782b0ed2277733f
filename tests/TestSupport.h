// Small helpers the test programs share: windows to draw into, pixels read
// back, message pumping, and registry keys and folders that clean up after
// themselves.
#ifndef LAUNCHER_TEST_SUPPORT_H
#define LAUNCHER_TEST_SUPPORT_H

#include <windows.h>

#include <string>

// A plain top-level popup of the given client size, filled with `fill`.
class TestWindow
{
public:
    TestWindow(int width, int height, COLORREF fill = RGB(255, 0, 255));
    ~TestWindow();
    HWND hwnd() const { return window; }

private:
    TestWindow(const TestWindow&);
    TestWindow& operator=(const TestWindow&);
    HWND window;
};

// Dispatches what is queued for this thread, for about `milliseconds`.
void PumpMessages(DWORD milliseconds = 50);

// The client area of a window as 32-bit pixels, read back from the screen.
class Capture
{
public:
    explicit Capture(HWND window);
    COLORREF At(int x, int y) const;
    int width, height;

private:
    std::basic_string<DWORD> pixels;
};

// The colours of a bitmap resource, as GDI would draw them.
class ResourcePixels
{
public:
    explicit ResourcePixels(UINT id);
    COLORREF At(int x, int y) const;
    int width, height;

private:
    std::basic_string<DWORD> pixels;
};

// A registry key created for a test and deleted with everything below it.
class ScopedKey
{
public:
    ScopedKey(HKEY root, const std::wstring& path);
    ~ScopedKey();
    void SetString(const WCHAR* name, const std::wstring& value, DWORD type = REG_SZ);
    void SetBytes(const WCHAR* name, const void* data, DWORD size, DWORD type);

private:
    ScopedKey(const ScopedKey&);
    ScopedKey& operator=(const ScopedKey&);
    HKEY root;
    std::wstring path;
    HKEY key;
};

// A fresh folder under the temp folder, removed with its contents.
class ScopedFolder
{
public:
    explicit ScopedFolder(const WCHAR* hint = L"lt");
    ~ScopedFolder();
    const std::wstring& path() const { return folder; }
    std::wstring Join(const std::wstring& name) const { return folder + L"\\" + name; }
    // Creates the file (and the folders before it) with the given content.
    std::wstring AddFile(const std::wstring& name, const std::string& content = "x") const;

private:
    ScopedFolder(const ScopedFolder&);
    ScopedFolder& operator=(const ScopedFolder&);
    std::wstring folder;
};

bool SameColour(COLORREF a, COLORREF b, int tolerance = 8);
std::wstring ModuleFolder();
bool FileExists(const std::wstring& path);
std::string ReadWholeFile(const std::wstring& path);
void RemoveTree(const std::wstring& path);

#endif
