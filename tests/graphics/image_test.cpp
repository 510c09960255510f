// The choices behind image files, thumbnails and the image holder: formats and the checks of the two saves in
// order over recorded steps, thumbnail sizes, copy reuse and the border geometry.
#include <gtest/gtest.h>

#include <climits>
#include <cmath>
#include <filesystem>
#include <fstream>
#include <string>
#include <utility>

#include <AppLogger.h>

#include "ImagePlan.h"

namespace {

using namespace qor::img;
namespace fs = std::filesystem;

// Both saves' steps, recorded; each answers as its flag says.
struct Fake : ClipboardSaveSteps, ThumbnailSteps {
  bool bImage = true, bEncoder = true, bSave = true, bLoad = true, bDraw = true;
  Taking taking = Taken;
  int sw = 800, sh = 600, nStatus = 0;  // the source's size, the save's status
  std::string calls;
  bool Step(const std::string& s, bool b) { return calls += s + " ", b; }
  bool HasBitmap() override { return Step("has", true); }
  Taking TakeBitmap() override { return Step("take", true), taking; }
  bool MakeImage() override { return Step("image", bImage); }
  bool FindEncoder(const wchar_t* m) override { return Step(CString(m).str(), bEncoder); }
  bool Save(const CString&, CString& strLog, CString& s) override { return strLog = "denied", s = " in use", Step("save", bSave); }
  void GetImageSize(const CString&, int& w, int& h) override { Step("size", (w = sw, h = sh, true)); }
  bool LoadSource(const CString&) override { return Step("load", bLoad); }
  bool Draw(int w, int h) override { return Step(std::to_string(w) + "x" + std::to_string(h), bDraw); }
  int Save(const CString&) override { return Step("save", true), nStatus; }
};

// Rows with a requested size run MakeThumbnail, the others SaveClipboardImage.
TEST(ImageSaves, ChecksInOrder) {
  const fs::path dir = fs::temp_directory_path();
  std::ofstream(dir / "qor_photo.jpg") << "x";
  const CString src((dir / "qor_photo.jpg").string().c_str()), png((dir / "qor_t.png").string().c_str());
  const char *kFormat = "The image cannot be saved in the requested format: ",
             *kUnknown = "Not a recognized file extension into which the image can be saved.";
  void (*const kNoEncoder)(Fake&) = [](Fake& f) { f.bEncoder = false; };
  const char *kSave = "Unable to save the thumbnail image file.", *kStatus = "{2FF3FA09-B859-457E-99C5-800E96559977}-";
  const char *kLoad = "Unable to load source image file.", *kLoadLine = "{618FE2C4-D8CE-49AA-AF21-686EA69B0B6C}";
  const char *kDraw = "Unable to create the thumbnail image.", *kDrawLine = "{371DD740-DC25-4018-8E4C-235D5447CD77}";
  const struct { void (*setup)(Fake&); CString target; int w, h; std::string message, log, calls; } cases[] = {
      {[](Fake&) {}, CString("c:\\a\\b.PNG"), 0, 0, "", "", "has take image image/png save "},
      {[](Fake&) {}, CString(), 0, 0, "Not a valid file name into which the image can be saved.", "{B38B6418-5568-4933-A48F-78154821180C}", ""},
      {[](Fake&) {}, CString("b.pdf"), 0, 0, kUnknown, "", "has take image "},
      {[](Fake&) {}, CString("b"), 0, 0, kUnknown, "", "has take image "},
      {[](Fake& f) { f.taking = Fake::NoBitmap; }, CString("b.png"), 0, 0, "The image on the Windows Clipboard is not a valid one.", "{A4189044-5524-4428-B94C-AFA49DD1815D}", "has take "},
      {[](Fake& f) { f.bImage = false; }, CString("b.png"), 0, 0, "Unable to load the image on the Windows Clipboard.", "{9F3C7EE5-F5B8-4B2A-A3DC-30DDA7CFDFD5}", "has take image "},
      {kNoEncoder, CString("b.JPEG"), 0, 0, kFormat + std::string("JPEG."), "", "has take image image/jpeg "},
      {kNoEncoder, CString("b.Tif"), 0, 0, kFormat + std::string("TIFF."), "", "has take image image/tiff "},
      {kNoEncoder, CString("b.bmp"), 0, 0, kFormat + std::string("bmp."), "", "has take image image/bmp "},
      {[](Fake& f) { f.bSave = false; }, CString("b.gif"), 0, 0, "Unable to save the image to the disk drive. in use", "{DAC9CE88-D938-4846-8F99-375EE5960572}denied", "has take image image/gif save "},
      {[](Fake&) {}, png, 160, 0, "", "", "size load image/png 160x120 save "},
      {[](Fake& f) { f.sh = 0; }, png, 160, 0, kLoad, kLoadLine, "size "},
      {[](Fake& f) { f.bLoad = false; }, png, 160, 0, kLoad, kLoadLine, "size load "},
      {[](Fake& f) { f.bDraw = false; }, png, 0, 90, kDraw, kDrawLine, "size load image/png 120x90 "},
      {[](Fake& f) { f.sw = 100000, f.sh = 1; }, png, 160, 0, kDraw, kDrawLine, "size load image/png "},
      {kNoEncoder, png, 160, 0, kSave, kStatus + std::string("13"), "size load image/png 160x120 "},
      {[](Fake& f) { f.nStatus = 1; }, png, 160, 0, kSave, kStatus + std::string("1"), "size load image/png 160x120 save "},
      {[](Fake& f) { f.nStatus = 20; }, png, 160, 0, kSave, kStatus + std::string("20"), "size load image/png 160x120 save "},
      {[](Fake& f) { f.nStatus = 21; }, png, 160, 0, kSave, "{342B7FD6-FED8-421E-A3C2-ADA9688B01FC}", "size load image/png 160x120 save "},
  };
  for (const auto& c : cases) {
    AppLogger log{CString()};  // without a file the lines stay in memory
    AppLogger::m_pInstance = &log;
    Fake fake;
    c.setup(fake);
    const CString message = c.w || c.h ? MakeThumbnail(fake, src, c.target, c.w, c.h) : SaveClipboardImage(fake, c.target);
    std::string lines;
    for (const CString& line : log.GetLines()) lines += (lines.empty() ? "" : "|") + line.str();
    EXPECT_EQ(message.str() + " / " + lines + " / " + fake.calls, c.message + " / " + c.log + " / " + c.calls);
  }
  fs::remove(dir / "qor_photo.jpg");
}

TEST(ThumbnailSize, FollowsTheSourceAspectWithinTheBound) {
  const int cases[][7] = {
      // source, request, ok, thumbnail
      {800, 600, 160, 0, 1, 160, 120},   {800, 600, 0, 90, 1, 120, 90},     {600, 800, 160, 0, 1, 160, 213},
      {600, 800, 0, 160, 1, 120, 160},   {800, 600, 160, -5, 1, 160, 120},  {800, 600, 30000, 0, 1, 30000, 22500},
      {800, 600, INT_MAX, 0, 1, 33333, 25000}, {100, 10000, 160, 0, 1, 160, 16000}, {1, 1000000, 160, 0, 1, 0, 25000},
      {800, 0, 160, 0, 0, 0, 0},         {0, 600, 160, 0, 0, 0, 0},         {-800, 600, 160, 0, 0, 0, 0}};
  for (const auto& c : cases) {
    int w = -1, h = -1;
    const bool bOk = ThumbnailSize(c[0], c[1], c[2], c[3], w, h);
    EXPECT_TRUE(bOk == (c[4] != 0) && w == c[5] && h == c[6]) << c[0] << "x" << c[1] << " " << c[2] << "," << c[3];
  }
  EXPECT_TRUE(IsThumbnailRequest(-1, 90) && !IsThumbnailRequest(160, 90) && !IsThumbnailRequest(0, 0));
  EXPECT_TRUE(IsThumbnailDrawable(10000, 10000) && !IsThumbnailDrawable(10000, 10001) && !IsThumbnailDrawable(INT_MAX, INT_MAX));
  EXPECT_TRUE(ThumbnailSizeMatches(160, 0, 160, 99) && ThumbnailSizeMatches(0, 90, 5, 90) && !ThumbnailSizeMatches(0, 90, 90, 0));
}

TEST(ImageCopies, WidthsReuseAndNames) {
  const float kNaN = std::nanf("");
  const std::pair<float, int> frames[] = {{100.0f, 100}, {100.5f, 100}, {0.5f, 0}, {-3.7f, -3}, {0.0f, -1},
                                          {-0.0f, -1},   {kNaN, -1},    {INFINITY, -1}, {3e9f, -1}};  // -1: refused
  for (auto [fFrame, nWidth] : frames) {
    int n = -1;
    EXPECT_EQ(FrameCopyWidth(fFrame, n) ? n : -1, nWidth) << fFrame;
  }
  for (int r = 0; r < 8; ++r) EXPECT_EQ(CopyWidthFor(r, 100.9f, 50.2f), r % 2 ? 50 : 100) << r;
  EXPECT_EQ(CopyWidthFor(1, 100.0f, kNaN), 0);
  // Has a copy, it exists, it is the one loaded, an image is loaded; the loaded and the frame's width.
  const struct { bool b1, b2, b3, b4; float fLoaded, fFrame; CopyUse use; } uses[] = {
      {1, 1, 1, 1, 100, 100, CopyUse::Reuse}, {1, 1, 1, 1, 100, 100.5f, CopyUse::Load},  // a fraction never matches
      {1, 1, 1, 0, 0, 100, CopyUse::Load},    {1, 1, 0, 1, 100, 100, CopyUse::Load},
      {1, 0, 1, 1, 100, 100, CopyUse::Make},  {0, 0, 0, 1, 100, 100, CopyUse::Make}};
  for (const auto& u : uses) EXPECT_EQ(ChooseCopyUse(u.b1, u.b2, u.b3, u.b4, u.fLoaded, u.fFrame), u.use) << u.b1 << u.b2 << u.b3 << u.b4;
  EXPECT_EQ(TempCopyPath(CString("C:\\t\\"), 4294967295u, CString("PNG")).str(), "C:\\t\\4294967295.PNG");
}

TEST(BorderPlan, LinesOutlinesAndImageRectangles) {
  const unsigned long G = 0xFFA0A0A0, D = 0xFF696969, L = 0xFFE3E3E3, W = 0xFFFFFFFF;
  // Frame (10, 10, 100, 50): right edge 110, bottom 60.
  const BorderLine lines[2][8] = {
      {{G, 10, 58, 10, 10}, {G, 10, 10, 108, 10}, {D, 11, 57, 11, 11}, {D, 11, 11, 107, 11},
       {L, 11, 58, 108, 58}, {L, 108, 58, 108, 11}, {W, 10, 59, 109, 59}, {W, 109, 59, 109, 10}},
      {{L, 10, 59, 10, 10}, {L, 10, 10, 109, 10}, {W, 11, 58, 11, 11}, {W, 11, 11, 108, 11},
       {D, 12, 58, 108, 58}, {D, 108, 58, 108, 12}, {G, 11, 59, 109, 59}, {G, 109, 59, 109, 11}}};
  const unsigned long outline[] = {0, 0, 0, 0xFF000000, W, D, L, G, 0};
  const float inset[] = {0, 2, 2, 1, 1, 1, 1, 1, 0};
  for (int type = 0; type <= 8; ++type) {
    const BorderPlan p = PlanBorder(type, 10, 10, 100, 50);
    ASSERT_EQ(p.nLines, type == 1 || type == 2 ? 8 : 0) << type;
    for (int i = 0; i < p.nLines; ++i) {
      const BorderLine &l = p.lines[i], &w = lines[type - 1][i];
      EXPECT_TRUE(l.argb == w.argb && l.x1 == w.x1 && l.y1 == w.y1 && l.x2 == w.x2 && l.y2 == w.y2) << type << ":" << i;
    }
    EXPECT_EQ(p.bOutline ? p.argbOutline : 0, outline[type]) << type;
    const float i = inset[type];
    EXPECT_TRUE(p.fImageX == 10 + i && p.fImageY == 10 + i && p.fImageW == 100 - 2 * i && p.fImageH == 50 - 2 * i) << type;
    EXPECT_EQ(BorderDims(type), static_cast<unsigned int>(2 * i)) << type;
  }
}

}  // namespace
