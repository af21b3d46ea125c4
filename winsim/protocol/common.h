// What both sides of a desktop connection agree on beyond the request table.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

namespace winsim {

// Modifier bits carried with keyboard input (Peek/Get mKeys, KeyInput mods).
inline constexpr std::uint32_t kModShift = 1;
inline constexpr std::uint32_t kModCtrl = 2;
inline constexpr std::uint32_t kModAlt = 4;

// A private message the server delivers like a sent one: "run ShowWindow(hwnd, wParam)
// on your own window", for ShowWindow called on another process's window.
inline constexpr std::uint32_t kMsgRemoteShowWindow = 0x7F01;

// The desktop directory: $WINSIM_DESKTOP, else a per-user one ($XDG_RUNTIME_DIR/winsim or
// /tmp/winsim-UID). The server's socket is "socket" inside it.
std::string desktop_dir();
std::string desktop_socket_path();

// The one escaping of every text the winsim command prints: \\, \t, \n and \xHH for any
// other byte below 32 or above 126; with quoted, also \".
std::string escape_text(std::string_view text, bool quoted = false);

}  // namespace winsim

// Serialized menu items (CreateMenu.items): for each item, in order, U32 flags (MF_* of the
// platform: MF_POPUP 0x10, MF_GRAYED 0x1, MF_DISABLED 0x2, MF_CHECKED 0x8, MF_SEPARATOR 0x800,
// MF_END 0x80 on the last item of a level), U32 id, STR text. A popup's own items follow it
// directly, ending with their MF_END item.
