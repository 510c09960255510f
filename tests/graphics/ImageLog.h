#pragma once

#include <AppLogger.h>

#include <string>

// The application log's lines, kept in memory while it lives, for the image tests everywhere.
struct LogScope {
  AppLogger log{CString()};  // no file: the logger keeps the lines
  LogScope() { AppLogger::m_pInstance = &log; }
  std::string Lines() const {  // joined by "|"
    std::string s;
    for (const CString& line : log.GetLines()) s += (s.empty() ? "" : "|") + line.str();
    return s;
  }
};
