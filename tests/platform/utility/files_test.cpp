// FileUtils and DirUtils on a private temporary folder.
#include <gtest/gtest.h>

#include <chrono>
#include <filesystem>

#include "DirUtils.h"
#include "FileUtils.h"
#include "UtilityTestSupport.h"

namespace fs = std::filesystem;

namespace {
const char kSep = static_cast<char>(fs::path::preferred_separator);
}  // namespace

TEST(FileUtils, ExistenceOfFilesAndFolders) {
  TempFolder tmp;
  WriteFile(tmp.Path("a.txt"), "x");
  fs::create_directory(tmp.Path("sub"));
  EXPECT_TRUE(FileUtils::DoesFileExist(tmp.Text("a.txt")));
  for (const CString& s : {tmp.Text("sub"), tmp.Text("b.txt"), CString(), CString("a\0b", 3)})
    EXPECT_FALSE(FileUtils::DoesFileExist(s)) << s.GetString();
  EXPECT_TRUE(DirUtils::DoesDirExist(tmp.Text("sub")));
  EXPECT_TRUE(DirUtils::DoesDirExist(tmp.Text("sub") + kSep));
  for (const CString& s : {tmp.Text("a.txt"), tmp.Text("none"), CString()}) EXPECT_FALSE(DirUtils::DoesDirExist(s));

  for (bool bAccept : {false, true}) {  // existing: a file whatever the flags, a folder never
    EXPECT_TRUE(FileUtils::IsFile(tmp.Text("a.txt"), bAccept, !bAccept));
    EXPECT_FALSE(FileUtils::IsFile(tmp.Text("sub"), bAccept, bAccept));
  }
  // Missing: only when accepted, and in a missing folder only when that is too.
  EXPECT_FALSE(FileUtils::IsFile(tmp.Text("new.png"), false, true));
  EXPECT_TRUE(FileUtils::IsFile(tmp.Text("new.png"), true, false));
  EXPECT_FALSE(FileUtils::IsFile(tmp.Text("later/new.png"), true, false));
  EXPECT_TRUE(FileUtils::IsFile(tmp.Text("later/new.png"), true, true));
  for (const char* p : {"bare-name.txt", "C:\\dir\\f.txt", "c:f.txt"}) EXPECT_TRUE(FileUtils::IsFile(p, true, true));
  for (const char* p : {"", "dir\\", "dir/", "a?b.txt", "a*b.txt", "a<b", "a>b", "a|b", "a\"b", "C:x:y.txt",
                        "ab:c.txt", "dir/name.", "name ", "..", ".", "dir/..", "C:", "tab\there"})
    EXPECT_FALSE(FileUtils::IsFile(p, true, true)) << p;
}

TEST(FileUtils, NamesExtensionsAndFolderParts) {
  const char* ext[][2] = {{"a.txt", "txt"},  {"C:\\a.b\\c.PNG", "PNG"}, {"C:\\a.b\\c", ""},       {"a.b/", ""},
                          {"trailing.", ""}, {".profile", ""},          {"dir/.hidden.txt", "txt"}, {"a.tar.gz", "gz"}};
  for (const auto& e : ext) EXPECT_EQ(FileUtils::GetFileExt(e[0]), e[1]) << e[0];
  EXPECT_EQ(FileUtils::GetFileName("C:\\a.b\\c.PNG"), "c.PNG");
  EXPECT_EQ(FileUtils::GetFileName("/x/c.PNG"), "c.PNG");
  const char* dir[][2] = {{"C:\\a\\b.txt", "C:\\a\\"}, {"a/b\\c.txt", "a/b\\"}, {"dir/", "dir/"},
                          {"file.txt", ""},            {"", ""},                 {"\\f", "\\"}};
  for (const auto& d : dir) EXPECT_EQ(DirUtils::ParsePathFromFile(d[0]), d[1]) << d[0];
}

TEST(FileUtils, DeleteGivesReasons) {
  TempFolder tmp;
  WriteFile(tmp.Path("a.txt"), "x");
  fs::create_directory(tmp.Path("sub"));
  CString strReason = "stale";
  // The unsuffixed name reaches the same member (through the windows.h macro
  // on Windows, the forwarder elsewhere).
  EXPECT_TRUE(FileUtils::DeleteFile(tmp.Text("a.txt"), strReason, false, false));
  EXPECT_EQ(strReason, "");
  EXPECT_FALSE(fs::exists(tmp.Path("a.txt")));
  EXPECT_TRUE(FileUtils::DeleteFileA(tmp.Text("a.txt"), strReason, false, true));  // missing counts as deleted
  EXPECT_EQ(strReason, "");
  const struct { CString path; bool bMissingIsSuccess; const char* reason; } refused[] = {
      {tmp.Text("a.txt"), false, "The file does not exist."},
      {CString(), true, "No file name was given."},
      {tmp.Text("sub"), true, "The path names a folder, not a file."}};
  for (const auto& r : refused) {
    EXPECT_FALSE(FileUtils::DeleteFileA(r.path, strReason, true, r.bMissingIsSuccess));
    EXPECT_EQ(strReason, r.reason);
  }
  EXPECT_TRUE(fs::is_directory(tmp.Path("sub")));

  WriteFile(tmp.Path("ro.txt"), "keep");
  fs::permissions(tmp.Path("ro.txt"), fs::perms::owner_write | fs::perms::group_write | fs::perms::others_write,
                  fs::perm_options::remove);
  EXPECT_FALSE(FileUtils::DeleteFileA(tmp.Text("ro.txt"), strReason, false, false));
  EXPECT_EQ(strReason, "The file is read-only.");
  EXPECT_EQ(ReadFile(tmp.Path("ro.txt")), "keep");
  EXPECT_TRUE(FileUtils::DeleteFileA(tmp.Text("ro.txt"), strReason, true, false));
  EXPECT_FALSE(fs::exists(tmp.Path("ro.txt")));
}

TEST(FileUtils, FileInfoSizeAndTime) {
  TempFolder tmp;
  WriteFile(tmp.Path("data.bin"), std::string(1234, 'z'));
  WriteFile(tmp.Path("empty"), "");
  fs::create_directory(tmp.Path("sub"));
  const __int64 nUnix = 1655288430LL;  // 2022-06-15 10:20:30 UTC
  fs::last_write_time(tmp.Path("data.bin"),
                      std::chrono::file_clock::from_sys(std::chrono::sys_seconds(std::chrono::seconds(nUnix))));
  unsigned __int64 nSize = 0;
  DateTime dtModified, dtExpected;
  ASSERT_TRUE(FileUtils::GetFileInfoCore(tmp.Text("data.bin"), nSize, dtModified));
  EXPECT_EQ(nSize, 1234u);
  ASSERT_TRUE(DateTime::FromUnixSeconds(nUnix, dtExpected));
  EXPECT_EQ(dtModified.Format(), dtExpected.Format());
  EXPECT_TRUE(FileUtils::GetFileInfoCore(tmp.Text("empty"), nSize, dtModified));
  EXPECT_EQ(nSize, 0u);
  EXPECT_TRUE(dtModified.IsValid());
  for (const CString& s : {tmp.Text("missing"), tmp.Text("sub"), CString()}) {
    nSize = 99;
    dtModified.SetDate(2020, 1, 1);
    EXPECT_FALSE(FileUtils::GetFileInfoCore(s, nSize, dtModified)) << s.GetString();
    EXPECT_EQ(nSize, 0u);
    EXPECT_FALSE(dtModified.IsValid());
  }
}

TEST(DirUtils, TempDirAndCreateDirectory) {
  std::string strSystem = fs::temp_directory_path().string();
  if (strSystem.back() != kSep) strSystem += kSep;
  EXPECT_EQ(std::string(DirUtils::GetTempDir().GetString()), strSystem);  // one separator at the end

  TempFolder tmp;
  const CString strDeep = tmp.Text("a") + kSep + "b" + kSep + "c";
  EXPECT_TRUE(DirUtils::CreateDirectory(strDeep));  // parents too
  EXPECT_TRUE(fs::is_directory(tmp.Path("a") / "b" / "c"));
  EXPECT_TRUE(DirUtils::CreateDirectoryA(strDeep));  // already there
  EXPECT_TRUE(DirUtils::CreateDirectoryA(tmp.Text("x") + kSep + "y" + kSep));
  EXPECT_TRUE(fs::is_directory(tmp.Path("x") / "y"));
  WriteFile(tmp.Path("file"), "x");
  for (const CString& s : {CString(), tmp.Text("file"), tmp.Text("file") + kSep + "below"})
    EXPECT_FALSE(DirUtils::CreateDirectoryA(s)) << s.GetString();
  EXPECT_TRUE(fs::is_regular_file(tmp.Path("file")));
}
