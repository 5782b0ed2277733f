// Entry point: one instance at a time, one Launcher for the whole run.
#include <windows.h>

#include "Launcher.h"
#include "SystemLibrary.h"

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE, LPWSTR, int showCommand)
{
    // Before anything else can load a library.
    RestrictDllSearch();

    LauncherConfig config;
    LoadLauncherConfig(&config);

    HANDLE mutex = CreateMutexW(NULL, TRUE, config.mutexName);
    const DWORD error = GetLastError();
    if (error == ERROR_ALREADY_EXISTS || error == ERROR_ACCESS_DENIED) {
        // Another instance runs: leave quietly, as a second click on the disc should.
        if (mutex != NULL)
            CloseHandle(mutex);
        return 0;
    }

    int status = 1;
    Launcher* launcher = new Launcher(config);
    if (launcher != NULL) {
        if (launcher->Initialize(instance, showCommand)) {
            launcher->Run();
            status = 0;
        }
        delete launcher;
    }

    if (mutex != NULL) {
        ReleaseMutex(mutex);
        CloseHandle(mutex);
    }
    return status;
}
