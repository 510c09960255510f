// Image files and the clipboard on real files: encoders, sizes, clipboard
// round trips in the five formats, failed saves that keep the old file, and
// resources written out.
#include <gtest/gtest.h>

#include <thread>

#include "ImageTestSupport.h"

namespace {

using namespace imgtest;

// The first bytes of each format.
bool HasSignature(const std::string& bytes, const char* pszExt) {
  CString ext(pszExt);
  ext.MakeLower();
  auto starts = [&bytes](const std::string& s) { return bytes.compare(0, s.size(), s) == 0; };
  if (ext == "bmp") return starts("BM");
  if (ext == "jpg" || ext == "jpeg") return starts("\xFF\xD8\xFF");
  if (ext == "gif") return starts("GIF8");
  if (ext == "tif" || ext == "tiff") return starts(std::string("II*\0", 4)) || starts(std::string("MM\0*", 4));
  if (ext == "png") return starts("\x89PNG");
  return false;
}

// Files that are not images, or broken ones.
void MakeBadImages(const TempFolder& dir) {
  WriteBytes(dir.Path("empty.png"), "");
  WriteBytes(dir.Path("text.png"), "This is only text, named like a picture.\r\n");
  WriteBytes(dir.Path("garbage.jpg"), std::string(2000, '\x5A'));
  ASSERT_TRUE(MakeImageFile(dir.Path("whole.png"), 64, 48));
  const std::string png = ReadBytes(dir.Path("whole.png"));
  WriteBytes(dir.Path("truncated.png"), png.substr(0, png.size() / 2));
  ASSERT_TRUE(MakeImageFile(dir.Path("whole.jpg"), 64, 48, L"image/jpeg"));
  const std::string jpg = ReadBytes(dir.Path("whole.jpg"));
  WriteBytes(dir.Path("corrupt.jpg"), jpg.substr(0, 20) + std::string(jpg.size() - 20, '\0'));
}

const char* const kBadImages[] = {"missing.png", "empty.png", "text.png", "garbage.jpg", "truncated.png",
                                  "corrupt.jpg"};

TEST(ImageFiles, EncodersByExactMimeType) {
  const wchar_t* const mimes[] = {L"image/bmp", L"image/jpeg", L"image/gif", L"image/tiff", L"image/png"};
  std::set<std::wstring> seen;
  for (const wchar_t* mime : mimes) {
    CLSID clsid{};
    EXPECT_TRUE(Encoders::GetEncoderClsid(mime, &clsid)) << mime;
    seen.insert(std::wstring(reinterpret_cast<const wchar_t*>(&clsid), sizeof clsid / sizeof(wchar_t)));
  }
  EXPECT_EQ(seen.size(), 5u);  // five different encoders
  CLSID clsid{};
  EXPECT_FALSE(Encoders::GetEncoderClsid(L"image/PNG", &clsid));  // letter case counts
  EXPECT_FALSE(Encoders::GetEncoderClsid(L"image/jpg", &clsid));
  EXPECT_FALSE(Encoders::GetEncoderClsid(L"", &clsid));
  EXPECT_FALSE(Encoders::GetEncoderClsid(nullptr, &clsid));
  EXPECT_FALSE(Encoders::GetEncoderClsid(L"image/png", nullptr));
}

TEST(ImageFiles, SizesOfGoodAndBadFiles) {
  TempFolder dir;
  const struct {
    const char* name;
    const wchar_t* mime;
  } formats[] = {{"a.bmp", L"image/bmp"}, {"a.jpg", L"image/jpeg"}, {"a.gif", L"image/gif"},
                 {"a.tif", L"image/tiff"}, {"a.png", L"image/png"}};
  for (const auto& f : formats) {
    ASSERT_TRUE(MakeImageFile(dir.Path(f.name), 37, 21, f.mime));
    EXPECT_EQ(SizeOf(dir.Path(f.name)), CSize(37, 21)) << f.name;
  }
  MakeBadImages(dir);
  for (const char* name : kBadImages) EXPECT_EQ(SizeOf(dir.Path(name)), CSize(0, 0)) << name;
  EXPECT_EQ(SizeOf(CString()), CSize(0, 0));
  EXPECT_EQ(SizeOf(dir.Dir()), CSize(0, 0));  // a folder
}

TEST(ClipboardImage, RoundTripsInEveryFormatAndLetterCase) {
  TempFolder dir;
  ClipboardOwner owner;
  LogScope log;
  for (const char* ext : {"bmp", "jpg", "jpeg", "gif", "tif", "tiff", "png", "BMP", "JPG", "Gif", "TIFF", "pNg"}) {
    PutBitmap(owner.Hwnd(), 64, 48);
    const CString path = dir.Path("clip.") + ext;
    EXPECT_EQ(GraphicsUtils::SaveClipboardImageAs(path).str(), "") << ext;
    EXPECT_EQ(SizeOf(path), CSize(64, 48)) << ext;
    EXPECT_TRUE(HasSignature(ReadBytes(path), ext)) << ext;
    EXPECT_TRUE(Near(PixelOf(path, 5, 5), kRed)) << ext;
    EXPECT_TRUE(Near(PixelOf(path, 60, 40), kBlue)) << ext;
    EXPECT_EQ(dir.Names(), std::set<std::string>{("clip." + std::string(ext))}) << "nothing else is left";
    ::DeleteFileA(path);
  }
  EXPECT_EQ(log.Lines(), "");
}

TEST(ClipboardImage, RefusesBadPathsAndEmptyOrBusyClipboards) {
  TempFolder dir;
  ClipboardOwner owner;
  PutBitmap(owner.Hwnd(), 16, 16);
  struct Case {
    CString path;
    const char* message;
    const char* log;
  };
  const Case cases[] = {
      {CString(), "Not a valid file name into which the image can be saved.", "{B38B6418-5568-4933-A48F-78154821180C}"},
      {dir.Path("clip.pdf"), "Not a recognized file extension into which the image can be saved.", ""},
      {dir.Path("clip"), "Not a recognized file extension into which the image can be saved.", ""},
      {dir.Path("clip."), "Not a recognized file extension into which the image can be saved.", ""},
      {dir.Path("clip.emf"), "Not a recognized file extension into which the image can be saved.", ""},
  };
  for (const Case& c : cases) {
    LogScope log;
    EXPECT_EQ(GraphicsUtils::SaveClipboardImageAs(c.path).str(), c.message) << c.path.str();
    EXPECT_EQ(log.Lines(), c.log) << c.path.str();
  }
  EXPECT_TRUE(dir.Names().empty());

  {
    EmptyClipboard(owner.Hwnd());
    LogScope log;
    EXPECT_EQ(GraphicsUtils::SaveClipboardImageAs(dir.Path("clip.png")).str(),
              "The Windows Clipboard does not contain a recognized image.");
    EXPECT_EQ(log.Lines(), "{EC7F9F17-1870-4EAF-86AD-B11728D54D58}");
  }

  // Another thread's window holds the clipboard open.
  PutBitmap(owner.Hwnd(), 16, 16);
  HANDLE hOpened = ::CreateEventA(nullptr, TRUE, FALSE, nullptr);
  HANDLE hDone = ::CreateEventA(nullptr, TRUE, FALSE, nullptr);
  std::thread holder([&] {
    ClipboardOwner other;
    if (::OpenClipboard(other.Hwnd())) {
      ::SetEvent(hOpened);
      ::WaitForSingleObject(hDone, 10000);
      ::CloseClipboard();
    }
    ::SetEvent(hOpened);
  });
  ::WaitForSingleObject(hOpened, 10000);
  {
    LogScope log;
    EXPECT_EQ(GraphicsUtils::SaveClipboardImageAs(dir.Path("clip.png")).str(),
              "Unable to retrieve the image. The Windows Clipboard could not be opened.");
    EXPECT_EQ(log.Lines(), "{CF23AC75-40F0-40CC-8E18-855C4F7AE1F3}");
  }
  ::SetEvent(hDone);
  holder.join();
  ::CloseHandle(hOpened);
  ::CloseHandle(hDone);
  EXPECT_TRUE(dir.Names().empty());
  // Free again, the same clipboard saves; a path without a folder names the
  // current one.
  EXPECT_EQ(GraphicsUtils::SaveClipboardImageAs(dir.Path("clip.png")).str(), "");
  char szCurrent[MAX_PATH] = "";
  ::GetCurrentDirectoryA(MAX_PATH, szCurrent);
  ASSERT_TRUE(::SetCurrentDirectoryA(dir.Dir()));
  EXPECT_EQ(GraphicsUtils::SaveClipboardImageAs(CString("here.bmp")).str(), "");
  ::SetCurrentDirectoryA(szCurrent);
  EXPECT_EQ(SizeOf(dir.Path("here.bmp")), CSize(16, 16));
  EXPECT_EQ(dir.Names(), (std::set<std::string>{"clip.png", "here.bmp"}));
}

TEST(ClipboardImage, ReplacesAFileOnlyWithACompleteOne) {
  TempFolder dir;
  ClipboardOwner owner;
  const CString target = dir.Path("picture.png");
  const std::string old = "the user's old picture";
  WriteBytes(target, old);
  PutBitmap(owner.Hwnd(), 30, 20);
  EXPECT_EQ(GraphicsUtils::SaveClipboardImageAs(target).str(), "");
  EXPECT_EQ(SizeOf(target), CSize(30, 20));
  EXPECT_EQ(dir.Names(), std::set<std::string>{"picture.png"});

  // The target is held open without sharing: the save fails and the file is
  // as it was, with no new file beside it.
  WriteBytes(target, old);
  {
    HeldOpen held(target);
    ASSERT_TRUE(held.IsOpen());
    LogScope log;
    const CString message = GraphicsUtils::SaveClipboardImageAs(target);
    const CString prefix("Unable to save the image to the disk drive.");
    EXPECT_EQ(message.Left(prefix.GetLength()), prefix);
    EXPECT_GT(message.GetLength(), prefix.GetLength()) << "the replacement's error follows";
    EXPECT_EQ(log.Lines().substr(0, 38), "{DAC9CE88-D938-4846-8F99-375EE5960572}");
  }
  EXPECT_EQ(ReadBytes(target), old);
  EXPECT_EQ(dir.Names(), std::set<std::string>{"picture.png"});

  // A folder that does not exist takes nothing and is not made.
  LogScope log;
  EXPECT_EQ(GraphicsUtils::SaveClipboardImageAs(dir.Path("no such folder\\picture.png")).str(),
            "Unable to save the image to the disk drive.");
  EXPECT_EQ(log.Lines().substr(0, 38), "{DAC9CE88-D938-4846-8F99-375EE5960572}");
  EXPECT_EQ(dir.Names(), std::set<std::string>{"picture.png"});
}

TEST(ClipboardImage, AnEmptyBitmapGivesAClearAnswer) {
  TempFolder dir;
  ClipboardOwner owner;
  ASSERT_TRUE(::OpenClipboard(owner.Hwnd()));
  ::EmptyClipboard();
  ::SetClipboardData(CF_BITMAP, ::CreateBitmap(0, 0, 1, 1, nullptr));
  ::CloseClipboard();
  const CString path = dir.Path("empty.png");
  const CString message = GraphicsUtils::SaveClipboardImageAs(path);
  // A 0 x 0 bitmap is the system's 1 x 1 stock bitmap.
  EXPECT_EQ(message.str(), "");
  EXPECT_EQ(SizeOf(path), CSize(1, 1));
}

TEST(CopyFileToClipboard, PutsTheImageWithTransparencyOverWhite) {
  TempFolder dir;
  ClipboardOwner owner;
  const CString opaque = dir.Path("opaque.bmp");
  ASSERT_TRUE(MakeImageFile(opaque, 40, 30, L"image/bmp"));
  // A PNG whose right half is transparent.
  const CString clear = dir.Path("clear.png");
  {
    qor::GdiplusSession session;
    Gdiplus::Bitmap bmp(20, 10, PixelFormat32bppARGB);
    Gdiplus::Graphics g(&bmp);
    g.Clear(Gdiplus::Color(0, 0, 0, 0));
    Gdiplus::SolidBrush red(Gdiplus::Color(255, 255, 0, 0));
    g.FillRectangle(&red, 0, 0, 10, 10);
    CLSID clsid;
    ASSERT_TRUE(Encoders::GetEncoderClsid(L"image/png", &clsid));
    ASSERT_EQ(bmp.Save(Wide(clear).c_str(), &clsid, nullptr), Gdiplus::Ok);
  }

  // Without a main window the clipboard has no owner to take the bitmap.
  EmptyClipboard(owner.Hwnd());
  EXPECT_FALSE(GraphicsUtils::CopyFileToClipboard(opaque));

  CWinApp app("image tests");
  app.m_pMainWnd = &owner.Wnd();
  COLORREF cr = 0;
  EXPECT_TRUE(GraphicsUtils::CopyFileToClipboard(opaque));
  EXPECT_EQ(ClipboardBitmap(35, 25, &cr), CSize(40, 30));
  EXPECT_EQ(cr, kBlue);
  EXPECT_TRUE(GraphicsUtils::CopyFileToClipboard(clear));
  EXPECT_EQ(ClipboardBitmap(2, 2, &cr), CSize(20, 10));
  EXPECT_EQ(cr, kRed);
  ClipboardBitmap(15, 5, &cr);
  EXPECT_EQ(cr, RGB(255, 255, 255));

  // Nothing readable leaves the clipboard as it was.
  MakeBadImages(dir);
  for (const char* name : kBadImages) {
    EXPECT_FALSE(GraphicsUtils::CopyFileToClipboard(dir.Path(name))) << name;
    EXPECT_EQ(ClipboardBitmap(2, 2, &cr), CSize(20, 10)) << name;
  }
  EXPECT_FALSE(GraphicsUtils::CopyFileToClipboard(CString()));
  app.m_pMainWnd = nullptr;
}

TEST(SaveResourceToFile, WritesExactlyTheResourceBytes) {
  TempFolder dir;
  const std::string bytes = ReadBytes(CString(SOURCE_RES_DIR "/image_bytes.bin"));
  ASSERT_EQ(bytes.size(), 267u);
  HINSTANCE hExe = ::GetModuleHandleA(nullptr);
  const HINSTANCE hBefore = AfxGetResourceHandle();

  const CString byNumber = dir.Path("number.bin");
  EXPECT_TRUE(GraphicsUtils::SaveResourceToFile(hExe, MAKEINTRESOURCEA(200), CString("IMGDATA"), byNumber));
  EXPECT_EQ(ReadBytes(byNumber), bytes);
  // By name, from the program's own module, over an existing longer file.
  const CString byName = dir.Path("name.bin");
  WriteBytes(byName, std::string(5000, 'x'));
  EXPECT_TRUE(GraphicsUtils::SaveResourceToFile(nullptr, "NAMEDBYTES", CString("IMGDATA"), byName));
  EXPECT_EQ(ReadBytes(byName), bytes);
  EXPECT_EQ(AfxGetResourceHandle(), hBefore);
  EXPECT_EQ(dir.Names(), (std::set<std::string>{"name.bin", "number.bin"}));

  // A missing resource writes nothing and logs nothing, and an existing file stays.
  {
    LogScope log;
    EXPECT_FALSE(GraphicsUtils::SaveResourceToFile(hExe, "NOSUCH", CString("IMGDATA"), dir.Path("none.bin")));
    EXPECT_FALSE(GraphicsUtils::SaveResourceToFile(hExe, MAKEINTRESOURCEA(200), CString("OTHER"), byName));
    HINSTANCE hLibrary = ::GetModuleHandleA("qor032.dll");
    ASSERT_NE(hLibrary, nullptr);
    EXPECT_FALSE(GraphicsUtils::SaveResourceToFile(hLibrary, MAKEINTRESOURCEA(200), CString("IMGDATA"), byName));
    EXPECT_EQ(log.Lines(), "");
  }
  EXPECT_EQ(AfxGetResourceHandle(), hBefore);
  EXPECT_EQ(ReadBytes(byName), bytes);
  EXPECT_EQ(dir.Names(), (std::set<std::string>{"name.bin", "number.bin"}));

  // A target that cannot be written or replaced keeps what was there.
  const std::string old = "old bytes";
  WriteBytes(byName, old);
  {
    HeldOpen held(byName);
    ASSERT_TRUE(held.IsOpen());
    LogScope log;
    EXPECT_FALSE(GraphicsUtils::SaveResourceToFile(hExe, MAKEINTRESOURCEA(200), CString("IMGDATA"), byName));
    EXPECT_EQ(log.Lines().substr(0, 38), "{A19E9D8E-67C4-4BD9-A1A6-D0F7B472C52C}");
  }
  EXPECT_EQ(ReadBytes(byName), old);
  {
    LogScope log;
    EXPECT_FALSE(GraphicsUtils::SaveResourceToFile(hExe, MAKEINTRESOURCEA(200), CString("IMGDATA"),
                                                   dir.Path("no such folder\\x.bin")));
    EXPECT_EQ(log.Lines().substr(0, 38), "{A19E9D8E-67C4-4BD9-A1A6-D0F7B472C52C}");
  }
  EXPECT_EQ(dir.Names(), (std::set<std::string>{"name.bin", "number.bin"}));
}

}  // namespace
