// The icon sheet: every catalogue entry in its normal, hot and disabled state
// at 16 and 32 pixels, drawn from the module's resources the way a button
// draws them, and written as icon_sheet.png into the build folder so that a
// person can check that each picture says its name.
#include <gtest/gtest.h>

#include <windows.h>

#include <objidl.h>
#include <gdiplus.h>

#include <cstdio>
#include <cwchar>
#include <map>
#include <string>
#include <vector>

#include "QorIcon.h"
#include "icon_walk.h"

namespace {

// The PNG encoder's class identifier, as GDI+ registers it.
const CLSID kPngEncoder = {0x557CF406, 0x1A04, 0x11D3,
                           {0x9A, 0x73, 0x00, 0x00, 0xF8, 0x1E, 0xF3, 0x2E}};

constexpr int kColumns = 4;
constexpr int kCellWidth = 340;
constexpr int kCellHeight = 40;
constexpr int kHeaderHeight = 24;

std::string BuildFolder() {
  char path[MAX_PATH] = {};
  ::GetModuleFileNameA(nullptr, path, MAX_PATH);
  std::string s(path);
  s = s.substr(0, s.find_last_of("\\/"));  // bin
  return s.substr(0, s.find_last_of("\\/"));
}

std::wstring Widen(const std::string& s) {
  const int n = ::MultiByteToWideChar(CP_ACP, 0, s.c_str(), -1, nullptr, 0);
  std::wstring w(n > 0 ? n : 1, L'\0');
  if (n > 0) ::MultiByteToWideChar(CP_ACP, 0, s.c_str(), -1, w.data(), n);
  w.resize(wcslen(w.c_str()));
  return w;
}

struct Entry {
  std::string strName;
  const icon_walk::Images* pSmall = nullptr;
  const icon_walk::Images* pLarge = nullptr;
};

class GdiplusSession {
 public:
  GdiplusSession() {
    Gdiplus::GdiplusStartupInput input;
    m_bOk = Gdiplus::GdiplusStartup(&m_token, &input, nullptr) == Gdiplus::Ok;
  }
  ~GdiplusSession() {
    if (m_bOk) Gdiplus::GdiplusShutdown(m_token);
  }
  bool Ok() const { return m_bOk; }

 private:
  ULONG_PTR m_token = 0;
  bool m_bOk = false;
};

}  // namespace

TEST(IconSheet, DrawsEveryEntryAndWritesThePng) {
  const HMODULE hLib = ::GetModuleHandleA("qor032.dll");
  ASSERT_NE(hLib, nullptr);
  const std::vector<icon_walk::Images> images = icon_walk::WalkCatalogue();
  std::vector<Entry> entries;
  std::map<std::string, size_t> index;
  for (const icon_walk::Images& im : images) {
    auto [it, added] = index.emplace(im.strName, entries.size());
    if (added) entries.push_back({im.strName});
    (im.nSize == 32 ? entries[it->second].pLarge : entries[it->second].pSmall) = &im;
  }
  ASSERT_EQ(entries.size(), 181u);

  const int rows = int(entries.size() + kColumns - 1) / kColumns;
  const int cx = kColumns * kCellWidth;
  const int cy = kHeaderHeight + rows * kCellHeight;
  BITMAPINFO bmi{};
  bmi.bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
  bmi.bmiHeader.biWidth = cx;
  bmi.bmiHeader.biHeight = -cy;
  bmi.bmiHeader.biPlanes = 1;
  bmi.bmiHeader.biBitCount = 32;
  bmi.bmiHeader.biCompression = BI_RGB;
  DWORD* pBits = nullptr;
  HBITMAP hbm = ::CreateDIBSection(nullptr, &bmi, DIB_RGB_COLORS, reinterpret_cast<void**>(&pBits),
                                   nullptr, 0);
  ASSERT_NE(hbm, nullptr);
  HDC hdc = ::CreateCompatibleDC(nullptr);
  HGDIOBJ hOldBitmap = ::SelectObject(hdc, hbm);
  const COLORREF crFace = ::GetSysColor(COLOR_BTNFACE);
  HBRUSH hFace = ::CreateSolidBrush(crFace);
  RECT all{0, 0, cx, cy};
  ::FillRect(hdc, &all, hFace);
  ::DeleteObject(hFace);
  ::SetBkMode(hdc, TRANSPARENT);
  HGDIOBJ hOldFont = ::SelectObject(hdc, ::GetStockObject(DEFAULT_GUI_FONT));
  const char header[] = "16 px: normal, hot, disabled    32 px: normal, hot, disabled";
  ::TextOutA(hdc, 6, 5, header, int(sizeof header - 1));
  ::GdiFlush();
  const DWORD face = pBits[cx * cy - 1];

  // Draws one image and checks that it changed its square of the sheet.
  auto draw = [&](unsigned int id, int nSize, int x, int y) {
    HICON hIcon = static_cast<HICON>(
        ::LoadImageA(hLib, MAKEINTRESOURCEA(id), IMAGE_ICON, nSize, nSize, LR_DEFAULTCOLOR));
    ASSERT_NE(hIcon, nullptr) << id;
    ASSERT_TRUE(::DrawIconEx(hdc, x, y, hIcon, nSize, nSize, 0, nullptr, DI_NORMAL)) << id;
    ::DestroyIcon(hIcon);
    ::GdiFlush();
    int changed = 0;
    for (int j = y; j < y + nSize; ++j) {
      for (int i = x; i < x + nSize; ++i) changed += pBits[j * cx + i] != face ? 1 : 0;
    }
    EXPECT_GT(changed, nSize * nSize / 10) << "image " << id << " left its square blank";
  };

  for (size_t k = 0; k < entries.size(); ++k) {
    const Entry& e = entries[k];
    const int x = int(k % kColumns) * kCellWidth;
    const int y = kHeaderHeight + int(k / kColumns) * kCellHeight;
    if (e.pSmall != nullptr) {
      const icon_walk::Images& s = *e.pSmall;
      draw(s.nNormal, 16, x + 6, y + 12);
      if (s.strShape != "SingleImage") {
        draw(s.nHot, 16, x + 26, y + 12);
        draw(s.nDisabled, 16, x + 46, y + 12);
      }
    }
    if (e.pLarge != nullptr) {
      draw(e.pLarge->nNormal, 32, x + 72, y + 4);
      draw(e.pLarge->nHot, 32, x + 108, y + 4);
      draw(e.pLarge->nDisabled, 32, x + 144, y + 4);
    }
    const std::string label = e.strName + " (" + std::to_string(e.pSmall->nNormal) + ")";
    ::TextOutA(hdc, x + 184, y + 13, label.c_str(), int(label.size()));
  }
  ::GdiFlush();
  ::SelectObject(hdc, hOldFont);
  ::SelectObject(hdc, hOldBitmap);
  ::DeleteDC(hdc);

  const std::string path = BuildFolder() + "\\icon_sheet.png";
  ::DeleteFileA(path.c_str());
  {
    GdiplusSession gdiplus;
    ASSERT_TRUE(gdiplus.Ok());
    Gdiplus::GpBitmap* pImage = nullptr;
    ASSERT_EQ(Gdiplus::DllExports::GdipCreateBitmapFromHBITMAP(hbm, nullptr, &pImage), Gdiplus::Ok);
    const std::wstring wpath = Widen(path);
    EXPECT_EQ(Gdiplus::DllExports::GdipSaveImageToFile(pImage, wpath.c_str(), &kPngEncoder, nullptr),
              Gdiplus::Ok);
    Gdiplus::DllExports::GdipDisposeImage(pImage);

    // Read back: the file is a picture of the whole sheet.
    Gdiplus::GpImage* pRead = nullptr;
    ASSERT_EQ(Gdiplus::DllExports::GdipLoadImageFromFile(wpath.c_str(), &pRead), Gdiplus::Ok);
    UINT w = 0, h = 0;
    Gdiplus::DllExports::GdipGetImageWidth(pRead, &w);
    Gdiplus::DllExports::GdipGetImageHeight(pRead, &h);
    EXPECT_EQ(w, UINT(cx));
    EXPECT_EQ(h, UINT(cy));
    Gdiplus::DllExports::GdipDisposeImage(pRead);
  }
  ::DeleteObject(hbm);
  std::printf("icon sheet: %s\n", path.c_str());
}
