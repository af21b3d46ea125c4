// What the desktop knows of a window, and the window and message calls client files share.
#pragma once

#include <windows.h>

#include <optional>

#include "process.h"
#include "protocol.h"

namespace winsim::client {

// nullopt with the last error set when there is no such window.
std::optional<proto::GetWindowInfoRep> window_info(HWND hwnd);

// Sends a message to a window: an own window's procedure directly, another thread's through
// the desktop.
LRESULT send_message(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam);

// Has the desktop create a window and keeps it as this process's own; null with the last error
// set when refused.
HWND create_own_window(const proto::CreateWindowReq &req, OwnWindow own);

// Keys and mouse messages, client and non-client: what a modal loop (dialog, menu) takes.
inline bool is_user_input(UINT msg) {
  return (msg >= WM_KEYFIRST && msg <= WM_KEYLAST) || (msg >= WM_MOUSEFIRST && msg <= WM_MOUSELAST) ||
         (msg >= WM_NCLBUTTONDOWN && msg <= 0xA9);
}

// GetMessageA for a modal loop inside the program's own; false when the loop should end. A
// WM_QUIT is posted again, since it belongs to the loop outside.
bool next_modal_message(MSG &msg);

}  // namespace winsim::client
