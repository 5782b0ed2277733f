// Soak benchmark: starts the launcher and drives every button through
// hover, leave, press, release and repaint for many cycles, then prints the
// launcher's private bytes and GDI object count before and after. Not a
// test: it only reports.
//   bench_soak LAUNCHER.exe [CYCLES]
#include <windows.h>
#include <psapi.h>

#include <cstdio>
#include <cstdlib>
#include <vector>

namespace {

struct Found
{
    DWORD processId;
    HWND window;
};

BOOL CALLBACK FindLauncher(HWND window, LPARAM data)
{
    Found* found = reinterpret_cast<Found*>(data);
    DWORD owner = 0;
    GetWindowThreadProcessId(window, &owner);
    wchar_t name[64];
    if (owner == found->processId && GetClassNameW(window, name, 64) && !wcscmp(name, L"Corvane Launcher")) {
        found->window = window;
        return FALSE;
    }
    return TRUE;
}

BOOL CALLBACK CollectButton(HWND window, LPARAM data)
{
    reinterpret_cast<std::vector<HWND>*>(data)->push_back(window);
    return TRUE;
}

SIZE_T PrivateBytes(HANDLE process)
{
    PROCESS_MEMORY_COUNTERS_EX counters = {};
    counters.cb = sizeof(counters);
    GetProcessMemoryInfo(process, reinterpret_cast<PROCESS_MEMORY_COUNTERS*>(&counters), sizeof(counters));
    // Some platforms leave PrivateUsage empty; the pagefile figure is the same commit charge.
    return counters.PrivateUsage != 0 ? counters.PrivateUsage : counters.PagefileUsage;
}

void Cycle(const std::vector<HWND>& buttons)
{
    for (HWND button : buttons) {
        SendMessageW(button, WM_MOUSEMOVE, 0, MAKELPARAM(10, 10));
        SendMessageW(button, WM_MOUSELEAVE, 0, 0);
        SendMessageW(button, BM_SETSTATE, TRUE, 0);
        SendMessageW(button, BM_SETSTATE, FALSE, 0);
        RedrawWindow(button, NULL, NULL, RDW_INVALIDATE | RDW_UPDATENOW);
    }
}

}  // namespace

int wmain(int argc, wchar_t** argv)
{
    if (argc < 2) {
        std::fprintf(stderr, "usage: bench_soak LAUNCHER.exe [CYCLES]\n");
        return 2;
    }
    const int cycles = argc > 2 ? _wtoi(argv[2]) : 10000;
    std::vector<wchar_t> commandLine(argv[1], argv[1] + wcslen(argv[1]) + 1);
    STARTUPINFOW startup = {};
    startup.cb = sizeof(startup);
    PROCESS_INFORMATION process = {};
    if (!CreateProcessW(argv[1], &commandLine[0], NULL, NULL, FALSE, 0, NULL, NULL, &startup, &process)) {
        std::fprintf(stderr, "cannot start the launcher\n");
        return 1;
    }
    WaitForInputIdle(process.hProcess, 10000);
    Found found = { process.dwProcessId, NULL };
    for (int i = 0; i < 100 && !found.window; ++i) {
        EnumWindows(FindLauncher, reinterpret_cast<LPARAM>(&found));
        Sleep(50);
    }
    std::vector<HWND> buttons;
    if (found.window)
        EnumChildWindows(found.window, CollectButton, reinterpret_cast<LPARAM>(&buttons));
    if (buttons.size() != 5) {
        std::fprintf(stderr, "launcher window or its five buttons not found\n");
        TerminateProcess(process.hProcess, 1);
        return 1;
    }

    Cycle(buttons);  // let first-use allocations happen before the baseline
    const SIZE_T bytesBefore = PrivateBytes(process.hProcess);
    const DWORD gdiBefore = GetGuiResources(process.hProcess, GR_GDIOBJECTS);
    const DWORD userBefore = GetGuiResources(process.hProcess, GR_USEROBJECTS);
    for (int i = 0; i < cycles; ++i)
        Cycle(buttons);
    const SIZE_T bytesAfter = PrivateBytes(process.hProcess);
    const DWORD gdiAfter = GetGuiResources(process.hProcess, GR_GDIOBJECTS);
    const DWORD userAfter = GetGuiResources(process.hProcess, GR_USEROBJECTS);

    std::printf("soak: %d cycles of hover, leave, press, release and repaint on 5 buttons\n", cycles);
    std::printf("  private bytes: %lu before, %lu after, growth %ld (target <= 65536)\n",
                static_cast<unsigned long>(bytesBefore), static_cast<unsigned long>(bytesAfter),
                static_cast<long>(bytesAfter) - static_cast<long>(bytesBefore));
    if (gdiBefore == 0 && gdiAfter == 0)
        std::printf("  GDI objects: not reported by this platform\n");
    else
        std::printf("  GDI objects: %lu before, %lu after\n", gdiBefore, gdiAfter);
    if (userBefore != 0 || userAfter != 0)
        std::printf("  USER objects: %lu before, %lu after\n", userBefore, userAfter);

    PostMessageW(found.window, WM_CLOSE, 0, 0);
    if (WaitForSingleObject(process.hProcess, 10000) != WAIT_OBJECT_0)
        TerminateProcess(process.hProcess, 1);
    CloseHandle(process.hThread);
    CloseHandle(process.hProcess);
    return 0;
}
