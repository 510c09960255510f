// The Windows forms of SystemUtils, StringUtils and SmartHANDLE, and paths
// in the ANSI code page.
#include <gtest/gtest.h>

#include <windows.h>

#include <filesystem>
#include <memory>

#include "FileUtils.h"
#include "SmartHANDLE.h"
#include "StringUtils.h"
#include "SystemUtils.h"
#include "UtilityTestSupport.h"

namespace {

HANDLE OpenExclusive(const std::filesystem::path& path) {
  return ::CreateFileW(path.c_str(), GENERIC_READ | GENERIC_WRITE, 0, nullptr, OPEN_ALWAYS, FILE_ATTRIBUTE_NORMAL,
                       nullptr);
}

// Whether someone holds the file open exclusively (a second open fails).
bool IsLocked(const std::filesystem::path& path) {
  const HANDLE h = OpenExclusive(path);
  if (h != INVALID_HANDLE_VALUE) ::CloseHandle(h);
  return h == INVALID_HANDLE_VALUE;
}

}  // namespace

TEST(SystemUtilsWin, ZeroReadsTheThreadsLastError) {
  ::SetLastError(ERROR_ACCESS_DENIED);
  const CString str = SystemUtils::GetLastError(0);
  EXPECT_EQ(str, SystemUtils::GetLastError(ERROR_ACCESS_DENIED));
  EXPECT_NE(str, SystemUtils::GetLastError(ERROR_FILE_NOT_FOUND));
}

TEST(SmartHANDLEWin, ClosesExactlyOnce) {
  TempFolder tmp;
  const auto a = tmp.Path("a.bin"), b = tmp.Path("b.bin");
  { EXPECT_TRUE(SmartHANDLE(OpenExclusive(a)).IsValid() && IsLocked(a)); }
  EXPECT_FALSE(IsLocked(a));  // closed on destruction
  const HANDLE hRaw = SmartHANDLE(OpenExclusive(a)).Release();
  EXPECT_TRUE(IsLocked(a));  // released, not closed
  SmartHANDLE owner(hRaw);
  owner.Reset(OpenExclusive(b));  // closes a.bin
  EXPECT_FALSE(IsLocked(a));
  SmartHANDLE moved(std::move(owner)), target;
  EXPECT_FALSE(owner.IsValid() || target.IsValid() || SmartHANDLE(nullptr).IsValid());
  target = std::move(moved);
  EXPECT_FALSE(moved.IsValid());
  target.Reset(target.Get());  // the same handle again is not closed
  EXPECT_TRUE(IsLocked(b));
  target.Close();
  EXPECT_FALSE(target.IsValid() || IsLocked(b));
}

TEST(StringUtilsWin, UsesTheAnsiCodePage) {
  CString str("caf\xE9 \x80");
  const std::unique_ptr<wchar_t[]> p(StringUtils::ConvertToWCHAR(str));
  wchar_t expected[16] = {};
  ASSERT_EQ(::MultiByteToWideChar(CP_ACP, 0, "caf\xE9 \x80", -1, expected, 16), 7);
  EXPECT_STREQ(p.get(), ::GetACP() == 1252 ? L"caf\u00E9 \u20AC" : expected);
}

TEST(FileUtilsWin, AnsiPathsAndFilesInUse) {
  TempFolder tmp;
  CString strReason;
  if (::GetACP() == 1252) {
    // The wide name the system sees, reached through the same name in 8-bit text.
    const std::filesystem::path wide = tmp.Path() / L"caf\u00E9.txt";
    WriteFile(wide, "x");
    EXPECT_TRUE(FileUtils::DoesFileExist(tmp.Text() + "\\caf\xE9.txt"));
    EXPECT_TRUE(FileUtils::DeleteFileA(tmp.Text() + "\\caf\xE9.txt", strReason, false, false));
    EXPECT_FALSE(std::filesystem::exists(wide));
  }
  SmartHANDLE h(OpenExclusive(tmp.Path("busy.bin")));
  EXPECT_FALSE(FileUtils::DeleteFileA(tmp.Text("busy.bin"), strReason, true, false));
  EXPECT_EQ(strReason.Right(1), ".");
  EXPECT_GT(strReason.GetLength(), 1);
  EXPECT_TRUE(std::filesystem::exists(tmp.Path("busy.bin")));
  h.Close();
  EXPECT_TRUE(FileUtils::DeleteFileA(tmp.Text("busy.bin"), strReason, false, false)) << strReason.GetString();
}
