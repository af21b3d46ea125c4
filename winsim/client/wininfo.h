// What the desktop knows of a window.
#pragma once

#include <windows.h>

#include <optional>

#include "protocol.h"

namespace winsim::client {

// nullopt with the last error set when there is no such window.
std::optional<proto::GetWindowInfoRep> window_info(HWND hwnd);

// Sends a message to a window: an own window's procedure directly, another thread's through
// the desktop.
LRESULT send_message(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam);

}  // namespace winsim::client
