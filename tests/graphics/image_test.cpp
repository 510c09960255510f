// The choices behind image files, thumbnails and the image holder: formats,
// the order of the checks with their messages and log lines (over recorded
// steps), thumbnail sizes, copy reuse and the border geometry.
#include <gtest/gtest.h>

#include <AppLogger.h>

#include <climits>
#include <cmath>
#include <filesystem>
#include <fstream>
#include <limits>
#include <string>
#include <vector>

#include "ImagePlan.h"

namespace {

using namespace qor::img;
namespace fs = std::filesystem;

const float kNaN = std::numeric_limits<float>::quiet_NaN();

// The application log, pointed at a temporary file for the life of the object.
class LogCapture {
 public:
  LogCapture() : m_path(fs::temp_directory_path() / "qor_image_test.log"), m_log(CString(m_path.string().c_str())) {
    AppLogger::m_pInstance = &m_log;
  }
  ~LogCapture() {
    AppLogger::m_pInstance = nullptr;
    std::error_code ec;
    fs::remove(m_path, ec);
  }
  // All lines so far, joined by "|".
  std::string Lines() const {
    std::string s;
    for (const CString& line : m_log.GetLines()) s += (s.empty() ? "" : "|") + line.str();
    return s;
  }

 private:
  fs::path m_path;
  AppLogger m_log;
};

// A folder of its own under the temporary folder, removed afterwards.
class TempFolder {
 public:
  TempFolder() : m_path(fs::temp_directory_path() / ("qor_image_" + std::to_string(::testing::UnitTest::GetInstance()->random_seed()) + "_" + ::testing::UnitTest::GetInstance()->current_test_info()->name())) {
    fs::create_directories(m_path);
  }
  ~TempFolder() {
    std::error_code ec;
    fs::remove_all(m_path, ec);
  }
  CString Path(const char* pszName) const { return CString((m_path / pszName).string().c_str()); }
  CString MakeFile(const char* pszName) const {
    std::ofstream(m_path / pszName) << "x";
    return Path(pszName);
  }

 private:
  fs::path m_path;
};

TEST(ImageFormat, ExtensionsNameTheirEncoder) {
  struct Case {
    const char* ext;
    const wchar_t* mime;  // null: not written
    const char* missing;
  };
  const Case cases[] = {
      {"jpg", L"image/jpeg", "The image cannot be saved in the requested format: JPEG."},
      {"JPEG", L"image/jpeg", "The image cannot be saved in the requested format: JPEG."},
      {"gif", L"image/gif", "The image cannot be saved in the requested format: Gif."},
      {"Tif", L"image/tiff", "The image cannot be saved in the requested format: TIFF."},
      {"tiff", L"image/tiff", "The image cannot be saved in the requested format: TIFF."},
      {"PNG", L"image/png", "The image cannot be saved in the requested format: png."},
      {"bmp", L"image/bmp", "The image cannot be saved in the requested format: bmp."},
      {"exif", nullptr, nullptr}, {"emf", nullptr, nullptr}, {"jp", nullptr, nullptr},
      {"", nullptr, nullptr},     {"pngx", nullptr, nullptr},
  };
  for (const Case& c : cases) {
    const ImageFormat* p = FindImageFormat(CString(c.ext));
    if (c.mime == nullptr) {
      EXPECT_EQ(p, nullptr) << c.ext;
      continue;
    }
    ASSERT_NE(p, nullptr) << c.ext;
    EXPECT_STREQ(p->pszMime, c.mime) << c.ext;
    EXPECT_STREQ(p->pszMissingEncoder, c.missing) << c.ext;
  }
}

// Clipboard saves -------------------------------------------------------------

struct FakeClipboard : ClipboardSaveSteps {
  bool bHas = true;
  Taking taking = Taken;
  bool bImage = true, bEncoder = true, bSave = true;
  const char* pszReplaceError = "";
  std::string calls;
  std::wstring mime;

  bool HasBitmap() override {
    calls += "has ";
    return bHas;
  }
  Taking TakeBitmap() override {
    calls += "take ";
    return taking;
  }
  bool MakeImage() override {
    calls += "image ";
    return bImage;
  }
  bool FindEncoder(const wchar_t* pszMime) override {
    calls += "encoder ";
    mime = pszMime;
    return bEncoder;
  }
  bool Save(const CString& strPath, CString& strLogText, CString& strReplaceError) override {
    calls += "save:" + strPath.str();
    if (!bSave) {
      strLogText = "Access is denied";
      strReplaceError = pszReplaceError;
    }
    return bSave;
  }
};

TEST(SaveClipboardImage, ChecksInOrderWithTheirMessagesAndLines) {
  struct Case {
    const char* what;
    void (*setup)(FakeClipboard&);
    const char* path;
    const char* message;
    const char* log;
    const char* calls;
  };
  const Case cases[] = {
      {"saved", [](FakeClipboard&) {}, "c:\\a\\b.PNG", "", "", "has take image encoder save:c:\\a\\b.PNG"},
      {"empty path", [](FakeClipboard&) {}, "", "Not a valid file name into which the image can be saved.",
       "{B38B6418-5568-4933-A48F-78154821180C}", ""},
      {"no bitmap", [](FakeClipboard& f) { f.bHas = false; }, "c:\\a\\b.png",
       "The Windows Clipboard does not contain a recognized image.", "{EC7F9F17-1870-4EAF-86AD-B11728D54D58}",
       "has "},
      {"busy", [](FakeClipboard& f) { f.taking = ClipboardSaveSteps::CannotOpen; }, "c:\\a\\b.png",
       "Unable to retrieve the image. The Windows Clipboard could not be opened.",
       "{CF23AC75-40F0-40CC-8E18-855C4F7AE1F3}", "has take "},
      {"no handle", [](FakeClipboard& f) { f.taking = ClipboardSaveSteps::NoBitmap; }, "c:\\a\\b.png",
       "The image on the Windows Clipboard is not a valid one.", "{A4189044-5524-4428-B94C-AFA49DD1815D}",
       "has take "},
      {"no image", [](FakeClipboard& f) { f.bImage = false; }, "c:\\a\\b.png",
       "Unable to load the image on the Windows Clipboard.", "{9F3C7EE5-F5B8-4B2A-A3DC-30DDA7CFDFD5}",
       "has take image "},
      {"unknown extension", [](FakeClipboard&) {}, "c:\\a\\b.pdf",
       "Not a recognized file extension into which the image can be saved.", "", "has take image "},
      {"no extension", [](FakeClipboard&) {}, "c:\\a.png\\b",
       "Not a recognized file extension into which the image can be saved.", "", "has take image "},
      {"no encoder", [](FakeClipboard& f) { f.bEncoder = false; }, "b.tiff",
       "The image cannot be saved in the requested format: TIFF.", "", "has take image encoder "},
      {"not written", [](FakeClipboard& f) { f.bSave = false; }, "c:\\a\\b.gif",
       "Unable to save the image to the disk drive.", "{DAC9CE88-D938-4846-8F99-375EE5960572}Access is denied",
       "has take image encoder save:c:\\a\\b.gif"},
      {"not replaced",
       [](FakeClipboard& f) {
         f.bSave = false;
         f.pszReplaceError = "The file is in use";
       },
       "c:\\a\\b.jpeg", "Unable to save the image to the disk drive.The file is in use",
       "{DAC9CE88-D938-4846-8F99-375EE5960572}Access is denied", "has take image encoder save:c:\\a\\b.jpeg"},
  };
  for (const Case& c : cases) {
    LogCapture log;
    FakeClipboard fake;
    c.setup(fake);
    EXPECT_EQ(SaveClipboardImage(fake, CString(c.path)).str(), c.message) << c.what;
    EXPECT_EQ(log.Lines(), c.log) << c.what;
    EXPECT_EQ(fake.calls, c.calls) << c.what;
  }
  FakeClipboard fake;
  SaveClipboardImage(fake, CString("x\\y.JPG"));
  EXPECT_EQ(fake.mime, L"image/jpeg");
}

TEST(SaveClipboardImage, NothingIsLoggedWithoutALogger) {
  ASSERT_EQ(AppLogger::m_pInstance, nullptr);
  FakeClipboard fake;
  fake.bHas = false;
  EXPECT_EQ(SaveClipboardImage(fake, CString("a\\b.png")).str(), "The Windows Clipboard does not contain a recognized image.");
}

// Thumbnails --------------------------------------------------------------------

TEST(ThumbnailSize, FollowsTheSourceAspectWithinTheBound) {
  struct Case {
    int sw, sh, w, h;
    bool ok;
    int tw, th;
  };
  const Case cases[] = {
      {800, 600, 160, 0, true, 160, 120},
      {800, 600, 0, 90, true, 120, 90},
      {600, 800, 160, 0, true, 160, 213},
      {600, 800, 0, 160, true, 120, 160},
      {800, 600, 160, -5, true, 160, 120},       // a negative side counts as missing
      {800, 600, 30000, 0, true, 30000, 22500},  // width 33333 at the bound's height is cut to the request
      {600, 800, 0, 30000, true, 22500, 30000},
      {800, 600, INT_MAX, 0, true, 33333, 25000},  // the bound decides
      {100, 10000, 160, 0, true, 160, 16000},
      {1, 1000000, 160, 0, true, 0, 25000},        // too narrow for a whole column at the bound
      {2000000000, 1, 160, 0, true, 160, 0},       // too flat for a whole row
      {800, 0, 160, 0, false, 0, 0},               // a height of 0 never divides
      {0, 600, 160, 0, false, 0, 0},
      {-800, 600, 160, 0, false, 0, 0},
  };
  for (const Case& c : cases) {
    int tw = -1, th = -1;
    EXPECT_EQ(ThumbnailSize(c.sw, c.sh, c.w, c.h, tw, th), c.ok) << c.sw << "x" << c.sh << " " << c.w << "," << c.h;
    EXPECT_EQ(tw, c.tw) << c.sw << "x" << c.sh << " " << c.w << "," << c.h;
    EXPECT_EQ(th, c.th) << c.sw << "x" << c.sh << " " << c.w << "," << c.h;
  }
}

TEST(ThumbnailSize, RequestsDrawablesAndMatches) {
  EXPECT_TRUE(IsThumbnailRequest(160, 0));
  EXPECT_TRUE(IsThumbnailRequest(-1, 90));
  EXPECT_FALSE(IsThumbnailRequest(160, 90));
  EXPECT_FALSE(IsThumbnailRequest(0, 0));
  EXPECT_FALSE(IsThumbnailRequest(-3, -4));

  EXPECT_TRUE(IsThumbnailDrawable(1, 1));
  EXPECT_TRUE(IsThumbnailDrawable(10000, 10000));  // exactly the most pixels
  EXPECT_FALSE(IsThumbnailDrawable(10000, 10001));
  EXPECT_FALSE(IsThumbnailDrawable(INT_MAX, INT_MAX));
  EXPECT_FALSE(IsThumbnailDrawable(160, 0));
  EXPECT_FALSE(IsThumbnailDrawable(-160, 120));

  struct Case {
    int w, h, tw, th;
    bool match;
  };
  const Case cases[] = {
      {160, 0, 160, 120, true},  {160, 0, 161, 120, false}, {0, 90, 120, 90, true},  {0, 90, 90, 120, false},
      {160, -1, 160, 0, true},   {0, 90, 0, 90, true},      {0, 90, 90, 0, false},   {160, 0, 0, 0, false},
  };
  for (const Case& c : cases)
    EXPECT_EQ(ThumbnailSizeMatches(c.w, c.h, c.tw, c.th), c.match) << c.w << "," << c.h << " " << c.tw << "x" << c.th;
}

struct FakeThumbnail : ThumbnailSteps {
  int sw = 800, sh = 600;
  bool bLoad = true, bEncoder = true, bDraw = true;
  int nStatus = 0;
  std::string calls;

  void GetImageSize(const CString&, int& w, int& h) override {
    calls += "size ";
    w = sw;
    h = sh;
  }
  bool LoadSource(const CString&) override {
    calls += "load ";
    return bLoad;
  }
  bool FindEncoder(const wchar_t* pszMime) override {
    calls += "encoder:" + CString(pszMime).str() + " ";
    return bEncoder;
  }
  bool Draw(int w, int h) override {
    calls += "draw:" + std::to_string(w) + "x" + std::to_string(h) + " ";
    return bDraw;
  }
  int Save(const CString&) override {
    calls += "save";
    return nStatus;
  }
};

TEST(MakeThumbnail, ChecksInOrderWithTheirMessagesAndLines) {
  TempFolder dir;
  const CString src = dir.MakeFile("photo.jpg");
  const CString png = dir.Path("thumb.png");
  const CString existing = dir.MakeFile("old.dat");
  struct Case {
    const char* what;
    void (*setup)(FakeThumbnail&);
    CString source, target;
    int w, h;
    const char* message;
    const char* log;
    const char* calls;
  };
  auto none = [](FakeThumbnail&) {};
  const char* kBadPath = "Thumbnail image file path is not valid.";
  const char* kBadPathLine = "{19B78630-EAD0-428F-9265-10875A9C602B}";
  const char* kNoLoad = "Unable to load source image file.";
  const char* kNoLoadLine = "{618FE2C4-D8CE-49AA-AF21-686EA69B0B6C}";
  const char* kNoSave = "Unable to save the thumbnail image file.";
  const Case cases[] = {
      {"made", none, src, png, 160, 0, "", "", "size load encoder:image/png draw:160x120 save"},
      {"by height", none, src, dir.Path("t.JPG"), 0, 90, "", "", "size load encoder:image/jpeg draw:120x90 save"},
      {"both sizes", none, src, png, 160, 90, "Invalid thumbnail image size specified.",
       "{A43F82FA-DF2E-471A-AB34-6FE3B094DB9F}", ""},
      {"no size", none, src, png, 0, 0, "Invalid thumbnail image size specified.",
       "{A43F82FA-DF2E-471A-AB34-6FE3B094DB9F}", ""},
      {"empty target", none, src, CString(), 160, 0, kBadPath, kBadPathLine, ""},
      {"no folder", none, src, CString("thumb.png"), 160, 0, kBadPath, kBadPathLine, ""},
      {"no extension", none, src, dir.Path("thumb"), 160, 0, kBadPath, kBadPathLine, ""},
      {"a folder", none, src, dir.Path(""), 160, 0, kBadPath, kBadPathLine, ""},
      {"bad name", none, src, dir.Path("a?b.png"), 160, 0, kBadPath, kBadPathLine, ""},
      {"same file", none, src, CString(src).MakeUpper(), 160, 0,
       "Source image file and thumbnail image file cannot be the same files.",
       "{B9AAEEC4-19CE-4294-8CE4-42CE2376844B}", ""},
      {"no source", none, dir.Path("gone.jpg"), png, 160, 0, "Image file does not exist.",
       "{009A647F-287E-4C29-8F3E-5B448B8E3B33}", ""},
      {"height 0", [](FakeThumbnail& f) { f.sh = 0; }, src, png, 160, 0, kNoLoad, kNoLoadLine, "size "},
      {"unreadable", [](FakeThumbnail& f) { f.sw = f.sh = 0; }, src, png, 160, 0, kNoLoad, kNoLoadLine, "size "},
      {"not decoded", [](FakeThumbnail& f) { f.bLoad = false; }, src, png, 160, 0, kNoLoad, kNoLoadLine,
       "size load "},
      {"unknown extension", none, src, existing, 160, 0,
       "Unable to save the thumbnail image, because the file extension was not recognized.",
       "{180F2298-5254-427F-9D71-F8FBB48E848A}", "size load "},
      {"not drawn", [](FakeThumbnail& f) { f.bDraw = false; }, src, png, 160, 0,
       "Unable to create the thumbnail image.", "{371DD740-DC25-4018-8E4C-235D5447CD77}",
       "size load encoder:image/png draw:160x120 "},
      {"too large", none, src, png, 30000, 0, "Unable to create the thumbnail image.",
       "{371DD740-DC25-4018-8E4C-235D5447CD77}", "size load encoder:image/png "},
      {"too flat", [](FakeThumbnail& f) { f.sw = 100000; f.sh = 1; }, src, png, 160, 0,
       "Unable to create the thumbnail image.", "{371DD740-DC25-4018-8E4C-235D5447CD77}",
       "size load encoder:image/png "},
      {"no encoder", [](FakeThumbnail& f) { f.bEncoder = false; }, src, dir.Path("t.bmp"), 160, 0, kNoSave,
       "{2FF3FA09-B859-457E-99C5-800E96559977}-13", "size load encoder:image/bmp draw:160x120 "},
      {"status 1", [](FakeThumbnail& f) { f.nStatus = 1; }, src, dir.Path("t.gif"), 160, 0, kNoSave,
       "{2FF3FA09-B859-457E-99C5-800E96559977}-1", "size load encoder:image/gif draw:160x120 save"},
      {"status 20", [](FakeThumbnail& f) { f.nStatus = 20; }, src, dir.Path("t.tif"), 160, 0, kNoSave,
       "{2FF3FA09-B859-457E-99C5-800E96559977}-20", "size load encoder:image/tiff draw:160x120 save"},
      {"status 21", [](FakeThumbnail& f) { f.nStatus = 21; }, src, png, 160, 0, kNoSave,
       "{342B7FD6-FED8-421E-A3C2-ADA9688B01FC}", "size load encoder:image/png draw:160x120 save"},
      {"status -1", [](FakeThumbnail& f) { f.nStatus = -1; }, src, png, 160, 0, kNoSave,
       "{342B7FD6-FED8-421E-A3C2-ADA9688B01FC}", "size load encoder:image/png draw:160x120 save"},
  };
  for (const Case& c : cases) {
    LogCapture log;
    FakeThumbnail fake;
    c.setup(fake);
    EXPECT_EQ(MakeThumbnail(fake, c.source, c.target, c.w, c.h).str(), c.message) << c.what;
    EXPECT_EQ(log.Lines(), c.log) << c.what;
    EXPECT_EQ(fake.calls, c.calls) << c.what;
  }
}

// The image holder's copies ------------------------------------------------------

TEST(ImageCopies, FrameWidthsAndCopyWidths) {
  struct Case {
    float f;
    bool ok;
    int n;
  };
  const Case cases[] = {
      {100.0f, true, 100}, {100.5f, true, 100}, {0.5f, true, 0},       {-3.7f, true, -3},  {0.0f, false, 0},
      {-0.0f, false, 0},   {kNaN, false, 0},    {INFINITY, false, 0},  {3e9f, false, 0},   {-3e9f, false, 0},
  };
  for (const Case& c : cases) {
    int n = 0;
    EXPECT_EQ(FrameCopyWidth(c.f, n), c.ok) << c.f;
    EXPECT_EQ(n, c.n) << c.f;
  }
  // Rotations 1, 3, 5 and 7 turn the image on its side.
  const int want[] = {100, 50, 100, 50, 100, 50, 100, 50};
  for (int r = 0; r < 8; ++r) EXPECT_EQ(CopyWidthFor(r, 100.9f, 50.2f), want[r]) << r;
  EXPECT_EQ(CopyWidthFor(1, 100.0f, kNaN), 0);
  EXPECT_EQ(CopyWidthFor(0, 1e20f, 50.0f), 0);
}

TEST(ImageCopies, ReuseOnlyTheLoadedCopyAtTheFrameWidth) {
  struct Case {
    bool has, exists, loadedIsCopy, loaded;
    float loadedWidth, frame;
    CopyUse use;
  };
  const Case cases[] = {
      {true, true, true, true, 100.0f, 100.0f, CopyUse::Reuse},
      {true, true, true, true, 100.0f, 100.5f, CopyUse::Load},  // a fraction never matches the pixel width
      {true, true, true, false, 0.0f, 100.0f, CopyUse::Load},
      {true, true, false, true, 100.0f, 100.0f, CopyUse::Load},
      {true, true, true, true, 75.0f, 100.0f, CopyUse::Load},  // turned copy: its height is the width
      {true, false, true, true, 100.0f, 100.0f, CopyUse::Make},
      {false, false, false, true, 100.0f, 100.0f, CopyUse::Make},
  };
  for (const Case& c : cases)
    EXPECT_EQ(ChooseCopyUse(c.has, c.exists, c.loadedIsCopy, c.loaded, c.loadedWidth, c.frame), c.use)
        << c.has << c.exists << c.loadedIsCopy << c.loaded << " " << c.loadedWidth << " " << c.frame;

  EXPECT_EQ(TempCopyPath(CString("C:\\t\\"), 4294967295u, CString("PNG")).str(), "C:\\t\\4294967295.PNG");
  EXPECT_EQ(TempCopyPath(CString("/tmp/"), 0u, CString("jpeg")).str(), "/tmp/0.jpeg");
}

// Borders ---------------------------------------------------------------------------

TEST(BorderPlan, LinesOutlinesAndImageRectangles) {
  const unsigned long kGrey = 0xFFA0A0A0, kDark = 0xFF696969, kLight = 0xFFE3E3E3, kWhite = 0xFFFFFFFF;
  // Frame (10, 10, 100, 50): right edge 110, bottom 60.
  const BorderLine sunken[] = {
      {kGrey, 10, 58, 10, 10},    {kGrey, 10, 10, 108, 10},   {kDark, 11, 57, 11, 11},     {kDark, 11, 11, 107, 11},
      {kLight, 11, 58, 108, 58},  {kLight, 108, 58, 108, 11}, {kWhite, 10, 59, 109, 59},   {kWhite, 109, 59, 109, 10},
  };
  const BorderLine raised[] = {
      {kLight, 10, 59, 10, 10},   {kLight, 10, 10, 109, 10},  {kWhite, 11, 58, 11, 11},   {kWhite, 11, 11, 108, 11},
      {kDark, 12, 58, 108, 58},   {kDark, 108, 58, 108, 12},  {kGrey, 11, 59, 109, 59},   {kGrey, 109, 59, 109, 11},
  };
  for (int type : {1, 2}) {
    const BorderPlan plan = PlanBorder(type, 10, 10, 100, 50);
    const BorderLine* want = type == 1 ? sunken : raised;
    ASSERT_EQ(plan.nLines, 8);
    EXPECT_FALSE(plan.bOutline);
    for (int i = 0; i < 8; ++i) {
      const BorderLine& l = plan.lines[i];
      EXPECT_EQ(l.argb, want[i].argb) << type << " line " << i;
      EXPECT_EQ(std::vector<float>({l.x1, l.y1, l.x2, l.y2}),
                std::vector<float>({want[i].x1, want[i].y1, want[i].x2, want[i].y2}))
          << type << " line " << i;
    }
    EXPECT_EQ(std::vector<float>({plan.fImageX, plan.fImageY, plan.fImageW, plan.fImageH}),
              std::vector<float>({12, 12, 96, 46}));
  }
  const unsigned long outline[] = {0xFF000000, kWhite, kDark, kLight, kGrey};
  for (int type = 3; type <= 7; ++type) {
    const BorderPlan plan = PlanBorder(type, 10, 10, 100, 50);
    EXPECT_EQ(plan.nLines, 0);
    EXPECT_TRUE(plan.bOutline);
    EXPECT_EQ(plan.argbOutline, outline[type - 3]) << type;
    EXPECT_EQ(std::vector<float>({plan.fImageX, plan.fImageY, plan.fImageW, plan.fImageH}),
              std::vector<float>({11, 11, 98, 48}));
  }
  for (int type : {0, 8, -1}) {
    const BorderPlan plan = PlanBorder(type, 10.5f, 10, 100, 50);
    EXPECT_EQ(plan.nLines, 0);
    EXPECT_FALSE(plan.bOutline);
    EXPECT_EQ(std::vector<float>({plan.fImageX, plan.fImageY, plan.fImageW, plan.fImageH}),
              std::vector<float>({10.5f, 10, 100, 50}));
  }
  const unsigned int dims[] = {0, 4, 4, 2, 2, 2, 2, 2, 0};
  for (int type = 0; type <= 8; ++type) EXPECT_EQ(BorderDims(type), dims[type]) << type;
  EXPECT_EQ(BorderDims(-1), 0u);
}

}  // namespace
