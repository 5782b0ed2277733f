// The main window: the start-up decisions on plain values, and
// Initialize on the real display — class, window, the five buttons with their
// places, captions in the system's language and enabled states, the
// accelerator table — and PlayStartupSound.
//
// Built twice: for en_US (the default block, Portuguese texts) and, with
// EXPECT_RUSSIAN, for ru_RU.
#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "TestSupport.h"
#include "app/Launcher.h"
#include "app/StartupChecks.h"
#include "config/Language.h"
#include "controls/BoundedString.h"
#include "res/resource.h"

#ifdef EXPECT_RUSSIAN
// CTest names the tests after their suites alone: the Russian run's suites
// carry a name of their own.
#define StartupChecks StartupChecksRussian
#define Language LanguageRussian
#define MainWindowTest MainWindowTestRussian
#define StartupSound StartupSoundRussian
#endif

namespace {

struct Texts
{
    UINT block;
    // Install, Play, Uninstall, Website, Readme, Exit: as in the resources,
    // and as the buttons draw them with uppercaseCaptions.
    const WCHAR* captions[6];
    const WCHAR* upper[6];
};

#ifdef EXPECT_RUSSIAN
const Texts kTexts = { IDS_BLOCK_RUSSIAN,
                       { L"Установка", L"Запуск", L"Удаление", L"Веб-сайт", L"&Readme", L"Выход" },
                       { L"УСТАНОВКА", L"ЗАПУСК", L"УДАЛЕНИЕ", L"ВЕБ-САЙТ", L"&README", L"ВЫХОД" } };
#else
const Texts kTexts = { IDS_BLOCK_PORTUGUESE,
                       { L"&Instalar", L"&Jogar", L"&Desinstalar", L"&Visite o site", L"&Leia-Me",
                         L"&Sair" },
                       { L"&INSTALAR", L"&JOGAR", L"&DESINSTALAR", L"&VISITE O SITE", L"&LEIA-ME",
                         L"&SAIR" } };
#endif

// Points of a button away from its centred caption.
std::vector<POINT> ButtonMargins()
{
    std::vector<POINT> points;
    const int xs[] = { 1, 4, 10, 20, 35, 50, 65, 265, 280, 295, 310, 320, 327 };
    const int ys[] = { 1, 4, 9, 16, 23, 30, 37, 42, 44 };
    for (size_t i = 0; i < sizeof(xs) / sizeof(xs[0]); ++i)
        for (size_t j = 0; j < sizeof(ys) / sizeof(ys[0]); ++j) {
            POINT point = { xs[i], ys[j] };
            points.push_back(point);
        }
    for (int x = 0; x < kButtonWidth; x += 7) {
        POINT top = { x, 2 };
        POINT bottom = { x, kButtonHeight - 3 };
        points.push_back(top);
        points.push_back(bottom);
    }
    return points;
}

int g_keyCounter = 0;

class MainWindowTest : public ::testing::Test
{
protected:
    MainWindowTest()
        : launcher(NULL)
    {
    }

    void SetUp() override
    {
        LoadLauncherConfig(&config);
        WCHAR unique[64];
        wsprintfW(unique, L"%lu_%d", GetCurrentProcessId(), ++g_keyCounter);
        keyPath = std::wstring(L"Software\\LauncherTests\\MainWindow\\") + unique;
        BoundedCopy(config.registryKey, MAX_PATH, keyPath.c_str());
        const std::wstring product = std::wstring(L"{LauncherTests-MainWindow-") + unique + L"}";
        BoundedCopy(config.productCode, MAX_PATH, product.c_str());
        // The pointer away from the window: no button starts out hovered.
        SetCursorPos(0, 0);
        PumpMessages(10);
    }

    void TearDown() override
    {
        if (launcher != NULL) {
            if (IsWindow(launcher->window))
                DestroyWindow(launcher->window);
            DrainMessages();
            delete launcher;
            launcher = NULL;
        }
        PumpMessages(10);
    }

    void MarkInstalled(bool withGame = true)
    {
        key.reset(new ScopedKey(HKEY_LOCAL_MACHINE, keyPath));
        key->SetString(L"InstallPath", install.path());
        if (withGame)
            install.AddFile(L"binaries\\dmgame.exe");
    }

    void Start()
    {
        launcher = new Launcher(config);
        ASSERT_TRUE(launcher != NULL);
        ASSERT_EQ(1, launcher->Initialize(GetModuleHandleW(NULL), SW_SHOW));
        PumpMessages(100);
        // On a busy machine the buttons may still have paint pending: finish
        // what the launcher asked for (nothing new is invalidated here).
        RedrawWindow(launcher->window, NULL, NULL, RDW_UPDATENOW | RDW_ALLCHILDREN);
        PumpMessages(20);
    }

    RECT ClientRectOf(HWND child) const
    {
        RECT area;
        GetWindowRect(child, &area);
        MapWindowPoints(NULL, launcher->window, reinterpret_cast<POINT*>(&area), 2);
        return area;
    }

    // How many margin points of the button show `image`, and how many of them
    // would look different in `other`.
    // Counts the margin points where the button shows `image`, and those where
    // `image` and `other` differ enough to tell them apart. A busy machine may
    // still be painting, so it looks again for up to two seconds before it
    // settles for a partial match.
    void CompareButton(HWND button, UINT image, UINT other, int* matching, int* total,
                       int* telling)
    {
        const ResourcePixels expected(image);
        const ResourcePixels alternative(other);
        const std::vector<POINT> points = ButtonMargins();
        *total = static_cast<int>(points.size());
        for (int attempt = 0; attempt < 20; ++attempt) {
            if (attempt > 0)
                PumpMessages(100);
            const Capture shown(button);
            *matching = 0;
            *telling = 0;
            for (size_t i = 0; i < points.size(); ++i) {
                const int x = points[i].x, y = points[i].y;
                if (SameColour(expected.At(x, y), shown.At(x, y)))
                    ++*matching;
                if (!SameColour(expected.At(x, y), alternative.At(x, y), 24))
                    ++*telling;
            }
            if (*matching == *total)
                return;
        }
    }

    ScopedFolder install;
    std::wstring keyPath;
    std::unique_ptr<ScopedKey> key;
    LauncherConfig config;
    Launcher* launcher;
};

}  // namespace

// ---------------------------------------------------------------------------
// The start-up decisions on plain values

TEST(StartupChecks, DisplayDecisionByDepth)
{
    struct Case
    {
        int numColors, bitsPerPixel;
        bool supported;
        const char* what;
    };
    const Case cases[] = {
        { 2, 1, false, "monochrome" },
        { 16, 4, false, "16-colour VGA" },
        { -1, 4, true, "NUMCOLORS -1 passes whatever the depth" },
        { 256, 8, true, "8-bit palette driver" },
        { 20, 8, true, "8-bit palette driver reporting its static colours" },
        { -1, 8, true, "8-bit display as Wine reports it" },
        { -1, 16, true, "16 bits" },
        { -1, 24, true, "24 bits" },
        { -1, 32, true, "32 bits" },
        { 16, 7, false, "below 8 bits" },
        { 0, 0, false, "nothing" },
        { -2, 4, false, "only -1 means more than 8 bits" },
        { 65536, 16, true, "a driver that counts its colours" },
    };
    for (size_t i = 0; i < sizeof(cases) / sizeof(cases[0]); ++i) {
        SCOPED_TRACE(cases[i].what);
        EXPECT_EQ(cases[i].supported, IsDisplaySupported(cases[i].numColors, cases[i].bitsPerPixel));
    }
}

TEST(StartupChecks, WindowsVersionTable)
{
    struct Case
    {
        DWORD major, minor;
        bool supported;
    };
    const Case cases[] = {
        { 3, 51, false }, { 4, 0, false },  { 4, 10, false }, { 4, 90, false }, { 5, 0, false },
        { 5, 1, true },   { 5, 2, true },   { 6, 0, true },   { 6, 1, true },   { 6, 2, true },
        { 6, 3, true },   { 10, 0, true },  { 0, 0, false },  { 5, 99, true },  { 0xFFFFFFFF, 0, true },
    };
    for (size_t i = 0; i < sizeof(cases) / sizeof(cases[0]); ++i) {
        SCOPED_TRACE(testing::Message() << cases[i].major << "." << cases[i].minor);
        EXPECT_EQ(cases[i].supported, IsWindowsVersionSupported(cases[i].major, cases[i].minor));
    }
}

TEST(StartupChecks, TheTestSystemPasses)
{
    HDC screen = GetDC(NULL);
    const int numColors = GetDeviceCaps(screen, NUMCOLORS);
    const int bitsPerPixel = GetDeviceCaps(screen, BITSPIXEL);
    ReleaseDC(NULL, screen);
    EXPECT_TRUE(IsDisplaySupported(numColors, bitsPerPixel))
        << "NUMCOLORS " << numColors << ", BITSPIXEL " << bitsPerPixel;
    if (bitsPerPixel > 8) {
        EXPECT_EQ(-1, numColors) << "as real drivers report above 8 bits per pixel";
    }

    OSVERSIONINFOW version;
    ZeroMemory(&version, sizeof(version));
    version.dwOSVersionInfoSize = sizeof(version);
    ASSERT_TRUE(GetVersionExW(&version));
    EXPECT_TRUE(IsWindowsVersionSupported(version.dwMajorVersion, version.dwMinorVersion))
        << version.dwMajorVersion << "." << version.dwMinorVersion;
}

// ---------------------------------------------------------------------------
// Initialize: class and window

TEST(Language, TheRunsBlock)
{
    EXPECT_EQ(kTexts.block, GetLanguageBlock());
}

TEST_F(MainWindowTest, InitializeShowsTheWindow)
{
    Start();
    ASSERT_TRUE(launcher->window != NULL);
    EXPECT_EQ(launcher, g_launcher);
    EXPECT_TRUE(IsWindowVisible(launcher->window));
    EXPECT_EQ(launcher->window, FindWindowW(kLauncherClassName, L"Launcher"));
    RECT client;
    GetClientRect(launcher->window, &client);
    EXPECT_EQ(kWidth, client.right);
    EXPECT_EQ(kHeight, client.bottom);
    EXPECT_TRUE(GetParent(launcher->window) == NULL);
}

TEST_F(MainWindowTest, WindowClass)
{
    Start();
    WCHAR name[64];
    ASSERT_NE(0, GetClassNameW(launcher->window, name, 64));
    EXPECT_STREQ(L"Corvane Launcher", name);

    WNDCLASSW windowClass;
    ASSERT_TRUE(GetClassInfoW(GetModuleHandleW(NULL), kLauncherClassName, &windowClass));
    EXPECT_EQ(static_cast<UINT>(CS_GLOBALCLASS), windowClass.style);
    EXPECT_EQ(static_cast<UINT_PTR>(CS_GLOBALCLASS),
              static_cast<UINT_PTR>(GetClassLongPtrW(launcher->window, GCL_STYLE)));
    EXPECT_TRUE(windowClass.lpfnWndProc == LauncherWndProc);
    EXPECT_EQ(0, windowClass.cbClsExtra);
    EXPECT_EQ(0, windowClass.cbWndExtra);
    EXPECT_TRUE(windowClass.hInstance == GetModuleHandleW(NULL));
    EXPECT_TRUE(windowClass.hIcon != NULL) << "icon group 500";
    EXPECT_TRUE(windowClass.hCursor == LoadCursorW(NULL, IDC_ARROW));
    EXPECT_TRUE(windowClass.hbrBackground == GetSysColorBrush(COLOR_BTNFACE));
    EXPECT_TRUE(windowClass.lpszMenuName == NULL);
    EXPECT_TRUE(LoadIconW(GetModuleHandleW(NULL), MAKEINTRESOURCEW(IDI_LAUNCHER)) != NULL);
}

TEST_F(MainWindowTest, WindowTitleAndStyle)
{
    Start();
    EXPECT_EQ(L"Launcher", WindowText(launcher->window));
    const DWORD style = static_cast<DWORD>(GetWindowLongW(launcher->window, GWL_STYLE));
    EXPECT_EQ(static_cast<DWORD>(WS_POPUP | WS_VISIBLE | WS_CLIPSIBLINGS | WS_CLIPCHILDREN), style)
        << std::hex << style;
    EXPECT_EQ(0x96000000u, style);
    EXPECT_EQ(0u, static_cast<DWORD>(GetWindowLongW(launcher->window, GWL_EXSTYLE)));
    EXPECT_TRUE(GetMenu(launcher->window) == NULL);
}

TEST_F(MainWindowTest, DestructorUnregistersTheClass)
{
    Start();
    const HWND buttons[] = { launcher->buttons[0]->hwnd, launcher->buttons[4]->hwnd };
    DestroyWindow(launcher->window);
    DrainMessages();
    delete launcher;
    launcher = NULL;
    WNDCLASSW windowClass;
    EXPECT_FALSE(GetClassInfoW(GetModuleHandleW(NULL), kLauncherClassName, &windowClass));
    EXPECT_FALSE(IsWindow(buttons[0]));
    EXPECT_FALSE(IsWindow(buttons[1]));

    // A second launcher in the same process registers the class again.
    Start();
    EXPECT_TRUE(IsWindow(launcher->window));
}

// ---------------------------------------------------------------------------
// Initialize: the buttons

TEST_F(MainWindowTest, FiveButtonsInAColumn)
{
    Start();
    for (int i = 0; i < kButtonCount; ++i) {
        SCOPED_TRACE(i);
        ASSERT_TRUE(launcher->buttons[i] != NULL);
        const HWND button = launcher->buttons[i]->hwnd;
        ASSERT_TRUE(IsWindow(button));
        EXPECT_EQ(launcher->window, GetParent(button));
        EXPECT_EQ(kButtonIds[i], launcher->buttons[i]->commandId);
        EXPECT_EQ(kButtonIds[i], GetDlgCtrlID(button));
        EXPECT_EQ(button, GetDlgItem(launcher->window, kButtonIds[i]));
        WCHAR className[32];
        GetClassNameW(button, className, 32);
        EXPECT_EQ(0, lstrcmpiW(L"Button", className));
        EXPECT_EQ(static_cast<LONG>(BS_OWNERDRAW),
                  GetWindowLongW(button, GWL_STYLE) & BS_TYPEMASK);
        EXPECT_TRUE(IsWindowVisible(button));
        const RECT area = ClientRectOf(button);
        EXPECT_EQ(kButtonLeft, area.left);
        EXPECT_EQ(kButtonTops[i], area.top);
        EXPECT_EQ(kButtonWidth, area.right - area.left);
        EXPECT_EQ(kButtonHeight, area.bottom - area.top);
    }
    // The column ends at x 612 and y 410, inside the 640 x 480 background.
    const RECT last = ClientRectOf(launcher->buttons[4]->hwnd);
    EXPECT_EQ(613, last.right);
    EXPECT_EQ(411, last.bottom);
}

TEST_F(MainWindowTest, NotInstalledInstallCaptionAndUninstallDisabled)
{
    Start();
    ASSERT_FALSE(launcher->IsGameInstalled());
    ASSERT_EQ(1, config.uppercaseCaptions) << "the shipped configuration upper-cases";
    const int captionIndex[kButtonCount] = { 0, 2, 3, 4, 5 };
    for (int i = 0; i < kButtonCount; ++i) {
        SCOPED_TRACE(i);
        EXPECT_EQ(kTexts.captions[captionIndex[i]], WindowText(launcher->buttons[i]->hwnd));
        EXPECT_STREQ(kTexts.upper[captionIndex[i]], launcher->buttons[i]->caption);
    }
    EXPECT_TRUE(IsWindowEnabled(launcher->buttons[0]->hwnd));
    EXPECT_FALSE(IsWindowEnabled(launcher->buttons[1]->hwnd));
    EXPECT_TRUE(IsWindowEnabled(launcher->buttons[2]->hwnd));
    EXPECT_TRUE(IsWindowEnabled(launcher->buttons[3]->hwnd));
    EXPECT_TRUE(IsWindowEnabled(launcher->buttons[4]->hwnd));
}

TEST_F(MainWindowTest, InstalledPlayCaptionAndUninstallEnabled)
{
    MarkInstalled();
    Start();
    ASSERT_TRUE(launcher->IsGameInstalled());
    const int captionIndex[kButtonCount] = { 1, 2, 3, 4, 5 };
    for (int i = 0; i < kButtonCount; ++i) {
        SCOPED_TRACE(i);
        EXPECT_EQ(kTexts.captions[captionIndex[i]], WindowText(launcher->buttons[i]->hwnd));
        EXPECT_STREQ(kTexts.upper[captionIndex[i]], launcher->buttons[i]->caption);
    }
    for (int i = 0; i < kButtonCount; ++i)
        EXPECT_TRUE(IsWindowEnabled(launcher->buttons[i]->hwnd)) << i;
}

TEST_F(MainWindowTest, RegistryKeyWithoutTheGameIsNotInstalled)
{
    MarkInstalled(false);
    Start();
    EXPECT_EQ(kTexts.captions[0], WindowText(launcher->buttons[0]->hwnd));
    EXPECT_FALSE(IsWindowEnabled(launcher->buttons[1]->hwnd));
}

TEST_F(MainWindowTest, CaptionsStayAfterTheGameIsInstalled)
{
    Start();
    MarkInstalled();
    ASSERT_TRUE(launcher->IsGameInstalled());
    PumpMessages(50);
    EXPECT_EQ(kTexts.captions[0], WindowText(launcher->buttons[0]->hwnd));
    EXPECT_FALSE(IsWindowEnabled(launcher->buttons[1]->hwnd));
}

TEST_F(MainWindowTest, DisabledUninstallDrawnWithBitmap303)
{
    Start();
    int matching = 0, total = 0, telling = 0;
    CompareButton(launcher->buttons[1]->hwnd, IDB_BUTTON_DISABLED, IDB_BUTTON_NORMAL, &matching,
                  &total, &telling);
    EXPECT_EQ(total, matching) << "margin points showing bitmap 303";
    EXPECT_GT(telling, total / 4) << "bitmaps 303 and 300 differ there";

    // The other buttons show the normal image.
    for (int i = 0; i < kButtonCount; ++i) {
        if (i == 1)
            continue;
        SCOPED_TRACE(i);
        CompareButton(launcher->buttons[i]->hwnd, IDB_BUTTON_NORMAL, IDB_BUTTON_DISABLED, &matching,
                      &total, &telling);
        EXPECT_EQ(total, matching);
    }
}

TEST_F(MainWindowTest, EnabledUninstallDrawnWithTheNormalImage)
{
    MarkInstalled();
    Start();
    int matching = 0, total = 0, telling = 0;
    CompareButton(launcher->buttons[1]->hwnd, IDB_BUTTON_NORMAL, IDB_BUTTON_DISABLED, &matching,
                  &total, &telling);
    EXPECT_EQ(total, matching);
    EXPECT_GT(telling, total / 4);
}

TEST_F(MainWindowTest, AcceleratorTableExists)
{
    Start();
    ASSERT_TRUE(launcher->accelTable != NULL);
    const std::vector<ACCEL> entries = AcceleratorEntries(launcher->accelTable);
#ifdef EXPECT_RUSSIAN
    ASSERT_EQ(1u, entries.size());
    EXPECT_EQ(FALT, entries[0].fVirt);
    EXPECT_EQ(L'r', entries[0].key);
    EXPECT_EQ(IDC_README, entries[0].cmd);
#else
    const WCHAR keys[kButtonCount] = { L'i', L'd', L'v', L'l', L's' };
    ASSERT_EQ(static_cast<size_t>(kButtonCount), entries.size());
    for (int i = 0; i < kButtonCount; ++i) {
        SCOPED_TRACE(i);
        EXPECT_EQ(FALT, entries[i].fVirt);
        EXPECT_EQ(keys[i], entries[i].key);
        EXPECT_EQ(kButtonIds[i], entries[i].cmd);
    }
#endif
}

TEST_F(MainWindowTest, AcceleratorTableFollowsThePlayCaption)
{
    MarkInstalled();
    Start();
    const std::vector<ACCEL> entries = AcceleratorEntries(launcher->accelTable);
    ASSERT_FALSE(entries.empty());
#ifdef EXPECT_RUSSIAN
    EXPECT_EQ(1u, entries.size()) << "Запуск has no mnemonic";
    EXPECT_EQ(IDC_README, entries[0].cmd);
#else
    EXPECT_EQ(L'j', entries[0].key) << "&Jogar";
    EXPECT_EQ(IDC_MAIN_ACTION, entries[0].cmd);
#endif
}

// ---------------------------------------------------------------------------
// PlayStartupSound

namespace {

// <the test program's path without its extension>.wav, as the launcher looks for it.
std::wstring SoundPath()
{
    WCHAR path[MAX_PATH];
    GetModuleFileNameW(NULL, path, MAX_PATH);
    std::wstring sound = path;
    const size_t dot = sound.rfind(L'.');
    if (dot != std::wstring::npos && sound.find(L'\\', dot) == std::wstring::npos)
        sound.erase(dot);
    return sound + L".wav";
}

void PutLittleEndian(std::string* bytes, unsigned value, int size)
{
    for (int i = 0; i < size; ++i)
        bytes->push_back(static_cast<char>((value >> (8 * i)) & 0xFF));
}

// A tenth of a second of 8-bit mono silence at 8 kHz.
std::string TinyWave()
{
    const unsigned samples = 800;
    std::string bytes = "RIFF";
    PutLittleEndian(&bytes, 36 + samples, 4);
    bytes += "WAVEfmt ";
    PutLittleEndian(&bytes, 16, 4);    // fmt chunk size
    PutLittleEndian(&bytes, 1, 2);     // PCM
    PutLittleEndian(&bytes, 1, 2);     // channels
    PutLittleEndian(&bytes, 8000, 4);  // samples per second
    PutLittleEndian(&bytes, 8000, 4);  // bytes per second
    PutLittleEndian(&bytes, 1, 2);     // block align
    PutLittleEndian(&bytes, 8, 2);     // bits per sample
    bytes += "data";
    PutLittleEndian(&bytes, samples, 4);
    bytes.append(samples, static_cast<char>(0x80));
    return bytes;
}

// The sound file beside the test program, removed again afterwards.
class ScopedSound
{
public:
    ScopedSound()
        : path(SoundPath())
    {
        const std::string content = TinyWave();
        HANDLE file = CreateFileW(path.c_str(), GENERIC_WRITE, 0, NULL, CREATE_ALWAYS, 0, NULL);
        DWORD written = 0;
        if (file != INVALID_HANDLE_VALUE) {
            WriteFile(file, content.data(), static_cast<DWORD>(content.size()), &written, NULL);
            CloseHandle(file);
        }
    }
    ~ScopedSound()
    {
        // The asynchronous sound may still hold the file for a moment.
        for (int i = 0; i < 50 && FileExists(path); ++i) {
            if (!DeleteFileW(path.c_str()))
                Sleep(20);
        }
    }
    const std::wstring path;

private:
    ScopedSound(const ScopedSound&);
    ScopedSound& operator=(const ScopedSound&);
};

}  // namespace

TEST(StartupSound, LookedForBesideTheProgram)
{
    const std::wstring path = SoundPath();
    ASSERT_GT(path.size(), 4u);
    EXPECT_EQ(L".wav", path.substr(path.size() - 4));
    EXPECT_EQ(ModuleFolder(), path.substr(0, path.rfind(L'\\')));
    // TEST_BINARY_DIR, seen from Windows through Wine's drive Z:.
    const std::wstring folder = ModuleFolder();
    std::string expectedFolder = TEST_BINARY_DIR;
    std::wstring seen(folder);
    for (size_t i = 0; i < seen.size(); ++i)
        if (seen[i] == L'\\')
            seen[i] = L'/';
    EXPECT_EQ(std::wstring(expectedFolder.begin(), expectedFolder.end()), seen.substr(seen.find(L'/')))
        << "the test program runs from its build folder";
}

TEST(StartupSound, NoFileGivesZero)
{
    ASSERT_FALSE(FileExists(SoundPath())) << "left over from an earlier run";
    LauncherConfig config;
    LoadLauncherConfig(&config);
    Launcher shipped(config);
    EXPECT_EQ(0, shipped.PlayStartupSound());
}

TEST(StartupSound, FileBesideTheProgramIsPlayed)
{
    LauncherConfig config;
    LoadLauncherConfig(&config);
    Launcher launcher(config);
    {
        ScopedSound sound;
        ASSERT_TRUE(FileExists(sound.path));
        // Started asynchronously: Wine answers TRUE even without a sound device.
        EXPECT_NE(0, launcher.PlayStartupSound());
    }
    EXPECT_FALSE(FileExists(SoundPath()));
    EXPECT_EQ(0, launcher.PlayStartupSound());
}

TEST_F(MainWindowTest, InitializeWithASoundFileBesideTheProgram)
{
    ScopedSound sound;
    Start();
    EXPECT_TRUE(IsWindowVisible(launcher->window));
}
