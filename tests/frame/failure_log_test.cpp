#include <gtest/gtest.h>

#include <AppLogger.h>

#include "FailureLog.h"
#include "ImageWrapper.h"

// LogFailure writes the GUID line, with its text, through the host's logger,
// and nothing (without failing) when the host has none.
TEST(FailureLogTest, TheGuidLineWithItsTextOrNothing) {
  AppLogger::m_pInstance = nullptr;
  qor::LogFailure("{92AFC62C-2CC6-411A-811F-FB93419271B5}");
  AppLogger log{CString()};
  AppLogger::m_pInstance = &log;
  qor::LogFailure("{92AFC62C-2CC6-411A-811F-FB93419271B5}");
  qor::LogFailure("{0a1b2c3d-4e5f-6071-8293-a4b5c6d7e8f9}", CString("-7"));
  AppLogger::m_pInstance = nullptr;
  EXPECT_EQ(log.GetLines(), (std::vector<CString>{"{92AFC62C-2CC6-411A-811F-FB93419271B5}",
                                                  "{0a1b2c3d-4e5f-6071-8293-a4b5c6d7e8f9}-7"}));
}

TEST(ImageExtensionTableTest, FilledOnceSortedAndCaseBlind) {
  ImageWrapper::Initialize();
  ImageWrapper::Initialize();
  TextArray exts;
  exts.Add(CString("first"));
  ImageWrapper::GetSupportedExt(exts);
  ASSERT_EQ(exts.GetSize(), 11);
  EXPECT_EQ(exts[0], "first");
  // Sorted ascending: bmp emf exif gif jpeg jpg png tif tiff wmf.
  const char* const want[] = {"bmp", "emf", "exif", "gif", "jpeg", "jpg", "png", "tif", "tiff", "wmf"};
  for (int i = 0; i < 10; ++i) EXPECT_EQ(exts[i + 1], want[i]) << i;
  EXPECT_TRUE(ImageWrapper::IsSupportedExt(CString("EMF")));
  EXPECT_TRUE(ImageWrapper::IsSupportedExt(CString("exif")));
  EXPECT_FALSE(ImageWrapper::IsSupportedExt(CString("pdf")));
  EXPECT_FALSE(ImageWrapper::IsSupportedExt(CString("")));
}
