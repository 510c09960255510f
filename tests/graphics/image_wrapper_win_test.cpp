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

const COLORREF kGreen = RGB(0, 128, 0);  // the surface, unlike every border colour

// The holder with its state in view, its copies going to the test's folder.
struct Holder : ImageWrapper {
  Holder(const TempFolder& dir, const CString& strFile) {
    SetTempDir(dir.Path(""));
    EXPECT_TRUE(SetImageFile(strFile, false));
  }
  using ImageWrapper::GetBorderDims;
  CSize Loaded() const { return m_pImage ? CSize(m_pImage->GetWidth(), m_pImage->GetHeight()) : CSize(); }
  CString Copy() const { return m_mapTNFiles.size() == 1 ? m_mapTNFiles.begin()->second : CString(); }
  using ImageWrapper::m_nTNWidth;
  using ImageWrapper::m_nRotateFlip;
  using ImageWrapper::m_strLoadedFile;
  using ImageWrapper::m_mapTNFiles;
  using ImageWrapper::m_random;
};

// A GDI+ surface filled with green, read back pixel by pixel.
struct Surface {
  qor::GdiplusSession session;
  Gdiplus::Bitmap bitmap{130, 110, PixelFormat32bppARGB};
  Gdiplus::Graphics g{&bitmap};
  Surface() { g.Clear(Gdiplus::Color(255, 0, 128, 0)); }
  bool Is(int x, int y, COLORREF cr) {
    Gdiplus::Color c;
    bitmap.GetPixel(x, y, &c);
    return RGB(c.GetR(), c.GetG(), c.GetB()) == cr;
  }
  // Nothing drawn at the corners or the middle of any frame of the tests.
  bool Untouched() { return Is(0, 0, kGreen) && Is(10, 10, kGreen) && Is(60, 30, kGreen) && Is(110, 60, kGreen); }
};

TEST(ImageWrapper, BorderPixels) {
  TempFolder dir;
  ASSERT_TRUE(MakeImageFile(dir.Path("photo.png"), 200, 100));
  const COLORREF G = RGB(0xA0, 0xA0, 0xA0), D = RGB(0x69, 0x69, 0x69), L = RGB(0xE3, 0xE3, 0xE3),
                 W = RGB(255, 255, 255), K = RGB(0, 0, 0), R = kRed, B = kBlue, N = kGreen;
  // Frame (10, 10, 100, 50), last column 110 and row 60. Probes: the left,
  // top, inner left, inner top, inner bottom, inner right, bottom and right
  // lines, then inside the image and the surface just outside.
  const int probes[][2] = {{10, 30}, {40, 10}, {11, 30}, {40, 11}, {80, 58}, {108, 30}, {80, 59}, {109, 30},
                           {14, 14}, {105, 55}, {110, 30}, {80, 60}, {9, 30}};
  const COLORREF want[9][13] = {{R, R, R, R, B, B, B, B, R, B, N, N, N}, {G, G, D, D, L, L, W, W, R, B, N, N, N},
                                {L, L, W, W, D, D, G, G, R, B, N, N, N}, {K, K, R, R, B, B, N, N, R, B, K, K, N},
                                {W, W, R, R, B, B, N, N, R, B, W, W, N}, {D, D, R, R, B, B, N, N, R, B, D, D, N},
                                {L, L, R, R, B, B, N, N, R, B, L, L, N}, {G, G, R, R, B, B, N, N, R, B, G, G, N},
                                {R, R, R, R, B, B, B, B, R, B, N, N, N}};
  for (int type = 0; type <= 8; ++type) {
    Holder h(dir, dir.Path("photo.png"));
    h.SetBorder(static_cast<ImageWrapper::BorderType>(type));
    EXPECT_EQ(h.GetBorderDims(), type == 0 || type == 8 ? 0u : type <= 2 ? 4u : 2u);
    Surface s;
    h.DrawImage(s.g, Gdiplus::RectF(10, 10, 100, 50));
    for (int i = 0; i < 13; ++i)
      EXPECT_TRUE(s.Is(probes[i][0], probes[i][1], want[type][i])) << type << " at " << probes[i][0] << "," << probes[i][1];
  }
}

TEST(ImageWrapper, OneCopyPerDrawingWidthAndNothingForEmptyFramesOrBadFiles) {
  TempFolder dir;
  const CString file = dir.Path("photo.tif");
  ASSERT_TRUE(MakeImageFile(file, 400, 200, L"image/tiff"));
  Holder h(dir, file);
  Surface s;
  for (float w : {0.0f, 1e30f, std::numeric_limits<float>::quiet_NaN()}) h.DrawImage(s.g, Gdiplus::RectF(0, 0, w, 50));
  EXPECT_TRUE(s.Untouched());
  EXPECT_EQ(dir.Names().size(), 1u);
  h.DrawImage(s.g, Gdiplus::RectF(0, 0, 100, 50));
  const CString first = h.Copy();
  EXPECT_TRUE(first.Left(dir.Path("").GetLength()) == dir.Path("") && first.Right(4) == ".tif");
  EXPECT_EQ(SizeOf(first), CSize(100, 50));
  EXPECT_EQ(h.m_strLoadedFile, first);
  h.DrawImage(s.g, Gdiplus::RectF(50, 50, 100, 60));
  h.DrawImage(s.g, Gdiplus::RectF(0, 0, 100.5f, 50));  // the same width, truncated
  EXPECT_EQ(h.Copy(), first);
  EXPECT_EQ(dir.Names().size(), 2u);
  h.DrawImage(s.g, Gdiplus::RectF(0, 0, 120, 60));  // another width replaces the copy
  const CString second = h.Copy();
  EXPECT_TRUE(second != first && !FileUtils::DoesFileExist(first) && dir.Names().size() == 2u);
  EXPECT_EQ(SizeOf(second), CSize(120, 60));
  EXPECT_TRUE(s.Is(10, 30, kRed) && s.Is(110, 30, kBlue));
  // The same file in other letters keeps the copy unless forced; another file drops it.
  EXPECT_TRUE(h.SetImageFile(CString(file).MakeUpper(), false));
  EXPECT_EQ(h.Copy(), second);
  EXPECT_TRUE(h.SetImageFile(file, true));
  EXPECT_EQ(dir.Names().size(), 1u);
  h.DrawImage(s.g, Gdiplus::RectF(0, 0, 120, 60));
  EXPECT_EQ(dir.Names().size(), 2u);

  // Unreadable and missing files, and an empty path, draw nothing; the
  // thumbnail writer's line comes before the holder's.
  WriteBytes(dir.Path("text.png"), "only text");
  LogScope log;
  Surface s2;
  EXPECT_TRUE(h.SetImageFile(dir.Path("text.png"), false));  // only its name and presence count here
  h.DrawImage(s2.g, Gdiplus::RectF(0, 0, 120, 60));
  EXPECT_FALSE(h.SetImageFile(dir.Path("gone.png"), false));
  h.DrawImage(s2.g, Gdiplus::RectF(0, 0, 120, 60));
  EXPECT_TRUE(h.SetImageFile(file, false));
  h.DrawImage(s.g, Gdiplus::RectF(0, 0, 120, 60));
  EXPECT_TRUE(h.SetImageFile(CString(), false));
  h.DrawImage(s2.g, Gdiplus::RectF(0, 0, 120, 60));
  EXPECT_TRUE(s2.Untouched());
  EXPECT_EQ(dir.Names(), (std::set<std::string>{"photo.tif", "text.png"}));
  const std::string line = "{32D8D5F3-65D0-4D41-ABF2-0F9D29651C32}";
  EXPECT_EQ(log.Lines(), "{618FE2C4-D8CE-49AA-AF21-686EA69B0B6C}|" + line + "Unable to load source image file.|" +
                             "{009A647F-287E-4C29-8F3E-5B448B8E3B33}|" + line + "Image file does not exist.");
}

TEST(ImageWrapper, RotationBy90MakesTheCopyFromTheFrameHeight) {
  TempFolder dir;
  ASSERT_TRUE(MakeImageFile(dir.Path("photo.png"), 200, 100));
  Holder h(dir, dir.Path("photo.png"));
  h.SetRotateFlip(Gdiplus::Rotate90FlipNone);
  Surface s;
  h.DrawImage(s.g, Gdiplus::RectF(0, 0, 50, 100));
  EXPECT_EQ(SizeOf(h.Copy()), CSize(100, 50));  // 100 wide: the frame's height
  EXPECT_EQ(h.Loaded(), CSize(50, 100));
  EXPECT_TRUE(s.Is(25, 20, kRed) && s.Is(25, 80, kBlue));  // turned clockwise, red on top
  h.SetRotateFlip(Gdiplus::Rotate90FlipNone);  // turns the loaded image once more
  EXPECT_EQ(h.Loaded(), CSize(100, 50));
  // A frame too tall for any copy is drawn from the source.
  Holder tall(dir, dir.Path("photo.png"));
  tall.SetRotateFlip(Gdiplus::Rotate90FlipNone);
  tall.DrawImage(s.g, Gdiplus::RectF(0, 0, 50, 1e9f));
  EXPECT_TRUE(tall.Loaded() == CSize(100, 200) && tall.m_strLoadedFile.IsEmpty() && dir.Names().size() == 2u);
}

TEST(ImageWrapper, MetafilesAndExifDrawFromTheSource) {
  TempFolder dir;
  HDC hEmf = ::CreateEnhMetaFileA(nullptr, dir.Path("p.emf"), nullptr, nullptr);
  FillHalves(hEmf, 80, 40);
  ::DeleteEnhMetaFile(::CloseEnhMetaFile(hEmf));
  // A placeable Windows metafile: key, handle, box, units per inch, reserved
  // and the XOR of those ten words, then the records.
  HDC hWmf = ::CreateMetaFileA(nullptr);
  FillHalves(hWmf, 80, 40);
  HMETAFILE hMeta = ::CloseMetaFile(hWmf);
  std::string bits(::GetMetaFileBitsEx(hMeta, 0, nullptr), '\0');
  ::GetMetaFileBitsEx(hMeta, static_cast<UINT>(bits.size()), bits.data());
  ::DeleteMetaFile(hMeta);
  WORD header[11] = {0xCDD7, 0x9AC6, 0, 0, 0, 80, 40, 96, 0, 0, 0};
  for (int i = 0; i < 10; ++i) header[10] ^= header[i];
  WriteBytes(dir.Path("p.wmf"), std::string(reinterpret_cast<const char*>(header), sizeof header) + bits);
  ASSERT_TRUE(MakeImageFile(dir.Path("p.exif"), 80, 40, L"image/jpeg"));
  for (const char* name : {"p.emf", "p.wmf", "p.exif"}) {
    LogScope log;
    Holder h(dir, dir.Path(name));
    Surface s;
    for (int i = 0; i < 2; ++i) h.DrawImage(s.g, Gdiplus::RectF(0, 0, 80, 40));
    EXPECT_TRUE(h.m_strLoadedFile.IsEmpty() && h.Loaded() != CSize() && dir.Names().size() == 3u) << name;
    EXPECT_TRUE(Near(s.bitmap, 10, 20, kRed) && Near(s.bitmap, 70, 20, kBlue)) << name;
    const std::string line = "{180F2298-5254-427F-9D71-F8FBB48E848A}|{32D8D5F3-65D0-4D41-ABF2-0F9D29651C32}Unable "
                             "to save the thumbnail image, because the file extension was not recognized.";
    EXPECT_EQ(log.Lines(), line + "|" + line) << name;
  }
}

TEST(ImageWrapper, NamesCopiesAssignmentAndTheSystemFolder) {
  TempFolder dir;
  const CString file = dir.Path("photo.png");
  ASSERT_TRUE(MakeImageFile(file, 200, 100));
  const unsigned int nSessions = qor::GdiplusSession::GetLiveCount();
  std::mt19937 sequence(7);
  const CString taken = dir.Path(std::to_string(sequence()).c_str()) + ".png";
  const CString free = dir.Path(std::to_string(sequence()).c_str()) + ".png";
  WriteBytes(taken, "someone's file");
  {
    Surface s;
    Holder a(dir, file);
    a.m_random = RandomNumberGen(7);
    a.SetBorder(ImageWrapper::SunkenBorder);
    a.SetRotateFlip(Gdiplus::Rotate90FlipNone);
    a.DrawImage(s.g, Gdiplus::RectF(0, 0, 50, 100));
    EXPECT_TRUE(a.Copy() == free && ReadBytes(taken) == "someone's file");  // a taken name is drawn again
    {
      Holder b(a);
      EXPECT_TRUE(b.m_nRotateFlip == 0 && b.GetBorderDims() == 4 && b == a && b.GetTempDir() == dir.Path(""));
      EXPECT_TRUE(b.m_nTNWidth == 50 && b.m_mapTNFiles.empty() && b.Loaded() == CSize());
      b.DrawImage(s.g, Gdiplus::RectF(0, 0, 50, 100));
      EXPECT_EQ(SizeOf(b.Copy()), CSize(50, 25));  // unturned: the frame's width
      EXPECT_EQ(dir.Names().size(), 4u);
    }
    EXPECT_TRUE(dir.Names().size() == 3u && FileUtils::DoesFileExist(a.Copy()));  // b took only its own
    Holder c(dir, CString());
    c.SetRotateFlip(Gdiplus::Rotate270FlipNone);
    c = a;
    EXPECT_TRUE(c.m_nRotateFlip == Gdiplus::Rotate270FlipNone && c.GetImageFile() == file && c.m_nTNWidth == 50);
    a = c;
    EXPECT_TRUE(a.Loaded() == CSize() && a.Copy() == free && a.m_nRotateFlip == Gdiplus::Rotate90FlipNone);
    // A temporary folder that does not exist gives way to the system's.
    c.SetTempDir(dir.Path("missing\\"));
    c.DrawImage(s.g, Gdiplus::RectF(0, 0, 50, 100));
    EXPECT_EQ(c.Copy().Left(DirUtils::GetTempDir().GetLength()), DirUtils::GetTempDir());
    EXPECT_TRUE(c.GetWidth() == 200 && c.GetHeight() == 100);
    EXPECT_FALSE(c.SetImageFile(dir.Path("doc.pdf"), false) || c.SetImageFile(dir.Path("gone.png"), false));
    EXPECT_TRUE(c.GetImageFile() == dir.Path("gone.png") && c.GetWidth() == 0);
    ClipboardOwner owner;
    CWinApp app("image tests");
    app.m_pMainWnd = &owner;
    EXPECT_TRUE(a.CopyToClipboard());
    EXPECT_EQ(ClipboardBitmap(150, 10, kBlue), CSize(200, 100));
    app.m_pMainWnd = nullptr;
  }
  EXPECT_EQ(dir.Names(), (std::set<std::string>{"photo.png", std::string(taken.Mid(dir.Path("").GetLength()))}));
  EXPECT_EQ(qor::GdiplusSession::GetLiveCount(), nSessions);
}

}  // namespace
