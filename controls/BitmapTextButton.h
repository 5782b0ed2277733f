// An owner-drawn push button that paints one of four state bitmaps and draws
// its caption centred over it in a bold font of its own, with the hover state
// followed through mouse-leave tracking.
#ifndef LAUNCHER_BITMAP_TEXT_BUTTON_H
#define LAUNCHER_BITMAP_TEXT_BUTTON_H

#include <windows.h>

#include "Bitmap.h"

class BitmapTextButton
{
public:
    // Allocation gives NULL when memory runs out; callers test for it.
    static void* operator new(size_t bytes) throw();
    static void operator delete(void* block);

    // Every button stands at x 284 of its parent; `top` is its y.
    BitmapTextButton(HWND parent, const WCHAR* caption, WORD commandId, int top,
                     const WCHAR* fontFace, int fontHeight, int uppercase);
    virtual ~BitmapTextButton();

    // Resource ids for the four states; 0 leaves an optional state without an
    // image. 1 when the normal and every requested image were loaded.
    int SetBitmaps(UINT normalId, UINT pressedId, UINT hoverId, UINT disabledId);
    void DrawItem(const DRAWITEMSTRUCT* item);

    static LRESULT CALLBACK ButtonSubclassProc(HWND window, UINT message, WPARAM wParam,
                                               LPARAM lParam);

    HWND hwnd;
    WORD commandId;
    HFONT font;
    int mouseOver;
    int uppercase;
    WCHAR* caption;
    WNDPROC previousWndProc;
    Bitmap normalBitmap;
    Bitmap pressedBitmap;
    Bitmap hoverBitmap;
    Bitmap disabledBitmap;

private:
    BitmapTextButton(const BitmapTextButton&);
    BitmapTextButton& operator=(const BitmapTextButton&);

    LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM lParam);
    LRESULT PassOn(UINT message, WPARAM wParam, LPARAM lParam);
    void Repaint();
};

#endif
