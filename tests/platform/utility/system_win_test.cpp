// The Windows forms of SystemUtils, StringUtils and SmartHANDLE, and paths
// in the ANSI code page.
#include <gtest/gtest.h>

#include <windows.h>

#include <filesystem>
#include <string>

#include "FileUtils.h"
#include "SmartHANDLE.h"
#include "StringUtils.h"
#include "SystemUtils.h"
#include "UtilityTestSupport.h"

namespace {

// The system's own text for an error, read here independently.
std::string SystemText(DWORD dwError) {
  char sz[1024] = {};
  const DWORD n = ::FormatMessageA(FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS, nullptr, dwError, 0, sz,
                                   sizeof(sz), nullptr);
  std::string s(sz, n);
  while (!s.empty() && (s.back() == '\r' || s.back() == '\n' || s.back() == ' ' || s.back() == '.')) s.pop_back();
  return s;
}

HANDLE OpenExclusive(const std::filesystem::path& path) {
  return ::CreateFileW(path.c_str(), GENERIC_READ | GENERIC_WRITE, 0, nullptr, OPEN_ALWAYS, FILE_ATTRIBUTE_NORMAL,
                       nullptr);
}

}  // namespace

TEST(SystemUtilsWin, TextOfAGivenError) {
  const CString str = SystemUtils::GetLastError(ERROR_FILE_NOT_FOUND);
  EXPECT_FALSE(str.IsEmpty());
  EXPECT_EQ(std::string(str.GetString()), SystemText(ERROR_FILE_NOT_FOUND));
  EXPECT_EQ(str.Find('\r'), -1);
  EXPECT_EQ(str.Find('\n'), -1);
}

TEST(SystemUtilsWin, ZeroReadsTheThreadsLastError) {
  ::SetLastError(ERROR_ACCESS_DENIED);
  const CString str = SystemUtils::GetLastError(0);
  EXPECT_EQ(str, SystemUtils::GetLastError(ERROR_ACCESS_DENIED));
  EXPECT_NE(str, SystemUtils::GetLastError(ERROR_FILE_NOT_FOUND));

  // After a failing call, the text is that call's error.
  const HANDLE h = ::CreateFileA("Q:\\surely\\missing\\file.txt", GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0, nullptr);
  ASSERT_EQ(h, INVALID_HANDLE_VALUE);
  const DWORD dwError = ::GetLastError();
  ::SetLastError(dwError);
  EXPECT_EQ(SystemUtils::GetLastError(0), SystemUtils::GetLastError(dwError));
}

TEST(SmartHANDLEWin, ClosesOnDestruction) {
  TempFolder tmp;
  const auto path = tmp.Path("locked.bin");
  {
    SmartHANDLE h(OpenExclusive(path));
    ASSERT_TRUE(h.IsValid());
    // The exclusive open blocks a second one while the owner lives.
    const HANDLE hSecond = OpenExclusive(path);
    EXPECT_EQ(hSecond, INVALID_HANDLE_VALUE);
    if (hSecond != INVALID_HANDLE_VALUE) ::CloseHandle(hSecond);
  }
  SmartHANDLE hAgain(OpenExclusive(path));
  EXPECT_TRUE(hAgain.IsValid());
}

TEST(SmartHANDLEWin, ReleaseKeepsTheHandleOpen) {
  TempFolder tmp;
  const auto path = tmp.Path("kept.bin");
  HANDLE hRaw = nullptr;
  {
    SmartHANDLE h(OpenExclusive(path));
    hRaw = h.Release();
    EXPECT_FALSE(h.IsValid());
  }
  DWORD dwFlags = 0;
  EXPECT_TRUE(::GetHandleInformation(hRaw, &dwFlags));
  EXPECT_EQ(OpenExclusive(path), INVALID_HANDLE_VALUE);
  ::CloseHandle(hRaw);
}

TEST(SmartHANDLEWin, ResetAndMoveCloseExactlyOnce) {
  TempFolder tmp;
  SmartHANDLE a(OpenExclusive(tmp.Path("a.bin")));
  ASSERT_TRUE(a.IsValid());
  a.Reset(OpenExclusive(tmp.Path("b.bin")));  // closes a.bin
  SmartHANDLE probe(OpenExclusive(tmp.Path("a.bin")));
  EXPECT_TRUE(probe.IsValid());
  probe.Close();
  EXPECT_FALSE(probe.IsValid());

  SmartHANDLE b(std::move(a));
  EXPECT_FALSE(a.IsValid());
  EXPECT_TRUE(b.IsValid());
  SmartHANDLE c;
  EXPECT_FALSE(c.IsValid());
  c = std::move(b);
  EXPECT_TRUE(c.IsValid());
  c.Reset(c.Get());  // the same handle again is not closed
  DWORD dwFlags = 0;
  EXPECT_TRUE(::GetHandleInformation(c.Get(), &dwFlags));
  EXPECT_EQ(OpenExclusive(tmp.Path("b.bin")), INVALID_HANDLE_VALUE);
  c.Close();
  SmartHANDLE probeB(OpenExclusive(tmp.Path("b.bin")));
  EXPECT_TRUE(probeB.IsValid());
  SmartHANDLE none(nullptr);
  EXPECT_FALSE(none.IsValid());
}

TEST(StringUtilsWin, UsesTheAnsiCodePage) {
  CString str("caf\xE9 \x80");
  wchar_t* p = StringUtils::ConvertToWCHAR(str);
  ASSERT_NE(p, nullptr);
  wchar_t expected[16] = {};
  ASSERT_EQ(::MultiByteToWideChar(CP_ACP, 0, "caf\xE9 \x80", -1, expected, 16), 7);
  EXPECT_STREQ(p, expected);
  if (::GetACP() == 1252) {
    EXPECT_STREQ(p, L"caf\u00E9 \u20AC");
  }
  delete[] p;
}

TEST(FileUtilsWin, AnsiPathsReachTheRightFile) {
  if (::GetACP() != 1252) GTEST_SKIP() << "code page " << ::GetACP();
  TempFolder tmp;
  // The wide name the system sees, and the same name in 8-bit text.
  const std::filesystem::path wide = tmp.Path() / L"caf\u00E9.txt";
  WriteFile(wide, "x");
  const CString strPath = tmp.Text() + "\\caf\xE9.txt";
  EXPECT_TRUE(FileUtils::DoesFileExist(strPath));
  EXPECT_EQ(FileUtils::GetFileExt(strPath), "txt");
  CString strReason;
  EXPECT_TRUE(FileUtils::DeleteFileA(strPath, strReason, false, false)) << strReason.GetString();
  EXPECT_FALSE(std::filesystem::exists(wide));
}

TEST(FileUtilsWin, DeleteOfAFileInUseFailsWithAReason) {
  TempFolder tmp;
  const auto path = tmp.Path("busy.bin");
  SmartHANDLE h(OpenExclusive(path));
  ASSERT_TRUE(h.IsValid());
  CString strReason;
  EXPECT_FALSE(FileUtils::DeleteFileA(tmp.Text("busy.bin"), strReason, true, false));
  EXPECT_FALSE(strReason.IsEmpty());
  EXPECT_EQ(strReason.Right(1), ".");
  EXPECT_TRUE(std::filesystem::exists(path));
  h.Close();
  EXPECT_TRUE(FileUtils::DeleteFileA(tmp.Text("busy.bin"), strReason, false, false)) << strReason.GetString();
}
