#include <gtest/gtest.h>

#include <cstdio>
#include <filesystem>

#include <AppLogger.h>

#include "FailureLog.h"
#include "ImageWrapper.h"

namespace {

class FailureLogTest : public ::testing::Test {
 protected:
  void SetUp() override {
    path_ = (std::filesystem::temp_directory_path() / "qor_failure_log_test.log").string();
    std::remove(path_.c_str());
  }
  void TearDown() override {
    AppLogger::m_pInstance = nullptr;
    std::remove(path_.c_str());
  }
  std::string path_;
};

}  // namespace

TEST_F(FailureLogTest, WritesTheGuidLineWithOptionalText) {
  AppLogger log(CString(path_.c_str()));
  AppLogger::m_pInstance = &log;
  qor::LogFailure("{92AFC62C-2CC6-411A-811F-FB93419271B5}");
  qor::LogFailure("{0a1b2c3d-4e5f-6071-8293-a4b5c6d7e8f9}", CString("-7"));
  const std::vector<CString> lines = log.GetLines();
  ASSERT_EQ(lines.size(), 2u);
  EXPECT_EQ(lines[0], "{92AFC62C-2CC6-411A-811F-FB93419271B5}");
  EXPECT_EQ(lines[1], "{0a1b2c3d-4e5f-6071-8293-a4b5c6d7e8f9}-7");
  // The line also reached the file.
  std::FILE* f = std::fopen(path_.c_str(), "rb");
  ASSERT_NE(f, nullptr);
  char buf[512] = {};
  const size_t n = std::fread(buf, 1, sizeof buf - 1, f);
  std::fclose(f);
  EXPECT_NE(std::string(buf, n).find("{92AFC62C-2CC6-411A-811F-FB93419271B5}"), std::string::npos);
}

TEST_F(FailureLogTest, WithoutLoggerNothingIsWritten) {
  AppLogger::m_pInstance = nullptr;
  qor::LogFailure("{92AFC62C-2CC6-411A-811F-FB93419271B5}");
  EXPECT_FALSE(std::filesystem::exists(path_));
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
