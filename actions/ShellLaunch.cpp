#include "ShellLaunch.h"

#include <shellapi.h>
#include <shlwapi.h>

#include "../controls/BoundedString.h"

#ifndef SEE_MASK_NOASYNC
#define SEE_MASK_NOASYNC 0x00000100
#endif

namespace {

void FillRequest(SHELLEXECUTEINFOW* request, ULONG mask, const WCHAR* file,
                 const WCHAR* parameters, const WCHAR* directory)
{
    ZeroMemory(request, sizeof(*request));
    request->cbSize = sizeof(*request);
    request->fMask = mask;
    request->lpVerb = L"open";
    request->lpFile = file;
    request->lpParameters = parameters;
    request->lpDirectory = directory;
    request->nShow = SW_SHOW;
}

}  // namespace

BOOL ShellOpen(const WCHAR* file, const WCHAR* parameters)
{
    SHELLEXECUTEINFOW request;
    FillRequest(&request, SEE_MASK_FLAG_NO_UI, file, parameters, NULL);
    return ShellExecuteExW(&request) ? 1 : 0;
}

BOOL ShellOpenAndWait(const WCHAR* file, const WCHAR* parameters, DWORD* exitCode)
{
    WCHAR folder[MAX_PATH];
    if (BoundedCopy(folder, MAX_PATH, file) != S_OK)
        return 0;
    PathRemoveFileSpecW(folder);

    SHELLEXECUTEINFOW request;
    FillRequest(&request, SEE_MASK_NOCLOSEPROCESS | SEE_MASK_NOASYNC | SEE_MASK_FLAG_NO_UI, file,
                parameters, folder);
    if (!ShellExecuteExW(&request))
        return 0;
    // The shell may serve the request without a new process: nothing to wait for.
    if (request.hProcess == NULL)
        return 1;
    WaitForSingleObject(request.hProcess, INFINITE);
    if (exitCode != NULL)
        GetExitCodeProcess(request.hProcess, exitCode);
    CloseHandle(request.hProcess);
    return 1;
}
