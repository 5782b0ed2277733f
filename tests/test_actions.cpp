// The five actions behind the buttons (Install, Play, OpenWebsite, OpenReadme,
// Uninstall) on a Launcher built from the configuration without Initialize:
// real buttons on a test window, a test install key below HKLM, test uninstall
// entries, and the recorder helper standing in for setup, the game, the
// uninstaller, the browser and the document viewer.
//
// The same source makes four programs: the default one (English system, code
// ENU), ACTIONS_GERMAN (German system), ACTIONS_PORTUGUESE (Portuguese, a
// language without a code) and ACTIONS_DOTTED_README (a string table whose
// readme is called "read.me.rtf"). The last three hold only readme tests.
#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "TestSupport.h"
#include "app/Launcher.h"
#include "config/Language.h"
#include "config/LauncherConfig.h"

namespace {

const WCHAR kUninstallParent[] = L"SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Uninstall\\";

#if !defined(ACTIONS_GERMAN) && !defined(ACTIONS_PORTUGUESE) && !defined(ACTIONS_DOTTED_README)
#define ACTIONS_DEFAULT 1
#endif

// How long a start that should not happen is given to show up.
const DWORD kNothingStarts = 1000;

class Actions : public ::testing::Test
{
protected:
    Actions() : work(L"cwd"), install(L"ins"), programs(L"prg") {}

    void SetUp() override
    {
        WCHAR current[MAX_PATH];
        GetCurrentDirectoryW(MAX_PATH, current);
        previousDirectory = current;
        ASSERT_TRUE(SetCurrentDirectoryW(work.path().c_str()));

        WCHAR unique[64];
        wsprintfW(unique, L"%08lX", GetCurrentProcessId() ^ (GetTickCount() << 12));
        installKey = std::wstring(L"Software\\LauncherTests-Actions-") + unique;
        productCode = std::wstring(L"{4C54A5E0-7E57-4AC7-9D00-0000") + unique + L"}";

        LauncherConfig config;
        LoadLauncherConfig(&config);
        lstrcpyW(config.registryKey, installKey.c_str());
        lstrcpyW(config.installPathValue, L"InstallPath");
        lstrcpyW(config.productCode, productCode.c_str());
        if (config.gameExe[0] == L'\0')
            lstrcpyW(config.gameExe, L"binaries\\dmgame.exe");
        config.waitForSetup = 0;
        launcher.reset(new Launcher(config));
        ASSERT_TRUE(launcher.get() != NULL);

        window.reset(new TestWindow(640, 480));
        const WORD ids[kButtonCount] = { 400, 402, 401, 403, 404 };
        for (int i = 0; i < kButtonCount; ++i) {
            launcher->buttons[i] = new BitmapTextButton(window->hwnd(), L"&Button", ids[i], 100 + 50 * i,
                                                        NULL, 0, 0);
            ASSERT_TRUE(launcher->buttons[i] != NULL);
            ASSERT_TRUE(IsWindow(launcher->buttons[i]->hwnd));
            ASSERT_TRUE(IsWindowEnabled(launcher->buttons[i]->hwnd));
        }
    }

    void TearDown() override
    {
        launcher.reset();  // deletes the buttons
        window.reset();
        installEntry.reset();
        userEntry.reset();
        machineEntry.reset();
        RecordLog::ClearVariables();
        SetEnvironmentVariableW(L"LAUNCHER_TEST_UNINSTALL_DIR", NULL);
        SetCurrentDirectoryW(previousDirectory.c_str());
        RemoveTreeWhenFree(work.path());
        RemoveTreeWhenFree(install.path());
        RemoveTreeWhenFree(programs.path());
    }

    BitmapTextButton* Button(WORD id)
    {
        for (int i = 0; i < kButtonCount; ++i) {
            if (launcher->buttons[i]->commandId == id)
                return launcher->buttons[i];
        }
        return NULL;
    }
    void Disable(WORD id) { EnableWindow(Button(id)->hwnd, FALSE); }
    // Every button but `id` disabled: the action looks at its own button only.
    void DisableAllBut(WORD id)
    {
        for (int i = 0; i < kButtonCount; ++i)
            EnableWindow(launcher->buttons[i]->hwnd, launcher->buttons[i]->commandId == id);
    }

    // The install folder of the test key below HKEY_LOCAL_MACHINE.
    void RegisterInstallFolder(const std::wstring& folder)
    {
        installEntry.reset(new ScopedKey(HKEY_LOCAL_MACHINE, installKey));
        installEntry->SetString(L"InstallPath", folder);
    }

    std::wstring UninstallKey() const { return kUninstallParent + productCode; }
    ScopedKey& UserEntry()
    {
        if (!userEntry)
            userEntry.reset(new ScopedKey(HKEY_CURRENT_USER, UninstallKey()));
        return *userEntry;
    }
    ScopedKey& MachineEntry()
    {
        if (!machineEntry)
            machineEntry.reset(new ScopedKey(HKEY_LOCAL_MACHINE, UninstallKey()));
        return *machineEntry;
    }

    RecordLog log;
    ScopedFolder work;      // the current directory during the test
    ScopedFolder install;   // the game's install folder, when registered
    ScopedFolder programs;  // other places programs lie
    std::wstring previousDirectory;
    std::wstring installKey;
    std::wstring productCode;
    std::unique_ptr<TestWindow> window;
    std::unique_ptr<Launcher> launcher;
    std::unique_ptr<ScopedKey> installEntry;
    std::unique_ptr<ScopedKey> userEntry;
    std::unique_ptr<ScopedKey> machineEntry;
};

// The readme and website tests also need the shell's associations.
class ActionsWithHandlers : public Actions
{
protected:
    void SetUp() override
    {
        associations.reset(new RecorderAssociations);
        Actions::SetUp();
        // Nothing beside the test program may answer for the readme.
        ASSERT_FALSE(FileExists(ModuleFolder() + L"\\readme.rtf"));
        ASSERT_FALSE(FileExists(ModuleFolder() + L"\\read.me.rtf"));
    }
    void TearDown() override
    {
        Actions::TearDown();
        associations.reset();
    }

    // Expects exactly one document handed to the handler: `document`.
    void ExpectOpened(const std::wstring& document)
    {
        const std::vector<RecordedStart> starts = log.WaitForStarts();
        ASSERT_EQ(1u, starts.size());
        EXPECT_TRUE(SamePath(associations->handler(), starts[0].program)) << starts[0].program;
        EXPECT_TRUE(SamePath(document, Unquoted(starts[0].arguments))) << starts[0].arguments;
    }

    std::unique_ptr<RecorderAssociations> associations;
};

// ---------------------------------------------------------------- Install

#ifdef ACTIONS_DEFAULT

TEST_F(Actions, InstallStartsSetupFromTheCurrentDirectoryWithItsArguments)
{
    ASSERT_STREQ(L"setup.exe", launcher->config.setupExe);
    const std::wstring setup = CopyRecorder(work, L"setup.exe");
    lstrcpyW(launcher->config.setupArgs, L"/lang:en -silent \"C:\\Some Place\"");
    EXPECT_EQ(1, launcher->Install());
    const std::vector<RecordedStart> starts = log.WaitForStarts();
    ASSERT_EQ(1u, starts.size());
    EXPECT_TRUE(SamePath(setup, starts[0].program)) << starts[0].program;
    EXPECT_EQ(L"/lang:en -silent \"C:\\Some Place\"", starts[0].arguments);
    EXPECT_EQ(0, launcher->setupSucceeded);
}

TEST_F(Actions, InstallFindsSetupInTheInstallFolder)
{
    lstrcpyW(launcher->config.setupExe, L"LauncherTestSetup.exe");
    const std::wstring setup = CopyRecorder(install, L"LauncherTestSetup.exe");
    RegisterInstallFolder(install.path());
    EXPECT_EQ(1, launcher->Install());
    const std::vector<RecordedStart> starts = log.WaitForStarts();
    ASSERT_EQ(1u, starts.size());
    EXPECT_TRUE(SamePath(setup, starts[0].program)) << starts[0].program;
}

TEST_F(Actions, InstallWithoutSetupAnywhereStartsNothing)
{
    lstrcpyW(launcher->config.setupExe, L"LauncherTestNoSetup.exe");
    // A setup of another name lies in every place looked at.
    CopyRecorder(work, L"setup.exe");
    CopyRecorder(install, L"setup.exe");
    RegisterInstallFolder(install.path());
    EXPECT_EQ(0, launcher->Install());
    launcher->config.waitForSetup = 1;
    EXPECT_EQ(0, launcher->Install());
    EXPECT_EQ(0, launcher->setupSucceeded);
    EXPECT_TRUE(log.StaysEmpty(kNothingStarts));
}

TEST_F(Actions, InstallWaitingForSetupCountsOnlyExitCodeZero)
{
    launcher->config.waitForSetup = 1;
    lstrcpyW(launcher->config.setupExe, L"disc\\setup.exe");
    lstrcpyW(launcher->config.setupArgs, L"/wait");
    const std::wstring setup = CopyRecorder(work, L"disc\\setup.exe");
    // The game's files are there, yet only a waited-for setup can tell.
    RegisterInstallFolder(install.path());
    CopyRecorder(install, launcher->config.gameExe);
    EXPECT_EQ(0, launcher->IsGameInstalled());

    RecordLog::SetExitCode(1);
    RecordLog::SetSleep(500);
    DWORD start = GetTickCount();
    EXPECT_EQ(1, launcher->Install());
    EXPECT_GE(GetTickCount() - start, 450u) << "setup was not waited for";
    std::vector<RecordedStart> starts = log.Starts();
    ASSERT_EQ(1u, starts.size());
    EXPECT_TRUE(SamePath(setup, starts[0].program)) << starts[0].program;
    EXPECT_EQ(L"/wait", starts[0].arguments);
    EXPECT_TRUE(SamePath(work.Join(L"disc"), starts[0].folder)) << "runs in its own folder";
    EXPECT_EQ(0, launcher->setupSucceeded);
    EXPECT_EQ(0, launcher->IsGameInstalled());

    RecordLog::SetExitCode(0);
    start = GetTickCount();
    EXPECT_EQ(1, launcher->Install());
    EXPECT_GE(GetTickCount() - start, 450u);
    EXPECT_EQ(2u, log.Starts().size());
    EXPECT_EQ(1, launcher->setupSucceeded);
    EXPECT_EQ(1, launcher->IsGameInstalled());

    // Nothing clears it again.
    RecordLog::SetExitCode(2);
    RecordLog::SetSleep(0);
    EXPECT_EQ(1, launcher->Install());
    EXPECT_EQ(3u, log.Starts().size());
    EXPECT_EQ(1, launcher->setupSucceeded);
}

TEST_F(Actions, InstallWithoutWaitingReturnsOnceTheShellAccepted)
{
    CopyRecorder(work, L"setup.exe");
    RecordLog::SetSleep(3000);
    const DWORD start = GetTickCount();
    EXPECT_EQ(1, launcher->Install());
    EXPECT_LT(GetTickCount() - start, 2500u) << "setup was waited for";
    EXPECT_EQ(1u, log.WaitForStarts().size());
    EXPECT_EQ(0, launcher->setupSucceeded);
    EXPECT_EQ(0, launcher->IsGameInstalled());
}

// ---------------------------------------------------------------- Play

TEST_F(Actions, PlayWithoutAnInstallFolderStartsNothing)
{
    // A game where the install folder would otherwise lead is not enough.
    CopyRecorder(work, launcher->config.gameExe);
    EXPECT_EQ(0, launcher->Play());
    EXPECT_TRUE(log.StaysEmpty(kNothingStarts));
}

TEST_F(Actions, PlayStartsTheGameWithItsArguments)
{
    RegisterInstallFolder(install.path());
    const std::wstring game = CopyRecorder(install, launcher->config.gameExe);
    lstrcpyW(launcher->config.gameArgs, L"-nointro +map \"dusk mere\"");
    EXPECT_EQ(1, launcher->Play());
    const std::vector<RecordedStart> starts = log.WaitForStarts();
    ASSERT_EQ(1u, starts.size());
    EXPECT_TRUE(SamePath(game, starts[0].program)) << starts[0].program;
    EXPECT_EQ(L"-nointro +map \"dusk mere\"", starts[0].arguments);
    EXPECT_TRUE(SamePath(work.path(), starts[0].folder)) << "inherits the launcher's current directory";
}

TEST_F(Actions, PlayWithTheGameMissingFails)
{
    RegisterInstallFolder(install.path());
    CopyRecorder(install, L"binaries\\other.exe");
    // Not looked for anywhere else either.
    CopyRecorder(work, launcher->config.gameExe);
    EXPECT_EQ(0, launcher->Play());
    EXPECT_TRUE(log.StaysEmpty(kNothingStarts));
}

// ---------------------------------------------------------------- OpenWebsite

TEST_F(ActionsWithHandlers, OpenWebsiteWithTheButtonDisabledOpensNothing)
{
    Disable(401);
    EXPECT_EQ(0, launcher->OpenWebsite());
    EXPECT_TRUE(log.StaysEmpty(kNothingStarts));
}

TEST_F(ActionsWithHandlers, OpenWebsiteOpensTheConfiguredAddress)
{
    ASSERT_EQ(0, wcsncmp(L"https://", launcher->config.websiteUrl, 8));
    DisableAllBut(401);
    EXPECT_EQ(1, launcher->OpenWebsite());
    const std::vector<RecordedStart> starts = log.WaitForStarts();
    ASSERT_EQ(1u, starts.size());
    EXPECT_TRUE(SamePath(associations->handler(), starts[0].program)) << starts[0].program;
    EXPECT_EQ(std::wstring(launcher->config.websiteUrl), Unquoted(starts[0].arguments));
}

// ---------------------------------------------------------------- OpenReadme

TEST_F(ActionsWithHandlers, OpenReadmeWithTheButtonDisabledOpensNothing)
{
    work.AddFile(L"readme.rtf");
    Disable(403);
    EXPECT_EQ(0, launcher->OpenReadme());
    EXPECT_TRUE(log.StaysEmpty(kNothingStarts));
}

TEST_F(ActionsWithHandlers, OpenReadmeOpensThePlainReadme)
{
    ASSERT_STREQ(L"readme.rtf", LoadLocalizedString(9));
    const std::wstring readme = work.AddFile(L"readme.rtf");
    DisableAllBut(403);
    EXPECT_EQ(1, launcher->OpenReadme());
    ExpectOpened(readme);
}

TEST_F(ActionsWithHandlers, OpenReadmePrefersThePlainReadmeWhereverItLies)
{
    ASSERT_STREQ(L"ENU", GetLanguageCode());
    RegisterInstallFolder(install.path());
    const std::wstring plain = install.AddFile(L"readme.rtf");
    work.AddFile(L"docs\\ENU\\readme_ENU.rtf");
    EXPECT_EQ(1, launcher->OpenReadme());
    ExpectOpened(plain);
}

TEST_F(ActionsWithHandlers, OpenReadmeFallsBackToTheCopyForTheSystemLanguage)
{
    ASSERT_EQ(0x0409, GetSystemDefaultLangID()) << "run with LC_ALL=en_US.UTF-8";
    const std::wstring localized = work.AddFile(L"docs\\ENU\\readme_ENU.rtf");
    work.AddFile(L"docs\\DEU\\readme_DEU.rtf");
    EXPECT_EQ(1, launcher->OpenReadme());
    ExpectOpened(localized);
}

TEST_F(ActionsWithHandlers, OpenReadmeFindsTheLocalizedCopyInTheInstallFolder)
{
    RegisterInstallFolder(install.path());
    const std::wstring localized = install.AddFile(L"docs\\ENU\\readme_ENU.rtf");
    EXPECT_EQ(1, launcher->OpenReadme());
    ExpectOpened(localized);
}

TEST_F(ActionsWithHandlers, OpenReadmeWithNoReadmeAnywhereOpensNothing)
{
    RegisterInstallFolder(install.path());
    // Copies for other languages, and a readme where none is looked for.
    work.AddFile(L"docs\\DEU\\readme_DEU.rtf");
    work.AddFile(L"docs\\readme.rtf");
    install.AddFile(L"docs\\ENG\\readme_ENG.rtf");
    EXPECT_EQ(0, launcher->OpenReadme());
    EXPECT_TRUE(log.StaysEmpty(kNothingStarts));
}

// ---------------------------------------------------------------- Uninstall

TEST_F(Actions, UninstallWithTheButtonDisabledStartsNothing)
{
    const std::wstring program = CopyRecorder(programs, L"unins000.exe");
    UserEntry().SetString(L"UninstallString", L"\"" + program + L"\" /S");
    MachineEntry().SetString(L"UninstallString", L"\"" + program + L"\" /S");
    Disable(402);
    EXPECT_EQ(0, launcher->Uninstall());
    EXPECT_TRUE(log.StaysEmpty(kNothingStarts));
}

TEST_F(Actions, UninstallPrefersTheCurrentUsersEntry)
{
    const std::wstring user = CopyRecorder(programs, L"unins_user.exe");
    const std::wstring machine = CopyRecorder(programs, L"unins_machine.exe");
    UserEntry().SetString(L"UninstallString", L"\"" + user + L"\" /user");
    MachineEntry().SetString(L"UninstallString", L"\"" + machine + L"\" /machine");
    DisableAllBut(402);
    EXPECT_EQ(1, launcher->Uninstall());
    const std::vector<RecordedStart> starts = log.WaitForStarts();
    ASSERT_EQ(1u, starts.size());
    EXPECT_TRUE(SamePath(user, starts[0].program)) << starts[0].program;
    EXPECT_EQ(L"/user", starts[0].arguments);
    Sleep(300);
    EXPECT_EQ(1u, log.Starts().size());
}

TEST_F(Actions, UninstallFallsBackToTheMachineEntry)
{
    const std::wstring machine = CopyRecorder(programs, L"unins_machine.exe");
    MachineEntry().SetString(L"UninstallString", L"\"" + machine + L"\" /machine");
    EXPECT_EQ(1, launcher->Uninstall());
    const std::vector<RecordedStart> starts = log.WaitForStarts();
    ASSERT_EQ(1u, starts.size());
    EXPECT_TRUE(SamePath(machine, starts[0].program)) << starts[0].program;
    EXPECT_EQ(L"/machine", starts[0].arguments);
}

TEST_F(Actions, UninstallReadsOnlyTheKeyThatOpened)
{
    const std::wstring machine = CopyRecorder(programs, L"unins_machine.exe");
    UserEntry().SetString(L"DisplayName", L"Duskmere");
    MachineEntry().SetString(L"UninstallString", L"\"" + machine + L"\" /machine");
    EXPECT_EQ(0, launcher->Uninstall());
    EXPECT_TRUE(log.StaysEmpty(kNothingStarts));
}

TEST_F(Actions, UninstallWithoutAnyEntryFails)
{
    EXPECT_EQ(0, launcher->Uninstall());
}

TEST_F(Actions, UninstallStartsTheQuotedProgramWithItsSwitches)
{
    const std::wstring program = CopyRecorder(programs, L"Game Uninstall\\unins000.exe");
    MachineEntry().SetString(L"UninstallString", L"\"" + program + L"\" /S /x");
    EXPECT_EQ(1, launcher->Uninstall());
    const std::vector<RecordedStart> starts = log.WaitForStarts();
    ASSERT_EQ(1u, starts.size());
    EXPECT_TRUE(SamePath(program, starts[0].program)) << starts[0].program;
    EXPECT_EQ(L"/S /x", starts[0].arguments);
}

TEST_F(Actions, UninstallCommandWithoutArgumentsPassesNone)
{
    // Quoted, with a space inside the quotes only.
    const std::wstring quoted = CopyRecorder(programs, L"Game Uninstall\\unins000.exe");
    MachineEntry().SetString(L"UninstallString", L"\"" + quoted + L"\"");
    EXPECT_EQ(1, launcher->Uninstall());
    std::vector<RecordedStart> starts = log.WaitForStarts(1);
    ASSERT_EQ(1u, starts.size());
    EXPECT_TRUE(SamePath(quoted, starts[0].program)) << starts[0].program;
    EXPECT_EQ(L"", starts[0].arguments);

    // Unquoted, a path without spaces.
    const std::wstring plain = CopyRecorder(programs, L"unins001.exe");
    ASSERT_EQ(std::wstring::npos, plain.find(L' '));
    MachineEntry().SetString(L"UninstallString", plain);
    EXPECT_EQ(1, launcher->Uninstall());
    starts = log.WaitForStarts(2);
    ASSERT_EQ(2u, starts.size());
    EXPECT_TRUE(SamePath(plain, starts[1].program)) << starts[1].program;
    EXPECT_EQ(L"", starts[1].arguments);
}

TEST_F(Actions, UninstallExpandsAnExpandableCommand)
{
    // Wine's shell expands references in the program part itself, but not in
    // the parameters: a reference there shows who expanded it.
    const std::wstring program = CopyRecorder(programs, L"unins000.exe");
    SetEnvironmentVariableW(L"LAUNCHER_TEST_UNINSTALL_DIR", programs.path().c_str());
    MachineEntry().SetString(L"UninstallString",
                             L"\"%LAUNCHER_TEST_UNINSTALL_DIR%\\unins000.exe\" "
                             L"/log=%LAUNCHER_TEST_UNINSTALL_DIR%\\u.log",
                             REG_EXPAND_SZ);
    EXPECT_EQ(1, launcher->Uninstall());
    std::vector<RecordedStart> starts = log.WaitForStarts(1);
    ASSERT_EQ(1u, starts.size());
    EXPECT_TRUE(SamePath(program, starts[0].program)) << starts[0].program;
    EXPECT_EQ(L"/log=" + programs.path() + L"\\u.log", starts[0].arguments);

    // A whole command in one reference is expanded before it is split.
    SetEnvironmentVariableW(L"LAUNCHER_TEST_UNINSTALL_DIR", (L"\"" + program + L"\" /S /x").c_str());
    MachineEntry().SetString(L"UninstallString", L"%LAUNCHER_TEST_UNINSTALL_DIR%", REG_EXPAND_SZ);
    EXPECT_EQ(1, launcher->Uninstall());
    starts = log.WaitForStarts(2);
    ASSERT_EQ(2u, starts.size());
    EXPECT_TRUE(SamePath(program, starts[1].program)) << starts[1].program;
    EXPECT_EQ(L"/S /x", starts[1].arguments);
}

TEST_F(Actions, UninstallTakesAPlainStringUnexpanded)
{
    const std::wstring program = CopyRecorder(programs, L"unins000.exe");
    SetEnvironmentVariableW(L"LAUNCHER_TEST_UNINSTALL_DIR", programs.path().c_str());
    MachineEntry().SetString(L"UninstallString",
                             L"\"" + program + L"\" /log=%LAUNCHER_TEST_UNINSTALL_DIR%\\u.log");
    EXPECT_EQ(1, launcher->Uninstall());
    const std::vector<RecordedStart> starts = log.WaitForStarts();
    ASSERT_EQ(1u, starts.size());
    EXPECT_EQ(L"/log=%LAUNCHER_TEST_UNINSTALL_DIR%\\u.log", starts[0].arguments);
}

TEST_F(Actions, UninstallWithAnOverLongCommandFails)
{
    const std::wstring program = CopyRecorder(programs, L"unins000.exe");
    std::wstring command = L"\"" + program + L"\" /S ";
    ASSERT_LT(command.size(), 200u);
    // 260 characters and the terminator: 522 bytes, more than the 520 offered.
    command += std::wstring(260 - command.size(), L'x');
    UserEntry().SetString(L"UninstallString", command);
    EXPECT_EQ(0, launcher->Uninstall());
    // The same once more, far longer.
    UserEntry().SetString(L"UninstallString", command + std::wstring(400, L'y'));
    EXPECT_EQ(0, launcher->Uninstall());
    EXPECT_TRUE(log.StaysEmpty(kNothingStarts));
}

TEST_F(Actions, UninstallCommandOfExactly520BytesIsCutTo259Characters)
{
    const std::wstring program = CopyRecorder(programs, L"unins000.exe");
    std::wstring command = L"\"" + program + L"\" /S ";
    command += std::wstring(259 - command.size(), L'x') + L"Z";
    ASSERT_EQ(260u, command.size());
    // Stored without a terminator. Wine's RegSetValueExW adds one to a string
    // whose next character is 0, so the character after the 520 bytes is not.
    const std::wstring guarded = command + L"!";
    UserEntry().SetBytes(L"UninstallString", guarded.data(), 520, REG_SZ);
    HKEY key;
    ASSERT_EQ(ERROR_SUCCESS, RegOpenKeyExW(HKEY_CURRENT_USER, UninstallKey().c_str(), 0, KEY_READ, &key));
    DWORD stored = 0;
    RegQueryValueExW(key, L"UninstallString", NULL, NULL, NULL, &stored);
    RegCloseKey(key);
    ASSERT_EQ(520u, stored);
    EXPECT_EQ(1, launcher->Uninstall());
    const std::vector<RecordedStart> starts = log.WaitForStarts();
    ASSERT_EQ(1u, starts.size());
    EXPECT_TRUE(SamePath(program, starts[0].program)) << starts[0].program;
    const std::wstring expected = command.substr(program.size() + 3, 259 - program.size() - 3);
    EXPECT_EQ(expected, starts[0].arguments);
}

TEST_F(Actions, UninstallCommandOfAnotherTypeFails)
{
    const std::wstring program = CopyRecorder(programs, L"unins000.exe");
    const std::wstring command = L"\"" + program + L"\" /S";
    std::wstring multi = command + L'\0';
    UserEntry().SetBytes(L"UninstallString", multi.c_str(),
                         static_cast<DWORD>((multi.size() + 1) * sizeof(WCHAR)), REG_MULTI_SZ);
    EXPECT_EQ(0, launcher->Uninstall());
    UserEntry().SetBytes(L"UninstallString", command.c_str(),
                         static_cast<DWORD>((command.size() + 1) * sizeof(WCHAR)), REG_BINARY);
    EXPECT_EQ(0, launcher->Uninstall());
    const DWORD number = 1;
    UserEntry().SetBytes(L"UninstallString", &number, sizeof(number), REG_DWORD);
    EXPECT_EQ(0, launcher->Uninstall());
    EXPECT_TRUE(log.StaysEmpty(kNothingStarts));
}

TEST_F(Actions, UninstallIsNotWaitedFor)
{
    const std::wstring program = CopyRecorder(programs, L"unins000.exe");
    UserEntry().SetString(L"UninstallString", L"\"" + program + L"\" /S");
    RecordLog::SetSleep(3000);
    const DWORD start = GetTickCount();
    EXPECT_EQ(1, launcher->Uninstall());
    EXPECT_LT(GetTickCount() - start, 2500u);
    EXPECT_EQ(1u, log.WaitForStarts().size());
}

#endif  // ACTIONS_DEFAULT

// ---------------------------------------------------------------- Readme in other languages

#ifdef ACTIONS_GERMAN

// docs\DEU\readme_DEU.rtf beside the test program (the launcher's own folder),
// removed again with the folders it made.
class BesideTheLauncher
{
public:
    BesideTheLauncher()
        : docs(ModuleFolder() + L"\\docs"), language(docs + L"\\DEU"),
          file(language + L"\\readme_DEU.rtf"), madeDocs(!FileExists(docs)),
          madeLanguage(!FileExists(language))
    {
        CreateDirectoryW(docs.c_str(), NULL);
        CreateDirectoryW(language.c_str(), NULL);
        HANDLE handle = CreateFileW(file.c_str(), GENERIC_WRITE, 0, NULL, CREATE_NEW, 0, NULL);
        made = handle != INVALID_HANDLE_VALUE;
        if (made)
            CloseHandle(handle);
    }
    ~BesideTheLauncher()
    {
        if (made)
            DeleteFileW(file.c_str());
        if (madeLanguage)
            RemoveDirectoryW(language.c_str());
        if (madeDocs)
            RemoveDirectoryW(docs.c_str());
    }
    const std::wstring docs, language, file;
    const bool madeDocs, madeLanguage;
    bool made;
};

TEST_F(ActionsWithHandlers, GermanSystemOpensTheGermanCopyBesideTheLauncher)
{
    ASSERT_EQ(0x0407, GetSystemDefaultLangID()) << "run with LC_ALL=de_DE.UTF-8";
    ASSERT_STREQ(L"readme.rtf", LoadLocalizedString(9));
    BesideTheLauncher german;
    ASSERT_TRUE(german.made);
    // Copies for other languages in the current directory change nothing.
    work.AddFile(L"docs\\ENU\\readme_ENU.rtf");
    EXPECT_EQ(1, launcher->OpenReadme());
    ExpectOpened(german.file);
}

TEST_F(ActionsWithHandlers, GermanSystemOpensTheGermanCopyInTheCurrentDirectory)
{
    ASSERT_EQ(0x0407, GetSystemDefaultLangID());
    const std::wstring localized = work.AddFile(L"docs\\DEU\\readme_DEU.rtf");
    EXPECT_EQ(1, launcher->OpenReadme());
    ExpectOpened(localized);
}

TEST_F(ActionsWithHandlers, GermanSystemStillPrefersThePlainReadme)
{
    ASSERT_EQ(0x0407, GetSystemDefaultLangID());
    RegisterInstallFolder(install.path());
    const std::wstring plain = install.AddFile(L"readme.rtf");
    BesideTheLauncher german;
    work.AddFile(L"docs\\DEU\\readme_DEU.rtf");
    EXPECT_EQ(1, launcher->OpenReadme());
    ExpectOpened(plain);
}

TEST_F(ActionsWithHandlers, GermanSystemWithoutAGermanCopyOpensNothing)
{
    ASSERT_EQ(0x0407, GetSystemDefaultLangID());
    work.AddFile(L"docs\\ENU\\readme_ENU.rtf");
    EXPECT_EQ(0, launcher->OpenReadme());
    EXPECT_TRUE(log.StaysEmpty(kNothingStarts));
}

#endif  // ACTIONS_GERMAN

#ifdef ACTIONS_PORTUGUESE

TEST_F(ActionsWithHandlers, LanguageWithoutACodeAndNoPlainReadmeOpensNothing)
{
    ASSERT_EQ(0x0416, GetSystemDefaultLangID()) << "run with LC_ALL=pt_BR.UTF-8";
    ASSERT_TRUE(GetLanguageCode() == NULL);
    RegisterInstallFolder(install.path());
    // What a path built without a code might come to, and other languages' copies.
    work.AddFile(L"docs\\readme_.rtf");
    work.AddFile(L"docs\\ENU\\readme_ENU.rtf");
    install.AddFile(L"docs\\PTB\\readme_PTB.rtf");
    EXPECT_EQ(0, launcher->OpenReadme());
    EXPECT_TRUE(log.StaysEmpty(kNothingStarts));
}

TEST_F(ActionsWithHandlers, LanguageWithoutACodeStillOpensThePlainReadme)
{
    ASSERT_EQ(0x0416, GetSystemDefaultLangID());
    const std::wstring plain = work.AddFile(L"readme.rtf");
    EXPECT_EQ(1, launcher->OpenReadme());
    ExpectOpened(plain);
}

#endif  // ACTIONS_PORTUGUESE

#ifdef ACTIONS_DOTTED_README

// The string table of res/dotted_readme.rc names the readme "read.me.rtf".
TEST_F(ActionsWithHandlers, ReadmeNameWithTwoDotsKeepsTheFirstInTheBase)
{
    ASSERT_EQ(0x0409, GetSystemDefaultLangID()) << "run with LC_ALL=en_US.UTF-8";
    ASSERT_STREQ(L"read.me.rtf", LoadLocalizedString(9));
    // The split at the first dot would give this one.
    work.AddFile(L"docs\\ENU\\read_ENU.me.rtf");
    const std::wstring localized = work.AddFile(L"docs\\ENU\\read.me_ENU.rtf");
    EXPECT_EQ(1, launcher->OpenReadme());
    ExpectOpened(localized);
}

TEST_F(ActionsWithHandlers, ReadmeNameWithTwoDotsIsFirstLookedForAsItIs)
{
    ASSERT_STREQ(L"read.me.rtf", LoadLocalizedString(9));
    work.AddFile(L"docs\\ENU\\read.me_ENU.rtf");
    const std::wstring plain = work.AddFile(L"read.me.rtf");
    EXPECT_EQ(1, launcher->OpenReadme());
    ExpectOpened(plain);
}

#endif  // ACTIONS_DOTTED_README

}  // namespace
