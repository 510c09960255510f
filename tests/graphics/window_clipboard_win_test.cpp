// WindowToClipboard: the window's picture, at its size, owned by its parent
// or the desktop; nothing for a null or empty window.
#include <gtest/gtest.h>

#include <afxwin.h>

#include "GraphicsUtils.h"

namespace {

// What the clipboard holds after WindowToClipboard: its bitmap's size (0 x 0
// when it holds none), the bitmap's pixel (3, 2) and the clipboard's owner.
struct Clip {
  CSize size;
  COLORREF cr = 0;
  HWND hOwner = nullptr;
};

Clip Copied(CWnd* pWnd, bool bWholeWindow) {
  Clip clip;
  if (!::OpenClipboard(nullptr)) return clip;
  ::EmptyClipboard(), ::CloseClipboard();
  GraphicsUtils::WindowToClipboard(pWnd, bWholeWindow);
  if (!::OpenClipboard(nullptr)) return clip;
  clip.hOwner = ::GetClipboardOwner();
  if (HBITMAP h = static_cast<HBITMAP>(::GetClipboardData(CF_BITMAP))) {
    BITMAP bm{};
    ::GetObjectA(h, sizeof bm, &bm);
    clip.size = CSize(bm.bmWidth, bm.bmHeight);
    HDC hdc = ::CreateCompatibleDC(nullptr);
    HGDIOBJ hOld = ::SelectObject(hdc, h);
    clip.cr = ::GetPixel(hdc, 3, 2);
    ::SelectObject(hdc, hOld), ::DeleteDC(hdc);
  }
  ::CloseClipboard();
  return clip;
}

TEST(WindowToClipboard, TheClientAreaOrTheWholeWindowOwnedByTheParentOrTheDesktop) {
  CWnd parent, child, framed, empty, unattached;
  LPCTSTR pszClass = AfxRegisterWndClass(0);
  ASSERT_TRUE(parent.CreateEx(0, pszClass, "parent", WS_POPUP | WS_VISIBLE, 0, 0, 200, 100, nullptr, nullptr));
  ASSERT_TRUE(child.Create(pszClass, "child", WS_CHILD | WS_VISIBLE, CRect(10, 10, 60, 40), &parent, 1));
  for (CWnd* pWnd : {&parent, &child}) {
    CRect rc;
    pWnd->GetClientRect(&rc);
    CClientDC dc(pWnd);
    dc.FillSolidRect(&rc, RGB(0, 0, 255));
    dc.SetPixel(3, 2, RGB(255, 0, 0));
    const Clip clip = Copied(pWnd, false);
    EXPECT_TRUE(clip.size == rc.Size() && clip.cr == RGB(255, 0, 0) &&
                clip.hOwner == (pWnd == &child ? parent.m_hWnd : ::GetDesktopWindow()));
  }
  ASSERT_TRUE(framed.CreateEx(0, pszClass, "framed", WS_POPUP | WS_BORDER | WS_VISIBLE, 0, 0, 80, 50, nullptr, nullptr));
  EXPECT_EQ(Copied(&framed, true).size, CSize(80, 50));  // as large as its window rectangle

  // Without a picture the clipboard is left alone.
  ASSERT_TRUE(empty.CreateEx(0, pszClass, "empty", WS_POPUP, 0, 0, 0, 0, nullptr, nullptr));
  for (CWnd* pWnd : {static_cast<CWnd*>(nullptr), &unattached, &empty}) EXPECT_EQ(Copied(pWnd, false).size, CSize(0, 0));
}

}  // namespace
