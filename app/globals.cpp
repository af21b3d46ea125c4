#include "app/ostik.h"

BOOL bLurk = 1;
BOOL bWakeup = 1;
BOOL bKill = 0;
BOOL bFrameRate = 0;
BOOL bEvents = 0;

char szClassName[OSTIK_NAME_SIZE];
char szTitle[OSTIK_NAME_SIZE];

HINSTANCE hInst = NULL;
HWND hwndMain = NULL;
HMENU hMenuMain = NULL;
