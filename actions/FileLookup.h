// Finding a file the launcher needs when only its relative name is known.
#ifndef LAUNCHER_FILE_LOOKUP_H
#define LAUNCHER_FILE_LOOKUP_H

#include <windows.h>

class Launcher;

// Looks for `name` in the current directory, beside the launcher's own
// executable and in the game's install folder, in this order. 1 with the full
// path in `destination` (MAX_PATH characters); 0 leaves it unwritten.
BOOL FindLauncherFile(WCHAR* destination, const WCHAR* name, Launcher* launcher);

// folder + "\" + name into `destination` (MAX_PATH characters); 0 when the
// result would not fit.
BOOL JoinPath(WCHAR* destination, const WCHAR* folder, const WCHAR* name);

#endif
