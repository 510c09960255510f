// Entry point of qor032.dll: joins the host framework as an extension module
// at load and leaves it at unload.
#include <afxwin.h>
#include <afxdllx.h>

#include "BkgStyle.h"
#include "ImageWrapper.h"
#include "Shade.h"

namespace {
AFX_EXTENSION_MODULE g_qor032Module = {};
}  // namespace

extern "C" BOOL WINAPI DllMain(HINSTANCE hInstance, DWORD dwReason, LPVOID /*lpReserved*/) {
  switch (dwReason) {
    case DLL_PROCESS_ATTACH:
      if (!AfxInitExtensionModule(g_qor032Module, hInstance)) return FALSE;
      // Links the module's classes and resources into the host's chain; the
      // framework owns it from here on.
      new CDynLinkLibrary(g_qor032Module);
      ImageWrapper::Initialize();
      Shade::SetRampColorSource(&Shade::GetSystemRampColors);
      return TRUE;
    case DLL_PROCESS_DETACH:
      BkgStyle::DeleteInstance();
      AfxTermExtensionModule(g_qor032Module, FALSE);
      return TRUE;
    default:
      return TRUE;
  }
}
