// The picture verb: the desktop, or one window of it, as a PNG file.
#include <cstdio>
#include <memory>

#include "common.h"
#include "render.h"
#include "verbs.h"

namespace winsim::tool {

namespace {

void write_file(const std::string &path, const std::string &bytes) {
  std::unique_ptr<std::FILE, int (*)(std::FILE *)> f(std::fopen(path.c_str(), "wb"), std::fclose);
  if (!f) refuse("cannot write " + escape_text(path));
  bool ok = std::fwrite(bytes.data(), 1, bytes.size(), f.get()) == bytes.size();
  ok = std::fclose(f.release()) == 0 && ok;
  if (!ok) refuse("cannot write " + escape_text(path));
}

}  // namespace

int verb_screenshot(const Args &args) {
  Connection conn = Connection::require(desktop_socket_path());
  std::uint32_t hwnd = args.positional.size() > 1 ? resolve_window(conn, args.positional[1]) : 0;
  proto::QueryReq req;
  req.what = "scene";
  proto::QueryRep rep;
  if (std::uint32_t status = conn.call(req, rep)) refuse("scene: " + error_text(status));
  std::string bad;
  auto scene = parse_scene(rep.text, &bad);
  if (!scene) refuse("unreadable scene line: " + escape_text(bad));

  Image image = render_scene(*scene, CellFont::load());
  if (hwnd) {
    const SceneWindow *w = nullptr;
    for (const auto &sw : scene->windows)
      if (sw.hwnd == hwnd) w = &sw;
    if (!w) refuse("no such window: \"" + escape_text(args.positional[1], true) + "\"");
    image = crop(image, w->left, w->top, w->right, w->bottom);
  }
  write_file(args.positional[0], encode_png(image));
  return 0;
}

}  // namespace winsim::tool
