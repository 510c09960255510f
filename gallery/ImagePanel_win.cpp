// The image holder: one picture, drawn by the gallery and saved to a file in
// the temporary folder, shown with each border type and turned by 90 degrees.
#include <afxwin.h>

#include <DirUtils.h>
#include <ImageWrapper.h>

#include <objidl.h>
#include <gdiplus.h>

#include <memory>

#include "GalleryPanels.h"

namespace {

const int kTileWidth = 132;
const int kTileHeight = 110;
const int kColumns = 4;
const int kFrameWidth = 120;
const int kFrameHeight = 80;
const int kPictureWidth = 480;
const int kPictureHeight = 320;
const int kMat = 4;
const COLORREF kMatColour = RGB(84, 96, 112);

struct Tile {
  ImageWrapper::BorderType nBorder;
  Gdiplus::RotateFlipType nRotate;
  const char* pszCaption;
};

const Tile kTiles[] = {
    {ImageWrapper::SunkenBorder, Gdiplus::RotateNoneFlipNone, "1 sunken"},
    {ImageWrapper::RaisedBorder, Gdiplus::RotateNoneFlipNone, "2 raised"},
    {ImageWrapper::BlackBorder, Gdiplus::RotateNoneFlipNone, "3 black"},
    {ImageWrapper::WhiteBorder, Gdiplus::RotateNoneFlipNone, "4 white"},
    {ImageWrapper::DarkGreyBorder, Gdiplus::RotateNoneFlipNone, "5 dark grey"},
    {ImageWrapper::LightGreyBorder, Gdiplus::RotateNoneFlipNone, "6 light grey"},
    {ImageWrapper::GreyBorder, Gdiplus::RotateNoneFlipNone, "7 grey"},
    {ImageWrapper::BlackBorder, Gdiplus::Rotate90FlipNone, "turned 90"},
};

// A landscape: sky, sun, two hills and a house, saved as a JPEG.
bool DrawPicture(const CString& strPath) {
  qor::GdiplusSession session;
  Gdiplus::Bitmap bmp(kPictureWidth, kPictureHeight, PixelFormat24bppRGB);
  Gdiplus::Graphics g(&bmp);
  g.SetSmoothingMode(Gdiplus::SmoothingModeAntiAlias);
  Gdiplus::LinearGradientBrush sky(Gdiplus::Point(0, 0), Gdiplus::Point(0, 220), Gdiplus::Color(255, 40, 90, 180),
                                   Gdiplus::Color(255, 200, 225, 250));
  g.FillRectangle(&sky, 0, 0, kPictureWidth, kPictureHeight);
  Gdiplus::SolidBrush sun(Gdiplus::Color(255, 255, 210, 60));
  g.FillEllipse(&sun, 350, 40, 70, 70);
  Gdiplus::SolidBrush backHill(Gdiplus::Color(255, 90, 150, 90)), frontHill(Gdiplus::Color(255, 50, 120, 50));
  g.FillEllipse(&backHill, -120, 170, 520, 260);
  g.FillEllipse(&frontHill, 180, 210, 460, 240);
  Gdiplus::SolidBrush wall(Gdiplus::Color(255, 230, 220, 200)), roof(Gdiplus::Color(255, 170, 50, 40));
  g.FillRectangle(&wall, 90, 200, 80, 60);
  const Gdiplus::Point roofPts[] = {{80, 202}, {130, 160}, {180, 202}};
  g.FillPolygon(&roof, roofPts, 3);
  Gdiplus::SolidBrush door(Gdiplus::Color(255, 90, 60, 40));
  g.FillRectangle(&door, 120, 225, 20, 35);

  UINT nCount = 0, nSize = 0;
  Gdiplus::GetImageEncodersSize(&nCount, &nSize);
  std::unique_ptr<unsigned char[]> block(new unsigned char[nSize]);
  auto* pCodecs = reinterpret_cast<Gdiplus::ImageCodecInfo*>(block.get());
  Gdiplus::GetImageEncoders(nCount, nSize, pCodecs);
  for (UINT i = 0; i < nCount; ++i) {
    if (wcscmp(pCodecs[i].MimeType, L"image/jpeg") == 0) {
      std::wstring wide(strPath.GetString(), strPath.GetString() + strPath.GetLength());
      return bmp.Save(wide.c_str(), &pCodecs[i].Clsid, nullptr) == Gdiplus::Ok;
    }
  }
  return false;
}

// The picture's file and one holder per tile, made once; the holders delete
// their copies and the file goes when the gallery ends.
struct Pictures {
  CString strFile = DirUtils::GetTempDir() + "qor_gallery_landscape.jpg";
  bool bMade = DrawPicture(strFile);
  ImageWrapper holders[sizeof kTiles / sizeof kTiles[0]];

  Pictures() {
    for (size_t i = 0; i < sizeof kTiles / sizeof kTiles[0]; ++i) {
      holders[i].SetImageFile(strFile, false);
      holders[i].SetBorder(kTiles[i].nBorder);
      holders[i].SetRotateFlip(kTiles[i].nRotate);
    }
  }
  ~Pictures() {
    for (ImageWrapper& h : holders) h.SetImageFile(CString(), false);
    ::DeleteFileA(strFile);
  }
};

void PaintImages(CDC& dc, const CRect& rc) {
  static Pictures pictures;
  if (!pictures.bMade) return;
  dc.SetBkMode(TRANSPARENT);
  Gdiplus::Graphics g(dc.GetSafeHdc());
  for (size_t i = 0; i < sizeof kTiles / sizeof kTiles[0]; ++i) {
    const int x = rc.left + 8 + static_cast<int>(i % kColumns) * kTileWidth;
    const int y = rc.top + 8 + static_cast<int>(i / kColumns) * kTileHeight;
    // The turned picture stands upright: its frame is tall.
    const bool bTurned = kTiles[i].nRotate != Gdiplus::RotateNoneFlipNone;
    const Gdiplus::RectF frame(static_cast<float>(bTurned ? x + (kFrameWidth - kFrameHeight * 2 / 3) / 2 : x),
                               static_cast<float>(y), bTurned ? kFrameHeight * 2 / 3.0f : kFrameWidth,
                               static_cast<float>(kFrameHeight));
    // A dark mat under each picture, so that the white and light borders show.
    dc.FillSolidRect(x - kMat, y - kMat, kFrameWidth + 2 * kMat, kFrameHeight + 2 * kMat, kMatColour);
    pictures.holders[i].DrawImage(g, frame);
    CRect caption(x, y + kFrameHeight + kMat + 2, x + kFrameWidth, y + kTileHeight - 2);
    dc.DrawText(CString(kTiles[i].pszCaption), &caption, DT_CENTER | DT_SINGLELINE | DT_NOPREFIX);
  }
}

}  // namespace

GALLERY_PANEL(90, "Image holder: border types 1 to 7 and a turned picture", kColumns * kTileWidth + 12,
              2 * kTileHeight + 16, PaintImages);
