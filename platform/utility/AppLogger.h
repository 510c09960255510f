// The application log: one timestamped line per entry, appended to a file
// that the host chooses.
//
// File line form: "YYYY-MM-DD HH:MM:SS.mmm <text>\n" in local time from
// DateTime's clock, written and flushed at once so that a crash right after
// a failure still leaves the line on disk. A carriage return or line feed
// inside the text is written as a space, so that every entry stays one line.
//
// The host creates one logger and points m_pInstance at it; code that logs
// checks m_pInstance for null first. The logger never sets m_pInstance
// itself, so a host can keep a second logger (or a test its own) without
// taking over the process-wide one.
#pragma once

#include <afx.h>

#include <cstdio>
#include <mutex>
#include <vector>

#include "qor009api.h"

class QOR009_API AppLogger {
 public:
  static AppLogger* m_pInstance;  // process-wide; null when the host has no log

  // Opens (or creates) the file for appending. When it cannot be opened the
  // logger still accepts lines and keeps them for GetLines, but writes
  // nothing; IsOpen tells which.
  explicit AppLogger(const CString& strLogFile);
  ~AppLogger();  // closes the file; resets m_pInstance to null if it points here
  AppLogger(const AppLogger&) = delete;
  AppLogger& operator=(const AppLogger&) = delete;

  void AddLine(const CString& strLine);
  CString GetLogFile() const;
  bool IsOpen() const;
  // The texts added through this object, in order, as they were written to
  // the file after the timestamp (line breaks already turned into spaces).
  std::vector<CString> GetLines() const;

 private:
  CString m_strLogFile;
  std::FILE* m_pFile = nullptr;
  std::vector<CString> m_arrayLines;
  // A host may log from worker threads; the lock keeps lines whole.
  mutable std::mutex m_mutex;
};
