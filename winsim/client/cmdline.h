// The command line a Windows program sees, built from a Linux argv.
#pragma once

#include <span>
#include <string>
#include <string_view>

namespace winsim::client {

// Arguments joined by single spaces; one that is empty or holds a space goes in double quotes.
std::string build_command_line(std::span<const std::string_view> args);

// Whether a byte starts a double-byte character (never, in code page 1252).
bool is_lead_byte(unsigned char c);

// What follows the program name and the blanks after it: WinMain's lpCmdLine.
const char *command_tail(const char *cmdline);

}  // namespace winsim::client
