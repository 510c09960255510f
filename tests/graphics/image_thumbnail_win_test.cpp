// Thumbnails on real files: sizes, pixels and resolution, every refusal with
// its message, targets kept when a thumbnail cannot be made, and freshness
// by explicit file times.
#include <gtest/gtest.h>

#include "ImageTestSupport.h"

namespace {

using namespace imgtest;

// Sets the last-modified time of the file to 1 January of the year.
void SetModified(const CString& strPath, int nYear) {
  SYSTEMTIME st{static_cast<WORD>(nYear), 1, 0, 1, 12, 0, 0, 0};
  FILETIME ft;
  HANDLE h = ::CreateFileA(strPath, FILE_WRITE_ATTRIBUTES, FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0, nullptr);
  EXPECT_TRUE(::SystemTimeToFileTime(&st, &ft) && ::SetFileTime(h, nullptr, nullptr, &ft));
  ::CloseHandle(h);
}

TEST(SaveThumbnailImage, SizesPixelsAndResolution) {
  TempFolder dir;
  const CString wide = dir.Path("wide.png"), tall = dir.Path("tall.jpg");
  ASSERT_TRUE(MakeImageFile(wide, 800, 600, L"image/png", 150) && MakeImageFile(tall, 600, 800, L"image/jpeg"));
  const struct {
    CString source;
    const char* target;
    int w, h;
    CSize size;
  } cases[] = {{wide, "a.png", 160, 0, {160, 120}},  {wide, "b.png", 0, 90, {120, 90}},   {tall, "c.png", 160, 0, {160, 213}},
               {wide, "d.bmp", 160, -1, {160, 120}}, {wide, "e.JPG", 160, 0, {160, 120}}, {wide, "f.jpeg", 160, 0, {160, 120}},
               {wide, "g.gif", 160, 0, {160, 120}},  {wide, "h.tif", 160, 0, {160, 120}}, {wide, "i.TIFF", 160, 0, {160, 120}}};
  for (const auto& c : cases) {
    const CString target = dir.Path(c.target);
    EXPECT_EQ(GraphicsUtils::SaveThumbnailImage(c.source, target, c.w, c.h).str(), "") << c.target;
    EXPECT_EQ(SizeOf(target), c.size) << c.target;
    EXPECT_TRUE(Near(target, 4, c.size.cy / 2, kRed) && Near(target, c.size.cx - 4, c.size.cy / 2, kBlue)) << c.target;
  }
  EXPECT_EQ(dir.Names().size(), 11u);
  // 24 bits per pixel at the source's resolution, where the format keeps them.
  qor::GdiplusSession session;
  for (const char* name : {"a.png", "d.bmp", "h.tif"}) {
    Gdiplus::Image image(Wide(dir.Path(name)).c_str());
    EXPECT_EQ(image.GetPixelFormat(), PixelFormat24bppRGB) << name;
    EXPECT_NEAR(image.GetHorizontalResolution(), 150, 0.5) << name;
    EXPECT_NEAR(image.GetVerticalResolution(), 75, 0.5) << name;
  }
}

TEST(SaveThumbnailImage, RefusalsKeepEveryFile) {
  TempFolder dir;
  const CString source = dir.Path("photo.png"), keep = dir.Path("keep.dat"), old = dir.Path("old.gif");
  ASSERT_TRUE(MakeImageFile(source, 80, 60));
  const std::string png = ReadBytes(source);
  WriteBytes(keep, "not to be lost");
  WriteBytes(old, "an old thumbnail");
  WriteBytes(dir.Path("empty.png"), "");
  WriteBytes(dir.Path("text.png"), "only text");
  WriteBytes(dir.Path("truncated.png"), png.substr(0, png.size() / 2));
  WriteBytes(dir.Path("corrupt.png"), png.substr(0, 16) + std::string(png.size() - 16, '\x11'));
  const std::set<std::string> files = dir.Names();
  HeldOpen held(old);
  const char *kSize = "Invalid thumbnail image size specified.", *kSizeLine = "{A43F82FA-DF2E-471A-AB34-6FE3B094DB9F}";
  const char *kPath = "Thumbnail image file path is not valid.", *kPathLine = "{19B78630-EAD0-428F-9265-10875A9C602B}";
  const char *kLoad = "Unable to load source image file.", *kLoadLine = "{618FE2C4-D8CE-49AA-AF21-686EA69B0B6C}";
  const char *kExt = "Unable to save the thumbnail image, because the file extension was not recognized.",
             *kExtLine = "{180F2298-5254-427F-9D71-F8FBB48E848A}";
  const char *kBig = "Unable to create the thumbnail image.", *kBigLine = "{371DD740-DC25-4018-8E4C-235D5447CD77}";
  const char *kSave = "Unable to save the thumbnail image file.", *kSaveLine = "{2FF3FA09-B859-457E-99C5-800E96559977}-7";
  const CString t = dir.Path("t.png");
  const struct {
    CString source, target;
    int w, h;
    const char *message, *log;
  } cases[] = {
      {source, t, 160, 90, kSize, kSizeLine}, {source, t, 0, 0, kSize, kSizeLine}, {source, t, -160, -1, kSize, kSizeLine},
      {source, CString(), 160, 0, kPath, kPathLine}, {source, CString("t.png"), 160, 0, kPath, kPathLine},
      {source, dir.Path("t"), 160, 0, kPath, kPathLine}, {source, dir.Path(""), 160, 0, kPath, kPathLine},
      {source, dir.Path("PHOTO.PNG"), 160, 0, "Source image file and thumbnail image file cannot be the same files.",
       "{B9AAEEC4-19CE-4294-8CE4-42CE2376844B}"},
      {dir.Path("gone.png"), t, 160, 0, "Image file does not exist.", "{009A647F-287E-4C29-8F3E-5B448B8E3B33}"},
      {dir.Path("empty.png"), t, 160, 0, kLoad, kLoadLine}, {dir.Path("text.png"), t, 160, 0, kLoad, kLoadLine},
      {dir.Path("truncated.png"), t, 160, 0, kLoad, kLoadLine}, {dir.Path("corrupt.png"), t, 160, 0, kLoad, kLoadLine},
      {source, keep, 160, 0, kExt, kExtLine}, {source, dir.Path("t.emf"), 160, 0, kExt, kExtLine},
      {source, t, 30000, 0, kBig, kBigLine}, {source, t, 0, INT_MAX, kBig, kBigLine},
      {source, dir.Path("none\\t.png"), 160, 0, kSave, kSaveLine}, {source, old, 160, 0, kSave, kSaveLine},
  };
  for (const auto& c : cases) {
    LogScope log;
    EXPECT_EQ(GraphicsUtils::SaveThumbnailImage(c.source, c.target, c.w, c.h).str(), c.message) << c.target.str();
    EXPECT_EQ(log.Lines(), c.log) << c.target.str();
  }
  ::CloseHandle(held.h);
  held.h = INVALID_HANDLE_VALUE;
  EXPECT_EQ(dir.Names(), files);
  EXPECT_TRUE(ReadBytes(keep) == "not to be lost" && ReadBytes(old) == "an old thumbnail" && ReadBytes(source) == png);
  EXPECT_EQ(GraphicsUtils::SaveThumbnailImage(source, old, 0, 30).str(), "");  // free again, it is replaced
  EXPECT_EQ(SizeOf(old), CSize(40, 30));
}

TEST(IsThumbnailImageUpToDate, SizeAndTimeDecide) {
  TempFolder dir;
  const CString source = dir.Path("photo.png"), thumb = dir.Path("thumb.jpg"), text = dir.Path("text.jpg");
  ASSERT_TRUE(MakeImageFile(source, 800, 600));
  ASSERT_EQ(GraphicsUtils::SaveThumbnailImage(source, thumb, 160, 0).str(), "");
  WriteBytes(text, "text");
  SetModified(source, 2020);
  SetModified(thumb, 2021);
  SetModified(text, 2021);
  LogScope log;
  EXPECT_TRUE(GraphicsUtils::IsThumbnailImageUpToDate(source, thumb, 160, 0));
  EXPECT_TRUE(GraphicsUtils::IsThumbnailImageUpToDate(source, thumb, -5, 120));  // by its height
  EXPECT_FALSE(GraphicsUtils::IsThumbnailImageUpToDate(source, thumb, 161, 0));
  EXPECT_FALSE(GraphicsUtils::IsThumbnailImageUpToDate(source, text, 160, 0));  // no size to match
  SetModified(source, 2021);  // the same time is not newer
  EXPECT_FALSE(GraphicsUtils::IsThumbnailImageUpToDate(source, thumb, 160, 0));
  SetModified(source, 2022);
  EXPECT_FALSE(GraphicsUtils::IsThumbnailImageUpToDate(source, thumb, 160, 0));
  EXPECT_EQ(log.Lines(), "");
  EXPECT_FALSE(GraphicsUtils::IsThumbnailImageUpToDate(source, thumb, 160, 120));
  EXPECT_FALSE(GraphicsUtils::IsThumbnailImageUpToDate(source, CString(), 160, 0));
  EXPECT_FALSE(GraphicsUtils::IsThumbnailImageUpToDate(source, dir.Path("gone.jpg"), 160, 0));
  EXPECT_FALSE(GraphicsUtils::IsThumbnailImageUpToDate(CString(thumb).MakeUpper(), thumb, 160, 0));
  EXPECT_FALSE(GraphicsUtils::IsThumbnailImageUpToDate(dir.Path("gone.png"), thumb, 160, 0));
  const std::string a = "{D744C93F-A0F9-4709-8F0A-B709D0775625}", b = "{1EC10526-DE54-4856-98B4-938CDBC2A2DD}",
                    c = "{300E5550-6A9B-404E-8396-997F013FCB6F}";
  EXPECT_EQ(log.Lines(), a + "|" + b + "|" + b + "|" + c + "|" + c);
}

}  // namespace
