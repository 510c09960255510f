// Helpers of the font tests: archives in memory, byte-level record builders
// and a stand-in for the system's stock font.
#pragma once

#include <gtest/gtest.h>

#include <cstring>
#include <functional>
#include <string>
#include <vector>

#include <afx.h>

#include "StockFont.h"

namespace fonttest {

// The bytes that fn writes to a storing archive.
inline std::vector<BYTE> Store(const std::function<void(CArchive&)>& fn) {
  CMemFile file;
  {
    CArchive ar(&file, CArchive::store);
    fn(ar);
    ar.Close();
  }
  std::vector<BYTE> out(static_cast<size_t>(file.GetLength()));
  file.SeekToBegin();
  if (!out.empty()) file.Read(out.data(), static_cast<UINT>(out.size()));
  return out;
}

// Runs fn on a loading archive over bytes; returns how many bytes were left
// unread.
inline ULONGLONG Load(const std::vector<BYTE>& bytes, const std::function<void(CArchive&)>& fn) {
  std::vector<BYTE> copy(bytes);
  CMemFile file(copy.empty() ? nullptr : copy.data(), static_cast<UINT>(copy.size()));
  CArchive ar(&file, CArchive::load);
  fn(ar);
  return ar.GetRemainingLength();
}

// Little-endian record builder.
struct Bytes {
  std::vector<BYTE> v;
  Bytes& b(BYTE x) {
    v.push_back(x);
    return *this;
  }
  Bytes& w(WORD x) { return b(static_cast<BYTE>(x)).b(static_cast<BYTE>(x >> 8)); }
  Bytes& d(DWORD x) { return w(static_cast<WORD>(x)).w(static_cast<WORD>(x >> 16)); }
  Bytes& l(LONG x) { return d(static_cast<DWORD>(x)); }
  // The framework's short string form: a length byte and the characters.
  Bytes& s(const std::string& str) {
    b(static_cast<BYTE>(str.size()));
    v.insert(v.end(), str.begin(), str.end());
    return *this;
  }
  // The wide form: 0xFF, 0xFFFE, a length byte, UTF-16 units.
  Bytes& ws(const std::string& str) {
    b(0xFF).w(0xFFFE).b(static_cast<BYTE>(str.size()));
    for (char c : str) w(static_cast<BYTE>(c));
    return *this;
  }
  Bytes& append(const std::vector<BYTE>& more) {
    v.insert(v.end(), more.begin(), more.end());
    return *this;
  }
};

// The body of a font record after its version: five 32-bit fields, eight
// bytes and the face name.
inline Bytes& FontBody(Bytes& out, const LOGFONTA& lf, const std::string& face) {
  out.l(lf.lfHeight).l(lf.lfWidth).l(lf.lfEscapement).l(lf.lfOrientation).l(lf.lfWeight);
  out.b(lf.lfItalic).b(lf.lfUnderline).b(lf.lfStrikeOut).b(lf.lfCharSet).b(lf.lfOutPrecision);
  out.b(lf.lfClipPrecision).b(lf.lfQuality).b(lf.lfPitchAndFamily);
  return out.s(face);
}

// A font record with every field distinct.
inline LOGFONTA SampleFont(const char* face = "Liberation Serif") {
  LOGFONTA lf;
  std::memset(&lf, 0, sizeof lf);
  lf.lfHeight = -19;
  lf.lfWidth = 7;
  lf.lfEscapement = 450;
  lf.lfOrientation = -900;
  lf.lfWeight = 700;
  lf.lfItalic = 1;
  lf.lfUnderline = 2;
  lf.lfStrikeOut = 3;
  lf.lfCharSet = 161;
  lf.lfOutPrecision = 4;
  lf.lfClipPrecision = 5;
  lf.lfQuality = 6;
  lf.lfPitchAndFamily = 0x22;
  std::strncpy(lf.lfFaceName, face, LF_FACESIZE - 1);
  return lf;
}

// A system whose default GUI font is SampleFont("Stock Face").
inline bool SampleStockFont(LOGFONTA& lf) {
  lf = SampleFont("Stock Face");
  return true;
}
inline bool NoStockFont(LOGFONTA& lf) {
  lf.lfHeight = 99;  // scribbles, then reports failure
  return false;
}

// Installs a stock font reader for the life of the object.
class StockFontScope {
 public:
  explicit StockFontScope(qor::StockFontReader pfn) : m_pfnOld(qor::SetStockFontReader(pfn)) {}
  ~StockFontScope() { qor::SetStockFontReader(m_pfnOld); }
  StockFontScope(const StockFontScope&) = delete;
  StockFontScope& operator=(const StockFontScope&) = delete;

 private:
  qor::StockFontReader m_pfnOld;
};

inline bool SameBytes(const LOGFONTA& a, const LOGFONTA& b) { return std::memcmp(&a, &b, sizeof a) == 0; }

}  // namespace fonttest
