// The catalogue against the real module: every group's image and states, the
// module lookup by the library's own name, the drop-down arrow's rows.
#include <gtest/gtest.h>

#include <afxwin.h>

#include <algorithm>
#include <cstring>
#include <set>
#include <string>
#include <vector>

#include "../graphics/GraphicsWinSupport.h"
#include "QorIcon.h"
#include "icon_walk.h"
#include "sibling_process_win.h"

namespace {

const WORD kUsEnglish = MAKELANGID(LANG_ENGLISH, SUBLANG_ENGLISH_US);

const BYTE* Resource(HMODULE hModule, UINT type, UINT id, DWORD& cb) {
  HRSRC hRes = ::FindResourceExA(hModule, MAKEINTRESOURCEA(type), MAKEINTRESOURCEA(id), kUsEnglish);
  cb = hRes != nullptr ? ::SizeofResource(hModule, hRes) : 0;
  return hRes != nullptr ? static_cast<const BYTE*>(::LockResource(::LoadResource(hModule, hRes))) : nullptr;
}

// A group's only image, straight from its resources: its size, and the mean
// luma and saturation, greyness and alpha of its opaque pixels. Size 0 when
// the group is not one US English 32-bit image.
struct Picture {
  int nSize = 0, nOpaque = 0;
  double dLuma = 0, dSaturation = 0;
  bool bGrey = true;
  std::set<DWORD> colours;
  std::vector<BYTE> alpha;
};

Picture ReadGroup(HMODULE hModule, UINT id) {
  Picture p;
  DWORD cb = 0, cbImage = 0;
  const BYTE* pGroup = Resource(hModule, 14 /* RT_GROUP_ICON */, id, cb);
  // Header (reserved, type, count), then one 14-byte entry whose bit count
  // is at offset 6 and image identifier at offset 12.
  if (pGroup == nullptr || cb != 6 + 14 || pGroup[4] != 1 || pGroup[6 + 6] != 32) return p;
  const BYTE* pImage = Resource(hModule, 3 /* RT_ICON */, pGroup[6 + 12] | pGroup[6 + 13] << 8, cbImage);
  BITMAPINFOHEADER bih;
  if (pImage == nullptr || cbImage < sizeof bih) return p;
  std::memcpy(&bih, pImage, sizeof bih);
  const int n = bih.biWidth;
  if (bih.biBitCount != 32 || bih.biHeight != 2 * n || cbImage < sizeof bih + DWORD(n) * n * 4) return p;
  p.nSize = n;
  for (int i = 0; i < n * n; ++i) {
    const BYTE* q = pImage + bih.biSize + 4 * i;  // blue, green, red, alpha
    p.alpha.push_back(q[3]);
    if (q[3] < 128) continue;
    const int mx = std::max({q[0], q[1], q[2]}), mn = std::min({q[0], q[1], q[2]});
    ++p.nOpaque;
    p.dLuma += 0.299 * q[2] + 0.587 * q[1] + 0.114 * q[0];
    p.dSaturation += mx == 0 ? 0.0 : double(mx - mn) / mx;
    p.bGrey = p.bGrey && mx - mn <= 2;
    p.colours.insert(q[0] | q[1] << 8 | q[2] << 16);
  }
  p.dLuma /= std::max(p.nOpaque, 1);
  p.dSaturation /= std::max(p.nOpaque, 1);
  return p;
}

struct ModuleProbe : QorIcon {
  using QorIcon::GetCurrentModuleHandle;
};

TEST(IconResources, EveryGroupLoadsAtItsSizeWithItsStates) {
  const HMODULE hLib = ::GetModuleHandleA("qor032.dll");
  ASSERT_NE(hLib, nullptr);
  EXPECT_EQ(ModuleProbe::GetCurrentModuleHandle(), hLib);
  int nGroups = 0;
  for (const icon_walk::Images& im : icon_walk::WalkCatalogue()) {
    SCOPED_TRACE(im.strName + " " + std::to_string(im.nSize));
    ASSERT_EQ(im.hModule, hLib);
    const Picture normal = ReadGroup(hLib, im.nNormal);
    ASSERT_EQ(normal.nSize, im.nSize);
    ++nGroups;
    // A picture, not a blank or a flat placeholder.
    EXPECT_GE(normal.nOpaque, im.nSize * im.nSize / 10);
    EXPECT_GE(normal.colours.size(), 3u);
    if (im.strShape == "SingleImage") continue;
    // Same size and outline; disabled grey and lighter, hot darker and no less
    // vivid.
    const Picture hot = ReadGroup(hLib, im.nHot), disabled = ReadGroup(hLib, im.nDisabled);
    nGroups += 2;
    EXPECT_EQ(hot.alpha, normal.alpha);
    EXPECT_EQ(disabled.alpha, normal.alpha);
    EXPECT_TRUE(disabled.bGrey);
    EXPECT_GT(disabled.dLuma, normal.dLuma);
    EXPECT_LT(hot.dLuma, normal.dLuma);
    EXPECT_GE(hot.dSaturation + 0.01, normal.dSaturation);
  }
  EXPECT_EQ(nGroups, 762);
  for (UINT absent : {199u, 482u, 963u}) EXPECT_EQ(::FindResourceA(hLib, MAKEINTRESOURCEA(absent), MAKEINTRESOURCEA(14)), nullptr);
}

// The rows of a 16 x 16 arrow, y 6 to 9 over x 4-10, 5-9, 6-8 and 7, in the
// colour asked for; nothing for a rectangle too narrow, or without a device.
TEST(ComboArrowDrawing, ExactlyTheRowsOrNothing) {
  const COLORREF kWhite = RGB(255, 255, 255), kArrow = RGB(200, 10, 20);
  for (const CRect& rc : {CRect(8, 5, 24, 21), CRect(0, 0, 3, 16)}) {
    gfxtest::Canvas canvas(32, 32, kWhite);
    HGDIOBJ hPen = ::GetCurrentObject(canvas.dc.m_hDC, OBJ_PEN);
    QorIcon::DrawComboArrow(&canvas.dc, rc, kArrow);
    QorIcon::DrawComboArrow(nullptr, rc, 0);
    qor::DrawComboArrow(nullptr, rc, 0);
    EXPECT_EQ(::GetCurrentObject(canvas.dc.m_hDC, OBJ_PEN), hPen);  // the caller's pen is back
    std::set<std::pair<int, int>> want, painted;
    for (int y = 6; rc.Width() == 16 && y <= 9; ++y)
      for (int x = y - 2; x <= 16 - y; ++x) want.insert({x + rc.left, y + rc.top});
    for (int i = 0; i < 32 * 32; ++i) {
      const COLORREF cr = canvas.At(i % 32, i / 32);
      if (cr != kWhite) painted.insert({i % 32, i / 32});
      EXPECT_TRUE(cr == kWhite || cr == kArrow) << i;
    }
    EXPECT_EQ(painted, want);
  }
}

// icon_module_probe.exe on a DLL file exits with 1 when the identifiers were
// right, plus 2 when the handle was the loaded library, 4 when it was null,
// and 8 when one FreeLibrary unloaded it (the lookups took no reference).
DWORD RunProbe(const std::string& dllPath) {
  return testsupport::RunSibling("icon_module_probe.exe", "\"" + dllPath + "\"");
}

TEST(IconModule, LookupByTheLibrarysOwnNameOnly) {
  EXPECT_EQ(RunProbe(testsupport::ExeFolder() + "\\qor032.dll"), 1u | 2u | 8u);
  char temp[MAX_PATH] = {};
  ASSERT_GT(::GetTempPathA(MAX_PATH, temp), 0u);
  const std::string folder = std::string(temp) + "qor_icon_probe_" + std::to_string(::GetCurrentProcessId());
  ::CreateDirectoryA(folder.c_str(), nullptr);
  const std::string copy = folder + "\\qorrenamed.dll";
  ASSERT_TRUE(::CopyFileA((testsupport::ExeFolder() + "\\qor032.dll").c_str(), copy.c_str(), FALSE));
  const DWORD code = RunProbe(copy);
  ::DeleteFileA(copy.c_str());
  ::RemoveDirectoryA(folder.c_str());
  EXPECT_EQ(code, 1u | 4u | 8u);  // renamed: a null module and still the identifiers
}

}  // namespace
