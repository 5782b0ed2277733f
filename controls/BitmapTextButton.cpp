#include "BitmapTextButton.h"

#include <commctrl.h>

#include "BoundedString.h"
#include "HeapMemory.h"

namespace {

const int kButtonLeft = 284;
const int kInitialSize = 100;
const int kCaptionLength = 512;
const int kDefaultFontHeight = 12;
const COLORREF kDisabledText = RGB(62, 62, 62);
const COLORREF kActiveText = RGB(255, 255, 255);
const COLORREF kNormalText = RGB(128, 128, 128);

// Shown when the caption could not be copied, so readers never meet NULL.
WCHAR kNoCaption[] = L"";

BOOL TrackLeave(HWND window, DWORD flags)
{
    TRACKMOUSEEVENT track;
    ZeroMemory(&track, sizeof(track));
    track.cbSize = sizeof(track);
    track.dwFlags = flags;
    track.hwndTrack = window;
    return _TrackMouseEvent(&track);
}

}  // namespace

void* BitmapTextButton::operator new(size_t bytes) throw()
{
    return HeapAllocate(bytes);
}

void BitmapTextButton::operator delete(void* block)
{
    HeapRelease(block);
}

BitmapTextButton::BitmapTextButton(HWND parent, const WCHAR* caption, WORD commandId, int top,
                                   const WCHAR* fontFace, int fontHeight, int uppercase)
    : hwnd(NULL), commandId(0), font(NULL), mouseOver(0), uppercase(0), caption(kNoCaption),
      previousWndProc(NULL)
{
    WCHAR given[kCaptionLength];
    BoundedCopy(given, kCaptionLength, caption);

    size_t bytes = 0;
    if (SUCCEEDED(BoundedLength(given, kCaptionLength, &bytes))) {
        const size_t characters = bytes / sizeof(WCHAR) + 1;
        WCHAR* copy = static_cast<WCHAR*>(HeapAllocate(characters * sizeof(WCHAR)));
        if (copy != NULL) {
            BoundedCopy(copy, characters, given);
            if (uppercase)
                CharUpperW(copy);
            this->caption = copy;
        }
    }

    font = CreateFontW(fontHeight != 0 ? fontHeight : kDefaultFontHeight, 0, 0, 0, FW_BOLD,
                       FALSE, FALSE, FALSE, DEFAULT_CHARSET, OUT_DEFAULT_PRECIS,
                       CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY, DEFAULT_PITCH | FF_DONTCARE,
                       fontFace != NULL ? fontFace : L"Arial");

    hwnd = CreateWindowExW(0, L"BUTTON", given,
                           WS_CHILD | WS_VISIBLE | WS_CLIPSIBLINGS | WS_TABSTOP | BS_OWNERDRAW,
                           kButtonLeft, top, kInitialSize, kInitialSize, parent,
                           reinterpret_cast<HMENU>(static_cast<UINT_PTR>(commandId)),
                           GetModuleHandleW(NULL), NULL);
    this->commandId = commandId;
    this->uppercase = uppercase;

    previousWndProc = reinterpret_cast<WNDPROC>(
        SetWindowLongW(hwnd, GWL_WNDPROC, reinterpret_cast<LONG>(ButtonSubclassProc)));
    SetWindowLongW(hwnd, GWL_USERDATA, reinterpret_cast<LONG>(this));
    InvalidateRect(hwnd, NULL, FALSE);
}

BitmapTextButton::~BitmapTextButton()
{
    if (hwnd != NULL) {
        DestroyWindow(hwnd);
        hwnd = NULL;
    }
    if (font != NULL) {
        DeleteObject(font);
        font = NULL;
    }
    if (caption != kNoCaption)
        HeapRelease(caption);
    caption = NULL;
    normalBitmap.Release();
    pressedBitmap.Release();
    hoverBitmap.Release();
    disabledBitmap.Release();
}

int BitmapTextButton::SetBitmaps(UINT normalId, UINT pressedId, UINT hoverId, UINT disabledId)
{
    normalBitmap.Release();
    pressedBitmap.Release();
    hoverBitmap.Release();
    disabledBitmap.Release();
    if (hwnd == NULL)
        return 0;
    if (!normalBitmap.Load(MAKEINTRESOURCEW(normalId)))
        return 0;

    int result = 1;
    const UINT optionalIds[3] = { pressedId, hoverId, disabledId };
    Bitmap* optional[3] = { &pressedBitmap, &hoverBitmap, &disabledBitmap };
    for (int i = 0; i < 3; ++i) {
        if (optionalIds[i] != 0 && !optional[i]->Load(MAKEINTRESOURCEW(optionalIds[i])))
            result = 0;
    }
    normalBitmap.SizeWindow(hwnd);
    // The resize does not redraw, and the part it adds was never invalidated.
    Repaint();
    return result;
}

void BitmapTextButton::DrawItem(const DRAWITEMSTRUCT* item)
{
    if (item == NULL || item->hwndItem != hwnd)
        return;
    RECT area;
    CopyRect(&area, &item->rcItem);
    HDC dc = item->hDC;

    if (item->itemState & ODS_DISABLED) {
        disabledBitmap.Draw(dc);
        SetTextColor(dc, kDisabledText);
    } else if (item->itemState & ODS_SELECTED) {
        pressedBitmap.Draw(dc);
        SetTextColor(dc, kActiveText);
        OffsetRect(&area, 1, 1);
    } else if (mouseOver == 1) {
        hoverBitmap.Draw(dc);
        SetTextColor(dc, kActiveText);
    } else {
        normalBitmap.Draw(dc);
        SetTextColor(dc, kNormalText);
    }
    SelectObject(dc, font);
    SetBkMode(dc, TRANSPARENT);
    DrawTextW(dc, caption, lstrlenW(caption), &area, DT_CENTER | DT_VCENTER | DT_SINGLELINE);
}

LRESULT CALLBACK BitmapTextButton::ButtonSubclassProc(HWND window, UINT message, WPARAM wParam,
                                                      LPARAM lParam)
{
    BitmapTextButton* button =
        reinterpret_cast<BitmapTextButton*>(GetWindowLongW(window, GWL_USERDATA));
    if (button == NULL)
        return DefWindowProcW(window, message, wParam, lParam);
    return button->HandleMessage(message, wParam, lParam);
}

LRESULT BitmapTextButton::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam)
{
    switch (message) {
    case WM_MOUSEMOVE:
        if (mouseOver == 0 && TrackLeave(hwnd, TME_LEAVE)) {
            mouseOver = 1;
            Repaint();
        }
        break;
    case WM_LBUTTONDOWN:
        if (mouseOver != 0 && TrackLeave(hwnd, TME_CANCEL | TME_LEAVE)) {
            mouseOver = 0;
            Repaint();
        }
        break;
    case WM_LBUTTONDBLCLK:
        // Lets a quick second click press the button like a single click.
        PostMessageW(hwnd, WM_LBUTTONDOWN, wParam, lParam);
        break;
    case WM_MOUSELEAVE:
        mouseOver = 0;
        Repaint();
        return 0;
    }
    return PassOn(message, wParam, lParam);
}

LRESULT BitmapTextButton::PassOn(UINT message, WPARAM wParam, LPARAM lParam)
{
    return CallWindowProcW(previousWndProc, hwnd, message, wParam, lParam);
}

void BitmapTextButton::Repaint()
{
    InvalidateRect(hwnd, NULL, FALSE);
}
