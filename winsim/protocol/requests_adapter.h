// Requests of the simulated adapter: the display driver's escape, the VxD, ring-0 event handles.
// Same conventions as requests.h; this list is part of WINSIM_REQUESTS.
#pragma once

// clang-format off
#define WINSIM_ADAPTER_REQUESTS(X) \
  /* ExtEscape on a screen DC: ret as ExtEscape returns it (0: escape not supported), output */ \
  /* at most outputSize bytes. */ \
  X(Escape,        IN(U32, escape) IN(STR, input) IN(U32, outputSize) \
                   OUT(I32, ret) OUT(STR, output)) \
  /* OpenVxDHandle on an event handle of the caller: its ring-0 handle, 0 when none is given. */ \
  X(OpenVxDHandle, IN(U32, handle) OUT(U32, ring0)) \
  /* CreateFileA on a device path ("\\\\.\\NAME"); ERROR_FILE_NOT_FOUND when it is absent. */ \
  X(OpenDevice,    IN(STR, path)) \
  /* DeviceIoControl on an open device; returned: the bytes of output that mean something. */ \
  X(DeviceControl, IN(STR, path) IN(U32, code) IN(STR, input) IN(U32, outputSize) \
                   OUT(STR, output) OUT(U32, returned)) \
  /* The winsim command: the adapter signals the registered event ("video" or "monitor") */ \
  /* count times in one step, so that the later ones find it still set. */ \
  X(Signal,        IN(STR, which) IN(U32, count))
// clang-format on
