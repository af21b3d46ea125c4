// The escape record as the display driver reads it, byte for byte.
#include <gtest/gtest.h>

#include <cstddef>
#include <cstring>
#include <string>

#include "driver/escape.h"

namespace {

TEST(EscapeRecord, SevenLittleEndianWordsWithNoGaps) {
  static_assert(sizeof(OSTIK_ESCAPE_DATA) == 28);
  EXPECT_EQ(offsetof(OSTIK_ESCAPE_DATA, dwCommand), 0u);
  EXPECT_EQ(offsetof(OSTIK_ESCAPE_DATA, hVideoEvent), 4u);
  EXPECT_EQ(offsetof(OSTIK_ESCAPE_DATA, hMonitorEvent), 8u);
  EXPECT_EQ(offsetof(OSTIK_ESCAPE_DATA, dwPeriodVideoVBL), 12u);
  EXPECT_EQ(offsetof(OSTIK_ESCAPE_DATA, dwPeriodMonitorVBL), 16u);
  EXPECT_EQ(offsetof(OSTIK_ESCAPE_DATA, result), 20u);
  EXPECT_EQ(offsetof(OSTIK_ESCAPE_DATA, dwReserved), 24u);

  OSTIK_ESCAPE_DATA data;
  std::memset(&data, 0, sizeof data);
  data.result = -2;
  unsigned char bytes[28];
  std::memcpy(bytes, &data, sizeof bytes);
  EXPECT_EQ(bytes[20], 0xFE);
  EXPECT_EQ(bytes[23], 0xFF);
}

TEST(EscapeRecord, CommandCodesReadBackwardsInMemory) {
  struct Case {
    DWORD code;
    const char *name;
    DWORD value;
  } cases[] = {
      {OSTIK_CMD_RSET, "Rset", 0x52736574}, {OSTIK_CMD_GOEV, "GoEV", 0x476F4556},
      {OSTIK_CMD_GOEM, "GoEM", 0x476F454D}, {OSTIK_CMD_NOEV, "NoEV", 0x4E6F4556},
      {OSTIK_CMD_NOEM, "NoEM", 0x4E6F454D}, {OSTIK_CMD_TRGV, "TrgV", 0x54726756},
      {OSTIK_CMD_TRGM, "TrgM", 0x5472674D}, {OSTIK_VXD_STAT, "Stat", 0x53746174},
  };
  for (const auto &c : cases) {
    SCOPED_TRACE(c.name);
    EXPECT_EQ(c.code, c.value);
    OSTIK_ESCAPE_DATA data;
    std::memset(&data, 0, sizeof data);
    data.dwCommand = c.code;
    char bytes[4];
    std::memcpy(bytes, &data, 4);
    EXPECT_EQ(std::string(bytes, 4), (std::string{c.name[3], c.name[2], c.name[1], c.name[0]}));
  }
}

}  // namespace
