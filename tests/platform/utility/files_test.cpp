// FileUtils and DirUtils on a private temporary folder.
#include <gtest/gtest.h>

#include <chrono>
#include <filesystem>

#include "DirUtils.h"
#include "FileUtils.h"
#include "UtilityTestSupport.h"

namespace fs = std::filesystem;

namespace {

void MakeReadOnly(const fs::path& path) {
  fs::permissions(path, fs::perms::owner_write | fs::perms::group_write | fs::perms::others_write,
                  fs::perm_options::remove);
}

const char kSep = static_cast<char>(fs::path::preferred_separator);

}  // namespace

TEST(FileUtils, DoesFileExist) {
  TempFolder tmp;
  WriteFile(tmp.Path("a.txt"), "x");
  fs::create_directory(tmp.Path("sub"));
  EXPECT_TRUE(FileUtils::DoesFileExist(tmp.Text("a.txt")));
  EXPECT_FALSE(FileUtils::DoesFileExist(tmp.Text("sub")));
  EXPECT_FALSE(FileUtils::DoesFileExist(tmp.Text("b.txt")));
  EXPECT_FALSE(FileUtils::DoesFileExist(tmp.Text("sub/a.txt")));
  EXPECT_FALSE(FileUtils::DoesFileExist(""));
  EXPECT_FALSE(FileUtils::DoesFileExist(CString("a\0b", 3)));
}

TEST(FileUtils, IsFileExistingAndMissing) {
  TempFolder tmp;
  WriteFile(tmp.Path("a.txt"), "x");
  fs::create_directory(tmp.Path("sub"));
  for (bool b1 : {false, true}) {
    for (bool b2 : {false, true}) {
      EXPECT_TRUE(FileUtils::IsFile(tmp.Text("a.txt"), b1, b2));
      EXPECT_FALSE(FileUtils::IsFile(tmp.Text("sub"), b1, b2));  // a folder is never a file
      EXPECT_FALSE(FileUtils::IsFile("", b1, b2));
    }
  }
  // A file not yet written.
  EXPECT_FALSE(FileUtils::IsFile(tmp.Text("new.png"), false, false));
  EXPECT_FALSE(FileUtils::IsFile(tmp.Text("new.png"), false, true));
  EXPECT_TRUE(FileUtils::IsFile(tmp.Text("new.png"), true, false));
  EXPECT_TRUE(FileUtils::IsFile(tmp.Text("new.png"), true, true));
  // In a folder not yet made.
  EXPECT_FALSE(FileUtils::IsFile(tmp.Text("later/new.png"), true, false));
  EXPECT_TRUE(FileUtils::IsFile(tmp.Text("later/new.png"), true, true));
  EXPECT_TRUE(FileUtils::IsFile("bare-name.txt", true, false));
  EXPECT_TRUE(FileUtils::IsFile("Q:\\no such\\thumb.jpg", true, true));
}

TEST(FileUtils, IsFileRejectsMalformedPaths) {
  const char* bad[] = {"dir\\",      "dir/",        "a?b.txt",  "a*b.txt", "a<b", "a>b",   "a|b",  "a\"b",
                       "C:x:y.txt",  "dir/name.",   "name ",    "..",      ".",   "dir/..", "C:",   "tab\there",
                       "ab:c.txt"};
  for (const char* p : bad) {
    EXPECT_FALSE(FileUtils::IsFile(p, true, true)) << p;
  }
  EXPECT_TRUE(FileUtils::IsFile("C:\\dir\\f.txt", true, true));
  EXPECT_TRUE(FileUtils::IsFile("c:f.txt", true, true));
}

TEST(FileUtils, GetFileExt) {
  EXPECT_EQ(FileUtils::GetFileExt("a.txt"), "txt");
  EXPECT_EQ(FileUtils::GetFileExt("C:\\a.b\\c.PNG"), "PNG");
  EXPECT_EQ(FileUtils::GetFileExt("C:\\a.b\\c"), "");
  EXPECT_EQ(FileUtils::GetFileExt("/x.y/z"), "");
  EXPECT_EQ(FileUtils::GetFileExt("a.b/"), "");
  EXPECT_EQ(FileUtils::GetFileExt("noext"), "");
  EXPECT_EQ(FileUtils::GetFileExt("trailing."), "");
  EXPECT_EQ(FileUtils::GetFileExt(".profile"), "");
  EXPECT_EQ(FileUtils::GetFileExt("dir/.hidden.txt"), "txt");
  EXPECT_EQ(FileUtils::GetFileExt("a.tar.gz"), "gz");
  EXPECT_EQ(FileUtils::GetFileExt(""), "");
  EXPECT_EQ(FileUtils::GetFileName("C:\\a.b\\c.PNG"), "c.PNG");
  EXPECT_EQ(FileUtils::GetFileName("c.PNG"), "c.PNG");
}

TEST(FileUtils, DeleteExistingFile) {
  TempFolder tmp;
  WriteFile(tmp.Path("a.txt"), "x");
  CString strReason = "stale";
  EXPECT_TRUE(FileUtils::DeleteFileA(tmp.Text("a.txt"), strReason, false, false));
  EXPECT_EQ(strReason, "");
  EXPECT_FALSE(fs::exists(tmp.Path("a.txt")));
}

TEST(FileUtils, DeleteMissingFile) {
  TempFolder tmp;
  CString strReason;
  EXPECT_FALSE(FileUtils::DeleteFileA(tmp.Text("none.txt"), strReason, false, false));
  EXPECT_EQ(strReason, "The file does not exist.");
  EXPECT_TRUE(FileUtils::DeleteFileA(tmp.Text("none.txt"), strReason, false, true));
  EXPECT_EQ(strReason, "");
  EXPECT_FALSE(FileUtils::DeleteFileA(tmp.Text("nofolder/none.txt"), strReason, false, false));
  EXPECT_FALSE(strReason.IsEmpty());
}

TEST(FileUtils, DeleteRefusesEmptyPathAndFolders) {
  TempFolder tmp;
  CString strReason;
  EXPECT_FALSE(FileUtils::DeleteFileA("", strReason, true, true));
  EXPECT_EQ(strReason, "No file name was given.");
  fs::create_directory(tmp.Path("sub"));
  EXPECT_FALSE(FileUtils::DeleteFileA(tmp.Text("sub"), strReason, true, true));
  EXPECT_EQ(strReason, "The path names a folder, not a file.");
  EXPECT_TRUE(fs::is_directory(tmp.Path("sub")));
}

TEST(FileUtils, DeleteReadOnlyFileOnlyWhenAsked) {
  TempFolder tmp;
  WriteFile(tmp.Path("ro.txt"), "keep");
  MakeReadOnly(tmp.Path("ro.txt"));
  CString strReason;
  EXPECT_FALSE(FileUtils::DeleteFileA(tmp.Text("ro.txt"), strReason, false, false));
  EXPECT_EQ(strReason, "The file is read-only.");
  EXPECT_EQ(ReadFile(tmp.Path("ro.txt")), "keep");
  EXPECT_TRUE(FileUtils::DeleteFileA(tmp.Text("ro.txt"), strReason, true, false));
  EXPECT_EQ(strReason, "");
  EXPECT_FALSE(fs::exists(tmp.Path("ro.txt")));
}

TEST(FileUtils, UnsuffixedDeleteNameReachesTheSameMember) {
  // On Windows through the windows.h macro, elsewhere through the forwarder.
  TempFolder tmp;
  WriteFile(tmp.Path("a.txt"), "x");
  CString strReason;
  EXPECT_TRUE(FileUtils::DeleteFile(tmp.Text("a.txt"), strReason, false, false));
  EXPECT_FALSE(fs::exists(tmp.Path("a.txt")));
  EXPECT_TRUE(DirUtils::CreateDirectory(tmp.Text("made")));
  EXPECT_TRUE(fs::is_directory(tmp.Path("made")));
}

TEST(FileUtils, GetFileInfoCoreSizeAndTime) {
  TempFolder tmp;
  WriteFile(tmp.Path("data.bin"), std::string(1234, 'z'));
  // 2022-06-15 10:20:30 UTC, set as the file's modification time.
  const __int64 nUnix = 1655288430LL;
  const auto tpSys = std::chrono::sys_seconds(std::chrono::seconds(nUnix));
  fs::last_write_time(tmp.Path("data.bin"), std::chrono::file_clock::from_sys(tpSys));

  unsigned __int64 nSize = 0;
  DateTime dtModified;
  ASSERT_TRUE(FileUtils::GetFileInfoCore(tmp.Text("data.bin"), nSize, dtModified));
  EXPECT_EQ(nSize, 1234u);
  DateTime dtExpected;
  ASSERT_TRUE(DateTime::FromUnixSeconds(nUnix, dtExpected));
  EXPECT_TRUE(dtModified == dtExpected) << dtModified.Format().GetString() << " vs "
                                        << dtExpected.Format().GetString();

  // A later time compares later.
  fs::last_write_time(tmp.Path("data.bin"), std::chrono::file_clock::from_sys(tpSys + std::chrono::seconds(90)));
  DateTime dtLater;
  ASSERT_TRUE(FileUtils::GetFileInfoCore(tmp.Text("data.bin"), nSize, dtLater));
  __int64 nDelta = 0;
  ASSERT_TRUE(DateTime::ConvertDeltaToSeconds(dtLater, dtModified, nDelta));
  EXPECT_EQ(nDelta, 90);
  EXPECT_TRUE(dtLater > dtModified);
}

TEST(FileUtils, GetFileInfoCoreFailures) {
  TempFolder tmp;
  fs::create_directory(tmp.Path("sub"));
  unsigned __int64 nSize = 99;
  DateTime dt(2020, 1, 1);
  EXPECT_FALSE(FileUtils::GetFileInfoCore(tmp.Text("missing"), nSize, dt));
  EXPECT_EQ(nSize, 0u);
  EXPECT_FALSE(dt.IsValid());
  nSize = 99;
  dt.SetDate(2020, 1, 1);
  EXPECT_FALSE(FileUtils::GetFileInfoCore(tmp.Text("sub"), nSize, dt));
  EXPECT_EQ(nSize, 0u);
  EXPECT_FALSE(dt.IsValid());
  EXPECT_FALSE(FileUtils::GetFileInfoCore("", nSize, dt));
}

TEST(FileUtils, GetFileInfoCoreEmptyFile) {
  TempFolder tmp;
  WriteFile(tmp.Path("empty"), "");
  unsigned __int64 nSize = 99;
  DateTime dt;
  EXPECT_TRUE(FileUtils::GetFileInfoCore(tmp.Text("empty"), nSize, dt));
  EXPECT_EQ(nSize, 0u);
  EXPECT_TRUE(dt.IsValid());
}

TEST(DirUtils, TempDirExistsAndEndsWithSeparator) {
  const CString strTemp = DirUtils::GetTempDir();
  ASSERT_FALSE(strTemp.IsEmpty());
  EXPECT_EQ(strTemp.GetAt(strTemp.GetLength() - 1), kSep);
  EXPECT_NE(strTemp.GetAt(strTemp.GetLength() - 2), kSep);
  EXPECT_TRUE(DirUtils::DoesDirExist(strTemp));
  std::string strSystem = fs::temp_directory_path().string();
  if (strSystem.back() != kSep) strSystem += kSep;
  EXPECT_EQ(std::string(strTemp.GetString()), strSystem);
}

TEST(DirUtils, DoesDirExist) {
  TempFolder tmp;
  WriteFile(tmp.Path("f"), "x");
  fs::create_directory(tmp.Path("d"));
  EXPECT_TRUE(DirUtils::DoesDirExist(tmp.Text("d")));
  EXPECT_TRUE(DirUtils::DoesDirExist(tmp.Text("d") + kSep));
  EXPECT_FALSE(DirUtils::DoesDirExist(tmp.Text("f")));
  EXPECT_FALSE(DirUtils::DoesDirExist(tmp.Text("none")));
  EXPECT_FALSE(DirUtils::DoesDirExist(""));
}

TEST(DirUtils, CreateDirectoryMakesParents) {
  TempFolder tmp;
  const CString strDeep = tmp.Text("a") + kSep + "b" + kSep + "c";
  EXPECT_TRUE(DirUtils::CreateDirectoryA(strDeep));
  EXPECT_TRUE(fs::is_directory(tmp.Path("a") / "b" / "c"));
  EXPECT_TRUE(DirUtils::CreateDirectoryA(strDeep));  // already there
  EXPECT_TRUE(DirUtils::CreateDirectoryA(tmp.Text("x") + kSep + "y" + kSep));  // trailing separator
  EXPECT_TRUE(fs::is_directory(tmp.Path("x") / "y"));
}

TEST(DirUtils, CreateDirectoryFailures) {
  TempFolder tmp;
  WriteFile(tmp.Path("file"), "x");
  EXPECT_FALSE(DirUtils::CreateDirectoryA(""));
  EXPECT_FALSE(DirUtils::CreateDirectoryA(tmp.Text("file")));
  EXPECT_FALSE(DirUtils::CreateDirectoryA(tmp.Text("file") + kSep + "below"));
  EXPECT_TRUE(fs::is_regular_file(tmp.Path("file")));
}

TEST(DirUtils, ParsePathFromFile) {
  EXPECT_EQ(DirUtils::ParsePathFromFile("C:\\a\\b.txt"), "C:\\a\\");
  EXPECT_EQ(DirUtils::ParsePathFromFile("/x/y/z"), "/x/y/");
  EXPECT_EQ(DirUtils::ParsePathFromFile("a/b\\c.txt"), "a/b\\");
  EXPECT_EQ(DirUtils::ParsePathFromFile("dir/"), "dir/");
  EXPECT_EQ(DirUtils::ParsePathFromFile("file.txt"), "");
  EXPECT_EQ(DirUtils::ParsePathFromFile(""), "");
  EXPECT_EQ(DirUtils::ParsePathFromFile("\\f"), "\\");
}
