// GDI+ sessions: started by the first, stopped by the last, balanced.
#include <gtest/gtest.h>

#include <windows.h>
#include <objidl.h>
#include <gdiplus.h>

#include <memory>

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

}  // namespace
