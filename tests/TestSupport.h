// Small helpers the test programs share: windows to draw into, pixels read
// back, message pumping, registry keys and folders that clean up after
// themselves, and the main window's layout and the keys sent to it.
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

// The header of a top-down 32-bit DIB: how the captures read pixels back and
// how the tests' canvases lay out the pixels they are drawn into.
BITMAPINFO TopDownDib32(int width, int height);

bool SameColour(COLORREF a, COLORREF b, int tolerance = 8);
std::wstring ModuleFolder();
bool FileExists(const std::wstring& path);
std::string ReadWholeFile(const std::wstring& path);
void RemoveTree(const std::wstring& path);
// `text` in UTF-8, as the recorder writes its lines.
std::string Utf8(const std::wstring& text);

#endif

#ifndef LAUNCHER_TEST_SUPPORT_WINDOW_H
#define LAUNCHER_TEST_SUPPORT_WINDOW_H

#include <vector>

#include "app/Launcher.h"

// ---- The launcher's main window: its layout, and input sent to it. ----

// The window and its button column as the shipped configuration lays them out.
const int kWidth = 640;
const int kHeight = 480;
const int kButtonLeft = 284;
const int kButtonWidth = 329;
const int kButtonHeight = 46;
// In the order of Launcher::buttons: main action, Uninstall, Website, Readme, Exit.
const WORD kButtonIds[kButtonCount] = { IDC_MAIN_ACTION, IDC_UNINSTALL, IDC_WEBSITE, IDC_README,
                                        IDC_EXIT };
const int kButtonTops[kButtonCount] = { 170, 218, 267, 316, 365 };

// The text of a window (a button's caption), up to 2047 characters.
std::wstring WindowText(HWND window);
// The entries of an accelerator table, in its order.
std::vector<ACCEL> AcceleratorEntries(HACCEL table);
// Alt pressed, `virtualKey` pressed and released, Alt released: real keyboard
// input, to the window with the focus.
void SendAltKey(WORD virtualKey);
// Dispatches what is queued for this thread, at once and without waiting,
// leaving out WM_QUIT: what a finished window left behind.
void DrainMessages();

#endif

#ifndef LAUNCHER_TEST_SUPPORT_STARTS_H
#define LAUNCHER_TEST_SUPPORT_STARTS_H

#include <vector>

// ---- Started programs: the recorder helper and what it wrote down. ----

// One line of the recorder's log: how one start of it looked from inside.
struct RecordedStart
{
    std::wstring program;    // its own full path
    std::wstring folder;     // its current directory
    std::wstring arguments;  // its command line after the program part
};

// The recorder (TEST_BINARY_DIR\recorder.exe, beside the test program).
std::wstring RecorderPath();
// Copies the recorder to `folder`\`name` (folders in `name` are created).
std::wstring CopyRecorder(const ScopedFolder& folder, const std::wstring& name);

// Points LAUNCHER_RECORD at a fresh log file in a folder of its own and clears
// LAUNCHER_RECORD, LAUNCHER_RECORD_EXIT and LAUNCHER_RECORD_SLEEP again when
// it ends. Children inherit the variables.
class RecordLog
{
public:
    RecordLog();
    ~RecordLog();
    const std::wstring& path() const { return file; }
    // The lines so far.
    std::vector<RecordedStart> Starts() const;
    // Waits up to `milliseconds` until at least `count` lines are there.
    std::vector<RecordedStart> WaitForStarts(size_t count = 1, DWORD milliseconds = 10000) const;
    // True when nothing has been recorded after waiting `milliseconds`.
    bool StaysEmpty(DWORD milliseconds = 1000) const;
    static void SetExitCode(DWORD code);
    static void SetSleep(DWORD milliseconds);
    static void ClearVariables();

private:
    RecordLog(const RecordLog&);
    RecordLog& operator=(const RecordLog&);
    ScopedFolder folder;
    std::wstring file;
};

// Makes `folder` the current directory, restoring the previous one when it ends.
class ScopedCurrentDirectory
{
public:
    explicit ScopedCurrentDirectory(const std::wstring& folder);
    ~ScopedCurrentDirectory();

private:
    ScopedCurrentDirectory(const ScopedCurrentDirectory&);
    ScopedCurrentDirectory& operator=(const ScopedCurrentDirectory&);
    std::wstring previous;
};

// Sets the default value of a key (created when missing), and on the way out
// restores the value it had, or removes the value (and any key it created).
// Wine 8 does not merge HKCU\Software\Classes into HKEY_CLASSES_ROOT, so the
// tests that need a file association change HKEY_CLASSES_ROOT itself.
class ScopedDefaultValue
{
public:
    ScopedDefaultValue(HKEY root, const std::wstring& path, const std::wstring& value);
    ~ScopedDefaultValue();

private:
    ScopedDefaultValue(const ScopedDefaultValue&);
    ScopedDefaultValue& operator=(const ScopedDefaultValue&);
    HKEY root;
    std::wstring path;
    std::wstring createdFrom;  // the topmost key this created, or empty
    bool hadValue;
    DWORD oldType;
    std::basic_string<BYTE> oldData;
};

// Opens ".rtf" documents and "https:" addresses with the recorder, through
// HKEY_CLASSES_ROOT, for as long as it lives.
class RecorderAssociations
{
public:
    RecorderAssociations();
    ~RecorderAssociations();
    const std::wstring& handler() const { return program; }

private:
    RecorderAssociations(const RecorderAssociations&);
    RecorderAssociations& operator=(const RecorderAssociations&);
    ScopedFolder folder;
    std::wstring program;
    std::wstring progId;
    ScopedDefaultValue* values[3];
};

// Visible top-level windows that belong to this process.
std::vector<HWND> VisibleWindowsOfThisProcess();
// The same path, told apart from case and short-name differences.
bool SamePath(const std::wstring& a, const std::wstring& b);
// `text` without one pair of surrounding double quotes.
std::wstring Unquoted(const std::wstring& text);
// Removes a folder, retrying while a program started from it still runs.
void RemoveTreeWhenFree(const std::wstring& path, DWORD milliseconds = 10000);

#endif

#ifndef LAUNCHER_TEST_SUPPORT_PATHS_H
#define LAUNCHER_TEST_SUPPORT_PATHS_H

// A path that CMake handed to the test build (PRODUCT_DIR, TEST_BINARY_DIR: a
// Unix path when cross-built) in the form Windows calls take: under Wine the
// DOS name of a Unix path (its Z: drive), otherwise the text with backslashes.
std::wstring WindowsPath(const char* buildPath);

#endif
