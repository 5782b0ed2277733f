// The launcher's texts in the system's language: twelve blocks of ten strings,
// and the three-letter codes that name localized readme copies.
#ifndef LAUNCHER_LANGUAGE_H
#define LAUNCHER_LANGUAGE_H

#include <windows.h>

const int kLocalizedTextLength = 2048;

// Holds the text of the last successful LoadLocalizedString; every call overwrites it.
extern WCHAR g_localizedText[kLocalizedTextLength];

// The block base and language code for a language id, without asking the system.
UINT LanguageBlockFor(LANGID language);
const WCHAR* LanguageCodeFor(LANGID language);

// The same for the current system default language, asked afresh on every call.
UINT GetLanguageBlock();
const WCHAR* GetLanguageCode();

// Entry `offset` of the current block in g_localizedText, or NULL when absent.
WCHAR* LoadLocalizedString(UINT offset);

#endif
