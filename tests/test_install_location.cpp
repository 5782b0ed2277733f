// Where the game lives and where the launcher's files are:
// Launcher::GetInstallPath, GetGamePath, IsGameInstalled and FindLauncherFile,
// linked in and run against real keys below HKEY_LOCAL_MACHINE and real files.
#include <gtest/gtest.h>

#include <windows.h>
#include <shlwapi.h>

#include <memory>
#include <string>
#include <vector>

#include "TestSupport.h"
#include "actions/FileLookup.h"
#include "app/Launcher.h"
#include "config/LauncherConfig.h"

namespace {

const WCHAR kJunk = 0xA5A5;     // written by no code under test
const size_t kGuardLength = 8;  // junk characters after every buffer's capacity
const WCHAR kValueName[] = L"InstallPath";
const WCHAR kGameExe[] = L"binaries\\dmgame.exe";

std::string Narrow(const std::wstring& text)
{
    std::string result;
    for (size_t i = 0; i < text.size(); ++i)
        result += text[i] < 128 ? static_cast<char>(text[i]) : '?';
    return result;
}

std::wstring Number(unsigned long value)
{
    WCHAR text[16];
    wsprintfW(text, L"%lu", value);
    return text;
}

// A destination of `capacity` characters, followed by guard characters; all
// of it junk to start with.
class GuardedBuffer
{
public:
    explicit GuardedBuffer(size_t capacity = MAX_PATH)
        : capacity(capacity), chars(capacity + kGuardLength, kJunk)
    {
    }
    WCHAR* data() { return &chars[0]; }
    UINT size() const { return static_cast<UINT>(capacity); }
    bool GuardsIntact() const
    {
        for (size_t i = capacity; i < chars.size(); ++i)
            if (chars[i] != kJunk)
                return false;
        return true;
    }
    bool Untouched() const
    {
        for (size_t i = 0; i < chars.size(); ++i)
            if (chars[i] != kJunk)
                return false;
        return true;
    }
    // The text up to its terminator within the capacity; "<unterminated>" without one.
    std::wstring Text() const
    {
        for (size_t i = 0; i < capacity; ++i)
            if (chars[i] == L'\0')
                return std::wstring(chars.data(), i);
        return L"<unterminated>";
    }

private:
    size_t capacity;
    std::vector<WCHAR> chars;
};

// A Launcher that counts how often its GetInstallPath is asked; the Part's
// operations call each other through the object.
class CountingLauncher : public Launcher
{
public:
    explicit CountingLauncher(const LauncherConfig& config)
        : Launcher(config), installPathCalls(0)
    {
    }
    BOOL GetInstallPath(WCHAR* path, UINT capacity) override
    {
        ++installPathCalls;
        return Launcher::GetInstallPath(path, capacity);
    }
    int installPathCalls;
};

// A file or folder of the test's own, removed when it ends.
class ScopedPath
{
public:
    ScopedPath() : folder(false) {}
    ~ScopedPath() { Remove(); }
    bool MakeFile(const std::wstring& where)
    {
        Remove();
        HANDLE file = CreateFileW(where.c_str(), GENERIC_WRITE, 0, NULL, CREATE_NEW, 0, NULL);
        if (file == INVALID_HANDLE_VALUE)
            return false;
        CloseHandle(file);
        path = where;
        folder = false;
        return true;
    }
    bool MakeFolder(const std::wstring& where)
    {
        Remove();
        if (!CreateDirectoryW(where.c_str(), NULL))
            return false;
        path = where;
        folder = true;
        return true;
    }
    void Remove()
    {
        if (path.empty())
            return;
        if (folder)
            RemoveDirectoryW(path.c_str());
        else
            DeleteFileW(path.c_str());
        path.clear();
    }

private:
    ScopedPath(const ScopedPath&);
    ScopedPath& operator=(const ScopedPath&);
    std::wstring path;
    bool folder;
};

std::wstring CurrentDirectory()
{
    WCHAR folder[MAX_PATH];
    const DWORD length = GetCurrentDirectoryW(MAX_PATH, folder);
    return (length > 0 && length < MAX_PATH) ? std::wstring(folder, length) : std::wstring();
}

class InstallLocationTest : public ::testing::Test
{
protected:
    InstallLocationTest()
        : cwdFolder(L"ilc"), installFolder(L"ili")
    {
        static int serial = 0;
        unique = Number(GetCurrentProcessId()) + L"_" + Number(++serial) + L"_" + Number(GetTickCount());
        keyPath = L"Software\\LauncherTests\\il_" + unique;
        LoadLauncherConfig(&config);
        lstrcpyW(config.registryKey, keyPath.c_str());
        lstrcpyW(config.installPathValue, kValueName);
        lstrcpyW(config.gameExe, kGameExe);
        config.waitForSetup = 0;
        variable = L"LAUNCHER_TEST_IL_" + unique;
    }

    void SetUp() override
    {
        previousDirectory = CurrentDirectory();
        ASSERT_FALSE(previousDirectory.empty());
        HKEY probe;
        ASSERT_NE(ERROR_SUCCESS, RegOpenKeyExW(HKEY_LOCAL_MACHINE, keyPath.c_str(), 0, KEY_READ, &probe));
        // The tests run from an empty folder of their own unless they say otherwise.
        ASSERT_TRUE(SetCurrentDirectoryW(cwdFolder.path().c_str()));
        cwd = CurrentDirectory();
        ASSERT_EQ(0, lstrcmpiW(cwd.c_str(), cwdFolder.path().c_str()));
    }

    void TearDown() override
    {
        SetCurrentDirectoryW(previousDirectory.c_str());
        key.reset();
        SHDeleteKeyW(HKEY_LOCAL_MACHINE, keyPath.c_str());
        RegDeleteKeyW(HKEY_LOCAL_MACHINE, L"Software\\LauncherTests");  // only when empty
        SetEnvironmentVariableW(variable.c_str(), NULL);
    }

    ScopedKey& Key()
    {
        if (!key)
            key.reset(new ScopedKey(HKEY_LOCAL_MACHINE, keyPath));
        return *key;
    }

    void SetInstallPath(const std::wstring& text, DWORD type = REG_SZ) { Key().SetString(kValueName, text, type); }

    void DeleteInstallPath()
    {
        HKEY opened;
        ASSERT_EQ(ERROR_SUCCESS, RegOpenKeyExW(HKEY_LOCAL_MACHINE, keyPath.c_str(), 0, KEY_SET_VALUE, &opened));
        EXPECT_EQ(ERROR_SUCCESS, RegDeleteValueW(opened, kValueName));
        RegCloseKey(opened);
    }

    // The size in bytes the registry holds for the install-path value.
    DWORD StoredSize()
    {
        HKEY opened;
        DWORD size = 0;
        if (RegOpenKeyExW(HKEY_LOCAL_MACHINE, keyPath.c_str(), 0, KEY_READ, &opened) != ERROR_SUCCESS)
            return 0;
        if (RegQueryValueExW(opened, kValueName, NULL, NULL, NULL, &size) != ERROR_SUCCESS)
            size = 0;
        RegCloseKey(opened);
        return size;
    }

    // A file name that, joined to `folder` with one backslash, makes a path of
    // exactly `total` characters.
    static std::wstring NameFilling(const std::wstring& folder, size_t total, WCHAR letter = L'n')
    {
        const size_t length = total - folder.size() - 1;
        return std::wstring(length - 4, letter) + L".txt";
    }

    std::wstring unique;
    std::wstring keyPath;
    std::wstring variable;
    LauncherConfig config;
    std::unique_ptr<ScopedKey> key;
    ScopedFolder cwdFolder;
    ScopedFolder installFolder;
    std::wstring cwd;
    std::wstring previousDirectory;
};

// ---- GetInstallPath ----

TEST_F(InstallLocationTest, NoKeyGivesNoFolderAndLeavesTheDestination)
{
    Launcher launcher(config);
    GuardedBuffer path;
    EXPECT_EQ(0, launcher.GetInstallPath(path.data(), path.size()));
    EXPECT_TRUE(path.Untouched());
}

TEST_F(InstallLocationTest, KeyWithoutTheValueGivesNoFolder)
{
    Key().SetString(L"SomethingElse", L"C:\\Games");
    Launcher launcher(config);
    GuardedBuffer path;
    EXPECT_EQ(0, launcher.GetInstallPath(path.data(), path.size()));
    EXPECT_TRUE(path.Untouched());
}

TEST_F(InstallLocationTest, RegSzIsTakenUnchanged)
{
    SetInstallPath(L"C:\\Games\\Duskmere");
    Launcher launcher(config);
    GuardedBuffer path;
    EXPECT_EQ(1, launcher.GetInstallPath(path.data(), path.size()));
    EXPECT_EQ(L"C:\\Games\\Duskmere", path.Text());
    EXPECT_TRUE(path.GuardsIntact());
}

TEST_F(InstallLocationTest, EmptyRegSzIsAnEmptyFolder)
{
    Launcher launcher(config);
    SetInstallPath(L"");
    GuardedBuffer path;
    EXPECT_EQ(1, launcher.GetInstallPath(path.data(), path.size()));
    EXPECT_EQ(L"", path.Text());

    // No data at all reads as the empty text too.
    Key().SetBytes(kValueName, NULL, 0, REG_SZ);
    GuardedBuffer again;
    EXPECT_EQ(1, launcher.GetInstallPath(again.data(), again.size()));
    EXPECT_EQ(L"", again.Text());
}

TEST_F(InstallLocationTest, RegExpandSzIsExpanded)
{
    ASSERT_TRUE(SetEnvironmentVariableW(variable.c_str(), L"D:\\Spiele"));
    SetInstallPath(L"%" + variable + L"%\\Duskmere", REG_EXPAND_SZ);
    Launcher launcher(config);
    GuardedBuffer path;
    EXPECT_EQ(1, launcher.GetInstallPath(path.data(), path.size()));
    EXPECT_EQ(L"D:\\Spiele\\Duskmere", path.Text());
    EXPECT_TRUE(path.GuardsIntact());
}

TEST_F(InstallLocationTest, SameTextAsRegSzIsNotExpanded)
{
    ASSERT_TRUE(SetEnvironmentVariableW(variable.c_str(), L"D:\\Spiele"));
    const std::wstring text = L"%" + variable + L"%\\Duskmere";
    SetInstallPath(text, REG_SZ);
    Launcher launcher(config);
    GuardedBuffer path;
    EXPECT_EQ(1, launcher.GetInstallPath(path.data(), path.size()));
    EXPECT_EQ(text, path.Text());
}

TEST_F(InstallLocationTest, OtherTypesGiveNoFolder)
{
    const std::wstring text = L"C:\\Games\\Duskmere";
    const DWORD number = 42;
    std::wstring multi = text;
    multi.push_back(L'\0');  // and the terminator SetBytes adds below: the list's end
    struct Case
    {
        const char* what;
        DWORD type;
        const void* data;
        DWORD size;
    } cases[] = {
        { "REG_DWORD", REG_DWORD, &number, sizeof(number) },
        { "REG_BINARY", REG_BINARY, text.c_str(), static_cast<DWORD>((text.size() + 1) * sizeof(WCHAR)) },
        { "REG_MULTI_SZ", REG_MULTI_SZ, multi.c_str(), static_cast<DWORD>((multi.size() + 1) * sizeof(WCHAR)) },
        { "REG_NONE", REG_NONE, text.c_str(), static_cast<DWORD>((text.size() + 1) * sizeof(WCHAR)) },
    };
    Launcher launcher(config);
    for (size_t i = 0; i < sizeof(cases) / sizeof(cases[0]); ++i) {
        SCOPED_TRACE(cases[i].what);
        Key().SetBytes(kValueName, cases[i].data, cases[i].size, cases[i].type);
        GuardedBuffer path;
        EXPECT_EQ(0, launcher.GetInstallPath(path.data(), path.size()));
        EXPECT_TRUE(path.Untouched());
        GuardedBuffer game;
        EXPECT_EQ(0, launcher.GetGamePath(game.data(), game.size()));
        EXPECT_TRUE(game.Untouched());
        EXPECT_EQ(0, launcher.IsGameInstalled());
    }
}

TEST_F(InstallLocationTest, ValueOf260CharactersWithoutTerminatorGivesItsFirst259)
{
    const std::wstring text = L"C:\\" + std::wstring(257, L'x');
    ASSERT_EQ(260u, text.size());
    // Wine's RegSetValueExW stores one character more when a string's data
    // ends without a terminator but one follows in memory: so none follows.
    const std::wstring data = text + L"!";
    const DWORD types[] = { REG_SZ, REG_EXPAND_SZ };
    Launcher launcher(config);
    for (int i = 0; i < 2; ++i) {
        SCOPED_TRACE(types[i] == REG_SZ ? "REG_SZ" : "REG_EXPAND_SZ");
        Key().SetBytes(kValueName, data.c_str(), 520, types[i]);
        ASSERT_EQ(520u, StoredSize());
        GuardedBuffer path;
        EXPECT_EQ(1, launcher.GetInstallPath(path.data(), path.size()));
        EXPECT_EQ(text.substr(0, 259), path.Text());
        EXPECT_TRUE(path.GuardsIntact());
    }
}

TEST_F(InstallLocationTest, ValueOf259CharactersAndTerminatorIsWhole)
{
    const std::wstring text = L"C:\\" + std::wstring(256, L'y');
    ASSERT_EQ(259u, text.size());
    SetInstallPath(text);
    ASSERT_EQ(520u, StoredSize());
    Launcher launcher(config);
    GuardedBuffer path;
    EXPECT_EQ(1, launcher.GetInstallPath(path.data(), path.size()));
    EXPECT_EQ(text, path.Text());
    EXPECT_TRUE(path.GuardsIntact());
}

TEST_F(InstallLocationTest, LongerValuesGiveNoFolder)
{
    const std::wstring text260 = L"C:\\" + std::wstring(257, L'z');
    const std::wstring text400 = L"C:\\" + std::wstring(397, L'z');
    Launcher launcher(config);
    struct Case
    {
        const char* what;
        const std::wstring* text;
        DWORD size;
        DWORD type;
    } cases[] = {
        { "260 characters and terminator", &text260, 522, REG_SZ },
        { "261 characters, no terminator", &text400, 522, REG_SZ },
        { "400 characters", &text400, 802, REG_SZ },
        { "400 characters, REG_EXPAND_SZ", &text400, 802, REG_EXPAND_SZ },
    };
    for (size_t i = 0; i < sizeof(cases) / sizeof(cases[0]); ++i) {
        SCOPED_TRACE(cases[i].what);
        Key().SetBytes(kValueName, cases[i].text->c_str(), cases[i].size, cases[i].type);
        ASSERT_EQ(cases[i].size, StoredSize());
        GuardedBuffer path;
        EXPECT_EQ(0, launcher.GetInstallPath(path.data(), path.size()));
        EXPECT_TRUE(path.Untouched());
    }
}

TEST_F(InstallLocationTest, MissingDestinationOrNoCapacityFails)
{
    SetInstallPath(L"C:\\Games\\Duskmere");
    Launcher launcher(config);
    EXPECT_EQ(0, launcher.GetInstallPath(NULL, MAX_PATH));
    GuardedBuffer path;
    EXPECT_EQ(0, launcher.GetInstallPath(path.data(), 0));
    EXPECT_TRUE(path.Untouched());
    EXPECT_EQ(0, launcher.GetGamePath(NULL, MAX_PATH));
    EXPECT_EQ(0, launcher.GetGamePath(path.data(), 0));
    EXPECT_TRUE(path.Untouched());
}

TEST_F(InstallLocationTest, CapacitySmallerThanTheFolderFailsWithinTheCapacity)
{
    const std::wstring text = L"C:\\Games\\Duskmere";  // 17 characters
    SetInstallPath(text);
    Launcher launcher(config);
    const size_t capacities[] = { 1, 5, text.size() };
    for (size_t i = 0; i < 3; ++i) {
        SCOPED_TRACE(capacities[i]);
        GuardedBuffer path(capacities[i]);
        EXPECT_EQ(0, launcher.GetInstallPath(path.data(), path.size()));
        EXPECT_TRUE(path.GuardsIntact());
    }
    GuardedBuffer exact(text.size() + 1);
    EXPECT_EQ(1, launcher.GetInstallPath(exact.data(), exact.size()));
    EXPECT_EQ(text, exact.Text());
    EXPECT_TRUE(exact.GuardsIntact());
}

TEST_F(InstallLocationTest, ExpansionBeyond259CharactersGivesNoFolder)
{
    Launcher launcher(config);
    const std::wstring reference = L"C:\\%" + variable + L"%";
    // C:\ plus the variable's text: 259 characters fit, 260 and 600 do not.
    const size_t lengths[] = { 256, 257, 600 };
    for (int i = 0; i < 3; ++i) {
        SCOPED_TRACE(lengths[i] + 3);
        const std::wstring value(lengths[i], L'e');
        ASSERT_TRUE(SetEnvironmentVariableW(variable.c_str(), value.c_str()));
        SetInstallPath(reference, REG_EXPAND_SZ);
        GuardedBuffer path;
        const BOOL result = launcher.GetInstallPath(path.data(), path.size());
        EXPECT_TRUE(path.GuardsIntact());
        if (lengths[i] + 3 <= 259) {
            EXPECT_EQ(1, result);
            EXPECT_EQ(L"C:\\" + value, path.Text());
        } else {
            EXPECT_EQ(0, result);
            EXPECT_TRUE(path.Untouched());
            GuardedBuffer game;
            EXPECT_EQ(0, launcher.GetGamePath(game.data(), game.size()));
            EXPECT_TRUE(game.GuardsIntact());
        }
    }
}

TEST_F(InstallLocationTest, NothingIsCached)
{
    Launcher launcher(config);
    SetInstallPath(L"C:\\First");
    GuardedBuffer first;
    EXPECT_EQ(1, launcher.GetInstallPath(first.data(), first.size()));
    EXPECT_EQ(L"C:\\First", first.Text());
    SetInstallPath(L"C:\\Second");
    GuardedBuffer second;
    EXPECT_EQ(1, launcher.GetInstallPath(second.data(), second.size()));
    EXPECT_EQ(L"C:\\Second", second.Text());
    key.reset();
    SHDeleteKeyW(HKEY_LOCAL_MACHINE, keyPath.c_str());
    GuardedBuffer gone;
    EXPECT_EQ(0, launcher.GetInstallPath(gone.data(), gone.size()));
    EXPECT_TRUE(gone.Untouched());
}

// ---- GetGamePath ----

TEST_F(InstallLocationTest, GamePathWithoutFolderFails)
{
    Launcher launcher(config);
    GuardedBuffer game;
    EXPECT_EQ(0, launcher.GetGamePath(game.data(), game.size()));
    EXPECT_TRUE(game.Untouched());
}

TEST_F(InstallLocationTest, GamePathNeedsNoGameFile)
{
    SetInstallPath(installFolder.path());
    Launcher launcher(config);
    GuardedBuffer game;
    EXPECT_EQ(1, launcher.GetGamePath(game.data(), game.size()));
    EXPECT_EQ(installFolder.path() + L"\\binaries\\dmgame.exe", game.Text());
    EXPECT_TRUE(game.GuardsIntact());
    EXPECT_FALSE(FileExists(game.Text()));
    EXPECT_EQ(0, launcher.IsGameInstalled());
}

TEST_F(InstallLocationTest, GamePathAlwaysWritesTheSeparator)
{
    Launcher launcher(config);
    SetInstallPath(L"C:\\Games\\");
    GuardedBuffer game;
    EXPECT_EQ(1, launcher.GetGamePath(game.data(), game.size()));
    EXPECT_EQ(L"C:\\Games\\\\binaries\\dmgame.exe", game.Text());

    SetInstallPath(L"C:\\Games");
    GuardedBuffer plain;
    EXPECT_EQ(1, launcher.GetGamePath(plain.data(), plain.size()));
    EXPECT_EQ(L"C:\\Games\\binaries\\dmgame.exe", plain.Text());
}

TEST_F(InstallLocationTest, GamePathOfAnExpandedFolder)
{
    ASSERT_TRUE(SetEnvironmentVariableW(variable.c_str(), L"E:\\Jeux"));
    SetInstallPath(L"%" + variable + L"%\\Duskmere", REG_EXPAND_SZ);
    Launcher launcher(config);
    GuardedBuffer game;
    EXPECT_EQ(1, launcher.GetGamePath(game.data(), game.size()));
    EXPECT_EQ(L"E:\\Jeux\\Duskmere\\binaries\\dmgame.exe", game.Text());
}

TEST_F(InstallLocationTest, GamePathCapacitySmallerThanThePathFails)
{
    SetInstallPath(L"C:\\Games");
    const std::wstring expected = L"C:\\Games\\binaries\\dmgame.exe";
    Launcher launcher(config);
    const size_t capacities[] = { 1, 5, expected.size() };
    for (size_t i = 0; i < 3; ++i) {
        SCOPED_TRACE(capacities[i]);
        GuardedBuffer game(capacities[i]);
        EXPECT_EQ(0, launcher.GetGamePath(game.data(), game.size()));
        EXPECT_TRUE(game.GuardsIntact());
    }
    GuardedBuffer exact(expected.size() + 1);
    EXPECT_EQ(1, launcher.GetGamePath(exact.data(), exact.size()));
    EXPECT_EQ(expected, exact.Text());
    EXPECT_TRUE(exact.GuardsIntact());
}

TEST_F(InstallLocationTest, GamePathBeyond259CharactersFails)
{
    Launcher launcher(config);
    const size_t gameLength = lstrlenW(kGameExe);
    // folder + "\" + game: 259 characters fit, 260 do not.
    const std::wstring fits = L"C:\\" + std::wstring(259 - 1 - gameLength - 3, L'f');
    SetInstallPath(fits);
    GuardedBuffer game;
    EXPECT_EQ(1, launcher.GetGamePath(game.data(), game.size()));
    EXPECT_EQ(259u, game.Text().size());
    EXPECT_TRUE(game.GuardsIntact());

    SetInstallPath(fits + L"f");
    GuardedBuffer tooLong;
    EXPECT_EQ(0, launcher.GetGamePath(tooLong.data(), tooLong.size()));
    EXPECT_TRUE(tooLong.GuardsIntact());

    SetInstallPath(L"C:\\" + std::wstring(256, L'f'));  // a folder of 259 characters
    GuardedBuffer longest;
    EXPECT_EQ(0, launcher.GetGamePath(longest.data(), longest.size()));
    EXPECT_TRUE(longest.GuardsIntact());
}

TEST_F(InstallLocationTest, CutGamePathNamingAnExistingFileDoesNotCount)
{
    // folder\<name> is 259 characters and exists; the configured game is that
    // name with more after it, so only a cut path would find the file.
    const std::wstring name = NameFilling(installFolder.path(), 259);
    const std::wstring existing = installFolder.Join(name);
    ASSERT_EQ(259u, existing.size());
    ScopedPath file;
    ASSERT_TRUE(file.MakeFile(existing));
    lstrcpyW(config.gameExe, (name + L"more").c_str());
    SetInstallPath(installFolder.path());
    Launcher launcher(config);
    GuardedBuffer game;
    EXPECT_EQ(0, launcher.GetGamePath(game.data(), game.size()));
    EXPECT_TRUE(game.GuardsIntact());
    EXPECT_EQ(0, launcher.IsGameInstalled());

    // The name itself, at exactly 259 characters, is found.
    lstrcpyW(config.gameExe, name.c_str());
    Launcher exact(config);
    GuardedBuffer whole;
    EXPECT_EQ(1, exact.GetGamePath(whole.data(), whole.size()));
    EXPECT_EQ(existing, whole.Text());
    EXPECT_EQ(1, exact.IsGameInstalled());
}

TEST_F(InstallLocationTest, GamePathAndInstallStateAskGetInstallPathThroughTheObject)
{
    SetInstallPath(installFolder.path());
    CountingLauncher launcher(config);
    GuardedBuffer game;
    EXPECT_EQ(1, launcher.GetGamePath(game.data(), game.size()));
    EXPECT_EQ(1, launcher.installPathCalls);
    EXPECT_EQ(0, launcher.IsGameInstalled());
    EXPECT_EQ(2, launcher.installPathCalls);
}

// ---- IsGameInstalled ----

TEST_F(InstallLocationTest, WithoutWaitingTheAnswerFollowsRegistryAndFilesWithoutRestart)
{
    Launcher launcher(config);
    EXPECT_EQ(0, launcher.IsGameInstalled());  // no key

    Key();
    EXPECT_EQ(0, launcher.IsGameInstalled());  // no value

    SetInstallPath(installFolder.path());
    EXPECT_EQ(0, launcher.IsGameInstalled());  // no game file

    const std::wstring game = installFolder.AddFile(kGameExe);
    ASSERT_TRUE(FileExists(game));
    EXPECT_EQ(1, launcher.IsGameInstalled());

    DeleteInstallPath();
    EXPECT_EQ(0, launcher.IsGameInstalled());

    SetInstallPath(installFolder.path());
    EXPECT_EQ(1, launcher.IsGameInstalled());
    ASSERT_TRUE(DeleteFileW(game.c_str()));
    EXPECT_EQ(0, launcher.IsGameInstalled());
}

TEST_F(InstallLocationTest, WithoutWaitingSetupSucceededChangesNothing)
{
    Launcher launcher(config);
    launcher.setupSucceeded = 1;
    EXPECT_EQ(0, launcher.IsGameInstalled());
    SetInstallPath(installFolder.path());
    installFolder.AddFile(kGameExe);
    launcher.setupSucceeded = 0;
    EXPECT_EQ(1, launcher.IsGameInstalled());
}

TEST_F(InstallLocationTest, WithWaitingOnlyAWaitedForSetupCounts)
{
    SetInstallPath(installFolder.path());
    installFolder.AddFile(kGameExe);
    config.waitForSetup = 1;
    CountingLauncher launcher(config);
    EXPECT_EQ(0, launcher.setupSucceeded);
    EXPECT_EQ(0, launcher.IsGameInstalled());  // the game is there, but no setup was waited for
    launcher.setupSucceeded = 1;
    EXPECT_EQ(1, launcher.IsGameInstalled());

    // Nothing else is looked at: not the registry, not the files.
    key.reset();
    SHDeleteKeyW(HKEY_LOCAL_MACHINE, keyPath.c_str());
    EXPECT_EQ(1, launcher.IsGameInstalled());
    EXPECT_EQ(0, launcher.installPathCalls);
}

TEST_F(InstallLocationTest, GameExeThatIsAFolderCountsAsInstalled)
{
    SetInstallPath(installFolder.path());
    installFolder.AddFile(L"binaries\\dmgame.exe\\inside.txt");
    Launcher launcher(config);
    EXPECT_EQ(1, launcher.IsGameInstalled());
}

// ---- FindLauncherFile ----

class FindLauncherFileTest : public InstallLocationTest
{
protected:
    void SetUp() override
    {
        InstallLocationTest::SetUp();
        exeFolder = ModuleFolder();
        // The test program lies in the test build folder.
        ASSERT_EQ(0, lstrcmpiW(exeFolder.c_str(), WindowsPath(TEST_BINARY_DIR).c_str()))
            << Narrow(exeFolder) << " vs " << TEST_BINARY_DIR;
        name = L"lt_find_" + unique + L".txt";
    }

    std::wstring exeFolder;
    std::wstring name;
};

TEST_F(FindLauncherFileTest, MissingNameOrDestinationFails)
{
    cwdFolder.AddFile(name);
    Launcher launcher(config);
    GuardedBuffer found;
    EXPECT_EQ(0, FindLauncherFile(found.data(), NULL, &launcher));
    EXPECT_TRUE(found.Untouched());
    EXPECT_EQ(0, FindLauncherFile(NULL, name.c_str(), &launcher));
}

TEST_F(FindLauncherFileTest, PlacesAreTriedInOrder)
{
    SetInstallPath(installFolder.path());
    ScopedPath inCwd, besideExe, inInstall;
    ASSERT_TRUE(inCwd.MakeFile(cwd + L"\\" + name));
    ASSERT_TRUE(besideExe.MakeFile(exeFolder + L"\\" + name));
    ASSERT_TRUE(inInstall.MakeFile(installFolder.Join(name)));
    CountingLauncher launcher(config);

    GuardedBuffer first;
    EXPECT_EQ(1, FindLauncherFile(first.data(), name.c_str(), &launcher));
    EXPECT_EQ(cwd + L"\\" + name, first.Text());
    EXPECT_TRUE(first.GuardsIntact());
    EXPECT_EQ(0, launcher.installPathCalls) << "the registry was read although the current directory held the file";

    inCwd.Remove();
    GuardedBuffer second;
    EXPECT_EQ(1, FindLauncherFile(second.data(), name.c_str(), &launcher));
    EXPECT_EQ(exeFolder + L"\\" + name, second.Text());
    EXPECT_TRUE(second.GuardsIntact());
    EXPECT_EQ(0, launcher.installPathCalls) << "the registry was read although the file lay beside the program";

    besideExe.Remove();
    GuardedBuffer third;
    EXPECT_EQ(1, FindLauncherFile(third.data(), name.c_str(), &launcher));
    EXPECT_EQ(installFolder.Join(name), third.Text());
    EXPECT_TRUE(third.GuardsIntact());
    EXPECT_EQ(1, launcher.installPathCalls);

    inInstall.Remove();
    GuardedBuffer none;
    EXPECT_EQ(0, FindLauncherFile(none.data(), name.c_str(), &launcher));
    EXPECT_TRUE(none.Untouched());
}

TEST_F(FindLauncherFileTest, FolderOfTheNameCountsAsFound)
{
    SetInstallPath(installFolder.path());
    Launcher launcher(config);
    const std::wstring places[] = { cwd, exeFolder, installFolder.path() };
    for (int i = 0; i < 3; ++i) {
        SCOPED_TRACE(Narrow(places[i]));
        ScopedPath folder;
        ASSERT_TRUE(folder.MakeFolder(places[i] + L"\\" + name));
        GuardedBuffer found;
        EXPECT_EQ(1, FindLauncherFile(found.data(), name.c_str(), &launcher));
        EXPECT_EQ(places[i] + L"\\" + name, found.Text());
    }
}

TEST_F(FindLauncherFileTest, FileBesideTheProgramIsFoundWithoutAnInstallFolder)
{
    ScopedPath besideExe;
    ASSERT_TRUE(besideExe.MakeFile(exeFolder + L"\\" + name));
    {
        SCOPED_TRACE("no key");
        Launcher launcher(config);
        GuardedBuffer found;
        EXPECT_EQ(1, FindLauncherFile(found.data(), name.c_str(), &launcher));
        EXPECT_EQ(exeFolder + L"\\" + name, found.Text());
    }
    {
        SCOPED_TRACE("a value of type REG_DWORD");
        const DWORD number = 1;
        Key().SetBytes(kValueName, &number, sizeof(number), REG_DWORD);
        Launcher launcher(config);
        GuardedBuffer found;
        EXPECT_EQ(1, FindLauncherFile(found.data(), name.c_str(), &launcher));
        EXPECT_EQ(exeFolder + L"\\" + name, found.Text());
    }
}

TEST_F(FindLauncherFileTest, NothingFoundLeavesTheDestinationUnwritten)
{
    Launcher launcher(config);
    GuardedBuffer noKey;
    EXPECT_EQ(0, FindLauncherFile(noKey.data(), name.c_str(), &launcher));
    EXPECT_TRUE(noKey.Untouched());

    SetInstallPath(installFolder.path());
    GuardedBuffer withFolder;
    EXPECT_EQ(0, FindLauncherFile(withFolder.data(), name.c_str(), &launcher));
    EXPECT_TRUE(withFolder.Untouched());
}

TEST_F(FindLauncherFileTest, NameMayHoldFolders)
{
    SetInstallPath(installFolder.path());
    const std::wstring relative = L"docs\\por\\readme_" + unique + L".rtf";
    installFolder.AddFile(relative);
    Launcher launcher(config);
    GuardedBuffer found;
    EXPECT_EQ(1, FindLauncherFile(found.data(), relative.c_str(), &launcher));
    EXPECT_EQ(installFolder.Join(relative), found.Text());
}

TEST_F(FindLauncherFileTest, InstallFolderEndingInABackslashGivesADoubledSeparator)
{
    SetInstallPath(installFolder.path() + L"\\");
    installFolder.AddFile(name);
    Launcher launcher(config);
    GuardedBuffer found;
    EXPECT_EQ(1, FindLauncherFile(found.data(), name.c_str(), &launcher));
    EXPECT_EQ(installFolder.path() + L"\\\\" + name, found.Text());
}

TEST_F(FindLauncherFileTest, DriveRootAsCurrentDirectoryGivesADoubledSeparator)
{
    ASSERT_TRUE(SetCurrentDirectoryW(L"C:\\"));
    ASSERT_EQ(L"C:\\", CurrentDirectory());
    ScopedPath atRoot;
    ASSERT_TRUE(atRoot.MakeFile(L"C:\\" + name));
    Launcher launcher(config);
    GuardedBuffer found;
    EXPECT_EQ(1, FindLauncherFile(found.data(), name.c_str(), &launcher));
    EXPECT_EQ(L"C:\\\\" + name, found.Text());
    EXPECT_TRUE(FileExists(found.Text()));
}

TEST_F(FindLauncherFileTest, CandidateOfExactly259CharactersIsFound)
{
    SetInstallPath(installFolder.path());
    Launcher launcher(config);
    const std::wstring places[] = { cwd, exeFolder, installFolder.path() };
    for (int i = 0; i < 3; ++i) {
        SCOPED_TRACE(Narrow(places[i]));
        const std::wstring longName = NameFilling(places[i], 259, static_cast<WCHAR>(L'a' + i));
        ScopedPath file;
        ASSERT_TRUE(file.MakeFile(places[i] + L"\\" + longName));
        GuardedBuffer found;
        EXPECT_EQ(1, FindLauncherFile(found.data(), longName.c_str(), &launcher));
        EXPECT_EQ(places[i] + L"\\" + longName, found.Text());
        EXPECT_TRUE(found.GuardsIntact());
    }
}

TEST_F(FindLauncherFileTest, CandidateBeyond259CharactersIsNotCutToAnotherFile)
{
    // In each place in turn, folder\<cut> exists with 259 characters; the name
    // looked for is <cut> and more, so only a cut candidate would find it.
    SetInstallPath(installFolder.path());
    Launcher launcher(config);
    const std::wstring places[] = { cwd, exeFolder, installFolder.path() };
    for (int i = 0; i < 3; ++i) {
        SCOPED_TRACE(Narrow(places[i]));
        const std::wstring cut = NameFilling(places[i], 259, static_cast<WCHAR>(L'k' + i));
        ScopedPath file;
        ASSERT_TRUE(file.MakeFile(places[i] + L"\\" + cut));
        const std::wstring longer = cut + L"_more";
        GuardedBuffer found;
        EXPECT_EQ(0, FindLauncherFile(found.data(), longer.c_str(), &launcher));
        EXPECT_TRUE(found.Untouched()) << Narrow(found.Text());
    }
}

TEST_F(FindLauncherFileTest, VeryLongNameFailsWithoutOverrun)
{
    SetInstallPath(installFolder.path());
    Launcher launcher(config);
    const std::wstring huge(2000, L'h');
    GuardedBuffer found;
    EXPECT_EQ(0, FindLauncherFile(found.data(), huge.c_str(), &launcher));
    EXPECT_TRUE(found.Untouched());
}

// Creates folders below `base` until the path is longer than `length`
// characters; removes them again at the end.
class DeepFolder
{
public:
    DeepFolder(const std::wstring& base, size_t length)
        : base(base)
    {
        std::wstring path = base;
        while (path.size() <= length) {
            path += L"\\" + std::wstring(60, static_cast<WCHAR>(L'a' + levels.size()));
            if (!CreateDirectoryW((L"\\\\?\\" + path).c_str(), NULL))
                break;
            levels.push_back(path);
        }
    }
    ~DeepFolder()
    {
        for (size_t i = levels.size(); i > 0; --i)
            RemoveDirectoryW((L"\\\\?\\" + levels[i - 1]).c_str());
    }
    std::wstring deepest() const { return levels.empty() ? base : levels.back(); }

private:
    std::wstring base;
    std::vector<std::wstring> levels;
};

TEST_F(FindLauncherFileTest, CurrentDirectoryBeyondThePathLimit)
{
    DeepFolder deep(cwdFolder.path(), 300);
    const std::wstring target = deep.deepest();
    if (target.size() <= 300)
        GTEST_SKIP() << "could not make a folder path of more than 300 characters here";
    // Back out of the deep folder before it is removed, however the test ends.
    struct Restore
    {
        std::wstring folder;
        ~Restore() { SetCurrentDirectoryW(folder.c_str()); }
    } restore = { previousDirectory };
    if (!SetCurrentDirectoryW(target.c_str())
        && !SetCurrentDirectoryW((L"\\\\?\\" + target).c_str()))
        GTEST_SKIP() << "SetCurrentDirectoryW refuses a path of " << target.size()
                     << " characters here (error " << GetLastError()
                     << "); the deep-current-directory case is untested";
    WCHAR probe[8];
    const DWORD needed = GetCurrentDirectoryW(8, probe);
    EXPECT_GT(needed, static_cast<DWORD>(MAX_PATH));
    RecordProperty("currentDirectoryLength", static_cast<int>(needed));

    Launcher launcher(config);
    GuardedBuffer none;
    EXPECT_EQ(0, FindLauncherFile(none.data(), name.c_str(), &launcher));
    EXPECT_TRUE(none.Untouched());

    ScopedPath besideExe;
    ASSERT_TRUE(besideExe.MakeFile(exeFolder + L"\\" + name));
    GuardedBuffer found;
    EXPECT_EQ(1, FindLauncherFile(found.data(), name.c_str(), &launcher));
    EXPECT_EQ(exeFolder + L"\\" + name, found.Text());
    EXPECT_TRUE(found.GuardsIntact());
}

}  // namespace
