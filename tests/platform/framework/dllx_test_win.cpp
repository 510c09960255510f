// Extension modules under Wine: a DLL that joins the resource chain in its
// entry point is searched after the host, and leaves no trace once unloaded.
#include <gtest/gtest.h>

#include <string>

#include "afxdllx.h"
#include "fwtest_ids.h"
#include "fwtest_win.h"

namespace {

constexpr char kExtDll[] = "fwtest_extdll.dll";

int ChainLength() {
  AfxLockGlobals(CRIT_DYNLINKLIST);
  const int n = AfxGetModuleState()->m_libraryList.GetCount();
  AfxUnlockGlobals(CRIT_DYNLINKLIST);
  return n;
}

CDynLinkLibrary* FindLinked(HMODULE hModule) {
  auto& list = AfxGetModuleState()->m_libraryList;
  for (CDynLinkLibrary* p = list.GetHead(); p != nullptr; p = list.GetNext(p))
    if (p->m_hModule == hModule) return p;
  return nullptr;
}

std::string RcData(HINSTANCE hInst, const char* pszName) {
  HRSRC hRes = ::FindResourceA(hInst, pszName, RT_RCDATA);
  if (hRes == nullptr) return "<none>";
  const char* p = static_cast<const char*>(::LockResource(::LoadResource(hInst, hRes)));
  return std::string(p);
}

// Loading links the module and unloading unlinks it; resources are found in
// the current resource handle first, then in the linked modules.
TEST(ExtensionModule, LinkedWhileLoadedAndSearchedAfterTheHost) {
  const int nBefore = ChainLength();
  HMODULE hDll = ::LoadLibraryA(kExtDll);
  ASSERT_NE(hDll, nullptr);
  EXPECT_EQ(ChainLength(), nBefore + 1);
  CDynLinkLibrary* pLib = FindLinked(hDll);
  ASSERT_NE(pLib, nullptr);
  EXPECT_EQ(pLib->m_hResource, hDll);
  EXPECT_FALSE(pLib->m_bSystem);

  HINSTANCE hHost = ::GetModuleHandleA(nullptr), hCurrent = AfxGetResourceHandle();
  EXPECT_EQ(AfxFindResourceHandle("FWTEST_EXT_ONLY", RT_RCDATA), hDll);
  EXPECT_EQ(AfxFindResourceHandle("FWTEST_HOST_ONLY", RT_RCDATA), hHost);
  EXPECT_EQ(RcData(AfxFindResourceHandle("FWTEST_SHARED", RT_RCDATA), "FWTEST_SHARED"), "host");  // both: the host
  EXPECT_EQ(AfxFindResourceHandle("FWTEST_NOWHERE", RT_RCDATA), hCurrent);  // where the caller's lookup fails
  EXPECT_EQ(AfxFindResourceHandle("FWTEST_EXT_ONLY", RT_BITMAP), hCurrent);  // the type is part of the search
  AfxSetResourceHandle(hDll);
  EXPECT_EQ(RcData(AfxFindResourceHandle("FWTEST_SHARED", RT_RCDATA), "FWTEST_SHARED"), "ext");
  AfxSetResourceHandle(hCurrent);

  // The framework's loaders search the same way.
  CString str;
  EXPECT_TRUE(str.LoadString(IDS_FWTEST_EXT));
  EXPECT_STREQ(str, "Extension string");
  EXPECT_TRUE(str.LoadString(IDS_FWTEST_HOST));
  EXPECT_EQ(AfxFindStringResourceHandle(IDS_FWTEST_EXT), hDll);
  // Same block of sixteen as the host's string, but this one does not exist.
  EXPECT_FALSE(str.LoadString(IDS_FWTEST_HOST + 1));
  EXPECT_STREQ(str, "Host string");  // unchanged on failure
  CBitmap bmp;
  EXPECT_TRUE(bmp.LoadBitmap(IDB_FWTEST_EXT));
  CDialog dlg;
  ASSERT_TRUE(dlg.Create(IDD_FWTEST_EXT));
  dlg.GetDlgItemText(IDC_FWTEST_LABEL, str);
  EXPECT_STREQ(str, "extension label");
  dlg.DestroyWindow();

  ASSERT_TRUE(::FreeLibrary(hDll));
  EXPECT_EQ(ChainLength(), nBefore);
  EXPECT_EQ(AfxFindResourceHandle("FWTEST_EXT_ONLY", RT_RCDATA), hCurrent);
}

TEST(ExtensionModule, InitAndTermWithoutALoadedModule) {
  const int nBefore = ChainLength();
  AFX_EXTENSION_MODULE state = {};
  EXPECT_FALSE(AfxInitExtensionModule(state, nullptr));
  EXPECT_FALSE(state.bInitialized);

  HMODULE hKernel = ::GetModuleHandleA("kernel32.dll");
  HMODULE hUser = ::GetModuleHandleA("user32.dll");
  ASSERT_TRUE(AfxInitExtensionModule(state, hKernel));
  EXPECT_TRUE(AfxInitExtensionModule(state, hKernel));   // again: already done
  EXPECT_FALSE(AfxInitExtensionModule(state, hUser));    // but not for another module
  AFX_EXTENSION_MODULE other = {};
  ASSERT_TRUE(AfxInitExtensionModule(other, hUser));

  new CDynLinkLibrary(state);
  new CDynLinkLibrary(other, TRUE);
  EXPECT_EQ(ChainLength(), nBefore + 2);
  ASSERT_NE(FindLinked(hUser), nullptr);
  EXPECT_TRUE(FindLinked(hUser)->m_bSystem);

  AfxTermExtensionModule(state);  // this module only
  EXPECT_EQ(ChainLength(), nBefore + 1);
  EXPECT_EQ(FindLinked(hKernel), nullptr);
  EXPECT_NE(FindLinked(hUser), nullptr);
  EXPECT_FALSE(state.bInitialized);

  // The raw entry hook removes what a module left behind at its detach.
  AfxRawDllMain(hUser, DLL_PROCESS_DETACH, nullptr);
  EXPECT_EQ(FindLinked(hUser), nullptr);
  EXPECT_EQ(ChainLength(), nBefore);
  EXPECT_TRUE(AfxRawDllMain(hUser, DLL_PROCESS_ATTACH, nullptr));
}

TEST(ExtensionModule, SystemModulesAreSearchedAfterApplicationModules) {
  HMODULE hDll = ::LoadLibraryA(kExtDll);
  ASSERT_NE(hDll, nullptr);
  // The same module linked once more as a system module with the host as its
  // resources: an application module still comes first.
  CDynLinkLibrary* pSystem = new CDynLinkLibrary(::GetModuleHandleA(nullptr), ::GetModuleHandleA(nullptr));
  pSystem->m_bSystem = TRUE;
  AFX_MODULE_STATE* pState = AfxGetModuleState();
  AfxLockGlobals(CRIT_DYNLINKLIST);
  pState->m_libraryList.Remove(pSystem);
  pState->m_libraryList.AddHead(pSystem);  // first in the list, yet searched last
  AfxUnlockGlobals(CRIT_DYNLINKLIST);
  HINSTANCE hSaved = AfxGetResourceHandle();
  AfxSetResourceHandle(::GetModuleHandleA("kernel32.dll"));  // a module without our resources
  EXPECT_EQ(AfxFindResourceHandle("FWTEST_SHARED", RT_RCDATA), hDll);
  AfxSetResourceHandle(hSaved);
  delete pSystem;
  ::FreeLibrary(hDll);
}

}  // namespace
