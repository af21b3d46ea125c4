#include <gtest/gtest.h>

#include "app/ostik.h"

TEST(Windows95Family, NeedsTopBitAndMajorFourOrMore)
{
    struct Case {
        DWORD version;
        BOOL family;
    } cases[] = {
        {0xC0000004, 1},  // Windows 95 4.0
        {0xC0000A04, 1},  // Windows 98 4.10
        {0x80000005, 1},  // a later major version in the family
        {0x05650004, 0},  // Windows NT 4.0 build 1381
        {0x00000005, 0},  // NT 5
        {0x80000003, 0},  // Win32s on 3.x
        {0x80000A03, 0},  // Win32s 3.10: the minor version does not count
        {0x80000400, 0},  // major is the low byte, not the second
    };
    for (const Case &c : cases)
        EXPECT_EQ(IsWindows95Family(c.version) != 0, c.family != 0) << std::hex << c.version;
}
