// The module's file name, and version information read back from an executable file: the
// .res embedded in its .winsim_res section.
#include <windows.h>
#include <unistd.h>

#include <algorithm>
#include <cstring>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "handles.h"
#include "process.h"
#include "verinfo.h"

namespace winsim::client {
namespace {

// After the block itself, GetFileVersionInfoA leaves room where VerQueryValueA puts the ANSI
// copies of text values; this mark says the room is there.
constexpr char kAnsiMark[4] = {'A', 'N', 'S', 'I'};

std::optional<std::vector<std::uint8_t>> read_file(LPCSTR path) {
  std::ifstream in(path, std::ios::binary);
  if (!in) return std::nullopt;
  return std::vector<std::uint8_t>(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

// The version resource of the file, or nullopt with the error set.
std::optional<std::vector<std::uint8_t>> file_version_block(LPCSTR path) {
  if (!path) {
    set_error(ERROR_INVALID_PARAMETER);
    return std::nullopt;
  }
  auto file = read_file(path);
  if (!file) {
    set_error(ERROR_FILE_NOT_FOUND);
    return std::nullopt;
  }
  auto section = elf_section(*file, ".winsim_res");
  auto block = section ? version_resource(*section) : std::nullopt;
  if (!block || block->size() < 6) {
    set_error(ERROR_RESOURCE_TYPE_NOT_FOUND);
    return std::nullopt;
  }
  return std::vector<std::uint8_t>(block->begin(), block->end());
}

}  // namespace
}  // namespace winsim::client

using namespace winsim::client;
using namespace winsim;

extern "C" {

DWORD WINAPI GetModuleFileNameA(HMODULE hModule, LPSTR lpFilename, DWORD nSize) {
  if (hModule && hModule != own_instance()) {
    set_error(ERROR_MOD_NOT_FOUND);
    return 0;
  }
  if (!lpFilename || nSize == 0) {
    set_error(ERROR_INSUFFICIENT_BUFFER);
    return 0;
  }
  char path[4096];
  ssize_t n = ::readlink("/proc/self/exe", path, sizeof path - 1);
  if (n <= 0) {
    set_error(ERROR_FILE_NOT_FOUND);
    return 0;
  }
  auto len = static_cast<DWORD>(n);
  if (len >= nSize) {
    // Cut and still terminated; the caller learns of it by the length.
    std::memcpy(lpFilename, path, nSize - 1);
    lpFilename[nSize - 1] = 0;
    set_error(ERROR_INSUFFICIENT_BUFFER);
    return nSize;
  }
  std::memcpy(lpFilename, path, len);
  lpFilename[len] = 0;
  return len;
}

DWORD WINAPI GetFileVersionInfoSizeA(LPCSTR lptstrFilename, LPDWORD lpdwHandle) {
  if (lpdwHandle) *lpdwHandle = 0;
  auto block = file_version_block(lptstrFilename);
  if (!block) return 0;
  return static_cast<DWORD>(2 * block->size());
}

BOOL WINAPI GetFileVersionInfoA(LPCSTR lptstrFilename, DWORD, DWORD dwLen, LPVOID lpData) {
  if (!lpData) {
    set_error(ERROR_INVALID_PARAMETER);
    return FALSE;
  }
  auto block = file_version_block(lptstrFilename);
  if (!block) return FALSE;
  auto *out = static_cast<std::uint8_t *>(lpData);
  std::size_t n = std::min<std::size_t>(dwLen, block->size());
  std::memcpy(out, block->data(), n);
  if (dwLen >= 2 * block->size()) {
    std::memset(out + block->size(), 0, block->size());
    std::memcpy(out + block->size(), kAnsiMark, sizeof kAnsiMark);
  }
  return TRUE;
}

BOOL WINAPI VerQueryValueA(LPCVOID pBlock, LPCSTR lpSubBlock, LPVOID *lplpBuffer, PUINT puLen) {
  if (!pBlock || !lpSubBlock || !lplpBuffer) {
    set_error(ERROR_INVALID_PARAMETER);
    return FALSE;
  }
  auto *base = static_cast<std::uint8_t *>(const_cast<void *>(pBlock));
  std::size_t size = base[0] | (base[1] << 8);
  auto value = find_version_value(res::Bytes(base, size), lpSubBlock);
  if (!value) {
    set_error(ERROR_RESOURCE_TYPE_NOT_FOUND);
    return FALSE;
  }
  if (!value->text) {
    *lplpBuffer = base + value->offset;
    if (puLen) *puLen = static_cast<UINT>(value->length);
    return TRUE;
  }
  if (std::memcmp(base + size, kAnsiMark, sizeof kAnsiMark) != 0) {
    set_error(ERROR_INSUFFICIENT_BUFFER);
    return FALSE;
  }
  std::u16string wide;
  for (std::size_t i = 0; i < value->length && value->offset + 2 * i + 1 < size; ++i) {
    auto c = static_cast<char16_t>(base[value->offset + 2 * i] | (base[value->offset + 2 * i + 1] << 8));
    if (c == 0) break;
    wide.push_back(c);
  }
  std::string ansi = res::to_ansi(wide);
  // The copy takes at most half the room its wide form takes in the block.
  char *copy = reinterpret_cast<char *>(base + size + value->offset);
  std::memcpy(copy, ansi.data(), ansi.size());
  copy[ansi.size()] = 0;
  *lplpBuffer = copy;
  if (puLen) *puLen = static_cast<UINT>(value->length);
  return TRUE;
}

}  // extern "C"
