// Basic Win32 types for winsim programs: Win32 sizes on an LP64 host.
#ifndef WINSIM_WINDEF_H
#define WINSIM_WINDEF_H

#include <stdarg.h>
#include <stddef.h>
#include <stdint.h>

#define WINAPI
#define CALLBACK
#define APIENTRY
#define WINAPIV
#define CONST const
#define VOID void
#define FAR
#define NEAR

#ifdef __cplusplus
#define WINSIM_EXTERN_C_BEGIN extern "C" {
#define WINSIM_EXTERN_C_END }
#else
#define WINSIM_EXTERN_C_BEGIN
#define WINSIM_EXTERN_C_END
#endif

#ifndef FALSE
#define FALSE 0
#endif
#ifndef TRUE
#define TRUE 1
#endif

typedef uint8_t BYTE;
typedef uint16_t WORD;
typedef uint32_t DWORD;
typedef uint32_t UINT;
typedef uint32_t ULONG;
typedef int32_t LONG;
typedef int32_t INT;
typedef int32_t BOOL;
typedef int16_t SHORT;
typedef uint16_t USHORT;
typedef char CHAR;
typedef unsigned char UCHAR;
typedef wchar_t WCHAR;
typedef BYTE BOOLEAN;
typedef float FLOAT;
typedef int64_t LONGLONG;
typedef uint64_t ULONGLONG;
typedef uint64_t DWORD64;

typedef uintptr_t WPARAM;
typedef uintptr_t UINT_PTR;
typedef uintptr_t ULONG_PTR;
typedef uintptr_t DWORD_PTR;
typedef uintptr_t SIZE_T;
typedef intptr_t LPARAM;
typedef intptr_t LRESULT;
typedef intptr_t INT_PTR;
typedef intptr_t LONG_PTR;
typedef intptr_t SSIZE_T;

typedef WORD ATOM;
typedef WORD LANGID;
typedef DWORD COLORREF;
typedef DWORD LCID;

typedef CHAR *LPSTR, *PSTR, *LPCH;
typedef const CHAR *LPCSTR, *PCSTR, *LPCCH;
typedef WCHAR *LPWSTR, *PWSTR;
typedef const WCHAR *LPCWSTR, *PCWSTR;
typedef CHAR TCHAR;
typedef LPSTR LPTSTR;
typedef LPCSTR LPCTSTR;
#define TEXT(s) s

typedef void *LPVOID, *PVOID;
typedef const void *LPCVOID;
typedef BYTE *LPBYTE, *PBYTE;
typedef WORD *LPWORD, *PWORD;
typedef DWORD *LPDWORD, *PDWORD;
typedef LONG *LPLONG, *PLONG;
typedef INT *LPINT, *PINT;
typedef UINT *LPUINT, *PUINT;
typedef BOOL *LPBOOL, *PBOOL;

typedef void *HANDLE;
typedef HANDLE *LPHANDLE, *PHANDLE;

#define DECLARE_HANDLE(name) \
  struct name##__ {          \
    int unused;              \
  };                         \
  typedef struct name##__ *name

DECLARE_HANDLE(HWND);
DECLARE_HANDLE(HINSTANCE);
DECLARE_HANDLE(HDC);
DECLARE_HANDLE(HMENU);
DECLARE_HANDLE(HICON);
DECLARE_HANDLE(HBRUSH);
DECLARE_HANDLE(HACCEL);
DECLARE_HANDLE(HFONT);
DECLARE_HANDLE(HPEN);
DECLARE_HANDLE(HBITMAP);
DECLARE_HANDLE(HPALETTE);
DECLARE_HANDLE(HRGN);
DECLARE_HANDLE(HRSRC);
DECLARE_HANDLE(HKEY);
DECLARE_HANDLE(HMONITOR);
typedef HINSTANCE HMODULE;
typedef HICON HCURSOR;
typedef void *HGDIOBJ;
typedef HANDLE HGLOBAL;
typedef HANDLE HLOCAL;

typedef INT_PTR(WINAPI *FARPROC)();
typedef INT_PTR(WINAPI *NEARPROC)();
typedef INT_PTR(WINAPI *PROC)();

typedef struct tagPOINT {
  LONG x;
  LONG y;
} POINT, *PPOINT, *LPPOINT;

typedef struct tagSIZE {
  LONG cx;
  LONG cy;
} SIZE, *PSIZE, *LPSIZE;

typedef struct tagRECT {
  LONG left;
  LONG top;
  LONG right;
  LONG bottom;
} RECT, *PRECT, *LPRECT;
typedef const RECT *LPCRECT;

#define LOBYTE(w) ((BYTE)(((DWORD_PTR)(w)) & 0xFF))
#define HIBYTE(w) ((BYTE)((((DWORD_PTR)(w)) >> 8) & 0xFF))
#define LOWORD(l) ((WORD)(((DWORD_PTR)(l)) & 0xFFFF))
#define HIWORD(l) ((WORD)((((DWORD_PTR)(l)) >> 16) & 0xFFFF))
#define MAKEWORD(lo, hi) ((WORD)(((BYTE)(((DWORD_PTR)(lo)) & 0xFF)) | ((WORD)((BYTE)(((DWORD_PTR)(hi)) & 0xFF))) << 8))
#define MAKELONG(lo, hi) ((LONG)(((WORD)(((DWORD_PTR)(lo)) & 0xFFFF)) | ((DWORD)((WORD)(((DWORD_PTR)(hi)) & 0xFFFF))) << 16))
#define MAKEWPARAM(lo, hi) ((WPARAM)(DWORD)MAKELONG(lo, hi))
#define MAKELPARAM(lo, hi) ((LPARAM)(DWORD)MAKELONG(lo, hi))
#define MAKELRESULT(lo, hi) ((LRESULT)(DWORD)MAKELONG(lo, hi))

#define MAX_PATH 260

#endif
