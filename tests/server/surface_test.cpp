#include <gtest/gtest.h>

#include "surface.h"

namespace winsim::server {
namespace {

TEST(Surface, RowsAreCeilOfHeightAndTrailingBlanksCut) {
  Surface s;
  s.resize(80, 33);  // 10 columns, 3 rows (the last one partly inside)
  EXPECT_EQ(s.rows(), 3);
  EXPECT_EQ(s.cols(), 10);
  EXPECT_EQ(s.screen_text(), "\n\n\n");
  s.text_out(8, 40, "ab ", true);
  EXPECT_EQ(s.screen_text(), "\n\n ab\n");
}

TEST(Surface, TextPaintsCellsAndKeepsNeighbours) {
  Surface s;
  s.resize(80, 32);
  s.text_out(0, 0, "Hello world", true);  // cut at column 10
  s.text_out(15, 3, "EY", true);          // x 15 -> column 1, y 3 -> row 0
  s.text_out(-16, 16, "xyzw", true);      // starts two columns left of the area
  EXPECT_EQ(s.screen_text(), "HEYlo worl\nzw\n");
  s.text_out(0, -1, "gone", true);
  s.text_out(0, 32, "gone", true);
  EXPECT_EQ(s.screen_text(), "HEYlo worl\nzw\n");
}

TEST(Surface, ListKeepsEveryTextEvenWhenNotPainted) {
  Surface s;
  s.resize(80, 32);
  s.text_out(4, 20, "a\tb\n", false);
  s.text_out(-8, 0, "x", true);
  EXPECT_EQ(s.screen_text(), "\n\n");
  EXPECT_EQ(s.textout_text(), "20 4 a\\tb\\n\n0 -8 x\n");
  s.text_out(0, 0, "zz", true);
  s.clear();
  EXPECT_EQ(s.screen_text(), "\n\n");
  EXPECT_EQ(s.textout_text(), "20 4 a\\tb\\n\n0 -8 x\n0 0 zz\n");
}

TEST(Surface, ResizeKeepsWhatStillFits) {
  Surface s;
  s.resize(80, 48);
  s.text_out(0, 0, "top", true);
  s.text_out(0, 32, "bottom", true);
  s.resize(16, 30);
  EXPECT_EQ(s.screen_text(), "to\n\n");
}

}  // namespace
}  // namespace winsim::server
