// Reading a path-like string value from an open registry key into a
// MAX_PATH buffer: the type is checked, a terminator forced, and
// REG_EXPAND_SZ expanded.
#ifndef LAUNCHER_REGISTRY_VALUE_H
#define LAUNCHER_REGISTRY_VALUE_H

#include <windows.h>

// 1 with the text in `text` (MAX_PATH characters); 0 when the value is
// missing, larger than the buffer, of another type than REG_SZ and
// REG_EXPAND_SZ, or expands beyond MAX_PATH - 1 characters.
BOOL ReadPathValue(HKEY key, const WCHAR* valueName, WCHAR* text);

#endif
