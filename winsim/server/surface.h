// What a window's client area shows, as 8 x 16 character cells, and every TextOut drawn in it.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace winsim::server {

struct TextOutRecord {
  std::int32_t x = 0, y = 0;
  std::string text;
};

class Surface {
 public:
  // Client area in pixels; cells partly inside count. Old content is kept where it still fits.
  void resize(std::int32_t width, std::int32_t height);
  void clear();
  // Appends to the list; paints the cells only when `paint` (the window shows).
  void text_out(std::int32_t x, std::int32_t y, const std::string &text, bool paint);

  // One line per cell row, trailing blanks cut, escaped.
  std::string screen_text() const;
  // "Y X TEXT" per TextOut, oldest first.
  std::string textout_text() const;

  int rows() const { return static_cast<int>(cells_.size()); }
  int cols() const { return cols_; }

 private:
  int cols_ = 0;
  std::vector<std::string> cells_;
  std::vector<TextOutRecord> texts_;
};

}  // namespace winsim::server
