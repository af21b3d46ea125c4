// Acting on menus and with the mouse like a user, and listing dialogs and GDI objects.
#include <cstdio>
#include <cstdlib>

#include "common.h"
#include "verbs.h"

namespace winsim::tool {

namespace {

std::int32_t parse_coordinate(const std::string &text, const char *what) {
  char *end = nullptr;
  long v = std::strtol(text.c_str(), &end, 10);
  if (text.empty() || *end != '\0' || v < -32768 || v > 32767)
    throw BadUsage{std::string("bad ") + what + ": " + text};
  return static_cast<std::int32_t>(v);
}

std::uint32_t parse_button(const std::string &text) {
  if (text == "left") return 0;
  if (text == "right") return 1;
  throw BadUsage{"bad button: " + text};
}

// Sends `req` about the window named first on the command line, as a user acting on it.
template <class Rep, class Req>
int act_on_window(const Args &args, Req req, const char *what) {
  Connection conn = Connection::require(desktop_socket_path());
  req.hwnd = resolve_window(conn, args.positional[0]);
  Rep rep;
  std::uint32_t status = conn.call(req, rep);
  if (!rep.error.empty()) refuse(rep.error);
  if (status) refuse(std::string(what) + ": " + error_text(status));
  return 0;
}

int ui_query(const char *what) {
  Connection conn = Connection::require(desktop_socket_path());
  proto::UiQueryReq req;
  req.what = what;
  proto::UiQueryRep rep;
  if (std::uint32_t status = conn.call(req, rep)) refuse(std::string(what) + ": " + error_text(status));
  std::fwrite(rep.text.data(), 1, rep.text.size(), stdout);
  return 0;
}

}  // namespace

int verb_menu(const Args &args) {
  char *end = nullptr;
  const std::string &idText = args.positional[1];
  unsigned long id = std::strtoul(idText.c_str(), &end, 0);
  if (idText.empty() || *end != '\0' || id > 0xFFFF) throw BadUsage{"bad ID: " + idText};
  proto::MenuChooseReq req;
  req.id = static_cast<std::uint32_t>(id);
  return act_on_window<proto::MenuChooseRep>(args, req, "menu");
}

int verb_click(const Args &args) {
  proto::MouseInputReq req;
  req.button = parse_button(args.positional[1]);
  req.area = 0;
  req.x = parse_coordinate(args.positional[2], "X");
  req.y = parse_coordinate(args.positional[3], "Y");
  return act_on_window<proto::MouseInputRep>(args, req, "click");
}

int verb_nc_click(const Args &args) {
  proto::MouseInputReq req;
  req.button = parse_button(args.positional[1]);
  const std::string &where = args.positional[2];
  if (where == "sysmenu") req.area = 1;
  else if (where == "caption") req.area = 2;
  else throw BadUsage{"bad place: " + where};
  return act_on_window<proto::MouseInputRep>(args, req, "nc-click");
}

int verb_dialogs(const Args &) { return ui_query("dialogs"); }
int verb_gdi(const Args &) { return ui_query("gdi"); }
int verb_popups(const Args &) { return ui_query("popups"); }

}  // namespace winsim::tool
