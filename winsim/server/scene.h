// What the desktop shows, as lines a picture can be painted from (the `scene` query).
#pragma once

#include <string>

namespace winsim::server {

class Server;

// Painting order: windows in creation order, dialogs after them, the foreground window last,
// then open pop-up menus. Free text ends its line, escaped like every listing.
//   window HWND L T R B VISIBLE ICONIC FOREGROUND window|dialog|messagebox TITLE
//   bar TEXT                   each item of the window's menu bar
//   row N TEXT                 client cell row N (only rows with text)
//   control ID CLASS FLAGS TEXT  a dialog's control; FLAGS comma-separated, "-" for none
//   popup X Y                  an open pop-up menu at screen X Y
//   item FLAGS TEXT            its items (MF_* flags in hex)
std::string scene_text(Server &s);

}  // namespace winsim::server
