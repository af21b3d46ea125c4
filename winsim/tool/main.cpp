// winsim: run and watch programs on a simulated desktop.
#include <csignal>
#include <cstdio>
#include <cstring>
#include <string>
#include <vector>

#include "verbs.h"

using namespace winsim::tool;

namespace {

const Verb kVerbs[] = {
    {"serve", "[--ready-fd N] [--KEY VALUE ...]", {{"ready-fd"}, true, false, 0, 0}, verb_serve},
    {"start", "[--vbl HZ] [--version V] [--KEY VALUE ...]", {{}, true, false, 0, 0}, verb_start},
    {"stop", "", {{}, false, false, 0, 0}, verb_stop},
    {"set", "KEY=VALUE...", {{}, false, false, 1, 1000}, verb_set},
    {"show", "", {{}, false, false, 0, 0}, verb_show},
    {"log", "", {{}, false, false, 0, 0}, verb_log},
    {"launch", "[--show N] -- PROGRAM [ARG...]", {{"show"}, false, true, 1, 100000}, verb_launch},
    {"wait-idle", "[--timeout S]", {{"timeout"}, false, false, 0, 0}, verb_wait_idle},
    {"wait-exit", "PID [--timeout S]", {{"timeout"}, false, false, 1, 1}, verb_wait_exit},
    {"ps", "", {{}, false, false, 0, 0}, verb_ps},
    {"windows", "", {{}, false, false, 0, 0}, verb_windows},
    {"classes", "", {{}, false, false, 0, 0}, verb_classes},
    {"textout", "WINDOW", {{}, false, false, 1, 1}, verb_textout},
    {"screen", "WINDOW", {{}, false, false, 1, 1}, verb_screen},
    {"menu-state", "WINDOW", {{}, false, false, 1, 1}, verb_menu_state},
    {"post", "[--count N] WINDOW MSG [WPARAM [LPARAM]]", {{"count"}, false, false, 2, 4}, verb_post},
    {"send", "WINDOW MSG [WPARAM [LPARAM]]", {{}, false, false, 2, 4}, verb_send},
    {"key", "WINDOW KEY", {{}, false, false, 2, 2}, verb_key},
    {"close", "WINDOW", {{}, false, false, 1, 1}, verb_close},
    {"minimize", "WINDOW", {{}, false, false, 1, 1}, verb_minimize},
    {"restore", "WINDOW", {{}, false, false, 1, 1}, verb_restore},
    {"menu", "WINDOW ID", {{}, false, false, 2, 2}, verb_menu},
    {"click", "WINDOW left|right X Y", {{}, false, false, 4, 4}, verb_click},
    {"nc-click", "WINDOW left|right sysmenu|caption", {{}, false, false, 3, 3}, verb_nc_click},
    {"dialogs", "", {{}, false, false, 0, 0}, verb_dialogs},
    {"gdi", "", {{}, false, false, 0, 0}, verb_gdi},
    {"popups", "", {{}, false, false, 0, 0}, verb_popups},
    {"display-mode", "W H BPP", {{}, false, false, 3, 3}, verb_display_mode},
    {"ddraw-held", "PID", {{}, false, false, 1, 1}, verb_ddraw_held},
    {"signal", "[--count N] video|monitor", {{"count"}, false, false, 1, 1}, verb_signal},
    {"screenshot", "FILE.png [WINDOW]", {{}, false, false, 1, 2}, verb_screenshot},
};

int usage(const Verb *verb, const std::string &detail) {
  if (verb && !detail.empty()) std::fprintf(stderr, "winsim %s: %s\n", verb->name, detail.c_str());
  if (verb) {
    std::fprintf(stderr, "usage: winsim %s%s%s\n", verb->name, *verb->usage ? " " : "", verb->usage);
  } else {
    std::fprintf(stderr, "usage: winsim VERB [ARG...]; verbs:");
    for (const auto &v : kVerbs)
      if (std::strcmp(v.name, "serve") != 0) std::fprintf(stderr, " %s", v.name);
    std::fprintf(stderr, "\n");
  }
  return kExitUsage;
}

}  // namespace

int main(int argc, char **argv) {
  // A desktop that goes away mid-request is a refusal, not a signal death.
  std::signal(SIGPIPE, SIG_IGN);
  if (argc < 2) return usage(nullptr, "");
  const Verb *verb = nullptr;
  for (const auto &v : kVerbs)
    if (argv[1] == std::string(v.name)) verb = &v;
  if (!verb) return usage(nullptr, "");
  auto args = parse_args(std::vector<std::string>(argv + 2, argv + argc), verb->shape);
  if (!args) return usage(verb, "");
  try {
    int status = verb->run(*args);
    std::fflush(stdout);
    return status;
  } catch (const BadUsage &e) {
    return usage(verb, e.detail);
  } catch (const Failure &e) {
    std::fflush(stdout);
    std::fprintf(stderr, "winsim %s: %s\n", verb->name, e.message.c_str());
    return e.status;
  }
}
