#include "surface.h"

#include "common.h"
#include "metrics.h"

namespace winsim::server {

namespace {

int cells_for(std::int32_t pixels, std::int32_t cell) {
  return pixels <= 0 ? 0 : static_cast<int>((pixels + cell - 1) / cell);
}

std::int64_t floor_div(std::int64_t a, std::int64_t b) {
  std::int64_t q = a / b;
  return (a % b != 0 && (a < 0) != (b < 0)) ? q - 1 : q;
}

}  // namespace

void Surface::resize(std::int32_t width, std::int32_t height) {
  cols_ = cells_for(width, metrics::kCellWidth);
  cells_.resize(static_cast<std::size_t>(cells_for(height, metrics::kCellHeight)));
  for (auto &row : cells_) row.resize(static_cast<std::size_t>(cols_), ' ');
}

void Surface::clear() {
  for (auto &row : cells_) row.assign(static_cast<std::size_t>(cols_), ' ');
}

void Surface::text_out(std::int32_t x, std::int32_t y, const std::string &text, bool paint) {
  texts_.push_back({x, y, text});
  if (!paint) return;
  std::int64_t row = floor_div(y, metrics::kCellHeight);
  if (row < 0 || row >= rows()) return;
  std::int64_t col = floor_div(x, metrics::kCellWidth);
  auto &cells = cells_[static_cast<std::size_t>(row)];
  for (std::size_t i = 0; i < text.size(); ++i) {
    std::int64_t c = col + static_cast<std::int64_t>(i);
    if (c >= cols_) break;
    if (c >= 0) cells[static_cast<std::size_t>(c)] = text[i];
  }
}

std::string Surface::screen_text() const {
  std::string out;
  for (const auto &row : cells_) {
    std::size_t end = row.find_last_not_of(' ');
    out += escape_text(end == std::string::npos ? std::string_view() : std::string_view(row).substr(0, end + 1));
    out += '\n';
  }
  return out;
}

std::string Surface::textout_text() const {
  std::string out;
  for (const auto &t : texts_)
    out += std::to_string(t.y) + " " + std::to_string(t.x) + " " + escape_text(t.text) + "\n";
  return out;
}

}  // namespace winsim::server
