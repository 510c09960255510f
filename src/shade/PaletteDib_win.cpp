// The blit of a PaletteDib: the block is already a packed DIB, so it goes to
// the device context as it is.
#include "PaletteDib.h"

#include "FailureLog.h"

bool PaletteDib::Draw(HDC hDC, int x, int y) {
  if (m_pBlock == nullptr) {
    qor::LogFailure("{8DA299DF-8097-464D-A15F-D9D580F0D32B}");
    return false;
  }
  if (hDC == nullptr) return false;
  ::SetStretchBltMode(hDC, COLORONCOLOR);
  // Positive height: rows are stored bottom-up, so row 0 lands on the last
  // screen line of the destination.
  ::SetDIBitsToDevice(hDC, x, y, static_cast<DWORD>(m_bmih.biWidth), static_cast<DWORD>(m_bmih.biHeight), 0,
                      0, 0, static_cast<UINT>(m_bmih.biHeight), GetBits(),
                      reinterpret_cast<const BITMAPINFO*>(m_pBlock), DIB_RGB_COLORS);
  return true;
}
