// WinHelp and MessageBeep leave a line in the desktop's record.
#include <windows.h>

#include <cstdio>

#include "common.h"
#include "process.h"
#include "rpc.h"
#include "settings.h"

using namespace winsim::client;
using namespace winsim;

namespace {

void record(std::string line) {
  proto::RecordReq req;
  req.line = std::move(line);
  call(req);
}

std::string hex8(std::uint64_t v) {
  char buf[16];
  std::snprintf(buf, sizeof buf, "%08x", static_cast<unsigned>(v & 0xFFFFFFFFu));
  return buf;
}

}  // namespace

extern "C" {

BOOL WINAPI WinHelpA(HWND, LPCSTR lpszHelp, UINT uCommand, ULONG_PTR dwData) {
  std::string line = "winhelp ";
  line += lpszHelp ? lpszHelp : "-";
  line += ' ';
  line += hex8(uCommand);
  line += ' ';
  bool text = uCommand == HELP_KEY || uCommand == HELP_PARTIALKEY || uCommand == HELP_COMMAND;
  if (text) {
    const char *s = reinterpret_cast<const char *>(dwData);
    line += '"' + escape_text(s ? s : "", true) + '"';
  } else {
    line += hex8(dwData);
  }
  record(std::move(line));
  return setting("winhelp").value_or("ok") == "fail" ? FALSE : TRUE;
}

BOOL WINAPI MessageBeep(UINT uType) {
  record("beep " + hex8(uType));
  return TRUE;
}

}  // extern "C"
