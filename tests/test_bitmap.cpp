// Bitmap loads the executable's own resources, reports their size, sizes a
// window to itself and paints exactly its own rectangle.
#include <gtest/gtest.h>

#include "TestSupport.h"
#include "controls/Bitmap.h"
#include "res/resource.h"

namespace {

TEST(Bitmap, ReportsTheResourceSizes)
{
    Bitmap bitmap;
    EXPECT_EQ(0, bitmap.GetWidth());
    EXPECT_EQ(0, bitmap.GetHeight());
    ASSERT_EQ(1, bitmap.Load(MAKEINTRESOURCEW(IDB_BACKGROUND)));
    EXPECT_EQ(640, bitmap.GetWidth());
    EXPECT_EQ(480, bitmap.GetHeight());
    for (UINT id = IDB_BUTTON_NORMAL; id <= IDB_BUTTON_DISABLED; ++id) {
        ASSERT_EQ(1, bitmap.Load(MAKEINTRESOURCEW(id))) << id;
        EXPECT_EQ(329, bitmap.GetWidth()) << id;
        EXPECT_EQ(46, bitmap.GetHeight()) << id;
    }
}

TEST(Bitmap, FailedReloadLeavesItEmpty)
{
    Bitmap bitmap;
    ASSERT_EQ(1, bitmap.Load(MAKEINTRESOURCEW(IDB_BACKGROUND)));
    EXPECT_EQ(0, bitmap.Load(MAKEINTRESOURCEW(999)));
    EXPECT_EQ(0, bitmap.GetWidth());
    EXPECT_EQ(0, bitmap.GetHeight());
}

TEST(Bitmap, SizeWindowKeepsThePosition)
{
    TestWindow window(200, 100);
    RECT before;
    GetWindowRect(window.hwnd(), &before);
    Bitmap bitmap;
    bitmap.Load(MAKEINTRESOURCEW(IDB_BUTTON_HOVER));
    bitmap.SizeWindow(window.hwnd());
    RECT after;
    GetWindowRect(window.hwnd(), &after);
    EXPECT_EQ(before.left, after.left);
    EXPECT_EQ(before.top, after.top);
    EXPECT_EQ(329, after.right - after.left);
    EXPECT_EQ(46, after.bottom - after.top);

    Bitmap empty;
    empty.SizeWindow(window.hwnd());
    GetWindowRect(window.hwnd(), &after);
    EXPECT_EQ(0, after.right - after.left);
}

TEST(Bitmap, DrawCoversExactlyItsRectangle)
{
    const COLORREF fill = RGB(255, 0, 255);
    TestWindow window(400, 90, fill);
    Bitmap bitmap;
    ASSERT_EQ(1, bitmap.Load(MAKEINTRESOURCEW(IDB_BUTTON_NORMAL)));
    HDC dc = GetDC(window.hwnd());
    bitmap.Draw(dc);
    ReleaseDC(window.hwnd(), dc);

    const Capture shot(window.hwnd());
    const ResourcePixels source(IDB_BUTTON_NORMAL);
    ASSERT_EQ(329, source.width);
    int mismatches = 0;
    for (int y = 0; y < 46; y += 3)
        for (int x = 0; x < 329; x += 3)
            mismatches += !SameColour(source.At(x, y), shot.At(x, y), 0);
    EXPECT_EQ(0, mismatches) << "the bitmap is copied unchanged at the origin";
    for (int y = 0; y < 90; y += 5) {
        EXPECT_TRUE(SameColour(fill, shot.At(329, y), 0)) << y;
        EXPECT_TRUE(SameColour(fill, shot.At(399, y), 0)) << y;
    }
    for (int x = 0; x < 400; x += 7)
        EXPECT_TRUE(SameColour(fill, shot.At(x, 46), 0)) << x;
}

TEST(Bitmap, EmptyBitmapDrawsNothing)
{
    const COLORREF fill = RGB(0, 128, 255);
    TestWindow window(50, 50, fill);
    Bitmap empty;
    HDC dc = GetDC(window.hwnd());
    empty.Draw(dc);
    ReleaseDC(window.hwnd(), dc);
    const Capture shot(window.hwnd());
    EXPECT_TRUE(SameColour(fill, shot.At(0, 0), 0));
    EXPECT_TRUE(SameColour(fill, shot.At(25, 25), 0));
}

}  // namespace
