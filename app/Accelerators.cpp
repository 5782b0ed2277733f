// Keyboard access: Alt plus the character marked with "&" in a caption sends
// that button's command, in whatever language the captions came.
#include "Launcher.h"

#include "../controls/BoundedString.h"

namespace {

const WCHAR kNoMnemonic = 0xFFFF;
const int kMnemonicLength = 512;

}  // namespace

WCHAR Launcher::GetMnemonic(const WCHAR* caption)
{
    for (const WCHAR* at = caption; *at != L'\0'; at = CharNextW(at)) {
        if (*at != L'&')
            continue;
        const WCHAR* marked = CharNextW(at);
        if (*marked == L'\0')
            break;
        // Lower-cased through the system so that upper-cased captions give the same key.
        WCHAR rest[kMnemonicLength];
        BoundedCopy(rest, kMnemonicLength, marked);
        CharLowerW(rest);
        return rest[0];
    }
    return kNoMnemonic;
}

BOOL Launcher::BuildAccelerators()
{
    ACCEL* entries = static_cast<ACCEL*>(LocalAlloc(LMEM_ZEROINIT, kButtonCount * sizeof(ACCEL)));
    if (entries == NULL)
        return 0;

    int count = 0;
    for (int i = 0; i < kButtonCount; ++i) {
        if (buttons[i] == NULL)
            continue;
        const WCHAR key = GetMnemonic(buttons[i]->caption);
        if (key == kNoMnemonic)
            continue;
        entries[count].fVirt = FALT;
        entries[count].key = key;
        entries[count].cmd = buttons[i]->commandId;
        ++count;
    }

    if (accelTable != NULL) {
        DestroyAcceleratorTable(accelTable);
        accelTable = NULL;
    }
    if (count > 0)
        accelTable = CreateAcceleratorTableW(entries, count);
    LocalFree(entries);
    return accelTable != NULL ? 1 : 0;
}
