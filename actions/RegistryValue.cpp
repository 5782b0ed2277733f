#include "RegistryValue.h"

#include "../controls/BoundedString.h"
#include "../controls/HeapMemory.h"

namespace {

BOOL ExpandInPlace(WCHAR* text)
{
    const DWORD needed = ExpandEnvironmentStringsW(text, NULL, 0);
    if (needed == 0)
        return 0;
    WCHAR* expanded = static_cast<WCHAR*>(HeapAllocate(needed * sizeof(WCHAR)));
    if (expanded == NULL)
        return 0;
    const DWORD written = ExpandEnvironmentStringsW(text, expanded, needed);
    // An expansion that does not fit the path buffer would name another place.
    const BOOL fits = written != 0 && written <= needed
                      && BoundedCopy(text, MAX_PATH, expanded) == S_OK;
    HeapRelease(expanded);
    return fits;
}

}  // namespace

BOOL ReadPathValue(HKEY key, const WCHAR* valueName, WCHAR* text)
{
    ZeroMemory(text, MAX_PATH * sizeof(WCHAR));
    DWORD type = REG_NONE;
    DWORD size = MAX_PATH * sizeof(WCHAR);
    const LONG status =
        RegQueryValueExW(key, valueName, NULL, &type, reinterpret_cast<BYTE*>(text), &size);
    // Values may be stored without a terminator.
    text[MAX_PATH - 1] = L'\0';
    if (status != ERROR_SUCCESS)
        return 0;
    if (type == REG_EXPAND_SZ)
        return ExpandInPlace(text);
    return type == REG_SZ;
}
