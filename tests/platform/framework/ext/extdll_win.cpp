// A minimal extension module: it joins the host's resource chain in its
// entry point and leaves it at unload, as the library does.
#include "afxdllx.h"

namespace {
AFX_EXTENSION_MODULE g_extModule = {};
}

extern "C" BOOL WINAPI DllMain(HINSTANCE hInstance, DWORD dwReason, LPVOID lpReserved) {
  if (dwReason == DLL_PROCESS_ATTACH) {
    if (!AfxInitExtensionModule(g_extModule, hInstance)) return FALSE;
    new CDynLinkLibrary(g_extModule);
  } else if (dwReason == DLL_PROCESS_DETACH) {
    AfxTermExtensionModule(g_extModule);
  }
  return AfxRawDllMain(hInstance, dwReason, lpReserved);
}
