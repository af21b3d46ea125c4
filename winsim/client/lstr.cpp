// The lstr* string functions: NULL-tolerant like their Win32 counterparts.
#include <windows.h>

#include <cstring>

namespace {

int sign(int v) { return v < 0 ? -1 : v > 0 ? 1 : 0; }

int lower(unsigned char c) { return c >= 'A' && c <= 'Z' ? c - 'A' + 'a' : c; }

}  // namespace

extern "C" {

LPSTR WINAPI lstrcpyA(LPSTR lpString1, LPCSTR lpString2) {
  if (!lpString1 || !lpString2) return nullptr;
  return std::strcpy(lpString1, lpString2);
}

LPSTR WINAPI lstrcpynA(LPSTR lpString1, LPCSTR lpString2, int iMaxLength) {
  if (!lpString1 || iMaxLength <= 0) return lpString1;
  int i = 0;
  if (lpString2)
    for (; i < iMaxLength - 1 && lpString2[i]; ++i) lpString1[i] = lpString2[i];
  lpString1[i] = 0;
  return lpString1;
}

LPSTR WINAPI lstrcatA(LPSTR lpString1, LPCSTR lpString2) {
  if (!lpString1) return nullptr;
  if (!lpString2) return lpString1;
  return std::strcat(lpString1, lpString2);
}

int WINAPI lstrlenA(LPCSTR lpString) { return lpString ? static_cast<int>(std::strlen(lpString)) : 0; }

int WINAPI lstrcmpA(LPCSTR lpString1, LPCSTR lpString2) {
  return sign(std::strcmp(lpString1 ? lpString1 : "", lpString2 ? lpString2 : ""));
}

int WINAPI lstrcmpiA(LPCSTR lpString1, LPCSTR lpString2) {
  const unsigned char *a = reinterpret_cast<const unsigned char *>(lpString1 ? lpString1 : "");
  const unsigned char *b = reinterpret_cast<const unsigned char *>(lpString2 ? lpString2 : "");
  for (;; ++a, ++b) {
    int d = lower(*a) - lower(*b);
    if (d || !*a) return sign(d);
  }
}

}  // extern "C"
