// A small DLL that links qor032.dll, loaded and unloaded as a host would,
// with plain C functions that reach into the library.
#include <windows.h>

#include <vector>

#include "BkgStyle.h"
#include "ImageWrapper.h"
#include "ShadeProps.h"

extern "C" __declspec(dllexport) int ProbeFillRegistry(int nCount) {
  BkgStyle* pRegistry = BkgStyle::GetInstance();
  if (pRegistry == nullptr) return -1;
  for (int i = 0; i < nCount; ++i) {
    ShadeProps* pDefault = new ShadeProps;
    pDefault->SetName(CString('d', 200));
    pRegistry->SetDefault(static_cast<BkgStyle::UIComponent>(i), pDefault);
    ShadeProps* pUser = new ShadeProps;
    pUser->SetName(CString('u', 200));
    pRegistry->SetUser(static_cast<BkgStyle::UIComponent>(i), pUser);
  }
  std::vector<BkgStyle::UIComponent> ids;
  pRegistry->GetIDs(ids);
  return static_cast<int>(ids.size());
}

extern "C" __declspec(dllexport) int ProbeCountImageExtensions() {
  TextArray exts;
  ImageWrapper::GetSupportedExt(exts);
  return exts.GetSize();
}
