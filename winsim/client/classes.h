// Window classes of this process (classes are per process; names compared without case).
#pragma once

#include <windows.h>

#include <map>
#include <memory>
#include <optional>
#include <string>
#include <variant>

namespace winsim::client {

// A resource name kept past the caller's string: an id or a text.
using ResName = std::variant<WORD, std::string>;
ResName keep_res_name(LPCSTR name);
LPCSTR res_name_ptr(const ResName &name);

struct WindowClass {
  ATOM atom = 0;
  std::string name;
  UINT style = 0;
  WNDPROC proc = nullptr;
  HINSTANCE instance = nullptr;
  HICON icon = nullptr;
  HICON iconSmall = nullptr;
  HCURSOR cursor = nullptr;
  HBRUSH background = nullptr;
  std::optional<ResName> menuName;
};

class ClassTable {
 public:
  // 0 with the Win32 error in `error` when refused.
  ATOM add(WindowClass cls, DWORD &error);
  // By name, or by atom when IS_INTRESOURCE(name).
  std::shared_ptr<const WindowClass> find(LPCSTR name) const;

 private:
  std::map<std::string, std::shared_ptr<const WindowClass>> byName_;  // upper-cased
  ATOM nextAtom_ = 0xC000;
};

std::string upper_ascii(std::string_view s);

}  // namespace winsim::client
