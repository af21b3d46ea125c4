// Requests of the simulated adapter: the display driver's escape, the VxD, ring-0 event handles.
// Same conventions as requests.h; this list is part of WINSIM_REQUESTS.
#pragma once

// clang-format off
#define WINSIM_ADAPTER_REQUESTS(X)
// clang-format on
