// Times the image holder on a 4000 x 3000 JPEG: its first draw (which decodes
// the photo and writes the reduced copy) against a redraw at the same width
// (which draws the copy it keeps loaded), in the same run; and the thumbnail
// writer making a 160 pixel wide thumbnail of that photo. These machines are
// shared, so the ratio is the figure to compare; each time is the best of
// several rounds.
//
//   image_bench.exe [rounds]
#include <afx.h>

#include <objidl.h>
#include <gdiplus.h>

#include <DirUtils.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <memory>
#include <random>
#include <string>

#include "GraphicsUtils.h"
#include "ImageWrapper.h"

#include "BenchTiming.h"

namespace {

const int kPhotoWidth = 4000;
const int kPhotoHeight = 3000;
const int kRedraws = 20;  // redraws timed together, for a measurable span
const Gdiplus::RectF kFrame(0, 0, 640, 480);

std::wstring Wide(const CString& s) { return std::wstring(s.GetString(), s.GetString() + s.GetLength()); }

// A photo-like picture: gradients with scattered shapes, so that the JPEG
// carries detail everywhere.
bool MakePhoto(const CString& strPath) {
  Gdiplus::Bitmap bmp(kPhotoWidth, kPhotoHeight, PixelFormat24bppRGB);
  Gdiplus::Graphics g(&bmp);
  Gdiplus::LinearGradientBrush back(Gdiplus::Point(0, 0), Gdiplus::Point(kPhotoWidth, kPhotoHeight),
                                    Gdiplus::Color(255, 30, 60, 120), Gdiplus::Color(255, 230, 200, 120));
  g.FillRectangle(&back, 0, 0, kPhotoWidth, kPhotoHeight);
  std::mt19937 rng(11);
  for (int i = 0; i < 3000; ++i) {
    Gdiplus::SolidBrush b(Gdiplus::Color(160, rng() % 256, rng() % 256, rng() % 256));
    g.FillEllipse(&b, static_cast<int>(rng() % kPhotoWidth), static_cast<int>(rng() % kPhotoHeight),
                  static_cast<int>(20 + rng() % 200), static_cast<int>(20 + rng() % 200));
  }
  UINT nCount = 0, nSize = 0;
  Gdiplus::GetImageEncodersSize(&nCount, &nSize);
  std::unique_ptr<unsigned char[]> block(new unsigned char[nSize]);
  auto* pCodecs = reinterpret_cast<Gdiplus::ImageCodecInfo*>(block.get());
  Gdiplus::GetImageEncoders(nCount, nSize, pCodecs);
  for (UINT i = 0; i < nCount; ++i)
    if (wcscmp(pCodecs[i].MimeType, L"image/jpeg") == 0)
      return bmp.Save(Wide(strPath).c_str(), &pCodecs[i].Clsid, nullptr) == Gdiplus::Ok;
  return false;
}


}  // namespace

int main(int argc, char** argv) {
  const int nRounds = argc > 1 ? std::max(1, std::atoi(argv[1])) : 3;
  qor::GdiplusSession session;
  const CString strDir = DirUtils::GetTempDir();
  const CString strPhoto = strDir + "qor_bench_photo.jpg";
  const CString strThumb = strDir + "qor_bench_thumb.jpg";
  if (!MakePhoto(strPhoto)) {
    std::printf("the photo could not be made\n");
    return 1;
  }
  Gdiplus::Bitmap canvas(static_cast<INT>(kFrame.Width), static_cast<INT>(kFrame.Height), PixelFormat32bppARGB);
  Gdiplus::Graphics g(&canvas);
  int nStatus = 0;

  // A fresh holder each round, so every first draw makes its copy.
  const double dFirst = bench::BestSecondsPerCall(nRounds, 1, [&] {
    ImageWrapper holder;
    holder.SetImageFile(strPhoto, false);
    holder.DrawImage(g, kFrame);
  });
  ImageWrapper holder;
  holder.SetImageFile(strPhoto, false);
  holder.DrawImage(g, kFrame);
  const double dRedraw = bench::BestSecondsPerCall(nRounds, 1, [&] {
                           for (int i = 0; i < kRedraws; ++i) holder.DrawImage(g, kFrame);
                         }) /
                         kRedraws;
  std::printf("%d x %d JPEG into a %.0f x %.0f frame, best of %d rounds\n", kPhotoWidth, kPhotoHeight, kFrame.Width,
              kFrame.Height, nRounds);
  std::printf("first draw %9.3f ms, redraw %9.3f ms, ratio %.1f (goal 50)\n", dFirst * 1e3, dRedraw * 1e3,
              dFirst / dRedraw);

  CString strMessage;
  const double dThumb = bench::BestSecondsPerCall(
      nRounds, 1, [&] { strMessage = GraphicsUtils::SaveThumbnailImage(strPhoto, strThumb, 160, 0); });
  if (!strMessage.IsEmpty()) {
    std::printf("SaveThumbnailImage failed: %s\n", strMessage.GetString());
    nStatus = 1;
  } else {
    int w = 0, h = 0;
    GraphicsUtils::GetImageSize(strThumb, w, h);
    std::printf("SaveThumbnailImage to %d x %d: %9.3f ms\n", w, h, dThumb * 1e3);
  }
  ::DeleteFileA(strThumb);
  ::DeleteFileA(strPhoto);
  return nStatus;
}
