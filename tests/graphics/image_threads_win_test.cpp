// Thumbnails on four worker threads, each into its own folder, while the window's thread creates, paints and
// destroys progress bars, pies and image holders: every thumbnail of the right size and fresh, no call failed, no
// GDI+ session left. ctest runs the short form (10 thumbnails a thread); the full form, 100 a thread, by hand:
//   QOR_STRESS_THUMBNAILS=100 tools/wine-run --prefix=$PWD/build/windows/wineprefix build/windows/bin/image_threads_win_tests.exe
#include <gtest/gtest.h>

#include <afxwin.h>

#include <atomic>
#include <chrono>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

#include "GradientProgressCtrl.h"
#include "ImageWinSupport.h"
#include "ImageWrapper.h"
#include "PieCtrl.h"

namespace {

namespace fs = std::filesystem;

CString Text(const fs::path& p) { return CString(p.string().c_str()); }

TEST(ImageThreads, ThumbnailsOnWorkersWhileTheWindowThreadPaints) {
  const char* pszEach = std::getenv("QOR_STRESS_THUMBNAILS");
  const int nEach = pszEach != nullptr ? std::atoi(pszEach) : 10;
  const unsigned int nSessions = qor::GdiplusSession::GetLiveCount();
  const fs::path root = fs::temp_directory_path() / "qor_image_threads";
  fs::remove_all(root), fs::create_directories(root / "gui");
  const struct { const char* name; int w, h; const wchar_t* mime; } sources[] = {
      {"a.jpg", 1600, 1200, L"image/jpeg"}, {"b.png", 700, 1100, L"image/png"}, {"c.jpg", 333, 250, L"image/jpeg"},
      {"d.png", 2000, 900, L"image/png"}};
  for (const auto& s : sources) {  // an hour old, so that every thumbnail is newer by the second
    ASSERT_TRUE(gfxtest::MakeImageFile(Text(root / s.name), s.w, s.h, s.mime));
    fs::last_write_time(root / s.name, fs::last_write_time(root / s.name) - std::chrono::hours(1));
  }

  std::atomic<int> nRunning{4}, nMade{0}, nLookupsFailed{0};
  std::mutex lock;
  std::vector<std::string> failures;
  std::vector<std::thread> workers;
  const auto start = std::chrono::steady_clock::now();
  for (int t = 0; t < 4; ++t) {
    workers.emplace_back([&, t] {
      const fs::path dir = root / ("worker" + std::to_string(t));
      fs::create_directories(dir);
      for (int i = 0; i < nEach; ++i) {
        const auto& s = sources[(i + t) % 4];
        const int w = 40 + (i * 37 + t * 11) % 200, h = static_cast<int>(std::trunc(w / (static_cast<double>(s.w) / s.h)));
        const CString source = Text(root / s.name), target = Text(dir / (std::to_string(i) + (i % 3 ? ".jpg" : ".png")));
        const CString message = GraphicsUtils::SaveThumbnailImage(source, target, w, 0);
        int nWidth = 0, nHeight = 0;
        GraphicsUtils::GetImageSize(target, nWidth, nHeight);
        if (!message.IsEmpty() || nWidth != w || nHeight != h || !GraphicsUtils::IsThumbnailImageUpToDate(source, target, w, 0)) {
          std::lock_guard<std::mutex> guard(lock);
          failures.push_back(target.str() + ": " + message.str() + " " + std::to_string(nWidth) + "x" + std::to_string(nHeight));
        }
        // Encoder lookups between thumbnails: many short GDI+ sessions, begun and ended against the others'.
        CLSID clsid;
        for (int k = 0; k < 50; ++k)
          if (!gfxtest::Encoders::GetEncoderClsid(L"image/png", &clsid)) ++nLookupsFailed;
        ++nMade;
      }
      --nRunning;
    });
  }

  CWnd host;
  ASSERT_TRUE(host.CreateEx(0, AfxRegisterWndClass(0), "host", WS_POPUP | WS_VISIBLE, 0, 0, 400, 300, nullptr, nullptr));
  int nCycles = 0;
  for (; nRunning > 0; ++nCycles) {
    {
      CGradientProgressCtrl bar;
      EXPECT_TRUE(bar.Create(&host, CRect(0, 0, 200, 20), 1));
      bar.Init(20, "job", true, 0, RGB(255, 255, 255), RGB(0, 0, 255), RGB(255, 0, 0), CGradientProgressCtrl::BorderFlat);
      for (int k = 0; k < 5; ++k) bar.Step(), bar.UpdateWindow();
      CWnd placeholder;
      EXPECT_TRUE(placeholder.Create(AfxRegisterWndClass(0), "", WS_CHILD, CRect(0, 30, 150, 180), &host, 2));
      CPieCtrl pie;
      EXPECT_TRUE(pie.Create(2, &host, RGB(0, 0, 255)) && pie.AddSlice(20.0 + nCycles % 50, RGB(255, 0, 0), 0, "share"));
      pie.RedrawWindow(nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW);
      pie.DestroyWindow(), bar.DestroyWindow();
    }
    {
      qor::GdiplusSession session;
      Gdiplus::Bitmap canvas(120, 100, PixelFormat32bppARGB);
      Gdiplus::Graphics g(&canvas);
      ImageWrapper holder;
      holder.SetTempDir(Text(root / "gui") + "\\");
      holder.SetImageFile(Text(root / sources[nCycles % 4].name), false);
      holder.DrawImage(g, Gdiplus::RectF(0, 0, 100.0f + nCycles % 20, 80));
      Gdiplus::Color c;
      EXPECT_TRUE(canvas.GetPixel(5, 40, &c) == Gdiplus::Ok && c.GetR() > 200 && c.GetB() < 60) << nCycles;  // the red half
    }
    for (MSG msg; ::PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE);) ::DispatchMessageA(&msg);
    CWnd::DeleteTempMap();
  }
  for (std::thread& w : workers) w.join();
  const double dSeconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
  std::printf("%d thumbnails on 4 threads and %d window-thread cycles in %.1f s\n", nMade.load(), nCycles, dSeconds);
  EXPECT_TRUE(failures.empty()) << failures.size() << " failed, first " << failures.front();
  EXPECT_TRUE(nMade == 4 * nEach && nLookupsFailed == 0 && nCycles > 0);
  EXPECT_TRUE(qor::GdiplusSession::GetLiveCount() == nSessions && nSessions == 0) << qor::GdiplusSession::GetLiveCount();
  std::error_code ec;
  fs::remove_all(root, ec);
}

}  // namespace
