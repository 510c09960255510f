// The image holder on real files: border pixels, one copy per drawing width,
// rotation, sources drawn without a copy, names never reused, copies and
// assignment, and a temporary folder left empty.
#include <gtest/gtest.h>

#include <DirUtils.h>
#include <FileUtils.h>

#include <limits>
#include <random>

#include "ImageTestSupport.h"
#include "ImageWrapper.h"

namespace {

using namespace imgtest;

const COLORREF kGreen = RGB(0, 128, 0);  // the canvas, unlike every border colour

// The wrapper with its state in view.
class TestWrapper : public ImageWrapper {
 public:
  using ImageWrapper::GetBorderDims;
  int TNWidth() const { return m_nTNWidth; }
  int Rotation() const { return m_nRotateFlip; }
  CString LoadedFile() const { return m_strLoadedFile; }
  bool IsLoaded() const { return m_pImage != nullptr; }
  CSize LoadedSize() const {
    return m_pImage ? CSize(static_cast<int>(m_pImage->GetWidth()), static_cast<int>(m_pImage->GetHeight())) : CSize();
  }
  std::vector<CString> Copies() const {
    std::vector<CString> v;
    for (const auto& e : m_mapTNFiles) v.push_back(e.second);
    return v;
  }
  void Seed(unsigned int n) { m_random = RandomNumberGen(n); }
};

// A GDI+ surface filled with green, read back pixel by pixel.
class Surface {
 public:
  Surface(int w, int h) : m_bitmap(w, h, PixelFormat32bppARGB), m_graphics(&m_bitmap) {
    m_graphics.Clear(Gdiplus::Color(255, 0, 128, 0));
  }
  Gdiplus::Graphics& G() { return m_graphics; }
  COLORREF At(int x, int y) {
    m_graphics.Flush(Gdiplus::FlushIntentionSync);
    Gdiplus::Color c;
    m_bitmap.GetPixel(x, y, &c);
    return RGB(c.GetR(), c.GetG(), c.GetB());
  }
  bool Untouched() {
    for (UINT y = 0; y < m_bitmap.GetHeight(); ++y)
      for (UINT x = 0; x < m_bitmap.GetWidth(); ++x)
        if (At(static_cast<int>(x), static_cast<int>(y)) != kGreen) return false;
    return true;
  }
  bool Save(const CString& strPath) {
    CLSID clsid;
    return Encoders::GetEncoderClsid(L"image/png", &clsid) &&
           m_bitmap.Save(Wide(strPath).c_str(), &clsid, nullptr) == Gdiplus::Ok;
  }

 private:
  qor::GdiplusSession m_session;
  Gdiplus::Bitmap m_bitmap;
  Gdiplus::Graphics m_graphics;
};

// The folder for copies, beside the folder of sources.
struct Folders {
  TempFolder src;
  CString temp = src.Path("copies\\");
  Folders() { ::CreateDirectoryA(temp, nullptr); }
  std::set<std::string> Copies() const {
    std::set<std::string> names;
    for (const auto& e : fs::directory_iterator(temp.GetString())) names.insert(e.path().filename().string());
    return names;
  }
};

// An enhanced metafile of 80 x 40 units: red left half, blue right half.
void MakeEmf(const CString& strPath) {
  HDC hDC = ::CreateEnhMetaFileA(nullptr, strPath, nullptr, nullptr);
  ASSERT_NE(hDC, nullptr);
  FillHalves(hDC, 80, 40);
  ::DeleteEnhMetaFile(::CloseEnhMetaFile(hDC));
}

// A placeable Windows metafile of the same picture.
void MakeWmf(const CString& strPath) {
  HDC hDC = ::CreateMetaFileA(nullptr);
  ASSERT_NE(hDC, nullptr);
  ::SetWindowOrgEx(hDC, 0, 0, nullptr);
  ::SetWindowExtEx(hDC, 80, 40, nullptr);
  FillHalves(hDC, 80, 40);
  HMETAFILE hMeta = ::CloseMetaFile(hDC);
  std::string bits(::GetMetaFileBitsEx(hMeta, 0, nullptr), '\0');
  ::GetMetaFileBitsEx(hMeta, static_cast<UINT>(bits.size()), bits.data());
  ::DeleteMetaFile(hMeta);
  // Key, handle, bounding box, units per inch, reserved, checksum (the XOR
  // of the ten words before it).
  WORD header[11] = {0xCDD7, 0x9AC6, 0, 0, 0, 80, 40, 96, 0, 0, 0};
  for (int i = 0; i < 10; ++i) header[10] ^= header[i];
  WriteBytes(strPath, std::string(reinterpret_cast<const char*>(header), sizeof header) + bits);
}

TEST(ImageWrapper, BorderPixels) {
  Folders dir;
  const CString file = dir.src.Path("photo.png");
  ASSERT_TRUE(MakeImageFile(file, 200, 100));
  const COLORREF kGrey = RGB(0xA0, 0xA0, 0xA0), kDark = RGB(0x69, 0x69, 0x69), kLight = RGB(0xE3, 0xE3, 0xE3),
                 kWhite = RGB(255, 255, 255), kBlack = RGB(0, 0, 0);
  struct Probe {
    int x, y;
    COLORREF cr;
  };
  // Frame (10, 10, 100, 50): its last column is 110, its last row 60.
  const std::vector<Probe> sunken = {{10, 30, kGrey},  {60, 10, kGrey},  {11, 30, kDark},  {60, 11, kDark},
                                     {60, 58, kLight}, {108, 30, kLight}, {60, 59, kWhite}, {109, 30, kWhite},
                                     {14, 30, kRed},   {105, 30, kBlue},  {110, 30, kGreen}, {60, 60, kGreen}};
  const std::vector<Probe> raised = {{10, 30, kLight}, {60, 10, kLight}, {11, 30, kWhite}, {60, 11, kWhite},
                                     {60, 58, kDark},  {108, 30, kDark},  {60, 59, kGrey},  {109, 30, kGrey},
                                     {14, 30, kRed},   {105, 30, kBlue},  {110, 30, kGreen}, {60, 60, kGreen}};
  auto outline = [](COLORREF cr) {
    return std::vector<Probe>{{10, 10, cr},  {110, 10, cr}, {10, 60, cr},   {110, 60, cr},    {60, 10, cr},
                              {60, 60, cr},  {10, 35, cr},  {110, 35, cr},  {13, 13, kRed},   {107, 57, kBlue},
                              {9, 35, kGreen}, {111, 35, kGreen}, {60, 61, kGreen}};
  };
  const std::vector<Probe> none = {{11, 11, kRed}, {108, 58, kBlue}, {9, 30, kGreen}, {110, 30, kGreen}};
  const std::vector<Probe> probes[] = {none, sunken, raised, outline(kBlack), outline(kWhite), outline(kDark),
                                       outline(kLight), outline(kGrey), none};
  const unsigned int dims[] = {0, 4, 4, 2, 2, 2, 2, 2, 0};
  for (int type = 0; type <= 8; ++type) {
    TestWrapper w;
    w.SetTempDir(dir.temp);
    ASSERT_TRUE(w.SetImageFile(file, false));
    w.SetBorder(static_cast<ImageWrapper::BorderType>(type));
    EXPECT_EQ(w.GetBorderDims(), dims[type]) << type;
    Surface s(130, 80);
    w.DrawImage(s.G(), Gdiplus::RectF(10, 10, 100, 50));
    for (const Probe& p : probes[type]) EXPECT_EQ(s.At(p.x, p.y), p.cr) << "type " << type << " at " << p.x << "," << p.y;
  }
}

TEST(ImageWrapper, NothingIsDrawnForAnEmptyFrameOrAnUnreadableFile) {
  Folders dir;
  const CString file = dir.src.Path("photo.jpg");
  ASSERT_TRUE(MakeImageFile(file, 200, 100, L"image/jpeg"));
  WriteBytes(dir.src.Path("text.png"), "only text");
  TestWrapper w;
  w.SetTempDir(dir.temp);
  w.SetBorder(ImageWrapper::BlackBorder);
  ASSERT_TRUE(w.SetImageFile(file, false));
  Surface s(130, 80);
  w.DrawImage(s.G(), Gdiplus::RectF(10, 10, 0, 50));
  // Widths that no copy can have.
  w.DrawImage(s.G(), Gdiplus::RectF(10, 10, 1e30f, 50));
  w.DrawImage(s.G(), Gdiplus::RectF(10, 10, std::numeric_limits<float>::quiet_NaN(), 50));
  EXPECT_TRUE(s.Untouched());
  EXPECT_TRUE(dir.Copies().empty());
  EXPECT_EQ(w.TNWidth(), 0);

  // The file is only tested for its name and presence; what is in it shows
  // when it is drawn. The thumbnail writer's line comes first.
  LogScope log;
  EXPECT_TRUE(w.SetImageFile(dir.src.Path("text.png"), false));
  w.DrawImage(s.G(), Gdiplus::RectF(10, 10, 100, 50));
  EXPECT_FALSE(w.SetImageFile(dir.src.Path("missing.png"), false));
  w.DrawImage(s.G(), Gdiplus::RectF(10, 10, 100, 50));
  EXPECT_TRUE(s.Untouched());
  EXPECT_FALSE(w.IsLoaded());
  EXPECT_TRUE(dir.Copies().empty());
  const std::string line = "{32D8D5F3-65D0-4D41-ABF2-0F9D29651C32}";
  EXPECT_EQ(log.Lines(), "{618FE2C4-D8CE-49AA-AF21-686EA69B0B6C}|" + line +
                             "Unable to load source image file.|{009A647F-287E-4C29-8F3E-5B448B8E3B33}|" + line +
                             "Image file does not exist.");

  // An empty path draws nothing and drops what was loaded.
  ASSERT_TRUE(w.SetImageFile(file, false));
  w.DrawImage(s.G(), Gdiplus::RectF(10, 10, 100, 50));
  EXPECT_FALSE(s.Untouched());
  Surface s2(130, 80);
  EXPECT_TRUE(w.SetImageFile(CString(), false));
  w.DrawImage(s2.G(), Gdiplus::RectF(10, 10, 100, 50));
  EXPECT_TRUE(s2.Untouched());
  EXPECT_TRUE(dir.Copies().empty());
}

TEST(ImageWrapper, OneCopyPerDrawingWidth) {
  Folders dir;
  const CString file = dir.src.Path("photo.tif");
  ASSERT_TRUE(MakeImageFile(file, 400, 200, L"image/tiff"));
  TestWrapper w;
  w.SetTempDir(dir.temp);
  ASSERT_TRUE(w.SetImageFile(file, false));
  Surface s(200, 120);
  w.DrawImage(s.G(), Gdiplus::RectF(0, 0, 100, 50));
  ASSERT_EQ(w.Copies().size(), 1u);
  const CString first = w.Copies()[0];
  EXPECT_EQ(first.Left(dir.temp.GetLength()), dir.temp);
  EXPECT_EQ(first.Right(4), ".tif");
  EXPECT_EQ(SizeOf(first), CSize(100, 50));
  EXPECT_EQ(w.LoadedFile(), first);
  EXPECT_EQ(w.TNWidth(), 100);
  w.DrawImage(s.G(), Gdiplus::RectF(50, 50, 100, 60));
  EXPECT_EQ(w.Copies(), std::vector<CString>{first});
  EXPECT_EQ(dir.Copies().size(), 1u);
  w.DrawImage(s.G(), Gdiplus::RectF(0, 0, 100.5f, 50));  // the same width, truncated
  EXPECT_EQ(w.Copies(), std::vector<CString>{first});

  // Another width replaces the copy.
  w.DrawImage(s.G(), Gdiplus::RectF(0, 0, 120, 60));
  ASSERT_EQ(w.Copies().size(), 1u);
  const CString second = w.Copies()[0];
  EXPECT_NE(second, first);
  EXPECT_FALSE(FileUtils::DoesFileExist(first));
  EXPECT_EQ(SizeOf(second), CSize(120, 60));
  EXPECT_EQ(dir.Copies().size(), 1u);
  EXPECT_TRUE(Near(s.At(10, 30), kRed));
  EXPECT_TRUE(Near(s.At(110, 30), kBlue));

  // The same file in other letters keeps the copy unless forced.
  CString upper(file);
  upper.MakeUpper();
  EXPECT_TRUE(w.SetImageFile(upper, false));
  EXPECT_EQ(w.Copies(), std::vector<CString>{second});
  EXPECT_TRUE(w.SetImageFile(file, true));
  EXPECT_TRUE(w.Copies().empty());
  EXPECT_TRUE(dir.Copies().empty());
  w.DrawImage(s.G(), Gdiplus::RectF(0, 0, 120, 60));
  EXPECT_EQ(dir.Copies().size(), 1u);
  const CString other = dir.src.Path("other.png");
  ASSERT_TRUE(MakeImageFile(other, 50, 50));
  EXPECT_TRUE(w.SetImageFile(other, false));
  EXPECT_TRUE(dir.Copies().empty());
}

TEST(ImageWrapper, RotationBy90MakesTheCopyFromTheFrameHeight) {
  Folders dir;
  const CString file = dir.src.Path("photo.png");
  ASSERT_TRUE(MakeImageFile(file, 200, 100));
  TestWrapper w;
  w.SetTempDir(dir.temp);
  ASSERT_TRUE(w.SetImageFile(file, false));
  w.SetRotateFlip(Gdiplus::Rotate90FlipNone);
  Surface s(60, 110);
  w.DrawImage(s.G(), Gdiplus::RectF(0, 0, 50, 100));
  ASSERT_EQ(w.Copies().size(), 1u);
  EXPECT_EQ(SizeOf(w.Copies()[0]), CSize(100, 50));  // 100 wide: the frame's height
  EXPECT_EQ(w.LoadedSize(), CSize(50, 100));
  // Turned clockwise, the red left half is on top.
  EXPECT_TRUE(Near(s.At(25, 20), kRed));
  EXPECT_TRUE(Near(s.At(25, 80), kBlue));

  // A frame too tall for a copy is drawn from the source.
  {
    LogScope log;
    TestWrapper huge;
    huge.SetTempDir(dir.temp);
    huge.SetImageFile(file, false);
    huge.SetRotateFlip(Gdiplus::Rotate90FlipNone);
    Surface tall(60, 110);
    huge.DrawImage(tall.G(), Gdiplus::RectF(0, 0, 50, 1e9f));
    EXPECT_TRUE(huge.IsLoaded());
    EXPECT_EQ(huge.LoadedFile(), "");
    EXPECT_EQ(huge.LoadedSize(), CSize(100, 200));
    EXPECT_EQ(log.Lines(), "{371DD740-DC25-4018-8E4C-235D5447CD77}|{32D8D5F3-65D0-4D41-ABF2-0F9D29651C32}Unable to "
                           "create the thumbnail image.");
  }
  EXPECT_EQ(dir.Copies().size(), 1u);

  // A rotation set on a loaded image turns it once more.
  w.SetRotateFlip(Gdiplus::Rotate90FlipNone);
  EXPECT_EQ(w.LoadedSize(), CSize(100, 50));
  EXPECT_EQ(w.Rotation(), Gdiplus::Rotate90FlipNone);
}

TEST(ImageWrapper, MetafilesAndExifDrawFromTheSource) {
  Folders dir;
  MakeEmf(dir.src.Path("picture.emf"));
  MakeWmf(dir.src.Path("picture.wmf"));
  ASSERT_TRUE(MakeImageFile(dir.src.Path("picture.exif"), 80, 40, L"image/jpeg"));
  for (const char* name : {"picture.emf", "picture.wmf", "picture.exif"}) {
    LogScope log;
    TestWrapper w;
    w.SetTempDir(dir.temp);
    ASSERT_TRUE(w.SetImageFile(dir.src.Path(name), false)) << name;
    Surface s(100, 60);
    for (int i = 0; i < 2; ++i) w.DrawImage(s.G(), Gdiplus::RectF(0, 0, 80, 40));
    EXPECT_TRUE(w.IsLoaded()) << name;
    EXPECT_EQ(w.LoadedFile(), "") << name;
    EXPECT_TRUE(dir.Copies().empty()) << name;
    EXPECT_TRUE(Near(s.At(10, 20), kRed)) << name;
    EXPECT_TRUE(Near(s.At(70, 20), kBlue)) << name;
    const std::string line = "{180F2298-5254-427F-9D71-F8FBB48E848A}|{32D8D5F3-65D0-4D41-ABF2-0F9D29651C32}Unable "
                             "to save the thumbnail image, because the file extension was not recognized.";
    EXPECT_EQ(log.Lines(), line + "|" + line) << name;
  }
}

TEST(ImageWrapper, TakenNamesAreDrawnAgain) {
  Folders dir;
  const CString file = dir.src.Path("photo.png");
  ASSERT_TRUE(MakeImageFile(file, 200, 100));
  std::mt19937 sequence(7);
  const CString taken1 = dir.temp + std::to_string(sequence()).c_str() + ".png";
  const CString taken2 = dir.temp + std::to_string(sequence()).c_str() + ".png";
  const CString free = dir.temp + std::to_string(sequence()).c_str() + ".png";
  WriteBytes(taken1, "someone's file");
  WriteBytes(taken2, "another");
  TestWrapper w;
  w.Seed(7);
  w.SetTempDir(dir.temp);
  ASSERT_TRUE(w.SetImageFile(file, false));
  Surface s(120, 60);
  w.DrawImage(s.G(), Gdiplus::RectF(0, 0, 100, 50));
  EXPECT_EQ(w.Copies(), std::vector<CString>{free});
  EXPECT_EQ(ReadBytes(taken1), "someone's file");
  EXPECT_EQ(ReadBytes(taken2), "another");
  EXPECT_EQ(SizeOf(free), CSize(100, 50));
}

TEST(ImageWrapper, CopiesStartUnturnedAndAssignmentKeepsItsOwn) {
  Folders dir;
  const CString file = dir.src.Path("photo.png");
  ASSERT_TRUE(MakeImageFile(file, 200, 100));
  const unsigned int nSessions = qor::GdiplusSession::GetLiveCount();
  {
    TestWrapper a;
    a.SetTempDir(dir.temp);
    a.SetBorder(ImageWrapper::SunkenBorder);
    ASSERT_TRUE(a.SetImageFile(file, false));
    a.SetRotateFlip(Gdiplus::Rotate90FlipNone);
    Surface s(120, 120);
    a.DrawImage(s.G(), Gdiplus::RectF(0, 0, 50, 100));
    ASSERT_EQ(a.Copies().size(), 1u);
    {
      TestWrapper b(a);
      EXPECT_EQ(b.Rotation(), Gdiplus::RotateNoneFlipNone);
      EXPECT_EQ(b.GetBorderDims(), 4u);
      EXPECT_EQ(b.GetImageFile(), file);
      EXPECT_EQ(b.GetTempDir(), dir.temp);
      EXPECT_EQ(b.TNWidth(), 50);
      EXPECT_TRUE(b.Copies().empty());
      EXPECT_FALSE(b.IsLoaded());
      EXPECT_TRUE(b == a);
      b.DrawImage(s.G(), Gdiplus::RectF(0, 0, 50, 100));
      ASSERT_EQ(b.Copies().size(), 1u);
      EXPECT_EQ(SizeOf(b.Copies()[0]), CSize(50, 25));  // unturned: the frame's width
      EXPECT_EQ(dir.Copies().size(), 2u);
    }
    EXPECT_EQ(dir.Copies().size(), 1u);  // only the copy's own went with it
    EXPECT_TRUE(FileUtils::DoesFileExist(a.Copies()[0]));

    TestWrapper c;
    c.SetRotateFlip(Gdiplus::Rotate270FlipNone);
    c = a;
    EXPECT_EQ(c.Rotation(), Gdiplus::Rotate270FlipNone);
    EXPECT_EQ(c.GetImageFile(), file);
    EXPECT_EQ(c.TNWidth(), 50);
    a = c;
    EXPECT_FALSE(a.IsLoaded());
    EXPECT_EQ(a.Copies().size(), 1u);
    EXPECT_EQ(a.Rotation(), Gdiplus::Rotate90FlipNone);
    c.DrawImage(s.G(), Gdiplus::RectF(0, 0, 50, 100));
    EXPECT_EQ(dir.Copies().size(), 2u);
  }
  EXPECT_TRUE(dir.Copies().empty());  // destruction leaves no copy
  EXPECT_EQ(qor::GdiplusSession::GetLiveCount(), nSessions);
}

TEST(ImageWrapper, FilesSizesAndTheSystemFolder) {
  Folders dir;
  const CString file = dir.src.Path("photo.BMP");
  ASSERT_TRUE(MakeImageFile(file, 64, 32, L"image/bmp"));
  WriteBytes(dir.src.Path("doc.pdf"), "%PDF");
  TestWrapper w;
  EXPECT_EQ(w.GetWidth(), 0u);
  EXPECT_TRUE(w.SetImageFile(file, false));
  EXPECT_EQ(w.GetWidth(), 64u);
  EXPECT_EQ(w.GetHeight(), 32u);
  EXPECT_FALSE(w.SetImageFile(dir.src.Path("doc.pdf"), false));
  EXPECT_EQ(w.GetImageFile(), dir.src.Path("doc.pdf"));
  EXPECT_EQ(w.GetWidth(), 0u);
  EXPECT_FALSE(w.SetImageFile(dir.src.Path("gone.png"), false));
  EXPECT_FALSE(w.SetImageFile(dir.src.Path("noext"), false));

  // A temporary folder that does not exist gives way to the system's.
  EXPECT_TRUE(w.SetImageFile(file, false));
  w.SetTempDir(dir.src.Path("missing\\"));
  Surface s(80, 40);
  w.DrawImage(s.G(), Gdiplus::RectF(0, 0, 64, 32));
  ASSERT_EQ(w.Copies().size(), 1u);
  const CString copy = w.Copies()[0];
  EXPECT_EQ(copy.Left(DirUtils::GetTempDir().GetLength()), DirUtils::GetTempDir());
  EXPECT_TRUE(FileUtils::DoesFileExist(copy));
  EXPECT_FALSE(DirUtils::DoesDirExist(dir.src.Path("missing\\")));
  EXPECT_TRUE(w.SetImageFile(CString(), false));
  EXPECT_FALSE(FileUtils::DoesFileExist(copy));

  // The source itself goes to the clipboard.
  ClipboardOwner owner;
  CWinApp app("image tests");
  app.m_pMainWnd = &owner.Wnd();
  EXPECT_TRUE(w.SetImageFile(file, false));
  EXPECT_TRUE(w.CopyToClipboard());
  COLORREF cr = 0;
  EXPECT_EQ(ClipboardBitmap(60, 10, &cr), CSize(64, 32));
  EXPECT_EQ(cr, kBlue);
  app.m_pMainWnd = nullptr;
}

}  // namespace
