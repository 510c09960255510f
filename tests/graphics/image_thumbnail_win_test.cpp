// Thumbnails on real files: sizes, pixels and resolution, every refusal with
// its message, targets that are kept when a thumbnail cannot be made, and
// freshness by explicit file times.
#include <gtest/gtest.h>

#include "ImageTestSupport.h"

namespace {

using namespace imgtest;

// Sets the last-modified time of the file to noon of 1 January of the year.
void SetModified(const CString& strPath, int nYear) {
  SYSTEMTIME st{};
  st.wYear = static_cast<WORD>(nYear);
  st.wMonth = 1;
  st.wDay = 1;
  st.wHour = 12;
  FILETIME ft;
  ASSERT_TRUE(::SystemTimeToFileTime(&st, &ft));
  HANDLE h = ::CreateFileA(strPath, FILE_WRITE_ATTRIBUTES, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr, OPEN_EXISTING,
                           FILE_ATTRIBUTE_NORMAL, nullptr);
  ASSERT_NE(h, INVALID_HANDLE_VALUE);
  EXPECT_TRUE(::SetFileTime(h, nullptr, nullptr, &ft));
  ::CloseHandle(h);
}

struct ImageInfo {
  CSize size;
  Gdiplus::PixelFormat format;
  float dpiX, dpiY;
};

ImageInfo InfoOf(const CString& strPath) {
  qor::GdiplusSession session;
  Gdiplus::Image image(Wide(strPath).c_str());
  return {CSize(static_cast<int>(image.GetWidth()), static_cast<int>(image.GetHeight())), image.GetPixelFormat(),
          image.GetHorizontalResolution(), image.GetVerticalResolution()};
}

TEST(SaveThumbnailImage, SizesPixelsAndResolution) {
  TempFolder dir;
  const CString wide = dir.Path("wide.png"), tall = dir.Path("tall.jpg");
  ASSERT_TRUE(MakeImageFile(wide, 800, 600, L"image/png", 150, 75));
  ASSERT_TRUE(MakeImageFile(tall, 600, 800, L"image/jpeg"));
  struct Case {
    CString source;
    const char* target;
    int w, h;
    CSize size;
  };
  const Case cases[] = {
      {wide, "w160.png", 160, 0, CSize(160, 120)}, {wide, "h90.png", 0, 90, CSize(120, 90)},
      {tall, "t160.png", 160, 0, CSize(160, 213)}, {wide, "w160.bmp", 160, -1, CSize(160, 120)},
      {wide, "w160.JPG", 160, 0, CSize(160, 120)}, {wide, "w160.jpeg", 160, 0, CSize(160, 120)},
      {wide, "w160.gif", 160, 0, CSize(160, 120)}, {wide, "w160.tif", 160, 0, CSize(160, 120)},
      {wide, "w160.TIFF", 160, 0, CSize(160, 120)},
  };
  LogScope log;
  std::set<std::string> made{"wide.png", "tall.jpg"};
  for (const Case& c : cases) {
    const CString target = dir.Path(c.target);
    EXPECT_EQ(GraphicsUtils::SaveThumbnailImage(c.source, target, c.w, c.h).str(), "") << c.target;
    EXPECT_EQ(SizeOf(target), c.size) << c.target;
    // The halves survive the reduction.
    EXPECT_TRUE(Near(PixelOf(target, 4, c.size.cy / 2), kRed)) << c.target;
    EXPECT_TRUE(Near(PixelOf(target, c.size.cx - 4, c.size.cy / 2), kBlue)) << c.target;
    made.insert(c.target);
  }
  EXPECT_EQ(dir.Names(), made);
  EXPECT_EQ(log.Lines(), "");
  // 24 bits per pixel with the source's resolution, where the format keeps them.
  for (const char* name : {"w160.png", "w160.bmp", "w160.tif"}) {
    const ImageInfo info = InfoOf(dir.Path(name));
    EXPECT_EQ(info.format, PixelFormat24bppRGB) << name;
    EXPECT_NEAR(info.dpiX, 150, 0.5) << name;
    EXPECT_NEAR(info.dpiY, 75, 0.5) << name;
  }
}

TEST(SaveThumbnailImage, RefusalsKeepEveryFile) {
  TempFolder dir;
  const CString source = dir.Path("photo.png");
  ASSERT_TRUE(MakeImageFile(source, 80, 60));
  const CString existing = dir.Path("keep.dat");
  WriteBytes(existing, "not to be lost");
  WriteBytes(dir.Path("empty.png"), "");
  WriteBytes(dir.Path("text.png"), "only text");
  const std::string png = ReadBytes(source);
  WriteBytes(dir.Path("truncated.png"), png.substr(0, png.size() / 2));
  WriteBytes(dir.Path("corrupt.png"), png.substr(0, 16) + std::string(png.size() - 16, '\x11'));
  const std::set<std::string> files = dir.Names();

  const char* kLoad = "Unable to load source image file.";
  const char* kLoadLine = "{618FE2C4-D8CE-49AA-AF21-686EA69B0B6C}";
  struct Case {
    CString source, target;
    int w, h;
    const char* message;
    const char* log;
  };
  const Case cases[] = {
      {source, dir.Path("t.png"), 160, 90, "Invalid thumbnail image size specified.",
       "{A43F82FA-DF2E-471A-AB34-6FE3B094DB9F}"},
      {source, dir.Path("t.png"), 0, 0, "Invalid thumbnail image size specified.",
       "{A43F82FA-DF2E-471A-AB34-6FE3B094DB9F}"},
      {source, dir.Path("t.png"), -160, -1, "Invalid thumbnail image size specified.",
       "{A43F82FA-DF2E-471A-AB34-6FE3B094DB9F}"},
      {source, CString(), 160, 0, "Thumbnail image file path is not valid.", "{19B78630-EAD0-428F-9265-10875A9C602B}"},
      {source, CString("t.png"), 160, 0, "Thumbnail image file path is not valid.",
       "{19B78630-EAD0-428F-9265-10875A9C602B}"},
      {source, dir.Path("t"), 160, 0, "Thumbnail image file path is not valid.",
       "{19B78630-EAD0-428F-9265-10875A9C602B}"},
      {source, dir.Dir(), 160, 0, "Thumbnail image file path is not valid.", "{19B78630-EAD0-428F-9265-10875A9C602B}"},
      {source, dir.Path("PHOTO.PNG"), 160, 0, "Source image file and thumbnail image file cannot be the same files.",
       "{B9AAEEC4-19CE-4294-8CE4-42CE2376844B}"},
      {dir.Path("missing.png"), dir.Path("t.png"), 160, 0, "Image file does not exist.",
       "{009A647F-287E-4C29-8F3E-5B448B8E3B33}"},
      {dir.Path("empty.png"), dir.Path("t.png"), 160, 0, kLoad, kLoadLine},
      {dir.Path("text.png"), dir.Path("t.png"), 160, 0, kLoad, kLoadLine},
      {dir.Path("truncated.png"), dir.Path("t.png"), 160, 0, kLoad, kLoadLine},
      {dir.Path("corrupt.png"), dir.Path("t.png"), 160, 0, kLoad, kLoadLine},
      {source, existing, 160, 0, "Unable to save the thumbnail image, because the file extension was not recognized.",
       "{180F2298-5254-427F-9D71-F8FBB48E848A}"},
      {source, dir.Path("t.emf"), 160, 0,
       "Unable to save the thumbnail image, because the file extension was not recognized.",
       "{180F2298-5254-427F-9D71-F8FBB48E848A}"},
      {source, dir.Path("t.png"), 30000, 0, "Unable to create the thumbnail image.",
       "{371DD740-DC25-4018-8E4C-235D5447CD77}"},
      {source, dir.Path("t.png"), 0, INT_MAX, "Unable to create the thumbnail image.",
       "{371DD740-DC25-4018-8E4C-235D5447CD77}"},
      {source, dir.Path("no such folder\\t.png"), 160, 0, "Unable to save the thumbnail image file.",
       "{2FF3FA09-B859-457E-99C5-800E96559977}-7"},
  };
  for (const Case& c : cases) {
    LogScope log;
    EXPECT_EQ(GraphicsUtils::SaveThumbnailImage(c.source, c.target, c.w, c.h).str(), c.message) << c.target.str();
    EXPECT_EQ(log.Lines(), c.log) << c.target.str();
    EXPECT_EQ(dir.Names(), files) << c.target.str();
  }
  EXPECT_EQ(ReadBytes(existing), "not to be lost");
  EXPECT_EQ(ReadBytes(source), png);
}

TEST(SaveThumbnailImage, ReplacesAnOldThumbnailOnlyWithAComplete) {
  TempFolder dir;
  const CString source = dir.Path("photo.bmp");
  ASSERT_TRUE(MakeImageFile(source, 400, 200, L"image/bmp"));
  const CString thumb = dir.Path("thumb.gif");
  WriteBytes(thumb, "an old thumbnail");
  EXPECT_EQ(GraphicsUtils::SaveThumbnailImage(source, thumb, 100, 0).str(), "");
  EXPECT_EQ(SizeOf(thumb), CSize(100, 50));

  WriteBytes(thumb, "an old thumbnail");
  {
    HeldOpen held(thumb);
    ASSERT_TRUE(held.IsOpen());
    LogScope log;
    EXPECT_EQ(GraphicsUtils::SaveThumbnailImage(source, thumb, 100, 0).str(), "Unable to save the thumbnail image file.");
    EXPECT_EQ(log.Lines(), "{2FF3FA09-B859-457E-99C5-800E96559977}-7");
  }
  EXPECT_EQ(ReadBytes(thumb), "an old thumbnail");
  EXPECT_EQ(dir.Names(), (std::set<std::string>{"photo.bmp", "thumb.gif"}));
}

TEST(IsThumbnailImageUpToDate, SizeAndTimeDecide) {
  TempFolder dir;
  const CString source = dir.Path("photo.png"), thumb = dir.Path("thumb.jpg");
  ASSERT_TRUE(MakeImageFile(source, 800, 600));
  SetModified(source, 2020);
  ASSERT_EQ(GraphicsUtils::SaveThumbnailImage(source, thumb, 160, 0).str(), "");
  SetModified(thumb, 2021);
  LogScope log;
  EXPECT_TRUE(GraphicsUtils::IsThumbnailImageUpToDate(source, thumb, 160, 0));
  EXPECT_TRUE(GraphicsUtils::IsThumbnailImageUpToDate(source, thumb, -5, 120));  // by its height
  EXPECT_FALSE(GraphicsUtils::IsThumbnailImageUpToDate(source, thumb, 161, 0));  // another width
  EXPECT_FALSE(GraphicsUtils::IsThumbnailImageUpToDate(source, thumb, 0, 90));
  EXPECT_EQ(log.Lines(), "");

  SetModified(source, 2022);  // the source changed after the thumbnail
  EXPECT_FALSE(GraphicsUtils::IsThumbnailImageUpToDate(source, thumb, 160, 0));
  SetModified(thumb, 2022);  // the same time is not newer
  EXPECT_FALSE(GraphicsUtils::IsThumbnailImageUpToDate(source, thumb, 160, 0));
  SetModified(thumb, 2023);
  EXPECT_TRUE(GraphicsUtils::IsThumbnailImageUpToDate(source, thumb, 160, 0));
  EXPECT_EQ(log.Lines(), "");

  // A thumbnail that is not an image has no size to match.
  const CString text = dir.Path("text.jpg");
  WriteBytes(text, "text");
  SetModified(text, 2030);
  EXPECT_FALSE(GraphicsUtils::IsThumbnailImageUpToDate(source, text, 160, 0));
  EXPECT_EQ(log.Lines(), "");

  struct Case {
    CString source, thumb;
    int w, h;
    const char* log;
  };
  const Case cases[] = {
      {source, thumb, 160, 120, "{D744C93F-A0F9-4709-8F0A-B709D0775625}"},
      {source, thumb, 0, 0, "{D744C93F-A0F9-4709-8F0A-B709D0775625}"},
      {source, CString(), 160, 0, "{1EC10526-DE54-4856-98B4-938CDBC2A2DD}"},
      {source, dir.Path("missing.jpg"), 160, 0, "{1EC10526-DE54-4856-98B4-938CDBC2A2DD}"},
      {CString(thumb).MakeUpper(), thumb, 160, 0, "{300E5550-6A9B-404E-8396-997F013FCB6F}"},
      {dir.Path("missing.png"), thumb, 160, 0, "{300E5550-6A9B-404E-8396-997F013FCB6F}"},
  };
  for (const Case& c : cases) {
    LogScope caseLog;
    EXPECT_FALSE(GraphicsUtils::IsThumbnailImageUpToDate(c.source, c.thumb, c.w, c.h)) << c.log;
    EXPECT_EQ(caseLog.Lines(), c.log);
  }
}

}  // namespace
