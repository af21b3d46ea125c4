// Requests of dialogs, message boxes, menu tracking, fonts and the rest of the user interface.
// Same conventions as requests.h; this list is part of WINSIM_REQUESTS.
#pragma once

// clang-format off
#define WINSIM_UI_REQUESTS(X)
// clang-format on
