// Requests of the driver's DirectDraw layer and the libraries that reach it.
// Same conventions as requests.h; this list is part of WINSIM_REQUESTS.
#pragma once

// clang-format off
#define WINSIM_DDRAW_REQUESTS(X)
// clang-format on
