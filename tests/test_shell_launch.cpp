// ShellOpen and ShellOpenAndWait, seen from the programs they start: the
// recorder helper writes down its own path, its current directory and its
// arguments, and exits with the code it is told.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "TestSupport.h"
#include "actions/ShellLaunch.h"

namespace {

class ShellLaunch : public ::testing::Test
{
protected:
    ShellLaunch() : programs(L"prg"), caller(L"cwd") {}

    void TearDown() override
    {
        RecordLog::ClearVariables();
        RemoveTreeWhenFree(programs.path());
    }

    RecordLog log;
    ScopedFolder programs;  // where the started programs lie
    ScopedFolder caller;    // the caller's current directory
};

TEST_F(ShellLaunch, OpenPassesTheParametersAsGiven)
{
    const std::wstring program = CopyRecorder(programs, L"game.exe");
    ASSERT_EQ(1, ShellOpen(program.c_str(), L"-window /x \"two words\" tail"));
    const std::vector<RecordedStart> starts = log.WaitForStarts();
    ASSERT_EQ(1u, starts.size());
    EXPECT_TRUE(SamePath(program, starts[0].program)) << starts[0].program;
    EXPECT_EQ(L"-window /x \"two words\" tail", starts[0].arguments);
}

TEST_F(ShellLaunch, OpenAndWaitPassesTheParametersAsGiven)
{
    const std::wstring program = CopyRecorder(programs, L"setup.exe");
    DWORD exitCode = 77;
    ASSERT_EQ(1, ShellOpenAndWait(program.c_str(), L"/S /v\"a b\"", &exitCode));
    EXPECT_EQ(0u, exitCode);
    const std::vector<RecordedStart> starts = log.Starts();
    ASSERT_EQ(1u, starts.size());
    EXPECT_TRUE(SamePath(program, starts[0].program)) << starts[0].program;
    EXPECT_EQ(L"/S /v\"a b\"", starts[0].arguments);
}

TEST_F(ShellLaunch, OpenStartsInTheCallersCurrentDirectory)
{
    const std::wstring program = CopyRecorder(programs, L"game.exe");
    ScopedCurrentDirectory here(caller.path());
    ASSERT_EQ(1, ShellOpen(program.c_str(), L""));
    const std::vector<RecordedStart> starts = log.WaitForStarts();
    ASSERT_EQ(1u, starts.size());
    EXPECT_TRUE(SamePath(caller.path(), starts[0].folder)) << starts[0].folder;
    EXPECT_EQ(L"", starts[0].arguments);
}

TEST_F(ShellLaunch, OpenAndWaitStartsInTheTargetsOwnFolder)
{
    const std::wstring program = CopyRecorder(programs, L"disk1\\setup.exe");
    ScopedCurrentDirectory here(caller.path());
    ASSERT_EQ(1, ShellOpenAndWait(program.c_str(), L"", NULL));
    const std::vector<RecordedStart> starts = log.Starts();
    ASSERT_EQ(1u, starts.size());
    EXPECT_TRUE(SamePath(programs.Join(L"disk1"), starts[0].folder)) << starts[0].folder;
}

TEST_F(ShellLaunch, OpenAndWaitHandsBackTheExitCode)
{
    const std::wstring program = CopyRecorder(programs, L"setup.exe");
    RecordLog::SetExitCode(3);
    DWORD exitCode = 0;
    EXPECT_EQ(1, ShellOpenAndWait(program.c_str(), L"", &exitCode));
    EXPECT_EQ(3u, exitCode);
    EXPECT_EQ(1u, log.Starts().size());
}

TEST_F(ShellLaunch, OpenAndWaitWaitsUntilTheProgramHasEnded)
{
    const std::wstring program = CopyRecorder(programs, L"setup.exe");
    RecordLog::SetSleep(700);
    RecordLog::SetExitCode(5);
    DWORD exitCode = 0;
    const DWORD start = GetTickCount();
    ASSERT_EQ(1, ShellOpenAndWait(program.c_str(), L"", &exitCode));
    const DWORD elapsed = GetTickCount() - start;
    // The record is written before the sleep, the exit code only at the end.
    EXPECT_EQ(1u, log.Starts().size());
    EXPECT_EQ(5u, exitCode);
    EXPECT_GE(elapsed, 650u);
}

TEST_F(ShellLaunch, OpenReturnsBeforeTheProgramEnds)
{
    const std::wstring program = CopyRecorder(programs, L"game.exe");
    RecordLog::SetSleep(3000);
    const DWORD start = GetTickCount();
    ASSERT_EQ(1, ShellOpen(program.c_str(), L""));
    EXPECT_LT(GetTickCount() - start, 2500u);
    EXPECT_EQ(1u, log.WaitForStarts().size());
}

// Runs the call on a thread of its own, so that an error box would not block
// the test: after the call (or a time-out) the visible windows are counted.
struct MissingCall
{
    std::wstring file;
    bool wait;
    BOOL result;
    DWORD exitCode;
};

DWORD WINAPI CallShell(void* parameter)
{
    MissingCall* call = static_cast<MissingCall*>(parameter);
    call->result = call->wait ? ShellOpenAndWait(call->file.c_str(), L"/x", &call->exitCode)
                              : ShellOpen(call->file.c_str(), L"/x");
    return 0;
}

void ExpectSilentFailure(MissingCall& call)
{
    const std::vector<HWND> before = VisibleWindowsOfThisProcess();
    ASSERT_TRUE(before.empty());
    const DWORD start = GetTickCount();
    HANDLE thread = CreateThread(NULL, 0, CallShell, &call, 0, NULL);
    ASSERT_TRUE(thread != NULL);
    const DWORD waited = WaitForSingleObject(thread, 5000);
    const DWORD elapsed = GetTickCount() - start;
    PumpMessages(200);
    const std::vector<HWND> shown = VisibleWindowsOfThisProcess();
    EXPECT_EQ(WAIT_OBJECT_0, waited) << "the call blocked";
    EXPECT_LT(elapsed, 3000u);
    EXPECT_TRUE(shown.empty()) << shown.size() << " window(s) on screen";
    for (size_t i = 0; i < shown.size(); ++i)
        PostMessageW(shown[i], WM_CLOSE, 0, 0);
    WaitForSingleObject(thread, 5000);
    CloseHandle(thread);
}

TEST_F(ShellLaunch, OpenOfAMissingFileFailsWithoutADialog)
{
    MissingCall call = { programs.Join(L"missing.exe"), false, 99, 0 };
    ExpectSilentFailure(call);
    EXPECT_EQ(0, call.result);
    // A missing document fails the same way.
    MissingCall document = { programs.Join(L"missing.rtf"), false, 99, 0 };
    ExpectSilentFailure(document);
    EXPECT_EQ(0, document.result);
}

TEST_F(ShellLaunch, OpenAndWaitOfAMissingFileFailsAndLeavesTheExitCode)
{
    MissingCall call = { programs.Join(L"missing.exe"), true, 99, 0xDEADBEEF };
    ExpectSilentFailure(call);
    EXPECT_EQ(0, call.result);
    EXPECT_EQ(0xDEADBEEFu, call.exitCode);
}

class ShellAssociations : public ShellLaunch
{
protected:
    RecorderAssociations associations;
};

TEST_F(ShellAssociations, OpenHandsADocumentToItsProgram)
{
    const std::wstring document = programs.AddFile(L"notes.rtf", "{\\rtf1 notes}");
    ASSERT_EQ(1, ShellOpen(document.c_str(), L""));
    const std::vector<RecordedStart> starts = log.WaitForStarts();
    ASSERT_EQ(1u, starts.size());
    EXPECT_TRUE(SamePath(associations.handler(), starts[0].program)) << starts[0].program;
    EXPECT_TRUE(SamePath(document, Unquoted(starts[0].arguments))) << starts[0].arguments;
}

TEST_F(ShellAssociations, OpenHandsAWebAddressToTheBrowser)
{
    const std::wstring address = L"https://www.example.com/duskmere/launcher?from=test";
    ASSERT_EQ(1, ShellOpen(address.c_str(), L""));
    const std::vector<RecordedStart> starts = log.WaitForStarts();
    ASSERT_EQ(1u, starts.size());
    EXPECT_TRUE(SamePath(associations.handler(), starts[0].program)) << starts[0].program;
    EXPECT_EQ(address, Unquoted(starts[0].arguments));
}

}  // namespace
