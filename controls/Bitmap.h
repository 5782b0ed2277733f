// One GDI bitmap from the executable's own resources, painted unscaled at the
// origin of a device context. Owns its handle; cannot be copied.
#ifndef LAUNCHER_BITMAP_H
#define LAUNCHER_BITMAP_H

#include <windows.h>

class Bitmap
{
public:
    Bitmap();
    virtual ~Bitmap();

    // Releases the current bitmap, then loads the named BITMAP resource as a
    // DIB section. 1 when loaded; 0 leaves the Bitmap empty.
    int Load(LPCWSTR name);
    void Release();
    int GetWidth() const;
    int GetHeight() const;
    void Draw(HDC target) const;
    // Gives the window the bitmap's size without moving or redrawing it.
    void SizeWindow(HWND window) const;

private:
    Bitmap(const Bitmap&);
    Bitmap& operator=(const Bitmap&);

    HBITMAP handle;
};

#endif
