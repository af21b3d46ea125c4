// Named events and the waits on them.
#include <windows.h>

#include "devices.h"
#include "handles.h"
#include "process.h"
#include "rpc.h"

using namespace winsim::client;
using namespace winsim;

namespace {

BOOL event_op(HANDLE h, std::uint32_t op) {
  proto::EventOpReq req;
  req.handle = hval(h);
  req.op = op;
  return call_ok(req);
}

// WAIT_FAILED with the error set, or the result.
DWORD wait_result(std::uint32_t status, std::uint32_t result) {
  if (status) {
    set_error(status);
    return WAIT_FAILED;
  }
  return result;
}

}  // namespace

extern "C" {

HANDLE WINAPI CreateEventA(LPSECURITY_ATTRIBUTES, BOOL bManualReset, BOOL bInitialState,
                           LPCSTR lpName) {
  proto::CreateEventReq req;
  req.name = lpName ? lpName : "";
  req.manualReset = bManualReset ? 1 : 0;
  req.initialState = bInitialState ? 1 : 0;
  std::uint32_t status = 0;
  auto rep = call(req, status);
  if (status || !rep.handle) {
    set_error(status ? status : ERROR_INVALID_HANDLE);
    return nullptr;
  }
  set_error(rep.existed ? ERROR_ALREADY_EXISTS : 0);
  return to_handle<HANDLE>(rep.handle);
}

HANDLE WINAPI OpenEventA(DWORD, BOOL, LPCSTR lpName) {
  if (!lpName) {
    set_error(ERROR_INVALID_PARAMETER);
    return nullptr;
  }
  proto::OpenEventReq req;
  req.name = lpName;
  std::uint32_t status = 0;
  auto rep = call(req, status);
  if (status || !rep.handle) {
    set_error(status ? status : ERROR_FILE_NOT_FOUND);
    return nullptr;
  }
  return to_handle<HANDLE>(rep.handle);
}

BOOL WINAPI SetEvent(HANDLE hEvent) { return event_op(hEvent, 0); }
BOOL WINAPI ResetEvent(HANDLE hEvent) { return event_op(hEvent, 1); }
BOOL WINAPI PulseEvent(HANDLE hEvent) { return event_op(hEvent, 2); }

BOOL WINAPI CloseHandle(HANDLE hObject) {
  if (close_device(hObject)) return TRUE;
  proto::CloseHandleReq req;
  req.handle = hval(hObject);
  return call_ok(req);
}

DWORD WINAPI WaitForSingleObject(HANDLE hHandle, DWORD dwMilliseconds) {
  proto::WaitSingleReq req;
  req.handle = hval(hHandle);
  req.timeoutMs = dwMilliseconds;
  std::uint32_t status = 0;
  auto rep = call_held(req, status);
  return wait_result(status, rep.result);
}

DWORD WINAPI MsgWaitForMultipleObjects(DWORD nCount, const HANDLE *pHandles, BOOL fWaitAll,
                                       DWORD dwMilliseconds, DWORD dwWakeMask) {
  if (fWaitAll || nCount > MAXIMUM_WAIT_OBJECTS || (nCount && !pHandles)) {
    set_error(ERROR_INVALID_PARAMETER);
    return WAIT_FAILED;
  }
  proto::MsgWaitReq req;
  for (DWORD i = 0; i < nCount; ++i) req.handles.push_back(hval(pHandles[i]));
  req.timeoutMs = dwMilliseconds;
  req.mask = dwWakeMask;
  std::uint32_t status = 0;
  auto rep = call_held(req, status);
  return wait_result(status, rep.result);
}

}  // extern "C"
