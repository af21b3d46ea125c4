#include "keys.h"

#include <cctype>
#include <string>

#include "common.h"

namespace winsim::tool {

namespace {

// One physical key of the US layout: its virtual key and the characters it gives.
struct LayoutKey {
  std::uint32_t vk;
  char plain;
  char shifted;
};

constexpr LayoutKey kSymbolKeys[] = {
    {'1', '1', '!'},  {'2', '2', '@'},  {'3', '3', '#'},  {'4', '4', '$'},  {'5', '5', '%'},
    {'6', '6', '^'},  {'7', '7', '&'},  {'8', '8', '*'},  {'9', '9', '('},  {'0', '0', ')'},
    {0xBA, ';', ':'}, {0xBB, '=', '+'}, {0xBC, ',', '<'}, {0xBD, '-', '_'}, {0xBE, '.', '>'},
    {0xBF, '/', '?'}, {0xC0, '`', '~'}, {0xDB, '[', '{'}, {0xDC, '\\', '|'}, {0xDD, ']', '}'},
    {0xDE, '\'', '"'}, {0x20, ' ', ' '},
};

struct NamedKey {
  const char *name;
  std::uint32_t vk;
  std::uint32_t chr;
};

constexpr NamedKey kNamedKeys[] = {
    {"escape", 0x1B, 0x1B}, {"return", 0x0D, 0x0D}, {"tab", 0x09, 0x09}, {"space", 0x20, ' '},
};

bool iequals(std::string_view a, std::string_view b) {
  if (a.size() != b.size()) return false;
  for (std::size_t i = 0; i < a.size(); ++i)
    if (std::tolower(static_cast<unsigned char>(a[i])) != std::tolower(static_cast<unsigned char>(b[i])))
      return false;
  return true;
}

bool take_prefix(std::string_view &text, std::string_view prefix) {
  // A lone "+" after a prefix is the key itself ("ctrl++"), so keep at least one character.
  if (text.size() <= prefix.size() || !iequals(text.substr(0, prefix.size()), prefix)) return false;
  text.remove_prefix(prefix.size());
  return true;
}

std::optional<KeyStroke> function_key(std::string_view name) {
  if (name.size() < 2 || name.size() > 3 || (name[0] != 'F' && name[0] != 'f')) return std::nullopt;
  int n = 0;
  for (char c : name.substr(1)) {
    if (c < '0' || c > '9') return std::nullopt;
    n = n * 10 + (c - '0');
  }
  if (n < 1 || n > 12 || name[1] == '0') return std::nullopt;
  return KeyStroke{0x70 + static_cast<std::uint32_t>(n - 1), 0, 0};
}

std::optional<KeyStroke> character_key(char c) {
  if (c < ' ' || c > '~') return std::nullopt;
  if (std::isalpha(static_cast<unsigned char>(c))) {
    bool upper = std::isupper(static_cast<unsigned char>(c));
    return KeyStroke{static_cast<std::uint32_t>(std::toupper(static_cast<unsigned char>(c))),
                     static_cast<std::uint32_t>(c), upper ? kModShift : 0};
  }
  for (const auto &k : kSymbolKeys) {
    if (c == k.plain) return KeyStroke{k.vk, static_cast<unsigned char>(c), 0};
    if (c == k.shifted) return KeyStroke{k.vk, static_cast<unsigned char>(c), kModShift};
  }
  return std::nullopt;
}

// An explicit shift+ turns the key's plain character into its shifted one.
std::uint32_t shifted_char(const KeyStroke &key) {
  if (key.vk >= 'A' && key.vk <= 'Z') return key.vk;
  for (const auto &k : kSymbolKeys)
    if (k.vk == key.vk && static_cast<unsigned char>(k.plain) == key.chr)
      return static_cast<unsigned char>(k.shifted);
  return key.chr;
}

// What Ctrl makes of the character: control codes for letters and [ \ ], nothing for
// most others.
std::uint32_t control_char(const KeyStroke &key) {
  if (key.vk >= 'A' && key.vk <= 'Z') return key.vk - 0x40;
  switch (key.vk) {
    case 0xDB: return 0x1B;
    case 0xDC: return 0x1C;
    case 0xDD: return 0x1D;
    case 0x20: return ' ';
    case 0x0D: return 0x0A;
    default: return 0;
  }
}

}  // namespace

std::optional<KeyStroke> parse_key(std::string_view text) {
  std::uint32_t mods = 0;
  for (bool more = true; more;) {
    more = false;
    if (take_prefix(text, "alt+")) mods |= kModAlt, more = true;
    if (take_prefix(text, "ctrl+")) mods |= kModCtrl, more = true;
    if (take_prefix(text, "shift+")) mods |= kModShift, more = true;
  }
  std::optional<KeyStroke> key;
  if (text.size() == 1) {
    key = character_key(text[0]);
  } else if ((key = function_key(text))) {
  } else {
    for (const auto &k : kNamedKeys)
      if (iequals(text, k.name)) key = KeyStroke{k.vk, k.chr, 0};
  }
  if (!key) return std::nullopt;
  if ((mods & kModShift) && !(key->mods & kModShift)) key->chr = shifted_char(*key);
  key->mods |= mods;
  if (key->mods & kModCtrl) key->chr = control_char(*key);
  return key;
}

}  // namespace winsim::tool
