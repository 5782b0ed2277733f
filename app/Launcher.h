// The one object that carries the launcher's run: its window, its five
// buttons, its keyboard accelerators, its background and its configuration.
#ifndef LAUNCHER_LAUNCHER_H
#define LAUNCHER_LAUNCHER_H

#include <windows.h>

#include "../config/LauncherConfig.h"
#include "../controls/Bitmap.h"
#include "../controls/BitmapTextButton.h"

// Child ids of the buttons, the ids of their WM_COMMAND and of their accelerators.
#define IDC_MAIN_ACTION 400
#define IDC_WEBSITE     401
#define IDC_UNINSTALL   402
#define IDC_README      403
#define IDC_EXIT        404

// The main window's one timer: watches for the end of an installation.
#define IDT_SETUP_POLL  0

const int kButtonCount = 5;
const WCHAR kLauncherClassName[] = L"Corvane Launcher";

class Launcher
{
public:
    // Allocation gives NULL when memory runs out; the entry point tests for it.
    static void* operator new(size_t bytes) throw();
    static void operator delete(void* block);

    explicit Launcher(const LauncherConfig& config);
    virtual ~Launcher();

    virtual int Run();
    virtual BOOL Initialize(HINSTANCE instance, int showCommand);
    virtual BOOL IsGameInstalled();
    virtual BOOL GetInstallPath(WCHAR* path, UINT capacity);
    virtual BOOL GetGamePath(WCHAR* path, UINT capacity);
    virtual BOOL Install();
    virtual BOOL Play();
    virtual BOOL OpenWebsite();
    virtual BOOL OpenReadme();
    virtual BOOL Uninstall();
    virtual BOOL PlayStartupSound();
    virtual BOOL BuildAccelerators();
    virtual WCHAR GetMnemonic(const WCHAR* caption);
    virtual BOOL OnCreate(HWND window);
    virtual void OnDrawItem(const DRAWITEMSTRUCT* item);
    virtual void OnPaint();

    // In the order Initialize creates them: main action, Uninstall, Website,
    // Readme, Exit.
    BitmapTextButton* buttons[kButtonCount];
    HWND window;
    HACCEL accelTable;
    Bitmap background;
    LauncherConfig config;
    BOOL setupSucceeded;

private:
    Launcher(const Launcher&);
    Launcher& operator=(const Launcher&);

    BitmapTextButton* ButtonFor(WORD commandId) const;
    BOOL IsButtonEnabled(WORD commandId) const;
};

// The window procedure reaches the launcher through this; set at WM_CREATE.
extern Launcher* g_launcher;

LRESULT CALLBACK LauncherWndProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);

#endif
