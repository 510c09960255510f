// Colours for GDI+: an opaque ARGB value (alpha in bits 24 to 31, then red,
// green, blue) from a COLORREF (red in the low byte), and back.
#pragma once

#include <afx.h>

namespace qor {

constexpr unsigned long kArgbOpaque = 0xFF000000ul;

constexpr unsigned long ToArgb(COLORREF cr) {
  return kArgbOpaque | ((cr & 0xFFul) << 16) | (cr & 0xFF00ul) | ((cr >> 16) & 0xFFul);
}

// Drops the alpha.
constexpr COLORREF FromArgb(unsigned long argb) {
  return static_cast<COLORREF>(((argb >> 16) & 0xFFul) | (argb & 0xFF00ul) | ((argb & 0xFFul) << 16));
}

static_assert(ToArgb(0x00332211ul) == 0xFF112233ul, "red moves to bits 16 to 23");
static_assert(FromArgb(0x80112233ul) == 0x00332211ul, "alpha is dropped");

}  // namespace qor
