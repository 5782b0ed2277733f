// Every process the launcher starts goes through the shell's "open" verb,
// with the shell's own error dialogs turned off.
#ifndef LAUNCHER_SHELL_LAUNCH_H
#define LAUNCHER_SHELL_LAUNCH_H

#include <windows.h>

// Hands the file, program or address to the shell and returns at once; the
// started program inherits the launcher's current directory. 1 on success.
BOOL ShellOpen(const WCHAR* file, const WCHAR* parameters);

// Starts `file` (a full path) in its own folder and waits for the process to
// end, storing its exit code where given. 1 when started, 0 on failure.
BOOL ShellOpenAndWait(const WCHAR* file, const WCHAR* parameters, DWORD* exitCode);

#endif
