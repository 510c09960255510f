// GDI+ sessions: started by the first, stopped by the last, balanced, also when begun and ended on many threads.
#include <gtest/gtest.h>

#include <windows.h>
#include <objidl.h>
#include <gdiplus.h>

#include <atomic>
#include <memory>
#include <thread>
#include <vector>

#include "GdiplusSession.h"

namespace {

using qor::GdiplusSession;

bool GdiplusWorks() {
  Gdiplus::GpBitmap* p = nullptr;
  if (Gdiplus::DllExports::GdipCreateBitmapFromScan0(4, 4, 0, PixelFormat32bppARGB, nullptr, &p) != Gdiplus::Ok)
    return false;
  Gdiplus::DllExports::GdipDisposeImage(p);
  return true;
}

TEST(GdiplusSession, TheFirstStartsAndTheLastStops) {
  const unsigned int nBefore = GdiplusSession::GetLiveCount();
  {
    auto first = std::make_unique<GdiplusSession>();
    ASSERT_TRUE(first->IsStarted());
    EXPECT_TRUE(GdiplusWorks());
    GdiplusSession copy(*first);
    GdiplusSession assigned;
    assigned = copy;  // assignment changes no count
    EXPECT_EQ(GdiplusSession::GetLiveCount(), nBefore + 3);
    first.reset();
    EXPECT_EQ(GdiplusSession::GetLiveCount(), nBefore + 2);
    EXPECT_TRUE(GdiplusWorks());  // the others keep it running
  }
  EXPECT_EQ(GdiplusSession::GetLiveCount(), nBefore);
  // Starting again after a full stop works as the first time did.
  GdiplusSession again;
  EXPECT_TRUE(again.IsStarted());
  EXPECT_TRUE(GdiplusWorks());
}

// Four threads begin and end sessions as fast as they can, first while another keeps GDI+ running (only the count
// changes), then with none held elsewhere (GDI+ started and stopped over and over): the count ends where it began.
TEST(GdiplusSession, ManyThreadsKeepTheCount) {
  const unsigned int nBefore = GdiplusSession::GetLiveCount();
  for (const int nEach : {2000000, 20000}) {
    auto held = nEach > 20000 ? std::make_unique<GdiplusSession>() : nullptr;
    std::atomic<int> nReady{0}, nFailed{0};
    std::vector<std::thread> threads;
    for (int t = 0; t < 4; ++t)
      threads.emplace_back([&] {
        for (++nReady; nReady < 4;) std::this_thread::yield();  // all four start together
        for (int i = 0; i < nEach; ++i) nFailed += !GdiplusSession().IsStarted();
      });
    for (std::thread& t : threads) t.join();
    EXPECT_TRUE(nFailed == 0 && GdiplusSession::GetLiveCount() == nBefore + (held ? 1 : 0)) << GdiplusSession::GetLiveCount();
  }
  EXPECT_TRUE(GdiplusWorks());
}

}  // namespace
