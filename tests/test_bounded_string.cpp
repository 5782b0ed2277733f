// The bounded routines never read or write past their capacity: destinations
// are filled with junk first and guarded by a sentinel beyond the capacity.
#include <gtest/gtest.h>

#include <string>

#include "controls/BoundedString.h"

namespace {

const WCHAR kJunk = L'#';
const WCHAR kGuard = L'!';

struct Buffer
{
    WCHAR data[600];
    explicit Buffer(size_t capacity)
    {
        for (WCHAR& c : data)
            c = kJunk;
        data[capacity] = kGuard;
    }
};

std::wstring Repeat(WCHAR c, size_t count)
{
    return std::wstring(count, c);
}

struct CopyCase
{
    const WCHAR* source;
    size_t capacity;
    HRESULT result;
    const WCHAR* expected;  // NULL: refused, so only the guard at [capacity] is checked
};

TEST(BoundedCopy, CopiesCutsOrRefuses)
{
    const CopyCase cases[] = {
        { L"abc", 4, S_OK, L"abc" },
        { L"abc", 3, kBoundedTruncated, L"ab" },
        { L"abc", 1, kBoundedTruncated, L"" },
        { L"", 1, S_OK, L"" },
        { L"abc", 0, E_INVALIDARG, NULL },
        { L"abcdef", 260, S_OK, L"abcdef" },
    };
    for (const CopyCase& c : cases) {
        Buffer buffer(c.capacity);
        EXPECT_EQ(c.result, BoundedCopy(buffer.data, c.capacity, c.source)) << c.source << " " << c.capacity;
        if (c.expected)
            EXPECT_STREQ(c.expected, buffer.data);
        EXPECT_EQ(kGuard, buffer.data[c.capacity]) << "wrote past the capacity";
    }
}

TEST(BoundedCopy, RefusesCapacityBeyondRange)
{
    WCHAR destination[4] = { kJunk, kJunk, kJunk, kJunk };
    EXPECT_EQ(E_INVALIDARG, BoundedCopy(destination, 0x80000000u, L"abc"));
    EXPECT_EQ(kJunk, destination[0]);
}

TEST(BoundedCopy, NeverReadsSourceBeyondCapacity)
{
    // The source has no terminator at all within the capacity.
    WCHAR source[3] = { L'x', L'y', L'z' };
    Buffer buffer(3);
    EXPECT_EQ(kBoundedTruncated, BoundedCopy(buffer.data, 3, source));
    EXPECT_STREQ(L"xy", buffer.data);
}

TEST(BoundedLength, MeasuresInBytesWithinLimit)
{
    const std::wstring fits = Repeat(L'a', 511);
    const std::wstring tooLong = Repeat(L'a', 512);
    size_t length = 77;
    EXPECT_EQ(S_OK, BoundedLength(fits.c_str(), 512, &length));
    EXPECT_EQ(1022u, length);
    length = 77;
    EXPECT_EQ(E_INVALIDARG, BoundedLength(tooLong.c_str(), 512, &length));
    EXPECT_EQ(0u, length);
    length = 77;
    EXPECT_EQ(E_INVALIDARG, BoundedLength(NULL, 512, &length));
    EXPECT_EQ(0u, length);
    EXPECT_EQ(E_INVALIDARG, BoundedLength(L"abc", 0, &length));
    EXPECT_EQ(S_OK, BoundedLength(L"", 1, NULL));
}

TEST(BoundedAppend, AppendsWithinCapacity)
{
    Buffer buffer(260);
    BoundedCopy(buffer.data, 260, L"abc");
    EXPECT_EQ(S_OK, BoundedAppend(buffer.data, 260, L"de"));
    EXPECT_STREQ(L"abcde", buffer.data);
}

TEST(BoundedAppend, FullDestinationGetsOnlyTheTerminator)
{
    Buffer buffer(260);
    const std::wstring text = Repeat(L'p', 259);
    BoundedCopy(buffer.data, 260, text.c_str());
    EXPECT_EQ(kBoundedTruncated, BoundedAppend(buffer.data, 260, L"x"));
    EXPECT_EQ(text, std::wstring(buffer.data));
    EXPECT_EQ(kGuard, buffer.data[260]);
    EXPECT_EQ(S_OK, BoundedAppend(buffer.data, 260, L""));
}

TEST(BoundedAppend, RefusesUnterminatedDestination)
{
    Buffer buffer(260);  // 260 junk characters, no terminator among them
    EXPECT_EQ(E_INVALIDARG, BoundedAppend(buffer.data, 260, L"de"));
    EXPECT_EQ(kJunk, buffer.data[0]);
    EXPECT_EQ(kJunk, buffer.data[259]);
    EXPECT_EQ(kGuard, buffer.data[260]);
}

TEST(BoundedAppend, CutsALongSourceAndTerminates)
{
    Buffer buffer(8);
    BoundedCopy(buffer.data, 8, L"abc");
    EXPECT_EQ(kBoundedTruncated, BoundedAppend(buffer.data, 8, L"defghijk"));
    EXPECT_STREQ(L"abcdefg", buffer.data);
    EXPECT_EQ(kGuard, buffer.data[8]);
}

}  // namespace
