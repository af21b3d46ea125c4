// The display adapter as a program reaches it: the driver's escapes on a DC, the VxD as a
// device, and ring-0 handles of events.
#include <windows.h>

#include <cstring>

#include "devices.h"
#include "handles.h"
#include "process.h"
#include "rpc.h"

namespace winsim::client {

bool close_device(HANDLE hObject) {
  return process().devices.erase(reinterpret_cast<std::uintptr_t>(hObject)) != 0;
}

bool windows95_family() {
  DWORD v = GetVersion();
  return (v & 0x80000000u) != 0 && LOBYTE(v) >= 4;
}

}  // namespace winsim::client

using namespace winsim::client;
using namespace winsim;

extern "C" {

int WINAPI ExtEscape(HDC hdc, int iEscape, int cjInput, LPCSTR lpInData, int cjOutput, LPSTR lpOutData) {
  if (!process().dcs.count(reinterpret_cast<std::uintptr_t>(hdc))) {
    set_error(ERROR_INVALID_HANDLE);
    return -1;
  }
  if (cjInput < 0 || cjOutput < 0 || (cjInput && !lpInData) || (cjOutput && !lpOutData)) {
    set_error(ERROR_INVALID_PARAMETER);
    return -1;
  }
  proto::EscapeReq req;
  req.escape = static_cast<std::uint32_t>(iEscape);
  req.input.assign(lpInData ? lpInData : "", static_cast<std::size_t>(cjInput));
  req.outputSize = static_cast<std::uint32_t>(cjOutput);
  std::uint32_t status = 0;
  auto rep = call(req, status);
  if (status) set_error(status);
  std::size_t n = std::min(rep.output.size(), static_cast<std::size_t>(cjOutput));
  if (n) std::memcpy(lpOutData, rep.output.data(), n);
  return rep.ret;
}

DWORD WINAPI OpenVxDHandle(HANDLE hSource) {
  proto::OpenVxDHandleReq req;
  req.handle = hval(hSource);
  std::uint32_t status = 0;
  auto rep = call(req, status);
  if (status) set_error(status);
  return status ? 0 : rep.ring0;
}

HANDLE WINAPI CreateFileA(LPCSTR lpFileName, DWORD, DWORD, LPSECURITY_ATTRIBUTES, DWORD dwCreationDisposition,
                          DWORD, HANDLE) {
  if (!lpFileName) {
    set_error(ERROR_INVALID_PARAMETER);
    return INVALID_HANDLE_VALUE;
  }
  // Devices are all this desktop has: there is no file system behind it.
  if (std::strncmp(lpFileName, "\\\\.\\", 4) != 0 || dwCreationDisposition != OPEN_EXISTING) {
    set_error(ERROR_FILE_NOT_FOUND);
    return INVALID_HANDLE_VALUE;
  }
  proto::OpenDeviceReq req;
  req.path = lpFileName;
  std::uint32_t status = 0;
  call(req, status);
  if (status) {
    set_error(status);
    return INVALID_HANDLE_VALUE;
  }
  Process &p = process();
  std::uintptr_t h = p.nextDevice;
  p.nextDevice += 4;
  p.devices[h] = lpFileName;
  set_error(0);
  return to_handle<HANDLE>(h);
}

BOOL WINAPI DeviceIoControl(HANDLE hDevice, DWORD dwIoControlCode, LPVOID lpInBuffer, DWORD nInBufferSize,
                            LPVOID lpOutBuffer, DWORD nOutBufferSize, LPDWORD lpBytesReturned,
                            LPOVERLAPPED lpOverlapped) {
  auto &devices = process().devices;
  auto it = devices.find(reinterpret_cast<std::uintptr_t>(hDevice));
  if (it == devices.end()) {
    set_error(ERROR_INVALID_HANDLE);
    return FALSE;
  }
  // The NT family writes the count through the pointer: without an overlapped call it must be
  // given. The Windows 95 family lets it be null.
  if (!lpBytesReturned && !lpOverlapped && !windows95_family()) {
    set_error(ERROR_INVALID_PARAMETER);
    return FALSE;
  }
  if ((nInBufferSize && !lpInBuffer) || (nOutBufferSize && !lpOutBuffer)) {
    set_error(ERROR_INVALID_PARAMETER);
    return FALSE;
  }
  proto::DeviceControlReq req;
  req.path = it->second;
  req.code = dwIoControlCode;
  req.input.assign(static_cast<const char *>(lpInBuffer ? lpInBuffer : ""), nInBufferSize);
  req.outputSize = nOutBufferSize;
  std::uint32_t status = 0;
  auto rep = call(req, status);
  std::size_t n = std::min<std::size_t>(rep.output.size(), nOutBufferSize);
  if (n) std::memcpy(lpOutBuffer, rep.output.data(), n);
  if (lpBytesReturned) *lpBytesReturned = static_cast<DWORD>(n);
  if (status) {
    set_error(status);
    return FALSE;
  }
  return TRUE;
}

}  // extern "C"
