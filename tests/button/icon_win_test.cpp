// The catalogue against the real module: every icon group loads from
// qor032.dll at its size with one 32-bit image whose hot and disabled forms
// are what they claim to be, the popup menu is there, the module lookup finds
// this module (and nothing once the file is renamed), and the drop-down arrow
// paints exactly its rows.
#include <gtest/gtest.h>

#include <windows.h>

#include <afxwin.h>

#include <cmath>
#include <cstring>
#include <map>
#include <set>
#include <string>
#include <vector>

#include "QorIcon.h"
#include "icon_walk.h"

namespace {

const WORD kLangUsEnglish = MAKELANGID(LANG_ENGLISH, SUBLANG_ENGLISH_US);  // 1033

HMODULE LibraryModule() { return ::GetModuleHandleA("qor032.dll"); }

struct ModuleProbe : QorIcon {
  static HINSTANCE Current() { return GetCurrentModuleHandle(); }
};

std::string ExeFolder() {
  char path[MAX_PATH] = {};
  ::GetModuleFileNameA(nullptr, path, MAX_PATH);
  std::string s(path);
  return s.substr(0, s.find_last_of("\\/"));
}

// ---- The raw resources ----

#pragma pack(push, 2)
struct GroupEntry {
  BYTE bWidth;
  BYTE bHeight;
  BYTE bColorCount;
  BYTE bReserved;
  WORD wPlanes;
  WORD wBitCount;
  DWORD dwBytesInRes;
  WORD nId;
};
struct GroupHeader {
  WORD idReserved;
  WORD idType;
  WORD idCount;
};
#pragma pack(pop)

const void* ResourceBytes(HMODULE hModule, LPCSTR type, UINT id, WORD lang, DWORD* pSize) {
  HRSRC hRes = ::FindResourceExA(hModule, type, MAKEINTRESOURCEA(id), lang);
  if (hRes == nullptr) return nullptr;
  HGLOBAL hData = ::LoadResource(hModule, hRes);
  if (hData == nullptr) return nullptr;
  if (pSize != nullptr) *pSize = ::SizeofResource(hModule, hRes);
  return ::LockResource(hData);
}

// The pixels of a group's only image, straight from its resource, as BGRA.
struct Pixels {
  int nSize = 0;
  std::vector<RGBQUAD> px;  // top-down
};

bool ReadGroupImage(HMODULE hModule, UINT id, Pixels& out, std::string& why) {
  DWORD cb = 0;
  auto* pGroup = static_cast<const BYTE*>(
      ResourceBytes(hModule, MAKEINTRESOURCEA(14) /* RT_GROUP_ICON */, id, kLangUsEnglish, &cb));
  if (pGroup == nullptr) {
    why = "no US English icon group";
    return false;
  }
  GroupHeader h;
  std::memcpy(&h, pGroup, sizeof h);
  if (h.idType != 1 || h.idCount != 1 || cb < sizeof h + sizeof(GroupEntry)) {
    why = "group holds " + std::to_string(h.idCount) + " images";
    return false;
  }
  GroupEntry e;
  std::memcpy(&e, pGroup + sizeof h, sizeof e);
  if (e.wBitCount != 32) {
    why = "image is " + std::to_string(e.wBitCount) + "-bit";
    return false;
  }
  DWORD cbImage = 0;
  auto* pImage = static_cast<const BYTE*>(
      ResourceBytes(hModule, MAKEINTRESOURCEA(3) /* RT_ICON */, e.nId, kLangUsEnglish, &cbImage));
  if (pImage == nullptr || cbImage < sizeof(BITMAPINFOHEADER)) {
    why = "image resource missing";
    return false;
  }
  BITMAPINFOHEADER bih;
  std::memcpy(&bih, pImage, sizeof bih);
  const int n = bih.biWidth;
  if (bih.biBitCount != 32 || bih.biHeight != 2 * n || bih.biCompression != BI_RGB ||
      cbImage < sizeof bih + DWORD(n) * n * 4) {
    why = "image is not a 32-bit DIB";
    return false;
  }
  out.nSize = n;
  out.px.resize(size_t(n) * n);
  const BYTE* pBits = pImage + bih.biSize;
  for (int y = 0; y < n; ++y) {
    std::memcpy(&out.px[size_t(y) * n], pBits + size_t(n - 1 - y) * n * 4, size_t(n) * 4);
  }
  return true;
}

struct Stats {
  int nOpaque = 0;
  double dMeanLuma = 0;
  double dMeanSaturation = 0;
  size_t nColours = 0;
  bool bAllGrey = true;
};

Stats Measure(const Pixels& p) {
  Stats s;
  std::set<DWORD> colours;
  for (const RGBQUAD& q : p.px) {
    if (q.rgbReserved < 128) continue;
    ++s.nOpaque;
    const int r = q.rgbRed, g = q.rgbGreen, b = q.rgbBlue;
    s.dMeanLuma += 0.299 * r + 0.587 * g + 0.114 * b;
    const int mx = std::max({r, g, b}), mn = std::min({r, g, b});
    s.dMeanSaturation += mx == 0 ? 0.0 : double(mx - mn) / mx;
    if (mx - mn > 2) s.bAllGrey = false;
    colours.insert(DWORD(r) | DWORD(g) << 8 | DWORD(b) << 16);
  }
  if (s.nOpaque > 0) {
    s.dMeanLuma /= s.nOpaque;
    s.dMeanSaturation /= s.nOpaque;
  }
  s.nColours = colours.size();
  return s;
}

bool SameAlpha(const Pixels& a, const Pixels& b) {
  if (a.px.size() != b.px.size()) return false;
  for (size_t i = 0; i < a.px.size(); ++i) {
    if (a.px[i].rgbReserved != b.px[i].rgbReserved) return false;
  }
  return true;
}

SIZE LoadedIconSize(HICON hIcon) {
  SIZE sz{-1, -1};
  ICONINFO ii{};
  if (!::GetIconInfo(hIcon, &ii)) return sz;
  BITMAP bm{};
  if (ii.hbmColor != nullptr && ::GetObjectA(ii.hbmColor, sizeof bm, &bm)) {
    sz = {bm.bmWidth, bm.bmHeight};
  }
  if (ii.hbmColor) ::DeleteObject(ii.hbmColor);
  if (ii.hbmMask) ::DeleteObject(ii.hbmMask);
  return sz;
}

}  // namespace

// ---- Module lookup ----

TEST(IconModule, LookupFindsThisLibrary) {
  const HMODULE hLib = LibraryModule();
  ASSERT_NE(hLib, nullptr);
  EXPECT_EQ(ModuleProbe::Current(), hLib);
  for (const icon_walk::Images& im : icon_walk::WalkCatalogue()) {
    ASSERT_EQ(im.hModule, hLib) << im.strName;
  }
  unsigned int n = 0, hot = 0, dis = 0;
  HINSTANCE h = nullptr;
  ASSERT_TRUE(QorIcon::GetIconInfo(QorIcon::Print, n, hot, dis, h, true));
  EXPECT_EQ(h, hLib);
}

// ---- Icon groups ----

TEST(IconResources, EveryGroupLoadsAtItsSize) {
  const HMODULE hLib = LibraryModule();
  ASSERT_NE(hLib, nullptr);
  std::map<unsigned int, int> sizes;
  for (const icon_walk::Images& im : icon_walk::WalkCatalogue()) {
    sizes[im.nNormal] = im.nSize;
    if (im.strShape != "SingleImage") {
      sizes[im.nHot] = im.nSize;
      sizes[im.nDisabled] = im.nSize;
    }
  }
  ASSERT_EQ(sizes.size(), 762u);
  int nSmall = 0, nLarge = 0;
  for (const auto& [id, nSize] : sizes) {
    SCOPED_TRACE(id);
    HICON hIcon = static_cast<HICON>(
        ::LoadImageA(hLib, MAKEINTRESOURCEA(id), IMAGE_ICON, nSize, nSize, LR_DEFAULTCOLOR));
    ASSERT_NE(hIcon, nullptr);
    const SIZE sz = LoadedIconSize(hIcon);
    EXPECT_EQ(sz.cx, nSize);
    EXPECT_EQ(sz.cy, nSize);
    ::DestroyIcon(hIcon);
    // Asked for no particular size, the loader gives the image as stored.
    hIcon = static_cast<HICON>(::LoadImageA(hLib, MAKEINTRESOURCEA(id), IMAGE_ICON, 0, 0, 0));
    ASSERT_NE(hIcon, nullptr);
    EXPECT_EQ(LoadedIconSize(hIcon).cx, nSize);
    ::DestroyIcon(hIcon);

    Pixels p;
    std::string why;
    EXPECT_TRUE(ReadGroupImage(hLib, id, p, why)) << why;
    EXPECT_EQ(p.nSize, nSize);
    ++(nSize == 32 ? nLarge : nSmall);
  }
  EXPECT_EQ(nSmall, 471);
  EXPECT_EQ(nLarge, 291);
  for (UINT absent : {199u, 482u, 963u}) {
    EXPECT_EQ(::FindResourceA(hLib, MAKEINTRESOURCEA(absent), MAKEINTRESOURCEA(14)), nullptr)
        << absent;
  }
}

TEST(IconResources, PicturesAndTheirStates) {
  const HMODULE hLib = LibraryModule();
  ASSERT_NE(hLib, nullptr);
  for (const icon_walk::Images& im : icon_walk::WalkCatalogue()) {
    SCOPED_TRACE(im.strName + " " + std::to_string(im.nSize));
    Pixels normal;
    std::string why;
    ASSERT_TRUE(ReadGroupImage(hLib, im.nNormal, normal, why)) << why;
    const Stats sn = Measure(normal);
    // A picture, not a blank or a flat placeholder.
    EXPECT_GE(sn.nOpaque, normal.nSize * normal.nSize / 10);
    EXPECT_GE(sn.nColours, 3u);
    if (im.strShape == "SingleImage") continue;

    Pixels hot, disabled;
    ASSERT_TRUE(ReadGroupImage(hLib, im.nHot, hot, why)) << why;
    ASSERT_TRUE(ReadGroupImage(hLib, im.nDisabled, disabled, why)) << why;
    EXPECT_TRUE(SameAlpha(normal, hot));
    EXPECT_TRUE(SameAlpha(normal, disabled));
    const Stats sh = Measure(hot);
    const Stats sd = Measure(disabled);
    // Disabled: grey and lighter. Hot: darker and no less saturated.
    EXPECT_TRUE(sd.bAllGrey);
    EXPECT_GT(sd.dMeanLuma, sn.dMeanLuma);
    EXPECT_LT(sh.dMeanLuma, sn.dMeanLuma);
    EXPECT_GE(sh.dMeanSaturation + 0.01, sn.dMeanSaturation);
  }
}

// ---- The popup menu ----

TEST(ModuleMenu, PopupHoldsCopyAndPrint) {
  const HMODULE hLib = LibraryModule();
  ASSERT_NE(hLib, nullptr);
  EXPECT_NE(::FindResourceExA(hLib, MAKEINTRESOURCEA(4) /* RT_MENU */, MAKEINTRESOURCEA(16063),
                              kLangUsEnglish),
            nullptr);
  HMENU hMenu = ::LoadMenuA(hLib, MAKEINTRESOURCEA(16063));
  ASSERT_NE(hMenu, nullptr);
  char text[64] = {};
  ASSERT_EQ(::GetMenuItemCount(hMenu), 1);
  ::GetMenuStringA(hMenu, 0, text, sizeof text, MF_BYPOSITION);
  EXPECT_STREQ(text, "_POPUP_");
  HMENU hPopup = ::GetSubMenu(hMenu, 0);
  ASSERT_NE(hPopup, nullptr);
  ASSERT_EQ(::GetMenuItemCount(hPopup), 2);
  EXPECT_EQ(::GetMenuItemID(hPopup, 0), 42500u);
  ::GetMenuStringA(hPopup, 0, text, sizeof text, MF_BYPOSITION);
  EXPECT_STREQ(text, "Copy");
  EXPECT_EQ(::GetMenuItemID(hPopup, 1), 42501u);
  ::GetMenuStringA(hPopup, 1, text, sizeof text, MF_BYPOSITION);
  EXPECT_STREQ(text, "Print");
  ::DestroyMenu(hMenu);
}

// ---- The drop-down arrow on a device context ----

namespace {

constexpr DWORD kWhite = 0x00FFFFFF;

class Canvas {
 public:
  Canvas(int cx, int cy) : m_cx(cx), m_cy(cy) {
    BITMAPINFO bmi{};
    bmi.bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
    bmi.bmiHeader.biWidth = cx;
    bmi.bmiHeader.biHeight = -cy;  // top-down
    bmi.bmiHeader.biPlanes = 1;
    bmi.bmiHeader.biBitCount = 32;
    bmi.bmiHeader.biCompression = BI_RGB;
    m_hbm = ::CreateDIBSection(nullptr, &bmi, DIB_RGB_COLORS, reinterpret_cast<void**>(&m_pBits),
                               nullptr, 0);
    m_hdc = ::CreateCompatibleDC(nullptr);
    m_hOld = ::SelectObject(m_hdc, m_hbm);
    for (int i = 0; i < cx * cy; ++i) m_pBits[i] = kWhite;
  }
  ~Canvas() {
    ::SelectObject(m_hdc, m_hOld);
    ::DeleteDC(m_hdc);
    ::DeleteObject(m_hbm);
  }
  HDC Dc() const { return m_hdc; }
  DWORD At(int x, int y) {
    ::GdiFlush();
    return m_pBits[y * m_cx + x] & 0x00FFFFFF;
  }
  // Every pixel that is not white, as (x, y).
  std::set<std::pair<int, int>> Painted() {
    ::GdiFlush();
    std::set<std::pair<int, int>> s;
    for (int y = 0; y < m_cy; ++y) {
      for (int x = 0; x < m_cx; ++x) {
        if ((m_pBits[y * m_cx + x] & 0x00FFFFFF) != kWhite) s.insert({x, y});
      }
    }
    return s;
  }

 private:
  int m_cx, m_cy;
  HBITMAP m_hbm = nullptr;
  HDC m_hdc = nullptr;
  HGDIOBJ m_hOld = nullptr;
  DWORD* m_pBits = nullptr;
};

// The documented rows of a 16 x 16 arrow, moved by (dx, dy).
std::set<std::pair<int, int>> DocumentedArrow(int dx, int dy) {
  std::set<std::pair<int, int>> s;
  const int rows[4][3] = {{6, 4, 10}, {7, 5, 9}, {8, 6, 8}, {9, 7, 7}};
  for (const auto& r : rows) {
    for (int x = r[1]; x <= r[2]; ++x) s.insert({x + dx, r[0] + dy});
  }
  return s;
}

}  // namespace

TEST(ComboArrowDrawing, SixteenSquareThroughCdc) {
  Canvas canvas(32, 32);
  CDC dc;
  ASSERT_TRUE(dc.Attach(canvas.Dc()));
  const COLORREF cr = RGB(200, 10, 20);
  QorIcon::DrawComboArrow(&dc, CRect(0, 0, 16, 16), cr);
  dc.Detach();
  EXPECT_EQ(canvas.Painted(), DocumentedArrow(0, 0));
  // In the colour asked for (the DIB holds blue in the low byte).
  EXPECT_EQ(canvas.At(7, 9), DWORD(0x00C80A14));
}

TEST(ComboArrowDrawing, OffsetRectangleAndRawContext) {
  Canvas canvas(32, 32);
  HGDIOBJ hPenBefore = ::GetCurrentObject(canvas.Dc(), OBJ_PEN);
  RECT rc{8, 5, 24, 21};
  qor::DrawComboArrow(canvas.Dc(), rc, RGB(0, 0, 0));
  EXPECT_EQ(canvas.Painted(), DocumentedArrow(8, 5));
  // The caller's pen is back in place.
  EXPECT_EQ(::GetCurrentObject(canvas.Dc(), OBJ_PEN), hPenBefore);
}

TEST(ComboArrowDrawing, NarrowRectangleAndNullContextDrawNothing) {
  Canvas canvas(16, 16);
  CDC dc;
  ASSERT_TRUE(dc.Attach(canvas.Dc()));
  QorIcon::DrawComboArrow(&dc, CRect(0, 0, 3, 16), RGB(0, 0, 0));
  dc.Detach();
  EXPECT_TRUE(canvas.Painted().empty());
  QorIcon::DrawComboArrow(nullptr, CRect(0, 0, 16, 16), RGB(0, 0, 0));
  CDC empty;  // no device context attached
  QorIcon::DrawComboArrow(&empty, CRect(0, 0, 16, 16), RGB(0, 0, 0));
  qor::DrawComboArrow(nullptr, RECT{0, 0, 16, 16}, RGB(0, 0, 0));
  EXPECT_TRUE(canvas.Painted().empty());
}

TEST(ComboArrowDrawing, ShortWideRectangleKeepsItsNeighboursIntact) {
  Canvas canvas(40, 12);
  qor::DrawComboArrow(canvas.Dc(), RECT{0, 4, 40, 8}, RGB(0, 0, 0));
  for (const auto& [x, y] : canvas.Painted()) {
    EXPECT_GE(y, 4);
    EXPECT_LT(y, 8);
  }
  EXPECT_FALSE(canvas.Painted().empty());
}

// ---- A renamed module ----

namespace {

// Runs icon_module_probe.exe on a DLL file and returns its exit code.
DWORD RunProbe(const std::string& dllPath) {
  std::string cmd = "\"" + ExeFolder() + "\\icon_module_probe.exe\" \"" + dllPath + "\"";
  STARTUPINFOA si{};
  si.cb = sizeof si;
  PROCESS_INFORMATION pi{};
  if (!::CreateProcessA(nullptr, cmd.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &si,
                        &pi)) {
    return 1000;
  }
  ::WaitForSingleObject(pi.hProcess, 60000);
  DWORD code = 1001;
  ::GetExitCodeProcess(pi.hProcess, &code);
  ::CloseHandle(pi.hThread);
  ::CloseHandle(pi.hProcess);
  return code;
}

// The probe's exit code bits (see icon_module_probe_win.cpp).
constexpr DWORD kIdsRight = 1, kFoundLoaded = 2, kFoundNull = 4, kUnloaded = 8;

}  // namespace

TEST(IconModule, LookupUnderTheLibrarysOwnNameAddsNoReference) {
  // Loaded by its own name in a fresh process, the library finds itself, and
  // one FreeLibrary still unloads it: the lookups took no reference.
  EXPECT_EQ(RunProbe(ExeFolder() + "\\qor032.dll"), kIdsRight | kFoundLoaded | kUnloaded);
}

TEST(IconModule, RenamedLibraryGivesNullModuleAndTheIdentifiers) {
  char temp[MAX_PATH] = {};
  ASSERT_GT(::GetTempPathA(MAX_PATH, temp), 0u);
  const std::string folder =
      std::string(temp) + "qor_icon_probe_" + std::to_string(::GetCurrentProcessId());
  ::CreateDirectoryA(folder.c_str(), nullptr);
  const std::string copy = folder + "\\qorrenamed.dll";
  ASSERT_TRUE(::CopyFileA((ExeFolder() + "\\qor032.dll").c_str(), copy.c_str(), FALSE));
  const DWORD code = RunProbe(copy);
  ::DeleteFileA(copy.c_str());
  ::RemoveDirectoryA(folder.c_str());
  EXPECT_EQ(code, kIdsRight | kFoundNull | kUnloaded);
}
