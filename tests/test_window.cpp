// The main window procedure through the real launcher: a Launcher
// built from the shipped configuration, pointed at registry keys, folders and
// recorder programs of the test's own, initialized into its real window and
// driven by messages, by the launcher's own message loop and by real mouse and
// keyboard input.
#include <gtest/gtest.h>

#include <cstdio>
#include <memory>
#include <string>
#include <vector>

#include "TestSupport.h"
#include "app/Launcher.h"
#include "config/Language.h"
#include "controls/BoundedString.h"
#include "res/resource.h"

namespace {

// The lines the recorder copies wrote so far.
std::vector<std::string> ReadLines(const std::wstring& file)
{
    std::vector<std::string> lines;
    const std::string content = ReadWholeFile(file);
    size_t start = 0;
    for (size_t end = content.find('\n'); end != std::string::npos;
         start = end + 1, end = content.find('\n', start))
        lines.push_back(content.substr(start, end - start));
    return lines;
}

// Waits, pumping nothing, until the file holds `count` lines.
std::vector<std::string> WaitForLines(const std::wstring& file, size_t count, DWORD timeout = 5000)
{
    const DWORD start = GetTickCount();
    std::vector<std::string> lines = ReadLines(file);
    while (lines.size() < count && GetTickCount() - start < timeout) {
        Sleep(10);
        lines = ReadLines(file);
    }
    return lines;
}

// The program path at the start of a recorder line.
std::string ProgramOf(const std::string& line)
{
    return line.substr(0, line.find('\t'));
}

bool SamePath(const std::string& a, const std::wstring& b)
{
    return lstrcmpiA(a.c_str(), Utf8(b).c_str()) == 0;
}

// The watchdog that ends Launcher::Run when the window does not.
bool g_watchdogFired = false;

VOID CALLBACK Watchdog(HWND, UINT, UINT_PTR id, DWORD)
{
    KillTimer(NULL, id);
    g_watchdogFired = true;
    PostQuitMessage(0);
}

struct RunOutcome
{
    bool endedByWindow;  // the loop ended through the window, not the watchdog
    int result;
    DWORD elapsed;
};

// Runs the launcher's own message loop for at most `limit` milliseconds.
RunOutcome RunLauncher(Launcher* launcher, DWORD limit)
{
    g_watchdogFired = false;
    const UINT_PTR timer = SetTimer(NULL, 0, limit, Watchdog);
    const DWORD start = GetTickCount();
    RunOutcome outcome;
    outcome.result = launcher->Run();
    outcome.elapsed = GetTickCount() - start;
    outcome.endedByWindow = !g_watchdogFired;
    KillTimer(NULL, timer);
    return outcome;
}

bool QuitPending()
{
    MSG msg;
    return PeekMessageW(&msg, NULL, WM_QUIT, WM_QUIT, PM_NOREMOVE) != 0;
}

INPUT MouseInput(DWORD flags, int x = 0, int y = 0)
{
    INPUT input;
    ZeroMemory(&input, sizeof(input));
    input.type = INPUT_MOUSE;
    input.mi.dwFlags = flags;
    if (flags & MOUSEEVENTF_ABSOLUTE) {
        const int cx = GetSystemMetrics(SM_CXSCREEN);
        const int cy = GetSystemMetrics(SM_CYSCREEN);
        input.mi.dx = (x * 65536 + cx - 1) / cx;
        input.mi.dy = (y * 65536 + cy - 1) / cy;
    }
    return input;
}

// A press at one screen point, a move in steps to another and a release, sent
// from a thread of its own while the GUI thread pumps (the system's move loop
// runs inside the GUI thread and needs the moves to arrive while it runs).
struct Drag
{
    POINT from, to;
};

DWORD WINAPI DragThread(void* parameter)
{
    const Drag* drag = static_cast<const Drag*>(parameter);
    INPUT move = MouseInput(MOUSEEVENTF_MOVE | MOUSEEVENTF_ABSOLUTE, drag->from.x, drag->from.y);
    SendInput(1, &move, sizeof(INPUT));
    Sleep(100);
    INPUT down = MouseInput(MOUSEEVENTF_LEFTDOWN);
    SendInput(1, &down, sizeof(INPUT));
    Sleep(200);
    const int steps = 5;
    for (int i = 1; i <= steps; ++i) {
        const int x = drag->from.x + (drag->to.x - drag->from.x) * i / steps;
        const int y = drag->from.y + (drag->to.y - drag->from.y) * i / steps;
        INPUT step = MouseInput(MOUSEEVENTF_MOVE | MOUSEEVENTF_ABSOLUTE, x, y);
        SendInput(1, &step, sizeof(INPUT));
        Sleep(30);
    }
    Sleep(100);
    INPUT up = MouseInput(MOUSEEVENTF_LEFTUP);
    SendInput(1, &up, sizeof(INPUT));
    Sleep(100);
    return 0;
}

void PerformDrag(POINT from, POINT to)
{
    Drag drag = { from, to };
    HANDLE thread = CreateThread(NULL, 0, DragThread, &drag, 0, NULL);
    ASSERT_TRUE(thread != NULL);
    while (WaitForSingleObject(thread, 0) == WAIT_TIMEOUT)
        PumpMessages(20);
    CloseHandle(thread);
    PumpMessages(100);
}

// A 32-bit memory bitmap filled with one colour, to draw into.
class MemoryCanvas
{
public:
    MemoryCanvas(int width, int height, COLORREF fill)
        : width(width), height(height), bits(NULL)
    {
        BITMAPINFO info = TopDownDib32(width, height);
        dc = CreateCompatibleDC(NULL);
        bitmap = CreateDIBSection(dc, &info, DIB_RGB_COLORS, reinterpret_cast<void**>(&bits), NULL, 0);
        previous = SelectObject(dc, bitmap);
        RECT area = { 0, 0, width, height };
        HBRUSH brush = CreateSolidBrush(fill);
        FillRect(dc, &area, brush);
        DeleteObject(brush);
        GdiFlush();
    }
    ~MemoryCanvas()
    {
        SelectObject(dc, previous);
        DeleteObject(bitmap);
        DeleteDC(dc);
    }
    COLORREF At(int x, int y) const
    {
        GdiFlush();
        const DWORD pixel = bits[y * width + x];
        return RGB((pixel >> 16) & 0xFF, (pixel >> 8) & 0xFF, pixel & 0xFF);
    }
    int CountOf(COLORREF colour) const
    {
        int count = 0;
        for (int y = 0; y < height; ++y)
            for (int x = 0; x < width; ++x)
                count += SameColour(At(x, y), colour, 0) ? 1 : 0;
        return count;
    }
    HDC dc;
    int width, height;

private:
    MemoryCanvas(const MemoryCanvas&);
    MemoryCanvas& operator=(const MemoryCanvas&);
    HBITMAP bitmap;
    HGDIOBJ previous;
    DWORD* bits;
};

// How many of `points` the window shows otherwise than `expected` has them.
int Mismatches(const ResourcePixels& expected, const Capture& shown, const std::vector<POINT>& points)
{
    int mismatches = 0;
    for (size_t i = 0; i < points.size(); ++i)
        mismatches += SameColour(expected.At(points[i].x, points[i].y),
                                 shown.At(points[i].x, points[i].y))
                          ? 0
                          : 1;
    return mismatches;
}

// Covers the whole client area in magenta, behind the window's back.
void PaintOver(HWND window)
{
    HDC dc = GetDC(window);
    RECT all = { 0, 0, kWidth, kHeight };
    HBRUSH brush = CreateSolidBrush(RGB(255, 0, 255));
    FillRect(dc, &all, brush);
    DeleteObject(brush);
    ReleaseDC(window, dc);
}

int g_keyCounter = 0;

class LauncherWindowTest : public ::testing::Test
{
protected:
    LauncherWindowTest()
        : launcher(NULL), previousDirectory(MAX_PATH, L'\0')
    {
    }

    void SetUp() override
    {
        LoadLauncherConfig(&config);
        WCHAR unique[64];
        wsprintfW(unique, L"%lu_%d", GetCurrentProcessId(), ++g_keyCounter);
        keyPath = std::wstring(L"Software\\LauncherTests\\Window\\") + unique;
        productCode = std::wstring(L"{LauncherTests-Window-") + unique + L"}";
        BoundedCopy(config.registryKey, MAX_PATH, keyPath.c_str());
        BoundedCopy(config.productCode, MAX_PATH, productCode.c_str());
        // Found in the current directory, which is the disc folder.
        BoundedCopy(config.setupExe, MAX_PATH, L"wt_setup.exe");
        config.waitForSetup = 0;
        website = disc.Join(L"site.exe");
        ASSERT_TRUE(CopyFileW(RecorderPath().c_str(), website.c_str(), FALSE));
        BoundedCopy(config.websiteUrl, MAX_PATH, website.c_str());

        record = disc.Join(L"record.txt");
        SetEnvironmentVariableW(L"LAUNCHER_RECORD", record.c_str());
        SetEnvironmentVariableW(L"LAUNCHER_RECORD_EXIT", L"0");
        SetEnvironmentVariableW(L"LAUNCHER_RECORD_SLEEP", NULL);
        GetCurrentDirectoryW(MAX_PATH, &previousDirectory[0]);
        SetCurrentDirectoryW(disc.path().c_str());
        // The pointer away from the window: no button starts out hovered.
        SetCursorPos(0, 0);
        DrainMessages();
    }

    void TearDown() override
    {
        if (launcher != NULL) {
            if (IsWindow(launcher->window))
                DestroyWindow(launcher->window);
            DrainMessages();
            delete launcher;
            launcher = NULL;
            WNDCLASSW unused;
            EXPECT_FALSE(GetClassInfoW(GetModuleHandleW(NULL), kLauncherClassName, &unused))
                << "the destructor unregisters the class";
        }
        DrainMessages();
        SetCurrentDirectoryW(previousDirectory.c_str());
        SetEnvironmentVariableW(L"LAUNCHER_RECORD", NULL);
        SetEnvironmentVariableW(L"LAUNCHER_RECORD_EXIT", NULL);
        // Started recorders end at once; let them go before their folders do.
        Sleep(50);
    }

    void AddSetup() { ASSERT_TRUE(CopyFileW(RecorderPath().c_str(), disc.Join(L"wt_setup.exe").c_str(), FALSE)); }

    // The registry key with the install folder, and a game there: a recorder
    // copy, or a file that is no program when `playable` is false.
    void MarkInstalled(bool playable = true)
    {
        key.reset(new ScopedKey(HKEY_LOCAL_MACHINE, keyPath));
        key->SetString(L"InstallPath", install.path());
        if (playable) {
            install.AddFile(L"binaries\\placeholder");
            ASSERT_TRUE(CopyFileW(RecorderPath().c_str(), GamePath().c_str(), FALSE));
        } else {
            install.AddFile(L"binaries\\dmgame.exe", "this is not a program");
        }
    }

    std::wstring GamePath() const { return install.Join(L"binaries\\dmgame.exe"); }

    // The product's uninstall entry under HKCU, naming a recorder copy.
    void AddUninstaller()
    {
        uninstaller = disc.Join(L"uninst.exe");
        ASSERT_TRUE(CopyFileW(RecorderPath().c_str(), uninstaller.c_str(), FALSE));
        uninstallKey.reset(new ScopedKey(
            HKEY_CURRENT_USER,
            L"SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Uninstall\\" + productCode));
        uninstallKey->SetString(L"UninstallString", L"\"" + uninstaller + L"\" /remove");
    }

    void Start()
    {
        launcher = new Launcher(config);
        ASSERT_TRUE(launcher != NULL);
        ASSERT_TRUE(launcher->Initialize(GetModuleHandleW(NULL), SW_SHOW));
        ASSERT_TRUE(IsWindow(launcher->window));
        PumpMessages(100);
    }

    // The window's top-left corner on the screen.
    POINT Origin() const
    {
        RECT area;
        GetWindowRect(launcher->window, &area);
        POINT corner = { area.left, area.top };
        return corner;
    }

    POINT ScreenPoint(int x, int y) const
    {
        POINT point = { x, y };
        ClientToScreen(launcher->window, &point);
        return point;
    }

    void ExpectWindowStays(DWORD milliseconds = 400)
    {
        const RunOutcome outcome = RunLauncher(launcher, milliseconds);
        EXPECT_FALSE(outcome.endedByWindow) << "the loop ended before the watchdog";
        EXPECT_TRUE(IsWindow(launcher->window));
        EXPECT_TRUE(IsWindowVisible(launcher->window));
    }

    void ExpectWindowCloses(DWORD limit = 5000)
    {
        const RunOutcome outcome = RunLauncher(launcher, limit);
        EXPECT_TRUE(outcome.endedByWindow) << "the window did not end the loop";
        EXPECT_EQ(0, outcome.result);
        EXPECT_FALSE(IsWindow(launcher->window));
    }

    ScopedFolder disc;     // the current directory: setup and other programs
    ScopedFolder install;  // the game's install folder
    std::wstring keyPath, productCode, record, website, uninstaller;
    std::unique_ptr<ScopedKey> key, uninstallKey;
    LauncherConfig config;
    Launcher* launcher;
    std::wstring previousDirectory;
};

}  // namespace

// ---------------------------------------------------------------------------
// Creation: size and centring

TEST_F(LauncherWindowTest, SizedToTheBackgroundAndCentred)
{
    Start();
    RECT area;
    GetWindowRect(launcher->window, &area);
    EXPECT_EQ(kWidth, area.right - area.left);
    EXPECT_EQ(kHeight, area.bottom - area.top);
    RECT client;
    GetClientRect(launcher->window, &client);
    EXPECT_EQ(kWidth, client.right);
    EXPECT_EQ(kHeight, client.bottom);

    const int screenWidth = GetSystemMetrics(SM_CXSCREEN);
    const int screenHeight = GetSystemMetrics(SM_CYSCREEN);
    EXPECT_EQ((screenWidth - kWidth) / 2, area.left);
    EXPECT_EQ((screenHeight - kHeight) / 2, area.top);
    if (screenWidth == 1024 && screenHeight == 768) {
        EXPECT_EQ(192, area.left);
        EXPECT_EQ(144, area.top);
    } else {
        // A display of another size (LAUNCHER_USE_DISPLAY): the formula above holds.
        std::printf("note: the display is %dx%d, not 1024x768\n", screenWidth, screenHeight);
    }
}

TEST(CentringArithmetic, SmallScreenGivesNegativeCoordinates)
{
    // The screen of the test display cannot be changed under Xvfb, so the
    // 600 x 400 case is OnCreate's formula on plain values: signed, truncating.
    struct Case
    {
        int screen, size, expected;
    };
    const Case cases[] = { { 1024, 640, 192 }, { 768, 480, 144 }, { 600, 640, -20 },
                           { 400, 480, -40 }, { 639, 640, 0 }, { 637, 640, -1 } };
    for (size_t i = 0; i < sizeof(cases) / sizeof(cases[0]); ++i)
        EXPECT_EQ(cases[i].expected, (cases[i].screen - cases[i].size) / 2);
}

// ---------------------------------------------------------------------------
// WM_PAINT and WM_DRAWITEM

TEST_F(LauncherWindowTest, PaintsTheBackground)
{
    Start();
    const ResourcePixels background(IDB_BACKGROUND);
    ASSERT_EQ(kWidth, background.width);
    ASSERT_EQ(kHeight, background.height);

    // Points on the background: left of the button column, and above and
    // below it.
    std::vector<POINT> points;
    for (int y = 5; y < kHeight; y += 23)
        for (int x = 3; x < kButtonLeft; x += 19) {
            POINT point = { x, y };
            points.push_back(point);
        }
    for (int x = kButtonLeft; x < kWidth; x += 17) {
        POINT above = { x, 40 + x % 100 };
        POINT below = { x, 420 + x % 50 };
        points.push_back(above);
        points.push_back(below);
    }

    {
        const Capture shown(launcher->window);
        EXPECT_EQ(0, Mismatches(background, shown, points))
            << "of " << points.size() << " points after showing";
    }

    // Paint over the window, then let WM_PAINT repaint it.
    PaintOver(launcher->window);
    {
        const Capture spoiled(launcher->window);
        EXPECT_TRUE(SameColour(RGB(255, 0, 255), spoiled.At(100, 100), 0));
    }
    InvalidateRect(launcher->window, NULL, FALSE);
    UpdateWindow(launcher->window);
    PumpMessages(50);
    {
        const Capture repainted(launcher->window);
        EXPECT_EQ(0, Mismatches(background, repainted, points))
            << "of " << points.size() << " points after WM_PAINT";
    }
}

TEST_F(LauncherWindowTest, PaintOfAPartRepaintsOnlyThatPart)
{
    Start();
    const ResourcePixels background(IDB_BACKGROUND);
    PaintOver(launcher->window);

    // The whole bitmap is drawn, the update region clips it.
    RECT part = { 20, 30, 120, 90 };
    InvalidateRect(launcher->window, &part, FALSE);
    UpdateWindow(launcher->window);
    PumpMessages(30);
    const Capture after(launcher->window);
    EXPECT_TRUE(SameColour(background.At(50, 50), after.At(50, 50)));
    EXPECT_TRUE(SameColour(background.At(119, 89), after.At(119, 89)));
    EXPECT_TRUE(SameColour(RGB(255, 0, 255), after.At(200, 200), 0));
    EXPECT_TRUE(SameColour(RGB(255, 0, 255), after.At(10, 10), 0));
}

TEST_F(LauncherWindowTest, DrawItemForAnotherWindowDrawsNothing)
{
    Start();
    const COLORREF fill = RGB(255, 0, 255);
    TestWindow stranger(50, 20);

    const HWND notButtons[] = { stranger.hwnd(), launcher->window, NULL };
    for (size_t i = 0; i < sizeof(notButtons) / sizeof(notButtons[0]); ++i) {
        SCOPED_TRACE(i);
        MemoryCanvas canvas(kButtonWidth, kButtonHeight, fill);
        DRAWITEMSTRUCT item;
        ZeroMemory(&item, sizeof(item));
        item.CtlType = ODT_BUTTON;
        item.CtlID = IDC_WEBSITE;
        item.itemAction = ODA_DRAWENTIRE;
        item.hwndItem = notButtons[i];
        item.hDC = canvas.dc;
        SetRect(&item.rcItem, 0, 0, kButtonWidth, kButtonHeight);
        SendMessageW(launcher->window, WM_DRAWITEM, IDC_WEBSITE, reinterpret_cast<LPARAM>(&item));
        EXPECT_EQ(kButtonWidth * kButtonHeight, canvas.CountOf(fill)) << "untouched pixels";
    }

    // The same request for the Website button draws that button.
    MemoryCanvas canvas(kButtonWidth, kButtonHeight, fill);
    DRAWITEMSTRUCT item;
    ZeroMemory(&item, sizeof(item));
    item.CtlType = ODT_BUTTON;
    item.CtlID = IDC_WEBSITE;
    item.itemAction = ODA_DRAWENTIRE;
    item.hwndItem = launcher->buttons[2]->hwnd;
    item.hDC = canvas.dc;
    SetRect(&item.rcItem, 0, 0, kButtonWidth, kButtonHeight);
    SendMessageW(launcher->window, WM_DRAWITEM, IDC_WEBSITE, reinterpret_cast<LPARAM>(&item));
    const ResourcePixels normal(IDB_BUTTON_NORMAL);
    EXPECT_EQ(0, canvas.CountOf(fill));
    EXPECT_TRUE(SameColour(normal.At(2, 2), canvas.At(2, 2)));
    EXPECT_TRUE(SameColour(normal.At(kButtonWidth - 3, kButtonHeight - 3),
                           canvas.At(kButtonWidth - 3, kButtonHeight - 3)));
}

// ---------------------------------------------------------------------------
// Commands

TEST_F(LauncherWindowTest, MainInstalledPlaySucceedsAndWindowCloses)
{
    MarkInstalled();
    Start();
    PostMessageW(launcher->window, WM_COMMAND, MAKEWPARAM(IDC_MAIN_ACTION, BN_CLICKED),
                 reinterpret_cast<LPARAM>(launcher->buttons[0]->hwnd));
    ExpectWindowCloses();
    const std::vector<std::string> lines = WaitForLines(record, 1);
    ASSERT_EQ(1u, lines.size());
    EXPECT_TRUE(SamePath(ProgramOf(lines[0]), GamePath())) << lines[0];
}

TEST_F(LauncherWindowTest, MainInstalledPlayFailsAndWindowStays)
{
    MarkInstalled(false);
    Start();
    ASSERT_TRUE(launcher->IsGameInstalled());
    PostMessageW(launcher->window, WM_COMMAND, IDC_MAIN_ACTION, 0);
    ExpectWindowStays(600);
    EXPECT_FALSE(QuitPending());
    EXPECT_TRUE(ReadLines(record).empty());
}

TEST_F(LauncherWindowTest, MainNotInstalledStartsSetupAndWindowCloses)
{
    AddSetup();
    Start();
    PostMessageW(launcher->window, WM_COMMAND, IDC_MAIN_ACTION, 0);
    ExpectWindowCloses();
    const std::vector<std::string> lines = WaitForLines(record, 1);
    ASSERT_EQ(1u, lines.size());
    EXPECT_TRUE(SamePath(ProgramOf(lines[0]), disc.Join(L"wt_setup.exe"))) << lines[0];
}

TEST_F(LauncherWindowTest, MainNotInstalledWindowClosesAlsoWhenSetupIsMissing)
{
    BoundedCopy(config.setupExe, MAX_PATH, L"wt_missing_setup.exe");
    Start();
    ASSERT_FALSE(launcher->Install());
    PostMessageW(launcher->window, WM_COMMAND, IDC_MAIN_ACTION, 0);
    ExpectWindowCloses();
    Sleep(200);
    EXPECT_TRUE(ReadLines(record).empty());
}

TEST_F(LauncherWindowTest, WebsiteWindowStays)
{
    Start();
    PostMessageW(launcher->window, WM_COMMAND, IDC_WEBSITE, 0);
    ExpectWindowStays();
    const std::vector<std::string> lines = WaitForLines(record, 1);
    ASSERT_EQ(1u, lines.size()) << "the web page (a recorder here) was opened";
    EXPECT_TRUE(SamePath(ProgramOf(lines[0]), website)) << lines[0];
    ExpectWindowStays(200);
}

TEST_F(LauncherWindowTest, ReadmeWindowStays)
{
    Start();
    PostMessageW(launcher->window, WM_COMMAND, IDC_README, 0);
    ExpectWindowStays();
    EXPECT_FALSE(QuitPending());
}

TEST_F(LauncherWindowTest, UninstallDisabledDoesNothing)
{
    AddUninstaller();
    Start();
    ASSERT_FALSE(IsWindowEnabled(launcher->buttons[1]->hwnd));
    PostMessageW(launcher->window, WM_COMMAND, IDC_UNINSTALL, 0);
    ExpectWindowStays();
    Sleep(200);
    EXPECT_TRUE(ReadLines(record).empty()) << "no uninstaller started";
}

TEST_F(LauncherWindowTest, UninstallEnabledStartsUninstallerAndWindowCloses)
{
    MarkInstalled();
    AddUninstaller();
    Start();
    ASSERT_TRUE(IsWindowEnabled(launcher->buttons[1]->hwnd));
    PostMessageW(launcher->window, WM_COMMAND, IDC_UNINSTALL, 0);
    ExpectWindowCloses();
    const std::vector<std::string> lines = WaitForLines(record, 1);
    ASSERT_EQ(1u, lines.size());
    EXPECT_TRUE(SamePath(ProgramOf(lines[0]), uninstaller)) << lines[0];
}

TEST_F(LauncherWindowTest, ExitDestroysTheWindowAndQuits)
{
    Start();
    const HWND window = launcher->window;
    const HWND exitButton = launcher->buttons[4]->hwnd;
    SendMessageW(window, WM_COMMAND, IDC_EXIT, 0);
    EXPECT_FALSE(IsWindow(window)) << "destroyed during the command itself";
    EXPECT_FALSE(IsWindow(exitButton));
    EXPECT_TRUE(QuitPending());
    // The launcher's loop sees the quit message and ends.
    const RunOutcome outcome = RunLauncher(launcher, 2000);
    EXPECT_TRUE(outcome.endedByWindow);
    EXPECT_EQ(0, outcome.result);
}

TEST_F(LauncherWindowTest, ExitThroughTheLoop)
{
    Start();
    PostMessageW(launcher->window, WM_COMMAND, MAKEWPARAM(IDC_EXIT, BN_CLICKED), 0);
    ExpectWindowCloses(2000);
}

TEST_F(LauncherWindowTest, CommandsOutsideTheRangeChangeNothing)
{
    MarkInstalled();
    AddSetup();
    AddUninstaller();
    Start();
    const POINT before = Origin();
    const WPARAM commands[] = { 0, 1, 2, 399, 405, 406, 500, 1000, 0xFFFF,
                                MAKEWPARAM(405, BN_CLICKED), MAKEWPARAM(399, 1) };
    for (size_t i = 0; i < sizeof(commands) / sizeof(commands[0]); ++i)
        SendMessageW(launcher->window, WM_COMMAND, commands[i], 0);
    EXPECT_TRUE(IsWindow(launcher->window));
    EXPECT_FALSE(QuitPending());
    ExpectWindowStays(300);
    const POINT after = Origin();
    EXPECT_EQ(before.x, after.x);
    EXPECT_EQ(before.y, after.y);
    EXPECT_TRUE(ReadLines(record).empty()) << "nothing started";
    for (int i = 0; i < kButtonCount; ++i)
        EXPECT_TRUE(IsWindow(launcher->buttons[i]->hwnd));
}

// ---------------------------------------------------------------------------
// The install timer

namespace {

struct RecordWatch
{
    std::wstring file;
    volatile LONG stop;
    DWORD firstLine, secondLine;  // tick counts, 0 while not seen
};

DWORD WINAPI WatchRecord(void* parameter)
{
    RecordWatch* watch = static_cast<RecordWatch*>(parameter);
    while (!watch->stop) {
        const size_t lines = ReadLines(watch->file).size();
        const DWORD now = GetTickCount();
        if (lines >= 1 && watch->firstLine == 0)
            watch->firstLine = now;
        if (lines >= 2 && watch->secondLine == 0)
            watch->secondLine = now;
        Sleep(5);
    }
    return 0;
}

}  // namespace

TEST_F(LauncherWindowTest, WaitedSetupThatSucceedsStartsTheGameAfterOneSecond)
{
    config.waitForSetup = 1;
    AddSetup();
    MarkInstalled();
    Start();
    ASSERT_FALSE(launcher->IsGameInstalled()) << "in this mode only a waited setup counts";

    RecordWatch watch = { record, 0, 0, 0 };
    HANDLE watcher = CreateThread(NULL, 0, WatchRecord, &watch, 0, NULL);
    ASSERT_TRUE(watcher != NULL);
    PostMessageW(launcher->window, WM_COMMAND, IDC_MAIN_ACTION, 0);
    const RunOutcome outcome = RunLauncher(launcher, 10000);
    WaitForLines(record, 2);
    Sleep(50);
    InterlockedExchange(&watch.stop, 1);
    WaitForSingleObject(watcher, 2000);
    CloseHandle(watcher);

    EXPECT_TRUE(outcome.endedByWindow) << "the launcher closed after starting the game";
    EXPECT_FALSE(IsWindow(launcher->window));
    EXPECT_EQ(1, launcher->setupSucceeded);
    const std::vector<std::string> lines = ReadLines(record);
    ASSERT_EQ(2u, lines.size());
    EXPECT_TRUE(SamePath(ProgramOf(lines[0]), disc.Join(L"wt_setup.exe"))) << lines[0];
    EXPECT_TRUE(SamePath(ProgramOf(lines[1]), GamePath())) << lines[1];
    ASSERT_NE(0u, watch.firstLine);
    ASSERT_NE(0u, watch.secondLine);
    const DWORD delay = watch.secondLine - watch.firstLine;
    EXPECT_GE(delay, 900u) << "the first tick comes one second after setup ended";
    EXPECT_LE(delay, 3500u);
}

TEST_F(LauncherWindowTest, WaitedSetupThatFailsKeepsTheTimerTicking)
{
    config.waitForSetup = 1;
    AddSetup();
    MarkInstalled();
    SetEnvironmentVariableW(L"LAUNCHER_RECORD_EXIT", L"1");
    Start();
    PostMessageW(launcher->window, WM_COMMAND, IDC_MAIN_ACTION, 0);

    // A loop like Run's that counts the ticks of the window's timer.
    int ticks = 0;
    bool quit = false;
    const DWORD start = GetTickCount();
    while (GetTickCount() - start < 3600 && !quit) {
        MSG msg;
        while (PeekMessageW(&msg, NULL, 0, 0, PM_REMOVE)) {
            if (msg.message == WM_QUIT) {
                quit = true;
                break;
            }
            if (msg.message == WM_TIMER && msg.hwnd == launcher->window
                && msg.wParam == IDT_SETUP_POLL)
                ++ticks;
            if (!TranslateAcceleratorW(launcher->window, launcher->accelTable, &msg)) {
                TranslateMessage(&msg);
                DispatchMessageW(&msg);
            }
        }
        Sleep(5);
    }
    EXPECT_FALSE(quit);
    EXPECT_TRUE(IsWindow(launcher->window));
    EXPECT_GE(ticks, 2) << "the timer keeps ticking";
    EXPECT_EQ(0, launcher->setupSucceeded);
    const std::vector<std::string> lines = ReadLines(record);
    ASSERT_EQ(1u, lines.size()) << "setup ran, and nothing after it";
    EXPECT_TRUE(SamePath(ProgramOf(lines[0]), disc.Join(L"wt_setup.exe"))) << lines[0];
}

TEST_F(LauncherWindowTest, TickAfterSucceededSetupPlaysAndCloses)
{
    config.waitForSetup = 1;
    MarkInstalled();
    Start();
    launcher->setupSucceeded = 1;
    EXPECT_EQ(0, SendMessageW(launcher->window, WM_TIMER, IDT_SETUP_POLL, 0));
    const std::vector<std::string> lines = WaitForLines(record, 1);
    ASSERT_EQ(1u, lines.size());
    EXPECT_TRUE(SamePath(ProgramOf(lines[0]), GamePath())) << lines[0];
    ExpectWindowCloses(2000);
}

TEST_F(LauncherWindowTest, TickWithoutWaitingStartsNothing)
{
    // waitForSetup 0: the game counts as installed, but the tick only stops the timer.
    MarkInstalled();
    Start();
    ASSERT_TRUE(launcher->IsGameInstalled());
    EXPECT_EQ(0, SendMessageW(launcher->window, WM_TIMER, IDT_SETUP_POLL, 0));
    ExpectWindowStays(300);
    Sleep(200);
    EXPECT_TRUE(ReadLines(record).empty());
}

TEST_F(LauncherWindowTest, TickWhileNotInstalledDoesNothing)
{
    Start();
    EXPECT_EQ(0, SendMessageW(launcher->window, WM_TIMER, IDT_SETUP_POLL, 0));
    EXPECT_EQ(0, SendMessageW(launcher->window, WM_TIMER, 7, 0)) << "any timer id";
    ExpectWindowStays(300);
    EXPECT_TRUE(ReadLines(record).empty());
}

TEST(WindowProcedure, TimerWithoutLauncherGoesToDefWindowProc)
{
    TestWindow window(20, 20);
    Launcher* const saved = g_launcher;
    g_launcher = NULL;
    const LRESULT result = LauncherWndProc(window.hwnd(), WM_TIMER, IDT_SETUP_POLL, 0);
    g_launcher = saved;
    EXPECT_EQ(DefWindowProcW(window.hwnd(), WM_TIMER, IDT_SETUP_POLL, 0), result);
    EXPECT_TRUE(IsWindow(window.hwnd()));
}

TEST_F(LauncherWindowTest, CreationWithoutLauncherFails)
{
    Start();
    const HWND failed = CreateWindowExW(0, kLauncherClassName, L"Launcher", WS_POPUP, 0, 0, 100, 100,
                                        NULL, NULL, GetModuleHandleW(NULL), NULL);
    EXPECT_TRUE(failed == NULL);
    EXPECT_TRUE(g_launcher == NULL) << "WM_CREATE stored the null parameter";
    g_launcher = launcher;  // the real window goes on with its launcher
    EXPECT_FALSE(QuitPending());
    ExpectWindowStays(200);
}

// ---------------------------------------------------------------------------
// Window drag

TEST_F(LauncherWindowTest, DragOnTheBackgroundMovesTheWindow)
{
    Start();
    const POINT before = Origin();
    const POINT from = ScreenPoint(100, 100);
    POINT to = { from.x + 50, from.y + 30 };
    PerformDrag(from, to);
    const POINT after = Origin();
    EXPECT_EQ(before.x + 50, after.x);
    EXPECT_EQ(before.y + 30, after.y);
    EXPECT_TRUE(IsWindow(launcher->window));
    RECT area;
    GetWindowRect(launcher->window, &area);
    EXPECT_EQ(kWidth, area.right - area.left);
    EXPECT_EQ(kHeight, area.bottom - area.top);
}

TEST_F(LauncherWindowTest, DragOnAButtonDoesNotMoveTheWindow)
{
    Start();
    const POINT before = Origin();
    // Press on the Exit button, move off it onto the background, release.
    const POINT from = ScreenPoint(kButtonLeft + 50, kButtonTops[4] + 23);
    POINT to = { from.x - 100, from.y + 30 };
    PerformDrag(from, to);
    const POINT after = Origin();
    EXPECT_EQ(before.x, after.x);
    EXPECT_EQ(before.y, after.y);
    EXPECT_TRUE(IsWindow(launcher->window)) << "released off the button: no click";
    EXPECT_FALSE(QuitPending());
}

TEST_F(LauncherWindowTest, ClickOnAButtonSendsItsCommand)
{
    Start();
    // A real click on the Exit button ends the launcher's loop.
    const POINT on = ScreenPoint(kButtonLeft + 100, kButtonTops[4] + 20);
    INPUT input[3] = { MouseInput(MOUSEEVENTF_MOVE | MOUSEEVENTF_ABSOLUTE, on.x, on.y),
                       MouseInput(MOUSEEVENTF_LEFTDOWN), MouseInput(MOUSEEVENTF_LEFTUP) };
    SendInput(3, input, sizeof(INPUT));
    ExpectWindowCloses(3000);
}

// ---------------------------------------------------------------------------
// Keyboard: Alt+F4 and the accelerators inside Run

TEST_F(LauncherWindowTest, SysCommandCloseEndsTheLoop)
{
    Start();
    PostMessageW(launcher->window, WM_SYSCOMMAND, SC_CLOSE, 0);
    ExpectWindowCloses(2000);
}

TEST_F(LauncherWindowTest, AltF4EndsTheLoop)
{
    Start();
    SetForegroundWindow(launcher->window);
    SetFocus(launcher->buttons[0]->hwnd);
    PumpMessages(20);
    SendAltKey(VK_F4);
    ExpectWindowCloses(3000);
}

TEST_F(LauncherWindowTest, AltMnemonicRunsTheCommandInRun)
{
    // en_US gives the default block: "&Visite o site" is Alt+V, "&Sair" Alt+S.
    ASSERT_EQ(static_cast<UINT>(IDS_BLOCK_PORTUGUESE), GetLanguageBlock());
    Start();
    SetForegroundWindow(launcher->window);
    SetFocus(launcher->buttons[3]->hwnd);
    PumpMessages(20);
    ASSERT_EQ(launcher->buttons[3]->hwnd, GetFocus()) << "the Readme button has the focus";

    SendAltKey('V');
    ExpectWindowStays(500);
    const std::vector<std::string> lines = WaitForLines(record, 1);
    ASSERT_EQ(1u, lines.size()) << "Alt+V opened the web page";
    EXPECT_TRUE(SamePath(ProgramOf(lines[0]), website)) << lines[0];

    SendAltKey('S');
    ExpectWindowCloses(3000);
}

TEST_F(LauncherWindowTest, AltMnemonicOfTheDisabledUninstallDoesNothing)
{
    ASSERT_EQ(static_cast<UINT>(IDS_BLOCK_PORTUGUESE), GetLanguageBlock());
    AddUninstaller();
    Start();
    SetForegroundWindow(launcher->window);
    SetFocus(launcher->buttons[0]->hwnd);
    PumpMessages(20);
    SendAltKey('D');  // "&Desinstalar"
    ExpectWindowStays(500);
    Sleep(200);
    EXPECT_TRUE(ReadLines(record).empty());
}
