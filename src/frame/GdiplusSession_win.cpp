#include "GdiplusSession.h"

#include <windows.h>
#include <objidl.h>
#include <gdiplus.h>

namespace {

ULONG_PTR g_nToken = 0;
unsigned int g_nLive = 0;

}  // namespace

namespace qor {

GdiplusSession::GdiplusSession() { Start(); }

GdiplusSession::GdiplusSession(const GdiplusSession&) { Start(); }

void GdiplusSession::Start() {
  if (g_nLive == 0) {
    Gdiplus::GdiplusStartupInput input;
    if (Gdiplus::GdiplusStartup(&g_nToken, &input, nullptr) != Gdiplus::Ok) return;
  }
  ++g_nLive;
  m_bStarted = true;
}

GdiplusSession::~GdiplusSession() {
  if (!m_bStarted) return;
  if (--g_nLive == 0) {
    Gdiplus::GdiplusShutdown(g_nToken);
    g_nToken = 0;
  }
}

unsigned int GdiplusSession::GetLiveCount() { return g_nLive; }

}  // namespace qor
