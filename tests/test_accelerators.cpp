// Caption mnemonics and the accelerator table: GetMnemonic on its
// own, the table BuildAccelerators makes from the captions of every language
// block, and Alt plus a mnemonic turned into the button's command.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "TestSupport.h"
#include "app/Launcher.h"
#include "res/resource.h"

namespace {

const WCHAR kNoMnemonic = 0xFFFF;

// WM_COMMAND wParams that reached the test's main window.
std::vector<WPARAM> g_commands;

LRESULT CALLBACK MainWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message == WM_COMMAND)
        g_commands.push_back(wParam);
    return DefWindowProcW(window, message, wParam, lParam);
}

// A stand-in for the launcher's main window that records its commands.
HWND CreateMainWindow()
{
    static bool registered = false;
    if (!registered) {
        WNDCLASSW windowClass;
        ZeroMemory(&windowClass, sizeof(windowClass));
        windowClass.lpfnWndProc = MainWindowProc;
        windowClass.hInstance = GetModuleHandleW(NULL);
        windowClass.hCursor = LoadCursorW(NULL, IDC_ARROW);
        windowClass.lpszClassName = L"AcceleratorTestMain";
        RegisterClassW(&windowClass);
        registered = true;
    }
    return CreateWindowExW(0, L"AcceleratorTestMain", L"accelerators",
                           WS_POPUP | WS_VISIBLE | WS_CLIPCHILDREN, 100, 100, 640, 480, NULL, NULL,
                           GetModuleHandleW(NULL), NULL);
}

LauncherConfig ShippedConfig()
{
    LauncherConfig config;
    LoadLauncherConfig(&config);
    return config;
}

std::wstring LoadText(UINT id)
{
    WCHAR text[512];
    const int length = LoadStringW(GetModuleHandleW(NULL), id, text, 512);
    return std::wstring(text, length > 0 ? length : 0);
}

struct Expected
{
    WCHAR key;
    WORD cmd;
};

std::string Describe(const std::vector<ACCEL>& entries)
{
    std::string text;
    char item[64];
    for (size_t i = 0; i < entries.size(); ++i) {
        snprintf(item, sizeof(item), "{fVirt 0x%02X key U+%04X cmd %u} ", entries[i].fVirt,
                 entries[i].key, entries[i].cmd);
        text += item;
    }
    return text;
}

void ExpectTable(HACCEL table, const std::vector<Expected>& expected)
{
    const std::vector<ACCEL> entries = AcceleratorEntries(table);
    ASSERT_EQ(expected.size(), entries.size()) << Describe(entries);
    for (size_t i = 0; i < entries.size(); ++i) {
        SCOPED_TRACE(i);
        EXPECT_EQ(FALT, entries[i].fVirt) << "FALT alone: a character, with Alt held";
        EXPECT_EQ(expected[i].key, entries[i].key);
        EXPECT_EQ(expected[i].cmd, entries[i].cmd);
    }
}

// A Launcher that has only what BuildAccelerators reads: five buttons with
// captions, children of a plain window. No Initialize, no class registration.
class AcceleratorTest : public ::testing::Test
{
protected:
    AcceleratorTest()
        : launcher(NULL), parent(NULL)
    {
    }

    void SetUp() override
    {
        g_commands.clear();
        parent = CreateMainWindow();
        ASSERT_TRUE(parent != NULL);
        launcher = new Launcher(ShippedConfig());
        ASSERT_TRUE(launcher != NULL);
    }

    void TearDown() override
    {
        delete launcher;  // deletes the buttons and destroys the table
        if (parent != NULL)
            DestroyWindow(parent);
        PumpMessages(10);
    }

    // Replaces the five buttons with new ones carrying these captions.
    void SetCaptions(const std::vector<std::wstring>& captions, int uppercase = 0)
    {
        ASSERT_EQ(static_cast<size_t>(kButtonCount), captions.size());
        for (int i = 0; i < kButtonCount; ++i) {
            delete launcher->buttons[i];
            launcher->buttons[i] = new BitmapTextButton(parent, captions[i].c_str(), kButtonIds[i],
                                                        kButtonTops[i], L"Arial", 18, uppercase);
            ASSERT_TRUE(launcher->buttons[i] != NULL);
        }
    }

    Launcher* launcher;
    HWND parent;
};

const std::vector<std::wstring> kEnglish = { L"&Install", L"&Uninstall", L"&Website", L"&Readme",
                                             L"&Exit" };
const std::vector<std::wstring> kRussian = { L"Установка", L"Удаление", L"Веб-сайт", L"&Readme",
                                             L"Выход" };
const std::vector<std::wstring> kNoMarks = { L"Install", L"Uninstall&", L"Website", L"Readme",
                                             L"Exit&" };

}  // namespace

// ---------------------------------------------------------------------------
// GetMnemonic

struct MnemonicCase
{
    const WCHAR* caption;
    WCHAR expected;
    const char* why;
};

TEST(GetMnemonic, Table)
{
    const std::wstring longTail = L"&" + std::wstring(700, L'Z');
    const std::wstring longHead = std::wstring(700, L'a') + L"&Q";
    const MnemonicCase cases[] = {
        { L"&Install", L'i', "mark at the start" },
        { L"B&eenden", L'e', "mark inside a word" },
        { L"Strona &www", L'w', "mark after a space" },
        { L"&PLAY", L'p', "upper-cased caption gives the lower-case key" },
        { L"&Play", L'p', "resource text of the same caption" },
        { L"abc", kNoMnemonic, "no mark" },
        { L"", kNoMnemonic, "empty caption" },
        { L"abc&", kNoMnemonic, "mark as the last character" },
        { L"&", kNoMnemonic, "mark alone" },
        { L"&&x", L'&', "a doubled mark is no escape: & itself is the key" },
        { L"a&b&c", L'b', "only the first mark counts" },
        { L"x&Yz&Q", L'y', "only the first mark counts, lower-cased" },
        { L"& x", L' ', "whatever follows the mark is the key" },
        { L"&1st", L'1', "a digit" },
        { L"W&yjście", L'y', "Polish exit" },
        { L"Wyj&ście", L'ś', "non-ASCII letter" },
        { L"&ŚCIEŻKA", L'ś', "non-ASCII capital lower-cased" },
        { L"&Écran", L'é', "Latin-1 capital lower-cased" },
        { L"&Выход", L'в', "Cyrillic capital lower-cased" },
        { L"Вы&ХОД", L'х', "Cyrillic capital inside lower-cased" },
        { L"&Ωmega", L'ω', "Greek capital lower-cased" },
        { longTail.c_str(), L'z', "a caption longer than the 512-character buffer" },
        { longHead.c_str(), L'q', "a mark past the 512th character" },
    };
    Launcher launcher(ShippedConfig());
    for (size_t i = 0; i < sizeof(cases) / sizeof(cases[0]); ++i) {
        SCOPED_TRACE(cases[i].why);
        EXPECT_EQ(static_cast<unsigned>(cases[i].expected),
                  static_cast<unsigned>(launcher.GetMnemonic(cases[i].caption)));
    }
}

TEST(GetMnemonic, LeavesTheCaptionAlone)
{
    Launcher launcher(ShippedConfig());
    WCHAR caption[] = L"&PLAY";
    EXPECT_EQ(L'p', launcher.GetMnemonic(caption));
    EXPECT_STREQ(L"&PLAY", caption);
}

// ---------------------------------------------------------------------------
// The twelve language blocks

struct BlockCase
{
    UINT block;
    const char* name;
    // Install, Play, Uninstall, Website, Readme, Exit; 0 for no mnemonic.
    WCHAR keys[6];
};

const BlockCase kBlocks[] = {
    { IDS_BLOCK_PORTUGUESE, "Portuguese", { L'i', L'j', L'd', L'v', L'l', L's' } },
    { IDS_BLOCK_FRENCH, "French", { L'i', L'j', L'd', L's', L'r', L'q' } },
    { IDS_BLOCK_GERMAN, "German", { L'i', L's', L'd', L'w', L'r', L'e' } },
    { IDS_BLOCK_ITALIAN, "Italian", { L'i', L'g', L'd', L's', L'r', L'e' } },
    { IDS_BLOCK_SPANISH, "Spanish", { L'i', L'j', L'd', L'p', L'r', L's' } },
    { IDS_BLOCK_ENGLISH_CHS, "English (CHS)", { L'i', L'p', L'u', L'w', L'r', L'e' } },
    { IDS_BLOCK_ENGLISH_CHT, "English (CHT)", { L'i', L'p', L'u', L'w', L'r', L'e' } },
    { IDS_BLOCK_ENGLISH_KOR, "English (KOR)", { L'i', L'p', L'u', L'w', L'r', L'e' } },
    { IDS_BLOCK_ENGLISH_JPN, "English (JPN)", { L'i', L'p', L'u', L'w', L'r', L'e' } },
    { IDS_BLOCK_RUSSIAN, "Russian", { 0, 0, 0, 0, L'r', 0 } },
    { IDS_BLOCK_POLISH, "Polish", { L'i', L'g', L'o', L'w', L'r', L'y' } },
    { IDS_BLOCK_CZECH, "Czech", { L'i', L'h', L'o', L'w', L'r', L'k' } },
};

struct BlockRun
{
    const BlockCase* block;
    bool play;  // the main button carries Play rather than Install
    int uppercase;
};

void PrintTo(const BlockRun& run, std::ostream* out)
{
    *out << run.block->name << (run.play ? " Play" : " Install")
         << (run.uppercase ? " upper-cased" : "");
}

std::vector<BlockRun> AllBlockRuns()
{
    std::vector<BlockRun> runs;
    for (size_t i = 0; i < sizeof(kBlocks) / sizeof(kBlocks[0]); ++i) {
        for (int play = 0; play < 2; ++play) {
            for (int uppercase = 0; uppercase < 2; ++uppercase) {
                BlockRun run = { &kBlocks[i], play != 0, uppercase };
                runs.push_back(run);
            }
        }
    }
    return runs;
}

class BlockAccelerators : public AcceleratorTest, public ::testing::WithParamInterface<BlockRun>
{
};

TEST_P(BlockAccelerators, EntriesInButtonOrder)
{
    const BlockRun& run = GetParam();
    const UINT base = run.block->block;
    // Offsets of the captions in the order of `buttons`.
    const UINT offsets[kButtonCount] = { run.play ? static_cast<UINT>(IDS_PLAY)
                                                  : static_cast<UINT>(IDS_INSTALL),
                                         IDS_UNINSTALL, IDS_WEBSITE, IDS_README, IDS_EXIT };
    const WCHAR keys[kButtonCount] = { run.block->keys[run.play ? 1 : 0], run.block->keys[2],
                                       run.block->keys[3], run.block->keys[4],
                                       run.block->keys[5] };

    std::vector<std::wstring> captions;
    for (int i = 0; i < kButtonCount; ++i) {
        captions.push_back(LoadText(base + offsets[i]));
        ASSERT_FALSE(captions.back().empty()) << "string " << base + offsets[i];
    }
    SetCaptions(captions, run.uppercase);

    std::vector<Expected> expected;
    for (int i = 0; i < kButtonCount; ++i) {
        if (keys[i] != 0) {
            Expected entry = { keys[i], kButtonIds[i] };
            expected.push_back(entry);
        }
    }

    EXPECT_EQ(1, launcher->BuildAccelerators());
    ASSERT_TRUE(launcher->accelTable != NULL);
    ExpectTable(launcher->accelTable, expected);
}

INSTANTIATE_TEST_SUITE_P(AllLanguages, BlockAccelerators, ::testing::ValuesIn(AllBlockRuns()));

TEST_F(AcceleratorTest, EnglishCaptionsGiveFiveEntries)
{
    SetCaptions(kEnglish);
    EXPECT_EQ(1, launcher->BuildAccelerators());
    ExpectTable(launcher->accelTable, { { L'i', 400 }, { L'u', 402 }, { L'w', 401 }, { L'r', 403 },
                                        { L'e', 404 } });
}

TEST_F(AcceleratorTest, RussianCaptionsGiveOnlyReadme)
{
    SetCaptions(kRussian);
    EXPECT_EQ(1, launcher->BuildAccelerators());
    ExpectTable(launcher->accelTable, { { L'r', 403 } });
}

TEST_F(AcceleratorTest, SameMnemonicTwiceGivesTwoEntriesInButtonOrder)
{
    SetCaptions({ L"&Aa", L"&ab", L"no mark", L"&AC", L"x&a" });
    EXPECT_EQ(1, launcher->BuildAccelerators());
    ExpectTable(launcher->accelTable, { { L'a', 400 }, { L'a', 402 }, { L'a', 403 }, { L'a', 404 } });
}

TEST_F(AcceleratorTest, DoubledMarkGivesAmpersandKey)
{
    SetCaptions({ L"&&Play", L"Uninstall", L"Website", L"Readme", L"Exit" });
    EXPECT_EQ(1, launcher->BuildAccelerators());
    ExpectTable(launcher->accelTable, { { L'&', 400 } });
}

TEST_F(AcceleratorTest, SecondBuildLeavesOnlyTheSecondTable)
{
    SetCaptions(kEnglish);
    ASSERT_EQ(1, launcher->BuildAccelerators());
    const HACCEL first = launcher->accelTable;
    ASSERT_TRUE(first != NULL);
    ASSERT_EQ(5, CopyAcceleratorTableW(first, NULL, 0));

    SetCaptions(kRussian);
    EXPECT_EQ(1, launcher->BuildAccelerators());
    const HACCEL second = launcher->accelTable;
    ASSERT_TRUE(second != NULL);
    EXPECT_NE(first, second);
    ExpectTable(second, { { L'r', 403 } });

    // The first table is gone: it can be neither read nor destroyed again.
    EXPECT_EQ(0, CopyAcceleratorTableW(first, NULL, 0));
    EXPECT_FALSE(DestroyAcceleratorTable(first));
    // The second one is still the launcher's.
    EXPECT_EQ(1, CopyAcceleratorTableW(second, NULL, 0));
}

TEST_F(AcceleratorTest, SameCaptionsTwiceStillOneTable)
{
    SetCaptions(kEnglish);
    ASSERT_EQ(1, launcher->BuildAccelerators());
    const HACCEL first = launcher->accelTable;
    ASSERT_EQ(1, launcher->BuildAccelerators());
    EXPECT_NE(first, launcher->accelTable);
    EXPECT_EQ(0, CopyAcceleratorTableW(first, NULL, 0));
    EXPECT_EQ(5, CopyAcceleratorTableW(launcher->accelTable, NULL, 0));
}

TEST_F(AcceleratorTest, NoMnemonicGivesNoTable)
{
    SetCaptions(kNoMarks);
    EXPECT_EQ(0, launcher->BuildAccelerators());
    EXPECT_TRUE(launcher->accelTable == NULL);
}

TEST_F(AcceleratorTest, NoMnemonicDestroysThePreviousTable)
{
    SetCaptions(kEnglish);
    ASSERT_EQ(1, launcher->BuildAccelerators());
    const HACCEL previous = launcher->accelTable;
    ASSERT_TRUE(previous != NULL);

    SetCaptions(kNoMarks);
    EXPECT_EQ(0, launcher->BuildAccelerators());
    EXPECT_TRUE(launcher->accelTable == NULL);
    EXPECT_EQ(0, CopyAcceleratorTableW(previous, NULL, 0));
}

TEST_F(AcceleratorTest, DestructorDestroysTheTable)
{
    SetCaptions(kEnglish);
    ASSERT_EQ(1, launcher->BuildAccelerators());
    const HACCEL table = launcher->accelTable;
    delete launcher;
    launcher = NULL;
    EXPECT_EQ(0, CopyAcceleratorTableW(table, NULL, 0));
}

// ---------------------------------------------------------------------------
// Alt plus a mnemonic becomes the button's command

namespace {

// Holds Alt down in this thread's key state, as the keyboard would.
class AltHeld
{
public:
    AltHeld()
    {
        GetKeyboardState(saved);
        BYTE state[256];
        memcpy(state, saved, sizeof(state));
        state[VK_MENU] |= 0x80;
        state[VK_LMENU] |= 0x80;
        SetKeyboardState(state);
    }
    ~AltHeld() { SetKeyboardState(saved); }

private:
    BYTE saved[256];
};

MSG CharMessage(HWND target, UINT message, WCHAR character, bool alt)
{
    MSG msg;
    ZeroMemory(&msg, sizeof(msg));
    msg.hwnd = target;
    msg.message = message;
    msg.wParam = character;
    msg.lParam = 0x00000001 | (alt ? 0x20000000 : 0);  // repeat count 1, context code = Alt
    return msg;
}

// What Run does with one message.
void RunLoopStep(HWND main, HACCEL table, MSG* msg)
{
    if (!TranslateAcceleratorW(main, table, msg)) {
        TranslateMessage(msg);
        DispatchMessageW(msg);
    }
}

}  // namespace

TEST_F(AcceleratorTest, AltMnemonicSendsCommandWhileButtonHasFocus)
{
    SetCaptions(kEnglish);
    ASSERT_EQ(1, launcher->BuildAccelerators());
    SetForegroundWindow(parent);
    const HWND uninstall = launcher->buttons[1]->hwnd;
    SetFocus(uninstall);
    PumpMessages(20);
    ASSERT_EQ(uninstall, GetFocus());
    g_commands.clear();

    {
        AltHeld alt;
        MSG msg = CharMessage(uninstall, WM_SYSCHAR, L'u', true);
        EXPECT_NE(0, TranslateAcceleratorW(parent, launcher->accelTable, &msg));
    }
    ASSERT_EQ(1u, g_commands.size());
    EXPECT_EQ(IDC_UNINSTALL, LOWORD(g_commands[0]));
    EXPECT_EQ(1, HIWORD(g_commands[0])) << "accelerator notification code";

    // Another mnemonic of the table, the Exit button's.
    g_commands.clear();
    {
        AltHeld alt;
        MSG msg = CharMessage(uninstall, WM_SYSCHAR, L'e', true);
        EXPECT_NE(0, TranslateAcceleratorW(parent, launcher->accelTable, &msg));
    }
    ASSERT_EQ(1u, g_commands.size());
    EXPECT_EQ(IDC_EXIT, LOWORD(g_commands[0]));
}

TEST_F(AcceleratorTest, NoTranslationWithoutAltOrForOtherKeys)
{
    SetCaptions(kEnglish);
    ASSERT_EQ(1, launcher->BuildAccelerators());
    const HWND uninstall = launcher->buttons[1]->hwnd;
    g_commands.clear();

    // The letter alone, typed without Alt.
    MSG plain = CharMessage(uninstall, WM_CHAR, L'u', false);
    EXPECT_EQ(0, TranslateAcceleratorW(parent, launcher->accelTable, &plain));
    {
        // Alt with a letter that no caption marks.
        AltHeld alt;
        MSG other = CharMessage(uninstall, WM_SYSCHAR, L'z', true);
        EXPECT_EQ(0, TranslateAcceleratorW(parent, launcher->accelTable, &other));
    }
    EXPECT_TRUE(g_commands.empty());

    // Without a table nothing is translated.
    AltHeld alt;
    MSG msg = CharMessage(uninstall, WM_SYSCHAR, L'u', true);
    EXPECT_EQ(0, TranslateAcceleratorW(parent, NULL, &msg));
    EXPECT_TRUE(g_commands.empty());
}

TEST_F(AcceleratorTest, RealAltKeyThroughTheRunLoop)
{
    SetCaptions(kEnglish);
    ASSERT_EQ(1, launcher->BuildAccelerators());
    SetForegroundWindow(parent);
    const HWND readme = launcher->buttons[3]->hwnd;
    SetFocus(readme);
    PumpMessages(20);
    ASSERT_EQ(readme, GetFocus());
    g_commands.clear();

    SendAltKey('U');
    bool translated = false;
    const DWORD start = GetTickCount();
    while (GetTickCount() - start < 500 && g_commands.empty()) {
        MSG msg;
        while (PeekMessageW(&msg, NULL, 0, 0, PM_REMOVE)) {
            if (msg.message == WM_SYSCHAR && msg.wParam == L'u')
                translated = msg.hwnd == readme;
            RunLoopStep(parent, launcher->accelTable, &msg);
        }
        Sleep(5);
    }
    PumpMessages(50);
    EXPECT_TRUE(translated) << "WM_SYSCHAR 'u' arrives for the focused button";
    ASSERT_EQ(1u, g_commands.size());
    EXPECT_EQ(IDC_UNINSTALL, LOWORD(g_commands[0]));
    EXPECT_EQ(1, HIWORD(g_commands[0]));
}
