#include "Bitmap.h"

Bitmap::Bitmap()
    : handle(NULL)
{
}

Bitmap::~Bitmap()
{
    Release();
}

int Bitmap::Load(LPCWSTR name)
{
    Release();
    handle = static_cast<HBITMAP>(LoadImageW(GetModuleHandleW(NULL), name, IMAGE_BITMAP,
                                             0, 0, LR_CREATEDIBSECTION));
    return handle != NULL ? 1 : 0;
}

void Bitmap::Release()
{
    if (handle != NULL) {
        DeleteObject(handle);
        handle = NULL;
    }
}

int Bitmap::GetWidth() const
{
    if (handle == NULL)
        return 0;
    BITMAP info;
    ZeroMemory(&info, sizeof(info));
    GetObjectW(handle, sizeof(info), &info);
    return info.bmWidth;
}

int Bitmap::GetHeight() const
{
    if (handle == NULL)
        return 0;
    BITMAP info;
    ZeroMemory(&info, sizeof(info));
    GetObjectW(handle, sizeof(info), &info);
    return info.bmHeight;
}

void Bitmap::Draw(HDC target) const
{
    if (handle == NULL)
        return;
    HDC memory = CreateCompatibleDC(target);
    HGDIOBJ previous = SelectObject(memory, handle);
    BitBlt(target, 0, 0, GetWidth(), GetHeight(), memory, 0, 0, SRCCOPY);
    SelectObject(memory, previous);
    DeleteDC(memory);
}

void Bitmap::SizeWindow(HWND window) const
{
    SetWindowPos(window, NULL, -1, -1, GetWidth(), GetHeight(),
                 SWP_NOMOVE | SWP_NOZORDER | SWP_NOREDRAW | SWP_NOACTIVATE);
}
