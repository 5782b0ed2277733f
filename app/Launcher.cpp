#include "Launcher.h"

#include "../controls/HeapMemory.h"

void* Launcher::operator new(size_t bytes) throw()
{
    return HeapAllocate(bytes);
}

void Launcher::operator delete(void* block)
{
    HeapRelease(block);
}

Launcher::Launcher(const LauncherConfig& config)
    : window(NULL), accelTable(NULL), config(config), setupSucceeded(0)
{
    for (int i = 0; i < kButtonCount; ++i)
        buttons[i] = NULL;
}

Launcher::~Launcher()
{
    for (int i = 0; i < kButtonCount; ++i) {
        if (buttons[i] != NULL) {
            delete buttons[i];
            buttons[i] = NULL;
        }
    }
    if (accelTable != NULL) {
        DestroyAcceleratorTable(accelTable);
        accelTable = NULL;
    }
    UnregisterClassW(kLauncherClassName, GetModuleHandleW(NULL));
    background.Release();
}

int Launcher::Run()
{
    MSG message;
    while (GetMessageW(&message, NULL, 0, 0)) {
        // Every message of the thread meets the accelerators first, so Alt plus a
        // mnemonic works whichever button has the focus.
        if (!TranslateAcceleratorW(window, accelTable, &message)) {
            TranslateMessage(&message);
            DispatchMessageW(&message);
        }
    }
    return 0;
}

BitmapTextButton* Launcher::ButtonFor(WORD commandId) const
{
    for (int i = 0; i < kButtonCount; ++i) {
        if (buttons[i] != NULL && buttons[i]->commandId == commandId)
            return buttons[i];
    }
    return NULL;
}

BOOL Launcher::IsButtonEnabled(WORD commandId) const
{
    const BitmapTextButton* button = ButtonFor(commandId);
    return button != NULL && IsWindowEnabled(button->hwnd);
}
