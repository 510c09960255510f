// Times the image holder on a 4000 x 3000 JPEG: its first draw (which decodes
// the photo and writes the reduced copy) against a redraw at the same width
// (which draws the copy it keeps loaded), in the same run; and the thumbnail
// writer making a 160 pixel wide thumbnail of that photo, then 16 of them on
// one thread against four threads sharing them. Then a 160 pixel
// wide thumbnail of a 100-megapixel JPEG and PNG against the plain way of
// making it (the size read by decoding, the source decoded again and drawn).
// These machines are shared, so the ratio is the figure to compare; each time
// is the best of several rounds.
//
//   image_bench.exe [rounds] [rounds of the 100-megapixel sources, 0 to skip]
//
// The 100-megapixel sources take a minute to make; they are kept in the
// temporary folder (qor_bench_100mp.*) for the next run.
#include <afx.h>

#include <objidl.h>
#include <gdiplus.h>

#include <DirUtils.h>

#include <algorithm>
#include <atomic>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <memory>
#include <random>
#include <string>
#include <thread>
#include <vector>

#include "GraphicsUtils.h"
#include "ImageWrapper.h"

#include "BenchTiming.h"

namespace {

const int kPhotoWidth = 4000;
const int kPhotoHeight = 3000;
const int kBigWidth = 11548;  // 4:3, 100 005 680 pixels
const int kBigHeight = 8660;
const int kRedraws = 20;  // redraws timed together, for a measurable span
const Gdiplus::RectF kFrame(0, 0, 640, 480);

std::wstring Wide(const CString& s) { return std::wstring(s.GetString(), s.GetString() + s.GetLength()); }

bool FindEncoder(const wchar_t* pszMime, CLSID& clsid) {
  UINT nCount = 0, nSize = 0;
  Gdiplus::GetImageEncodersSize(&nCount, &nSize);
  std::unique_ptr<unsigned char[]> block(new unsigned char[nSize]);
  auto* pCodecs = reinterpret_cast<Gdiplus::ImageCodecInfo*>(block.get());
  Gdiplus::GetImageEncoders(nCount, nSize, pCodecs);
  for (UINT i = 0; i < nCount; ++i)
    if (wcscmp(pCodecs[i].MimeType, pszMime) == 0) return clsid = pCodecs[i].Clsid, true;
  return false;
}

// A photo-like picture: gradients with scattered shapes, so that the file
// carries detail everywhere.
bool MakePhoto(const CString& strPath, int nWidth, int nHeight, const wchar_t* pszMime) {
  Gdiplus::Bitmap bmp(nWidth, nHeight, PixelFormat24bppRGB);
  Gdiplus::Graphics g(&bmp);
  Gdiplus::LinearGradientBrush back(Gdiplus::Point(0, 0), Gdiplus::Point(nWidth, nHeight),
                                    Gdiplus::Color(255, 30, 60, 120), Gdiplus::Color(255, 230, 200, 120));
  g.FillRectangle(&back, 0, 0, nWidth, nHeight);
  std::mt19937 rng(11);
  for (int i = 0; i < 3000; ++i) {
    Gdiplus::SolidBrush b(Gdiplus::Color(160, rng() % 256, rng() % 256, rng() % 256));
    g.FillEllipse(&b, static_cast<int>(rng() % nWidth), static_cast<int>(rng() % nHeight),
                  static_cast<int>(20 + rng() % 200), static_cast<int>(20 + rng() % 200));
  }
  CLSID clsid;
  return FindEncoder(pszMime, clsid) && bmp.Save(Wide(strPath).c_str(), &clsid, nullptr) == Gdiplus::Ok;
}

// The plain way to a thumbnail: the size read by decoding the file, the file
// decoded again and drawn scaled into the thumbnail's bitmap, then saved.
bool PlainThumbnail(const CString& strSource, const CString& strTarget, int nWidth) {
  const std::wstring source = Wide(strSource);
  UINT nSrcWidth = 0, nSrcHeight = 0;
  {
    Gdiplus::Image sized(source.c_str());
    nSrcWidth = sized.GetWidth(), nSrcHeight = sized.GetHeight();
  }
  Gdiplus::Image image(source.c_str());
  if (image.GetLastStatus() != Gdiplus::Ok || nSrcWidth == 0) return false;
  const int nHeight = static_cast<int>(static_cast<double>(nWidth) * nSrcHeight / nSrcWidth);
  Gdiplus::Bitmap thumb(nWidth, nHeight, PixelFormat24bppRGB);
  Gdiplus::Graphics g(&thumb);
  g.DrawImage(&image, 0, 0, nWidth, nHeight);
  CLSID clsid;
  return FindEncoder(L"image/jpeg", clsid) && thumb.Save(Wide(strTarget).c_str(), &clsid, nullptr) == Gdiplus::Ok;
}

// Seconds for nTotal thumbnails of the photo, 160 wide, shared by nThreads
// threads; negative when one failed.
double TimeThreads(const CString& strPhoto, const CString& strDir, int nThreads, int nTotal) {
  const auto t0 = std::chrono::steady_clock::now();
  std::atomic<int> nFailed{0};
  std::vector<std::thread> threads;
  for (int t = 0; t < nThreads; ++t) {
    threads.emplace_back([&, t] {
      for (int i = t; i < nTotal; i += nThreads) {
        const CString strThumb = strDir + "qor_bench_thread_" + std::to_string(i).c_str() + ".jpg";
        nFailed += !GraphicsUtils::SaveThumbnailImage(strPhoto, strThumb, 160, 0).IsEmpty();
        ::DeleteFileA(strThumb);
      }
    });
  }
  for (std::thread& thread : threads) thread.join();
  return nFailed > 0 ? -1.0 : std::chrono::duration<double>(std::chrono::steady_clock::now() - t0).count();
}

// The 160 wide thumbnail of a 100-megapixel source against the plain way.
bool TimeBigSource(const CString& strDir, const char* pszExt, const wchar_t* pszMime, int nRounds) {
  const CString strSource = strDir + "qor_bench_100mp." + pszExt, strThumb = strDir + "qor_bench_100mp_thumb.jpg";
  int w = 0, h = 0;
  GraphicsUtils::GetImageSize(strSource, w, h);
  if ((w != kBigWidth || h != kBigHeight) && !MakePhoto(strSource, kBigWidth, kBigHeight, pszMime)) {
    std::printf("the %s source could not be made\n", pszExt);
    return false;
  }
  CString strMessage;
  const double dThumb = bench::BestSecondsPerCall(
      nRounds, 1, [&] { strMessage = GraphicsUtils::SaveThumbnailImage(strSource, strThumb, 160, 0); });
  GraphicsUtils::GetImageSize(strThumb, w, h);
  bool bPlain = true;
  const double dPlain =
      bench::BestSecondsPerCall(nRounds, 1, [&] { bPlain = PlainThumbnail(strSource, strThumb, 160); });
  ::DeleteFileA(strThumb);
  if (!strMessage.IsEmpty() || !bPlain) {
    std::printf("the %s thumbnail failed: %s\n", pszExt, strMessage.GetString());
    return false;
  }
  std::printf("100-megapixel %-4s to %d x %d: %8.3f s, the plain way %8.3f s, ratio %.2f\n", pszExt, w, h, dThumb,
              dPlain, dThumb / dPlain);
  return true;
}


}  // namespace

int main(int argc, char** argv) {
  const int nRounds = argc > 1 ? std::max(1, std::atoi(argv[1])) : 3;
  const int nBigRounds = argc > 2 ? std::max(0, std::atoi(argv[2])) : 1;
  qor::GdiplusSession session;
  const CString strDir = DirUtils::GetTempDir();
  const CString strPhoto = strDir + "qor_bench_photo.jpg";
  const CString strThumb = strDir + "qor_bench_thumb.jpg";
  if (!MakePhoto(strPhoto, kPhotoWidth, kPhotoHeight, L"image/jpeg")) {
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
  const int kThreadThumbs = 16;
  const double dOne = TimeThreads(strPhoto, strDir, 1, kThreadThumbs), dFour = TimeThreads(strPhoto, strDir, 4, kThreadThumbs);
  std::printf("%d thumbnails on one thread %6.3f s, shared by four threads %6.3f s, ratio %.2f\n", kThreadThumbs, dOne,
              dFour, dFour / dOne);
  if (dOne < 0 || dFour < 0) nStatus = 1;
  ::DeleteFileA(strPhoto);
  if (nBigRounds > 0 && !(TimeBigSource(strDir, "jpg", L"image/jpeg", nBigRounds) &&
                          TimeBigSource(strDir, "png", L"image/png", nBigRounds)))
    nStatus = 1;
  return nStatus;
}
