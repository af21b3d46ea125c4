#include "driver/driver.h"

HANDLE hEventVideo = NULL;
HANDLE hEventMonitor = NULL;
