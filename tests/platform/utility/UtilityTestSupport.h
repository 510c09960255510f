// Helpers shared by the utility tests: a private temporary folder and a
// fixed clock.
#pragma once

#include <afx.h>

#include <filesystem>
#include <fstream>
#include <random>
#include <string>

#include "DateTime.h"

// A new empty folder under the system's temporary folder, removed with all
// its contents when the object goes away.
class TempFolder {
 public:
  TempFolder() {
    std::random_device rd;
    const std::filesystem::path base = std::filesystem::temp_directory_path();
    for (int i = 0; i < 100; ++i) {
      const std::filesystem::path candidate = base / ("qor009-test-" + std::to_string(rd()));
      if (std::filesystem::create_directory(candidate)) {
        m_path = candidate;
        return;
      }
    }
    throw std::runtime_error("cannot create a temporary folder");
  }
  ~TempFolder() {
    std::error_code ec;
    // Read-only files left by a failing test must not keep the folder alive.
    for (auto it = std::filesystem::recursive_directory_iterator(m_path, ec);
         !ec && it != std::filesystem::recursive_directory_iterator(); it.increment(ec)) {
      std::filesystem::permissions(it->path(), std::filesystem::perms::owner_write,
                                   std::filesystem::perm_options::add, ec);
    }
    std::filesystem::remove_all(m_path, ec);
  }
  TempFolder(const TempFolder&) = delete;
  TempFolder& operator=(const TempFolder&) = delete;

  const std::filesystem::path& Path() const { return m_path; }
  std::filesystem::path Path(const std::string& name) const { return m_path / name; }
  // The path as the library's 8-bit text (the test folders are ASCII).
  CString Text(const std::string& name = std::string()) const {
    return CString((name.empty() ? m_path : m_path / name).string());
  }

 private:
  std::filesystem::path m_path;
};

inline void WriteFile(const std::filesystem::path& path, const std::string& content) {
  std::ofstream out(path, std::ios::binary);
  out << content;
}

inline std::string ReadFile(const std::filesystem::path& path) {
  std::ifstream in(path, std::ios::binary);
  return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

// Puts a fixed time in DateTime's clock for the life of the object.
class FixedClock {
 public:
  FixedClock(int y, int mo, int d, int h, int mi, int s, int ms) {
    s_dt.SetDateTime(y, mo, d, h, mi, s);
    s_nMs = ms;
    m_pfnOld = DateTime::SetClock(&FixedClock::Read);
  }
  ~FixedClock() { DateTime::SetClock(m_pfnOld); }
  FixedClock(const FixedClock&) = delete;
  FixedClock& operator=(const FixedClock&) = delete;

  static void Set(const DateTime& dt, int ms) {
    s_dt = dt;
    s_nMs = ms;
  }

 private:
  static void Read(DateTime& dtNow, int& nMs) {
    dtNow = s_dt;
    nMs = s_nMs;
  }
  static inline DateTime s_dt;
  static inline int s_nMs = 0;
  DateTime::ClockFunc m_pfnOld;
};
