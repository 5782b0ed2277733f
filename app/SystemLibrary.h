// Keeping planted DLLs out: a launcher runs from download folders and copied
// discs where anything may lie beside it.
#ifndef LAUNCHER_SYSTEM_LIBRARY_H
#define LAUNCHER_SYSTEM_LIBRARY_H

#include <windows.h>

// Limits later library loads to the system folder, with whichever API this
// Windows has (looked up at run time, so older systems still start).
void RestrictDllSearch();

// Loads a DLL by its full path in the system folder; NULL when it cannot.
HMODULE LoadSystemLibrary(const WCHAR* fileName);

#endif
