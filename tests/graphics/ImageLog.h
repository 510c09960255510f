// The application log pointed at a temporary file while the object lives,
// for the image tests on every system.
#pragma once

#include <AppLogger.h>

#include <filesystem>
#include <string>

namespace imgtest {

// The lines written while it lives, joined by "|".
struct LogScope {
  struct File {  // removed after the logger has closed it
    std::filesystem::path path = std::filesystem::temp_directory_path() / "qor_img_test.log";
    ~File() { std::error_code ec; std::filesystem::remove(path, ec); }
  } file;
  AppLogger log{CString(file.path.string().c_str())};
  LogScope() { AppLogger::m_pInstance = &log; }
  std::string Lines() const {
    std::string s;
    for (const CString& line : log.GetLines()) s += (s.empty() ? "" : "|") + line.str();
    return s;
  }
};

}  // namespace imgtest
