// The system colour table of the host build: the Windows standard scheme, which
// tests may change with SetSysColors as they would on Windows.
#include <windows.h>

namespace {

DWORD g_colors[31] = {
    RGB(200, 200, 200), RGB(0, 0, 0),       RGB(153, 180, 209), RGB(191, 205, 219), RGB(240, 240, 240),
    RGB(255, 255, 255), RGB(100, 100, 100), RGB(0, 0, 0),       RGB(0, 0, 0),       RGB(0, 0, 0),
    RGB(180, 180, 180), RGB(244, 247, 252), RGB(171, 171, 171), RGB(0, 120, 215),   RGB(255, 255, 255),
    RGB(240, 240, 240), RGB(160, 160, 160), RGB(109, 109, 109), RGB(0, 0, 0),       RGB(0, 0, 0),
    RGB(255, 255, 255), RGB(105, 105, 105), RGB(227, 227, 227), RGB(0, 0, 0),       RGB(255, 255, 225),
    RGB(0, 0, 0),       RGB(0, 102, 204),   RGB(185, 209, 234), RGB(215, 228, 242), RGB(0, 120, 215),
    RGB(240, 240, 240)};

}  // namespace

DWORD GetSysColor(int nIndex) {
  if (nIndex < 0 || nIndex >= int(sizeof g_colors / sizeof g_colors[0])) return 0;
  return g_colors[nIndex];
}

BOOL SetSysColors(int cElements, const INT* lpaElements, const COLORREF* lpaRgbValues) {
  if (cElements < 0 || (cElements > 0 && (lpaElements == nullptr || lpaRgbValues == nullptr))) return FALSE;
  for (int i = 0; i < cElements; ++i) {
    const int n = lpaElements[i];
    if (n >= 0 && n < int(sizeof g_colors / sizeof g_colors[0])) g_colors[n] = lpaRgbValues[i] & 0x00FFFFFF;
  }
  return TRUE;
}
