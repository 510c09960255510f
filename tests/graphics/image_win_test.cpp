// Image files, the clipboard, thumbnails and the image holder on real files: round trips in the five formats,
// refusals that keep every file, the pixel limit and spoilt files, resources written out, border pixels and the
// life of the holder's copies.
#include <gtest/gtest.h>

#include <afxwin.h>

#include <atomic>
#include <chrono>
#include <climits>
#include <cmath>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <memory>
#include <random>
#include <set>
#include <sstream>
#include <string>
#include <thread>
#include <vector>

#include "DirUtils.h"
#include "GdiplusSession.h"
#include "GradientProgressCtrl.h"
#include "GraphicsUtils.h"
#include "GraphicsWinSupport.h"
#include "ImageWrapper.h"
#include "PieCtrl.h"

namespace {

namespace fs = std::filesystem;
using gfxtest::LogScope;

const COLORREF kRed = RGB(255, 0, 0), kBlue = RGB(0, 0, 255), kWhite = RGB(255, 255, 255), kGreen = RGB(0, 128, 0);

struct TempFolder {  // a new folder for the test, removed with all it holds afterwards
  fs::path path = fs::temp_directory_path() / ("qor_img_" + std::string(::testing::UnitTest::GetInstance()->current_test_info()->name()));
  TempFolder() { fs::create_directories(path); }
  ~TempFolder() { std::error_code ec; fs::remove_all(path, ec); }
  CString Path(const char* pszName) const { return CString((path.string() + "\\").c_str()) + pszName; }
  std::set<std::string> Names() const {
    std::set<std::string> names;
    for (const auto& e : fs::directory_iterator(path)) names.insert(e.path().filename().string());
    return names;
  }
};

std::string ReadBytes(const CString& s) {
  return (std::ostringstream() << std::ifstream(s.GetString(), std::ios::binary).rdbuf()).str();
}
void WriteBytes(const CString& strPath, const std::string& bytes) { std::ofstream(strPath.GetString(), std::ios::binary) << bytes; }
std::wstring Wide(const CString& s) { return std::wstring(s.GetString(), s.GetString() + s.GetLength()); }

struct Encoders : GraphicsUtils { using GraphicsUtils::GetEncoderClsid; };  // kept for the class's own members

// A w x h picture, left half red, right half blue (transparent with bClear),
// in the format of the MIME type at fDpi across and half that down.
bool MakeImageFile(const CString& strPath, int w, int h, const wchar_t* pszMime, float fDpi = 96, bool bClear = false) {
  qor::GdiplusSession session;
  CLSID clsid;
  Gdiplus::Bitmap bmp(w, h, bClear ? PixelFormat32bppARGB : PixelFormat24bppRGB);
  bmp.SetResolution(fDpi, fDpi / 2);
  Gdiplus::Graphics g(&bmp);
  g.Clear(Gdiplus::Color(bClear ? 0 : 255, 0, 0, 255));
  Gdiplus::SolidBrush red(Gdiplus::Color(255, 255, 0, 0));
  g.FillRectangle(&red, 0, 0, w / 2, h);
  return Encoders::GetEncoderClsid(pszMime, &clsid) && bmp.Save(Wide(strPath).c_str(), &clsid, nullptr) == Gdiplus::Ok;
}

CSize SizeOf(const CString& s) { int w = -1, h = -1; return GraphicsUtils::GetImageSize(s, w, h), CSize(w, h); }

// Within 48 of cr over the three channels (JPEG blurs; the border colours lie further apart).
bool Near(Gdiplus::Bitmap& bmp, int x, int y, COLORREF cr) {
  Gdiplus::Color c;
  bmp.GetPixel(x, y, &c);
  return std::abs(c.GetR() - GetRValue(cr)) + std::abs(c.GetG() - GetGValue(cr)) + std::abs(c.GetB() - GetBValue(cr)) <= 48;
}

struct MainWindow : CWnd {  // the application's main window while it lives: the clipboard's owner
  CWinApp app{"image tests"};
  MainWindow() { CreateEx(0, AfxRegisterWndClass(0), "main", WS_POPUP, 0, 0, 10, 10, nullptr, nullptr), app.m_pMainWnd = this; }
  ~MainWindow() override { app.m_pMainWnd = nullptr; }
};

// The file held open while the result lives, sharing reading and writing but not deletion.
std::shared_ptr<void> HeldOpen(const CString& s) {
  return {::CreateFileA(s, GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr, OPEN_EXISTING, 0, nullptr), ::CloseHandle};
}

// Each format: a picture with a clear right half onto the clipboard (white there) and saved from it, and a
// thumbnail of a red and blue one, 24 bits per pixel at its resolution and fresh only while it is the newer file.
TEST(ImageFiles, RoundTripsInEveryFormat) {
  TempFolder dir;
  MainWindow main;
  const CString wide = dir.Path("wide.png"), tall = dir.Path("tall.png"), clear = dir.Path("clear.png");
  ASSERT_TRUE(MakeImageFile(wide, 800, 600, L"image/png", 150) && MakeImageFile(tall, 600, 800, L"image/png", 150) &&
              MakeImageFile(clear, 60, 40, L"image/png", 96, true));
  const auto t = fs::last_write_time(dir.path / "wide.png");
  // The extension, the source, the requested and the made thumbnail's size, whether the format keeps the resolution.
  const struct { const char* ext; CString source; int w, h; CSize thumb; bool bDpi; } cases[] = {
      {"bmp", wide, 160, 0, {160, 120}, true}, {"JPG", wide, 0, 90, {120, 90}, false}, {"jpeg", tall, 160, 0, {160, 213}, false},
      {"Gif", wide, 160, -1, {160, 120}, false}, {"tif", tall, 0, 160, {120, 160}, true}, {"TIFF", wide, 160, 0, {160, 120}, true},
      {"pNg", tall, 160, 0, {160, 213}, true}};
  for (const auto& c : cases) {
    const CString clip = dir.Path("clip.") + c.ext, thumb = dir.Path("thumb.") + c.ext;
    EXPECT_TRUE(GraphicsUtils::CopyFileToClipboard(clear)) << c.ext;
    EXPECT_EQ(GraphicsUtils::SaveClipboardImageAs(clip).str(), "") << c.ext;
    EXPECT_EQ(GraphicsUtils::SaveThumbnailImage(c.source, thumb, c.w, c.h).str(), "") << c.ext;
    EXPECT_TRUE(SizeOf(clip) == CSize(60, 40) && SizeOf(thumb) == c.thumb) << c.ext;
    for (const CString& file : {clip, thumb}) {
      qor::GdiplusSession session;
      Gdiplus::Bitmap bmp(Wide(file).c_str());
      const int w = bmp.GetWidth(), h = bmp.GetHeight();
      EXPECT_TRUE(Near(bmp, 4, h / 2, kRed) && Near(bmp, w - 4, h / 2, file == clip ? kWhite : kBlue)) << file.str();
      EXPECT_TRUE(file == clip || !c.bDpi || (bmp.GetPixelFormat() == PixelFormat24bppRGB &&  // stored in whole dots per metre
                  std::lround(bmp.GetHorizontalResolution()) == 150 && std::lround(bmp.GetVerticalResolution()) == 75)) << c.ext;
    }
    EXPECT_EQ(dir.Names().size(), 5u) << c.ext;  // nothing left beside them
    fs::last_write_time(c.source.GetString(), t), fs::last_write_time(thumb.GetString(), t + std::chrono::seconds(1));
    EXPECT_TRUE(GraphicsUtils::IsThumbnailImageUpToDate(c.source, thumb, c.w, c.h)) << c.ext;
    fs::last_write_time(thumb.GetString(), t);
    EXPECT_FALSE(GraphicsUtils::IsThumbnailImageUpToDate(c.source, thumb, c.w, c.h)) << c.ext;
    ::DeleteFileA(clip), ::DeleteFileA(thumb);
  }
  LogScope log;  // a missing thumbnail is not fresh, and says so in the log
  EXPECT_FALSE(GraphicsUtils::IsThumbnailImageUpToDate(wide, dir.Path("none.png"), 160, 0));
  EXPECT_EQ(log.Lines(), std::vector<CString>{CString("{1EC10526-DE54-4856-98B4-938CDBC2A2DD}")});
}

// Rows without a requested size save the clipboard, the others make a thumbnail.
TEST(ImageFiles, RefusalsKeepEveryFile) {
  TempFolder dir;
  MainWindow main;
  const CString source = dir.Path("photo.png"), target = dir.Path("old.png"), keep = dir.Path("keep.dat"), t = dir.Path("t.png");
  ASSERT_TRUE(MakeImageFile(source, 80, 60, L"image/png"));
  const std::string png = ReadBytes(source);
  WriteBytes(target, "the user's old picture"), WriteBytes(keep, "not to be lost");
  WriteBytes(dir.Path("text.png"), "only text"), WriteBytes(dir.Path("truncated.png"), png.substr(0, png.size() / 2));
  const std::set<std::string> files = dir.Names();
  const char *kDisk = "Unable to save the image to the disk drive.", *kDiskLine = "{DAC9CE88-D938-4846-8F99-375EE5960572}";
  const char *kPath = "Thumbnail image file path is not valid.", *kPathLine = "{19B78630-EAD0-428F-9265-10875A9C602B}";
  const char *kLoad = "Unable to load source image file.", *kLoadLine = "{618FE2C4-D8CE-49AA-AF21-686EA69B0B6C}";
  const char *kSave = "Unable to save the thumbnail image file.", *kSaveLine = "{2FF3FA09-B859-457E-99C5-800E96559977}-7";
  // The clipboard (-1 empty, 0 held open by another window, 1 a bitmap), source, target, request, message, log.
  const struct { int nClipboard; CString source, target; int w, h; const char *message, *log; } cases[] = {
      {-1, source, t, 0, 0, "The Windows Clipboard does not contain a recognized image.", "{EC7F9F17-1870-4EAF-86AD-B11728D54D58}"},
      {0, source, t, 0, 0, "Unable to retrieve the image. The Windows Clipboard could not be opened.", "{CF23AC75-40F0-40CC-8E18-855C4F7AE1F3}"},
      {1, source, dir.Path("none\\a.png"), 0, 0, kDisk, kDiskLine},
      {1, source, target, 0, 0, kDisk, kDiskLine},  // the replacement's error follows the message
      {1, source, t, 160, 90, "Invalid thumbnail image size specified.", "{A43F82FA-DF2E-471A-AB34-6FE3B094DB9F}"},
      {1, source, CString(), 160, 0, kPath, kPathLine}, {1, source, CString("t.png"), 160, 0, kPath, kPathLine},
      {1, source, dir.Path("t"), 160, 0, kPath, kPathLine}, {1, source, dir.Path(""), 160, 0, kPath, kPathLine},
      {1, source, dir.Path("PHOTO.PNG"), 160, 0, "Source image file and thumbnail image file cannot be the same files.",
       "{B9AAEEC4-19CE-4294-8CE4-42CE2376844B}"},
      {1, dir.Path("gone.png"), t, 160, 0, "Image file does not exist.", "{009A647F-287E-4C29-8F3E-5B448B8E3B33}"},
      {1, dir.Path("text.png"), t, 160, 0, kLoad, kLoadLine}, {1, dir.Path("truncated.png"), t, 160, 0, kLoad, kLoadLine},
      {1, source, keep, 160, 0, "Unable to save the thumbnail image, because the file extension was not recognized.",
       "{180F2298-5254-427F-9D71-F8FBB48E848A}"},
      {1, source, dir.Path("none\\t.png"), 160, 0, kSave, kSaveLine}, {1, source, target, 160, 0, kSave, kSaveLine},
  };
  for (const auto& c : cases) {
    ASSERT_EQ(GraphicsUtils::CopyFileToClipboard(c.nClipboard < 0 ? dir.Path("gone.png") : source), c.nClipboard >= 0);
    if (c.nClipboard < 0 && ::OpenClipboard(main.m_hWnd)) ::EmptyClipboard(), ::CloseClipboard();
    const bool bOpen = c.nClipboard == 0 && ::OpenClipboard(nullptr);
    const auto held = HeldOpen(target);
    LogScope log;
    const std::string message = (c.w || c.h ? GraphicsUtils::SaveThumbnailImage(c.source, c.target, c.w, c.h)
                                             : GraphicsUtils::SaveClipboardImageAs(c.target)).str();
    if (bOpen) ::CloseClipboard();
    EXPECT_EQ(message.substr(0, std::strlen(c.message)), c.message) << c.target.str();
    EXPECT_EQ(message.size() > std::strlen(c.message), c.target == target && !c.w) << message;
    EXPECT_EQ(log.Lines().at(0).str().substr(0, std::strlen(c.log)), c.log) << c.target.str();
  }
  EXPECT_TRUE(dir.Names() == files && ReadBytes(target) == "the user's old picture" && ReadBytes(keep) == "not to be lost");
  const fs::path cwd = fs::current_path();
  fs::current_path(dir.path);  // free again, it is replaced, also named without its folder
  EXPECT_EQ(GraphicsUtils::SaveClipboardImageAs(CString("old.png")).str(), "");
  fs::current_path(cwd);
  EXPECT_EQ(SizeOf(target), CSize(80, 60));
}

// A thumbnail of 108 million pixels, larger than its source, is made when memory allows; one whose bitmap cannot be
// made (250 000 000 x 25 000 from a source 10 000 wide and 1 high) is refused with nothing written.
TEST(ImageFiles, ThumbnailsAsLargeAsMemoryAllows) {
  TempFolder dir;
  LogScope log;
  ASSERT_TRUE(MakeImageFile(dir.Path("s.png"), 800, 600, L"image/png") && MakeImageFile(dir.Path("line.png"), 10000, 1, L"image/png"));
  EXPECT_EQ(GraphicsUtils::SaveThumbnailImage(dir.Path("s.png"), dir.Path("big.jpg"), 12000, 0).str(), "");
  EXPECT_EQ(SizeOf(dir.Path("big.jpg")), CSize(12000, 9000));
  EXPECT_EQ(GraphicsUtils::SaveThumbnailImage(dir.Path("line.png"), dir.Path("huge.png"), INT_MAX, 0).str(), "Unable to create the thumbnail image.");
  EXPECT_TRUE(dir.Names().size() == 3u && log.Lines() == std::vector<CString>{CString("{371DD740-DC25-4018-8E4C-235D5447CD77}")});
}

TEST(SaveResourceToFile, WritesExactlyTheResourceBytesOrNothing) {
  TempFolder dir;
  const HINSTANCE hExe = ::GetModuleHandleA(nullptr), hBefore = AfxGetResourceHandle();
  const CString one = dir.Path("one.bin"), two = dir.Path("two.bin"), kType("IMGDATA");
  WriteBytes(two, std::string(5000, 'x')), WriteBytes(one, "old bytes");
  EXPECT_TRUE(GraphicsUtils::SaveResourceToFile(hExe, MAKEINTRESOURCEA(200), kType, two));
  EXPECT_TRUE(ReadBytes(two) == ReadBytes(CString(SOURCE_RES_DIR "/image_bytes.bin")));  // over a longer file
  LogScope log;  // a missing resource writes and logs nothing; a target held open keeps its bytes
  EXPECT_FALSE(GraphicsUtils::SaveResourceToFile(::GetModuleHandleA("qor032.dll"), MAKEINTRESOURCEA(200), kType, dir.Path("x.bin")));
  EXPECT_TRUE(log.Lines().empty() && AfxGetResourceHandle() == hBefore);
  const auto held = HeldOpen(one);
  EXPECT_FALSE(GraphicsUtils::SaveResourceToFile(nullptr, "NAMEDBYTES", kType, one));
  EXPECT_EQ(log.Lines().at(0).str().substr(0, 38), "{A19E9D8E-67C4-4BD9-A1A6-D0F7B472C52C}");
  EXPECT_TRUE(ReadBytes(one) == "old bytes" && dir.Names() == (std::set<std::string>{"one.bin", "two.bin"}));
}

// The holder with its state in view, its copies going to the test's folder.
struct Holder : ImageWrapper {
  Holder(const TempFolder& dir, const CString& s, BorderType n = NoBorder) { SetTempDir(dir.Path("")), SetImageFile(s, false), SetBorder(n); }
  using ImageWrapper::m_nRotateFlip, ImageWrapper::m_random, ImageWrapper::m_strLoadedFile;
  CSize Loaded() const { return m_pImage ? CSize(m_pImage->GetWidth(), m_pImage->GetHeight()) : CSize(); }
  CString Copy() const { return m_mapTNFiles.size() == 1 ? m_mapTNFiles.begin()->second : CString(); }
};

struct Surface {
  qor::GdiplusSession session;
  Gdiplus::Bitmap bitmap{130, 110, PixelFormat32bppARGB};
  Gdiplus::Graphics g{&bitmap};
  Surface() { g.Clear(Gdiplus::Color(255, 0, 128, 0)); }
  void Draw(ImageWrapper& h, float x, float y, float w, float hh) { h.DrawImage(g, Gdiplus::RectF(x, y, w, hh)); }
  bool Is(int x, int y, COLORREF cr) { return Near(bitmap, x, y, cr); }
  // Nothing drawn at the corners or the middle of any frame of the tests.
  bool Untouched() { return Is(0, 0, kGreen) && Is(10, 10, kGreen) && Is(60, 30, kGreen) && Is(110, 60, kGreen); }
};

// The plan replayed in frame (10, 10, 100, 50): a frame of lines and an outline (the other types differ only in
// the plan's colours), each with the image inside. Probes: the left, top, inner left, inner top, inner bottom,
// inner right, bottom and right lines, inside the image, and the surface just outside.
TEST(ImageWrapper, BorderPixels) {
  TempFolder dir;
  ASSERT_TRUE(MakeImageFile(dir.Path("photo.png"), 200, 100, L"image/png"));
  const COLORREF G = RGB(0xA0, 0xA0, 0xA0), D = RGB(0x69, 0x69, 0x69), L = RGB(0xE3, 0xE3, 0xE3), W = kWhite, K = 0,
                 R = kRed, B = kBlue, N = kGreen;
  const int probes[][2] = {{10, 30}, {40, 10}, {11, 30}, {40, 11}, {80, 58}, {108, 30}, {80, 59}, {109, 30},
                           {14, 14}, {105, 55}, {110, 30}, {80, 60}, {9, 30}};
  const COLORREF want[2][13] = {{G, G, D, D, L, L, W, W, R, B, N, N, N}, {K, K, R, R, B, B, N, N, R, B, K, K, N}};
  for (int n = 0; n < 2; ++n) {
    Holder h(dir, dir.Path("photo.png"), n ? ImageWrapper::BlackBorder : ImageWrapper::SunkenBorder);
    Surface s;
    s.Draw(h, 10, 10, 100, 50);
    for (int i = 0; i < 13; ++i) EXPECT_TRUE(s.Is(probes[i][0], probes[i][1], want[n][i])) << n << " at probe " << i;
  }
}

TEST(ImageWrapper, OneCopyPerWidthTurnedAndDeleted) {
  TempFolder dir;
  const CString file = dir.Path("photo.tif"), emf = dir.Path("p.emf");
  ASSERT_TRUE(MakeImageFile(file, 400, 200, L"image/tiff"));
  std::mt19937 sequence(7);  // the names of a holder's copies after RandomNumberGen(7)
  const std::string taken = std::to_string(sequence()) + ".tif", free = std::to_string(sequence()) + ".tif";
  WriteBytes(dir.Path(taken.c_str()), "someone's file");
  {
    Surface s;
    Holder h(dir, file);
    h.m_random = RandomNumberGen(7);
    s.Draw(h, 0, 0, 0, 50);
    EXPECT_TRUE(s.Untouched() && dir.Names().size() == 2u && h.GetWidth() == 400 && h.GetHeight() == 200);
    s.Draw(h, 0, 0, 100, 50);
    s.Draw(h, 0, 0, 100.5f, 60);  // the same width, truncated
    EXPECT_TRUE(h.Copy() == dir.Path(free.c_str()) && SizeOf(h.Copy()) == CSize(100, 50) && dir.Names().size() == 3u &&
                ReadBytes(dir.Path(taken.c_str())) == "someone's file");  // a taken name is drawn again
    s.Draw(h, 0, 0, 120, 60);  // another width replaces the copy
    EXPECT_TRUE(SizeOf(h.Copy()) == CSize(120, 60) && !dir.Names().count(free) && dir.Names().size() == 3u);
    Holder g(dir, file);  // a folder that is not there: the system's instead, none made
    g.SetTempDir(dir.Path("gone\\")), s.Draw(g, 0, 0, 110, 55);
    EXPECT_TRUE(DirUtils::ParsePathFromFile(g.Copy()) == DirUtils::GetTempDir() && !fs::exists(dir.path / "gone"));
    EXPECT_TRUE(h.SetImageFile(CString(file).MakeUpper(), false) && dir.Names().size() == 3u);  // kept unless forced
    EXPECT_TRUE(h.SetImageFile(file, true) && dir.Names().size() == 2u);
    h.SetRotateFlip(Gdiplus::Rotate90FlipNone);  // the copy is made from the frame's height
    s.Draw(h, 0, 0, 50, 100);
    EXPECT_TRUE(SizeOf(h.Copy()) == CSize(100, 50) && h.Loaded() == CSize(50, 100));
    EXPECT_TRUE(s.Is(25, 20, kRed) && s.Is(25, 80, kBlue));  // clockwise, red on top
    h.SetRotateFlip(Gdiplus::Rotate90FlipNone);  // turns the loaded image too
    EXPECT_EQ(h.Loaded(), CSize(100, 50));
    Holder b(h);  // unturned, with copies of its own
    s.Draw(b, 0, 0, 50, 100);
    EXPECT_TRUE(b.m_nRotateFlip == 0 && b == h && SizeOf(b.Copy()) == CSize(50, 25) && dir.Names().size() == 4u);
    EXPECT_TRUE((h = b).Loaded() == CSize() && h.m_nRotateFlip == Gdiplus::Rotate90FlipNone);  // drops the image only
    // A metafile is drawn from its source, and an emptied path draws nothing after it.
    HDC hEmf = ::CreateEnhMetaFileA(nullptr, emf, nullptr, nullptr);
    HBRUSH hRed = ::CreateSolidBrush(kRed), hBlue = ::CreateSolidBrush(kBlue);
    const RECT left{0, 0, 40, 40}, right{40, 0, 80, 40};
    ::FillRect(hEmf, &left, hRed), ::FillRect(hEmf, &right, hBlue), ::DeleteObject(hRed), ::DeleteObject(hBlue);
    ::DeleteEnhMetaFile(::CloseEnhMetaFile(hEmf));
    LogScope log;
    Surface s2, s3;
    EXPECT_TRUE(b.SetImageFile(emf, false));
    s2.Draw(b, 0, 0, 80, 40);
    EXPECT_TRUE(b.m_strLoadedFile.IsEmpty() && s2.Is(10, 20, kRed) && s2.Is(70, 20, kBlue) && dir.Names().size() == 4u);
    EXPECT_EQ(log.Lines(), (std::vector<CString>{CString("{180F2298-5254-427F-9D71-F8FBB48E848A}"),
                                                CString("{32D8D5F3-65D0-4D41-ABF2-0F9D29651C32}Unable to save the "
                                                        "thumbnail image, because the file extension was not recognized.")}));
    EXPECT_TRUE(b.SetImageFile(CString(), false));
    s3.Draw(b, 0, 0, 80, 40);
    EXPECT_TRUE(s3.Untouched());
  }
  EXPECT_EQ(dir.Names(), (std::set<std::string>{"p.emf", "photo.tif", taken}));
}

const char* const kLoad = "Unable to load source image file.";
const CString kLoadLine("{618FE2C4-D8CE-49AA-AF21-686EA69B0B6C}");

// Files made at build time (res/make_image_corpus.py). A PNG of 109 KB declaring 30 000 x 30 000 pixels is refused
// before decoding by the holder, the thumbnail writer and the clipboard, its size still told. In each format: a picture
// of exactly the limit's pixels is decoded, one more pixel is refused (the holder drawing nothing); every spoilt file
// gets the load failure at once and leaves no file.
TEST(ImageLimit, RefusedBeforeDecoding) {
  TempFolder dir;
  LogScope log;
  const auto corpus = [](const std::string& name) { return CString((CORPUS_DIR "/" + name).c_str()); };
  const CString bomb = corpus("bomb.png"), target = dir.Path("t.png");
  Surface bombed;
  Holder holder(dir, bomb);
  bombed.Draw(holder, 0, 0, 100, 50);
  EXPECT_TRUE(GraphicsUtils::SaveThumbnailImage(bomb, target, 160, 0) == kLoad && SizeOf(bomb) == CSize(30000, 30000));
  EXPECT_TRUE(!GraphicsUtils::CopyFileToClipboard(bomb) && bombed.Untouched() && dir.Names().empty());
  EXPECT_EQ(log.Lines(), (std::vector<CString>{kLoadLine, CString("{32D8D5F3-65D0-4D41-ABF2-0F9D29651C32}") + kLoad, kLoadLine}));
  for (const std::string ext : {"jpg", "gif", "bmp", "tif", "png"}) {
    for (const unsigned long long nLimit : {64ull * 48, 64ull * 48 - 1}) {
      GraphicsUtils::SetMaxImagePixels(nLimit);
      Surface s;
      Holder h(dir, corpus("ok." + ext));
      s.Draw(h, 0, 0, 80, 40);
      EXPECT_EQ(GraphicsUtils::SaveThumbnailImage(corpus("ok." + ext), target, 16, 0).str(), nLimit == 64 * 48 ? "" : kLoad) << ext;
      EXPECT_TRUE(SizeOf(corpus("ok." + ext)) == CSize(64, 48) && s.Untouched() == (nLimit < 64 * 48) && (::DeleteFileA(target) || nLimit < 64 * 48)) << ext;
    }
    GraphicsUtils::SetMaxImagePixels(GraphicsUtils::kDefaultMaxImagePixels);
    for (int nWay = 0; nWay < 6; ++nWay) {
      const CString source = corpus(std::to_string(nWay) + "." + ext);
      const size_t nLines = log.Lines().size();
      EXPECT_EQ(GraphicsUtils::SaveThumbnailImage(source, target, 16, 0).str(), kLoad) << source.str();
      EXPECT_TRUE(log.Lines().size() == nLines + 1 && log.Lines().back() == kLoadLine && dir.Names().empty()) << source.str();
      EXPECT_EQ(SizeOf(source), nWay == 5 && (ext == "jpg" || ext == "gif") ? CSize(65535, 65535) : CSize(0, 0)) << source.str();  // 16-bit sides
    }
  }
}

// Thumbnails on four worker threads, into folders of their own with encoder lookups between them (many short GDI+
// sessions), while this, the window's thread, creates, paints and destroys progress bars, pies and holders: every
// thumbnail of its size and fresh, no call failed, no session left. ctest runs 10 a thread; 100 by hand:
//   QOR_STRESS_THUMBNAILS=100 tools/wine-run --prefix=$PWD/build/windows/wineprefix build/windows/bin/image_win_tests.exe --gtest_filter=ImageThreads.*
TEST(ImageThreads, ThumbnailsOnWorkersWhileTheWindowThreadPaints) {
  const int nEach = std::getenv("QOR_STRESS_THUMBNAILS") ? std::atoi(std::getenv("QOR_STRESS_THUMBNAILS")) : 10;
  TempFolder dir;
  const struct { const char* name; int w, h; } sources[] = {{"a.jpg", 1600, 1200}, {"b.png", 700, 1100}, {"c.jpg", 333, 250}, {"d.png", 2000, 900}};
  for (const auto& s : sources) {  // an hour old, so that every thumbnail is newer by the second
    ASSERT_TRUE(MakeImageFile(dir.Path(s.name), s.w, s.h, s.name[2] == 'j' ? L"image/jpeg" : L"image/png"));
    fs::last_write_time(dir.path / s.name, fs::last_write_time(dir.path / s.name) - std::chrono::hours(1));
  }
  std::atomic<int> nRunning{4}, nFailed{0};
  std::vector<std::thread> workers;
  for (int t = 0; t < 4; ++t)
    workers.emplace_back([&, t] {
      fs::create_directory(dir.path / std::to_string(t));
      for (int i = 0; i < nEach; ++i) {
        const auto& s = sources[(i + t) % 4];
        const int w = 40 + (i * 37 + t * 11) % 200, h = static_cast<int>(std::trunc(w / (static_cast<double>(s.w) / s.h)));
        const CString source = dir.Path(s.name), target = dir.Path((std::to_string(t) + "\\" + std::to_string(i) + (i % 3 ? ".jpg" : ".png")).c_str());
        CLSID clsid;
        for (int k = 0; k < 50; ++k) nFailed += !Encoders::GetEncoderClsid(L"image/png", &clsid);
        nFailed += !GraphicsUtils::SaveThumbnailImage(source, target, w, 0).IsEmpty() || SizeOf(target) != CSize(w, h) ||
                   !GraphicsUtils::IsThumbnailImageUpToDate(source, target, w, 0);
      }
      --nRunning;
    });
  MainWindow host;
  int nCycles = 0;
  for (; nRunning > 0; ++nCycles) {
    CGradientProgressCtrl bar;
    CWnd placeholder;
    CPieCtrl pie;
    EXPECT_TRUE(bar.Create(&host, CRect(0, 0, 200, 20), 1) && placeholder.Create(AfxRegisterWndClass(0), "", WS_CHILD, CRect(0, 30, 150, 180), &host, 2) &&
                pie.Create(2, &host, kBlue) && pie.AddSlice(20.0 + nCycles % 50, kRed, 0, "share"));
    bar.Init(20, "job", true, 0, kWhite, kBlue, kRed, CGradientProgressCtrl::BorderFlat);
    for (int k = 0; k < 5; ++k) bar.Step(), bar.UpdateWindow();
    pie.RedrawWindow(nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW);
    Surface s;
    Holder holder(dir, dir.Path(sources[nCycles % 4].name));
    s.Draw(holder, 0, 0, 100.0f + nCycles % 20, 80);
    EXPECT_TRUE(s.Is(5, 40, kRed) && pie.DestroyWindow() && bar.DestroyWindow()) << nCycles;
    for (MSG msg; ::PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE);) ::DispatchMessageA(&msg);
  }
  for (std::thread& w : workers) w.join();
  std::printf("%d thumbnails on 4 threads beside %d window-thread cycles\n", 4 * nEach, nCycles);
  EXPECT_TRUE(nFailed == 0 && nCycles > 0 && qor::GdiplusSession::GetLiveCount() == 0) << nFailed;
}

}  // namespace
