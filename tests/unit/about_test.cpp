#include <gtest/gtest.h>

#include <string.h>

#include "ui/about.h"

namespace {

RECT Rect(LONG left, LONG top, LONG right, LONG bottom)
{
    RECT r = {left, top, right, bottom};
    return r;
}

}  // namespace

TEST(CalcCenteredPos, CentresOverTheOwnerAndStaysInTheWorkArea)
{
    const RECT rcWork = Rect(0, 0, 800, 572);
    struct Case {
        const char *what;
        RECT rcWindow, rcOwner, rcWork;
        LONG x, y;
    } cases[] = {
        {"centred", Rect(0, 0, 100, 50), Rect(100, 100, 400, 300), rcWork, 200, 175},
        // 101 - 104 = -3, halved towards zero: -1, not -2.
        {"negative offset truncates towards zero", Rect(0, 0, 104, 104), Rect(300, 300, 401, 401), rcWork, 299, 299},
        {"crossing the right edge touches it", Rect(0, 0, 200, 100), Rect(650, 100, 800, 200), rcWork, 600, 100},
        {"crossing the bottom edge touches it", Rect(0, 0, 100, 200), Rect(100, 500, 200, 560), rcWork, 100, 372},
        {"crossing the left edge touches it", Rect(0, 0, 200, 100), Rect(-150, 100, 50, 200), rcWork, 0, 100},
        // Wider than the work area: the left edge wins and no right test follows.
        {"left edge, no right test after it", Rect(0, 0, 900, 100), Rect(-300, 0, 100, 100), rcWork, 0, 0},
        {"top edge, no bottom test after it", Rect(0, 0, 100, 700), Rect(0, -300, 100, 100), rcWork, 0, 0},
        {"a work area not at the origin", Rect(0, 0, 100, 100), Rect(0, 0, 50, 50), Rect(40, 30, 800, 572), 40, 30},
        // A failed work-area query leaves the caller with the screen's size.
        {"screen as the work area", Rect(0, 0, 300, 200), Rect(700, 500, 800, 600), Rect(0, 0, 800, 600), 500, 400},
    };
    for (const Case &c : cases) {
        POINT pt = {-12345, -12345};
        CalcCenteredPos(&c.rcWindow, &c.rcOwner, &c.rcWork, &pt);
        EXPECT_EQ(pt.x, c.x) << c.what;
        EXPECT_EQ(pt.y, c.y) << c.what;
    }
}

TEST(FormatOsLine, NamesTheWindowsFamily)
{
    struct Case {
        DWORD dwVersion;
        const char *line;
    } cases[] = {
        {0xC3B60004, "Microsoft Windows 95 4.0"},
        {0xC0000A04, "Microsoft Windows 95 4.10"},
        {0x05650004, "Microsoft Windows NT 4.0 (Build: 1381)"},
        // Win32s: bit 31 is the family flag, not part of the build.
        {0x80AC0A03, "Microsoft Win32s 3.10 (Build: 172)"},
        {0xFFFF0003, "Microsoft Win32s 3.0 (Build: 32767)"},
    };
    for (const Case &c : cases) {
        char szLine[OS_LINE_SIZE];
        FormatOsLine(c.dwVersion, szLine, sizeof(szLine));
        EXPECT_STREQ(szLine, c.line) << std::hex << c.dwVersion;
    }
}

TEST(FormatOsLine, LongestValuesFitAndSmallBuffersAreCut)
{
    char szLine[OS_LINE_SIZE];
    /* The longest line there is: every number at its widest. */
    FormatOsLine(0x7FFFFFFF, szLine, sizeof(szLine));
    EXPECT_STREQ(szLine, "Microsoft Windows NT 255.255 (Build: 32767)");

    char szSmall[12];
    memset(szSmall, 'x', sizeof(szSmall));
    FormatOsLine(0x05650004, szSmall, sizeof(szSmall));
    EXPECT_STREQ(szSmall, "Microsoft W");
}
