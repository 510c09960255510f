// Loading qor032.dll joins the extension chain and fills the extension table;
// unloading leaves the chain and releases every registry record.
#include <gtest/gtest.h>
#include <malloc.h>
#include <windows.h>

#include <afxwin.h>

namespace {

typedef int (*FillFn)(int);
typedef int (*CountFn)();

int LinkedModules() { return AfxGetModuleState()->m_libraryList.GetCount(); }

bool IsLinked(HMODULE h) {
  for (CDynLinkLibrary* p = AfxGetModuleState()->m_libraryList.GetHead(); p != nullptr; p = p->m_pNextDLL)
    if (p->m_hModule == h) return true;
  return false;
}

// Bytes in use in the C runtime's heap, which every module of the process
// shares.
size_t HeapInUse() {
  _HEAPINFO info = {};
  size_t used = 0;
  while (_heapwalk(&info) == _HEAPOK)
    if (info._useflag == _USEDENTRY) used += info._size;
  return used;
}

}  // namespace

TEST(ModuleLoadTest, AttachJoinsTheChainAndDetachLeavesIt) {
  ASSERT_EQ(GetModuleHandleA("qor032.dll"), nullptr) << "the test must not link the library itself";
  const int before = LinkedModules();

  HMODULE hProbe = LoadLibraryA("qor032_probe.dll");
  ASSERT_NE(hProbe, nullptr);
  HMODULE hLib = GetModuleHandleA("qor032.dll");
  ASSERT_NE(hLib, nullptr);
  EXPECT_TRUE(IsLinked(hLib));
  EXPECT_EQ(LinkedModules(), before + 1);
  // The library's resources are found through the framework's search.
  auto count = reinterpret_cast<CountFn>(GetProcAddress(hProbe, "ProbeCountImageExtensions"));
  ASSERT_NE(count, nullptr);
  EXPECT_EQ(count(), 10);

  ASSERT_TRUE(FreeLibrary(hProbe));
  EXPECT_EQ(GetModuleHandleA("qor032.dll"), nullptr);
  EXPECT_FALSE(IsLinked(hLib));
  EXPECT_EQ(LinkedModules(), before);

  // A second load starts from fresh static objects: the table holds ten
  // extensions again, not twenty.
  hProbe = LoadLibraryA("qor032_probe.dll");
  ASSERT_NE(hProbe, nullptr);
  count = reinterpret_cast<CountFn>(GetProcAddress(hProbe, "ProbeCountImageExtensions"));
  EXPECT_EQ(count(), 10);
  ASSERT_TRUE(FreeLibrary(hProbe));
}

TEST(ModuleLoadTest, UnloadReleasesEveryRegistryRecord) {
  HMODULE hProbe = LoadLibraryA("qor032_probe.dll");
  ASSERT_NE(hProbe, nullptr);
  auto fill = reinterpret_cast<FillFn>(GetProcAddress(hProbe, "ProbeFillRegistry"));
  ASSERT_NE(fill, nullptr);
  const size_t loaded = HeapInUse();
  const int kRecords = 2000;
  EXPECT_EQ(fill(kRecords), kRecords);
  const size_t filled = HeapInUse();
  // Two records a component, each with a 200-character name.
  ASSERT_GT(filled, loaded + size_t(kRecords) * 2 * 200);
  ASSERT_TRUE(FreeLibrary(hProbe));
  const size_t unloaded = HeapInUse();
  EXPECT_LT(unloaded, loaded + 4096) << "records were left behind at unload";
}
