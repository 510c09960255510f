// AppLogger: line form, appending, flushing and the process-wide pointer.
#include <gtest/gtest.h>

#include "AppLogger.h"
#include "UtilityTestSupport.h"

TEST(AppLogger, WritesTimestampedLinesAndKeepsTheirTexts) {
  TempFolder tmp;
  FixedClock clock(2024, 2, 29, 13, 5, 9, 42);
  AppLogger logger(tmp.Text("app.log"));
  EXPECT_TRUE(logger.IsOpen());
  EXPECT_EQ(logger.GetLogFile(), tmp.Text("app.log"));

  logger.AddLine("{92AFC62C-2CC6-411A-811F-FB93419271B5}");
  // Flushed at once: the line is on disk while the logger is still open.
  EXPECT_EQ(ReadFile(tmp.Path("app.log")), "2024-02-29 13:05:09.042 {92AFC62C-2CC6-411A-811F-FB93419271B5}\n");

  FixedClock::Set(DateTime(2024, 12, 31, 23, 59, 59), 999);
  logger.AddLine("second");
  EXPECT_EQ(ReadFile(tmp.Path("app.log")),
            "2024-02-29 13:05:09.042 {92AFC62C-2CC6-411A-811F-FB93419271B5}\n"
            "2024-12-31 23:59:59.999 second\n");

  const std::vector<CString> lines = logger.GetLines();
  ASSERT_EQ(lines.size(), 2u);
  EXPECT_EQ(lines[0], "{92AFC62C-2CC6-411A-811F-FB93419271B5}");
  EXPECT_EQ(lines[1], "second");
}

TEST(AppLogger, AppendsToAnExistingFile) {
  TempFolder tmp;
  WriteFile(tmp.Path("app.log"), "earlier run\n");
  FixedClock clock(2020, 1, 2, 3, 4, 5, 6);
  {
    AppLogger logger(tmp.Text("app.log"));
    logger.AddLine("x");
    // Only the lines of this object, not what the file held before.
    ASSERT_EQ(logger.GetLines().size(), 1u);
  }
  {
    AppLogger logger(tmp.Text("app.log"));
    logger.AddLine("y");
  }
  EXPECT_EQ(ReadFile(tmp.Path("app.log")), "earlier run\n2020-01-02 03:04:05.006 x\n2020-01-02 03:04:05.006 y\n");
}

TEST(AppLogger, LineBreaksInTextStayOnOneLine) {
  TempFolder tmp;
  FixedClock clock(2020, 1, 2, 3, 4, 5, 6);
  AppLogger logger(tmp.Text("app.log"));
  logger.AddLine("a\r\nb\nc");
  logger.AddLine("");
  EXPECT_EQ(ReadFile(tmp.Path("app.log")), "2020-01-02 03:04:05.006 a  b c\n2020-01-02 03:04:05.006 \n");
  ASSERT_EQ(logger.GetLines().size(), 2u);
  EXPECT_EQ(logger.GetLines()[0], "a  b c");
  EXPECT_EQ(logger.GetLines()[1], "");
}

TEST(AppLogger, InvalidClockGivesZeroStamp) {
  TempFolder tmp;
  FixedClock clock(2020, 1, 2, 3, 4, 5, 6);
  FixedClock::Set(DateTime(), 0);
  AppLogger logger(tmp.Text("app.log"));
  logger.AddLine("t");
  EXPECT_EQ(ReadFile(tmp.Path("app.log")), "0000-00-00 00:00:00.000 t\n");
}

TEST(AppLogger, UnopenableFileStillAcceptsLines) {
  TempFolder tmp;
  const CString strPath = tmp.Text("missing-folder/app.log");
  AppLogger logger(strPath);
  EXPECT_FALSE(logger.IsOpen());
  logger.AddLine("kept");
  ASSERT_EQ(logger.GetLines().size(), 1u);
  EXPECT_EQ(logger.GetLines()[0], "kept");
  EXPECT_FALSE(std::filesystem::exists(tmp.Path("missing-folder")));

  AppLogger empty("");
  EXPECT_FALSE(empty.IsOpen());
  empty.AddLine("also kept");
  EXPECT_EQ(empty.GetLines().size(), 1u);
}

TEST(AppLogger, InstancePointerIsTheHostsToSet) {
  TempFolder tmp;
  ASSERT_EQ(AppLogger::m_pInstance, nullptr);
  {
    AppLogger logger(tmp.Text("a.log"));
    EXPECT_EQ(AppLogger::m_pInstance, nullptr);  // the constructor does not take it
    AppLogger::m_pInstance = &logger;
  }
  EXPECT_EQ(AppLogger::m_pInstance, nullptr);  // the destructor gave it back

  AppLogger host(tmp.Text("host.log"));
  AppLogger::m_pInstance = &host;
  {
    AppLogger other(tmp.Text("other.log"));
  }
  EXPECT_EQ(AppLogger::m_pInstance, &host);  // another logger's end leaves it alone
  AppLogger::m_pInstance = nullptr;
}
