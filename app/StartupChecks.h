// The two start-up refusals as decisions on plain values, so they can be
// tried for systems and displays that the test machine cannot produce.
#ifndef LAUNCHER_STARTUP_CHECKS_H
#define LAUNCHER_STARTUP_CHECKS_H

#include <windows.h>

// Windows XP (5.1) and later pass.
bool IsWindowsVersionSupported(DWORD majorVersion, DWORD minorVersion);

// More than 8 bits per pixel (NUMCOLORS -1) or at least 256 colours pass.
bool IsDisplaySupported(int numColors, int bitsPerPixel);

#endif
