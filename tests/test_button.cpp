// BitmapTextButton, shown as real button windows on a launcher-like parent in
// the virtual display: every look read back from the screen, the hover state
// followed through real mouse-leave tracking, the double-click, the caption,
// the font, SetBitmaps and what destruction gives back.
#include <gtest/gtest.h>

#include <windows.h>

#include <cstring>
#include <functional>
#include <map>
#include <memory>
#include <set>
#include <string>
#include <utility>
#include <vector>

#include "TestSupport.h"
#include "controls/BitmapTextButton.h"
#include "res/resource.h"

namespace {

const WORD kCommand = 400;  // IDC_MAIN_ACTION
const WORD kOtherCommand = 401;
const int kTop = 170;
const int kButtonX = 284;
const int kParentX = 20;
const int kParentY = 20;
const COLORREF kParentFill = RGB(255, 0, 255);
const COLORREF kGrey = RGB(128, 128, 128);
const COLORREF kWhite = RGB(255, 255, 255);
const COLORREF kDimGrey = RGB(62, 62, 62);

// ---------------------------------------------------------------------------
// The parent: the launcher's main window in small. A borderless popup that
// fills itself with a plain colour and hands every WM_DRAWITEM to the button
// it is for, as Launcher::OnDrawItem does; everything else goes to
// DefWindowProcW. It records what it was asked to draw and the commands.

struct DrawRecord
{
    HWND item;
    UINT state;
};

class ParentWindow
{
public:
    ParentWindow()
    {
        static bool registered = false;
        if (!registered) {
            WNDCLASSW windowClass;
            ZeroMemory(&windowClass, sizeof(windowClass));
            windowClass.lpfnWndProc = Procedure;
            windowClass.hInstance = GetModuleHandleW(NULL);
            windowClass.hCursor = LoadCursorW(NULL, IDC_ARROW);
            windowClass.lpszClassName = L"ButtonTestParent";
            RegisterClassW(&windowClass);
            registered = true;
        }
        window = CreateWindowExW(WS_EX_TOPMOST, L"ButtonTestParent", L"button test",
                                 WS_POPUP | WS_VISIBLE | WS_CLIPSIBLINGS | WS_CLIPCHILDREN,
                                 kParentX, kParentY, 640, 480, NULL, NULL,
                                 GetModuleHandleW(NULL), NULL);
        SetWindowLongPtrW(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(this));
        InvalidateRect(window, NULL, TRUE);
        UpdateWindow(window);
        PumpMessages();
    }

    ~ParentWindow()
    {
        SetWindowLongPtrW(window, GWLP_USERDATA, 0);
        DestroyWindow(window);
        PumpMessages(10);
    }

    HWND hwnd() const { return window; }
    void Adopt(BitmapTextButton* button) { buttons.push_back(button); }
    void Forget(BitmapTextButton* button)
    {
        for (size_t i = 0; i < buttons.size(); ++i)
            if (buttons[i] == button)
                buttons.erase(buttons.begin() + static_cast<long>(i));
    }

    // The state of the last WM_DRAWITEM for `item`, or ~0u when none came.
    UINT LastDrawState(HWND item) const
    {
        for (size_t i = draws.size(); i-- > 0;)
            if (draws[i].item == item)
                return draws[i].state;
        return ~0u;
    }

    std::vector<DrawRecord> draws;
    std::vector<WPARAM> commands;

private:
    ParentWindow(const ParentWindow&);
    ParentWindow& operator=(const ParentWindow&);

    static LRESULT CALLBACK Procedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
    {
        ParentWindow* self =
            reinterpret_cast<ParentWindow*>(GetWindowLongPtrW(window, GWLP_USERDATA));
        if (self != NULL) {
            switch (message) {
            case WM_ERASEBKGND: {
                RECT area;
                GetClientRect(window, &area);
                HBRUSH brush = CreateSolidBrush(kParentFill);
                FillRect(reinterpret_cast<HDC>(wParam), &area, brush);
                DeleteObject(brush);
                return 1;
            }
            case WM_DRAWITEM: {
                const DRAWITEMSTRUCT* item = reinterpret_cast<const DRAWITEMSTRUCT*>(lParam);
                DrawRecord record = { item->hwndItem, item->itemState };
                self->draws.push_back(record);
                for (size_t i = 0; i < self->buttons.size(); ++i)
                    if (self->buttons[i]->hwnd == item->hwndItem)
                        self->buttons[i]->DrawItem(item);
                break;
            }
            case WM_COMMAND:
                self->commands.push_back(wParam);
                break;
            }
        }
        return DefWindowProcW(window, message, wParam, lParam);
    }

    HWND window;
    std::vector<BitmapTextButton*> buttons;
};

// A parent with one button on it, the button's images set and everything painted.
struct Rig
{
    explicit Rig(UINT normal = IDB_BUTTON_NORMAL, UINT pressed = IDB_BUTTON_PRESSED,
                 UINT hover = IDB_BUTTON_HOVER, UINT disabled = IDB_BUTTON_DISABLED,
                 const WCHAR* caption = L"&Play", int uppercase = 1)
        : button(parent.hwnd(), caption, kCommand, kTop, NULL, 18, uppercase)
    {
        parent.Adopt(&button);
        bitmapsResult = button.SetBitmaps(normal, pressed, hover, disabled);
        UpdateWindow(parent.hwnd());
        PumpMessages();
    }

    ParentWindow parent;
    BitmapTextButton button;
    int bitmapsResult;
};

// ---------------------------------------------------------------------------
// Pixels.

// Repaints without erasing, as the product's own repaint requests do.
void Repaint(HWND window)
{
    RedrawWindow(window, NULL, NULL, RDW_INVALIDATE | RDW_UPDATENOW);
    PumpMessages(20);
}

// Paints the window's surface with a plain colour, outside any WM_PAINT.
void PaintPlain(HWND window, COLORREF colour)
{
    RECT area;
    GetClientRect(window, &area);
    HDC dc = GetDC(window);
    HBRUSH brush = CreateSolidBrush(colour);
    FillRect(dc, &area, brush);
    DeleteObject(brush);
    ReleaseDC(window, dc);
    GdiFlush();
}

const ResourcePixels& Image(UINT id)
{
    static std::map<UINT, std::unique_ptr<ResourcePixels> > cache;
    std::unique_ptr<ResourcePixels>& slot = cache[id];
    if (!slot)
        slot.reset(new ResourcePixels(id));
    return *slot;
}

// The caption "PLAY" lies within about x 142..186; these columns stay clear of it.
bool AwayFromCaption(int x)
{
    return x < 110 || x >= 220;
}

// How many pixels away from the caption differ from the state image `id`.
int MismatchesAway(const Capture& shot, UINT id)
{
    const ResourcePixels& image = Image(id);
    if (shot.width != image.width || shot.height != image.height)
        return -1;
    int mismatches = 0;
    for (int y = 0; y < shot.height; ++y)
        for (int x = 0; x < shot.width; ++x)
            if (AwayFromCaption(x))
                mismatches += !SameColour(image.At(x, y), shot.At(x, y), 0);
    return mismatches;
}

// Which of the four state images the capture shows around the caption, or 0.
UINT ImageShown(const Capture& shot)
{
    for (UINT id = IDB_BUTTON_NORMAL; id <= IDB_BUTTON_DISABLED; ++id)
        if (MismatchesAway(shot, id) == 0)
            return id;
    return 0;
}

typedef std::function<COLORREF(int, int)> Backdrop;

Backdrop ImageBackdrop(UINT id)
{
    const ResourcePixels* image = &Image(id);
    return [image](int x, int y) { return image->At(x, y); };
}

Backdrop PlainBackdrop(COLORREF colour)
{
    return [colour](int, int) { return colour; };
}

typedef std::set<std::pair<int, int> > PixelSet;

// The pixels that something (the caption) was drawn on over the backdrop.
PixelSet Touched(const Capture& shot, const Backdrop& backdrop)
{
    PixelSet touched;
    for (int y = 0; y < shot.height; ++y)
        for (int x = 0; x < shot.width; ++x)
            if (!SameColour(backdrop(x, y), shot.At(x, y), 4))
                touched.insert(std::make_pair(x, y));
    return touched;
}

PixelSet Shifted(const PixelSet& pixels, int dx, int dy)
{
    PixelSet shifted;
    for (PixelSet::const_iterator p = pixels.begin(); p != pixels.end(); ++p)
        shifted.insert(std::make_pair(p->first + dx, p->second + dy));
    return shifted;
}

RECT Bounds(const PixelSet& pixels)
{
    RECT bounds = { 100000, 100000, -1, -1 };
    for (PixelSet::const_iterator p = pixels.begin(); p != pixels.end(); ++p) {
        bounds.left = std::min<LONG>(bounds.left, p->first);
        bounds.top = std::min<LONG>(bounds.top, p->second);
        bounds.right = std::max<LONG>(bounds.right, p->first);
        bounds.bottom = std::max<LONG>(bounds.bottom, p->second);
    }
    return bounds;
}

// How many of the pixels have exactly the colour (the full strokes of the text).
int CountColour(const Capture& shot, const PixelSet& pixels, COLORREF colour)
{
    int count = 0;
    for (PixelSet::const_iterator p = pixels.begin(); p != pixels.end(); ++p)
        count += SameColour(shot.At(p->first, p->second), colour, 0);
    return count;
}

// The brightest channel among the pixels: text never lighter than its colour.
int Brightest(const Capture& shot, const PixelSet& pixels)
{
    int brightest = 0;
    for (PixelSet::const_iterator p = pixels.begin(); p != pixels.end(); ++p) {
        const COLORREF c = shot.At(p->first, p->second);
        brightest = std::max(brightest, std::max<int>(GetRValue(c),
                                                      std::max(GetGValue(c), GetBValue(c))));
    }
    return brightest;
}

// Checks that the button shows state image `id` with a caption of `colour`
// over it (and nothing else), and gives back the caption's pixels.
PixelSet ExpectLook(const Capture& shot, UINT id, COLORREF colour, const char* what)
{
    EXPECT_EQ(0, MismatchesAway(shot, id)) << what << ": the image around the caption";
    EXPECT_EQ(id, ImageShown(shot)) << what;
    const PixelSet caption = Touched(shot, ImageBackdrop(id));
    const RECT bounds = Bounds(caption);
    EXPECT_GT(caption.size(), 100u) << what << ": a caption is drawn";
    EXPECT_GE(bounds.left, 110) << what;
    EXPECT_LT(bounds.right, 220) << what;
    EXPECT_GT(CountColour(shot, caption, colour), 60)
        << what << ": the caption's strokes have the colour " << std::hex << colour;
    EXPECT_LE(Brightest(shot, caption), std::max<int>(GetRValue(colour), 62) + 3)
        << what << ": nothing lighter than the caption's colour";
    return caption;
}

// ---------------------------------------------------------------------------
// The pointer and the messages.

void ParkPointer()
{
    SetCursorPos(1010, 750);  // outside the parent, at the far corner of the screen
    PumpMessages(30);
}

// Puts the real pointer on the button at client (x, y) and reports the move.
void PointAt(const BitmapTextButton& button, int x, int y)
{
    POINT spot = { x, y };
    ClientToScreen(button.hwnd, &spot);
    SetCursorPos(spot.x, spot.y);
    PostMessageW(button.hwnd, WM_MOUSEMOVE, 0, MAKELPARAM(x, y));
    PumpMessages(50);
}

bool PumpUntil(const std::function<bool()>& done, DWORD milliseconds)
{
    const DWORD start = GetTickCount();
    while (!done()) {
        if (GetTickCount() - start > milliseconds)
            return false;
        PumpMessages(10);
    }
    return true;
}

struct Seen
{
    UINT message;
    WPARAM wParam;
    LPARAM lParam;
};

int CountOf(const std::vector<Seen>& seen, UINT message)
{
    int count = 0;
    for (size_t i = 0; i < seen.size(); ++i)
        count += seen[i].message == message;
    return count;
}

// What reached the standard button procedure: installed as the button's
// previousWndProc, it records every message ButtonSubclassProc passes on and
// forwards it to the standard procedure (all but `withheld`, when given).
class PassedOnRecorder
{
public:
    explicit PassedOnRecorder(BitmapTextButton& button, UINT withheld = WM_NULL)
        : button(&button)
    {
        seen.clear();
        PassedOnRecorder::withheld = withheld;
        standard = button.previousWndProc;
        button.previousWndProc = Record;
    }
    ~PassedOnRecorder()
    {
        if (button != NULL)
            button->previousWndProc = standard;
    }
    // For a button deleted while recording: nothing left to restore.
    void Forget() { button = NULL; }

    static std::vector<Seen> seen;

private:
    static LRESULT CALLBACK Record(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
    {
        Seen entry = { message, wParam, lParam };
        seen.push_back(entry);
        if (withheld != WM_NULL && message == withheld)
            return 0;
        return CallWindowProcW(standard, window, message, wParam, lParam);
    }

    BitmapTextButton* button;
    static WNDPROC standard;
    static UINT withheld;
};
std::vector<Seen> PassedOnRecorder::seen;
WNDPROC PassedOnRecorder::standard = NULL;
UINT PassedOnRecorder::withheld = WM_NULL;

// What arrived at the button: a subclass over ButtonSubclassProc that records
// every message and hands it on to it.
class ArrivalRecorder
{
public:
    explicit ArrivalRecorder(HWND window)
        : window(window)
    {
        seen.clear();
        subclass = reinterpret_cast<WNDPROC>(
            SetWindowLongPtrW(window, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(Record)));
    }
    ~ArrivalRecorder()
    {
        if (IsWindow(window))
            SetWindowLongPtrW(window, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(subclass));
    }

    static std::vector<Seen> seen;

private:
    static LRESULT CALLBACK Record(HWND target, UINT message, WPARAM wParam, LPARAM lParam)
    {
        Seen entry = { message, wParam, lParam };
        seen.push_back(entry);
        return CallWindowProcW(subclass, target, message, wParam, lParam);
    }

    HWND window;
    static WNDPROC subclass;
};
std::vector<Seen> ArrivalRecorder::seen;
WNDPROC ArrivalRecorder::subclass = NULL;

// Bitmap keeps its handle to itself; the tests read it from the object's
// layout (the virtual table pointer, then the handle) to see it given back.
HBITMAP HandleOf(const Bitmap& bitmap)
{
    static_assert(sizeof(Bitmap) == 2 * sizeof(void*), "Bitmap: a vtable pointer and a handle");
    HBITMAP handle;
    std::memcpy(&handle, reinterpret_cast<const char*>(&bitmap) + sizeof(void*), sizeof(handle));
    return handle;
}

POINT PositionInParent(HWND window)
{
    RECT area;
    GetWindowRect(window, &area);
    POINT corner = { area.left, area.top };
    ScreenToClient(GetParent(window), &corner);
    return corner;
}

SIZE WindowSize(HWND window)
{
    RECT area;
    GetWindowRect(window, &area);
    SIZE size = { area.right - area.left, area.bottom - area.top };
    return size;
}

class Button : public ::testing::Test
{
protected:
    void SetUp() override { ParkPointer(); }
    void TearDown() override { ParkPointer(); }
};

// ---------------------------------------------------------------------------
// The looks.

TEST_F(Button, TheStateImagesCanBeToldApartAroundTheCaption)
{
    for (UINT a = IDB_BUTTON_NORMAL; a <= IDB_BUTTON_DISABLED; ++a) {
        ASSERT_EQ(329, Image(a).width) << a;
        ASSERT_EQ(46, Image(a).height) << a;
        for (UINT b = a + 1; b <= IDB_BUTTON_DISABLED; ++b) {
            int differing = 0;
            for (int y = 0; y < 46; ++y)
                for (int x = 0; x < 329; ++x)
                    if (AwayFromCaption(x))
                        differing += !SameColour(Image(a).At(x, y), Image(b).At(x, y), 0);
            EXPECT_GT(differing, 1000) << a << " and " << b;
        }
    }
}

TEST_F(Button, NormalLookIsTheNormalImageWithAGreyCaption)
{
    Rig rig;
    ASSERT_EQ(1, rig.bitmapsResult);
    const Capture shot(rig.button.hwnd);
    ASSERT_EQ(329, shot.width);
    ASSERT_EQ(46, shot.height);
    EXPECT_EQ(0u, rig.parent.LastDrawState(rig.button.hwnd) & (ODS_SELECTED | ODS_DISABLED));
    ExpectLook(shot, IDB_BUTTON_NORMAL, kGrey, "normal");
}

TEST_F(Button, PressedLookIsThePressedImageWithAWhiteCaption)
{
    Rig rig;
    SendMessageW(rig.button.hwnd, BM_SETSTATE, TRUE, 0);
    PumpMessages();
    EXPECT_TRUE(rig.parent.LastDrawState(rig.button.hwnd) & ODS_SELECTED);
    ExpectLook(Capture(rig.button.hwnd), IDB_BUTTON_PRESSED, kWhite, "pressed");

    SendMessageW(rig.button.hwnd, BM_SETSTATE, FALSE, 0);
    PumpMessages();
    ExpectLook(Capture(rig.button.hwnd), IDB_BUTTON_NORMAL, kGrey, "released");
}

TEST_F(Button, DisabledLookIsTheDisabledImageWithADimCaption)
{
    Rig rig;
    EnableWindow(rig.button.hwnd, FALSE);
    PumpMessages();
    EXPECT_TRUE(rig.parent.LastDrawState(rig.button.hwnd) & ODS_DISABLED);
    ExpectLook(Capture(rig.button.hwnd), IDB_BUTTON_DISABLED, kDimGrey, "disabled");

    EnableWindow(rig.button.hwnd, TRUE);
    PumpMessages();
    ExpectLook(Capture(rig.button.hwnd), IDB_BUTTON_NORMAL, kGrey, "enabled again");
}

TEST_F(Button, PressedCaptionSitsOnePixelRightAndDown)
{
    Rig rig;
    const PixelSet normal = Touched(Capture(rig.button.hwnd), ImageBackdrop(IDB_BUTTON_NORMAL));
    SendMessageW(rig.button.hwnd, BM_SETSTATE, TRUE, 0);
    PumpMessages();
    const PixelSet pressed = Touched(Capture(rig.button.hwnd), ImageBackdrop(IDB_BUTTON_PRESSED));
    ASSERT_GT(normal.size(), 100u);
    EXPECT_TRUE(pressed == Shifted(normal, 1, 1))
        << "the same caption pixels, one to the right and one down";
    const RECT a = Bounds(normal);
    const RECT b = Bounds(pressed);
    EXPECT_EQ(a.left + 1, b.left);
    EXPECT_EQ(a.top + 1, b.top);
    EXPECT_EQ(a.right + 1, b.right);
    EXPECT_EQ(a.bottom + 1, b.bottom);

    // Hovered, the caption is white as when pressed, but centred.
    SendMessageW(rig.button.hwnd, BM_SETSTATE, FALSE, 0);
    rig.button.mouseOver = 1;
    Repaint(rig.button.hwnd);
    const PixelSet hover = Touched(Capture(rig.button.hwnd), ImageBackdrop(IDB_BUTTON_HOVER));
    EXPECT_TRUE(hover == normal);
    rig.button.mouseOver = 0;
}

TEST_F(Button, PressedCaptionOverAPlainSurfaceIsTheHoverCaptionMovedByOne)
{
    // No pressed or hover image: both draw their white caption alone.
    Rig rig(IDB_BUTTON_NORMAL, 0, 0, 0);
    ASSERT_EQ(1, rig.bitmapsResult);
    const COLORREF plain = RGB(0, 40, 80);
    rig.button.mouseOver = 1;
    PaintPlain(rig.button.hwnd, plain);
    Repaint(rig.button.hwnd);
    const Capture hover(rig.button.hwnd);
    rig.button.mouseOver = 0;

    PaintPlain(rig.button.hwnd, plain);
    SendMessageW(rig.button.hwnd, BM_SETSTATE, TRUE, 0);
    PumpMessages();
    const Capture pressed(rig.button.hwnd);

    const PixelSet hoverCaption = Touched(hover, PlainBackdrop(plain));
    ASSERT_GT(hoverCaption.size(), 100u);
    EXPECT_GT(CountColour(hover, hoverCaption, kWhite), 60);
    int differing = 0;
    for (int y = 0; y + 1 < 46; ++y)
        for (int x = 0; x + 1 < 329; ++x)
            differing += !SameColour(hover.At(x, y), pressed.At(x + 1, y + 1), 0);
    EXPECT_EQ(0, differing) << "pixel for pixel the same, one to the right and one down";
    for (int x = 0; x < 329; ++x)
        EXPECT_TRUE(SameColour(plain, pressed.At(x, 0), 0)) << x;
}

TEST_F(Button, DisabledLookWinsOverPressedAndHover)
{
    Rig rig;
    const PixelSet centred = Touched(Capture(rig.button.hwnd), ImageBackdrop(IDB_BUTTON_NORMAL));
    EnableWindow(rig.button.hwnd, FALSE);
    PumpMessages();
    SendMessageW(rig.button.hwnd, BM_SETSTATE, TRUE, 0);
    rig.button.mouseOver = 1;
    Repaint(rig.button.hwnd);
    const UINT state = rig.parent.LastDrawState(rig.button.hwnd);
    EXPECT_TRUE(state & ODS_DISABLED);
    EXPECT_TRUE(state & ODS_SELECTED);
    const PixelSet caption =
        ExpectLook(Capture(rig.button.hwnd), IDB_BUTTON_DISABLED, kDimGrey, "disabled, pressed, over");
    EXPECT_TRUE(caption == centred) << "not moved as a pressed caption is";

    SendMessageW(rig.button.hwnd, BM_SETSTATE, FALSE, 0);
    Repaint(rig.button.hwnd);
    ExpectLook(Capture(rig.button.hwnd), IDB_BUTTON_DISABLED, kDimGrey, "disabled, over");
    rig.button.mouseOver = 0;
}

TEST_F(Button, DisabledWithoutImageDrawsOnlyItsText)
{
    Rig rig(IDB_BUTTON_NORMAL, IDB_BUTTON_PRESSED, IDB_BUTTON_HOVER, 0);
    ASSERT_EQ(1, rig.bitmapsResult);
    const PixelSet centred = Touched(Capture(rig.button.hwnd), ImageBackdrop(IDB_BUTTON_NORMAL));

    // Over what the button showed before: the normal image stays.
    EnableWindow(rig.button.hwnd, FALSE);
    PumpMessages();
    EXPECT_TRUE(rig.parent.LastDrawState(rig.button.hwnd) & ODS_DISABLED);
    const Capture over(rig.button.hwnd);
    EXPECT_EQ(0, MismatchesAway(over, IDB_BUTTON_NORMAL));
    EXPECT_GT(CountColour(over, centred, kDimGrey), 60);

    // Over a plain surface: the plain colour and the dim caption, nothing else.
    const COLORREF plain = RGB(0, 96, 0);
    PaintPlain(rig.button.hwnd, plain);
    Repaint(rig.button.hwnd);
    const Capture shot(rig.button.hwnd);
    const PixelSet caption = Touched(shot, PlainBackdrop(plain));
    EXPECT_TRUE(caption == centred);
    EXPECT_GT(CountColour(shot, caption, kDimGrey), 60);
    int others = 0;
    for (int y = 0; y < shot.height; ++y)
        for (int x = 0; x < shot.width; ++x)
            if (!caption.count(std::make_pair(x, y)))
                others += !SameColour(plain, shot.At(x, y), 0);
    EXPECT_EQ(0, others);
}

TEST_F(Button, SetBitmapsPaintsTheWholeResizedButton)
{
    ParentWindow parent;
    BitmapTextButton button(parent.hwnd(), L"&Play", kCommand, kTop, NULL, 18, 1);
    parent.Adopt(&button);
    UpdateWindow(parent.hwnd());
    PumpMessages();
    ASSERT_EQ(100, Capture(button.hwnd).width) << "first painted at 100 x 100";

    ASSERT_EQ(1, button.SetBitmaps(IDB_BUTTON_NORMAL, IDB_BUTTON_PRESSED, IDB_BUTTON_HOVER,
                                   IDB_BUTTON_DISABLED));
    UpdateWindow(button.hwnd);
    const Capture shot(button.hwnd);
    ASSERT_EQ(329, shot.width);
    ASSERT_EQ(46, shot.height);
    EXPECT_EQ(0, MismatchesAway(shot, IDB_BUTTON_NORMAL)) << "all 329 pixels of every row";
    for (int y = 0; y < 46; y += 5)
        EXPECT_TRUE(SameColour(Image(IDB_BUTTON_NORMAL).At(328, y), shot.At(328, y), 0)) << y;
}

// ---------------------------------------------------------------------------
// Hover, through the real mouse-leave tracking.

TEST_F(Button, HoverFollowsThePointerThroughMouseLeaveTracking)
{
    Rig rig;
    PassedOnRecorder passedOn(rig.button);
    ArrivalRecorder arrived(rig.button.hwnd);
    EXPECT_EQ(0, rig.button.mouseOver);

    PointAt(rig.button, 40, 20);
    ASSERT_EQ(1, rig.button.mouseOver);
    EXPECT_GE(CountOf(PassedOnRecorder::seen, WM_MOUSEMOVE), 1) << "the move is passed on";
    ExpectLook(Capture(rig.button.hwnd), IDB_BUTTON_HOVER, kWhite, "hover");

    // A further move over the button keeps the hover and is passed on too.
    const int moves = CountOf(PassedOnRecorder::seen, WM_MOUSEMOVE);
    PostMessageW(rig.button.hwnd, WM_MOUSEMOVE, 0, MAKELPARAM(60, 22));
    PumpMessages();
    EXPECT_EQ(1, rig.button.mouseOver);
    EXPECT_EQ(moves + 1, CountOf(PassedOnRecorder::seen, WM_MOUSEMOVE));
    EXPECT_EQ(0, CountOf(ArrivalRecorder::seen, WM_MOUSELEAVE)) << "still over the button";

    // The pointer leaves: the armed tracking sends WM_MOUSELEAVE.
    SetCursorPos(1010, 750);
    ASSERT_TRUE(PumpUntil([] { return CountOf(ArrivalRecorder::seen, WM_MOUSELEAVE) > 0; }, 3000))
        << "WM_MOUSELEAVE arrives once the pointer has left";
    PumpMessages();
    EXPECT_EQ(0, rig.button.mouseOver);
    ExpectLook(Capture(rig.button.hwnd), IDB_BUTTON_NORMAL, kGrey, "after leaving");
    EXPECT_EQ(0, CountOf(PassedOnRecorder::seen, WM_MOUSELEAVE))
        << "WM_MOUSELEAVE never reaches the standard button procedure";

    // Back over the button, the hover comes back.
    PointAt(rig.button, 200, 30);
    EXPECT_EQ(1, rig.button.mouseOver);
    ExpectLook(Capture(rig.button.hwnd), IDB_BUTTON_HOVER, kWhite, "over again");
}

TEST_F(Button, TheButtonArmsTheLeaveTrackingItself)
{
    // Version 6 of the standard button procedure arms mouse-leave tracking
    // of its own on WM_MOUSEMOVE; kept from the moves, it cannot.
    Rig rig;
    PassedOnRecorder passedOn(rig.button, WM_MOUSEMOVE);
    ArrivalRecorder arrived(rig.button.hwnd);
    PointAt(rig.button, 40, 20);
    ASSERT_EQ(1, rig.button.mouseOver);
    ASSERT_GE(CountOf(PassedOnRecorder::seen, WM_MOUSEMOVE), 1);
    TRACKMOUSEEVENT query;
    ZeroMemory(&query, sizeof(query));
    query.cbSize = sizeof(query);
    query.dwFlags = TME_QUERY;
    ASSERT_TRUE(TrackMouseEvent(&query));
    EXPECT_TRUE(query.dwFlags & TME_LEAVE) << "leave tracking armed";
    EXPECT_EQ(rig.button.hwnd, query.hwndTrack);

    SetCursorPos(1010, 750);
    ASSERT_TRUE(PumpUntil([] { return CountOf(ArrivalRecorder::seen, WM_MOUSELEAVE) > 0; }, 3000))
        << "the button's own tracking sends WM_MOUSELEAVE";
    PumpMessages();
    EXPECT_EQ(0, rig.button.mouseOver);
    EXPECT_EQ(static_cast<UINT>(IDB_BUTTON_NORMAL), ImageShown(Capture(rig.button.hwnd)));
}

TEST_F(Button, MouseLeaveIsConsumedWithResultZero)
{
    Rig rig;
    PassedOnRecorder passedOn(rig.button);
    rig.button.mouseOver = 1;
    Repaint(rig.button.hwnd);
    ASSERT_EQ(static_cast<UINT>(IDB_BUTTON_HOVER), ImageShown(Capture(rig.button.hwnd)));

    EXPECT_EQ(0, SendMessageW(rig.button.hwnd, WM_MOUSELEAVE, 0, 0));
    EXPECT_EQ(0, rig.button.mouseOver);
    EXPECT_EQ(0, CountOf(PassedOnRecorder::seen, WM_MOUSELEAVE));
    UpdateWindow(rig.button.hwnd);
    EXPECT_EQ(static_cast<UINT>(IDB_BUTTON_NORMAL), ImageShown(Capture(rig.button.hwnd)))
        << "the leave asks for a repaint";

    // Other messages do reach it.
    SendMessageW(rig.button.hwnd, WM_NULL, 0, 0);
    EXPECT_EQ(1, CountOf(PassedOnRecorder::seen, WM_NULL));
}

TEST_F(Button, PressEndsTheHoverUntilThePointerMovesAgain)
{
    Rig rig;
    PassedOnRecorder passedOn(rig.button);
    PointAt(rig.button, 40, 20);
    ASSERT_EQ(1, rig.button.mouseOver);

    PostMessageW(rig.button.hwnd, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(40, 20));
    PumpMessages();
    EXPECT_EQ(0, rig.button.mouseOver);
    EXPECT_EQ(1, CountOf(PassedOnRecorder::seen, WM_LBUTTONDOWN)) << "the press is passed on";
    EXPECT_TRUE(SendMessageW(rig.button.hwnd, BM_GETSTATE, 0, 0) & BST_PUSHED);
    ExpectLook(Capture(rig.button.hwnd), IDB_BUTTON_PRESSED, kWhite, "pressed");

    // Not pushed any more, the button is not hovered either: the normal look.
    SendMessageW(rig.button.hwnd, BM_SETSTATE, FALSE, 0);
    PumpMessages();
    EXPECT_EQ(0, rig.button.mouseOver);
    ExpectLook(Capture(rig.button.hwnd), IDB_BUTTON_NORMAL, kGrey, "after the press");

    PostMessageW(rig.button.hwnd, WM_LBUTTONUP, 0, MAKELPARAM(40, 20));
    PumpMessages();
    PointAt(rig.button, 41, 20);
    EXPECT_EQ(1, rig.button.mouseOver) << "the next move arms the tracking again";
    ExpectLook(Capture(rig.button.hwnd), IDB_BUTTON_HOVER, kWhite, "moved again");
}

// ---------------------------------------------------------------------------
// The double-click.

TEST_F(Button, DoubleClickLeavesAButtonDownPostedAfterIt)
{
    Rig rig;
    PassedOnRecorder passedOn(rig.button);
    const HWND hwnd = rig.button.hwnd;
    const LPARAM where = MAKELPARAM(40, 20);
    MSG message;
    while (PeekMessageW(&message, hwnd, WM_MOUSEFIRST, WM_MOUSELAST, PM_REMOVE)) {
    }

    PostMessageW(hwnd, WM_LBUTTONDBLCLK, MK_LBUTTON, where);
    ASSERT_TRUE(PeekMessageW(&message, hwnd, WM_MOUSEFIRST, WM_MOUSELAST, PM_REMOVE));
    ASSERT_EQ(static_cast<UINT>(WM_LBUTTONDBLCLK), message.message);
    MSG next;
    EXPECT_FALSE(PeekMessageW(&next, hwnd, WM_MOUSEFIRST, WM_MOUSELAST, PM_NOREMOVE));
    DispatchMessageW(&message);
    EXPECT_EQ(1, CountOf(PassedOnRecorder::seen, WM_LBUTTONDBLCLK)) << "passed on itself";
    EXPECT_EQ(0, CountOf(PassedOnRecorder::seen, WM_LBUTTONDOWN));

    ASSERT_TRUE(PeekMessageW(&next, hwnd, WM_MOUSEFIRST, WM_MOUSELAST, PM_REMOVE));
    EXPECT_EQ(static_cast<UINT>(WM_LBUTTONDOWN), next.message);
    EXPECT_EQ(hwnd, next.hwnd);
    EXPECT_EQ(static_cast<WPARAM>(MK_LBUTTON), next.wParam);
    EXPECT_EQ(where, next.lParam);

    // That second press works as a single click would.
    DispatchMessageW(&next);
    PumpMessages();
    EXPECT_EQ(1, CountOf(PassedOnRecorder::seen, WM_LBUTTONDOWN));
    EXPECT_TRUE(SendMessageW(hwnd, BM_GETSTATE, 0, 0) & BST_PUSHED);
    rig.parent.commands.clear();
    PostMessageW(hwnd, WM_LBUTTONUP, 0, where);
    PumpMessages();
    ASSERT_EQ(1u, rig.parent.commands.size());
    EXPECT_EQ(MAKEWPARAM(kCommand, BN_CLICKED), rig.parent.commands[0]);
}

// ---------------------------------------------------------------------------
// The caption and the font.

TEST_F(Button, DrawnCaptionIsUpperCasedWhileTheWindowTextKeepsItsCase)
{
    ParentWindow parent;
    BitmapTextButton upper(parent.hwnd(), L"&Play", kCommand, kTop, NULL, 18, 1);
    BitmapTextButton asGiven(parent.hwnd(), L"&Play", kOtherCommand, 260, NULL, 18, 0);
    EXPECT_STREQ(L"&PLAY", upper.caption);
    EXPECT_TRUE(WindowText(upper.hwnd) == L"&Play");
    EXPECT_EQ(1, upper.uppercase);
    EXPECT_STREQ(L"&Play", asGiven.caption);
    EXPECT_TRUE(WindowText(asGiven.hwnd) == L"&Play");
    EXPECT_EQ(0, asGiven.uppercase);
}

TEST_F(Button, AmpersandPlayIsDrawnAsPlayWithThePUnderlined)
{
    ParentWindow parent;
    BitmapTextButton marked(parent.hwnd(), L"&Play", kCommand, kTop, NULL, 18, 1);
    BitmapTextButton plain(parent.hwnd(), L"PLAY", kOtherCommand, 260, NULL, 18, 0);
    BitmapTextButton lower(parent.hwnd(), L"Play", kOtherCommand + 1, 350, NULL, 18, 0);
    parent.Adopt(&marked);
    parent.Adopt(&plain);
    parent.Adopt(&lower);
    ASSERT_EQ(1, marked.SetBitmaps(IDB_BUTTON_NORMAL, 0, 0, 0));
    ASSERT_EQ(1, plain.SetBitmaps(IDB_BUTTON_NORMAL, 0, 0, 0));
    ASSERT_EQ(1, lower.SetBitmaps(IDB_BUTTON_NORMAL, 0, 0, 0));
    UpdateWindow(parent.hwnd());
    PumpMessages();

    const Capture withMark(marked.hwnd);
    const Capture reference(plain.hwnd);
    const PixelSet letters = Touched(reference, ImageBackdrop(IDB_BUTTON_NORMAL));
    ASSERT_GT(letters.size(), 100u);
    const RECT text = Bounds(letters);
    const int pEnd = text.left + (text.right - text.left) / 4 + 1;  // the P's columns

    int underline = 0, elsewhere = 0;
    for (int y = 0; y < withMark.height; ++y)
        for (int x = 0; x < withMark.width; ++x) {
            if (SameColour(withMark.At(x, y), reference.At(x, y), 0))
                continue;
            // The line may start a pixel or two left of the P's ink (its bearing).
            if (x >= text.left - 2 && x <= pEnd && y > text.bottom)
                ++underline;
            else
                ++elsewhere;
        }
    EXPECT_GE(underline, 5) << "a line under the P";
    EXPECT_EQ(0, elsewhere) << "otherwise PLAY exactly as without the marker, no & drawn";

    // Not upper-cased, the drawing differs from PLAY.
    const Capture asGiven(lower.hwnd);
    int differing = 0;
    for (int y = 0; y < 46; ++y)
        for (int x = 0; x < 329; ++x)
            differing += !SameColour(asGiven.At(x, y), reference.At(x, y), 0);
    EXPECT_GT(differing, 20);

    parent.Forget(&marked);
    parent.Forget(&plain);
    parent.Forget(&lower);
}

TEST_F(Button, CaptionLongerThan511CharactersIsCut)
{
    ParentWindow parent;
    std::wstring given;
    for (int i = 0; i < 600; ++i)
        given += static_cast<WCHAR>(L'a' + i % 26);
    BitmapTextButton upper(parent.hwnd(), given.c_str(), kCommand, kTop, NULL, 18, 1);
    BitmapTextButton asGiven(parent.hwnd(), given.c_str(), kOtherCommand, 260, NULL, 18, 0);

    std::wstring expectedUpper = given.substr(0, 511);
    for (size_t i = 0; i < expectedUpper.size(); ++i)
        expectedUpper[i] = static_cast<WCHAR>(expectedUpper[i] - L'a' + L'A');
    EXPECT_EQ(511, lstrlenW(upper.caption));
    EXPECT_TRUE(std::wstring(upper.caption) == expectedUpper);
    EXPECT_EQ(511, GetWindowTextLengthW(upper.hwnd));
    EXPECT_TRUE(WindowText(upper.hwnd) == given.substr(0, 511));
    EXPECT_TRUE(std::wstring(asGiven.caption) == given.substr(0, 511));
    EXPECT_TRUE(WindowText(asGiven.hwnd) == given.substr(0, 511));

    const std::wstring exact = given.substr(0, 511);
    BitmapTextButton whole(parent.hwnd(), exact.c_str(), kOtherCommand + 1, 350, NULL, 18, 0);
    EXPECT_TRUE(std::wstring(whole.caption) == exact) << "511 characters fit";
    EXPECT_TRUE(WindowText(whole.hwnd) == exact);
}

LOGFONTW FontOf(const BitmapTextButton& button)
{
    LOGFONTW font;
    ZeroMemory(&font, sizeof(font));
    EXPECT_EQ(static_cast<int>(sizeof(font)), GetObjectW(button.font, sizeof(font), &font));
    return font;
}

TEST_F(Button, FontIsBoldOfTheGivenHeightAndFace)
{
    ParentWindow parent;
    BitmapTextButton shipped(parent.hwnd(), L"&Play", kCommand, kTop, NULL, 18, 1);
    BitmapTextButton unset(parent.hwnd(), L"&Play", kOtherCommand, 218, NULL, 0, 1);
    BitmapTextButton negative(parent.hwnd(), L"&Play", kOtherCommand + 1, 267, NULL, -1, 1);
    BitmapTextButton named(parent.hwnd(), L"&Play", kOtherCommand + 2, 316, L"Tahoma", 20, 1);

    const LOGFONTW a = FontOf(shipped);
    EXPECT_EQ(18, a.lfHeight);
    EXPECT_EQ(FW_BOLD, a.lfWeight);
    EXPECT_STREQ(L"Arial", a.lfFaceName) << "a null face gives Arial";
    EXPECT_EQ(0, a.lfWidth);
    EXPECT_EQ(0, a.lfEscapement);
    EXPECT_EQ(0, a.lfOrientation);
    EXPECT_EQ(0, a.lfItalic);
    EXPECT_EQ(0, a.lfUnderline);
    EXPECT_EQ(0, a.lfStrikeOut);
    EXPECT_EQ(DEFAULT_CHARSET, a.lfCharSet);
    EXPECT_EQ(OUT_DEFAULT_PRECIS, a.lfOutPrecision);
    EXPECT_EQ(CLIP_DEFAULT_PRECIS, a.lfClipPrecision);
    EXPECT_EQ(DEFAULT_QUALITY, a.lfQuality);
    EXPECT_EQ(DEFAULT_PITCH | FF_DONTCARE, a.lfPitchAndFamily);

    EXPECT_EQ(12, FontOf(unset).lfHeight) << "0 gives 12";
    EXPECT_EQ(FW_BOLD, FontOf(unset).lfWeight);
    EXPECT_EQ(-1, FontOf(negative).lfHeight) << "passed on unchanged";
    EXPECT_EQ(FW_BOLD, FontOf(negative).lfWeight);
    EXPECT_EQ(20, FontOf(named).lfHeight);
    EXPECT_EQ(FW_BOLD, FontOf(named).lfWeight);
    EXPECT_STREQ(L"Tahoma", FontOf(named).lfFaceName);

    // Every button has a font of its own.
    EXPECT_NE(shipped.font, unset.font);
    EXPECT_NE(unset.font, negative.font);
    EXPECT_NE(negative.font, named.font);

    // The shipped 18 is the cell height (give or take Wine's font substitute).
    HDC dc = GetDC(shipped.hwnd);
    HGDIOBJ previous = SelectObject(dc, shipped.font);
    TEXTMETRICW metrics;
    ASSERT_TRUE(GetTextMetricsW(dc, &metrics));
    // Windows' Arial gives exactly 18; Wine's stand-in, Liberation Sans, 17.
    EXPECT_NEAR(18, metrics.tmHeight, 1);
    EXPECT_GE(metrics.tmWeight, FW_BOLD);
    SelectObject(dc, previous);
    ReleaseDC(shipped.hwnd, dc);
}

// ---------------------------------------------------------------------------
// The window and SetBitmaps.

TEST_F(Button, IsAnOwnerDrawnChildButtonAtX284)
{
    ParentWindow parent;
    BitmapTextButton button(parent.hwnd(), L"&Play", kCommand, 218, NULL, 18, 1);
    ASSERT_TRUE(IsWindow(button.hwnd));
    WCHAR className[32];
    GetClassNameW(button.hwnd, className, 32);
    EXPECT_EQ(0, lstrcmpiW(L"Button", className));
    EXPECT_EQ(0x5401000B, GetWindowLongW(button.hwnd, GWL_STYLE));
    EXPECT_EQ(0, GetWindowLongW(button.hwnd, GWL_EXSTYLE));
    EXPECT_EQ(parent.hwnd(), GetParent(button.hwnd));
    EXPECT_EQ(kCommand, button.commandId);
    EXPECT_EQ(static_cast<int>(kCommand), GetDlgCtrlID(button.hwnd));
    EXPECT_EQ(reinterpret_cast<LONG_PTR>(&button), GetWindowLongPtrW(button.hwnd, GWLP_USERDATA));
    EXPECT_EQ(reinterpret_cast<LONG_PTR>(&BitmapTextButton::ButtonSubclassProc),
              GetWindowLongPtrW(button.hwnd, GWLP_WNDPROC));
    EXPECT_TRUE(button.previousWndProc != NULL);
    EXPECT_EQ(0, button.mouseOver);
    EXPECT_TRUE(button.font != NULL);
    const POINT at = PositionInParent(button.hwnd);
    EXPECT_EQ(kButtonX, at.x);
    EXPECT_EQ(218, at.y);
    EXPECT_EQ(100, WindowSize(button.hwnd).cx);
    EXPECT_EQ(100, WindowSize(button.hwnd).cy);
    EXPECT_EQ(0, button.normalBitmap.GetWidth()) << "no images before SetBitmaps";
    EXPECT_EQ(0, button.pressedBitmap.GetWidth());
    EXPECT_EQ(0, button.hoverBitmap.GetWidth());
    EXPECT_EQ(0, button.disabledBitmap.GetWidth());
}

TEST_F(Button, SetBitmapsLoadsTheFourImagesAndTakesTheNormalSize)
{
    ParentWindow parent;
    BitmapTextButton button(parent.hwnd(), L"&Play", kCommand, 267, NULL, 18, 1);
    EXPECT_EQ(1, button.SetBitmaps(IDB_BUTTON_NORMAL, IDB_BUTTON_PRESSED, IDB_BUTTON_HOVER,
                                   IDB_BUTTON_DISABLED));
    const Bitmap* all[4] = { &button.normalBitmap, &button.pressedBitmap, &button.hoverBitmap,
                             &button.disabledBitmap };
    for (int i = 0; i < 4; ++i) {
        EXPECT_EQ(329, all[i]->GetWidth()) << i;
        EXPECT_EQ(46, all[i]->GetHeight()) << i;
    }
    EXPECT_EQ(329, WindowSize(button.hwnd).cx);
    EXPECT_EQ(46, WindowSize(button.hwnd).cy);
    const POINT at = PositionInParent(button.hwnd);
    EXPECT_EQ(kButtonX, at.x);
    EXPECT_EQ(267, at.y);

    // As the launcher gives them to most buttons: no disabled image.
    EXPECT_EQ(1, button.SetBitmaps(IDB_BUTTON_NORMAL, IDB_BUTTON_PRESSED, IDB_BUTTON_HOVER, 0));
    EXPECT_EQ(329, button.hoverBitmap.GetWidth());
    EXPECT_EQ(0, button.disabledBitmap.GetWidth());
    EXPECT_EQ(1, button.SetBitmaps(IDB_BUTTON_NORMAL, 0, 0, 0));
    EXPECT_EQ(329, button.normalBitmap.GetWidth());
    EXPECT_EQ(0, button.pressedBitmap.GetWidth());
    EXPECT_EQ(0, button.hoverBitmap.GetWidth());
}

TEST_F(Button, SetBitmapsWithoutTheNormalImageLoadsNothing)
{
    ParentWindow parent;
    BitmapTextButton button(parent.hwnd(), L"&Play", kCommand, kTop, NULL, 18, 1);
    EXPECT_EQ(0, button.SetBitmaps(999, IDB_BUTTON_PRESSED, IDB_BUTTON_HOVER, IDB_BUTTON_DISABLED));
    EXPECT_EQ(0, button.normalBitmap.GetWidth());
    EXPECT_EQ(0, button.pressedBitmap.GetWidth());
    EXPECT_EQ(0, button.hoverBitmap.GetWidth());
    EXPECT_EQ(0, button.disabledBitmap.GetWidth());
    EXPECT_EQ(100, WindowSize(button.hwnd).cx) << "keeps its size";
    EXPECT_EQ(100, WindowSize(button.hwnd).cy);
    const POINT at = PositionInParent(button.hwnd);
    EXPECT_EQ(kButtonX, at.x);
    EXPECT_EQ(kTop, at.y);

    // Loaded before, the images are dropped and the size stays.
    ASSERT_EQ(1, button.SetBitmaps(IDB_BUTTON_NORMAL, IDB_BUTTON_PRESSED, IDB_BUTTON_HOVER,
                                   IDB_BUTTON_DISABLED));
    EXPECT_EQ(0, button.SetBitmaps(999, IDB_BUTTON_PRESSED, IDB_BUTTON_HOVER, IDB_BUTTON_DISABLED));
    EXPECT_EQ(0, button.normalBitmap.GetWidth());
    EXPECT_EQ(0, button.pressedBitmap.GetWidth());
    EXPECT_EQ(0, button.hoverBitmap.GetWidth());
    EXPECT_EQ(0, button.disabledBitmap.GetWidth());
    EXPECT_EQ(329, WindowSize(button.hwnd).cx);
    EXPECT_EQ(46, WindowSize(button.hwnd).cy);
}

TEST_F(Button, SetBitmapsWithoutThePressedImageLoadsTheRest)
{
    ParentWindow parent;
    BitmapTextButton button(parent.hwnd(), L"&Play", kCommand, kTop, NULL, 18, 1);
    EXPECT_EQ(0, button.SetBitmaps(IDB_BUTTON_NORMAL, 999, IDB_BUTTON_HOVER, IDB_BUTTON_DISABLED));
    EXPECT_EQ(329, button.normalBitmap.GetWidth());
    EXPECT_EQ(0, button.pressedBitmap.GetWidth());
    EXPECT_EQ(329, button.hoverBitmap.GetWidth());
    EXPECT_EQ(329, button.disabledBitmap.GetWidth());
    EXPECT_EQ(329, WindowSize(button.hwnd).cx);
    EXPECT_EQ(46, WindowSize(button.hwnd).cy);
    const POINT at = PositionInParent(button.hwnd);
    EXPECT_EQ(kButtonX, at.x);
    EXPECT_EQ(kTop, at.y);
}

TEST_F(Button, SetBitmapsReleasesThePreviousImages)
{
    ParentWindow parent;
    BitmapTextButton button(parent.hwnd(), L"&Play", kCommand, kTop, NULL, 18, 1);
    ASSERT_EQ(1, button.SetBitmaps(IDB_BUTTON_NORMAL, IDB_BUTTON_PRESSED, IDB_BUTTON_HOVER,
                                   IDB_BUTTON_DISABLED));
    const HBITMAP first[4] = { HandleOf(button.normalBitmap), HandleOf(button.pressedBitmap),
                               HandleOf(button.hoverBitmap), HandleOf(button.disabledBitmap) };
    for (int i = 0; i < 4; ++i)
        ASSERT_EQ(static_cast<DWORD>(OBJ_BITMAP), GetObjectType(first[i])) << i;
    ASSERT_EQ(1, button.SetBitmaps(IDB_BUTTON_NORMAL, IDB_BUTTON_PRESSED, IDB_BUTTON_HOVER,
                                   IDB_BUTTON_DISABLED));
    for (int i = 0; i < 4; ++i)
        EXPECT_EQ(0u, GetObjectType(first[i])) << i;
}

TEST_F(Button, DrawItemIgnoresNullAndOtherControls)
{
    Rig rig;
    BitmapTextButton other(rig.parent.hwnd(), L"Other", kOtherCommand, 260, NULL, 18, 1);
    const COLORREF plain = RGB(10, 20, 30);
    PaintPlain(rig.button.hwnd, plain);

    rig.button.DrawItem(NULL);
    DRAWITEMSTRUCT item;
    ZeroMemory(&item, sizeof(item));
    item.CtlType = ODT_BUTTON;
    item.CtlID = kOtherCommand;
    item.itemAction = ODA_DRAWENTIRE;
    item.hwndItem = other.hwnd;
    item.hDC = GetDC(rig.button.hwnd);
    GetClientRect(rig.button.hwnd, &item.rcItem);
    rig.button.DrawItem(&item);
    ReleaseDC(rig.button.hwnd, item.hDC);
    GdiFlush();

    const Capture shot(rig.button.hwnd);
    EXPECT_EQ(0u, Touched(shot, PlainBackdrop(plain)).size()) << "nothing drawn";
}

// ---------------------------------------------------------------------------
// Construction without a window, and destruction.

TEST_F(Button, WithoutAWindowTheButtonStillExists)
{
    // A child window needs a parent: creation fails.
    BitmapTextButton* button = new BitmapTextButton(NULL, L"&Play", kCommand, kTop, NULL, 18, 1);
    ASSERT_TRUE(button != NULL);
    EXPECT_TRUE(button->hwnd == NULL);
    EXPECT_STREQ(L"&PLAY", button->caption);
    EXPECT_TRUE(button->font != NULL);
    EXPECT_EQ(kCommand, button->commandId);
    EXPECT_EQ(0, button->SetBitmaps(IDB_BUTTON_NORMAL, IDB_BUTTON_PRESSED, IDB_BUTTON_HOVER,
                                    IDB_BUTTON_DISABLED));
    EXPECT_EQ(0, button->normalBitmap.GetWidth());
    delete button;
}

TEST_F(Button, DestructionGivesBackTheWindowTheFontAndTheBitmaps)
{
    ParentWindow parent;
    BitmapTextButton* button = new BitmapTextButton(parent.hwnd(), L"&Play", kCommand, kTop,
                                                    NULL, 18, 1);
    ASSERT_TRUE(button != NULL);
    parent.Adopt(button);
    ASSERT_EQ(1, button->SetBitmaps(IDB_BUTTON_NORMAL, IDB_BUTTON_PRESSED, IDB_BUTTON_HOVER,
                                    IDB_BUTTON_DISABLED));
    UpdateWindow(parent.hwnd());
    PumpMessages();

    const HWND window = button->hwnd;
    const HFONT font = button->font;
    const HBITMAP bitmaps[4] = { HandleOf(button->normalBitmap), HandleOf(button->pressedBitmap),
                                 HandleOf(button->hoverBitmap), HandleOf(button->disabledBitmap) };
    ASSERT_TRUE(IsWindow(window));
    ASSERT_EQ(static_cast<DWORD>(OBJ_FONT), GetObjectType(font));
    for (int i = 0; i < 4; ++i)
        ASSERT_EQ(static_cast<DWORD>(OBJ_BITMAP), GetObjectType(bitmaps[i])) << i;

    // The window's last messages still pass through the subclass to the
    // standard procedure.
    {
        PassedOnRecorder passedOn(*button);
        parent.Forget(button);
        delete button;
        EXPECT_EQ(1, CountOf(PassedOnRecorder::seen, WM_DESTROY));
        EXPECT_EQ(1, CountOf(PassedOnRecorder::seen, WM_NCDESTROY));
        passedOn.Forget();
    }
    EXPECT_FALSE(IsWindow(window));
    EXPECT_EQ(0u, GetObjectType(font));
    for (int i = 0; i < 4; ++i)
        EXPECT_EQ(0u, GetObjectType(bitmaps[i])) << i;
}

}  // namespace
