#include "common.h"
#include "handlers.h"
#include "listing.h"

namespace winsim::server {

void handle(Server &s, Conn &c, const proto::ClassRegisteredReq &r) {
  if (!c.process) return s.reply(c, 5, proto::ClassRegisteredRep{});
  c.process->classes.push_back(
      ClassRecord{r.className, r.menu, r.style, r.icon != 0, r.smallIcon != 0, r.extended != 0});
  s.reply(c, 0, proto::ClassRegisteredRep{});
}

std::string classes_text(const Server &s) {
  std::string out;
  for (const auto &p : s.processes.all()) {
    if (p->ended) continue;
    for (const auto &k : p->classes) {
      out += std::to_string(p->pid) + " class=\"" + escape_text(k.name, true) + "\" style=" + hex8(k.style) +
             " menu=\"" + escape_text(k.menu, true) + "\" icon=" + (k.icon ? "1" : "0") +
             " small-icon=" + (k.smallIcon ? "1" : "0") +
             " call=" + (k.extended ? "RegisterClassExA" : "RegisterClassA") + "\n";
    }
  }
  return out;
}

}  // namespace winsim::server
