// Start-up benchmark: starts the launcher and the reference popup in turn, N
// times each, and times CreateProcess to WaitForInputIdle. Prints the
// medians and ratios, also against the popup with five captioned buttons.
// Not a test: it only reports.
//   bench_startup LAUNCHER.exe REFERENCE.exe [N]
#include <windows.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

namespace {

double Now()
{
    LARGE_INTEGER frequency, counter;
    QueryPerformanceFrequency(&frequency);
    QueryPerformanceCounter(&counter);
    return static_cast<double>(counter.QuadPart) * 1000.0 / static_cast<double>(frequency.QuadPart);
}

// Milliseconds until the program waits for input, or a negative value.
double TimeStart(const wchar_t* program, const wchar_t* arguments = L"")
{
    std::wstring line = std::wstring(L"\"") + program + L"\" " + arguments;
    std::vector<wchar_t> commandLine(line.begin(), line.end());
    commandLine.push_back(L'\0');
    STARTUPINFOW startup = {};
    startup.cb = sizeof(startup);
    PROCESS_INFORMATION process = {};
    const double start = Now();
    if (!CreateProcessW(program, &commandLine[0], NULL, NULL, FALSE, 0, NULL, NULL, &startup, &process))
        return -1;
    const DWORD idle = WaitForInputIdle(process.hProcess, 10000);
    const double elapsed = Now() - start;
    TerminateProcess(process.hProcess, 0);
    WaitForSingleObject(process.hProcess, 10000);
    CloseHandle(process.hThread);
    CloseHandle(process.hProcess);
    return idle == 0 ? elapsed : -1;
}

double Median(std::vector<double> values)
{
    std::sort(values.begin(), values.end());
    const size_t middle = values.size() / 2;
    return values.size() % 2 ? values[middle] : (values[middle - 1] + values[middle]) / 2;
}

}  // namespace

int wmain(int argc, wchar_t** argv)
{
    if (argc < 3) {
        std::fprintf(stderr, "usage: bench_startup LAUNCHER.exe REFERENCE.exe [N]\n");
        return 2;
    }
    const int runs = argc > 3 ? _wtoi(argv[3]) : 30;
    std::vector<double> launcher, reference, withButtons, ratios, buttonRatios;
    TimeStart(argv[1]);  // warm the file cache and the server for both
    TimeStart(argv[2]);
    for (int i = 0; i < runs; ++i) {
        const double a = TimeStart(argv[1]);
        const double b = TimeStart(argv[2]);
        const double c = TimeStart(argv[2], L"buttons");
        if (a < 0 || b < 0 || c < 0) {
            std::fprintf(stderr, "run %d: a program did not reach its message loop\n", i);
            return 1;
        }
        launcher.push_back(a);
        reference.push_back(b);
        withButtons.push_back(c);
        ratios.push_back(a / b);
        buttonRatios.push_back(a / c);
    }
    std::printf("start-up to input idle, %d runs each\n", runs);
    std::printf("  launcher:         median %.1f ms\n", Median(launcher));
    std::printf("  reference popup:  median %.1f ms\n", Median(reference));
    std::printf("  ratio (median of per-run ratios): %.3f (target <= 1.05)\n", Median(ratios));
    std::printf("  reference popup with five owner-drawn captioned buttons: median %.1f ms\n",
                Median(withButtons));
    std::printf("  ratio to that popup: %.3f\n", Median(buttonRatios));
    return 0;
}
