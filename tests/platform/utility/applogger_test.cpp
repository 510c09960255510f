// AppLogger: line form, appending, flushing and the process-wide pointer.
#include <gtest/gtest.h>

#include "AppLogger.h"
#include "UtilityTestSupport.h"

TEST(AppLogger, AppendsTimestampedFlushedLines) {
  TempFolder tmp;
  WriteFile(tmp.Path("app.log"), "earlier run\n");
  FixedClock clock(DateTime(2024, 2, 29, 13, 5, 9), 42);
  AppLogger logger(tmp.Text("app.log"));
  EXPECT_TRUE(logger.IsOpen());
  logger.AddLine("{92AFC62C-2CC6-411A-811F-FB93419271B5}");
  // On disk while the logger is still open.
  EXPECT_EQ(ReadFile(tmp.Path("app.log")),
            "earlier run\n2024-02-29 13:05:09.042 {92AFC62C-2CC6-411A-811F-FB93419271B5}\n");

  FixedClock::Set(DateTime(2024, 12, 31, 23, 59, 59), 999);
  logger.AddLine("a\r\nb\nc");  // one entry stays one line
  FixedClock::Set(DateTime(), 0);
  logger.AddLine("");
  EXPECT_EQ(ReadFile(tmp.Path("app.log")),
            "earlier run\n2024-02-29 13:05:09.042 {92AFC62C-2CC6-411A-811F-FB93419271B5}\n"
            "2024-12-31 23:59:59.999 a  b c\n0000-00-00 00:00:00.000 \n");
  // Only this object's texts, as written after the stamp.
  EXPECT_EQ(logger.GetLines(), (std::vector<CString>{"{92AFC62C-2CC6-411A-811F-FB93419271B5}", "a  b c", ""}));
}

TEST(AppLogger, UnopenableFileStillKeepsLines) {
  TempFolder tmp;
  for (const CString& strPath : {tmp.Text("missing-folder/app.log"), CString()}) {
    AppLogger logger(strPath);
    EXPECT_FALSE(logger.IsOpen());
    logger.AddLine("kept");
    EXPECT_EQ(logger.GetLines(), std::vector<CString>{"kept"});
  }
  EXPECT_FALSE(std::filesystem::exists(tmp.Path("missing-folder")));
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
  { AppLogger other(tmp.Text("other.log")); }
  EXPECT_EQ(AppLogger::m_pInstance, &host);  // another logger's end leaves it alone
  AppLogger::m_pInstance = nullptr;
}
