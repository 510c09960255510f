// Helpers shared by the utility tests: a private temporary folder and a
// fixed clock.
#pragma once

#include <afx.h>

#include <filesystem>
#include <fstream>
#include <random>
#include <string>

#include "DateTime.h"

// A new empty folder under the system's temporary folder, removed with its
// contents afterwards.
class TempFolder {
 public:
  TempFolder()
      : m_path(std::filesystem::temp_directory_path() / ("qor009-test-" + std::to_string(std::random_device{}()))) {
    std::filesystem::create_directories(m_path);
  }
  ~TempFolder() {
    std::error_code ec;
    std::filesystem::remove_all(m_path, ec);
  }
  std::filesystem::path Path(const std::string& name = "") const { return name.empty() ? m_path : m_path / name; }
  // The path as the library's 8-bit text (the test folders are ASCII).
  CString Text(const std::string& name = "") const { return CString(Path(name).string()); }

 private:
  std::filesystem::path m_path;
};

inline void WriteFile(const std::filesystem::path& path, const std::string& s) {
  std::ofstream(path, std::ios::binary) << s;
}

inline std::string ReadFile(const std::filesystem::path& path) {
  std::ifstream in(path, std::ios::binary);
  return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

// Puts a fixed time in DateTime's clock for the life of the object.
class FixedClock {
 public:
  FixedClock(const DateTime& dt, int ms) : m_pfnOld(DateTime::SetClock(&FixedClock::Read)) { Set(dt, ms); }
  ~FixedClock() { DateTime::SetClock(m_pfnOld); }
  static void Set(const DateTime& dt, int ms) { s_dt = dt; s_nMs = ms; }

 private:
  static void Read(DateTime& dtNow, int& nMs) { dtNow = s_dt; nMs = s_nMs; }
  static inline DateTime s_dt;
  static inline int s_nMs = 0;
  DateTime::ClockFunc m_pfnOld;
};
