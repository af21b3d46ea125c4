// Listing verbs: what the server reports, printed as it comes.
#include <cstdio>

#include "common.h"
#include "verbs.h"

namespace winsim::tool {

namespace {

int query(const char *what, const Args &args) {
  Connection conn = Connection::require(desktop_socket_path());
  proto::QueryReq req;
  req.what = what;
  if (!args.positional.empty()) req.hwnd = resolve_window(conn, args.positional[0]);
  proto::QueryRep rep;
  if (std::uint32_t status = conn.call(req, rep)) refuse(std::string(what) + ": " + error_text(status));
  std::fwrite(rep.text.data(), 1, rep.text.size(), stdout);
  return 0;
}

}  // namespace

std::uint32_t resolve_window(Connection &conn, const std::string &name) {
  proto::ResolveWindowReq req;
  req.name = name;
  proto::ResolveWindowRep rep;
  if (conn.call(req, rep) || rep.hwnd == 0) refuse("no such window: \"" + escape_text(name, true) + "\"");
  return rep.hwnd;
}

int verb_ps(const Args &args) { return query("ps", args); }
int verb_windows(const Args &args) { return query("windows", args); }
int verb_classes(const Args &args) { return query("classes", args); }
int verb_textout(const Args &args) { return query("textout", args); }
int verb_screen(const Args &args) { return query("screen", args); }
int verb_show(const Args &args) { return query("show", args); }
int verb_log(const Args &args) { return query("log", args); }
int verb_menu_state(const Args &args) { return query("menu-state", args); }

}  // namespace winsim::tool
