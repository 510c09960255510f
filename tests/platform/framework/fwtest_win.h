// Helpers of the framework's Windows tests: bounded message pumping, an
// in-memory dialog template builder and a pixel reader.
#pragma once

#include <functional>
#include <string>
#include <vector>

#include "afxwin.h"

namespace fwtest {

// Dispatches messages until pred() holds or nMaxMs milliseconds have passed;
// returns pred(). Never waits longer than nMaxMs.
inline bool PumpUntil(const std::function<bool()>& pred, DWORD nMaxMs) {
  const ULONGLONG tEnd = ::GetTickCount64() + nMaxMs;
  for (;;) {
    MSG msg;
    while (::PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {
      if (msg.message == WM_QUIT) continue;  // a test's main window may post it
      ::TranslateMessage(&msg);
      ::DispatchMessageA(&msg);
    }
    if (pred()) return true;
    const ULONGLONG tNow = ::GetTickCount64();
    if (tNow >= tEnd) return pred();
    ::MsgWaitForMultipleObjects(0, nullptr, FALSE, static_cast<DWORD>(tEnd - tNow), QS_ALLINPUT);
  }
}

// Dispatches whatever is queued now.
inline void PumpPending() {
  PumpUntil([] { return false; }, 0);
}

// Builds a DLGTEMPLATE with items in memory, as the dialog manager reads it.
class DialogTemplate {
 public:
  DialogTemplate(DWORD dwStyle, short x, short y, short cx, short cy, const char* pszTitle) {
    dwStyle |= DS_SETFONT;
    PutDword(dwStyle);
    PutDword(0);  // extended style
    m_nCountAt = m_words.size();
    PutWord(0);  // item count, filled in by AddItem
    PutWord(static_cast<WORD>(x));
    PutWord(static_cast<WORD>(y));
    PutWord(static_cast<WORD>(cx));
    PutWord(static_cast<WORD>(cy));
    PutWord(0);  // no menu
    PutWord(0);  // the standard dialog class
    PutString(pszTitle);
    PutWord(8);  // font size, DS_SETFONT
    PutString("MS Shell Dlg");
  }

  // wClassAtom: 0x0080 button, 0x0081 edit, 0x0082 static.
  void AddItem(DWORD dwStyle, short x, short y, short cx, short cy, WORD nID, WORD wClassAtom, const char* pszText) {
    if (m_words.size() % 2 != 0) PutWord(0);  // items start on a DWORD boundary
    PutDword(dwStyle | WS_CHILD | WS_VISIBLE);
    PutDword(0);
    PutWord(static_cast<WORD>(x));
    PutWord(static_cast<WORD>(y));
    PutWord(static_cast<WORD>(cx));
    PutWord(static_cast<WORD>(cy));
    PutWord(nID);
    PutWord(0xFFFF);
    PutWord(wClassAtom);
    PutString(pszText);
    PutWord(0);  // no creation data
    ++m_words[m_nCountAt];
  }

  LPCDLGTEMPLATE Get() const { return reinterpret_cast<LPCDLGTEMPLATE>(m_words.data()); }

 private:
  void PutWord(WORD w) { m_words.push_back(w); }
  void PutDword(DWORD dw) {
    PutWord(LOWORD(dw));
    PutWord(HIWORD(dw));
  }
  void PutString(const char* psz) {
    for (; *psz != '\0'; ++psz) PutWord(static_cast<unsigned char>(*psz));
    PutWord(0);
  }

  std::vector<WORD> m_words;  // WORD storage keeps the template aligned
  size_t m_nCountAt = 0;
};

// A top-level popup of the framework's default class, shown.
inline BOOL CreatePopup(CWnd& wnd, const char* pszTitle, int cx = 160, int cy = 120) {
  return wnd.CreateEx(0, nullptr, pszTitle, WS_POPUP | WS_VISIBLE, 10, 10, cx, cy, nullptr, nullptr);
}

// Reads a pixel of a window's client area through a fresh client DC.
inline COLORREF ClientPixel(HWND hWnd, int x, int y) {
  HDC hDC = ::GetDC(hWnd);
  const COLORREF cr = ::GetPixel(hDC, x, y);
  ::ReleaseDC(hWnd, hDC);
  return cr;
}

}  // namespace fwtest
