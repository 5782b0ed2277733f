// Measure, copy and append UTF-16 strings within a capacity given in
// characters, never reading or writing beyond it.
#ifndef LAUNCHER_BOUNDED_STRING_H
#define LAUNCHER_BOUNDED_STRING_H

#include <windows.h>

// The HRESULT form of ERROR_INSUFFICIENT_BUFFER: the text was cut to fit.
const HRESULT kBoundedTruncated = static_cast<HRESULT>(0x8007007AL);

// S_OK with the length in bytes (terminator not counted), or E_INVALIDARG and
// 0 when the string is null or has no terminator within `limit` characters.
HRESULT BoundedLength(const WCHAR* text, size_t limit, size_t* lengthInBytes);

// Copies up to capacity - 1 characters and always terminates, unless the
// capacity itself is refused (0 or above 0x7FFFFFFF: E_INVALIDARG).
HRESULT BoundedCopy(WCHAR* destination, size_t capacity, const WCHAR* source);

// Copies `source` after the destination's text within `capacity` characters.
HRESULT BoundedAppend(WCHAR* destination, size_t capacity, const WCHAR* source);

#endif
