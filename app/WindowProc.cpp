#include "Launcher.h"

#include "../res/resource.h"

Launcher* g_launcher = NULL;

namespace {

const UINT kSetupPollPeriod = 1000;

void RunCommand(HWND window, WORD command)
{
    switch (command) {
    case IDC_MAIN_ACTION:
        if (g_launcher->IsGameInstalled()) {
            if (g_launcher->Play())
                PostMessageW(window, WM_CLOSE, 0, 0);
        } else {
            if (g_launcher->Install())
                SetTimer(window, IDT_SETUP_POLL, kSetupPollPeriod, NULL);
            // Without waiting, setup takes over: the launcher leaves whatever happened.
            if (!g_launcher->config.waitForSetup)
                PostMessageW(window, WM_CLOSE, 0, 0);
        }
        break;
    case IDC_WEBSITE:
        g_launcher->OpenWebsite();
        break;
    case IDC_UNINSTALL:
        if (g_launcher->Uninstall())
            PostMessageW(window, WM_CLOSE, 0, 0);
        break;
    case IDC_README:
        g_launcher->OpenReadme();
        break;
    case IDC_EXIT:
        DestroyWindow(window);
        PostQuitMessage(0);
        break;
    }
}

void WatchSetup(HWND window)
{
    if (!g_launcher->IsGameInstalled())
        return;
    KillTimer(window, IDT_SETUP_POLL);
    // After a waited-for setup the game starts by itself.
    if (g_launcher->config.waitForSetup)
        SendMessageW(window, WM_COMMAND, IDC_MAIN_ACTION, 0);
}

void StartDrag(HWND window, LPARAM lParam)
{
    // Finish pending painting first: the system's move loop paints nothing.
    RECT pending;
    GetUpdateRect(window, &pending, FALSE);
    RedrawWindow(window, &pending, NULL,
                 RDW_INTERNALPAINT | RDW_NOERASE | RDW_ALLCHILDREN | RDW_UPDATENOW);
    PostMessageW(window, WM_NCLBUTTONDOWN, HTCAPTION, lParam);
}

}  // namespace

LRESULT CALLBACK LauncherWndProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    switch (message) {
    case WM_CREATE: {
        const CREATESTRUCTW* create = reinterpret_cast<const CREATESTRUCTW*>(lParam);
        g_launcher = static_cast<Launcher*>(create->lpCreateParams);
        if (g_launcher == NULL)
            return -1;
        g_launcher->OnCreate(window);
        break;
    }
    case WM_DESTROY:
        KillTimer(window, IDT_SETUP_POLL);
        PostQuitMessage(0);
        break;
    case WM_PAINT:
        g_launcher->OnPaint();
        break;
    case WM_DRAWITEM:
        g_launcher->OnDrawItem(reinterpret_cast<const DRAWITEMSTRUCT*>(lParam));
        break;
    case WM_COMMAND:
        RunCommand(window, LOWORD(wParam));
        break;
    case WM_TIMER:
        if (g_launcher == NULL)
            break;
        WatchSetup(window);
        return 0;
    case WM_LBUTTONDOWN:
        StartDrag(window, lParam);
        break;
    }
    return DefWindowProcW(window, message, wParam, lParam);
}

BOOL Launcher::OnCreate(HWND window)
{
    background.Load(MAKEINTRESOURCEW(IDB_BACKGROUND));
    background.SizeWindow(window);
    const int x = (GetSystemMetrics(SM_CXSCREEN) - background.GetWidth()) / 2;
    const int y = (GetSystemMetrics(SM_CYSCREEN) - background.GetHeight()) / 2;
    SetWindowPos(window, NULL, x, y, -1, -1,
                 SWP_NOSIZE | SWP_NOZORDER | SWP_NOREDRAW | SWP_NOACTIVATE);
    return 1;
}

void Launcher::OnDrawItem(const DRAWITEMSTRUCT* item)
{
    for (int i = 0; i < kButtonCount; ++i) {
        if (buttons[i] != NULL && buttons[i]->hwnd == item->hwndItem)
            buttons[i]->DrawItem(item);
    }
}

void Launcher::OnPaint()
{
    PAINTSTRUCT paint;
    HDC dc = BeginPaint(window, &paint);
    background.Draw(dc);
    EndPaint(window, &paint);
}
