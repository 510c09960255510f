// The icon sheet: every catalogue entry in its normal, hot and disabled state
// at 16 and 32 pixels, drawn from the module's resources the way a button
// draws them, and written as icon_sheet.png into the build folder so that a
// person can check that each picture says its name.
#include <gtest/gtest.h>

#include <windows.h>

#include <objidl.h>
#include <gdiplus.h>

#include <cstdio>
#include <map>
#include <string>
#include <vector>

#include "icon_walk.h"

namespace {

// The PNG encoder's class identifier, as GDI+ registers it.
const CLSID kPngEncoder = {0x557CF406, 0x1A04, 0x11D3, {0x9A, 0x73, 0x00, 0x00, 0xF8, 0x1E, 0xF3, 0x2E}};
constexpr int kColumns = 4, kCellWidth = 340, kCellHeight = 40;

TEST(IconSheet, DrawsEveryEntryAndWritesThePng) {
  const HMODULE hLib = ::GetModuleHandleA("qor032.dll");
  ASSERT_NE(hLib, nullptr);
  // Each entry's images by name, in catalogue order: [0] small, [1] large.
  const std::vector<icon_walk::Images> images = icon_walk::WalkCatalogue();
  std::vector<std::string> names;
  std::map<std::string, const icon_walk::Images*[2]> byName;
  for (const icon_walk::Images& im : images) {
    if (byName.count(im.strName) == 0) names.push_back(im.strName);
    byName[im.strName][im.nSize == 32] = &im;
  }
  ASSERT_EQ(names.size(), 181u);

  const int cx = kColumns * kCellWidth, cy = 24 + int(names.size() + kColumns - 1) / kColumns * kCellHeight;
  BITMAPINFO bmi{};
  bmi.bmiHeader = {sizeof(BITMAPINFOHEADER), cx, -cy, 1, 32, BI_RGB, 0, 0, 0, 0, 0};
  DWORD* pBits = nullptr;
  HBITMAP hbm = ::CreateDIBSection(nullptr, &bmi, DIB_RGB_COLORS, reinterpret_cast<void**>(&pBits), nullptr, 0);
  ASSERT_NE(hbm, nullptr);
  HDC hdc = ::CreateCompatibleDC(nullptr);
  HGDIOBJ hOldBitmap = ::SelectObject(hdc, hbm);
  HBRUSH hFace = ::CreateSolidBrush(::GetSysColor(COLOR_BTNFACE));
  const RECT all{0, 0, cx, cy};
  ::FillRect(hdc, &all, hFace);
  ::DeleteObject(hFace);
  ::SetBkMode(hdc, TRANSPARENT);
  HGDIOBJ hOldFont = ::SelectObject(hdc, ::GetStockObject(DEFAULT_GUI_FONT));
  const char header[] = "16 px: normal, hot, disabled    32 px: normal, hot, disabled";
  ::TextOutA(hdc, 6, 5, header, int(sizeof header - 1));
  ::GdiFlush();
  const DWORD face = pBits[cx * cy - 1];

  // Draws one image; it must change its square of the sheet.
  auto draw = [&](unsigned int id, int nSize, int x, int y) {
    HICON hIcon = static_cast<HICON>(::LoadImageA(hLib, MAKEINTRESOURCEA(id), IMAGE_ICON, nSize, nSize, 0));
    ASSERT_NE(hIcon, nullptr) << id;
    ::DrawIconEx(hdc, x, y, hIcon, nSize, nSize, 0, nullptr, DI_NORMAL);
    ::DestroyIcon(hIcon);
    ::GdiFlush();
    int changed = 0;
    for (int j = y; j < y + nSize; ++j)
      for (int i = x; i < x + nSize; ++i) changed += pBits[j * cx + i] != face;
    EXPECT_GT(changed, nSize * nSize / 10) << "image " << id << " left its square blank";
  };
  for (size_t k = 0; k < names.size(); ++k) {
    const int x = int(k % kColumns) * kCellWidth, y = 24 + int(k / kColumns) * kCellHeight;
    const icon_walk::Images* s = byName[names[k]][0];
    const icon_walk::Images* l = byName[names[k]][1];
    draw(s->nNormal, 16, x + 6, y + 12);
    if (s->strShape != "SingleImage") {
      draw(s->nHot, 16, x + 26, y + 12);
      draw(s->nDisabled, 16, x + 46, y + 12);
    }
    if (l != nullptr) {
      draw(l->nNormal, 32, x + 72, y + 4);
      draw(l->nHot, 32, x + 108, y + 4);
      draw(l->nDisabled, 32, x + 144, y + 4);
    }
    const std::string label = names[k] + " (" + std::to_string(s->nNormal) + ")";
    ::TextOutA(hdc, x + 184, y + 13, label.c_str(), int(label.size()));
  }
  ::GdiFlush();
  ::SelectObject(hdc, hOldFont);
  ::SelectObject(hdc, hOldBitmap);
  ::DeleteDC(hdc);

  // Into the build folder (the parent of bin), read back as a whole sheet.
  char exe[MAX_PATH] = {};
  ::GetModuleFileNameA(nullptr, exe, MAX_PATH);
  std::string path(exe);
  path = path.substr(0, path.find_last_of("\\/"));
  path = path.substr(0, path.find_last_of("\\/")) + "\\icon_sheet.png";
  const std::wstring wpath(path.begin(), path.end());
  ::DeleteFileA(path.c_str());
  Gdiplus::GdiplusStartupInput input;
  ULONG_PTR token = 0;
  ASSERT_EQ(Gdiplus::GdiplusStartup(&token, &input, nullptr), Gdiplus::Ok);
  Gdiplus::GpBitmap* pImage = nullptr;
  Gdiplus::GpImage* pRead = nullptr;
  UINT w = 0, h = 0;
  EXPECT_EQ(Gdiplus::DllExports::GdipCreateBitmapFromHBITMAP(hbm, nullptr, &pImage), Gdiplus::Ok);
  EXPECT_EQ(Gdiplus::DllExports::GdipSaveImageToFile(pImage, wpath.c_str(), &kPngEncoder, nullptr), Gdiplus::Ok);
  Gdiplus::DllExports::GdipDisposeImage(pImage);
  EXPECT_EQ(Gdiplus::DllExports::GdipLoadImageFromFile(wpath.c_str(), &pRead), Gdiplus::Ok);
  Gdiplus::DllExports::GdipGetImageWidth(pRead, &w);
  Gdiplus::DllExports::GdipGetImageHeight(pRead, &h);
  Gdiplus::DllExports::GdipDisposeImage(pRead);
  Gdiplus::GdiplusShutdown(token);
  EXPECT_EQ(w, UINT(cx));
  EXPECT_EQ(h, UINT(cy));
  ::DeleteObject(hbm);
  std::printf("icon sheet: %s\n", path.c_str());
}

}  // namespace
