#include "classes.h"

#include "handles.h"

namespace winsim::client {

std::string upper_ascii(std::string_view s) {
  std::string out(s);
  for (char &c : out)
    if (c >= 'a' && c <= 'z') c = static_cast<char>(c - 'a' + 'A');
  return out;
}

ResName keep_res_name(LPCSTR name) {
  if (IS_INTRESOURCE(name)) return static_cast<WORD>(reinterpret_cast<std::uintptr_t>(name));
  return std::string(name);
}

LPCSTR res_name_ptr(const ResName &name) {
  if (const WORD *id = std::get_if<WORD>(&name)) return MAKEINTRESOURCEA(*id);
  return std::get<std::string>(name).c_str();
}

ATOM ClassTable::add(WindowClass cls, DWORD &error) {
  std::string key = upper_ascii(cls.name);
  if (byName_.count(key)) {
    error = ERROR_CLASS_ALREADY_EXISTS;
    return 0;
  }
  cls.atom = nextAtom_++;
  ATOM atom = cls.atom;
  byName_.emplace(std::move(key), std::make_shared<const WindowClass>(std::move(cls)));
  error = 0;
  return atom;
}

std::shared_ptr<const WindowClass> ClassTable::find(LPCSTR name) const {
  if (!name) return nullptr;
  if (IS_INTRESOURCE(name)) {
    auto atom = static_cast<ATOM>(reinterpret_cast<std::uintptr_t>(name));
    for (const auto &[key, cls] : byName_)
      if (cls->atom == atom) return cls;
    return nullptr;
  }
  auto it = byName_.find(upper_ascii(name));
  return it == byName_.end() ? nullptr : it->second;
}

}  // namespace winsim::client
