// Extension modules: a DLL whose resources join the host's search chain.
//
// The module keeps one AFX_EXTENSION_MODULE record and, in its DllMain:
//
//   static AFX_EXTENSION_MODULE extModule = {};
//   extern "C" BOOL WINAPI DllMain(HINSTANCE hInstance, DWORD dwReason, LPVOID lpReserved) {
//     if (dwReason == DLL_PROCESS_ATTACH) {
//       if (!AfxInitExtensionModule(extModule, hInstance)) return FALSE;
//       new CDynLinkLibrary(extModule);  // owned by the framework from here on
//     } else if (dwReason == DLL_PROCESS_DETACH) {
//       AfxTermExtensionModule(extModule);
//     }
//     return AfxRawDllMain(hInstance, dwReason, lpReserved);
//   }
#pragma once

#include "afxwin.h"

// The raw entry hook of an extension module, called last in its DllMain.
// The framework keeps no per-module lists of run-time classes (classes are
// found through their own records), so attaching needs nothing; at detach it
// unlinks whatever the module left in the chain, so that a module that forgot
// AfxTermExtensionModule does not leave an unloaded module's handle to be
// searched for resources.
AFX_API BOOL WINAPI AfxRawDllMain(HINSTANCE hInstance, DWORD dwReason, LPVOID lpReserved);
