// The multimedia timer.
#include <windows.h>
#include <mmsystem.h>

#include <ctime>

extern "C" DWORD WINAPI timeGetTime(void) {
  // The monotonic clock counts from boot, as the platform's timer does.
  timespec now{};
  clock_gettime(CLOCK_MONOTONIC, &now);
  auto ms = static_cast<unsigned long long>(now.tv_sec) * 1000ull +
            static_cast<unsigned long long>(now.tv_nsec / 1000000);
  return static_cast<DWORD>(ms);
}
