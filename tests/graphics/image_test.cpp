// The choices behind image files, thumbnails and the image holder: formats and the checks of the two saves in
// order over recorded steps, thumbnail sizes, headers against the pixel limit, copy reuse and the border geometry.
#include <gtest/gtest.h>

#include <climits>
#include <cmath>
#include <filesystem>
#include <fstream>
#include <string>
#include <utility>

#include <AppLogger.h>

#include "ImageHeader.h"
#include "ImagePlan.h"

namespace {

using namespace qor::img;
namespace fs = std::filesystem;

// Both saves' steps, recorded; each answers as its flag says.
struct Fake : ClipboardSaveSteps, ThumbnailSteps {
  bool bImage = true, bEncoder = true, bSave = true, bLoad = true, bDraw = true, bSized = true;
  Taking taking = Taken;
  int sw = 800, sh = 600, nStatus = 0;  // the source's size, the save's status
  std::string calls;
  bool Step(const std::string& s, bool b) { return calls += s + " ", b; }
  bool HasBitmap() override { return Step("has", true); }
  Taking TakeBitmap() override { return Step("take", true), taking; }
  bool MakeImage() override { return Step("image", bImage); }
  bool FindEncoder(const wchar_t* m) override { return Step(CString(m).str(), bEncoder); }
  bool Save(const CString&, CString& strLog, CString& s) override { return strLog = "denied", s = " in use", Step("save", bSave); }
  bool ReadSize(const CString&, int& w, int& h) override { return Step("size", (w = sw, h = sh, bSized)); }
  bool LoadSource(const CString&, int w, int h) override { return Step("load" + std::to_string(w) + "x" + std::to_string(h), bLoad); }
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
      {[](Fake&) {}, png, 160, 0, "", "", "size load160x120 image/png 160x120 save "},
      {[](Fake& f) { f.bSized = false; }, png, 160, 0, kLoad, kLoadLine, "size "},  // above the limit: never decoded
      {[](Fake& f) { f.sh = 0; }, png, 160, 0, kLoad, kLoadLine, "size "},
      {[](Fake& f) { f.bLoad = false; }, png, 160, 0, kLoad, kLoadLine, "size load160x120 "},
      {[](Fake& f) { f.bDraw = false; }, png, 0, 90, kDraw, kDrawLine, "size load120x90 image/png 120x90 "},
      {[](Fake& f) { f.sw = 100000, f.sh = 1; }, png, 160, 0, kDraw, kDrawLine, "size load160x0 image/png "},
      {[](Fake& f) { f.sw = 9000, f.sh = 12000; }, png, 0, 9000, "", "", "size load6750x9000 image/png 6750x9000 save "},
      {kNoEncoder, png, 160, 0, kSave, kStatus + std::string("13"), "size load160x120 image/png 160x120 "},
      {[](Fake& f) { f.nStatus = 1; }, png, 160, 0, kSave, kStatus + std::string("1"), "size load160x120 image/png 160x120 save "},
      {[](Fake& f) { f.nStatus = 20; }, png, 160, 0, kSave, kStatus + std::string("20"), "size load160x120 image/png 160x120 save "},
      {[](Fake& f) { f.nStatus = 21; }, png, 160, 0, kSave, "{342B7FD6-FED8-421E-A3C2-ADA9688B01FC}", "size load160x120 image/png 160x120 save "},
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
  EXPECT_TRUE(IsThumbnailDrawable(1, 1) && IsThumbnailDrawable(12000, 9000) && IsThumbnailDrawable(INT_MAX, INT_MAX) &&
              !IsThumbnailDrawable(0, 5) && !IsThumbnailDrawable(5, 0));
  EXPECT_TRUE(ThumbnailSizeMatches(160, 0, 160, 99) && ThumbnailSizeMatches(0, 90, 5, 90) && !ThumbnailSizeMatches(0, 90, 90, 0));
}

// Headers as the formats lay them out: signatures, sizes in either byte order (N: v in n bytes), what must follow.
std::string N(unsigned long long v, int n, bool be = false) { std::string s; while (n--) s += static_cast<char>(v >> 8 * (be ? n : s.size())); return s; }
std::string Chunk(const char* type, const std::string& data) { return N(data.size(), 4, true) + type + data + "crc!"; }
std::string Png(unsigned long w, unsigned long h, const std::string& tail = Chunk("IDAT", "z")) {
  return "\x89PNG\r\n\x1a\n" + Chunk("IHDR", N(w, 4, true) + N(h, 4, true) + std::string(5, 0)) + Chunk("tEXt", "a") + tail; }
std::string Jpeg(unsigned w, unsigned h, const std::string& tail = "\xFF\xDA" + N(3, 2, true) + "\x01x") {  // garbage, fill, RST0, SOF0
  return "\xFF\xD8\xFF\xE0" + N(4, 2, true) + "JFjunk\xFF\xFF\xD0\xFF\xC0" + N(11, 2, true) + "\x08" + N(h, 2, true) + N(w, 2, true) + std::string(6, 1) + tail; }
std::string Gif(unsigned w, unsigned h, unsigned fw, unsigned fh, const std::string& tail = "\x02\x01x") {  // a table, an extension, an image
  return "GIF89a" + N(w, 2) + N(h, 2) + N(0x80, 3) + std::string(6, 0) + "!\xF9" + N(2, 1) + "ab" + N(0x6301, 3) + "," + N(0, 4) + N(fw, 2) + N(fh, 2) + N(0, 1) + tail; }
std::string Bmp(unsigned long info, unsigned long w, unsigned long h, unsigned long bits = 54, size_t body = 24) {  // 8 bits a pixel, body at bits
  return ("BM" + N(0, 8) + N(bits, 4) + N(info, 4) + (info == 12 ? N(w, 2) + N(h, 2) : N(w, 4) + N(h, 4)) + N(0x80001, 4) + std::string(bits, 0)).substr(0, bits) + std::string(body, 0); }
std::string Tiff(bool be, unsigned long w, unsigned long h, unsigned long strip = 46, int nStrips = 1) {  // width SHORT, length LONG
  return std::string(be ? "MM\0*" : "II*\0", 4) + N(8, 4, be) + N(3, 2, be) + N(256, 2, be) + N(3, 2, be) + N(1, 4, be) + N(w, 2, be) + N(0, 2) +
         N(257, 2, be) + N(4, 2, be) + N(1, 4, be) + N(h, 4, be) + N(273, 2, be) + N(4, 2, be) + N(nStrips, 4, be) + N(strip, 4, be) + "s"; }
std::string Icon(const std::string& image) { return N(0x10000, 4) + N(1, 2) + std::string(12, 0) + N(22, 4) + image; }

// Each format's sides at the ends of their bands, missing bodies, and the limit's boundary on each sound picture.
TEST(ImageHeader, SizesBodiesAndTheLimit) {
  using K = ImageKind;
  const unsigned long kMax = 0x7FFFFFFF;
  const struct { std::string bytes; K kind; long long w, h; unsigned long long nPixels; } cases[] = {  // nPixels 0: unsound
      {Png(1, 1), K::Png, 1, 1, 1}, {Png(kMax, 1), K::Png, kMax, 1, kMax}, {Png(1, kMax), K::Png, 1, kMax, kMax}, {Png(0, 5), K::Png, 0, 5, 0},
      {Png(kMax + 1, 1), K::Png, 0, 0, 0}, {Png(4, 4, Chunk("IEND", "")), K::Png, 0, 0, 0}, {Png(4, 4, Chunk("IDAT", "")), K::Png, 0, 0, 0},
      {Png(4, 4).substr(0, 30), K::Png, 0, 0, 0}, {Jpeg(65535, 65535), K::Jpeg, 65535, 65535, 4294836225ull}, {Jpeg(3, 1), K::Jpeg, 3, 1, 3},
      {Jpeg(3, 0), K::Jpeg, 0, 0, 0}, {Jpeg(3, 2, "\xFF\xD9"), K::Jpeg, 0, 0, 0}, {Jpeg(3, 2, "\xFF\xDA" + N(3, 2, true) + "\x01"), K::Jpeg, 0, 0, 0},
      {Jpeg(3, 2).substr(0, 20), K::Jpeg, 0, 0, 0}, {Gif(10, 10, 20, 30), K::Gif, 10, 10, 600}, {Gif(65535, 1, 1, 1), K::Gif, 65535, 1, 65535},
      {Gif(0, 10, 2, 2), K::Gif, 0, 0, 0}, {Gif(10, 10, 0, 3), K::Gif, 0, 0, 0}, {Gif(10, 10, 2, 2, "\x02"), K::Gif, 0, 0, 0},
      {Gif(9, 9, 2, 2).substr(0, 30), K::Gif, 0, 0, 0}, {Bmp(40, 7, 0xFFFFFFFD), K::Bmp, 7, 3, 21}, {Bmp(124, 7, 3, 54, 23), K::Bmp, 0, 0, 0},
      {Bmp(12, 65535, 2, 54, 131072), K::Bmp, 65535, 2, 131070}, {Bmp(12, 65535, 2, 54, 131071), K::Bmp, 0, 0, 0},  // rows of 8 and 65536 bytes
      {Bmp(40, 0x80000000, 3), K::Bmp, 0, 0, 0}, {Bmp(40, 7, 0x80000000), K::Bmp, 0, 0, 0}, {Bmp(40, 7, 0), K::Bmp, 0, 0, 0},
      {Bmp(40, 7, 3, 60, 0), K::Bmp, 0, 0, 0}, {Bmp(16, 7, 3), K::Bmp, 0, 0, 0}, {Tiff(false, 5, kMax), K::Tiff, 5, kMax, 5ull * kMax},
      {Tiff(true, 65535, 1), K::Tiff, 65535, 1, 65535}, {Tiff(true, 5, kMax + 1), K::Tiff, 0, 0, 0}, {Tiff(false, 5, 6, 47), K::Tiff, 0, 0, 0},
      {Tiff(false, 5, 6, 34, 2), K::Tiff, 0, 0, 0}, {Tiff(false, 5, 6, 30, 2), K::Tiff, 5, 6, 30},  // two strips listed at 34 (the first at 262417) or 30 (at 6)
      {Icon(Png(300, 200).substr(0, 24)), K::Icon, 300, 200, 60000}, {Icon(N(40, 4) + N(32, 4) + N(64, 4)), K::Icon, 32, 32, 1024},
      {Icon(N(40, 4) + N(32, 4) + N(0, 4)), K::Icon, 0, 0, 0}, {N(0x10000, 4) + N(0, 2), K::Icon, 0, 0, 0},
      {N(1, 4) + std::string(36, 0) + " EMF", K::Metafile, 0, 0, 0}, {"\xD7\xCD\xC6\x9A", K::Metafile, 0, 0, 0},
      {N(1, 4) + std::string(36, 0) + " WMF", K::Unknown, 0, 0, 0}, {"BZ", K::Unknown, 0, 0, 0}, {"", K::Unknown, 0, 0, 0}};
  for (const auto& c : cases) {
    MemoryBytes file(c.bytes.data(), c.bytes.size());
    const ImageHeader h = ReadImageHeader(file);
    const bool bSound = c.nPixels > 0 || c.kind == K::Metafile;
    EXPECT_TRUE(h.kind == c.kind && h.bSound == bSound && h.nPixels == c.nPixels && (!c.nPixels || (h.nWidth == c.w && h.nHeight == c.h))) << c.w << "x" << c.h;
    const SourceCheck atLimit = CheckSource(h, c.nPixels), below = CheckSource(h, c.nPixels - 1);  // below 0: the largest limit
    EXPECT_TRUE(bSound ? atLimit == SourceCheck::Decode && below == (c.nPixels ? SourceCheck::TooLarge : atLimit) : below == SourceCheck::Unreadable) << c.h;
  }
  // Reductions by eighths that still cover the request, the reduced side rounded up.
  EXPECT_TRUE(ReducedScale(1000, 800, 125, 100) == 8 && ReducedScale(1000, 800, 126, 100) == 4 && ReducedScale(1001, 8, 126, 1) == 8 &&
              ReducedScale(1000, 800, 500, 400) == 2 && ReducedScale(1000, 800, 501, 1) == 1 && ReducedScale(INT_MAX, 9, 160, 3) == 4);
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
