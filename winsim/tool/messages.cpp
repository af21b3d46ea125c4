#include "messages.h"

#include <cctype>
#include <string>

#include "options.h"

namespace winsim::tool {

namespace {

struct MessageName {
  const char *name;
  std::uint32_t value;
};

constexpr MessageName kMessages[] = {
    {"WM_NULL", 0x0000},          {"WM_CREATE", 0x0001},        {"WM_DESTROY", 0x0002},
    {"WM_MOVE", 0x0003},          {"WM_SIZE", 0x0005},          {"WM_ACTIVATE", 0x0006},
    {"WM_SETFOCUS", 0x0007},      {"WM_KILLFOCUS", 0x0008},     {"WM_SETTEXT", 0x000C},
    {"WM_GETTEXT", 0x000D},       {"WM_PAINT", 0x000F},         {"WM_CLOSE", 0x0010},
    {"WM_QUERYENDSESSION", 0x0011}, {"WM_QUIT", 0x0012},        {"WM_ERASEBKGND", 0x0014},
    {"WM_ENDSESSION", 0x0016},    {"WM_SHOWWINDOW", 0x0018},    {"WM_ACTIVATEAPP", 0x001C},
    {"WM_TIMECHANGE", 0x001E},    {"WM_GETMINMAXINFO", 0x0024}, {"WM_WINDOWPOSCHANGED", 0x0047},
    {"WM_HELP", 0x0053},          {"WM_CONTEXTMENU", 0x007B},   {"WM_DISPLAYCHANGE", 0x007E},
    {"WM_NCHITTEST", 0x0084},     {"WM_NCLBUTTONDOWN", 0x00A1}, {"WM_NCRBUTTONDOWN", 0x00A4},
    {"WM_NCRBUTTONUP", 0x00A5},   {"WM_KEYDOWN", 0x0100},       {"WM_KEYUP", 0x0101},
    {"WM_CHAR", 0x0102},          {"WM_SYSKEYDOWN", 0x0104},    {"WM_SYSKEYUP", 0x0105},
    {"WM_SYSCHAR", 0x0106},       {"WM_INITDIALOG", 0x0110},    {"WM_COMMAND", 0x0111},
    {"WM_SYSCOMMAND", kWmSysCommand}, {"WM_TIMER", 0x0113},     {"WM_INITMENUPOPUP", 0x0117},
    {"WM_MOUSEMOVE", 0x0200},     {"WM_LBUTTONDOWN", 0x0201},   {"WM_LBUTTONUP", 0x0202},
    {"WM_LBUTTONDBLCLK", 0x0203}, {"WM_RBUTTONDOWN", 0x0204},   {"WM_RBUTTONUP", 0x0205},
    {"WM_POWERBROADCAST", 0x0218}, {"WM_DEVICECHANGE", 0x0219}, {"WM_USER", 0x0400},
    {"WM_APP", 0x8000},
};

std::optional<std::uint32_t> lookup(std::string_view name) {
  for (const auto &m : kMessages) {
    std::string_view known = m.name;
    if (known.size() != name.size()) continue;
    bool same = true;
    for (std::size_t i = 0; i < name.size() && same; ++i)
      same = std::toupper(static_cast<unsigned char>(name[i])) == known[i];
    if (same) return m.value;
  }
  return std::nullopt;
}

}  // namespace

std::optional<std::uint32_t> parse_message(std::string_view text) {
  if (auto n = parse_u32(text)) return n;
  auto plus = text.find('+');
  auto base = lookup(text.substr(0, plus));
  if (!base || plus == std::string_view::npos) return base;
  auto offset = parse_u32(text.substr(plus + 1));
  if (!offset || *offset > 0xFFFF - *base) return std::nullopt;
  return *base + *offset;
}

}  // namespace winsim::tool
