// WindowToClipboard: the window's picture, at its size, owned by its parent
// or the desktop; nothing for a null or empty window.
#include <gtest/gtest.h>

#include <afxwin.h>

#include "GraphicsUtils.h"

namespace {

// The clipboard's bitmap size and its pixel at (x, y); (0, 0) when it holds none.
CSize ClipboardBitmap(int x, int y, COLORREF* pcr, HWND* phOwner) {
  CSize size(0, 0);
  if (!::OpenClipboard(nullptr)) return size;
  *phOwner = ::GetClipboardOwner();
  if (HBITMAP h = static_cast<HBITMAP>(::GetClipboardData(CF_BITMAP))) {
    BITMAP bm{};
    ::GetObjectA(h, sizeof bm, &bm);
    size = CSize(bm.bmWidth, bm.bmHeight);
    HDC hdc = ::CreateCompatibleDC(nullptr);
    HGDIOBJ hOld = ::SelectObject(hdc, h);
    *pcr = ::GetPixel(hdc, x, y);
    ::SelectObject(hdc, hOld);
    ::DeleteDC(hdc);
  }
  ::CloseClipboard();
  return size;
}

void EmptyTheClipboard() {
  ASSERT_TRUE(::OpenClipboard(nullptr));
  ::EmptyClipboard();
  ::CloseClipboard();
}

TEST(WindowToClipboard, PutsTheClientAreaOwnedByTheParentOrTheDesktop) {
  CWnd parent;
  ASSERT_TRUE(parent.CreateEx(0, AfxRegisterWndClass(0), "parent", WS_POPUP | WS_VISIBLE, 0, 0, 200, 100, nullptr,
                              nullptr));
  CWnd child;
  ASSERT_TRUE(child.Create(AfxRegisterWndClass(0), "child", WS_CHILD | WS_VISIBLE, CRect(10, 10, 60, 40), &parent, 1));
  for (CWnd* pWnd : {&parent, &child}) {
    EmptyTheClipboard();
    CRect rc;
    pWnd->GetClientRect(&rc);
    CClientDC dc(pWnd);
    dc.FillSolidRect(&rc, RGB(0, 0, 255));
    dc.SetPixel(3, 2, RGB(255, 0, 0));
    GraphicsUtils::WindowToClipboard(pWnd, false);
    COLORREF cr = 0;
    HWND hOwner = nullptr;
    EXPECT_EQ(ClipboardBitmap(3, 2, &cr, &hOwner), rc.Size());
    EXPECT_EQ(cr, RGB(255, 0, 0));
    EXPECT_EQ(hOwner, pWnd == &child ? parent.m_hWnd : ::GetDesktopWindow());
  }

  // The whole window is as large as its window rectangle.
  CWnd framed;
  ASSERT_TRUE(framed.CreateEx(0, AfxRegisterWndClass(0), "framed", WS_POPUP | WS_BORDER | WS_VISIBLE, 0, 0, 80, 50,
                              nullptr, nullptr));
  GraphicsUtils::WindowToClipboard(&framed, true);
  COLORREF cr = 0;
  HWND hOwner = nullptr;
  EXPECT_EQ(ClipboardBitmap(0, 0, &cr, &hOwner), CSize(80, 50));
}

TEST(WindowToClipboard, LeavesTheClipboardAloneWithoutAPicture) {
  CWnd empty;
  ASSERT_TRUE(empty.CreateEx(0, AfxRegisterWndClass(0), "empty", WS_POPUP, 0, 0, 0, 0, nullptr, nullptr));
  CWnd unattached;
  for (CWnd* pWnd : {static_cast<CWnd*>(nullptr), &unattached, &empty}) {
    EmptyTheClipboard();
    GraphicsUtils::WindowToClipboard(pWnd, false);
    COLORREF cr = 0;
    HWND hOwner = nullptr;
    EXPECT_EQ(ClipboardBitmap(0, 0, &cr, &hOwner), CSize(0, 0));
  }
}

}  // namespace
