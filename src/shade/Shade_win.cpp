// Shade's one tie to the platform outside the bitmap: painting the face, or
// the button-face colour where there is no face.
#include <cstdint>
#include <limits>

#include "PaletteDib.h"
#include "Shade.h"

namespace {
LONG ClampToLong(std::int64_t n) {
  if (n > std::numeric_limits<LONG>::max()) return std::numeric_limits<LONG>::max();
  if (n < std::numeric_limits<LONG>::min()) return std::numeric_limits<LONG>::min();
  return static_cast<LONG>(n);
}
}  // namespace

Shade::RampColors Shade::GetSystemRampColors() {
  return {::GetSysColor(COLOR_BTNSHADOW), ::GetSysColor(COLOR_BTNFACE), ::GetSysColor(COLOR_BTNHIGHLIGHT)};
}

void Shade::Draw(HDC hDC, long x, long y) {
  if (hDC == nullptr) return;
  // A face is shown only when it matches the current size; after a resize to
  // a zero side the old bitmap would otherwise be painted outside the area.
  if (IsValid()) {
    m_dib.Draw(hDC, static_cast<int>(x), static_cast<int>(y));
    return;
  }
  RECT rc;
  rc.left = ClampToLong(x);
  rc.top = ClampToLong(y);
  rc.right = ClampToLong(static_cast<std::int64_t>(x) + m_nWidth);
  rc.bottom = ClampToLong(static_cast<std::int64_t>(y) + m_nHeight);
  ::SetBkColor(hDC, ::GetSysColor(COLOR_BTNFACE));
  ::ExtTextOutA(hDC, 0, 0, ETO_OPAQUE, &rc, nullptr, 0, nullptr);
}
