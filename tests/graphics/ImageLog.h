#pragma once

#include <AppLogger.h>

#include <string>

namespace imgtest {

struct LogScope {  // the application log's lines, kept in memory while it lives, for the image tests everywhere
  AppLogger log{CString()};  // no file: the logger keeps the lines
  LogScope() { AppLogger::m_pInstance = &log; }
  std::string Lines() const {  // joined by "|"
    std::string s;
    for (const CString& line : log.GetLines()) s += (s.empty() ? "" : "|") + line.str();
    return s;
  }
};

}  // namespace imgtest
