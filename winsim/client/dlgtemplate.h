// Dialog templates (the standard, not the extended, form) read from resource bytes. Pure.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "resfile.h"

namespace winsim::client {

struct DialogItemTemplate {
  std::uint32_t style = 0, exStyle = 0;
  std::int16_t x = 0, y = 0, cx = 0, cy = 0;  // dialog units
  std::uint16_t id = 0;
  std::string className;  // lower case; the predefined classes by name ("button", "static" ...)
  std::string text;       // an ordinal text is "#N"
};

struct DialogTemplate {
  std::uint32_t style = 0, exStyle = 0;
  std::int16_t x = 0, y = 0, cx = 0, cy = 0;
  std::string title;
  std::uint16_t pointSize = 0;  // with DS_SETFONT
  std::string face;
  std::vector<DialogItemTemplate> items;
};

std::optional<DialogTemplate> parse_dialog_template(res::Bytes data);

// Dialog units to pixels for the system font's 8 x 16 cell.
inline int du_to_x(int du) { return du * 8 / 4; }
inline int du_to_y(int du) { return du * 16 / 8; }

}  // namespace winsim::client
