// COM basics for winsim programs: result codes, interface ids and IUnknown.
#ifndef WINSIM_UNKNWN_H
#define WINSIM_UNKNWN_H

#include "windef.h"

typedef LONG HRESULT;

#define S_OK ((HRESULT)0L)
#define S_FALSE ((HRESULT)1L)
#define E_NOTIMPL ((HRESULT)0x80004001L)
#define E_NOINTERFACE ((HRESULT)0x80004002L)
#define E_POINTER ((HRESULT)0x80004003L)
#define E_FAIL ((HRESULT)0x80004005L)
#define E_OUTOFMEMORY ((HRESULT)0x8007000EL)
#define E_INVALIDARG ((HRESULT)0x80070057L)
#define CLASS_E_NOAGGREGATION ((HRESULT)0x80040110L)

#define SUCCEEDED(hr) (((HRESULT)(hr)) >= 0)
#define FAILED(hr) (((HRESULT)(hr)) < 0)

typedef struct _GUID {
  DWORD Data1;
  WORD Data2;
  WORD Data3;
  BYTE Data4[8];
} GUID, *LPGUID;
typedef GUID IID;
typedef IID *LPIID;
#ifdef __cplusplus
typedef const IID &REFIID;
#else
typedef const IID *REFIID;
#endif

#ifdef __cplusplus
// An interface is a class of pure virtual methods; objects count their own references.
struct IUnknown {
  virtual HRESULT WINAPI QueryInterface(REFIID riid, void **ppvObject) = 0;
  virtual ULONG WINAPI AddRef(void) = 0;
  virtual ULONG WINAPI Release(void) = 0;

 protected:
  ~IUnknown() = default;
};
typedef IUnknown *LPUNKNOWN;
#endif

#endif
