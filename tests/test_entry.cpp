// The entry point and the launcher's lifecycle, seen from outside:
// real runs of the shipped PRODUCT_DIR\launcher.exe, their windows, their
// message boxes, their exit statuses and their single-instance mutex.
#include <gtest/gtest.h>

#include <windows.h>

#include <string>
#include <vector>

#include "TestSupport.h"
#include "config/LauncherConfig.h"
#include "res/resource.h"

namespace {

const WCHAR kLauncherClass[] = L"Corvane Launcher";
const WCHAR kLauncherTitle[] = L"Launcher";
const WCHAR kDialogClass[] = L"#32770";
const DWORD kStartTimeout = 15000;  // until the window or the message box is there
const DWORD kExitTimeout = 10000;   // until a process has ended once told to
const DWORD kRefusalTimeout = 5000; // a refused start ends "at once"

// ---- A child mode of this very program: the second process that tries the
// mutex name. When the variable is set, the program does nothing but call
// CreateMutexW as the launcher does and exits with GetLastError's answer.
const WCHAR kProbeVariable[] = L"LAUNCHER_ENTRY_TEST_MUTEX_PROBE";

struct MutexProbeMode
{
    MutexProbeMode()
    {
        WCHAR name[MAX_PATH];
        const DWORD length = GetEnvironmentVariableW(kProbeVariable, name, MAX_PATH);
        if (length == 0 || length >= MAX_PATH)
            return;
        SetLastError(0xDEADBEEF);
        HANDLE mutex = CreateMutexW(NULL, TRUE, name);
        const DWORD error = GetLastError();
        if (mutex != NULL)
            CloseHandle(mutex);
        ExitProcess(error);
    }
} g_mutexProbeMode;

// ---- Processes ----

class ChildProcess
{
public:
    ChildProcess() { ZeroMemory(&info, sizeof(info)); }
    ~ChildProcess() { Stop(); }

    bool Start(const std::wstring& program, const std::wstring& folder,
               const std::wstring& arguments = std::wstring())
    {
        Stop();
        STARTUPINFOW startup;
        ZeroMemory(&startup, sizeof(startup));
        startup.cb = sizeof(startup);
        std::wstring commandLine = L"\"" + program + L"\"" + arguments;
        if (!CreateProcessW(program.c_str(), &commandLine[0], NULL, NULL, FALSE, 0, NULL,
                            folder.empty() ? NULL : folder.c_str(), &startup, &info)) {
            ZeroMemory(&info, sizeof(info));
            return false;
        }
        return true;
    }

    // True when the process ended within `milliseconds`; its status in `status`.
    bool WaitForExit(DWORD milliseconds, DWORD* status) const
    {
        if (info.hProcess == NULL || WaitForSingleObject(info.hProcess, milliseconds) != WAIT_OBJECT_0)
            return false;
        return GetExitCodeProcess(info.hProcess, status) != 0;
    }

    bool Running() const
    {
        return info.hProcess != NULL && WaitForSingleObject(info.hProcess, 0) == WAIT_TIMEOUT;
    }

    // Ends a process the test left running, and lets go of its handles.
    void Stop()
    {
        if (info.hProcess != NULL) {
            if (WaitForSingleObject(info.hProcess, 0) == WAIT_TIMEOUT) {
                TerminateProcess(info.hProcess, 99);
                WaitForSingleObject(info.hProcess, kExitTimeout);
            }
            CloseHandle(info.hProcess);
            CloseHandle(info.hThread);
        }
        ZeroMemory(&info, sizeof(info));
    }

    HANDLE process() const { return info.hProcess; }
    DWORD id() const { return info.dwProcessId; }

private:
    ChildProcess(const ChildProcess&);
    ChildProcess& operator=(const ChildProcess&);
    PROCESS_INFORMATION info;
};

// ---- Windows of other processes ----

struct WindowFilter
{
    const WCHAR* windowClass;  // NULL: any
    const WCHAR* title;        // NULL: any
    DWORD process;             // 0: any
    bool visibleOnly;
    std::vector<HWND> found;
};

BOOL CALLBACK CollectWindow(HWND window, LPARAM parameter)
{
    WindowFilter& filter = *reinterpret_cast<WindowFilter*>(parameter);
    DWORD process = 0;
    GetWindowThreadProcessId(window, &process);
    if (filter.process != 0 && process != filter.process)
        return TRUE;
    if (filter.visibleOnly && !IsWindowVisible(window))
        return TRUE;
    WCHAR text[256];
    if (filter.windowClass != NULL
        && (GetClassNameW(window, text, 256) == 0 || lstrcmpW(text, filter.windowClass) != 0))
        return TRUE;
    if (filter.title != NULL) {
        text[0] = L'\0';
        GetWindowTextW(window, text, 256);
        if (lstrcmpW(text, filter.title) != 0)
            return TRUE;
    }
    filter.found.push_back(window);
    return TRUE;
}

std::vector<HWND> TopWindows(const WCHAR* windowClass, const WCHAR* title, DWORD process,
                             bool visibleOnly = false)
{
    WindowFilter filter = { windowClass, title, process, visibleOnly, std::vector<HWND>() };
    EnumWindows(CollectWindow, reinterpret_cast<LPARAM>(&filter));
    return filter.found;
}

std::vector<HWND> LauncherWindows(DWORD process = 0)
{
    return TopWindows(kLauncherClass, kLauncherTitle, process);
}

// The first visible window of that class and title that `child` owns, waiting
// until it appears; NULL when the time runs out or the child ends first.
HWND WaitForWindow(const ChildProcess& child, const WCHAR* windowClass, const WCHAR* title,
                   DWORD milliseconds = kStartTimeout)
{
    const DWORD start = GetTickCount();
    for (;;) {
        const std::vector<HWND> windows = TopWindows(windowClass, title, child.id(), true);
        if (!windows.empty())
            return windows[0];
        if (!child.Running() || GetTickCount() - start > milliseconds)
            return NULL;
        Sleep(20);
    }
}

std::vector<std::wstring> ChildTexts(HWND parent)
{
    std::vector<std::wstring> texts;
    for (HWND child = GetWindow(parent, GW_CHILD); child != NULL; child = GetWindow(child, GW_HWNDNEXT)) {
        WCHAR text[1024];
        text[0] = L'\0';
        GetWindowTextW(child, text, 1024);
        texts.push_back(text);
    }
    return texts;
}

HWND IconControl(HWND dialog)
{
    for (HWND child = GetWindow(dialog, GW_CHILD); child != NULL; child = GetWindow(child, GW_HWNDNEXT)) {
        WCHAR name[32];
        if (GetClassNameW(child, name, 32) && lstrcmpiW(name, L"Static") == 0
            && (GetWindowLongW(child, GWL_STYLE) & SS_TYPEMASK) == SS_ICON && IsWindowVisible(child))
            return child;
    }
    return NULL;
}

// How many pixels of `icon`, drawn at `size` over the corner colour of
// `shown`, differ from what the screen shows.
int IconDifference(const std::basic_string<COLORREF>& shown, int width, int height, HICON icon)
{
    HDC screen = GetDC(NULL);
    HDC memory = CreateCompatibleDC(screen);
    HBITMAP bitmap = CreateCompatibleBitmap(screen, width, height);
    HGDIOBJ previous = SelectObject(memory, bitmap);
    RECT all = { 0, 0, width, height };
    HBRUSH brush = CreateSolidBrush(shown[0]);
    FillRect(memory, &all, brush);
    DeleteObject(brush);
    DrawIconEx(memory, 0, 0, icon, 0, 0, 0, NULL, DI_NORMAL | DI_DEFAULTSIZE);
    int differing = 0;
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x)
            if (!SameColour(GetPixel(memory, x, y), shown[static_cast<size_t>(y) * width + x], 24))
                ++differing;
    SelectObject(memory, previous);
    DeleteObject(bitmap);
    DeleteDC(memory);
    ReleaseDC(NULL, screen);
    return differing;
}

std::basic_string<COLORREF> ScreenPixels(const RECT& area)
{
    const int width = area.right - area.left;
    const int height = area.bottom - area.top;
    std::basic_string<COLORREF> pixels;
    HDC screen = GetDC(NULL);
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x)
            pixels.push_back(GetPixel(screen, area.left + x, area.top + y));
    ReleaseDC(NULL, screen);
    return pixels;
}

// ---- Registry: the per-program Windows version of Wine ----

// Sets HKCU\Software\Wine\AppDefaults\<program>\Version and removes it again
// (and the key, when this created it).
class ScopedWineVersion
{
public:
    ScopedWineVersion(const std::wstring& program, const std::wstring& version)
        : path(L"Software\\Wine\\AppDefaults\\" + program), createdKey(false), ok(false)
    {
        HKEY key;
        DWORD disposition = 0;
        if (RegCreateKeyExW(HKEY_CURRENT_USER, path.c_str(), 0, NULL, 0, KEY_ALL_ACCESS, NULL, &key,
                            &disposition) != ERROR_SUCCESS)
            return;
        createdKey = disposition == REG_CREATED_NEW_KEY;
        ok = RegSetValueExW(key, L"Version", 0, REG_SZ, reinterpret_cast<const BYTE*>(version.c_str()),
                            static_cast<DWORD>((version.size() + 1) * sizeof(WCHAR))) == ERROR_SUCCESS;
        RegCloseKey(key);
    }
    ~ScopedWineVersion() { Remove(); }

    void Remove()
    {
        HKEY key;
        if (RegOpenKeyExW(HKEY_CURRENT_USER, path.c_str(), 0, KEY_ALL_ACCESS, &key) == ERROR_SUCCESS) {
            RegDeleteValueW(key, L"Version");
            RegCloseKey(key);
        }
        if (createdKey)
            RegDeleteKeyW(HKEY_CURRENT_USER, path.c_str());
        createdKey = false;
    }

    bool set() const { return ok; }

private:
    ScopedWineVersion(const ScopedWineVersion&);
    ScopedWineVersion& operator=(const ScopedWineVersion&);
    std::wstring path;
    bool createdKey;
    bool ok;
};

std::wstring LoadTestString(UINT id)
{
    const WCHAR* text = NULL;
    const int length = LoadStringW(GetModuleHandleW(NULL), id, reinterpret_cast<LPWSTR>(&text), 0);
    return length > 0 ? std::wstring(text, length) : std::wstring();
}

// ---- The fixture ----

class EntryTest : public ::testing::Test
{
protected:
    EntryTest()
        : folder(L"ent")
    {
        launcher = WindowsPath(PRODUCT_DIR) + L"\\launcher.exe";
        LoadLauncherConfig(&config);
        mutexName = config.mutexName;
    }

    void SetUp() override
    {
        ASSERT_TRUE(FileExists(launcher)) << "no product at " << Narrow(launcher);
        ASSERT_EQ(std::wstring(L"CorvaneLauncherMutex"), mutexName);
        ASSERT_EQ(std::wstring(L"Duskmere"), std::wstring(config.gameTitle));
        // Nothing of an earlier run may still be about.
        ASSERT_TRUE(LauncherWindows().empty()) << "a launcher window is already open";
        HANDLE existing = OpenMutexW(SYNCHRONIZE, FALSE, mutexName.c_str());
        if (existing != NULL)
            CloseHandle(existing);
        ASSERT_TRUE(existing == NULL) << "the launcher's mutex already exists";
        // The launcher runs from an empty folder, so that it finds no setup.
        ASSERT_TRUE(FileExists(folder.path()));
    }

    void TearDown() override
    {
        for (int i = 0; i < 3; ++i)
            runs[i].Stop();
    }

    static std::string Narrow(const std::wstring& text)
    {
        std::string result;
        for (size_t i = 0; i < text.size(); ++i)
            result += text[i] < 128 ? static_cast<char>(text[i]) : '?';
        return result;
    }

    bool Start(ChildProcess& run) { return run.Start(launcher, folder.path()); }

    // Starts `run` and waits until its window is there and it waits for input.
    HWND StartAndWaitForWindow(ChildProcess& run)
    {
        if (!Start(run))
            return NULL;
        HWND window = WaitForWindow(run, kLauncherClass, kLauncherTitle);
        if (window != NULL)
            WaitForInputIdle(run.process(), 5000);
        return window;
    }

    // Runs this test program as the mutex probe; GetLastError after its CreateMutexW.
    DWORD ProbeMutexFromAnotherProcess()
    {
        WCHAR self[MAX_PATH];
        GetModuleFileNameW(NULL, self, MAX_PATH);
        SetEnvironmentVariableW(kProbeVariable, mutexName.c_str());
        ChildProcess probe;
        const bool started = probe.Start(self, folder.path());
        SetEnvironmentVariableW(kProbeVariable, NULL);
        DWORD status = 0xFFFFFFFF;
        if (!started || !probe.WaitForExit(kExitTimeout, &status))
            return 0xFFFFFFFF;
        return status;
    }

    // Opens the launcher's mutex without taking it, to watch how it is left.
    HANDLE WatchMutex() { return OpenMutexW(SYNCHRONIZE, FALSE, mutexName.c_str()); }

    // After the holder has ended: was the mutex released (not abandoned)?
    // Takes it for a moment to find out, and lets go again.
    static DWORD TakeWatchedMutex(HANDLE watched)
    {
        const DWORD wait = WaitForSingleObject(watched, 0);
        if (wait == WAIT_OBJECT_0 || wait == WAIT_ABANDONED)
            ReleaseMutex(watched);
        CloseHandle(watched);
        return wait;
    }

    // Ends a run through `end`, which is handed the window, and returns the status.
    template <typename End>
    void ExpectEndsWithZero(End end, const char* how)
    {
        SCOPED_TRACE(how);
        ChildProcess& run = runs[0];
        HWND window = StartAndWaitForWindow(run);
        ASSERT_TRUE(window != NULL) << "the launcher's window did not appear";
        HANDLE watched = WatchMutex();
        ASSERT_TRUE(watched != NULL) << "the running launcher holds no mutex named " << Narrow(mutexName);
        ASSERT_TRUE(end(window));
        DWORD status = 0xFFFFFFFF;
        const bool ended = run.WaitForExit(kExitTimeout, &status);
        const DWORD taken = TakeWatchedMutex(watched);
        ASSERT_TRUE(ended) << "the launcher did not end";
        EXPECT_EQ(0u, status);
        EXPECT_EQ(WAIT_OBJECT_0, taken) << "the mutex was not released before the end (abandoned: "
                                        << (taken == WAIT_ABANDONED) << ")";
        EXPECT_TRUE(LauncherWindows().empty());
    }

    // A start that must be refused: ends at once with 0, showing no window or message.
    void ExpectRefusedStart(ChildProcess& run)
    {
        ASSERT_TRUE(Start(run));
        const DWORD start = GetTickCount();
        std::vector<HWND> shown;
        while (run.Running() && GetTickCount() - start < kRefusalTimeout) {
            const std::vector<HWND> windows = TopWindows(NULL, NULL, run.id(), true);
            shown.insert(shown.end(), windows.begin(), windows.end());
            Sleep(5);
        }
        DWORD status = 0xFFFFFFFF;
        ASSERT_TRUE(run.WaitForExit(0, &status)) << "the refused start did not end at once";
        EXPECT_EQ(0u, status);
        EXPECT_TRUE(shown.empty()) << "the refused start showed " << shown.size() << " window(s)";
        EXPECT_TRUE(LauncherWindows(run.id()).empty());
    }

    std::wstring launcher;
    LauncherConfig config;
    std::wstring mutexName;
    ScopedFolder folder;
    ChildProcess runs[3];
};

// ---- Single instance ----

TEST_F(EntryTest, SecondStartWhileOneRunsEndsAtOnceWithZeroAndNoWindow)
{
    HWND first = StartAndWaitForWindow(runs[0]);
    ASSERT_TRUE(first != NULL) << "the first launcher's window did not appear";
    ASSERT_EQ(1u, LauncherWindows().size());

    ExpectRefusedStart(runs[1]);

    // The first goes on as before, alone.
    EXPECT_TRUE(runs[0].Running());
    EXPECT_EQ(1u, LauncherWindows().size());
    EXPECT_TRUE(IsWindow(first));

    PostMessageW(first, WM_CLOSE, 0, 0);
    DWORD status = 0xFFFFFFFF;
    ASSERT_TRUE(runs[0].WaitForExit(kExitTimeout, &status));
    EXPECT_EQ(0u, status);
}

TEST_F(EntryTest, MutexHeldByAnotherProgramRefusesTheStart)
{
    // Whether the name is owned or merely exists: its existence is the sign.
    const BOOL ownerships[] = { TRUE, FALSE };
    for (int i = 0; i < 2; ++i) {
        SCOPED_TRACE(ownerships[i] ? "owned" : "not owned");
        HANDLE held = CreateMutexW(NULL, ownerships[i], mutexName.c_str());
        ASSERT_TRUE(held != NULL);
        ASSERT_EQ(0u, GetLastError());
        ExpectRefusedStart(runs[i]);
        if (ownerships[i])
            ReleaseMutex(held);
        CloseHandle(held);
    }

    // Once the name is gone, a start is not refused.
    ChildProcess& run = runs[2];
    HWND window = StartAndWaitForWindow(run);
    ASSERT_TRUE(window != NULL);
    PostMessageW(window, WM_CLOSE, 0, 0);
    DWORD status = 0xFFFFFFFF;
    ASSERT_TRUE(run.WaitForExit(kExitTimeout, &status));
    EXPECT_EQ(0u, status);
}

TEST_F(EntryTest, MutexNameThatMayNotBeOpenedRefusesTheStart)
{
    // A mutex whose DACL grants nothing to anybody.
    SECURITY_DESCRIPTOR descriptor;
    ASSERT_TRUE(InitializeSecurityDescriptor(&descriptor, SECURITY_DESCRIPTOR_REVISION));
    DWORD aclStorage[16];
    ACL* acl = reinterpret_cast<ACL*>(aclStorage);
    ASSERT_TRUE(InitializeAcl(acl, sizeof(ACL), ACL_REVISION));
    ASSERT_TRUE(SetSecurityDescriptorDacl(&descriptor, TRUE, acl, FALSE));
    SECURITY_ATTRIBUTES attributes = { sizeof(attributes), &descriptor, FALSE };
    HANDLE denied = CreateMutexW(&attributes, TRUE, mutexName.c_str());
    ASSERT_TRUE(denied != NULL);
    ASSERT_EQ(0u, GetLastError());

    // What another process is told when it asks for the name as the launcher does.
    const DWORD probe = ProbeMutexFromAnotherProcess();

    ExpectRefusedStart(runs[0]);

    ReleaseMutex(denied);
    CloseHandle(denied);

    if (probe != ERROR_ACCESS_DENIED) {
        // The start was refused, but not through the branch this test is after.
        GTEST_SKIP() << "CreateMutexW on a name whose DACL grants nothing gave error " << probe
                     << " here, not ERROR_ACCESS_DENIED (5); the ERROR_ACCESS_DENIED branch is untested";
    }
}

// ---- Initialize fails: status 1, mutex released ----

TEST_F(EntryTest, FailedInitializeEndsWithOneAndReleasesTheMutex)
{
    const std::wstring expectedText = LoadTestString(IDS_BLOCK_PORTUGUESE + IDS_ERR_OS_VERSION);
    // Block 1100 serves en_US; its texts are Portuguese (res/languages.rc).
    ASSERT_EQ(std::wstring(L"Duskmere s\u00f3 pode ser executado no Microsoft Windows XP ou posterior."),
              expectedText);
    ASSERT_EQ(0x0409, GetSystemDefaultLangID()) << "this test expects the en_US block";

    ScopedWineVersion windows2000(L"launcher.exe", L"win2k");
    ASSERT_TRUE(windows2000.set());

    ChildProcess& refused = runs[0];
    ASSERT_TRUE(Start(refused));
    HWND box = WaitForWindow(refused, kDialogClass, config.gameTitle);
    ASSERT_TRUE(box != NULL) << "no message box captioned Duskmere appeared";
    HANDLE watched = WatchMutex();
    EXPECT_TRUE(watched != NULL) << "the launcher holds no mutex while it shows its refusal";

    // No main window, a box without owner, the text of the en_US block, the
    // exclamation icon and an OK button only.
    EXPECT_TRUE(LauncherWindows().empty());
    EXPECT_TRUE(GetWindow(box, GW_OWNER) == NULL);
    const std::vector<std::wstring> texts = ChildTexts(box);
    bool textShown = false;
    int buttons = 0;
    for (size_t i = 0; i < texts.size(); ++i)
        textShown = textShown || texts[i] == expectedText;
    for (HWND child = GetWindow(box, GW_CHILD); child != NULL; child = GetWindow(child, GW_HWNDNEXT)) {
        WCHAR name[32];
        if (GetClassNameW(child, name, 32) && lstrcmpiW(name, L"Button") == 0 && IsWindowVisible(child))
            ++buttons;
    }
    EXPECT_TRUE(textShown) << "the box does not show the OS-version text of block 1100";
    EXPECT_EQ(1, buttons);
    EXPECT_TRUE(GetDlgItem(box, IDOK) != NULL);

    HWND icon = IconControl(box);
    EXPECT_TRUE(icon != NULL) << "the box shows no icon";
    if (icon != NULL) {
        Sleep(300);  // let the box paint
        RECT area;
        GetWindowRect(icon, &area);
        const int width = area.right - area.left, height = area.bottom - area.top;
        const std::basic_string<COLORREF> shown = ScreenPixels(area);
        const LPCWSTR kinds[] = { IDI_EXCLAMATION, IDI_HAND, IDI_ASTERISK, IDI_QUESTION };
        int differences[4];
        for (int i = 0; i < 4; ++i)
            differences[i] = IconDifference(shown, width, height, LoadIconW(NULL, kinds[i]));
        EXPECT_LT(differences[0], differences[1]);
        EXPECT_LT(differences[0], differences[2]);
        EXPECT_LT(differences[0], differences[3]);
        EXPECT_LT(differences[0], width * height / 10) << "the icon does not look like IDI_EXCLAMATION";
    }

    // The launcher waits in the box until it is answered.
    Sleep(200);
    EXPECT_TRUE(refused.Running());
    PostMessageW(box, WM_COMMAND, IDOK, 0);
    DWORD status = 0xFFFFFFFF;
    ASSERT_TRUE(refused.WaitForExit(kExitTimeout, &status)) << "dismissing the box did not end the launcher";
    EXPECT_EQ(1u, status);
    if (watched != NULL) {
        const DWORD taken = TakeWatchedMutex(watched);
        EXPECT_EQ(WAIT_OBJECT_0, taken) << "the mutex was not released (abandoned: " << (taken == WAIT_ABANDONED)
                                        << ")";
    }

    // Back on a supported version, the next start is not refused.
    windows2000.Remove();
    ChildProcess& next = runs[1];
    HWND window = StartAndWaitForWindow(next);
    ASSERT_TRUE(window != NULL) << "the start after the failed one showed no window";
    PostMessageW(window, WM_CLOSE, 0, 0);
    ASSERT_TRUE(next.WaitForExit(kExitTimeout, &status));
    EXPECT_EQ(0u, status);
}

TEST_F(EntryTest, FailedInitializeAnsweredByClosingTheBoxAlsoEndsWithOne)
{
    ScopedWineVersion windows2000(L"launcher.exe", L"win2k");
    ASSERT_TRUE(windows2000.set());
    ChildProcess& refused = runs[0];
    ASSERT_TRUE(Start(refused));
    HWND box = WaitForWindow(refused, kDialogClass, config.gameTitle);
    ASSERT_TRUE(box != NULL);
    PostMessageW(box, WM_CLOSE, 0, 0);
    DWORD status = 0xFFFFFFFF;
    ASSERT_TRUE(refused.WaitForExit(kExitTimeout, &status));
    EXPECT_EQ(1u, status);
    EXPECT_TRUE(LauncherWindows().empty());
}

// ---- Normal ends: always 0 ----

bool PostQuitSeven(HWND window)
{
    const DWORD thread = GetWindowThreadProcessId(window, NULL);
    return thread != 0 && PostThreadMessageW(thread, WM_QUIT, 7, 0) != 0;
}

bool PostClose(HWND window)
{
    return PostMessageW(window, WM_CLOSE, 0, 0) != 0;
}

bool PostExitCommand(HWND window)
{
    return PostMessageW(window, WM_COMMAND, MAKEWPARAM(404, BN_CLICKED), 0) != 0;
}

bool PostSystemClose(HWND window)
{
    // What Alt+F4 becomes in DefWindowProc.
    return PostMessageW(window, WM_SYSCOMMAND, SC_CLOSE, 0) != 0;
}

TEST_F(EntryTest, QuitMessageCarryingSevenStillEndsWithZero)
{
    ExpectEndsWithZero(PostQuitSeven, "WM_QUIT with wParam 7 to the launcher's thread");
}

TEST_F(EntryTest, ClosingTheWindowEndsWithZero)
{
    ExpectEndsWithZero(PostClose, "WM_CLOSE");
}

TEST_F(EntryTest, ExitCommandEndsWithZero)
{
    ExpectEndsWithZero(PostExitCommand, "WM_COMMAND 404");
}

TEST_F(EntryTest, SystemCloseEndsWithZero)
{
    ExpectEndsWithZero(PostSystemClose, "WM_SYSCOMMAND SC_CLOSE");
}

TEST_F(EntryTest, CommandLineIsIgnored)
{
    // Arguments change nothing: the launcher starts and ends as always.
    ChildProcess& run = runs[0];
    ASSERT_TRUE(run.Start(launcher, folder.path(), L" /uninstall --help -x \"C:\\nowhere\""));
    HWND window = WaitForWindow(run, kLauncherClass, kLauncherTitle);
    ASSERT_TRUE(window != NULL);
    PostMessageW(window, WM_CLOSE, 0, 0);
    DWORD status = 0xFFFFFFFF;
    ASSERT_TRUE(run.WaitForExit(kExitTimeout, &status));
    EXPECT_EQ(0u, status);
}

}  // namespace
