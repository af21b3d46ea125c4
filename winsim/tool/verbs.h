// The verbs of the winsim command, one group per file.
#pragma once

#include <cstdint>
#include <string>

#include "connection.h"
#include "options.h"

namespace winsim::tool {

// A verb's argument had the right shape but a bad value: exit 2 with the usage line.
struct BadUsage {
  std::string detail;
};

struct Verb {
  const char *name;
  const char *usage;  // what follows "winsim NAME"
  ArgShape shape;
  int (*run)(const Args &args);
};

// desktop_verbs.cpp
int verb_serve(const Args &args);
int verb_start(const Args &args);
int verb_stop(const Args &args);
int verb_set(const Args &args);
// process_verbs.cpp
int verb_launch(const Args &args);
int verb_wait_idle(const Args &args);
int verb_wait_exit(const Args &args);
// query_verbs.cpp
int verb_ps(const Args &args);
int verb_windows(const Args &args);
int verb_classes(const Args &args);
int verb_textout(const Args &args);
int verb_screen(const Args &args);
int verb_show(const Args &args);
int verb_log(const Args &args);
int verb_menu_state(const Args &args);
// input_verbs.cpp
int verb_post(const Args &args);
int verb_send(const Args &args);
int verb_key(const Args &args);
int verb_close(const Args &args);
int verb_minimize(const Args &args);
int verb_restore(const Args &args);
// ui_verbs.cpp
int verb_menu(const Args &args);
int verb_click(const Args &args);
int verb_nc_click(const Args &args);
int verb_dialogs(const Args &args);
int verb_gdi(const Args &args);
int verb_popups(const Args &args);

// adapter_verbs.cpp
int verb_signal(const Args &args);

// screenshot_verbs.cpp
int verb_screenshot(const Args &args);

// ddraw_verbs.cpp
int verb_display_mode(const Args &args);
int verb_ddraw_held(const Args &args);

// A WINDOW argument as the server resolves it; none: refused.
std::uint32_t resolve_window(Connection &conn, const std::string &name);
// The value of a numeric option, or BadUsage.
std::uint32_t option_u32(const Args &args, const std::string &name, std::uint32_t fallback);

}  // namespace winsim::tool
