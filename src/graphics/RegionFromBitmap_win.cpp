// GraphicsUtils::CreateRgnFromBitmap: the region of a bitmap's opaque pixels.
//
// The pixels are read in blocks of rows (GetDIBits) rather than one GetPixel
// each, and the region is made from the gathered rectangles by ExtCreateRegion
// rather than by one union per rectangle. The result is the region a
// pixel-by-pixel scan through GetPixel gives: the same colour test on the
// colour as the device reports it, the same runs.
//
// The rectangles go to ExtCreateRegion a band of rows at a time, and the
// bands are joined pairwise like the digits of a binary counter: some
// platforms (Wine among them) build a region from rectangles by adding them
// one at a time, which costs time in the square of the count, so one call
// over a large mask is no faster than the unions it replaces. Bands of a few
// dozen rectangles keep that cost near the cost of the call itself, and
// joining regions of disjoint rows is linear in their size.
#include <afxwin.h>
#include <emmintrin.h>

#include <algorithm>
#include <cstdint>
#include <new>
#include <unordered_map>
#include <vector>

#include "FailureLog.h"
#include "GraphicsDraw.h"
#include "GraphicsUtils.h"

namespace {

const char kNoHandle[] = "{DF7813D7-D9CF-45E4-BD53-3572B5BEA99A}";
const char kNoSize[] = "{0000B49E-019E-4AD6-AA91-43F312BBCDFD}";
const char kNoMemoryDC[] = "{261F554C-9A10-4169-8FF5-2419061738DF}";

// Bytes of pixel rows read in one block.
constexpr std::int64_t kStripBytes = 1 << 20;
// Rectangles gathered before a band of whole rows is made into a region.
constexpr std::size_t kBandRects = 32;
// No 24-bit colour key has these bits; marks a key not yet known.
constexpr DWORD kNoKey = 0xFF000000;

// Keeps the bitmap selected into the memory device only while GetPixel needs
// it: GetDIBits wants the bitmap not selected anywhere.
class Selection {
 public:
  Selection(HDC hDC, HBITMAP hBitmap) : m_hDC(hDC), m_hBitmap(hBitmap) {}
  ~Selection() { Deselect(); }
  Selection(const Selection&) = delete;
  Selection& operator=(const Selection&) = delete;

  bool Select() {
    if (m_bSelected) return true;
    HGDIOBJ hOld = ::SelectObject(m_hDC, m_hBitmap);
    if (hOld == nullptr || hOld == HGDI_ERROR) return false;
    if (m_hOld == nullptr) m_hOld = hOld;
    m_bSelected = true;
    return true;
  }
  void Deselect() {
    if (!m_bSelected) return;
    ::SelectObject(m_hDC, m_hOld);
    m_bSelected = false;
  }

 private:
  HDC m_hDC;
  HBITMAP m_hBitmap;
  HGDIOBJ m_hOld = nullptr;
  bool m_bSelected = false;
};

// Turns the rows of a bitmap into colours as GetPixel reports them.
class PixelReader {
 public:
  PixelReader(HDC hDC, HBITMAP hBitmap, const BITMAP& bm, Selection& selection)
      : m_hDC(hDC), m_hBitmap(hBitmap), m_nWidth(bm.bmWidth), m_nHeight(bm.bmHeight), m_selection(selection) {
    // 24- and 32-bit pixels are what GetPixel reports, byte for byte. Other
    // depths (and channel masks of a DIB section) are expanded by rules the
    // two calls need not share, so each distinct value is asked of GetPixel
    // once.
    m_bDirect = bm.bmBitsPixel == 24 || bm.bmBitsPixel == 32;
    DIBSECTION ds;
    if (m_bDirect && ::GetObjectA(hBitmap, sizeof ds, &ds) == sizeof ds && ds.dsBmih.biCompression == BI_BITFIELDS)
      m_bDirect = false;
    const std::int64_t nRowBytes = static_cast<std::int64_t>(m_nWidth) * 4;
    m_nStripRows = static_cast<int>(std::clamp<std::int64_t>(kStripBytes / nRowBytes, 1, m_nHeight));
    m_strip.resize(static_cast<std::size_t>(nRowBytes) * static_cast<std::size_t>(m_nStripRows));
  }

  int GetStripRows() const { return m_nStripRows; }

  // Reads rows nTop .. nTop + nRows - 1 (top-down numbering).
  void ReadStrip(int nTop, int nRows) {
    m_nTop = nTop;
    m_nRows = nRows;
    m_bStripRead = false;
    m_selection.Deselect();
    BITMAPINFO bi{};
    bi.bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
    bi.bmiHeader.biWidth = m_nWidth;
    bi.bmiHeader.biHeight = m_nHeight;  // bottom-up: scan line 0 is the bottom row
    bi.bmiHeader.biPlanes = 1;
    bi.bmiHeader.biBitCount = 32;
    bi.bmiHeader.biCompression = BI_RGB;
    const UINT nFirstScan = static_cast<UINT>(m_nHeight - nTop - nRows);
    m_bStripRead = ::GetDIBits(m_hDC, m_hBitmap, nFirstScan, static_cast<UINT>(nRows), m_strip.data(), &bi,
                               DIB_RGB_COLORS) == nRows;
  }

  // Row y of the strip last read, as colours.
  void GetRow(int y, COLORREF* pRow) {
    if (!m_bStripRead) {
      // The block could not be read: ask the device pixel by pixel.
      const bool bSelected = m_selection.Select();
      for (int x = 0; x < m_nWidth; ++x) pRow[x] = bSelected ? ::GetPixel(m_hDC, x, y) : CLR_INVALID;
      return;
    }
    // The strip is stored bottom row first.
    const DWORD* pBits = reinterpret_cast<const DWORD*>(m_strip.data()) +
                         static_cast<std::size_t>(m_nTop + m_nRows - 1 - y) * static_cast<std::size_t>(m_nWidth);
    int x = 0;
    if (m_bDirect) {
      // Blue, green, red, unused to red, green, blue, 0; four pixels at a time.
      const __m128i kLow = _mm_set1_epi32(0xFF), kGreen = _mm_set1_epi32(0xFF00);
      for (; x + 4 <= m_nWidth; x += 4) {
        const __m128i p = _mm_loadu_si128(reinterpret_cast<const __m128i*>(pBits + x));
        const __m128i c = _mm_or_si128(_mm_or_si128(_mm_slli_epi32(_mm_and_si128(p, kLow), 16), _mm_and_si128(p, kGreen)),
                                       _mm_and_si128(_mm_srli_epi32(p, 16), kLow));
        _mm_storeu_si128(reinterpret_cast<__m128i*>(pRow + x), c);
      }
      for (; x < m_nWidth; ++x) {
        const DWORD p = pBits[x];
        pRow[x] = ((p & 0xFF) << 16) | (p & 0xFF00) | ((p >> 16) & 0xFF);
      }
      return;
    }
    // Masks mostly alternate between two values: the last two keys are kept
    // at hand and chosen between without a branch on the pixel.
    for (; x < m_nWidth; ++x) {
      const DWORD nKey = pBits[x] & 0x00FFFFFF;
      if ((nKey != m_nKeys[0]) & (nKey != m_nKeys[1])) Learn(nKey, x, y);
      pRow[x] = nKey == m_nKeys[0] ? m_crKeys[0] : m_crKeys[1];
    }
  }

 private:
  HDC m_hDC;
  HBITMAP m_hBitmap;
  int m_nWidth;
  int m_nHeight;
  Selection& m_selection;
  bool m_bDirect = false;
  int m_nStripRows = 1;
  int m_nTop = 0;
  int m_nRows = 0;
  bool m_bStripRead = false;
  std::vector<BYTE> m_strip;
  // Makes nKey the first of the two keys at hand, asking the device for its
  // colour the first time the key is seen.
  void Learn(DWORD nKey, int x, int y) {
    auto it = m_known.find(nKey);
    if (it == m_known.end()) {
      const COLORREF cr = m_selection.Select() ? ::GetPixel(m_hDC, x, y) : CLR_INVALID;
      it = m_known.emplace(nKey, cr).first;
    }
    m_nKeys[1] = m_nKeys[0];
    m_crKeys[1] = m_crKeys[0];
    m_nKeys[0] = nKey;
    m_crKeys[0] = it->second;
  }

  std::unordered_map<DWORD, COLORREF> m_known;
  DWORD m_nKeys[2] = {kNoKey, kNoKey};
  COLORREF m_crKeys[2] = {0, 0};
};

// Joins band regions into one, keeping at most one pending region per size
// class so that every rectangle takes part in a logarithmic number of joins.
class RegionBuilder {
 public:
  RegionBuilder() = default;
  RegionBuilder(const RegionBuilder&) = delete;
  RegionBuilder& operator=(const RegionBuilder&) = delete;
  ~RegionBuilder() {
    for (const Pending& p : m_pending) ::DeleteObject(p.hRgn);
  }

  // Makes the gathered rectangles into a region, joins it in and empties the
  // list. False when no region can be made at all.
  bool AddBand(qor::gfx::RegionRects& rects) {
    if (rects.GetCount() == 0) return true;
    const void* pData = rects.GetData();
    HRGN hBand = ::ExtCreateRegion(nullptr, static_cast<DWORD>(rects.GetDataSize()),
                                   static_cast<const RGNDATA*>(pData));
    if (hBand == nullptr) {
      // One union per rectangle, skipping any that cannot be made.
      hBand = ::CreateRectRgn(0, 0, 0, 0);
      if (hBand == nullptr) return false;
      for (std::size_t i = 0; i < rects.GetCount(); ++i) {
        const RECT& rc = rects[i];
        if (HRGN hRect = ::CreateRectRgn(rc.left, rc.top, rc.right, rc.bottom)) {
          ::CombineRgn(hBand, hBand, hRect, RGN_OR);
          ::DeleteObject(hRect);
        }
      }
    }
    rects.Clear();
    try {
      m_pending.push_back({hBand, 0});
    } catch (...) {
      ::DeleteObject(hBand);
      throw;
    }
    while (m_pending.size() >= 2 && m_pending[m_pending.size() - 2].nLevel == m_pending.back().nLevel) {
      JoinLast();
      ++m_pending.back().nLevel;
    }
    return true;
  }

  // The whole region (the empty region when no band was added); the caller
  // owns it.
  HRGN Finish() {
    while (m_pending.size() >= 2) JoinLast();
    if (m_pending.empty()) return ::CreateRectRgn(0, 0, 0, 0);
    HRGN hRgn = m_pending.back().hRgn;
    m_pending.clear();
    return hRgn;
  }

 private:
  struct Pending {
    HRGN hRgn;
    int nLevel;
  };
  void JoinLast() {
    HRGN hLast = m_pending.back().hRgn;
    m_pending.pop_back();
    ::CombineRgn(m_pending.back().hRgn, m_pending.back().hRgn, hLast, RGN_OR);
    ::DeleteObject(hLast);
  }
  std::vector<Pending> m_pending;
};

HRGN ScanBitmap(HDC hMemDC, HBITMAP hBitmap, const BITMAP& bm, COLORREF crTransparent, Selection& selection) {
  qor::gfx::RegionRects rects;
  RegionBuilder builder;
  if (bm.bmWidth > 0 && bm.bmHeight > 0) {
    PixelReader reader(hMemDC, hBitmap, bm, selection);
    std::vector<COLORREF> row(static_cast<std::size_t>(bm.bmWidth));
    // Top row first, so that the rectangles arrive in the banded order in
    // which regions keep them.
    for (int nTop = 0; nTop < bm.bmHeight; nTop += reader.GetStripRows()) {
      const int nRows = std::min<int>(reader.GetStripRows(), bm.bmHeight - nTop);
      reader.ReadStrip(nTop, nRows);
      for (int y = nTop; y < nTop + nRows; ++y) {
        reader.GetRow(y, row.data());
        qor::gfx::ScanRow(row.data(), bm.bmWidth, y, crTransparent, rects);
        if (rects.GetCount() >= kBandRects && !builder.AddBand(rects)) return nullptr;
      }
    }
  }
  selection.Deselect();
  if (!builder.AddBand(rects)) return nullptr;
  return builder.Finish();
}

}  // namespace

HRGN GraphicsUtils::CreateRgnFromBitmap(CBitmap& bitmap, unsigned long crTransparent, CDC* pDC) {
  HBITMAP hBitmap = static_cast<HBITMAP>(bitmap.m_hObject);
  if (hBitmap == nullptr) {
    qor::LogFailure(kNoHandle);
    return nullptr;
  }
  BITMAP bm{};
  if (::GetObjectA(hBitmap, sizeof bm, &bm) != sizeof bm) {
    qor::LogFailure(kNoSize);
    return nullptr;
  }
  if (pDC == nullptr) return nullptr;

  CDC memDC;
  if (!memDC.CreateCompatibleDC(pDC)) {
    qor::LogFailure(kNoMemoryDC);
    return nullptr;
  }
  // Declared after the memory device, so the bitmap is selected out before
  // the device is deleted.
  Selection selection(memDC.m_hDC, hBitmap);
  // A bitmap that cannot be selected (it is selected into another device)
  // cannot be read pixel by pixel either; that is the memory device failing,
  // not a bitmap without transparent pixels.
  if (!selection.Select()) {
    qor::LogFailure(kNoMemoryDC);
    return nullptr;
  }
  try {
    return ScanBitmap(memDC.m_hDC, hBitmap, bm, static_cast<COLORREF>(crTransparent), selection);
  } catch (const std::bad_alloc&) {
    return nullptr;
  }
}
