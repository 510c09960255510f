// Image files and the clipboard on real files: encoders, sizes, clipboard
// round trips in the five formats, refusals, failed saves that keep the old
// file, and resources written out.
#include <gtest/gtest.h>

#include <thread>

#include "ImageTestSupport.h"

namespace {

using namespace imgtest;

TEST(ImageFiles, EncodersAndSizes) {
  CLSID clsid;
  EXPECT_FALSE(Encoders::GetEncoderClsid(L"image/PNG", &clsid));  // letter case counts
  EXPECT_FALSE(Encoders::GetEncoderClsid(nullptr, &clsid) || Encoders::GetEncoderClsid(L"image/png", nullptr));
  TempFolder dir;
  ASSERT_TRUE(MakeImageFile(dir.Path("whole.png"), 64, 48));
  const std::string png = ReadBytes(dir.Path("whole.png"));
  WriteBytes(dir.Path("empty.png"), "");
  WriteBytes(dir.Path("text.png"), "This is only text, named like a picture.");
  WriteBytes(dir.Path("truncated.png"), png.substr(0, png.size() / 2));
  WriteBytes(dir.Path("corrupt.png"), png.substr(0, 20) + std::string(png.size() - 20, '\0'));
  EXPECT_EQ(SizeOf(dir.Path("whole.png")), CSize(64, 48));
  for (const char* name : {"missing.png", "empty.png", "text.png", "truncated.png", "corrupt.png", ""}) {
    EXPECT_EQ(SizeOf(dir.Path(name)), CSize(0, 0)) << name;  // "" names the folder
    EXPECT_FALSE(GraphicsUtils::CopyFileToClipboard(dir.Path(name))) << name;
  }
  EXPECT_EQ(SizeOf(CString()), CSize(0, 0));
}

TEST(ClipboardImage, RoundTripsInEveryFormatAndLetterCase) {
  TempFolder dir;
  ClipboardOwner owner;
  LogScope log;
  for (const char* ext : {"bmp", "jpg", "jpeg", "gif", "tif", "tiff", "png", "BMP", "JPG", "Gif", "TIFF", "pNg"}) {
    PutBitmap(owner.m_hWnd, 64, 48);
    const CString path = dir.Path("clip.") + ext;
    EXPECT_EQ(GraphicsUtils::SaveClipboardImageAs(path).str(), "") << ext;
    EXPECT_EQ(SizeOf(path), CSize(64, 48)) << ext;
    EXPECT_TRUE(Near(path, 5, 5, kRed) && Near(path, 60, 40, kBlue)) << ext;
    EXPECT_EQ(dir.Names(), std::set<std::string>{"clip." + std::string(ext)});
    ::DeleteFileA(path);
  }
  // A path without a folder names the current one.
  char szCurrent[MAX_PATH] = "";
  ::GetCurrentDirectoryA(MAX_PATH, szCurrent);
  ASSERT_TRUE(::SetCurrentDirectoryA(dir.Path("")));
  EXPECT_EQ(GraphicsUtils::SaveClipboardImageAs(CString("here.bmp")).str(), "");
  ::SetCurrentDirectoryA(szCurrent);
  EXPECT_EQ(dir.Names(), (std::set<std::string>{"here.bmp"}));
  EXPECT_EQ(log.Lines(), "");
}

// GDI has no 0 x 0 bitmap: asking for one gives the 1 x 1 stock bitmap, and
// a clipboard holding it deletes the stock object when emptied (Wine then
// hands its handle out again), so the case runs in a process of its own.
TEST(ClipboardImage, DISABLED_ZeroSizeBitmapAlone) {
  TempFolder dir;
  ClipboardOwner owner;
  PutBitmap(owner.m_hWnd, 0, 0);
  EXPECT_EQ(GraphicsUtils::SaveClipboardImageAs(dir.Path("empty.png")).str(), "");
  EXPECT_EQ(SizeOf(dir.Path("empty.png")), CSize(1, 1));
  PutBitmap(owner.m_hWnd, -1, 0);
}

TEST(ClipboardImage, ZeroSizeBitmapGivesOnePixel) {
  char szExe[MAX_PATH] = "";
  ::GetModuleFileNameA(nullptr, szExe, MAX_PATH);
  CString cmd = CString("\"") + szExe +
                "\" --gtest_also_run_disabled_tests --gtest_filter=ClipboardImage.DISABLED_ZeroSizeBitmapAlone";
  STARTUPINFOA si{};
  si.cb = sizeof si;
  PROCESS_INFORMATION pi{};
  ASSERT_TRUE(::CreateProcessA(nullptr, cmd.GetBuffer(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &si, &pi));
  DWORD nExit = 1;
  EXPECT_EQ(::WaitForSingleObject(pi.hProcess, 60000), WAIT_OBJECT_0);
  EXPECT_TRUE(::GetExitCodeProcess(pi.hProcess, &nExit) && nExit == 0);
  ::CloseHandle(pi.hProcess);
  ::CloseHandle(pi.hThread);
}

TEST(ClipboardImage, RefusalsAndFailedSavesKeepEveryFile) {
  TempFolder dir;
  ClipboardOwner owner;
  const CString target = dir.Path("picture.png");
  WriteBytes(target, "the user's old picture");
  HeldOpen held(target);
  // Another thread's window holds the clipboard open during the third case.
  HANDLE hOpened = ::CreateEventA(nullptr, TRUE, FALSE, nullptr), hDone = ::CreateEventA(nullptr, TRUE, FALSE, nullptr);
  std::thread holder;
  auto busy = [&] {
    holder = std::thread([&] {
      ClipboardOwner other;
      const BOOL bOpen = ::OpenClipboard(other.m_hWnd);
      ::SetEvent(hOpened);
      ::WaitForSingleObject(hDone, 10000);
      if (bOpen) ::CloseClipboard();
    });
    ::WaitForSingleObject(hOpened, 10000);
  };
  const char* kUnknown = "Not a recognized file extension into which the image can be saved.";
  const struct {
    int nClipboard;  // -1 empty, 0 held by another thread, 1 a bitmap
    CString path;
    const char *message, *log;
  } cases[] = {
      {1, CString(), "Not a valid file name into which the image can be saved.", "{B38B6418-5568-4933-A48F-78154821180C}"},
      {-1, dir.Path("a.png"), "The Windows Clipboard does not contain a recognized image.", "{EC7F9F17-1870-4EAF-86AD-B11728D54D58}"},
      {0, dir.Path("a.png"), "Unable to retrieve the image. The Windows Clipboard could not be opened.", "{CF23AC75-40F0-40CC-8E18-855C4F7AE1F3}"},
      {1, dir.Path("a.pdf"), kUnknown, ""}, {1, dir.Path("a"), kUnknown, ""}, {1, dir.Path("a.emf"), kUnknown, ""},
      {1, dir.Path("no such folder\\a.png"), "Unable to save the image to the disk drive.", "{DAC9CE88-D938-4846-8F99-375EE5960572}"},
      // The target is held open: the replacement's error (*) follows the message.
      {1, target, "Unable to save the image to the disk drive.*", "{DAC9CE88-D938-4846-8F99-375EE5960572}"},
  };
  for (const auto& c : cases) {
    PutBitmap(owner.m_hWnd, c.nClipboard < 0 ? -1 : 16, 16);
    if (c.nClipboard == 0) busy();
    LogScope log;
    const std::string message = GraphicsUtils::SaveClipboardImageAs(c.path).str(), want = c.message;
    if (want.back() == '*')
      EXPECT_TRUE(message.size() > want.size() && message.compare(0, want.size() - 1, want, 0, want.size() - 1) == 0);
    else
      EXPECT_EQ(message, want) << c.path.str();
    EXPECT_EQ(log.Lines().substr(0, 38), c.log) << c.path.str();
    if (holder.joinable()) ::SetEvent(hDone), holder.join();
  }
  ::CloseHandle(held.h);
  held.h = INVALID_HANDLE_VALUE;
  EXPECT_EQ(ReadBytes(target), "the user's old picture");
  EXPECT_EQ(dir.Names(), std::set<std::string>{"picture.png"});
  // Free again, the save replaces the old file.
  EXPECT_EQ(GraphicsUtils::SaveClipboardImageAs(target).str(), "");
  EXPECT_EQ(SizeOf(target), CSize(16, 16));
  ::CloseHandle(hOpened);
  ::CloseHandle(hDone);
}

TEST(CopyFileToClipboard, PutsTheImageWithTransparencyOverWhite) {
  TempFolder dir;
  ClipboardOwner owner;
  ASSERT_TRUE(MakeImageFile(dir.Path("clear.png"), 20, 10, L"image/png", 96, true));
  ASSERT_TRUE(MakeImageFile(dir.Path("opaque.bmp"), 40, 30, L"image/bmp"));
  EXPECT_FALSE(GraphicsUtils::CopyFileToClipboard(dir.Path("opaque.bmp")));  // no main window to own it
  CWinApp app("image tests");
  app.m_pMainWnd = &owner;
  EXPECT_TRUE(GraphicsUtils::CopyFileToClipboard(dir.Path("opaque.bmp")));
  EXPECT_EQ(ClipboardBitmap(35, 25, kBlue), CSize(40, 30));
  EXPECT_TRUE(GraphicsUtils::CopyFileToClipboard(dir.Path("clear.png")));
  EXPECT_EQ(ClipboardBitmap(2, 2, kRed), CSize(20, 10));
  ClipboardBitmap(15, 5, RGB(255, 255, 255));
  EXPECT_FALSE(GraphicsUtils::CopyFileToClipboard(dir.Path("missing.png")));
  EXPECT_EQ(ClipboardBitmap(2, 2, kRed), CSize(20, 10));  // left as it was
  app.m_pMainWnd = nullptr;
}

TEST(SaveResourceToFile, WritesExactlyTheResourceBytes) {
  TempFolder dir;
  const std::string bytes = ReadBytes(CString(SOURCE_RES_DIR "/image_bytes.bin")), old = "old bytes";
  ASSERT_EQ(bytes.size(), 267u);
  HINSTANCE hExe = ::GetModuleHandleA(nullptr), hLibrary = ::GetModuleHandleA("qor032.dll");
  const HINSTANCE hBefore = AfxGetResourceHandle();
  const CString one = dir.Path("one.bin"), two = dir.Path("two.bin");
  WriteBytes(two, std::string(5000, 'x'));
  EXPECT_TRUE(GraphicsUtils::SaveResourceToFile(hExe, MAKEINTRESOURCEA(200), CString("IMGDATA"), one));
  EXPECT_TRUE(GraphicsUtils::SaveResourceToFile(nullptr, "NAMEDBYTES", CString("IMGDATA"), two));  // over a longer file
  EXPECT_TRUE(ReadBytes(one) == bytes && ReadBytes(two) == bytes);
  WriteBytes(two, old);
  LogScope log;
  // Missing resources write nothing and log nothing.
  EXPECT_FALSE(GraphicsUtils::SaveResourceToFile(hExe, "NOSUCH", CString("IMGDATA"), dir.Path("none.bin")));
  EXPECT_FALSE(GraphicsUtils::SaveResourceToFile(hLibrary, MAKEINTRESOURCEA(200), CString("IMGDATA"), two));
  EXPECT_EQ(log.Lines(), "");
  EXPECT_EQ(AfxGetResourceHandle(), hBefore);
  {
    HeldOpen held(two);
    EXPECT_FALSE(GraphicsUtils::SaveResourceToFile(hExe, MAKEINTRESOURCEA(200), CString("IMGDATA"), two));
  }
  EXPECT_FALSE(GraphicsUtils::SaveResourceToFile(hExe, MAKEINTRESOURCEA(200), CString("IMGDATA"), dir.Path("none\\x.bin")));
  // Each line is the GUID and the system's text.
  const std::string line = "{A19E9D8E-67C4-4BD9-A1A6-D0F7B472C52C}";
  EXPECT_EQ(log.Lines().substr(0, 38), line);
  EXPECT_GT(log.Lines().find("|" + line), 38u);
  EXPECT_NE(log.Lines().find("|" + line), std::string::npos);
  EXPECT_EQ(ReadBytes(two), old);
  EXPECT_EQ(dir.Names(), (std::set<std::string>{"one.bin", "two.bin"}));
}

}  // namespace
