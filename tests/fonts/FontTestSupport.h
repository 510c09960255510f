// Helpers of the font tests: archives in memory, a byte-level record builder
// and a stand-in for the system's stock font.
#pragma once

#include <cstring>
#include <functional>
#include <string>
#include <vector>

#include <afx.h>

#include "afx_expect.h"

#include "StockFont.h"

namespace fonttest {

// The bytes that fn writes to a storing archive.
inline std::vector<BYTE> Store(const std::function<void(CArchive&)>& fn) { return StoreBytes(fn); }

// Runs fn on a loading archive over bytes; returns how many were left unread.
inline ULONGLONG Load(std::vector<BYTE> bytes, const std::function<void(CArchive&)>& fn) {
  CMemFile file(bytes.empty() ? nullptr : bytes.data(), UINT(bytes.size()));
  CArchive ar(&file, CArchive::load);
  fn(ar);
  return ar.GetRemainingLength();
}

// Little-endian record builder; s() is the framework's short string form.
struct Bytes {
  std::vector<BYTE> v;
  Bytes& b(BYTE x) { return v.push_back(x), *this; }
  Bytes& w(WORD x) { return b(BYTE(x)).b(BYTE(x >> 8)); }
  Bytes& d(DWORD x) { return w(WORD(x)).w(WORD(x >> 16)); }
  Bytes& s(const std::string& str) {
    b(BYTE(str.size()));
    v.insert(v.end(), str.begin(), str.end());
    return *this;
  }
  // The body of a font record after its version: five 32-bit fields, eight
  // bytes and the face name.
  Bytes& font(const LOGFONTA& lf, const std::string& face) {
    d(lf.lfHeight).d(lf.lfWidth).d(lf.lfEscapement).d(lf.lfOrientation).d(lf.lfWeight);
    b(lf.lfItalic).b(lf.lfUnderline).b(lf.lfStrikeOut).b(lf.lfCharSet).b(lf.lfOutPrecision);
    return b(lf.lfClipPrecision).b(lf.lfQuality).b(lf.lfPitchAndFamily).s(face);
  }
};

// A font record with every field distinct.
inline LOGFONTA SampleFont(const char* face = "Liberation Serif") {
  LOGFONTA lf = {-19, 7, 450, -900, 700, 1, 2, 3, 161, 4, 5, 6, 0x22, {}};
  std::strncpy(lf.lfFaceName, face, LF_FACESIZE - 1);
  return lf;
}

// Installs a stock font reader for the life of the object; by default a
// system whose default GUI font is SampleFont("Stock Face").
class StockFontScope {
 public:
  explicit StockFontScope(qor::StockFontReader pfn = [](LOGFONTA& lf) { return lf = SampleFont("Stock Face"), true; })
      : m_pfnOld(qor::SetStockFontReader(pfn)) {}
  ~StockFontScope() { qor::SetStockFontReader(m_pfnOld); }
  StockFontScope(const StockFontScope&) = delete;
  StockFontScope& operator=(const StockFontScope&) = delete;

 private:
  qor::StockFontReader m_pfnOld;
};

inline bool SameBytes(const LOGFONTA& a, const LOGFONTA& b) { return std::memcmp(&a, &b, sizeof a) == 0; }

}  // namespace fonttest
